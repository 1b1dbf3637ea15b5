// The result grid's context menu, double-click, status hint and export, on a
// real main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <memory>

#include "analysis/ui/NameEvaluationWindow.h"
#include "engine/name_parts.h"
#include "engine/ui/ResultModel.h"
#include "frame/globals.h"
#include "frame/ui/MainWindow.h"
#include "frame/ui/ResultGridMenu.h"
#include "platform/gbk.h"
#include "support/core/test_home.h"
#include "support/gui/recorders.h"

using frame::MainWindow;
using frame::ResultGridMenu;
using gbk::G;

namespace {

class GridMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>();
    window_->show();
    grid_ = window_->control<QTableView>("超级列表框1");
    ASSERT_NE(grid_, nullptr);
    model_ = qobject_cast<engine::ResultModel*>(grid_->model());
    if (!model_) {
      model_ = new engine::ResultModel(grid_);
      grid_->setModel(model_);
    }
    model_->clear();
    menu_ = window_->findChild<ResultGridMenu*>();
    ASSERT_NE(menu_, nullptr);
    Box("编辑框1")->setText(QStringLiteral("临江"));
    Box("编辑框2")->setText(QStringLiteral("软件有限公司"));
  }
  void TearDown() override {
    if (menu_) menu_->menu()->hide();
    window_.reset();
  }

  QLineEdit* Box(const char* name) const { return window_->control<QLineEdit>(name); }
  void AddRow(const char* full, const char* name) {
    engine::ResultRow row;
    row.serial = model_->rowCount() + 1;
    row.fullName = G(full);
    row.name = G(name);
    model_->appendRows({row});
  }
  void RightClick(int row) {
    QRect cell = grid_->visualRect(model_->index(row, 1));
    emit grid_->customContextMenuRequested(cell.center());
  }
  QString Text(const char* item) const { return menu_->item(item)->text(); }
  bool Visible(const char* item) const { return menu_->item(item)->isVisible(); }
  std::string Character(int i) const { return gbk::ToUtf8(frame::globals().gridMenuCharacter[i]); }
  QList<analysis::NameEvaluationWindow*> EvaluationWindows() const {
    return window_->findChildren<analysis::NameEvaluationWindow*>();
  }

  testing_support::TestHome home_;
  testing_support::MessageBoxRecorder boxes_;
  testing_support::LaunchRecorder launches_;
  std::unique_ptr<MainWindow> window_;
  QTableView* grid_ = nullptr;
  engine::ResultModel* model_ = nullptr;
  ResultGridMenu* menu_ = nullptr;
};

TEST_F(GridMenuTest, MenuItemsComeInTheirDesignedOrder) {
  QStringList names;
  for (QAction* a : menu_->menu()->actions())
    names << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
  EXPECT_EQ(names, (QStringList{"复制公司名", "-", "测算公司名", "-", "公司重名查询", "-", "将A设置为限定词",
                                "将B设置为限定词", "将C设置为限定词", "将D设置为限定词", "-",
                                "将E加入自选列表", "-", "导出所有公司名"}));
}

