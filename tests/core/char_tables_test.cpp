// The character lookups against the values the tables must give, and the
// stored forms of the tables themselves.
#include "engine/char_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "engine/char_tables_index.h"
#include "engine/luck.h"
#include "engine/name_parts.h"
#include "platform/embedded.h"
#include "platform/gbk.h"

using gbk::G;

namespace {

struct Row {
  const char* text;  // UTF-8 unless raw
  int value;
  bool raw = false;
};

std::string Text(const Row& r) { return r.raw ? std::string(r.text) : G(r.text); }
std::string Utf8(std::string_view g) { return gbk::ToUtf8(g); }

// ---- simplified strokes

class SimplifiedStrokes : public ::testing::TestWithParam<Row> {};

TEST_P(SimplifiedStrokes, Value) {
  EXPECT_EQ(engine::GetSimplifiedStrokes(Text(GetParam())), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Rows, SimplifiedStrokes,
                         ::testing::Values(Row{"啊", 10}, Row{"阿", 7}, Row{"埃", 10}, Row{"挨", 10},
                                           Row{"齄", 23}, Row{"啊x", 10},  // the first character counts
                                           Row{"囱", 7}, Row{"靛", 16}, Row{"屡", 12},  // in no other table
                                           Row{"a", -1}, Row{"１", -1},  // Latin letter, full-width digit
                                           Row{"", -1},
                                           Row{"\xB0", -1, true},      // a missing second byte counts as 0
                                           Row{"\x81\x40", -1, true},  // GBK outside rows B0..F7
                                           Row{"、", -1}, Row{"\xF8\xA1", -1, true}, Row{"\xD7\xFA", 0, true},
                                           Row{"\xD7\xFE", 0, true},     // unassigned positions
                                           Row{"\xD7\xF9", 10, true}));  // 座, the last before them

// ---- Kangxi strokes and the tables that give them

class KangxiStrokes : public ::testing::TestWithParam<Row> {};

TEST_P(KangxiStrokes, Value) {
  engine::SetKangxiOverrides("");
  EXPECT_EQ(engine::GetKangxiStrokes(Text(GetParam())), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KangxiStrokes,
    ::testing::Values(
        // name character text
        Row{"金", 8}, Row{"哀", 9}, Row{"健", 11}, Row{"柏", 9}, Row{"傲", 13}, Row{"罐", 24},
        // traditional pair text
        Row{"轩", 10}, Row{"泽", 17}, Row{"荣", 14}, Row{"汉", 15}, Row{"龙", 16},
        Row{"冲", 15},  // answered by its pair 衝 before the stroke list's quirky "24"
        // stroke list, first occurrence: 哎 " 8" before "11"; "7 " and " 9" read as digits
        Row{"啊", 16}, Row{"阿", 13}, Row{"吧", 7}, Row{"扁", 9}, Row{"哎", 8},
        // stroke groups alone
        Row{"勹", 2}, Row{"尸", 3}, Row{"爨", 30}, Row{"骉", 30},
        // numerals count by their value
        Row{"四", 4}, Row{"九", 9}, Row{"十", 10},
        // radicals by their Kangxi count, also standing alone: 廴 3, 瓦 5, 骨 10, 鬼 10, 鼎 13
        Row{"建", 9}, Row{"延", 7}, Row{"甄", 14}, Row{"瓦", 5}, Row{"骨", 10}, Row{"魏", 18},
        Row{"鼎", 13}, Row{"王", 4},
        // counted on the character itself where it is its own traditional form
        Row{"于", 3}, Row{"斗", 4}, Row{"里", 7}, Row{"征", 8}, Row{"范", 11}, Row{"云", 12},
        // in no table
        Row{"囱", 0}, Row{"靛", 0}, Row{"屡", 0},
        // a traditional form that only stands as the second field of a pair: its own count
        Row{"軒", 10}, Row{"澤", 17},
        // no hanzi: never a count read out of the digits and separators
        Row{"1", 0}, Row{"|", 0}, Row{"10", 0}, Row{"a", 0}, Row{"√", 0}, Row{"：", 0}, Row{"", 0},
        Row{"\xB0", 0, true}, Row{"|1", 0, true}));

TEST(KangxiStrokes, StrokeListAndGroupsDirectly) {
  EXPECT_EQ(engine::LookupStrokeList(G("啊")), 16);
  EXPECT_EQ(engine::LookupStrokeList(G("哀")), 9);   // "9 "
  EXPECT_EQ(engine::LookupStrokeList(G("冲")), 24);  // the list keeps its own first entry
  EXPECT_EQ(engine::LookupStrokeList(G("尸")), 3);   // not listed: from the groups
  EXPECT_EQ(engine::LookupStrokeGroup(G("尸")), 3);
  EXPECT_EQ(engine::LookupStrokeGroup(G("一")), 1);
  EXPECT_EQ(engine::LookupStrokeGroup(G("乜")), 2);
  for (const char* c : {"爨", "骉", "鲡", "馕"}) EXPECT_EQ(engine::LookupStrokeGroup(G(c)), 30) << c;
  EXPECT_EQ(engine::LookupStrokeGroup(G("囱")), 0);
  EXPECT_EQ(engine::LookupStrokeList(G("囱")), 0);
  EXPECT_EQ(engine::LookupStrokeGroup("}"), 0);
  EXPECT_EQ(engine::LookupStrokeList("7"), 0);
}

TEST(KangxiStrokes, EveryStoredCharacterButTheAbsentOnesHasACount) {
  int absent = 0;
  for (int lead = 0xB0; lead <= 0xF7; ++lead)
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      if (lead == 0xD7 && trail >= 0xFA) continue;
      std::string c{static_cast<char>(lead), static_cast<char>(trail)};
      int k = engine::GetKangxiStrokes(c);
      EXPECT_GE(k, 0);
      EXPECT_LE(k, 64) << Utf8(c);
      if (k == 0) ++absent;
    }
  EXPECT_EQ(absent, 3);  // 囱 靛 屡
}

TEST(KangxiStrokes, EveryGbkHanziHasACountAndAnElement) {
  // GBK assigns 21,003 hanzi codes less the 80 of FE50..FEA0, which it
  // leaves to private use; all but the three kept out have both values.
  int assigned = 0, covered = 0;
  std::string missing;
  for (int lead = 0x81; lead <= 0xFE; ++lead)
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (!engine::chardata::IsHanziCode(lead, trail)) continue;
      std::string c{static_cast<char>(lead), static_cast<char>(trail)};
      std::string u = Utf8(c);
      if (u.size() != 3) continue;
      unsigned cp = (u[0] & 0x0Fu) << 12 | (u[1] & 0x3Fu) << 6 | (u[2] & 0x3Fu);
      if (cp == 0xFFFD || (cp >= 0xE000 && cp <= 0xF8FF)) continue;  // unassigned, private use
      ++assigned;
      if (engine::GetKangxiStrokes(c) > 0 && engine::GetFiveElement(c) != G("未"))
        ++covered;
      else
        missing += u;
    }
  EXPECT_EQ(assigned, 20923);
  EXPECT_EQ(covered, 20920);
  EXPECT_EQ(missing, "囱靛屡");  // in code order
}

// Characters outside GB2312 through every lookup: the Kangxi count as the
// dictionary gives it (radical counted in full: 氵 4, 王 5, 示 5), on the
// traditional form where the character is simplified.
struct GbkRow {
  const char *ch, *traditional;
  int kangxi;
  const char* element;  // nullptr: no more than "not 未"
};

class OutsideGb2312 : public ::testing::TestWithParam<GbkRow> {};

TEST_P(OutsideGb2312, EveryLookup) {
  const GbkRow& r = GetParam();
  engine::SetKangxiOverrides("");
  std::string c = G(r.ch);
  EXPECT_EQ(engine::GetSimplifiedStrokes(c), -1);
  EXPECT_EQ(engine::PinyinOf(c), "");
  EXPECT_EQ(Utf8(engine::ToTraditionalForm(c)), r.traditional);
  EXPECT_EQ(engine::GetKangxiStrokes(c), r.kangxi);
  EXPECT_EQ(engine::LookupStrokeList(c), r.kangxi);
  EXPECT_EQ(engine::LookupStrokeGroup(c), std::min(r.kangxi, 30)) << "block of " << r.ch;
  if (r.element) EXPECT_EQ(Utf8(engine::GetFiveElement(c)), r.element);
  EXPECT_NE(engine::GetFiveElement(c), G("未"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OutsideGb2312,
    ::testing::Values(GbkRow{"喆", "喆", 12, "火"}, GbkRow{"垚", "垚", 9, "土"}, GbkRow{"璟", "璟", 17, "火"},
                      GbkRow{"堃", "堃", 11, "土"}, GbkRow{"犇", "犇", 12, nullptr}, GbkRow{"淏", "淏", 12, "水"},
                      GbkRow{"昇", "昇", 8, nullptr}, GbkRow{"祎", "禕", 14, nullptr},
                      GbkRow{"镕", "鎔", 18, "金"},
                      // second byte "{": the stroke list tells the count, the block ends with it
                      GbkRow{"藍", "藍", 20, "木"}, GbkRow{"駕", "駕", 15, nullptr},
                      // past the last block: the stroke list tells the count
                      GbkRow{"龘", "龘", 48, nullptr}, GbkRow{"靐", "靐", 39, "水"}));

// ---- five elements

class FiveElement : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(FiveElement, Value) {
  EXPECT_EQ(Utf8(engine::GetFiveElement(G(GetParam().first))), GetParam().second) << GetParam().first;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FiveElement,
    ::testing::Values(std::pair{"一", "土"}, std::pair{"乙", "土"}, std::pair{"匕", "金"},
                      std::pair{"人", "金"}, std::pair{"勹", "水"}, std::pair{"乜", "水"},
                      std::pair{"刁", "火"}, std::pair{"二", "火"}, std::pair{"了", "火"},
                      std::pair{"干", "木"},
                      // the element words answer for themselves, although 土 first stands as a label
                      std::pair{"金", "金"}, std::pair{"木", "木"}, std::pair{"水", "水"},
                      std::pair{"火", "火"}, std::pair{"土", "土"},
                      // by radical: 氵 water, 艹 wood, 钅 metal, 日 fire, 山 earth
                      std::pair{"江", "水"}, std::pair{"花", "木"}, std::pair{"钟", "金"},
                      std::pair{"晴", "火"}, std::pair{"峰", "土"},
                      // by meaning: seasons, directions, colours, stems, branches, light
                      std::pair{"春", "木"}, std::pair{"秋", "金"}, std::pair{"东", "木"},
                      std::pair{"北", "水"}, std::pair{"赤", "火"}, std::pair{"黄", "土"},
                      std::pair{"庚", "金"}, std::pair{"子", "水"}, std::pair{"辰", "土"},
                      std::pair{"光", "火"}, std::pair{"电", "火"},
                      // as naming references give them, by meaning (鱼 fish), radical (笑 竹)
                      // or reading (华 h, 佳 an old velar j), also against a colour or a
                      // direction (红 白 中)
                      std::pair{"鱼", "水"}, std::pair{"笑", "木"}, std::pair{"华", "水"},
                      std::pair{"佳", "木"}, std::pair{"红", "水"}, std::pair{"白", "水"},
                      std::pair{"中", "火"},
                      // the water the simplified form shows; 杰 as it is written
                      std::pair{"汇", "水"}, std::pair{"鸿", "水"}, std::pair{"杰", "木"},
                      // rarer characters by the rules: 竹; j from an old velar, from an
                      // old sibilant; x from the old h; zh from an old retroflex stop
                      std::pair{"筠", "木"}, std::pair{"骥", "木"}, std::pair{"靖", "金"},
                      std::pair{"羲", "水"}, std::pair{"琢", "火"},
                      // unknown
                      std::pair{"a", "未"}, std::pair{"囱", "未"}, std::pair{"屡", "未"}, std::pair{"", "未"},
                      // separators of the stored text are no characters of it
                      std::pair{"：", "未"}, std::pair{"“", "未"}, std::pair{"2", "未"},
                      std::pair{"{", "未"}));

TEST(FiveElement, TraditionalFormsShareTheirSimplifiedElement) {
  for (const char* c : {"荣", "龙", "钟", "骊", "鹂"}) {
    std::string t = engine::ToTraditionalForm(G(c));
    ASSERT_NE(t, G(c));
    EXPECT_EQ(engine::GetFiveElement(t), engine::GetFiveElement(G(c))) << c;
    EXPECT_EQ(engine::GetKangxiStrokes(t), engine::GetKangxiStrokes(G(c))) << c;
  }
}

// ---- traditional form

TEST(TraditionalForm, BellAloneAndInAText) {
  EXPECT_EQ(Utf8(engine::ToTraditionalForm(G("钟"))), "鍾");
  EXPECT_EQ(Utf8(engine::ToTraditionalForm(G("钟表"))), "鍾表");
  EXPECT_EQ(Utf8(engine::ToTraditionalForm(G("荣华龙"))), "榮華龍");
  EXPECT_EQ(Utf8(engine::ToTraditionalForm(G("A1荣-"))), "A1榮-");
  EXPECT_EQ(Utf8(engine::ToTraditionalForm(G("一乙"))), "一乙");
  EXPECT_EQ(engine::ToTraditionalForm(""), "");
}

TEST(TraditionalForm, NamesKeepCharactersThatAreTraditionalThemselves) {
  EXPECT_EQ(Utf8(engine::ToTraditionalForm(G("于余范郁岳后斗里采征朴"))), "于余范郁岳后斗里采征朴");
  EXPECT_EQ(Utf8(engine::ToTraditionalForm(G("云叶万丰胜"))), "雲葉萬豐勝");
}

TEST(NameGrade, KangxiTotalOfTheName) {
  // Kangxi total of the name alone and the grade of that number.
  struct Case {
    const char* name;
    int total, grade;
  };
  for (const Case& c : {Case{"北斗", 9, 98}, Case{"征程", 20, 98}, Case{"千里", 10, 98},
                        Case{"鼎盛", 25, 100}, Case{"建华", 23, 100}}) {
    engine::NamePartAttributes a = engine::ComputeNamePartAttributes(G(c.name));
    EXPECT_EQ(a.kangxiStrokes, c.total) << c.name;
    EXPECT_EQ(engine::LuckGradeOfNumber(a.kangxiStrokes), c.grade) << c.name;
  }
}

TEST(TraditionalForm, KeepsTheByteLengthAndEveryOneByteCharacter) {
  // A dangling lead byte at the end stays as it is.
  std::string text = G("苏州") + "ab" + G("发") + "\xB0";
  std::string t = engine::ToTraditionalForm(text);
  ASSERT_EQ(t.size(), text.size());
  EXPECT_EQ(t.substr(4, 2), "ab");
  EXPECT_EQ(t.back(), '\xB0');
  EXPECT_EQ(Utf8(t.substr(0, 4)), "蘇州");
  EXPECT_EQ(Utf8(t.substr(6, 2)), "發");
  // Some traditional forms end in bytes that are ASCII separators.
  int backslash = 0, separators = 0;
  for (int lead = 0xB0; lead <= 0xF7; ++lead)
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      if (lead == 0xD7 && trail >= 0xFA) continue;
      std::string c{static_cast<char>(lead), static_cast<char>(trail)};
      std::string f = engine::ToTraditionalForm(c);
      ASSERT_EQ(f.size(), 2u);
      if (f[1] == '\\') ++backslash;
      if (f[1] == '{' || f[1] == '|' || f[1] == '}') ++separators;
      EXPECT_EQ(Utf8(f).find("\xEF\xBF\xBD"), std::string::npos) << Utf8(c);
    }
  EXPECT_EQ(backslash, 25);
  EXPECT_EQ(separators, 69);
}

// ---- pinyin

TEST(Pinyin, Readings) {
  const std::pair<const char*, const char*> rows[] = {
      {"绿", "lv"},   {"女", "nv"}, {"略", "lve"},   {"长", "chang"}, {"曾", "zeng"},   {"还", "huan"},
      {"了", "liao"}, {"啊", "a"},  {"重", "zhong"}, {"齄", "zha"},   {"庄", "zhuang"}, {"爨", "cuan"}};
  for (auto [c, p] : rows) EXPECT_EQ(engine::PinyinOf(G(c)), p) << c;
  EXPECT_EQ(engine::PinyinOf("a"), "");
  EXPECT_EQ(engine::PinyinOf(""), "");
  EXPECT_EQ(engine::PinyinOf(G("骉")), "");  // GBK, not GB2312
  EXPECT_EQ(engine::PinyinOf(G("、")), "");
  EXPECT_EQ(engine::PinyinOf("\xD7\xFA"), "");
}

TEST(Pinyin, EveryGb2312HanziHasOne) {
  std::regex letters("[a-z]{1,6}");
  for (int lead = 0xB0; lead <= 0xF7; ++lead)
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      if (lead == 0xD7 && trail >= 0xFA) continue;
      std::string c{static_cast<char>(lead), static_cast<char>(trail)};
      EXPECT_TRUE(std::regex_match(engine::PinyinOf(c), letters)) << Utf8(c);
    }
}

TEST(Pinyin, LevelOneIsInFilingOrder) {
  // GB2312 level 1 is filed by reading; the readings must never go backwards
  // (ü sorting as u, after it: lu, lv, luan, lve, lun).
  auto key = [](std::string p) {
    bool umlaut = p.find('v') != std::string::npos;
    for (char& ch : p)
      if (ch == 'v') ch = 'u';
    return std::pair{p, umlaut};
  };
  std::string previous = "a";
  for (int lead = 0xB0; lead <= 0xD7; ++lead)
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      if (lead == 0xD7 && trail >= 0xFA) continue;
      std::string p = engine::PinyinOf(std::string{static_cast<char>(lead), static_cast<char>(trail)});
      EXPECT_LE(key(previous), key(p)) << std::hex << lead << trail;
      previous = p;
    }
}

