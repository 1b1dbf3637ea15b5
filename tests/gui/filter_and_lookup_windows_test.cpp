// The filter window over a real run in the main window, and the character
// lookup window.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <atomic>
#include <memory>
#include <thread>

#include "analysis/ui/CharacterLookupWindow.h"
#include "engine/char_tables.h"
#include "engine/smart_mode_run.h"
#include "engine/ui/FilterSettingsWindow.h"
#include "engine/ui/GenerateController.h"
#include "engine/ui/ResultModel.h"
#include "frame/globals.h"
#include "frame/ui/MainWindow.h"
#include "platform/gbk.h"
#include "platform/threads.h"
#include "support/core/test_home.h"
#include "support/gui/main_window_fixture.h"
#include "support/gui/recorders.h"
#include "support/gui/wait_until.h"

using engine::FilterSettingsWindow;
using frame::MainWindow;
using gbk::G;
using testing_support::WaitUntil;

namespace {

class FilterWindowTest : public testing_support::MainWindowTest {
 protected:
  FilterSettingsWindow* Open() { return engine::OpenFilterWindow(window.get()); }
  void Apply(FilterSettingsWindow* filter) {
    QTest::mouseClick(filter->control<QPushButton>("按钮1"), Qt::LeftButton);
    // The re-listing has started by now; once it has ended, its reports are
    // all queued and the next round of events delivers them.
    ASSERT_TRUE(WaitUntil([&] { return !platform::IsRunning(frame::globals().generationThread); }));
    QTest::qWait(50);
    ASSERT_TRUE(Idle());
  }
};

TEST_F(FilterWindowTest, OpensWithThePositionsTheNameLengthAndFixedCharactersLeave) {
  struct Case {
    int lengthIndex;
    const char* fixedBox;  // filled, or nullptr
    bool enabled[4];       // masters of positions 1..4, on each page
  };
  const Case cases[] = {
      {0, nullptr, {true, true, false, false}},    {1, nullptr, {true, true, true, false}},
      {2, nullptr, {true, true, true, true}},      {2, "编辑框A1", {false, true, true, true}},
      {1, "编辑框A3", {true, true, false, false}},
  };
  const char* masters[4][3] = {{"选择框33", "选择框51", "选择框54"},
                               {"选择框4", "选择框2", "选择框6"},
                               {"选择框5", "选择框3", "选择框7"},
                               {"选择框39", "选择框52", "选择框55"}};
  for (const Case& c : cases) {
    window->control<QComboBox>("组合框1")->setCurrentIndex(c.lengthIndex);
    for (const char* box : {"编辑框A1", "编辑框A2", "编辑框A3", "编辑框A4"})
      window->control<QLineEdit>(box)->setText(
          c.fixedBox && std::string(box) == c.fixedBox ? QStringLiteral("华") : "");
    FilterSettingsWindow* filter = Open();
    for (int p = 0; p < 4; ++p)
      for (const char* m : masters[p])
        EXPECT_EQ(filter->control<QCheckBox>(m)->isEnabled(), c.enabled[p])
            << m << " length " << c.lengthIndex << " fixed " << (c.fixedBox ? c.fixedBox : "-");
    EXPECT_TRUE(filter->control<QCheckBox>("选择框19")->isEnabled());
    EXPECT_EQ(filter->control<QComboBox>("组合框7")->currentText(), "1");
    EXPECT_EQ(filter->control<QComboBox>("组合框8")->currentText(), "30");
    EXPECT_EQ(filter->control<QComboBox>("组合框1")->currentText(), "60");
    filter->close();
  }
}

TEST_F(FilterWindowTest, MastersEnableOrShowTheirRowWithoutTouchingItsValues) {
  FilterSettingsWindow* filter = Open();
  auto* master = filter->control<QCheckBox>("选择框33");
  auto* metal = filter->control<QCheckBox>("选择框34");
  EXPECT_FALSE(metal->isEnabled());
  master->click();
  ASSERT_TRUE(metal->isEnabled());
  metal->click();
  master->click();
  EXPECT_FALSE(metal->isEnabled());
  EXPECT_TRUE(metal->isChecked());
  // Nothing ticked under a checked master restricts nothing.
  master->click();
  metal->click();
  EXPECT_EQ(filter->conditions().allowedElements[0], "");

  filter->control<QTabWidget>("选择夹1")->setCurrentIndex(2);
  auto* edit = filter->control<QLineEdit>("编辑框7");
  EXPECT_TRUE(edit->isHidden());
  filter->control<QCheckBox>("选择框54")->click();
  EXPECT_TRUE(edit->isVisible());
  edit->setText("jin");
  filter->control<QCheckBox>("选择框54")->click();
  EXPECT_TRUE(edit->isHidden());
  EXPECT_EQ(edit->text(), "jin");

  QTest::mouseClick(filter->control<QPushButton>("按钮2"), Qt::LeftButton);
  EXPECT_TRUE(WaitUntil([&] { return window->findChild<FilterSettingsWindow*>() == nullptr; }));
}

TEST_F(FilterWindowTest, TwoFiltersNarrowTheRunAndLeaveButtonFourAndTheStatusAlone) {
  Generate();
  ASSERT_GT(model->rowCount(), 100);
  const std::string first = model->row(0).name.substr(0, 2);
  window->setStatusPart(1, QStringLiteral("marker"));
  window->control<QLineEdit>("编辑框1")->setText(QStringLiteral("临江"));

  FilterSettingsWindow* filter = Open();
  auto* tabs = filter->control<QTabWidget>("选择夹1");
  tabs->setCurrentIndex(0);
  filter->control<QCheckBox>("选择框33")->click();
  const char* boxes33[5] = {"选择框34", "选择框35", "选择框36", "选择框37", "选择框38"};
  const std::string element = engine::GetFiveElement(first);
  const char* elements[5] = {"金", "木", "水", "火", "土"};
  for (int k = 0; k < 5; ++k)
    if (G(elements[k]) == element) filter->control<QCheckBox>(boxes33[k])->click();
  Apply(filter);
  const int afterFirst = model->rowCount();
  ASSERT_GT(afterFirst, 0);
  for (int r = 0; r < afterFirst; ++r) {
    ASSERT_EQ(model->row(r).serial, r + 1);
    ASSERT_EQ(engine::GetFiveElement(model->row(r).name.substr(0, 2)), element);
    ASSERT_EQ(model->row(r).fullName.substr(0, 4), G("临江"));
  }
  EXPECT_EQ(window->statusPart(1), QStringLiteral("marker"));
  EXPECT_TRUE(window->control<QPushButton>("按钮4")->isHidden());
  EXPECT_FALSE(window->control<QPushButton>("按钮2")->isHidden());
  EXPECT_TRUE(window->control<QTableView>("超级列表框1")->isEnabled());
  EXPECT_EQ(frame::globals().generatedNames.Get().size(), static_cast<std::size_t>(afterFirst) * 6);

  // Kangxi range on the first character: a subset of the first filter.
  filter = Open();
  filter->control<QTabWidget>("选择夹1")->setCurrentIndex(1);
  filter->control<QRadioButton>("单选框2")->click();
  filter->control<QCheckBox>("选择框51")->click();
  const int k = engine::GetKangxiStrokes(first);
  filter->control<QComboBox>("组合框7")->setCurrentIndex(k - 1);
  filter->control<QComboBox>("组合框8")->setCurrentIndex(k - 1);
  Apply(filter);
  ASSERT_GT(model->rowCount(), 0);
  EXPECT_LE(model->rowCount(), afterFirst);
  for (int r = 0; r < model->rowCount(); ++r)
    ASSERT_EQ(engine::GetKangxiStrokes(model->row(r).name.substr(0, 2)), k);
  EXPECT_EQ(frame::globals().filteredNames.Get(), frame::globals().generatedNames.Get());
}

TEST_F(FilterWindowTest, ConfirmingIsRefusedWhileARunIsGoing) {
  FilterSettingsWindow* filter = Open();
  std::atomic<bool> release = false;
  ASSERT_TRUE(engine::StartOnGenerationThread([&](std::stop_token) {
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }));
  QTest::mouseClick(filter->control<QPushButton>("按钮1"), Qt::LeftButton);
  release = true;
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "正在生成名称,请等生成结束后再筛选");
  EXPECT_EQ(boxes.shown()[0].flags, 64);
  EXPECT_TRUE(filter->control<QPushButton>("按钮1")->isEnabled());
  EXPECT_EQ(window->findChild<FilterSettingsWindow*>(), filter);
}

