#pragma once
// Every entry of the main window that opens something: the menu bar's items,
// the result grid's menu, the tool bar's buttons, the result buttons and the
// boss-data picture. One table maps each entry to its handler and is attached
// in one place: an entry with a row is enabled and connected, an entry
// without one stays disabled, so nothing looks usable that does nothing.
//
// A feature wires its entry by adding a row to the table in Launchers.cpp.
#include <span>
#include <string>
#include <string_view>

namespace frame {

class MainWindow;

enum class EntryKind {
  MenuItem,       // a menu bar or result grid menu action, by object name
  ToolbarButton,  // a button of 工具条1, by its exact caption
  Button,         // a push button, by object name
  Picture,        // a picture box, left button pressed, by object name
};

struct Launcher {
  EntryKind kind;
  const char* entry;  // UTF-8
  void (*open)(MainWindow& window);
};

std::span<const Launcher> Launchers();
const Launcher* FindLauncher(EntryKind kind, std::string_view entry);

// Enables and connects every entry of `window` that has a row and disables
// the others. Called once, after the features have built their menus.
void AttachLaunchers(MainWindow& window);

// Hands each part's windows what they open of the other parts (see
// analysis/ui/OtherWindows.h): only this folder includes the windows of
// several parts. Called once at start-up, before the first window opens.
void ConnectWindows();

// The usage help: box with flags 32, title "使用帮助".
std::string UsageHelpText();  // GBK
void ShowUsageHelp();

}  // namespace frame
