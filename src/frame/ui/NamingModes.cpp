#include "frame/ui/NamingModes.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include "frame/ui/MainWindow.h"

namespace frame {
namespace {

const char* const kRadioNames[] = {"单选框1", "单选框3", "单选框2"};
const char* const kPictureButtonNames[] = {"图形按钮m1", "图形按钮m2", "图形按钮m3"};
const char* const kCaptions[] = {"智能模式1", "智能模式2", "组合模式"};

// The picture buttons and the radio boxes word the same hint differently;
// each source keeps its own wording.
const char* const kPictureButtonHints[] = {
    "智慧模式一：由软件根据您设置每次智能生成2000多个公司名；觉得不满意可重复生成，名称总量达到一百多万个。",
    "智慧模式二：由软件根据您设置每次智能生成300来个公司名；觉得不满意可重复生成，名称总量达到五十多万个。",
    "组合模式：将您自行输入的汉字组合生成公司名，比如输入‘美达易’将产生‘美达、美易、易达’等组合。",
};
const char* const kRadioHints[] = {
    "智能模式1：由软件根据您设置每次自动生成2000多个公司名；觉得不满意可重复生成，名称总量达到一百多万个。",
    "智能模式2：由软件根据您设置每次自动生成300来个公司名；觉得不满意可重复生成，名称总量达到五十多万个。",
    "组合模式：将您自行输入的汉字组合生成公司名，比如输入‘美达易’将产生‘美达、美易、易达’等组合。",
};
const char* const kDesignedStatusText =
    "智慧模式一：由软件根据您设置每次自动生成2000多个公司名；觉得不满意可重复生成，名称总量达到一百多万个。";

constexpr int kFaceWidth = 69;
constexpr int kFaceHeight = 20;

}  // namespace

NamingModes::NamingModes(MainWindow* window) : QObject(window), window_(window) {
  setObjectName(QStringLiteral("NamingModes"));
  for (int m = 0; m < 3; ++m) {
    radios_[m] = window->control<QAbstractButton>(kRadioNames[m]);
    pictureButtons_[m] = window->control<QToolButton>(kPictureButtonNames[m]);
    pictureButtons_[m]->setIconSize(QSize(kFaceWidth, kFaceHeight));
    pictureButtons_[m]->setCursor(Qt::PointingHandCursor);
    connect(pictureButtons_[m], &QAbstractButton::clicked, this, [this, m] { SwitchTo(static_cast<Mode>(m)); });
  }
  connect(radios_[SmartMode1], &QAbstractButton::clicked, this, &NamingModes::ShowSmartMode1Hint);
  connect(radios_[SmartMode2], &QAbstractButton::clicked, this, &NamingModes::ShowSmartMode2Hint);
  connect(radios_[CombinationMode], &QAbstractButton::clicked, this, &NamingModes::ShowCombinationModeHint);

  // "activated" is the user's choice (mouse, keys or wheel); restoring the
  // saved length at start-up is not a change of the inputs.
  connect(window->control<QComboBox>("组合框1"), QOverload<int>::of(&QComboBox::activated), this,
          &NamingModes::OnNameLengthSelected);
  for (const char* name : {"编辑框A1", "编辑框A2", "编辑框A3", "编辑框A4"})
    connect(window->control<QLineEdit>(name), &QLineEdit::textChanged, this, &NamingModes::HideResultButtons);

  // The faces follow whichever radio box the layout checked.
  Mode on = SmartMode1;
  for (int m = 0; m < 3; ++m)
    if (radios_[m]->isChecked()) on = static_cast<Mode>(m);
  ShowFaces(on);
  if (window->statusPart(1).isEmpty()) window->setStatusPart(1, QString::fromUtf8(kDesignedStatusText));
}

void NamingModes::ShowSmartMode1Hint() { ShowRadioHint(SmartMode1); }
void NamingModes::ShowSmartMode2Hint() { ShowRadioHint(SmartMode2); }
void NamingModes::ShowCombinationModeHint() { ShowRadioHint(CombinationMode); }

void NamingModes::OnNameLengthSelected() {
  HideResultButtons();
  window_->setKeywordHints();
}

void NamingModes::SwitchTo(Mode mode) {
  // Checking from code raises no clicked signal, so the radio boxes' own
  // hints do not run; the picture button's wording is the one shown.
  for (int m = 0; m < 3; ++m) radios_[m]->setChecked(m == mode);
  ShowFaces(mode);
  if (radios_[mode]->isChecked()) window_->setStatusPart(1, QString::fromUtf8(kPictureButtonHints[mode]));
}

void NamingModes::ShowRadioHint(Mode mode) {
  if (radios_[mode]->isChecked()) window_->setStatusPart(1, QString::fromUtf8(kRadioHints[mode]));
}

void NamingModes::ShowFaces(Mode selected) {
  for (int m = 0; m < 3; ++m) {
    bool on = m == selected;
    pictureButtons_[m]->setIcon(QIcon(ModeFace(static_cast<Mode>(m), on)));
    pictureButtons_[m]->setProperty(SelectedFaceProperty(), on);
  }
}

void NamingModes::HideResultButtons() {
  for (const char* name : {"按钮2", "按钮3"})
    if (auto* button = window_->control<QWidget>(name)) button->hide();
}

QPixmap NamingModes::ModeFace(Mode mode, bool selected) {
  QImage image(kFaceWidth, kFaceHeight, QImage::Format_RGB888);
  const QColor paper(0xfb, 0xf6, 0xea), rim(0xc8, 0xa8, 0x78), ink(0x5a, 0x46, 0x2a);
  const QColor onFill(0xb0, 0x4a, 0x2a), onInk(0xff, 0xff, 0xff);
  image.fill(selected ? onFill : paper);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(selected ? onFill.darker(130) : rim, 1));
  p.drawRect(QRectF(0.5, 0.5, kFaceWidth - 1, kFaceHeight - 1));

  // A radio mark, filled when the mode is on.
  const QRectF mark(4.5, 5.5, 9, 9);
  p.setPen(QPen(selected ? onInk : rim, 1.2));
  p.setBrush(selected ? onFill : QColor(Qt::white));
  p.drawEllipse(mark);
  if (selected) {
    p.setPen(Qt::NoPen);
    p.setBrush(onInk);
    p.drawEllipse(mark.adjusted(2.5, 2.5, -2.5, -2.5));
  }

  QFont font = p.font();
  font.setPixelSize(11);
  font.setBold(selected);
  p.setFont(font);
  p.setPen(selected ? onInk : ink);
  p.drawText(QRectF(16, 0, kFaceWidth - 18, kFaceHeight), Qt::AlignCenter, QString::fromUtf8(kCaptions[mode]));
  p.end();
  return QPixmap::fromImage(image);
}

}  // namespace frame
