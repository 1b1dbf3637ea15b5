// Prints names of one smart mode run with the shipped generation data, for
// judging the pools by eye: a random sample of the run's rows, one a line,
// as UTF-8 "name<TAB>full name<TAB>five elements<TAB>score".
//
//   sample_names MODE LENGTH COUNT SEED [PREFIX [SUFFIX]]
//
// MODE 1 or 2 (smart mode 1 or 2), LENGTH 2 to 4, COUNT rows to print (all
// rows when the run lists fewer), SEED a fixed seed so that a sample can be
// drawn again. PREFIX and SUFFIX are UTF-8 (苏州 and 软件有限公司 when left out).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: sample_names MODE LENGTH COUNT SEED [PREFIX [SUFFIX]]\n");
    return 2;
  }
  engine::PutGenerationDataInPlace();
  engine::RunInputs in;
  engine::TakeGenerationData(in);
  in.mode = std::atoi(argv[1]) == 2 ? engine::GenerationMode::SmartMode2 : engine::GenerationMode::SmartMode1;
  in.nameLength = std::atoi(argv[2]);
  const std::size_t count = std::strtoul(argv[3], nullptr, 10);
  in.seed = std::strtoull(argv[4], nullptr, 10);
  in.prefix = gbk::G(argc > 5 ? argv[5] : "苏州");
  in.suffix = gbk::G(argc > 6 ? argv[6] : "软件有限公司");

  Keep sink;
  engine::RunGeneration(in, sink);
  std::mt19937_64 pick(in.seed);
  std::shuffle(sink.rows.begin(), sink.rows.end(), pick);
  if (sink.rows.size() > count) sink.rows.resize(count);
  for (const auto& r : sink.rows)
    std::printf("%s\t%s\t%s\t%d\n", gbk::ToUtf8(r.name).c_str(), gbk::ToUtf8(r.fullName).c_str(),
                gbk::ToUtf8(r.fiveElements).c_str(), r.score);
  return 0;
}