// ---- all attributes

TEST(NameAttributes, ComputesOnlyWhatIsAskedFor) {
  int simplified = 111, kangxi = 222;
  std::string pinyin = "keep", element = "keep", traditional = "keep";
  EXPECT_TRUE(engine::LookupNameAttributes(G("荣"), simplified, false, kangxi, true, pinyin, false, element,
                                           true, traditional, false));
  EXPECT_EQ(simplified, 111);
  EXPECT_EQ(kangxi, 14);
  EXPECT_EQ(pinyin, "keep");
  EXPECT_EQ(Utf8(element), "木");
  EXPECT_EQ(traditional, "keep");

  engine::CharacterAttributes a = engine::LookupNameAttributes(G("龙"));
  EXPECT_EQ(Utf8(a.character), "龙");
  EXPECT_EQ(a.simplifiedStrokes, 5);
  EXPECT_EQ(a.kangxiStrokes, 16);
  EXPECT_EQ(a.pinyin, "long");
  EXPECT_EQ(Utf8(a.fiveElement), "火");
  EXPECT_EQ(Utf8(a.traditional), "龍");

  engine::CharacterAttributes x = engine::LookupNameAttributes("x");
  EXPECT_EQ(x.simplifiedStrokes, -1);
  EXPECT_EQ(x.kangxiStrokes, 0);
  EXPECT_EQ(x.pinyin, "");
  EXPECT_EQ(Utf8(x.fiveElement), "未");
  EXPECT_EQ(x.traditional, "x");
}

