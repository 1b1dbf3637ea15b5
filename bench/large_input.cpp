// Large and hostile input: a pasted text cleaned with replace-all, an
// information file with a large "kang" value or millions of empty lines.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/char_tables.h"
#include "frame/globals.h"
#include "frame/settings.h"
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

// A settings file of about `bytes`: the program's section after a large one
// of someone else's.
struct LargeSettings {
  std::filesystem::path folder, file;
  explicit LargeSettings(size_t bytes) {
    std::string tmpl = (std::filesystem::temp_directory_path() / "lanzhou-bench-XXXXXX").string();
    folder = ::mkdtemp(tmpl.data());
    file = folder / "Dizezorivo.p";
    std::string text = "[Other]\r\n";
    for (int i = 0; text.size() < bytes; ++i) text += "key" + std::to_string(i) + "=" + std::string(80, 'x') + "\r\n";
    text += gbk::G("[澜舟雅集]\r\n地区名=苏州\r\n位置A=3\r\n");
    std::ofstream(file, std::ios::binary) << text;
    auto& g = frame::globals();
    g.appName = gbk::G("澜舟雅集");
    g.settingsFilePath = file;
  }
  ~LargeSettings() { std::filesystem::remove_all(folder); }
  // As another program would leave it: what was read before is stale.
  void Touch() const {
    static long seconds = 1000;
    struct timespec times[2] = {{++seconds, 0}, {seconds, 0}};
    ::utimensat(AT_FDCWD, file.c_str(), times, 0);
  }
};

const char* const kStartUpKeys[] = {"名称字数", "地区名", "类别名", "A1", "A2", "A3", "A4", "A5", "选项18",
                                    "选项21", "选项22", "选项23", "选项sx", "老板姓名1", "老板姓名2", "位置A",
                                    "地区1", "地区2"};

// The keys the main window reads when it opens, from a file not read yet.
void BM_SettingsStartUp(benchmark::State& state) {
  LargeSettings settings(static_cast<size_t>(state.range(0)));
  std::vector<std::string> keys;
  for (const char* k : kStartUpKeys) keys.push_back(gbk::G(k));
  for (auto _ : state) {
    state.PauseTiming();
    settings.Touch();
    state.ResumeTiming();
    for (const std::string& k : keys) benchmark::DoNotOptimize(frame::ReadSetting(k, "0"));
  }
}
BENCHMARK(BM_SettingsStartUp)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

// What the main window writes when it closes: its inputs and the boss data.
void BM_SettingsClose(benchmark::State& state) {
  LargeSettings settings(static_cast<size_t>(state.range(0)));
  platform::ProfileEntries entries;
  for (int i = 0; i < 17; ++i) entries.emplace_back(gbk::G(kStartUpKeys[i]), std::to_string(i));
  frame::ReadSetting(entries[0].first, "");
  for (auto _ : state) frame::WriteSettings(entries);
}
BENCHMARK(BM_SettingsClose)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
