// The notes to and from iCalendar files (.ics), the format of the calendar
// programs people use now: one all-day event per note out, the events of
// the year shown in, read through libical.
#pragma once
#include <cstdint>
#include <string>

#include "exchange/wizard_choices.h"

// What an iCalendar export wrote and what it could not write.
struct IcalExportResult {
  int32_t NotesWritten;     // events written
  int32_t LeapDaysSkipped;  // notes of 29 February in a year without that day (0 or 1)
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

// The messages the wizard shows after the iCalendar actions (Windows-1252
// at run time, as every text of the program).
// After an export that wrote everything: the other exports' question,
// "Exportación finalizada.\r\n¿Desea abrir el nuevo archivo?". When the
// note of 29 February was not written (LeapDaysSkipped 1), this instead;
// the argument is the year exported:
constexpr const char* IcalExportLeapDayFormat =
    "Exportación finalizada.\r\nLa nota del 29 de febrero no se ha escrito: el año %d no tiene ese día.\r\n"
    "¿Desea abrir el nuevo archivo?";
// After an import (and after the offer of the error log when ErrorsLogged
// is 1, as the text import makes it), an information box; the arguments are
// NotesStored, the year, EventsOutsideYear:
constexpr const char* IcalImportSummaryFormat =
    "Importación finalizada\r\nNotas guardadas: %d\r\nCitas fuera del año %d: %d";
// Shown by ImportIcalFile itself (stop icon, then 0) for a file that is not
// iCalendar; the argument is the file's path:
constexpr const char* IcalNotCalendarFormat = "El archivo no es un calendario iCalendar (.ics): %s";

// Shared by the export and the import: text between the notes' Windows-1252
// and iCalendar's UTF-8. A character without a Windows-1252 form, and any
// byte that is not part of a valid UTF-8 sequence, is dropped.
std::string Cp1252ToUtf8(const char* text);
// Writes the UTF-8 of one Windows-1252 byte (1 to 3 bytes) at out; returns
// the end of what was written.
char* PutCp1252AsUtf8(char* out, unsigned char byte);
std::string Utf8ToCp1252(const char* text);
// The Windows-1252 byte of a Unicode code point, 0 when it has none (the five
// bytes without a character stand for the C1 controls of their number).
unsigned char Cp1252Byte(uint32_t codePoint);

// For the benchmark: libical's parse of the text alone (nothing converted or
// stored); 1 when it gave a calendar.
int ParseIcalOnly(const char* text);
