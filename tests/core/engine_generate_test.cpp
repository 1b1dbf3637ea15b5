#include <gtest/gtest.h>

#include "engine/generate.h"
#include "engine/generation_data.h"
#include "frame/globals.h"
#include "platform/gbk.h"
#include "support/core/test_home.h"

using engine::GenerateAction;
using engine::GenerationMode;
using gbk::G;

namespace {

class GenerateButton : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.PrepareGlobals();
    engine::PutGenerationDataInPlace();
    request_.bossSurname = G("王");
    request_.bossGivenName = G("大明");
    request_.prefix = G("苏州");
    request_.suffix = G("软件有限公司");
    hooks_.ask = [this](const engine::Prompt& p) {
      asked_.push_back(p);
      int a = answers_.empty() ? 5 : answers_.front();
      if (!answers_.empty()) answers_.erase(answers_.begin());
      return a;
    };
    hooks_.clearResults = [this] { ++cleared_; };
  }

  engine::GeneratePlan Click() { return engine::OnGenerateClicked(request_, hooks_); }

  testing_support::TestHome home_;
  engine::GenerateRequest request_;
  engine::GenerateHooks hooks_;
  std::vector<engine::Prompt> asked_;
  std::vector<int> answers_;
  int cleared_ = 0;
};

TEST_F(GenerateButton, CompleteBossNameAsksNothing) {
  auto plan = Click();
  EXPECT_TRUE(asked_.empty());
  EXPECT_EQ(plan.action, GenerateAction::StartRun);
  EXPECT_EQ(cleared_, 1);
  EXPECT_EQ(plan.run.inputs.mode, GenerationMode::SmartMode1);
  EXPECT_EQ(plan.run.inputs.nameLength, 2);
  EXPECT_EQ(plan.run.inputs.namesPerRun, 2000);
  EXPECT_EQ(plan.run.inputs.twoCharPool, frame::globals().twoCharPool.Get());
}

TEST_F(GenerateButton, IncompleteBossNameAsksAndYesGoesOn) {
  request_.bossGivenName.clear();
  auto plan = Click();
  ASSERT_EQ(asked_.size(), 1u);
  EXPECT_EQ(asked_[0].text, G("公司老板姓名未设置完整,是否继续？"));
  EXPECT_EQ(asked_[0].title, G("询问"));
  EXPECT_EQ(asked_[0].flags, 36);
  EXPECT_EQ(plan.action, GenerateAction::StartRun);
}

TEST_F(GenerateButton, NoToTheBossNameQuestionReturnsToTheSurname) {
  request_.bossSurname.clear();
  answers_ = {6};
  auto plan = Click();
  EXPECT_EQ(plan.action, GenerateAction::FocusBossSurname);
  EXPECT_EQ(cleared_, 0);
}

TEST_F(GenerateButton, MissingDataIsRefusedInEveryModeBeforeClearing) {
  frame::globals().twoCharPool.Set("");
  for (auto mode : {GenerationMode::SmartMode1, GenerationMode::SmartMode2, GenerationMode::Combination}) {
    asked_.clear();
    request_.mode = mode;
    auto plan = Click();
    EXPECT_EQ(plan.action, GenerateAction::None);
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(asked_[0].text, G("初始化网络数据失败,请检查您的网络是否通畅,或稍后重打开软件再试一下!"));
    EXPECT_EQ(asked_[0].title, G("提示 ErrorCode=1"));
    EXPECT_EQ(asked_[0].flags, 64);
  }
  EXPECT_EQ(cleared_, 0);
}

TEST_F(GenerateButton, LongerNamesFromAnEmptyLongPoolAreRefusedToo) {
  frame::globals().longNamePool.Set("");
  request_.lengthIndex = 1;
  EXPECT_EQ(Click().action, GenerateAction::None);
  ASSERT_EQ(asked_.size(), 1u);
  EXPECT_EQ(asked_[0].flags, 64);
  request_.lengthIndex = 0;  // two-character names do not need it
  EXPECT_EQ(Click().action, GenerateAction::StartRun);
}

TEST_F(GenerateButton, CombinationModeWithFourCharactersClearsAndRefuses) {
  request_.mode = GenerationMode::Combination;
  request_.lengthIndex = 2;
  frame::globals().generatedNames.Set(G("禾川") + "\r\n");
  frame::globals().generatedFullNames.Set(G("苏州禾川软件有限公司") + "\r\n");
  auto plan = Click();
  EXPECT_EQ(plan.action, GenerateAction::None);
  EXPECT_EQ(cleared_, 1);
  // The last run's names went with its rows.
  EXPECT_EQ(frame::globals().generatedNames.Get(), "");
  EXPECT_EQ(frame::globals().generatedFullNames.Get(), "");
  ASSERT_EQ(asked_.size(), 1u);
  EXPECT_EQ(asked_[0].text, G("组合模式只支持二字名和三字名！请在<字词限定>选项里修改设置！"));
  EXPECT_EQ(asked_[0].title, G("提示"));
}

