#include "engine/filter.h"

#include "engine/char_tables.h"
#include "platform/gbk.h"

namespace engine {

namespace {

bool Contains(std::string_view text, std::string_view part) { return gbk::Find(text, part) > 0; }

bool PassesElements(const std::vector<std::string>& chars, const FilterConditions& c) {
  std::string elements;
  for (std::size_t j = 0; j < chars.size(); ++j) {
    const std::string e = GetFiveElement(chars[j]);
    elements += e;
    if (j < 4 && !c.allowedElements[j].empty() && !Contains(c.allowedElements[j], e)) return false;
  }
  if (c.requireOn)
    for (const auto& e : c.required)
      if (!Contains(elements, e)) return false;
  if (c.excludeOn)
    for (const auto& e : c.excluded)
      if (Contains(elements, e)) return false;
  return true;
}

bool Outside(const StrokeRange& r, int s) { return r.on && (s < r.from || s > r.to); }

bool PassesStrokes(const std::vector<std::string>& chars, const FilterConditions& c) {
  int total = 0;
  for (std::size_t j = 0; j < chars.size(); ++j) {
    const int s = c.kangxi ? GetKangxiStrokes(chars[j]) : GetSimplifiedStrokes(chars[j]);
    total += s;
    if (j < 4 && Outside(c.ranges[j], s)) return false;
  }
  return !Outside(c.total, total);
}

bool PassesPinyin(const std::vector<std::string>& chars, const FilterConditions& c) {
  std::string joined = "|";
  for (std::size_t j = 0; j < chars.size(); ++j) {
    const std::string p = PinyinOf(chars[j]);
    joined += p + "|";
    if (j < 4 && c.pinyin[j].on && p != gbk::AsciiLower(c.pinyin[j].text)) return false;
  }
  if (c.anyPinyin.on && gbk::Find(joined, "|" + gbk::AsciiLower(c.anyPinyin.text) + "|", true) < 0)
    return false;
  return true;
}

}  // namespace

bool NamePasses(std::string_view name, const FilterConditions& c) {
  if (c.page == FilterPage::Text) return gbk::Find(name, c.requiredText, true) > 0;
  const std::vector<std::string> chars = gbk::SplitPairs(name);
  switch (c.page) {
    case FilterPage::FiveElements:
      return PassesElements(chars, c);
    case FilterPage::Strokes:
      return PassesStrokes(chars, c);
    case FilterPage::Pinyin:
      return PassesPinyin(chars, c);
    case FilterPage::Text:
      break;
  }
  return true;
}

std::string FilterNames(std::string_view names, const FilterConditions& conditions,
                        const std::function<void(int)>& progress) {
  const std::vector<std::string_view> list = gbk::SplitLines(names);
  const long long n = static_cast<long long>(list.size());
  std::string kept;
  int shown = -1;
  for (long long i = 1; i <= n; ++i) {
    const int bar = ProgressBarPosition(i, n);
    if (progress && bar != shown) progress(shown = bar);
    const std::string_view name = list[static_cast<std::size_t>(i - 1)];
    if (NamePasses(name, conditions)) kept.append(name).append("\r\n");
  }
  return kept;
}

void RelistNames(std::string_view names, std::string_view prefix, std::string_view suffix,
                 GenerationSink& sink, std::stop_token stop) {
  const std::vector<std::string_view> list = gbk::SplitLines(names);
  NameLister lister(sink, prefix, suffix, ListingStyle::Relisting);
  lister.Begin();
  ProgressReporter progress(sink);
  const bool finished =
      RunSmartIterations(static_cast<long long>(list.size()), progress, lister, stop,
                         [&](long long i) { return std::string(list[static_cast<std::size_t>(i - 1)]); });
  lister.Finish(!finished);
}

bool StartFilteredRelisting(std::string names, std::string prefix, std::string suffix,
                            std::shared_ptr<GenerationSink> sink) {
  if (!sink) return false;
  auto shared = std::make_shared<const std::array<std::string, 3>>(
      std::array<std::string, 3>{std::move(names), std::move(prefix), std::move(suffix)});
  return StartOnGenerationThread([shared, sink](std::stop_token stop) {
    RelistNames((*shared)[0], (*shared)[1], (*shared)[2], *sink, stop);
  });
}

}  // namespace engine
