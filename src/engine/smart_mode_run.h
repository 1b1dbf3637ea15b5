#pragma once
// The generation run skeleton that smart mode 1, smart mode 2 and
// combination mode share, and the sink through which a run reports.
//
// A run never touches a widget. The GUI thread reads the inputs from
// MainWindow, asks its questions (generate.h), hands a snapshot (`RunInputs`)
// to `StartGenerationRun`, and shows what the run reports through its
// `GenerationSink`. Every text a sink receives is final GBK text: the GUI
// displays it as it is.
//
// Sink calls are made on the worker thread, in this order:
//
//   OnRunStarted()            once, first.
//                             GUI: hide 按钮4, disable 按钮1, hide 按钮2 and
//                             按钮3, delete all rows of 超级列表框1, disable
//                             超级列表框1, show 进度条4 at position 0.
//   OnProgress(p)             any number of times, only with values that
//                             changed since the last report.
//                             GUI: p.bar -> position of 进度条4 (0..100);
//                             p.caption -> caption of 按钮1 ("%10" ...);
//                             p.status -> part 1 of 状态条1 ("进度：10/400").
//   OnRows(rows)              any number of times: the next rows, in order,
//                             to append at the end of 超级列表框1 (ResultModel::
//                             appendRows). Serial numbers run 1, 2, 3 ...
//                             without gaps across batches.
//   OnRunFinished(f)          once, last (also after a stop request).
//                             GUI: hide 进度条4, set 按钮1's caption to
//                             f.caption ("立即起名") and enable it, show 按钮2
//                             and 按钮3 (按钮4 stays hidden), enable 超级列表框1,
//                             put f.statusTip into part 1 of 状态条1.
//
// The GUI's sink must forward each call to the GUI thread without blocking
// the worker and without reordering (e.g. QMetaObject::invokeMethod with
// Qt::QueuedConnection on the main window).
//
// The run also publishes its names into frame::globals().generatedNames and
// generatedFullNames (emptied when the run starts, each name followed by
// CR LF, always holding exactly the rows handed to OnRows so far).
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "engine/name_parts.h"

namespace engine {

enum class GenerationMode { SmartMode1, SmartMode2, Combination };

// A message box the GUI shows on its thread: GBK text and title, flags as in
// platform/dialogs.h.
struct Prompt {
  std::string text;
  std::string title;
  int flags = 0;
};

// Everything a run reads, taken on the GUI thread before the worker starts.
struct RunInputs {
  GenerationMode mode = GenerationMode::SmartMode1;
  std::string prefix;                // 编辑框1 after the cleaning questions
  std::string suffix;                // 编辑框2 after the cleaning questions
  std::array<std::string, 4> fixed;  // 编辑框A1..A4 trimmed and cleaned (smart mode 1 only)
  int nameLength = 2;                // selected index of 组合框1 + 2 (1 when nothing is selected)
  std::string twoCharPool;           // generation data
  std::string longNamePool;
  std::string smartWordSource;
  long long namesPerRun = 0;                       // NamesPerRun as a number
  std::vector<std::string> combinationCharacters;  // combination mode only
  std::uint64_t seed = 0;                          // 0: seeded from the clock
};

// Copies the generation data out of frame::globals() into `inputs`.
void TakeGenerationData(RunInputs& inputs);

struct RunProgress {
  std::optional<int> bar;
  std::optional<std::string> caption;
  std::optional<std::string> status;
};

struct RunFinish {
  std::string caption;  // "立即起名"
  std::string statusTip;  // "提示:在表格上点击鼠标右键有操作菜单；直接双击表格一行可以查看评分。"
  int rowCount = 0;
  bool stopped = false;  // ended early on a stop request (the main window is closing)
};

class GenerationSink {
 public:
  virtual ~GenerationSink() = default;
  virtual void OnRunStarted() {}
  virtual void OnProgress(const RunProgress& progress) { (void)progress; }
  virtual void OnRows(std::vector<ResultRow>&& rows) { (void)rows; }
  virtual void OnRunFinished(const RunFinish& finish) { (void)finish; }
};

// 进度条4's position at step i of n: i / n x 100, truncated. 0 when n <= 0.
int ProgressBarPosition(long long i, long long n);
// 按钮1's caption at step i of n: "%" and i / n x 100 rounded half away from
// zero.
std::string PercentCaption(long long i, long long n);

// The texts every run ends with (GBK).
const std::string& IdleCaption();
const std::string& ClosingTip();

// Runs synchronously on the calling thread; `stop` is checked at every
// candidate. The thread routines of the three modes.
void GenerateSmartMode1Names(const RunInputs& inputs, GenerationSink& sink, std::stop_token stop = {});
void GenerateSmartMode2Names(const RunInputs& inputs, GenerationSink& sink, std::stop_token stop = {});
void GenerateCombinationNames(const RunInputs& inputs, GenerationSink& sink, std::stop_token stop = {});
// Dispatches on inputs.mode.
void RunGeneration(const RunInputs& inputs, GenerationSink& sink, std::stop_token stop = {});

// Starts RunGeneration on a worker thread whose handle goes into
// frame::globals().generationThread (the main window's closing stops it with
// platform::StopWorkerThread). Call on the GUI thread. Returns false, and
// starts nothing, while an earlier run is still going or when no thread could
// be started.
bool StartGenerationRun(RunInputs inputs, std::shared_ptr<GenerationSink> sink);

// Starts `routine` on the generation thread, unless that thread is still busy
// (returns false then, as when no thread could be started).
bool StartOnGenerationThread(std::function<void(std::stop_token)> routine);

// ---------------------------------------------------------------------------
// The parts of the skeleton the three runs share.

// Reports progress values to the sink, dropping values that have not changed.
class ProgressReporter {
 public:
  explicit ProgressReporter(GenerationSink& sink) : sink_(sink) {}
  void Report(std::optional<int> bar, std::optional<std::string> caption = std::nullopt,
              std::optional<std::string> status = std::nullopt);

