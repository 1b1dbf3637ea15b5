#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

#include "engine/char_tables.h"
#include "frame/globals.h"
#include "frame/settings.h"
#include "online/network_init.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/ini.h"
#include "support/core/http_server.h"
#include "support/core/test_home.h"

using namespace std::chrono_literals;
using gbk::G;
using online::InformationFile;
using online::InitNetworkAtStartup;
using online::IsForcedVersion;
using online::ParseInformationFile;
using online::StartupHooks;
using testing_support::ScopedSiteUrl;
using testing_support::TestHome;
using testing_support::TestHttpResponse;
using testing_support::TestHttpServer;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kNoHang = 8s;

std::string InfoFile(const std::string& linesUtf8) { return G("[澜舟雅集]\r\n" + linesUtf8); }

// ---- The forced-update list ------------------------------------------------

struct ForcedCase {
  std::string list;
  bool forced;
};

class ForcedVersion : public ::testing::TestWithParam<ForcedCase> {};

TEST_P(ForcedVersion, Version23Point0) {
  EXPECT_EQ(IsForcedVersion(GetParam().list, "23.0"), GetParam().forced);
}

INSTANTIATE_TEST_SUITE_P(Rows, ForcedVersion,
                         ::testing::Values(ForcedCase{"/22.0/23.0/", true},  //
                                           ForcedCase{"/23.0/", true},       //
                                           ForcedCase{"/23.01/", false},     // a longer number
                                           ForcedCase{"/123.0/", false},     // digits before it
                                           ForcedCase{"23.0", false},        // no marks
                                           ForcedCase{"/23.0", false},       // closing mark missing
                                           ForcedCase{"23.0/", false},       // opening mark missing
                                           ForcedCase{"/23.00/", false},     // compared as text
                                           ForcedCase{"", false}));

// ---- Reading the information file -----------------------------------------

TEST(InformationFileParse, ReadsTheFourKeysOfTheProgramsSection) {
  std::string body = G("[其他]\r\nkang=错-1/\r\n") +
                     InfoFile(
                         "最新版本号=23.5\r\n最新版下载地址=http://dl.test/new.exe\r\n"
                         "强制升级的版本号=/22.0/23.0/\r\nkang=霁-22/岚-12/\r\n公告=不用\r\n");
  InformationFile info = ParseInformationFile(body, G("澜舟雅集"));
  EXPECT_EQ(info.latestVersion, "23.5");
  EXPECT_EQ(info.downloadUrl, "http://dl.test/new.exe");
  EXPECT_EQ(info.forcedVersions, "/22.0/23.0/");
  EXPECT_EQ(info.kangxiOverrides, G("霁-22/岚-12/"));
}

struct ParseCase {
  const char* name;
  std::string body;
  InformationFile expected;
};

class InformationFileCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(InformationFileCases, Keys) {
  InformationFile info = ParseInformationFile(GetParam().body, G("澜舟雅集"));
  EXPECT_EQ(info.latestVersion, GetParam().expected.latestVersion);
  EXPECT_EQ(info.downloadUrl, GetParam().expected.downloadUrl);
  EXPECT_EQ(info.forcedVersions, GetParam().expected.forcedVersions);
  EXPECT_EQ(info.kangxiOverrides, GetParam().expected.kangxiOverrides);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, InformationFileCases,
    ::testing::Values(
        ParseCase{"Empty", "", {}},
        ParseCase{"ErrorPage", "<html><head><title>404 Not Found</title></head><body>x=1</body></html>", {}},
        // Everything after a zero byte is gone, even a whole key.
        ParseCase{"ZeroByteCutsTheBody",
                  InfoFile("最新版本号=23.5\r\n") + std::string(1, '\0') + G("最新版下载地址=http://x/\r\n"),
                  {"23.5", "", "", ""}},
        ParseCase{"ZeroByteInsideAValue",
                  InfoFile("最新版本号=23") + std::string("\0.5\r\n", 5),
                  {"23", "", "", ""}},
        ParseCase{"NoKang", InfoFile("最新版本号=23.0\r\n"), {"23.0", "", "", ""}},
        ParseCase{"OtherSectionOnly", G("[别的软件]\r\n最新版本号=99\r\nkang=霁-1/\r\n"), {}},
        ParseCase{
            "LineEndsLfOnly", G("[澜舟雅集]\n最新版本号=24\nkang=霁-22/\n"), {"24", "", "", G("霁-22/")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InformationFileParse, LongKangValueIsKeptWhole) {
  // A cut value could leave a half entry ("霁-2" for "霁-22/") and with it a
  // wrong stroke count, so nothing is cut.
  std::string entries;
  while (entries.size() < 12000) entries += "霁-22/";
  InformationFile info = ParseInformationFile(InfoFile("kang=" + entries + "\r\n"), G("澜舟雅集"));
  EXPECT_EQ(info.kangxiOverrides, G(entries));
}

// ---- The start-up step ----------------------------------------------------

class StartUp : public ::testing::Test {
 protected:
  void SetUp() override {
    home.PrepareGlobals();
    auto& g = frame::globals();
    g.latestVersion.Set("old");
    g.downloadUrl.Set("old");
    g.kangxiOverrides.Set("old");
    previousBoxes = platform::SetMessageBoxHandler([this](std::string_view, std::string_view, int) {
      ++boxes;
      return int(platform::kOk);
    });
  }
  void TearDown() override {
    platform::SetMessageBoxHandler(previousBoxes);
    auto& g = frame::globals();
    g.latestVersion.Set({});
    g.downloadUrl.Set({});
    g.kangxiOverrides.Set({});
    engine::SetKangxiOverrides({});
  }

  StartupHooks Hooks() {
    StartupHooks h;
    h.enableGenerateButton = [this] {
      ++enabled;
      requestsWhenEnabled = server.Requests().size();
    };
    h.endProgramSoon = [this] { ++ended; };
    h.http.connectTimeout = 1000ms;
    h.http.totalTimeout = 500ms;
    return h;
  }

  // Every file left below the test's home (data, config and temp folders).
  std::vector<std::string> FilesLeft() const {
    std::vector<std::string> files;
    for (auto& e : std::filesystem::recursive_directory_iterator(home.root()))
      if (e.is_regular_file()) files.push_back(e.path().filename().string());
    return files;
  }

  TestHome home;
  TestHttpServer server;
  ScopedSiteUrl site{server.BaseUrl()};
  platform::MessageBoxHandler previousBoxes;
  std::atomic<int> boxes{0}, enabled{0}, ended{0};
  size_t requestsWhenEnabled = 99;
};

TEST_F(StartUp, KeepsTheValuesOfTheInformationFile) {
  server.Serve("/ver/cname.txt",
               InfoFile("最新版本号=23.0\r\n最新版下载地址=http://dl.test/a.exe\r\nkang=霁-22/\r\n"));
  InitNetworkAtStartup(Hooks());

  auto& g = frame::globals();
  EXPECT_EQ(g.latestVersion.Get(), "23.0");
  EXPECT_EQ(g.downloadUrl.Get(), "http://dl.test/a.exe");
  EXPECT_EQ(g.kangxiOverrides.Get(), G("霁-22/"));
  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].target, "/ver/cname.txt");
  EXPECT_EQ(requests[0].Header("Content-Type"), "application/x-www-form-urlencoded");
  EXPECT_EQ(requests[0].Header("Connection"), "close");
  EXPECT_EQ(ended, 0);  // the current version is not newer
  EXPECT_EQ(boxes, 0);
}

TEST_F(StartUp, KangOverridesTheStoredStrokeCountUntilAFileWithoutIt) {
  const std::string ji = G("霁"), lan = G("岚");
  engine::SetKangxiOverrides({});
  const int storedJi = engine::GetKangxiStrokes(ji), storedLan = engine::GetKangxiStrokes(lan);
  ASSERT_GT(storedJi, 0);
  const int custom = storedJi + 7;

  server.Serve("/ver/cname.txt", InfoFile("kang=霁-" + std::to_string(custom) + "/\r\n"));
  InitNetworkAtStartup(Hooks());
  EXPECT_EQ(engine::GetKangxiStrokes(ji), custom);
  EXPECT_EQ(engine::GetKangxiStrokes(lan), storedLan);

  server.Serve("/ver/cname.txt", InfoFile("最新版本号=23.0\r\n"));
  InitNetworkAtStartup(Hooks());
  EXPECT_EQ(frame::globals().kangxiOverrides.Get(), "");
  EXPECT_EQ(engine::GetKangxiStrokes(ji), storedJi);
}

// A "kang" value of about `bytes`: every GB2312 hanzi over and over without
// a count, then one entry.
std::string ManyOverrides(size_t bytes) {
  std::string out;
  while (out.size() < bytes)
    for (int lead = 0xB0; lead <= 0xF7; ++lead)
      for (int trail = 0xA1; trail <= 0xFE; ++trail) out += {char(lead), char(trail)};
  return out + G("霁-12/");
}

TEST_F(StartUp, OutOfRangeCountsAreIgnored) {
  const std::string ji = G("霁"), lan = G("岚");
  engine::SetKangxiOverrides({});
  const int storedJi = engine::GetKangxiStrokes(ji), storedLan = engine::GetKangxiStrokes(lan);
  server.Serve("/ver/cname.txt", InfoFile("kang=霁-99999999999/岚-0/岚-100/"));
  InitNetworkAtStartup(Hooks());
  EXPECT_EQ(engine::GetKangxiStrokes(ji), storedJi);
  EXPECT_EQ(engine::GetKangxiStrokes(lan), storedLan);
}

TEST_F(StartUp, AHugeKangValueDoesNotHang) {
  server.Serve("/ver/cname.txt", InfoFile("kang=") + ManyOverrides(3 << 20) + "\r\n");
  auto done = std::async(std::launch::async, [&] { InitNetworkAtStartup(Hooks()); });
  ASSERT_EQ(done.wait_for(kNoHang), std::future_status::ready);
  EXPECT_EQ(engine::GetKangxiStrokes(G("霁")), 12);
}

TEST_F(StartUp, EnablesTheGenerateButtonBeforeFetching) {
  // A slow site must not keep the user from generating.
  server.Serve("/ver/cname.txt", InfoFile("最新版本号=23.0\r\n"));
  InitNetworkAtStartup(Hooks());
  EXPECT_EQ(enabled, 1);
  EXPECT_EQ(requestsWhenEnabled, 0u);
}

struct SiteCase {
  const char* name;
  TestHttpResponse response;
};

TestHttpResponse Page(int status, std::string body) {
  TestHttpResponse r;
  r.status = status;
  r.body = std::move(body);
  return r;
}

TestHttpResponse Stalled() {
  TestHttpResponse r;
  r.body = InfoFile("最新版本号=99\r\n");
  r.delay = 60s;
  return r;
}

class StartUpWithoutInformation : public StartUp, public ::testing::WithParamInterface<SiteCase> {};

// Whatever goes wrong with the site, the program starts normally: the
// button is enabled, nothing is shown and every value reads empty.
TEST_P(StartUpWithoutInformation, StartsQuietlyWithEmptyValues) {
  server.Serve("/ver/cname.txt", GetParam().response);
  auto start = Clock::now();
  InitNetworkAtStartup(Hooks());
  EXPECT_LT(Clock::now() - start, kNoHang);

  auto& g = frame::globals();
  EXPECT_EQ(enabled, 1);
  EXPECT_EQ(boxes, 0);
  EXPECT_EQ(ended, 0);
  EXPECT_EQ(g.latestVersion.Get(), "");
  EXPECT_EQ(g.downloadUrl.Get(), "");
  EXPECT_EQ(g.kangxiOverrides.Get(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StartUpWithoutInformation,
    ::testing::Values(SiteCase{"EmptyFile", Page(200, "")},
                      SiteCase{"HtmlErrorPage", Page(404, "<html><body>404</body></html>")},
                      SiteCase{"ZeroByteFirst",
                               Page(200, std::string(1, '\0') + InfoFile("最新版本号=99\r\n"))},
                      SiteCase{"StalledSite", Stalled()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartUp, UnreachableSiteStartsQuietly) {
  ScopedSiteUrl closed("http://127.0.0.1:" + std::to_string(TestHttpServer::ClosedPort()) + "/");
  InitNetworkAtStartup(Hooks());
  EXPECT_EQ(enabled, 1);
  EXPECT_EQ(boxes, 0);
  EXPECT_EQ(frame::globals().latestVersion.Get(), "");
}

TEST_F(StartUp, LeavesNoUpdateIniBehind) {
  std::filesystem::path shared = std::filesystem::temp_directory_path() / "update.ini";
  bool sharedExisted = std::filesystem::exists(shared);
  server.Serve("/ver/cname.txt", InfoFile("最新版本号=23.0\r\nkang=霁-22/\r\n"));
  auto before = FilesLeft();

  InitNetworkAtStartup(Hooks());

  EXPECT_EQ(FilesLeft(), before);
  EXPECT_TRUE(std::filesystem::is_empty(frame::GetTempDirectory()));
  EXPECT_EQ(std::filesystem::exists(shared), sharedExisted);
}

TEST_F(StartUp, StopRequestEndsAStalledFetchWithoutTouchingTheValues) {
  server.Serve("/ver/cname.txt", Stalled());
  StartupHooks hooks = Hooks();
  hooks.http.totalTimeout = 120s;
  std::stop_source stop;
  auto start = Clock::now();
  auto done = std::async(std::launch::async, [&] { InitNetworkAtStartup(hooks, stop.get_token()); });
  while (server.Requests().empty() && Clock::now() - start < kNoHang) std::this_thread::sleep_for(5ms);
  stop.request_stop();
  ASSERT_EQ(done.wait_for(kNoHang), std::future_status::ready);
  EXPECT_EQ(enabled, 1);
  EXPECT_EQ(ended, 0);
  EXPECT_EQ(frame::globals().latestVersion.Get(), "old");
}

TEST_F(StartUp, RunsOnItsOwnThreadWithTheGivenHooks) {
  server.Serve("/ver/cname.txt", InfoFile("最新版本号=23.0\r\n"));
  std::promise<std::thread::id> enabledOn;
  StartupHooks hooks = Hooks();
  hooks.enableGenerateButton = [&] { enabledOn.set_value(std::this_thread::get_id()); };
  ASSERT_TRUE(online::StartNetworkInitThread(hooks));
  auto id = enabledOn.get_future();
  ASSERT_EQ(id.wait_for(kNoHang), std::future_status::ready);
  EXPECT_NE(id.get(), std::this_thread::get_id());
  auto start = Clock::now();
  while (frame::globals().latestVersion.Get() != "23.0" && Clock::now() - start < kNoHang)
    std::this_thread::sleep_for(5ms);
  EXPECT_EQ(frame::globals().latestVersion.Get(), "23.0");
  // The worker must be gone before the hooks' captures are.
  platform::StopAllWorkers();
}

TEST(StartUpUpdate, ForcedOnlyWhileItsUpdateHasNotFailed) {
  // What the updater left from an earlier run: the address of an update
  // that did not complete, and its message.
  const struct {
    const char* name;
    bool forced;
    const char* failedAddress;
    const char* failure;
    int asked, started;
    const char* told;
  } rows[] = {
      {"Forced", true, "", "", 0, 1, ""},
      {"NotForced", false, "", "", 1, 0, ""},
      {"ForcedAfterAFailure", true, "http://dl.test/n", "下载失败", 0, 0,
       "上次的软件升级没有完成:"
       "\r\n下载失败\r\n\r\n现在使用的仍是原来的版本。需要时可以在菜单“帮助”中选“软件升级”重试。"},
      {"ForcedAfterAFailureWasTold", true, "http://dl.test/n", "", 1, 0, ""},
      {"ForcedAfterAnotherUpdateFailed", true, "http://dl.test/old", "", 0, 1, ""},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    TestHome home;
    home.PrepareGlobals();
    testing_support::ScopedUpdateKey key;
    TestHttpServer server;
    ScopedSiteUrl site(server.BaseUrl());
    server.Serve("/ver/cname.txt",
                 InfoFile(std::string("最新版本号=23.5\r\n最新版下载地址=http://dl.test/n\r\n") +
                          (r.forced ? "强制升级的版本号=/22.0/23.0/\r\n" : "")));
    const auto marks = online::UpdaterInstructionFile();
    platform::WriteProfileStrings(G("软件升级"),
                                  {{G("失败地址"), r.failedAddress}, {G("失败说明"), G(r.failure)}}, marks);
    int asked = 0, started = 0, ended = 0;
    std::string told;
    StartupHooks hooks;
    hooks.updateWindow.ask = [&](std::string_view text, std::string_view, int flags) {
      if (flags == platform::kYesNo)
        ++asked;
      else
        told += gbk::ToUtf8(text);
      return int(platform::kNo);
    };
    hooks.updateWindow.startUpdater = [&] { return ++started > 0; };
    hooks.endProgramSoon = [&] { ++ended; };
    InitNetworkAtStartup(hooks);
    EXPECT_EQ(asked, r.asked);
    EXPECT_EQ(started, r.started);
    EXPECT_EQ(ended, r.started);
    EXPECT_EQ(told, r.told);
    EXPECT_EQ(platform::ReadProfileString(G("软件升级"), G("失败说明"), "", marks), "");  // told once
    frame::globals().latestVersion.Set({});
    frame::globals().downloadUrl.Set({});
  }
}

TEST_F(StartUp, TheThreadKeepsTheNameItWasStartedWith) {
  // Another window may set the program's name again while the step runs.
  server.Serve("/ver/cname.txt", InfoFile("最新版本号=23.0\r\n"));
  std::promise<void> renamed;
  auto renamedDone = renamed.get_future().share();
  StartupHooks hooks = Hooks();
  hooks.enableGenerateButton = [renamedDone] { renamedDone.wait(); };
  ASSERT_TRUE(online::StartNetworkInitThread(hooks));
  frame::globals().appName = "Other";
  renamed.set_value();
  auto start = Clock::now();
  while (frame::globals().latestVersion.Get() == "old" && Clock::now() - start < kNoHang)
    std::this_thread::sleep_for(5ms);
  platform::StopAllWorkers();
  frame::globals().appName = G("澜舟雅集");
  EXPECT_EQ(frame::globals().latestVersion.Get(), "23.0");
}

}  // namespace
