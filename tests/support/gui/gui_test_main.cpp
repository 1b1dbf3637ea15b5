// main() of every GUI test binary: a QApplication (offscreen under CI), the
// windows connected as the program connects them, and GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>

#include "frame/ui/Launchers.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                  : qgetenv("QT_QPA_PLATFORM"));
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  frame::ConnectWindows();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
