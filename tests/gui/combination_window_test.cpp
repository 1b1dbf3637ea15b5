#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "engine/combination.h"
#include "engine/generation_data.h"
#include "engine/ui/CombinationInputWindow.h"
#include "frame/globals.h"
#include "platform/gbk.h"
#include "platform/ui/qt_bridge.h"
#include "support/core/test_home.h"
#include "support/gui/recorders.h"

using engine::CombinationInputWindow;
using gbk::G;

namespace {

class CombinationWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.PrepareGlobals();
    engine::PutGenerationDataInPlace();
  }

  std::unique_ptr<CombinationInputWindow> Open() {
    auto w =
        std::make_unique<CombinationInputWindow>(&parent_, [this](const std::vector<std::string>& chars) {
          started_.push_back(chars);
          return startResult_;
        });
    w->show();
    return w;
  }

  static QPlainTextEdit* Edit(QWidget* w) { return w->findChild<QPlainTextEdit*>("编辑框1"); }
  static void Type(QWidget* w, const QString& text) { Edit(w)->setPlainText(text); }
  static void Click(QWidget* w, const char* button) {
    QTest::mouseClick(w->findChild<QPushButton*>(QString::fromUtf8(button)), Qt::LeftButton);
  }
  std::string Archive() const { return testing_support::ReadAll(engine::CombinationArchivePath()); }

  testing_support::TestHome home_;
  testing_support::MessageBoxRecorder boxes_;
  QWidget parent_;
  std::vector<std::vector<std::string>> started_;
  bool startResult_ = true;
};

TEST_F(CombinationWindow, LayoutAsDesigned) {
  auto w = Open();
  EXPECT_EQ(w->windowTitle(), QStringLiteral("组合模式 (将您自行输入的字进行组合产生名字)"));
  EXPECT_TRUE(w->isModal());
  EXPECT_EQ(w->parentWidget(), &parent_);
  EXPECT_EQ(w->size(), QSize(565, 315));

  struct Control {
    const char* name;
    QRect geometry;
  };
  for (const Control& c : {Control{"图片框1", {16, 12, 20, 20}}, Control{"透明标签1", {45, 14, 432, 16}},
                           Control{"外形框1", {16, 40, 528, 192}}, Control{"编辑框1", {9, 9, 511, 175}},
                           Control{"按钮1", {324, 241, 96, 28}}, Control{"按钮2", {427, 241, 96, 28}}}) {
    auto* child = w->findChild<QWidget*>(QString::fromUtf8(c.name));
    ASSERT_NE(child, nullptr) << c.name;
    EXPECT_EQ(child->geometry(), c.geometry) << c.name;
  }
  EXPECT_EQ(Edit(w.get())->parentWidget()->objectName(), QStringLiteral("外形框1"));
  EXPECT_EQ(w->findChild<QLabel*>("透明标签1")->text(),
            QStringLiteral("请输入要用于取名的汉字。格式随意，软件会智能提取汉字。"));
  EXPECT_EQ(w->findChild<QPushButton*>("按钮1")->text(), QStringLiteral("确定(&O)"));
  EXPECT_EQ(w->findChild<QPushButton*>("按钮2")->text(), QStringLiteral("取消(&E)"));
}

TEST_F(CombinationWindow, ShowsTheDesignedTextWithoutAnArchiveAndTheArchiveWithOne) {
  auto w = Open();
  EXPECT_EQ(Edit(w.get())->toPlainText(), QStringLiteral("美达威金誉嘉信康思晟华宏昌泰亿旭"));
  EXPECT_EQ(frame::globals().combinationArchivePath, engine::CombinationArchivePath());
  w.reset();
  ASSERT_TRUE(engine::SaveCombinationArchive(engine::CombinationArchivePath(), G("美达易")));
  auto again = Open();
  EXPECT_EQ(Edit(again.get())->toPlainText(), QStringLiteral("美达易"));
}

