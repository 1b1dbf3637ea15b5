// The indexed lookups against the plain scans of the stored texts: for every
// two-byte code, for one-byte and longer inputs, for the shipped tables and
// for small tables full of first-occurrence traps.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "engine/char_tables.h"
#include "engine/char_tables_index.h"
#include "engine/char_tables_reference.h"
#include "platform/gbk.h"

using gbk::G;
namespace ref = engine::reference;
namespace cd = engine::chardata;

namespace {

std::string CodeText(int code) {
  return std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// Runs `check(code)` for every two-byte code on all cores; returns the codes
// that failed (at most a few, to keep the report short).
std::vector<int> FailingCodes(const std::function<bool(int)>& check) {
  unsigned workers = std::max(2u, std::thread::hardware_concurrency());
  std::vector<std::vector<int>> failed(workers);
  std::vector<std::thread> threads;
  for (unsigned w = 0; w < workers; ++w)
    threads.emplace_back([&, w] {
      for (int code = static_cast<int>(w); code < 65536; code += static_cast<int>(workers))
        if (!check(code) && failed[w].size() < 5) failed[w].push_back(code);
    });
  for (auto& t : threads) t.join();
  std::vector<int> all;
  for (auto& f : failed) all.insert(all.end(), f.begin(), f.end());
  return all;
}

std::string Hex(const std::vector<int>& codes) {
  std::string out;
  char buf[8];
  for (int c : codes) {
    std::snprintf(buf, sizeof buf, "%04X ", c);
    out += buf;
  }
  return out;
}

// Every public lookup against its scan, for one input text.
bool SameAsScan(const std::string& c, std::string_view overrides) {
  const auto& t = cd::EmbeddedTables();
  return engine::GetKangxiStrokes(c) == ref::GetKangxiStrokes(c, overrides, t) &&
         engine::LookupStrokeList(c) == ref::LookupStrokeList(c, t) &&
         engine::LookupStrokeGroup(c) == ref::LookupStrokeGroup(c, t) &&
         engine::GetFiveElement(c) == ref::GetFiveElement(c, t) &&
         engine::ToTraditionalForm(c) == ref::ToTraditionalForm(c, t) &&
         engine::PinyinOf(c) == ref::PinyinOf(c, t) &&
         engine::GetSimplifiedStrokes(c) == ref::GetSimplifiedStrokes(c, t);
}

std::vector<std::string> OddInputs() {
  std::vector<std::string> inputs = {"", "\xB0", "\x81", "\x7C", "|1", "1|", "10", "\x81\x7C\x81\x7D"};
  for (const char* u : {"√", "：", "“", "一乙", "匕刀", "金木", "啊啊", "轩軒", "√健|"})
    inputs.push_back(G(u));
  for (auto [u, tail] : {std::pair{"啊", "a"}, {"金", "-"}, {"健", "|11"}, {"一", "\xB0"}})
    inputs.push_back(G(u) + tail);
  for (int b = 0; b < 256; ++b) inputs.emplace_back(1, static_cast<char>(b));
  return inputs;
}

class IndexAgainstScan : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { engine::SetKangxiOverrides(G(GetParam())); }
  void TearDown() override { engine::SetKangxiOverrides(""); }
};

TEST_P(IndexAgainstScan, EveryTwoByteCode) {
  std::string overrides = G(GetParam());
  auto failed = FailingCodes([&](int code) { return SameAsScan(CodeText(code), overrides); });
  EXPECT_TRUE(failed.empty()) << Hex(failed);
}

TEST_P(IndexAgainstScan, OneByteAndLongerInputs) {
  std::string overrides = G(GetParam());
  for (const std::string& c : OddInputs()) EXPECT_TRUE(SameAsScan(c, overrides)) << gbk::ToUtf8(c);
}

INSTANTIATE_TEST_SUITE_P(Overrides, IndexAgainstScan,
                         ::testing::Values("",
                                           // well formed, malformed (no "-", no "/", no number), not a hanzi
                                           "金-9/鑫-25/轩-3/啊/冲-x/龙-/a-5/1-2/：-4/囱-7"));

// Small tables built to trip an index that does not follow the scans: keys
// listed twice, a key that is also an earlier traditional form, characters
// in two blocks or under two labels, characters ahead of every header or
// label, second bytes that look like "|", "{" or "}", truncated entries.
struct TrapTables {
  std::string simplified = std::string(6768 * 4, '\0');
  std::string name, pairs, list, groups, elements, luck, pinyin, traditional;
  cd::TableTexts texts() const {
    return {simplified, name, pairs, list, groups, elements, luck, pinyin, traditional};
  }
  TrapTables() {
    const std::string bar = "\x81\x7C", open = "\x81\x7B", close = "\x81\x7D";
    name = G("√甲|5|√乙| 7|√甲|9|√") + bar + "|4|" + G("√a|3|√丙|x|√丁|");
    pairs = G("√丁|戊|6|√戊|己|8|√庚|") + bar + G("|11|√丑|") + close + G("|12|√辛|壬|");
    list = G("甲12 乙 8 乙11 子9 ") + "\r\n" + open + "5  " + G("寅");
    groups = G("丑\r\n{1}\r\n：甲乙\r\n{2}\r\n：丙") + close +
             G("丁　：寅\r\n{3}\r\n：乙卯\r\n{x}\r\n：辰\r\n") + open;
    elements = G("丑“金”：甲木乙“水”：丙") + close + G("金丁　土寅：卯“火”：乙辰");
    pinyin = G("甲 jia\n乙 yi\n甲 xx\n丙\n丁 \n");
    traditional = G("甲乙\n甲丙\n丁戊x\n戊\n");
  }
};

TEST(IndexAgainstScan, TrapTablesEveryTwoByteCode) {
  TrapTables trap;
  const cd::TableTexts t = trap.texts();
  cd::CharIndex index(t);
  auto failed = FailingCodes([&](int code) {
    std::string c = CodeText(code);
    bool hanzi = cd::IsHanziCode(code >> 8, code & 0xFF);
    int gb = cd::Gb2312Index(code >> 8, code & 0xFF);
    return (hanzi ? index.Kangxi(code) : 0) == ref::GetKangxiStrokes(c, "", t) &&
           (hanzi ? index.StrokeList(code) : 0) == ref::LookupStrokeList(c, t) &&
           (hanzi ? index.StrokeGroup(code) : 0) == ref::LookupStrokeGroup(c, t) &&
           cd::ElementText(hanzi ? index.Element(code) : cd::kUnknown) == ref::GetFiveElement(c, t) &&
           // 钟 alone is the one text mapped outside the table
           (c == G("钟") || CodeText(index.Traditional(code)) == ref::ToTraditionalForm(c, t)) &&
           (gb < 0 ? std::string() : std::string(index.Pinyin(gb))) == ref::PinyinOf(c, t);
  });
  EXPECT_TRUE(failed.empty()) << Hex(failed);

  // And the traps give what the first-occurrence rules say.
  auto code = [](const char* c) { return cd::CodeOf(G(c)); };
  EXPECT_EQ(index.Kangxi(code("甲")), 5);
  EXPECT_EQ(index.Kangxi(code("乙")), 7);
  EXPECT_EQ(index.Kangxi(0x817C), 4);      // the name text comes before its pair entry
  EXPECT_EQ(index.Kangxi(code("丙")), 0);  // "x" holds no number
  EXPECT_EQ(index.Kangxi(code("丁")), 0);  // cut short in the name text, which still answers
  EXPECT_EQ(index.Kangxi(code("戊")), 8);  // a key beats its earlier use as a form
  EXPECT_EQ(index.Kangxi(code("己")), 8);  // only a form: its entry's count
  EXPECT_EQ(index.Kangxi(code("壬")), 0);  // an entry cut short
  EXPECT_EQ(index.Kangxi(code("子")), 9);  // "9 " in the list
  EXPECT_EQ(index.StrokeList(code("乙")), 8);
  EXPECT_EQ(index.StrokeList(code("寅")), 0);   // the list ends right after it
  EXPECT_EQ(index.StrokeGroup(code("丑")), 0);  // ahead of every header
  EXPECT_EQ(index.StrokeGroup(code("乙")), 1);  // first of its two blocks
  EXPECT_EQ(index.StrokeGroup(0x817D), 2);      // "}" as a second byte is no bracket
  EXPECT_EQ(index.StrokeGroup(code("丁")), 2);
  EXPECT_EQ(index.StrokeGroup(code("辰")), 0);  // "{x}"
  EXPECT_EQ(index.Element(code("丑")), cd::kUnknown);
  EXPECT_EQ(index.Element(code("乙")), cd::kWood);  // after the character 木, not under “水”
  EXPECT_EQ(index.Element(code("丁")), cd::kMetal);
  EXPECT_EQ(index.Element(code("卯")), cd::kEarth);
  EXPECT_EQ(index.Element(code("辰")), cd::kFire);
  EXPECT_EQ(index.Element(code("木")), cd::kWood);
  EXPECT_EQ(index.Pinyin(cd::Gb2312Index(0xBC, 0xD7)), "jia");  // 甲
  EXPECT_EQ(CodeText(index.Traditional(code("甲"))), G("乙"));
}

TEST(IndexAgainstScan, LuckGradeOverAWideRange) {
  const auto& t = cd::EmbeddedTables();
  for (int n = -300; n <= 1000; ++n)
    ASSERT_EQ(engine::LuckGradeOfNumber(n), ref::LuckGradeOfNumber(n, t)) << n;
  for (int n : {2147483647, -2147483647 - 1, 6481, 40000})
    EXPECT_EQ(engine::LuckGradeOfNumber(n), ref::LuckGradeOfNumber(n, t)) << n;
}

// ---- overrides

TEST(KangxiOverrides, BeatTheTables) {
  engine::SetKangxiOverrides(G("金-9/鑫-25/"));
  EXPECT_EQ(engine::GetKangxiStrokes(G("金")), 9);
  EXPECT_EQ(engine::GetKangxiStrokes(G("鑫")), 25);
  EXPECT_EQ(engine::GetKangxiStrokes(G("森")), 12);  // untouched
  engine::SetKangxiOverrides("");
  EXPECT_EQ(engine::GetKangxiStrokes(G("金")), 8);
  EXPECT_EQ(engine::GetKangxiStrokes(G("鑫")), 24);
  engine::SetKangxiOverrides(G("囱-7/啊-3/"));
  EXPECT_EQ(engine::GetKangxiStrokes(G("囱")), 7);  // in no table
  EXPECT_EQ(engine::GetKangxiStrokes(G("啊")), 3);  // beats the stroke list
  engine::SetKangxiOverrides("");
}

TEST(KangxiOverrides, MalformedEntries) {
  // Present without "-", without "/", without digits, or with a count
  // outside 1..99: the entry is ignored and the tables (or a later entry)
  // answer. Digits of a count are never taken for a character.
  struct Case {
    const char* overrides;
    const char* ch;
    int count;  // 0: no override applies
  };
  const Case cases[] = {
      {"金9/鑫-25/轩-", "金", 0},         {"金9/鑫-25/轩-", "鑫", 25},    {"金9/鑫-25/轩-", "轩", 0},
      {"金-/龙--4/荣- 15/", "金", 0},     {"金-/龙--4/荣- 15/", "龙", 0}, {"金-/龙--4/荣- 15/", "荣", 15},
      {"金-/龙--4/荣- 15/", "2", 0},      {"金-/龙--4/荣- 15/", "-", 0},  {"金-99999999999/", "金", 0},
      {"金-0/鑫-100/", "鑫", 0},          {"金-100/金-7/", "金", 7},      {"金-99/鑫-1/", "金", 99},
      {"金-99/鑫-1/", "鑫", 1},           {"金-１２/", "金", 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.overrides) + " " + c.ch);
    engine::SetKangxiOverrides("");
    const int stored = engine::GetKangxiStrokes(G(c.ch));
    engine::SetKangxiOverrides(G(c.overrides));
    EXPECT_EQ(engine::GetKangxiStrokes(G(c.ch)), c.count ? c.count : stored);
    EXPECT_TRUE(SameAsScan(G(c.ch), G(c.overrides)));
  }
  engine::SetKangxiOverrides("");
}

