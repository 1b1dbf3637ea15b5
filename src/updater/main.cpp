// The updater: started by the main program from its own folder with the
// main program's process id, it downloads and verifies the new version,
// waits for the main program to end, installs the new version and starts
// it. Whatever happens, the program is started again when the updater ends,
// so the user is never left without it.
#include <signal.h>

#include <QApplication>
#include <QLabel>
#include <QMetaObject>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "frame/settings.h"
#include "online/update_check.h"
#include "online/updater.h"
#include "platform/gbk.h"
#include "platform/ini.h"

namespace {

QString Q(std::string_view gbkText) { return QString::fromStdString(gbk::ToUtf8(gbkText)); }

bool ProcessHasEnded(pid_t pid) {
  if (::kill(pid, 0) != 0) return errno == ESRCH;
  // An ended process that its parent has not collected yet counts as ended.
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  size_t close = line.rfind(')');
  return close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z';
}

bool WaitForEnd(pid_t pid, std::stop_token stop) {
  if (pid <= 0) return true;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!ProcessHasEnded(pid)) {
    if (stop.stop_requested() || std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  platform::IgnoreFileSizeSignal();
  const pid_t mainProgram = argc > 1 ? static_cast<pid_t>(std::atol(argv[1])) : 0;
  const online::UpdaterInstructions instructions = online::ReadUpdaterInstructions(online::UpdaterInstructionFile());

  QWidget window;
  window.setObjectName(QStringLiteral("升级窗口"));
  window.setWindowTitle(instructions.windowTitle.empty() ? QStringLiteral("软件升级") : Q(instructions.windowTitle));
  window.resize(420, 140);
  auto* layout = new QVBoxLayout(&window);
  auto* step = new QLabel(QStringLiteral("正在准备升级..."), &window);
  step->setTextFormat(Qt::PlainText);
  step->setWordWrap(true);
  auto* progress = new QProgressBar(&window);
  progress->setRange(0, 100);
  progress->setValue(0);
  auto* close = new QPushButton(QStringLiteral("关闭"), &window);
  close->setEnabled(false);
  layout->addWidget(step);
  layout->addWidget(progress);
  layout->addWidget(close, 0, Qt::AlignRight);
  QObject::connect(close, &QPushButton::clicked, &window, &QWidget::close);
  window.show();

  auto post = [&app](std::function<void()> f) { QMetaObject::invokeMethod(&app, std::move(f), Qt::QueuedConnection); };
  std::jthread worker([&](std::stop_token stop) {
    online::UpdaterEvents events;
    events.step = [&](std::string_view text) { post([step, t = Q(text)] { step->setText(t); }); };
    // curl reports many times a second: only a new percentage reaches the bar.
    events.progress = [&, shown = -1](std::int64_t received, std::int64_t expected) mutable {
      if (expected <= 0) return;
      int percent = static_cast<int>(received * 100 / expected);
      if (percent == shown) return;
      shown = percent;
      post([progress, percent] { progress->setValue(percent); });
    };
    events.waitForProgramEnd = [mainProgram, stop] { return WaitForEnd(mainProgram, stop); };
    online::UpdateOutcome result = online::RunUpdate(instructions, events, stop);
    post([&, result] {
      step->setText(Q(result.message));
      if (result.installed) {
        progress->setValue(100);
        QTimer::singleShot(1500, &window, &QWidget::close);
      }
      close->setEnabled(true);
    });
  });

  int code = app.exec();
  worker.request_stop();
  worker.join();
  // The main program ended for the update; bring it (new or unchanged) back.
  const std::filesystem::path program = std::filesystem::path(gbk::ToUtf8(instructions.folder)) / online::kProgramFileName;
  std::error_code ec;
  if (mainProgram > 0 && ProcessHasEnded(mainProgram) && std::filesystem::is_regular_file(program, ec))
    QProcess::startDetached(QString::fromStdString(program.string()), {});
  return code;
}
