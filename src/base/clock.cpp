#include "base/clock.h"

// Days from 1 January 1601 to the given Gregorian date (Hinnant's
// days-from-civil shifted to the 1601 epoch); valid for years 1601 and later.
static int64_t DaysSince1601(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = y / 400;
  const int64_t yoe = y - era * 400;                                   // [0, 399]
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;  // [0, 365]
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;           // [0, 146096]
  return era * 146097 + doe - 584694;                                  // 584694 = days from 0000-03-01 to 1601-01-01
}

FileTime ToFileTime(const LocalTime& t) {
  int64_t days = DaysSince1601(t.Year, t.Month, t.Day);
  int64_t ms = ((days * 24 + t.Hour) * 60 + t.Minute) * 60000 + t.Second * 1000 + t.Milliseconds;
  uint64_t ticks = static_cast<uint64_t>(ms) * 10000;
  return {static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)};
}

FileTime CurrentFileTime() { return ToFileTime(OsLocalTime()); }

LocalTime FromFileTime(const FileTime& time) {
  const uint64_t ticks = (uint64_t{time.High} << 32) | time.Low;
  const int64_t ms = static_cast<int64_t>(ticks / 10000);
  const int64_t days = ms / 86400000, inDay = ms % 86400000;
  // Hinnant's civil-from-days, from the 1601 epoch.
  const int64_t z = days + 584694;
  const int64_t era = z / 146097;
  const int64_t doe = z - era * 146097;                                       // [0, 146096]
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                // [0, 365]
  const int64_t mp = (5 * doy + 2) / 153;                                     // [0, 11]
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yoe + era * 400 + (month <= 2));
  LocalTime t{};
  t.Year = year;
  t.Month = month;
  t.Day = day;
  t.DayOfWeek = static_cast<int>((days + 1) % 7);  // 1 January 1601 was a Monday
  t.Hour = static_cast<int>(inDay / 3600000);
  t.Minute = static_cast<int>(inDay / 60000 % 60);
  t.Second = static_cast<int>(inDay / 1000 % 60);
  t.Milliseconds = static_cast<int>(inDay % 1000);
  return t;
}
