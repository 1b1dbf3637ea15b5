#pragma once
// The stored character tables and the index built over them once.
//
// The tables are texts searched from their start, where the first occurrence
// of a character decides (a character listed twice, under two element labels
// or in two stroke blocks). The index walks each text once, records for every
// two-byte code what that first occurrence yields, and so answers with exactly
// the results of the scans in char_tables_reference.h, without scanning.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace engine::chardata {

// The stored tables, as the bytes shipped under data/chars/.
struct TableTexts {
  std::string_view simplifiedStrokes;  // 6768 little-endian int32, GB2312 code order
  std::string_view nameStrokes;        // "√" C "|" N "|" ...
  std::string_view pairStrokes;        // "√" C "|" T "|" N "|" ...
  std::string_view strokeList;         // C + two-byte count, blank separated
  std::string_view strokeGroups;       // "{N}" CR LF, then "：" groups
  std::string_view fiveElements;       // the stroke groups with “E” labels
  std::string_view luck;               // "|1|吉|2|凶|...|81|吉|"
  std::string_view pinyin;             // lines: C, a blank, the reading
  std::string_view traditional;        // lines: C, its traditional form
};

// The tables linked into the program.
const TableTexts& EmbeddedTables();

// A code of GBK's hanzi areas: GB2312 B0A1..F7FE, GBK/3 8140..A0FE and
// GBK/4 AA40..FEA0. Symbols, private-use codes and invalid pairs are not.
bool IsHanziCode(unsigned lead, unsigned trail);

// A non-empty text made of hanzi codes only.
bool IsHanziText(std::string_view text);

inline std::uint16_t CodeOf(std::string_view ch) {
  return static_cast<std::uint16_t>((static_cast<unsigned char>(ch[0]) << 8) |
                                    static_cast<unsigned char>(ch[1]));
}

// The five elements in the order the lookups try them, then "未".
enum Element : std::uint8_t { kMetal, kWood, kWater, kFire, kEarth, kUnknown };

// GBK text of an element: "金" "木" "水" "火" "土" "未".
const std::string& ElementText(int element);

// The element a text names (exactly one of the five words), or kUnknown.
int ElementNamed(std::string_view text);

// GB2312 table index of a code, or -1.
inline int Gb2312Index(unsigned lead, unsigned trail) {
  if (lead < 0xB0 || lead > 0xF7 || trail < 0xA1 || trail > 0xFE) return -1;
  return static_cast<int>((lead - 0xB0) * 94 + (trail - 0xA1));
}

// Entry `index` of the simplified stroke table (0 past its end).
int SimplifiedStrokeEntry(std::string_view table, int index);

class CharIndex {
 public:
  explicit CharIndex(const TableTexts& texts);

  // GetKangxiStrokes without the overrides: name text, pair text, stroke list.
  int Kangxi(std::uint16_t code) const { return kangxi_[code]; }
  int StrokeList(std::uint16_t code) const { return strokeList_[code]; }
  int StrokeGroup(std::uint16_t code) const { return strokeGroup_[code]; }
  int Element(std::uint16_t code) const { return element_[code]; }
  std::uint16_t Traditional(std::uint16_t code) const { return traditional_[code]; }
  // The reading of a GB2312 index (empty when none is stored).
  std::string_view Pinyin(int gb2312Index) const {
    const Reading& r = pinyin_[gb2312Index];
    return {r.letters, r.length};
  }

 private:
  struct Reading {
    char letters[8] = {};
    std::uint8_t length = 0;
  };
  std::vector<std::int32_t> kangxi_, strokeList_, strokeGroup_;
  std::vector<std::uint8_t> element_;
  std::vector<std::uint16_t> traditional_;
  std::array<Reading, 6768> pinyin_{};
};

// The index of the embedded tables, built on first use (thread-safe).
const CharIndex& EmbeddedIndex();

}  // namespace engine::chardata
