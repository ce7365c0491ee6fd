// The notes of the chosen months as an iCalendar file: one all-day event per
// note, written directly in the bytes libical writes for the same events
// (its escaping, its folding at 75 octets, CR LF line ends), one string for
// the whole file and one write.
#include <cstdio>
#include <cstring>
#include <string_view>

#include "base/clock.h"
#include "base/program_files.h"
#include "calendar/dates.h"
#include "exchange/ical_exchange.h"
#include "notes/notes_store.h"

#ifndef ORISTEL_VERSION
#define ORISTEL_VERSION "0"
#endif

// The strings an event is made in, kept from one note to the next.
struct EventBuffers {
  std::string Kept;     // the note's characters that iCalendar text holds
  std::string Text;     // those in UTF-8
  std::string Escaped;  // the summary's or the description's value
  std::string Line;     // a content line being folded
};

// The note's text as iCalendar text: UTF-8, every line break (CR LF, or a
// lone CR or LF) one LF, which is written as "\n"; control characters
// other than the tab, which iCalendar text cannot hold, dropped.
static void EventText(const char* note, EventBuffers* buffers) {
  std::string& kept = buffers->Kept;
  kept.clear();
  const char* run = note;  // the characters from run on go as they are
  for (const char* p = note; *p; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if ((c >= 0x20 && c != 0x7F) || c == '\n' || c == '\t') continue;
    kept.append(run, p);
    if (c == '\r') {
      kept += '\n';
      if (p[1] == '\n') ++p;
    }
    run = p + 1;
  }
  kept.append(run);
  buffers->Text.clear();
  AppendCp1252AsUtf8(&buffers->Text, kept.c_str());
}

// A TEXT value escaped: the line break as "\n", a backslash, semicolon or
// comma behind a backslash; the tab and everything else as it is, in runs.
static void AppendEscapedText(std::string* line, std::string_view text) {
  size_t from = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c > '\\' || (c != '\n' && c != '\\' && c != ';' && c != ',')) continue;  // most: none of the four
    line->append(text, from, i - from);
    *line += '\\';
    *line += c == '\n' ? 'n' : c;
    from = i + 1;
  }
  line->append(text, from);
}

// Where the folded line that begins at start ends, of the left bytes still
// to write (CR LF included): all of them when fewer than 75; else behind the
// last ';', ':' or ' ' of its first 74 bytes; else before the last byte
// that begins a UTF-8 sequence; else after 74 bytes.
static size_t NextLineStart(const std::string& line, size_t start, size_t left) {
  constexpr size_t kMaxLine = 75;
  if (left < kMaxLine) return start + left;
  for (size_t pos = start + kMaxLine - 2; pos > start; --pos)
    if (line[pos] == ';' || line[pos] == ':' || line[pos] == ' ') return pos + 1;
  for (size_t pos = start + kMaxLine - 1; pos > start; --pos) {
    const unsigned char c = static_cast<unsigned char>(line[pos]);
    if ((c & 0x80) == 0 || (c & 0xC0) == 0xC0) return pos;
  }
  return start + kMaxLine - 1;
}

// Appends the content line "name:value" with its CR LF, folded: each
// further line begins with CR LF and a space.
static void AppendContentLine(std::string* out, std::string_view name, std::string_view value,
                              std::string* folding = nullptr) {
  if (name.size() + value.size() + 3 < 75) {  // one line
    *out += name;
    *out += ':';
    *out += value;
    *out += "\r\n";
    return;
  }
  std::string own;
  std::string& line = folding ? *folding : own;
  line.assign(name);
  line += ':';
  line += value;
  line += "\r\n";
  size_t start = 0;
  while (start < line.size()) {
    const size_t next = NextLineStart(line, start, line.size() - start);
    if (start > 0) *out += "\r\n ";
    out->append(line, start, next - start);
    start = next;
  }
}

// A UTC date-time as iCalendar writes it: 20070305T090700Z.
static std::string UtcText(const LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ", t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second);
  return text;
}

// A date of the years shown (1790..5317) as iCalendar writes it: 20070305.
static std::string DateText(int day, int month, int year) {
  const char text[8] = {static_cast<char>('0' + year / 1000 % 10), static_cast<char>('0' + year / 100 % 10),
                        static_cast<char>('0' + year / 10 % 10),   static_cast<char>('0' + year % 10),
                        static_cast<char>('0' + month / 10),       static_cast<char>('0' + month % 10),
                        static_cast<char>('0' + day / 10),         static_cast<char>('0' + day % 10)};
  return std::string(text, sizeof text);
}

