#include "frame/ui/Launchers.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolBar>
#include <memory>

#include "analysis/ui/NameEvaluationWindow.h"
#include "frame/globals.h"
#include "frame/ui/MainWindow.h"
#include "online/site.h"
#include "online/ui/ContactWindow.h"
#include "online/ui/DocumentDownloadWindow.h"
#include "online/ui/DuplicateNameQueryWindow.h"
#include "online/ui/OnlineDictionaryWindow.h"
#include "online/ui/PageViewerWindow.h"
#include "online/ui/WebBrowser.h"
#include "platform/gbk.h"
#include "support/core/http_server.h"
#include "support/core/test_home.h"
#include "support/gui/recorders.h"
#include "support/gui/wait_until.h"

using frame::EntryKind;
using frame::MainWindow;
using gbk::G;
using platform::ExternalProgram;

namespace {

class LaunchersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>();
    window_->show();
  }
  void TearDown() override {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != window_.get() && w->isWindow()) w->close();
    window_.reset();
  }

  // Every entry the table decides on, with its kind and enabled state.
  struct Entry {
    EntryKind kind;
    QString name;
    QObject* object;
    bool enabled;
  };
  std::vector<Entry> Entries() const {
    std::vector<Entry> out;
    auto addMenu = [&](QMenu* menu) {
      for (QAction* a : menu->actions())
        if (!a->isSeparator()) out.push_back({EntryKind::MenuItem, a->objectName(), a, a->isEnabled()});
    };
    for (QAction* top : window_->menuBar()->actions())
      if (top->menu()) addMenu(top->menu());
    addMenu(window_->findChild<QMenu*>(QStringLiteral("隐藏菜单")));
    for (QAction* a : window_->findChild<QToolBar*>(QStringLiteral("工具条1"))->actions())
      out.push_back({EntryKind::ToolbarButton, a->text(), a, a->isEnabled()});
    for (const char* b : {"按钮2", "按钮3", "按钮4"}) {
      auto* button = window_->control<QPushButton>(b);
      out.push_back({EntryKind::Button, QString::fromUtf8(b), button, button->isEnabled()});
    }
    return out;
  }

  void Trigger(EntryKind kind, const char* name) {
    for (const Entry& e : Entries()) {
      if (e.kind != kind || e.name != QString::fromUtf8(name)) continue;
      ASSERT_TRUE(e.enabled) << name;
      if (auto* a = qobject_cast<QAction*>(e.object)) a->trigger();
      if (auto* b = qobject_cast<QPushButton*>(e.object)) b->click();
      return;
    }
    FAIL() << "no entry " << name;
  }

  testing_support::TestHome home;
  testing_support::MessageBoxRecorder boxes;
  testing_support::LaunchRecorder launches;
  std::unique_ptr<MainWindow> window_;
};

// The captions of a menu in order, a separator as "-".
std::vector<std::string> Captions(const QList<QAction*>& actions, bool byName) {
  std::vector<std::string> out;
  for (QAction* a : actions)
    out.push_back(a->isSeparator() ? "-" : (byName ? a->objectName() : a->text()).toStdString());
  return out;
}

