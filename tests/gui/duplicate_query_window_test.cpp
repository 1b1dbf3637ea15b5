// The duplicate-name query window against a loopback site: the hand-over,
// the cleaned and encoded key, answers and failures, the 3-second guard and
// closing during a slow answer.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>

#include "frame/globals.h"
#include "online/ui/DuplicateNameQueryWindow.h"
#include "platform/gbk.h"
#include "support/core/http_server.h"
#include "support/core/test_home.h"
#include "support/gui/recorders.h"
#include "support/gui/wait_until.h"

using gbk::G;
using online::DuplicateNameQueryWindow;
using testing_support::TestHttpResponse;
using testing_support::TestHttpServer;

namespace {

const std::string kQueryPath = "/P20111229/companyname_gs/list.asp";

class DuplicateQueryWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.PrepareGlobals();
    frame::globals().duplicateQueryBusy = 0;
    frame::globals().duplicateQueryName.clear();
  }
  void TearDown() override { window_.reset(); }

  DuplicateNameQueryWindow* Open(const char* handedOver = "") {
    frame::globals().duplicateQueryName = G(handedOver);
    window_ = std::make_unique<DuplicateNameQueryWindow>();
    window_->show();
    return window_.get();
  }
  QLineEdit* NameBox() const { return window_->control<QLineEdit>("编辑框1"); }
  QPlainTextEdit* AnswerBox() const { return window_->control<QPlainTextEdit>("编辑框2"); }
  QPushButton* Button() const { return window_->control<QPushButton>("按钮1"); }
  bool Query(const char* typed) {
    NameBox()->setText(QString::fromUtf8(typed));
    QSignalSpy finished(window_.get(), &DuplicateNameQueryWindow::queryFinished);
    Button()->click();
    return finished.wait(10000);
  }

  testing_support::TestHome home_;
  TestHttpServer server_;
  testing_support::MessageBoxRecorder boxes_;
  std::unique_ptr<DuplicateNameQueryWindow> window_;
};

TEST_F(DuplicateQueryWindowTest, OpensWithTheHandedOverNameFocusedAndTheDesignedTexts) {
  Open("禾川");
  EXPECT_EQ(window_->windowTitle(), "公司重名查询");
  EXPECT_EQ(NameBox()->text(), "禾川");
  EXPECT_EQ(window_->focusWidget(), NameBox());
  EXPECT_EQ(window_->control<QLabel>("透明标签2")->text(),
            "软件将从全国100万公司名称中进行重名查询 (公司法规定同一省市内同行业不得重名)");
  EXPECT_EQ(window_->control<QLabel>("透明标签1")->text(), "请输入要查询的公司主体名称 (比如“霁岚”)");
  EXPECT_TRUE(
      AnswerBox()->toPlainText().startsWith("相关提示:\n\n（1）在全国范围内有重名也不一定不可以使用"));
  EXPECT_TRUE(AnswerBox()->toPlainText().endsWith("建议使用3字名称作为公司名。\n"));
  window_.reset();
  Open("");
  EXPECT_TRUE(NameBox()->text().isEmpty());
}

