// The document list and contact windows against a loopback site.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "frame/globals.h"
#include "online/site.h"
#include "online/ui/ContactWindow.h"
#include "online/ui/DocumentDownloadWindow.h"
#include "platform/ui/BrowserBox.h"
#include "support/core/http_server.h"
#include "support/core/test_home.h"
#include "support/gui/recorders.h"
#include "support/gui/wait_until.h"

using testing_support::WaitUntil;

namespace {

class SiteWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.PrepareGlobals();
    server_.Serve("/P20111229/doc/list.asp",
                  testing_support::TestHttpResponse{.body = "<html><body>docs</body></html>",
                                                    .contentType = "text/html"});
  }

  testing_support::TestHome home_;
  testing_support::TestHttpServer server_;
  testing_support::ScopedSiteUrl site_{server_.BaseUrl()};
  testing_support::MessageBoxRecorder boxes_;
  testing_support::LaunchRecorder launches_;
};

TEST_F(SiteWindowsTest, DocumentListLoadsAndTheBrowserFollowsTheWindowWhileTheBannerStays) {
  online::DocumentDownloadWindow window;
  window.showNormal();
  EXPECT_EQ(window.windowTitle(), "公司常用文档下载");
  EXPECT_TRUE(WaitUntil([&] {
    auto requests = server_.Requests();
    return !requests.empty() && requests[0].target == "/P20111229/doc/list.asp";
  }));
  auto* banner = window.control<QLabel>("图片框1");
  auto* browser = window.control<platform::BrowserBox>("超文本浏览框1");
  const QRect bannerBefore = banner->geometry();
  const QRect browserBefore = browser->geometry();
  window.resize(window.width() + 200, window.height() + 100);
  QTest::qWait(50);
  EXPECT_EQ(banner->geometry(), bannerBefore);
  EXPECT_EQ(browser->geometry(), browserBefore.adjusted(0, 0, 200, 100));
}

TEST_F(SiteWindowsTest, ContactAddressOpensTheHomePageOutsideAndTheWindowStays) {
  QPointer<online::ContactWindow> window = online::ContactWindow::Open();
  EXPECT_EQ(window->parent(), nullptr);
  EXPECT_EQ(online::ContactWindow::Open(), window.data());  // one at a time
  auto* address = window->control<QLabel>("透明标签4");
  EXPECT_EQ(address->text().toStdString(), online::HomePageUrl());
  QTest::mouseClick(address, Qt::LeftButton);
  ASSERT_EQ(launches_.launches().size(), 1u);
  EXPECT_EQ(launches_.launches()[0].program, platform::ExternalProgram::WebBrowser);
  EXPECT_EQ(launches_.launches()[0].argument, online::HomePageUrl());
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(boxes_.shown().empty());
  window->control<QPushButton>("按钮1")->click();
  EXPECT_TRUE(WaitUntil([&] { return window.isNull(); }));
}

}  // namespace
