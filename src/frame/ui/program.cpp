#include "frame/ui/program.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include "frame/globals.h"
#include "frame/ui/MainWindow.h"
#include "platform/ui/qt_bridge.h"

namespace frame {

int RunProgram(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QDir::setCurrent(QCoreApplication::applicationDirPath());
  platform::InstallDesktopDialogs();
  InitGlobals();
  int code = 0;
  {
    auto* window = new MainWindow();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showForSavedState();
    code = app.exec();
  }
  FreeGlobals();
  return code;
}

}  // namespace frame
