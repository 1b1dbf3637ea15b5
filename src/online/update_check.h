#pragma once
// The update check: compares the own version with the newest one named by
// the information file and, when the user agrees (or the own version must
// update), hands over to the updater.
//
// For now the check never finds a newer version.
#include <functional>
#include <string_view>

namespace online {

enum class UpdateCheckMode : int {
  kStartUp = 0,   // silent when the version is current
  kFromMenu = 1,  // also tells the user that the version is current
};

// What the check does to the main window. The check may run on a worker
// thread: each hook must hand its work to the GUI thread (and `ask` must wait
// there for the answer). Empty hooks are skipped; an empty `ask` answers No.
struct UpdateWindowHooks {
  std::function<void()> minimise;
  std::function<void()> restoreNormal;
  // A message box (GBK text and title, platform flags); returns its result.
  std::function<int(std::string_view text, std::string_view title, int flags)> ask;
};

// True when the updater was started; the caller then hides its window and
// ends the program about one second later.
bool CheckForUpdate(std::string_view latestVersion, std::string_view currentVersion, std::string_view appName,
                    std::string_view downloadUrl, const UpdateWindowHooks& window, UpdateCheckMode mode,
                    bool forced, bool allowForced);

}  // namespace online
