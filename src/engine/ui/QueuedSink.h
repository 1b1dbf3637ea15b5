#pragma once
// Carries a generation run's reports from its worker to the GUI thread.
#include <QObject>
#include <memory>

#include "engine/smart_mode_run.h"

namespace engine {

// A sink for StartGenerationRun that hands every call on to `target` on the
// thread of `context` (the main window), in the order the run made them,
// without ever blocking the worker. Reports still queued when `context` is
// destroyed are dropped, so a closing window never receives them; the window
// stops the run (platform::StopWorkerThread on generationThread) before it
// goes, so no report is posted while it is being destroyed.
std::shared_ptr<GenerationSink> MakeQueuedSink(QObject* context, std::shared_ptr<GenerationSink> target);

}  // namespace engine
