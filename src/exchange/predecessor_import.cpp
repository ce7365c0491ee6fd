#include "exchange/predecessor_import.h"

#include <cstdio>
#include <cstring>

#include "base/program_files.h"
#include "calendar/dates.h"
#include "notes/notes_store.h"

int ReadPredecessorDayFlags(const char* databasePath, int32_t flags[12 * 31]) {
  // The flag file stands in the database's folder.
  char path[PathSize];
  const char* slash = std::strrchr(databasePath, '\\');
  if (const char* other = std::strrchr(databasePath, '/'); other && (!slash || other > slash)) slash = other;
  const int folder = slash ? static_cast<int>(slash - databasePath + 1) : 0;
  const int n = std::snprintf(path, sizeof path, "%.*s%s", folder, databasePath, PredecessorFlagsName);
  if (n < 0 || n >= PathSize) return ReportFileError(PredecessorFlagsName, VerbOpen);
  return ReadFileAt(path, flags, PredecessorFlagsOffset, 12 * 31 * sizeof(int32_t));
}

int ImportPredecessorNotes(const char* databasePath, int add) {
  int32_t flags[12 * 31] = {};
  if (!ReadPredecessorDayFlags(databasePath, flags)) return 0;
  // The notes are read once and written once, after the last day.
  NotesImage notes;
  if (!ReadNotesImage(&notes)) return 0;
  int stored = 0;
  for (int m = 1; m <= 12; ++m)
    for (int d = 1; d <= 31; ++d) {
      // A flag for a day the year never has (31 April) would put its note
      // into the record of another day.
      if (!flags[31 * (m - 1) + (d - 1)] || d > DaysInMonth(m, 2000)) continue;
      char note[PredecessorNoteSize + 1] = {};
      if (!ReadFileAt(databasePath, note, PredecessorNoteOffset(ToDayIndex(d, m)), PredecessorNoteSize)) continue;
      AddNoteTextInImage(&notes, d, m, note, add);
      ++stored;
    }
  return stored == 0 || WriteNotesImage(notes);
}
