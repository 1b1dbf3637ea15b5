#include "engine/ui/FilterSettingsWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "engine/ui/GenerateController.h"
#include "frame/globals.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/threads.h"
#include "platform/ui/DesignedTabs.h"
#include "platform/ui/qt_bridge.h"

namespace engine {

namespace {

using platform::FromQ;

const char* const kElements[5] = {"金", "木", "水", "火", "土"};
const int kElementLeft[5] = {202, 244, 286, 328, 371};

struct ElementRow {
  const char* master;
  const char* caption;
  int firstBox;  // the 金 box; 木..土 follow
  int top;
  bool enabled;
};
// Positions 1..4, then 所有的字必须带五行 and 所有的字不能带五行.
const ElementRow kElementRows[6] = {
    {"选择框33", "第一个字五行限定", 34, 60, true},    {"选择框4", "第二个字五行限定", 8, 81, false},
    {"选择框5", "第三个字五行限定", 13, 102, false},   {"选择框39", "第四个字五行限定", 40, 123, false},
    {"选择框19", "所有的字必须带五行", 20, 143, true}, {"选择框25", "所有的字不能带五行", 26, 164, true},
};

struct StrokeRow {
  const char* master;
  const char* caption;
  const char* from;
  const char* to;
  int top;
  int items;
  bool enabled;
};
// Positions 1..4, then the total.
const StrokeRow kStrokeRows[5] = {
    {"选择框51", "第一个字笔画数范围", "组合框7", "组合框8", 82, 30, true},
    {"选择框2", "第二个字笔画数范围", "组合框4", "组合框3", 104, 30, false},
    {"选择框3", "第三个字笔画数范围", "组合框6", "组合框5", 126, 30, false},
    {"选择框52", "第四个字笔画数范围", "组合框9", "组合框10", 148, 30, false},
    {"选择框1", "名称总笔画数范围", "组合框2", "组合框1", 170, 60, true},
};

struct PinyinRow {
  const char* master;
  const char* caption;
  const char* edit;
  const char* label;
  int top;
  bool enabled;
};
// Positions 1..4, then 所有的字含拼音.
const PinyinRow kPinyinRows[5] = {
    {"选择框54", "第一个字拼音限定", "编辑框7", "透明标签19", 57, true},
    {"选择框6", "第二个字拼音限定", "编辑框2", "透明标签1", 81, false},
    {"选择框7", "第三个字拼音限定", "编辑框3", "透明标签2", 104, false},
    {"选择框55", "第四个字拼音限定", "编辑框8", "透明标签20", 129, false},
    {"选择框18", "所有的字含拼音", "编辑框4", "透明标签21", 153, true},
};

const char* const kHintLabels[4] = {"透明标签9", "透明标签12", "透明标签17", "透明标签18"};

std::string BoxName(int number) { return "选择框" + std::to_string(number); }

}  // namespace

FilterSettingsWindow::FilterSettingsWindow(QWidget* main) : QWidget(main, Qt::Window), main_(main) {
  setObjectName(QStringLiteral("FilterSettingsWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("设置筛选条件"));
  setFixedSize(453, 308);
  move(50, 50);
  buildControls();
  initFilterWindow();
}

void FilterSettingsWindow::buildControls() {
  tabs_ = new platform::DesignedTabs(this);
  tabs_->setObjectName(QStringLiteral("选择夹1"));
  tabs_->setGeometry(3, 3, 442, 240);
  const char* captions[4] = {"根据五行筛选", "根据笔画数筛选", "根据拼音筛选", "根据文字筛选"};
  QWidget* pages[4];
  for (int i = 0; i < 4; ++i) {
    pages[i] = tabs_->addPage(QString::fromUtf8(captions[i]));
    auto* hint = new QLabel(
        QStringLiteral("提示:筛选针对的是公司主体,比如『临江禾川软件有限公司』的『禾川』"), pages[i]);
    tabs_->place(hint, kHintLabels[i], 20, 208, 410, 20);
  }
  auto checkBox = [this](QWidget* page, const char* name, const char* caption, int left, int top, int width) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), page);
    tabs_->place(box, name, left, top, width, 20);
    return box;
  };
  // A master box enables (or shows) its dependants; it never changes their
  // values, so a condition set aside keeps what the user chose.
  auto follow = [](QCheckBox* master, std::vector<QWidget*> dependants, bool byVisibility) {
    connect(master, &QCheckBox::toggled, master, [dependants, byVisibility](bool on) {
      for (QWidget* w : dependants) byVisibility ? w->setVisible(on) : w->setEnabled(on);
    });
  };

