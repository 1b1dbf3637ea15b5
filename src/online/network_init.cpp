#include "online/network_init.h"

#include <mutex>
#include <utility>

#include "engine/char_tables.h"
#include "engine/generation_data.h"
#include "frame/globals.h"
#include "online/site.h"
#include "platform/gbk.h"
#include "platform/ini.h"
#include "platform/threads.h"

namespace online {
namespace {

std::mutex& HooksMutex() {
  static std::mutex m;
  return m;
}
StartupHooks& InstalledHooks() {
  static StartupHooks hooks;
  return hooks;
}

void Call(const std::function<void()>& hook) {
  if (hook) hook();
}

}  // namespace

InformationFile ParseInformationFile(std::string_view body, std::string_view appName) {
  // Read in memory: a file in a shared temporary folder could be swapped or
  // read by someone else between writing and reading it, and two copies of
  // the program would overwrite each other's.
  std::string_view text = BodyText(body);
  auto read = [&](const char* keyUtf8) {
    return platform::ReadProfileStringFromText(text, appName, gbk::G(keyUtf8), "");
  };
  InformationFile info;
  info.latestVersion = read("最新版本号");
  info.downloadUrl = read("最新版下载地址");
  info.forcedVersions = read("强制升级的版本号");
  info.kangxiOverrides = read("kang");
  return info;
}

bool IsForcedVersion(std::string_view forcedVersions, std::string_view version) {
  std::string needle = "/";
  needle.append(version);
  needle += '/';
  return gbk::Find(forcedVersions, needle, false) != -1;
}

void InitNetworkAtStartup(const StartupHooks& hooks, std::stop_token stop) {
  frame::Globals& g = frame::globals();

  engine::PutGenerationDataInPlace();
  Call(hooks.enableGenerateButton);

  std::string body = HttpGet(InformationFileUrl(), stop, hooks.http);
  if (stop.stop_requested()) return;

  InformationFile info = ParseInformationFile(body, g.appName);
  g.latestVersion.Set(info.latestVersion);
  g.downloadUrl.Set(info.downloadUrl);
  g.kangxiOverrides.Set(info.kangxiOverrides);
  engine::SetKangxiOverrides(info.kangxiOverrides);

  bool forced = IsForcedVersion(info.forcedVersions, g.appVersion);
  bool updaterStarted = CheckForUpdate(info.latestVersion, g.appVersion, g.appName, info.downloadUrl,
                                       hooks.updateWindow, UpdateCheckMode::kStartUp, forced, true);
  if (updaterStarted) Call(hooks.endProgramSoon);
}

void SetStartupHooks(StartupHooks hooks) {
  std::lock_guard lock(HooksMutex());
  InstalledHooks() = std::move(hooks);
}

void NetworkInitThread(std::stop_token stop, int /*argument*/) {
  StartupHooks hooks;
  {
    std::lock_guard lock(HooksMutex());
    hooks = InstalledHooks();
  }
  InitNetworkAtStartup(hooks, stop);
}

bool StartNetworkInitThread(StartupHooks hooks) {
  SetStartupHooks(std::move(hooks));
  return platform::StartThread(NetworkInitThread, 0, nullptr, false);
}

}  // namespace online
