// The principal moon phases of 2007.
#pragma once
#include <cstdint>

struct MoonPhaseRecord {
  int32_t Phase;   // 1 new, 2 first quarter, 3 full, 4 last quarter
  int32_t Day;     // DayIndex
  int32_t Hour;    // 0..23
  int32_t Minute;  // 0..59
  int32_t Sign;    // zodiac sign 0 Aries .. 11 Pisces
};

// The 50 phases of 2007, ascending by day.
extern const MoonPhaseRecord MoonPhaseTable[];
extern const int MoonPhaseTableSize;

// Phase falling on the day (DayIndex), or 0.
int MoonPhaseOfDay(int dayIndex);
// 1 and a copy of the day's record, or 0 with the record untouched.
int FindMoonPhase(MoonPhaseRecord* record, int dayIndex);
// Copies the records of the month, in day order, into records[0..4];
// writes nothing else (callers clear the five first).
void MoonPhasesOfMonth(MoonPhaseRecord records[5], int month);
// "l1".."l4" for the phases 1..4, "" for 0.
const char* MoonImageName(int phase);
