// The notes of the chosen months as a table of dates and notes: ";"
// between the columns in the TXT export, "," in the CSV export, and the day
// paragraphs of the web page.
#pragma once
#include <string>

#include "exchange/wizard_choices.h"

// Writes the header line and the day lines of every chosen month of the
// year into the file at path (created anew); 1 when written, else 0 after
// the message.
int WriteTextExport(const char* path, const WizardChoices& choices, int year);
// Appends the lines of one month (flags[d - 1] nonzero: day d has a note);
// 1 when every note was read, else 0 after the message.
int AppendDayLines(int days, int month, int year, std::string* text, const int32_t flags[31],
                   const WizardChoices& choices);
