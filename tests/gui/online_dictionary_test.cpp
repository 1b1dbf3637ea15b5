// The dictionary window against a loopback site: the page a hand-over value
// opens, an unindexed character, the tool bar's pages and the search.
#include <gtest/gtest.h>

#include <QAction>
#include <QPointer>
#include <memory>

#include "frame/globals.h"
#include "frame/text_helpers.h"
#include "online/ui/OnlineDictionaryWindow.h"
#include "platform/gbk.h"
#include "platform/ui/BrowserBox.h"
#include "support/core/http_server.h"
#include "support/core/test_home.h"
#include "support/gui/recorders.h"
#include "support/gui/wait_until.h"

using gbk::G;
using online::OnlineDictionaryWindow;
using testing_support::WaitUntil;

namespace {

class DictionaryWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.PrepareGlobals();
    for (const char* page : {"/P20111229/html2/", "/P20111229/html/", "/P20111229/html3/1615.html"})
      server_.Serve(page, testing_support::TestHttpResponse{.body = "<html><body>page</body></html>",
                                                            .contentType = "text/html"});
    frame::globals().dictionaryCharacter.clear();
  }
  void TearDown() override { delete window_.data(); }

  OnlineDictionaryWindow* Open(const std::string& character) {
    frame::globals().dictionaryCharacter = character;
    window_ = OnlineDictionaryWindow::Open(nullptr);
    return window_;
  }
  bool Requested(const std::string& target) {
    return WaitUntil([&] {
      for (const auto& r : server_.Requests())
        if (r.target == target) return true;
      return false;
    });
  }
  void Click(const char* caption) {
    window_->control<QAction>((std::string("工具条1_") + caption).c_str())->trigger();
  }
  QUrl Address() const { return window_->control<platform::BrowserBox>("超文本浏览框1")->url(); }

  testing_support::TestHome home_;
  testing_support::TestHttpServer server_;
  testing_support::ScopedSiteUrl site_{server_.BaseUrl()};
  testing_support::MessageBoxRecorder boxes_;
  testing_support::InputBoxRecorder inputs_;
  QPointer<OnlineDictionaryWindow> window_;
};

TEST_F(DictionaryWindowTest, HandedOverCharacterOpensItsPage) {
  struct Row {
    const char* character;
    const char* target;
  };
  for (Row row : {Row{"丫", "/P20111229/html3/1615.html"}, Row{"", "/P20111229/html2/"}}) {
    server_.ClearRequests();
    Open(G(row.character));
    EXPECT_TRUE(Requested(row.target)) << row.character;
    EXPECT_EQ(window_->windowTitle(), "在线字典(收录20998个汉字,已包含全部常用字)");
    EXPECT_TRUE(window_->windowState() & Qt::WindowMaximized);
    window_->close();
    EXPECT_TRUE(WaitUntil([&] { return window_.isNull(); }));
  }
}

TEST_F(DictionaryWindowTest, UnindexedCharacterSaysSoAndFetchesNothing) {
  Open(G("＠"));
  EXPECT_EQ(window_->windowTitle(), "对不起,未找到此字 -- ＠");
  EXPECT_TRUE(Address().isEmpty());
  QTest::qWait(300);
  EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(DictionaryWindowTest, ToolbarPagesAndClose) {
  Open(G("丫"));
  ASSERT_TRUE(Requested("/P20111229/html3/1615.html"));
  Click("按部首查字");
  EXPECT_TRUE(Requested("/P20111229/html/"));
  Click("按拼音查字");
  EXPECT_TRUE(Requested("/P20111229/html2/"));
  Click("关闭");
  EXPECT_TRUE(WaitUntil([&] { return window_.isNull(); }));
}

TEST_F(DictionaryWindowTest, SearchAnsweredRefusedAndCancelled) {
  Open("");
  ASSERT_TRUE(Requested("/P20111229/html2/"));
  // Only an exact index entry followed by "|" is found.
  inputs_.QueueAnswer(std::string("禾川"));
  inputs_.QueueAnswer(std::string(""));
  inputs_.QueueAnswer(std::nullopt);
  inputs_.QueueAnswer(std::string("丫"));
  for (int i = 0; i < 4; ++i) Click("汉字检索");
  ASSERT_EQ(inputs_.shown().size(), 4u);
  EXPECT_EQ(inputs_.shown()[0].first, "请输入要查找的汉字");
  EXPECT_EQ(inputs_.shown()[0].second, "");
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].text, "对不起,未找到此字");
  EXPECT_EQ(boxes_.shown()[0].title, "");
  EXPECT_EQ(boxes_.shown()[0].flags, 64);
  EXPECT_TRUE(Requested("/P20111229/html3/1615.html"));
}

TEST_F(DictionaryWindowTest, PageLinkOpenerHandsOverAndOpensWithoutParent) {
  window_ = online::OpenDictionaryOnCharacter(G("丫"));
  EXPECT_EQ(frame::globals().dictionaryCharacter, G("丫"));
  EXPECT_EQ(window_->parent(), nullptr);
  EXPECT_TRUE(window_->testAttribute(Qt::WA_DeleteOnClose));
  EXPECT_TRUE(Requested("/P20111229/html3/1615.html"));
}

}  // namespace
