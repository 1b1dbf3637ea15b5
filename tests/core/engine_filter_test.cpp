#include <gtest/gtest.h>

#include <thread>

#include "engine/char_tables.h"
#include "engine/filter.h"
#include "engine_test_sink.h"
#include "frame/globals.h"
#include "platform/gbk.h"
#include "platform/threads.h"
#include "support/core/test_home.h"

using engine::FilterConditions;
using engine::FilterPage;
using engine_testing::Lines;
using engine_testing::RecordingSink;
using gbk::G;

namespace {

// Elements: 金 金, 木 木, 水 水, 火 火, 土 土, 囱 未, 杨 木. Kangxi strokes: 金 8,
// 木 水 火 4, 土 3, 囱 0, 杨 13 (simplified 7). Pinyin: jin mu shui huo tu cong yang.
std::string Names() { return Lines({G("金木"), G("水火"), G("土金"), G("囱木"), G("杨土"), G("木金水")}); }

struct FilterCase {
  const char* what;
  std::function<void(FilterConditions&)> set;
  std::vector<const char*> kept;   // UTF-8
  std::vector<const char*> names;  // UTF-8; empty: Names()
};

TEST(FilterNames, KeepsTheNamesThatMeetTheConditionsOfThePageShowing) {
  const std::vector<FilterCase> cases = {
      {"no condition", [](FilterConditions&) {}, {"金木", "水火", "土金", "囱木", "杨土", "木金水"}},
      {"first character 金 or 水",
       [](FilterConditions& c) { c.allowedElements[0] = G("金水"); },
       {"金木", "水火"}},
      {"an unlisted character fails a restricted position",
       [](FilterConditions& c) { c.allowedElements[0] = G("木火"); },
       {"杨土", "木金水"}},
      {"and passes an unrestricted one",
       [](FilterConditions& c) { c.allowedElements[1] = G("木"); },
       {"金木", "囱木"}},
      {"all must hold 金 and 木",
       [](FilterConditions& c) {
         c.requireOn = true;
         c.required = {G("金"), G("木")};
       },
       {"金木", "木金水"}},
      {"required list without its box",
       [](FilterConditions& c) {
         c.required = {G("金"), G("木")};
       },
       {"金木", "水火", "土金", "囱木", "杨土", "木金水"}},
      {"none may hold 火",
       [](FilterConditions& c) {
         c.excludeOn = true;
         c.excluded = {G("火")};
       },
       {"金木", "土金", "囱木", "杨土", "木金水"}},
      {"Kangxi 10..20 first",
       [](FilterConditions& c) {
         c.page = FilterPage::Strokes;
         c.kangxi = true;
         c.ranges[0] = {true, 10, 20};
       },
       {"杨土"}},
      {"simplified 10..20 first",
       [](FilterConditions& c) {
         c.page = FilterPage::Strokes;
         c.ranges[0] = {true, 10, 20};
       },
       {}},
      {"second character exactly 4",
       [](FilterConditions& c) {
         c.page = FilterPage::Strokes;
         c.ranges[1] = {true, 4, 4};
       },
       {"金木", "水火", "囱木"}},
      {"from above to",
       [](FilterConditions& c) {
         c.page = FilterPage::Strokes;
         c.ranges[0] = {true, 9, 5};
       },
       {}},
      {"Kangxi total 11..12",
       [](FilterConditions& c) {
         c.page = FilterPage::Strokes;
         c.kangxi = true;
         c.total = {true, 11, 12};
       },
       {"金木", "土金"}},
      {"first pinyin in capitals",
       [](FilterConditions& c) {
         c.page = FilterPage::Pinyin;
         c.pinyin[0] = {true, "JIN"};
       },
       {"金木"}},
      {"a blank never matches",
       [](FilterConditions& c) {
         c.page = FilterPage::Pinyin;
         c.pinyin[0] = {true, " jin"};
       },
       {}},
      {"a tone mark never matches",
       [](FilterConditions& c) {
         c.page = FilterPage::Pinyin;
         c.pinyin[0] = {true, G("jīn")};
       },
       {}},
      {"some character reads shui",
       [](FilterConditions& c) {
         c.page = FilterPage::Pinyin;
         c.anyPinyin = {true, "Shui"};
       },
       {"水火", "木金水"}},
      {"part of a reading is no reading",
       [](FilterConditions& c) {
         c.page = FilterPage::Pinyin;
         c.anyPinyin = {true, "shu"};
       },
       {}},
      {"text 木",
       [](FilterConditions& c) {
         c.page = FilterPage::Text;
         c.requiredText = G("木");
       },
       {"金木", "囱木", "木金水"}},
      {"text folds ASCII case",
       [](FilterConditions& c) {
         c.page = FilterPage::Text;
         c.requiredText = "aB";
       },
       {"金Ab", "AB木"},
       {"金Ab", "AB木", "金a", "木"}},
      {"excluded list without its box",
       [](FilterConditions& c) { c.excluded = {G("火"), G("金")}; },
       {"金木", "水火", "土金", "囱木", "杨土", "木金水"}},
      // The fifth character is never restricted: the conditions of the fourth
      // position or of the whole name would reject its 金 (8 strokes, jin).
      {"a fifth element is free",
       [](FilterConditions& c) { c.allowedElements[3] = G("木"); },
       {"木木木木金"},
       {"木木木木金"}},
      {"a fifth stroke count is free",
       [](FilterConditions& c) {
         c.page = FilterPage::Strokes;
         c.ranges[3] = {true, 4, 4};
         c.total = {true, 20, 30};
       },
       {"木木木木金"},
       {"木木木木金"}},
      {"a fifth reading is free",
       [](FilterConditions& c) {
         c.page = FilterPage::Pinyin;
         c.pinyin[3] = {true, "mu"};
         c.anyPinyin = {true, "mu"};
       },
       {"木木木木金"},
       {"木木木木金"}},
      // Ａ is no GB2312 hanzi: simplified -1, so 金Ａ totals 7.
      {"a character without strokes lowers the total",
       [](FilterConditions& c) {
         c.page = FilterPage::Strokes;
         c.total = {true, 7, 7};
       },
       {"金Ａ"},
       {"金Ａ", "金"}},
      // 仓 has 4 strokes; its traditional form 倉 is no GB2312 hanzi.
      {"simplified counts are those of the character itself",
       [](FilterConditions& c) {
         c.page = FilterPage::Strokes;
         c.ranges[0] = {true, 4, 4};
       },
       {"仓木"},
       {"仓木"}},
      {"empty text, other pages' conditions ignored",
       [](FilterConditions& c) {
         c.page = FilterPage::Text;
         c.allowedElements[0] = G("金");
         c.ranges[0] = {true, 9, 5};
         c.anyPinyin = {true, "x"};
       },
       {"金木", "水火", "土金", "囱木", "杨土", "木金水"}},
  };
  for (const FilterCase& t : cases) {
    FilterConditions c;
    t.set(c);
    std::vector<std::string> kept, names;
    for (const char* k : t.kept) kept.push_back(G(k));
    for (const char* n : t.names) names.push_back(G(n));
    EXPECT_EQ(gbk::ToUtf8(engine::FilterNames(names.empty() ? Names() : Lines(names), c)),
              gbk::ToUtf8(Lines(kept)))
        << t.what;
  }
  // The 仓 row tells the forms apart only while they differ.
  EXPECT_EQ(gbk::ToUtf8(engine::ToTraditionalForm(G("仓"))), "倉");
}

TEST(FilterNames, ReportsProgressOnlyWhenItChanges) {
  std::vector<int> seen;
  EXPECT_EQ(engine::FilterNames("", {}, [&](int v) { seen.push_back(v); }), "");
  EXPECT_TRUE(seen.empty());
  std::string names;
  for (int i = 0; i < 300; ++i) names += G("金木") + "\r\n";
  engine::FilterNames(names, {}, [&](int v) { seen.push_back(v); });
  ASSERT_EQ(seen.size(), 101u);
  EXPECT_EQ(seen.front(), 0);
  EXPECT_EQ(seen.back(), 100);
}

class RelistingTest : public ::testing::Test {
 protected:
  void SetUp() override { home_.PrepareGlobals(); }
  void TearDown() override {
    platform::StopWorkerThread(frame::globals().generationThread);
    frame::globals().generationThread.reset();
  }
  testing_support::TestHome home_;
};

TEST_F(RelistingTest, ListsEveryKeptNameAndReplacesTheResultLists) {
  std::vector<std::string> names;
  for (int i = 0; i < 12; ++i) names.push_back(i % 3 == 0 ? G("金木") : i % 3 == 1 ? G("水火") : G("杨土"));
  RecordingSink sink;
  frame::globals().generatedNames.Set("stale\r\n");
  engine::RelistNames(Lines(names), G("苏州"), G("软件有限公司"), sink);
  ASSERT_EQ(sink.rows.size(), 12u);  // repeats stay
  std::vector<std::string> full;
  for (std::size_t i = 0; i < 12; ++i) {
    EXPECT_EQ(sink.rows[i].serial, static_cast<int>(i) + 1);
    EXPECT_EQ(sink.rows[i].name, names[i]);
    full.push_back(G("苏州") + names[i] + G("软件有限公司"));
  }
  EXPECT_EQ(frame::globals().generatedNames.Get(), Lines(names));
  EXPECT_EQ(frame::globals().generatedFullNames.Get(), Lines(full));
  EXPECT_EQ(sink.Captions(), std::vector<std::string>{"%83"});
  EXPECT_EQ(sink.Bars().back(), 100);
  ASSERT_TRUE(sink.finish);
  EXPECT_EQ(sink.finish->caption, G("立即起名"));
  EXPECT_EQ(sink.finish->statusTip, "");

  // A second filter works on what the first kept.
  FilterConditions text;
  text.page = FilterPage::Text;
  text.requiredText = G("杨");
  RecordingSink second;
  engine::RelistNames(engine::FilterNames(frame::globals().generatedNames.Get(), text), "", "", second);
  FilterConditions fire;
  fire.allowedElements[1] = G("火");
  EXPECT_EQ(engine::FilterNames(frame::globals().generatedNames.Get(), fire), "");
  EXPECT_EQ(second.rows.size(), 4u);
}

TEST_F(RelistingTest, IsRefusedWhileTheGenerationThreadIsBusy) {
  std::atomic<bool> release = false;
  ASSERT_TRUE(engine::StartOnGenerationThread([&](std::stop_token) {
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }));
  auto sink = std::make_shared<RecordingSink>();
  EXPECT_FALSE(engine::StartFilteredRelisting(Lines({G("金木")}), "", "", sink));
  release = true;
  ASSERT_TRUE(platform::StopWorkerThread(frame::globals().generationThread));
  ASSERT_TRUE(engine::StartFilteredRelisting(Lines({G("金木")}), "", "", sink));
  ASSERT_TRUE(platform::StopWorkerThread(frame::globals().generationThread));
  EXPECT_EQ(sink->started, 1);
  ASSERT_TRUE(sink->finish);
}

}  // namespace