TEST_F(CombinationWindow, OkCleansSplitsSavesAndStartsTheRun) {
  auto w = Open();
  Type(w.get(), QStringLiteral("美，达, 美\nＡ１易ｂ2、达"));
  Click(w.get(), "按钮1");
  ASSERT_EQ(started_.size(), 1u);
  EXPECT_EQ(started_[0], gbk::SplitPairs(G("美达易")));
  EXPECT_EQ(frame::globals().combinationCharacterText, G("美达易"));
  EXPECT_EQ(Archive(), G("美达易"));
  EXPECT_TRUE(w->runStarted());
  EXPECT_EQ(w->result(), QDialog::Accepted);
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(Edit(w.get())->toPlainText(), QStringLiteral("美达美易达"));  // cleaned, repeats and all
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(CombinationWindow, AnArchiveThatCannotBeSavedIsReportedOnceAndTheRunStillStarts) {
  const std::filesystem::path archive = engine::CombinationArchivePath();
  std::filesystem::create_directories(archive / "in-the-way");
  for (int i = 0; i < 2; ++i) {
    auto w = Open();
    Type(w.get(), QStringLiteral("美达"));
    Click(w.get(), "按钮1");
    EXPECT_TRUE(w->runStarted());
  }
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].title, "提示");
  EXPECT_TRUE(boxes_.shown()[0].text.starts_with("输入的汉字无法保存，下次打开这个窗口时不会再显示它们。"));
  std::filesystem::remove_all(archive);
  auto w = Open();
  Type(w.get(), QStringLiteral("美达"));
  Click(w.get(), "按钮1");
  EXPECT_EQ(Archive(), G("美达"));
  EXPECT_EQ(boxes_.shown().size(), 1u);
}

TEST_F(CombinationWindow, ARunThatCannotStartLeavesTheButtonToTheCaller) {
  startResult_ = false;
  auto w = Open();
  Click(w.get(), "按钮1");
  EXPECT_EQ(started_.size(), 1u);
  EXPECT_FALSE(w->runStarted());
  EXPECT_FALSE(w->isVisible());
}

TEST_F(CombinationWindow, FiftyOneCharactersAreRefusedButKeptInTheArchive) {
  const QString fiftyOne = QStringLiteral(
      "美达威金誉嘉信康思晟华宏昌泰亿旭甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未申酉戌亥春夏秋冬东南西北天地玄黄"
      "宇");
  ASSERT_EQ(fiftyOne.size(), 51);
  auto w = Open();
  Type(w.get(), fiftyOne + QStringLiteral("，美达"));
  Click(w.get(), "按钮1");
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].text, "为保证正常运行,请不要输入超过50个汉字.当前字数:51");
  EXPECT_EQ(boxes_.shown()[0].title, "提示");
  EXPECT_EQ(boxes_.shown()[0].flags, 64);
  EXPECT_TRUE(started_.empty());
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(Edit(w.get())->toPlainText(), fiftyOne + QStringLiteral("美达"));  // the cleaned text
  w->reject();
  w.reset();

  auto again = Open();
  EXPECT_EQ(Edit(again.get())->toPlainText(), fiftyOne);
}

TEST_F(CombinationWindow, FiftyCharactersWithRepeatsPass) {
  const QString fifty = QStringLiteral(
      "美达威金誉嘉信康思晟华宏昌泰亿旭甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未申酉戌亥春夏秋冬东南西北天地玄黄");
  auto w = Open();
  Type(w.get(), fifty + fifty);
  Click(w.get(), "按钮1");
  ASSERT_EQ(started_.size(), 1u);
  EXPECT_EQ(started_[0].size(), 50u);
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(CombinationWindow, CancelAfterEditingLeavesTheArchiveAlone) {
  ASSERT_TRUE(engine::SaveCombinationArchive(engine::CombinationArchivePath(), G("美达易")));
  auto w = Open();
  Type(w.get(), QStringLiteral("华夏"));
  Click(w.get(), "按钮2");
  EXPECT_EQ(w->result(), QDialog::Rejected);
  EXPECT_FALSE(w->runStarted());
  EXPECT_TRUE(started_.empty());
  EXPECT_EQ(Archive(), G("美达易"));
}

TEST_F(CombinationWindow, NothingUsableStillStartsAnEmptyRun) {
  auto w = Open();
  Type(w.get(), QStringLiteral("abc, 123!"));
  Click(w.get(), "按钮1");
  ASSERT_EQ(started_.size(), 1u);
  EXPECT_TRUE(started_[0].empty());
  EXPECT_EQ(Archive(), "");
}

}  // namespace
