// The four pillars of every hour of 1949..2030 (about 720,000 lookups).
#include "platform/lunar_calendar.h"

#include <benchmark/benchmark.h>

namespace {

void BM_PillarsOfEveryHour(benchmark::State& state) {
  platform::FourPillars(2000, 1, 1, 0);  // loads the tables outside the timing
  long lookups = 0;
  for (auto _ : state) {
    for (int y = 1949; y <= 2030; ++y)
      for (int m = 1; m <= 12; ++m)
        for (int d = 1; platform::IsValidDate(y, m, d); ++d)
          for (int h = 0; h < 24; ++h) {
            benchmark::DoNotOptimize(platform::FourPillars(y, m, d, h));
            ++lookups;
          }
  }
  state.SetItemsProcessed(lookups);
  state.counters["ns_per_lookup"] = benchmark::Counter(
      static_cast<double>(lookups), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PillarsOfEveryHour)->Unit(benchmark::kMillisecond);

}  // namespace
