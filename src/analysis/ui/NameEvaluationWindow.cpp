#include "analysis/ui/NameEvaluationWindow.h"

#include <QCloseEvent>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "analysis/ui/OtherWindows.h"
#include "frame/globals.h"
#include "platform/dialogs.h"
#include "platform/ui/Anchoring.h"
#include "platform/ui/BrowserBox.h"
#include "platform/ui/DesignedTabs.h"
#include "platform/ui/WindowState.h"
#include "platform/ui/qt_bridge.h"

namespace analysis {

namespace {

enum Box { kPrefix = 0, kMain = 1, kSuffix = 2 };
constexpr int kHintTop = 128;

}  // namespace

NameEvaluationWindow::NameEvaluationWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), mailbox_(this) {
  setObjectName(QStringLiteral("NameEvaluationWindow"));
  setWindowTitle(platform::Q(EvaluationWindowTitle()));
  resize(kDesignedWidth, kDesignedHeight);
  buildControls();

  const frame::Globals& g = frame::globals();
  boxes_[kPrefix]->setText(platform::Q(g.evaluationPrefix));
  boxes_[kSuffix]->setText(platform::Q(g.evaluationSuffix));
  boxes_[kMain]->setText(platform::Q(g.selectedName));
  tabs_->setCurrentIndex(0);

  platform::AnchorControl(scoreBrowser_, 1);
  platform::AnchorControl(tabs_, 1);
  platform::AnchorControl(dictionaryBrowser_, 1);
  setWindowState(windowState() | Qt::WindowMaximized);

  // A name handed over from the result grid is scored at once, without the
  // checks of the start button.
  if (!boxes_[kMain]->text().isEmpty())
    StartEvaluationThread();
  else
    boxes_[kMain]->setFocus();
}

NameEvaluationWindow::~NameEvaluationWindow() { StopEvaluation(); }

