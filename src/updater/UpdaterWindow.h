#pragma once
// The updater's window: what the update is doing, a progress bar and one
// button, 取消 while the update runs and 关闭 once it is over. Cancelling
// (or closing the window) stops the transfer at once; the installed program
// is then left as it was.
#include <sys/types.h>

#include <QWidget>
#include <filesystem>
#include <optional>
#include <stop_token>
#include <thread>

#include "online/updater.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace updater {

// Whether the process has ended (one that its parent has not collected yet
// counts as ended).
bool ProcessHasEnded(pid_t pid);

class UpdaterWindow : public QWidget {
  Q_OBJECT
 public:
  // `mainProgram` is the process to wait for before installing (0: none);
  // the outcome is left in `instructionFile` for the main program.
  UpdaterWindow(online::UpdaterInstructions instructions, online::UpdaterSetup setup, pid_t mainProgram,
                std::filesystem::path instructionFile);
  ~UpdaterWindow() override;

  // Starts the update on a worker thread.
  void start();
  bool running() const { return running_; }
  const std::optional<online::UpdateOutcome>& outcome() const { return outcome_; }

 signals:
  void finished(bool installed);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void cancel();
  void showOutcome(const online::UpdateOutcome& outcome);

  online::UpdaterInstructions instructions_;
  online::UpdaterSetup setup_;
  pid_t mainProgram_;
  std::filesystem::path instructionFile_;
  QLabel* step_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* button_ = nullptr;
  bool running_ = false;
  bool closeWhenDone_ = false;
  std::optional<online::UpdateOutcome> outcome_;
  std::jthread worker_;
};

}  // namespace updater
