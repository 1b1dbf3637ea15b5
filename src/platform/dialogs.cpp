#include "platform/dialogs.h"

#include <mutex>

namespace platform {
namespace {
std::mutex g_mutex;
MessageBoxHandler& BoxHandler() {
  static MessageBoxHandler h;
  return h;
}
LauncherHandler& Launcher() {
  static LauncherHandler h;
  return h;
}
}  // namespace

int ShowMessageBox(std::string_view text, std::string_view title, int flags) {
  MessageBoxHandler h;
  {
    std::lock_guard l(g_mutex);
    h = BoxHandler();
  }
  if (!h) return (flags & 4) ? kNo : kOk;
  return h(text, title, flags);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  std::lock_guard l(g_mutex);
  auto old = std::move(BoxHandler());
  BoxHandler() = std::move(handler);
  return old;
}

bool LaunchProgram(ExternalProgram program, const std::string& argument) {
  LauncherHandler h;
  {
    std::lock_guard l(g_mutex);
    h = Launcher();
  }
  if (!h) return false;
  return h(program, argument);
}

LauncherHandler SetLauncherHandler(LauncherHandler handler) {
  std::lock_guard l(g_mutex);
  auto old = std::move(Launcher());
  Launcher() = std::move(handler);
  return old;
}

}  // namespace platform