TEST_F(GridMenuTest, CaptionsAndQualifierItemsFollowTheNameLength) {
  AddRow("临江禾川软件有限公司", "禾川");
  AddRow("临江禾川木软件有限公司", "禾川木");
  AddRow("临江禾川木林软件有限公司", "禾川木林");
  AddRow("临江禾川木林森软件有限公司", "禾川木林森");

  RightClick(1);
  EXPECT_TRUE(menu_->menu()->isVisible());
  EXPECT_EQ(grid_->currentIndex().row(), 1);
  EXPECT_EQ(Text("复制公司名"), "复制公司名[临江禾川木软件有限公司]");
  EXPECT_EQ(Text("测算公司名"), "测算公司名[临江禾川木软件有限公司]");
  EXPECT_EQ(Text("公司重名查询"), "公司重名查询[禾川木]");
  EXPECT_EQ(Text("将A设置为限定词"), "将[禾]设置为限定词1");
  EXPECT_EQ(Text("将B设置为限定词"), "将[川]设置为限定词2");
  EXPECT_EQ(Text("将C设置为限定词"), "将[木]设置为限定词3");
  EXPECT_TRUE(Visible("将C设置为限定词"));
  EXPECT_FALSE(Visible("将D设置为限定词"));
  EXPECT_EQ(Text("将E加入自选列表"), "将[禾川木]加入自选列表");
  EXPECT_EQ(Character(3), "");
  EXPECT_EQ(gbk::ToUtf8(frame::globals().selectedFullName), "临江禾川木软件有限公司");
  EXPECT_EQ(gbk::ToUtf8(frame::globals().duplicateQueryName), "禾川木");
  menu_->menu()->hide();

  RightClick(0);
  EXPECT_TRUE(Visible("将A设置为限定词"));
  EXPECT_TRUE(Visible("将B设置为限定词"));
  EXPECT_FALSE(Visible("将C设置为限定词"));
  EXPECT_FALSE(Visible("将D设置为限定词"));
  EXPECT_EQ(Character(0) + Character(1) + Character(2), "禾川");
  menu_->menu()->hide();

  RightClick(2);
  EXPECT_EQ(Text("将A设置为限定词"), "将[禾]设为限定词1");
  EXPECT_EQ(Text("将C设置为限定词"), "将[木]设为限定词3");
  EXPECT_EQ(Text("将D设置为限定词"), "将[林]设为限定词4");
  for (const char* q : {"将A设置为限定词", "将B设置为限定词", "将C设置为限定词", "将D设置为限定词"})
    EXPECT_TRUE(Visible(q)) << q;
  menu_->menu()->hide();

  // Five characters: nothing to offer, so no qualifier item shows.
  RightClick(3);
  EXPECT_TRUE(menu_->menu()->isVisible());
  for (const char* q : {"将A设置为限定词", "将B设置为限定词", "将C设置为限定词", "将D设置为限定词"})
    EXPECT_FALSE(Visible(q)) << q;
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Character(i), "") << i;
  EXPECT_EQ(Text("将E加入自选列表"), "将[禾川木林森]加入自选列表");
}

TEST_F(GridMenuTest, NoMenuWithoutARow) {
  frame::globals().selectedFullName = G("旧");
  RightClick(0);  // the grid is empty
  EXPECT_FALSE(menu_->menu()->isVisible());
  EXPECT_EQ(gbk::ToUtf8(frame::globals().selectedFullName), "旧");
  menu_->EvaluateSelectedName();
  menu_->EvaluateGridRow();
  EXPECT_TRUE(EvaluationWindows().isEmpty());

  // Below the last row, with a row chosen before: still no menu.
  AddRow("临江禾川软件有限公司", "禾川");
  RightClick(0);
  menu_->menu()->hide();
  emit grid_->customContextMenuRequested(QPoint(5, grid_->viewport()->height() - 5));
  EXPECT_FALSE(menu_->menu()->isVisible());
}

TEST_F(GridMenuTest, QualifierItemsSetTheCharactersOfTheLastRightClick) {
  AddRow("临江禾川木林软件有限公司", "禾川木林");
  AddRow("临江山水软件有限公司", "山水");
  RightClick(0);
  menu_->menu()->hide();
  grid_->setCurrentIndex(model_->index(1, 1));
  menu_->item("将D设置为限定词")->trigger();
  menu_->item("将B设置为限定词")->trigger();
  EXPECT_EQ(Box("编辑框A4")->text(), "林");
  EXPECT_EQ(Box("编辑框A2")->text(), "川");
}

TEST_F(GridMenuTest, CopyPutsTheFullNameOnTheClipboard) {
  AddRow("临江禾川软件有限公司", "禾川");
  RightClick(0);
  menu_->item("复制公司名")->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "临江禾川软件有限公司");
}

