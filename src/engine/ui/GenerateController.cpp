#include "engine/ui/GenerateController.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
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
#include "platform/dialogs.h"
#include "platform/ui/Controls.h"
#include "platform/ui/qt_bridge.h"

namespace engine {
namespace {

using platform::Control;
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
  WindowSink(QWidget* window, ResultModel* model, ListingStyle style)
      : window_(window), model_(model), run_(style == ListingStyle::Run) {}

  void OnRunStarted() override {
    if (!window_ || !model_) return;
    QWidget* w = window_;
    if (run_) Control<QPushButton>(w, "按钮4")->hide();
    Control<QPushButton>(w, "按钮1")->setEnabled(false);
    Control<QPushButton>(w, "按钮2")->hide();
    Control<QPushButton>(w, "按钮3")->hide();
    model_->clear();
    if (run_) Control<QTableView>(w, "超级列表框1")->setEnabled(false);
    auto* bar = Control<QProgressBar>(w, "进度条4");
    bar->setValue(0);
    bar->show();
  }

  void OnProgress(const RunProgress& p) override {
    if (!window_) return;
    if (p.bar) Control<QProgressBar>(window_, "进度条4")->setValue(*p.bar);
    if (p.caption) Control<QPushButton>(window_, "按钮1")->setText(Q(*p.caption));
    if (p.status) Control<QLabel>(window_, "状态条1_1")->setText(Q(*p.status));
  }

  void OnRows(std::vector<ResultRow>&& rows) override {
    if (model_) model_->appendRows(std::move(rows));
  }

  void OnRunFinished(const RunFinish& f) override {
    if (!window_) return;
    QWidget* w = window_;
    Control<QProgressBar>(w, "进度条4")->hide();
    auto* button = Control<QPushButton>(w, "按钮1");
    button->setText(Q(f.caption));
    button->setEnabled(true);
    Control<QPushButton>(w, "按钮2")->show();
    Control<QPushButton>(w, "按钮3")->show();
    auto* grid = Control<QTableView>(w, "超级列表框1");
    FitColumns(grid);
    if (!run_) return;
    grid->setEnabled(true);
    Control<QLabel>(w, "状态条1_1")->setText(Q(f.statusTip));
  }

 private:
  QPointer<QWidget> window_;
  QPointer<ResultModel> model_;
  bool run_;
};

std::shared_ptr<GenerationSink> SinkFor(QWidget* w, ResultModel* model,
                                        ListingStyle style = ListingStyle::Run) {
  return MakeQueuedSink(w, std::make_shared<WindowSink>(w, model, style));
}

GenerateRequest ReadRequest(const QWidget* w) {
  GenerateRequest r;
  r.bossSurname = FromQ(Control<QLineEdit>(w, "编辑框N1")->text());
  r.bossGivenName = FromQ(Control<QLineEdit>(w, "编辑框N2")->text());
  if (Control<QRadioButton>(w, "单选框2")->isChecked())
    r.mode = GenerationMode::Combination;
  else if (Control<QRadioButton>(w, "单选框3")->isChecked())
    r.mode = GenerationMode::SmartMode2;
  else
    r.mode = GenerationMode::SmartMode1;
  r.lengthIndex = Control<QComboBox>(w, "组合框1")->currentIndex();
  r.prefix = FromQ(Control<QLineEdit>(w, "编辑框1")->text());
  r.suffix = FromQ(Control<QLineEdit>(w, "编辑框2")->text());
  for (int i = 0; i < 4; ++i) r.fixed[i] = FromQ(Control<QLineEdit>(w, kFixedBoxes[i])->text());
  return r;
}

int Ask(const Prompt& p) { return platform::ShowMessageBox(p.text, p.title, p.flags); }

// Shows the cleaned texts in the boxes, as the run would have written them.
void WriteBack(QWidget* w, const PreparedRun& run) {
  auto set = [w](const char* name, const std::string& text) {
    auto* e = Control<QLineEdit>(w, name);
    QString q = Q(text);
    if (e->text() != q) e->setText(q);
  };
  if (run.writeBackFixed)
    for (int i = 0; i < 4; ++i) set(kFixedBoxes[i], run.fixed[i]);
  set("编辑框1", run.prefix);
  set("编辑框2", run.suffix);
  Control<QLineEdit>(w, "编辑框A1")->setFocus();
}

}  // namespace

GenerateController::GenerateController(QWidget* window) : QObject(window), window_(window) {
  setObjectName(QStringLiteral("GenerateController"));
  auto* grid = Control<QTableView>(window, "超级列表框1");
  model_ = new ResultModel(grid);
  grid->setModel(model_);
  for (int i = 0; i < 8; ++i) grid->setColumnWidth(i, kDesignedColumnWidths[i]);
  grid->setItemDelegate(new CutTextTips(grid));
  connect(Control<QPushButton>(window, "按钮1"), &QPushButton::clicked, this,
          &GenerateController::onGenerateClicked);
}

void GenerateController::onGenerateClicked() {
  QWidget* w = window_;
  if (!w) return;
  auto* button = Control<QPushButton>(w, "按钮1");
  // Disabled at once, so a double click cannot start two runs.
  button->setEnabled(false);

  GenerateHooks hooks;
  hooks.ask = Ask;
  // The picture is hidden after the rows are gone: emptying the grid asks
  // the window to show it again, and a click hides it until a resize.
  hooks.clearResults = [w, this] {
    model_->clear();
    Control<QLabel>(w, "图片框3")->hide();
    // Nothing left for them to work on until a run lists names again.
    Control<QPushButton>(w, "按钮2")->hide();
    Control<QPushButton>(w, "按钮3")->hide();
  };
  GeneratePlan plan = OnGenerateClicked(ReadRequest(w), hooks);
  switch (plan.action) {
    case GenerateAction::None:
      button->setEnabled(true);
      break;
    case GenerateAction::FocusBossSurname:
      button->setEnabled(true);
      Control<QLineEdit>(w, "编辑框N1")->setFocus();
      break;
    case GenerateAction::StartRun:
      WriteBack(w, plan.run);
      if (!startRun(plan.run.inputs)) button->setEnabled(true);
      break;
    case GenerateAction::OpenCombinationWindow: {
      auto* help = Control<QPushButton>(w, "按钮4");
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
  QWidget* w = window_;
  if (!w) return false;
  if (!StartFilteredRelisting(std::move(names), FromQ(Control<QLineEdit>(w, "编辑框1")->text()),
                              FromQ(Control<QLineEdit>(w, "编辑框2")->text()),
                              SinkFor(w, model_, ListingStyle::Relisting)))
    return false;
  lastStartWasRelisting_ = true;
  return true;
}

GenerateController* FindGenerateController(const QObject* window) {
  return window ? window->findChild<GenerateController*>(QStringLiteral("GenerateController")) : nullptr;
}

}  // namespace engine
