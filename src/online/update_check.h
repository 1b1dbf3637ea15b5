#pragma once
// The update check: compares the own version with the newest one named by
// the information file and, when the user agrees (or the own version must
// update), hands over to the program's own updater.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace online {

enum class UpdateCheckMode : int {
  kStartUp = 0,   // silent when the version is current
  kFromMenu = 1,  // also tells the user that the version is current
};

// What the check does to the main window. The check may run on a worker
// thread: each hook must hand its work to the GUI thread (and `ask` and
// `startUpdater` must wait there for the answer). Empty hooks are skipped;
// an empty `ask` answers No and an empty `startUpdater` counts as a failed
// start.
struct UpdateWindowHooks {
  std::function<void()> minimise;
  std::function<void()> restoreNormal;
  // A message box (GBK text and title, platform flags); returns its result.
  std::function<int(std::string_view text, std::string_view title, int flags)> ask;
  // Before the program ends for the update, every window with unsaved
  // edits asks whether to save them; false when the user chose 取消 there
  // (no update now). Empty: nothing to ask.
  std::function<bool()> settleUnsavedEdits;
  // Starts the updater that ships beside the program; true when it runs.
  std::function<bool()> startUpdater;
};

// A version text as a number: optional blanks, then digits with at most one
// "." and digits after it. Signs, exponents, hex, "inf", "nan", other
// characters and numbers out of range give nothing. The locale plays no part.
std::optional<double> ParseVersionNumber(std::string_view text);

// Whether `latest` is newer than `current` by more than 1e-7; a text that is
// not a version counts as 0.
bool IsNewerVersion(std::string_view latest, std::string_view current);

// The updater's instructions: section "软件升级" of "Quorvale.txt" in the
// system folder.
std::filesystem::path UpdaterInstructionFile();

// The folder of the running program, ending in "/".
std::filesystem::path ProgramFolder();

// True when the updater was started; the caller then hides its window and
// ends the program about one second later. A build without an update key
// (frame::globals().updateKey) starts no updater and points to the site.
bool CheckForUpdate(std::string_view latestVersion, std::string_view currentVersion, std::string_view appName,
                    std::string_view downloadUrl, const UpdateWindowHooks& window, UpdateCheckMode mode,
                    bool forced, bool allowForced);

}  // namespace online
