#include "platform/threads.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

class Worker {
 public:
  std::mutex mutex;
  std::condition_variable doneChanged;
  bool done = false;
  // Declared last, so destroyed first: its destructor joins the thread,
  // which still unlocks `mutex` after setting `done`, before the members
  // the thread uses are gone.
  std::jthread thread;
};

namespace {

std::mutex& RegistryMutex() {
  static std::mutex m;
  return m;
}
std::vector<ThreadHandle>& Registry() {
  static std::vector<ThreadHandle> r;
  return r;
}

void PruneFinished() {
  auto& reg = Registry();
  reg.erase(std::remove_if(reg.begin(), reg.end(),
                           [](const ThreadHandle& w) {
                             std::lock_guard l(w->mutex);
                             if (!w->done) return false;
                             // Its routine has returned; joining is immediate.
                             return w.use_count() == 1;
                           }),
            reg.end());
}

}  // namespace

bool StartThread(ThreadRoutine routine, int argument, ThreadHandle* handle, bool keepHandle) {
  if (handle) handle->reset();
  auto worker = std::make_shared<Worker>();
  try {
    Worker* w = worker.get();
    worker->thread = std::jthread([w, routine = std::move(routine), argument](std::stop_token token) {
      try {
        routine(token, argument);
      } catch (...) {
        // A worker must never take the program down; what it did not finish
        // is simply not posted.
      }
      std::lock_guard l(w->mutex);
      w->done = true;
      w->doneChanged.notify_all();
    });
  } catch (...) {
    return false;
  }
  {
    std::lock_guard l(RegistryMutex());
    PruneFinished();
    Registry().push_back(worker);
  }
  if (keepHandle && handle) *handle = worker;
  return true;
}

bool StopWorkerThread(const ThreadHandle& handle, std::chrono::milliseconds timeout) {
  if (!handle) return true;
  handle->thread.request_stop();
  {
    std::unique_lock l(handle->mutex);
    if (!handle->doneChanged.wait_for(l, timeout, [&] { return handle->done; })) return false;
  }
  if (handle->thread.joinable() && handle->thread.get_id() != std::this_thread::get_id()) handle->thread.join();
  return true;
}

bool IsRunning(const ThreadHandle& handle) {
  if (!handle) return false;
  std::lock_guard l(handle->mutex);
  return !handle->done;
}

namespace {
std::atomic<bool> g_ending{false};
}

bool ProgramIsEnding() { return g_ending.load(); }

void StopAllWorkers() {
  g_ending = true;
  std::vector<ThreadHandle> all;
  {
    std::lock_guard l(RegistryMutex());
    all.swap(Registry());
  }
  for (auto& w : all) w->thread.request_stop();
  for (auto& w : all) {
    if (w->thread.joinable() && w->thread.get_id() != std::this_thread::get_id()) w->thread.join();
  }
}

}  // namespace platform
