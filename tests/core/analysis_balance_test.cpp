// The five-element balance analysis: grids, the number rule, the stored
// tables as the analysis reads them, and two whole texts.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "analysis/five_element_balance.h"
#include "engine/char_tables.h"
#include "platform/gbk.h"
#include "platform/lunar_calendar.h"

using gbk::G;

namespace {

int K(const char* ch) { return engine::GetKangxiStrokes(G(ch)); }

struct GridRow {
  const char *surname, *given;
  int heaven, person, earth, total, outer;
};

class FiveGridTable : public ::testing::TestWithParam<GridRow> {};

TEST_P(FiveGridTable, Grids) {
  const GridRow& r = GetParam();
  analysis::FiveGrids g = analysis::ComputeFiveGrids(G(r.surname), G(r.given));
  EXPECT_EQ(g.heaven, r.heaven);
  EXPECT_EQ(g.person, r.person);
  EXPECT_EQ(g.earth, r.earth);
  EXPECT_EQ(g.total, r.total);
  EXPECT_EQ(g.outer, r.outer);
}

// 王 4, 小 3, 明 8, 欧(歐) 15, 阳(陽) 17 in the shipped tables.
INSTANTIATE_TEST_SUITE_P(
    Rows, FiveGridTable,
    ::testing::Values(GridRow{"王", "小明", 5, 7, 11, 15, 9}, GridRow{"欧阳", "明", 32, 25, 9, 40, 16},
                      GridRow{"王", "明", 5, 12, 9, 12, 2}, GridRow{"欧阳", "小明阳", 32, 20, 28, 60, 40},
                      GridRow{"欧阳明", "小", 0, 3, 4, 3, 1}, GridRow{"王", "小明阳明", 5, 4, 0, 4, 1},
                      GridRow{"", "明", 0, 8, 9, 8, 1},
                      // 李 7, 喆 12: a given name outside GB2312 counts in full
                      GridRow{"李", "喆", 8, 19, 13, 19, 2}));

TEST(FiveGrids, StrokesOfTheTables) {
  // The grid rows above rest on these counts.
  EXPECT_EQ(K("王") * 1000000 + K("小") * 10000 + K("明") * 100 + K("欧"), 4030815);
  EXPECT_EQ(K("阳"), 17);
}

TEST(FiveGrids, KangxiCountsFollowOverridesThatArriveLater) {
  EXPECT_EQ(analysis::GetCachedKangxiStrokes(G("王")), 4);
  engine::SetKangxiOverrides(G("王-9/"));
  EXPECT_EQ(analysis::GetCachedKangxiStrokes(G("王")), 9);
  engine::SetKangxiOverrides("");
  EXPECT_EQ(analysis::GetCachedKangxiStrokes("x"), 0);
}

TEST(FiveElementBalance, NumberElements) {
  const std::pair<int, const char*> rows[] = {{0, "水"},  {1, "木"},  {2, "木"},  {3, "火"},
                                              {5, "土"},  {7, "金"},  {9, "水"},  {10, "水"},
                                              {20, "水"}, {23, "火"}, {38, "金"}, {-1, "未"}};
  for (auto [n, e] : rows) EXPECT_EQ(analysis::GetNumberElement(n), G(e)) << n;
  EXPECT_EQ(analysis::BuildThreeTalents(5, 7, 11), G("土金木"));
}

TEST(FiveElementBalance, StoredTables) {
  const std::pair<int, const char*> hours[] = {{0, "子"},  {1, "丑"},    {13, "未"},  {22, "亥"},
                                               {23, "子"}, {24, "未知"}, {-1, "未知"}};
  for (auto [h, b] : hours) EXPECT_EQ(analysis::GetHourBranch(h), G(b)) << h;
  // Every pair has a nayin whose last character is its element; the five
  // names mended in the table among them.
  for (int i = 0; i < 60; ++i) {
    std::string nayin = analysis::LookupNayin(platform::SexagenaryName(i));
    ASSERT_EQ(nayin.size(), 6u) << i;
  }
  EXPECT_EQ(analysis::LookupNayin(G("庚戌")), G("钗钏金"));
  EXPECT_EQ(analysis::LookupNayin(G("癸丑")), G("桑柘木"));
  EXPECT_EQ(analysis::LookupNayin(G("戊申")), G("大驿土"));
  EXPECT_EQ(analysis::LookupNayin(G("乙巳")), G("覆灯火"));
  EXPECT_EQ(analysis::LookupNayin(G("庚辰")), G("白蜡金"));
  EXPECT_EQ(analysis::LookupNayin(G("甲子")), G("海中金"));
  EXPECT_EQ(analysis::LookupNayin(G("癸亥")), G("大海水"));
  EXPECT_EQ(analysis::LookupNayin(""), "");
  EXPECT_EQ(analysis::GetStemBranchElement(G("甲子")), G("木水"));
  EXPECT_EQ(analysis::GetStemBranchElement(G("癸未")), G("水土"));
  EXPECT_EQ(analysis::CountOccurrences(G("金木  金金"), G("金")), 3);
  EXPECT_EQ(analysis::CountOccurrences(G("未水"), G("水")), 1);
  EXPECT_EQ(analysis::CountOccurrences("}}", "}"), 2);
  // The year name changes at 00:00 of the Spring Festival day.
  EXPECT_EQ(analysis::FormatLunarYear(2024, 2, 10, 0, G("%Y年%M%D%S")), G("甲辰年正月初一龙"));
  EXPECT_EQ(analysis::FormatLunarYear(2024, 2, 9, 23, G("%y年%M%D%S")), G("癸卯年腊月三十兔"));
  EXPECT_EQ(analysis::FormatLunarYear(1929, 6, 1, 0, "%S"), "");
  EXPECT_EQ(analysis::FormatLunarYear(2047, 6, 1, 0, "%S"), "");
  EXPECT_EQ(analysis::FormatLunarYear(2046, 12, 31, 0, "%S"), G("虎"));
  EXPECT_EQ(analysis::FormatLunarYear(INT_MIN, 1, 1, 0, "%S"), "");
  EXPECT_EQ(analysis::FormatLunarYear(INT_MAX, 1, 1, 0, "%S"), "");
}

TEST(FiveElementBalance, CharactersWithoutStrokesCountNone) {
  // 倉 is no GB2312 hanzi, so it has no simplified count (王 has 4).
  struct Row {
    const char *surname, *given, *strokes;
  } rows[] = {{"倉", "倉", "\r\n简体笔画:0  "}, {"王", "倉", "\r\n简体笔画:4  "}};
  for (const Row& r : rows) {
    const std::string text = gbk::ToUtf8(analysis::AnalyseBalance(G(r.surname), G(r.given), {"2000", "1", "1", "0"}));
    EXPECT_NE(text.find(r.strokes), std::string::npos) << text;
  }
}

struct TextRow {
  const char* surname;
  const char* given;
  analysis::BirthInput birth;
  const char* text;
};

constexpr char kNameWithoutHour[] =
    "公司老板姓名:王小明  (wang  xiao  ming)\r\n"
    "简体笔画:15  康熙字:王小明  康熙笔画:15  五行属性:土金水\r\n"
    "天格:5  地格:11  人格:7  外格:9  总格:15  三才:土金木\r\n\r\n"
    "出生时辰未知，无法排出生辰八字，这次只分析了姓名。请选好出生的时辰（0至23时）再点“测算”。\r\n";

class BalanceTextTable : public ::testing::TestWithParam<TextRow> {};

TEST_P(BalanceTextTable, Text) {
  const TextRow& r = GetParam();
  EXPECT_EQ(gbk::ToUtf8(analysis::AnalyseBalance(G(r.surname), G(r.given), r.birth)), r.text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BalanceTextTable,
    ::testing::Values(TextRow{"王",
                              "小明",
                              {"2000", "1", "1", "0"},
                              "公司老板姓名:王小明  (wang  xiao  ming)\r\n"
                              "简体笔画:15  康熙字:王小明  康熙笔画:15  五行属性:土金水\r\n"
                              "天格:5  地格:11  人格:7  外格:9  总格:15  三才:土金木\r\n\r\n"
                              "公历：2000年1月1日0时(星期六)\r\n"
                              "农历：己卯年冬月廿五日子时\r\n"
                              "春节：2月5日\r\n"
                              "天运五行：土\r\n"
                              "纳音：城头土  涧下水  天上火  桑柘木\r\n"
                              "八字：己卯  丙子  戊午  壬子\r\n"
                              "五行：土木  火水  土火  水水 (五行缺金)\r\n"
                              "生肖：兔\r\n\r\n"
                              "姓名生辰八字五行总计:土金水  土木  火水  土火  水水\r\n"
                              "偏重的五行元素:水  缺少的五行元素:无\r\n\r\n"
                              "公司取名用字建议:不带偏重的五行元素,补上缺少的五行元素\r\n"},
                      TextRow{"王",
                              "小光",
                              {"2024", "2", "4", "17"},
                              "公司老板姓名:王小光  (wang  xiao  guang)\r\n"
                              "简体笔画:13  康熙字:王小光  康熙笔画:13  五行属性:土金火\r\n"
                              "天格:5  地格:9  人格:7  外格:7  总格:13  三才:土金水\r\n\r\n"
                              "公历：2024年2月4日17时(星期日)\r\n"
                              "农历：癸卯年腊月廿五日酉时\r\n"
                              "春节：2月10日\r\n"
                              "天运五行：火\r\n"
                              "纳音：覆灯火  炉中火  平地木  石榴木\r\n"
                              "八字：甲辰  丙寅  戊戌  辛酉\r\n"
                              "五行：木土  火木  土土  金金 (五行缺水)\r\n"
                              "生肖：兔\r\n\r\n"
                              "姓名生辰八字五行总计:土金火  木土  火木  土土  金金\r\n"
                              "偏重的五行元素:土  缺少的五行元素:水\r\n\r\n"
                              "公司取名用字建议:不带偏重的五行元素,补上缺少的五行元素\r\n"},
                      // hour 未知 (or none chosen): the name alone, and what is missing
                      TextRow{"王", "小明", {"2000", "1", "1", G("未知")}, kNameWithoutHour},
                      TextRow{"王", "小明", {"2000", "1", "1", ""}, kNameWithoutHour},
                      TextRow{"王", "小明", {"2023", "2", "30", G("未知")}, "所选时间不存在"},
                      TextRow{"王", "小明", {"2023", "2", "30", "0"}, "所选时间不存在"},
                      TextRow{"王", "小明", {"", "1", "1", "0"}, "所选时间不存在"}));

TEST(FiveElementBalance, GivenNameOutsideGb2312) {
  // No reading and no simplified count, but its Kangxi count and element.
  std::string text = gbk::ToUtf8(analysis::AnalyseBalance(G("李"), G("喆"), {"2000", "1", "1", "0"}));
  EXPECT_EQ(text.substr(0, text.find("\r\n\r\n")),
            "公司老板姓名:李喆  (li  )\r\n"
            "简体笔画:7  康熙字:李喆  康熙笔画:19  五行属性:火火\r\n"
            "天格:8  地格:13  人格:19  外格:2  总格:19  三才:金水火");
  EXPECT_NE(text.find("姓名生辰八字五行总计:火火  土木"), std::string::npos);
}

}  // namespace
