#include "platform/lunar_calendar.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "platform/embedded.h"
#include "platform/gbk.h"

namespace platform {
namespace {

constexpr int kTableFirstYear = 1900;  // the tables start a year early for January
constexpr int kTableLastYear = 2100;
constexpr int kTableYears = kTableLastYear - kTableFirstYear + 1;

struct LunarYear {
  long firstDay = 0;  // DayNumber of 正月初一
  int leapMonth = 0;  // 0: none
  std::vector<int> lengths;
};

struct Tables {
  std::array<std::array<std::int64_t, 12>, kTableYears> jie{};  // minutes since 1970-01-01
  std::array<LunarYear, kTableYears> lunar{};
  std::array<std::string, 60> sexagenary;
  std::array<std::string, 12> monthNames, zodiac;
  std::array<std::string, 30> dayNames;
  std::string leapMark;
};

// Reads the unsigned number at text[pos..] and moves past it and one separator.
int Number(std::string_view text, size_t& pos) {
  int value = 0;
  auto [end, ec] = std::from_chars(text.data() + pos, text.data() + text.size(), value);
  if (ec != std::errc()) throw std::runtime_error("calendar table");
  pos = static_cast<size_t>(end - text.data()) + 1;
  return value;
}

void LoadJie(Tables& t) {
  std::string_view text = EmbeddedFile("calendar/jie.txt");
  size_t pos = 0;
  for (int i = 0; i < kTableYears; ++i) {
    int year = Number(text, pos);
    if (year != kTableFirstYear + i) throw std::runtime_error("calendar table");
    for (int k = 0; k < 12; ++k) {
      int month = Number(text, pos), day = Number(text, pos);
      int hour = Number(text, pos), minute = Number(text, pos);
      t.jie[i][k] = static_cast<std::int64_t>(DayNumber(year, month, day)) * 1440 + hour * 60 + minute;
    }
  }
}

void LoadLunar(Tables& t) {
  std::string_view text = EmbeddedFile("calendar/lunar_months.txt");
  size_t pos = 0;
  for (int i = 0; i < kTableYears; ++i) {
    LunarYear& y = t.lunar[i];
    int year = Number(text, pos);
    if (year != kTableFirstYear + i) throw std::runtime_error("calendar table");
    int month = Number(text, pos), day = Number(text, pos);
    y.firstDay = DayNumber(year, month, day);
    y.leapMonth = Number(text, pos);
    y.lengths.resize(y.leapMonth ? 13 : 12);
    for (int& n : y.lengths) n = Number(text, pos);
  }
}

void LoadNames(Tables& t) {
  const std::string stems = gbk::G("甲乙丙丁戊己庚辛壬癸");
  const std::string branches = gbk::G("子丑寅卯辰巳午未申酉戌亥");
  for (int i = 0; i < 60; ++i) t.sexagenary[i] = stems.substr(i % 10 * 2, 2) + branches.substr(i % 12 * 2, 2);
  const char* months[12] = {"正月", "二月", "三月", "四月", "五月", "六月",
                            "七月", "八月", "九月", "十月", "冬月", "腊月"};
  for (int i = 0; i < 12; ++i) t.monthNames[i] = gbk::G(months[i]);
  const std::string animals = gbk::G("鼠牛虎兔龙蛇马羊猴鸡狗猪");
  for (int i = 0; i < 12; ++i) t.zodiac[i] = animals.substr(i * 2, 2);
  const std::string digits = gbk::G("一二三四五六七八九十");
  const std::string tens[3] = {gbk::G("初"), gbk::G("十"), gbk::G("廿")};
  for (int d = 1; d <= 30; ++d) {
    int unit = (d - 1) % 10;  // 0..9 for 一..十
    std::string& name = t.dayNames[d - 1];
    if (d == 20)
      name = gbk::G("二十");
    else if (d == 30)
      name = gbk::G("三十");
    else
      name = tens[(d - 1) / 10] + digits.substr(unit * 2, 2);
  }
  t.leapMark = gbk::G("闰");
}

const Tables& Data() {
  static const Tables tables = [] {
    Tables t;
    LoadJie(t);
    LoadLunar(t);
    LoadNames(t);
    return t;
  }();
  return tables;
}

bool Covered(int year) { return year >= kCalendarFirstYear && year <= kCalendarLastYear; }

int Mod(long a, int n) { return static_cast<int>(((a % n) + n) % n); }

// Index 0..59 of the stem-branch pair.
int PairIndex(int stem, int branch) { return Mod(6L * stem - 5L * branch, 60); }

// The lunar year record holding a day, or nullptr.
const LunarYear* LunarYearOf(long day, int gregorianYear, int* lunarYear) {
  const Tables& t = Data();
  int y = gregorianYear;
  if (y < kTableFirstYear || y > kTableLastYear) return nullptr;
  if (day < t.lunar[y - kTableFirstYear].firstDay) --y;
  if (y < kTableFirstYear) return nullptr;
  *lunarYear = y;
  return &t.lunar[y - kTableFirstYear];
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
  static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1) return false;
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= days[month - 1] + (month == 2 && leap ? 1 : 0);
}

long DayNumber(int year, int month, int day) {
  // Days from civil (proleptic Gregorian), era-based.
  // Counted in long from the start: the int arguments may lie at their
  // limits, where one more or less would overflow.
  const long m = month;
  long y = static_cast<long>(year) - (m <= 2 ? 1 : 0);
  long era = (y >= 0 ? y : y - 399) / 400;
  long yoe = y - era * 400;
  long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + static_cast<long>(day) - 1;
  long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int Weekday(int year, int month, int day) { return Mod(DayNumber(year, month, day) + 4, 7); }

std::optional<LunarDate> ToLunar(int year, int month, int day) {
  if (!Covered(year) || !IsValidDate(year, month, day)) return std::nullopt;
  long n = DayNumber(year, month, day);
  int lunarYear = 0;
  const LunarYear* y = LunarYearOf(n, year, &lunarYear);
  if (!y) return std::nullopt;
  long offset = n - y->firstDay;
  int number = 0;
  for (size_t i = 0; i < y->lengths.size(); ++i) {
    bool leap = y->leapMonth && static_cast<int>(i) == y->leapMonth;
    if (!leap) ++number;
    if (offset < y->lengths[i]) return LunarDate{lunarYear, number, static_cast<int>(offset) + 1, leap};
    offset -= y->lengths[i];
  }
  return std::nullopt;  // not reached: the next year's first day comes first
}

std::optional<CivilDate> FromLunar(int lunarYear, int lunarMonth, int lunarDay, bool leap) {
  if (lunarYear < kTableFirstYear || lunarYear > kTableLastYear || lunarMonth < 1 || lunarMonth > 12 ||
      lunarDay < 1)
    return std::nullopt;
  const LunarYear& y = Data().lunar[lunarYear - kTableFirstYear];
  if (leap && y.leapMonth != lunarMonth) return std::nullopt;
  long day = y.firstDay;
  int number = 0;
  for (size_t i = 0; i < y.lengths.size(); ++i) {
    bool isLeap = y.leapMonth && static_cast<int>(i) == y.leapMonth;
    if (!isLeap) ++number;
    if (number == lunarMonth && isLeap == leap) {
      if (lunarDay > y.lengths[i]) return std::nullopt;
      day += lunarDay - 1;
      // Back to civil (inverse of DayNumber).
      long z = day + 719468;
      long era = (z >= 0 ? z : z - 146096) / 146097;
      long doe = z - era * 146097;
      long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
      long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
      long mp = (5 * doy + 2) / 153;
      int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
      int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
      int yr = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
      if (!Covered(yr)) return std::nullopt;
      return CivilDate{yr, m, d};
    }
    day += y.lengths[i];
  }
  return std::nullopt;
}

std::optional<Pillars> FourPillars(int year, int month, int day, int hour, int minute) {
  if (!Covered(year) || !IsValidDate(year, month, day) || hour < 0 || hour > 23 || minute < 0 || minute > 59)
    return std::nullopt;
  const Tables& t = Data();
  long dayNumber = DayNumber(year, month, day);
  std::int64_t moment = static_cast<std::int64_t>(dayNumber) * 1440 + hour * 60 + minute;
  const auto& terms = t.jie[year - kTableFirstYear];
  // The last 节 reached: 0 小寒 .. 11 大雪, or the previous year's 大雪.
  int k = 11;
  while (k >= 0 && moment < terms[k]) --k;
  int solarYear = k >= 1 ? year : year - 1;  // 立春 is term 1
  int monthBranch = (k + 13) % 12;           // 小寒 -> 丑, 立春 -> 寅, 大雪 (11 or -1) -> 子
  int yearIndex = Mod(solarYear - 4, 60);
  int firstMonthStem = (yearIndex % 10 % 5 * 2 + 2) % 10;  // stem of the 寅 month
  int monthStem = (firstMonthStem + Mod(monthBranch - 2, 12)) % 10;
  int dayIndex = Mod(dayNumber + 2440588 + 49, 60);  // JDN = DayNumber + 2440588
  int hourCount = (hour + 1) / 2;                    // 0..12; 12 is the next day's 子
  int hourStem = (dayIndex % 10 % 5 * 2 + hourCount) % 10;
  int hourBranch = hourCount % 12;
  return Pillars{t.sexagenary[yearIndex], t.sexagenary[PairIndex(monthStem, monthBranch)],
                 t.sexagenary[dayIndex], t.sexagenary[PairIndex(hourStem, hourBranch)]};
}

std::string FormatLunarDate(int year, int month, int day, std::string_view pattern) {
  std::optional<LunarDate> lunar = ToLunar(year, month, day);
  if (!lunar) return {};
  const Tables& t = Data();
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (gbk::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < pattern.size()) {
      out.append(pattern.substr(i++, 2));
    } else if (c == '%' && i + 1 < pattern.size() &&
               (pattern[i + 1] == 'M' || pattern[i + 1] == 'D' || pattern[i + 1] == 'S')) {
      char what = pattern[++i];
      if (what == 'M')
        out += (lunar->leap ? t.leapMark : std::string()) + t.monthNames[lunar->month - 1];
      else if (what == 'D')
        out += t.dayNames[lunar->day - 1];
      else
        out += t.zodiac[Mod(lunar->year - 4, 12)];
    } else {
      out += c;
    }
  }
  return out;
}

const std::string& SexagenaryName(int index) { return Data().sexagenary[Mod(index, 60)]; }

}  // namespace platform
