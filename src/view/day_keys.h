// The keys of the month window: which day each one moves the focus day to.
// Portable: a key and a date in, the new date out.
#pragma once

// A date of the calendar: day 1..31, month 1..12, year.
struct CalendarDay {
  int Day;
  int Month;
  int Year;
};

// The moves of the focus day, as the system's month-calendar control has them.
enum DayKey : int {
  DayKeyPrevDay,    // Left
  DayKeyNextDay,    // Right
  DayKeyPrevWeek,   // Up
  DayKeyNextWeek,   // Down
  DayKeyFirstDay,   // Home: the first day of the month shown
  DayKeyLastDay,    // End: the last day of the month shown
  DayKeyPrevMonth,  // Page Up: the same day of the previous month, clamped to its length
  DayKeyNextMonth,  // Page Down
  DayKeyPrevYear,   // Ctrl+Page Up: the same day and month of the previous year
  DayKeyNextYear,   // Ctrl+Page Down
  DayKeyToday,      // Ctrl+Home
};

// The year range of the change-year dialog, which the year keys keep to.
constexpr int FirstKeyYear = 1790;
constexpr int LastKeyYear = 5317;

// The day the key moves to from day (a valid date); today is the date of
// Ctrl+Home. A year key that would leave FirstKeyYear..LastKeyYear, or an
// unknown key, gives day itself.
CalendarDay MoveByKey(int key, CalendarDay day, CalendarDay today);
// 1 when both name the same date.
inline int SameDay(CalendarDay a, CalendarDay b) { return a.Day == b.Day && a.Month == b.Month && a.Year == b.Year; }