TEST_F(GenerateButton, CombinationModeOpensTheWindowForTwoOrThree) {
  request_.mode = GenerationMode::Combination;
  for (int index : {0, 1}) {
    request_.lengthIndex = index;
    EXPECT_EQ(Click().action, GenerateAction::OpenCombinationWindow);
  }
  EXPECT_TRUE(asked_.empty());
}

struct CleaningCase {
  const char* prefix;
  int answer;
  const char* offending;
  const char* result;
};

class PrefixCleaning : public GenerateButton, public ::testing::WithParamInterface<CleaningCase> {};

TEST_P(PrefixCleaning, AsksAndCleansOnYes) {
  const auto& c = GetParam();
  request_.prefix = G(c.prefix);
  answers_ = {c.answer};
  auto plan = Click();
  ASSERT_EQ(asked_.size(), 1u);
  EXPECT_EQ(asked_[0].text, G("'地区前缀'内含非中文字符'") + c.offending + G("',是否清除?"));
  EXPECT_EQ(asked_[0].flags, 36);
  EXPECT_EQ(plan.run.prefix, G(c.result));
  EXPECT_EQ(plan.run.inputs.prefix, G(c.result));
}

INSTANTIATE_TEST_SUITE_P(Rows, PrefixCleaning,
                         ::testing::Values(CleaningCase{"abc苏州", 5, "abc", "苏州"},
                                           CleaningCase{"ABC苏州", 5, "abc", "苏州"},
                                           CleaningCase{"abc苏州", 6, "abc", "abc苏州"},
                                           CleaningCase{"z苏1州a", 5, "1az", "苏州"},
                                           CleaningCase{"苏州(新区)", 5, "()", "苏州新区"}));

TEST_F(GenerateButton, SuffixIsAskedAfterThePrefix) {
  request_.prefix = G("a苏州");
  request_.suffix = G("软件-有限公司");
  answers_ = {6, 5};
  auto plan = Click();
  ASSERT_EQ(asked_.size(), 2u);
  EXPECT_EQ(asked_[1].text, G("'行业后缀'内含非中文字符'-',是否清除?"));
  EXPECT_EQ(plan.run.prefix, G("a苏州"));
  EXPECT_EQ(plan.run.suffix, G("软件有限公司"));
}

TEST_F(GenerateButton, SmartMode1TrimsAndCleansTheFixedCharacters) {
  request_.fixed = {G(" 华a "), G("\u3000B"), "", G("1")};
  auto plan = Click();
  EXPECT_TRUE(plan.run.writeBackFixed);
  EXPECT_EQ(plan.run.fixed, (std::array<std::string, 4>{G("华"), "", "", ""}));
  EXPECT_EQ(plan.run.inputs.fixed, plan.run.fixed);
}

TEST_F(GenerateButton, SmartMode2LeavesTheFixedCharactersAsTyped) {
  request_.mode = GenerationMode::SmartMode2;
  request_.fixed = {G(" 华a "), "", "", ""};
  auto plan = Click();
  EXPECT_FALSE(plan.run.writeBackFixed);
  EXPECT_EQ(plan.run.fixed[0], G(" 华a "));
  EXPECT_EQ(plan.run.inputs.fixed[0], "");
}

TEST_F(GenerateButton, CombinationRunCleansTheFixedCharactersButNeverPlacesThem) {
  request_.fixed = {G("华x"), "", "", ""};
  request_.lengthIndex = 1;
  auto run =
      engine::PrepareRun(GenerationMode::Combination, request_, gbk::SplitPairs(G("美达易")), hooks_.ask);
  EXPECT_TRUE(run.writeBackFixed);
  EXPECT_EQ(run.fixed[0], G("华"));
  EXPECT_EQ(run.inputs.fixed[0], "");
  EXPECT_EQ(run.inputs.nameLength, 3);
  EXPECT_EQ(run.inputs.combinationCharacters.size(), 3u);
}

struct TrimCase {
  const char* in;
  const char* out;
};

class Trim : public ::testing::TestWithParam<TrimCase> {};

TEST_P(Trim, DropsBlanksAtBothEnds) { EXPECT_EQ(engine::TrimBlanks(G(GetParam().in)), G(GetParam().out)); }

INSTANTIATE_TEST_SUITE_P(Rows, Trim,
                         ::testing::Values(TrimCase{"  华 ", "华"}, TrimCase{"\u3000华\u3000", "华"},
                                           TrimCase{"华 夏", "华 夏"}, TrimCase{"   ", ""}, TrimCase{"", ""},
                                           TrimCase{"\t华\r\n", "华"}));

TEST(RemoveCleanedCharacters, StepsOverTwoByteCharacters) {
  // 0x81 0x61 is one GBK character whose trail byte is "a".
  EXPECT_EQ(engine::RemoveCleanedCharacters("\x81"
                                            "a"
                                            "aZ9"),
            "\x81"
            "a");
  EXPECT_EQ(engine::OffendingCharacters("\x81"
                                        "a"),
            "");
  EXPECT_EQ(engine::RemoveCleanedCharacters(G("华@夏")), G("华@夏"));  // not in the set
  EXPECT_EQ(engine::CleanedCharacterSet().size(), 56u);
}

}  // namespace
