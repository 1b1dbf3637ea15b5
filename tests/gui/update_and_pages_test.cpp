// The menu update check on the main window, the page viewer and the article
// list against a loopback site.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QWebEngineHistory>
#include <QWebEngineScript>
#include <memory>
#include <string>

#include "frame/globals.h"
#include "frame/settings.h"
#include "frame/ui/MainWindow.h"
#include "online/ui/KnowledgeViewerWindow.h"
#include "online/ui/PageViewerWindow.h"
#include "online/update_check.h"
#include "online/updater.h"
#include "platform/gbk.h"
#include "platform/ui/BrowserBox.h"
#include "platform/ui/TextWindow.h"
#include "support/core/http_server.h"
#include "support/core/test_home.h"
#include "support/gui/recorders.h"
#include "support/gui/wait_until.h"

using gbk::G;
using testing_support::WaitUntil;

namespace {

// A site with an update, and a build that can install one.
class UpdateSite : public ::testing::Test {
 protected:
  static QTimer* EndTimer(frame::MainWindow* w) { return w->findChild<QTimer*>(QStringLiteral("结束时钟")); }

  testing_support::TestHome home;
  testing_support::TestHttpServer server;
  testing_support::ScopedSiteUrl site{server.BaseUrl()};
  testing_support::ScopedUpdateKey key;
  testing_support::MessageBoxRecorder boxes;
  testing_support::LaunchRecorder launches;
};

class UpdateFromMenu : public UpdateSite {
 protected:
  void SetUp() override {
    // The start-up step finds the version current; the menu then sees a
    // newer one.
    server.Serve("/ver/cname.txt", G("[澜舟雅集]\r\n最新版本号=23.0\r\n"));
    window = std::make_unique<frame::MainWindow>();
    ASSERT_TRUE(WaitUntil([] { return frame::globals().latestVersion.Get() == "23.0"; }));
    frame::globals().latestVersion.Set("23.5");
    frame::globals().downloadUrl.Set("http://dl.test/new");
    window->control<QLineEdit>("编辑框1")->setText(QStringLiteral("杭州"));
    window->showNormal();
  }
  void TearDown() override {
    frame::globals().latestVersion.Set({});
    frame::globals().downloadUrl.Set({});
  }
  QTimer* EndTimer() { return UpdateSite::EndTimer(window.get()); }
  // 帮助 → 软件升级.
  void CheckFromMenu() { window->findChild<QAction*>(QStringLiteral("软件升级"))->trigger(); }

  std::unique_ptr<frame::MainWindow> window;
};

TEST_F(UpdateFromMenu, YesStartsTheUpdaterThenEndsTheProgramWithTheInputsSaved) {
  CheckFromMenu();
  ASSERT_EQ(launches.launches().size(), 1u);
  EXPECT_EQ(launches.launches()[0].program, platform::ExternalProgram::Updater);
  EXPECT_EQ(launches.launches()[0].argument, std::to_string(::getpid()));
  EXPECT_FALSE(window->isVisible());
  ASSERT_TRUE(EndTimer()->isActive());
  EXPECT_EQ(EndTimer()->interval(), 1000);
  EXPECT_TRUE(WaitUntil([&] { return frame::ReadSetting(G("地区名"), "") == G("杭州"); }, 3000));
  EXPECT_EQ(frame::ReadSetting(G("位置A"), ""), "0");  // as before the question, not minimised
}

TEST_F(UpdateFromMenu, NoOrAFailedStartKeepsTheProgramRunning) {
  for (bool failedStart : {false, true}) {
    SCOPED_TRACE(failedStart);
    boxes.clear();
    if (failedStart)
      launches.SetStarts(false);
    else
      boxes.QueueAnswer(platform::kNo);
    CheckFromMenu();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMinimized());
    EXPECT_FALSE(EndTimer()->isActive());
    ASSERT_EQ(boxes.shown().size(), failedStart ? 2u : 1u);
    EXPECT_EQ(boxes.shown().back().title, "升级提示");
  }
}

