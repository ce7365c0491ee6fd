#include "calendar/moon.h"

#include <iterator>

#include "calendar/dates.h"

// The principal phases of 2007, ascending by day; the phases run 3, 4, 1, 2.
constexpr MoonPhaseRecord MoonPhaseTable[] = {
    // Phase, Day (DayIndex), Hour, Minute, Sign
    {3, 3, 13, 57, 3},     // 3 Jan
    {4, 11, 12, 44, 6},    // 11 Jan
    {1, 19, 4, 1, 9},      // 19 Jan
    {2, 25, 23, 1, 0},     // 25 Jan
    {3, 33, 5, 45, 4},     // 2 Feb
    {4, 41, 9, 51, 7},     // 10 Feb
    {1, 48, 16, 14, 10},   // 17 Feb
    {2, 55, 7, 56, 2},     // 24 Feb
    {3, 63, 23, 17, 5},    // 3 Mar
    {4, 72, 3, 54, 8},     // 12 Mar
    {1, 79, 2, 42, 11},    // 19 Mar
    {2, 85, 18, 16, 3},    // 25 Mar
    {3, 93, 17, 15, 6},    // 2 Apr
    {4, 101, 18, 4, 9},    // 10 Apr
    {1, 108, 11, 36, 0},   // 17 Apr
    {2, 115, 6, 35, 4},    // 24 Apr
    {3, 123, 10, 9, 7},    // 2 May
    {4, 131, 4, 27, 10},   // 10 May
    {1, 137, 19, 27, 1},   // 16 May
    {2, 144, 21, 2, 5},    // 23 May
    {3, 153, 1, 4, 8},     // 1 Jun
    {4, 160, 11, 43, 11},  // 8 Jun
    {1, 167, 3, 13, 2},    // 15 Jun
    {2, 174, 13, 15, 6},   // 22 Jun
    {3, 182, 13, 49, 9},   // 30 Jun
    {4, 189, 16, 54, 0},   // 7 Jul
    {1, 196, 12, 4, 3},    // 14 Jul
    {2, 204, 6, 29, 6},    // 22 Jul
    {3, 212, 0, 48, 10},   // 30 Jul
    {4, 218, 21, 20, 1},   // 5 Aug
    {1, 225, 23, 2, 4},    // 12 Aug
    {2, 233, 23, 54, 7},   // 20 Aug
    {3, 241, 10, 35, 11},  // 28 Aug
    {4, 248, 2, 32, 2},    // 4 Sep
    {1, 255, 12, 44, 5},   // 11 Sep
    {2, 263, 16, 48, 8},   // 19 Sep
    {3, 270, 19, 45, 0},   // 26 Sep
    {4, 277, 10, 6, 3},    // 3 Oct
    {1, 285, 5, 1, 6},     // 11 Oct
    {2, 293, 8, 33, 9},    // 19 Oct
    {3, 300, 4, 51, 1},    // 26 Oct
    {4, 306, 21, 18, 4},   // 1 Nov
    {1, 314, 23, 3, 7},    // 9 Nov
    {2, 322, 22, 32, 10},  // 17 Nov
    {3, 329, 14, 30, 2},   // 24 Nov
    {4, 336, 12, 44, 5},   // 1 Dec
    {1, 344, 17, 40, 8},   // 9 Dec
    {2, 352, 10, 17, 11},  // 17 Dec
    {3, 359, 1, 15, 3},    // 24 Dec
    {4, 366, 7, 51, 6},    // 31 Dec
};
static_assert(std::size(MoonPhaseTable) == 50);
const int MoonPhaseTableSize = std::size(MoonPhaseTable);

// The record of the day, or nullptr; the walk stops at the first day >= the one sought.
static const MoonPhaseRecord* RecordOfDay(int dayIndex) {
  for (const MoonPhaseRecord& r : MoonPhaseTable) {
    if (r.Day >= dayIndex) return r.Day == dayIndex ? &r : nullptr;
  }
  return nullptr;
}

int MoonPhaseOfDay(int dayIndex) {
  const MoonPhaseRecord* r = RecordOfDay(dayIndex);
  return r ? r->Phase : 0;
}

int FindMoonPhase(MoonPhaseRecord* record, int dayIndex) {
  const MoonPhaseRecord* r = RecordOfDay(dayIndex);
  if (!r) return 0;
  *record = *r;
  return 1;
}

void MoonPhasesOfMonth(MoonPhaseRecord records[5], int month) {
  int first, last;
  MonthDayIndexRange(month, &first, &last);
  int n = 0;
  for (const MoonPhaseRecord& r : MoonPhaseTable) {
    if (r.Day > last) break;
    if (r.Day >= first && n < 5) records[n++] = r;
  }
}

const char* MoonImageName(int phase) {
  static constexpr const char* kNames[] = {"", "l1", "l2", "l3", "l4"};
  return phase >= 1 && phase <= 4 ? kNames[phase] : kNames[0];
}
