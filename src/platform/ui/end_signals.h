#pragma once
// A session logout or `kill` asks a program to end with SIGTERM (Ctrl+C
// with SIGINT): the windows are then closed the normal way, so each can
// save what it holds or stop its work first.
class QApplication;

namespace platform {

void CloseWindowsOnEndSignals(QApplication& app);

}  // namespace platform
