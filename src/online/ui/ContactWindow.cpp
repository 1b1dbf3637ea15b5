#include "online/ui/ContactWindow.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

#include "frame/globals.h"
#include "online/site.h"
#include "online/ui/WebBrowser.h"
#include "online/ui/WindowParts.h"
#include "platform/ui/qt_bridge.h"

namespace online {

ContactWindow::ContactWindow() : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("ContactWindow"));
  setWindowTitle(QStringLiteral("联系我们"));
  resize(ClientSizeOfDesign(635, 362));

  const frame::Globals& g = frame::globals();
  auto* heading = new QLabel(platform::Q(g.appName) + QStringLiteral(" v") + platform::Q(g.appVersion), this);
  heading->setObjectName(QStringLiteral("标题"));
  heading->setGeometry(26, 30, 400, 40);
  QFont bold = heading->font();
  bold.setPixelSize(20);
  bold.setBold(true);
  heading->setFont(bold);

  auto* caption = new QLabel(QStringLiteral("软件主页 "), this);
  caption->setObjectName(QStringLiteral("透明标签3"));
  caption->setGeometry(26, 87, 78, 40);

  const QString home = platform::Q(HomePageUrl());
  auto* address = new QLabel(this);
  address->setObjectName(QStringLiteral("透明标签4"));
  address->setGeometry(104, 86, 224, 40);
  // Plain text drawn as a link: the press below opens it, never the label.
  address->setTextFormat(Qt::PlainText);
  address->setText(home);
  address->setStyleSheet(QStringLiteral("color: #0645ad; text-decoration: underline;"));
  address->setCursor(Qt::PointingHandCursor);
  address->setToolTip(home);
  address->installEventFilter(this);
  address_ = address;

  auto* link = new QLabel(this);
  link->setObjectName(QStringLiteral("超级链接框1"));
  link->setGeometry(360, 144, 80, 24);
  link->hide();

  AddThinRule(this, "进度条1", QRect(0, 259, 700, 2));
  auto* close = new QPushButton(QStringLiteral("关闭"), this);
  close->setObjectName(QStringLiteral("按钮1"));
  close->setGeometry(481, 277, 128, 36);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
}

ContactWindow* ContactWindow::Open() {
  static QPointer<ContactWindow> open;
  if (!open) {
    open = new ContactWindow();
    open->setAttribute(Qt::WA_DeleteOnClose);
    CentreWindow(open, nullptr);
  }
  open->showNormal();
  open->raise();
  open->activateWindow();
  return open;
}

void ContactWindow::OpenHomePageFromContact() {
  const std::string home = HomePageUrl();
  control<QLabel>("超级链接框1")->setText(platform::Q(home));
  OpenInWebBrowser(home);
}

bool ContactWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == address_ && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    OpenHomePageFromContact();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace online