TEST_F(LaunchersTest, EveryEntryHasAHandlerAndIsEnabled) {
  // The menu bar as designed; the fifth menu's caption is ours.
  const std::vector<std::pair<std::string, std::vector<std::string>>> menus = {
      {"[&C]快速菜单", {"公司取名", "自选列表", "-", "起名建议", "-", "退出"}},
      {"[&D]相关文档",
       {"企业名称预先核准申请书", "企业名称预先核准通知书", "中华人民共和国公司法", "-", "公司取名文章大全", "-",
        "更多下载..."}},
      {"[&M]常识知识",
       {"三十六计", "常用多音字表", "容易读错音的一些字", "中国古代的姓氏名字号", "中国主要亲属关系简表",
        "古代文化常识汇编", "中国历史朝代对照简表", "中国古代的计时法", "中国各个城市市花", "中国少数民族分布简表",
        "中外重要节日简表", "二十四节气表", "国内长途区号表", "国际长途区号表", "省自治区直辖市简表", "绕口令选集",
        "-", "万年历"}},
      {"[&P]其他功能",
       {"五行属性查询", "简体笔画查询", "康熙笔画查询", "拼音查询", "-", "商标在线查询", "-", "计算器", "记事本"}},
      {"", {"软件升级", "联系我们", "软件主页"}},
  };
  const QList<QAction*> tops = window_->menuBar()->actions();
  ASSERT_EQ(tops.size(), static_cast<qsizetype>(menus.size()));
  for (size_t i = 0; i < menus.size(); ++i) {
    if (!menus[i].first.empty()) EXPECT_EQ(tops[i]->text().toStdString(), menus[i].first);
    ASSERT_NE(tops[i]->menu(), nullptr);
    EXPECT_EQ(Captions(tops[i]->menu()->actions(), false), menus[i].second) << i;
  }
  // The result grid's menu, by its designed captions (they change while it shows).
  EXPECT_EQ(Captions(window_->findChild<QMenu*>(QStringLiteral("隐藏菜单"))->actions(), true),
            (std::vector<std::string>{"复制公司名", "-", "测算公司名", "-", "公司重名查询", "-", "将A设置为限定词",
                                      "将B设置为限定词", "将C设置为限定词", "将D设置为限定词", "-",
                                      "将E加入自选列表", "-", "导出所有公司名"}));
  EXPECT_EQ(Captions(window_->findChild<QToolBar*>(QStringLiteral("工具条1"))->actions(), false),
            (std::vector<std::string>{"使用帮助", "名字分析", "重名查询", "在线字典", "开张吉日", "常用文档", "退出"}));
  for (const Entry& e : Entries()) EXPECT_TRUE(e.enabled) << "disabled: " << e.name.toStdString();
}

// The entries no other test follows: each opens one window of its kind (the
// lookups on their own tab).
TEST_F(LaunchersTest, EntriesOpenTheirWindows) {
  struct Row {
    EntryKind kind;
    const char* entry;
    const char* window;
    int tab;  // -1: no tab to check
  } rows[] = {
      {EntryKind::MenuItem, "自选列表", "analysis::FavouritesWindow", -1},
      {EntryKind::MenuItem, "起名建议", "analysis::FiveElementBalanceWindow", -1},
      {EntryKind::MenuItem, "五行属性查询", "analysis::CharacterLookupWindow", 0},
      {EntryKind::MenuItem, "简体笔画查询", "analysis::CharacterLookupWindow", 1},
      {EntryKind::MenuItem, "康熙笔画查询", "analysis::CharacterLookupWindow", 2},
      {EntryKind::MenuItem, "拼音查询", "analysis::CharacterLookupWindow", 3},
      {EntryKind::Button, "按钮2", "engine::FilterSettingsWindow", 0},
      {EntryKind::Button, "按钮3", "analysis::NameAttributesWindow", -1},
      {EntryKind::Picture, "图片框1", "analysis::FiveElementBalanceWindow", -1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.entry);
    const QWidgetList before = QApplication::topLevelWidgets();
    if (r.kind == EntryKind::Picture) {
      QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
      QApplication::sendEvent(window_->control<QWidget>(r.entry), &press);
    } else {
      Trigger(r.kind, r.entry);
    }
    std::vector<QWidget*> opened;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && !before.contains(w)) opened.push_back(w);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_STREQ(opened[0]->metaObject()->className(), r.window);
    if (r.tab >= 0) {
      auto* tabs = opened[0]->findChild<QTabWidget*>();
      ASSERT_NE(tabs, nullptr);
      EXPECT_EQ(tabs->currentIndex(), r.tab);
    }
    opened[0]->close();
  }
  // Without version data the update check says so.
  Trigger(EntryKind::MenuItem, "软件升级");
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "检测结果");
}

