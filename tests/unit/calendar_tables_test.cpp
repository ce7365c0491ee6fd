// The constant tables of the calendar (moon phases, regions and holidays,
// display names) and the lookups on them.
#include "program_dir.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <span>
#include <utility>

#include "calendar/dates.h"
#include "calendar/moon.h"
#include "calendar/names.h"
#include "calendar/regions.h"

namespace {

template <class T, class Key>
bool StrictlyAscending(const T* table, int size, Key key) {
  const std::span entries(table, size);
  return std::ranges::adjacent_find(entries, std::ranges::greater_equal{}, key) == entries.end();
}

TEST(Tables, AscendByTheirKeys) {
  auto parentCode = [](const RegionRecord& r) { return std::pair(r.Parent, r.Code); };  // communities first
  auto codeDay = [](const RegionHolidayRecord& h) { return std::pair(h.Code, h.Day); };
  auto monthDay = [](const HolidayDate& h) { return std::pair(h.Month, h.Day); };
  EXPECT_TRUE(StrictlyAscending(MoonPhaseTable, MoonPhaseTableSize, &MoonPhaseRecord::Day));
  EXPECT_TRUE(StrictlyAscending(RegionTable, RegionTableSize, parentCode));
  EXPECT_TRUE(StrictlyAscending(RegionHolidayTable, RegionHolidayTableSize, codeDay));
  EXPECT_TRUE(StrictlyAscending(NationalHolidayTable, NationalHolidayTableSize, monthDay));
  EXPECT_TRUE(StrictlyAscending(OtherCommunityHolidayTable, OtherCommunityHolidayTableSize, std::identity{}));
  for (const RegionRecord& r : std::span(RegionTable, RegionTableSize))  // communities 1..20, cities 100 x parent + k
    EXPECT_TRUE(r.Parent ? r.Code / 100 == r.Parent : r.Code == &r - RegionTable + 1) << r.Code;
}

TEST(Moon, Lookups) {
  const int phasesPerMonth[12] = {4, 4, 4, 4, 4, 5, 4, 4, 4, 4, 4, 5};
  for (int month = 1; month <= 12; ++month) {
    MoonPhaseRecord records[6] = {};
    records[5].Day = -7;  // past the five: must stay as it is
    MoonPhasesOfMonth(records, month);
    int first = 0, last = 0, n = 0;
    MonthDayIndexRange(month, &first, &last);
    for (; n < 5 && records[n].Day >= first && records[n].Day <= last; ++n)
      EXPECT_EQ(MoonPhaseOfDay(records[n].Day), records[n].Phase) << records[n].Day;
    EXPECT_TRUE(n == phasesPerMonth[month - 1] && records[n].Day == (n < 5 ? 0 : -7)) << month;
  }
  for (auto [day, phase] : {std::pair{3, 3}, {4, 0}, {60, 0}, {366, 4}, {-2, 0}, {9999, 0}})
    EXPECT_EQ(MoonPhaseOfDay(day), phase) << day;
  MoonPhaseRecord r{9, 9, 9, 9, 9};
  EXPECT_TRUE(FindMoonPhase(&r, 4) == 0 && r.Phase == 9 && r.Day == 9 && r.Sign == 9);  // untouched
  EXPECT_TRUE(FindMoonPhase(&r, 212) == 1 && r.Phase == 3 && r.Hour == 0 && r.Minute == 48 && r.Sign == 10);
}

TEST(Holidays, Examples) {
  const struct { int community, city; std::array<int32_t, 6> expected; } regions[] = {
      {15, 1500, {0, 0, 96, 123, 136, 314}}, {6, 606, {0, 0, 2, 51, 124, 151}},
      {13, 1303, {0, 52, 96, 138, 193, 207}}, {1, 0, {}}, {9999, 9999, {}}, {-1, -1, {}},
  };
  for (const auto& c : regions) {
    std::array<int32_t, 6> holidays;
    holidays.fill(77);
    CollectRegionHolidays(c.community, c.city, holidays.data());
    EXPECT_EQ(holidays, c.expected) << c.community << "/" << c.city;
  }
  const struct { int community, city, show, day, month, year, expected; } days[] = {
      {15, 1500, 0, 5, 4, 2007, PublicHoliday},  {15, 1500, 0, 1, 4, 2007, SundayDay},  // own; Sunday
      {15, 1500, 0, 9, 4, 2007, WorkingDay},     {15, 1500, 1, 9, 4, 2007, OtherCommunityHoliday},
      {15, 1500, 0, 15, 5, 2007, PublicHoliday},  // the city's
      {15, 1500, 0, 5, 4, 2008, WorkingDay},      // regional days are of 2007 only
      {1, 0, 1, 10, 1, 2006, WorkingDay},         {1, 0, 1, 6, 1, 2008, PublicHoliday},  // a Sunday
      {1, 0, 0, 6, 4, 2007, PublicHoliday},       {1, 0, 0, 21, 3, 2008, PublicHoliday},  // movable
      {1, 0, 0, 9, 4, 2020, PublicHoliday},       {1, 0, 0, 2, 4, 2021, WorkingDay},     // past the table
      {1, 0, 0, 25, 12, 3000, PublicHoliday},
  };
  for (const auto& c : days) {
    int32_t holidays[6];
    CollectRegionHolidays(c.community, c.city, holidays);
    EXPECT_EQ(ClassifyDay(c.day, c.month, c.year, holidays, c.show), c.expected)
        << c.community << "/" << c.city << " show " << c.show << ", " << c.day << "/" << c.month << "/" << c.year;
  }
}

// A stored record may hold anything: days the year lacks and values outside
// 1..366 never mark a day past the month's end or of another month.
TEST(Holidays, StoredDaysOutsideTheMonthMarkNothing) {
  const int32_t stored[6] = {-7, 0, 60, 366, 367, 9999};
  int32_t february[31], december[31];
  ClassifyMonth(2, 2007, stored, 1, february);
  ClassifyMonth(12, 2007, stored, 1, december);
  for (int day = 29; day <= 31; ++day) EXPECT_EQ(february[day - 1], 0) << day;
  EXPECT_EQ(december[30], PublicHoliday);  // 366 is 31 December
  EXPECT_EQ(ClassifyDay(32, 12, 2007, stored, 1), WorkingDay);
}

TEST(Names, Examples) {
  char names[3][64] = {}, small[8] = "xxxxxxx";
  for (int i : {0, 1, 2}) CommunityName(std::array{2, 0, 21}[i], names[i], 64);
  CommunityName(8, small, 4);
  EXPECT_EQ(small[4], 'x');
  const std::pair<const char*, const char*> cases[] = {
      {names[0], "Andaluc\xED" "a"},    {names[1], ""},                     {names[2], ""},
      {small, "Cas"},                   {MonthName(4, 7), "juhlo"},         {MonthName(5, 12), "d\xE9" "cembre"},
      {WeekdayName(3, 6), "larumbata"}, {WeekdayName(5, 7), "dimanche"},    {ZodiacName(2, 2), "G\xEAmeos"},
      {MoonPhaseName(5, 4), "D. Quartier"}, {WeekdayInitials(2, 3), "x"},   {MonthName(6, 1), "enero"},
      {WeekdayName(-1, 7), "domingo"},  {ZodiacName(1 << 30, 2), "G\xE9minis"}, {NumberText(0), " 0"},
      {NumberText(57), "57"},           {DayNumberText(7), " 7"},           {DayNumberText(31), "31"},
      {MoonImageName(0), ""},           {MoonImageName(4), "l4"},
  };
  for (const auto& [got, expected] : cases) EXPECT_STREQ(got, expected);
  for (int language = 0; language < LanguageCount; ++language)
    for (int i = 0; i < 12; ++i)
      EXPECT_TRUE(*MonthName(language, i + 1) && *ZodiacName(language, i) && *WeekdayName(language, i % 7 + 1) &&
                  *WeekdayInitials(language, i % 7) && *MoonPhaseName(language, i % 5))
          << language << "/" << i;
}

}  // namespace
