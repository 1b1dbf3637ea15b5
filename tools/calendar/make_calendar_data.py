#!/usr/bin/env python3
"""Builds the lunar calendar tables under data/calendar/ from an ephemeris.

Source (Debian package): python3-ephem (PyEphem, LGPL-3), used at build time
only; the program reads the tables written here.

    tools/calendar/make_calendar_data.py            write the tables
    tools/calendar/make_calendar_data.py --check    compare with the checked-in tables

jie.txt: one line per Gregorian year 1900..2100: the year, then the twelve
minor terms (小寒 立春 惊蛰 清明 立夏 芒种 小暑 立秋 白露 寒露 立冬 大雪) as
"MM-DD HH:MM" in Beijing standard time (UTC+8, no daylight saving), rounded
to the nearest minute.

lunar_months.txt: one line per lunar year 1900..2100: the year, the
Gregorian date of its first day "MM-DD" (of the same Gregorian year), the
leap month (0 for none; a leap month follows the month of that number), then
the lengths of its 12 or 13 months in order (29 or 30).

Lunar months follow the rules of the mainland's official calendar: a month
starts on the day of a new moon; the month holding the winter solstice
(冬至) is the eleventh; when thirteen months run from one such month to the
next, the first of them without a major term (中气) is the leap month. Days
are counted in UTC+8 from 1929 on and in Beijing local mean time (116°25′E)
before, as the calendar of the time did.
"""

import argparse
import math
import os
import sys

import ephem

# The helpers the generators share live one folder up.
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import checked_in  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUT_DIR = os.path.join(ROOT, "data", "calendar")

FIRST_YEAR = 1900
LAST_YEAR = 2100
UTC8 = 8.0 / 24
LOCAL_MEAN = (116 + 25 / 60.0) / 360.0  # Beijing local mean time, in days
LOCAL_MEAN_UNTIL = ephem.Date("1928/12/31 16:00:00")  # 1929-01-01 00:00 UTC+8

# Solar longitudes of the minor terms, in calendar order from 小寒.
JIE_LONGITUDES = [285, 315, 345, 15, 45, 75, 105, 135, 165, 195, 225, 255]


def solar_longitude(t):
    """Apparent geocentric ecliptic longitude of the sun, degrees, of date."""
    sun = ephem.Sun(ephem.Date(t))
    ecl = ephem.Ecliptic(ephem.Equatorial(sun.g_ra, sun.g_dec, epoch=ephem.Date(t)), epoch=ephem.Date(t))
    return math.degrees(ecl.lon) % 360.0


def term_moment(longitude, near):
    """The moment (ephem days, UT) the sun reaches `longitude` within about
    ten days of `near`."""
    def ahead(t):
        d = (solar_longitude(t) - longitude + 180.0) % 360.0 - 180.0
        return d
    lo, hi = near - 12.0, near + 12.0
    assert ahead(lo) < 0 < ahead(hi), (longitude, near)
    while hi - lo > 1e-7:
        mid = (lo + hi) / 2
        if ahead(mid) < 0:
            lo = mid
        else:
            hi = mid
    return (lo + hi) / 2


def approx_term(year, longitude):
    """A first guess for the moment the sun reaches `longitude` in `year`."""
    # The vernal equinox is near March 20.6; the sun moves about 0.9856°/day.
    equinox = ephem.Date("%d/3/20 12:00" % year)
    days = ((longitude % 360.0) / 0.98565)
    if longitude > 270:  # 小寒 .. 惊蛰 fall before the equinox
        days -= 365.2422
    return float(equinox) + days


def ymd_hm(t, offset):
    """Local (date tuple, minute of day) of a UT moment, rounded to the minute."""
    minutes = round((float(t) + offset) * 1440.0)
    d = ephem.Date(minutes / 1440.0)
    y, m, day, hh, mm, ss = d.tuple()
    # tuple() may give 59.99999 seconds for an exact minute: rebuild from minutes.
    whole = minutes - round(float(ephem.Date((y, m, day))) * 1440.0)
    return (y, m, day), whole // 60, whole % 60


