#pragma once
// Where a window's worker posts its result. The window closes the mailbox
// before it goes, so a late worker finds nobody to post to; a result posted
// before that runs on the window's thread, and is dropped if the window is
// destroyed first.
#include <QMetaObject>
#include <memory>
#include <mutex>
#include <utility>

namespace platform {

template <class Window>
class WorkerMailbox {
 public:
  explicit WorkerMailbox(Window* window) : state_(std::make_shared<State>()) { state_->window = window; }

  // From any thread: runs `deliver(window)` on the window's thread unless the
  // mailbox is closed. A worker keeps a copy of the mailbox, which shares
  // the window's.
  template <class Deliver>
  void post(Deliver deliver) const {
    std::lock_guard lock(state_->mutex);
    Window* window = state_->window;
    if (!window) return;
    QMetaObject::invokeMethod(
        window, [window, deliver = std::move(deliver)]() mutable { deliver(window); }, Qt::QueuedConnection);
  }

  // On the window's thread, before the window stops its worker.
  void close() {
    std::lock_guard lock(state_->mutex);
    state_->window = nullptr;
  }

 private:
  struct State {
    std::mutex mutex;
    Window* window = nullptr;
  };
  std::shared_ptr<State> state_;
};

}  // namespace platform
