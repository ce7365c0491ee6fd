#include "view/day_keys.h"

#include "calendar/dates.h"

// The day count days after (before, for a negative count) the date;
// count is at most a week either way.
static CalendarDay AddDays(CalendarDay d, int count) {
  d.Day += count;
  while (d.Day < 1) {
    if (--d.Month < 1) d.Month = 12, --d.Year;
    d.Day += DaysInMonth(d.Month, d.Year);
  }
  while (d.Day > DaysInMonth(d.Month, d.Year)) {
    d.Day -= DaysInMonth(d.Month, d.Year);
    if (++d.Month > 12) d.Month = 1, ++d.Year;
  }
  return d;
}

// The same day months away (one either way), clamped to that month's length.
static CalendarDay AddMonths(CalendarDay d, int count) {
  d.Month += count;
  if (d.Month < 1) d.Month = 12, --d.Year;
  if (d.Month > 12) d.Month = 1, ++d.Year;
  const int last = DaysInMonth(d.Month, d.Year);
  if (d.Day > last) d.Day = last;
  return d;
}

// The same day and month a year away, within the year dialog's range;
// 29 February becomes the 28th in a common year.
static CalendarDay AddYears(CalendarDay d, int count) {
  if (d.Year + count < FirstKeyYear || d.Year + count > LastKeyYear) return d;
  d.Year += count;
  const int last = DaysInMonth(d.Month, d.Year);
  if (d.Day > last) d.Day = last;
  return d;
}

CalendarDay MoveByKey(int key, CalendarDay day, CalendarDay today) {
  switch (key) {
    case DayKeyPrevDay:
      return AddDays(day, -1);
    case DayKeyNextDay:
      return AddDays(day, 1);
    case DayKeyPrevWeek:
      return AddDays(day, -7);
    case DayKeyNextWeek:
      return AddDays(day, 7);
    case DayKeyFirstDay:
      return {1, day.Month, day.Year};
    case DayKeyLastDay:
      return {DaysInMonth(day.Month, day.Year), day.Month, day.Year};
    case DayKeyPrevMonth:
      return AddMonths(day, -1);
    case DayKeyNextMonth:
      return AddMonths(day, 1);
    case DayKeyPrevYear:
      return AddYears(day, -1);
    case DayKeyNextYear:
      return AddYears(day, 1);
    case DayKeyToday:
      return today;
    default:
      return day;
  }
}
