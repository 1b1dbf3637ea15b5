#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "frame/regions.h"
#include "platform/gbk.h"

using frame::CityRowsForProvince;
using frame::CityScript;
using frame::ProvinceNamesFromScript;
using frame::ProvinceScript;
using frame::RegionPrefixFromName;
using gbk::G;

namespace {

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string_view::npos; start = end + 2)
    out.emplace_back(text.substr(start, end - start));
  out.emplace_back(text.substr(start));
  return out;
}

std::vector<std::string> GbkList(std::initializer_list<const char*> utf8) {
  std::vector<std::string> out;
  for (const char* s : utf8) out.push_back(G(s));
  return out;
}

// ---- the shipped data ------------------------------------------------------

TEST(RegionData, ProvinceScriptHoldsThe34ProvincesInDisplayOrder) {
  std::string_view script = ProvinceScript();
  EXPECT_EQ(script.size(), 1575u);
  ASSERT_GE(script.size(), 2u);
  EXPECT_EQ(script.substr(script.size() - 2), "\r\n");

  const std::vector<std::pair<int, const char*>> expected = {
      {1, "北京市"},  {2, "天津市"},  {3, "上海市"},  {4, "重庆市"},  {11, "江苏省"},
      {12, "浙江省"}, {20, "广东省"}, {5, "河北省"},  {6, "山西省"},  {8, "辽宁省"},
      {9, "吉林省"},  {10, "黑龙江省"}, {13, "安徽省"}, {14, "福建省"}, {15, "江西省"},
      {16, "山东省"}, {17, "河南省"}, {18, "湖北省"}, {19, "湖南省"}, {21, "甘肃省"},
      {22, "四川省"}, {24, "贵州省"}, {25, "海南省"}, {26, "云南省"}, {27, "青海省"},
      {28, "陕西省"}, {7, "台湾省"},  {29, "广西壮族自治区"}, {30, "西藏自治区"},
      {31, "宁夏回族自治区"}, {32, "新疆维吾尔自治区"}, {33, "内蒙古自治区"},
      {34, "澳门特别行政区"}, {35, "香港特别行政区"}};
  std::vector<std::string> lines = Lines(script);
  ASSERT_EQ(lines.size(), expected.size() + 1);  // the text ends with CR LF
  EXPECT_EQ(lines.back(), "");
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(lines[i], "insert into r_province values(" + std::to_string(expected[i].first) + ",'" +
                            G(expected[i].second) + "');")
        << "line " << i + 1;
  }

  std::vector<std::string> names = ProvinceNamesFromScript(script);
  ASSERT_EQ(names.size(), 34u);
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(names[i], G(expected[i].second));
}

struct CityLine {
  int number, province;
  std::string name;
};

TEST(RegionData, CityScriptIsNumberedWithoutGapsAndHasTheFixedCounts) {
  std::string_view script = CityScript();
  std::vector<std::string> lines = Lines(script);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines.front(), "") << "the script starts with an empty line";
  EXPECT_EQ(lines.back(), "--") << "the script ends with a lone --";

  // Province numbers as the province script gives them.
  std::map<std::string, int> numberOf;
  for (const std::string& line : Lines(ProvinceScript())) {
    int n = 0;
    if (std::sscanf(line.c_str(), "insert into r_province values(%d,", &n) == 1)
      numberOf[ProvinceNamesFromScript(line).at(0)] = n;
  }
  ASSERT_EQ(numberOf.size(), 34u);

  std::map<std::string, int> counts;
  std::string block;
  int blockNumber = 0, nextCity = 5, blocks = 0;
  for (size_t i = 1; i + 1 < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.rfind("--", 0) == 0) {
      ++blocks;
      ASSERT_EQ(std::sscanf(line.c_str(), "--%d", &blockNumber), 1) << line;
      std::string rest = line.substr(2 + std::to_string(blockNumber).size());
      block.clear();
      for (const auto& [name, number] : numberOf)
        if (rest.rfind(name, 0) == 0) block = name;
      ASSERT_FALSE(block.empty()) << "block " << blockNumber << " names no province";
      EXPECT_EQ(numberOf[block], blockNumber);
      continue;
    }
    int number = 0, province = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "insert into r_city values(%d,'", &number), 1) << "line " << i;
    ASSERT_EQ(std::sscanf(line.c_str() + line.rfind(','), ",%d);", &province), 1) << "line " << i;
    EXPECT_EQ(number, nextCity++) << "line " << i;
    EXPECT_EQ(province, blockNumber) << "line " << i;
    ++counts[block];
  }
  EXPECT_EQ(blocks, 30);
  EXPECT_EQ(nextCity, 392) << "387 cities numbered 5 to 391";

  const std::map<std::string, int> expected = {
      {G("江苏省"), 13}, {G("浙江省"), 11}, {G("广东省"), 21}, {G("河北省"), 11},
      {G("山西省"), 11}, {G("辽宁省"), 14}, {G("吉林省"), 9},  {G("黑龙江省"), 13},
      {G("安徽省"), 17}, {G("福建省"), 9},  {G("江西省"), 11}, {G("山东省"), 17},
      {G("河南省"), 18}, {G("湖北省"), 17}, {G("湖南省"), 14}, {G("甘肃省"), 14},
      {G("四川省"), 21}, {G("贵州省"), 9},  {G("海南省"), 18}, {G("云南省"), 16},
      {G("青海省"), 8},  {G("陕西省"), 10}, {G("台湾省"), 23}, {G("广西壮族自治区"), 14},
      {G("西藏自治区"), 7}, {G("宁夏回族自治区"), 5}, {G("新疆维吾尔自治区"), 22},
      {G("内蒙古自治区"), 12}, {G("澳门特别行政区"), 1}, {G("香港特别行政区"), 1}};
  EXPECT_EQ(counts, expected);

  // What the picker derives from the text by searching must agree with the
  // block structure: each province's first mention opens its own block.
  for (const auto& [name, count] : expected) {
    std::vector<std::string> rows = CityRowsForProvince(script, name);
    EXPECT_EQ(rows.size(), static_cast<size_t>(count)) << gbk::ToUtf8(name);
    EXPECT_EQ(gbk::Find(script, name), gbk::Find(script, "--" + std::to_string(numberOf[name]) + name) + 2 +
                                           static_cast<int>(std::to_string(numberOf[name]).size()))
        << gbk::ToUtf8(name) << " is mentioned before its block";
  }
}

