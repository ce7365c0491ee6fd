// The day texts of the three information files, each an HTML fragment in
// Windows-1252: the sun times of Madrid, the holidays of Spain by region,
// and the international and world days.
#pragma once
#include <string>

#include "info_packer.h"

// "8:38" for 518 minutes after midnight.
std::string ClockText(int minutes);
// Sunrise, sunset and day length in Madrid for every day of 2007; none for
// 29 February.
DayTexts SunDayTexts();

// The name of a national holiday of 2007 (fixed or movable) on the date, or
// nullptr when the date is none.
const char* NationalHolidayName(int month, int day);
// For every day of 2007 that is a holiday somewhere: the national holiday,
// the communities' own holidays by name, the cities' own holidays; every
// other day has none. 0 after the message when a table row has no name.
int HolidayDayTexts(DayTexts* texts);

// Reads "MM-DD text" lines (UTF-8; "#" starts a comment line) into one
// paragraph per line, in file order within a day; 1 when every line was
// understood, else 0 after the message.
int WorldDayTexts(const std::string& path, DayTexts* texts);
