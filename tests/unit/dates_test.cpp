// The date functions against std::chrono's civil calendar, for every day of
// the years 1790..5317.
#include <gtest/gtest.h>

#include <chrono>

#include "calendar/dates.h"
#include "os/os.h"

namespace {

using namespace std::chrono;

TEST(Dates, EveryDayFrom1790To5317AgainstCivilCalendar) {
  int failures = 0;
  auto check = [&](const char* what, long got, long expected, int d, int m, int y) {
    if (got != expected && ++failures <= 8)
      ADD_FAILURE() << d << "/" << m << "/" << y << ": " << what << " gave " << got << ", expected " << expected;
  };
  const sys_days leapYearStart = sys_days{year{2000} / 1 / 1};
  for (int y = 1790; y <= 5317; ++y) {
    const sys_days yearStart = sys_days{year{y} / 1 / 1};
    check("IsLeapYear", IsLeapYear(y), year{y}.is_leap(), 0, 0, y);
    check("DaysInYear", DaysInYear(y), (sys_days{year{y + 1} / 1 / 1} - yearStart).count(), 0, 0, y);
    for (int m = 1; m <= 12; ++m) {
      const int length = int(unsigned(year_month_day_last{year{y} / month(m) / last}.day()));
      check("DaysInMonth", DaysInMonth(m, y), length, 0, m, y);
      if (y == 2007) check("BaseDaysInMonth", BaseDaysInMonth(m), length, 0, m, y);
      int first = 0, lastIndex = 0;  // the month's DayIndex range, checked in a leap year
      MonthDayIndexRange(m, &first, &lastIndex);
      if (y == 2000) check("MonthDayIndexRange first", first, ToDayIndex(1, m), 0, m, y);
      if (y == 2000) check("MonthDayIndexRange last", lastIndex, ToDayIndex(length, m), 0, m, y);
      for (int d = 1; d <= length; ++d) {
        const sys_days day = sys_days{year{y} / month(m) / d};
        const int weekdayNumber = int(weekday{day}.iso_encoding());
        check("DayOfWeek", DayOfWeek(d, m, y), weekdayNumber, d, m, y);
        check("DayOfYear", DayOfYear(d, m, y), (day - yearStart).count() + 1, d, m, y);
        // 1 January 1970 is Julian Day 2440588; years 0..99 are taken as 1900..1999.
        check("JulianDayNumber", JulianDayNumber(m, d, y), day.time_since_epoch().count() + 2440588, d, m, y);
        if (y >= 1900 && y <= 1999) check("JulianDayNumber, short year", JulianDayNumber(m, d, y - 1900),
                                          JulianDayNumber(m, d, y), d, m, y);

        // The DayIndex is the ordinal of the same month and day in a leap year, and goes back.
        const int index = ToDayIndex(d, m);
        check("ToDayIndex", index, (sys_days{year{2000} / month(m) / d} - leapYearStart).count() + 1, d, m, y);
        int backDay = 0, backMonth = 0;
        FromDayIndex(index, &backDay, &backMonth);
        check("FromDayIndex", backMonth * 100 + backDay, m * 100 + d, d, m, y);

        // The ISO week is the week of its Thursday; the ISO year is that Thursday's year.
        const sys_days thursday = day - days{weekdayNumber - 1} + days{3};
        const int isoYear = int(year_month_day{thursday}.year());
        const int week = IsoWeekNumber(m, y, d);
        check("IsoWeekNumber", week, (thursday - sys_days{year{isoYear} / 1 / 1}).count() / 7 + 1, d, m, y);
        check("IsoWeekYear", IsoWeekYear(m, y, week), isoYear, d, m, y);
      }
    }
  }
  EXPECT_EQ(JulianDayNumber(1, 1, 100), 1757585);  // 100 is not a short year
}

LocalTime g_now;

TEST(Dates, TodayInMonthReadsTheClockOnEveryCall) {
  OsSetClockHook([] { return g_now; });
  g_now = LocalTime{2007, 4, 3, 18, 10, 30, 0, 0};
  const int cases[][3] = {{4, 2007, 18}, {4, 2008, 0}, {3, 2007, 0}, {5, 2007, 0}};
  for (const auto& c : cases) EXPECT_EQ(TodayInMonth(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
  g_now = LocalTime{2007, 5, 3, 2, 0, 0, 0, 0};
  EXPECT_EQ(TodayInMonth(4, 2007), 0);
  EXPECT_EQ(TodayInMonth(5, 2007), 2);
  OsSetClockHook(nullptr);
}

}  // namespace
