#include "engine/ui/GenerateController.h"

#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolTip>
#include <algorithm>
#include <memory>

#include "engine/filter.h"
#include "engine/generate.h"
#include "engine/smart_mode_run.h"
#include "engine/ui/CombinationInputWindow.h"
#include "engine/ui/QueuedSink.h"
#include "engine/ui/ResultModel.h"
#include "frame/ui/MainWindow.h"
#include "frame/ui/Pictures.h"
#include "platform/dialogs.h"
#include "platform/ui/qt_bridge.h"

namespace engine {
namespace {

using platform::FromQ;
using platform::Q;

// The grid's designed column widths.
constexpr int kDesignedColumnWidths[] = {60, 172, 62, 172, 62, 62, 40, 64};

// The fixed-character boxes, by position.
constexpr const char* kFixedBoxes[4] = {"编辑框A1", "编辑框A2", "编辑框A3", "编辑框A4"};

// A very long prefix or suffix would make the full-name and traditional
// columns thousands of pixels wide and push the others off the window: they
// grow to their content up to this width; a cut text shows whole in its
// tooltip.
constexpr int kNameColumnLimit = 300;

// Fits the columns to what a run or a re-listing listed: the serial column
// to the last (largest) number, which is seldom among the rows shown, and the
// name columns to the full names, never below design.
void FitColumns(QTableView* grid) {
  QAbstractItemModel* rows = grid->model();
  int serial = kDesignedColumnWidths[0];
  if (rows && rows->rowCount() > 0) {
    const QModelIndex last = rows->index(rows->rowCount() - 1, 0);
    serial = std::max(serial, grid->sizeHintForIndex(last).width() + (grid->showGrid() ? 1 : 0));
  }
  grid->setColumnWidth(0, serial);
  for (int column : {1, 3}) {
    grid->resizeColumnToContents(column);
    grid->setColumnWidth(column, std::clamp(grid->columnWidth(column), kDesignedColumnWidths[column],
                                            std::max(kDesignedColumnWidths[column], kNameColumnLimit)));
  }
}

// Shows the whole text of a cell whose column cuts it as the cell's tooltip.
class CutTextTips : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override {
    if (event->type() != QEvent::ToolTip) return QStyledItemDelegate::helpEvent(event, view, option, index);
    // Measured without the cell's bounds, which would wrap the text into it.
    QStyleOptionViewItem unbounded = option;
    unbounded.rect = QRect();
    if (index.isValid() && sizeHint(unbounded, index).width() > option.rect.width())
      QToolTip::showText(event->globalPos(), index.data().toString(), view->viewport(), option.rect);
    else
      QToolTip::hideText();
    return true;
  }
};

// Shows a run's reports in the main window. It runs on the GUI thread:
// MakeQueuedSink carries each report over from the worker. A re-listing
// leaves 按钮4, the grid's enabled state and the status bar alone.
class WindowSink : public GenerationSink {
 public:
  WindowSink(frame::MainWindow* window, ResultModel* model, ListingStyle style)
      : window_(window), model_(model), run_(style == ListingStyle::Run) {}

  void OnRunStarted() override {
    if (!window_ || !model_) return;
    frame::MainWindow* w = window_;
    if (run_) w->control<QPushButton>("按钮4")->hide();
    w->control<QPushButton>("按钮1")->setEnabled(false);
    w->control<QPushButton>("按钮2")->hide();
    w->control<QPushButton>("按钮3")->hide();
    model_->clear();
    if (run_) w->control<QTableView>("超级列表框1")->setEnabled(false);
    auto* bar = w->control<QProgressBar>("进度条4");
    bar->setValue(0);
    bar->show();
  }

  void OnProgress(const RunProgress& p) override {
    if (!window_) return;
    if (p.bar) window_->control<QProgressBar>("进度条4")->setValue(*p.bar);
    if (p.caption) window_->control<QPushButton>("按钮1")->setText(Q(*p.caption));
    if (p.status) window_->setStatusPart(1, Q(*p.status));
  }

  void OnRows(std::vector<ResultRow>&& rows) override {
    if (model_) model_->appendRows(std::move(rows));
  }

  void OnRunFinished(const RunFinish& f) override {
    if (!window_) return;
    frame::MainWindow* w = window_;
    w->control<QProgressBar>("进度条4")->hide();
    auto* button = w->control<QPushButton>("按钮1");
    button->setText(Q(f.caption));
    button->setEnabled(true);
    w->control<QPushButton>("按钮2")->show();
    w->control<QPushButton>("按钮3")->show();
    auto* grid = w->control<QTableView>("超级列表框1");
    FitColumns(grid);
    if (!run_) return;
    grid->setEnabled(true);
    w->setStatusPart(1, Q(f.statusTip));
  }

