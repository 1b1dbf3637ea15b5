// The combination run: every ordered pair or triple of distinct characters
// the user typed, in nested order.
#include "engine/combination.h"
#include "engine/smart_mode_run.h"
#include "platform/gbk.h"

namespace engine {

void GenerateCombinationNames(const RunInputs& in, GenerationSink& sink, std::stop_token stop) {
  NameLister lister(sink, in.prefix, in.suffix);
  lister.Begin();
  ProgressReporter progress(sink);

  // The length is read once: a run lists pairs or triples, never both.
  const int length = in.nameLength;
  const auto& c = in.combinationCharacters;
  const long long n = static_cast<long long>(c.size());
  const long long total = CombinationTotal(n, length);
  const std::string progressWord = gbk::G("进度：");

  bool stopped = false;
  auto take = [&](const std::string& candidate) {
    long long listed = lister.count();
    if (listed % 10 == 0)
      progress.Report(ProgressBarPosition(listed, total), PercentCaption(listed, total),
                      progressWord + std::to_string(listed) + "/" + std::to_string(total));
    lister.List(candidate);
  };

  if (length == 2) {
    for (long long i = 0; i < n && !stopped; ++i) {
      stopped = stop.stop_requested();
      for (long long j = 0; j < n && !stopped; ++j)
        if (c[i] != c[j]) take(c[i] + c[j]);
    }
  } else if (length == 3) {
    std::string candidate;
    for (long long i = 0; i < n && !stopped; ++i) {
      for (long long j = 0; j < n && !stopped; ++j) {
        stopped = stop.stop_requested();
        if (c[i] == c[j]) continue;
        for (long long k = 0; k < n; ++k) {
          if (c[k] == c[i] || c[k] == c[j]) continue;
          candidate.assign(c[i]).append(c[j]).append(c[k]);
          take(candidate);
        }
      }
    }
  }
  lister.Finish(stopped);
}

}  // namespace engine
