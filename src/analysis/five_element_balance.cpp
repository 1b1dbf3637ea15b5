#include "analysis/five_element_balance.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "engine/char_tables.h"
#include "platform/embedded.h"
#include "platform/gbk.h"
#include "platform/lunar_calendar.h"

namespace analysis {
namespace {

using gbk::G;

const std::string kCrLf = "\r\n";

std::string Stored(std::string_view name) { return std::string(platform::EmbeddedFile(name)); }

std::vector<std::string> SplitAt(std::string_view text, std::string_view separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (int at; (at = gbk::Find(text, separator, false, static_cast<int>(start) + 1)) > 0;) {
    parts.emplace_back(text.substr(start, at - 1 - start));
    start = at - 1 + separator.size();
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

// The stored comma lists of the analysis, read once.
const std::vector<std::string>& SpringFestivalHours() {
  static const std::vector<std::string> hours = SplitAt(Stored("balance/spring_festival.txt"), ",");
  return hours;
}
const std::vector<std::string>& YearNames() {  // 1929 .. 2047
  static const std::vector<std::string> names = SplitAt(Stored("balance/year_names.txt"), ",");
  return names;
}

std::string YearName(int year) {
  if (year < 1929) return {};
  size_t i = static_cast<size_t>(year - 1929);
  return i < YearNames().size() ? YearNames()[i] : std::string();
}

// A whole decimal number, nothing else; nullopt for an empty or other text.
std::optional<int> WholeNumber(const std::string& text) {
  if (text.empty() || text.size() > 6 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  return std::stoi(text);
}

const char* const kWeekdays[7] = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
const char* const kElementOrder[5] = {"金", "木", "水", "火", "土"};

std::string NameAnalysis(std::string_view surname, std::string_view given, std::string& elements) {
  const std::string name = std::string(surname) + std::string(given);
  int simplified = 0, kangxi = 0;
  std::string pinyins, traditional;
  for (const std::string& ch : gbk::SplitPairs(name)) {
    engine::CharacterAttributes a = engine::LookupNameAttributes(ch);
    // A character without data counts 0 strokes, never a negative total.
    simplified += std::max(a.simplifiedStrokes, 0);
    kangxi += a.kangxiStrokes;
    pinyins += a.pinyin + "  ";
    elements += a.fiveElement;
    traditional += a.traditional;
  }
  if (pinyins.size() >= 2) pinyins.resize(pinyins.size() - 2);
  FiveGrids g = ComputeFiveGrids(surname, given);
  return G("公司老板姓名:") + name + "  (" + pinyins + ")" + kCrLf + G("简体笔画:") +
         std::to_string(simplified) + "  " + G("康熙字:") + traditional + "  " + G("康熙笔画:") +
         std::to_string(kangxi) + "  " + G("五行属性:") + elements + kCrLf + G("天格:") +
         std::to_string(g.heaven) + "  " + G("地格:") + std::to_string(g.earth) + "  " + G("人格:") +
         std::to_string(g.person) + "  " + G("外格:") + std::to_string(g.outer) + "  " + G("总格:") +
         std::to_string(g.total) + "  " + G("三才:") + BuildThreeTalents(g.heaven, g.person, g.earth) +
         kCrLf + kCrLf;
}

// The birth half appended to the name half; nullopt when the date does not exist.
std::optional<std::string> BirthAnalysis(const BirthInput& in, std::string& elements) {
  std::optional<int> y = WholeNumber(in.year), m = WholeNumber(in.month), d = WholeNumber(in.day),
                     h = WholeNumber(in.hour);
  if (!y || !m || !d || !h || *h > 23 || !platform::IsValidDate(*y, *m, *d)) return std::nullopt;
  std::optional<platform::Pillars> p = platform::FourPillars(*y, *m, *d, *h);
  if (!p) return std::nullopt;

  const std::string dateText = in.year + G("年") + in.month + G("月") + in.day + G("日") + in.hour + G("时");
  std::string birth =
      G("公历：") + dateText + "(" + G(kWeekdays[platform::Weekday(*y, *m, *d)]) + ")" + kCrLf;
  birth += G("农历：") + FormatLunarYear(*y, *m, *d, *h, G("%Y年%M%D")) + G("日") + GetHourBranch(*h) +
           G("时") + kCrLf;
  std::string festival;
  if (auto f = platform::FromLunar(*y, 1, 1, false))
    festival = std::to_string(f->month) + G("月") + std::to_string(f->day) + G("日");
  birth += G("春节：") + festival + kCrLf;

  const std::string pillars[4] = {p->year, p->month, p->day, p->hour};
  std::string nayin[4];
  for (int i = 0; i < 4; ++i) nayin[i] = LookupNayin(pillars[i]);
  birth += G("天运五行：") + (nayin[0].size() >= 2 ? nayin[0].substr(nayin[0].size() - 2) : "") + kCrLf;
  birth += G("纳音：") + nayin[0] + "  " + nayin[1] + "  " + nayin[2] + "  " + nayin[3] + kCrLf;
  birth += G("八字：") + pillars[0] + "  " + pillars[1] + "  " + pillars[2] + "  " + pillars[3] + kCrLf;

  std::string eight;
  for (int i = 0; i < 4; ++i) eight += (i ? "  " : "") + GetStemBranchElement(pillars[i]);
  elements += "  " + eight;
  std::string missing;
  for (const char* e : kElementOrder)
    if (gbk::Find(eight, G(e)) < 0) missing += G(e);
  birth += G("五行：") + eight + (missing.empty() ? "" : G(" (五行缺") + missing + ")") + kCrLf;
  birth += G("生肖：") + FormatLunarYear(*y, *m, *d, *h, "%S");

  std::string text = birth + kCrLf + kCrLf + G("姓名生辰八字五行总计:") + elements + kCrLf;
  std::string heavy, lacking;
  for (const char* e : kElementOrder) {
    int n = CountOccurrences(elements, G(e));
    if (n > 3) heavy += G(e);
    if (n < 1) lacking += G(e);
  }
  if (heavy.empty()) heavy = G("无");
  if (lacking.empty()) lacking = G("无");
  text += G("偏重的五行元素:") + heavy + "  " + G("缺少的五行元素:") + lacking + kCrLf + kCrLf +
          G("公司取名用字建议:不带偏重的五行元素,补上缺少的五行元素") + kCrLf;
  return text;
}

}  // namespace

int GetCachedKangxiStrokes(std::string_view ch) { return ch.size() < 2 ? 0 : engine::GetKangxiStrokes(ch); }

FiveGrids ComputeFiveGrids(std::string_view surname, std::string_view given) {
  auto k = [](std::string_view text, size_t i) { return GetCachedKangxiStrokes(text.substr(2 * i, 2)); };
  int surnameLast = 0, surnameTotal = 0, surnameExtra = 0, givenFirst = 0, givenTotal = 0, givenExtra = 0;
  FiveGrids g;
  if (surname.size() == 2) {
    surnameLast = surnameTotal = k(surname, 0);
    g.heaven = surnameTotal + 1;
    surnameExtra = 1;
  } else if (surname.size() == 4) {
    surnameLast = k(surname, 1);
    surnameTotal = g.heaven = k(surname, 0) + surnameLast;
  }
  if (given.size() == 2) {
    givenFirst = givenTotal = k(given, 0);
    g.earth = givenTotal + 1;
    givenExtra = 1;
  } else if (given.size() == 4 || given.size() == 6) {
    givenFirst = k(given, 0);
    for (size_t i = 0; i < given.size() / 2; ++i) givenTotal += k(given, i);
    g.earth = givenTotal;
  }
  g.person = surnameLast + givenFirst;
  g.total = surnameTotal + givenTotal;
  g.outer = g.total - g.person + surnameExtra + givenExtra;
  return g;
}

std::string GetNumberElement(int n) {
  if (n < 0) return G("未");
  static const char* const kByDigit[10] = {"水", "木", "木", "火", "火", "土", "土", "金", "金", "水"};
  return G(kByDigit[n % 10]);
}

std::string BuildThreeTalents(int heaven, int person, int earth) {
  return GetNumberElement(heaven) + GetNumberElement(person) + GetNumberElement(earth);
}

std::string GetHourBranch(int hour) {
  for (const std::string& line : SplitAt(Stored("balance/hour_table.txt"), kCrLf)) {
    size_t blank = line.find(' ');
    if (blank != std::string::npos && gbk::ParseDecimal(line.substr(blank + 1)) == hour &&
        !line.substr(blank + 1).empty())
      return line.substr(0, blank);
  }
  return G("未知");
}

std::string LookupNayin(std::string_view pair) {
  if (pair.empty()) return {};
  std::string name;
  for (const std::string& entry : SplitAt(gbk::ReplaceAll(Stored("balance/nayin.txt"), kCrLf, ""), G("，")))
    if (entry.size() >= 6 && gbk::Find(entry, pair) > 0) name = entry.substr(entry.size() - 6);
  return name;
}

std::string GetStemBranchElement(std::string_view pair) {
  if (pair.size() < 4) return {};
  static const std::string table = Stored("balance/stem_branch_elements.txt");
  auto elementOf = [](std::string_view ch) -> std::string {
    int at = gbk::Find(table, ch);
    if (at < 0) return {};
    size_t from = at - 1 + ch.size();
    size_t end = table.find(kCrLf, from);
    return table.substr(from, end == std::string::npos ? std::string::npos : end - from);
  };
  return elementOf(pair.substr(0, 2)) + elementOf(pair.substr(pair.size() - 2));
}

int CountOccurrences(std::string_view text, std::string_view sought) {
  if (sought.empty()) return 0;
  return static_cast<int>(SplitAt(text, sought).size()) - 1;
}

std::string FormatLunarYear(int year, int month, int day, int hour, std::string_view pattern) {
  const std::vector<std::string>& table = SpringFestivalHours();
  if (year < 1930) return {};
  size_t i = static_cast<size_t>(year - 1930);
  if (i >= table.size()) return {};
  long hours = (platform::DayNumber(year, month, day) - platform::DayNumber(year, 1, 1)) * 24 + hour;
  std::string name = hours >= gbk::ParseDecimal(table[i]) ? YearName(year) : YearName(year - 1);
  std::string resolved = gbk::ReplaceAll(gbk::ReplaceAll(pattern, "%Y", name), "%y", name);
  return platform::FormatLunarDate(year, month, day, resolved);
}

std::string AnalyseBalance(std::string_view surname, std::string_view given, const BirthInput& birth) {
  std::string elements;
  std::string text = NameAnalysis(surname, given, elements);
  // Without the hour there is no hour pillar, so no eight characters: the
  // name's half stands alone, and the user learns what is missing.
  std::optional<int> y = WholeNumber(birth.year), m = WholeNumber(birth.month), d = WholeNumber(birth.day);
  if ((birth.hour.empty() || birth.hour == G("未知")) && y && m && d && platform::IsValidDate(*y, *m, *d))
    return text +
           G("出生时辰未知，无法排出生辰八字，这次只分析了姓名。请选好出生的时辰（0至23时）再点“测算”。") +
           kCrLf;
  std::optional<std::string> birthText = BirthAnalysis(birth, elements);
  if (!birthText) return G("所选时间不存在");
  return text + *birthText;
}

}  // namespace analysis