// The last change of notes in UTC text. The notes of one import share their
// time, so the last conversion is kept: the system's is slow.
struct UpdateTimes {
  LocalTime Local{};
  std::string Utc;
};
static const std::string& UpdateText(UpdateTimes* times, const FileTime& time) {
  const LocalTime t = FromFileTime(time);
  const LocalTime& k = times->Local;
  if (times->Utc.empty() || t.Year != k.Year || t.Month != k.Month || t.Day != k.Day || t.Hour != k.Hour ||
      t.Minute != k.Minute || t.Second != k.Second) {
    times->Local = t;
    times->Utc = UtcText(OsConvertZone(t, 1));
  }
  return times->Utc;
}

// Appends the all-day event of the note of (day, month, year).
static void AppendEvent(std::string* out, const NoteRecord& note, int day, int month, int year,
                        const WizardChoices& choices, const std::string& stamp, UpdateTimes* times,
                        EventBuffers* buffers) {
  int endDay = day + 1, endMonth = month, endYear = year;
  if (endDay > DaysInMonth(month, year)) {
    endDay = 1;
    endMonth = month == 12 ? 1 : month + 1;
    endYear = month == 12 ? year + 1 : year;
  }
  // The same day gives the same identifier on every export, so that a
  // calendar that reads the file again updates the event.
  char uid[48];
  std::snprintf(uid, sizeof uid, "%04d%02d%02d-nota@oristel", year, month, day);
  EventText(note.Text, buffers);
  const std::string& text = buffers->Text;
  const size_t lineBreak = text.find('\n');
  std::string& escaped = buffers->Escaped;
  escaped.clear();
  AppendEscapedText(&escaped, std::string_view(text).substr(0, lineBreak));
  *out += "BEGIN:VEVENT\r\n";
  AppendContentLine(out, "UID", uid);
  AppendContentLine(out, "DTSTAMP", stamp);
  AppendContentLine(out, "DTSTART;VALUE=DATE", DateText(day, month, year));
  AppendContentLine(out, "DTEND;VALUE=DATE", DateText(endDay, endMonth, endYear));
  AppendContentLine(out, "SUMMARY", escaped, &buffers->Line);
  AppendContentLine(out, "TRANSP", "TRANSPARENT");
  if (lineBreak != std::string::npos) {
    escaped.clear();
    AppendEscapedText(&escaped, text);
    AppendContentLine(out, "DESCRIPTION", escaped, &buffers->Line);
  }
  if (choices.IncludeUpdateDate) AppendContentLine(out, "LAST-MODIFIED", UpdateText(times, note.UpdateTime));
  *out += "END:VEVENT\r\n";
}

int WriteIcalExport(const char* path, const WizardChoices& choices, int year, IcalExportResult* result) {
  *result = {};
  NotesImage notes;
  if (!ReadNotesImage(&notes)) return 0;
  std::string text;
  text.reserve(2 * NotesFileSize);  // a year of notes in one allocation
  text += "BEGIN:VCALENDAR\r\n";
  AppendContentLine(&text, "VERSION", "2.0");
  AppendContentLine(&text, "PRODID", "-//Oristel//Oristel " ORISTEL_VERSION "//ES");
  AppendContentLine(&text, "CALSCALE", "GREGORIAN");
  const std::string stamp = UtcText(OsConvertZone(OsLocalTime(), 1));
  UpdateTimes times;
  EventBuffers buffers;
  for (int month = 1; month <= 12; ++month) {
    if (!choices.MonthSelected[month - 1]) continue;
    NoteRecord note;
    for (int day = 1; day <= BaseDaysInMonth(month) + (month == 2); ++day) {
      if (!ReadNoteFromImage(notes, day, month, &note)) continue;
      if (day > DaysInMonth(month, year)) {
        ++result->LeapDaysSkipped;
        continue;
      }
      AppendEvent(&text, note, day, month, year, choices, stamp, &times, &buffers);
      ++result->NotesWritten;
    }
  }
  text += "END:VCALENDAR\r\n";
  return WriteNewFile(path, text.data(), static_cast<uint32_t>(text.size()));
}
