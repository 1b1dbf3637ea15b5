// Starts the real program offscreen, lets it come up, asks it to end the way
// a session logout does, and checks that it ended cleanly with its inputs
// saved.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <csignal>
#include <filesystem>

#include "platform/gbk.h"
#include "platform/ini.h"
#include "support/core/test_home.h"
#include "support/gui/wait_until.h"

namespace {

TEST(ProgramSmoke, StartsShowsTheWindowAndEndsWithExitCodeZero) {
  testing_support::TestHome home;
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("LANZHOU_HOME"), QString::fromStdString(home.root().string()));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("LANZHOU_SITE_URL"), QStringLiteral("http://127.0.0.1:9/"));
  program.setProcessEnvironment(env);
  program.start(QStringLiteral(LANZHOU_BINARY), {});
  ASSERT_TRUE(program.waitForStarted(10000));

  const auto notice = home.root() / "data" / "Tarvel" / "用户注意.txt";
  ASSERT_TRUE(testing_support::WaitUntil([&] { return std::filesystem::exists(notice); }, 15000));
  QTest::qWait(1500);
  ASSERT_EQ(program.state(), QProcess::Running);

  ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
  ASSERT_TRUE(program.waitForFinished(15000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);

  const auto settings = home.root() / "data" / "Tarvel" / "Dizezorivo.p";
  EXPECT_EQ(platform::ReadProfileString(gbk::G("澜舟雅集"), gbk::G("地区名"), "", settings), gbk::G("苏州"));
  EXPECT_EQ(platform::ReadProfileString(gbk::G("澜舟雅集"), gbk::G("位置A"), "", settings), "3");
}

}  // namespace
