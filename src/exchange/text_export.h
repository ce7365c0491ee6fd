// The notes of the chosen months as a table of dates and notes: ";"
// between the columns in the TXT export, "," in the CSV export, and the day
// paragraphs of the web page.
#pragma once
#include "base/program_files.h"
#include "exchange/wizard_choices.h"
#include "notes/notes_store.h"

// Writes the header line and the day lines of every chosen month of the
// year into the file at path (created anew), the notes file read once; 1
// when written, else 0 after the message.
int WriteTextExport(const char* path, const WizardChoices& choices, int year);
// Puts the lines of one month into the file, its notes taken from the image.
void PutDayLines(int days, int month, int year, OutputFile* file, const NotesImage& notes,
                 const WizardChoices& choices);