TEST_F(UpdateFromMenu, UnsavedEditsAreSettledBeforeTheProgramEndsForIt) {
  const auto file = home.root() / "笔记.txt";
  const struct {
    const char* name;
    int answer;  // to "是否保存…"
    bool ends;   // the updater starts and the program ends
    const char* saved;
  } rows[] = {
      {"Save", platform::kYes, true, "改过的"},
      {"Drop", platform::kNo, true, "原文"},
      {"Cancel", platform::kCancel, false, "原文"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    testing_support::WriteAll(file, G("原文"));
    QPointer<platform::TextWindow> text = platform::TextWindow::Open(file);
    ASSERT_TRUE(text);
    text->editor()->selectAll();
    text->editor()->insertPlainText(QStringLiteral("改过的"));
    const size_t launched = launches.launches().size();
    boxes.clear();
    boxes.QueueAnswer(platform::kYes);  // 是否更新?
    boxes.QueueAnswer(r.answer);
    CheckFromMenu();
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[1].text, "是否保存对以下文件的更改?\r\n" + file.string());
    EXPECT_EQ(boxes.shown()[1].title, "记事本");
    EXPECT_EQ(boxes.shown()[1].flags, platform::kYesNoCancelQuestion);
    EXPECT_EQ(launches.launches().size(), launched + (r.ends ? 1 : 0));
    EXPECT_EQ(EndTimer()->isActive(), r.ends);
    EXPECT_EQ(window->isVisible(), !r.ends);
    EXPECT_EQ(testing_support::ReadAll(file), G(r.saved));
    // Ending, the text window goes without asking again; kept, it keeps
    // the edits.
    EXPECT_TRUE(WaitUntil([&] { return !text || !text->isVisible(); }, r.ends ? 3000 : 200) == r.ends);
    if (!r.ends) EXPECT_TRUE(text->editor()->document()->isModified());
    EXPECT_EQ(boxes.shown().size(), 2u);
    EndTimer()->stop();
    window->showNormal();
    delete text.data();
  }
}

// A forced update whose updater failed: the next start says so once and
// keeps running; the one after offers the update instead of forcing it.
TEST_F(UpdateSite, AFailedForcedUpdateIsToldOnceAndNeverEndsTheProgramAgain) {
  server.Serve("/ver/cname.txt", G("[澜舟雅集]\r\n最新版本号=23.5\r\n最新版下载地址=http://dl.test/new\r\n"
                                   "强制升级的版本号=/23.0/\r\n"));
  {
    frame::MainWindow w;
    w.showNormal();
    ASSERT_TRUE(WaitUntil([&] { return EndTimer(&w)->isActive(); }));
    EndTimer(&w)->stop();
    EXPECT_EQ(launches.launches().size(), 1u);
    EXPECT_TRUE(boxes.shown().empty());
  }
  const auto instructions = online::UpdaterInstructionFile();
  ASSERT_TRUE(
      online::RecordUpdateOutcome(instructions, online::ReadUpdaterInstructions(instructions),
                                  {false, false, G("下载的文件与网站公布的校验值不符,已拒绝安装。")}));
  struct Start {
    const char* name;
    int flags;  // of the one box shown
    const char* text;
  } starts[] = {
      {"told once", platform::kOkInformation,
       "上次的软件升级没有完成:\r\n下载的文件与网站公布的校验值不符,已拒绝安装。\r\n\r\n"
       "现在使用的仍是原来的版本。需要时可以在菜单“帮助”中选“软件升级”重试。"},
      {"offered", platform::kYesNo, "网上最新的版本号为:V23.5\r\n您正使用的版本号为:V23.0\r\n\r\n是否更新?"},
  };
  for (const Start& s : starts) {
    SCOPED_TRACE(s.name);
    boxes.clear();
    boxes.QueueAnswer(platform::kNo);
    frame::MainWindow w;
    w.showNormal();
    ASSERT_TRUE(WaitUntil([&] { return !boxes.shown().empty(); }));
    QTest::qWait(300);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].title, "升级提示");
    EXPECT_EQ(boxes.shown()[0].flags, s.flags);
    EXPECT_EQ(boxes.shown()[0].text, s.text);
    EXPECT_EQ(launches.launches().size(), 1u);
    EXPECT_FALSE(EndTimer(&w)->isActive());
    EXPECT_TRUE(w.isVisible());
  }
}

// ---- Pages from the loopback site ---------------------------------------------

std::string Html(const std::string& body) { return "<html><body>" + body + "</body></html>"; }

class SitePages : public ::testing::Test {
 protected:
  void SetUp() override { home.PrepareGlobals(); }
  bool Requested(const std::string& target) {
    return WaitUntil(
        [&] {
          for (const auto& r : server.Requests())
            if (r.target == target) return true;
          return false;
        },
        20000);
  }
  static void Trigger(QWidget* window, const char* caption) {
    window->findChild<QAction*>(QStringLiteral("工具条1_") + QString::fromUtf8(caption))->trigger();
  }

  testing_support::TestHome home;
  testing_support::TestHttpServer server;
  testing_support::ScopedSiteUrl site{server.BaseUrl()};
  QWidget parent;
};

