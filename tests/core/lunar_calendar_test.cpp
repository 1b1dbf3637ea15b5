// The lunar calendar against published almanac dates: pillars around the
// minor terms and the 23:00 hour, lunar dates with leap months, the months
// where the calendar of the time used Beijing local mean time, and every
// Spring Festival of 1930..2046.
#include "platform/lunar_calendar.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/embedded.h"
#include "platform/gbk.h"

using gbk::G;

namespace {

struct PillarRow {
  int y, m, d, h, min;
  const char* pillars;  // year month day hour, blank-separated; "" for none
};

class PillarTable : public ::testing::TestWithParam<PillarRow> {};

TEST_P(PillarTable, Pillars) {
  const PillarRow& r = GetParam();
  auto p = platform::FourPillars(r.y, r.m, r.d, r.h, r.min);
  std::string got = p ? gbk::ToUtf8(p->year + " " + p->month + " " + p->day + " " + p->hour) : "";
  EXPECT_EQ(got, r.pillars);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PillarTable,
    ::testing::Values(PillarRow{2000, 1, 1, 0, 0, "己卯 丙子 戊午 壬子"},    // before 小寒: previous 大雪
                      PillarRow{1949, 10, 1, 12, 0, "己丑 癸酉 甲子 庚午"},  // a 甲子 day
                      PillarRow{2024, 2, 4, 16, 26, "癸卯 乙丑 戊戌 庚申"},  // 立春 16:27
                      PillarRow{2024, 2, 4, 16, 27, "甲辰 丙寅 戊戌 庚申"},
                      PillarRow{2024, 2, 10, 0, 0, "甲辰 丙寅 甲辰 甲子"},
                      PillarRow{2024, 3, 5, 10, 22, "甲辰 丙寅 戊辰 丁巳"},  // 惊蛰 10:23
                      PillarRow{2024, 3, 5, 10, 23, "甲辰 丁卯 戊辰 丁巳"},
                      PillarRow{1984, 2, 4, 23, 18, "癸亥 乙丑 戊辰 甲子"},  // 立春 23:19; 23:00 takes
                      PillarRow{1984, 2, 4, 23, 19, "甲子 丙寅 戊辰 甲子"},  // the next day's stem
                      PillarRow{1984, 2, 5, 0, 30, "甲子 丙寅 己巳 甲子"},
                      PillarRow{2024, 12, 31, 13, 0, "甲辰 丙子 己巳 辛未"},
                      PillarRow{1901, 1, 1, 0, 0, "庚子 戊子 己卯 甲子"},
                      PillarRow{2100, 12, 31, 23, 59, "庚申 戊子 丁未 壬子"},
                      PillarRow{1900, 12, 31, 12, 0, ""}, PillarRow{2101, 1, 1, 0, 0, ""},
                      PillarRow{2023, 2, 29, 0, 0, ""}, PillarRow{2024, 1, 1, 24, 0, ""}));

struct LunarRow {
  int y, m, d;
  platform::LunarDate lunar;
  const char* text;  // "%M%D%S"
};

class LunarTable : public ::testing::TestWithParam<LunarRow> {};

TEST_P(LunarTable, BothWays) {
  const LunarRow& r = GetParam();
  auto lunar = platform::ToLunar(r.y, r.m, r.d);
  ASSERT_TRUE(lunar);
  EXPECT_EQ(*lunar, r.lunar);
  auto back = platform::FromLunar(r.lunar.year, r.lunar.month, r.lunar.day, r.lunar.leap);
  EXPECT_EQ(back, (platform::CivilDate{r.y, r.m, r.d}));
  EXPECT_EQ(gbk::ToUtf8(platform::FormatLunarDate(r.y, r.m, r.d, G("%M%D%S x%Y"))), r.text);
}

INSTANTIATE_TEST_SUITE_P(Rows, LunarTable,
                         ::testing::Values(LunarRow{2000, 1, 1, {1999, 11, 25, false}, "冬月廿五兔 x%Y"},
                                           LunarRow{2024, 2, 9, {2023, 12, 30, false}, "腊月三十兔 x%Y"},
                                           LunarRow{2024, 2, 10, {2024, 1, 1, false}, "正月初一龙 x%Y"},
                                           LunarRow{2023, 3, 21, {2023, 2, 30, false}, "二月三十兔 x%Y"},
                                           LunarRow{2023, 3, 22, {2023, 2, 1, true}, "闰二月初一兔 x%Y"},
                                           LunarRow{2033, 12, 22, {2033, 11, 1, true}, "闰冬月初一牛 x%Y"},
                                           LunarRow{1978, 9, 3, {1978, 8, 1, false}, "八月初一马 x%Y"},
                                           LunarRow{1978, 9, 17, {1978, 8, 15, false}, "八月十五马 x%Y"},
                                           // Beijing local mean time before 1929:
                                           LunarRow{1914, 11, 17, {1914, 10, 1, false}, "十月初一虎 x%Y"},
                                           LunarRow{1916, 2, 3, {1916, 1, 1, false}, "正月初一龙 x%Y"},
                                           LunarRow{1920, 11, 10, {1920, 10, 1, false}, "十月初一猴 x%Y"},
                                           LunarRow{1901, 1, 1, {1900, 11, 11, false}, "冬月十一鼠 x%Y"},
                                           LunarRow{2100, 12, 31, {2100, 12, 1, false}, "腊月初一猴 x%Y"}));

TEST(LunarCalendar, DayNumbersAtTheLimitsOfTheArguments) {
  struct Row {
    int year, month, day;
    long expected;
  };
  const Row rows[] = {
      {1970, 1, 1, 0},
      {2000, 3, 1, 11017},
      {INT_MIN, 1, 1, -784353015833L},
      {INT_MAX, 12, 31, 784351576776L},
  };
  for (const Row& r : rows) EXPECT_EQ(platform::DayNumber(r.year, r.month, r.day), r.expected) << r.year;
}

TEST(LunarCalendar, RefusesWhatDoesNotExist) {
  EXPECT_FALSE(platform::FromLunar(2024, 1, 1, true));    // no leap month that year
  EXPECT_FALSE(platform::FromLunar(2024, 1, 30, false));  // a 29-day month
  EXPECT_FALSE(platform::FromLunar(2024, 13, 1, false));
  EXPECT_FALSE(platform::ToLunar(2024, 2, 30));
  EXPECT_EQ(platform::FormatLunarDate(1900, 6, 1, "%M"), "");
}

TEST(LunarCalendar, SpringFestivalOfEveryYear) {
  // Hours from 1 January to the first lunar day, as published for 1930..2046.
  std::string table(platform::EmbeddedFile("balance/spring_festival.txt"));
  int year = 1930;
  for (size_t pos = 0; pos < table.size(); ++year) {
    size_t comma = std::min(table.find(',', pos), table.size());
    long hours = std::atol(table.substr(pos, comma - pos).c_str());
    pos = comma + 1;
    auto date = platform::FromLunar(year, 1, 1, false);
    ASSERT_TRUE(date) << year;
    EXPECT_EQ(
        (platform::DayNumber(date->year, date->month, date->day) - platform::DayNumber(year, 1, 1)) * 24,
        hours)
        << year;
  }
  EXPECT_EQ(year, 2047);
}

TEST(LunarCalendar, GeneratorReproducesTheTables) {
  std::filesystem::path tool =
      std::filesystem::path(LANZHOU_SOURCE_DIR) / "tools" / "calendar" / "make_calendar_data.py";
  // The tool needs python3-ephem, which a Python of its own (pyenv, venv) may lack.
  for (const char* python : {"python3", "/usr/bin/python3"}) {
    if (std::system((std::string(python) + " -c 'import ephem' >/dev/null 2>&1").c_str()) != 0) continue;
    std::string command = std::string(python) + " '" + tool.string() + "' --check >/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return;
  }
  GTEST_SKIP() << "python3-ephem missing";
}

}  // namespace
