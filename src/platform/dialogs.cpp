#include "platform/dialogs.h"

#include <mutex>

namespace platform {
namespace {
std::mutex g_mutex;

// One installed handler of each kind; callers take a copy under the lock and
// call it outside, so a handler may show a box that installs another.
template <class Handler>
Handler& Slot() {
  static Handler h;
  return h;
}
template <class Handler>
Handler Current() {
  std::lock_guard l(g_mutex);
  return Slot<Handler>();
}
template <class Handler>
Handler Replace(Handler handler) {
  std::lock_guard l(g_mutex);
  auto old = std::move(Slot<Handler>());
  Slot<Handler>() = std::move(handler);
  return old;
}
}  // namespace

int ShowMessageBox(std::string_view text, std::string_view title, int flags) {
  MessageBoxHandler h = Current<MessageBoxHandler>();
  // Unanswered, a question gives nothing away: No, or Cancel where offered.
  if (!h) return (flags & 0x0F) == 3 ? kCancel : (flags & 4) ? kNo : kOk;
  return h(text, title, flags);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) { return Replace(std::move(handler)); }

bool LaunchProgram(ExternalProgram program, const std::string& argument) {
  LauncherHandler h = Current<LauncherHandler>();
  if (!h) return false;
  return h(program, argument);
}

LauncherHandler SetLauncherHandler(LauncherHandler handler) { return Replace(std::move(handler)); }

std::optional<std::string> ShowInputBox(std::string_view title, std::string_view prompt,
                                        std::string_view initial) {
  InputBoxHandler h = Current<InputBoxHandler>();
  if (!h) return std::nullopt;
  return h(title, prompt, initial);
}

InputBoxHandler SetInputBoxHandler(InputBoxHandler handler) { return Replace(std::move(handler)); }

}  // namespace platform
