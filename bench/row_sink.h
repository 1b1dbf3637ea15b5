#pragma once
// Keeps the rows a run reports, as the result grid's model keeps them (the
// model only moves each batch onto the end of its rows), so the benchmarks
// measure the run without any window code.
#include <utility>
#include <vector>

#include "engine/smart_mode_run.h"

namespace bench {

struct RowSink : engine::GenerationSink {
  std::vector<engine::ResultRow> rows;
  void OnRows(std::vector<engine::ResultRow>&& batch) override {
    if (rows.empty()) {
      rows = std::move(batch);
      return;
    }
    rows.insert(rows.end(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
  }
};

}  // namespace bench
