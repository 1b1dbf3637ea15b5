#include "frame/ui/RegionPicker.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>
#include <string>

#include "frame/regions.h"
#include "frame/settings.h"
#include "frame/ui/MainWindow.h"
#include "platform/gbk.h"
#include "platform/ui/qt_bridge.h"

namespace frame {
namespace {

using platform::FromQ;
using platform::Q;

const std::string& ProvinceRowKey() {
  static const std::string key = gbk::G("地区1");
  return key;
}

const std::string& CityRowKey() {
  static const std::string key = gbk::G("地区2");
  return key;
}

std::string CurrentText(const QTableWidget* list) {
  const QTableWidgetItem* item = list->currentRow() >= 0 ? list->item(list->currentRow(), 0) : nullptr;
  return item ? FromQ(item->text()) : std::string();
}

bool IsLeftPress(const QEvent* event) {
  return event->type() == QEvent::MouseButtonPress &&
         static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}

// The small mark before the panel's hint: a right-pointing triangle.
QPixmap HintMark() {
  QPixmap mark(10, 11);
  mark.fill(Qt::transparent);
  QPainter p(&mark);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xb0, 0x4a, 0x2a));
  const QPointF corners[] = {{2, 1.5}, {8.5, 5.5}, {2, 9.5}};
  p.drawPolygon(corners, 3);
  return mark;
}

}  // namespace

RegionPicker::RegionPicker(MainWindow* window)
    : QObject(window),
      window_(window),
      panel_(window->control<QWidget>("外形框dq")),
      regionBox_(window->control<QLineEdit>("编辑框1")),
      provinces_(window->control<QTableWidget>("超级列表框sj")),
      cities_(window->control<QTableWidget>("超级列表框cj")) {
  setObjectName(QStringLiteral("RegionPicker"));
  // The panel pops up over the inputs and the grid, so it must hide them.
  panel_->setAutoFillBackground(true);
  QPalette palette = panel_->palette();
  palette.setColor(QPalette::Window, QColor(0xfb, 0xf6, 0xea));
  palette.setColor(QPalette::WindowText, QColor(0xc8, 0xa8, 0x78));
  panel_->setPalette(palette);
  if (auto* frame = qobject_cast<QFrame*>(panel_)) frame->setFrameShape(QFrame::Box);
  for (const char* name : {"透明标签sj", "透明标签xp1"}) {
    if (auto* label = window->control<QWidget>(name)) {
      QPalette text = label->palette();
      text.setColor(QPalette::WindowText, window->palette().color(QPalette::WindowText));
      label->setPalette(text);
    }
  }
  if (auto* mark = window->control<QLabel>("图片框2"); mark && mark->pixmap().isNull())
    mark->setPixmap(HintMark());
  FillProvinceList();

  regionBox_->installEventFilter(this);
  // Presses on the panel's own background must not fall through to the
  // window, which would close the panel under the user's hand.
  panel_->installEventFilter(this);

  // The result grid and the lists take presses in their viewports.
  auto* grid = window->control<QAbstractItemView>("超级列表框1");
  const char* closerNames[] = {"编辑框A1", "编辑框A2", "编辑框A3", "编辑框A4", "编辑框A5",
                               "编辑框2",  "透明标签sj", "透明标签xp1"};
  int n = 0;
  closers_[n++] = grid ? grid->viewport() : nullptr;
  for (const char* name : closerNames) closers_[n++] = window->control<QWidget>(name);
  closers_[n++] = window->centralWidget();
  for (QObject* closer : closers_)
    if (closer) closer->installEventFilter(this);
  citiesViewport_ = cities_->viewport();
  citiesViewport_->installEventFilter(this);

  if (auto* close = window->control<QAbstractButton>("图形按钮姓氏选择框"))
    connect(close, &QAbstractButton::clicked, this, &RegionPicker::HideRegionPanel);

  connect(provinces_, &QTableWidget::currentCellChanged, this, [this](int row, int, int previousRow, int) {
    if (!settingRows_ && row != previousRow) OnProvinceSelected();
  });
  connect(provinces_, &QTableWidget::cellDoubleClicked, this, [this](int, int) { ChooseProvince(); });
  connect(cities_, &QTableWidget::currentCellChanged, this, [this](int row, int, int previousRow, int) {
    if (!settingRows_ && row >= 0 && row != previousRow) RememberChosenCity();
  });
  // The first city is already current after a province change, so a click
  // on it changes no row; it is a choice all the same.
  connect(cities_, &QTableWidget::cellClicked, this, [this](int row, int) {
    if (row == cities_->currentRow()) RememberChosenCity();
  });
}

