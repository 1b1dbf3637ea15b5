#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "engine/char_tables.h"
#include "engine/name_parts.h"
#include "engine/random.h"
#include "engine/smart_mode1.h"
#include "engine/smart_mode2.h"
#include "engine/smart_mode_run.h"
#include "engine/word_builders.h"
#include "engine_test_sink.h"
#include "frame/globals.h"
#include "platform/embedded.h"
#include "platform/gbk.h"
#include "support/core/test_home.h"

using engine::RunInputs;
using engine_testing::Lines;
using engine_testing::RecordingSink;
using gbk::G;

namespace {

// The first hundred GB2312 hanzi (啊 阿 埃 ...): distinct, each in the tables.
std::string HundredCharacters() {
  std::string out;
  for (int i = 0; i < 100; ++i) {
    out += static_cast<char>(0xB0 + i / 94);
    out += static_cast<char>(0xA1 + i % 94);
  }
  return out;
}

RunInputs SmartInputs(engine::GenerationMode mode, int length, std::string pool) {
  RunInputs in;
  in.mode = mode;
  in.prefix = G("苏州");
  in.suffix = G("软件有限公司");
  in.nameLength = length;
  in.twoCharPool = pool;
  in.longNamePool = pool;
  in.smartWordSource = std::string(platform::EmbeddedFile("generation/smart_words.txt"));
  in.namesPerRun = 2000;
  return in;
}

std::string ElementsOf(const std::string& name) {
  std::string out;
  for (const auto& c : gbk::SplitPairs(name)) out += engine::GetFiveElement(c);
  return out;
}

class SmartModeTest : public ::testing::Test {
 protected:
  void SetUp() override { home_.PrepareGlobals(); }
  testing_support::TestHome home_;
};

// ---------------------------------------------------------------------------
// Random source

TEST(RandomSource, StaysInRangeAndReachesBothEnds) {
  engine::RandomSource r(42);
  std::set<int> seen;
  for (int i = 0; i < 2000; ++i) {
    int v = r.Between(3, 9);
    ASSERT_GE(v, 3);
    ASSERT_LE(v, 9);
    seen.insert(v);
  }
  EXPECT_EQ(seen.size(), 7u);
  for (int i = 0; i < 1000; ++i) {
    int v = r.Next();
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 32767);
  }
  EXPECT_EQ(r.Between(5, 5), 5);
  EXPECT_EQ(r.Between(5, 4), 5);  // an empty range gives its start
}

TEST(RandomSource, SourcesMadeInTheSameTickDiffer) {
  // The clock alone repeats within a tick; the running counter must not.
  std::vector<std::vector<int>> draws;
  for (int s = 0; s < 8; ++s) {
    engine::RandomSource r;
    std::vector<int> d;
    for (int i = 0; i < 8; ++i) d.push_back(r.Next());
    draws.push_back(d);
  }
  std::set<std::vector<int>> distinct(draws.begin(), draws.end());
  EXPECT_EQ(distinct.size(), draws.size());
}

TEST(RandomSource, SuccessiveDrawsAreNotPatterned) {
  // Neighbouring picks from one source must not march in step.
  engine::RandomSource r(7);
  int equalNeighbours = 0, prev = r.Between(1, 10);
  for (int i = 0; i < 5000; ++i) {
    int v = r.Between(1, 10);
    equalNeighbours += v == prev;
    prev = v;
  }
  EXPECT_GT(equalNeighbours, 350);  // about 500 expected
  EXPECT_LT(equalNeighbours, 650);
}

// ---------------------------------------------------------------------------
// Pool picks and fixed characters

