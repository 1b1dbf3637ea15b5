#include "frame/ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <chrono>
#include <future>
#include <memory>

#include "engine/ui/GenerateController.h"
#include "engine/ui/ResultModel.h"
#include "frame/globals.h"
#include "frame/settings.h"
#include "frame/ui/Launchers.h"
#include "frame/ui/NamingModes.h"
#include "frame/ui/Pictures.h"
#include "frame/ui/RegionPicker.h"
#include "frame/ui/ResultGridMenu.h"
#include "online/network_init.h"
#include "online/ui/UpdateCheck.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/threads.h"
#include "platform/ui/Anchoring.h"
#include "platform/ui/FollowSettings.h"
#include "platform/ui/TextWindow.h"
#include "platform/ui/qt_bridge.h"

namespace frame {
namespace {

using platform::FromQ;
using platform::Q;

enum class Kind { Shape, Label, Picture, Edit, Combo, PictureButton, Button, Line, Progress, Radio, List, Grid };

struct ControlDesign {
  Kind kind;
  const char* name;
  const char* parent;  // nullptr: the client area
  const char* caption;
  int x, y, w, h;
  bool visible;
};

// The designed layout, in creation order (later controls lie above earlier
// ones). Positions are left, top, width, height in the parent's client area.
const ControlDesign kLayout[] = {
    {Kind::Line, "进度条1", nullptr, "", 0, 33, 1500, 2, true},
    {Kind::Line, "进度条5", nullptr, "", -1, 77, 754, 2, true},
    {Kind::Line, "进度条2", nullptr, "", 0, 84, 2, 390, true},
    {Kind::Line, "进度条3", nullptr, "", 741, 80, 2, 390, true},
    {Kind::Picture, "图片框4", nullptr, "", 10, 47, 80, 20, true},
    {Kind::Picture, "图片框5", nullptr, "", 10, 88, 80, 20, true},
    {Kind::Picture, "图片框6", nullptr, "", 10, 119, 80, 20, true},
    {Kind::Picture, "图片框7", nullptr, "", 10, 150, 80, 20, true},
    {Kind::Label, "标签2", nullptr, "公司老板", 10, 47, 80, 21, true},
    {Kind::Shape, "外形框4", nullptr, "", 8, 45, 84, 24, true},
    {Kind::Shape, "外形框1", nullptr, "", 8, 86, 84, 24, true},
    {Kind::Shape, "外形框2", nullptr, "", 8, 117, 84, 24, true},
    {Kind::Shape, "外形框3", nullptr, "", 8, 148, 84, 24, true},
    {Kind::Label, "标签1", "外形框4", "公司老板", 2, 2, 80, 20, true},
    {Kind::Label, "标签4", "外形框1", "地区前缀", 2, 2, 80, 21, true},
    {Kind::Label, "标签5", "外形框2", "字词限定", 2, 2, 80, 21, true},
    {Kind::Label, "标签6", "外形框3", "行业后缀", 2, 2, 80, 21, true},
    {Kind::Edit, "编辑框1", nullptr, "苏州", 101, 87, 83, 23, true},
    {Kind::Label, "透明标签1", nullptr, "如『临江禾川软件有限公司』的“临江”,代表的是公司所在地区", 206, 86, 386, 24, true},
    {Kind::Edit, "编辑框A1", nullptr, "", 101, 118, 38, 22, true},
    {Kind::Edit, "编辑框A2", nullptr, "", 147, 118, 38, 22, true},
    {Kind::Edit, "编辑框A3", nullptr, "", 194, 118, 38, 22, true},
    {Kind::Edit, "编辑框A4", nullptr, "", 242, 118, 38, 22, true},
    {Kind::Edit, "编辑框A5", nullptr, "", 291, 118, 38, 22, false},
    {Kind::Combo, "组合框1", nullptr, "", 347, 119, 52, 20, true},
    {Kind::Label, "透明标签2", nullptr, "", 412, 117, 383, 24, true},
    {Kind::Edit, "编辑框2", nullptr, "软件有限公司", 101, 149, 179, 23, true},
    {Kind::Label, "透明标签3", nullptr, "如『临江禾川软件有限公司』的“软件有限公司”,代表的是公司类别", 299, 148, 374, 24,
     true},
    {Kind::Shape, "外形框5", nullptr, "", 96, 40, 744, 28, true},
    {Kind::Label, "透明标签6", "外形框5", "姓", 7, 5, 22, 20, true},
    {Kind::Label, "透明标签7", "外形框5", "名", 89, 5, 22, 20, true},
    {Kind::Label, "透明标签9", "外形框5", "性别", 198, 5, 34, 20, true},
    {Kind::Label, "透明标签8", "外形框5", "生日", 310, 5, 34, 20, true},
    {Kind::Edit, "编辑框N1", "外形框5", "", 31, 7, 38, 22, true},
    {Kind::Edit, "编辑框N2", "外形框5", "", 112, 7, 72, 22, true},
    {Kind::Combo, "组合框SX", "外形框5", "", 235, 7, 54, 19, false},
    {Kind::PictureButton, "图形按钮m4", "外形框5", "", 236, 7, 46, 20, true},
    {Kind::Combo, "组合框18", "外形框5", "", 346, 7, 58, 20, true},
    {Kind::Combo, "组合框21", "外形框5", "", 427, 7, 45, 20, true},
    {Kind::Combo, "组合框22", "外形框5", "", 493, 7, 45, 20, true},
    {Kind::Combo, "组合框23", "外形框5", "", 561, 7, 56, 20, true},
    {Kind::Label, "透明标签49", "外形框5", "年", 406, 6, 18, 20, true},
    {Kind::Label, "透明标签50", "外形框5", "月", 474, 6, 18, 20, true},
    {Kind::Label, "透明标签51", "外形框5", "日", 540, 6, 18, 20, true},
    {Kind::Label, "透明标签52", "外形框5", "时", 619, 6, 18, 20, true},
    {Kind::Picture, "图片框1", "外形框5", "", 659, 12, 41, 11, false},
    {Kind::Grid, "超级列表框1", nullptr, "", 7, 179, 727, 253, true},
    {Kind::Picture, "图片框3", nullptr, "", 7, 179, 727, 254, true},
    {Kind::Progress, "进度条4", nullptr, "", 7, 409, 543, 24, false},
    {Kind::Button, "按钮2", nullptr, "从结果里筛选", 330, 440, 124, 28, false},
    {Kind::Button, "按钮3", nullptr, "查看各名称属性", 462, 440, 124, 28, false},
    {Kind::Button, "按钮4", nullptr, "使用帮助", 461, 440, 124, 28, false},
    {Kind::Button, "按钮1", nullptr, "立即起名", 592, 440, 124, 28, true},
    {Kind::Radio, "单选框1", nullptr, "智能模式1", 17, 446, 95, 16, false},
    {Kind::Radio, "单选框3", nullptr, "智能模式2", 123, 446, 76, 16, false},
    {Kind::Radio, "单选框2", nullptr, "组合模式", 228, 446, 72, 16, false},
    {Kind::Picture, "图片框模式底", nullptr, "", 16, 444, 244, 20, true},
    {Kind::PictureButton, "图形按钮m1", "图片框模式底", "", 0, 0, 69, 20, true},
    {Kind::PictureButton, "图形按钮m2", "图片框模式底", "", 88, 0, 69, 20, true},
    {Kind::PictureButton, "图形按钮m3", "图片框模式底", "", 175, 0, 69, 20, true},
    {Kind::PictureButton, "图形按钮1", nullptr, "", 656, 91, 80, 79, true},
    {Kind::Label, "透明标签4", nullptr, "", 678, 100, 48, 64, true},
    {Kind::Shape, "外形框dq", nullptr, "", 330, 87, 319, 270, false},
    {Kind::Picture, "图片框2", "外形框dq", "", 15, 12, 10, 11, true},
    {Kind::Label, "透明标签sj", "外形框dq", "您可以自行输入地区名称,或在以下列表中选择", 33, 10, 250, 16, true},
    {Kind::Label, "透明标签xp1", "外形框dq", "×", 295, 7, 13, 18, true},
    {Kind::List, "超级列表框sj", "外形框dq", "省份▽", 14, 29, 144, 198, true},
    {Kind::List, "超级列表框cj", "外形框dq", "选择城市▽", 163, 29, 142, 198, true},
    {Kind::PictureButton, "图形按钮姓氏选择框", "外形框dq", "确定", 234, 237, 71, 22, true},
    {Kind::Label, "超级链接框1", nullptr, "", 0, 0, 0, 0, false},
    {Kind::Label, "客户1", nullptr, "", 0, 0, 0, 0, false},
};

const char* const kToolbarCaptions[] = {"使用帮助", "名字分析", "重名查询", "在线字典", "开张吉日", "常用文档", "退出"};

// Selection from a stored index: above the last item selects the last one,
// below 0 leaves the box without a selection.
void SetComboSelection(QComboBox* box, int index) {
  if (!box) return;
  if (index < 0 || box->count() == 0) {
    box->setCurrentIndex(-1);
    return;
  }
  box->setCurrentIndex(std::min(index, box->count() - 1));
}

QWidget* MakeControl(const ControlDesign& d, QWidget* parent) {
  const QString caption = QString::fromUtf8(d.caption);
  QWidget* w = nullptr;
  switch (d.kind) {
    case Kind::Shape: {
      auto* f = new QFrame(parent);
      f->setFrameShape(QFrame::NoFrame);
      w = f;
      break;
    }
    case Kind::Label:
    case Kind::Picture: {
      auto* l = new QLabel(caption, parent);
      l->setAttribute(Qt::WA_TranslucentBackground);
      if (d.kind == Kind::Label) l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      w = l;
      break;
    }
    case Kind::Edit:
      w = new QLineEdit(caption, parent);
      break;
    case Kind::Combo:
      w = new QComboBox(parent);
      break;
    case Kind::PictureButton: {
      auto* b = new QToolButton(parent);
      b->setAutoRaise(true);
      b->setToolButtonStyle(Qt::ToolButtonIconOnly);
      if (!caption.isEmpty()) {
        b->setText(caption);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
      }
      w = b;
      break;
    }
    case Kind::Button:
      w = new QPushButton(caption, parent);
      break;
    case Kind::Line: {
      auto* f = new QFrame(parent);
      f->setAutoFillBackground(true);
      QPalette pal = f->palette();
      pal.setColor(QPalette::Window, QColor(0xc8, 0xa8, 0x78));
      f->setPalette(pal);
      w = f;
      break;
    }
    case Kind::Progress: {
      auto* p = new QProgressBar(parent);
      p->setRange(0, 100);
      p->setValue(0);
      w = p;
      break;
    }
    case Kind::Radio:
      w = new QRadioButton(caption, parent);
      break;
    case Kind::List: {
      auto* t = new QTableWidget(0, 1, parent);
      t->setHorizontalHeaderLabels({caption});
      t->horizontalHeader()->setStretchLastSection(true);
      t->verticalHeader()->hide();
      t->setSelectionBehavior(QAbstractItemView::SelectRows);
      t->setSelectionMode(QAbstractItemView::SingleSelection);
      t->setEditTriggers(QAbstractItemView::NoEditTriggers);
      t->verticalHeader()->setDefaultSectionSize(18);
      w = t;
      break;
    }
    case Kind::Grid: {
      auto* v = new QTableView(parent);
      v->setSelectionBehavior(QAbstractItemView::SelectRows);
      v->setSelectionMode(QAbstractItemView::SingleSelection);
      v->setEditTriggers(QAbstractItemView::NoEditTriggers);
      v->verticalHeader()->hide();
      v->verticalHeader()->setDefaultSectionSize(20);
      v->setAlternatingRowColors(true);
      v->setContextMenuPolicy(Qt::CustomContextMenu);
      w = v;
      break;
    }
  }
  w->setObjectName(QString::fromUtf8(d.name));
  w->setGeometry(d.x, d.y, d.w, d.h);
  if (!d.visible) w->hide();
  return w;
}

int ComboIndex(QComboBox* box) { return box ? box->currentIndex() : -1; }

// Runs `work` on the GUI thread and waits for its answer, but never past the
// end of the program (or of `window`): an answer left unanswered is
// `fallback`.
template <class T, class Work>
T AnswerOnGuiThread(QPointer<MainWindow> window, T fallback, Work work) {
  auto answer = std::make_shared<std::promise<T>>();
  std::future<T> result = answer->get_future();
  QMetaObject::invokeMethod(
      qApp, [window, answer, fallback, work] { answer->set_value(window ? work() : fallback); },
      Qt::QueuedConnection);
  while (result.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
    if (platform::ProgramIsEnding()) return fallback;
  }
  try {
    return result.get();
  } catch (const std::future_error&) {
    return fallback;  // the work was dropped undone
  }
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  Globals& g = globals();
  // Caption, site segment, folders.
  g.appName = gbk::G("澜舟雅集");
  g.appVersion = "23.0";
  setWindowTitle(Q(g.appName) + QStringLiteral(" v") + Q(g.appVersion));
  g.sitePathSegment = "P20111229";
  g.dataDirectory = GetDataDirectory();
  g.settingsFilePath = GetSettingsFilePath();
  g.appDataDirectory = g.dataDirectory / gbk::ToUtf8(g.appName) / "";
  platform::TextWindow::SetUntitledFolder(g.dataDirectory);

  buildLayout();
  control<QProgressBar>("进度条4")->move(7, 441);
  attachFeatures();
  registerAnchors();
  applyEditBoxFont();
  restoreInputs();
  loadBossOptions();
  setKeywordHints();
  if (control<QLineEdit>("编辑框1")->text().isEmpty()) control<QLineEdit>("编辑框1")->setFocus();

  settingsListener_ = AddSettingsListener(platform::FollowOnGuiThread(this, &MainWindow::onSettingWritten));

  auto* webTimer = new QTimer(this);
  webTimer->setObjectName(QStringLiteral("时钟web"));
  webTimer->setSingleShot(true);
  webTimer->start(1000);
  auto* endTimer = new QTimer(this);
  endTimer->setObjectName(QStringLiteral("结束时钟"));
  endTimer->setSingleShot(true);
  // Closed the normal way first, so the inputs are saved and the worker stops.
  connect(endTimer, &QTimer::timeout, this, [this] {
    close();
    QApplication::exit(0);
  });

  startNetworkThread();
}

MainWindow::~MainWindow() {
  RemoveSettingsListener(settingsListener_);
  // A window destroyed without being closed still ends its run first.
  if (!closed_) platform::StopWorkerThread(globals().generationThread);
}

void MainWindow::buildLayout() {
  move(50, 50);
  resize(kDesignedWidth, kDesignedHeight);
  // Smaller, the picture at the top right covers the hints and the date
  // boxes are cut.
  setMinimumSize(kDesignedWidth, kDesignedHeight);
  central_ = new QWidget(this);
  central_->setObjectName(QStringLiteral("客户区"));
  setCentralWidget(central_);
  buildMenus();

  auto* status = new QStatusBar(this);
  status->setObjectName(QStringLiteral("状态条1"));
  status->setSizeGripEnabled(true);
  for (int i = 0; i < 2; ++i) {
    statusParts_[i] = new QLabel(status);
    statusParts_[i]->setObjectName(QStringLiteral("状态条1_%1").arg(i));
    if (i == 0) {
      // Part 0 stays narrow: at the designed width part 1 holds the longest
      // mode hint whole.
      statusParts_[i]->setMinimumWidth(24);
      status->addWidget(statusParts_[i]);
    } else {
      // A long hint is cut at the window's edge instead of widening the window.
      statusParts_[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
      status->addWidget(statusParts_[i], 1);
    }
  }
  setStatusBar(status);

  buildToolbar(central_);
  for (const ControlDesign& d : kLayout) {
    QWidget* parent = d.parent ? control<QWidget>(d.parent) : central_;
    MakeControl(d, parent ? parent : central_);
  }

  // Captions, pictures and items that the table cannot hold.
  for (const char* name : {"图片框4", "图片框5", "图片框6", "图片框7"}) control<QLabel>(name)->setPixmap(CaptionBackground());
  for (const char* name : {"标签1", "标签2", "标签4", "标签5", "标签6"}) {
    auto* l = control<QLabel>(name);
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
  }
  auto* hint = control<QLabel>("图片框3");
  hint->setPixmap(ResultHintPicture(hint->size()));
  hint->setScaledContents(true);
  auto* emblem = control<QToolButton>("图形按钮1");
  emblem->setIcon(QIcon(EmblemPicture()));
  emblem->setIconSize(QSize(80, 79));
  control<QLabel>("透明标签4")->installEventFilter(this);

  auto* length = control<QComboBox>("组合框1");
  length->addItems({QStringLiteral("二字"), QStringLiteral("三字"), QStringLiteral("四字")});
  length->setCurrentIndex(0);
  auto* gender = control<QComboBox>("组合框SX");
  gender->addItems({QStringLiteral("男"), QStringLiteral("女")});
  gender->setCurrentIndex(0);
  auto* genderSwitch = control<QToolButton>("图形按钮m4");
  genderSwitch->setIconSize(QSize(46, 20));
  genderSwitch->setIcon(QIcon(GenderPicture(Gender::Male)));
  genderSwitch->setCursor(Qt::PointingHandCursor);

  auto* grid = control<QTableView>("超级列表框1");
  grid->horizontalHeader()->setHighlightSections(false);

  // 按钮1 waits for the start-up step to put the generation data in place.
  control<QPushButton>("按钮1")->setEnabled(false);
  control<QRadioButton>("单选框1")->setChecked(true);

  // Boss data is saved on every change.
  for (const char* name : {"组合框18", "组合框21", "组合框22", "组合框23"}) {
    connect(control<QComboBox>(name), QOverload<int>::of(&QComboBox::activated), this,
            [this](int) { saveBossOptions(); });
  }
  connect(gender, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
    male_ = index != 1;
    showGender();
    saveBossOptions();
    control<QComboBox>("组合框18")->setFocus();
  });
  connect(genderSwitch, &QToolButton::clicked, this, &MainWindow::toggleGenderCheck);
  control<QLineEdit>("编辑框N1")->installEventFilter(this);
  control<QLineEdit>("编辑框N2")->installEventFilter(this);
}

void MainWindow::buildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("菜单栏"));
  auto addMenu = [bar](const char* title, std::initializer_list<const char*> items) {
    QMenu* menu = bar->addMenu(QString::fromUtf8(title));
    for (const char* item : items) {
      if (std::string_view(item) == "-") {
        menu->addSeparator();
        continue;
      }
      QAction* a = menu->addAction(QString::fromUtf8(item));
      a->setObjectName(QString::fromUtf8(item));
      a->setEnabled(false);  // enabled by its launcher (Launchers.cpp)
    }
    return menu;
  };
  addMenu("[&C]快速菜单", {"公司取名", "自选列表", "-", "起名建议", "-", "退出"});
  addMenu("[&D]相关文档",
          {"企业名称预先核准申请书", "企业名称预先核准通知书", "中华人民共和国公司法", "-", "公司取名文章大全", "-",
           "更多下载..."});
  addMenu("[&M]常识知识", {"三十六计", "常用多音字表", "容易读错音的一些字", "中国古代的姓氏名字号",
                          "中国主要亲属关系简表", "古代文化常识汇编", "中国历史朝代对照简表", "中国古代的计时法",
                          "中国各个城市市花", "中国少数民族分布简表", "中外重要节日简表", "二十四节气表",
                          "国内长途区号表", "国际长途区号表", "省自治区直辖市简表", "绕口令选集", "-", "万年历"});
  addMenu("[&P]其他功能", {"五行属性查询", "简体笔画查询", "康熙笔画查询", "拼音查询", "-", "商标在线查询", "-",
                          "计算器", "记事本"});
  addMenu("[&H]帮助", {"软件升级", "联系我们", "软件主页"});
  // The result grid's context menu lives in a hidden menu.
  auto* hidden = new QMenu(QStringLiteral("隐藏菜单"), this);
  hidden->setObjectName(QStringLiteral("隐藏菜单"));
}

