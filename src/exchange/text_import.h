// Notes read back from a text file of the form the TXT and CSV exports
// write: a header line, then a date, ";" or ",", and the note in double
// quotes on each line. Lines that cannot be read go to the error log
// "Calendario_Errores_Import.txt" beside the executable.
#pragma once
#include <cstdint>
#include <string>

constexpr uint32_t MaxImportFileSize = 98838;

struct ImportContext {
  std::string Buffer;  // the whole file
  uint32_t LineStart;  // offset of the current line
  int32_t LineLength;  // its length without the line end
  int32_t LineNumber;  // 1 for the first line
  char DateField[11];  // the characters before the separator
  char NoteText[256];  // the note of the line, at most 255 characters
  int32_t Day, Month;
  int32_t ErrorsLogged;  // 1 once a bad line has been logged
};

// Reads the file whole; 0 for an empty file (without a message), one that
// cannot be read or one larger than MaxImportFileSize (after the message).
int LoadImportFile(const char* path, ImportContext* context);
// 1 when the current line yields a note (in Day, Month and NoteText); a bad
// line is logged, an empty one or one without a note is passed over.
int ParseImportLine(ImportContext* context);
// 1 when DateField holds a day of a common year, stored in Day and Month.
int ParseImportDate(ImportContext* context);
// Adds the current line to the error log (emptied at the first bad line).
void LogImportError(ImportContext* context);
// Stores the note of every line behind the first, appended to the day's
// note (add 1) or in its place; 1 when the file was read, else 0. errors
// becomes 1 when a line was logged.
int ImportTextFile(const char* path, int add, int* errors);
