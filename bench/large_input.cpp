// Large and hostile input: a pasted text cleaned with replace-all, an
// information file with a large "kang" value or millions of empty lines.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/char_tables.h"
#include "online/network_init.h"
#include "platform/gbk.h"

namespace {

// About `bytes` of GBK text in lines, as pasted into the combination window.
std::string PastedText(size_t bytes) {
  const std::string line = gbk::G("美达威金誉嘉信康思晟华宏昌泰亿旭") + "\n";
  std::string out;
  while (out.size() < bytes) out += line;
  return out;
}

void BM_ReplaceAll(benchmark::State& state) {
  const std::string text = PastedText(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(gbk::ReplaceAll(text, "\n", "\r\n"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReplaceAll)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

// A "kang" value of every GB2312 hanzi over and over without counts (each
// makes a naive lookup scan the whole text), then real entries.
std::string HostileKang(size_t bytes) {
  std::string out;
  while (out.size() < bytes)
    for (int lead = 0xB0; lead <= 0xF7 && out.size() < bytes; ++lead)
      for (int trail = 0xA1; trail <= 0xFE; ++trail) out += {char(lead), char(trail)};
  return out + gbk::G("霁-22/岚-12/");
}

void BM_PublishOverrides(benchmark::State& state) {
  const std::string body = gbk::G("[澜舟雅集]\r\nkang=") + HostileKang(static_cast<size_t>(state.range(0))) + "\r\n";
  const std::string app = gbk::G("澜舟雅集");
  for (auto _ : state) {
    online::InformationFile info = online::ParseInformationFile(body, app);
    engine::SetKangxiOverrides(info.kangxiOverrides);
    state.PauseTiming();
    engine::SetKangxiOverrides({});
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PublishOverrides)->Arg(1 << 20)->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_InformationFileOfLineFeeds(benchmark::State& state) {
  const std::string body = std::string(static_cast<size_t>(state.range(0)), '\n') + gbk::G("[澜舟雅集]\r\nkang=霁-22/\r\n");
  const std::string app = gbk::G("澜舟雅集");
  for (auto _ : state) benchmark::DoNotOptimize(online::ParseInformationFile(body, app));
}
BENCHMARK(BM_InformationFileOfLineFeeds)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
