// Scoring one name and looking up the dictionary page of a character: both
// run once per click, so they must stay far below what a user notices.
#include <benchmark/benchmark.h>

#include "analysis/score_page.h"
#include "frame/globals.h"
#include "online/dictionary_index.h"
#include "platform/gbk.h"

namespace {

void BM_BuildScorePageCompany(benchmark::State& state) {
  frame::globals().onlineScoreWord.Set(gbk::G("分数"));
  const analysis::NameBoxes input{gbk::G("临江"), gbk::G("禾川"), gbk::G("软件有限公司")};
  for (auto _ : state) {
    analysis::NameBoxes boxes = input;
    benchmark::DoNotOptimize(analysis::BuildScorePage(boxes, true));
  }
}
BENCHMARK(BM_BuildScorePageCompany);

void BM_DictionaryPageOfTheLastCharacter(benchmark::State& state) {
  // The last line of the index: the longest search there is.
  const std::string character = gbk::G("丶");
  for (auto _ : state) benchmark::DoNotOptimize(online::DictionaryPageNumber(character));
}
BENCHMARK(BM_DictionaryPageOfTheLastCharacter);

}  // namespace
