// The browser box with a real web engine, offscreen: in-page commands are
// caught before navigating and carry their GBK values exactly, other links
// go through, generated pages run without scripts, and site addresses keep
// the GBK bytes of their query.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QWebEngineScript>
#include <memory>
#include <string>
#include <vector>

#include "platform/gbk.h"
#include "platform/ui/BrowserBox.h"
#include "support/core/http_server.h"
#include "support/core/test_home.h"
#include "support/gui/wait_until.h"

using gbk::G;
using platform::BrowserBox;
using testing_support::WaitUntil;

namespace {

class BrowserBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    box_.resize(400, 300);
    box_.show();
    QObject::connect(&box_, &BrowserBox::aboutToNavigate, [this](const std::string& address, bool* cancel) {
      seen_.push_back(address);
      if (gbk::Find(address, "ok.htm", true) > 0) *cancel = true;
    });
  }

  // Writes a generated page (GBK bytes) and waits until it has loaded.
  std::filesystem::path Page(const std::string& name, const std::string& body) {
    auto file = home_.root() / name;
    testing_support::WriteAll(file,
                              "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                              "charset=gb2312\"><title>page</title></head><body>" +
                                  body + "</body></html>");
    return file;
  }
  bool Load(const std::filesystem::path& file) {
    QSignalSpy loaded(&box_, &BrowserBox::loadFinished);
    box_.openFile(file);
    return loaded.wait(20000) && loaded.takeFirst().at(0).toBool();
  }
  void Click(const char* id) {
    // The page itself runs no scripts; the test clicks from its own world.
    box_.page()->runJavaScript(QStringLiteral("document.getElementById('%1').click();").arg(id),
                               QWebEngineScript::ApplicationWorld);
  }

  testing_support::TestHome home_;
  BrowserBox box_;
  std::vector<std::string> seen_;
};

TEST_F(BrowserBoxTest, CommandLinksAreCancelledWithTheirGbkValueWhileOtherLinksGoThrough) {
  Page("other.htm", "second");
  auto first = Page("names.htm", "<a id='cmd' href='OK.HTM?name=" + std::string("%C1%D9%BD%AD%20%26") +
                                     "'>add</a> <a id='raw' href='ok.htm?name=" + G("禾川") +
                                     "'>raw</a> <a id='go' href='other.htm'>go</a>");
  ASSERT_TRUE(Load(first));
  const QUrl start = box_.url();

  seen_.clear();
  Click("cmd");
  ASSERT_TRUE(WaitUntil([&] { return seen_.size() == 1; }));
  EXPECT_TRUE(seen_[0].ends_with("/OK.HTM?name=" + G("临江") + " &")) << gbk::ToUtf8(seen_[0]);

  // A GBK value written into the link as it is comes back the same.
  Click("raw");
  ASSERT_TRUE(WaitUntil([&] { return seen_.size() == 2; }));
  EXPECT_TRUE(seen_[1].ends_with("/ok.htm?name=" + G("禾川"))) << gbk::ToUtf8(seen_[1]);
  QTest::qWait(300);
  EXPECT_EQ(box_.url(), start);

  QSignalSpy loaded(&box_, &BrowserBox::loadFinished);
  Click("go");
  ASSERT_TRUE(loaded.wait(20000));
  EXPECT_TRUE(box_.url().toString().endsWith("other.htm"));
  EXPECT_TRUE(seen_.back().ends_with("/other.htm"));
}

TEST_F(BrowserBoxTest, BackAndForwardMoveThroughWhatWasShown) {
  auto first = Page("one.htm", "one");
  auto second = Page("two.htm", "two");
  ASSERT_TRUE(Load(first));
  ASSERT_TRUE(Load(second));
  box_.back();
  ASSERT_TRUE(WaitUntil([&] { return box_.url().toString().endsWith("one.htm"); }));
  box_.forward();
  ASSERT_TRUE(WaitUntil([&] { return box_.url().toString().endsWith("two.htm"); }));
}

TEST_F(BrowserBoxTest, FolderNamesInUtf8BecomeGbkInTheAddress) {
  std::filesystem::create_directories(home_.root() / "页面");
  auto file = home_.root() / "页面" / "a.htm";
  testing_support::WriteAll(file, "<html><body>a</body></html>");
  ASSERT_TRUE(Load(file));
  EXPECT_TRUE(box_.addressGbk().ends_with(G("/页面/a.htm"))) << gbk::ToUtf8(box_.addressGbk());
}

