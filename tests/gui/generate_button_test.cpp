// The generate button in the real main window: questions, a whole smart mode
// 1 run into the grid, and closing in the middle of a run.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QSignalSpy>
#include <QTest>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <set>

#include "engine/char_tables.h"
#include "engine/luck.h"
#include "engine/ui/GenerateController.h"
#include "engine/ui/ResultModel.h"
#include "frame/globals.h"
#include "frame/settings.h"
#include "frame/ui/MainWindow.h"
#include "platform/gbk.h"
#include "support/core/test_home.h"
#include "support/gui/main_window_fixture.h"
#include "support/gui/recorders.h"
#include "support/gui/wait_until.h"

using frame::MainWindow;
using gbk::G;
using testing_support::WaitUntil;

namespace {

class GenerateButtonTest : public testing_support::MainWindowTest {
 protected:
  std::string Cell(int row, int column) { return model->index(row, column).data().toString().toStdString(); }
};

TEST_F(GenerateButtonTest, SmartModeOneFillsTheGridWithUniqueNumberedRows) {
  Generate();
  // The shipped pool holds a few dozen characters, so many of the 2000 draws repeat.
  ASSERT_GT(model->rowCount(), 1000);
  EXPECT_LE(model->rowCount(), 2000);
  std::set<std::string> names;
  for (int r = 0; r < model->rowCount(); ++r) {
    const engine::ResultRow& row = model->row(r);
    ASSERT_EQ(row.serial, r + 1);
    EXPECT_TRUE(names.insert(row.name).second) << "repeated name in row " << r + 1;
    EXPECT_EQ(row.fullName, G("苏州") + row.name + G("软件有限公司"));
    EXPECT_EQ(row.name.size(), 4u);
    EXPECT_EQ(row.fiveElements.size(), 4u);  // the name's two elements only
    EXPECT_EQ(row.score, engine::LuckGradeOfNumber(row.kangxiStrokes));
    EXPECT_EQ(Cell(r, 0), std::to_string(r + 1));
  }
  // Every row carries the grid's row picture in its first column.
  EXPECT_FALSE(model->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
  EXPECT_TRUE(window->control<QLabel>("图片框3")->isHidden());
  EXPECT_FALSE(window->control<QPushButton>("按钮2")->isHidden());
  EXPECT_FALSE(window->control<QPushButton>("按钮3")->isHidden());
  EXPECT_TRUE(window->control<QPushButton>("按钮4")->isHidden());
  EXPECT_TRUE(window->control<QProgressBar>("进度条4")->isHidden());
  EXPECT_TRUE(window->control<QTableView>("超级列表框1")->isEnabled());
  EXPECT_EQ(window->statusPart(1),
            QStringLiteral("提示:在表格上点击鼠标右键有操作菜单；直接双击表格一行可以查看评分。"));
  // The run's names are published for the features that read them later.
  std::string published = frame::globals().generatedNames.Get();
  EXPECT_EQ(published.size(), static_cast<size_t>(model->rowCount()) * 6);
  EXPECT_TRUE(boxes.shown().empty());

  const QByteArray shot = qgetenv("LANZHOU_SCREENSHOT");
  if (!shot.isEmpty()) {
    window->showNormal();
    window->resize(MainWindow::kDesignedWidth, MainWindow::kDesignedHeight);
    QCoreApplication::processEvents();
    window->grab().save(QString::fromUtf8(shot));
  }
}

TEST_F(GenerateButtonTest, NameColumnsFitTheNamesWithinLimits) {
  auto* grid = window->control<QTableView>("超级列表框1");
  QFont large = grid->font();  // whatever font the platform has, names overflow
  large.setPixelSize(20);
  grid->setFont(large);
  std::string longSuffix;
  for (int i = 0; i < 40; ++i) longSuffix += "发";
  longSuffix += "有限公司";
  enum Width { Design, Wider, Capped };
  struct Row {
    std::string suffix;
    bool relisting;
    Width width;
  } rows[] = {
      {"网络科技发展有限公司", false, Wider},
      {longSuffix, false, Capped},
      {"厂", false, Design},
      // A re-listing fits them as a run does.
      {"网络科技发展有限公司", true, Wider},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.suffix);
    window->control<QLineEdit>("编辑框2")->setText(QString::fromStdString(r.suffix));
    if (r.relisting) {
      const int count = model->rowCount();
      QSignalSpy emptied(model, &QAbstractItemModel::modelReset);
      ASSERT_TRUE(
          engine::FindGenerateController(window.get())->startRelisting(frame::globals().generatedNames.Get()));
      ASSERT_TRUE(WaitUntil([&] { return emptied.count() > 0 && model->rowCount() == count && Idle(); }, 20000));
    } else {
      Generate();
    }
    ASSERT_GT(model->rowCount(), 0);
    for (int column : {1, 3}) {
      const int text = grid->fontMetrics().horizontalAdvance(model->index(0, column).data().toString());
      if (r.width == Design) EXPECT_EQ(grid->columnWidth(column), 172) << column;
      if (r.width == Wider) EXPECT_GT(grid->columnWidth(column), text) << column;
      if (r.width == Capped) EXPECT_LT(grid->columnWidth(column), text) << column;
    }
    if (r.width != Capped) continue;
    // The other columns stay in view of a maximised window.
    int all = 0;
    for (int c = 0; c < 8; ++c) all += grid->columnWidth(c);
    EXPECT_LE(all, 1000);
    // The cut full name shows whole as its tooltip.
    const QRect cell = grid->visualRect(model->index(0, 1));
    QHelpEvent help(QEvent::ToolTip, cell.center(), grid->viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(grid->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), QString::fromStdString("苏州" + gbk::ToUtf8(model->row(0).name) + r.suffix));
  }
}

TEST_F(GenerateButtonTest, SerialColumnFitsTheLargestNumber) {
  // 50 characters of combination mode, three to a name, list 117,600 names.
  std::string names;
  for (int i = 0; i < 117600; ++i) names += G("金木") + "\r\n";
  auto* grid = window->control<QTableView>("超级列表框1");
  ASSERT_TRUE(engine::FindGenerateController(window.get())->startRelisting(names));
  ASSERT_TRUE(WaitUntil([&] { return model->rowCount() == 117600 && Idle(); }, 60000));
  const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
  const int needed = grid->fontMetrics().horizontalAdvance(QStringLiteral("117600")) +
                     grid->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, grid) + 4 * margin;
  EXPECT_GE(grid->columnWidth(0), needed);
}

