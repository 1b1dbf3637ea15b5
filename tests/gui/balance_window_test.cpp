#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTest>
#include <memory>

#include "analysis/ui/FiveElementBalanceWindow.h"
#include "frame/settings.h"
#include "frame/ui/MainWindow.h"
#include "platform/gbk.h"
#include "platform/ui/qt_bridge.h"
#include "support/core/test_home.h"
#include "support/gui/recorders.h"
#include "support/gui/wait_until.h"

using analysis::FiveElementBalanceWindow;
using gbk::G;

namespace {

class BalanceWindow : public ::testing::Test {
 protected:
  void SetUp() override { home_.PrepareGlobals(); }

  void Save(const char* key, const char* value) { frame::WriteSetting(G(key), G(value)); }
  std::string Saved(const char* key) { return gbk::ToUtf8(frame::ReadSetting(G(key), "-")); }

  std::unique_ptr<FiveElementBalanceWindow> Open() {
    auto w = std::make_unique<FiveElementBalanceWindow>(&parent_);
    w->show();
    return w;
  }
  static QComboBox* Combo(FiveElementBalanceWindow& w, const char* name) {
    return w.control<QComboBox>(name);
  }
  static QString Analyse(FiveElementBalanceWindow& w) {
    w.control<QPushButton>("按钮1")->click();
    return w.control<QPlainTextEdit>("八字编辑框")->toPlainText();
  }

  testing_support::TestHome home_;
  testing_support::MessageBoxRecorder boxes_;
  QWidget parent_;
};

TEST_F(BalanceWindow, RestoresTheSharedBossDataAndKeepsWhatItCannotShow) {
  Save("选项18", "51");  // 2000
  Save("选项21", "0");
  Save("选项22", "0");
  Save("选项23", "24");  // the main window's "未知"
  Save("老板姓名1", "王");
  Save("老板姓名2", "小明");
  {
    auto w = Open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("公司五行平衡取名法"));
    EXPECT_EQ(w->size(), QSize(568, 394));
    EXPECT_EQ(Combo(*w, "组合框18")->count(), 82);
    EXPECT_EQ(Combo(*w, "组合框23")->count(), 25);
    EXPECT_EQ(Combo(*w, "组合框18")->currentText(), QStringLiteral("2000"));
    EXPECT_EQ(Combo(*w, "组合框23")->currentText(), QStringLiteral("未知"));
    EXPECT_EQ(w->control<QLineEdit>("编辑框2")->text(), QStringLiteral("小明"));
    // Without the hour: the name's analysis, and what the birth half needs.
    const QString text = Analyse(*w);
    EXPECT_TRUE(text.startsWith(QStringLiteral("公司老板姓名:王小明  (wang  xiao  ming)\n")))
        << text.toStdString();
    EXPECT_TRUE(
        text.endsWith(QStringLiteral("\n\n出生时辰未知，无法排出生辰八字，这次只分析了姓名。"
                                     "请选好出生的时辰（0至23时）再点“测算”。\n")))
        << text.toStdString();
    Combo(*w, "组合框21")->setCurrentIndex(4);
  }
  EXPECT_EQ(Saved("选项23"), "24");
  EXPECT_EQ(Saved("选项21"), "4");
  EXPECT_EQ(Saved("选项18"), "51");
}

TEST_F(BalanceWindow, FollowsChangesMadeElsewhereWhileOpen) {
  Save("选项23", "3");
  {
    auto w = Open();
    Save("选项23", "17");
    Save("老板姓名1", "欧阳");
    ASSERT_TRUE(testing_support::WaitUntil([&] { return Combo(*w, "组合框23")->currentIndex() == 17; }));
    EXPECT_EQ(w->control<QLineEdit>("编辑框1")->text(), QStringLiteral("欧阳"));
    Save("选项23", "24");
    ASSERT_TRUE(testing_support::WaitUntil([&] { return Combo(*w, "组合框23")->currentText() == "未知"; }));
  }
  EXPECT_EQ(Saved("选项23"), "24");
  EXPECT_EQ(Saved("老板姓名1"), "欧阳");
}

