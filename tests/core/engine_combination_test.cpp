#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <tuple>

#include "engine/combination.h"
#include "engine/generate.h"
#include "engine/luck.h"
#include "engine/name_parts.h"
#include "engine/smart_mode_run.h"
#include "engine_test_sink.h"
#include "frame/globals.h"
#include "platform/gbk.h"
#include "support/core/test_home.h"

using engine_testing::Lines;
using engine_testing::RecordingSink;
using gbk::G;

namespace {

std::vector<std::string> Units(const char* utf8) { return gbk::SplitPairs(G(utf8)); }

// ---------------------------------------------------------------------------
// Input split

struct SplitCase {
  std::string input;  // GBK
  std::string limit;
  std::vector<std::string> characters;
};

class CombinationSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CombinationSplit, TakesTheDistinctCharacters) {
  const auto& c = GetParam();
  auto r = engine::SplitCombinationInput(c.input, c.limit);
  EXPECT_EQ(r.characters, c.characters);
  std::string joined;
  for (const auto& u : c.characters) joined += u;
  EXPECT_EQ(r.characterText, joined);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CombinationSplit,
    ::testing::Values(
        SplitCase{G("美达易"), "2", Units("美达易")},
        SplitCase{G("美，美达"), "2", Units("美达")},  // comma cleaned, repeat skipped
        SplitCase{G("美, 达，美\r\nＡ１易ｂ2、达。易"), "2",
                  Units("美达易")},  // messy: commas, repeats, full width
        SplitCase{G("Ａ") + "b1" + G("\u3000美"), "2", Units("美")},
        SplitCase{"\xA1\xAE" + G("美"), "2", {"\xA1\xAE", G("美")}},  // ‘ stays and counts as a character
        SplitCase{"\x81\x40" + G("美") + "\xB0\x7E", "2",
                  Units("美")},           // second byte below 0x81: never taken
        SplitCase{G("美达易"), "0", {}},  // no unit: nothing, not empty matches
        SplitCase{G("美达易"), "", {}}, SplitCase{G("美达易"), "1", {}},  // half a character is no character
        SplitCase{G("美达易"), "3", Units("美达易")},                     // odd counts keep whole characters
        SplitCase{G("美达易华"), "4", {G("美达"), G("易华")}},
        SplitCase{G("美达易华美达"), "4", {G("美达"), G("易华")}}, SplitCase{G("，。、；：！"), "2", {}}));

TEST(CombinationSplit, BoxShowsTheCleanedText) {
  auto r = engine::SplitCombinationInput(G("美 ,达（易）ABC\r\n"), "2");
  EXPECT_EQ(r.cleanedText, G("美达易"));
  auto lone = engine::SplitCombinationInput(G("美\r达\n易"), "2");
  EXPECT_EQ(lone.cleanedText, G("美\r达\n易"));  // only the CR LF pair goes
  EXPECT_EQ(lone.characters, Units("美达易"));
}

struct WidthCase {
  std::string in, out;
};

class HalfWidth : public ::testing::TestWithParam<WidthCase> {};

TEST_P(HalfWidth, Converts) { EXPECT_EQ(engine::ConvertToHalfWidth(GetParam().in), GetParam().out); }

INSTANTIATE_TEST_SUITE_P(Rows, HalfWidth,
                         ::testing::Values(WidthCase{"\xA3\xC1", "A"}, WidthCase{"\xA3\xA1", "!"},
                                           WidthCase{"\xA3\xFE", "~"}, WidthCase{"\xA1\xA1", " "},
                                           WidthCase{"\xA1\xAB", "~"}, WidthCase{"\xA1\xEE", "*"},
                                           WidthCase{"\xA1\xEF", "*"}, WidthCase{G("美"), G("美")},
                                           WidthCase{"a\xA3\xB1"
                                                     "b",
                                                     "a1b"},
                                           WidthCase{"\xA3", "\xA3"}));