TEST(PickRandomCharacters, GivesDistinctPositionsOrFewerFromASmallPool) {
  engine::RandomSource r(1);
  auto units = gbk::SplitPairs(G("美达易"));
  for (int i = 0; i < 50; ++i) {
    std::string two = engine::PickRandomCharacters(units, 2, r);
    ASSERT_EQ(two.size(), 4u);
    EXPECT_NE(two.substr(0, 2), two.substr(2, 2));
  }
  std::string all = engine::PickRandomCharacters(units, 5, r);
  EXPECT_EQ(all.size(), 6u);
  std::set<std::string> chars;
  for (auto& c : gbk::SplitPairs(all)) chars.insert(c);
  EXPECT_EQ(chars.size(), 3u);
  EXPECT_EQ(engine::PickRandomCharacters({}, 3, r), "");
  EXPECT_EQ(engine::PickRandomCharacters(units, 0, r), "");
}

TEST(PickRandomCharacters, EveryEntryCanBeDrawnAtEveryPosition) {
  engine::RandomSource r(3);
  auto units = gbk::SplitPairs(G("甲乙丙丁"));
  std::set<std::string> first, second;
  for (int i = 0; i < 400; ++i) {
    std::string s = engine::PickRandomCharacters(units, 2, r);
    first.insert(s.substr(0, 2));
    second.insert(s.substr(2, 2));
  }
  EXPECT_EQ(first.size(), 4u);
  EXPECT_EQ(second.size(), 4u);
}

struct FixedCase {
  const char* name;
  std::array<const char*, 4> fixed;
  int length;
  const char* result;
};

