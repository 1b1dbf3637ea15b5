#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
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
#include "support/core/update_signing.h"

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
  bool keyed = true;    // the build carries an update key
  bool settles = true;  // the windows with unsaved edits let the program go
};

constexpr auto kMenu = UpdateCheckMode::kFromMenu;
constexpr auto kStart = UpdateCheckMode::kStartUp;
const char* const kUrl = "http://dl.test/new";
#define BAD_ADDRESS "box(升级提示,64:网站提供的新版本下载地址无效,无法升级。请稍后再试,或从网站下载新版本。)"

const DecisionCase kDecisions[] = {
    {"MenuCurrent", kMenu, "23.0", false, true, kUrl, 5, true, "box(检测结果,64:您的版本是最新的!)", false},
    {"StartUpCurrent", kStart, "23.0", false, true, kUrl, 5, true, "", false},
    {"MenuUnknown", kMenu, "", false, true, kUrl, 5, true,
     "box(检测结果,64:未能取得最新版本信息:程序启动时没能从网站读到。请检查网络连接,重新启动程序后再试。)", false},
    {"StartUpUnknown", kStart, "", false, true, kUrl, 5, true, "", false},
    {"HostileVersion", kStart, "99<b>x</b>", true, true, kUrl, 5, true, "", false},
    {"MenuNewerNo", kMenu, "23.5", false, true, kUrl, 6, true, "min box(升级提示,4) restore", false},
    {"MenuNewerYes", kMenu, "23.5", false, true, kUrl, 5, true, "min box(升级提示,4) settle start", true},
    {"ForcedAtStartUp", kStart, "23.5", true, true, kUrl, 6, true, "min settle start", true},
    {"ForcedButNotNewer", kStart, "23.0", true, true, kUrl, 5, true, "", false},
    {"ForcedNotAllowed", kStart, "23.5", true, false, kUrl, 6, true, "min box(升级提示,4) restore", false},
    {"EmptyAddress", kMenu, "23.5", false, true, "", 5, true, "min box(升级提示,4) " BAD_ADDRESS " restore",
     false},
    {"FileAddress", kMenu, "23.5", false, true, "file:///bin/sh", 5, true,
     "min box(升级提示,4) " BAD_ADDRESS " restore", false},
    {"ScriptAddress", kMenu, "23.5", false, true, "javascript:alert(1)", 5, true,
     "min box(升级提示,4) " BAD_ADDRESS " restore", false},
    {"FtpAddress", kMenu, "23.5", false, true, "ftp://x/a", 5, true,
     "min box(升级提示,4) " BAD_ADDRESS " restore", false},
    {"NoHost", kMenu, "23.5", false, true, "https:///a", 5, true,
     "min box(升级提示,4) " BAD_ADDRESS " restore", false},
    {"StartFails", kMenu, "23.5", false, true, kUrl, 5, false,
     "min box(升级提示,4) settle start "
     "box(升级提示,64:无法启动升级程序,请稍后再试或从网站下载新版本:\r\nhttp://dl.test/new) restore",
     false},
    // A build without the release key starts nothing and sends the user to
    // the site, forced or not.
    {"NoKey", kMenu, "23.5", false, true, kUrl, 5, true,
     "min box(升级提示,4) "
     "box(升级提示,64:这个版本的程序不能自动升级,请从网站下载新版本:\r\nhttp://dl.test/new) "
     "restore",
     false, false},
    {"NoKeyForced", kStart, "23.5", true, true, kUrl, 5, true,
     "min box(升级提示,64:这个版本的程序不能自动升级,请从网站下载新版本:\r\nhttp://dl.test/new) restore",
     false, false},
    // 取消 at an unsaved-edits question: no update now, and nothing more said.
    {"EditsKept", kMenu, "23.5", false, true, kUrl, 5, true, "min box(升级提示,4) settle restore", false,
     true, false},
    {"EditsKeptForced", kStart, "23.5", true, true, kUrl, 5, true, "min settle restore", false, true, false},
};
#undef BAD_ADDRESS

