#pragma once
// Narrowing the names of the last run, and listing the kept names again.
//
// The filter window collects the conditions of the page that is showing;
// FilterNames keeps, in their order, the names that meet them. Only the
// generated name counts, never the region prefix or the industry suffix.
// RelistNames then lists exactly the kept names as a run would, with fresh
// attributes, replacing the published result lists, so that a second filter
// narrows the first and the export sees the kept names only.
#include <array>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "engine/smart_mode_run.h"

namespace engine {

enum class FilterPage { FiveElements = 0, Strokes = 1, Pinyin = 2, Text = 3 };

struct StrokeRange {
  bool on = false;
  int from = 1;
  int to = 30;
};

struct PinyinCondition {
  bool on = false;
  std::string text;  // as typed; lower-cased (ASCII) before comparing
};

// Every text is GBK.
struct FilterConditions {
  FilterPage page = FilterPage::FiveElements;
  // Five elements: per position, the allowed elements concatenated in the
  // order 金木水火土; empty restricts nothing.
  std::array<std::string, 4> allowedElements;
  bool requireOn = false;
  std::vector<std::string> required;  // each must occur among the name's elements
  bool excludeOn = false;
  std::vector<std::string> excluded;  // none may occur
  // Strokes: Kangxi counts instead of simplified ones.
  bool kangxi = false;
  std::array<StrokeRange, 4> ranges;
  StrokeRange total;
  // Pinyin: per position an exact reading; `anyPinyin` keeps names in which
  // some character has exactly that reading.
  std::array<PinyinCondition, 4> pinyin;
  PinyinCondition anyPinyin;
  // Text: must occur in the name (ASCII letters in either case).
  std::string requiredText;
};

bool NamePasses(std::string_view name, const FilterConditions& conditions);

// `names`: each followed by CR LF. Returns the kept names in the same form.
// `progress` (may be empty) gets i / count x 100, only when it changes.
std::string FilterNames(std::string_view names, const FilterConditions& conditions,
                        const std::function<void(int)>& progress = {});

// Lists the names of `names` (each followed by CR LF) in order, every one of
// them, repeats included: serial numbers are positions. Reports as a run
// does, except that the finish carries no status tip. Runs on the calling
// thread.
void RelistNames(std::string_view names, std::string_view prefix, std::string_view suffix,
                 GenerationSink& sink, std::stop_token stop = {});

// Starts RelistNames on the generation thread (so the main window's closing
// stops it). Returns false, and starts nothing, while a run or an earlier
// re-listing is still going.
bool StartFilteredRelisting(std::string names, std::string prefix, std::string suffix,
                            std::shared_ptr<GenerationSink> sink);

}  // namespace engine
