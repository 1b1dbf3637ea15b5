#include "online/ui/WindowParts.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QPalette>
#include <QStatusBar>

#include "frame/ui/Anchoring.h"

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
  frame::RegisterAnchor(status, 1, 0, 1, 1);
  return status;
}

}  // namespace online
