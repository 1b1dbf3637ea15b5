#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "engine/char_tables.h"
#include "engine/generation_data.h"
#include "engine/word_builders.h"
#include "frame/globals.h"
#include "platform/gbk.h"

using gbk::G;

namespace {

bool IsGb2312Hanzi(const std::string& c) {
  if (c.size() != 2) return false;
  auto a = static_cast<unsigned char>(c[0]), b = static_cast<unsigned char>(c[1]);
  return a >= 0xB0 && a <= 0xF7 && b >= 0xA1 && b <= 0xFE;
}

void CheckPool(const std::string& name, const std::string& pool, std::size_t low, std::size_t high,
               int perElement) {
  SCOPED_TRACE(name);
  ASSERT_EQ(pool.size() % 2, 0u);
  auto chars = gbk::SplitPairs(pool);
  EXPECT_GE(chars.size(), low);
  EXPECT_LE(chars.size(), high);
  std::set<std::string> seen;
  std::map<std::string, int> elements;
  int fewest = 99, most = 0;
  for (const auto& c : chars) {
    EXPECT_TRUE(IsGb2312Hanzi(c)) << gbk::ToUtf8(c);
    EXPECT_TRUE(seen.insert(c).second) << "repeated " << gbk::ToUtf8(c);
    std::string e = engine::GetFiveElement(c);
    EXPECT_NE(e, G("未")) << "no element for " << gbk::ToUtf8(c);
    ++elements[e];
    int k = engine::GetKangxiStrokes(c);
    EXPECT_GT(k, 0) << "no Kangxi count for " << gbk::ToUtf8(c);
    fewest = std::min(fewest, k);
    most = std::max(most, k);
  }
  for (const char* e : {"金", "木", "水", "火", "土"}) EXPECT_GE(elements[G(e)], perElement) << e;
  EXPECT_LE(fewest, 5);
  EXPECT_GE(most, 18);
}

TEST(GenerationData, ShippedValuesFollowTheRules) {
  engine::PutGenerationDataInPlace();
  auto& g = frame::globals();
  CheckPool("TwoCharPool", g.twoCharPool.Get(), 35, 1000, 3);
  CheckPool("LongNamePool", g.longNamePool.Get(), 20, 400, 2);

  std::string words = g.smartWordSource.Get();
  ASSERT_EQ(words.size() % 4, 0u);
  EXPECT_GE(words.size() / 4, 200u);
  EXPECT_LE(words.size() / 4, 2000u);
  std::set<std::string> seen;
  for (std::size_t i = 0; i < words.size(); i += 4) {
    std::string w = words.substr(i, 4);
    EXPECT_TRUE(IsGb2312Hanzi(w.substr(0, 2)) && IsGb2312Hanzi(w.substr(2, 2))) << i;
    EXPECT_TRUE(seen.insert(w).second) << "repeated " << gbk::ToUtf8(w);
  }

  EXPECT_EQ(g.namesPerRun.Get(), "2000");
  EXPECT_EQ(g.combinationLimit.Get(), "2");
  EXPECT_EQ(g.onlineScoreWord.Get(), G("分数"));
  EXPECT_FALSE(g.onlineCharacterList.Get().empty());
}

// The words to keep out of names, by section ("taboo", "restricted",
// "marks"), from the readable list beside the generation data tools.
std::map<std::string, std::vector<std::string>> AvoidedWords() {
  std::ifstream in(std::filesystem::path(LANZHOU_SOURCE_DIR) / "tools" / "generation" / "taboo_words.txt");
  EXPECT_TRUE(in) << "taboo_words.txt missing";
  std::map<std::string, std::vector<std::string>> out;
  std::string line, section;
  while (std::getline(in, line)) {
    if (line.starts_with("#")) continue;
    if (line.starts_with("[")) {
      section = line.substr(1, line.find(']') - 1);
      continue;
    }
    std::istringstream words(line);
    for (std::string w; words >> w;) out[section].push_back(G(w));
  }
  return out;
}

TEST(GenerationData, NoNameCanSpellATabooOrRestrictedWord) {
  engine::PutGenerationDataInPlace();
  auto& g = frame::globals();
  auto avoided = AvoidedWords();
  ASSERT_GE(avoided["taboo"].size(), 100u);
  ASSERT_GE(avoided["restricted"].size(), 50u);
  ASSERT_GE(avoided["marks"].size(), 50u);
  std::vector<std::string> banned = avoided["taboo"];
  banned.insert(banned.end(), avoided["restricted"].begin(), avoided["restricted"].end());

  // A pool spells a word when it holds all of its characters; two-character
  // names take two of them, longer names up to four.
  auto spells = [](const std::string& pool, const std::string& word) {
    auto chars = gbk::SplitPairs(pool);
    std::set<std::string> have(chars.begin(), chars.end());
    return std::ranges::all_of(gbk::SplitPairs(word), [&](const std::string& c) { return have.count(c) > 0; });
  };
  for (const auto& w : banned) {
    if (w.size() <= 4) EXPECT_FALSE(spells(g.twoCharPool.Get(), w)) << "TwoCharPool: " << gbk::ToUtf8(w);
    if (w.size() <= 8) EXPECT_FALSE(spells(g.longNamePool.Get(), w)) << "LongNamePool: " << gbk::ToUtf8(w);
  }

  // Smart mode 2 names: a word, a fixed-list character and a word, or two
  // words; none may be an avoided word or hold one across the joins.
  std::vector<std::string> words = engine::SplitWords(g.smartWordSource.Get());
  std::set<std::string> wordSet(words.begin(), words.end());
  for (const auto& [section, list] : avoided)
    for (const auto& w : list) EXPECT_EQ(wordSet.count(w), 0u) << section << ": " << gbk::ToUtf8(w);
  std::set<std::string> firsts, lasts;
  for (const auto& w : words) {
    firsts.insert(w.substr(0, 2));
    lasts.insert(w.substr(2));
  }
  auto fixed = gbk::SplitPairs(engine::FixedListCharacters());
  for (const auto& w : banned) {
    auto c = gbk::SplitPairs(w);
    if (c.size() == 2) {
      EXPECT_FALSE(lasts.count(c[0]) && firsts.count(c[1])) << "two words join into " << gbk::ToUtf8(w);
      EXPECT_FALSE(std::ranges::find(fixed, c[0]) != fixed.end() && firsts.count(c[1]))
          << "a fixed-list character and a word join into " << gbk::ToUtf8(w);
    }
    if (c.size() == 3) {
      EXPECT_FALSE(std::ranges::find(fixed, c[0]) != fixed.end() && wordSet.count(c[1] + c[2]))
          << gbk::ToUtf8(w);
      EXPECT_FALSE(wordSet.count(c[0] + c[1]) && firsts.count(c[2])) << gbk::ToUtf8(w);
      EXPECT_FALSE(lasts.count(c[0]) && wordSet.count(c[1] + c[2])) << gbk::ToUtf8(w);
    }
  }
}

TEST(GenerationData, ToolReproducesTheShippedFiles) {
  // Also cross-checks the words' traditional forms with OpenCC's phrases.
  std::filesystem::path tool =
      std::filesystem::path(LANZHOU_SOURCE_DIR) / "tools" / "generation" / "make_generation_data.py";
  if (std::system("python3 --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "python3 missing";
  std::string command = "python3 '" + tool.string() + "' --check >/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
