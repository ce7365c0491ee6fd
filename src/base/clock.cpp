#include "base/clock.h"

// Days from 1 January 1601 to the given Gregorian date (Hinnant's
// days-from-civil shifted to the 1601 epoch); valid for years 1601 and later.
static int64_t DaysSince1601(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = y / 400;
  const int64_t yoe = y - era * 400;                                 // [0, 399]
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1; // [0, 365]
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;         // [0, 146096]
  return era * 146097 + doe - 584694;  // 584694 = days from 0000-03-01 to 1601-01-01
}

FileTime ToFileTime(const LocalTime& t) {
  int64_t days = DaysSince1601(t.Year, t.Month, t.Day);
  int64_t ms = ((days * 24 + t.Hour) * 60 + t.Minute) * 60000 + t.Second * 1000 + t.Milliseconds;
  uint64_t ticks = static_cast<uint64_t>(ms) * 10000;
  return {static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)};
}

FileTime CurrentFileTime() { return ToFileTime(OsLocalTime()); }