TEST_F(GenerateButtonTest, FixedCharactersTakeTheirPlaces) {
  window->control<QComboBox>("组合框1")->setCurrentIndex(1);
  window->control<QLineEdit>("编辑框A1")->setText(QStringLiteral(" 华 "));
  Generate();
  ASSERT_GT(model->rowCount(), 0);
  EXPECT_EQ(window->control<QLineEdit>("编辑框A1")->text(), QStringLiteral("华"));
  for (const auto& row : model->rows()) {
    ASSERT_EQ(row.name.size(), 6u);
    EXPECT_EQ(row.name.substr(0, 2), G("华"));
  }
  // F3 means nothing for two-character names.
  window->control<QComboBox>("组合框1")->setCurrentIndex(0);
  window->control<QLineEdit>("编辑框A1")->clear();
  window->control<QLineEdit>("编辑框A3")->setText(QStringLiteral("龙"));
  Generate();
  for (const auto& row : model->rows()) EXPECT_EQ(row.name.size(), 4u);
}

TEST_F(GenerateButtonTest, IncompleteBossNameAsksFirstAndNoStopsEverything) {
  window->control<QLineEdit>("编辑框N2")->clear();
  boxes.QueueAnswer(6);  // No
  QTest::mouseClick(button, Qt::LeftButton);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "公司老板姓名未设置完整,是否继续？");
  EXPECT_EQ(boxes.shown()[0].flags, 36);
  EXPECT_TRUE(button->isEnabled());
  EXPECT_EQ(window->focusWidget(), window->control<QLineEdit>("编辑框N1"));
  QTest::qWait(50);
  EXPECT_EQ(model->rowCount(), 0);

  boxes.clear();
  boxes.QueueAnswer(5);  // Yes
  Generate();
  EXPECT_EQ(boxes.shown().size(), 1u);
  EXPECT_GT(model->rowCount(), 0);
}

TEST_F(GenerateButtonTest, ADoubleClickStartsOneRun) {
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_FALSE(button->isEnabled());
  QTest::mouseClick(button, Qt::LeftButton);
  ASSERT_TRUE(testing_support::WaitUntil([&] { return Idle(); }, 20000));
  QTest::qWait(100);
  for (int r = 0; r < model->rowCount(); ++r) ASSERT_EQ(model->row(r).serial, r + 1);
}

TEST_F(GenerateButtonTest, SmartModeTwoListsWordNamesFromItsPictureButton) {
  QTest::mouseClick(window->control<QToolButton>("图形按钮m2"), Qt::LeftButton);
  ASSERT_TRUE(window->control<QRadioButton>("单选框3")->isChecked());
  Generate();
  EXPECT_GT(model->rowCount(), 100);
  EXPECT_LE(model->rowCount(), 450);
  for (int r = 0; r < model->rowCount(); ++r) ASSERT_EQ(model->row(r).serial, r + 1);
}