TEST_F(FilterWindowTest, ARelistingRefusesAnotherFilterAndStopsWithTheMainWindow) {
  std::string names;
  for (int i = 0; i < 200000; ++i) names += G("金木") + "\r\n";
  frame::globals().generatedNames.Set(names);
  FilterSettingsWindow* filter = Open();
  filter->control<QTabWidget>("选择夹1")->setCurrentIndex(3);
  QTest::mouseClick(filter->control<QPushButton>("按钮1"), Qt::LeftButton);
  ASSERT_TRUE(platform::IsRunning(frame::globals().generationThread));
  // The refusal names what is going: no generation run.
  QTest::mouseClick(Open()->control<QPushButton>("按钮1"), Qt::LeftButton);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "正在列出上次筛选的结果,请等列出结束后再筛选");
  window->close();
  EXPECT_FALSE(platform::IsRunning(frame::globals().generationThread));
  EXPECT_LT(frame::globals().generatedNames.Get().size(), names.size());
}

TEST_F(FilterWindowTest, TheResultButtonAndTheFourMenuItemsOpenTheirWindows) {
  auto* filterButton = window->control<QPushButton>("按钮2");
  filterButton->show();
  filterButton->click();
  EXPECT_NE(window->findChild<FilterSettingsWindow*>(), nullptr);
  EXPECT_TRUE(filterButton->isEnabled());
  const char* items[4] = {"五行属性查询", "简体笔画查询", "康熙笔画查询", "拼音查询"};
  for (int page = 0; page < 4; ++page) {
    auto* item = window->findChild<QAction*>(QString::fromUtf8(items[page]));
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    auto* lookup = window->findChild<analysis::CharacterLookupWindow*>();
    ASSERT_NE(lookup, nullptr);
    EXPECT_EQ(lookup->control<QTabWidget>("选择夹1")->currentIndex(), page);
    delete lookup;
  }
}