TEST_F(SitePages, ViewerGoesHomeToItsOwnPage) {
  server.Serve("/P20111229/page_gs/sslj.htm", {.body = Html("<a id='a' href='other.htm'>x</a>"),
                                               .contentType = "text/html"});
  server.Serve("/P20111229/page_gs/other.htm", {.body = Html("other"), .contentType = "text/html"});
  online::OpenReferencePage(&parent, G("三十六计.htm|sslj.htm"));
  auto* viewer = online::PageViewerWindow::Current();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->windowTitle(), QStringLiteral("三十六计"));
  ASSERT_TRUE(Requested("/P20111229/page_gs/sslj.htm"));

  auto* browser = viewer->findChild<platform::BrowserBox*>(QStringLiteral("超文本浏览框1"));
  ASSERT_TRUE(WaitUntil([&] { return browser->url().path().endsWith(QStringLiteral("sslj.htm")); }));
  ASSERT_TRUE(WaitUntil([&] {
    browser->page()->runJavaScript(QStringLiteral("var a=document.getElementById('a'); if (a) a.click();"),
                                   QWebEngineScript::ApplicationWorld);
    return browser->url().path().endsWith(QStringLiteral("other.htm"));
  }));
  server.ClearRequests();
  Trigger(viewer, "返回首页");
  EXPECT_TRUE(Requested("/P20111229/page_gs/sslj.htm"));

  // Another opener reuses the viewer with its own title and home.
  online::OpenPage(&parent, G("开张吉日"), online::ResolvePageArgument(G("x.htm|j.htm")).url);
  EXPECT_EQ(online::PageViewerWindow::Current(), viewer);
  EXPECT_EQ(viewer->windowTitle(), QStringLiteral("开张吉日"));
  // Its history starts with its page: 后退 cannot show the earlier opener's
  // pages under this title.
  EXPECT_TRUE(WaitUntil([&] {
    return browser->url().path().endsWith(QStringLiteral("j.htm")) && !browser->history()->canGoBack();
  }, 20000));
  frame::globals().pageUrl = "elsewhere";
  server.ClearRequests();
  Trigger(viewer, "返回首页");
  EXPECT_TRUE(Requested("/P20111229/page_gs/j.htm"));
  Trigger(viewer, "关闭");
  EXPECT_TRUE(WaitUntil([] { return online::PageViewerWindow::Current() == nullptr; }));
}

TEST_F(SitePages, ArticleListRemembersTheLastRowRead) {
  auto articles = online::ParseArticleIndex(online::StoredArticleIndex());
  ASSERT_GT(articles.size(), 10u);
  const std::string target10 = "/P20111229/page_Gs/" + articles[10].file;

  online::OpenKnowledgeArticleList(&parent);
  auto find = [&] { return parent.findChild<online::KnowledgeViewerWindow*>(); };
  ASSERT_NE(find(), nullptr);
  EXPECT_EQ(find()->windowTitle(), QStringLiteral("取名知识"));
  auto* rows = find()->findChild<QTreeWidget*>(QStringLiteral("超级列表框1"));
  EXPECT_EQ(rows->topLevelItemCount(), static_cast<int>(articles.size()));
  EXPECT_EQ(rows->currentIndex().row(), 0);  // nothing stored yet
  rows->setCurrentItem(rows->topLevelItem(10));
  EXPECT_TRUE(Requested(target10));
  EXPECT_EQ(frame::ReadSetting(G("取名知识"), ""), "10");
  // Once the reader has browsed away, a click on the chosen row shows its
  // article again.
  auto* browser = find()->findChild<platform::BrowserBox*>(QStringLiteral("超文本浏览框1"));
  browser->openAddress(server.BaseUrl() + "elsewhere.htm");
  ASSERT_TRUE(WaitUntil([&] { return browser->url().path().endsWith(QStringLiteral("elsewhere.htm")); }));
  server.ClearRequests();
  rows->scrollToItem(rows->topLevelItem(10));
  QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, rows->visualItemRect(rows->topLevelItem(10)).center());
  EXPECT_TRUE(Requested(target10));
  find()->close();
  ASSERT_TRUE(WaitUntil([&] { return find() == nullptr; }));

  server.ClearRequests();
  online::OpenKnowledgeArticleList(&parent);
  ASSERT_NE(find(), nullptr);
  rows = find()->findChild<QTreeWidget*>(QStringLiteral("超级列表框1"));
  EXPECT_EQ(rows->currentIndex().row(), 10);
  EXPECT_TRUE(Requested(target10));
  find()->close();
  ASSERT_TRUE(WaitUntil([&] { return find() == nullptr; }));

  // A row beyond the list: none is current and nothing is requested.
  frame::WriteSetting(G("取名知识"), "9999");
  server.ClearRequests();
  online::OpenKnowledgeArticleList(&parent);
  rows = find()->findChild<QTreeWidget*>(QStringLiteral("超级列表框1"));
  EXPECT_EQ(rows->currentItem(), nullptr);
  QTest::qWait(300);
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_EQ(frame::ReadSetting(G("取名知识"), ""), "9999");
  find()->close();
}

}  // namespace

