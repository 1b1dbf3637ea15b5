#pragma once
// The lookups as plain scans of the stored texts, exactly as they are
// searched: from the start, at character boundaries, the first occurrence
// deciding. The program answers through the index (char_tables_index.h); these
// scans are the yardstick the index is proved against and benchmarked with.
//
// Input that is no hanzi (one-byte characters, symbols, a dangling lead byte)
// gets the neutral values without a search: the tables hold digits and
// separators, and a containment test on them would read counts out of
// nowhere.
#include <optional>
#include <string>
#include <string_view>

#include "engine/char_tables_index.h"

namespace engine::reference {

using chardata::TableTexts;

int GetSimplifiedStrokes(std::string_view ch, const TableTexts& t);
std::string ToTraditionalForm(std::string_view text, const TableTexts& t);
int GetKangxiStrokes(std::string_view ch, std::string_view overrides, const TableTexts& t);
int LookupStrokeList(std::string_view ch, const TableTexts& t);
int LookupStrokeGroup(std::string_view ch, const TableTexts& t);
std::string GetFiveElement(std::string_view ch, const TableTexts& t);
std::string PinyinOf(std::string_view ch, const TableTexts& t);
int LuckGradeOfNumber(int n, const TableTexts& t);

// The override count of a hanzi text, or nothing when the overrides do not
// answer for it (absent, or present without the "-" that would give a count).
std::optional<int> OverrideCount(std::string_view ch, std::string_view overrides);

}  // namespace engine::reference
