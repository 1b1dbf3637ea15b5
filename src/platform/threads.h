#pragma once
// Worker threads. A worker gets a stop token and checks it at its own safe
// points: nothing ever kills a thread. Every worker is tracked, whether its
// starter keeps a handle or not, so that the program can stop and join all of
// them before it ends.
#include <chrono>
#include <functional>
#include <memory>
#include <stop_token>

namespace platform {

class Worker;
using ThreadHandle = std::shared_ptr<Worker>;
using ThreadRoutine = std::function<void(std::stop_token, int)>;

// Starts `routine(token, argument)` on a new thread. When `keepHandle`, the
// handle goes into *handle; otherwise *handle (if given) is left empty.
// Returns whether the thread started.
bool StartThread(ThreadRoutine routine, int argument, ThreadHandle* handle, bool keepHandle);

// Asks the worker to stop and waits up to `timeout` for it to end, then joins
// it. Returns true when the worker has ended (also for an empty handle or a
// worker that had already ended: nothing to stop). A worker still busy after
// the timeout is left running and reported with false; it is joined when the
// program ends.
bool StopWorkerThread(const ThreadHandle& handle,
                      std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));

// True while the worker's routine runs.
bool IsRunning(const ThreadHandle& handle);

// Asks every tracked worker to stop and joins them all. Called once when the
// program ends.
void StopAllWorkers();

// True once StopAllWorkers has begun: a worker that waits for the GUI thread
// gives up then, since no event loop will answer it any more.
bool ProgramIsEnding();

}  // namespace platform
