#pragma once
// A main window ready to generate: its start-up step has put the generation
// data in place and the boss's name is filled in. Message boxes are answered
// and recorded; the data folders are private to the test.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "engine/ui/GenerateController.h"
#include "engine/ui/ResultModel.h"
#include "frame/globals.h"
#include "frame/ui/MainWindow.h"
#include "support/core/test_home.h"
#include "support/gui/recorders.h"
#include "support/gui/wait_until.h"

namespace testing_support {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("LANZHOU_SITE_URL", "http://127.0.0.1:9/", 1);
    window = std::make_unique<frame::MainWindow>();
    window->show();
    button = window->control<QPushButton>("按钮1");
    ASSERT_TRUE(WaitUntil([&] { return button->isEnabled(); }, 10000));
    model = engine::FindGenerateController(window.get())->model();
    window->control<QLineEdit>("编辑框N1")->setText(QStringLiteral("张"));
    window->control<QLineEdit>("编辑框N2")->setText(QStringLiteral("伟"));
  }
  void TearDown() override {
    if (window) window->close();
    window.reset();
    frame::globals().generationThread.reset();
  }
  // 按钮1 back at rest after a run or a re-listing.
  bool Idle() const { return button->isEnabled() && button->text() == QStringLiteral("立即起名"); }
  void Generate() {
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return Idle(); }, 20000));
  }

  TestHome home;
  MessageBoxRecorder boxes;
  std::unique_ptr<frame::MainWindow> window;
  QPushButton* button = nullptr;
  engine::ResultModel* model = nullptr;
};

}  // namespace testing_support
