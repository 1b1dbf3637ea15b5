#include "engine/name_parts.h"

#include <array>
#include <utility>

#include "engine/char_tables.h"
#include "platform/gbk.h"

namespace engine {

namespace {

template <class Lookup>
NamePartAttributes Walk(std::string_view part, Lookup&& unitOf) {
  NamePartAttributes a;
  a.text = std::string(part);
  for (std::size_t i = 0; i + 1 < part.size(); i += 2) {
    const auto& u = unitOf(static_cast<unsigned char>(part[i]), static_cast<unsigned char>(part[i + 1]));
    a.simplifiedStrokes += u.simplifiedStrokes;
    a.traditionalForm += u.traditionalForm;
    a.kangxiStrokes += u.kangxiStrokes;
    a.fiveElements += u.fiveElement;
  }
  return a;
}

CharacterAttributeCache::Unit LookUp(unsigned char first, unsigned char second) {
  const char bytes[2] = {static_cast<char>(first), static_cast<char>(second)};
  std::string_view c(bytes, 2);
  CharacterAttributeCache::Unit u;
  u.simplifiedStrokes = GetSimplifiedStrokes(c);
  u.traditionalForm = ToTraditionalForm(c);
  u.kangxiStrokes = GetKangxiStrokes(c);
  u.fiveElement = GetFiveElement(c);
  return u;
}

}  // namespace

NamePartAttributes ComputeNamePartAttributes(std::string_view part) {
  CharacterAttributeCache::Unit u;
  return Walk(part, [&u](unsigned char a, unsigned char b) -> const CharacterAttributeCache::Unit& {
    u = LookUp(a, b);
    return u;
  });
}

CharacterAttributeCache::CharacterAttributeCache() : index_(65536, -1) {}

const CharacterAttributeCache::Unit& CharacterAttributeCache::Of(unsigned char first, unsigned char second) {
  std::int32_t& slot = index_[(static_cast<unsigned>(first) << 8) | second];
  if (slot < 0) {
    slot = static_cast<std::int32_t>(units_.size());
    units_.push_back(LookUp(first, second));
  }
  return units_[static_cast<std::size_t>(slot)];
}

NamePartAttributes CharacterAttributeCache::PartAttributes(std::string_view part) {
  return Walk(part, [this](unsigned char a, unsigned char b) -> const Unit& { return Of(a, b); });
}

const std::string& ResultColumnHeader(int column) {
  static const std::array<std::string, kResultColumnCount> headers = {
      gbk::G("编号"),     gbk::G("公司名"),   gbk::G("简体笔画"), gbk::G("繁体字"),
      gbk::G("康熙笔画"), gbk::G("五行属性"), gbk::G("评分"),     gbk::G("主体")};
  static const std::string none;
  if (column < 0 || column >= kResultColumnCount) return none;
  return headers[static_cast<std::size_t>(column)];
}

std::string ResultCellText(const ResultRow& row, int column) {
  switch (column) {
    case 0:
      return std::to_string(row.serial);
    case 1:
      return row.fullName;
    case 2:
      return std::to_string(row.simplifiedStrokes);
    case 3:
      return row.traditionalForm;
    case 4:
      return std::to_string(row.kangxiStrokes);
    case 5:
      return row.fiveElements;
    case 6:
      return std::to_string(row.score);
    case 7:
      return row.name;
    default:
      return {};
  }
}

ResultRow MakeResultRow(int serial, const NamePartAttributes& prefix, std::string_view name,
                        const NamePartAttributes& suffix, CharacterAttributeCache& cache) {
  NamePartAttributes n = cache.PartAttributes(name);
  ResultRow row;
  row.serial = serial;
  row.fullName.reserve(prefix.text.size() + n.text.size() + suffix.text.size());
  row.fullName.append(prefix.text).append(n.text).append(suffix.text);
  row.simplifiedStrokes = prefix.simplifiedStrokes + n.simplifiedStrokes + suffix.simplifiedStrokes;
  row.kangxiStrokes = prefix.kangxiStrokes + n.kangxiStrokes + suffix.kangxiStrokes;
  row.traditionalForm.reserve(prefix.traditionalForm.size() + n.traditionalForm.size() +
                              suffix.traditionalForm.size());
  row.traditionalForm.append(prefix.traditionalForm).append(n.traditionalForm).append(suffix.traditionalForm);
  row.fiveElements = std::move(n.fiveElements);
  row.score = LuckGradeOfNumber(row.kangxiStrokes);
  row.name = std::move(n.text);
  return row;
}

}  // namespace engine