void MainWindow::buildToolbar(QWidget* central) {
  auto* toolbar = new QToolBar(central);
  toolbar->setObjectName(QStringLiteral("工具条1"));
  toolbar->setGeometry(0, 0, 642, 33);
  toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  toolbar->setIconSize(QSize(20, 20));
  toolbar->setMovable(false);
  int i = 0;
  for (const char* caption : kToolbarCaptions) {
    QAction* a = toolbar->addAction(QIcon(ToolbarIcon(i++)), QString::fromUtf8(caption));
    a->setObjectName(QStringLiteral("工具条1_") + QString::fromUtf8(caption));
    a->setEnabled(false);
  }
}

void MainWindow::registerAnchors() {
  // Taken while the client area has its designed size, so every distance
  // comes from the designed layout.
  resize(kDesignedWidth, kDesignedHeight);
  if (layout()) layout()->activate();
  platform::AnchorControl(control<QWidget>("超级列表框1"), 1);
  for (const char* b : {"按钮1", "按钮2", "按钮3", "按钮4"}) platform::AnchorControl(control<QWidget>(b), 3);
  platform::RegisterAnchor(control<QWidget>("进度条2"), 1, 1, 0, 1);
  platform::RegisterAnchor(control<QWidget>("进度条3"), 0, 1, 1, 1);
  platform::RegisterAnchor(control<QWidget>("图形按钮1"), 0, 1, 1, 0);
  platform::RegisterAnchor(control<QWidget>("透明标签4"), 0, 1, 1, 0);
  platform::RegisterAnchor(control<QWidget>("进度条4"), 1, 0, 1, 1);
  platform::RegisterAnchor(control<QWidget>("进度条5"), 1, 1, 1, 0);
  for (const char* r : {"单选框1", "单选框2", "单选框3"}) platform::AnchorControl(control<QWidget>(r), 2);
  platform::RegisterAnchor(control<QWidget>("图片框模式底"), 1, 0, 0, 1);
  // The hint picture lies over the grid and goes with it.
  platform::AnchorControl(control<QWidget>("图片框3"), 1);
}