  for (const ElementRow& row : kElementRows) {
    QCheckBox* master = checkBox(pages[0], row.master, row.caption, 40, row.top, 150);
    master->setEnabled(row.enabled);
    std::vector<QWidget*> boxes;
    for (int k = 0; k < 5; ++k) {
      QCheckBox* box =
          checkBox(pages[0], BoxName(row.firstBox + k).c_str(), kElements[k], kElementLeft[k], row.top, 40);
      box->setEnabled(false);
      boxes.push_back(box);
    }
    follow(master, boxes, false);
  }

  auto* simplified = new QRadioButton(QStringLiteral("简体笔画"), pages[1]);
  tabs_->place(simplified, "单选框1", 29, 48, 85, 20);
  simplified->setChecked(true);
  auto* kangxi = new QRadioButton(QStringLiteral("康熙笔画"), pages[1]);
  tabs_->place(kangxi, "单选框2", 118, 48, 85, 20);
  for (const StrokeRow& row : kStrokeRows) {
    QCheckBox* master = checkBox(pages[1], row.master, row.caption, 40, row.top, 165);
    master->setEnabled(row.enabled);
    std::vector<QWidget*> combos;
    for (const auto& [name, left] : {std::pair{row.from, 213}, std::pair{row.to, 307}}) {
      auto* combo = new QComboBox(pages[1]);
      tabs_->place(combo, name, left, row.top, 64, 20);
      for (int i = 1; i <= row.items; ++i) combo->addItem(QString::number(i));
      combo->setEnabled(false);
      combos.push_back(combo);
    }
    tabs_->place(new QLabel(QStringLiteral("到"), pages[1]), "", 286, row.top, 18, 20);
    tabs_->place(new QLabel(QStringLiteral("之间"), pages[1]), "", 383, row.top, 40, 20);
    follow(master, combos, false);
  }

  for (const PinyinRow& row : kPinyinRows) {
    QCheckBox* master = checkBox(pages[2], row.master, row.caption, 40, row.top, 150);
    master->setEnabled(row.enabled);
    auto* edit = new QLineEdit(pages[2]);
    tabs_->place(edit, row.edit, 210, row.top, 73, 22);
    auto* label = new QLabel(QStringLiteral("请输入拼音"), pages[2]);
    tabs_->place(label, row.label, 302, row.top, 100, 22);
    edit->hide();
    label->hide();
    follow(master, {edit, label}, true);
  }

  tabs_->place(new QLabel(QStringLiteral("名称里必须含某个字"), pages[3]), "透明标签11", 42, 85, 125, 24);
  tabs_->place(new QLineEdit(pages[3]), "编辑框1", 170, 90, 88, 22);
  tabs_->place(new QLabel(QStringLiteral("请输入指定的字"), pages[3]), "透明标签10", 292, 90, 110, 22);

  auto* ok = new QPushButton(QStringLiteral("确定"), this);
  ok->setObjectName(QStringLiteral("按钮1"));
  ok->setGeometry(264, 246, 88, 24);
  connect(ok, &QPushButton::clicked, this, &FilterSettingsWindow::applyFilter);
  auto* cancel = new QPushButton(QStringLiteral("取消"), this);
  cancel->setObjectName(QStringLiteral("按钮2"));
  cancel->setGeometry(355, 246, 88, 24);
  connect(cancel, &QPushButton::clicked, this, &QWidget::close);
  auto* bar = new QProgressBar(this);
  bar->setObjectName(QStringLiteral("进度条1"));
  bar->setGeometry(34, 249, 206, 19);
  bar->hide();
}

