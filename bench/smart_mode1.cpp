// A whole smart mode 1 run of 2,000 names: generation, attributes and rows
// kept as the result grid keeps them.
#include <benchmark/benchmark.h>

#include "engine/generation_data.h"
#include "engine/smart_mode_run.h"
#include "platform/gbk.h"
#include "row_sink.h"

namespace {

engine::RunInputs Inputs(int length) {
  engine::PutGenerationDataInPlace();
  engine::RunInputs in;
  in.mode = engine::GenerationMode::SmartMode1;
  in.prefix = gbk::G("苏州");
  in.suffix = gbk::G("软件有限公司");
  in.nameLength = length;
  engine::TakeGenerationData(in);
  return in;
}

void BM_SmartMode1Run(benchmark::State& state) {
  const engine::RunInputs in = Inputs(static_cast<int>(state.range(0)));
  std::size_t rows = 0;
  for (auto _ : state) {
    bench::RowSink sink;
    engine::GenerateSmartMode1Names(in, sink);
    rows = sink.rows.size();
    benchmark::DoNotOptimize(rows);
  }
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_SmartMode1Run)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace
