#pragma once
#include <QWidget>

namespace platform {

// Shows `window` maximised, so that it stays so under a window manager.
//
// A window holding a web view gets a new native window once the view first
// draws (the view needs a GPU surface), and the new one is mapped in the
// normal state; a maximised state asked for before then is lost. The state
// is asked for again after each such change of native window; a user who
// restores the window later is not overruled.
void ShowMaximized(QWidget* window);

}  // namespace platform