// ---- luck grade

class LuckGrade : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(LuckGrade, Score) { EXPECT_EQ(engine::LuckGradeOfNumber(GetParam().first), GetParam().second); }

INSTANTIATE_TEST_SUITE_P(Rows, LuckGrade,
                         ::testing::Values(std::pair{1, 100}, std::pair{2, 98}, std::pair{26, 99},
                                           std::pair{81, 100}, std::pair{82, 98},  // 2
                                           std::pair{106, 99},                     // 26
                                           std::pair{161, 100},                    // 81
                                           std::pair{162, 98},                     // 82, then 2
                                           std::pair{481, 100},                    // five subtractions to 81
                                           std::pair{482, 0},                      // still 82 after five
                                           std::pair{0, 0}, std::pair{-5, 0}, std::pair{-81, 0},
                                           std::pair{2147483647, 0}, std::pair{-2147483647 - 1, 0}));

TEST(LuckGrade, GradesOfTheWholeTable) {
  int lucky = 0, half = 0, unlucky = 0;
  for (int n = 1; n <= 81; ++n) {
    int s = engine::LuckGradeOfNumber(n);
    lucky += s == 100;
    half += s == 99;
    unlucky += s == 98;
  }
  EXPECT_EQ(lucky, 34);
  EXPECT_EQ(half, 19);
  EXPECT_EQ(unlucky, 28);
}

