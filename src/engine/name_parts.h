#pragma once
// The attributes of the parts of a company name and the rows of the result
// grid built from them.
//
// A part (region prefix, generated name, industry suffix) is walked two bytes
// at a time, a last odd byte ignored, so a prefix the user kept with ASCII in
// it is still read the way the stroke totals have always been formed.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

struct NamePartAttributes {
  std::string text;
  int simplifiedStrokes = 0;    // sum; an unknown unit adds -1
  std::string traditionalForm;  // concatenated
  int kangxiStrokes = 0;        // sum; an unknown unit adds 0
  std::string fiveElements;     // one element character per unit, in order
};

// The attributes of `part`, straight from the character lookups.
NamePartAttributes ComputeNamePartAttributes(std::string_view part);

// Remembers the four lookups per two-byte unit for the length of one run:
// a run asks for the same few hundred characters thousands of times, and the
// lookups are pure, so a remembered answer is the answer.
class CharacterAttributeCache {
 public:
  struct Unit {
    int simplifiedStrokes = 0;
    int kangxiStrokes = 0;
    std::string traditionalForm;
    std::string fiveElement;
  };

  CharacterAttributeCache();
  const Unit& Of(unsigned char first, unsigned char second);
  NamePartAttributes PartAttributes(std::string_view part);

 private:
  std::vector<std::int32_t> index_;  // by the unit's 16 bits; -1 when not yet looked up
  std::vector<Unit> units_;
};

// One row of the result grid, kept as GBK.
struct ResultRow {
  int serial = 0;               // 编号
  std::string fullName;         // 公司名: prefix + name + suffix
  int simplifiedStrokes = 0;    // 简体笔画 of the full name
  std::string traditionalForm;  // 繁体字 of the full name
  int kangxiStrokes = 0;        // 康熙笔画 of the full name
  std::string fiveElements;     // 五行属性 of the generated name only
  int score = 0;                // 评分: luck grade of the full Kangxi total
  std::string name;             // 主体: the generated name
};

inline constexpr int kResultColumnCount = 8;

// Header of a grid column (GBK): 编号, 公司名, 简体笔画, 繁体字, 康熙笔画,
// 五行属性, 评分, 主体. Empty outside 0..7.
const std::string& ResultColumnHeader(int column);

// The text of one cell as the grid shows it (GBK; numbers in decimal).
std::string ResultCellText(const ResultRow& row, int column);

// Lists `name` between the prefix and the suffix whose attributes are given.
ResultRow MakeResultRow(int serial, const NamePartAttributes& prefix, std::string_view name,
                        const NamePartAttributes& suffix, CharacterAttributeCache& cache);

}  // namespace engine
