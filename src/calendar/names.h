// The names the calendar shows, in the six display languages:
// 0 Spanish, 1 Catalan, 2 Galician, 3 Basque, 4 Portuguese, 5 French.
// Every lookup returns a constant Windows-1252 text. The language is clamped
// to 0..5 so that an unexpected value can never index outside the tables.
#pragma once

#include "base/settings.h"  // LanguageCount

const char* MonthName(int language, int month);         // month 1..12
const char* WeekdayName(int language, int weekday);     // 1 Monday .. 7 Sunday
const char* WeekdayInitials(int language, int column);  // 0 Monday .. 6 Sunday
const char* MoonPhaseName(int language, int entry);     // 0 heading, 1..4 phases
const char* ZodiacName(int language, int sign);         // 0 Aries .. 11 Pisces
const char* NumberText(int n);                          // 0..57: two characters, blank-filled
const char* DayNumberText(int day);                     // 1..31