TEST_F(LaunchersTest, UsageHelpIsTheSameFromItsThreeEntries) {
  const std::string help = gbk::ToUtf8(frame::UsageHelpText());
  Trigger(EntryKind::MenuItem, "公司取名");
  Trigger(EntryKind::ToolbarButton, "使用帮助");
  window_->control<QPushButton>("按钮4")->show();
  Trigger(EntryKind::Button, "按钮4");
  ASSERT_EQ(boxes.shown().size(), 3u);
  for (const auto& shown : boxes.shown()) {
    EXPECT_EQ(shown.text, help);
    EXPECT_EQ(shown.title, "使用帮助");
    EXPECT_EQ(shown.flags, 32);
  }
  // Sixteen lines, each followed by an empty line; separators of 41 "┄".
  std::string separator;
  for (int i = 0; i < 41; ++i) separator += "┄";
  ASSERT_TRUE(help.ends_with("\r\n") && !help.ends_with("\r\n\r\n"));
  std::vector<std::string> lines;
  for (size_t at = 0, next; at < help.size(); at = next + 4) {
    next = help.find("\r\n\r\n", at);
    if (next == std::string::npos) next = help.size() - 2;
    lines.push_back(help.substr(at, next - at));
  }
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[0], "『澜舟雅集 - 使用帮助』");
  for (int i : {1, 3, 7, 11, 14}) EXPECT_EQ(lines[i], separator) << i;
}

TEST_F(LaunchersTest, OutsideProgramsAndTheirFailures) {
  testing_support::ScopedSiteUrl site("http://example.org/");
  struct Row {
    EntryKind kind;
    const char* entry;
    bool starts;
    ExternalProgram program;
    std::string argument;
    const char* message;  // shown when the program does not start
  } rows[] = {
      {EntryKind::MenuItem, "计算器", true, ExternalProgram::Calculator, "", nullptr},
      {EntryKind::MenuItem, "计算器", false, ExternalProgram::Calculator, "", "没有找到计算器程序"},
      {EntryKind::MenuItem, "记事本", true, ExternalProgram::TextEditor, "", nullptr},
      {EntryKind::MenuItem, "商标在线查询", true, ExternalProgram::WebBrowser, online::TrademarkQueryUrl(),
       nullptr},
      {EntryKind::MenuItem, "软件主页", true, ExternalProgram::WebBrowser, online::HomePageUrl(), nullptr},
      {EntryKind::MenuItem, "软件主页", false, ExternalProgram::WebBrowser, online::HomePageUrl(),
       "无法打开网页浏览器"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.entry);
    boxes.clear();
    launches.SetStarts(r.starts);
    const size_t before = launches.launches().size();
    Trigger(r.kind, r.entry);
    ASSERT_EQ(launches.launches().size(), before + 1);
    EXPECT_EQ(launches.launches().back().program, r.program);
    EXPECT_EQ(launches.launches().back().argument, r.argument);
    ASSERT_EQ(boxes.shown().size(), r.message ? 1u : 0u);
    if (r.message) EXPECT_NE(boxes.shown()[0].text.find(r.message), std::string::npos);
  }
}

TEST_F(LaunchersTest, OnlyWebAddressesReachTheBrowser) {
  testing_support::ScopedSiteUrl unset("");
  struct Row {
    std::string address;
    std::string launched;  // empty: refused with a message
  } rows[] = {
      {online::HomePageUrl(), ""},  // no site address: nothing a browser could show
      {"http://example.org/a", "http://example.org/a"},
      {"HTTPS://example.org", "HTTPS://example.org"},
      {G("http://example.org/查询?q=澜舟"), "http://example.org/%B2%E9%D1%AF?q=%C0%BD%D6%DB"},
      {"http://example.org/a b", ""},
      {"", ""},
      {"http://", ""},
      {"http:///etc/passwd", ""},
      {"file:///etc/passwd", ""},
      {"javascript:alert(1)", ""},
      {"http://example.org/\n", ""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.address);
    boxes.clear();
    const size_t before = launches.launches().size();
    EXPECT_EQ(online::OpenInWebBrowser(r.address), !r.launched.empty());
    if (r.launched.empty()) {
      EXPECT_EQ(launches.launches().size(), before);
      ASSERT_EQ(boxes.shown().size(), 1u);
      // Said to a shop owner: no setting or variable names.
      if (r.address == online::HomePageUrl())
        EXPECT_FALSE(QString::fromStdString(boxes.shown()[0].text).contains(QRegularExpression("[A-Za-z]")))
            << boxes.shown()[0].text;
    } else {
      ASSERT_EQ(launches.launches().size(), before + 1);
      EXPECT_EQ(launches.launches().back().argument, r.launched);
    }
  }
}

