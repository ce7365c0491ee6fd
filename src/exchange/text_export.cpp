#include "exchange/text_export.h"

#include "base/clock.h"
#include "base/program_files.h"
#include "calendar/dates.h"
#include "exchange/line_buffer.h"
#include "notes/notes_store.h"

// The column separator of each action: the web page, TXT, CSV.
static char DaySeparator(int action) {
  return action == ActionTextExport ? ';' : action == ActionCsvExport ? ',' : '-';
}

// A date as the export writes it: 5/3/2007, or 2007-03-05.
static char* PutDate(char* out, int day, int month, int year, int iso) {
  if (iso) {
    out = PutNumber(out, year, 1);
    *out++ = '-';
    out = PutNumber(out, month, 2);
    *out++ = '-';
    return PutNumber(out, day, 2);
  }
  out = PutNumber(out, day, 1);
  *out++ = '/';
  out = PutNumber(out, month, 1);
  *out++ = '/';
  return PutNumber(out, year, 1);
}

// " (actualizada el: ...)", the time of the note's last change: the date as
// the export writes dates, then 09:07 (ISO) or 09h:07m.
static char* PutUpdateSuffix(char* out, const FileTime& time, int iso) {
  const LocalTime t = FromFileTime(time);
  out = PutText(out, " (actualizada el: ");
  out = PutDate(out, t.Day, t.Month, t.Year, iso);
  *out++ = ' ';
  out = PutNumber(out, t.Hour, 2);
  out = PutText(out, iso ? ":" : "h:");
  out = PutNumber(out, t.Minute, 2);
  return PutText(out, iso ? ")" : "m)");
}

// The note's text as the web page holds it: text, not markup.
static char* PutHtmlText(char* out, const char (&note)[256]) {
  for (size_t at = 0;;) {
    const size_t run = PlainRunLength(
        note + at, sizeof note - at,
        [](uint64_t w) { return HasZeroByte(w) | HasByte(w, '&') | HasByte(w, '<') | HasByte(w, '>'); },
        [](unsigned char c) { return c == 0 || c == '&' || c == '<' || c == '>'; });
    out = PutText(out, std::string_view(note + at, run));
    at += run;
    if (at == sizeof note || note[at] == 0) return out;
    const char c = note[at++];
    out = PutText(out, c == '&' ? "&amp;" : c == '<' ? "&lt;" : "&gt;");
  }
}

// The note's text inside a quoted field: a quote inside is doubled, as every
// CSV reader expects.
static char* PutQuotedText(char* out, const char (&note)[256]) {
  for (size_t at = 0;;) {
    const size_t run = PlainRunLength(
        note + at, sizeof note - at, [](uint64_t w) { return HasZeroByte(w) | HasByte(w, '"'); },
        [](unsigned char c) { return c == 0 || c == '"'; });
    out = PutText(out, std::string_view(note + at, run));
    at += run;
    if (at == sizeof note || note[at] == 0) return out;
    ++at;
    out = PutText(out, "\"\"");
  }
}

// The longest day line: "<P>", the date, the separator, the note with every
// character escaped ("&amp;") and quoted, the update time, the line break.
// Numbers have at most five digits.
constexpr size_t kDayLineSize =
    sizeof "<P>31/12/99999;\"" + 5 * MaxNoteLength + sizeof " (actualizada el: 31/12/99999 23h:59m)\"\r\n";

void PutDayLines(int days, int month, int year, OutputFile* file, const NotesImage& notes,
                 const WizardChoices& choices) {
  const int action = choices.Action;
  for (int d = 1; d <= days && d <= 31; ++d) {
    NoteRecord record;
    const int hasNote = ReadNoteFromImage(notes, d, month, &record);
    if (!hasNote && !choices.IncludeDaysWithoutNotes) continue;
    char* out = OutputRoom(file, kDayLineSize);
    if (action == ActionWebPage) out = PutText(out, "<P>");
    out = PutDate(out, d, month, year, choices.IsoDates);
    *out++ = DaySeparator(action);
    if (hasNote && action == ActionWebPage) {
      out = PutHtmlText(out, record.Text);
      if (choices.IncludeUpdateDate) out = PutUpdateSuffix(out, record.UpdateTime, choices.IsoDates);
    } else if (hasNote) {
      *out++ = '"';
      out = PutQuotedText(out, record.Text);
      if (choices.IncludeUpdateDate) out = PutUpdateSuffix(out, record.UpdateTime, choices.IsoDates);
      *out++ = '"';
    }
    out = PutText(out, "\r\n");
    OutputMade(file, out);
  }
}

int WriteTextExport(const char* path, const WizardChoices& choices, int year) {
  NotesImage notes;
  if (!ReadNotesImage(&notes)) return 0;
  OutputFile file;
  if (!CreateOutputFile(&file, path)) return 0;
  char* out = PutText(OutputRoom(&file, sizeof "\"Fecha\";\"Notas\"\r\n"), "\"Fecha\"");
  *out++ = DaySeparator(choices.Action);
  OutputMade(&file, PutText(out, "\"Notas\"\r\n"));
  for (int m = 1; m <= 12; ++m)
    if (choices.MonthSelected[m - 1]) PutDayLines(DaysInMonth(m, year), m, year, &file, notes, choices);
  return CloseOutputFile(&file);
}
