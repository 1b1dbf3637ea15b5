#include "updater/UpdaterWindow.h"

#include <signal.h>

#include <QCloseEvent>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <string>
#include <utility>

#include "platform/gbk.h"

namespace updater {
namespace {

QString Q(std::string_view gbkText) { return QString::fromStdString(gbk::ToUtf8(gbkText)); }

// The main program ends about a second after starting the updater; a minute
// is more than enough.
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

bool ProcessHasEnded(pid_t pid) {
  if (::kill(pid, 0) != 0) return errno == ESRCH;
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  size_t close = line.rfind(')');
  return close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z';
}

UpdaterWindow::UpdaterWindow(online::UpdaterInstructions instructions, online::UpdaterSetup setup,
                             pid_t mainProgram, std::filesystem::path instructionFile)
    : instructions_(std::move(instructions)),
      setup_(std::move(setup)),
      mainProgram_(mainProgram),
      instructionFile_(std::move(instructionFile)) {
  setObjectName(QStringLiteral("升级窗口"));
  setWindowTitle(instructions_.windowTitle.empty() ? QStringLiteral("软件升级")
                                                   : Q(instructions_.windowTitle));
  resize(420, 140);
  auto* layout = new QVBoxLayout(this);
  step_ = new QLabel(QStringLiteral("正在准备升级..."), this);
  step_->setObjectName(QStringLiteral("步骤"));
  step_->setTextFormat(Qt::PlainText);
  step_->setWordWrap(true);
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("进度条"));
  progress_->setRange(0, 100);
  progress_->setValue(0);
  button_ = new QPushButton(QStringLiteral("取消"), this);
  button_->setObjectName(QStringLiteral("按钮"));
  layout->addWidget(step_);
  layout->addWidget(progress_);
  layout->addWidget(button_, 0, Qt::AlignRight);
  connect(button_, &QPushButton::clicked, this, [this] { running_ ? cancel() : (void)close(); });
}

UpdaterWindow::~UpdaterWindow() {
  worker_.request_stop();
  if (worker_.joinable()) worker_.join();
}

void UpdaterWindow::start() {
  if (running_ || outcome_) return;
  running_ = true;
  worker_ = std::jthread([this](std::stop_token stop) {
    auto post = [this](auto f) { QMetaObject::invokeMethod(this, std::move(f), Qt::QueuedConnection); };
    online::UpdaterEvents events;
    events.step = [&](std::string_view text) { post([this, t = Q(text)] { step_->setText(t); }); };
    // curl reports many times a second: only a new percentage reaches the bar.
    events.progress = [&, shown = -1](std::int64_t received, std::int64_t expected) mutable {
      if (expected <= 0) return;
      int percent = static_cast<int>(received * 100 / expected);
      if (percent == shown) return;
      shown = percent;
      post([this, percent] { progress_->setValue(percent); });
    };
    events.waitForProgramEnd = [this, stop] { return WaitForEnd(mainProgram_, stop); };
    online::UpdateOutcome outcome = online::RunUpdate(instructions_, setup_, events, stop);
    // The main program may still be saving its settings into the same file:
    // the outcome is written once it has ended.
    WaitForEnd(mainProgram_, {});
    online::RecordUpdateOutcome(instructionFile_, instructions_, outcome);
    post([this, outcome] { showOutcome(outcome); });
  });
}

void UpdaterWindow::cancel() {
  if (!running_) return;
  worker_.request_stop();
  closeWhenDone_ = true;
  step_->setText(QStringLiteral("正在取消..."));
  button_->setEnabled(false);
}

void UpdaterWindow::showOutcome(const online::UpdateOutcome& outcome) {
  running_ = false;
  outcome_ = outcome;
  step_->setText(Q(outcome.message));
  // Whatever arrived before a refusal, nothing was installed.
  progress_->setValue(outcome.installed ? 100 : 0);
  button_->setText(QStringLiteral("关闭"));
  button_->setEnabled(true);
  emit finished(outcome.installed);
  if (closeWhenDone_)
    close();
  else if (outcome.installed)
    QTimer::singleShot(1500, this, &QWidget::close);
}

void UpdaterWindow::closeEvent(QCloseEvent* event) {
  // Closed while it runs, the update is cancelled; the window goes once the
  // transfer has stopped and nothing is left behind.
  if (running_) {
    cancel();
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace updater