TEST(RegionData, CityScriptOpensWithAnEmptyLineAndTheHebeiBlock) {
  const std::string opening = "\r\n" +
                              G("--5河北省(2005年辖：11个地级市，36个市辖区、22个县级市、108个县、6个自治县);") +
                              "\r\n" + G("insert into r_city values(5,'石家庄市',5);") + "\r\n";
  EXPECT_EQ(std::string(CityScript().substr(0, opening.size())), opening);
}

TEST(RegionData, MunicipalitiesAreNotInTheCityScript) {
  for (const char* m : {"北京市", "天津市", "上海市", "重庆市"})
    EXPECT_EQ(gbk::Find(CityScript(), G(m)), -1) << m;
}

// ---- the rows the picker shows ----------------------------------------------

struct RowsCase {
  const char* province;
  size_t count;
  const char* first;
  const char* prefixOfFirst;
};

class ShippedRows : public ::testing::TestWithParam<RowsCase> {};

TEST_P(ShippedRows, FirstRowAndPrefix) {
  const RowsCase& c = GetParam();
  std::vector<std::string> rows = CityRowsForProvince(CityScript(), G(c.province));
  ASSERT_EQ(rows.size(), c.count);
  EXPECT_EQ(rows.front(), G(c.first));
  EXPECT_EQ(RegionPrefixFromName(rows.front()), G(c.prefixOfFirst));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ShippedRows,
    ::testing::Values(RowsCase{"北京市", 1, "北京市", "北京"},  // a municipality is its own city
                      RowsCase{"重庆市", 1, "重庆市", "重庆"},
                      RowsCase{"江苏省", 13, "南京市", "南京"},
                      RowsCase{"河北省", 11, "石家庄市", "石家庄"},
                      RowsCase{"广西壮族自治区", 14, "南宁市", "南宁"},
                      RowsCase{"香港特别行政区", 1, "香港", "香港"},
                      RowsCase{"新疆维吾尔自治区", 22, "乌鲁木齐市", "乌鲁木齐"}));

TEST(RegionRows, NoProvinceGivesNoRows) { EXPECT_TRUE(CityRowsForProvince(CityScript(), "").empty()); }

TEST(RegionRows, OnlyLowerCaseInsertLinesCount) {
  std::string script = "\r\n--1" + G("甲省") + "\r\nINSERT into r_city values(5,'" + G("乙") +
                       "',1);\r\ninsert into r_city values(6,'" + G("丙") + "',1);\r\n--";
  EXPECT_EQ(CityRowsForProvince(script, G("甲省")), GbkList({"丙"}));
  EXPECT_EQ(ProvinceNamesFromScript("Insert ('x');\r\ninsert ('y');\r\n"), std::vector<std::string>{"y"});
}

TEST(RegionRows, LastBlockWithoutClosingLineStillLists) {
  std::string script = "\r\n--1" + G("甲省") + "\r\ninsert into r_city values(5,'" + G("乙市") + "',1);";
  EXPECT_EQ(CityRowsForProvince(script, G("甲省")), GbkList({"乙市"}));
}

TEST(RegionRows, ProvinceIsNotFoundAcrossACharacterBoundary) {
  // 呈行路 is B3CA D0D0 C2B7; its bytes 2 to 5 spell 市新 (CAD0 D0C2). A
  // byte search would take the first block for province 市新.
  std::string script = "\r\n--1" + G("呈行路") + "\r\ninsert into r_city values(5,'" + G("甲") +
                       "',1);\r\n--2" + G("市新") + "\r\ninsert into r_city values(6,'" + G("乙") + "',2);\r\n--";
  EXPECT_EQ(CityRowsForProvince(script, G("市新")), GbkList({"乙"}));
}

// ---- the region prefix -------------------------------------------------------

struct PrefixCase {
  const char* name;
  const char* prefix;
};

class RegionPrefix : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(RegionPrefix, RemovesProvinceThenCityCharacters) {
  EXPECT_EQ(gbk::ToUtf8(RegionPrefixFromName(G(GetParam().name))), GetParam().prefix);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RegionPrefix,
    ::testing::Values(PrefixCase{"江苏省", "江苏"}, PrefixCase{"南京市", "南京"},
                      PrefixCase{"广西壮族自治区", "广西壮族自治区"},
                      PrefixCase{"市省市中省", "中"},                // every occurrence goes
                      PrefixCase{"呈新市", "呈新"},                  // B3CA D0C2: no 市 across the boundary
                      PrefixCase{"呈　", "呈　"},                    // B3CA A1A1: no 省 across the boundary
                      PrefixCase{"石 家庄市", "石 家庄"},           // blanks are kept
                      PrefixCase{"澳门　", "澳门　"}, PrefixCase{"", ""}));

}  // namespace
