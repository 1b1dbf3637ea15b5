#pragma once
// The combination mode input window: the user types the characters to
// combine; OK cleans the text, keeps the distinct characters (also in the
// archive "组词模式存档.txt" for next time), refuses more than 50 and
// otherwise hands them to the start callback and closes.
//
// Opened modally by the generate button with MainWindow as parent:
//
//   engine::CombinationInputWindow w(this, [&](const std::vector<std::string>& chars) {
//     ... engine::PrepareRun(GenerationMode::Combination, request, chars, ask) ...
//     return engine::StartGenerationRun(...);
//   });
//   w.exec();
//   if (!w.runStarted()) enable 按钮1;
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace engine {

class CombinationInputWindow : public QDialog {
  Q_OBJECT
 public:
  // Starts the run over the characters (GBK, one unit each); returns whether
  // a run started. Called on the GUI thread just before the window closes.
  using StartRun = std::function<bool(const std::vector<std::string>& characters)>;

  CombinationInputWindow(QWidget* parent, StartRun startRun);

  bool runStarted() const { return runStarted_; }

 private:
  void LoadCombinationInput();
  void RunCombinationMode();
  void CloseCombinationWindow();

  StartRun startRun_;
  bool runStarted_ = false;
  QLabel* icon_;
  QLabel* instruction_;
  QFrame* frame_;
  QPlainTextEdit* edit_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace engine
