#pragma once
// The start-up step: puts the generation data in place, enables the
// generate button, fetches the site's information file, keeps what it says
// and runs the start-up update check. It runs once, on its own worker
// thread, while the user already works in the main window; it shows nothing
// when the site cannot be reached.
#include <functional>
#include <stop_token>
#include <string>
#include <string_view>

#include "online/http.h"
#include "online/update_check.h"

namespace online {

// What the step does to the main window. Hooks are called on the worker
// thread, so each must post its work to the GUI thread. Empty hooks are
// skipped.
struct StartupHooks {
  // Enables the generate button "立即起名".
  std::function<void()> enableGenerateButton;
  // The main window as the update check sees it.
  UpdateWindowHooks updateWindow;
  // The updater has started: hide the main window and end the program about
  // one second later.
  std::function<void()> endProgramSoon;
  // How the information file is fetched.
  HttpOptions http;
};

// The keys of the information file (section = the program's name). A key
// that is missing reads as the empty text.
struct InformationFile {
  std::string latestVersion;    // "最新版本号"
  std::string downloadUrl;      // "最新版下载地址"
  std::string forcedVersions;   // "强制升级的版本号", e.g. "/22.0/23.0/"
  std::string kangxiOverrides;  // "kang", entries "字-12/" back to back
};

// Reads the information file from a received body: the text up to its first
// zero byte, read as INI text in the section `appName` (GBK).
InformationFile ParseInformationFile(std::string_view body, std::string_view appName);

// Whether `version` must update without being asked: the forced list holds
// it enclosed in "/" marks (exact bytes, letter case kept).
bool IsForcedVersion(std::string_view forcedVersions, std::string_view version);

// The start-up step, run on the calling (worker) thread, with the program's
// name and version as the globals hold them on entry. A stop request ends it
// early, without running the update check; a stop while the information
// file is taken apart leaves every value as it was.
void InitNetworkAtStartup(const StartupHooks& hooks, std::stop_token stop = {});

// Starts the step on a worker thread without keeping its handle, handing it
// the hooks and copies of the program's name and version as they are now;
// returns whether the thread started.
bool StartNetworkInitThread(StartupHooks hooks);

}  // namespace online
