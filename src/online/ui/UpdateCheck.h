#pragma once
// The update check as the main window runs it from its menu "软件升级".
#include "online/update_check.h"

class QWidget;

namespace online {

// Starts the updater beside the program, telling it which process to wait
// for; true when it runs. GUI thread only.
bool StartUpdater();

// Hooks that act on the main window `window` at once (for a check on the
// GUI thread).
UpdateWindowHooks DirectUpdateHooks(QWidget* window);

// The menu check: uses the version read at start-up (no new fetch), never
// forced. Returns whether the updater started, when the caller ends the
// program.
bool CheckForUpdateFromMenu(QWidget* window);

}  // namespace online
