// The notes of the chosen months as an iCalendar file: one all-day event per
// note, written directly in the bytes libical writes for the same events
// (its escaping, its folding at 75 octets, CR LF line ends), into a file
// written once, front to back.
#include <cstdio>
#include <cstring>
#include <string_view>

#include "base/clock.h"
#include "base/program_files.h"
#include "calendar/dates.h"
#include "exchange/ical_exchange.h"
#include "exchange/line_buffer.h"
#include "notes/notes_store.h"

#ifndef ORISTEL_VERSION
#define ORISTEL_VERSION "0"
#endif

// The note's text as an iCalendar TEXT value, in UTF-8 and escaped, written
// at out: every line break (CR LF, or a lone CR or LF) is "\\n"; a
// backslash, semicolon or comma goes behind a backslash; control characters
// other than the tab, which iCalendar text cannot hold, are dropped. Returns
// the end of what was written; *firstBreak is where the first line break
// went, or that end when the note has none.
static char* PutNoteValue(char* out, const char (&note)[256], char** firstBreak) {
  *firstBreak = nullptr;
  for (size_t at = 0;;) {
    const size_t run = PlainRunLength(
        note + at, sizeof note - at,
        [](uint64_t w) {
          return HasByteBelow(w, 0x20) | HasByteAbove(w, 0x7E) | HasByte(w, '\\') | HasByte(w, ';') | HasByte(w, ',');
        },
        [](unsigned char c) { return c < 0x20 || c >= 0x7F || c == '\\' || c == ';' || c == ','; });
    out = PutText(out, std::string_view(note + at, run));
    at += run;
    const unsigned char c = at < sizeof note ? note[at++] : 0;
    if (c == 0) break;
    if (c == '\r' || c == '\n') {
      if (!*firstBreak) *firstBreak = out;
      out = PutText(out, "\\n");
      if (c == '\r' && at < sizeof note && note[at] == '\n') ++at;
    } else if (c == '\t') {
      *out++ = '\t';
    } else if (c == '\\' || c == ';' || c == ',') {
      *out++ = '\\';
      *out++ = static_cast<char>(c);
    } else if (c >= 0x80) {
      out = PutCp1252AsUtf8(out, c);
    }  // the other controls are dropped
  }
  if (!*firstBreak) *firstBreak = out;
  return out;
}

// Where the folded line that begins at start ends, of the left bytes still
// to write (CR LF included): all of them when fewer than 75; else behind the
// last ';', ':' or ' ' of its first 74 bytes; else before the last byte
// that begins a UTF-8 sequence; else after 74 bytes.
static size_t NextLineStart(std::string_view line, size_t start, size_t left) {
  constexpr size_t kMaxLine = 75;
  if (left < kMaxLine) return start + left;
  // Back from the 74th byte, eight bytes at a time while none is a separator
  // (the three lie below '<', as no letter does).
  size_t pos = start + kMaxLine - 2;
  for (uint64_t word; pos >= start + 8; pos -= 8) {
    std::memcpy(&word, line.data() + pos - 7, 8);
    if (HasByteBelow(word, '<') && (HasByte(word, ';') | HasByte(word, ':') | HasByte(word, ' '))) break;
  }
  for (; pos > start; --pos)
    if (line[pos] == ';' || line[pos] == ':' || line[pos] == ' ') return pos + 1;
  for (size_t pos = start + kMaxLine - 1; pos > start; --pos) {
    const unsigned char c = static_cast<unsigned char>(line[pos]);
    if ((c & 0x80) == 0 || (c & 0xC0) == 0xC0) return pos;
  }
  return start + kMaxLine - 1;
}

// The longest content line: "DESCRIPTION:", a note whose every character
// takes three bytes, CR LF. Folded, each of its lines holds at least one of
// its bytes behind the CR LF and space that begin it.
constexpr size_t kContentLineSize = sizeof "DESCRIPTION:" + 3 * MaxNoteLength + 2;
constexpr size_t kFoldedLineSize = 4 * kContentLineSize;

// Writes the content line held whole in line ("name:value" and its CR LF)
// at out, folded: each further line begins with CR LF and a space. Returns
// the end.
static char* PutFoldedLine(char* out, std::string_view line) {
  for (size_t start = 0; start < line.size();) {
    const size_t next = NextLineStart(line, start, line.size() - start);
    if (start > 0) out = PutText(out, "\r\n ");
    out = PutText(out, line.substr(start, next - start));
    start = next;
  }
  return out;
}

// A UTC date-time as iCalendar writes it: 20070305T090700Z.
static std::string UtcText(const LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ", t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second);
  return text;
}

// A date of the years shown (1790..5317) as iCalendar writes it, 20070305,
// written at out; returns the end.
static char* PutDateText(char* out, int day, int month, int year) {
  const int digits[8] = {year / 1000 % 10, year / 100 % 10, year / 10 % 10, year % 10,
                         month / 10,       month % 10,      day / 10,       day % 10};
  for (const int digit : digits) *out++ = static_cast<char>('0' + digit);
  return out;
}

