#include "engine/smart_mode_run.h"

#include <chrono>

#include "engine/luck.h"
#include "frame/globals.h"
#include "platform/gbk.h"
#include "platform/threads.h"

namespace engine {

namespace {

// Rows reach the grid in batches: large enough that a long run does not
// flood the GUI thread with tiny inserts, small or old enough that the grid
// keeps visibly filling while the run goes on.
constexpr std::size_t kMaxBatch = 4096;
constexpr long long kMaxBatchAgeMs = 40;

long long NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

void TakeGenerationData(RunInputs& inputs) {
  auto& g = frame::globals();
  inputs.twoCharPool = g.twoCharPool.Get();
  inputs.longNamePool = g.longNamePool.Get();
  inputs.smartWordSource = g.smartWordSource.Get();
  inputs.namesPerRun = gbk::ParseDecimal(g.namesPerRun.Get());
}

int ProgressBarPosition(long long i, long long n) {
  if (n <= 0) return 0;
  return static_cast<int>(i * 100 / n);
}

std::string PercentCaption(long long i, long long n) {
  if (n <= 0) return "%0";
  // Half away from zero on i * 100 / n, in whole numbers.
  long long twice = 200 * i;
  long long rounded = twice >= 0 ? (twice + n) / (2 * n) : -((-twice + n) / (2 * n));
  return "%" + std::to_string(rounded);
}

const std::string& IdleCaption() {
  static const std::string text = gbk::G("立即起名");
  return text;
}

const std::string& ClosingTip() {
  static const std::string text =
      gbk::G("提示:在表格上点击鼠标右键有操作菜单；直接双击表格一行可以查看评分。");
  return text;
}

void RunGeneration(const RunInputs& inputs, GenerationSink& sink, std::stop_token stop) {
  switch (inputs.mode) {
    case GenerationMode::SmartMode1:
      GenerateSmartMode1Names(inputs, sink, stop);
      break;
    case GenerationMode::SmartMode2:
      GenerateSmartMode2Names(inputs, sink, stop);
      break;
    case GenerationMode::Combination:
      GenerateCombinationNames(inputs, sink, stop);
      break;
  }
}

bool StartOnGenerationThread(std::function<void(std::stop_token)> routine) {
  auto& handle = frame::globals().generationThread;
  if (platform::IsRunning(handle)) return false;
  return platform::StartThread([routine = std::move(routine)](std::stop_token stop, int) { routine(stop); },
                               0, &handle, true);
}

bool StartGenerationRun(RunInputs inputs, std::shared_ptr<GenerationSink> sink) {
  if (!sink) return false;
  auto shared = std::make_shared<RunInputs>(std::move(inputs));
  return StartOnGenerationThread(
      [shared, sink](std::stop_token stop) { RunGeneration(*shared, *sink, stop); });
}

bool RunSmartIterations(long long n, ProgressReporter& progress, NameLister& lister,
                        const std::stop_token& stop, const std::function<std::string(long long)>& candidate) {
  for (long long i = 1; i <= n; ++i) {
    if (stop.stop_requested()) return false;
    if (i % 10 == 0)
      progress.Report(ProgressBarPosition(i, n), PercentCaption(i, n));
    else
      progress.Report(ProgressBarPosition(i, n));
    lister.List(candidate(i));
  }
  return true;
}

void ProgressReporter::Report(std::optional<int> bar, std::optional<std::string> caption,
                              std::optional<std::string> status) {
  RunProgress p;
  if (bar && bar != bar_) p.bar = bar_ = bar;
  if (caption && caption != caption_) p.caption = caption_ = std::move(caption);
  if (status && status != status_) p.status = status_ = std::move(status);
  if (p.bar || p.caption || p.status) sink_.OnProgress(p);
}

NameLister::NameLister(GenerationSink& sink, std::string_view prefix, std::string_view suffix,
                       ListingStyle style)
    : sink_(sink), style_(style) {
  prefix_ = cache_.PartAttributes(prefix);
  suffix_ = cache_.PartAttributes(suffix);
}

void NameLister::Begin() {
  auto& g = frame::globals();
  g.generatedNames.Set({});
  g.generatedFullNames.Set({});
  sink_.OnRunStarted();
  lastFlush_ = NowMs();
}

bool NameLister::List(std::string_view name) {
  if (style_ == ListingStyle::Run && !seen_.emplace(name).second) return false;
  Append(MakeResultRow(count_ + 1, prefix_, name, suffix_, cache_));
  return true;
}

void NameLister::ListNew(ResultRow&& row) {
  row.score = LuckGradeOfNumber(row.kangxiStrokes);
  Append(std::move(row));
}

void NameLister::Append(ResultRow&& row) {
  // A run past its first full batch is a long one: room for a whole batch
  // at once, not by doubling.
  if (pending_.empty() && static_cast<std::size_t>(count_) >= kMaxBatch) pending_.reserve(kMaxBatch);
  row.serial = ++count_;
  pending_.push_back(std::move(row));
  if (pending_.size() >= kMaxBatch || (pending_.size() % 64 == 0 && NowMs() - lastFlush_ >= kMaxBatchAgeMs))
    Flush();
}

void NameLister::Flush() {
  lastFlush_ = NowMs();
  if (pending_.empty()) return;
  auto& g = frame::globals();
  // Published in one step per list, so a reader sees whole batches.
  g.generatedNames.Update([this](std::string& v) {
    for (const ResultRow& r : pending_) v.append(r.name).append("\r\n");
  });
  g.generatedFullNames.Update([this](std::string& v) {
    for (const ResultRow& r : pending_) v.append(r.fullName).append("\r\n");
  });
  std::vector<ResultRow> batch;
  batch.swap(pending_);
  sink_.OnRows(std::move(batch));
}

void NameLister::Finish(bool stopped) {
  Flush();
  RunFinish f;
  f.caption = IdleCaption();
  if (style_ == ListingStyle::Run) f.statusTip = ClosingTip();
  f.rowCount = count_;
  f.stopped = stopped;
  sink_.OnRunFinished(f);
}

}  // namespace engine
