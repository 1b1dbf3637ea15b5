// Attribute lookups per second: through the index the program uses, and
// through plain scans of the stored texts, over the first 800 level-1 hanzi.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/char_tables.h"
#include "engine/char_tables_index.h"
#include "engine/char_tables_reference.h"

namespace {

namespace ref = engine::reference;
namespace cd = engine::chardata;

const std::vector<std::string>& Pool() {
  static const std::vector<std::string> pool = [] {
    std::vector<std::string> p;
    for (int lead = 0xB0; lead <= 0xD7 && p.size() < 800; ++lead)
      for (int trail = 0xA1; trail <= 0xFE && p.size() < 800; ++trail)
        p.push_back({static_cast<char>(lead), static_cast<char>(trail)});
    return p;
  }();
  return pool;
}

// Runs `lookup` over the pool; the first call (which builds the index) is
// left out of the timing.
template <class Lookup>
void OverPool(benchmark::State& state, Lookup lookup) {
  benchmark::DoNotOptimize(lookup(Pool()[0]));
  for (auto _ : state)
    for (const std::string& c : Pool()) benchmark::DoNotOptimize(lookup(c));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(Pool().size()));
}

size_t AllIndexed(const std::string& c) {
  int simplified = 0, kangxi = 0;
  std::string pinyin, element, traditional;
  engine::LookupNameAttributes(c, simplified, true, kangxi, true, pinyin, true, element, true, traditional,
                               true);
  return simplified + kangxi + pinyin.size() + element.size() + traditional.size();
}

size_t AllScanned(const std::string& c) {
  const auto& t = cd::EmbeddedTables();
  return ref::GetSimplifiedStrokes(c, t) + ref::GetKangxiStrokes(c, "", t) + ref::PinyinOf(c, t).size() +
         ref::GetFiveElement(c, t).size() + ref::ToTraditionalForm(c, t).size();
}

void AllAttributesIndexed(benchmark::State& state) { OverPool(state, AllIndexed); }
void AllAttributesScanned(benchmark::State& state) { OverPool(state, AllScanned); }
void KangxiIndexed(benchmark::State& state) {
  OverPool(state, [](const std::string& c) { return engine::GetKangxiStrokes(c); });
}
void KangxiScanned(benchmark::State& state) {
  OverPool(state, [](const std::string& c) { return ref::GetKangxiStrokes(c, "", cd::EmbeddedTables()); });
}
void FiveElementIndexed(benchmark::State& state) {
  OverPool(state, [](const std::string& c) { return engine::GetFiveElement(c); });
}
void FiveElementScanned(benchmark::State& state) {
  OverPool(state, [](const std::string& c) { return ref::GetFiveElement(c, cd::EmbeddedTables()); });
}
BENCHMARK(AllAttributesIndexed);
BENCHMARK(AllAttributesScanned)->Unit(benchmark::kMillisecond);
BENCHMARK(KangxiIndexed);
BENCHMARK(KangxiScanned)->Unit(benchmark::kMillisecond);
BENCHMARK(FiveElementIndexed);
BENCHMARK(FiveElementScanned)->Unit(benchmark::kMillisecond);

// What the first lookup pays once.
void BuildIndex(benchmark::State& state) {
  const auto& t = cd::EmbeddedTables();
  for (auto _ : state) {
    cd::CharIndex index(t);
    benchmark::DoNotOptimize(index.Kangxi(0xB0A1));
  }
}
BENCHMARK(BuildIndex)->Unit(benchmark::kMillisecond);

}  // namespace
