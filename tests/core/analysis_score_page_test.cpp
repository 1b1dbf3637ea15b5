// The score page of one name: the interpretation blocks, the reductions, the
// two layouts, the cleaning of the boxes and the page file.
#include <gtest/gtest.h>

#include <string>

#include "analysis/score_page.h"
#include "engine/char_tables.h"
#include "frame/globals.h"
#include "platform/gbk.h"
#include "support/core/test_home.h"

using analysis::BuildScorePage;
using analysis::CutLuckInterpretation;
using analysis::NameBoxes;
using gbk::G;

namespace {

int Count(const std::string& text, const std::string& needle) {
  int n = 0;
  for (int p = gbk::Find(text, needle); p > 0;
       p = gbk::Find(text, needle, false, p + static_cast<int>(needle.size())))
    ++n;
  return n;
}

bool Has(const std::string& text, const std::string& utf8) { return gbk::Find(text, G(utf8)) > 0; }

// Fixes the Kangxi strokes of the characters a test uses, so the totals do
// not hang on the shipped tables.
class ScorePageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.PrepareGlobals();
    auto& g = frame::globals();
    oldWord_ = g.onlineScoreWord.Get();
    g.onlineScoreWord.Set(G("分数"));
    SetStrokes("禾-5/川-3/临-17/江-7/软-11/件-6/有-6/限-14/公-4/司-5/");
  }
  void TearDown() override {
    engine::SetKangxiOverrides("");
    frame::globals().onlineScoreWord.Set(oldWord_);
  }
  static void SetStrokes(const std::string& utf8) { engine::SetKangxiOverrides(G(utf8)); }

  testing_support::TestHome home_;
  std::string oldWord_;
};

TEST(LuckInterpretation, EveryNumberHasItsOwnBlockWithTheGradeOfTheLuckTable) {
  int fortunes = 0;
  for (int n = 1; n <= 81; ++n) {
    SCOPED_TRACE(n);
    std::string block = CutLuckInterpretation(n);
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(Count(block, G("【")), 0) << "header or end mark left in the block";
    EXPECT_EQ(Count(block, G("显示公司名称（显示笔画数）")), 1);
    EXPECT_EQ(Count(block, G("主体名称：")), 1);
    const char* grade = engine::LuckGradeOfNumber(n) == 100  ? "。　　（吉）"
                        : engine::LuckGradeOfNumber(n) == 99 ? "。　　（半吉）"
                                                             : "。　　（凶）";
    EXPECT_TRUE(Has(block, grade));
    fortunes += Has(block, "寓含运势：") ? 1 : 0;
  }
  EXPECT_EQ(fortunes, 23);
}

TEST(LuckInterpretation, KeyIsMatchedWholeAndUnknownNumbersHaveNoBlock) {
  // 【1】 must not cut the blocks of 10 to 19.
  EXPECT_TRUE(Has(CutLuckInterpretation(1), "最吉之数，还本归元，能得繁荣，发达成功。　　（吉）"));
  EXPECT_TRUE(Has(CutLuckInterpretation(2), "动摇不安，一荣一枯，一盛一衰，劳而无功。　　（凶）"));
  EXPECT_NE(CutLuckInterpretation(1), CutLuckInterpretation(10));
  EXPECT_NE(CutLuckInterpretation(1), CutLuckInterpretation(11));
  for (int n : {0, -1, 82, 402}) EXPECT_EQ(CutLuckInterpretation(n), "") << n;
}

TEST(LuckInterpretation, ReductionStopsAfterFourSubtractions) {
  const int rows[][2] = {{0, 0}, {81, 81}, {82, 2}, {161, 81}, {162, 2}, {401, 81}, {402, 82}, {500, 180}};
  for (const auto& r : rows) EXPECT_EQ(analysis::ReduceForInterpretation(r[0]), r[1]) << r[0];
}

struct StripRow {
  std::string in, out;
};

TEST(NameCleaning, RemovesTheStrippedSetInEitherCaseAndKeepsTwoByteCharactersWhole) {
  const StripRow rows[] = {
      {G("禾川"), G("禾川")},
      {"abcXYZ0189", ""},
      {G("禾 川(Ltd.)"), G("禾川")},
      {"?!.()[]{};:,<>|\\/-+= ", ""},
      {G("禾&川'\"@"), G("禾&川'\"@")},  // not in the set
      {G("禾\t川"), G("禾\t川")},
      {G("ＡＢ禾"), G("ＡＢ禾")},  // full-width letters are characters of their own
      {"\x81\x7C\x95\x5C\x81\x41", "\x81\x7C\x95\x5C\x81\x41"},  // trail bytes "|", "\" and "A"
  };
  for (const auto& r : rows) EXPECT_EQ(analysis::StripNameText(r.in), r.out) << gbk::ToUtf8(r.in);
}

TEST_F(ScorePageTest, GeneralLayoutHasOneSectionAndTheNote) {
  NameBoxes boxes{G("临江"), G("禾川"), G("软件有限公司")};
  std::string page = BuildScorePage(boxes, false);
  EXPECT_EQ(Count(page, G("主体名称：")), 1);
  EXPECT_EQ(Count(page, G("整体名称：")), 0);
  EXPECT_TRUE(Has(page, "禾川（8）"));
  EXPECT_EQ(Count(page, G("评分：")), 1);
  EXPECT_TRUE(Has(page, ">100</font>&nbsp;分"));  // 8 is 吉
  EXPECT_TRUE(Has(page, "说明：公司名称测算法所用字的笔画以《康熙字典》为准"));
  EXPECT_EQ(Count(page, "<br>"), 1);  // only the one the score table starts with
  EXPECT_EQ(page.rfind(G("<html>\r\n\r\n<head>\r\n"), 0), 0u);
  EXPECT_TRUE(page.ends_with("</body>\r\n\r\n</html>\r\n"));
  EXPECT_TRUE(Has(page, "<title>公司评分</title>"));
  EXPECT_FALSE(Has(page, "替换"));
}

