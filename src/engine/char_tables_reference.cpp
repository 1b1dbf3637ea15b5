#include "engine/char_tables_reference.h"

#include <algorithm>
#include <string>

#include "frame/text_helpers.h"
#include "platform/gbk.h"

namespace engine::reference {
namespace {

const std::string& Check() {
  static const std::string s = gbk::G("√");
  return s;
}

bool Contains(std::string_view text, std::string_view needle) { return gbk::Find(text, needle, true) > 0; }

// The last occurrence at a character boundary (1-based), in one walk.
int LastOccurrence(std::string_view text, std::string_view needle) {
  int last = -1;
  for (size_t i = 0; i + needle.size() <= text.size();) {
    if (text.compare(i, needle.size(), needle) == 0) last = static_cast<int>(i) + 1;
    i += gbk::IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
  }
  return last;
}

int Count(std::string_view digits) { return std::max(0, static_cast<int>(gbk::ParseDecimal(digits))); }

}  // namespace

int GetSimplifiedStrokes(std::string_view ch, const TableTexts& t) {
  unsigned lead = ch.size() > 0 ? static_cast<unsigned char>(ch[0]) : 0;
  unsigned trail = ch.size() > 1 ? static_cast<unsigned char>(ch[1]) : 0;
  int index = chardata::Gb2312Index(lead, trail);
  return index < 0 ? -1 : chardata::SimplifiedStrokeEntry(t.simplifiedStrokes, index);
}

std::string ToTraditionalForm(std::string_view text, const TableTexts& t) {
  static const std::string bell = gbk::G("钟"), bellOld = gbk::G("鍾");
  if (text == bell) return bellOld;
  std::string out;
  for (size_t i = 0; i < text.size();) {
    if (!gbk::IsLeadByte(static_cast<unsigned char>(text[i])) || i + 1 >= text.size()) {
      out.push_back(text[i++]);
      continue;
    }
    std::string_view ch = text.substr(i, 2);
    std::string_view mapped = ch;
    for (size_t line = 0; line + 4 <= t.traditional.size();) {
      size_t end = t.traditional.find('\n', line);
      if (end == std::string_view::npos) end = t.traditional.size();
      if (end - line == 4 && t.traditional.substr(line, 2) == ch) {
        mapped = t.traditional.substr(line + 2, 2);
        break;
      }
      line = end + 1;
    }
    out.append(mapped);
    i += 2;
  }
  return out;
}

std::optional<int> SaneOverrideCount(std::string_view digits) {
  long long n = gbk::ParseDecimal(digits);
  if (n < 1 || n > 99) return std::nullopt;
  return static_cast<int>(n);
}

std::optional<int> OverrideCount(std::string_view ch, std::string_view overrides) {
  if (overrides.empty() || !Contains(overrides, ch)) return std::nullopt;
  std::string key = std::string(ch) + "-";
  // A character without "-" after it names no count, nor does an entry
  // without "/" or with a count outside 1..99; a later entry may, else the
  // stored tables answer.
  for (int at = gbk::Find(overrides, key, true); at > 0;
       at = gbk::Find(overrides, key, true, at + static_cast<int>(key.size()))) {
    std::string_view rest = overrides.substr(at - 1 + key.size());
    if (gbk::Find(rest, "/") < 1) continue;
    if (auto n = SaneOverrideCount(frame::TextBefore(rest, "/"))) return n;
  }
  return std::nullopt;
}

int GetKangxiStrokes(std::string_view ch, std::string_view overrides, const TableTexts& t) {
  if (!chardata::IsHanziText(ch)) return 0;
  if (auto n = OverrideCount(ch, overrides)) return *n;

  std::string key = Check() + std::string(ch) + "|";
  if (Contains(t.nameStrokes, ch) && Contains(t.nameStrokes, key))
    return Count(frame::TextBefore(frame::TextAfter(t.nameStrokes, key), "|"));

  if (Contains(t.pairStrokes, ch)) {
    if (Contains(t.pairStrokes, key)) {
      std::string afterKey = frame::TextAfter(t.pairStrokes, key);
      return Count(frame::TextBefore(frame::TextAfter(afterKey, "|"), "|"));
    }
    // Only a traditional form: the entry's count is that form's own count.
    std::string field = "|" + std::string(ch) + "|";
    if (Contains(t.pairStrokes, field))
      return Count(frame::TextBefore(frame::TextAfter(t.pairStrokes, field), "|"));
  }
  return LookupStrokeList(ch, t);
}

int LookupStrokeList(std::string_view ch, const TableTexts& t) {
  if (!chardata::IsHanziText(ch)) return 0;
  int p = gbk::Find(t.strokeList, ch);
  if (p < 0) return LookupStrokeGroup(ch, t);
  return Count(t.strokeList.substr(p + 1, 2));
}

int LookupStrokeGroup(std::string_view ch, const TableTexts& t) {
  if (!chardata::IsHanziText(ch)) return 0;
  std::string part = frame::TextBefore(t.strokeGroups, ch);
  int open = LastOccurrence(part, "{");
  int close = LastOccurrence(part, "}");
  if (open < 0 || close < open) return 0;
  return Count(std::string_view(part).substr(open, close - open - 1));
}

std::string GetFiveElement(std::string_view ch, const TableTexts& t) {
  int named = chardata::ElementNamed(ch);
  if (named != chardata::kUnknown) return std::string(ch);
  if (!chardata::IsHanziText(ch)) return chardata::ElementText(chardata::kUnknown);
  std::string part = frame::TextBefore(t.fiveElements, ch);
  int best = -1, bestElement = chardata::kUnknown;
  for (int e = chardata::kMetal; e <= chardata::kEarth; ++e) {
    int p = LastOccurrence(part, chardata::ElementText(e));
    if (p > best) {
      best = p;
      bestElement = e;
    }
  }
  return chardata::ElementText(bestElement);
}

std::string PinyinOf(std::string_view ch, const TableTexts& t) {
  if (ch.size() < 2) return {};
  if (chardata::Gb2312Index(static_cast<unsigned char>(ch[0]), static_cast<unsigned char>(ch[1])) < 0)
    return {};
  std::string_view c = ch.substr(0, 2);
  for (size_t line = 0; line < t.pinyin.size();) {
    size_t end = t.pinyin.find('\n', line);
    if (end == std::string_view::npos) end = t.pinyin.size();
    std::string_view row = t.pinyin.substr(line, end - line);
    if (row.size() > 3 && row.substr(0, 2) == c && row[2] == ' ') return std::string(row.substr(3));
    line = end + 1;
  }
  return {};
}

int LuckGradeOfNumber(int n, const TableTexts& t) {
  for (int i = 0; i < 5; ++i)
    if (n > 81) n -= 80;
  std::string key = "|" + std::to_string(n) + "|";
  if (gbk::Find(t.luck, key) < 0) return 0;
  std::string grade = frame::TextBefore(frame::TextAfter(t.luck, key), "|");
  if (grade == gbk::G("吉")) return 100;
  if (grade == gbk::G("半吉")) return 99;
  if (grade == gbk::G("凶")) return 98;
  return 0;
}

}  // namespace engine::reference
