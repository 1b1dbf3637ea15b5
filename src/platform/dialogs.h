#pragma once
// Message boxes and outside programs go through these two small interfaces:
// the windows install the real implementations, tests install answering and
// recording ones.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Flags as the program has always passed them.
enum MessageBoxFlags : int {
  kYesNo = 4,                 // Yes and No, no icon
  kOkQuestion = 32,           // OK, question icon
  kYesNoCancelQuestion = 35,  // Yes, No and Cancel, question icon
  kYesNoQuestion = 36,        // Yes and No, question icon
  kOkInformation = 64,        // OK, information icon
  kYesNoInformation = 68,     // Yes and No, information icon
};

// Results.
enum MessageBoxResult : int { kOk = 0, kCancel = 1, kAbort = 2, kRetry = 3, kIgnore = 4, kYes = 5, kNo = 6 };

// Text and title are GBK. An empty title shows as "信息：". Must be called on
// the GUI thread.
using MessageBoxHandler = std::function<int(std::string_view text, std::string_view title, int flags)>;
int ShowMessageBox(std::string_view text, std::string_view title, int flags);
// Installs the handler; returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The outside programs the program opens.
// The updater is the program's own, started from the program's folder.
enum class ExternalProgram { TextEditor, Calculator, WebBrowser, Updater };

// The updater's file name in the program's folder.
inline constexpr const char* kUpdaterFileName = "lanzhou-updater";

// `argument` is a file path (TextEditor), an address (WebBrowser, http or
// https only) or the main program's process id (Updater), handed
// over as one argument, never through a shell. Returns whether it started.
using LauncherHandler = std::function<bool(ExternalProgram program, const std::string& argument)>;
bool LaunchProgram(ExternalProgram program, const std::string& argument);
LauncherHandler SetLauncherHandler(LauncherHandler handler);

// A one-line input box (GBK texts). Gives the entered text, or nothing when
// the box is cancelled. Must be called on the GUI thread.
using InputBoxHandler = std::function<std::optional<std::string>(
    std::string_view title, std::string_view prompt, std::string_view initial)>;
std::optional<std::string> ShowInputBox(std::string_view title, std::string_view prompt,
                                        std::string_view initial);
InputBoxHandler SetInputBoxHandler(InputBoxHandler handler);

}  // namespace platform