def local_day(t):
    """The local day number (ephem day of the local midnight) of a moment."""
    offset = LOCAL_MEAN if t < LOCAL_MEAN_UNTIL else UTC8
    return math.floor(float(t) + offset + 0.5)


def day_to_date(n):
    y, m, d, _, _, _ = ephem.Date(n - 0.5).tuple()
    return y, m, d


def build_jie():
    lines = []
    for year in range(FIRST_YEAR, LAST_YEAR + 1):
        fields = ["%d" % year]
        for lon in JIE_LONGITUDES:
            guess = approx_term(year, lon)
            t = term_moment(lon, guess)
            (y, m, d), hh, mm = ymd_hm(t, UTC8)
            assert y == year, (year, lon, y)
            fields.append("%02d-%02d %02d:%02d" % (m, d, hh, mm))
        lines.append(" ".join(fields))
    return ("\n".join(lines) + "\n").encode("ascii")


def build_lunar_months():
    # New moons from autumn of the year before the first to spring after the last.
    moons = []
    t = ephem.Date("%d/10/1" % (FIRST_YEAR - 1))
    end = ephem.Date("%d/4/1" % (LAST_YEAR + 2))
    while t < end:
        t = ephem.next_new_moon(t)
        moons.append(local_day(t))
        t = ephem.Date(t + 1)
    # Major terms (multiples of 30°) over the same span, as local days.
    zhongqi = []
    winter = {}
    for year in range(FIRST_YEAR - 1, LAST_YEAR + 2):
        for lon in range(0, 360, 30):
            t = term_moment(lon, approx_term(year, lon))
            zhongqi.append(local_day(t))
            if lon == 270:
                winter[year] = local_day(t)
    zhongqi.sort()

    def month_of(day):
        for i in range(len(moons) - 1):
            if moons[i] <= day < moons[i + 1]:
                return i
        raise AssertionError(day)

    def has_zhongqi(i):
        return any(moons[i] <= z < moons[i + 1] for z in zhongqi)

    # Number every month from one eleventh month to the next.
    numbers = {}  # month index -> (number, leap)
    for year in range(FIRST_YEAR - 1, LAST_YEAR + 1):
        a, b = month_of(winter[year]), month_of(winter[year + 1])
        assert b - a in (12, 13), (year, b - a)
        leap_found = b - a == 12
        numbers[a] = (11, False)
        number = 11
        for i in range(a + 1, b):
            if not leap_found and not has_zhongqi(i):
                leap_found = True
                numbers[i] = (number, True)  # a leap month repeats the number before it
                continue
            number = number % 12 + 1
            numbers[i] = (number, False)

    lines = []
    for year in range(FIRST_YEAR, LAST_YEAR + 1):
        first = [i for i, (n, leap) in numbers.items()
                 if n == 1 and not leap and day_to_date(moons[i])[0] == year]
        assert len(first) == 1, year
        i = first[0]
        leap_month = 0
        lengths = []
        while True:
            lengths.append(moons[i + 1] - moons[i])
            if numbers[i][1]:
                leap_month = numbers[i][0]
            i += 1
            if numbers[i] == (1, False):
                break
        y, m, d = day_to_date(moons[first[0]])
        assert len(lengths) == (13 if leap_month else 12), year
        assert all(n in (29, 30) for n in lengths), year
        lines.append("%d %02d-%02d %d %s" % (year, m, d, leap_month, " ".join(str(n) for n in lengths)))
    return ("\n".join(lines) + "\n").encode("ascii")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    checked_in.add_check_option(parser)
    parser.add_argument("--out", default=OUT_DIR)
    args = parser.parse_args()
    files = {"jie.txt": build_jie(), "lunar_months.txt": build_lunar_months()}
    return checked_in.write_or_check("make_calendar_data", files, args.out, args.check)


if __name__ == "__main__":
    sys.exit(main())
