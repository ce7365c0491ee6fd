#include "exchange/text_export.h"

#include "base/clock.h"
#include "base/program_files.h"
#include "calendar/dates.h"
#include "notes/notes_store.h"

// The column separator of each action: the web page, TXT, CSV.
static char DaySeparator(int action) {
  return action == ActionTextExport ? ';' : action == ActionCsvExport ? ',' : '-';
}

// Appends n (0..99999) in decimal, zeros in front up to `digits` digits (1..5).
static void AppendNumber(std::string* text, int n, int digits) {
  char reversed[5];
  int k = 0;
  do {
    reversed[k++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (k < 5 && (n > 0 || k < digits));
  while (k > 0) *text += reversed[--k];
}

// A date as the export writes it: 5/3/2007, or 2007-03-05.
static void AppendDate(std::string* text, int day, int month, int year, int iso) {
  if (iso) {
    AppendNumber(text, year, 1);
    *text += '-';
    AppendNumber(text, month, 2);
    *text += '-';
    AppendNumber(text, day, 2);
  } else {
    AppendNumber(text, day, 1);
    *text += '/';
    AppendNumber(text, month, 1);
    *text += '/';
    AppendNumber(text, year, 1);
  }
}

// " (actualizada el: ...)", the time of the note's last change: the date as
// the export writes dates, then 09:07 (ISO) or 09h:07m.
static void AppendUpdateSuffix(std::string* text, const FileTime& time, int iso) {
  const LocalTime t = FromFileTime(time);
  *text += " (actualizada el: ";
  AppendDate(text, t.Day, t.Month, t.Year, iso);
  *text += ' ';
  AppendNumber(text, t.Hour, 2);
  *text += iso ? ":" : "h:";
  AppendNumber(text, t.Minute, 2);
  *text += iso ? ")" : "m)";
}

void AppendDayLines(int days, int month, int year, std::string* text, const NotesImage& notes,
                    const WizardChoices& choices) {
  const int action = choices.Action;
  for (int d = 1; d <= days && d <= 31; ++d) {
    NoteRecord record;
    const int hasNote = ReadNoteFromImage(notes, d, month, &record);
    if (!hasNote && !choices.IncludeDaysWithoutNotes) continue;
    if (action == ActionWebPage) *text += "<P>";
    AppendDate(text, d, month, year, choices.IsoDates);
    *text += DaySeparator(action);
    if (hasNote) {
      // The note's text goes in runs between the characters that need more;
      // the update time has none of them.
      const char* note = record.Text;
      const char* from = note;
      if (action == ActionWebPage) {
        // A note is text, not markup.
        for (const char* p = note; *p; ++p) {
          const char c = *p;
          if (c > '>' || (c != '&' && c != '<' && c != '>')) continue;  // most characters: none of the three
          text->append(from, p);
          *text += c == '&' ? "&amp;" : c == '<' ? "&lt;" : "&gt;";
          from = p + 1;
        }
        text->append(from);
        if (choices.IncludeUpdateDate) AppendUpdateSuffix(text, record.UpdateTime, choices.IsoDates);
      } else {
        // A quote inside the field is doubled, as every CSV reader expects.
        *text += '"';
        for (const char* p = note; *p; ++p) {
          if (*p != '"') continue;
          text->append(from, p + 1);
          *text += '"';
          from = p + 1;
        }
        text->append(from);
        if (choices.IncludeUpdateDate) AppendUpdateSuffix(text, record.UpdateTime, choices.IsoDates);
        *text += '"';
      }
    }
    *text += "\r\n";
  }
}

int WriteTextExport(const char* path, const WizardChoices& choices, int year) {
  NotesImage notes;
  if (!ReadNotesImage(&notes)) return 0;
  std::string text;
  text.reserve(2 * NotesFileSize);  // a year of notes in one allocation
  text += "\"Fecha\"";
  text += DaySeparator(choices.Action);
  text += "\"Notas\"\r\n";
  for (int m = 1; m <= 12; ++m)
    if (choices.MonthSelected[m - 1]) AppendDayLines(DaysInMonth(m, year), m, year, &text, notes, choices);
  return WriteNewFile(path, text.data(), static_cast<uint32_t>(text.size()));
}
