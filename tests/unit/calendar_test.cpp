// The calendar against std::chrono's civil calendar and the published
// tables, each function over its whole domain.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>

#include "calendar/dates.h"
#include "calendar/moon.h"
#include "calendar/names.h"
#include "calendar/regions.h"
#include "os/os.h"

using namespace std::chrono;

// FNV-1a of a table written out: the expected digests are those of the published tables.
static uint32_t Digest(const std::string& s) {
  uint32_t h = 2166136261u;
  for (unsigned char c : s) h = (h ^ c) * 16777619u;
  return h;
}
// The DayIndex is the ordinal of the day in a leap year.
static int LeapOrdinal(int m, int d) {
  return int((sys_days{year{2000} / m / d} - sys_days{year{2000} / 1 / 1}).count()) + 1;
}
static int MonthLength(int y, int m) { return int(unsigned(year_month_day_last{year{y} / m / last}.day())); }

// Each month's MonthDayIndexRange; each day's results in this order:
// IsLeapYear, DaysInYear, DaysInMonth, BaseDaysInMonth, DayOfWeek, DayOfYear, JulianDayNumber
// (of the year less 1900 too for 1900..1999: years 0..99 are taken as
// 1900..1999), ToDayIndex, FromDayIndex (month x 100 + day), IsoWeekNumber,
// IsoWeekYear. The ISO week is that of the day's Thursday, whose year is the ISO year.
TEST(Dates, EveryDayFrom1790To5317AgainstCivilCalendar) {
  for (int m = 1; m <= 12; ++m) {
    int firstIndex = 0, lastIndex = 0;
    MonthDayIndexRange(m, &firstIndex, &lastIndex);
    EXPECT_EQ(std::pair(firstIndex, lastIndex),
              std::pair(LeapOrdinal(m, 1), LeapOrdinal(m, 1) + MonthLength(2000, m) - 1));
  }
  for (int y = 1790; y <= 5317; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1, first = LeapOrdinal(m, 1), length = MonthLength(y, m); d <= length; ++d) {
        const sys_days day = sys_days{year{y} / m / d};
        const sys_days thursday = day + days{4 - int(weekday{day}.iso_encoding())};
        const int isoYear = int(year_month_day{thursday}.year());
        const int julianDay = int(day.time_since_epoch().count()) + 2440588;
        const int week = IsoWeekNumber(m, y, d);
        int backDay = 0, backMonth = 0;
        FromDayIndex(first + d - 1, &backDay, &backMonth);
        const auto got = std::tuple(IsLeapYear(y), DaysInYear(y), DaysInMonth(m, y), BaseDaysInMonth(m),
                                    DayOfWeek(d, m, y), DayOfYear(d, m, y), JulianDayNumber(m, d, y),
                                    JulianDayNumber(m, d, y >= 1900 && y <= 1999 ? y - 1900 : y), ToDayIndex(d, m),
                                    backMonth * 100 + backDay, week, IsoWeekYear(m, y, week));
        const auto expected = std::tuple(
            int(year{y}.is_leap()), 365 + year{y}.is_leap(), length, m == 2 ? 28 : length,
            int(weekday{day}.iso_encoding()), int((day - sys_days{year{y} / 1 / 1}).count()) + 1, julianDay, julianDay,
            first + d - 1, m * 100 + d, int((thursday - sys_days{year{isoYear} / 1 / 1}).count()) / 7 + 1, isoYear);
        ASSERT_EQ(got, expected) << d << "/" << m << "/" << y;
      }
  EXPECT_EQ(JulianDayNumber(1, 1, 100), 1757585);  // 100 is not a short year
  static LocalTime now;                            // TodayInMonth reads the clock on every call
  OsSetClockHook([] { return now; });
  // The clock's month and day; the month and year asked; the answer.
  const std::array<int, 5> todays[] = {
      {4, 18, 4, 2007, 18}, {4, 18, 4, 2008, 0}, {4, 18, 3, 2007, 0}, {5, 3, 4, 2007, 0}, {5, 3, 5, 2007, 3}};
  for (auto [month, day, askedMonth, askedYear, expected] : todays) {
    now = {2007, month, 0, day};
    EXPECT_EQ(TodayInMonth(askedMonth, askedYear), expected) << askedMonth << "/" << askedYear;
  }
  OsSetClockHook(nullptr);
}