TEST(CleanInputText, RemovesThePunctuationButNotInsideCharacters) {
  const char* removed[] = {"\r\n",     " ",        "\xA1\xB1", "\xA1\xB0", "\xA1\xA2", "\xA1\xA3", "\xA3\xAC",
                           "\xA3\xBB", "\xA3\xBA", ".",        "\xA1\xB6", "\xA1\xB7", "\"",       "\xA1\xAF",
                           "'",        "<",        ">",        "[",        "]",        "\xA1\xBA", "\xA1\xBB",
                           "\xA1\xBE", "\xA1\xBF", "{",        "}",        "#",        "@",        "!",
                           "$",        "&",        "(",        ")",        "\xA3\xA8", "\xA3\xA9", "\xA3\xA5",
                           "%",        "\xA3\xA4", "\xA3\xA3", "\xA1\xA4", "\xA3\xAD", "\xA1\xAA", "_",
                           "-",        "+",        "\xA3\xAB", "\xA1\xAB", "`",        "*",        "\xA1\xC1",
                           "/",        "\\",       "\xA1\xC2", "|",        "\xA1\xEC", "\xA3\xBD", "="};
  ASSERT_EQ(std::size(removed), 56u);
  for (const char* r : removed) EXPECT_EQ(engine::CleanInputText(G("美") + r + G("达")), G("美达")) << r;
  EXPECT_EQ(engine::CleanInputText("\xA1\xAE"), "\xA1\xAE");  // the left single quotation mark stays
  EXPECT_EQ(engine::CleanInputText("\x81["
                                   "\x81_"),
            "\x81["
            "\x81_");  // trail bytes are never punctuation
  EXPECT_EQ(engine::CleanInputText("a\rb\nc"), "a\rb\nc");
}

TEST(CombinationUnitBytes, WholeCharactersOnly) {
  EXPECT_EQ(engine::CombinationUnitBytes("2"), 2);
  EXPECT_EQ(engine::CombinationUnitBytes("4"), 4);
  EXPECT_EQ(engine::CombinationUnitBytes("5"), 4);
  EXPECT_EQ(engine::CombinationUnitBytes("1"), 0);
  EXPECT_EQ(engine::CombinationUnitBytes("0"), 0);
  EXPECT_EQ(engine::CombinationUnitBytes("-2"), 0);
  EXPECT_EQ(engine::CombinationUnitBytes(""), 0);
  EXPECT_EQ(engine::CombinationUnitBytes("abc"), 0);
}

TEST(CombinationRefusal, NamesTheCount) {
  auto p = engine::TooManyCharactersRefusal(51);
  EXPECT_EQ(p.text, G("为保证正常运行,请不要输入超过50个汉字.当前字数:51"));
  EXPECT_EQ(p.title, G("提示"));
  EXPECT_EQ(p.flags, 64);
}

TEST(CombinationArchive, SavesAtomicallyAndLoadsUpToTheFirstZero) {
  testing_support::TestHome home;
  home.PrepareGlobals();
  auto path = engine::CombinationArchivePath();
  EXPECT_EQ(path.filename().string(), "组词模式存档.txt");
  EXPECT_EQ(engine::LoadCombinationArchive(path), "");  // missing
  ASSERT_TRUE(engine::SaveCombinationArchive(path, G("美达易")));
  EXPECT_EQ(testing_support::ReadAll(path), G("美达易"));
  EXPECT_EQ(engine::LoadCombinationArchive(path), G("美达易"));
  testing_support::WriteAll(path, G("美") + std::string(1, '\0') + G("达"));
  EXPECT_EQ(engine::LoadCombinationArchive(path), G("美"));
}

// ---------------------------------------------------------------------------
// The run

class CombinationRun : public ::testing::Test {
 protected:
  void SetUp() override { home_.PrepareGlobals(); }

