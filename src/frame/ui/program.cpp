#include "frame/ui/program.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <QSocketNotifier>

#include <csignal>
#include <exception>
#include <sys/socket.h>
#include <unistd.h>

#include "frame/globals.h"
#include "frame/ui/MainWindow.h"
#include "platform/ini.h"
#include "platform/ui/qt_bridge.h"

namespace frame {
namespace {

// A session logout or `kill` asks the program to end with SIGTERM: close the
// windows the normal way, so that the inputs are saved and workers joined.
int g_signalPipe[2] = {-1, -1};

void OnTerminateSignal(int) {
  char c = 1;
  [[maybe_unused]] ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

void CloseWindowsOnSignals(QApplication& app) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app, [notifier] {
    notifier->setEnabled(false);
    char c;
    [[maybe_unused]] ssize_t n = ::read(g_signalPipe[0], &c, 1);
    QApplication::closeAllWindows();
    notifier->setEnabled(true);
  });
  struct sigaction sa = {};
  sa.sa_handler = OnTerminateSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &sa, nullptr);
  ::sigaction(SIGINT, &sa, nullptr);
}

}  // namespace

int RunProgram(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QDir::setCurrent(QCoreApplication::applicationDirPath());
  platform::InstallDesktopDialogs();
  CloseWindowsOnSignals(app);
  platform::IgnoreFileSizeSignal();
  // Qt's own texts (edit menus, print dialogs) in Chinese, like the rest.
  QTranslator qtTexts;
  if (qtTexts.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    app.installTranslator(&qtTexts);
  InitGlobals();
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
