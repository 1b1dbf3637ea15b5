#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <cstdlib>
#include <memory>

#include "frame/ui/MainWindow.h"
#include "frame/ui/NamingModes.h"
#include "support/core/test_home.h"
#include "support/gui/recorders.h"

using frame::MainWindow;
using frame::NamingModes;

namespace {

const QString kPictureHint1 = QStringLiteral(
    "智慧模式一：由软件根据您设置每次智能生成2000多个公司名；觉得不满意可重复生成，名称总量达到一百多万个。");
const QString kPictureHint2 = QStringLiteral(
    "智慧模式二：由软件根据您设置每次智能生成300来个公司名；觉得不满意可重复生成，名称总量达到五十多万个。");
const QString kRadioHint1 = QStringLiteral(
    "智能模式1：由软件根据您设置每次自动生成2000多个公司名；觉得不满意可重复生成，名称总量达到一百多万个。");
const QString kRadioHint2 = QStringLiteral(
    "智能模式2：由软件根据您设置每次自动生成300来个公司名；觉得不满意可重复生成，名称总量达到五十多万个。");
const QString kCombinationHint = QStringLiteral(
    "组合模式：将您自行输入的汉字组合生成公司名，比如输入‘美达易’将产生‘美达、美易、易达’等组合。");
const QString kDesignedStatus = QStringLiteral(
    "智慧模式一：由软件根据您设置每次自动生成2000多个公司名；觉得不满意可重复生成，名称总量达到一百多万个。");

const char* const kRadios[] = {"单选框1", "单选框3", "单选框2"};
const char* const kButtons[] = {"图形按钮m1", "图形按钮m2", "图形按钮m3"};

class NamingModesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("LANZHOU_SITE_URL", "http://127.0.0.1:9/", 1);
    home.PrepareGlobals();
    window = std::make_unique<MainWindow>();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    modes = window->findChild<NamingModes*>();
    ASSERT_NE(modes, nullptr);
  }

  // Which mode the radio boxes and the faces say is on; -1 when they
  // disagree or not exactly one is on.
  int ModeOn() {
    int radio = -1, face = -1, radios = 0, faces = 0;
    for (int m = 0; m < 3; ++m) {
      if (window->control<QRadioButton>(kRadios[m])->isChecked()) radio = m, ++radios;
      if (window->control<QToolButton>(kButtons[m])->property(NamingModes::SelectedFaceProperty()).toBool())
        face = m, ++faces;
    }
    return (radios == 1 && faces == 1 && radio == face) ? radio : -1;
  }
  QString Status() { return window->statusPart(1); }

  void ShowResultButtons() {
    window->control<QPushButton>("按钮2")->show();
    window->control<QPushButton>("按钮3")->show();
  }
  bool ResultButtonsHidden() {
    bool b2 = window->control<QPushButton>("按钮2")->isHidden();
    bool b3 = window->control<QPushButton>("按钮3")->isHidden();
    EXPECT_EQ(b2, b3);
    return b2 && b3;
  }

  testing_support::TestHome home;
  testing_support::MessageBoxRecorder boxes;
  testing_support::LaunchRecorder launches;
  std::unique_ptr<MainWindow> window;
  NamingModes* modes = nullptr;
};

TEST_F(NamingModesTest, StartsOnSmartMode1WithTheDesignedStatusText) {
  EXPECT_EQ(ModeOn(), 0);
  EXPECT_EQ(Status(), kDesignedStatus);
  for (int m = 0; m < 3; ++m) {
    for (bool selected : {false, true}) {
      QPixmap face = NamingModes::ModeFace(static_cast<NamingModes::Mode>(m), selected);
      EXPECT_EQ(face.size(), QSize(69, 20));
    }
    EXPECT_NE(NamingModes::ModeFace(static_cast<NamingModes::Mode>(m), true).toImage(),
              NamingModes::ModeFace(static_cast<NamingModes::Mode>(m), false).toImage());
  }
}

// A mode and the hint one of its two sources shows.
struct ModeHint {
  int mode;
  QString hint;
};

class NamingModesPictureTest : public NamingModesTest, public ::testing::WithParamInterface<ModeHint> {};

