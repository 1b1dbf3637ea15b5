#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <unordered_set>

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
  CheckPool("TwoCharPool", g.twoCharPool.Get(), 100, 1000, 10);
  CheckPool("LongNamePool", g.longNamePool.Get(), 60, 400, 6);

  std::string words = g.smartWordSource.Get();
  ASSERT_EQ(words.size() % 4, 0u);
  EXPECT_GE(words.size() / 4, 600u);
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
// "places", "marks"), from the readable list beside the generation data tools.
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

// Walks every name the smart modes can make from the shipped data and
// collects the avoided words found inside one: a register refuses the name
// however rarely a run draws it, so sampling would not do.
class AvoidedWordSearch {
 public:
  explicit AvoidedWordSearch(const std::map<std::string, std::vector<std::string>>& avoided) {
    for (const auto& [section, list] : avoided)
      for (const auto& w : list) {
        banned_.insert(w);
        if (w.size() == 8) fourCharacterWords_.push_back(w);
      }
  }

  // Every run of two or more characters of the name.
  void Check(const std::string& what, const std::string& name) {
    for (std::size_t from = 0; from + 4 <= name.size(); from += 2)
      for (std::size_t len = 4; from + len <= name.size(); len += 2)
        if (banned_.count(name.substr(from, len)))
          found_.emplace(gbk::ToUtf8(name.substr(from, len)), what + " " + gbk::ToUtf8(name));
  }

  // Names of distinct characters of the pool, in any order, of two, three
  // and four characters. Two and three are walked; a four-character name
  // adds only its whole to what its parts already showed, so the
  // four-character words are looked up instead of walking 60^4 names.
  void CheckDistinctDraws(const std::string& what, const std::vector<std::string>& pool) {
    for (std::size_t a = 0; a < pool.size(); ++a)
      for (std::size_t b = 0; b < pool.size(); ++b) {
        if (a == b) continue;
        Check(what, pool[a] + pool[b]);
        for (std::size_t c = 0; c < pool.size(); ++c)
          if (c != a && c != b) Check(what, pool[a] + pool[b] + pool[c]);
      }
    std::set<std::string> have(pool.begin(), pool.end());
    for (const auto& w : fourCharacterWords_) {
      auto c = gbk::SplitPairs(w);
      if (std::set<std::string>(c.begin(), c.end()).size() == 4 &&
          std::ranges::all_of(c, [&](const std::string& x) { return have.count(x) > 0; }))
        found_.emplace(gbk::ToUtf8(w), what);
    }
  }

  // Each word found, with the first name that held it.
  std::string Report() const {
    std::string out;
    for (const auto& [word, example] : found_) out += word + " (" + example + ")\n";
    return out;
  }
  std::size_t Found() const { return found_.size(); }

 private:
  std::unordered_set<std::string> banned_;
  std::vector<std::string> fourCharacterWords_;
  std::map<std::string, std::string> found_;
};

TEST(GenerationData, NoGeneratedNameHoldsAnAvoidedWord) {
  engine::PutGenerationDataInPlace();
  auto& g = frame::globals();
  auto avoided = AvoidedWords();
  ASSERT_GE(avoided["taboo"].size(), 100u);
  ASSERT_GE(avoided["restricted"].size(), 50u);
  ASSERT_GE(avoided["places"].size(), 2000u);
  ASSERT_GE(avoided["marks"].size(), 400u);
  AvoidedWordSearch search(avoided);

  // Smart mode 1: distinct positions of the pool, two characters from
  // TwoCharPool, three or four from LongNamePool.
  auto two = gbk::SplitPairs(g.twoCharPool.Get());
  for (const auto& a : two)
    for (const auto& b : two)
      if (a != b) search.Check("TwoCharPool", a + b);
  auto longPool = gbk::SplitPairs(g.longNamePool.Get());
  search.CheckDistinctDraws("LongNamePool", longPool);

  // Smart mode 2: the random words draw each character on its own (so a
  // character can come twice), the rest is a word, a fixed-list character
  // and a word, or two different words.
  for (const auto& a : longPool)
    for (const auto& b : longPool) search.Check("random word", a + b);
  std::vector<std::string> words = engine::SplitWords(g.smartWordSource.Get());
  for (const auto& w : words) search.Check("word", w);
  for (const auto& f : gbk::SplitPairs(engine::FixedListCharacters()))
    for (const auto& w : words) search.Check("fixed list + word", f + w);
  for (const auto& u : words)
    for (const auto& v : words)
      if (u != v) search.Check("word + word", u + v);

  EXPECT_EQ(search.Found(), 0u) << search.Report();
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