void MainWindow::attachFeatures() {
  // Features attach to the controls here, each by the designed names.
  new RegionPicker(this);
  new NamingModes(this);
  auto* generate = new engine::GenerateController(this);
  generate->model()->setRowIcon(QIcon(ResultRowPicture()));
  connect(generate->model(), &QAbstractItemModel::modelReset, this, &MainWindow::updateHintPicture);
  connect(generate->model(), &QAbstractItemModel::rowsInserted, this, &MainWindow::updateHintPicture);
  new ResultGridMenu(this);
  // Last: the table enables what the features above have built.
  AttachLaunchers(*this);
}

void MainWindow::applyEditBoxFont() {
  for (const char* name : {"编辑框1", "编辑框2", "编辑框A1", "编辑框A2", "编辑框A3", "编辑框A4", "编辑框A5"}) {
    auto* e = control<QLineEdit>(name);
    QFont f = e->font();
    // 宋体 where it is installed; otherwise the CJK font fontconfig picks.
    f.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei")});
    f.setPointSize(10);
    e->setFont(f);
    QPalette pal = e->palette();
    pal.setColor(QPalette::Text, QColor(255, 0, 0));
    e->setPalette(pal);
  }
}

void MainWindow::restoreInputs() {
  auto* length = control<QComboBox>("组合框1");
  SetComboSelection(length, ReadSettingNumber(gbk::G("名称字数"), length->currentIndex()));
  auto restoreEdit = [this](const char* name, const char* key) {
    auto* e = control<QLineEdit>(name);
    e->setText(Q(ReadSetting(gbk::G(key), FromQ(e->text()))));
  };
  restoreEdit("编辑框1", "地区名");
  restoreEdit("编辑框2", "类别名");
  restoreEdit("编辑框A1", "A1");
  restoreEdit("编辑框A2", "A2");
  restoreEdit("编辑框A3", "A3");
  restoreEdit("编辑框A4", "A4");
  restoreEdit("编辑框A5", "A5");
}