TEST(KangxiOverrides, AStopRequestKeepsTheOldOverrides) {
  engine::SetKangxiOverrides(G("金-9/"));
  std::stop_source stop;
  stop.request_stop();
  EXPECT_FALSE(engine::SetKangxiOverrides(G("鑫-25/金-3/"), stop.get_token()));
  EXPECT_EQ(engine::GetKangxiStrokes(G("金")), 9);
  EXPECT_EQ(engine::GetKangxiStrokes(G("鑫")), 24);
  engine::SetKangxiOverrides("");
}

TEST(KangxiOverrides, ReadersOnOtherThreadsSeeOneTextOrTheOther) {
  std::atomic<bool> stop{false};
  std::atomic<int> wrong{0};
  std::atomic<long> reads{0};
  std::vector<std::thread> readers;
  const std::string metal = G("金"), triple = G("鑫"), other = G("森");
  for (int r = 0; r < 4; ++r)
    readers.emplace_back([&] {
      while (!stop.load()) {
        int a = engine::GetKangxiStrokes(metal), b = engine::GetKangxiStrokes(triple);
        int c = engine::GetKangxiStrokes(other);
        if ((a != 8 && a != 9) || (b != 24 && b != 25) || c != 12) ++wrong;
        ++reads;
      }
    });
  for (int i = 0; i < 300; ++i) {
    engine::SetKangxiOverrides(i % 2 ? G("金-9/鑫-25/") : G("鑫-24/金-8/") + std::to_string(i));
    std::this_thread::yield();
  }
  while (reads.load() < 1000) std::this_thread::yield();
  stop = true;
  for (auto& t : readers) t.join();
  EXPECT_EQ(wrong.load(), 0);
  engine::SetKangxiOverrides("");
  EXPECT_EQ(engine::GetKangxiStrokes(metal), 8);
}

}  // namespace
