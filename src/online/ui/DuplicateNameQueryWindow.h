#pragma once
// Asks the site whether a trade name is already used by registered companies
// and shows the answer. A query runs on a worker with a copy of the name;
// a second query is refused within 3 seconds of the previous one's start.
#include <QWidget>
#include <memory>

#include "platform/threads.h"
#include "platform/ui/Controls.h"
#include "platform/ui/WorkerMailbox.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace online {

struct DuplicateQueryOutcome;

class DuplicateNameQueryWindow : public QWidget, public platform::NamedControls<DuplicateNameQueryWindow> {
  Q_OBJECT
 public:
  // Puts the hand-over value DuplicateQueryName into the name box.
  explicit DuplicateNameQueryWindow(QWidget* parent = nullptr);
  ~DuplicateNameQueryWindow() override;

  // Creates the window (deleted when closed) and shows it.
  static DuplicateNameQueryWindow* Open(QWidget* parent);

  // The "查询" button: the 3-second guard, then the query.
  void StartDuplicateQuery();

 signals:
  // An answer or failure was shown (for whoever waits on it).
  void queryFinished();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls();
  void ApplyOutcome(const DuplicateQueryOutcome& outcome);
  void FinishQuery();
  void StopQuery();

  QLineEdit* nameBox_ = nullptr;
  QPushButton* queryButton_ = nullptr;
  QPlainTextEdit* answerBox_ = nullptr;
  QTimer* guard_ = nullptr;

  platform::WorkerMailbox<DuplicateNameQueryWindow> mailbox_;
  platform::ThreadHandle worker_;
};

}  // namespace online