void FilterSettingsWindow::initFilterWindow() {
  // The masters of positions 2..4 on the three pages, by position.
  const char* masters[4][3] = {{"选择框33", "选择框51", "选择框54"},
                               {"选择框4", "选择框2", "选择框6"},
                               {"选择框5", "选择框3", "选择框7"},
                               {"选择框39", "选择框52", "选择框55"}};
  if (main_) {
    const int length = platform::Control<QComboBox>(main_, "组合框1")->currentIndex();
    for (int position = 1; position <= 3 && position <= length + 1; ++position)
      for (const char* name : masters[position]) control<QCheckBox>(name)->setEnabled(true);
    // A fixed character needs no filter.
    const char* fixed[4] = {"编辑框A1", "编辑框A2", "编辑框A3", "编辑框A4"};
    for (int position = 0; position < 4; ++position)
      if (!platform::Control<QLineEdit>(main_, fixed[position])->text().isEmpty())
        for (const char* name : masters[position]) control<QCheckBox>(name)->setEnabled(false);
  }
  for (const StrokeRow& row : kStrokeRows) {
    control<QComboBox>(row.from)->setCurrentIndex(0);
    auto* to = control<QComboBox>(row.to);
    to->setCurrentIndex(to->count() - 1);
  }
  control<QCheckBox>("选择框33")->setFocus();
}

FilterConditions FilterSettingsWindow::conditions() const {
  FilterConditions c;
  c.page = static_cast<FilterPage>(tabs_->currentIndex());
  auto checked = [this](const std::string& name) { return control<QCheckBox>(name.c_str())->isChecked(); };
  auto elementsOf = [&](const ElementRow& row) {
    std::vector<std::string> out;
    for (int k = 0; k < 5; ++k)
      if (checked(BoxName(row.firstBox + k))) out.push_back(gbk::G(kElements[k]));
    return out;
  };
  for (int j = 0; j < 4; ++j)
    if (checked(kElementRows[j].master))
      for (const auto& e : elementsOf(kElementRows[j])) c.allowedElements[j] += e;
  c.requireOn = checked(kElementRows[4].master);
  c.required = elementsOf(kElementRows[4]);
  c.excludeOn = checked(kElementRows[5].master);
  c.excluded = elementsOf(kElementRows[5]);

  c.kangxi = !control<QRadioButton>("单选框1")->isChecked();
  auto range = [&](const StrokeRow& row) {
    return StrokeRange{
        checked(row.master),
        static_cast<int>(gbk::ParseDecimal(FromQ(control<QComboBox>(row.from)->currentText()))),
        static_cast<int>(gbk::ParseDecimal(FromQ(control<QComboBox>(row.to)->currentText())))};
  };
  for (int j = 0; j < 4; ++j) c.ranges[j] = range(kStrokeRows[j]);
  c.total = range(kStrokeRows[4]);

  auto pinyin = [&](const PinyinRow& row) {
    return PinyinCondition{checked(row.master), FromQ(control<QLineEdit>(row.edit)->text())};
  };
  for (int j = 0; j < 4; ++j) c.pinyin[j] = pinyin(kPinyinRows[j]);
  c.anyPinyin = pinyin(kPinyinRows[4]);

  c.requiredText = FromQ(control<QLineEdit>("编辑框1")->text());
  return c;
}

void FilterSettingsWindow::applyFilter() {
  auto* ok = control<QPushButton>("按钮1");
  ok->setEnabled(false);
  // This window is not modal: a run may have started since it opened.
  GenerateController* controller = FindGenerateController(main_);
  if (platform::IsRunning(frame::globals().generationThread)) {
    const bool relisting = controller && controller->lastStartWasRelisting();
    platform::ShowMessageBox(relisting ? gbk::G("正在列出上次筛选的结果,请等列出结束后再筛选")
                                       : gbk::G("正在生成名称,请等生成结束后再筛选"),
                             gbk::G("提示"), platform::kOkInformation);
    ok->setEnabled(true);
    return;
  }
  const FilterConditions c = conditions();
  const std::string names = frame::globals().generatedNames.Get();
  auto* bar = control<QProgressBar>("进度条1");
  bar->setValue(0);
  bar->show();
  // Painted at once rather than through the event loop: no user input is
  // taken while the filter runs (it takes a fraction of a second).
  std::string kept = FilterNames(names, c, [bar](int v) {
    bar->setValue(v);
    bar->repaint();
  });
  bar->hide();
  frame::globals().filteredNames.Set(kept);
  if (!controller || !controller->startRelisting(std::move(kept))) {
    ok->setEnabled(true);
    return;
  }
  close();
}

FilterSettingsWindow* OpenFilterWindow(QWidget* main) {
  auto* button = platform::Control<QPushButton>(main, "按钮2");
  button->setEnabled(false);
  auto* window = new FilterSettingsWindow(main);
  window->show();
  button->setEnabled(true);
  return window;
}

}  // namespace engine
