#include "analysis/ui/FiveElementBalanceWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <tuple>

#include "analysis/five_element_balance.h"
#include "engine/generate.h"
#include "frame/settings.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/ui/FollowSettings.h"
#include "platform/ui/qt_bridge.h"

namespace analysis {
namespace {

using gbk::G;
using platform::FromQ;
using platform::Q;

// An index outside the list selects nothing: a year this list lacks must not
// turn into another value here.
void SelectIndex(QComboBox* box, int index) {
  box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

QLabel* Label(QWidget* parent, const char* name, const char* caption, int x, int y, int w, int h) {
  auto* label = new QLabel(QString::fromUtf8(caption), parent);
  platform::Place(label, name, x, y, w, h);
  label->setAttribute(Qt::WA_TranslucentBackground);
  return label;
}

// A new control of type T named and placed as designed.
template <class T>
T* Placed(QWidget* parent, const char* name, int x, int y, int w, int h) {
  auto* c = new T(parent);
  platform::Place(c, name, x, y, w, h);
  return c;
}

std::string Selected(QComboBox* box) {
  return box->currentIndex() < 0 ? std::string() : FromQ(box->currentText());
}

}  // namespace

FiveElementBalanceWindow::FiveElementBalanceWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("FiveElementBalanceWindow"));
  setWindowTitle(QStringLiteral("公司五行平衡取名法"));
  setFixedSize(kDesignedWidth, kDesignedHeight);

  Label(this, "透明标签1", "公司老板姓名", 16, 16, 96, 24);
  Label(this, "透明标签3", "姓", 120, 16, 24, 24);
  surname_ = Placed<QLineEdit>(this, "编辑框1", 144, 18, 91, 21);
  Label(this, "透明标签4", "名", 254, 16, 24, 24);
  given_ = Placed<QLineEdit>(this, "编辑框2", 277, 18, 89, 21);
  Label(this, "透明标签2", "公司老板生日", 16, 48, 96, 24);
  // Three pixels wider than designed, up to the label: the designed width
  // cuts the year's last digit under this style's arrow.
  year_ = Placed<QComboBox>(this, "组合框18", 120, 49, 57, 19);
  Label(this, "透明标签49", "年", 177, 48, 16, 24);
  month_ = Placed<QComboBox>(this, "组合框21", 192, 49, 43, 20);
  Label(this, "透明标签50", "月", 238, 48, 16, 24);
  day_ = Placed<QComboBox>(this, "组合框22", 253, 49, 43, 20);
  Label(this, "透明标签51", "日", 299, 48, 16, 24);
  hour_ = Placed<QComboBox>(this, "组合框23", 315, 49, 51, 20);
  Label(this, "透明标签52", "时", 369, 48, 16, 24);
  auto* run = Placed<QPushButton>(this, "按钮1", 424, 40, 120, 30);
  run->setText(QStringLiteral("测算"));
  auto* line = Placed<QProgressBar>(this, "进度条1", -1, 84, 624, 2);
  line->setTextVisible(false);
  line->setValue(0);
  output_ = Placed<QPlainTextEdit>(this, "八字编辑框", 18, 106, 526, 230);

  connect(run, &QPushButton::clicked, this, &FiveElementBalanceWindow::AnalyseBossName);
  LoadBalanceWindowOptions();

  // Boss data changed in the main window while this one is open: follow it,
  // so that closing here never writes older values back.
  settingsListener_ = frame::AddSettingsListener(
      platform::FollowOnGuiThread(this, &FiveElementBalanceWindow::onSettingWritten));
}

FiveElementBalanceWindow::~FiveElementBalanceWindow() {
  frame::RemoveSettingsListener(settingsListener_);
  SaveBalanceWindowOptions();
}

