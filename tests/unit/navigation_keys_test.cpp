// The keys of the month window and what a screen reader is told of a day.
#include <gtest/gtest.h>

#include <array>

#include "view/day_keys.h"
#include "view/day_texts.h"

static std::array<int, 3> Dmy(CalendarDay d) { return {d.Day, d.Month, d.Year}; }

// Each key across the ends of a month and a year, a leap year's February,
// the year keys at the ends of the year dialog's range; Home and End in
// months of 28, 29, 30 and 31 days. What a screen reader is told of a day.
TEST(NavigationKeysTest, EachKeyAcrossMonthAndYearBoundariesAndDayTexts) {
  const CalendarDay today = {5, 3, 2007};
  const struct {
    int key;
    CalendarDay from, to;
  } cases[] = {
      {DayKeyNextDay, {31, 12, 2007}, {1, 1, 2008}},    {DayKeyPrevDay, {1, 1, 2008}, {31, 12, 2007}},
      {DayKeyNextDay, {28, 2, 2007}, {1, 3, 2007}},     {DayKeyNextDay, {28, 2, 2008}, {29, 2, 2008}},
      {DayKeyPrevDay, {1, 3, 2008}, {29, 2, 2008}},     {DayKeyNextWeek, {26, 12, 2007}, {2, 1, 2008}},
      {DayKeyPrevWeek, {3, 1, 2008}, {27, 12, 2007}},   {DayKeyNextWeek, {24, 2, 2007}, {3, 3, 2007}},
      {DayKeyPrevWeek, {6, 3, 2008}, {28, 2, 2008}},    {DayKeyPrevMonth, {31, 3, 2007}, {28, 2, 2007}},
      {DayKeyNextMonth, {31, 1, 2008}, {29, 2, 2008}},  {DayKeyPrevMonth, {31, 1, 2007}, {31, 12, 2006}},
      {DayKeyNextMonth, {31, 3, 2007}, {30, 4, 2007}},  {DayKeyPrevYear, {29, 2, 2008}, {28, 2, 2007}},
      {DayKeyPrevYear, {5, 3, 1790}, {5, 3, 1790}},     {DayKeyPrevYear, {1, 1, 1791}, {1, 1, 1790}},
      {DayKeyNextYear, {31, 12, 5317}, {31, 12, 5317}}, {DayKeyNextYear, {31, 12, 5316}, {31, 12, 5317}},
      {DayKeyToday, {9, 9, 1999}, {5, 3, 2007}},        {-1, {17, 6, 2007}, {17, 6, 2007}},
      {DayKeyLastDay, {1, 2, 2007}, {28, 2, 2007}},     {DayKeyLastDay, {1, 2, 2008}, {29, 2, 2008}},
      {DayKeyLastDay, {1, 4, 2007}, {30, 4, 2007}},     {DayKeyLastDay, {31, 8, 2007}, {31, 8, 2007}},
      {DayKeyFirstDay, {29, 2, 2008}, {1, 2, 2008}},    {DayKeyFirstDay, {30, 11, 2007}, {1, 11, 2007}},
  };
  for (const auto& c : cases) EXPECT_EQ(Dmy(MoveByKey(c.key, c.from, today)), Dmy(c.to)) << c.key;
  // A day's whole date in each language's word order; its kind in Spanish.
  const struct {
    int language;
    CalendarDay day;
    const char* name;
  } names[] = {{0, {5, 3, 2007}, "lunes, 5 de marzo de 2007"},
               {1, {5, 3, 2007}, "dilluns, 5 de mar\xE7 de 2007"},
               {1, {1, 4, 2007}, "diumenge, 1 d'abril de 2007"},
               {2, {5, 3, 2007}, "luns, 5 de marzo de 2007"},
               {3, {5, 3, 2007}, "2007ko martxoaren 5a, astelehena"},
               {3, {5, 3, 2005}, "2005eko martxoaren 5a, larumbata"},
               {4, {5, 3, 2007}, "segunda-feira, 5 de mar\xE7o de 2007"},
               {5, {5, 3, 2007}, "lundi 5 mars 2007"},
               {5, {1, 3, 2007}, "jeudi 1er mars 2007"}};
  char text[128];
  for (const auto& n : names) {
    DayFullName(n.language, n.day, text, sizeof text);
    EXPECT_STREQ(text, n.name);
  }
  const struct {
    int dayClass, today;
    const char *note, *value;
  } kinds[] = {{1, 1, "", "Domingo, hoy"},
               {2, 0, "Cena\r\nsegunda", "Festivo, con nota: Cena"},
               {3, 1, "\r\nsin primera", "Festivo en otra comunidad, hoy, con nota"}};
  for (const auto& k : kinds) {
    DayKindText(k.dayClass, k.today, k.note, text, sizeof text);
    EXPECT_STREQ(text, k.value);
  }
}
