#pragma once
// Scores one name: a company name in three parts or a general name in one.
// Shows the score page and one tab per character of the name with that
// character's page in the online dictionary.
#include <QPixmap>
#include <QWidget>
#include <memory>
#include <string>

#include "analysis/evaluation.h"
#include "platform/threads.h"
#include "platform/ui/Controls.h"
#include "platform/ui/WorkerMailbox.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace platform {
class BrowserBox;
}

namespace analysis {

class NameEvaluationWindow : public QWidget, public platform::NamedControls<NameEvaluationWindow> {
  Q_OBJECT
 public:
  static constexpr int kDesignedWidth = 678;
  static constexpr int kDesignedHeight = 486;

  // Reads the hand-over values (EvaluationPrefix, EvaluationSuffix,
  // SelectedName), anchors, asks to be maximised and, when a name was handed
  // over, starts scoring it at once.
  explicit NameEvaluationWindow(QWidget* parent = nullptr);
  ~NameEvaluationWindow() override;

  // Creates the window (deleted when closed) and shows it.
  static NameEvaluationWindow* Open(QWidget* parent);

  // The start button: checks the inputs, then starts scoring.
  void StartEvaluation();
  void ShowCompanyNameLayout();
  void ShowGeneralNameLayout();

  bool isEvaluating() const { return evaluating_; }

  // The hint picture drawn for a box (0 prefix, 1 main name, 2 suffix).
  static QPixmap HintPicture(int box);

 signals:
  // The score page was applied to the window (for whoever waits on it).
  void evaluationFinished();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls();
  QPoint pagePosition(int left, int top) const;
  NameBoxes currentBoxes() const;
  bool companyLayout() const;

  void StartEvaluationThread();
  void ApplyEvaluation(const EvaluationResult& result);
  void BuildCharacterTabs();
  void OnEvaluationTabChanged(int index);
  void ShowCharacterDictionaryPage(int index, platform::BrowserBox* box);
  void ShowHint(int box);
  void HideHint();
  void StopEvaluation();

  QTabWidget* tabs_ = nullptr;
  QWidget* page0_ = nullptr;
  QRadioButton* companyRadio_ = nullptr;
  QRadioButton* generalRadio_ = nullptr;
  QLineEdit* boxes_[3] = {nullptr, nullptr, nullptr};
  QPushButton* startButton_ = nullptr;
  QLabel* hint_ = nullptr;
  platform::BrowserBox* scoreBrowser_ = nullptr;
  platform::BrowserBox* dictionaryBrowser_ = nullptr;
  QPoint pageOffset_;

  platform::WorkerMailbox<NameEvaluationWindow> mailbox_;
  platform::ThreadHandle worker_;
  bool evaluating_ = false;
  bool rebuildingTabs_ = false;
};

}  // namespace analysis
