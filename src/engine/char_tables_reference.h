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

// The override count of a hanzi text: its first entry that has a "/" and a
// count in 1..99; nothing when no entry of it does.
std::optional<int> OverrideCount(std::string_view ch, std::string_view overrides);

// The count of an entry's digits (the text between "-" and "/") when it is
// in 1..99: counts beyond that are no Kangxi count and would overflow sums.
std::optional<int> SaneOverrideCount(std::string_view digits);

}  // namespace engine::reference
