#include "engine/smart_mode2.h"

#include "engine/smart_mode_run.h"
#include "engine/word_builders.h"

namespace engine {

long long SmartMode2Iterations(long long namesPerRun, int nameLength) {
  long long n = namesPerRun - (nameLength == 2 ? 1550 : 1700);
  return n > 0 ? n : 0;
}

void GenerateSmartMode2Names(const RunInputs& in, GenerationSink& sink, std::stop_token stop) {
  RandomSource random = in.seed ? RandomSource(in.seed) : RandomSource();
  WordBuilders builders(in.longNamePool, random);
  NameLister lister(sink, in.prefix, in.suffix);
  lister.Begin();
  ProgressReporter progress(sink);
  progress.Report(0);

  const int length = in.nameLength;
  const std::string& wordSource = in.smartWordSource;
  std::string wordList;
  if (length == 2)
    wordList = builders.BuildRandomWordPool([&progress](int bar) { progress.Report(bar); });
  else
    wordList = wordSource;
  const long long n = SmartMode2Iterations(in.namesPerRun, length);
  progress.Report(0);

  bool finished = RunSmartIterations(n, progress, lister, stop, [&](long long i) {
    return length == 2 && i <= kWordSourceIterations ? builders.PickRandomWords(wordSource, 2)
                                                     : builders.BuildWordListNames(wordList, length);
  });
  lister.Finish(!finished);
}

}  // namespace engine