void MainWindow::loadBossOptions() {
  auto* year = control<QComboBox>("组合框18");
  auto* month = control<QComboBox>("组合框21");
  auto* day = control<QComboBox>("组合框22");
  auto* hour = control<QComboBox>("组合框23");
  for (QComboBox* box : {year, month, day, hour}) box->clear();
  const QDate today = QDate::currentDate();
  int y = 0;
  for (int i = 1949; i <= 2030; ++i) {
    year->addItem(QString::number(i));
    if (i == today.year()) y = i;
  }
  for (int i = 1; i <= 12; ++i) month->addItem(QString::number(i));
  for (int i = 1; i <= 31; ++i) day->addItem(QString::number(i));
  for (int i = 0; i <= 23; ++i) hour->addItem(QString::number(i));
  hour->addItem(QStringLiteral("未知"));
  SetComboSelection(year, ReadSettingNumber(gbk::G("选项18"), y - 1949));
  SetComboSelection(month, ReadSettingNumber(gbk::G("选项21"), today.month() - 1));
  SetComboSelection(day, ReadSettingNumber(gbk::G("选项22"), today.day() - 1));
  SetComboSelection(hour, ReadSettingNumber(gbk::G("选项23"), 0));

  auto* gender = control<QComboBox>("组合框SX");
  SetComboSelection(gender, ReadSettingNumber(gbk::G("选项sx"), gender->currentIndex()));
  male_ = gender->currentIndex() != 1;
  showGender();

  for (auto [name, key] : {std::pair{"编辑框N1", "老板姓名1"}, std::pair{"编辑框N2", "老板姓名2"}}) {
    auto* e = control<QLineEdit>(name);
    e->setText(Q(ReadSetting(gbk::G(key), FromQ(e->text()))));
  }
}