TEST_F(BrowserBoxTest, GeneratedPagesRunNoScriptsButSitePagesDo) {
  const std::string script = "<script>document.title='ran';</script>";
  ASSERT_TRUE(Load(Page("script.htm", script)));
  EXPECT_EQ(box_.title(), QStringLiteral("page"));
  {
    QSignalSpy shown(&box_, &BrowserBox::loadFinished);
    box_.showPage("<html><head><title>memory</title></head><body>" + script + "</body></html>",
                  home_.root() / "memory.htm");
    ASSERT_TRUE(shown.wait(20000));
    QTest::qWait(100);
    EXPECT_EQ(box_.title(), QStringLiteral("memory"));
  }

  testing_support::TestHttpServer server;
  ASSERT_FALSE(server.BaseUrl().empty());
  server.Serve("/s.htm", {.body = "<html><head><title>page</title></head><body>" + script + "</body></html>",
                          .contentType = "text/html"});
  QSignalSpy loaded(&box_, &BrowserBox::loadFinished);
  box_.openAddress(server.BaseUrl() + "s.htm");
  ASSERT_TRUE(loaded.wait(20000));
  EXPECT_TRUE(WaitUntil([&] { return box_.title() == QStringLiteral("ran"); }));
}

TEST_F(BrowserBoxTest, SiteAddressesSendTheQueryAsGbkBytes) {
  testing_support::TestHttpServer server;
  ASSERT_FALSE(server.BaseUrl().empty());
  QSignalSpy loaded(&box_, &BrowserBox::loadFinished);
  box_.openAddress(server.BaseUrl() + "list.asp?key=" + G("禾川") + "&x=1");
  ASSERT_TRUE(loaded.wait(20000));
  auto requests = server.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests[0].target, "/list.asp?key=%BA%CC%B4%A8&x=1");
  EXPECT_EQ(seen_.front(), server.BaseUrl() + "list.asp?key=" + G("禾川") + "&x=1");
}

TEST_F(BrowserBoxTest, SitePagesThatCannotBeShownGiveOurChineseNotice) {
  const std::string closed = "http://127.0.0.1:" + std::to_string(testing_support::TestHttpServer::ClosedPort());
  testing_support::TestHttpServer server;  // serves nothing: every page is missing
  ASSERT_FALSE(server.BaseUrl().empty());
  // The reason is ours, in Chinese: none of the engine's English text or
  // error-page markup.
  struct Row {
    std::string address;
    QString title;
    bool retry;
    QString reason;
  } rows[] = {
      {"http://www.lanzhou-yaji.invalid/P20111229/html3/12.html?word=" + G("禾"),
       QStringLiteral("此页面来自网站,尚未设置网站地址"), false, QStringLiteral("LANZHOU_SITE_URL")},
      {closed + "/P20111229/page_gs/sslj.htm", QStringLiteral("网页打开失败"), true, QStringLiteral("原因:网站拒绝连接")},
      {server.BaseUrl() + "P20111229/html3/1658.html", QStringLiteral("网页打开失败"), true,
       QStringLiteral("原因:网站上没有这个页面(状态 404)")},
  };
  bool loading = false;
  QObject::connect(&box_, &BrowserBox::loadStarted, [&] { loading = true; });
  QObject::connect(&box_, &BrowserBox::loadFinished, [&] { loading = false; });
  auto shows = [&](const QString& title) {
    return WaitUntil([&] { return !loading && box_.title() == title; }, 20000);
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.address);
    seen_.clear();
    box_.openAddress(r.address);
    ASSERT_TRUE(shows(r.title)) << box_.title().toStdString();
    EXPECT_EQ(box_.addressGbk(), r.address);
    // Two notices in a row share their title: wait for this one's text.
    // Shared: an answer may come after this row is done.
    auto text = std::make_shared<QString>();
    ASSERT_TRUE(WaitUntil([&] {
      box_.page()->toPlainText([text](const QString& t) { *text = t; });
      return text->contains(r.reason);
    }, 20000)) << text->toStdString();
    EXPECT_FALSE(text->contains(QLatin1Char('<')) || text->contains(QStringLiteral("webpage"))) << text->toStdString();
    if (!r.retry) continue;
    // The retry link asks for the same page again.
    const size_t before = seen_.size();
    box_.page()->runJavaScript(QStringLiteral("document.querySelector('a').click();"),
                               QWebEngineScript::ApplicationWorld);
    ASSERT_TRUE(WaitUntil([&] { return seen_.size() > before; }));
    EXPECT_EQ(seen_.back(), r.address);
    ASSERT_TRUE(shows(r.title)) << box_.title().toStdString();
  }
}

}  // namespace