TEST_F(BalanceWindow, AnalysisAndTheCleaningQuestion) {
  Save("选项18", "51");
  Save("选项21", "0");
  Save("选项22", "0");
  Save("选项23", "0");
  auto w = Open();
  auto* surname = w->control<QLineEdit>("编辑框1");
  auto* given = w->control<QLineEdit>("编辑框2");
  surname->setText(QStringLiteral("王"));
  EXPECT_EQ(Analyse(*w), QStringLiteral("姓或名不可为空"));

  given->setText(QStringLiteral("小明"));
  QString text = Analyse(*w);
  EXPECT_TRUE(text.startsWith(QStringLiteral("公司老板姓名:王小明  (wang  xiao  ming)\n")))
      << text.toStdString();
  EXPECT_TRUE(text.endsWith(QStringLiteral("公司取名用字建议:不带偏重的五行元素,补上缺少的五行元素\n")));
  EXPECT_TRUE(boxes_.shown().empty());

  surname->setText(QStringLiteral("Li王"));
  boxes_.QueueAnswer(platform::kNo);
  EXPECT_TRUE(Analyse(*w).startsWith(QStringLiteral("公司老板姓名:Li王小明")));
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].text, "'公司老板姓名'内含非中文字符'il',是否清除?");
  EXPECT_EQ(boxes_.shown()[0].title, "询问");
  EXPECT_EQ(boxes_.shown()[0].flags, platform::kYesNoQuestion);

  surname->setText(QStringLiteral("li"));
  boxes_.QueueAnswer(platform::kYes);
  EXPECT_TRUE(Analyse(*w).startsWith(QStringLiteral("公司老板姓名:小明  (xiao  ming)\n")));
  EXPECT_EQ(surname->text(), QString());
}

TEST_F(BalanceWindow, OpensFromTheMainWindowAndFollowsItsBirthHour) {
  frame::MainWindow main;
  main.show();
  main.control<QLineEdit>("编辑框N1")->setText(QStringLiteral("王"));
  main.control<QLineEdit>("编辑框N2")->setText(QStringLiteral("小明"));
  main.saveBossOptions();  // as leaving the boxes does
  main.findChild<QAction*>(QStringLiteral("起名建议"))->trigger();
  auto* w = main.findChild<FiveElementBalanceWindow*>();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->control<QLineEdit>("编辑框1")->text(), QStringLiteral("王"));
  auto* mainHour = main.control<QComboBox>("组合框23");
  mainHour->setCurrentIndex(13);
  emit mainHour->activated(13);  // as choosing the hour does
  ASSERT_TRUE(testing_support::WaitUntil([&] { return Combo(*w, "组合框23")->currentIndex() == 13; }));
  EXPECT_TRUE(Analyse(*w).contains(QStringLiteral("日未时\n")));
  w->close();
  QApplication::processEvents();
  EXPECT_EQ(main.findChild<FiveElementBalanceWindow*>(), nullptr);
}

// The gender switch saves all seven boss keys: only the ones it changed may
// reach this window, whose unsaved choices for the others stay.
TEST_F(BalanceWindow, KeepsItsUnsavedChoicesWhenTheMainWindowSavesOtherKeys) {
  frame::MainWindow main;
  main.show();
  main.findChild<QAction*>(QStringLiteral("起名建议"))->trigger();
  auto* w = main.findChild<FiveElementBalanceWindow*>();
  ASSERT_NE(w, nullptr);
  Combo(*w, "组合框18")->setCurrentIndex(30);
  w->control<QLineEdit>("编辑框2")->setText(QStringLiteral("大明"));

  QTest::mouseClick(main.control<QToolButton>("图形按钮m4"), Qt::LeftButton);
  auto* mainHour = main.control<QComboBox>("组合框23");
  mainHour->setCurrentIndex(7);
  emit mainHour->activated(7);
  ASSERT_TRUE(testing_support::WaitUntil([&] { return Combo(*w, "组合框23")->currentIndex() == 7; }));
  EXPECT_EQ(Saved("选项sx"), "1");
  EXPECT_EQ(Combo(*w, "组合框18")->currentIndex(), 30);
  EXPECT_EQ(w->control<QLineEdit>("编辑框2")->text(), QStringLiteral("大明"));
  w->close();
  QApplication::processEvents();
  EXPECT_EQ(Saved("选项18"), "30");
  EXPECT_EQ(Saved("老板姓名2"), "大明");
}

}  // namespace
