// The constant tables of the calendar (moon phases, regions and holidays,
// display names) and the lookups on them.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/settings.h"
#include "calendar/dates.h"
#include "calendar/moon.h"
#include "calendar/names.h"
#include "calendar/regions.h"

namespace {

// ---- moon phases ----

TEST(MoonTable, OrderedByDayWithAlternatingPhases) {
  ASSERT_EQ(MoonPhaseTableSize, 50);
  for (int i = 0; i < MoonPhaseTableSize; ++i) {
    const MoonPhaseRecord& r = MoonPhaseTable[i];
    EXPECT_TRUE(i == 0 || r.Day > MoonPhaseTable[i - 1].Day) << i;
    EXPECT_EQ(r.Phase, (i + 2) % 4 + 1) << i;  // 3, 4, 1, 2, ...
    EXPECT_TRUE(r.Day >= 1 && r.Day <= 366 && r.Day != 60 && r.Hour >= 0 && r.Hour <= 23 && r.Minute >= 0 &&
                r.Minute <= 57 && r.Sign >= 0 && r.Sign <= 11)  // NumberText reaches 57
        << i;
  }
}

TEST(MoonLookups, EveryDayFindsItsRecordOrNone) {
  for (int day = -2; day <= 370; ++day) {
    const MoonPhaseRecord* expected = nullptr;
    for (int i = 0; i < MoonPhaseTableSize; ++i)
      if (MoonPhaseTable[i].Day == day) expected = &MoonPhaseTable[i];
    const MoonPhaseRecord untouched{9, 9, 9, 9, 9};
    MoonPhaseRecord got = untouched;
    ASSERT_EQ(FindMoonPhase(&got, day), expected ? 1 : 0) << day;
    ASSERT_EQ(std::memcmp(&got, expected ? expected : &untouched, sizeof got), 0) << day;
    ASSERT_EQ(MoonPhaseOfDay(day), expected ? expected->Phase : 0) << day;
  }
  const struct {
    int day, phase;
  } cases[] = {{3, 3}, {4, 0}, {366, 4}, {60, 0}, {212, 3}, {9999, 0}};
  for (const auto& c : cases) EXPECT_EQ(MoonPhaseOfDay(c.day), c.phase) << c.day;
  MoonPhaseRecord r{};
  ASSERT_EQ(FindMoonPhase(&r, 212), 1);
  EXPECT_TRUE(r.Phase == 3 && r.Hour == 0 && r.Minute == 48 && r.Sign == 10);
}

TEST(MoonLookups, PhasesOfEveryMonth) {
  const std::vector<int> expected[12] = {
      {3, 11, 19, 25},      {33, 41, 48, 55},          {63, 72, 79, 85},     {93, 101, 108, 115},
      {123, 131, 137, 144}, {153, 160, 167, 174, 182}, {189, 196, 204, 212}, {218, 225, 233, 241},
      {248, 255, 263, 270}, {277, 285, 293, 300},      {306, 314, 322, 329}, {336, 344, 352, 359, 366},
  };
  for (int month = 1; month <= 12; ++month) {
    MoonPhaseRecord records[6] = {};
    records[5].Day = -7;  // past the five: must stay as it is
    MoonPhasesOfMonth(records, month);
    std::vector<int> days;
    for (int i = 0; i < 5 && records[i].Day != 0; ++i) days.push_back(records[i].Day);
    EXPECT_EQ(days, expected[month - 1]) << month;
    EXPECT_EQ(records[5].Day, -7) << month;
  }
  const char* images[] = {"", "l1", "l2", "l3", "l4"};
  for (int phase = 0; phase <= 4; ++phase) EXPECT_STREQ(MoonImageName(phase), images[phase]);
}

// ---- regions ----

TEST(RegionTables, OrderedByTheirKeys) {
  ASSERT_EQ(RegionTableSize, 20 + 57);
  for (int i = 0; i < 20; ++i) EXPECT_TRUE(RegionTable[i].Parent == 0 && RegionTable[i].Code == i + 1) << i;
  for (int i = 20, k = 0; i < RegionTableSize; ++i) {  // cities grouped by parent, codes 100 x parent + k
    const RegionRecord& r = RegionTable[i];
    k = r.Parent == RegionTable[i - 1].Parent ? k + 1 : 0;
    EXPECT_TRUE(r.Parent >= 2 && r.Parent <= 20 && r.Code == 100 * r.Parent + k && r.Name[0]) << r.Code;
  }
  int perCode = 0;
  for (int i = 0; i < RegionHolidayTableSize; ++i) {
    const RegionHolidayRecord& h = RegionHolidayTable[i];
    const RegionHolidayRecord* p = i ? &RegionHolidayTable[i - 1] : nullptr;
    EXPECT_TRUE(!p || h.Code > p->Code || (h.Code == p->Code && h.Day > p->Day)) << i;
    EXPECT_TRUE(h.Code >= 2 && h.Day >= 1 && h.Day <= 366 && h.Day != 60) << i;
    perCode = p && p->Code == h.Code ? perCode + 1 : 1;
    EXPECT_LE(perCode, 3) << h.Code;  // a community and a city fill at most the six slots
  }
  ASSERT_EQ(NationalHolidayTableSize, 9);
  for (int i = 1; i < NationalHolidayTableSize; ++i) {
    const HolidayDate &h = NationalHolidayTable[i], &p = NationalHolidayTable[i - 1];
    EXPECT_TRUE(h.Month > p.Month || (h.Month == p.Month && h.Day > p.Day)) << i;
  }
  for (int year = FirstMovableHolidayYear; year <= LastMovableHolidayYear; ++year) {
    const HolidayDate& h = MovableHolidayTable[year - FirstMovableHolidayYear];
    EXPECT_TRUE((h.Month == 3 || h.Month == 4) && h.Day >= 1 && h.Day <= 31) << year;
  }
  ASSERT_EQ(OtherCommunityHolidayTableSize, 18);
  for (int i = 1; i < OtherCommunityHolidayTableSize; ++i)
    EXPECT_GT(OtherCommunityHolidayTable[i], OtherCommunityHolidayTable[i - 1]) << i;
}

// Points g_settings at a zeroed local record for the test's lifetime.
class Holidays : public ::testing::Test {
 protected:
  void SetUp() override { g_settings = &settings_; }
  void TearDown() override { g_settings = saved_; }
  void Choose(int community, int city, int showOther) {
    settings_.ShowOtherHolidays = showOther;
    CollectRegionHolidays(community, city);
  }

