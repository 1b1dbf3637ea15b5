#include "engine/char_tables_index.h"

#include <algorithm>
#include <cstring>

#include "platform/embedded.h"
#include "platform/gbk.h"

namespace engine::chardata {
namespace {

constexpr int kCodes = 65536;
constexpr std::int32_t kNone = -1;

bool Lead(std::string_view t, size_t i) { return gbk::IsLeadByte(static_cast<unsigned char>(t[i])); }

// Calls `visit(i)` for every character boundary of `text`, as the searches
// step: a byte of 0x80 or more and the byte after it go together.
template <class Visit>
void ForEachBoundary(std::string_view text, Visit visit) {
  for (size_t i = 0; i < text.size(); i += Lead(text, i) ? 2 : 1) visit(i);
}

// The two-byte hanzi starting at boundary `i`, or -1.
int HanziAt(std::string_view t, size_t i) {
  if (i + 2 > t.size() || !Lead(t, i)) return -1;
  unsigned lead = static_cast<unsigned char>(t[i]), trail = static_cast<unsigned char>(t[i + 1]);
  return IsHanziCode(lead, trail) ? static_cast<int>((lead << 8) | trail) : -1;
}

// Cutting at a separator, as the shared helpers do, without copying.
std::string_view Before(std::string_view text, std::string_view sep) {
  int p = gbk::Find(text, sep, true);
  return p - 1 <= 0 ? std::string_view() : text.substr(0, p - 1);
}

std::string_view After(std::string_view text, std::string_view sep) {
  int p = gbk::Find(text, sep, true);
  long long left = p > 1 ? p - 1 : 0;
  long long n = static_cast<long long>(text.size()) - left - static_cast<long long>(sep.size());
  if (n <= 0) return {};
  return text.substr(text.size() - static_cast<size_t>(n));
}

std::int32_t Count(std::string_view digits) {
  return std::max<std::int32_t>(0, static_cast<std::int32_t>(gbk::ParseDecimal(digits)));
}

// First "√" C "|" of each C: the count up to the next "|" (name text), or
// the field after the next "|" (pair text, whose second field is the
// traditional form).
void IndexKeyedEntries(std::string_view t, bool skipField, std::vector<std::int32_t>& out) {
  static const std::string check = gbk::G("√");
  ForEachBoundary(t, [&](size_t i) {
    if (t.compare(i, check.size(), check) != 0) return;
    size_t at = i + check.size();
    int code = HanziAt(t, at);
    if (code < 0 || at + 2 >= t.size() || t[at + 2] != '|' || out[code] != kNone) return;
    std::string_view rest = t.substr(at + 3);
    if (skipField) rest = After(rest, "|");
    out[code] = Count(Before(rest, "|"));
  });
}

// First "|" T "|" of each T: the field that follows.
void IndexSecondFields(std::string_view t, std::vector<std::int32_t>& out) {
  ForEachBoundary(t, [&](size_t i) {
    if (t[i] != '|') return;
    int code = HanziAt(t, i + 1);
    if (code < 0 || i + 3 >= t.size() || t[i + 3] != '|' || out[code] != kNone) return;
    out[code] = Count(Before(t.substr(i + 4), "|"));
  });
}

// First occurrence of each character: the two bytes after it.
void IndexStrokeList(std::string_view t, std::vector<std::int32_t>& out) {
  ForEachBoundary(t, [&](size_t i) {
    int code = HanziAt(t, i);
    if (code < 0 || out[code] != kNone) return;
    out[code] = Count(t.substr(i + 2, 2));
  });
}

// First occurrence of each character: the number between the last "{" and
// the last "}" ahead of it.
void IndexStrokeGroups(std::string_view t, std::vector<std::int32_t>& out) {
  long long open = -1, close = -1;
  ForEachBoundary(t, [&](size_t i) {
    if (t[i] == '{') open = static_cast<long long>(i);
    if (t[i] == '}') close = static_cast<long long>(i);
    int code = HanziAt(t, i);
    if (code < 0 || out[code] != kNone) return;
    out[code] = (open < 0 || close < open) ? 0 : Count(t.substr(open + 1, close - open - 1));
  });
}

// First occurrence of each character: the element whose character stands
// nearest ahead of it (a label “金” counts as 金).
void IndexElements(std::string_view t, std::vector<std::uint8_t>& out) {
  std::uint16_t elementCodes[kUnknown];
  for (int e = kMetal; e < kUnknown; ++e) elementCodes[e] = CodeOf(ElementText(e));
  long long last[kUnknown] = {-1, -1, -1, -1, -1};
  std::vector<bool> seen(kCodes, false);
  ForEachBoundary(t, [&](size_t i) {
    if (i + 2 > t.size() || !Lead(t, i)) return;
    std::uint16_t code = CodeOf(t.substr(i, 2));
    if (!seen[code]) {
      seen[code] = true;
      if (IsHanziCode(code >> 8, code & 0xFF)) {
        int best = kUnknown;
        long long bestAt = -1;
        for (int e = kMetal; e < kUnknown; ++e) {
          if (last[e] > bestAt) {
            bestAt = last[e];
            best = e;
          }
        }
        out[code] = static_cast<std::uint8_t>(best);
      }
    }
    for (int e = kMetal; e < kUnknown; ++e)
      if (code == elementCodes[e]) last[e] = static_cast<long long>(i);
  });
  // The element words answer for themselves.
  for (int e = kMetal; e < kUnknown; ++e) out[elementCodes[e]] = static_cast<std::uint8_t>(e);
}

// Lines whose first two bytes are the key: calls `take(key code, rest of
// line)` for each line of two bytes or more.
template <class Take>
void ForEachKeyedLine(std::string_view t, Take take) {
  for (size_t line = 0; line < t.size();) {
    size_t end = t.find('\n', line);
    if (end == std::string_view::npos) end = t.size();
    std::string_view row = t.substr(line, end - line);
    if (row.size() >= 2) take(CodeOf(row), row.substr(2));
    line = end + 1;
  }
}

}  // namespace

bool IsHanziCode(unsigned lead, unsigned trail) {
  if (trail == 0x7F) return false;
  if (lead >= 0xB0 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE) return true;
  if (lead >= 0x81 && lead <= 0xA0 && trail >= 0x40 && trail <= 0xFE) return true;
  if (lead >= 0xAA && lead <= 0xFE && trail >= 0x40 && trail <= 0xA0) return true;
  return false;
}

bool IsHanziText(std::string_view text) {
  if (text.empty() || text.size() % 2 != 0) return false;
  for (size_t i = 0; i < text.size(); i += 2)
    if (!IsHanziCode(static_cast<unsigned char>(text[i]), static_cast<unsigned char>(text[i + 1])))
      return false;
  return true;
}

const std::string& ElementText(int element) {
  static const std::string texts[] = {gbk::G("金"), gbk::G("木"), gbk::G("水"),
                                      gbk::G("火"), gbk::G("土"), gbk::G("未")};
  return texts[std::clamp(element, 0, static_cast<int>(kUnknown))];
}

int ElementNamed(std::string_view text) {
  for (int e = kMetal; e < kUnknown; ++e)
    if (text == ElementText(e)) return e;
  return kUnknown;
}

int SimplifiedStrokeEntry(std::string_view table, int index) {
  if (index < 0 || (static_cast<size_t>(index) + 1) * 4 > table.size()) return 0;
  const auto* p = reinterpret_cast<const unsigned char*>(table.data()) + static_cast<size_t>(index) * 4;
  std::uint32_t v = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  return static_cast<std::int32_t>(v);
}

const TableTexts& EmbeddedTables() {
  static const TableTexts tables{
      platform::EmbeddedFile("chars/simplified_strokes.bin"),
      platform::EmbeddedFile("chars/name_strokes.txt"),
      platform::EmbeddedFile("chars/traditional_pair_strokes.txt"),
      platform::EmbeddedFile("chars/kangxi_stroke_list.txt"),
      platform::EmbeddedFile("chars/stroke_groups.txt"),
      platform::EmbeddedFile("chars/five_elements.txt"),
      platform::EmbeddedFile("chars/luck.txt"),
      platform::EmbeddedFile("chars/pinyin.txt"),
      platform::EmbeddedFile("chars/traditional.txt"),
  };
  return tables;
}

CharIndex::CharIndex(const TableTexts& t)
    : kangxi_(kCodes, kNone),
      strokeList_(kCodes, kNone),
      strokeGroup_(kCodes, kNone),
      element_(kCodes, kUnknown),
      traditional_(kCodes) {
  IndexStrokeGroups(t.strokeGroups, strokeGroup_);
  IndexStrokeList(t.strokeList, strokeList_);
  std::vector<std::int32_t> name(kCodes, kNone), pairKey(kCodes, kNone), pairForm(kCodes, kNone);
  IndexKeyedEntries(t.nameStrokes, false, name);
  IndexKeyedEntries(t.pairStrokes, true, pairKey);
  IndexSecondFields(t.pairStrokes, pairForm);
  for (int code = 0; code < kCodes; ++code) {
    if (strokeGroup_[code] == kNone) strokeGroup_[code] = 0;
    if (strokeList_[code] == kNone) strokeList_[code] = strokeGroup_[code];
    std::int32_t k = name[code];
    if (k == kNone) k = pairKey[code];
    if (k == kNone) k = pairForm[code];
    if (k == kNone) k = strokeList_[code];
    kangxi_[code] = k;
  }
  IndexElements(t.fiveElements, element_);

  for (int code = 0; code < kCodes; ++code) traditional_[code] = static_cast<std::uint16_t>(code);
  std::vector<bool> mapped(kCodes, false);
  ForEachKeyedLine(t.traditional, [&](std::uint16_t key, std::string_view rest) {
    if (rest.size() != 2 || mapped[key]) return;
    mapped[key] = true;
    traditional_[key] = CodeOf(rest);
  });
  ForEachKeyedLine(t.pinyin, [&](std::uint16_t key, std::string_view rest) {
    int index = Gb2312Index(key >> 8, key & 0xFF);
    if (index < 0 || pinyin_[index].length != 0 || rest.size() < 2 || rest[0] != ' ') return;
    rest.remove_prefix(1);
    Reading& r = pinyin_[index];
    r.length = static_cast<std::uint8_t>(std::min(rest.size(), sizeof r.letters));
    std::memcpy(r.letters, rest.data(), r.length);
  });
}

const CharIndex& EmbeddedIndex() {
  static const CharIndex index(EmbeddedTables());
  return index;
}

}  // namespace engine::chardata
