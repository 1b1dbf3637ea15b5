#include "frame/ui/program.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <exception>

#include "frame/globals.h"
#include "frame/ui/Launchers.h"
#include "frame/ui/MainWindow.h"
#include "platform/ini.h"
#include "platform/ui/end_signals.h"
#include "platform/ui/qt_bridge.h"

namespace frame {

int RunProgram(int argc, char** argv, std::string_view updateKey) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QDir::setCurrent(QCoreApplication::applicationDirPath());
  platform::InstallDesktopDialogs();
  platform::CloseWindowsOnEndSignals(app);
  platform::IgnoreFileSizeSignal();
  platform::UseChineseTexts();
  InitGlobals();
  ConnectWindows();
  globals().updateKey = std::string(updateKey);
  int code = 0;
  try {
    auto* window = new MainWindow();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showForSavedState();
    code = app.exec();
  } catch (const std::exception&) {
    QMessageBox::critical(nullptr, QStringLiteral("错误"), QStringLiteral("载入启动窗口失败"));
    code = 1;
  }
  FreeGlobals();
  return code;
}

}  // namespace frame