NameEvaluationWindow* NameEvaluationWindow::Open(QWidget* parent) {
  auto* window = new NameEvaluationWindow(parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  platform::ShowMaximized(window);
  return window;
}

QPoint NameEvaluationWindow::pagePosition(int left, int top) const { return QPoint(left, top) - pageOffset_; }

void NameEvaluationWindow::buildControls() {
  auto* tabs = new platform::DesignedTabs(this);
  tabs_ = tabs;
  tabs_->setObjectName(QStringLiteral("高级选择夹1"));
  tabs_->setGeometry(2, 3, 665, 447);
  page0_ = tabs->addPage(QStringLiteral("公司名称测算"));
  pageOffset_ = tabs->pageRect().topLeft();

  companyRadio_ = new QRadioButton(QStringLiteral("公司、店铺、工厂等名称"), page0_);
  tabs->place(companyRadio_, "单选框1", 20, 46, 200, 24);
  companyRadio_->setChecked(true);
  generalRadio_ = new QRadioButton(QStringLiteral("一般名称（如商标、产品名称等，无前后缀）"), page0_);
  tabs->place(generalRadio_, "单选框2", 236, 46, 272, 24);

  auto* label = new QLabel(QStringLiteral("输入您要测试的名称"), page0_);
  tabs->place(label, "透明标签1", 21, 83, 131, 24);

  static const char* kBoxNames[3] = {"编辑框1", "编辑框2", "编辑框3"};
  static const int kBoxPlaces[3][2] = {{156, 88}, {252, 88}, {348, 144}};
  for (int i = 0; i < 3; ++i) {
    boxes_[i] = new QLineEdit(page0_);
    tabs->place(boxes_[i], kBoxNames[i], kBoxPlaces[i][0], 83, kBoxPlaces[i][1], 22);
    boxes_[i]->installEventFilter(this);
  }

  startButton_ = new QPushButton(QStringLiteral("立刻测算 >>"), page0_);
  tabs->place(startButton_, "按钮1", 530, 50, 113, 36);

  scoreBrowser_ = new platform::BrowserBox(page0_);
  tabs->place(scoreBrowser_, "超文本浏览框1", 13, 125, 642, 307);

  // The hint lies over the score page, so it comes after it.
  hint_ = new QLabel(page0_);
  tabs->place(hint_, "图片框1", 156, kHintTop, 210, 100);
  hint_->hide();
  hint_->installEventFilter(this);

  dictionaryBrowser_ = new platform::BrowserBox(this);
  dictionaryBrowser_->setObjectName(QStringLiteral("超文本浏览框被复制"));
  dictionaryBrowser_->setGeometry(15, 41, 642, 396);
  dictionaryBrowser_->hide();

  connect(startButton_, &QPushButton::clicked, this, &NameEvaluationWindow::StartEvaluation);
  connect(companyRadio_, &QRadioButton::clicked, this, &NameEvaluationWindow::ShowCompanyNameLayout);
  connect(generalRadio_, &QRadioButton::clicked, this, &NameEvaluationWindow::ShowGeneralNameLayout);
  connect(tabs_, &QTabWidget::currentChanged, this, &NameEvaluationWindow::OnEvaluationTabChanged);
}

bool NameEvaluationWindow::companyLayout() const { return companyRadio_->isChecked(); }

NameBoxes NameEvaluationWindow::currentBoxes() const {
  return NameBoxes{platform::FromQ(boxes_[kPrefix]->text()), platform::FromQ(boxes_[kMain]->text()),
                   platform::FromQ(boxes_[kSuffix]->text())};
}

void NameEvaluationWindow::StartEvaluation() {
  if (evaluating_) return;
  auto refusal = CheckEvaluationInput(currentBoxes(), companyLayout(),
                                      frame::globals().onlineCharacterList.Get().empty());
  if (refusal) {
    platform::ShowMessageBox(refusal->text, refusal->title, platform::kOkInformation);
    switch (refusal->focus) {
      case NameBoxId::Prefix:
        boxes_[kPrefix]->setFocus();
        break;
      case NameBoxId::Main:
        boxes_[kMain]->setFocus();
        break;
      case NameBoxId::Suffix:
        boxes_[kSuffix]->setFocus();
        break;
      case NameBoxId::None:
        break;
    }
    return;
  }
  StartEvaluationThread();
}

void NameEvaluationWindow::StartEvaluationThread() {
  NameBoxes boxes = currentBoxes();
  bool company = companyLayout();
  setWindowTitle(platform::Q(EvaluationBusyTitle(boxes, company)));
  startButton_->setEnabled(false);
  evaluating_ = true;

  platform::StopWorkerThread(worker_);
  auto mailbox = mailbox_;
  auto routine = [mailbox, boxes, company](std::stop_token stop, int) {
    EvaluationResult result = RunEvaluation(boxes, company);
    if (stop.stop_requested()) return;
    mailbox.post([result = std::move(result)](NameEvaluationWindow* window) { window->ApplyEvaluation(result); });
  };
  if (!platform::StartThread(routine, 0, &worker_, true)) {
    // Without a thread the page is built here; it is quick enough.
    ApplyEvaluation(RunEvaluation(boxes, company));
    return;
  }
  frame::globals().scoringThread = worker_;
}

void NameEvaluationWindow::ApplyEvaluation(const EvaluationResult& result) {
  boxes_[kPrefix]->setText(platform::Q(result.boxes.prefix));
  boxes_[kMain]->setText(platform::Q(result.boxes.mainName));
  boxes_[kSuffix]->setText(platform::Q(result.boxes.suffix));
  // The page comes from memory: "temp.htm" is shared by every evaluation
  // window and may hold another window's name by the next reload. It still
  // stands at the file's address when the file was written; a file that
  // could not be replaced holds an older score, so then it stands nowhere.
  scoreBrowser_->showPage(result.page, result.written ? ScorePagePath() : std::filesystem::path());
  BuildCharacterTabs();
  startButton_->setEnabled(true);
  setWindowTitle(platform::Q(EvaluationWindowTitle()));
  evaluating_ = false;
  emit evaluationFinished();
}

void NameEvaluationWindow::BuildCharacterTabs() {
  rebuildingTabs_ = true;
  for (int i = tabs_->count() - 1; i >= 1; --i) {
    QWidget* page = tabs_->widget(i);
    tabs_->removeTab(i);
    delete page;
  }
  for (const std::string& c : CharacterTabTitles(currentBoxes(), companyLayout()))
    tabs_->addTab(new QWidget(), platform::Q(c));
  rebuildingTabs_ = false;
  // Removing the page that showed left page 0 current without telling.
  if (tabs_->currentIndex() == 0) dictionaryBrowser_->hide();
}

void NameEvaluationWindow::OnEvaluationTabChanged(int index) {
  if (rebuildingTabs_) return;
  if (index <= 0) {
    setWindowTitle(platform::Q(EvaluationWindowTitle()));
    dictionaryBrowser_->hide();
    return;
  }
  setWindowTitle(platform::Q(DictionaryTabWindowTitle(platform::FromQ(tabs_->tabText(index)))));
  dictionaryBrowser_->show();
  dictionaryBrowser_->raise();
  ShowCharacterDictionaryPage(index, dictionaryBrowser_);
}

void NameEvaluationWindow::ShowCharacterDictionaryPage(int index, platform::BrowserBox* box) {
  if (!Others().dictionaryAddress) return;
  box->openAddress(Others().dictionaryAddress(platform::FromQ(tabs_->tabText(index))));
}

void NameEvaluationWindow::ShowGeneralNameLayout() {
  boxes_[kPrefix]->hide();
  boxes_[kSuffix]->hide();
  QRect r = boxes_[kMain]->geometry();
  boxes_[kMain]->setGeometry(boxes_[kPrefix]->x(), r.y(), 350, r.height());
}

void NameEvaluationWindow::ShowCompanyNameLayout() {
  boxes_[kPrefix]->show();
  boxes_[kSuffix]->show();
  QRect r = boxes_[kMain]->geometry();
  boxes_[kMain]->setGeometry(pagePosition(256, 0).x(), r.y(), 88, r.height());
}

void NameEvaluationWindow::ShowHint(int box) {
  if (generalRadio_->isChecked()) return;
  hint_->setPixmap(HintPicture(box));
  hint_->move(boxes_[box]->x(), pagePosition(0, kHintTop).y());
  hint_->show();
  hint_->raise();
}

void NameEvaluationWindow::HideHint() { hint_->hide(); }

bool NameEvaluationWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == hint_ && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    HideHint();
    return false;
  }
  for (int i = 0; i < 3; ++i) {
    if (watched != boxes_[i]) continue;
    if (event->type() == QEvent::FocusIn) ShowHint(i);
    if (event->type() == QEvent::FocusOut) HideHint();
  }
  return QWidget::eventFilter(watched, event);
}