namespace {

TEST(PageMenus, OpenTheViewerAndTheArticleList) {
  testing_support::TestHome home;
  testing_support::ScopedSiteUrl site("http://127.0.0.1:9/");
  frame::MainWindow window;
  // Every page item of the two menus, in menu order: the viewer's title and
  // address below the site (the article list has neither).
  struct Row {
    const char* item;
    const char* title;
    const char* page;
  } rows[] = {
      {"企业名称预先核准申请书", "企业名称预先核准申请书", "P20111229/page_gs/doc1.htm"},
      {"企业名称预先核准通知书", "企业名称预先核准通知书", "P20111229/page_gs/doc2.htm"},
      {"中华人民共和国公司法", "中华人民共和国公司法", "P20111229/page_gs/Gong_Si_Fa.htm"},
      {"公司取名文章大全", nullptr, nullptr},
      {"更多下载...", "相关文档下载", "P20111229/page_gs/doc888.htm"},
      {"三十六计", "三十六计", "P20111229/page_gs/sslj.htm"},
      {"常用多音字表", "常用多音字表", "P20111229/page_gs/cydyzb.htm"},
      {"容易读错音的一些字", "容易读错音的一些字", "P20111229/page_gs/rydcydyxz.htm"},
      {"中国古代的姓氏名字号", "中国古代的姓氏名字号", "P20111229/page_gs/zggddxsmzh.htm"},
      {"中国主要亲属关系简表", "中国主要亲属关系简表", "P20111229/page_gs/zgzyqsgxjb.htm"},
      {"古代文化常识汇编", "古代文化常识汇编", "P20111229/page_gs/gdwhcshb.htm"},
      {"中国历史朝代对照简表", "中国历史朝代对照简表", "P20111229/page_gs/zglscdgydzjb.htm"},
      {"中国古代的计时法", "中国古代的计时法", "P20111229/page_gs/zggddjsf.htm"},
      {"中国各个城市市花", "中国各个城市市花", "P20111229/page_gs/zgggcssh.htm"},
      {"中国少数民族分布简表", "中国少数民族分布简表", "P20111229/page_gs/zgssmzfbjb.htm"},
      {"中外重要节日简表", "中外重要节日简表", "P20111229/page_gs/zwzyjrjb.htm"},
      {"二十四节气表", "二十四节气表", "P20111229/page_gs/essjqb.htm"},
      {"国内长途区号表", "国内长途区号表", "P20111229/page_gs/gnctqhb.htm"},
      {"国际长途区号表", "国际长途区号表", "P20111229/page_gs/gjctqhb.htm"},
      {"省自治区直辖市简表", "省自治区直辖市简表", "P20111229/page_gs/wgszzqzxsjb.htm"},
      {"绕口令选集", "绕口令选集", "P20111229/page_gs/rklxj.htm"},
      {"万年历", "万年历", "P20111229/wnl2/index.html"},
  };
  std::vector<QAction*> items;
  for (QAction* top : window.menuBar()->actions())
    if (top->text() == QStringLiteral("[&D]相关文档") || top->text() == QStringLiteral("[&M]常识知识"))
      for (QAction* a : top->menu()->actions())
        if (!a->isSeparator()) items.push_back(a);
  ASSERT_EQ(items.size(), std::size(rows));
  for (size_t i = 0; i < items.size(); ++i) {
    const Row& r = rows[i];
    SCOPED_TRACE(r.item);
    EXPECT_EQ(items[i]->text(), QString::fromUtf8(r.item));
    items[i]->trigger();
    if (!r.page) {
      auto* list = window.findChild<online::KnowledgeViewerWindow*>();
      ASSERT_NE(list, nullptr);
      EXPECT_EQ(list->windowTitle(), QStringLiteral("取名知识"));
      list->close();
      continue;
    }
    auto* viewer = online::PageViewerWindow::Current();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->windowTitle(), QString::fromUtf8(r.title));
    EXPECT_EQ(viewer->homeAddress(), std::string("http://127.0.0.1:9/") + r.page);
  }
  online::PageViewerWindow::Current()->close();
}

}  // namespace
