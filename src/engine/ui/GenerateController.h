#pragma once
// The generate button on the main window: asks its questions on the GUI
// thread, starts the run of the chosen mode on a worker, and shows what the
// run reports in the grid, the progress bar, the button and the status bar.
// It finds the window's controls by their designed names (the inputs, 按钮1
// to 按钮4, 进度条4, 超级列表框1, 图片框3 and the status bar part
// 状态条1_1), so it works on any window that has them.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <string>

#include "engine/smart_mode_run.h"

namespace engine {

class ResultModel;

class GenerateController : public QObject {
  Q_OBJECT
 public:
  explicit GenerateController(QWidget* window);

  ResultModel* model() const { return model_; }

  // The click of 按钮1.
  void onGenerateClicked();

  // Lists the names a filter kept (each followed by CR LF) again in the
  // grid, with the prefix and suffix the boxes hold now. Returns false while
  // a run or another re-listing is going.
  bool startRelisting(std::string names);

  // Whether the listing started last (which may still be going) is a
  // re-listing rather than a generation run.
  bool lastStartWasRelisting() const { return lastStartWasRelisting_; }

 private:
  // Starts a generation run on the generation thread; false when none could
  // start.
  bool startRun(RunInputs inputs);

  QPointer<QWidget> window_;
  ResultModel* model_ = nullptr;
  bool lastStartWasRelisting_ = false;
};

// The controller attached to a main window, or nullptr.
GenerateController* FindGenerateController(const QObject* window);

}  // namespace engine