// Every DayIndex and every month: the records of the days with a phase
// (phase, DayIndex, hour, minute, sign, each followed by a space) are the
// published phases of 2007; a day without a phase leaves the record as it
// was, and a month fills only its own records of the five.
TEST(Moon, EveryDayAndMonthAgainstThePhasesOf2007) {
  std::string phases;
  for (int k = -1; k <= 367; ++k) {
    MoonPhaseRecord r{-9, -9, -9, -9, -9};
    const int found = FindMoonPhase(&r, k);
    EXPECT_EQ(std::pair(found, MoonPhaseOfDay(k)), std::pair(int(r.Day == k), r.Day == k ? r.Phase : 0)) << k;
    for (int v : {r.Phase, r.Day, r.Hour, r.Minute, r.Sign}) {
      EXPECT_EQ(v, found ? v : -9) << k;  // a day without a phase leaves the record as it was
      phases += found ? std::to_string(v) + " " : "";
    }
  }
  EXPECT_EQ(Digest(phases), 0x8A5BEBE5u) << phases;
  for (int m = 1; m <= 12; ++m) {
    MoonPhaseRecord records[6] = {{}, {}, {}, {}, {}, {0, -7}};
    MoonPhasesOfMonth(records, m);
    std::vector<int> got, expected;
    for (int k = LeapOrdinal(m, 1); k < LeapOrdinal(m, 1) + MonthLength(2000, m); ++k)
      if (MoonPhaseOfDay(k)) expected.push_back(k);
    for (const MoonPhaseRecord& r : records) got.push_back(r.Day);
    expected.resize(5, 0);
    expected.push_back(-7);
    EXPECT_EQ(got, expected) << m;
  }
  for (int phase = -1; phase <= 5; ++phase)
    EXPECT_EQ(MoonImageName(phase), phase >= 1 && phase <= 4 ? std::string("l").append(std::to_string(phase)) : "")
        << phase;
}

// Every region in table order (the communities, codes 1..20, then their
// cities, 100 x community + k) with its parent, code, name and the own
// holidays of 2007 of its community and itself, ascending, empty slots
// first, against the published tables; nothing for unknown codes. A
// community's name is cut to the buffer; another code leaves it as it was.
TEST(Regions, EveryRegionAndItsOwnHolidays) {
  std::vector<RegionRecord> regions(RegionTable, RegionTable + RegionTableSize);
  regions.insert(regions.end(), {{0, 0, ""}, {0, -1, ""}, {21, 2100, ""}, {99, 9999, ""}});  // unknown codes
  std::string rows;
  for (const RegionRecord& row : regions) {
    std::array<int32_t, 6> holidays = {77, 77, 77, 77, 77, 77};
    CollectRegionHolidays(row.Parent ? row.Parent : row.Code, row.Parent ? row.Code : 0, holidays.data());
    rows += std::to_string(row.Parent) + " " + std::to_string(row.Code) + " " + row.Name;
    for (const int& day : holidays)
      rows.append(" ").append(std::to_string(day)).append(&day == &holidays[5] ? "," : "");
  }
  EXPECT_EQ(Digest(rows), 0x820BA715u) << rows;
  for (int code = -1; code <= 2100; ++code) {
    const std::string name = code >= 1 && code <= 20 ? std::string(RegionTable[code - 1].Name, 0, 4) : "";
    std::string text(8, 'x');
    CommunityName(code, text.data(), 5);
    CommunityName(code, text.data(), 0);
    EXPECT_EQ(text, name.empty() ? std::string(8, 'x') : (name + '\0').append(7 - name.size(), 'x')) << code;
  }
}

// The class of a day: Sunday; in 2007 another community's holiday, then an
// own one; a national holiday of every year; Good Friday (y x 10000 + m x 100 + d).
static int ExpectedClass(int y, int m, int d, const std::vector<int>& own, int showOther,
                         const std::vector<int>& fridays) {
  static const std::vector<int> national = {1, 1, 1, 6, 5, 1, 8, 15, 10, 12, 11, 1, 12, 6, 12, 8, 12, 25},
                                other = {10,  59,  61,  79,  96,  100, 114, 123, 138,
                                         151, 152, 161, 207, 246, 252, 255, 259, 283};
  auto has = [](const std::vector<int>& v, int k) { return std::find(v.begin(), v.end(), k) != v.end(); };
  const sys_days date{year{y} / m / d};
  int c = weekday{date} == Sunday ? SundayDay : WorkingDay;
  if (y == 2007 && showOther && has(other, LeapOrdinal(m, d))) c = OtherCommunityHoliday;
  if (y == 2007 && has(own, LeapOrdinal(m, d))) c = PublicHoliday;
  for (size_t i = 0; i < national.size(); i += 2) c = national[i] == m && national[i + 1] == d ? PublicHoliday : c;
  return std::binary_search(fridays.begin(), fridays.end(), y * 10000 + m * 100 + d) ? PublicHoliday : c;
}