 private:
  QPointer<frame::MainWindow> window_;
  QPointer<ResultModel> model_;
  bool run_;
};

std::shared_ptr<GenerationSink> SinkFor(frame::MainWindow* w, ResultModel* model,
                                        ListingStyle style = ListingStyle::Run) {
  return MakeQueuedSink(w, std::make_shared<WindowSink>(w, model, style));
}

GenerateRequest ReadRequest(const frame::MainWindow* w) {
  GenerateRequest r;
  r.bossSurname = FromQ(w->control<QLineEdit>("编辑框N1")->text());
  r.bossGivenName = FromQ(w->control<QLineEdit>("编辑框N2")->text());
  if (w->control<QRadioButton>("单选框2")->isChecked())
    r.mode = GenerationMode::Combination;
  else if (w->control<QRadioButton>("单选框3")->isChecked())
    r.mode = GenerationMode::SmartMode2;
  else
    r.mode = GenerationMode::SmartMode1;
  r.lengthIndex = w->control<QComboBox>("组合框1")->currentIndex();
  r.prefix = FromQ(w->control<QLineEdit>("编辑框1")->text());
  r.suffix = FromQ(w->control<QLineEdit>("编辑框2")->text());
  for (int i = 0; i < 4; ++i) r.fixed[i] = FromQ(w->control<QLineEdit>(kFixedBoxes[i])->text());
  return r;
}

int Ask(const Prompt& p) { return platform::ShowMessageBox(p.text, p.title, p.flags); }

// Shows the cleaned texts in the boxes, as the run would have written them.
void WriteBack(frame::MainWindow* w, const PreparedRun& run) {
  auto set = [w](const char* name, const std::string& text) {
    auto* e = w->control<QLineEdit>(name);
    QString q = Q(text);
    if (e->text() != q) e->setText(q);
  };
  if (run.writeBackFixed)
    for (int i = 0; i < 4; ++i) set(kFixedBoxes[i], run.fixed[i]);
  set("编辑框1", run.prefix);
  set("编辑框2", run.suffix);
  w->control<QLineEdit>("编辑框A1")->setFocus();
}

}  // namespace

GenerateController::GenerateController(frame::MainWindow* window) : QObject(window), window_(window) {
  setObjectName(QStringLiteral("GenerateController"));
  auto* grid = window->control<QTableView>("超级列表框1");
  model_ = new ResultModel(grid);
  grid->setModel(model_);
  model_->setRowIcon(QIcon(frame::ResultRowPicture()));
  for (int i = 0; i < 8; ++i) grid->setColumnWidth(i, kDesignedColumnWidths[i]);
  grid->setItemDelegate(new CutTextTips(grid));
  connect(model_, &QAbstractItemModel::modelReset, window, &frame::MainWindow::updateHintPicture);
  connect(model_, &QAbstractItemModel::rowsInserted, window, &frame::MainWindow::updateHintPicture);
  connect(window->control<QPushButton>("按钮1"), &QPushButton::clicked, this,
          &GenerateController::onGenerateClicked);
}

void GenerateController::onGenerateClicked() {
  frame::MainWindow* w = window_;
  if (!w) return;
  auto* button = w->control<QPushButton>("按钮1");
  // Disabled at once, so a double click cannot start two runs.
  button->setEnabled(false);

  GenerateHooks hooks;
  hooks.ask = Ask;
  // The picture is hidden after the rows are gone: emptying the grid asks
  // the window to show it again, and a click hides it until a resize.
  hooks.clearResults = [w, this] {
    model_->clear();
    w->control<QLabel>("图片框3")->hide();
    // Nothing left for them to work on until a run lists names again.
    w->control<QPushButton>("按钮2")->hide();
    w->control<QPushButton>("按钮3")->hide();
  };
  GeneratePlan plan = OnGenerateClicked(ReadRequest(w), hooks);
  switch (plan.action) {
    case GenerateAction::None:
      button->setEnabled(true);
      break;
    case GenerateAction::FocusBossSurname:
      button->setEnabled(true);
      w->control<QLineEdit>("编辑框N1")->setFocus();
      break;
    case GenerateAction::StartRun:
      WriteBack(w, plan.run);
      if (!startRun(plan.run.inputs)) button->setEnabled(true);
      break;
    case GenerateAction::OpenCombinationWindow: {
      auto* help = w->control<QPushButton>("按钮4");
      help->setEnabled(false);
      CombinationInputWindow dialog(w, [this, w](const std::vector<std::string>& characters) {
        PreparedRun run = PrepareRun(GenerationMode::Combination, ReadRequest(w), characters, Ask);
        WriteBack(w, run);
        return startRun(run.inputs);
      });
      dialog.exec();
      if (!window_) return;
      help->setEnabled(true);
      if (!dialog.runStarted()) button->setEnabled(true);
      break;
    }
  }
}

bool GenerateController::startRun(RunInputs inputs) {
  if (!StartGenerationRun(std::move(inputs), SinkFor(window_, model_))) return false;
  lastStartWasRelisting_ = false;
  return true;
}

bool GenerateController::startRelisting(std::string names) {
  frame::MainWindow* w = window_;
  if (!w) return false;
  if (!StartFilteredRelisting(std::move(names), FromQ(w->control<QLineEdit>("编辑框1")->text()),
                              FromQ(w->control<QLineEdit>("编辑框2")->text()),
                              SinkFor(w, model_, ListingStyle::Relisting)))
    return false;
  lastStartWasRelisting_ = true;
  return true;
}

GenerateController* FindGenerateController(const frame::MainWindow* window) {
  return window ? window->findChild<GenerateController*>(QStringLiteral("GenerateController")) : nullptr;
}

}  // namespace engine
