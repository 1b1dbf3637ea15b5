#pragma once

namespace frame {

// The program: prepares the process, the globals and the main window, runs
// the event loop while a window is open and returns the exit code.
int RunProgram(int argc, char** argv);

}  // namespace frame