  RecordingSink Run(std::vector<std::string> chars, int length) {
    engine::RunInputs in;
    in.mode = engine::GenerationMode::Combination;
    in.prefix = G("苏州");
    in.suffix = G("软件有限公司");
    in.nameLength = length;
    in.combinationCharacters = std::move(chars);
    RecordingSink sink;
    engine::GenerateCombinationNames(in, sink);
    return sink;
  }

  testing_support::TestHome home_;
};

TEST_F(CombinationRun, PairsInNestedOrder) {
  auto sink = Run(Units("美达易"), 2);
  std::vector<std::string> expected;
  for (const char* n : {"美达", "美易", "达美", "达易", "易美", "易达"}) expected.push_back(G(n));
  EXPECT_EQ(sink.Names(), expected);
  for (std::size_t i = 0; i < sink.rows.size(); ++i) {
    EXPECT_EQ(sink.rows[i].serial, static_cast<int>(i + 1));
    EXPECT_EQ(sink.rows[i].fullName, G("苏州") + expected[i] + G("软件有限公司"));
  }
  // T = 9; shown once, at I = 0.
  EXPECT_EQ(sink.Captions(), std::vector<std::string>{"%0"});
  EXPECT_EQ(sink.Statuses(), std::vector<std::string>{G("进度：0/9")});
  EXPECT_EQ(sink.Bars(), std::vector<int>{0});
  ASSERT_TRUE(sink.finish.has_value());
  EXPECT_EQ(sink.finish->statusTip, engine::ClosingTip());
  EXPECT_EQ(frame::globals().generatedNames.Get(), Lines(expected));
}

TEST_F(CombinationRun, TriplesInNestedOrder) {
  auto sink = Run(Units("美达易"), 3);
  std::vector<std::string> expected;
  for (const char* n : {"美达易", "美易达", "达美易", "达易美", "易美达", "易达美"}) expected.push_back(G(n));
  EXPECT_EQ(sink.Names(), expected);
  EXPECT_EQ(sink.Statuses(), std::vector<std::string>{G("进度：0/27")});
}

TEST_F(CombinationRun, OneCharacterListsNothingButEnds) {
  auto sink = Run(Units("美"), 2);
  EXPECT_TRUE(sink.rows.empty());
  EXPECT_EQ(sink.started, 1);
  ASSERT_TRUE(sink.finish.has_value());
  EXPECT_EQ(sink.finish->caption, engine::IdleCaption());
  auto none = Run({}, 3);
  EXPECT_TRUE(none.rows.empty());
  auto four = Run(Units("美达易华"), 4);  // four-character names are never combined
  EXPECT_TRUE(four.rows.empty());
}

TEST_F(CombinationRun, TwentyCharactersShowProgressEveryTenNames) {
  auto sink = Run(Units("甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未申酉"), 2);
  EXPECT_EQ(sink.rows.size(), 380u);
  auto statuses = sink.Statuses();
  ASSERT_EQ(statuses.size(), 38u);  // I = 0, 10, ..., 370
  EXPECT_EQ(statuses.front(), G("进度：0/400"));
  EXPECT_EQ(statuses.back(), G("进度：370/400"));
  EXPECT_EQ(sink.Captions().back(), "%93");
  EXPECT_EQ(sink.Bars().back(), 92);
}

TEST_F(CombinationRun, FiftyCharactersInThreesListEveryTriple) {
  std::string fifty = G(
      "美达威金誉嘉信康思晟华宏昌泰亿旭甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未申酉戌亥春夏秋冬东南西北天地玄黄");
  auto chars = gbk::SplitPairs(fifty);
  ASSERT_EQ(chars.size(), 50u);
  auto sink = Run(chars, 3);
  ASSERT_EQ(sink.rows.size(), 117600u);
  EXPECT_EQ(sink.rows.back().serial, 117600);
  EXPECT_EQ(sink.rows.back().name, chars[49] + chars[48] + chars[47]);
  EXPECT_GT(sink.batches.size(), 1u);  // handed over in batches, not all at the end
  auto full = frame::globals().generatedFullNames.Get();
  EXPECT_EQ(std::count(full.begin(), full.end(), '\n'), 117600);
}