FiveElementBalanceWindow* FiveElementBalanceWindow::Open(QWidget* parent) {
  auto* window = new FiveElementBalanceWindow(parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  // No designed place: over the middle of the window it was opened from,
  // not wherever the window manager finds room (often the screen's corner).
  if (parent) window->move(parent->frameGeometry().center() - window->rect().center());
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

void FiveElementBalanceWindow::LoadBalanceWindowOptions() {
  for (QComboBox* box : {year_, month_, day_, hour_}) box->clear();
  for (int i = 1949; i <= 2030; ++i) year_->addItem(QString::number(i));
  for (int i = 1; i <= 12; ++i) month_->addItem(QString::number(i));
  for (int i = 1; i <= 31; ++i) day_->addItem(QString::number(i));
  for (int i = 0; i <= 23; ++i) hour_->addItem(QString::number(i));
  // As in the main window, whose "未知" (index 24) this window shares.
  hour_->addItem(QStringLiteral("未知"));
  const QDate today = QDate::currentDate();
  for (auto [key, box, fallback] :
       {std::tuple{"选项18", year_, today.year() - 1949}, std::tuple{"选项21", month_, today.month() - 1},
        std::tuple{"选项22", day_, today.day() - 1}, std::tuple{"选项23", hour_, 0}}) {
    const int index = frame::ReadSettingNumber(G(key), fallback);
    SelectIndex(box, index);
    taken_[QString::fromUtf8(key)] = QString::number(index);
  }
  for (auto [key, box] : {std::pair{"老板姓名1", surname_}, std::pair{"老板姓名2", given_}}) {
    box->setText(Q(frame::ReadSetting(G(key), FromQ(box->text()))));
    taken_[QString::fromUtf8(key)] = box->text();
  }
}

void FiveElementBalanceWindow::SaveBalanceWindowOptions() {
  // A list without a selection keeps the saved value: writing -1 would wipe
  // the main window's choice.
  for (auto [key, box] : {std::pair{"选项18", year_}, std::pair{"选项21", month_}, std::pair{"选项22", day_},
                          std::pair{"选项23", hour_}})
    if (box->currentIndex() >= 0) frame::WriteSetting(G(key), std::to_string(box->currentIndex()));
  frame::WriteSetting(G("老板姓名1"), FromQ(surname_->text()));
  frame::WriteSetting(G("老板姓名2"), FromQ(given_->text()));
}

void FiveElementBalanceWindow::onSettingWritten(const QString& key, const QString& value) {
  const int number = static_cast<int>(gbk::ParseDecimal(FromQ(value)));
  // A window that saves all the boss keys at once (the main window on every
  // change) writes most of them unchanged: only a value other than the one
  // this window took is followed, so what the user chose here and has not
  // saved yet stays.
  auto taken = taken_.find(key);
  if (taken == taken_.end()) return;
  const QString now = key.startsWith(QStringLiteral("选项")) ? QString::number(number) : value;
  if (taken->second == now) return;
  taken->second = now;
  if (key == QStringLiteral("选项18"))
    SelectIndex(year_, number);
  else if (key == QStringLiteral("选项21"))
    SelectIndex(month_, number);
  else if (key == QStringLiteral("选项22"))
    SelectIndex(day_, number);
  else if (key == QStringLiteral("选项23"))
    SelectIndex(hour_, number);
  else if (key == QStringLiteral("老板姓名1") || key == QStringLiteral("老板姓名2")) {
    QLineEdit* box = key == QStringLiteral("老板姓名1") ? surname_ : given_;
    if (box->text() != value && !box->hasFocus()) box->setText(value);
  }
}

void FiveElementBalanceWindow::AnalyseBossName() {
  std::string surname = FromQ(surname_->text()), given = FromQ(given_->text());
  if (surname.empty() || given.empty()) {
    output_->setPlainText(Q(G("姓或名不可为空")));
    return;
  }
  // Only the surname is examined; the analysis goes on whatever the answer.
  std::string found = engine::OffendingCharacters(surname);
  if (!found.empty() &&
      platform::ShowMessageBox(G("'公司老板姓名'内含非中文字符'") + found + G("',是否清除?"), G("询问"),
                               platform::kYesNoQuestion) == platform::kYes) {
    surname = engine::RemoveCleanedCharacters(surname);
    surname_->setText(Q(surname));
  }
  BirthInput birth{Selected(year_), Selected(month_), Selected(day_), Selected(hour_)};
  // The text's lines end in CR LF; the box shows them as plain line breaks.
  output_->setPlainText(Q(gbk::ReplaceAll(AnalyseBalance(surname, given, birth), "\r\n", "\n")));
}

}  // namespace analysis
