// The calendar against std::chrono's civil calendar and the published
// tables, each function over its whole domain.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <iterator>
#include <map>
#include <sstream>

#include "calendar/dates.h"
#include "calendar/moon.h"
#include "calendar/names.h"
#include "calendar/regions.h"
#include "os/os.h"

namespace {

using namespace std::chrono;

std::vector<int> Numbers(const char* text) { std::istringstream in(text); return {std::istream_iterator<int>(in), {}}; }
// FNV-1a, for the text tables: the expected digests are those of the published tables.
uint32_t Digest(const std::string& s) { uint32_t h = 2166136261u; for (unsigned char c : s) h = (h ^ c) * 16777619u; return h; }
// The DayIndex is the ordinal of the day in a leap year.
int LeapOrdinal(int m, int d) { return int((sys_days{year{2000} / m / d} - sys_days{year{2000} / 1 / 1}).count()) + 1; }
int MonthLength(int y, int m) { return int(unsigned(year_month_day_last{year{y} / m / last}.day())); }

// Each day's results in this order: IsLeapYear, DaysInYear, DaysInMonth,
// BaseDaysInMonth, MonthDayIndexRange, DayOfWeek, DayOfYear, JulianDayNumber
// (of the year less 1900 too for 1900..1999: years 0..99 are taken as
// 1900..1999), ToDayIndex, FromDayIndex (month x 100 + day), IsoWeekNumber,
// IsoWeekYear. The ISO week is that of the day's Thursday, whose year is the ISO year.
TEST(Dates, EveryDayFrom1790To5317AgainstCivilCalendar) {
  for (int y = 1790; y <= 5317; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1, first = LeapOrdinal(m, 1), length = MonthLength(y, m); d <= length; ++d) {
        const sys_days day = sys_days{year{y} / m / d};
        const int weekdayNumber = int(weekday{day}.iso_encoding()), week = IsoWeekNumber(m, y, d);
        const sys_days thursday = day - days{weekdayNumber - 1} + days{3};
        const int isoYear = int(year_month_day{thursday}.year()), julianDay = int(day.time_since_epoch().count()) + 2440588;
        int firstIndex = 0, lastIndex = 0, backDay = 0, backMonth = 0;
        MonthDayIndexRange(m, &firstIndex, &lastIndex);
        FromDayIndex(first + d - 1, &backDay, &backMonth);
        const std::array got = {IsLeapYear(y), DaysInYear(y), DaysInMonth(m, y), BaseDaysInMonth(m), firstIndex,
                                lastIndex, DayOfWeek(d, m, y), DayOfYear(d, m, y), JulianDayNumber(m, d, y),
                                JulianDayNumber(m, d, y >= 1900 && y <= 1999 ? y - 1900 : y), ToDayIndex(d, m),
                                backMonth * 100 + backDay, week, IsoWeekYear(m, y, week)};
        const std::array expected = {int(year{y}.is_leap()), 365 + year{y}.is_leap(), length, m == 2 ? 28 : length,
                                     first, first + (m == 2 ? 28 : length - 1), weekdayNumber,
                                     int((day - sys_days{year{y} / 1 / 1}).count()) + 1, julianDay, julianDay,
                                     first + d - 1, m * 100 + d,
                                     int((thursday - sys_days{year{isoYear} / 1 / 1}).count()) / 7 + 1, isoYear};
        ASSERT_EQ(got, expected) << d << "/" << m << "/" << y;
      }
  EXPECT_EQ(JulianDayNumber(1, 1, 100), 1757585);  // 100 is not a short year
}

TEST(Dates, TodayInMonthReadsTheClockOnEveryCall) {
  static LocalTime now;
  OsSetClockHook([] { return now; });
  // The clock's month and day; the month and year asked; the answer.
  for (auto [month, day, askedMonth, askedYear, expected] :
       {std::array{4, 18, 4, 2007, 18}, {4, 18, 4, 2008, 0}, {4, 18, 3, 2007, 0}, {5, 3, 4, 2007, 0}, {5, 3, 5, 2007, 3}}) {
    now = {2007, month, 0, day};
    EXPECT_EQ(TodayInMonth(askedMonth, askedYear), expected) << askedMonth << "/" << askedYear;
  }
  OsSetClockHook(nullptr);
}

// The phases of 2007: phase, DayIndex, hour, minute, sign.
const std::vector<int> kPhases = Numbers(
    "3 3 13 57 3 4 11 12 44 6 1 19 4 1 9 2 25 23 1 0 3 33 5 45 4 4 41 9 51 7 1 48 16 14 10 2 55 7 56 2 3 63 23 17 5 "
    "4 72 3 54 8 1 79 2 42 11 2 85 18 16 3 3 93 17 15 6 4 101 18 4 9 1 108 11 36 0 2 115 6 35 4 3 123 10 9 7 4 131 4 "
    "27 10 1 137 19 27 1 2 144 21 2 5 3 153 1 4 8 4 160 11 43 11 1 167 3 13 2 2 174 13 15 6 3 182 13 49 9 4 189 16 "
    "54 0 1 196 12 4 3 2 204 6 29 6 3 212 0 48 10 4 218 21 20 1 1 225 23 2 4 2 233 23 54 7 3 241 10 35 11 4 248 2 32 "
    "2 1 255 12 44 5 2 263 16 48 8 3 270 19 45 0 4 277 10 6 3 1 285 5 1 6 2 293 8 33 9 3 300 4 51 1 4 306 21 18 4 1 "
    "314 23 3 7 2 322 22 32 10 3 329 14 30 2 4 336 12 44 5 1 344 17 40 8 2 352 10 17 11 3 359 1 15 3 4 366 7 51 6");

// Every DayIndex and every month; a day without a phase leaves the record as
// it was, and a month fills only its own records of the five.
TEST(Moon, EveryDayAndMonthAgainstThePhasesOf2007) {
  ASSERT_EQ(kPhases.size(), 250u);
  for (int k = -1; k <= 367; ++k) {
    std::vector<int> expected(5, -9);
    for (size_t i = 0; i < kPhases.size(); i += 5)
      if (kPhases[i + 1] == k) expected.assign(&kPhases[i], &kPhases[i + 5]);
    MoonPhaseRecord r{-9, -9, -9, -9, -9};
    EXPECT_EQ(FindMoonPhase(&r, k) * 1000 + MoonPhaseOfDay(k), expected[1] == k ? 1000 + expected[0] : 0) << k;
    EXPECT_EQ((std::vector<int>{r.Phase, r.Day, r.Hour, r.Minute, r.Sign}), expected) << k;
  }
  for (int m = 1; m <= 12; ++m) {
    MoonPhaseRecord records[6] = {{}, {}, {}, {}, {}, {0, -7}};
    MoonPhasesOfMonth(records, m);
    std::vector<int> got, expected;
    for (size_t i = 1; i < kPhases.size(); i += 5)
      if (kPhases[i] >= LeapOrdinal(m, 1) && kPhases[i] < LeapOrdinal(m, 1) + MonthLength(2000, m)) expected.push_back(kPhases[i]);
    for (const MoonPhaseRecord& r : records) got.push_back(r.Day);
    expected.resize(5, 0), expected.push_back(-7);
    EXPECT_EQ(got, expected) << m;
  }
  for (int phase = -1; phase <= 5; ++phase)
    EXPECT_EQ(MoonImageName(phase), phase >= 1 && phase <= 4 ? "l" + std::to_string(phase) : "") << phase;
}

// The communities (codes 1..20) and their cities (100 x community + k), in
// table order, each code negated and followed by its own holidays of 2007.
const std::vector<int> kRegions = Numbers(
    "-1 -2 59 96 -3 96 114 -4 96 252 -5 61 96 361 -6 151 -7 96 259 -8 96 152 -9 96 114 -10 100 255 361 -11 96 246 "
    "-12 96 252 -13 96 138 207 -14 96 161 -15 96 123 -16 79 96 -17 79 96 161 -18 96 100 -19 96 100 -20 79 100 283 "
    "-200 177 240 -201 50 282 -202 252 298 -203 2 159 -204 216 252 -205 163 292 -206 232 252 -207 151 159 -300 22 "
    "223 -301 101 191 -302 29 65 -400 150 265 -500 20 100 -600 268 -601 259 -602 51 177 252 -603 282 -604 259 -605 "
    "273 -606 2 51 124 -700 207 243 -800 177 252 -801 156 235 -802 153 265 -803 252 258 -804 23 159 -900 123 289 "
    "-901 167 181 -902 181 279 -903 33 277 -904 164 252 -905 181 299 -906 180 276 -907 135 252 -908 149 181 -1000 "
    "156 268 -1001 207 303 -1002 132 273 -1003 79 268 -1100 165 219 -1200 51 181 -1201 114 151 -1300 51 100 -1301 "
    "51 279 -1302 51 317 -1303 52 193 -1400 163 265 -1500 136 314 -1600 252 261 -1700 101 255 -1800 334 338 -1900 "
    "213 237 -1901 20 213 -1902 119 207 -2000 110 177 -2001 72 181 -2002 22 107");

// Every community alone and every city with its community: the table row,
// and the own holidays of both ascending, empty slots first; nothing for
// unknown codes. A community's name is cut to the buffer; another code
// leaves the buffer as it was.
TEST(Regions, EveryRegionAndItsOwnHolidays) {
  std::vector<int> codes;
  std::map<int, std::vector<int>> own;
  for (int n : kRegions) n < 0 ? codes.push_back(-n) : own[codes.back()].push_back(n);
  codes.insert(codes.end(), {0, -1, 2100, 9999});
  ASSERT_EQ(RegionTableSize + 4, int(codes.size()));
  std::string names;
  for (size_t i = 0; i < codes.size(); ++i) {
    const int code = codes[i], community = code > 20 ? code / 100 : code, city = code > 20 ? code : 0;
    std::vector<int> expected = own[community], holidays(6, 77);
    if (city) expected.insert(expected.end(), own[city].begin(), own[city].end());
    expected.insert(expected.begin(), 6 - expected.size(), 0);
    std::sort(expected.begin(), expected.end());
    CollectRegionHolidays(community, city, holidays.data());
    EXPECT_EQ(holidays, expected) << community << "/" << city;
    const RegionRecord row = int(i) < RegionTableSize ? RegionTable[i] : RegionRecord{city ? community : 0, code, ""};
    EXPECT_EQ(std::pair(row.Parent, row.Code), std::pair(city ? community : 0, code)) << i;
    names += row.Name + std::string(int(i) < RegionTableSize ? "," : "");
  }
  EXPECT_EQ(Digest(names), 0x1903C20Fu) << names;
  for (int code = -1; code <= 2100; ++code) {
    std::string text(8, 'x'), name = code >= 1 && code <= 20 ? std::string(RegionTable[code - 1].Name, 0, 4) : "";
    CommunityName(code, text.data(), 5);
    CommunityName(code, text.data(), 0);
    EXPECT_EQ(text, name.empty() ? std::string(8, 'x') : (name + '\0').append(7 - name.size(), 'x')) << code;
  }
}

// The class of a day: Sunday; in 2007 another community's holiday, then an
// own one; a national holiday of every year; the movable one of 2007..2020.
int ExpectedClass(int y, int m, int d, const std::vector<int>& own, int showOther) {
  static const std::vector<int> national = Numbers("1 1 1 6 5 1 8 15 10 12 11 1 12 6 12 8 12 25"),
                                movable = Numbers("4 6 3 21 4 10 4 2 4 22 4 5 3 28 4 17 4 2 3 24 4 13 3 29 4 18 4 9"),
                                other = Numbers("10 59 61 79 96 100 114 123 138 151 152 161 207 246 252 255 259 283");
  auto has = [](const std::vector<int>& v, int k) { return std::find(v.begin(), v.end(), k) != v.end(); };
  int c = weekday{sys_days{year{y} / m / d}} == Sunday ? SundayDay : WorkingDay;
  if (y == 2007 && showOther && has(other, LeapOrdinal(m, d))) c = OtherCommunityHoliday;
  if (y == 2007 && has(own, LeapOrdinal(m, d))) c = PublicHoliday;
  for (size_t i = 0; i < national.size(); i += 2) c = national[i] == m && national[i + 1] == d ? PublicHoliday : c;
  const bool movableDay = y >= 2007 && y <= 2020 && movable[2 * (y - 2007)] == m && movable[2 * (y - 2007) + 1] == d;
  return movableDay ? PublicHoliday : c;
}

// Every day of 1999..2022 without own holidays, with Madrid's, with days on
// the edges of months, and with a stored record that holds days no month has.
TEST(Holidays, EveryDayClassAgainstThePublishedTables) {
  const std::vector<int> lists[] = {{0, 0, 0, 0, 0, 0}, {0, 0, 96, 123, 136, 314}, {2, 59, 61, 91, 153, 335},
                                    {-7, 0, 60, 366, 367, 9999}};
  for (int y = 1999; y <= 2022; ++y)
    for (const std::vector<int>& own : lists)
      for (int m = 1; m <= 12; ++m)
        for (int showOther : {0, 1}) {
          int32_t classes[31];
          ClassifyMonth(m, y, own.data(), showOther, classes);
          for (int d = 0; d <= 32; ++d) {  // a day outside the month is a working day
            const int expected = d >= 1 && d <= MonthLength(y, m) ? ExpectedClass(y, m, d, own, showOther) : WorkingDay;
            ASSERT_EQ(ClassifyDay(d, m, y, own.data(), showOther), expected) << d << "/" << m << "/" << y << ", " << own[5];
            ASSERT_EQ(d >= 1 && d <= 31 ? classes[d - 1] : WorkingDay, expected) << d << "/" << m << "/" << y;
          }
        }
}

// The digest of each table's entries, each followed by a comma, in the
// languages -1, 0..5, 6, 1 << 30 (an unknown language reads as Spanish).
TEST(Names, EveryEntryAgainstThePublishedTables) {
  const char* (*const lookups[])(int, int) = {MonthName, WeekdayName, WeekdayInitials, MoonPhaseName, ZodiacName};
  const uint32_t digests[] = {0x617C9BA1, 0xD818A810, 0xA6214220, 0x6A3CD5D8, 0xF2CAD4BA};
  for (int t = 0; t < 5; ++t) {  // months, weekdays, weekday headings, moon-phase texts, zodiac signs
    std::string entries;
    for (int language : {-1, 0, 1, 2, 3, 4, 5, 6, 1 << 30})
      for (int i = 0; i < std::array{12, 7, 7, 5, 12}[t]; ++i)  // months and weekdays count from 1
        entries += lookups[t](language, i + (t < 2)) + std::string(",");
    EXPECT_EQ(Digest(entries), digests[t]) << entries;
  }
  for (int n = 0; n <= 57; ++n) {
    const std::string text = (n < 10 ? " " : "") + std::to_string(n);
    EXPECT_EQ(NumberText(n) + std::string(n >= 1 && n <= 31 ? DayNumberText(n) : text.c_str()), text + text);
  }
}

}  // namespace
