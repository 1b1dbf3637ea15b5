#include "online/ui/DuplicateNameQueryWindow.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "frame/globals.h"
#include "online/duplicate_query.h"
#include "online/ui/WindowParts.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/ui/qt_bridge.h"

namespace online {

namespace {

QString WindowTitle() { return QStringLiteral("公司重名查询"); }

// The shown text as the box wants it: line breaks are CR LF in the program.
QString BoxText(std::string_view gbk) {
  return platform::Q(gbk).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QPixmap QueryIcon() {
  QPixmap picture(54, 54);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  // A list of names under a magnifying glass.
  p.setPen(QPen(QColor(0x9a, 0x7a, 0x4a), 1.5));
  p.setBrush(QColor(255, 253, 240));
  p.drawRoundedRect(QRectF(4, 4, 32, 42), 3, 3);
  p.setPen(QPen(QColor(0xc8, 0xa8, 0x78), 2));
  for (int y = 13; y <= 37; y += 8) p.drawLine(10, y, 30, y);
  p.setPen(QPen(QColor(0x30, 0x60, 0xa0), 4, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(QColor(200, 225, 255, 160));
  p.drawEllipse(QPointF(32, 30), 10, 10);
  p.drawLine(QPointF(39, 37), QPointF(49, 48));
  return picture;
}

}  // namespace

DuplicateNameQueryWindow::DuplicateNameQueryWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), mailbox_(this) {
  setObjectName(QStringLiteral("DuplicateNameQueryWindow"));
  setWindowTitle(WindowTitle());
  resize(ClientSizeOfDesign(660, 425));
  buildControls();

  const std::string& name = frame::globals().duplicateQueryName;
  if (!name.empty()) nameBox_->setText(platform::Q(name));
  nameBox_->setFocus();
}

DuplicateNameQueryWindow::~DuplicateNameQueryWindow() { StopQuery(); }

DuplicateNameQueryWindow* DuplicateNameQueryWindow::Open(QWidget* parent) {
  auto* window = new DuplicateNameQueryWindow(parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  CentreWindow(window, parent);
  window->show();
  window->activateWindow();
  return window;
}

void DuplicateNameQueryWindow::buildControls() {
  auto* iconFrame = new QFrame(this);
  iconFrame->setFrameShape(QFrame::NoFrame);
  platform::Place(iconFrame, "外形框1", 17, 19, 54, 54);
  auto* icon = new QLabel(iconFrame);
  platform::Place(icon, "图片框1", 0, 0, 54, 54);
  icon->setPixmap(QueryIcon());

  auto* about = new QLabel(
      QStringLiteral("软件将从全国100万公司名称中进行重名查询 (公司法规定同一省市内同行业不得重名)"), this);
  platform::Place(about, "透明标签2", 81, 14, 558, 32);
  auto* ask = new QLabel(QStringLiteral("请输入要查询的公司主体名称 (比如“霁岚”)"), this);
  platform::Place(ask, "透明标签1", 81, 49, 290, 29);

  nameBox_ = new QLineEdit(this);
  platform::Place(nameBox_, "编辑框1", 379, 53, 174, 24);
  nameBox_->installEventFilter(this);
  queryButton_ = new QPushButton(QStringLiteral("查询"), this);
  platform::Place(queryButton_, "按钮1", 566, 53, 72, 24);
  queryButton_->setDefault(true);
  connect(nameBox_, &QLineEdit::returnPressed, queryButton_, &QPushButton::click);
  connect(queryButton_, &QPushButton::clicked, this, &DuplicateNameQueryWindow::StartDuplicateQuery);

  AddThinRule(this, "进度条1", QRect(-5, 97, 670, 2));

  auto* answerFrame = new QFrame(this);
  answerFrame->setFrameShape(QFrame::StyledPanel);
  platform::Place(answerFrame, "外形框2", 12, 110, 626, 248);
  answerBox_ = new QPlainTextEdit(answerFrame);
  platform::Place(answerBox_, "编辑框2", 8, 10, 612, 229);
  answerBox_->setReadOnly(true);
  QPalette hintColours = answerBox_->palette();
  hintColours.setColor(QPalette::Text, QColor(0x80, 0x50, 0x10));
  answerBox_->setPalette(hintColours);
  answerBox_->setPlainText(BoxText(gbk::G(
      "相关提示:"
      "\r\n\r\n（1）在全国范围内有重名也不一定不可以使用，公司注册时的，核名是以省市为范围，在此范围内同行业"
      "才不得重名。\r\n\r\n（2）对于知名企业，在全国范围内都有保护，不得使用与其相同的名称。\r\n\r\n（3）可用"
      "于人取名字"
      "的常用字大概在3000个左右，而可用于公司取名的字仅有几百个，两个字的名称组合在一起也就几十万个左右，比较"
      "容易重名，"
      "建议使用3字名称作为公司名。\r\n")));

  guard_ = new QTimer(this);
  guard_->setObjectName(QStringLiteral("时钟1"));
  connect(guard_, &QTimer::timeout, this, [this] {
    guard_->stop();
    frame::globals().duplicateQueryBusy = 0;
  });

  AddDockedStatusBar(this, "状态条1");
}

void DuplicateNameQueryWindow::StartDuplicateQuery() {
  frame::Globals& g = frame::globals();
  if (g.duplicateQueryBusy == 1) {
    platform::ShowMessageBox(gbk::G("两次查询间隔不能少于3秒钟,请稍后重试"), gbk::G("提示"),
                             platform::kOkQuestion);
    return;
  }
  // The guard counts from the start of a query, not from its answer.
  g.duplicateQueryBusy = 1;
  guard_->start(3000);
  queryButton_->setEnabled(false);

  setWindowTitle(QStringLiteral("查询中,请稍等..."));
  const std::string name = CleanQueryName(platform::FromQ(nameBox_->text()));
  nameBox_->setText(platform::Q(name));
  if (name.empty()) {
    FinishQuery();
    return;
  }
  // The answer to the name asked before would read as this one's.
  answerBox_->clear();

  platform::StopWorkerThread(worker_);
  auto mailbox = mailbox_;
  auto routine = [mailbox, name](std::stop_token stop, int) {
    DuplicateQueryOutcome outcome = RunDuplicateQuery(name, stop);
    if (stop.stop_requested()) return;
    mailbox.post([outcome = std::move(outcome)](DuplicateNameQueryWindow* window) { window->ApplyOutcome(outcome); });
  };
  if (!platform::StartThread(routine, 0, &worker_, true))
    ApplyOutcome({DuplicateQueryOutcome::Kind::Failed, gbk::G("查询失败:无法开始查询,请稍后再试。")});
}

void DuplicateNameQueryWindow::ApplyOutcome(const DuplicateQueryOutcome& outcome) {
  QPalette colours = answerBox_->palette();
  colours.setColor(QPalette::Text, Qt::black);
  answerBox_->setPalette(colours);
  answerBox_->setPlainText(BoxText(outcome.text));
  FinishQuery();
  emit queryFinished();
}

void DuplicateNameQueryWindow::FinishQuery() {
  queryButton_->setEnabled(true);
  setWindowTitle(WindowTitle());
}

bool DuplicateNameQueryWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == nameBox_ && event->type() == QEvent::MouseButtonDblClick) {
    nameBox_->clear();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void DuplicateNameQueryWindow::closeEvent(QCloseEvent* event) {
  StopQuery();
  QWidget::closeEvent(event);
}

void DuplicateNameQueryWindow::StopQuery() {
  mailbox_.close();
  frame::globals().duplicateQueryBusy = 0;
  // The stop wakes the transfer at once, so this returns without waiting
  // for a slow site.
  platform::StopWorkerThread(worker_);
  worker_.reset();
}

}  // namespace online
