#include "frame/regions.h"

#include "frame/text_helpers.h"
#include "platform/embedded.h"
#include "platform/gbk.h"

namespace frame {
namespace {

// The text between the first and the second "'" of an insert line.
std::string QuotedName(std::string_view line) { return TextBefore(TextAfter(line, "'"), "'"); }

// Lines are recognised case-sensitively: "INSERT" is not an insert line.
bool IsInsertLine(std::string_view line) { return gbk::Find(line, "insert") > 0; }

}  // namespace

std::string_view ProvinceScript() { return platform::EmbeddedFile("regions/province.sql"); }

std::string_view CityScript() { return platform::EmbeddedFile("regions/city.sql"); }

std::vector<std::string> ProvinceNamesFromScript(std::string_view script) {
  std::vector<std::string> names;
  for (std::string_view line : gbk::SplitLines(script))
    if (IsInsertLine(line)) names.push_back(QuotedName(line));
  return names;
}

std::vector<std::string> CityRowsForProvince(std::string_view cityScript, std::string_view province) {
  if (province.empty()) return {};
  int at = gbk::Find(cityScript, province);
  if (at < 0) return {std::string(province)};
  std::string_view block = cityScript.substr(static_cast<size_t>(at - 1) + province.size());
  // The block runs to the next comment line; the last one to the end when
  // the closing "--" is missing.
  if (int end = gbk::Find(block, "--"); end > 0) block = block.substr(0, static_cast<size_t>(end - 1));
  std::vector<std::string> cities;
  for (std::string_view line : gbk::SplitLines(block))
    if (IsInsertLine(line)) cities.push_back(QuotedName(line));
  return cities;
}

std::string RegionPrefixFromName(std::string_view name) {
  static const std::string province = gbk::G("省");
  static const std::string city = gbk::G("市");
  return gbk::ReplaceAll(gbk::ReplaceAll(name, province, ""), city, "");
}

}  // namespace frame
