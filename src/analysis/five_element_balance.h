#pragma once
// The five-element balance analysis of the boss's name and birth date: the
// name's strokes, Kangxi forms, elements, five grids and three talents; the
// birth date's lunar date, Spring Festival, pillars, nayin and elements; and
// the count of each element over both, naming the heavy and missing ones.
// Texts are GBK; lines end in CR LF.
#include <string>
#include <string_view>

namespace analysis {

struct FiveGrids {
  int heaven = 0;  // 天格
  int person = 0;  // 人格
  int earth = 0;   // 地格
  int total = 0;   // 总格
  int outer = 0;   // 外格
};

// Kangxi stroke count of a character; 0 for a text shorter than one
// two-byte unit. Looked up afresh every time, so the information file's
// overrides count as soon as they arrive.
int GetCachedKangxiStrokes(std::string_view ch);

// The grids of a one- or two-character surname and a one- to
// three-character given name; any other length leaves that side at 0.
FiveGrids ComputeFiveGrids(std::string_view surname, std::string_view given);

// The element of a grid number by its last digit: 1 2 木, 3 4 火, 5 6 土,
// 7 8 金, 9 0 水; "未" for a negative number.
std::string GetNumberElement(int n);
std::string BuildThreeTalents(int heaven, int person, int earth);

// The birth date and hour as the window's lists show them ("未知" is an
// hour too); an empty text stands for a list without a selection.
struct BirthInput {
  std::string year, month, day, hour;
};

// The whole text of 八字编辑框 after 测算, once the window has checked that
// neither box was empty and has cleaned the surname (which may leave it
// empty): "所选时间不存在" when the date does not exist (or a list of the
// date has no selection); the name's analysis and a sentence asking for the
// hour when the hour is "未知" or not chosen; else the full analysis.
std::string AnalyseBalance(std::string_view surname, std::string_view given, const BirthInput& birth);

// The parts, exposed for their own tests.
std::string GetHourBranch(int hour);  // "未知" outside 0..23
// The nayin name of a stem-branch pair; empty when the pair is unknown.
std::string LookupNayin(std::string_view pair);
std::string GetStemBranchElement(std::string_view pair);
int CountOccurrences(std::string_view text, std::string_view sought);
// The lunar date text of a date and hour by `pattern` ("%Y" the year's
// sexagenary name, which changes on the Spring Festival; "%M", "%D", "%S" as
// platform::FormatLunarDate); empty outside 1930..2046.
std::string FormatLunarYear(int year, int month, int day, int hour, std::string_view pattern);

}  // namespace analysis