platform::ProfileEntries MainWindow::bossOptions() {
  return {{gbk::G("选项18"), std::to_string(ComboIndex(control<QComboBox>("组合框18")))},
          {gbk::G("选项21"), std::to_string(ComboIndex(control<QComboBox>("组合框21")))},
          {gbk::G("选项22"), std::to_string(ComboIndex(control<QComboBox>("组合框22")))},
          {gbk::G("选项23"), std::to_string(ComboIndex(control<QComboBox>("组合框23")))},
          {gbk::G("老板姓名1"), FromQ(control<QLineEdit>("编辑框N1")->text())},
          {gbk::G("老板姓名2"), FromQ(control<QLineEdit>("编辑框N2")->text())},
          {gbk::G("选项sx"), std::to_string(ComboIndex(control<QComboBox>("组合框SX")))}};
}

void MainWindow::saveBossOptions() { WriteSettings(bossOptions()); }

void MainWindow::showGender() {
  control<QToolButton>("图形按钮m4")->setIcon(QIcon(GenderPicture(male_ ? Gender::Male : Gender::Female)));
}

void MainWindow::toggleGenderCheck() {
  male_ = !male_;
  showGender();
  control<QComboBox>("组合框SX")->setCurrentIndex(male_ ? 0 : 1);
  saveBossOptions();
}

