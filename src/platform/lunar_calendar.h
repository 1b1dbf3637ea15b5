#pragma once
// The Chinese lunar calendar and the sexagenary pillars of a moment, for the
// Gregorian years 1901 to 2100, in Beijing standard time (UTC+8, no daylight
// saving, no true-solar-time correction).
//
// The tables under data/calendar/ are made from an ephemeris by
// tools/calendar/make_calendar_data.py: the twelve minor terms (节) of every
// year to the minute, and the lunar months with their leap months.
//
// Pillars:
// - year: changes at the moment of 立春, not at the lunar new year;
// - month: changes at the moment of each 节 (小寒 starts the 丑 month,
//   立春 the 寅 month, ...); a moment at or after a term counts as reached;
// - day: changes at 00:00; (JDN + 49) mod 60, 0 being 甲子;
// - hour: 子 runs from 23:00 to 00:59, 丑 from 01:00, and so on. The hour
//   from 23:00 is the next day's 子 hour: its stem follows the next day's
//   stem, while the day pillar stays that of the calendar date until 00:00.
//
// Texts are GBK.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct CivilDate {
  int year = 0;
  int month = 0;
  int day = 0;
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

struct LunarDate {
  int year = 0;   // the Gregorian year in which its first month begins
  int month = 0;  // 1..12
  int day = 0;    // 1..30
  bool leap = false;
  friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

struct Pillars {
  std::string year, month, day, hour;  // two characters each
};

// First and last Gregorian years covered.
inline constexpr int kCalendarFirstYear = 1901;
inline constexpr int kCalendarLastYear = 2100;

// True for a real Gregorian date (any year).
bool IsValidDate(int year, int month, int day);

// Days since 1970-01-01 (negative before).
long DayNumber(int year, int month, int day);

// Weekday: 0 Sunday .. 6 Saturday.
int Weekday(int year, int month, int day);

// Gregorian to lunar; nothing for an invalid date or one outside the years covered.
std::optional<LunarDate> ToLunar(int year, int month, int day);

// Lunar to Gregorian; nothing when that lunar month or day does not exist
// (a leap month the year does not have, day 30 of a short month) or lies
// outside the years covered.
std::optional<CivilDate> FromLunar(int lunarYear, int lunarMonth, int lunarDay, bool leap);

// The four pillars of a date at hour:minute; nothing for an invalid date or
// time, or outside the years covered.
std::optional<Pillars> FourPillars(int year, int month, int day, int hour, int minute = 0);

// Copies `pattern` (GBK) with "%M" replaced by the lunar month name (正月,
// 二月 .. 十月, 冬月, 腊月; a leap month "闰" and the name), "%D" by the day
// name (初一 .. 初十, 十一 .. 二十, 廿一 .. 廿九, 三十) and "%S" by the zodiac
// animal of the lunar year. Empty outside the years covered.
std::string FormatLunarDate(int year, int month, int day, std::string_view pattern);

// The sexagenary name (GBK, two characters) of index 0..59, 0 being 甲子.
const std::string& SexagenaryName(int index);

}  // namespace platform
