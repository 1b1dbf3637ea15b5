// The combination run over 50 characters in three-character names
// (117,600 rows) into the rows the result grid keeps.
#include <benchmark/benchmark.h>

#include "engine/smart_mode_run.h"
#include "platform/gbk.h"
#include "row_sink.h"

namespace {

void BM_CombinationRun(benchmark::State& state) {
  engine::RunInputs in;
  in.mode = engine::GenerationMode::Combination;
  in.prefix = gbk::G("苏州");
  in.suffix = gbk::G("软件有限公司");
  in.nameLength = static_cast<int>(state.range(0));
  in.combinationCharacters =
      gbk::SplitPairs(gbk::G("美达威金誉嘉信康思晟华宏昌泰亿旭甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未申酉戌亥春"
                             "夏秋冬东南西北天地玄黄"));
  std::size_t rows = 0;
  for (auto _ : state) {
    bench::RowSink sink;
    engine::GenerateCombinationNames(in, sink);
    rows = sink.rows.size();
    benchmark::DoNotOptimize(rows);
  }
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_CombinationRun)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace
