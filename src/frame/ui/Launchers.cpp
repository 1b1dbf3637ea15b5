#include "frame/ui/Launchers.h"

#include <QAction>
#include <QDate>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolBar>

#include "analysis/ui/CharacterLookupWindow.h"
#include "analysis/ui/FavouritesWindow.h"
#include "analysis/ui/FiveElementBalanceWindow.h"
#include "analysis/ui/NameAttributesWindow.h"
#include "analysis/ui/NameEvaluationWindow.h"
#include "analysis/ui/OtherWindows.h"
#include "engine/ui/FilterSettingsWindow.h"
#include "frame/globals.h"
#include "frame/ui/MainWindow.h"
#include "frame/ui/ResultGridMenu.h"
#include "online/article_pages.h"
#include "online/dictionary_index.h"
#include "online/site.h"
#include "online/ui/ContactWindow.h"
#include "online/ui/DocumentDownloadWindow.h"
#include "online/ui/DuplicateNameQueryWindow.h"
#include "online/ui/KnowledgeViewerWindow.h"
#include "online/ui/OnlineDictionaryWindow.h"
#include "online/ui/PageViewerWindow.h"
#include "online/ui/UpdateCheck.h"
#include "online/ui/WebBrowser.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/ui/qt_bridge.h"

namespace frame {

namespace {

using gbk::G;

void WithGridMenu(MainWindow& w, void (ResultGridMenu::*handler)()) {
  if (auto* menu = w.findChild<ResultGridMenu*>()) (menu->*handler)();
}

template <int Page>
void OpenLookup(MainWindow& w) {
  analysis::OpenCharacterLookup(&w, Page);
}

template <int Index>
void SetQualifier(MainWindow& w) {
  if (auto* menu = w.findChild<ResultGridMenu*>()) menu->SetQualifierWord(Index);
}

void EvaluateCurrentInputs(MainWindow& w) {
  // The inputs' region and suffix, with no name: the user types one.
  Globals& g = globals();
  g.evaluationPrefix = platform::FromQ(w.control<QLineEdit>("编辑框1")->text());
  g.evaluationSuffix = platform::FromQ(w.control<QLineEdit>("编辑框2")->text());
  g.selectedName.clear();
  analysis::NameEvaluationWindow::Open(&w);
}

void OpenCalculator(MainWindow&) {
  if (!platform::LaunchProgram(platform::ExternalProgram::Calculator, {}))
    platform::ShowMessageBox(
        G("没有找到计算器程序,请先在系统中安装一个计算器(如 gnome-calculator 或 galculator)。"), G("提示"),
        platform::kOkInformation);
}

void OpenNotepad(MainWindow&) { platform::LaunchProgram(platform::ExternalProgram::TextEditor, {}); }

void OpenDuplicateQueryEmpty(MainWindow& w) {
  globals().duplicateQueryName.clear();
  online::DuplicateNameQueryWindow::Open(&w);
}

std::string InputText(MainWindow& w, const char* box) {
  return platform::FromQ(w.control<QLineEdit>(box)->text());
}

// Both windows keep the favourites list of the prefix and suffix typed now.
void OpenNameAttributes(MainWindow& w) {
  analysis::NameAttributesWindow::Open(&w, InputText(w, "编辑框1"), InputText(w, "编辑框2"));
}
void OpenFavourites(MainWindow& w) {
  analysis::FavouritesWindow::Open(&w, InputText(w, "编辑框1"), InputText(w, "编辑框2"));
}

void OpenAuspiciousDays(MainWindow& w) {
  const std::string year = std::to_string(QDate::currentDate().year());
  online::OpenPage(&w, year + G("年新公司开张,选个吉日,图个好兆头!"), online::AuspiciousDaysUrl());
}

void ShowHelp(MainWindow&) { ShowUsageHelp(); }
void OpenBalanceWindow(MainWindow& w) { analysis::FiveElementBalanceWindow::Open(&w); }

template <int Index>
void OpenReference(MainWindow& w) {
  online::OpenReferencePage(&w, G(online::kReferenceMenuItems[Index].argument));
}
template <int Index>
constexpr Launcher ReferenceRow() {
  return {EntryKind::MenuItem, online::kReferenceMenuItems[Index].caption, OpenReference<Index>};
}
void CloseWindow(MainWindow& w) { w.close(); }
void UpdateFromMenu(MainWindow& w) {
  if (online::CheckForUpdateFromMenu(&w)) w.endProgramSoon();
}

// The table. Rows for windows still being built are added with them.
const Launcher kLaunchers[] = {
    {EntryKind::MenuItem, "公司取名", ShowHelp},
    {EntryKind::MenuItem, "自选列表", OpenFavourites},
    {EntryKind::MenuItem, "退出", CloseWindow},
    {EntryKind::MenuItem, "起名建议", OpenBalanceWindow},
    {EntryKind::MenuItem, "五行属性查询", OpenLookup<0>},
    {EntryKind::MenuItem, "简体笔画查询", OpenLookup<1>},
    {EntryKind::MenuItem, "康熙笔画查询", OpenLookup<2>},
    {EntryKind::MenuItem, "拼音查询", OpenLookup<3>},
    {EntryKind::MenuItem, "商标在线查询",
     [](MainWindow&) { online::OpenInWebBrowser(online::TrademarkQueryUrl()); }},
    {EntryKind::MenuItem, "计算器", OpenCalculator},
    {EntryKind::MenuItem, "记事本", OpenNotepad},
    {EntryKind::MenuItem, "联系我们", [](MainWindow&) { online::ContactWindow::Open(); }},
    {EntryKind::MenuItem, "软件主页", [](MainWindow&) { online::OpenInWebBrowser(online::HomePageUrl()); }},
    {EntryKind::MenuItem, "软件升级", UpdateFromMenu},

    ReferenceRow<0>(), ReferenceRow<1>(), ReferenceRow<2>(), ReferenceRow<3>(), ReferenceRow<4>(),
    ReferenceRow<5>(), ReferenceRow<6>(), ReferenceRow<7>(), ReferenceRow<8>(), ReferenceRow<9>(),
    ReferenceRow<10>(), ReferenceRow<11>(), ReferenceRow<12>(), ReferenceRow<13>(), ReferenceRow<14>(),
    ReferenceRow<15>(), ReferenceRow<16>(), ReferenceRow<17>(), ReferenceRow<18>(), ReferenceRow<19>(),
    {EntryKind::MenuItem, "万年历", [](MainWindow& w) { online::OpenPerpetualCalendar(&w); }},
    {EntryKind::MenuItem, "公司取名文章大全", [](MainWindow& w) { online::OpenKnowledgeArticleList(&w); }},

    {EntryKind::MenuItem, "复制公司名",
     [](MainWindow& w) { WithGridMenu(w, &ResultGridMenu::CopySelectedName); }},
    {EntryKind::MenuItem, "测算公司名",
     [](MainWindow& w) { WithGridMenu(w, &ResultGridMenu::EvaluateSelectedName); }},
    // The grid menu handed the right-clicked name over when it was shown.
    {EntryKind::MenuItem, "公司重名查询", [](MainWindow& w) { online::DuplicateNameQueryWindow::Open(&w); }},
    {EntryKind::MenuItem, "将A设置为限定词", SetQualifier<0>},
    {EntryKind::MenuItem, "将B设置为限定词", SetQualifier<1>},
    {EntryKind::MenuItem, "将C设置为限定词", SetQualifier<2>},
    {EntryKind::MenuItem, "将D设置为限定词", SetQualifier<3>},
    {EntryKind::MenuItem, "将E加入自选列表",
     [](MainWindow& w) { WithGridMenu(w, &ResultGridMenu::AddSelectedToFavourites); }},
    {EntryKind::MenuItem, "导出所有公司名",
     [](MainWindow& w) { WithGridMenu(w, &ResultGridMenu::ExportAllNames); }},

    {EntryKind::ToolbarButton, "使用帮助", ShowHelp},
    {EntryKind::ToolbarButton, "名字分析", EvaluateCurrentInputs},
    {EntryKind::ToolbarButton, "重名查询", OpenDuplicateQueryEmpty},
    {EntryKind::ToolbarButton, "在线字典", [](MainWindow& w) { online::OnlineDictionaryWindow::Open(&w); }},
    {EntryKind::ToolbarButton, "开张吉日", OpenAuspiciousDays},
    {EntryKind::ToolbarButton, "常用文档", [](MainWindow& w) { online::DocumentDownloadWindow::Open(&w); }},
    {EntryKind::ToolbarButton, "退出", CloseWindow},

    {EntryKind::Button, "按钮2", [](MainWindow& w) { engine::OpenFilterWindow(&w); }},
    {EntryKind::Button, "按钮3", OpenNameAttributes},
    {EntryKind::Button, "按钮4", ShowHelp},
    {EntryKind::Picture, "图片框1", OpenBalanceWindow},
};

// The result buttons the table decides on; other push buttons of the
// window belong to their features.
const char* const kResultButtons[] = {"按钮2", "按钮3", "按钮4"};

class PressFilter : public QObject {
 public:
  PressFilter(MainWindow& window, const Launcher& row, QObject* parent)
      : QObject(parent), window_(window), row_(row) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      row_.open(window_);
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  MainWindow& window_;
  const Launcher& row_;
};

void AttachAction(MainWindow& window, QAction* action) {
  if (action->isSeparator() || action->objectName().isEmpty()) return;
  const Launcher* row = FindLauncher(EntryKind::MenuItem, action->objectName().toStdString());
  action->setEnabled(row != nullptr);
  if (row) QObject::connect(action, &QAction::triggered, &window, [&window, row] { row->open(window); });
}

}  // namespace

std::span<const Launcher> Launchers() { return kLaunchers; }

const Launcher* FindLauncher(EntryKind kind, std::string_view entry) {
  for (const Launcher& row : kLaunchers)
    if (row.kind == kind && entry == row.entry) return &row;
  return nullptr;
}

void AttachLaunchers(MainWindow& window) {
  for (QAction* top : window.menuBar()->actions())
    if (QMenu* menu = top->menu())
      for (QAction* a : menu->actions()) AttachAction(window, a);
  if (auto* hidden = window.findChild<QMenu*>(QStringLiteral("隐藏菜单")))
    for (QAction* a : hidden->actions()) AttachAction(window, a);

  if (auto* toolbar = window.findChild<QToolBar*>(QStringLiteral("工具条1"))) {
    for (QAction* a : toolbar->actions())
      a->setEnabled(FindLauncher(EntryKind::ToolbarButton, a->text().toStdString()) != nullptr);
    // The clicked button's caption decides, compared exactly.
    QObject::connect(toolbar, &QToolBar::actionTriggered, &window, [&window](QAction* a) {
      if (const Launcher* row = FindLauncher(EntryKind::ToolbarButton, a->text().toStdString()))
        row->open(window);
    });
  }

  for (const char* name : kResultButtons)
    if (auto* button = window.control<QPushButton>(name))
      button->setEnabled(FindLauncher(EntryKind::Button, name));
  for (const Launcher& row : kLaunchers) {
    if (row.kind == EntryKind::Button) {
      if (auto* button = window.control<QPushButton>(row.entry))
        QObject::connect(button, &QPushButton::clicked, &window, [&window, &row] { row.open(window); });
    } else if (row.kind == EntryKind::Picture) {
      if (auto* picture = window.control<QWidget>(row.entry)) {
        picture->installEventFilter(new PressFilter(window, row, picture));
        picture->setCursor(Qt::PointingHandCursor);
      }
    }
  }
}

void ConnectWindows() {
  analysis::SetOtherWindows({
      .openDictionary = [](const std::string& character) { online::OpenDictionaryOnCharacter(character); },
      .dictionaryAddress =
          [](const std::string& character) { return online::DictionaryAddressFor(character); },
  });
}

std::string UsageHelpText() {
  static const char* const kLines[] = {
      "『澜舟雅集 - 使用帮助』",
      "┄",
      "【提示】：设置好您的公司信息后,请点击软件右下角的“立即起名”按钮",
      "┄",
      "地区前缀┊如『临江禾川软件有限公司』的『临江』，代表的是公司所在地区",
      "字词限定┊如『临江禾川软件有限公司』的『禾』或『川』，如不限制任何字可留空",
      "行业后缀┊如『临江禾川软件有限公司』的『软件有限公司』，代表的是公司类别",
      "┄",
      "生成┊按您的设置，软件将生成1000个左右的公司名称，每点一次生成，产生的结果都不同",
      "从结果里筛选┊对生成的结果进行筛选，有五行、笔画、拼音、文字等多种筛选方式",
      "查看各名称属性┊查看剩余的公司名称，五行、笔画、拼音等属性，还可查看字词解释",
      "┄",
      "自选列表┊点查看各名称属性后，可以将选中的公司名称加入自选列表，方便统一查看、导出",
      "起名建议┊根据公司老板姓名、生日给出取名建议，在筛选时可以采用此建议",
      "┄",
      "使用中有任何问题或建议，欢迎通过菜单“帮助→联系我们”告诉我们，我们会尽快答复",
  };
  std::string separator;
  for (int i = 0; i < 41; ++i) separator += "┄";
  std::string text;
  for (const char* line : kLines) {
    text += std::string_view(line) == "┄" ? separator : std::string(line);
    text += "\r\n\r\n";
  }
  text.resize(text.size() - 2);  // the last line ends with one line break
  return G(text);
}

void ShowUsageHelp() { platform::ShowMessageBox(UsageHelpText(), G("使用帮助"), platform::kOkQuestion); }

}  // namespace frame
