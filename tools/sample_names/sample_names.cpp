// Prints names of one smart mode run with the shipped generation data, for
// judging the pools by eye: a random sample of the run's rows, one a line,
// as UTF-8 "name<TAB>full name<TAB>five elements<TAB>score", and on standard
// error how many distinct names the run listed.
//
//   sample_names [--prefix=TEXT] [--suffix=TEXT] MODE LENGTH COUNT SEED [PREFIX [SUFFIX]]
//
// MODE 1 or 2 (smart mode 1 or 2), LENGTH 2 to 4, COUNT rows to print (all
// rows when the run lists fewer; 0 prints only the count), SEED a fixed seed
// so that a run can be made again. PREFIX and SUFFIX are UTF-8, given as
// options or after SEED (苏州 and 软件有限公司 when left out).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/generation_data.h"
#include "engine/smart_mode_run.h"
#include "platform/gbk.h"

namespace {

struct Keep : engine::GenerationSink {
  std::vector<engine::ResultRow> rows;
  void OnRows(std::vector<engine::ResultRow>&& batch) override {
    for (auto& r : batch) rows.push_back(std::move(r));
  }
};

int Usage() {
  std::fprintf(stderr,
               "usage: sample_names [--prefix=TEXT] [--suffix=TEXT] MODE LENGTH COUNT SEED [PREFIX [SUFFIX]]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string prefix = "苏州", suffix = "软件有限公司";
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    std::string_view a = argv[i];
    if (a.starts_with("--prefix=")) {
      prefix = a.substr(9);
    } else if (a.starts_with("--suffix=")) {
      suffix = a.substr(9);
    } else if (a.starts_with("--")) {
      return Usage();
    } else {
      args.emplace_back(a);
    }
  }
  if (args.size() < 4 || args.size() > 6) return Usage();
  if (args.size() > 4) prefix = args[4];
  if (args.size() > 5) suffix = args[5];

  engine::PutGenerationDataInPlace();
  engine::RunInputs in;
  engine::TakeGenerationData(in);
  in.mode = std::atoi(args[0].c_str()) == 2 ? engine::GenerationMode::SmartMode2 : engine::GenerationMode::SmartMode1;
  in.nameLength = std::atoi(args[1].c_str());
  const std::size_t count = std::strtoul(args[2].c_str(), nullptr, 10);
  in.seed = std::strtoull(args[3].c_str(), nullptr, 10);
  in.prefix = gbk::G(prefix);
  in.suffix = gbk::G(suffix);

  Keep sink;
  engine::RunGeneration(in, sink);
  // The run drops a name it has listed already, so every row is distinct.
  std::fprintf(stderr, "%zu distinct names\n", sink.rows.size());
  std::mt19937_64 pick(in.seed);
  std::shuffle(sink.rows.begin(), sink.rows.end(), pick);
  if (sink.rows.size() > count) sink.rows.resize(count);
  for (const auto& r : sink.rows)
    std::printf("%s\t%s\t%s\t%d\n", gbk::ToUtf8(r.name).c_str(), gbk::ToUtf8(r.fullName).c_str(),
                gbk::ToUtf8(r.fiveElements).c_str(), r.score);
  return 0;
}