// ---- the stored forms

std::string Stored(const char* name) { return std::string(platform::EmbeddedFile(name)); }

TEST(StoredTables, OpeningsAndEndings) {
  std::string name = Utf8(Stored("chars/name_strokes.txt"));
  EXPECT_EQ(name.rfind("√健|11|√柏|9|√金|8|√傲|13|", 0), 0u);
  EXPECT_TRUE(name.ends_with("|√罐|24|"));

  EXPECT_EQ(Utf8(Stored("chars/traditional_pair_strokes.txt")).rfind("√轩|軒|10|√泽|澤|17|√荣|榮|14|", 0),
            0u);
  EXPECT_EQ(Utf8(Stored("chars/kangxi_stroke_list.txt")).rfind("啊16 阿13 埃10 挨11 哎 8 哎11 唉10 哀9  ", 0),
            0u);
  EXPECT_EQ(Utf8(Stored("chars/stroke_groups.txt"))
                .rfind("{1}\r\n：一乙\r\n{2}\r\n：匕刀人入厶\r\n：勹卜乜\r\n", 0),
            0u);
  EXPECT_EQ(Utf8(Stored("chars/five_elements.txt"))
                .rfind("{1}\r\n“土”：一乙\r\n{2}\r\n“金”：匕刀人入厶\r\n“水”：勹卜乜\r\n“火”：刁丁二力了", 0),
            0u);

  std::string luck = Utf8(Stored("chars/luck.txt"));
  EXPECT_EQ(luck.rfind("|1|吉|2|凶|3|吉|", 0), 0u);
  EXPECT_TRUE(luck.ends_with("|80|半吉|81|吉|"));
  EXPECT_EQ(Stored("chars/luck.txt").size(), 516u);
  EXPECT_EQ(Stored("chars/simplified_strokes.bin").size(), 6768u * 4);
}

