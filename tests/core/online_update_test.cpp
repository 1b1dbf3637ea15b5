#include <gtest/gtest.h>

#include <cctype>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "frame/globals.h"
#include "online/http.h"
#include "online/update_check.h"
#include "online/updater.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/ini.h"
#include "support/core/http_server.h"
#include "support/core/test_home.h"

using gbk::G;
using online::CheckForUpdate;
using online::UpdateCheckMode;
using testing_support::ReadAll;
using testing_support::TestHome;
using testing_support::TestHttpResponse;
using testing_support::TestHttpServer;
using testing_support::WriteAll;

namespace {

// ---- Version numbers -------------------------------------------------------

struct VersionCase {
  const char* text;
  std::optional<double> value;
  bool newerThan23;
};

const VersionCase kVersions[] = {
    {"23.0", 23.0, false},
    {"23.00000001", 23.00000001, false},  // below the 1e-7 step
    {"23.1", 23.1, true},
    {"22.9", 22.9, false},
    {"9.0", 9.0, false},  // never compared as text
    {"100.0", 100.0, true},
    {" 23.5 ", 23.5, true},
    {"24", 24.0, true},
    {"", std::nullopt, false},
    {"abc", std::nullopt, false},
    {"V23.5", std::nullopt, false},
    {"23.5abc", std::nullopt, false},
    {"23,5", std::nullopt, false},
    {"-24.0", std::nullopt, false},
    {"+24.0", std::nullopt, false},
    {"24.", std::nullopt, false},
    {".5", std::nullopt, false},
    {"inf", std::nullopt, false},
    {"nan", std::nullopt, false},
    {"2.4e1", std::nullopt, false},
    {"0x1p5", std::nullopt, false},
    {"99<b>x</b>", std::nullopt, false},
    {"1000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000",
     std::nullopt, false},
};

void ExpectVersionTable() {
  for (const VersionCase& c : kVersions) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(online::ParseVersionNumber(c.text), c.value);
    EXPECT_EQ(online::IsNewerVersion(c.text, "23.0"), c.newerThan23);
  }
}

TEST(VersionNumbers, ParsedStrictlyAndComparedAsNumbers) { ExpectVersionTable(); }

TEST(VersionNumbers, SameUnderACommaLocale) {
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = old ? old : "C";
  TestHome home;
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
    // Not installed: build it where only this test looks.
    const std::string dir = home.root().string();
    const std::string make = "localedef -i de_DE -f UTF-8 '" + dir + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(make.c_str()) != 0) GTEST_SKIP() << "de_DE.UTF-8 cannot be built";
    ::setenv("LOCPATH", dir.c_str(), 1);
    const bool set = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    ::unsetenv("LOCPATH");
    if (!set) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  }
  ASSERT_EQ(std::strtod("23.5", nullptr), 23.0);  // the locale really reads "," as the point
  ExpectVersionTable();
  std::setlocale(LC_NUMERIC, saved.c_str());
}

// ---- The decision of the check ----------------------------------------------

struct DecisionCase {
  const char* name;
  UpdateCheckMode mode;
  const char* latest;
  bool forced, allowForced;
  const char* url;
  int answer;          // to the question
  bool starts;         // whether the updater starts
  const char* events;  // what happened, in order
  bool result;
};

constexpr auto kMenu = UpdateCheckMode::kFromMenu;
constexpr auto kStart = UpdateCheckMode::kStartUp;
const char* const kUrl = "http://dl.test/new";

const DecisionCase kDecisions[] = {
    {"MenuCurrent", kMenu, "23.0", false, true, kUrl, 5, true, "box(检测结果,64:您的版本是最新的!)", false},
    {"StartUpCurrent", kStart, "23.0", false, true, kUrl, 5, true, "", false},
    {"MenuUnknown", kMenu, "", false, true, kUrl, 5, true,
     "box(检测结果,64:未能取得最新版本信息,请检查网络连接后再试。)", false},
    {"StartUpUnknown", kStart, "", false, true, kUrl, 5, true, "", false},
    {"HostileVersion", kStart, "99<b>x</b>", true, true, kUrl, 5, true, "", false},
    {"MenuNewerNo", kMenu, "23.5", false, true, kUrl, 6, true, "min box(升级提示,4) restore", false},
    {"MenuNewerYes", kMenu, "23.5", false, true, kUrl, 5, true, "min box(升级提示,4) start", true},
    {"ForcedAtStartUp", kStart, "23.5", true, true, kUrl, 6, true, "min start", true},
    {"ForcedButNotNewer", kStart, "23.0", true, true, kUrl, 5, true, "", false},
    {"ForcedNotAllowed", kStart, "23.5", true, false, kUrl, 6, true, "min box(升级提示,4) restore", false},
    {"EmptyAddress", kMenu, "23.5", false, true, "", 5, true, "min box(升级提示,4) box(升级提示,64) restore", false},
    {"FileAddress", kMenu, "23.5", false, true, "file:///bin/sh", 5, true,
     "min box(升级提示,4) box(升级提示,64) restore", false},
    {"ScriptAddress", kMenu, "23.5", false, true, "javascript:alert(1)", 5, true,
     "min box(升级提示,4) box(升级提示,64) restore", false},
    {"FtpAddress", kMenu, "23.5", false, true, "ftp://x/a", 5, true, "min box(升级提示,4) box(升级提示,64) restore",
     false},
    {"NoHost", kMenu, "23.5", false, true, "https:///a", 5, true, "min box(升级提示,4) box(升级提示,64) restore",
     false},
    {"StartFails", kMenu, "23.5", false, true, kUrl, 5, false, "min box(升级提示,4) start box(升级提示,64) restore",
     false},
};