TEST_F(LaunchersTest, NameAnalysisOpensAnEmptyEvaluationWithTheCurrentInputs) {
  window_->control<QLineEdit>("编辑框1")->setText(QStringLiteral("临江"));
  window_->control<QLineEdit>("编辑框2")->setText(QStringLiteral("网络科技有限公司"));
  frame::globals().selectedName = G("禾川");  // left by an earlier grid evaluation
  Trigger(EntryKind::ToolbarButton, "名字分析");
  auto* evaluation = window_->findChild<analysis::NameEvaluationWindow*>();
  ASSERT_NE(evaluation, nullptr);
  EXPECT_EQ(evaluation->control<QLineEdit>("编辑框1")->text(), QStringLiteral("临江"));
  EXPECT_EQ(evaluation->control<QLineEdit>("编辑框3")->text(), QStringLiteral("网络科技有限公司"));
  EXPECT_TRUE(evaluation->control<QLineEdit>("编辑框2")->text().isEmpty());
}

TEST_F(LaunchersTest, ExitFromMenuAndToolbarClosesTheWindow) {
  for (EntryKind kind : {EntryKind::MenuItem, EntryKind::ToolbarButton}) {
    window_->show();
    Trigger(kind, "退出");
    EXPECT_FALSE(window_->isVisible());
  }
}

// The site windows open as children of the main window, with the hand-over
// values their entries give them.
TEST_F(LaunchersTest, SiteWindowsOpenFromTheirEntries) {
  frame::globals().dictionaryCharacter = G("丫");  // left by an earlier page link
  Trigger(EntryKind::ToolbarButton, "在线字典");
  auto* dictionary = window_->findChild<online::OnlineDictionaryWindow*>();
  ASSERT_NE(dictionary, nullptr);
  EXPECT_TRUE(dictionary->isWindow());
  EXPECT_EQ(frame::globals().dictionaryCharacter, G("丫"));

  // The grid menu's query takes the right-clicked name; the tool bar's
  // starts empty whatever was right-clicked before.
  for (auto [kind, entry, name] : {std::tuple{EntryKind::MenuItem, "公司重名查询", "禾川"},
                                   std::tuple{EntryKind::ToolbarButton, "重名查询", ""}}) {
    frame::globals().duplicateQueryName = G("禾川");
    Trigger(kind, entry);
    auto* query = window_->findChild<online::DuplicateNameQueryWindow*>();
    ASSERT_NE(query, nullptr) << entry;
    EXPECT_TRUE(query->isWindow());
    EXPECT_EQ(query->control<QLineEdit>("编辑框1")->text(), QString::fromUtf8(name)) << entry;
    delete query;
  }

  Trigger(EntryKind::ToolbarButton, "常用文档");
  auto* documents = window_->findChild<online::DocumentDownloadWindow*>();
  ASSERT_NE(documents, nullptr);
  EXPECT_TRUE(documents->isWindow());
  Trigger(EntryKind::ToolbarButton, "开张吉日");
  auto* viewer = online::PageViewerWindow::Current();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->windowTitle(),
            QString::number(QDate::currentDate().year()) + QStringLiteral("年新公司开张,选个吉日,图个好兆头!"));
  EXPECT_EQ(viewer->homeAddress(), online::AuspiciousDaysUrl());
  // The contact window alone has no parent.
  Trigger(EntryKind::MenuItem, "联系我们");
  online::ContactWindow* contact = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* c = qobject_cast<online::ContactWindow*>(w)) contact = c;
  ASSERT_NE(contact, nullptr);
  EXPECT_EQ(contact->parent(), nullptr);
  EXPECT_TRUE(contact->isVisible());
}

}  // namespace