TEST(StoredTables, GroupsAreTheElementTextWithoutLabels) {
  std::string labelled = Utf8(Stored("chars/five_elements.txt"));
  std::string plain = std::regex_replace(labelled, std::regex("“(金|木|水|火|土)”："), "：");
  EXPECT_EQ(plain, Utf8(Stored("chars/stroke_groups.txt")));

  // Thirty blocks in ascending order, the last listing the heaviest characters.
  std::string groups = Stored("chars/stroke_groups.txt");
  int expected = 1;
  for (size_t p = groups.find("{"); p != std::string::npos; p = groups.find("\r\n{", p + 1)) {
    if (groups[p] == '\r') p += 2;
    EXPECT_EQ(
        groups.compare(p, std::to_string(expected).size() + 4, "{" + std::to_string(expected) + "}\r\n"), 0);
    ++expected;
  }
  EXPECT_EQ(expected, 31);
  std::string last = Utf8(groups.substr(groups.find("{30}")));
  for (const char* c : {"爨", "骉", "鲡", "馕"}) EXPECT_NE(last.find(c), std::string::npos) << c;
}

TEST(StoredTables, EntryRules) {
  // Name text: every key once. Pair text: no key of the name text, no entry
  // with equal fields. Stroke list: four-byte entries, one CR LF.
  std::string name = Stored("chars/name_strokes.txt"), pairs = Stored("chars/traditional_pair_strokes.txt");
  std::string check = G("√");
  std::set<std::string> keys;
  for (size_t p = 0; (p = name.find(check, p)) != std::string::npos; p += 2) {
    EXPECT_TRUE(keys.insert(name.substr(p + 2, 2)).second) << Utf8(name.substr(p + 2, 2));
  }
  EXPECT_GT(keys.size(), 1500u);
  size_t entries = 0;
  for (size_t p = 0; (p = pairs.find(check, p)) != std::string::npos; p += 2, ++entries) {
    std::string first = pairs.substr(p + 2, 2), second = pairs.substr(p + 5, 2);
    EXPECT_EQ(keys.count(first), 0u) << Utf8(first);
    EXPECT_NE(first, second);
    EXPECT_EQ(pairs[p + 4], '|');
    EXPECT_EQ(pairs[p + 7], '|');
  }
  EXPECT_GT(entries, 800u);

  std::string list = Stored("chars/kangxi_stroke_list.txt");
  size_t crlf = list.find("\r\n");
  ASSERT_NE(crlf, std::string::npos);
  EXPECT_EQ(list.find("\r\n", crlf + 1), std::string::npos);
  std::regex entry("(..[ 0-9][0-9]|..[0-9] )");
  for (const std::string& part : {list.substr(0, crlf), list.substr(crlf + 2)}) {
    for (size_t p = 0; p < part.size(); p += 5) {
      ASSERT_TRUE(std::regex_match(part.substr(p, 4), entry)) << p;
      if (p + 4 < part.size()) EXPECT_EQ(part[p + 4], ' ');
    }
  }
}

TEST(StoredTables, GeneratorReproducesThem) {
  // Needs the Debian packages the tables are made from (unicode-data, opencc).
  std::filesystem::path tool = std::filesystem::path(LANZHOU_SOURCE_DIR) / "tools" / "gen_chardata.py";
  if (!std::filesystem::exists(tool) || std::system("python3 --version >/dev/null 2>&1") != 0 ||
      std::system("command -v opencc_dict >/dev/null 2>&1") != 0 ||
      !std::filesystem::exists("/usr/share/unicode/CJKRadicals.txt"))
    GTEST_SKIP() << "python3, opencc or unicode-data missing";
  std::string command = "python3 '" + tool.string() + "' --check >/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
