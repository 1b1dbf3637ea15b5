#include "frame/ui/Pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace frame {
namespace {

QFont CjkFont(int pixelSize, bool bold = false) {
  QFont f(QStringLiteral("WenQuanYi Micro Hei"));
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  return f;
}

}  // namespace

QPixmap GenderPicture(Gender gender) {
  QPixmap pm(46, 20);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const bool male = gender == Gender::Male;
  QColor track = male ? QColor(0x2e, 0x9d, 0x4f) : QColor(0x4f, 0xb8, 0x6b);
  p.setPen(Qt::NoPen);
  p.setBrush(track);
  p.drawRoundedRect(QRectF(0.5, 0.5, 45, 19), 9.5, 9.5);
  // The knob sits left for 男 and right for 女; the label takes the other side.
  QRectF knob = male ? QRectF(2, 2, 16, 16) : QRectF(28, 2, 16, 16);
  p.setBrush(Qt::white);
  p.drawEllipse(knob);
  p.setPen(Qt::white);
  p.setFont(CjkFont(13, true));
  QRectF label = male ? QRectF(19, 0, 26, 20) : QRectF(1, 0, 26, 20);
  p.drawText(label, Qt::AlignCenter, male ? QStringLiteral("男") : QStringLiteral("女"));
  return pm;
}

QPixmap CaptionBackground() {
  QPixmap pm(80, 20);
  QPainter p(&pm);
  QLinearGradient g(0, 0, 0, 20);
  g.setColorAt(0, QColor(0xf7, 0xe9, 0xd0));
  g.setColorAt(1, QColor(0xe2, 0xc4, 0x92));
  p.fillRect(pm.rect(), g);
  p.setPen(QColor(0xb8, 0x8a, 0x4a));
  p.drawRect(0, 0, 79, 19);
  return pm;
}

QPixmap ResultHintPicture(const QSize& size) {
  QPixmap pm(size.isEmpty() ? QSize(727, 254) : size);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, pm.height());
  g.setColorAt(0, QColor(0xff, 0xfb, 0xf2));
  g.setColorAt(1, QColor(0xf4, 0xe8, 0xd2));
  p.fillRect(pm.rect(), g);
  p.setPen(QColor(0xd8, 0xc0, 0x98));
  p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
  // A few faint waves and a boat: the program's emblem, large and quiet.
  p.setPen(QPen(QColor(0xe6, 0xd3, 0xb0), 2));
  for (int row = 0; row < 3; ++row) {
    QPainterPath wave;
    int y = pm.height() - 60 + row * 16;
    wave.moveTo(0, y);
    for (int x = 0; x < pm.width(); x += 40) wave.quadTo(x + 10, y - 6, x + 20, y), wave.quadTo(x + 30, y + 6, x + 40, y);
    p.drawPath(wave);
  }
  p.setPen(QColor(0xa0, 0x70, 0x38));
  p.setFont(CjkFont(22, true));
  p.drawText(QRect(0, pm.height() / 2 - 50, pm.width(), 36), Qt::AlignCenter, QStringLiteral("澜舟雅集"));
  p.setFont(CjkFont(14));
  p.setPen(QColor(0x8a, 0x6a, 0x40));
  p.drawText(QRect(0, pm.height() / 2 - 8, pm.width(), 24), Qt::AlignCenter,
             QStringLiteral("填好上方的公司信息，点击右下角的“立即起名”"));
  return pm;
}

QPixmap EmblemPicture() {
  QPixmap pm(80, 79);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  // A square red seal with the two characters 雅集.
  QRectF seal(6, 6, 68, 67);
  p.setPen(QPen(QColor(0xb0, 0x1e, 0x1e), 3));
  p.setBrush(QColor(0xc8, 0x2a, 0x22));
  p.drawRoundedRect(seal, 6, 6);
  p.setPen(QColor(0xfb, 0xf0, 0xe0));
  p.setFont(CjkFont(24, true));
  p.drawText(QRectF(6, 8, 68, 32), Qt::AlignCenter, QStringLiteral("雅"));
  p.drawText(QRectF(6, 38, 68, 32), Qt::AlignCenter, QStringLiteral("集"));
  return pm;
}

QPixmap ResultRowPicture() {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x3A, 0x7D, 0x2C), 1));
  p.setBrush(QColor(0x8C, 0xC8, 0x5A));
  p.drawEllipse(QRectF(3.5, 3.5, 9, 9));
  return pm;
}

QPixmap ToolbarIcon(int index) {
  static const QColor kColours[] = {QColor(0x3b, 0x7d, 0xd8), QColor(0xd8, 0x7a, 0x1e), QColor(0x2e, 0x9d, 0x4f),
                                    QColor(0x8e, 0x44, 0xad), QColor(0xc0, 0x39, 0x2b), QColor(0x16, 0xa0, 0x85),
                                    QColor(0x7f, 0x8c, 0x8d)};
  static const char* kGlyphs[] = {"?", "名", "重", "字", "吉", "文", "×"};
  if (index < 0 || index > 6) index = 6;
  QPixmap pm(24, 24);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(kColours[index]);
  p.drawEllipse(QRectF(1, 1, 22, 22));
  p.setPen(Qt::white);
  p.setFont(CjkFont(13, true));
  p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QString::fromUtf8(kGlyphs[index]));
  return pm;
}

}  // namespace frame
