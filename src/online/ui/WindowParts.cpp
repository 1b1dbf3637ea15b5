#include "online/ui/WindowParts.h"

#include <QFrame>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QStatusBar>

#include "platform/ui/Anchoring.h"
#include "platform/ui/BrowserBox.h"

namespace online {

QSize ClientSizeOfDesign(int width, int height) { return QSize(width - 6, height - 32); }

QFrame* AddThinRule(QWidget* parent, const char* name, const QRect& place) {
  auto* f = new QFrame(parent);
  f->setObjectName(QString::fromUtf8(name));
  f->setAutoFillBackground(true);
  QPalette pal = f->palette();
  pal.setColor(QPalette::Window, QColor(0xc8, 0xa8, 0x78));
  f->setPalette(pal);
  f->setGeometry(place);
  return f;
}

void CentreWindow(QWidget* window, const QWidget* over) {
  QRect area;
  if (over && over->isVisible())
    area = over->frameGeometry();
  else if (QScreen* screen = QGuiApplication::primaryScreen())
    area = screen->availableGeometry();
  if (area.isValid()) window->move(area.center() - window->rect().center());
}

QStatusBar* AddDockedStatusBar(QWidget* parent, const char* name) {
  auto* status = new QStatusBar(parent);
  status->setObjectName(QString::fromUtf8(name));
  status->setSizeGripEnabled(false);
  status->setGeometry(0, parent->height() - 22, parent->width(), 22);
  platform::RegisterAnchor(status, 1, 0, 1, 1);
  return status;
}

platform::BrowserBox* AddPageArea(QWidget* window) {
  AddThinRule(window, "进度条1", QRect(-3, 34, 1500, 2));
  auto* browser = new platform::BrowserBox(window);
  browser->setObjectName(QStringLiteral("超文本浏览框1"));
  browser->setGeometry(2, 35, 624, 464);
  AddDockedStatusBar(window, "状态条1");
  platform::AnchorControl(browser, 1);
  return browser;
}

bool RunPageButton(QWidget* window, platform::BrowserBox* browser, const QString& caption,
                   const QString& printCaption) {
  if (caption == QStringLiteral("关闭"))
    window->close();
  else if (caption == QStringLiteral("后退"))
    browser->back();
  else if (caption == QStringLiteral("前进"))
    browser->forward();
  else if (caption == printCaption)
    browser->printPage();
  else
    return false;
  return true;
}

}  // namespace online
