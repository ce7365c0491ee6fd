#include "notes/notes_store.h"

#include <bit>
#include <cstdio>
#include <cstring>

#include "base/clock.h"
#include "base/program_files.h"
#include "calendar/dates.h"

// The file's words are little-endian and are read straight into memory.
static_assert(std::endian::native == std::endian::little);

static constexpr uint32_t kMonthFlagsSize = 31 * sizeof(int32_t);  // 124

// Offset of the flag word of (day, month): 0..1484.
static uint32_t FlagOffset(int day, int month) { return static_cast<uint32_t>(4 * (31 * (month - 1) + (day - 1))); }

// Offset of the record slot of (day, month), by its DayIndex 1..366.
static uint32_t RecordOffset(int day, int month) {
  return NoteFlagTableSize +
         static_cast<uint32_t>(sizeof(NoteRecord)) * static_cast<uint32_t>(ToDayIndex(day, month) - 1);
}

// Length of text, counting at most max characters; never reads past them.
static size_t BoundedLength(const char* text, size_t max) {
  size_t length = 0;
  while (length < max && text[length]) ++length;
  return length;
}

// A short read leaves part of the buffer filled; a failed read gives zeros
// instead, so that a day whose flag could not be read has no note.
int ReadNoteFlag(int day, int month, int32_t* flag) {
  char path[PathSize];
  *flag = 0;
  if (ReadFileAt(BuildProgramPath(path, NotesFileIndex), flag, FlagOffset(day, month), sizeof *flag)) return 1;
  *flag = 0;
  return 0;
}

int ReadMonthFlags(int month, int32_t flags[31]) {
  char path[PathSize];
  const uint32_t offset = kMonthFlagsSize * static_cast<uint32_t>(month - 1);
  if (ReadFileAt(BuildProgramPath(path, NotesFileIndex), flags, offset, kMonthFlagsSize)) return 1;
  std::memset(flags, 0, kMonthFlagsSize);
  return 0;
}

// Reads the day's record slot; 0 (with the record emptied) when the read fails.
static int ReadRecord(int day, int month, NoteRecord* record) {
  char path[PathSize];
  if (!ReadFileAt(BuildProgramPath(path, NotesFileIndex), record, RecordOffset(day, month), sizeof *record)) {
    std::memset(record, 0, sizeof *record);
    return 0;
  }
  record->Text[MaxNoteLength] = 0;  // a damaged slot still gives a bounded string
  return 1;
}

int ReadNote(int day, int month, NoteRecord* record) {
  int32_t flag;
  // A flag that cannot be read has been told; the day reads as having no note.
  if (!ReadNoteFlag(day, month, &flag)) return 1;
  return flag ? ReadRecord(day, month, record) : 1;
}

int WriteNote(int day, int month, const NoteRecord* record, int32_t hasNote) {
  char path[PathSize];
  BuildProgramPath(path, NotesFileIndex);
  if (!WriteFileAt(path, &hasNote, FlagOffset(day, month), sizeof hasNote)) return 0;
  return WriteFileAt(path, record, RecordOffset(day, month), sizeof *record);
}

// The note behind the record's text (append 1, cut to 255 characters in
// all) or in its place, stamped with the time given, every byte behind it zero.
static void ComposeNote(NoteRecord* record, const char* text, int append, FileTime stamp) {
  record->UpdateTime = stamp;
  const size_t kept = append ? BoundedLength(record->Text, MaxNoteLength) : 0;  // 0..255
  const size_t added = BoundedLength(text, MaxNoteLength - kept);               // 0..255 - kept
  std::memcpy(record->Text + kept, text, added);
  // The terminating zero and every byte behind it.
  std::memset(record->Text + kept + added, 0, sizeof record->Text - kept - added);
}

int AddNoteText(int day, int month, const char* text, int append) {
  NoteRecord record = {};
  // A flag that cannot be read has been told: writing would only fail again
  // with a second message for the same failure.
  int32_t flag = 0;
  if (!ReadNoteFlag(day, month, &flag)) return 0;
  if (flag && !ReadRecord(day, month, &record)) return 0;
  ComposeNote(&record, text, append, CurrentFileTime());
  return WriteNote(day, month, &record, 1);
}

int ReadNotesImage(NotesImage* image) {
  char path[PathSize];
  image->Bytes.assign(NotesFileSize, 0);
  return ReadFileAt(BuildProgramPath(path, NotesFileIndex), image->Bytes.data(), 0, NotesFileSize);
}

int ReadNoteFromImage(const NotesImage& image, int day, int month, NoteRecord* record) {
  int32_t flag;
  std::memcpy(&flag, image.Bytes.data() + FlagOffset(day, month), sizeof flag);
  if (!flag) {
    *record = {};
    return 0;
  }
  std::memcpy(record, image.Bytes.data() + RecordOffset(day, month), sizeof *record);
  record->Text[MaxNoteLength] = 0;  // bounded, as a record read from the file
  return 1;
}

void MonthFlagsFromImage(const NotesImage& image, int month, int32_t flags[31]) {
  std::memcpy(flags, image.Bytes.data() + FlagOffset(1, month), kMonthFlagsSize);
}

void AddNoteTextInImage(NotesImage* image, int day, int month, const char* text, int append) {
  char* flagBytes = image->Bytes.data() + FlagOffset(day, month);
  char* recordBytes = image->Bytes.data() + RecordOffset(day, month);
  NoteRecord record = {};
  if (append) ReadNoteFromImage(*image, day, month, &record);
  // One clock reading for the whole pass: thousands of notes, one time.
  if (!image->Stamped) {
    image->Stamp = CurrentFileTime();
    image->Stamped = 1;
  }
  ComposeNote(&record, text, append, image->Stamp);
  const int32_t flag = 1;
  std::memcpy(flagBytes, &flag, sizeof flag);
  std::memcpy(recordBytes, &record, sizeof record);
}

int WriteNotesImage(const NotesImage& image) {
  char path[PathSize], temporary[PathSize + 4];
  BuildProgramPath(path, NotesFileIndex);
  std::snprintf(temporary, sizeof temporary, "%s.tmp", path);
  // Whatever fails, the user is told once, of the notes file he knows.
  const FileHandle file = OsCreateAlways(temporary);
  if (file == NoFile) return ReportFileError(path, VerbWrite);
  const bool written = OsWrite(file, image.Bytes.data(), NotesFileSize) == NotesFileSize;
  OsClose(file);
  if (written && OsReplaceFile(temporary, path)) return 1;
  OsDeleteFile(temporary);
  return ReportFileError(path, VerbWrite);
}
