#pragma once
// The region lists behind the region picker. Both lists ship as insert
// scripts (GBK, CR LF) under data/regions/ and are read by plain text
// operations:
//   province.sql  "insert into r_province values(N,'name');" a line, in the
//                 order the picker shows them;
//   city.sql      one block per province that has cities of its own, opened
//                 by a "--" comment line naming the province and holding
//                 "insert into r_city values(N,'city',P);" lines; the text
//                 ends with a lone "--". Municipalities have no block.
#include <string>
#include <string_view>
#include <vector>

namespace frame {

// The shipped scripts.
std::string_view ProvinceScript();
std::string_view CityScript();

// The quoted names of the script's insert lines, in script order. Lines
// without "insert" are skipped.
std::vector<std::string> ProvinceNamesFromScript(std::string_view script);

// The rows the city list shows for `province`:
// - the cities of the province's block (the quoted names of its insert
//   lines, in order) when the script has the province;
// - the province itself when the script does not have it (a municipality
//   is its own city);
// - nothing when no province is given.
// The province is found at character boundaries only, so its bytes can
// never be matched across two neighbouring characters of another name.
std::vector<std::string> CityRowsForProvince(std::string_view cityScript, std::string_view province);

// The region prefix a chosen list row gives: every "省" removed, then every
// "市". Both are removed as whole characters, never as a byte pair that
// straddles two characters. Blanks are kept.
std::string RegionPrefixFromName(std::string_view name);

}  // namespace frame
