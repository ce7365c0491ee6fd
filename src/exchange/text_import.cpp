#include "exchange/text_import.h"

#include <cctype>
#include <cstring>
#include <new>

#include "base/program_files.h"
#include "calendar/dates.h"
#include "notes/notes_store.h"

int LoadImportFile(const char* path, ImportContext* context) {
  const uint32_t size = GetFileSizeByName(path);
  if (size == 0) return 0;
  if (size > MaxImportFileSize) return ShowProgramMessage(MessageFileTooLarge);
  try {
    context->Buffer.assign(size, '\0');
  } catch (const std::bad_alloc&) {
    return ShowProgramMessage(MessageNoMemory);
  }
  if (!ReadFileAt(path, context->Buffer.data(), 0, size)) return 0;
  return 1;
}

// The decimal number that begins at text: blanks skipped, an optional sign,
// digits up to the first other character; 0 without digits. end (when given)
// receives the position behind it.
static int ReadNumber(const char* text, const char** end = nullptr) {
  while (*text == ' ' || *text == '\t') ++text;
  int sign = 1;
  if (*text == '-' || *text == '+') sign = *text++ == '-' ? -1 : 1;
  int n = 0;
  while (*text >= '0' && *text <= '9' && n < 100000) n = n * 10 + (*text++ - '0');
  if (end) *end = text;
  return sign * n;
}

int ParseImportDate(ImportContext* c) {
  const char* field = c->DateField;
  int day, month;
  if (std::strlen(field) > 4 && field[4] == '-') {
    // Year-month-day, the month and the day with one digit or two.
    const char* rest = nullptr;
    month = ReadNumber(field + 5, &rest);
    day = *rest == '-' ? ReadNumber(rest + 1) : 0;
  } else if (field[1] == '/') {
    month = ReadNumber(field + 2);
    day = ReadNumber(field);
  } else {
    month = ReadNumber(field + 3);
    day = ReadNumber(field);
  }
  if (month < 1 || month > 12 || day < 1 || day > BaseDaysInMonth(month)) return 0;
  c->Day = day;
  c->Month = month;
  return 1;
}

void LogImportError(ImportContext* c) {
  char path[PathSize];
  if (!BuildProgramPath(path, ImportErrorsFileIndex)[0]) return;
  if (!c->ErrorsLogged) {
    CreateEmptyFile(path);
    c->ErrorsLogged = 1;
  }
  const std::string head = "\r\nLínea: " + std::to_string(c->LineNumber) + " (formato incorrecto) ";
  if (AppendToFile(path, head.data(), static_cast<uint32_t>(head.size())) && c->LineLength > 0)
    AppendToFile(path, c->Buffer.data() + c->LineStart, static_cast<uint32_t>(c->LineLength));
}

int ParseImportLine(ImportContext* c) {
  if (c->LineLength < 1) return 0;
  const char* line = c->Buffer.data() + c->LineStart;
  const size_t length = static_cast<size_t>(c->LineLength);
  size_t pos = 0;
  while (pos < length && line[pos] != ';' && line[pos] != ',') ++pos;
  if (pos == length) return 0;
  if (pos < 8 || pos > 10) return LogImportError(c), 0;
  std::memcpy(c->DateField, line, pos);
  c->DateField[pos] = 0;
  if (!ParseImportDate(c)) return LogImportError(c), 0;
  // The note: its double quotes dropped (only where they are quotes), a
  // doubled quote inside read as one, cut to 255 characters.
  size_t from = pos + 1, to = length;
  if (from < to && line[from] == '"') {
    ++from;
    if (from < to && line[to - 1] == '"') --to;
  }
  size_t n = 0;
  for (size_t i = from; i < to && n < sizeof c->NoteText - 1; ++i) {
    if (line[i] == '"' && i + 1 < to && line[i + 1] == '"') ++i;
    c->NoteText[n++] = line[i];
  }
  c->NoteText[n] = 0;
  return n > 0;
}

// Whether the line that begins at start begins as a row does: a date of 8
// to 10 characters (digits, "/" and "-"), then ";" or ",".
static bool BeginsRow(const std::string& buffer, size_t start) {
  for (size_t i = start; i < buffer.size() && i <= start + 10; ++i) {
    if (buffer[i] == ';' || buffer[i] == ',') return i - start >= 8;
    if (!std::isdigit(static_cast<unsigned char>(buffer[i])) && buffer[i] != '/' && buffer[i] != '-') return false;
  }
  return false;
}

// Where the line that begins at start ends: at its line feed, or at the end
// of the file. A note in double quotes may hold line breaks (a note of
// several lines is exported so): the line then runs to the line feed behind
// the closing quote, as long as no line it passes begins as a row does. A
// quote that is not closed so, or a lone quote inside the note, leaves the
// line at its own line feed.
static size_t LineEnd(const std::string& buffer, size_t start) {
  const size_t size = buffer.size();
  size_t end = start;
  while (end < size && buffer[end] != '\n') ++end;
  size_t pos = start;
  while (pos < end && buffer[pos] != ';' && buffer[pos] != ',') ++pos;
  if (pos + 1 >= end || buffer[pos + 1] != '"') return end;
  for (size_t i = pos + 2; i < size; ++i) {
    if (buffer[i] == '\n' && BeginsRow(buffer, i + 1)) return end;
    if (buffer[i] != '"') continue;
    if (i + 1 < size && buffer[i + 1] == '"') {  // a doubled quote inside the note
      ++i;
      continue;
    }
    size_t behind = i + 1;
    if (behind < size && buffer[behind] == '\r') ++behind;
    return behind >= size || buffer[behind] == '\n' ? behind : end;
  }
  return end;
}

int ImportTextFile(const char* path, int add, int* errors) {
  *errors = 0;
  ImportContext c{};
  if (!LoadImportFile(path, &c)) return 0;
  // The notes are read once and written once, after the last line; a notes
  // file that cannot be read stops the import after its one message.
  NotesImage notes;
  if (!ReadNotesImage(&notes)) return 0;
  const size_t size = c.Buffer.size();
  int32_t lineFeeds = 0, stored = 0;
  for (size_t start = 0; start < size;) {
    // A line runs to its line feed, or to the end of the file; a carriage
    // return before the line feed is not part of it. Its number is that of
    // the row of the file it begins on.
    const size_t end = LineEnd(c.Buffer, start);
    size_t length = end - start;
    if (length > 0 && c.Buffer[end - 1] == '\r') --length;
    c.LineStart = static_cast<uint32_t>(start);
    c.LineLength = static_cast<int32_t>(length);
    c.LineNumber = lineFeeds + 1;
    if (c.LineNumber > 1 && ParseImportLine(&c)) {
      AddNoteTextInImage(&notes, c.Day, c.Month, c.NoteText, add);
      ++stored;
    }
    for (size_t i = start; i <= end && i < size; ++i) lineFeeds += c.Buffer[i] == '\n';
    start = end + 1;
  }
  *errors = c.ErrorsLogged;
  return stored == 0 || WriteNotesImage(notes);
}