TEST(CharacterLookupWindow, OpensOnItsPageAndAnswersEachQuery) {
  testing_support::TestHome home;
  testing_support::MessageBoxRecorder boxes;
  QWidget parent;
  struct Case {
    int page;
    const char *input, *button, *result, *expected;
  };
  const Case cases[] = {
      {0, "编辑框1", "按钮2", "编辑框2", "金(金) 木(木)"},
      {1, "编辑框3", "按钮3", "编辑框4", "金(8) 木(4)"},
      {2, "编辑框7", "按钮7", "编辑框8", "金(8) 木(4)"},
      {3, "编辑框5", "按钮5", "编辑框6", "金(jin) 木(mu)"},
  };
  for (const Case& c : cases) {
    analysis::CharacterLookupWindow* w = analysis::OpenCharacterLookup(&parent, c.page);
    EXPECT_EQ(w->control<QTabWidget>("选择夹1")->currentIndex(), c.page);
    auto* input = w->control<QPlainTextEdit>(c.input);
    input->setPlainText(QStringLiteral("金 木\nab"));
    QTest::mouseClick(w->control<QPushButton>(c.button), Qt::LeftButton);
    EXPECT_EQ(w->control<QPlainTextEdit>(c.result)->toPlainText().toStdString(), c.expected);
    input->clear();
    QTest::mouseClick(w->control<QPushButton>(c.button), Qt::LeftButton);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "请输入至少一个字");
    EXPECT_EQ(boxes.shown()[0].title, "信息：");
    EXPECT_EQ(w->focusWidget(), input);
    boxes.clear();
    w->close();
  }
}

}  // namespace
