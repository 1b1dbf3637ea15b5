#include "engine/char_tables.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "engine/char_tables_index.h"
#include "engine/char_tables_reference.h"
#include "platform/gbk.h"

namespace engine {
namespace {

using chardata::CodeOf;
using chardata::EmbeddedIndex;
using chardata::EmbeddedTables;
using chardata::IsHanziCode;
using chardata::IsHanziText;

// A published override text with the count it gives each character it names.
// Never changed once published.
struct Overrides {
  std::string text;
  std::vector<std::pair<std::uint16_t, int>> counts;  // sorted by code

  std::optional<int> CountOf(std::uint16_t code) const {
    auto it = std::lower_bound(counts.begin(), counts.end(), std::make_pair(code, 0),
                               [](const auto& a, const auto& b) { return a.first < b.first; });
    if (it == counts.end() || it->first != code) return std::nullopt;
    return it->second;
  }
};

// Readers take the current pointer without a lock: generation workers look
// up thousands of characters while the start-up thread may publish the text.
// A replaced text stays alive until the program ends, so a reader holding it
// is never left with freed memory; the text is set once at start-up, so
// little is kept.
std::atomic<const Overrides*> current{nullptr};
std::mutex publishing;
std::vector<std::unique_ptr<const Overrides>>& Published() {
  static std::vector<std::unique_ptr<const Overrides>> all;
  return all;
}

const Overrides* CurrentOverrides() { return current.load(std::memory_order_acquire); }

bool IsSingleHanzi(std::string_view ch) {
  return ch.size() == 2 && IsHanziCode(static_cast<unsigned char>(ch[0]), static_cast<unsigned char>(ch[1]));
}

}  // namespace

bool SetKangxiOverrides(std::string_view text, std::stop_token stop) {
  std::lock_guard lock(publishing);
  if (const Overrides* now = CurrentOverrides(); now ? now->text == text : text.empty()) return true;
  auto fresh = std::make_unique<Overrides>();
  fresh->text = std::string(text);
  // One walk over the character boundaries: each "hanzi-" entry takes the
  // digits up to the next "/" (found once for all the entries before it),
  // and the first entry of a character with a sane count wins, as the scan
  // of the reference lookup decides.
  std::vector<bool> seen(65536, false);
  size_t slash = 0;  // the next "/" at or after the current entry; text.size() when none
  bool slashKnown = false;
  size_t step = 0;
  for (size_t i = 0; i < text.size(); i += gbk::IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1) {
    if ((++step & 0xFFFF) == 0 && stop.stop_requested()) return false;
    if (i + 3 > text.size() || text[i + 2] != '-' || !IsSingleHanzi(text.substr(i, 2))) continue;
    std::uint16_t code = CodeOf(text.substr(i, 2));
    if (seen[code]) continue;
    const size_t digits = i + 3;
    if (!slashKnown || slash < digits) {
      slash = digits;
      while (slash < text.size() && text[slash] != '/')
        slash += gbk::IsLeadByte(static_cast<unsigned char>(text[slash])) ? 2 : 1;
      slash = std::min(slash, text.size());
      slashKnown = true;
    }
    if (slash >= text.size()) continue;
    if (auto n = reference::SaneOverrideCount(text.substr(digits, slash - digits))) {
      seen[code] = true;
      fresh->counts.emplace_back(code, *n);
    }
  }
  if (stop.stop_requested()) return false;
  std::sort(fresh->counts.begin(), fresh->counts.end());
  const Overrides* published = fresh.get();
  Published().push_back(std::move(fresh));
  current.store(published, std::memory_order_release);
  return true;
}

int GetSimplifiedStrokes(std::string_view ch) {
  unsigned lead = ch.size() > 0 ? static_cast<unsigned char>(ch[0]) : 0;
  unsigned trail = ch.size() > 1 ? static_cast<unsigned char>(ch[1]) : 0;
  int index = chardata::Gb2312Index(lead, trail);
  return index < 0 ? -1 : chardata::SimplifiedStrokeEntry(EmbeddedTables().simplifiedStrokes, index);
}

std::string ToTraditionalForm(std::string_view text) {
  static const std::string bell = gbk::G("钟"), bellOld = gbk::G("鍾");
  if (text == bell) return bellOld;
  const auto& index = EmbeddedIndex();
  std::string out(text);
  for (size_t i = 0; i + 1 < out.size();) {
    if (!gbk::IsLeadByte(static_cast<unsigned char>(out[i]))) {
      ++i;
      continue;
    }
    std::uint16_t mapped = index.Traditional(CodeOf(std::string_view(out).substr(i, 2)));
    out[i] = static_cast<char>(mapped >> 8);
    out[i + 1] = static_cast<char>(mapped & 0xFF);
    i += 2;
  }
  return out;
}

int GetKangxiStrokes(std::string_view ch) {
  const Overrides* overrides = CurrentOverrides();
  if (IsSingleHanzi(ch)) {
    std::uint16_t code = CodeOf(ch);
    if (overrides) {
      if (auto n = overrides->CountOf(code)) return *n;
    }
    return EmbeddedIndex().Kangxi(code);
  }
  // Longer texts are searched as a whole, as rare as they are.
  if (!IsHanziText(ch)) return 0;
  return reference::GetKangxiStrokes(ch, overrides ? std::string_view(overrides->text) : std::string_view(),
                                     EmbeddedTables());
}

int LookupStrokeList(std::string_view ch) {
  if (IsSingleHanzi(ch)) return EmbeddedIndex().StrokeList(CodeOf(ch));
  return reference::LookupStrokeList(ch, EmbeddedTables());
}

int LookupStrokeGroup(std::string_view ch) {
  if (IsSingleHanzi(ch)) return EmbeddedIndex().StrokeGroup(CodeOf(ch));
  return reference::LookupStrokeGroup(ch, EmbeddedTables());
}

std::string GetFiveElement(std::string_view ch) {
  if (IsSingleHanzi(ch)) return chardata::ElementText(EmbeddedIndex().Element(CodeOf(ch)));
  return reference::GetFiveElement(ch, EmbeddedTables());
}

std::string PinyinOf(std::string_view ch) {
  if (ch.size() < 2) return {};
  int index = chardata::Gb2312Index(static_cast<unsigned char>(ch[0]), static_cast<unsigned char>(ch[1]));
  if (index < 0) return {};
  return std::string(EmbeddedIndex().Pinyin(index));
}

bool LookupNameAttributes(std::string_view ch, int& simplifiedStrokes, bool wantSimplified,
                          int& kangxiStrokes, bool wantKangxi, std::string& pinyin, bool wantPinyin,
                          std::string& fiveElement, bool wantFiveElement, std::string& traditional,
                          bool wantTraditional) {
  if (wantSimplified) simplifiedStrokes = GetSimplifiedStrokes(ch);
  if (wantKangxi) kangxiStrokes = GetKangxiStrokes(ch);
  if (wantPinyin) pinyin = PinyinOf(ch);
  if (wantFiveElement) fiveElement = GetFiveElement(ch);
  if (wantTraditional) traditional = ToTraditionalForm(ch);
  return true;
}

CharacterAttributes LookupNameAttributes(std::string_view ch) {
  CharacterAttributes a;
  a.character = std::string(ch);
  LookupNameAttributes(ch, a.simplifiedStrokes, true, a.kangxiStrokes, true, a.pinyin, true, a.fiveElement,
                       true, a.traditional, true);
  return a;
}

}  // namespace engine
