// The built updater (a test build carrying the tests' own key, with a 2 s
// low-speed limit and a 128 MiB download limit) against a loopback site, in
// a program folder whose name GBK cannot hold.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "online/update_check.h"
#include "online/updater.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/ini.h"
#include "support/core/http_server.h"
#include "support/core/test_home.h"

extern char** environ;

namespace {

using gbk::G;
using testing_support::ReadAll;
using testing_support::TestHttpResponse;
using testing_support::WriteAll;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const char* const kOld = "#!/bin/sh\necho old >> \"$(dirname \"$0\")/started\"\n";
const char* const kNew = "#!/bin/sh\necho new >> \"$(dirname \"$0\")/started\"\n";
const char* const kEvil = "#!/bin/sh\necho evil >> \"$(dirname \"$0\")/started\"\n";

struct UpdaterRun {
  long maxRssKb = 0;
  std::optional<double> secondsToFailure;  // until the updater recorded one
  std::string failure;                     // what it recorded (UTF-8)
};

class UpdaterProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = home.root() / "jörg";
    fs::create_directories(folder);
    fs::copy_file(LANZHOU_TEST_UPDATER, folder / platform::kUpdaterFileName);
    Install(folder / online::kProgramFileName, kOld);
    // The release as the release script signs it.
    fs::create_directories(home.root() / "site");
    Install(home.root() / "site/lanzhou", kNew);
    const std::string script = std::string(LANZHOU_SOURCE_DIR) + "/tools/release/sign-update.sh";
    ASSERT_EQ(std::system(("bash '" + script + "' sign '" LANZHOU_TEST_UPDATE_KEY "' '" +
                           (home.root() / "site/lanzhou").string() + "' >/dev/null")
                              .c_str()),
              0);
    digest = ReadAll(home.root() / "site/lanzhou.sha256");
    signature = ReadAll(home.root() / "site/lanzhou.sig");
    // As the main program writes it: "文件保存" cannot hold "ö" in GBK.
    ASSERT_TRUE(platform::WriteProfileStrings(G("软件升级"),
                                              {{G("窗口标题"), G("澜舟雅集")},
                                               {G("文件保存"), gbk::FromUtf8(folder.string() + "/")},
                                               {G("远程文件"), server.BaseUrl() + "dl/lanzhou?v=23.5"}},
                                              online::UpdaterInstructionFile()));
  }

  static void Install(const fs::path& file, const std::string& text) {
    WriteAll(file, text);
    fs::permissions(file, fs::perms(0755));
  }

  // Runs the updater for a main program that has just ended. A failure
  // stays on its window until the user closes it: the test ends it the way
  // a session does, with SIGTERM.
  UpdaterRun RunUpdater(const std::string& label) {
    pid_t mainProgram = ::fork();
    if (mainProgram == 0) ::_exit(0);
    ::waitpid(mainProgram, nullptr, 0);
    const std::string exe = (folder / platform::kUpdaterFileName).string(), pid = std::to_string(mainProgram);
    char* argv[] = {const_cast<char*>(exe.c_str()), const_cast<char*>(pid.c_str()), nullptr};
    testing_support::ScopedEnv offscreen("QT_QPA_PLATFORM", "offscreen");
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t updater = 0;
    const auto start = Clock::now();
    EXPECT_EQ(::posix_spawn(&updater, exe.c_str(), &quiet, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&quiet);

    UpdaterRun run;
    rusage usage{};
    int status = 0;
    while (::wait4(updater, &status, WNOHANG, &usage) == 0) {
      if (Clock::now() - start > std::chrono::seconds(60)) {
        ADD_FAILURE() << "the updater did not end";
        ::kill(updater, SIGKILL);
        ::wait4(updater, &status, 0, &usage);
        break;
      }
      if (!run.secondsToFailure) {
        std::string failure =
            platform::ReadProfileString(G("软件升级"), G("失败说明"), "", online::UpdaterInstructionFile());
        if (!failure.empty()) {
          run.secondsToFailure = std::chrono::duration<double>(Clock::now() - start).count();
          run.failure = gbk::ToUtf8(failure);
          ::kill(updater, SIGTERM);
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    run.maxRssKb = usage.ru_maxrss;
    RecordProperty(label + "_max_rss_kb", std::to_string(run.maxRssKb));
    if (run.secondsToFailure)
      RecordProperty(label + "_seconds_to_failure", std::to_string(*run.secondsToFailure));
    return run;
  }

  // The program the updater started again when it ended.
  std::string Started() {
    const auto until = Clock::now() + std::chrono::seconds(10);
    while (!fs::exists(folder / "started") && Clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return ReadAll(folder / "started");
  }

  void ExpectOnlyTheProgramsAndTheirTrace() {
    for (const auto& e : fs::directory_iterator(folder)) {
      const std::string name = e.path().filename().string();
      EXPECT_TRUE(name == online::kProgramFileName || name == platform::kUpdaterFileName || name == "started")
          << name;
    }
  }

  testing_support::TestHome home;
  testing_support::TestHttpServer server{std::chrono::seconds(90)};
  fs::path folder;
  std::string digest, signature;
};

TEST_F(UpdaterProgram, InstallsASignedReleaseAndStartsIt) {
  server.Serve("/dl/lanzhou.sha256", digest);
  server.Serve("/dl/lanzhou.sig", signature);
  server.Serve("/dl/lanzhou", kNew);
  UpdaterRun run = RunUpdater("Signed");
  EXPECT_FALSE(run.secondsToFailure) << run.failure;
  EXPECT_EQ(ReadAll(folder / online::kProgramFileName), kNew);
  EXPECT_EQ(Started(), "new\n");
  ExpectOnlyTheProgramsAndTheirTrace();
  EXPECT_EQ(online::FailedUpdateAddress(online::UpdaterInstructionFile()), "");
}

TEST_F(UpdaterProgram, RefusesWhatTheReleaseKeyDidNotSignAndStartsTheOldProgram) {
  const std::string evilDigest = online::Sha256Hex(kEvil) + "  lanzhou\n";
  const struct {
    const char* name;
    TestHttpResponse digest, program;
    const char* failure;
    double maxSeconds;
  } rows[] = {
      // Another program with its own digest beside the release's signature.
      {"Tampered", {.body = evilDigest}, {.body = kEvil}, "下载的文件没有本软件发布者的有效签名", 10},
      {"EndlessDownload", {.body = digest}, {.endless = true}, "下载的文件大于 128 MB", 30},
      // Silent for longer than the low-speed limit: given up after about 2 s.
      {"SilentDownload",
       {.body = digest},
       {.body = kNew, .delay = std::chrono::seconds(80)},
       "下载新版本失败(网络中断或太慢)",
       8},
  };
  long baselineKb = 0;
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    fs::remove(folder / "started");
    platform::WriteProfileString(G("软件升级"), G("失败说明"), "", online::UpdaterInstructionFile());
    server.Serve("/dl/lanzhou.sha256", r.digest);
    server.Serve("/dl/lanzhou.sig", signature);
    server.Serve("/dl/lanzhou", r.program);
    UpdaterRun run = RunUpdater(r.name);
    ASSERT_TRUE(run.secondsToFailure);
    EXPECT_NE(run.failure.find(r.failure), std::string::npos) << run.failure;
    EXPECT_LT(*run.secondsToFailure, r.maxSeconds);
    // Streamed to the disk: an endless download never fills the memory. It
    // grows far less than the 128 MiB it took, measured from the first row
    // (a small download), and stays under 100 MB where no sanitizer adds
    // its own.
    if (!baselineKb) baselineKb = run.maxRssKb;
    EXPECT_LT(run.maxRssKb, baselineKb + 32 * 1024);
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LT(run.maxRssKb, 100 * 1000);
#endif
    EXPECT_EQ(ReadAll(folder / online::kProgramFileName), kOld);
    EXPECT_EQ(Started(), "old\n");
    ExpectOnlyTheProgramsAndTheirTrace();
    EXPECT_EQ(online::FailedUpdateAddress(online::UpdaterInstructionFile()),
              server.BaseUrl() + "dl/lanzhou?v=23.5");
  }
}

}  // namespace
