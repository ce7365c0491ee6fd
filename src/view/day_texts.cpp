#include "view/day_texts.h"

#include <cstdio>
#include <cstring>

#include "calendar/dates.h"
#include "calendar/names.h"

// snprintf into a fixed buffer, cut at its end.
template <typename... Args>
static void Format(char* text, int size, const char* format, Args... args) {
  std::snprintf(text, static_cast<size_t>(size), format, args...);
}

// The Catalan "de" before a month: elided before a vowel ("d'abril").
static const char* CatalanOf(const char* month) { return std::strchr("aeiou", month[0]) ? "d'" : "de "; }

// The Basque ending of a year in the genitive of place ("2007ko",
// "2005eko"): "eko" after the number words that end in a consonant (bat,
// bost, hamar, hamabost, ehun), "ko" otherwise.
static const char* BasqueYearEnding(int year) {
  const int last = year % 100;
  if (last == 0) return year % 1000 == 0 ? "ko" : "eko";  // mila; ehun
  const int unit = last % 20;                             // the vigesimal rest
  return unit == 1 || unit == 5 || unit == 10 || unit == 15 ? "eko" : "ko";
}

void DayFullName(int language, CalendarDay d, char* text, int size) {
  const char* weekday = WeekdayName(language, DayOfWeek(d.Day, d.Month, d.Year));
  const char* month = MonthName(language, d.Month);
  switch (language) {
    case 1:  // Catalan
      Format(text, size, "%s, %i %s%s de %i", weekday, d.Day, CatalanOf(month), month, d.Year);
      break;
    case 3:  // Basque: year, month, day, then the weekday
      Format(text, size, "%i%s %sren %ia, %s", d.Year, BasqueYearEnding(d.Year), month, d.Day, weekday);
      break;
    case 5:  // French: no comma, "1er" for the first
      Format(text, size, "%s %i%s %s %i", weekday, d.Day, d.Day == 1 ? "er" : "", month, d.Year);
      break;
    default:  // Spanish, Galician, Portuguese
      Format(text, size, "%s, %i de %s de %i", weekday, d.Day, month, d.Year);
      break;
  }
}

void MonthTitleText(int language, int month, int year, char* text, int size) {
  Format(text, size, "%s %i", MonthName(language, month), year);
}

void DayKindText(int dayClass, int today, const char* note, char* text, int size) {
  static constexpr const char* kKinds[] = {"Laborable", "Domingo", "Festivo", "Festivo en otra comunidad"};
  const char* kind = kKinds[dayClass >= 0 && dayClass <= 3 ? dayClass : 0];
  const int line = static_cast<int>(std::strcspn(note, "\r\n"));  // the note's first line
  if (line > 0)
    Format(text, size, "%s%s, con nota: %.*s", kind, today ? ", hoy" : "", line, note);
  else  // a note whose first line is empty is still a note
    Format(text, size, "%s%s%s", kind, today ? ", hoy" : "", note[0] ? ", con nota" : "");
}