 private:
  GenerationSink& sink_;
  std::optional<int> bar_;
  std::optional<std::string> caption_, status_;
};

// A generation run, or the re-listing of the names a filter kept: the
// re-listing keeps repeats (the row number is the name's position) and ends
// without a status tip, and its window leaves 按钮4 and the grid alone.
enum class ListingStyle { Run, Relisting };

// Lists the names of one run: drops repeats (a run only), numbers the rows,
// computes their attributes, and hands them to the sink in batches,
// publishing the names as it goes. Begin() empties the published names and
// tells the sink the run started; Finish() flushes and tells it the run
// ended.
class NameLister {
 public:
  NameLister(GenerationSink& sink, std::string_view prefix, std::string_view suffix,
             ListingStyle style = ListingStyle::Run);
  void Begin();
  // Lists `name` unless this run listed it already; returns whether it did.
  // A re-listing lists every name.
  bool List(std::string_view name);
  // Lists a name the caller knows this run has not listed, in a row whose
  // texts and totals it has put together itself (a run that never repeats a
  // name and looks each of its characters up once); the lister numbers and
  // scores it.
  void ListNew(ResultRow&& row);
  void Flush();
  void Finish(bool stopped);
  int count() const { return count_; }
  // The attributes of the prefix and the suffix, computed once per run.
  const NamePartAttributes& prefix() const { return prefix_; }
  const NamePartAttributes& suffix() const { return suffix_; }

 private:
  void Append(ResultRow&& row);

  GenerationSink& sink_;
  ListingStyle style_;
  CharacterAttributeCache cache_;
  NamePartAttributes prefix_, suffix_;
  std::unordered_set<std::string> seen_;
  std::vector<ResultRow> pending_;
  int count_ = 0;
  long long lastFlush_ = 0;
};

// Iterations 1..n of a smart mode run: the bar at every iteration, the
// caption at every tenth, and candidate(i) listed unless it repeats. Every
// iteration counts, also one whose candidate is dropped. Returns false when
// a stop request ended it early.
bool RunSmartIterations(long long n, ProgressReporter& progress, NameLister& lister,
                        const std::stop_token& stop, const std::function<std::string(long long)>& candidate);

}  // namespace engine