void MainWindow::onSettingWritten(const QString& key, const QString& value) {
  // Another window (or this one) saved a boss key: keep the controls in step
  // so that closing this window never writes stale values back.
  const int number = static_cast<int>(gbk::ParseDecimal(FromQ(value)));
  auto syncCombo = [&](const char* name) {
    auto* box = control<QComboBox>(name);
    if (box->currentIndex() == number) return;
    QSignalBlocker block(box);
    SetComboSelection(box, number);
  };
  if (key == QStringLiteral("选项18")) syncCombo("组合框18");
  else if (key == QStringLiteral("选项21")) syncCombo("组合框21");
  else if (key == QStringLiteral("选项22")) syncCombo("组合框22");
  else if (key == QStringLiteral("选项23")) syncCombo("组合框23");
  else if (key == QStringLiteral("选项sx")) {
    syncCombo("组合框SX");
    bool male = control<QComboBox>("组合框SX")->currentIndex() != 1;
    if (male != male_) {
      male_ = male;
      showGender();
    }
  } else if (key == QStringLiteral("老板姓名1") || key == QStringLiteral("老板姓名2")) {
    auto* e = control<QLineEdit>(key == QStringLiteral("老板姓名1") ? "编辑框N1" : "编辑框N2");
    if (e->text() != value && !e->hasFocus()) e->setText(value);
  }
}

