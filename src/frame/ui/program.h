#pragma once
#include <string_view>

namespace frame {

// The program: prepares the process, the globals and the main window, runs
// the event loop while a window is open and returns the exit code.
// `updateKey` is the public key (PEM) the build's updates are signed with,
// or empty.
int RunProgram(int argc, char** argv, std::string_view updateKey);

}  // namespace frame