TEST_F(GridMenuTest, EvaluateFromTheMenuRemovesPrefixAndSuffixEverywhere) {
  // The generated name contains the prefix text: it goes too.
  AddRow("临江江软件有限公司", "江");
  Box("编辑框1")->setText(QStringLiteral("江"));
  RightClick(0);
  menu_->item("测算公司名")->trigger();
  EXPECT_EQ(gbk::ToUtf8(frame::globals().selectedName), "临");
  EXPECT_EQ(gbk::ToUtf8(frame::globals().evaluationPrefix), "江");
  EXPECT_EQ(gbk::ToUtf8(frame::globals().evaluationSuffix), "软件有限公司");
  ASSERT_EQ(EvaluationWindows().size(), 1);
  EXPECT_EQ(EvaluationWindows()[0]->control<QLineEdit>("编辑框2")->text(), "临");

  // Empty boxes remove nothing and the handler returns.
  Box("编辑框1")->clear();
  Box("编辑框2")->clear();
  menu_->item("测算公司名")->trigger();
  EXPECT_EQ(gbk::ToUtf8(frame::globals().selectedName), "临江江软件有限公司");
  EXPECT_EQ(EvaluationWindows().size(), 2);
}

TEST_F(GridMenuTest, DoubleClickTakesTheGeneratedNameColumn) {
  AddRow("临江江软件有限公司", "江");
  Box("编辑框1")->setText(QStringLiteral("江"));
  QRect cell = grid_->visualRect(model_->index(0, 1));
  QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(grid_->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(gbk::ToUtf8(frame::globals().selectedName), "江");
  EXPECT_EQ(gbk::ToUtf8(frame::globals().selectedFullName), "临江江软件有限公司");
  ASSERT_EQ(EvaluationWindows().size(), 1);
  EXPECT_TRUE(EvaluationWindows()[0]->isMaximized());
}

TEST_F(GridMenuTest, CurrentRowShowsTheHint) {
  AddRow("临江禾川软件有限公司", "禾川");
  window_->setStatusPart(1, QString());
  grid_->setCurrentIndex(model_->index(0, 0));
  EXPECT_EQ(window_->statusPart(1), "提示:在表格上点击鼠标右键有操作菜单；直接双击表格一行可以查看评分。");
}

TEST_F(GridMenuTest, ExportWritesTheLastRunAndOpensItInTheEditor) {
  const auto path = ResultGridMenu::ExportFilePath();
  EXPECT_EQ(path, frame::globals().dataDirectory / "本次生成的所有公司名.txt");

  // Before any run: an empty file, still opened.
  frame::globals().generatedFullNames.Set("");
  menu_->item("导出所有公司名")->trigger();
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(testing_support::ReadAll(path), "");
  ASSERT_EQ(launches_.launches().size(), 1u);
  EXPECT_EQ(launches_.launches()[0].program, platform::ExternalProgram::TextEditor);
  EXPECT_EQ(launches_.launches()[0].argument, path.string());

  const std::string names = G("临江禾川软件有限公司") + "\r\n" + G("临江山水软件有限公司") + "\r\n";
  frame::globals().generatedFullNames.Set(names);
  menu_->ExportAllNames();
  EXPECT_EQ(testing_support::ReadAll(path), names);
  EXPECT_EQ(launches_.launches().size(), 2u);
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(GridMenuTest, AFailedExportIsReportedAndOpensNothing) {
  const auto path = ResultGridMenu::ExportFilePath();
  std::filesystem::create_directories(path / "in-the-way");
  frame::globals().generatedFullNames.Set(G("临江禾川软件有限公司") + "\r\n");
  menu_->ExportAllNames();
  EXPECT_TRUE(launches_.launches().empty());
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].flags, 64);
  EXPECT_NE(boxes_.shown()[0].text.find("本次生成的所有公司名.txt"), std::string::npos);
}

TEST_F(GridMenuTest, AddToFavouritesTakesTheBoxesOfTheMomentAndReportsOnlyAnAdd) {
  AddRow("临江禾川软件有限公司", "禾川");
  RightClick(0);
  Box("编辑框1")->setText(QStringLiteral("海州"));
  const auto file = frame::globals().appDataDirectory / "软件有限公司_海州__Name.txt";
  for (int i = 0; i < 2; ++i) {
    window_->setStatusPart(1, QString());
    menu_->item("将E加入自选列表")->trigger();
    EXPECT_EQ(testing_support::ReadAll(file), G("禾川") + "\r\n");
    EXPECT_EQ(window_->statusPart(1), i == 0 ? QStringLiteral("禾川-加入自选列表成功") : QString());
  }
}

}  // namespace