// The rows a run must give, by the plain walk: every ordered selection of
// characters that differ, in nested order, a repeated name dropped, each part
// of the full name walked straight through the lookups.
std::vector<engine::ResultRow> PlainWalk(const engine::RunInputs& in) {
  const auto& c = in.combinationCharacters;
  std::vector<std::string> names;
  for (std::size_t i = 0; i < c.size(); ++i)
    for (std::size_t j = 0; j < c.size(); ++j) {
      if (in.nameLength == 2 && c[i] != c[j]) names.push_back(c[i] + c[j]);
      for (std::size_t k = 0; in.nameLength == 3 && k < c.size(); ++k)
        if (c[i] != c[j] && c[k] != c[i] && c[k] != c[j]) names.push_back(c[i] + c[j] + c[k]);
    }
  const engine::NamePartAttributes prefix = engine::ComputeNamePartAttributes(in.prefix);
  const engine::NamePartAttributes suffix = engine::ComputeNamePartAttributes(in.suffix);
  std::vector<engine::ResultRow> rows;
  std::set<std::string> seen;
  for (const std::string& name : names) {
    if (!seen.insert(name).second) continue;
    const engine::NamePartAttributes n = engine::ComputeNamePartAttributes(name);
    const int kangxi = prefix.kangxiStrokes + n.kangxiStrokes + suffix.kangxiStrokes;
    rows.push_back({static_cast<int>(rows.size()) + 1, prefix.text + name + suffix.text,
                    prefix.simplifiedStrokes + n.simplifiedStrokes + suffix.simplifiedStrokes,
                    prefix.traditionalForm + n.traditionalForm + suffix.traditionalForm, kangxi, n.fiveElements,
                    engine::LuckGradeOfNumber(kangxi), name});
  }
  return rows;
}

TEST_F(CombinationRun, ListsTheRowsOfThePlainWalk) {
  // Hanzi with and without data, characters outside GB2312, whole words,
  // and (some seeds) repeats and texts of odd length.
  const std::vector<std::string> distinct = Units("美达仓倉华華囱Ａ①易金木水");
  const std::vector<std::string> odd = {"a", G("金") + "a", G("美达")};
  const std::vector<std::string> prefixes = {G("苏州"), "", G("临江") + "b", G("倉")};
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::mt19937 random(seed);
    engine::RunInputs in;
    in.mode = engine::GenerationMode::Combination;
    in.prefix = prefixes[random() % prefixes.size()];
    in.suffix = seed % 2 ? G("软件有限公司") : G("店") + "x";
    in.nameLength = 1 + static_cast<int>(random() % 4);
    std::vector<std::string> pool = distinct;
    std::shuffle(pool.begin(), pool.end(), random);
    const std::size_t n = random() % 11;
    for (std::size_t i = 0; i < n; ++i) {
      if (seed % 3 == 0 && random() % 3 == 0)
        in.combinationCharacters.push_back(random() % 2 ? odd[random() % odd.size()] : pool[0]);
      else
        in.combinationCharacters.push_back(pool[i]);
    }
    RecordingSink sink;
    engine::GenerateCombinationNames(in, sink);
    const std::vector<engine::ResultRow> expected = PlainWalk(in);
    ASSERT_EQ(sink.rows.size(), expected.size()) << "seed " << seed;
    for (std::size_t r = 0; r < expected.size(); ++r) {
      const engine::ResultRow &got = sink.rows[r], &want = expected[r];
      ASSERT_EQ(std::tie(got.serial, got.fullName, got.simplifiedStrokes, got.traditionalForm, got.kangxiStrokes,
                         got.fiveElements, got.score, got.name),
                std::tie(want.serial, want.fullName, want.simplifiedStrokes, want.traditionalForm,
                         want.kangxiStrokes, want.fiveElements, want.score, want.name))
          << "seed " << seed << " row " << r;
    }
  }
}

}  // namespace