TEST_F(DuplicateQueryWindowTest, AnswersAndFailures) {
  struct Row {
    const char* typed;
    std::optional<TestHttpResponse> response;  // nothing: the site is down
    const char* key;                           // as the site receives it
    const char* shown;                         // the start of the answer box
  } rows[] = {
      {"ABC禾川123", TestHttpResponse{.body = G("禾川科技有限公司<br>禾川商贸有限公司")}, "%BA%CC%B4%A8",
       "禾川科技有限公司\n禾川商贸有限公司"},
      {"禾&x=1", TestHttpResponse{.body = ""}, "%BA%CC%26", "未查到重名"},
      {"禾#川", TestHttpResponse{.status = 404, .body = "<h1>Not Found</h1>"}, "%BA%CC%23%B4%A8", "查询失败"},
      {"禾川", std::nullopt, nullptr, "查询失败"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.typed);
    TestHttpServer server;
    std::string base = server.BaseUrl();
    if (r.response)
      server.Serve(kQueryPath, *r.response);
    else
      base = "http://127.0.0.1:" + std::to_string(TestHttpServer::ClosedPort()) + "/";
    testing_support::ScopedSiteUrl site(base);
    frame::globals().duplicateQueryBusy = 0;
    Open();
    ASSERT_TRUE(Query(r.typed));
    EXPECT_TRUE(AnswerBox()->toPlainText().startsWith(QString::fromUtf8(r.shown)))
        << AnswerBox()->toPlainText().toStdString();
    EXPECT_EQ(AnswerBox()->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(window_->windowTitle(), "公司重名查询");
    EXPECT_TRUE(Button()->isEnabled());
    if (r.key) {
      auto requests = server.Requests();
      ASSERT_EQ(requests.size(), 1u);
      EXPECT_EQ(requests[0].target, kQueryPath + "?key=" + r.key);
    }
  }
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(DuplicateQueryWindowTest, LatinOnlyNameSendsNothing) {
  testing_support::ScopedSiteUrl site(server_.BaseUrl());
  Open();
  const QString hints = AnswerBox()->toPlainText();
  NameBox()->setText("abcXYZ");
  Button()->click();
  EXPECT_TRUE(NameBox()->text().isEmpty());
  EXPECT_EQ(window_->windowTitle(), "公司重名查询");
  EXPECT_TRUE(Button()->isEnabled());
  EXPECT_EQ(AnswerBox()->toPlainText(), hints);
  QTest::qWait(200);
  EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(DuplicateQueryWindowTest, SecondQueryWithinThreeSecondsIsRefused) {
  testing_support::ScopedSiteUrl site(server_.BaseUrl());
  server_.Serve(kQueryPath, "");
  Open();
  ASSERT_TRUE(Query("禾川"));
  auto* guard = window_->control<QTimer>("时钟1");
  EXPECT_TRUE(guard->isActive());
  EXPECT_EQ(guard->interval(), 3000);
  Button()->click();
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].text, "两次查询间隔不能少于3秒钟,请稍后重试");
  EXPECT_EQ(boxes_.shown()[0].title, "提示");
  EXPECT_EQ(boxes_.shown()[0].flags, 32);
  QTest::qWait(200);
  EXPECT_EQ(server_.Requests().size(), 1u);
  // Once the guard has run out, the next query goes.
  guard->start(1);
  ASSERT_TRUE(testing_support::WaitUntil([&] { return !guard->isActive(); }));
  EXPECT_EQ(frame::globals().duplicateQueryBusy, 0);
  ASSERT_TRUE(Query("禾川"));
  EXPECT_EQ(server_.Requests().size(), 2u);
}

TEST_F(DuplicateQueryWindowTest, ClosingDuringASlowAnswerReturnsAtOnce) {
  testing_support::ScopedSiteUrl site(server_.BaseUrl());
  server_.Serve(kQueryPath, G("禾川科技有限公司"));
  Open();
  ASSERT_TRUE(Query("禾川"));
  EXPECT_EQ(AnswerBox()->toPlainText(), "禾川科技有限公司");
  frame::globals().duplicateQueryBusy = 0;  // past the guard

  server_.Serve(kQueryPath, TestHttpResponse{.body = G("禾川"), .delay = std::chrono::seconds(10)});
  NameBox()->setText(QStringLiteral("禾川"));
  Button()->click();
  ASSERT_TRUE(testing_support::WaitUntil([&] { return server_.Requests().size() == 2; }));
  EXPECT_EQ(window_->windowTitle(), "查询中,请稍等...");
  // The earlier answer is gone while the next one is awaited.
  EXPECT_EQ(AnswerBox()->toPlainText(), "");
  const auto start = std::chrono::steady_clock::now();
  window_->close();
  window_.reset();
  // Far below the site's 10 s: the transfer was stopped, not waited for.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(frame::globals().duplicateQueryBusy, 0);
  QTest::qWait(100);  // nothing is posted to the window that is gone
}

}  // namespace
