// The calendar as one web page: a header with its style sheet and the
// creation date, links to the chosen months, and for each chosen month its
// table and its notes.
#pragma once
#include <string>

#include "exchange/wizard_choices.h"
#include "os/os.h"

// The header, its style sheet and the creation line for now, replacing the text.
void BuildHtmlHeader(std::string* text, int year, int language, const LocalTime& now);
// Appends the links to the chosen months.
void BuildMonthMenu(std::string* text, int language, const int32_t monthSelected[12]);
// One month's table, days with a note marked, replacing the text.
void BuildMonthTable(std::string* text, int year, int days, int month, const int32_t flags[31], int language);
// Writes the page into the file at path (created anew); 1 when written,
// else 0 after the message.
int WriteHtmlCalendar(const char* path, const WizardChoices& choices, int year, int language);
// The export the choices ask for: the web page, TXT or CSV; 1 or 0.
int ExportNotes(const char* path, const WizardChoices& choices, int year, int language);
