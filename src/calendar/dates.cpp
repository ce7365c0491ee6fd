#include "calendar/dates.h"

#include "os/os.h"

// Per-month constants, index 0 = January.
struct MonthRow {
  int days;        // length in a common year
  int before;      // leap-year days before the month: its DayIndex base
  int weekOffset;  // weekday offset of the month
};
static constexpr MonthRow kMonths[12] = {
    {31, 0, 0},   {28, 31, 3},  {31, 60, 2},  {30, 91, 5},  {31, 121, 0}, {30, 152, 3},
    {31, 182, 5}, {31, 213, 1}, {30, 244, 4}, {31, 274, 6}, {30, 305, 2}, {31, 335, 4},
};

int IsLeapYear(int year) {
  if (year & 3) return 0;
  return year % 100 != 0 || year % 400 == 0;
}

int DaysInYear(int year) { return IsLeapYear(year) ? 366 : 365; }

int BaseDaysInMonth(int month) { return kMonths[month - 1].days; }

int DaysInMonth(int month, int year) { return kMonths[month - 1].days + (month == 2 && IsLeapYear(year)); }

int ToDayIndex(int day, int month) { return kMonths[month - 1].before + day; }

void FromDayIndex(int index, int* day, int* month) {
  int m = 1;
  while (m < 12 && kMonths[m].before < index) ++m;  // first month whose last index >= index
  *month = m;
  *day = index - kMonths[m - 1].before;
}

void MonthDayIndexRange(int month, int* first, int* last) {
  *first = kMonths[month - 1].before + 1;
  *last = month == 12 ? 366 : kMonths[month].before;
}

int DayOfYear(int day, int month, int year) { return ToDayIndex(day, month) - (month >= 3 && !IsLeapYear(year)); }

int DayOfWeek(int day, int month, int year) {
  int y = year - (month <= 2);
  int w = (y + y / 4 - y / 100 + y / 400 + kMonths[month - 1].weekOffset + day) % 7;
  return w == 0 ? 7 : w;
}

int JulianDayNumber(int month, int day, int year) {
  if (year <= 99) year += 1900;
  int m, y;
  if (month <= 2) {
    m = month + 9;
    y = year - 1;
  } else {
    m = month - 3;
    y = year;
  }
  int c = y / 100;
  int r = y - 100 * c;
  return (146097 * c) / 4 + (1461 * r) / 4 + (153 * m + 2) / 5 + day + 1721119;
}

int IsoWeekNumber(int month, int year, int day) {
  int j = JulianDayNumber(month, day, year);
  int d4 = ((j - (j % 7) + 31741) % 146097) % 36524 % 1461;
  int l = d4 / 1460;
  int d1 = ((d4 - l) % 365) + l;
  return d1 / 7 + 1;
}

int IsoWeekYear(int month, int year, int week) {
  if (month == 1 && week >= 52) return year - 1;
  if (month == 12 && week == 1) return year + 1;
  return year;
}

int TodayInMonth(int month, int year) {
  LocalTime now = OsLocalTime();
  return now.Month == month && now.Year == year ? now.Day : 0;
}