void MainWindow::setKeywordHints() {
  struct Row {
    bool a3, a4, a5;
    int comboLeft, hintLeft;
    const char* hint;
  };
  static const Row kRows[] = {
      {false, false, false, 207, 272, "如『临江禾川软件有限公司』的“禾”或“川”,如不限制任何字请留空"},
      {true, false, false, 253, 318, "如『临江禾川软件有限公司』的“禾”或“川”,如不限制请留空"},
      {true, true, false, 304, 369, "如『临江禾川软件有限公司』的“禾”或“川”"},
  };
  auto* length = control<QComboBox>("组合框1");
  int index = length->currentIndex();
  if (index >= 0 && index <= 2) {
    const Row& r = kRows[index];
    control<QWidget>("编辑框A3")->setVisible(r.a3);
    control<QWidget>("编辑框A4")->setVisible(r.a4);
    control<QWidget>("编辑框A5")->setVisible(r.a5);
    length->move(r.comboLeft, length->y());
    auto* hint = control<QLabel>("透明标签2");
    hint->move(r.hintLeft, hint->y());
    hint->setText(QString::fromUtf8(r.hint));
  }
  control<QLineEdit>("编辑框A1")->setFocus();
}

void MainWindow::setStatusPart(int part, const QString& text) {
  if (part >= 0 && part < 2) statusParts_[part]->setText(text);
}

QString MainWindow::statusPart(int part) const {
  return (part >= 0 && part < 2) ? statusParts_[part]->text() : QString();
}

int MainWindow::savedWindowState() const {
  if (windowState() & Qt::WindowMaximized) return 3;
  // A window manager may report a minimised window without its maximised
  // state.
  if (windowState() & Qt::WindowMinimized) return maximisedBeforeMinimise_ ? 3 : 0;
  return 0;
}

