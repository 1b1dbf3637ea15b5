#pragma once
// The update check as the main window runs it from its menu "软件升级".
#include "online/update_check.h"

namespace frame {
class MainWindow;
}

namespace online {

// Starts the updater beside the program, telling it which process to wait
// for; true when it runs. GUI thread only.
bool StartUpdater();

// Hooks that act on `window` at once (for a check on the GUI thread).
UpdateWindowHooks DirectUpdateHooks(frame::MainWindow* window);

// The menu check: uses the version read at start-up (no new fetch), never
// forced; when the updater started, the main window ends the program.
void CheckForUpdateFromMenu(frame::MainWindow* window);

}  // namespace online