// The holidays of March and April of every year the calendar shows, against
// dateutil's Easter: /usr/bin/python3 -c 'from dateutil.easter import easter;
// ...' writing Good Friday as "y-m-d," for 1790..5317 gives the digest pinned
// here. Every day of 1999..2022 without own holidays, with Madrid's, with days
// on the edges of months, and with a stored record that holds days no month has.
TEST(Holidays, GoodFridayOfEveryYearAndEveryDayClassAgainstThePublishedTables) {
  const int32_t none[LocalHolidaySlots] = {};
  std::vector<int> fridays;
  for (int y = 1790; y <= 5317; ++y)
    for (int m : {3, 4}) {
      int32_t classes[31];
      ClassifyMonth(m, y, none, 0, classes);
      for (int d = 1; d <= 31; ++d)
        if (classes[d - 1] == PublicHoliday) fridays.push_back(y * 10000 + m * 100 + d);
    }
  std::string dates;
  for (int f : fridays)
    dates += std::to_string(f / 10000) + "-" + std::to_string(f / 100 % 100) + "-" + std::to_string(f % 100) + ",";
  EXPECT_EQ(Digest(dates), 0x3DE1C181u);
  const std::vector<int> lists[] = {
      {0, 0, 0, 0, 0, 0}, {0, 0, 96, 123, 136, 314}, {2, 59, 61, 91, 153, 335}, {-7, 0, 60, 366, 367, 9999}};
  for (int y = 1999; y <= 2022; ++y)
    for (const std::vector<int>& own : lists)
      for (int m = 1; m <= 12; ++m)
        for (int showOther : {0, 1}) {
          int32_t classes[31];
          ClassifyMonth(m, y, own.data(), showOther, classes);
          for (int d = 0; d <= 32; ++d) {  // a day outside the month is a working day
            const int expected =
                d >= 1 && d <= MonthLength(y, m) ? ExpectedClass(y, m, d, own, showOther, fridays) : WorkingDay;
            ASSERT_EQ(ClassifyDay(d, m, y, own.data(), showOther), expected)
                << d << "/" << m << "/" << y << ", " << own[5];
            ASSERT_EQ(d >= 1 && d <= 31 ? classes[d - 1] : WorkingDay, expected) << d << "/" << m << "/" << y;
          }
        }
}

// The digest of each table's entries, each followed by a comma, in the
// languages -1, 0..5, 6, 1 << 30 (an unknown language reads as Spanish):
// months, weekdays, weekday headings, moon-phase texts, zodiac signs.
TEST(Names, EveryEntryAgainstThePublishedTables) {
  const char* (*const lookups[])(int, int) = {MonthName, WeekdayName, WeekdayInitials, MoonPhaseName, ZodiacName};
  for (int t = 0; t < 5; ++t) {
    std::string entries;
    for (int language : {-1, 0, 1, 2, 3, 4, 5, 6, 1 << 30})
      for (int i = 0; i < std::array{12, 7, 7, 5, 12}[t]; ++i)
        entries += lookups[t](language, i + (t < 2)) + std::string(",");  // months and weekdays count from 1
    EXPECT_EQ(Digest(entries), (std::array{0x617C9BA1u, 0xD818A810u, 0xA6214220u, 0x6A3CD5D8u, 0xF2CAD4BAu}[t]))
        << entries;
  }
  auto text = [](int n) { return std::string(n < 10, ' ') + std::to_string(n); };
  for (int n = 0; n <= 57; ++n) {
    EXPECT_EQ(NumberText(n), text(n));
    EXPECT_EQ(n >= 1 && n <= 31 ? DayNumberText(n) : text(n), text(n));
  }
}