  CalendarSettings settings_{};
  CalendarSettings* saved_ = g_settings;
};

TEST_F(Holidays, CollectRegionHolidays) {
  const struct {
    int community, city;
    std::array<int32_t, 6> expected;
  } cases[] = {
      {15, 1500, {0, 0, 96, 123, 136, 314}}, {6, 606, {0, 0, 2, 51, 124, 151}},
      {13, 0, {0, 0, 0, 96, 138, 207}},      {13, 1303, {0, 52, 96, 138, 193, 207}},
      {17, 0, {0, 0, 0, 79, 96, 161}},       {5, 500, {0, 20, 61, 96, 100, 361}},
      {20, 2002, {0, 22, 79, 100, 107, 283}}, {1, 0, {}},
      {0, 0, {}},                            {9999, 9999, {}},
      {-1, -1, {}},
  };
  for (const auto& c : cases) {
    for (int32_t& slot : settings_.LocalHolidays) slot = 77;
    CollectRegionHolidays(c.community, c.city);
    std::array<int32_t, 6> got;
    std::memcpy(got.data(), settings_.LocalHolidays, sizeof got);
    EXPECT_EQ(got, c.expected) << c.community << "/" << c.city;
  }
}

std::string Where(int community, int city, int show, int day, int month, int year) {
  char text[80];
  std::snprintf(text, sizeof text, "%d/%d show %d, %d/%d/%d", community, city, show, day, month, year);
  return text;
}

// Every day of 2006..2021, every community with no city and with each of its
// cities, with and without the other communities' days.
TEST_F(Holidays, ClassifyDayAgreesWithClassifyMonthEverywhere) {
  long mismatches = 0, checked = 0;
  std::string first;
  for (int i = 0; i < RegionTableSize; ++i) {
    const RegionRecord& r = RegionTable[i];
    const int community = r.Parent ? r.Parent : r.Code, city = r.Parent ? r.Code : 0;
    for (int show = 0; show <= 1; ++show) {
      Choose(community, city, show);
      for (int year = 2006; year <= 2021; ++year) {
        for (int month = 1; month <= 12; ++month) {
          int32_t classes[31];
          ClassifyMonth(month, year, classes);
          for (int day = 1; day <= 31; ++day, ++checked) {
            const int got = classes[day - 1];
            const int expected = day <= DaysInMonth(month, year) ? ClassifyDay(day, month, year) : 0;
            if ((got != expected || (got == OtherCommunityHoliday && !show)) && mismatches++ < 8)
              first += Where(community, city, show, day, month, year) + ": month " + std::to_string(got) +
                       ", day " + std::to_string(expected) + "\n";
          }
        }
      }
    }
  }
  EXPECT_EQ(checked, 77L * 2 * 16 * 12 * 31);
  EXPECT_EQ(mismatches, 0) << first;
}

TEST_F(Holidays, NamedDayClasses) {
  const struct {
    int community, city, show, day, month, year, expected;
  } cases[] = {
      {15, 1500, 0, 5, 4, 2007, PublicHoliday},  // own
      {15, 1500, 0, 6, 4, 2007, PublicHoliday},  // movable
      {15, 1500, 0, 1, 4, 2007, SundayDay},
      {15, 1500, 0, 29, 4, 2007, SundayDay},
      {15, 1500, 0, 9, 4, 2007, WorkingDay},
      {15, 1500, 1, 9, 4, 2007, OtherCommunityHoliday},
      {15, 1500, 0, 15, 5, 2007, PublicHoliday},  // the city's
      {15, 1500, 0, 5, 4, 2008, WorkingDay},      // regional days are of 2007 only
      {1, 0, 1, 19, 3, 2007, OtherCommunityHoliday},
      {1, 0, 0, 19, 3, 2007, WorkingDay},
      {20, 0, 1, 19, 3, 2007, PublicHoliday},
      {20, 0, 1, 19, 3, 2008, WorkingDay},
      {1, 0, 1, 10, 1, 2007, OtherCommunityHoliday},
      {1, 0, 1, 10, 1, 2006, WorkingDay},
      {1, 0, 1, 6, 1, 2008, PublicHoliday},  // a Sunday
      {1, 0, 0, 21, 3, 2008, PublicHoliday},
      {1, 0, 0, 5, 4, 2012, PublicHoliday},
      {1, 0, 0, 9, 4, 2020, PublicHoliday},
      {1, 0, 0, 1, 4, 2021, WorkingDay},
      {1, 0, 0, 2, 4, 2021, WorkingDay},
      {1, 0, 0, 25, 12, 1900, PublicHoliday},
      {1, 0, 0, 25, 12, 3000, PublicHoliday},
      {1, 0, 0, 30, 12, 2007, SundayDay},
  };
  for (const auto& c : cases) {
    Choose(c.community, c.city, c.show);
    int32_t classes[31];
    ClassifyMonth(c.month, c.year, classes);
    const std::string where = Where(c.community, c.city, c.show, c.day, c.month, c.year);
    EXPECT_EQ(classes[c.day - 1], c.expected) << where;
    EXPECT_EQ(ClassifyDay(c.day, c.month, c.year), c.expected) << where;
  }
}

// A stored record may hold anything: days the year lacks and values outside
// 1..366 are neither written past the month nor read outside a table.
TEST_F(Holidays, StrayLocalHolidaysStayInsideTheMonth) {
  const int32_t stray[6] = {-7, 0, 60, 366, 367, 9999};
  std::memcpy(settings_.LocalHolidays, stray, sizeof stray);
  settings_.ShowOtherHolidays = 1;
  for (int month = 1; month <= 12; ++month) {
    std::array<int32_t, 31> classes;
    ClassifyMonth(month, 2007, classes.data());
    for (int d = DaysInMonth(month, 2007) + 1; d <= 31; ++d) EXPECT_EQ(classes[d - 1], 0) << month << "/" << d;
  }
  EXPECT_EQ(ClassifyDay(31, 12, 2007), PublicHoliday);
}

TEST(CommunityName, CodesAndBuffer) {
  const struct {
    int community;
    const char* expected;  // nullptr: buffer untouched
  } cases[] = {
      {1, " "},         {2, "Andaluc\xED" "a"}, {19, "País Vasco - Euskadi"}, {20, "Valencia"},
      {0, nullptr},     {21, nullptr},          {200, nullptr},               {-1, nullptr},
  };
  for (const auto& c : cases) {
    char text[64] = "untouched";
    CommunityName(c.community, text, sizeof text);
    EXPECT_STREQ(text, c.expected ? c.expected : "untouched") << c.community;
  }
  char small[8] = "xxxxxxx";
  CommunityName(8, small, 4);
  EXPECT_STREQ(small, "Cas");
  EXPECT_EQ(small[4], 'x');
}

// ---- display names ----

TEST(Names, NamedEntries) {
  const struct {
    const char* what;
    const char* got;
    const char* expected;
  } cases[] = {
      {"MonthName(4, 7)", MonthName(4, 7), "juhlo"},
      {"MonthName(5, 9)", MonthName(5, 9), "setembre"},
      {"MonthName(5, 12)", MonthName(5, 12), "d\xE9" "cembre"},
      {"MonthName(1, 3)", MonthName(1, 3), "març"},
      {"WeekdayName(4, 6)", WeekdayName(4, 6), "sabado"},
      {"WeekdayName(3, 6)", WeekdayName(3, 6), "larumbata"},
      {"WeekdayName(0, 1)", WeekdayName(0, 1), "lunes"},
      {"WeekdayName(5, 7)", WeekdayName(5, 7), "dimanche"},
      {"ZodiacName(3, 7)", ZodiacName(3, 7), "Scorpius"},
      {"ZodiacName(2, 2)", ZodiacName(2, 2), "G\xEAmeos"},
      {"ZodiacName(2, 0)", ZodiacName(2, 0), "Áries"},
      {"ZodiacName(3, 11)", ZodiacName(3, 11), "Piscis"},
      {"MoonPhaseName(5, 0)", MoonPhaseName(5, 0), "Phase lunaire"},
      {"MoonPhaseName(0, 0)", MoonPhaseName(0, 0), "Fases lunares"},
      {"MoonPhaseName(5, 4)", MoonPhaseName(5, 4), "D. Quartier"},
      {"WeekdayInitials(4, 0)", WeekdayInitials(4, 0), "s"},
      {"WeekdayInitials(2, 3)", WeekdayInitials(2, 3), "x"},
      // an unknown language reads as Spanish
      {"MonthName(6, 1)", MonthName(6, 1), "enero"},
      {"WeekdayName(-1, 7)", WeekdayName(-1, 7), "domingo"},
      {"WeekdayInitials(9999, 2)", WeekdayInitials(9999, 2), "x"},
      {"MoonPhaseName(6, 3)", MoonPhaseName(6, 3), "Llena"},
      {"ZodiacName(1 << 30, 2)", ZodiacName(1 << 30, 2), "G\xE9minis"},
  };
  for (const auto& c : cases) EXPECT_STREQ(c.got, c.expected) << c.what;
}

TEST(Names, EveryEntryOfEveryLanguage) {
  for (int language = 0; language < LanguageCount; ++language) {
    std::string initials;
    for (int column = 0; column < 7; ++column) initials += WeekdayInitials(language, column);
    EXPECT_EQ(initials.size(), 7u) << language;
    EXPECT_TRUE((language != 1 && language != 3) || initials == "lmxjvsd") << language;  // the Spanish ones
    int sameMonths = 0;
    for (int month = 1; month <= 12; ++month) {
      EXPECT_TRUE(MonthName(language, month)[0] && ZodiacName(language, month - 1)[0]) << language << "/" << month;
      sameMonths += std::strcmp(MonthName(language, month), MonthName(0, month)) == 0;
    }
    EXPECT_TRUE(language == 0 || sameMonths < 12) << language;  // no row copied or shifted
    for (int weekday = 1; weekday <= 7; ++weekday) EXPECT_TRUE(WeekdayName(language, weekday)[0]) << language;
    for (int entry = 0; entry <= 4; ++entry) EXPECT_TRUE(MoonPhaseName(language, entry)[0]) << language;
  }
  for (int n = 0; n <= 57; ++n) {
    char expected[8];
    std::snprintf(expected, sizeof expected, "%2d", n);
    EXPECT_STREQ(NumberText(n), expected) << n;
    EXPECT_TRUE(n < 1 || n > 31 || std::strcmp(DayNumberText(n), expected) == 0) << n;
  }
}

}  // namespace
