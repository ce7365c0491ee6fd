// Gregorian date arithmetic and the program-wide day numbering.
// Months run 1..12, days of the month 1..31, weekdays 1 = Monday .. 7 = Sunday.
#pragma once
#include <cstdint>

// The year that the moon table, the regional holidays and the information
// files describe.
constexpr int DataYear = 2007;

// DayIndex: a day of the year numbered as in a leap year (1 January = 1,
// 29 February = 60, 1 March = 61, 31 December = 366) in every year.

int IsLeapYear(int year);        // 1 or 0
int DaysInYear(int year);        // 365 or 366
int BaseDaysInMonth(int month);  // common-year length
int DaysInMonth(int month, int year);
int ToDayIndex(int day, int month);                  // 1..366
void FromDayIndex(int index, int* day, int* month);  // index 1..366
void MonthDayIndexRange(int month, int* first, int* last);
int DayOfYear(int day, int month, int year);        // 1..365 (366)
int DayOfWeek(int day, int month, int year);        // 1 = Monday .. 7 = Sunday
int JulianDayNumber(int month, int day, int year);  // years 0..99 taken as 1900 + year
int IsoWeekNumber(int month, int year, int day);    // 1..53
int IsoWeekYear(int month, int year, int week);
// Today's day of the month when the local date lies in that month of that
// year, else 0. Reads the clock on every call.
int TodayInMonth(int month, int year);
