// The keys of the month window and what a screen reader is told of a day.
#include <gtest/gtest.h>

#include <string>

#include "calendar/dates.h"
#include "view/day_keys.h"
#include "view/day_texts.h"

static std::string Text(CalendarDay d) {
  return std::to_string(d.Day) + "/" + std::to_string(d.Month) + "/" + std::to_string(d.Year);
}

// Each key across the ends of a month and a year, a leap year's February,
// and the year keys at the ends of the year dialog's range.
TEST(NavigationKeysTest, EachKeyAcrossMonthAndYearBoundaries) {
  const CalendarDay today = {5, 3, 2007};
  const struct {
    int key;
    CalendarDay from, to;
  } cases[] = {
      {DayKeyNextDay, {31, 12, 2007}, {1, 1, 2008}},    {DayKeyPrevDay, {1, 1, 2008}, {31, 12, 2007}},
      {DayKeyNextDay, {28, 2, 2007}, {1, 3, 2007}},     {DayKeyNextDay, {28, 2, 2008}, {29, 2, 2008}},
      {DayKeyPrevDay, {1, 3, 2008}, {29, 2, 2008}},     {DayKeyPrevDay, {5, 3, 2007}, {4, 3, 2007}},
      {DayKeyNextWeek, {26, 12, 2007}, {2, 1, 2008}},   {DayKeyPrevWeek, {3, 1, 2008}, {27, 12, 2007}},
      {DayKeyNextWeek, {24, 2, 2007}, {3, 3, 2007}},    {DayKeyPrevWeek, {6, 3, 2008}, {28, 2, 2008}},
      {DayKeyNextWeek, {5, 3, 2007}, {12, 3, 2007}},    {DayKeyPrevMonth, {31, 3, 2007}, {28, 2, 2007}},
      {DayKeyNextMonth, {31, 1, 2007}, {28, 2, 2007}},  {DayKeyNextMonth, {31, 1, 2008}, {29, 2, 2008}},
      {DayKeyNextMonth, {15, 12, 2007}, {15, 1, 2008}}, {DayKeyPrevMonth, {31, 1, 2007}, {31, 12, 2006}},
      {DayKeyNextMonth, {31, 3, 2007}, {30, 4, 2007}},  {DayKeyPrevYear, {29, 2, 2008}, {28, 2, 2007}},
      {DayKeyNextYear, {5, 3, 2007}, {5, 3, 2008}},     {DayKeyPrevYear, {5, 3, 1790}, {5, 3, 1790}},
      {DayKeyPrevYear, {1, 1, 1791}, {1, 1, 1790}},     {DayKeyNextYear, {31, 12, 5317}, {31, 12, 5317}},
      {DayKeyNextYear, {31, 12, 5316}, {31, 12, 5317}}, {DayKeyToday, {9, 9, 1999}, {5, 3, 2007}},
      {DayKeyFirstDay, {17, 6, 2007}, {1, 6, 2007}},    {-1, {17, 6, 2007}, {17, 6, 2007}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Text(MoveByKey(c.key, c.from, today)), Text(c.to)) << c.key << " " << Text(c.from);
  // Home and End in every month length: 28, 29, 30 and 31 days.
  for (int year : {2007, 2008})
    for (int month = 1; month <= 12; ++month)
      for (int day : {1, 15, DaysInMonth(month, year)}) {
        EXPECT_EQ(Text(MoveByKey(DayKeyFirstDay, {day, month, year}, today)), Text({1, month, year}));
        EXPECT_EQ(Text(MoveByKey(DayKeyLastDay, {day, month, year}, today)),
                  Text({month == 2 ? 28 + (year == 2008) : 30 + (month + month / 8) % 2, month, year}));
      }
}

// A day's whole date in each language's word order; the kinds in Spanish.
TEST(NavigationKeysTest, DayNamesInEveryLanguageAndKinds) {
  const struct {
    int language;
    CalendarDay day;
    const char* name;
  } names[] = {
      {0, {5, 3, 2007}, "lunes, 5 de marzo de 2007"},
      {1, {5, 3, 2007}, "dilluns, 5 de mar\xE7 de 2007"},
      {1, {1, 4, 2007}, "diumenge, 1 d'abril de 2007"},
      {2, {5, 3, 2007}, "luns, 5 de marzo de 2007"},
      {3, {5, 3, 2007}, "2007ko martxoaren 5a, astelehena"},
      {3, {5, 3, 2005}, "2005eko martxoaren 5a, larumbata"},
      {3, {5, 3, 2000}, "2000ko martxoaren 5a, igandea"},
      {4, {5, 3, 2007}, "segunda-feira, 5 de mar\xE7o de 2007"},
      {5, {5, 3, 2007}, "lundi 5 mars 2007"},
      {5, {1, 3, 2007}, "jeudi 1er mars 2007"},
  };
  char text[128];
  for (const auto& n : names) {
    DayFullName(n.language, n.day, text, sizeof text);
    EXPECT_STREQ(text, n.name);
  }
  DayFullName(0, {5, 3, 2007}, text, 8);
  EXPECT_STREQ(text, "lunes, ");
  const struct {
    int dayClass, today;
    const char* note;
    const char* value;
  } kinds[] = {
      {0, 0, "", "Laborable"},
      {1, 1, "", "Domingo, hoy"},
      {2, 0, "Cena\r\nsegunda", "Festivo, con nota: Cena"},
      {3, 1, "\r\nsin primera", "Festivo en otra comunidad, hoy, con nota"},
      {9, 0, "x", "Laborable, con nota: x"},
  };
  for (const auto& k : kinds) {
    DayKindText(k.dayClass, k.today, k.note, text, sizeof text);
    EXPECT_STREQ(text, k.value);
  }
  MonthTitleText(5, 8, 2007, text, sizeof text);
  EXPECT_STREQ(text, "ao\xFBt 2007");
}