class UpdateDecisions : public ::testing::TestWithParam<DecisionCase> {
 protected:
  void SetUp() override { home.PrepareGlobals(); }
  TestHome home;
};

TEST_P(UpdateDecisions, EventsAndResult) {
  const DecisionCase& c = GetParam();
  std::string events;
  auto add = [&](const std::string& e) { events += (events.empty() ? "" : " ") + e; };
  online::UpdateWindowHooks hooks;
  hooks.minimise = [&] { add("min"); };
  hooks.restoreNormal = [&] { add("restore"); };
  hooks.ask = [&](std::string_view text, std::string_view title, int flags) {
    std::string e = "box(" + gbk::ToUtf8(title) + "," + std::to_string(flags);
    // The outcome boxes of the check itself are compared whole.
    if (gbk::ToUtf8(title) == "检测结果") e += ":" + gbk::ToUtf8(text);
    add(e + ")");
    return flags == platform::kYesNo ? c.answer : int(platform::kOk);
  };
  hooks.startUpdater = [&] {
    add("start");
    return c.starts;
  };
  EXPECT_EQ(CheckForUpdate(c.latest, "23.0", G("澜舟雅集"), c.url, hooks, c.mode, c.forced, c.allowForced), c.result);
  EXPECT_EQ(events, c.events);
}

INSTANTIATE_TEST_SUITE_P(Rows, UpdateDecisions, ::testing::ValuesIn(kDecisions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UpdateQuestion, NamesBothVersionsAndTheFailureNamesTheAddress) {
  TestHome home;
  home.PrepareGlobals();
  std::vector<std::string> texts;
  online::UpdateWindowHooks hooks;
  hooks.ask = [&](std::string_view text, std::string_view, int) {
    texts.push_back(gbk::ToUtf8(text));
    return int(platform::kYes);
  };
  EXPECT_FALSE(CheckForUpdate("23.5", "23.0", G("澜舟雅集"), kUrl, hooks, kMenu, false, true));  // no start hook
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "网上最新的版本号为:V23.5\r\n您正使用的版本号为:V23.0\r\n\r\n是否更新?");
  EXPECT_EQ(texts[1], "无法启动升级程序,请稍后再试或从网站下载新版本:\r\nhttp://dl.test/new");
}

TEST(UpdaterHandOver, WritesTheInstructionsBesideOtherSectionsAndNothingToRun) {
  TestHome home;
  home.PrepareGlobals();
  const auto file = online::UpdaterInstructionFile();
  std::filesystem::create_directories(file.parent_path());
  const std::string kept = G("[澜舟雅集]\r\n地区名=苏州\r\n");
  WriteAll(file, kept);
  online::UpdateWindowHooks hooks;
  hooks.startUpdater = [] { return true; };
  // Started from another folder: the program's own folder is named all the same.
  const auto workingFolder = std::filesystem::current_path();
  std::filesystem::current_path(home.root());
  const bool started = CheckForUpdate("23.5", "23.0", G("澜舟雅集"), G("http://dl.test/新版"), hooks,
                                      UpdateCheckMode::kStartUp, true, true);
  std::filesystem::current_path(workingFolder);
  ASSERT_TRUE(started);

  EXPECT_EQ(ReadAll(file).substr(0, kept.size()), kept);
  online::UpdaterInstructions read = online::ReadUpdaterInstructions(file);
  EXPECT_EQ(read.windowTitle, G("澜舟雅集"));
  EXPECT_EQ(read.folder, gbk::FromUtf8(LANZHOU_CORE_TESTS_DIR "/"));
  EXPECT_EQ(read.remoteFile, "http://dl.test/%D0%C2%B0%E6");
  for (auto& e : std::filesystem::recursive_directory_iterator(home.root())) {
    if (!e.is_regular_file()) continue;
    EXPECT_EQ(e.status().permissions() & std::filesystem::perms::owner_exec, std::filesystem::perms::none)
        << e.path();
  }
}