void NameEvaluationWindow::closeEvent(QCloseEvent* event) {
  StopEvaluation();
  QWidget::closeEvent(event);
}

void NameEvaluationWindow::StopEvaluation() {
  mailbox_.close();
  platform::StopWorkerThread(worker_);
  if (frame::globals().scoringThread == worker_) frame::globals().scoringThread.reset();
  worker_.reset();
}

QPixmap NameEvaluationWindow::HintPicture(int box) {
  static const char* kPart[3] = {"『地区前缀』", "『公司主体』", "『行业后缀』"};
  static const char* kExample[3] = {"临江", "禾川", "软件有限公司"};
  if (box < 0 || box > 2) box = 0;

  QPixmap picture(210, 100);
  picture.fill(QColor(255, 253, 228));
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(214, 178, 92));
  p.drawRect(0, 0, 209, 99);

  // The lightning-bolt mark.
  QPolygon bolt;
  bolt << QPoint(21, 6) << QPoint(9, 31) << QPoint(18, 31) << QPoint(11, 54) << QPoint(32, 24)
       << QPoint(22, 24) << QPoint(30, 6);
  p.setPen(QPen(QColor(196, 112, 0), 1.2));
  p.setBrush(QColor(255, 196, 32));
  p.drawPolygon(bolt);

  QFont font = p.font();
  font.setPixelSize(12);
  p.setFont(font);
  p.setPen(QColor(40, 40, 40));
  p.drawText(QRect(38, 10, 170, 20), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("公司名称的") + QString::fromUtf8(kPart[box]) + QStringLiteral("部分"));
  p.drawText(QRect(10, 56, 196, 18), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("如“临江禾川软件有限公司”中的"));
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(220, 0, 0));
  p.drawText(QRect(10, 76, 196, 18), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(kExample[box]));
  return picture;
}

}  // namespace analysis
