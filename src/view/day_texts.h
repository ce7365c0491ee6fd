// What assistive technology is told about the month window: the whole date
// of a day in the display language's words, and what kind of day it is.
// Portable; every text is Windows-1252, cut to fit its buffer.
#pragma once
#include "view/day_keys.h"

// The date in the language's own word order, e.g. "lunes, 5 de marzo de
// 2007" in Spanish, "lundi 5 mars 2007" in French. size >= 1.
void DayFullName(int language, CalendarDay day, char* text, int size);
// The month and year shown as the title shows them, e.g. "marzo 2007".
void MonthTitleText(int language, int month, int year, char* text, int size);
// The kind of a day (DayClass 0..3) in Spanish, ", hoy" for today, then
// ", con nota: " and the note's first line when note is not empty.
void DayKindText(int dayClass, int today, const char* note, char* text, int size);
