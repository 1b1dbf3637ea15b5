#include "online/ui/DocumentDownloadWindow.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

#include "online/site.h"
#include "online/ui/WindowParts.h"
#include "platform/ui/Anchoring.h"
#include "platform/ui/BrowserBox.h"
#include "platform/ui/WindowState.h"

namespace online {

namespace {

QPixmap Banner() {
  QPixmap picture(648, 45);
  QPainter p(&picture);
  QLinearGradient fill(0, 0, 648, 0);
  fill.setColorAt(0, QColor(0x8a, 0x5a, 0x2a));
  fill.setColorAt(1, QColor(0xf4, 0xe6, 0xc8));
  p.fillRect(picture.rect(), fill);
  p.setRenderHint(QPainter::Antialiasing);
  // Two sheets of paper, the second folded at its corner.
  for (int i = 0; i < 2; ++i) {
    QRectF sheet(22 + i * 9, 7 + i * 4, 22, 28);
    p.setPen(QPen(QColor(0x60, 0x40, 0x20), 1));
    p.setBrush(QColor(255, 253, 240));
    p.drawRect(sheet);
  }
  p.setPen(QPen(QColor(0xc8, 0xa8, 0x78), 1.5));
  for (int y = 19; y <= 33; y += 5) p.drawLine(35, y, 49, y);
  QFont font = p.font();
  font.setPixelSize(20);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(72, 0, 400, 45), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("公司常用文档下载"));
  return picture;
}

}  // namespace

DocumentDownloadWindow::DocumentDownloadWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("DocumentDownloadWindow"));
  setWindowTitle(QStringLiteral("公司常用文档下载"));
  resize(ClientSizeOfDesign(649, 450));

  auto* banner = new QLabel(this);
  banner->setObjectName(QStringLiteral("图片框1"));
  banner->setGeometry(-8, 0, 648, 45);
  banner->setPixmap(Banner());
  auto* browser = new platform::BrowserBox(this);
  browser->setObjectName(QStringLiteral("超文本浏览框1"));
  browser->setGeometry(1, 49, 637, 343);
  AddDockedStatusBar(this, "状态条1");

  platform::RegisterAnchor(banner, 1, 1, 0, 0);
  platform::AnchorControl(browser, 1);
  browser->openAddress(DocumentListUrl());
  // After the address: under a real window manager a state set before the
  // browser's first load was seen to be lost.
  setWindowState(windowState() | Qt::WindowMaximized);
}

DocumentDownloadWindow* DocumentDownloadWindow::Open(QWidget* parent) {
  auto* window = new DocumentDownloadWindow(parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  platform::ShowMaximized(window);
  return window;
}

}  // namespace online