void RegionPicker::FillProvinceList() {
  settingRows_ = true;
  provinces_->setRowCount(0);
  for (const std::string& name : ProvinceNamesFromScript(ProvinceScript())) AppendRow(provinces_, Q(name));
  AppendRow(cities_, QStringLiteral("北京市"));
  settingRows_ = false;
}

void RegionPicker::FillCityList() {
  settingRows_ = true;
  cities_->setRowCount(0);
  for (const std::string& city : CityRowsForProvince(CityScript(), CurrentText(provinces_)))
    AppendRow(cities_, Q(city));
  settingRows_ = false;
  SetCurrentRowQuietly(cities_, cities_->rowCount() > 0 ? 0 : -1);
  WriteSetting(ProvinceRowKey(), std::to_string(provinces_->currentRow()));
}

void RegionPicker::ShowRegionPanel() {
  panel_->move(203, panel_->y());
  panel_->setVisible(panel_->isHidden());
  if (!panel_->isHidden()) panel_->raise();
  SetCurrentRowQuietly(provinces_, ReadSettingNumber(ProvinceRowKey(), provinces_->currentRow()));
  FillCityList();
  SetCurrentRowQuietly(cities_, ReadSettingNumber(CityRowKey(), cities_->currentRow()));
}

void RegionPicker::OnProvinceSelected() { FillCityList(); }

void RegionPicker::ChooseProvince() {
  panel_->hide();
  regionBox_->setText(Q(RegionPrefixFromName(CurrentText(provinces_))));
}

void RegionPicker::RememberChosenCity() {
  regionBox_->setText(Q(RegionPrefixFromName(CurrentText(cities_))));
  WriteSettings({{ProvinceRowKey(), std::to_string(provinces_->currentRow())},
                 {CityRowKey(), std::to_string(cities_->currentRow())}});
}

void RegionPicker::HideRegionPanel() {
  if (panel_) panel_->hide();
}

bool RegionPicker::eventFilter(QObject* watched, QEvent* event) {
  if (watched == regionBox_) {
    if (IsLeftPress(event)) ShowRegionPanel();
    return false;
  }
  if (watched == panel_) return IsLeftPress(event);
  // Only pointers are compared here: the filter also sees the events of
  // the window's teardown, when the lists are already half destroyed.
  if (watched == citiesViewport_) {
    if (event->type() == QEvent::MouseButtonDblClick) HideRegionPanel();
    return false;
  }
  if (IsLeftPress(event) && std::find(std::begin(closers_), std::end(closers_), watched) != std::end(closers_))
    HideRegionPanel();
  return false;
}

void RegionPicker::SetCurrentRowQuietly(QTableWidget* list, int row) {
  // A saved row the list does not have (an older, longer list or a damaged
  // settings file) leaves the current row as it is.
  if (row < -1 || row >= list->rowCount()) return;
  settingRows_ = true;
  if (row < 0) {
    list->setCurrentItem(nullptr);
    list->clearSelection();
  } else {
    list->setCurrentCell(row, 0);
    list->scrollToItem(list->item(row, 0));
  }
  settingRows_ = false;
}

void RegionPicker::AppendRow(QTableWidget* list, const QString& text) {
  int row = list->rowCount();
  list->insertRow(row);
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  list->setItem(row, 0, item);
}

}  // namespace frame
