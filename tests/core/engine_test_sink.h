#pragma once
// A generation sink that keeps everything a run reports, for the engine
// tests.
#include <optional>
#include <string>
#include <vector>

#include "engine/smart_mode_run.h"

namespace engine_testing {

struct RecordingSink : engine::GenerationSink {
  int started = 0;
  std::vector<engine::RunProgress> progress;
  std::vector<engine::ResultRow> rows;
  std::vector<std::size_t> batches;
  std::optional<engine::RunFinish> finish;
  bool rowsAfterFinish = false;
  bool eventBeforeStart = false;

  void OnRunStarted() override { ++started; }
  void OnProgress(const engine::RunProgress& p) override {
    eventBeforeStart |= started == 0;
    progress.push_back(p);
  }
  void OnRows(std::vector<engine::ResultRow>&& batch) override {
    eventBeforeStart |= started == 0;
    rowsAfterFinish |= finish.has_value();
    batches.push_back(batch.size());
    for (auto& r : batch) rows.push_back(std::move(r));
  }
  void OnRunFinished(const engine::RunFinish& f) override {
    eventBeforeStart |= started == 0;
    finish = f;
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> out;
    for (const auto& r : rows) out.push_back(r.name);
    return out;
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> out;
    for (const auto& p : progress)
      if (p.caption) out.push_back(*p.caption);
    return out;
  }
  std::vector<int> Bars() const {
    std::vector<int> out;
    for (const auto& p : progress)
      if (p.bar) out.push_back(*p.bar);
    return out;
  }
  std::vector<std::string> Statuses() const {
    std::vector<std::string> out;
    for (const auto& p : progress)
      if (p.status) out.push_back(*p.status);
    return out;
  }
};

// Joins texts, each followed by CR LF, as the published name lists hold them.
inline std::string Lines(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& i : items) out += i + "\r\n";
  return out;
}

}  // namespace engine_testing