TEST_F(ScorePageTest, CompanyLayoutAddsTheWholeName) {
  NameBoxes boxes{G("临江"), G("禾川"), G("软件有限公司")};
  std::string page = BuildScorePage(boxes, true);
  EXPECT_EQ(Count(page, G("主体名称：")), 1);
  EXPECT_EQ(Count(page, G("整体名称：")), 1);
  EXPECT_TRUE(Has(page, "禾川（8）"));
  // 24 + 8 + 46 = 78, which is 半吉.
  EXPECT_TRUE(Has(page, "临江禾川软件有限公司（78）"));
  EXPECT_EQ(Count(page, G("评分：")), 2);
  EXPECT_TRUE(Has(page, ">99</font>&nbsp;分"));
  EXPECT_LT(gbk::Find(page, G("主体名称：")), gbk::Find(page, G("整体名称：")));
  EXPECT_LT(gbk::Find(page, G("整体名称：")), gbk::Find(page, G("说明：")));
}

TEST_F(ScorePageTest, LargeTotalsAreReducedForTheBlockButShownWhole) {
  SetStrokes("禾-41/川-41/");  // 82
  NameBoxes boxes{"", G("禾川"), ""};
  std::string page = BuildScorePage(boxes, false);
  EXPECT_TRUE(Has(page, "禾川（82）"));
  EXPECT_TRUE(Has(page, "动摇不安"));  // block 2
  EXPECT_TRUE(Has(page, ">98</font>&nbsp;分"));

  SetStrokes("禾-99/川-99/木-6/");  // 402: no block, but the grade reduces further
  boxes = {"", G("禾川禾川木"), ""};
  page = BuildScorePage(boxes, false);
  EXPECT_FALSE(Has(page, "解析结果："));
  EXPECT_FALSE(Has(page, "（402）"));
  EXPECT_TRUE(Has(page, ">" + std::to_string(engine::LuckGradeOfNumber(402)) + "</font>&nbsp;分"));
  EXPECT_NE(engine::LuckGradeOfNumber(402), 0);
}

TEST_F(ScorePageTest, TotalOfZeroShowsOnlyTheScoreTable) {
  NameBoxes boxes{"", G("＠＃"), ""};  // two-byte, but no hanzi
  std::string page = BuildScorePage(boxes, false);
  EXPECT_FALSE(Has(page, "主体名称："));
  EXPECT_TRUE(Has(page, ">0</font>&nbsp;分"));
}

TEST_F(ScorePageTest, ScoreWordDecidesWhereTheScoreGoes) {
  frame::globals().onlineScoreWord.Set("");
  NameBoxes boxes{"", G("禾川"), ""};
  std::string page = BuildScorePage(boxes, false);
  EXPECT_TRUE(Has(page, "<font size=\"6\">分数</font>"));
  EXPECT_FALSE(Has(page, ">100</font>"));
}

TEST_F(ScorePageTest, CleansTheBoxesAndRefusesAnEmptyMainName) {
  NameBoxes boxes{"Lin Jiang", "abc123", G("软件 Co.")};
  EXPECT_EQ(BuildScorePage(boxes, true), "");
  EXPECT_EQ(boxes.prefix, "");
  EXPECT_EQ(boxes.mainName, "");
  EXPECT_EQ(boxes.suffix, G("软件"));

  boxes = {G("临江 "), G("禾A川"), G("软件(有限)公司")};
  std::string page = BuildScorePage(boxes, true);
  EXPECT_EQ(boxes.prefix, G("临江"));
  EXPECT_EQ(boxes.mainName, G("禾川"));
  EXPECT_EQ(boxes.suffix, G("软件有限公司"));
  EXPECT_TRUE(Has(page, "临江禾川软件有限公司（78）"));
}

TEST_F(ScorePageTest, NamesGoIntoThePageAsText) {
  // "&" and quotes survive the cleaning; they must not become markup. A name
  // that contains a placeholder word is shown as typed.
  NameBoxes boxes{G("显示笔画数"), G("禾&川\"'"), G("主体名称：")};
  std::string page = BuildScorePage(boxes, true);
  EXPECT_TRUE(Has(page, "禾&amp;川&quot;&#39;（8）"));
  EXPECT_TRUE(Has(page, "显示笔画数禾&amp;川&quot;&#39;主体名称："));
  EXPECT_EQ(Count(page, G("整体名称：")), 1);
}

TEST_F(ScorePageTest, PageFileIsReplacedWhole) {
  NameBoxes boxes{"", G("禾川"), ""};
  std::string page = BuildScorePage(boxes, false);
  ASSERT_TRUE(analysis::WriteScorePage(page));
  EXPECT_EQ(analysis::ScorePagePath(), frame::globals().dataDirectory / "temp.htm");
  EXPECT_EQ(testing_support::ReadAll(analysis::ScorePagePath()), page);
  ASSERT_TRUE(analysis::WriteScorePage(""));
  EXPECT_EQ(testing_support::ReadAll(analysis::ScorePagePath()), "");
}

}  // namespace
