// Building one attribute page of 25 names and a favourites page of 1,000
// names: each runs on a click and must stay far below what a user notices
// (a page of 25 well under 1 ms).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "analysis/name_pages.h"
#include "platform/gbk.h"

namespace {

std::vector<std::string> Names(int n) {
  const std::vector<std::string> chars = gbk::SplitPairs(gbk::G("禾川临江岚舟雅集辰星远航瑞丰恒达"));
  std::vector<std::string> names;
  for (int i = 0; i < n; ++i)
    names.push_back(chars[i % chars.size()] + chars[(i / chars.size() + i) % chars.size()]);
  return names;
}

void BM_NamePageOf25(benchmark::State& state) {
  std::string text;
  for (const std::string& name : Names(25)) text += name + "\r\n";
  for (auto _ : state) benchmark::DoNotOptimize(analysis::BuildNamePage(text, 1));
}
BENCHMARK(BM_NamePageOf25)->Unit(benchmark::kMicrosecond);

void BM_FavouritesPageOf1000(benchmark::State& state) {
  const std::vector<std::string> names = Names(1000);
  for (auto _ : state) benchmark::DoNotOptimize(analysis::BuildFavouritesPage(names));
}
BENCHMARK(BM_FavouritesPageOf1000)->Unit(benchmark::kMillisecond);

}  // namespace
