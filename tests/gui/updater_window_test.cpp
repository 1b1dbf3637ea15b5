// The updater's window against a loopback site: it can always be cancelled,
// and a refused download leaves nothing behind and no full bar.
#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <chrono>
#include <filesystem>

#include "online/updater.h"
#include "platform/gbk.h"
#include "platform/ini.h"
#include "support/core/http_server.h"
#include "support/core/test_home.h"
#include "support/core/update_signing.h"
#include "support/gui/wait_until.h"
#include "updater/UpdaterWindow.h"

using gbk::G;
using testing_support::WaitUntil;

namespace {

const std::string kNewProgram(200000, 'n');

class UpdaterWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = home.root() / "bin";
    std::filesystem::create_directories(folder);
    testing_support::WriteAll(folder / online::kProgramFileName, "old");
    marks = home.root() / "Quorvale.txt";
  }
  std::unique_ptr<updater::UpdaterWindow> Open() {
    online::UpdaterSetup setup{folder, key.publicPem, {}};
    auto window = std::make_unique<updater::UpdaterWindow>(
        online::UpdaterInstructions{G("澜舟雅集"), "", server.BaseUrl() + "dl/new"}, setup, 0, marks);
    window->show();
    window->start();
    return window;
  }
  QString Step(updater::UpdaterWindow* w) { return w->findChild<QLabel*>(QStringLiteral("步骤"))->text(); }
  QPushButton* Button(updater::UpdaterWindow* w) {
    return w->findChild<QPushButton*>(QStringLiteral("按钮"));
  }
  std::string Mark(const char* key) {
    return gbk::ToUtf8(platform::ReadProfileString(G("软件升级"), G(key), "", marks));
  }

  testing_support::TestHome home;
  testing_support::TestHttpServer server;
  testing_support::TestKeyPair key = testing_support::MakeTestKeyPair();
  std::filesystem::path folder, marks;
};

TEST_F(UpdaterWindowTest, ASilentSiteIsCancelledFromTheWindow) {
  server.Serve("/dl/new.sha256", {.body = online::Sha256Hex(kNewProgram), .delay = std::chrono::seconds(60)});
  for (bool byButton : {true, false}) {
    SCOPED_TRACE(byButton ? "取消" : "window closed");
    auto window = Open();
    ASSERT_TRUE(WaitUntil([&] { return Step(window.get()).startsWith(QStringLiteral("正在取得")); }));
    QTest::qWait(300);
    EXPECT_EQ(Button(window.get())->text(), QStringLiteral("取消"));
    EXPECT_TRUE(Button(window.get())->isEnabled());
    const auto start = std::chrono::steady_clock::now();
    if (byButton)
      Button(window.get())->click();
    else
      window->close();
    // The transfer stops at once and the window goes with it.
    ASSERT_TRUE(WaitUntil([&] { return !window->isVisible(); }, 3000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    ASSERT_TRUE(window->outcome());
    EXPECT_TRUE(window->outcome()->cancelled);
    EXPECT_EQ(testing_support::ReadAll(folder / online::kProgramFileName), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    // Not forced again at the next start, and nothing to tell there.
    EXPECT_EQ(Mark("失败地址"), server.BaseUrl() + "dl/new");
    EXPECT_EQ(Mark("失败说明"), "");
  }
}

TEST_F(UpdaterWindowTest, ARefusedDownloadEmptiesTheBarAndWaitsForTheUser) {
  std::string wrong = online::Sha256Hex(kNewProgram);
  wrong[0] = wrong[0] == '0' ? '1' : '0';
  server.Serve("/dl/new.sha256", wrong);
  server.Serve("/dl/new.sig",
               testing_support::Base64(testing_support::SignBytes(key.privatePem, kNewProgram)));
  server.Serve("/dl/new", kNewProgram);
  auto window = Open();
  int fullest = 0;
  auto* bar = window->findChild<QProgressBar*>(QStringLiteral("进度条"));
  QObject::connect(bar, &QProgressBar::valueChanged, [&](int v) { fullest = std::max(fullest, v); });
  ASSERT_TRUE(WaitUntil([&] { return window->outcome().has_value(); }));
  EXPECT_EQ(fullest, 100);  // the whole file arrived
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(Step(window.get()),
            QStringLiteral("下载的文件与网站公布的校验值不符,已拒绝安装。原程序没有改动。"));
  EXPECT_EQ(Button(window.get())->text(), QStringLiteral("关闭"));
  QTest::qWait(1800);
  EXPECT_TRUE(window->isVisible());  // only an installed update closes by itself
  EXPECT_EQ(Mark("失败说明"), "下载的文件与网站公布的校验值不符,已拒绝安装。原程序没有改动。");
  Button(window.get())->click();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

}  // namespace