void MainWindow::showForSavedState() {
  const int state = ReadSettingNumber(gbk::G("位置A"), 3);
  QWidget* focus = focusWidget();
  if (state == 3)
    showMaximized();
  else
    showNormal();
  if (focus) focus->setFocus();
}

void MainWindow::updateHintPicture() {
  auto* grid = control<QTableView>("超级列表框1");
  bool gridHasRows = grid->model() && grid->model()->rowCount() > 0 &&
                     !grid->model()->index(0, 1).data().toString().isEmpty();
  auto* hint = control<QWidget>("图片框3");
  if (gridHasRows) {
    hint->hide();
    return;
  }
  hint->setVisible(width() == kDesignedWidth && height() == kDesignedHeight);
}

void MainWindow::enableGenerateButton() { control<QPushButton>("按钮1")->setEnabled(true); }

void MainWindow::endProgramSoon() {
  // Their unsaved edits were settled before the updater started.
  platform::TextWindow::CloseAllSettled();
  hide();
  findChild<QTimer*>(QStringLiteral("结束时钟"))->start(1000);
}

void MainWindow::startNetworkThread() {
  // The step runs on a worker: every hook hands its work to the GUI thread,
  // and drops it once this window is gone.
  QPointer<MainWindow> self(this);
  auto post = [self](std::function<void(MainWindow*)> f) {
    QMetaObject::invokeMethod(
        qApp,
        [self, f] {
          if (self) f(self.data());
        },
        Qt::QueuedConnection);
  };
  online::StartupHooks hooks;
  hooks.enableGenerateButton = [post] { post([](MainWindow* w) { w->enableGenerateButton(); }); };
  hooks.updateWindow.minimise = [post] { post([](MainWindow* w) { w->showMinimized(); }); };
  hooks.updateWindow.restoreNormal = [post] { post([](MainWindow* w) { w->showNormal(); }); };
  hooks.updateWindow.ask = [self](std::string_view text, std::string_view title, int flags) {
    return AnswerOnGuiThread<int>(self, platform::kNo, [t = std::string(text), c = std::string(title), flags] {
      return platform::ShowMessageBox(t, c, flags);
    });
  };
  hooks.updateWindow.settleUnsavedEdits = [self] {
    return AnswerOnGuiThread<bool>(self, false, platform::TextWindow::SettleAllUnsavedEdits);
  };
  hooks.updateWindow.startUpdater = [self] { return AnswerOnGuiThread<bool>(self, false, online::StartUpdater); };
  hooks.endProgramSoon = [post] { post([](MainWindow* w) { w->endProgramSoon(); }); };
  online::StartNetworkInitThread(std::move(hooks));
}

void MainWindow::saveInputs() {
  // The inputs, then the boss data, in one rewrite of the settings file.
  platform::ProfileEntries entries = {
      {gbk::G("名称字数"), std::to_string(ComboIndex(control<QComboBox>("组合框1")))},
      {gbk::G("地区名"), FromQ(control<QLineEdit>("编辑框1")->text())},
      {gbk::G("类别名"), FromQ(control<QLineEdit>("编辑框2")->text())}};
  for (const char* n : {"A1", "A2", "A3", "A4", "A5"}) {
    std::string name = std::string("编辑框") + n;
    entries.emplace_back(n, FromQ(control<QLineEdit>(name.c_str())->text()));
  }
  entries.emplace_back(gbk::G("位置A"), std::to_string(savedWindowState()));
  for (auto& e : bossOptions()) entries.push_back(std::move(e));
  if (!WriteSettings(entries)) ReportSettingsNotSaved();
}

void MainWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange && !(windowState() & Qt::WindowMinimized))
    maximisedBeforeMinimise_ = windowState() & Qt::WindowMaximized;
  QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!closed_) {
    closed_ = true;
    saveInputs();
    emit closing();
    platform::StopWorkerThread(globals().generationThread);
  }
  event->accept();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  updateHintPicture();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched->objectName() == QStringLiteral("透明标签4")) {
      // Toggle between maximised and normal; a minimised window maximises.
      if ((windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) == Qt::WindowMaximized)
        showNormal();
      else
        showMaximized();
      return true;
    }
  }
  if (event->type() == QEvent::FocusOut) {
    const QString name = watched->objectName();
    if (name == QStringLiteral("编辑框N1") || name == QStringLiteral("编辑框N2")) saveBossOptions();
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace frame