// The last change of notes in UTC text. The notes of one import share their
// time, so the conversion of the last second is kept: the system's is slow.
struct UpdateTimes {
  uint64_t Second = 0;  // of the FILETIME's count
  std::string Utc;
};
static const std::string& UpdateText(UpdateTimes* times, const FileTime& time) {
  const uint64_t second = ((uint64_t{time.High} << 32) | time.Low) / 10000000;
  if (times->Utc.empty() || second != times->Second) {
    times->Second = second;
    times->Utc = UtcText(OsConvertZone(FromFileTime(time), 1));
  }
  return times->Utc;
}

// The longest event: its summary and its description folded, and its other
// lines, each value at most 31 bytes.
constexpr size_t kEventSize = 2 * kFoldedLineSize + 256;

// Writes the all-day event of the note of (day, month, year) at out; returns
// the end.
static char* PutEvent(char* out, const NoteRecord& note, int day, int month, int year, const WizardChoices& choices,
                      const std::string& stamp, UpdateTimes* times) {
  int endDay = day + 1, endMonth = month, endYear = year;
  if (endDay > DaysInMonth(month, year)) {
    endDay = 1;
    endMonth = month == 12 ? 1 : month + 1;
    endYear = month == 12 ? year + 1 : year;
  }
  // The note's value is made once, behind the longest name: its summary
  // line and its description line are then each made whole in place.
  constexpr std::string_view kSummary = "SUMMARY:", kDescription = "DESCRIPTION:";
  char line[kContentLineSize];
  char* const value = line + kDescription.size();
  char* firstBreak;
  char* const valueEnd = PutNoteValue(value, note.Text, &firstBreak);
  // The lines but the summary and the description are far shorter than the
  // 75 bytes where a line folds. The same day gives the same identifier on
  // every export, so that a calendar that reads the file again updates the
  // event.
  char date[8];
  const std::string_view dateText(date, PutDateText(date, day, month, year) - date);
  out = PutText(out, "BEGIN:VEVENT\r\nUID:");
  out = PutText(out, dateText);
  out = PutText(out, "-nota@oristel\r\nDTSTAMP:");
  out = PutText(out, stamp);
  out = PutText(out, "\r\nDTSTART;VALUE=DATE:");
  out = PutText(out, dateText);
  out = PutText(out, "\r\nDTEND;VALUE=DATE:");
  out = PutDateText(out, endDay, endMonth, endYear);
  out = PutText(out, "\r\n");
  // The summary: the value up to its first line break, whose "\\n" gives
  // way to the line's CR LF until the description.
  char* const summary = value - kSummary.size();
  PutText(summary, kSummary);
  PutText(firstBreak, "\r\n");
  out = PutFoldedLine(out, std::string_view(summary, firstBreak + 2 - summary));
  out = PutText(out, "TRANSP:TRANSPARENT\r\n");
  if (firstBreak != valueEnd) {
    PutText(firstBreak, "\\n");
    PutText(line, kDescription);
    PutText(valueEnd, "\r\n");
    out = PutFoldedLine(out, std::string_view(line, valueEnd + 2 - line));
  }
  if (choices.IncludeUpdateDate) {
    out = PutText(out, "LAST-MODIFIED:");
    out = PutText(out, UpdateText(times, note.UpdateTime));
    out = PutText(out, "\r\n");
  }
  return PutText(out, "END:VEVENT\r\n");
}

int WriteIcalExport(const char* path, const WizardChoices& choices, int year, IcalExportResult* result) {
  *result = {};
  NotesImage notes;
  if (!ReadNotesImage(&notes)) return 0;
  OutputFile file;
  if (!CreateOutputFile(&file, path)) return 0;
  PutOutput(&file, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Oristel//Oristel " ORISTEL_VERSION
                   "//ES\r\nCALSCALE:GREGORIAN\r\n");
  const std::string stamp = UtcText(OsConvertZone(OsLocalTime(), 1));
  UpdateTimes times;
  for (int month = 1; month <= 12; ++month) {
    if (!choices.MonthSelected[month - 1]) continue;
    NoteRecord note;
    for (int day = 1; day <= BaseDaysInMonth(month) + (month == 2); ++day) {
      if (!ReadNoteFromImage(notes, day, month, &note)) continue;
      if (day > DaysInMonth(month, year)) {
        ++result->LeapDaysSkipped;
        continue;
      }
      OutputMade(&file, PutEvent(OutputRoom(&file, kEventSize), note, day, month, year, choices, stamp, &times));
      ++result->NotesWritten;
    }
  }
  PutOutput(&file, "END:VCALENDAR\r\n");
  return CloseOutputFile(&file);
}
