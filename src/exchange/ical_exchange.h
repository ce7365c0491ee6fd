// The notes to and from iCalendar files (.ics), the format of the calendar
// programs people use now: one all-day event per note out, the events of
// the year shown in, through libical.
#pragma once
#include <cstdint>

#include "exchange/wizard_choices.h"

// What an iCalendar export wrote and what it could not write.
struct IcalExportResult {
  int32_t NotesWritten;     // events written
  int32_t LeapDaysSkipped;  // notes of 29 February in a year without that day
};
// Writes one all-day event per note of the chosen months of the year into
// the file at path (created anew); 1 when written, else 0 after the message.
int WriteIcalExport(const char* path, const WizardChoices& choices, int year, IcalExportResult* result);

constexpr uint32_t MaxIcalFileSize = 16u * 1024 * 1024;

// What an iCalendar import stored and what it passed over.
struct IcalImportResult {
  int32_t NotesStored;        // days whose note was written
  int32_t EventsOutsideYear;  // events without a day in the year
  int32_t ErrorsLogged;       // 1 when events were logged in "Calendario_Errores_Import.txt"
};
// Stores every day of the year's events as notes, appended to the day's note
// (add 1) or, for the first event of a day, in its place (add 0), and writes
// the notes file once. 1 when stored; else 0 after one message, the notes
// file as it was.
int ImportIcalFile(const char* path, int year, int add, IcalImportResult* result);