TEST_P(NamingModesPictureTest, PictureButtonChecksItsModeAndShowsItsOwnWording) {
  const ModeHint& c = GetParam();
  auto* button = window->control<QToolButton>(kButtons[c.mode]);
  for (int round = 0; round < 2; ++round) {  // the second click re-applies the same state
    SCOPED_TRACE(round);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(ModeOn(), c.mode);
    EXPECT_EQ(Status(), c.hint);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, NamingModesPictureTest,
                         ::testing::Values(ModeHint{1, kPictureHint2}, ModeHint{2, kCombinationHint},
                                           ModeHint{0, kPictureHint1}));

TEST_F(NamingModesTest, SwitchingBackAndForthKeepsExactlyOneModeOn) {
  for (int m : {2, 1, 0, 2}) {
    window->control<QToolButton>(kButtons[m])->click();
    EXPECT_EQ(ModeOn(), m);
  }
}

class NamingModesRadioTest : public NamingModesTest, public ::testing::WithParamInterface<ModeHint> {};

TEST_P(NamingModesRadioTest, RadioBoxShowsItsOwnWordingOnlyWhileChecked) {
  const ModeHint& c = GetParam();
  window->setStatusPart(1, QStringLiteral("x"));
  // While another mode is on, the handler leaves the status bar alone.
  window->control<QToolButton>(kButtons[(c.mode + 1) % 3])->click();
  QString before = Status();
  if (c.mode == 0) modes->ShowSmartMode1Hint();
  if (c.mode == 1) modes->ShowSmartMode2Hint();
  if (c.mode == 2) modes->ShowCombinationModeHint();
  EXPECT_EQ(Status(), before);

  window->control<QRadioButton>(kRadios[c.mode])->click();
  EXPECT_TRUE(window->control<QRadioButton>(kRadios[c.mode])->isChecked());
  EXPECT_EQ(Status(), c.hint);
}

INSTANTIATE_TEST_SUITE_P(Rows, NamingModesRadioTest,
                         ::testing::Values(ModeHint{0, kRadioHint1}, ModeHint{1, kRadioHint2},
                                           ModeHint{2, kCombinationHint}));

struct TypingCase {
  const char* box;
  bool hides;
};

class NamingModesTypingTest : public NamingModesTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(NamingModesTypingTest, OnlyFixedCharacterBoxesHideTheResultButtons) {
  ShowResultButtons();
  auto* edit = window->control<QLineEdit>(GetParam().box);
  ASSERT_NE(edit, nullptr);
  QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QStringLiteral("禾"), Qt::NoModifier);
  ASSERT_EQ(edit->text().right(1), QStringLiteral("禾"));
  EXPECT_EQ(ResultButtonsHidden(), GetParam().hides);
}

INSTANTIATE_TEST_SUITE_P(Rows, NamingModesTypingTest,
                         ::testing::Values(TypingCase{"编辑框A1", true}, TypingCase{"编辑框A2", true},
                                           TypingCase{"编辑框A3", true}, TypingCase{"编辑框A4", true},
                                           TypingCase{"编辑框A5", false}, TypingCase{"编辑框1", false},
                                           TypingCase{"编辑框2", false}));

TEST_F(NamingModesTest, ChoosingANameLengthHidesTheResultButtonsAndLaysOutTheBoxes) {
  auto* length = window->control<QComboBox>("组合框1");
  ShowResultButtons();
  length->setFocus();
  QTest::keyClick(length, Qt::Key_Down);
  EXPECT_EQ(length->currentIndex(), 1);
  EXPECT_TRUE(ResultButtonsHidden());
  EXPECT_FALSE(window->control<QLineEdit>("编辑框A3")->isHidden());
  EXPECT_TRUE(window->control<QLineEdit>("编辑框A4")->isHidden());
  EXPECT_EQ(length->x(), 253);

  // Restoring a length from code is no choice of the user's.
  ShowResultButtons();
  length->setCurrentIndex(2);
  EXPECT_FALSE(ResultButtonsHidden());
}

TEST_F(NamingModesTest, EveryHintFitsTheStatusBarAtTheDesignedSize) {
  window->showNormal();
  window->resize(MainWindow::kDesignedWidth, MainWindow::kDesignedHeight);
  QCoreApplication::processEvents();
  auto* part = window->findChild<QLabel*>(QStringLiteral("状态条1_1"));
  ASSERT_NE(part, nullptr);
  for (const QString& hint : {kPictureHint1, kPictureHint2, kRadioHint1, kRadioHint2, kCombinationHint,
                              QStringLiteral("提示:在表格上点击鼠标右键有操作菜单；直接双击表格一行可以查看评分。")})
    EXPECT_GE(part->contentsRect().width(), part->fontMetrics().horizontalAdvance(hint)) << hint.toStdString();
}

}  // namespace
