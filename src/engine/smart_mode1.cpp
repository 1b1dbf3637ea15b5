#include "engine/smart_mode1.h"

#include "engine/smart_mode_run.h"
#include "platform/gbk.h"

namespace engine {

std::string PickRandomCharacters(const std::vector<std::string>& units, int count, RandomSource& random) {
  std::string result;
  if (count <= 0 || units.empty()) return result;
  // Draw entry k of the entries still left, then remove it, keeping the
  // order of the rest. The removed positions are kept sorted, and entry k of
  // what is left is found by stepping over them: no copy of the pool per pick.
  std::vector<std::size_t> taken;
  std::size_t size = units.size();
  for (int j = 0; j < count && size > 0; ++j, --size) {
    std::size_t index = static_cast<std::size_t>(random.Between(1, static_cast<int>(size)) - 1);
    auto at = taken.begin();
    while (at != taken.end() && *at <= index) {
      ++index;
      ++at;
    }
    taken.insert(at, index);
    result += units[index];
  }
  return result;
}

void ApplyFixedCharacters(std::string& name, const std::array<std::string, 4>& fixed, int length) {
  for (int p = 0; p < 4 && p < length; ++p) {
    const std::string& f = fixed[static_cast<std::size_t>(p)];
    if (f.empty()) continue;
    std::size_t start = static_cast<std::size_t>(p) * 2;
    if (start > name.size())
      name += f;
    else
      name.replace(start, 2, f);
  }
}

void GenerateSmartMode1Names(const RunInputs& in, GenerationSink& sink, std::stop_token stop) {
  RandomSource random = in.seed ? RandomSource(in.seed) : RandomSource();
  NameLister lister(sink, in.prefix, in.suffix);
  lister.Begin();
  ProgressReporter progress(sink);

  const std::string& pool = in.nameLength == 2 ? in.twoCharPool : in.longNamePool;
  const std::vector<std::string> units = gbk::SplitPairs(pool);
  const long long n = in.namesPerRun;

  bool finished = RunSmartIterations(n, progress, lister, stop, [&](long long) {
    std::string name = PickRandomCharacters(units, in.nameLength, random);
    ApplyFixedCharacters(name, in.fixed, in.nameLength);
    return name;
  });
  lister.Finish(!finished);
}

}  // namespace engine
