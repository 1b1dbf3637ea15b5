// Filtering the names of a large run on each page, and listing the kept
// names again into the rows the result grid keeps.
#include "engine/filter.h"

#include <benchmark/benchmark.h>

#include "engine/char_tables.h"
#include "engine/generation_data.h"
#include "frame/globals.h"
#include "platform/gbk.h"
#include "row_sink.h"

namespace {

constexpr int kNames = 117600;

// Two-character names drawn from the two-character pool, each followed by
// CR LF.
const std::string& Names() {
  static const std::string names = [] {
    engine::PutGenerationDataInPlace();
    const std::vector<std::string> pool = gbk::SplitPairs(frame::globals().twoCharPool.Get());
    std::string out;
    for (int i = 0; i < kNames; ++i) {
      const std::size_t a = static_cast<std::size_t>(i) % pool.size();
      const std::size_t b = (static_cast<std::size_t>(i) / pool.size() + a * 7) % pool.size();
      out += pool[a] + pool[b] + "\r\n";
    }
    return out;
  }();
  return names;
}

std::string Capitals(std::string text) {
  for (char& ch : text)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return text;
}

engine::FilterConditions ConditionsFor(int page) {
  engine::FilterConditions c;
  c.page = static_cast<engine::FilterPage>(page);
  c.allowedElements[0] = gbk::G("金木水");
  c.requireOn = true;
  c.required = {gbk::G("水")};
  c.ranges[0] = {true, 5, 12};
  c.total = {true, 10, 25};
  c.kangxi = true;
  // Readings and a character the names hold, whatever the pool: the second
  // character of the first name (its reading typed in capitals) and the
  // first character of the second.
  const std::string_view names = Names();
  c.pinyin[1] = {true, Capitals(engine::PinyinOf(names.substr(2, 2)))};
  c.anyPinyin = {true, engine::PinyinOf(names.substr(6, 2))};
  c.requiredText = std::string(names.substr(6, 2));
  return c;
}

void BM_FilterNames(benchmark::State& state) {
  const std::string& names = Names();
  const engine::FilterConditions c = ConditionsFor(static_cast<int>(state.range(0)));
  std::size_t kept = 0;
  for (auto _ : state) {
    int last = 0;
    kept = engine::FilterNames(names, c, [&](int v) { last = v; }).size();
    benchmark::DoNotOptimize(last);
  }
  state.counters["kept_bytes"] = static_cast<double>(kept);
}
BENCHMARK(BM_FilterNames)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_RelistNames(benchmark::State& state) {
  const std::string& names = Names();
  int rows = 0;
  for (auto _ : state) {
    bench::RowSink sink;
    engine::RelistNames(names, gbk::G("苏州"), gbk::G("软件有限公司"), sink);
    rows = static_cast<int>(sink.rows.size());
    benchmark::DoNotOptimize(rows);
  }
  state.counters["rows"] = rows;
}
BENCHMARK(BM_RelistNames)->Unit(benchmark::kMillisecond);

}  // namespace
