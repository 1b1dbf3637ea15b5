#include <gtest/gtest.h>

#include <map>
#include <set>

#include "engine/char_tables.h"
#include "engine/generation_data.h"
#include "frame/globals.h"
#include "platform/gbk.h"

using gbk::G;

namespace {

bool IsGb2312Hanzi(const std::string& c) {
  if (c.size() != 2) return false;
  auto a = static_cast<unsigned char>(c[0]), b = static_cast<unsigned char>(c[1]);
  return a >= 0xB0 && a <= 0xF7 && b >= 0xA1 && b <= 0xFE;
}

void CheckPool(const std::string& name, const std::string& pool, std::size_t low, std::size_t high) {
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
  for (const char* e : {"金", "木", "水", "火", "土"}) EXPECT_GE(elements[G(e)], 10) << e;
  EXPECT_LE(fewest, 5);
  EXPECT_GE(most, 18);
}

TEST(GenerationData, ShippedValuesFollowTheRules) {
  engine::PutGenerationDataInPlace();
  auto& g = frame::globals();
  CheckPool("TwoCharPool", g.twoCharPool.Get(), 400, 1000);
  CheckPool("LongNamePool", g.longNamePool.Get(), 150, 400);

  std::string words = g.smartWordSource.Get();
  ASSERT_EQ(words.size() % 4, 0u);
  EXPECT_GE(words.size() / 4, 500u);
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

}  // namespace