class FixedCharacters : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedCharacters, AreWrittenOverTheirPositions) {
  const auto& c = GetParam();
  std::string name = G(c.name);
  std::array<std::string, 4> fixed;
  for (int i = 0; i < 4; ++i) fixed[i] = G(c.fixed[i]);
  engine::ApplyFixedCharacters(name, fixed, c.length);
  EXPECT_EQ(gbk::ToUtf8(name), c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FixedCharacters,
    ::testing::Values(FixedCase{"美达易", {"华", "", "", ""}, 3, "华达易"},
                      FixedCase{"美达", {"", "华", "", ""}, 2, "美华"},
                      FixedCase{"美达", {"", "", "华", ""}, 2, "美达"},  // F3 ignored for two characters
                      FixedCase{
                          "美达易", {"华夏", "", "", ""}, 3, "华夏达易"},  // two characters lengthen the name
                      FixedCase{"美达易星", {"", "", "", "华"}, 4, "美达易华"},
                      FixedCase{"美", {"", "", "华", ""}, 3, "美华"},  // beyond a short name: appended
                      FixedCase{"", {"华", "", "", ""}, 2, "华"}));

// ---------------------------------------------------------------------------
// Smart mode 1 runs

TEST_F(SmartModeTest, Mode1ListsUniqueNamesNumberedWithoutGaps) {
  RecordingSink sink;
  engine::GenerateSmartMode1Names(SmartInputs(engine::GenerationMode::SmartMode1, 2, HundredCharacters()),
                                  sink);

  ASSERT_TRUE(sink.finish.has_value());
  EXPECT_EQ(sink.started, 1);
  EXPECT_FALSE(sink.eventBeforeStart);
  EXPECT_FALSE(sink.rowsAfterFinish);
  EXPECT_FALSE(sink.finish->stopped);
  EXPECT_EQ(sink.finish->caption, G("立即起名"));
  EXPECT_EQ(sink.finish->statusTip, G("提示:在表格上点击鼠标右键有操作菜单；直接双击表格一行可以查看评分。"));
  ASSERT_GT(sink.rows.size(), 1500u);  // 2000 draws over 9900 pairs: some repeat
  ASSERT_LE(sink.rows.size(), 2000u);
  EXPECT_EQ(sink.finish->rowCount, static_cast<int>(sink.rows.size()));

  std::set<std::string> names;
  std::vector<std::string> full;
  const std::string pool = HundredCharacters();
  for (std::size_t i = 0; i < sink.rows.size(); ++i) {
    const auto& r = sink.rows[i];
    EXPECT_EQ(r.serial, static_cast<int>(i + 1));
    ASSERT_EQ(r.name.size(), 4u);
    EXPECT_NE(r.name.substr(0, 2), r.name.substr(2, 2));
    EXPECT_NE(gbk::Find(pool, r.name.substr(0, 2)), -1);
    EXPECT_EQ(r.fullName, G("苏州") + r.name + G("软件有限公司"));
    EXPECT_TRUE(names.insert(r.name).second) << "repeated " << gbk::ToUtf8(r.name);
    full.push_back(r.fullName);
  }
  EXPECT_EQ(frame::globals().generatedNames.Get(), Lines(sink.Names()));
  EXPECT_EQ(frame::globals().generatedFullNames.Get(), Lines(full));
}

TEST_F(SmartModeTest, RowColumnsCoverTheFullNameButElementsOnlyTheName) {
  RunInputs in = SmartInputs(engine::GenerationMode::SmartMode1, 2, HundredCharacters());
  in.namesPerRun = 50;
  RecordingSink sink;
  engine::GenerateSmartMode1Names(in, sink);
  auto prefix = engine::ComputeNamePartAttributes(in.prefix);
  auto suffix = engine::ComputeNamePartAttributes(in.suffix);
  ASSERT_FALSE(sink.rows.empty());
  for (const auto& r : sink.rows) {
    auto name = engine::ComputeNamePartAttributes(r.name);
    EXPECT_EQ(r.simplifiedStrokes,
              prefix.simplifiedStrokes + name.simplifiedStrokes + suffix.simplifiedStrokes);
    EXPECT_EQ(r.kangxiStrokes, prefix.kangxiStrokes + name.kangxiStrokes + suffix.kangxiStrokes);
    EXPECT_EQ(r.traditionalForm, prefix.traditionalForm + name.traditionalForm + suffix.traditionalForm);
    EXPECT_EQ(r.fiveElements, ElementsOf(r.name));
    EXPECT_EQ(r.fiveElements.size(), 4u);  // one element per name character, none for prefix or suffix
    EXPECT_EQ(r.score, engine::LuckGradeOfNumber(r.kangxiStrokes));
  }
}

TEST_F(SmartModeTest, KnownCharactersGiveKnownColumns) {
  // 金 has 8 Kangxi strokes and the element 金; a pool of one character
  // and a name of one character make the row predictable.
  RunInputs in = SmartInputs(engine::GenerationMode::SmartMode1, 1, G("金"));
  in.prefix = G("金");
  in.suffix = G("金");
  in.namesPerRun = 3;
  RecordingSink sink;
  engine::GenerateSmartMode1Names(in, sink);
  ASSERT_EQ(sink.rows.size(), 1u);  // the later draws repeat the first
  const auto& r = sink.rows[0];
  EXPECT_EQ(r.fullName, G("金金金"));
  EXPECT_EQ(r.kangxiStrokes, 24);
  EXPECT_EQ(r.fiveElements, G("金"));
  EXPECT_EQ(r.score, 100);  // 24 is 吉
  EXPECT_EQ(r.name, G("金"));
}

TEST_F(SmartModeTest, FixedFirstCharacterStartsEveryThreeCharacterName) {
  RunInputs in = SmartInputs(engine::GenerationMode::SmartMode1, 3, HundredCharacters());
  in.fixed = {G("华"), "", "", ""};
  in.namesPerRun = 300;
  RecordingSink sink;
  engine::GenerateSmartMode1Names(in, sink);
  ASSERT_FALSE(sink.rows.empty());
  for (const auto& r : sink.rows) {
    ASSERT_EQ(r.name.size(), 6u);
    EXPECT_EQ(r.name.substr(0, 2), G("华"));
  }
}

TEST_F(SmartModeTest, SecondFixedCharacterEndsTwoCharacterNamesAndThirdIsIgnored) {
  RunInputs in = SmartInputs(engine::GenerationMode::SmartMode1, 2, HundredCharacters());
  in.fixed = {"", G("华"), G("鼐"), ""};
  in.namesPerRun = 300;
  RecordingSink sink;
  engine::GenerateSmartMode1Names(in, sink);
  ASSERT_FALSE(sink.rows.empty());
  for (const auto& r : sink.rows) {
    ASSERT_EQ(r.name.size(), 4u);
    EXPECT_EQ(r.name.substr(2, 2), G("华"));
  }
}

TEST_F(SmartModeTest, PoolOfOddLengthOrFewerCharactersThanTheName) {
  RunInputs in = SmartInputs(engine::GenerationMode::SmartMode1, 3, G("美达") + "x");
  in.namesPerRun = 40;
  RecordingSink sink;
  engine::GenerateSmartMode1Names(in, sink);
  // Two characters for a three-character name: every name has both, in
  // either order, and the stray last byte never appears.
  ASSERT_EQ(sink.rows.size(), 2u);
  for (const auto& r : sink.rows) {
    EXPECT_EQ(r.name.size(), 4u);
    EXPECT_EQ(r.name.find('x'), std::string::npos);
  }
}

TEST_F(SmartModeTest, EmptyPoolNeverDraws) {
  RunInputs in = SmartInputs(engine::GenerationMode::SmartMode1, 3, "");
  in.namesPerRun = 20;
  RecordingSink sink;
  engine::GenerateSmartMode1Names(in, sink);
  ASSERT_TRUE(sink.finish.has_value());
  ASSERT_LE(sink.rows.size(), 1u);
  for (const auto& r : sink.rows) EXPECT_EQ(r.name, "");
}

TEST_F(SmartModeTest, CaptionEveryTenIterationsAndBarToTheEnd) {
  RecordingSink sink;
  engine::GenerateSmartMode1Names(SmartInputs(engine::GenerationMode::SmartMode1, 2, HundredCharacters()),
                                  sink);
  auto captions = sink.Captions();
  ASSERT_EQ(captions.size(), 100u);  // %1 .. %100, each shown once it changes
  EXPECT_EQ(captions.front(), "%1");
  EXPECT_EQ(captions[1], "%2");
  EXPECT_EQ(captions.back(), "%100");
  auto bars = sink.Bars();
  ASSERT_FALSE(bars.empty());
  EXPECT_EQ(bars.back(), 100);
  for (std::size_t i = 1; i < bars.size(); ++i) EXPECT_LT(bars[i - 1], bars[i]);

  EXPECT_EQ(engine::PercentCaption(10, 2000), "%1");  // 0.5 rounds up
  EXPECT_EQ(engine::PercentCaption(20, 2000), "%1");
  EXPECT_EQ(engine::PercentCaption(30, 2000), "%2");
  EXPECT_EQ(engine::PercentCaption(2000, 2000), "%100");
  EXPECT_EQ(engine::PercentCaption(370, 400), "%93");
  EXPECT_EQ(engine::ProgressBarPosition(370, 400), 92);
  EXPECT_EQ(engine::ProgressBarPosition(1, 3), 33);
  EXPECT_EQ(engine::ProgressBarPosition(5, 0), 0);
}

TEST_F(SmartModeTest, FiveIterationsNeverChangeTheCaption) {
  RunInputs in = SmartInputs(engine::GenerationMode::SmartMode1, 2, HundredCharacters());
  in.namesPerRun = 5;
  RecordingSink sink;
  engine::GenerateSmartMode1Names(in, sink);
  EXPECT_TRUE(sink.Captions().empty());
  EXPECT_EQ(sink.Bars().back(), 100);
}

TEST_F(SmartModeTest, NoIterationsStillEndsTheRun) {
  frame::globals().generatedNames.Set("old\r\n");
  RunInputs in = SmartInputs(engine::GenerationMode::SmartMode1, 2, HundredCharacters());
  in.namesPerRun = 0;
  RecordingSink sink;
  engine::GenerateSmartMode1Names(in, sink);
  EXPECT_EQ(sink.started, 1);
  EXPECT_TRUE(sink.rows.empty());
  ASSERT_TRUE(sink.finish.has_value());
  EXPECT_EQ(frame::globals().generatedNames.Get(), "");
}

TEST_F(SmartModeTest, StopRequestEndsTheRunAndReportsIt) {
  std::stop_source stop;
  stop.request_stop();
  RecordingSink sink;
  engine::GenerateSmartMode1Names(SmartInputs(engine::GenerationMode::SmartMode1, 2, HundredCharacters()),
                                  sink, stop.get_token());
  ASSERT_TRUE(sink.finish.has_value());
  EXPECT_TRUE(sink.finish->stopped);
  EXPECT_TRUE(sink.rows.empty());
}

TEST_F(SmartModeTest, TwoRunsDrawDifferentNames) {
  RunInputs in = SmartInputs(engine::GenerationMode::SmartMode1, 2, HundredCharacters());
  in.namesPerRun = 20;
  RecordingSink a, b;
  engine::GenerateSmartMode1Names(in, a);
  engine::GenerateSmartMode1Names(in, b);
  EXPECT_NE(a.Names(), b.Names());
}

TEST_F(SmartModeTest, WorkerRunPublishesAndFinishes) {
  auto sink = std::make_shared<RecordingSink>();
  RunInputs in = SmartInputs(engine::GenerationMode::SmartMode1, 2, HundredCharacters());
  ASSERT_TRUE(engine::StartGenerationRun(in, sink));
  auto handle = frame::globals().generationThread;
  EXPECT_FALSE(engine::StartGenerationRun(in, sink)) << "a second run while the first goes on";
  for (int i = 0; i < 6000 && platform::IsRunning(handle); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_FALSE(platform::IsRunning(handle));
  platform::StopWorkerThread(handle);
  ASSERT_TRUE(sink->finish.has_value());
  EXPECT_EQ(frame::globals().generatedNames.Get(), Lines(sink->Names()));
}

// ---------------------------------------------------------------------------
// Smart mode 2

TEST(SmartMode2Iterations, AreNamesPerRunLessTheOffset) {
  EXPECT_EQ(engine::SmartMode2Iterations(2000, 2), 450);
  EXPECT_EQ(engine::SmartMode2Iterations(2000, 3), 300);
  EXPECT_EQ(engine::SmartMode2Iterations(2000, 4), 300);
  EXPECT_EQ(engine::SmartMode2Iterations(1700, 3), 0);
  EXPECT_EQ(engine::SmartMode2Iterations(1500, 2), 0);
  EXPECT_EQ(engine::SmartMode2Iterations(0, 2), 0);
}

TEST_F(SmartModeTest, Mode2ThreeCharacterNamesAreAFixedListCharacterAndAWord) {
  RunInputs in = SmartInputs(engine::GenerationMode::SmartMode2, 3, HundredCharacters());
  in.fixed = {G("华"), "", "", ""};  // ignored by this mode
  RecordingSink sink;
  engine::GenerateSmartMode2Names(in, sink);
  ASSERT_GT(sink.rows.size(), 250u);
  ASSERT_LE(sink.rows.size(), 300u);
  auto words = engine::SplitWords(in.smartWordSource);
  std::set<std::string> wordSet(words.begin(), words.end());
  for (const auto& r : sink.rows) {
    ASSERT_EQ(r.name.size(), 6u);
    EXPECT_NE(gbk::Find(engine::FixedListCharacters(), r.name.substr(0, 2)), -1);
    EXPECT_TRUE(wordSet.count(r.name.substr(2)));
  }
  auto captions = sink.Captions();
  ASSERT_EQ(captions.size(), 30u);
  EXPECT_EQ(captions.back(), "%100");
}

TEST_F(SmartModeTest, Mode2WithNamesPerRun1700AndThreeCharactersListsNothing) {
  RunInputs in = SmartInputs(engine::GenerationMode::SmartMode2, 3, HundredCharacters());
  in.namesPerRun = 1700;
  RecordingSink sink;
  engine::GenerateSmartMode2Names(in, sink);
  EXPECT_TRUE(sink.rows.empty());
  ASSERT_TRUE(sink.finish.has_value());
  EXPECT_EQ(sink.started, 1);
}

TEST_F(SmartModeTest, Mode2SmallWordSourceLimitsTheFirstThirtyNames) {
  RunInputs in = SmartInputs(engine::GenerationMode::SmartMode2, 2, G("甲乙丙"));
  in.smartWordSource = G("华泰鼎盛宏图鸿运昌隆兴旺繁荣富贵吉祥如意");  // 10 words
  RecordingSink sink;
  engine::GenerateSmartMode2Names(in, sink);
  auto words = engine::SplitWords(in.smartWordSource);
  std::set<std::string> wordSet(words.begin(), words.end());
  ASSERT_EQ(wordSet.size(), 10u);
  std::size_t fromSource = 0;
  while (fromSource < sink.rows.size() && wordSet.count(sink.rows[fromSource].name)) ++fromSource;
  EXPECT_GE(fromSource, 1u);
  EXPECT_LE(fromSource, 10u);
  // After them only words of the random pool, made of LongNamePool characters.
  ASSERT_GT(sink.rows.size(), fromSource);
  for (std::size_t i = fromSource; i < sink.rows.size(); ++i) {
    const auto& n = sink.rows[i].name;
    ASSERT_EQ(n.size(), 4u);
    EXPECT_NE(gbk::Find(in.longNamePool, n.substr(0, 2)), -1);
    EXPECT_NE(gbk::Find(in.longNamePool, n.substr(2, 2)), -1);
  }
  // At most the 9 pairs of three characters.
  EXPECT_LE(sink.rows.size() - fromSource, 9u);
}

TEST_F(SmartModeTest, Mode2OneWordWithFourCharactersGivesOneRow) {
  RunInputs in = SmartInputs(engine::GenerationMode::SmartMode2, 4, HundredCharacters());
  in.smartWordSource = G("华泰");
  RecordingSink sink;
  engine::GenerateSmartMode2Names(in, sink);
  ASSERT_EQ(sink.rows.size(), 1u);
  EXPECT_EQ(sink.rows[0].name, G("华泰"));
}

TEST_F(SmartModeTest, Mode2EmptyWordListListsOneEmptyName) {
  RunInputs in = SmartInputs(engine::GenerationMode::SmartMode2, 3, HundredCharacters());
  in.smartWordSource = "";
  RecordingSink sink;
  engine::GenerateSmartMode2Names(in, sink);
  ASSERT_EQ(sink.rows.size(), 1u);
  EXPECT_EQ(sink.rows[0].name, "");
  EXPECT_EQ(sink.rows[0].fullName, in.prefix + in.suffix);
}

TEST_F(SmartModeTest, Mode2TwoCharacterBarBuildsThePoolThenRunsAgain) {
  RecordingSink sink;
  engine::GenerateSmartMode2Names(SmartInputs(engine::GenerationMode::SmartMode2, 2, HundredCharacters()),
                                  sink);
  auto bars = sink.Bars();
  ASSERT_GE(bars.size(), 3u);
  EXPECT_EQ(bars.front(), 0);
  auto top = std::find(bars.begin(), bars.end(), 100);
  ASSERT_NE(top, bars.end());
  auto again = std::find(top, bars.end(), 0);
  ASSERT_NE(again, bars.end());  // set back to 0 before the first iteration
  EXPECT_EQ(bars.back(), 100);
  EXPECT_EQ(sink.Captions().size(), 45u);  // 450 iterations
}

// ---------------------------------------------------------------------------
// Word builders

TEST(WordBuilders, WordTextIsCutIntoFourByteWords) {
  auto words = engine::SplitWords(G("华泰鼎盛宏"));
  ASSERT_EQ(words.size(), 2u);
  EXPECT_EQ(words[0], G("华泰"));
  EXPECT_EQ(words[1], G("鼎盛"));
}

TEST(WordBuilders, FixedListHasItsNinetyTwoCharacters) {
  EXPECT_EQ(engine::FixedListCharacters().size(), 184u);
  EXPECT_EQ(engine::FixedListCharacters().substr(0, 4), G("梦邦"));
  engine::RandomSource r(5);
  engine::WordBuilders b(G("美"), r);
  for (int i = 0; i < 100; ++i) {
    std::string c = b.PickFixedListCharacter();
    ASSERT_EQ(c.size(), 2u);
    EXPECT_NE(gbk::Find(engine::FixedListCharacters(), c), -1);
  }
}

TEST(WordBuilders, KindsOfCandidate) {
  engine::RandomSource r(9);
  {
    engine::WordBuilders b(G("美"), r);
    EXPECT_EQ(b.BuildWordListNames(G("华泰"), 4), G("华泰"));  // one word: that word alone
  }
  {
    engine::WordBuilders b(G("美"), r);
    std::set<std::string> seen;
    for (int i = 0; i < 40; ++i) {
      std::string two = b.BuildWordListNames(G("华泰鼎盛"), 4);
      ASSERT_EQ(two.size(), 8u);
      EXPECT_NE(two.substr(0, 4), two.substr(4, 4));
      seen.insert(two);
    }
    EXPECT_EQ(seen, (std::set<std::string>{G("华泰鼎盛"), G("鼎盛华泰")}));
  }
  {
    engine::WordBuilders b(G("美"), r);
    std::string three = b.BuildWordListNames(G("华泰鼎盛"), 3);
    ASSERT_EQ(three.size(), 6u);
    EXPECT_NE(gbk::Find(engine::FixedListCharacters(), three.substr(0, 2)), -1);
    EXPECT_TRUE(three.substr(2) == G("华泰") || three.substr(2) == G("鼎盛"));
    EXPECT_EQ(b.BuildWordListNames(G("华泰"), 1), "");
    EXPECT_EQ(b.BuildWordListNames(G("华泰"), 5), "");
    EXPECT_EQ(b.PickRandomWords(G("华泰"), 3), "");
  }
  {
    engine::WordBuilders b(G("美"), r);
    EXPECT_EQ(b.BuildWordListNames("", 3), "");  // no word: no fixed-list character either
    EXPECT_EQ(b.PickRandomWords(G("华"), 2), "");
  }
}

TEST(WordBuilders, LaterCallsKeepTheWordsOfTheFirst) {
  engine::RandomSource r(11);
  engine::WordBuilders b(G("美"), r);
  EXPECT_EQ(b.PickRandomWords(G("华泰"), 2), G("华泰"));
  EXPECT_EQ(b.PickRandomWords(G("鼎盛"), 2), G("华泰"));
  EXPECT_EQ(b.BuildWordListNames(G("宏图"), 2), G("宏图"));
  EXPECT_EQ(b.BuildWordListNames(G("鸿运"), 2), G("宏图"));
  EXPECT_EQ(b.randomWordUnits().size(), 1u);
}

TEST(WordBuilders, RandomWordPool) {
  engine::RandomSource r(13);
  engine::WordBuilders one(G("美"), r);
  std::vector<int> bars;
  std::string pool = one.BuildRandomWordPool([&](int b) { bars.push_back(b); });
  EXPECT_EQ(pool.size(), 2000u);
  EXPECT_EQ(pool, [] {
    std::string s;
    for (int i = 0; i < 1000; ++i) s += G("美");
    return s;
  }());
  ASSERT_FALSE(bars.empty());
  EXPECT_EQ(bars.front(), 0);
  EXPECT_EQ(bars.back(), 100);

  engine::WordBuilders none("", r);
  EXPECT_EQ(none.BuildRandomWordPool(), "");
  EXPECT_EQ(none.PickRandomPoolCharacter(), "");
}

}  // namespace
