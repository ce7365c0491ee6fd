// What the export and import wizard chose: the record the actions read.
#pragma once
#include <cstddef>
#include <cstdint>

enum WizardAction : int32_t {
  ActionWebPage = 0,      // the calendar as a web page (.htm)
  ActionTextExport = 1,   // text with semicolons (.txt)
  ActionCsvExport = 2,    // text with commas (.csv)
  ActionPredecessor = 3,  // the notes of the predecessor program
  ActionTextImport = 4,   // notes from a .txt or .csv file
  ActionIcalExport = 5,   // one all-day event per note (.ics)
  ActionIcalImport = 6,   // the events of the year shown from a .ics file
};

struct WizardChoices {
  int32_t MonthSelected[12];        // 0/1, January first
  int32_t Action;                   // a WizardAction
  int32_t IncludeUpdateDate;        // 0/1: the date of each note's last change
  int32_t IncludeDaysWithoutNotes;  // 0/1: a line for every day
  int32_t IsoDates;                 // 0/1: dates as year-month-day
  int32_t AddToExisting;            // import: 1 append to the day's note, 0 replace it
  char TargetPath[260];
};
static_assert(offsetof(WizardChoices, Action) == 48);
static_assert(offsetof(WizardChoices, TargetPath) == 68);