TEST(UpdaterHandOver, AFailedInstructionWriteStartsNothing) {
  TestHome home;
  home.PrepareGlobals();
  WriteAll(home.root() / "config", "a file where the config folder should be");
  bool started = false, restored = false;
  online::UpdateWindowHooks hooks;
  hooks.ask = [](std::string_view, std::string_view, int) { return int(platform::kOk); };
  hooks.restoreNormal = [&] { restored = true; };
  hooks.startUpdater = [&] { return started = true; };
  EXPECT_FALSE(CheckForUpdate("23.5", "23.0", G("澜舟雅集"), kUrl, hooks, UpdateCheckMode::kStartUp, true, true));
  EXPECT_FALSE(started);
  EXPECT_TRUE(restored);
}

// ---- The updater against a loopback site -------------------------------------

const std::string kNewProgram = std::string("new program\0bytes", 17) + std::string(100000, 'n');

struct UpdaterCase {
  const char* name;
  std::optional<TestHttpResponse> digest;   // at ".sha256"; none: 404
  std::optional<TestHttpResponse> program;  // none: 404
  bool installed;
  const char* message;
};

TestHttpResponse Body(std::string body) { return {.body = std::move(body)}; }

std::vector<UpdaterCase> UpdaterCases() {
  const std::string digest = online::Sha256Hex(kNewProgram);
  std::string wrong = digest;
  wrong[0] = wrong[0] == '0' ? '1' : '0';
  std::string upper = digest;
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  std::string truncated = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(kNewProgram.size()) +
                          "\r\nConnection: close\r\n\r\n" + kNewProgram.substr(0, 5000);
  return {
      {"GoodDownload", Body(digest + "  new\n"), Body(kNewProgram), true, "升级完成,正在启动新版本。"},
      {"UpperCaseDigest", Body(upper), Body(kNewProgram), true, "升级完成"},
      {"WrongDigest", Body(wrong + "\n"), Body(kNewProgram), false, "下载的文件与网站公布的校验值不符"},
      {"MissingDigest", std::nullopt, Body(kNewProgram), false, "网站没有提供新版本的校验值"},
      {"DigestOfAnErrorPage", Body("<html>not here</html>"), Body(kNewProgram), false, "网站没有提供新版本的校验值"},
      {"TruncatedDownload", Body(digest), TestHttpResponse{.raw = truncated}, false, "下载新版本失败"},
      {"MissingProgram", Body(digest), std::nullopt, false, "下载新版本失败"},
  };
}

class Updater : public ::testing::TestWithParam<UpdaterCase> {
 protected:
  void SetUp() override {
    folder = home.root() / "bin";
    std::filesystem::create_directories(folder);
    program = folder / online::kProgramFileName;
    WriteAll(program, kOldProgram);
    std::filesystem::permissions(program, std::filesystem::perms(0755));
  }
  const std::string kOldProgram = "old program";
  TestHome home;
  TestHttpServer server;
  std::filesystem::path folder, program;
};

TEST_P(Updater, InstallsOnlyAVerifiedDownload) {
  const UpdaterCase& c = GetParam();
  if (c.digest) server.Serve("/dl/new.sha256", *c.digest);
  if (c.program) server.Serve("/dl/new", *c.program);
  online::UpdaterInstructions in{G("澜舟雅集"), folder.string() + "/", server.BaseUrl() + "dl/new"};
  bool waited = false;
  online::UpdaterEvents events;
  events.waitForProgramEnd = [&] { return waited = true; };

  online::UpdateOutcome out = online::RunUpdate(in, events);
  EXPECT_EQ(out.installed, c.installed);
  EXPECT_NE(gbk::ToUtf8(out.message).find(c.message), std::string::npos) << gbk::ToUtf8(out.message);
  EXPECT_EQ(ReadAll(program), c.installed ? kNewProgram : kOldProgram);
  EXPECT_EQ(waited, c.installed);  // never waits for nothing
  EXPECT_EQ(std::filesystem::status(program).permissions(), std::filesystem::perms(0755));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);  // nothing left beside it
}

INSTANTIATE_TEST_SUITE_P(Rows, Updater, ::testing::ValuesIn(UpdaterCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UpdaterInstall, KeepsTheProgramWhenTheMainProgramDoesNotEnd) {
  TestHome home;
  TestHttpServer server;
  const auto program = home.root() / online::kProgramFileName;
  WriteAll(program, "old");
  server.Serve("/new.sha256", online::Sha256Hex("new"));
  server.Serve("/new", "new");
  online::UpdaterEvents events;
  events.waitForProgramEnd = [] { return false; };
  online::UpdateOutcome out =
      online::RunUpdate({"t", home.root().string() + "/", server.BaseUrl() + "new"}, events);
  EXPECT_FALSE(out.installed);
  EXPECT_EQ(ReadAll(program), "old");
}

}  // namespace
