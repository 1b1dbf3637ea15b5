// A window shown maximised keeps a place on the screen to return to.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/ui/WindowState.h"

namespace {

TEST(ShowMaximized, RestoresToTheMiddleOfTheScreen) {
  QWidget window;
  window.resize(400, 300);
  platform::ShowMaximized(&window);
  window.showNormal();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(area.contains(window.geometry()));
  EXPECT_LE((window.geometry().center() - area.center()).manhattanLength(), 16);
}

}  // namespace
