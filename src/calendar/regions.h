// Public holidays by region: the communities and cities of Spain, their own
// holidays of 2007, the national holidays and the days that are holidays in
// other communities.
#pragma once
#include <cstdint>

#include "base/settings.h"

// DayClass of a day; picks its text colour (WorkdayTextColor + class).
enum DayClass : int32_t { WorkingDay = 0, SundayDay = 1, PublicHoliday = 2, OtherCommunityHoliday = 3 };

struct RegionRecord {
  int32_t Parent;    // 0 for a community, else the community code
  int32_t Code;      // communities 1..20, cities 100 x community + k
  const char* Name;  // Windows-1252
};

// The communities (codes 1..CommunityCount) then the cities ordered by code.
extern const RegionRecord RegionTable[];
extern const int RegionTableSize;

// Own holidays of 2007 of the communities and cities: (code, DayIndex),
// ascending by code, the days of one code ascending.
struct RegionHolidayRecord {
  int32_t Code;
  int32_t Day;  // DayIndex
};
extern const RegionHolidayRecord RegionHolidayTable[];
extern const int RegionHolidayTableSize;

struct HolidayDate {
  int32_t Month;  // 1..12
  int32_t Day;    // 1..31
};
// The fixed national holidays of every year, ascending by month and day.
extern const HolidayDate NationalHolidayTable[];
extern const int NationalHolidayTableSize;
// The movable national holiday of a year: Good Friday, two days before the
// Gregorian Easter Sunday; 20 March .. 23 April of any year from 1583 on.
HolidayDate GoodFriday(int year);
// Days of 2007 (DayIndex, ascending) that are holidays in other communities.
extern const int32_t OtherCommunityHolidayTable[];
extern const int OtherCommunityHolidayTableSize;

// Copies the name of community 1..CommunityCount into text (at most size
// bytes with its terminating zero); leaves text untouched for any other code.
void CommunityName(int community, char* text, int size);
// Fills holidays with the own holidays of the community and the city
// (0 = none), ascending, empty slots (0) first.
void CollectRegionHolidays(int community, int city, int32_t holidays[LocalHolidaySlots]);
// Day classes of the month: classes[d - 1] for day d; entries past the
// month's last day are 0. holidays are the own holidays (ascending DayIndex
// values, as CollectRegionHolidays gives them); showOther 1 marks the days
// that are holidays in other communities. Regional days count in DataYear only.
void ClassifyMonth(int month, int year, const int32_t holidays[LocalHolidaySlots], int showOther, int32_t classes[31]);
// The class of one day, as ClassifyMonth gives it.
int ClassifyDay(int day, int month, int year, const int32_t holidays[LocalHolidaySlots], int showOther);
