// The date functions against std::chrono's civil calendar, for every day of
// the years 1790..5317, plus the boundary cases worth naming.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "calendar/dates.h"
#include "os/os.h"

namespace {

using namespace std::chrono;

// Counts the failures of a long loop without an assertion per pass and
// reports the first few, each with its day/month/year (0 where not used).
class Mismatches {
 public:
  void Check(const char* what, int got, int expected, int day, int month, int year) {
    if (got == expected || count_++ >= 8) return;
    first_ += std::to_string(day) + "/" + std::to_string(month) + "/" + std::to_string(year) + ": " + what +
              " gave " + std::to_string(got) + ", expected " + std::to_string(expected) + "\n";
  }
  ~Mismatches() { EXPECT_EQ(count_, 0) << first_; }

 private:
  long count_ = 0;
  std::string first_;
};

// Walks the days by year, month and day; std::chrono gives each year's first
// day, each month's length and each day's weekday.
TEST(Dates, EveryDayFrom1790To5317AgainstCivilCalendar) {
  Mismatches bad;
  const sys_days leapYearStart = sys_days{year{2000} / January / 1};
  for (int y = 1790; y <= 5317; ++y) {
    const sys_days yearStart = sys_days{year{y} / January / 1};
    const sys_days previousYearStart = sys_days{year{y - 1} / January / 1};
    const sys_days nextYearStart = sys_days{year{y + 1} / January / 1};
    bad.Check("IsLeapYear", IsLeapYear(y), year{y}.is_leap(), 0, 0, y);
    bad.Check("DaysInYear", DaysInYear(y), (nextYearStart - yearStart).count(), 0, 0, y);
    for (int m = 1; m <= 12; ++m) {
      const int length = int(unsigned(year_month_day_last{year{y} / month(m) / last}.day()));
      const sys_days monthStart = sys_days{year{y} / month(m) / 1};
      const sys_days leapMonthStart = sys_days{year{2000} / month(m) / 1};
      bad.Check("DaysInMonth", DaysInMonth(m, y), length, 0, m, y);
      if (y == 2007) bad.Check("BaseDaysInMonth", BaseDaysInMonth(m), length, 0, m, y);
      if (y == 2000) {
        int first = 0, lastIndex = 0;
        MonthDayIndexRange(m, &first, &lastIndex);
        bad.Check("MonthDayIndexRange first", first, (monthStart - yearStart).count() + 1, 0, m, y);
        bad.Check("MonthDayIndexRange last", lastIndex, (monthStart - yearStart).count() + length, 0, m, y);
      }
      for (int d = 1; d <= length; ++d) {
        const sys_days day = monthStart + days{d - 1};
        const int weekdayNumber = int(weekday{day}.iso_encoding());
        bad.Check("DayOfWeek", DayOfWeek(d, m, y), weekdayNumber, d, m, y);
        bad.Check("DayOfYear", DayOfYear(d, m, y), (day - yearStart).count() + 1, d, m, y);
        // The DayIndex is the ordinal of the same month and day in a leap year.
        bad.Check("ToDayIndex", ToDayIndex(d, m), (leapMonthStart - leapYearStart).count() + d, d, m, y);

        // The ISO week is the week of its Thursday; the ISO year is that Thursday's year.
        const sys_days thursday = day - days{weekdayNumber - 1} + days{3};
        const int isoYear = thursday < yearStart ? y - 1 : thursday >= nextYearStart ? y + 1 : y;
        const sys_days isoYearStart = isoYear < y ? previousYearStart : isoYear > y ? nextYearStart : yearStart;
        const int week = IsoWeekNumber(m, y, d);
        bad.Check("IsoWeekNumber", week, (thursday - isoYearStart).count() / 7 + 1, d, m, y);
        bad.Check("IsoWeekYear", IsoWeekYear(m, y, week), isoYear, d, m, y);

        // 1 January 1970 is Julian Day 2440588.
        bad.Check("JulianDayNumber", JulianDayNumber(m, d, y), day.time_since_epoch().count() + 2440588, d, m, y);
      }
    }
  }
}

TEST(Dates, FromDayIndexIsTheDayOfALeapYear) {
  Mismatches bad;
  for (int index = 1; index <= 366; ++index) {
    const year_month_day expected{sys_days{year{2000} / January / 1} + days{index - 1}};
    int day = 0, month = 0;
    FromDayIndex(index, &day, &month);
    bad.Check("FromDayIndex day", day, int(unsigned(expected.day())), index, 0, 0);
    bad.Check("FromDayIndex month", month, int(unsigned(expected.month())), index, 0, 0);
  }
}

TEST(Dates, NamedCases) {
  const struct {
    const char* what;
    int got, expected;
  } cases[] = {
      {"DayOfWeek(1, 1, 2007)", DayOfWeek(1, 1, 2007), 1},
      {"DayOfWeek(7, 1, 2007), a Sunday", DayOfWeek(7, 1, 2007), 7},
      {"IsLeapYear(1900)", IsLeapYear(1900), 0},
      {"IsLeapYear(2007)", IsLeapYear(2007), 0},
      {"IsLeapYear(2100)", IsLeapYear(2100), 0},
      {"IsLeapYear(2000)", IsLeapYear(2000), 1},
      {"IsLeapYear(2008)", IsLeapYear(2008), 1},
      {"ToDayIndex(1, 3)", ToDayIndex(1, 3), 61},
      {"DayOfYear(31, 1, 2007)", DayOfYear(31, 1, 2007), 31},
      {"DayOfYear(1, 2, 2007)", DayOfYear(1, 2, 2007), 32},
      {"DayOfYear(28, 2, 2007)", DayOfYear(28, 2, 2007), 59},
      {"DayOfYear(1, 3, 2007)", DayOfYear(1, 3, 2007), 60},
      {"DayOfYear(31, 12, 2007)", DayOfYear(31, 12, 2007), 365},
      {"DayOfYear(31, 12, 2008)", DayOfYear(31, 12, 2008), 366},
      {"IsoWeekNumber(12, 2007, 31)", IsoWeekNumber(12, 2007, 31), 1},
      {"IsoWeekYear(12, 2007, 1)", IsoWeekYear(12, 2007, 1), 2008},
      {"IsoWeekNumber(1, 2010, 1)", IsoWeekNumber(1, 2010, 1), 53},
      {"IsoWeekYear(1, 2010, 53)", IsoWeekYear(1, 2010, 53), 2009},
      {"JulianDayNumber(1, 1, 2007)", JulianDayNumber(1, 1, 2007), 2454102},
      {"JulianDayNumber(1, 1, 7)", JulianDayNumber(1, 1, 7), JulianDayNumber(1, 1, 1907)},
      {"JulianDayNumber(12, 31, 99)", JulianDayNumber(12, 31, 99), JulianDayNumber(12, 31, 1999)},
      {"JulianDayNumber(1, 1, 100)", JulianDayNumber(1, 1, 100), 1757585},  // 100 is not a short year
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
}

LocalTime g_now;
LocalTime FixedNow() { return g_now; }

TEST(Dates, TodayInMonthReadsTheClockOnEveryCall) {
  OsSetClockHook(FixedNow);
  g_now = LocalTime{2007, 4, 3, 18, 10, 30, 0, 0};  // Wednesday 18 April 2007
  const struct {
    int month, year, expected;
  } cases[] = {{4, 2007, 18}, {4, 2008, 0}, {4, 2006, 0}, {3, 2007, 0}, {5, 2007, 0}};
  for (const auto& c : cases) EXPECT_EQ(TodayInMonth(c.month, c.year), c.expected) << c.month << "/" << c.year;
  g_now = LocalTime{2007, 5, 3, 2, 0, 0, 0, 0};
  EXPECT_EQ(TodayInMonth(4, 2007), 0);
  EXPECT_EQ(TodayInMonth(5, 2007), 2);
  OsSetClockHook(nullptr);
}

}  // namespace