TEST_F(GenerateButtonTest, CombinationModeRunsOverTheTypedCharactersAndRemembersThem) {
  QTest::mouseClick(window->control<QToolButton>("图形按钮m3"), Qt::LeftButton);
  ASSERT_TRUE(window->control<QRadioButton>("单选框2")->isChecked());
  window->control<QComboBox>("组合框1")->setCurrentIndex(1);
  bool dialogSeen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialogSeen = true;
    EXPECT_FALSE(button->isEnabled());
    dialog->findChild<QPlainTextEdit*>(QStringLiteral("编辑框1"))->setPlainText(QStringLiteral("美,达 易美"));
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("按钮1")), Qt::LeftButton);
  });
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(dialogSeen);
  ASSERT_TRUE(testing_support::WaitUntil([&] { return Idle(); }, 20000));
  ASSERT_EQ(model->rowCount(), 6);  // the ordered triples of 美, 达, 易
  std::set<std::string> names;
  for (const auto& row : model->rows()) names.insert(gbk::ToUtf8(row.name));
  EXPECT_TRUE(names.count("美达易"));
  EXPECT_TRUE(names.count("易达美"));

  // The input is kept for the next time the window opens, across restarts.
  window->close();
  window = std::make_unique<MainWindow>();
  window->show();
  button = window->control<QPushButton>("按钮1");
  ASSERT_TRUE(testing_support::WaitUntil([&] { return button->isEnabled(); }, 10000));
  window->control<QLineEdit>("编辑框N1")->setText(QStringLiteral("张"));
  window->control<QLineEdit>("编辑框N2")->setText(QStringLiteral("伟"));
  QTest::mouseClick(window->control<QToolButton>("图形按钮m3"), Qt::LeftButton);
  QString kept;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    kept = dialog->findChild<QPlainTextEdit*>(QStringLiteral("编辑框1"))->toPlainText();
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("按钮2")), Qt::LeftButton);
  });
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(kept, QStringLiteral("美达易"));
  EXPECT_TRUE(button->isEnabled());  // cancelled: nothing runs
}

TEST_F(GenerateButtonTest, ARefusedRunLeavesAnEmptyGridWithNothingBehindIt) {
  // At the designed size the hint picture covers an empty grid until the
  // first click; emptying the grid for a refused or empty run must not bring
  // it back, nor leave the result buttons on the last run's names.
  window->showNormal();
  window->resize(MainWindow::kDesignedWidth, MainWindow::kDesignedHeight);
  QCoreApplication::processEvents();
  auto* hint = window->control<QLabel>("图片框3");
  ASSERT_FALSE(hint->isHidden());
  Generate();
  ASSERT_GT(model->rowCount(), 0);
  ASSERT_FALSE(window->control<QPushButton>("按钮3")->isHidden());

  QTest::mouseClick(window->control<QToolButton>("图形按钮m3"), Qt::LeftButton);
  window->control<QComboBox>("组合框1")->setCurrentIndex(2);
  QTest::mouseClick(button, Qt::LeftButton);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "组合模式只支持二字名和三字名！请在<字词限定>选项里修改设置！");
  EXPECT_EQ(model->rowCount(), 0);
  EXPECT_TRUE(hint->isHidden());
  // Nothing of the last run is left to filter or to page through.
  EXPECT_TRUE(window->control<QPushButton>("按钮2")->isHidden());
  EXPECT_TRUE(window->control<QPushButton>("按钮3")->isHidden());
  EXPECT_EQ(frame::globals().generatedNames.Get(), "");
  EXPECT_TRUE(button->isEnabled());

  QTest::mouseClick(window->control<QToolButton>("图形按钮m1"), Qt::LeftButton);
  window->control<QComboBox>("组合框1")->setCurrentIndex(0);
  frame::globals().namesPerRun.Set("0");
  Generate();
  frame::globals().namesPerRun.Set("2000");
  EXPECT_EQ(model->rowCount(), 0);
  EXPECT_TRUE(hint->isHidden());
}

TEST_F(GenerateButtonTest, ClosingDuringARunEndsCleanlyAndKeepsTheInputs) {
  frame::globals().namesPerRun.Set("200000");
  window->control<QLineEdit>("编辑框1")->setText(QStringLiteral("杭州"));
  QTest::mouseClick(button, Qt::LeftButton);
  ASSERT_TRUE(testing_support::WaitUntil([&] { return model->rowCount() > 0; }, 10000));
  window->close();
  EXPECT_FALSE(platform::IsRunning(frame::globals().generationThread));
  window.reset();
  QTest::qWait(50);  // rows still queued for the gone window are dropped
  EXPECT_EQ(gbk::ToUtf8(frame::ReadSetting(G("地区名"), "")), "杭州");
  frame::globals().namesPerRun.Set("2000");
}

}  // namespace
