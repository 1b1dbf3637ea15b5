#include "online/ui/UpdateCheck.h"

#include <unistd.h>

#include <QWidget>
#include <string>

#include "frame/globals.h"
#include "platform/dialogs.h"
#include "platform/ui/TextWindow.h"

namespace online {

bool StartUpdater() {
  return platform::LaunchProgram(platform::ExternalProgram::Updater, std::to_string(::getpid()));
}

UpdateWindowHooks DirectUpdateHooks(QWidget* window) {
  UpdateWindowHooks hooks;
  hooks.minimise = [window] { window->showMinimized(); };
  hooks.restoreNormal = [window] { window->showNormal(); };
  hooks.ask = [](std::string_view text, std::string_view title, int flags) {
    return platform::ShowMessageBox(text, title, flags);
  };
  hooks.settleUnsavedEdits = platform::TextWindow::SettleAllUnsavedEdits;
  hooks.startUpdater = StartUpdater;
  return hooks;
}

bool CheckForUpdateFromMenu(QWidget* window) {
  frame::Globals& g = frame::globals();
  return CheckForUpdate(g.latestVersion.Get(), g.appVersion, g.appName, g.downloadUrl.Get(),
                        DirectUpdateHooks(window), UpdateCheckMode::kFromMenu, false, true);
}

}  // namespace online
