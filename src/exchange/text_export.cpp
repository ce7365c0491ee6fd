#include "exchange/text_export.h"

#include <cstdio>

#include "base/clock.h"
#include "base/program_files.h"
#include "calendar/dates.h"
#include "notes/notes_store.h"

// The column separator of each action: the web page, TXT, CSV.
static char DaySeparator(int action) {
  return action == ActionTextExport ? ';' : action == ActionCsvExport ? ',' : '-';
}

// A date as the export writes it: 5/3/2007, or 2007-03-05.
static void AppendDate(std::string* text, int day, int month, int year, int iso) {
  char date[32];
  if (iso)
    std::snprintf(date, sizeof date, "%i-%02i-%02i", year, month, day);
  else
    std::snprintf(date, sizeof date, "%i/%i/%i", day, month, year);
  *text += date;
}

// " (actualizada el: ...)", the time of the note's last change.
static void AppendUpdateSuffix(std::string* text, const FileTime& time, int iso) {
  const LocalTime t = FromFileTime(time);
  char suffix[64];
  if (iso)
    std::snprintf(suffix, sizeof suffix, " (actualizada el: %i-%02i-%02i %02i:%02i)", t.Year, t.Month, t.Day, t.Hour,
                  t.Minute);
  else
    std::snprintf(suffix, sizeof suffix, " (actualizada el: %i/%i/%i %02ih:%02im)", t.Day, t.Month, t.Year, t.Hour,
                  t.Minute);
  *text += suffix;
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
      std::string note(record.Text);
      if (choices.IncludeUpdateDate) AppendUpdateSuffix(&note, record.UpdateTime, choices.IsoDates);
      if (action == ActionWebPage) {
        // A note is text, not markup.
        for (char c : note) {
          if (c == '&')
            *text += "&amp;";
          else if (c == '<')
            *text += "&lt;";
          else if (c == '>')
            *text += "&gt;";
          else
            *text += c;
        }
      } else {
        // A quote inside the field is doubled, as every CSV reader expects.
        *text += '"';
        for (char c : note) {
          if (c == '"') *text += '"';
          *text += c;
        }
        *text += '"';
      }
    }
    *text += "\r\n";
  }
}

int WriteTextExport(const char* path, const WizardChoices& choices, int year) {
  NotesImage notes;
  if (!ReadNotesImage(&notes)) return 0;
  std::string text = "\"Fecha\"";
  text += DaySeparator(choices.Action);
  text += "\"Notas\"\r\n";
  for (int m = 1; m <= 12; ++m)
    if (choices.MonthSelected[m - 1]) AppendDayLines(DaysInMonth(m, year), m, year, &text, notes, choices);
  return WriteNewFile(path, text.data(), static_cast<uint32_t>(text.size()));
}