class UpdateDecisions : public ::testing::TestWithParam<DecisionCase> {
 protected:
  void SetUp() override { home.PrepareGlobals(); }
  TestHome home;
};

TEST_P(UpdateDecisions, EventsAndResult) {
  const DecisionCase& c = GetParam();
  testing_support::ScopedUpdateKey key(c.keyed ? "(a public key)" : "");
  std::string events;
  auto add = [&](const std::string& e) { events += (events.empty() ? "" : " ") + e; };
  online::UpdateWindowHooks hooks;
  hooks.minimise = [&] { add("min"); };
  hooks.restoreNormal = [&] { add("restore"); };
  hooks.ask = [&](std::string_view text, std::string_view title, int flags) {
    std::string e = "box(" + gbk::ToUtf8(title) + "," + std::to_string(flags);
    // Every message is compared whole; the question has its own test.
    if (flags != platform::kYesNo) e += ":" + gbk::ToUtf8(text);
    add(e + ")");
    return flags == platform::kYesNo ? c.answer : int(platform::kOk);
  };
  hooks.settleUnsavedEdits = [&] {
    add("settle");
    return c.settles;
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
  testing_support::ScopedUpdateKey key;
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
  testing_support::ScopedUpdateKey key;
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
  testing_support::ScopedUpdateKey key;
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

// ---- Files published beside the download --------------------------------------

TEST(PublishedFiles, SitBesideTheDownloadBeforeItsQuery) {
  const struct {
    const char* download;
    const char* digest;
  } rows[] = {
      {"http://h/dl/new", "http://h/dl/new.sha256"},
      {"http://h/dl/new?x=1&y=2", "http://h/dl/new.sha256?x=1&y=2"},
      {"http://h/dl/new#part", "http://h/dl/new.sha256#part"},
      {"http://h/get?f=a.exe?b", "http://h/get.sha256?f=a.exe?b"},
  };
  for (const auto& r : rows) EXPECT_EQ(online::PublishedFileAddress(r.download, ".sha256"), r.digest);
  EXPECT_EQ(online::PublishedFileAddress("http://h/dl/new?x=1", ".sig"), "http://h/dl/new.sig?x=1");
}

// ---- The updater against a loopback site -------------------------------------

const std::string kNewProgram = std::string("new program\0bytes", 17) + std::string(100000, 'n');

const testing_support::TestKeyPair& ReleaseKey() {
  static const auto key = testing_support::MakeTestKeyPair();
  return key;
}

struct UpdaterCase {
  const char* name;
  std::optional<TestHttpResponse> digest;     // at ".sha256"; none: 404
  std::optional<TestHttpResponse> signature;  // at ".sig"; none: 404
  std::optional<TestHttpResponse> program;    // none: 404
  bool installed;
  const char* message;
  std::string key = ReleaseKey().publicPem;  // built into the updater
};

TestHttpResponse Body(std::string body) { return {.body = std::move(body)}; }

std::vector<UpdaterCase> UpdaterCases() {
  using testing_support::Base64;
  using testing_support::SignBytes;
  const std::string digest = online::Sha256Hex(kNewProgram);
  std::string wrong = digest;
  wrong[0] = wrong[0] == '0' ? '1' : '0';
  std::string upper = digest;
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  const std::string good = SignBytes(ReleaseKey().privatePem, kNewProgram);
  std::string flipped = good;
  flipped[10] = static_cast<char>(flipped[10] ^ 1);
  const std::string otherKey = SignBytes(testing_support::MakeTestKeyPair().privatePem, kNewProgram);
  const std::string otherBytes = SignBytes(ReleaseKey().privatePem, kNewProgram + "x");
  std::string truncated = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(kNewProgram.size()) +
                          "\r\nConnection: close\r\n\r\n" + kNewProgram.substr(0, 5000);
  const auto sig = Body(Base64(good) + "\n");
  const auto dig = Body(digest + "  new\n");
  const auto prog = Body(kNewProgram);
  const char* kNotSigned = "网站没有提供新版本的签名";
  const char* kBadSignature = "下载的文件没有本软件发布者的有效签名,已拒绝安装。";
  const char* kNoAnswer = "无法从网站取得新版本(网络中断或太慢)";
  return {
      {"GoodSignature", dig, sig, prog, true, "升级完成,正在启动新版本。"},
      {"UpperCaseDigestCrLfSignature", Body(upper), Body(Base64(good) + "\r\n"), prog, true, "升级完成"},
      {"WrongDigest", Body(wrong + "\n"), sig, prog, false, "下载的文件与网站公布的校验值不符"},
      {"MissingDigest", std::nullopt, sig, prog, false, "网站没有提供新版本的校验值"},
      {"DigestOfAnErrorPage", Body("<html>not here</html>"), sig, prog, false, "网站没有提供新版本的校验值"},
      {"MatchingDigestNoSignature", dig, std::nullopt, prog, false, kNotSigned},
      {"WrongSignature", dig, Body(Base64(flipped)), prog, false, kBadSignature},
      {"SignatureByAnotherKey", dig, Body(Base64(otherKey)), prog, false, kBadSignature},
      {"SignatureOfOtherBytes", dig, Body(Base64(otherBytes)), prog, false, kBadSignature},
      {"SignatureOf63Bytes", dig, Body(Base64(good.substr(0, 63))), prog, false, kNotSigned},
      {"SignatureOf65Bytes", dig, Body(Base64(good + "x")), prog, false, kNotSigned},
      {"SignatureNotBase64", dig, Body("!" + Base64(good).substr(1)), prog, false, kNotSigned},
      {"SignatureOnTwoLines", dig, Body(Base64(good).insert(40, "\n")), prog, false, kNotSigned},
      {"EndlessDigest", TestHttpResponse{.body = digest, .endless = true}, sig, prog, false,
       "网站没有提供新版本的校验值"},
      {"EndlessSignature", dig, TestHttpResponse{.body = Base64(good), .endless = true}, prog, false,
       kNotSigned},
      {"EndlessDownload", dig, sig, TestHttpResponse{.endless = true}, false, "下载的文件大于 1 MB"},
      {"DrippingDownload", dig, sig,
       TestHttpResponse{.body = kNewProgram, .drip = std::chrono::milliseconds(50)}, false,
       "下载新版本失败(网络中断或太慢)"},
      {"SilentSite", TestHttpResponse{.body = digest, .delay = std::chrono::seconds(60)}, sig, prog, false,
       kNoAnswer},
      {"TruncatedDownload", dig, sig, TestHttpResponse{.raw = truncated}, false, "下载新版本失败"},
      {"MissingProgram", dig, sig, std::nullopt, false, "下载新版本失败"},
      // A build without a usable key installs nothing, whatever the site says.
      {"NoKey", dig, sig, prog, false, "这个版本的程序不能自动升级,原程序没有改动。请从网站下载新版本。", ""},
      {"KeyThatIsNoKey", dig, sig, prog, false, "这个版本的程序不能自动升级",
       "-----BEGIN PUBLIC KEY-----\nAAAA\n"},
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
  online::UpdaterSetup Setup(const std::string& key) const {
    // Short limits, so that the stalled and endless rows end quickly.
    online::UpdaterSetup setup{folder, key, {}};
    setup.limits.maxDownloadBytes = 1 << 20;
    setup.limits.lowSpeedTime = std::chrono::seconds(1);
    return setup;
  }
  const std::string kOldProgram = "old program";
  TestHome home;
  TestHttpServer server;
  std::filesystem::path folder, program;
};

TEST_P(Updater, InstallsOnlyASignedAndVerifiedDownload) {
  const UpdaterCase& c = GetParam();
  if (c.digest) server.Serve("/dl/new.sha256", *c.digest);
  if (c.signature) server.Serve("/dl/new.sig", *c.signature);
  if (c.program) server.Serve("/dl/new", *c.program);
  online::UpdaterInstructions in{G("澜舟雅集"), "/elsewhere/", server.BaseUrl() + "dl/new"};
  bool waited = false;
  online::UpdaterEvents events;
  events.waitForProgramEnd = [&] { return waited = true; };

  const auto start = std::chrono::steady_clock::now();
  online::UpdateOutcome out = online::RunUpdate(in, Setup(c.key), events);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(out.installed, c.installed);
  EXPECT_FALSE(out.cancelled);
  EXPECT_NE(gbk::ToUtf8(out.message).find(c.message), std::string::npos) << gbk::ToUtf8(out.message);
  EXPECT_EQ(ReadAll(program), c.installed ? kNewProgram : kOldProgram);
  EXPECT_EQ(waited, c.installed);  // never waits for nothing
  EXPECT_EQ(std::filesystem::status(program).permissions(), std::filesystem::perms(0755));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);  // nothing left beside it
  if (c.key.empty()) EXPECT_TRUE(server.Requests().empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, Updater, ::testing::ValuesIn(UpdaterCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Updater, AStopEndsASilentTransferAtOnceAndLeavesNothing) {
  server.Serve("/dl/new.sha256", online::Sha256Hex(kNewProgram));
  server.Serve("/dl/new.sig",
               testing_support::Base64(testing_support::SignBytes(ReleaseKey().privatePem, kNewProgram)));
  server.Serve("/dl/new", {.body = kNewProgram, .delay = std::chrono::seconds(60)});
  online::UpdaterSetup setup = Setup(ReleaseKey().publicPem);
  setup.limits.lowSpeedTime = std::chrono::seconds(30);
  std::stop_source stop;
  std::jthread stopper;  // joined before `stop` goes
  online::UpdaterEvents events;
  events.step = [&](std::string_view step) {
    if (gbk::ToUtf8(step) == "正在下载新版本...")
      stopper = std::jthread([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        stop.request_stop();
      });
  };
  const auto start = std::chrono::steady_clock::now();
  online::UpdateOutcome out =
      online::RunUpdate({"t", "", server.BaseUrl() + "dl/new"}, setup, events, stop.get_token());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  EXPECT_TRUE(out.cancelled);
  EXPECT_EQ(gbk::ToUtf8(out.message), "升级已取消,原程序没有改动。");
  EXPECT_EQ(ReadAll(program), kOldProgram);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST_F(Updater, AFolderItCannotWriteIsToldBeforeTheDownload) {
  server.Serve("/dl/new.sha256", online::Sha256Hex(kNewProgram));
  server.Serve("/dl/new.sig",
               testing_support::Base64(testing_support::SignBytes(ReleaseKey().privatePem, kNewProgram)));
  server.Serve("/dl/new", kNewProgram);
  std::filesystem::permissions(home.root(), std::filesystem::perms(0755));
  std::filesystem::permissions(folder, std::filesystem::perms(0555));
  const bool refused = testing_support::AsOrdinaryUser([&] {
    online::UpdateOutcome out =
        online::RunUpdate({"t", "", server.BaseUrl() + "dl/new"}, Setup(ReleaseKey().publicPem), {});
    return !out.installed &&
           gbk::ToUtf8(out.message) == "无法在程序所在的文件夹中写入,新版本没有安装。原程序没有改动。";
  });
  std::filesystem::permissions(folder, std::filesystem::perms(0755));
  EXPECT_TRUE(refused);
  EXPECT_EQ(ReadAll(program), kOldProgram);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
  for (const auto& r : server.Requests()) EXPECT_NE(r.target, "/dl/new");
}

TEST(UpdaterInstall, KeepsTheProgramWhenTheMainProgramDoesNotEnd) {
  TestHome home;
  TestHttpServer server;
  const auto program = home.root() / online::kProgramFileName;
  WriteAll(program, "old");
  server.Serve("/new.sha256", online::Sha256Hex("new"));
  server.Serve("/new.sig",
               testing_support::Base64(testing_support::SignBytes(ReleaseKey().privatePem, "new")));
  server.Serve("/new", "new");
  online::UpdaterEvents events;
  events.waitForProgramEnd = [] { return false; };
  online::UpdateOutcome out = online::RunUpdate({"t", "", server.BaseUrl() + "new"},
                                                {home.root(), ReleaseKey().publicPem, {}}, events);
  EXPECT_FALSE(out.installed);
  EXPECT_EQ(ReadAll(program), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.root()), {}), 1);
}

// ---- What the updater leaves for the main program -----------------------------

TEST(UpdateOutcomeMark, AFailureIsToldOnceAndItsAddressKeptUntilAnInstall) {
  TestHome home;
  const auto file = home.root() / "Quorvale.txt";
  const online::UpdaterInstructions in{"t", "/x/", "http://dl.test/new"};
  const struct {
    online::UpdateOutcome outcome;
    const char* told;  // by the next start
    const char* address;
  } rows[] = {
      {{false, false, G("下载的文件与网站公布的校验值不符")},
       "下载的文件与网站公布的校验值不符",
       "http://dl.test/new"},
      {{false, true, G("升级已取消")}, "", "http://dl.test/new"},
      {{true, false, G("升级完成")}, "", ""},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.told);
    ASSERT_TRUE(online::RecordUpdateOutcome(file, in, r.outcome));
    EXPECT_EQ(gbk::ToUtf8(online::TakeUpdateFailureMessage(file)), r.told);
    EXPECT_EQ(online::TakeUpdateFailureMessage(file), "");  // once
    EXPECT_EQ(online::FailedUpdateAddress(file), r.address);
  }
}

// ---- The release script and the built updater ---------------------------------

const std::filesystem::path kSignScript =
    std::filesystem::path(LANZHOU_SOURCE_DIR) / "tools/release/sign-update.sh";

int Script(const std::string& arguments) {
  return std::system(("bash '" + kSignScript.string() + "' " + arguments + " >/dev/null 2>&1").c_str());
}

std::string Quoted(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

TEST(ReleaseScript, MakesAKeyOnceAndSignaturesTheUpdaterAccepts) {
  TestHome home;
  const auto keys = home.root() / "keys";
  ASSERT_EQ(Script("keygen " + Quoted(keys)), 0);
  EXPECT_EQ(std::filesystem::status(keys / "update-key.pem").permissions(), std::filesystem::perms(0600));
  const std::string publicKey = ReadAll(keys / "update-key.pub.pem");
  EXPECT_TRUE(online::IsUpdateKey(publicKey));
  EXPECT_NE(Script("keygen " + Quoted(keys)), 0);  // never overwritten
  EXPECT_EQ(ReadAll(keys / "update-key.pub.pem"), publicKey);

  const auto file = home.root() / "lanzhou";
  WriteAll(file, kNewProgram);
  ASSERT_EQ(Script("sign " + Quoted(keys / "update-key.pem") + " " + Quoted(file)), 0);
  EXPECT_EQ(ReadAll(home.root() / "lanzhou.sha256"), online::Sha256Hex(kNewProgram) + "  lanzhou\n");
  auto signature = online::ParsePublishedSignature(ReadAll(home.root() / "lanzhou.sig"));
  ASSERT_TRUE(signature);
  EXPECT_TRUE(online::VerifyUpdateSignature(publicKey, kNewProgram, *signature));
  EXPECT_FALSE(online::VerifyUpdateSignature(publicKey, kNewProgram + "x", *signature));
}

}  // namespace
