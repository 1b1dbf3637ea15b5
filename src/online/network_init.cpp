#include "online/network_init.h"

#include <utility>

#include "engine/char_tables.h"
#include "engine/generation_data.h"
#include "frame/globals.h"
#include "online/site.h"
#include "online/updater.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/ini.h"
#include "platform/threads.h"
#include "platform/web_address.h"

namespace online {
namespace {

void Call(const std::function<void()>& hook) {
  if (hook) hook();
}

}  // namespace

InformationFile ParseInformationFile(std::string_view body, std::string_view appName) {
  // Read in memory: a file in a shared temporary folder could be swapped or
  // read by someone else between writing and reading it, and two copies of
  // the program would overwrite each other's.
  // All four keys in one pass: a large file is walked once.
  static const std::string kLatest = gbk::G("最新版本号"), kDownload = gbk::G("最新版下载地址"),
                           kForced = gbk::G("强制升级的版本号");
  auto values =
      platform::ReadProfileStringsFromText(BodyText(body), appName, {kLatest, kDownload, kForced, "kang"});
  InformationFile info;
  info.latestVersion = values[0].value_or("");
  info.downloadUrl = values[1].value_or("");
  info.forcedVersions = values[2].value_or("");
  info.kangxiOverrides = values[3].value_or("");
  return info;
}

bool IsForcedVersion(std::string_view forcedVersions, std::string_view version) {
  std::string needle = "/";
  needle.append(version);
  needle += '/';
  return gbk::Find(forcedVersions, needle, false) != -1;
}

namespace {

// The program's name and version as they were when the step was started: a
// window made later may set the globals again while the step runs.
struct ProgramIdentity {
  std::string name, version;
};

ProgramIdentity CurrentIdentity() {
  const frame::Globals& g = frame::globals();
  return {g.appName, g.appVersion};
}

void RunStartupStep(const StartupHooks& hooks, const ProgramIdentity& program, std::stop_token stop) {
  frame::Globals& g = frame::globals();

  engine::PutGenerationDataInPlace();
  Call(hooks.enableGenerateButton);

  std::string body = HttpGet(InformationFileUrl(), stop, hooks.http);
  if (stop.stop_requested()) return;

  InformationFile info = ParseInformationFile(body, program.name);
  body = {};
  // The overrides are published first: a stop request while a large text
  // is taken apart leaves every value as it was.
  if (stop.stop_requested() || !engine::SetKangxiOverrides(info.kangxiOverrides, stop)) return;
  g.latestVersion.Set(info.latestVersion);
  g.downloadUrl.Set(info.downloadUrl);
  g.kangxiOverrides.Set(info.kangxiOverrides);

  // An update that did not complete is told once and is never forced again:
  // a forced update that keeps failing would otherwise end the program at
  // every start. After telling it, this start asks nothing more.
  const std::filesystem::path instructions = UpdaterInstructionFile();
  if (std::string failure = TakeUpdateFailureMessage(instructions); !failure.empty()) {
    if (hooks.updateWindow.ask)
      hooks.updateWindow.ask(
          gbk::G("上次的软件升级没有完成:\r\n") + failure +
              gbk::G("\r\n\r\n现在使用的仍是原来的版本。需要时可以在菜单“帮助”中选“软件升级”重试。"),
          gbk::G("升级提示"), platform::kOkInformation);
    return;
  }
  const bool forced =
      IsForcedVersion(info.forcedVersions, program.version) &&
      FailedUpdateAddress(instructions) != platform::EncodeAddressForRequest(info.downloadUrl);
  bool updaterStarted = CheckForUpdate(info.latestVersion, program.version, program.name, info.downloadUrl,
                                       hooks.updateWindow, UpdateCheckMode::kStartUp, forced, true);
  if (updaterStarted) Call(hooks.endProgramSoon);
}

}  // namespace

void InitNetworkAtStartup(const StartupHooks& hooks, std::stop_token stop) {
  RunStartupStep(hooks, CurrentIdentity(), stop);
}

bool StartNetworkInitThread(StartupHooks hooks) {
  // The worker gets its own copies, taken here on the starting thread.
  return platform::StartThread(
      [hooks = std::move(hooks), program = CurrentIdentity()](std::stop_token stop, int) {
        RunStartupStep(hooks, program, stop);
      },
      0, nullptr, false);
}

}  // namespace online
