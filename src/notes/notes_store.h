// The notes file "cal_notas.dat": a table of has-note flags (12 months x 31
// days, 32-bit words) followed by one 264-byte record per DayIndex 1..366.
// Nothing is cached: every question is one positioned read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "os/platform_records.h"

struct NoteRecord {
  FileTime UpdateTime;  // local time of the last change
  char Text[256];       // Windows-1252, zero-terminated, at most 255 characters
};
static_assert(sizeof(NoteRecord) == 264);
static_assert(offsetof(NoteRecord, Text) == 8);

constexpr uint32_t NoteFlagTableSize = 12 * 31 * 4;                               // 1488
constexpr uint32_t NotesFileSize = NoteFlagTableSize + 366 * sizeof(NoteRecord);  // 98112
constexpr int MaxNoteLength = 255;

// Reads the day's flag (set to 0 first). 1 when read.
int ReadNoteFlag(int day, int month, int32_t* flag);
// Reads the month's 31 flags in one read; flags[d - 1] is day d. 1 when read.
int ReadMonthFlags(int month, int32_t flags[31]);
// Reads the day's note into a zero-filled record; a day without a note (or
// whose flag cannot be read) keeps it empty. 0 only when the record's read fails.
int ReadNote(int day, int month, NoteRecord* record);
// Writes the flag, then the record. 1 when both were written.
int WriteNote(int day, int month, const NoteRecord* record, int32_t hasNote);
// Appends text behind the day's note (append 1, cut to 255 characters in
// all) or replaces it (append 0), stamped now; the flag is set.
int AddNoteText(int day, int month, const char* text, int append);

// The whole notes file in memory, for a pass that changes many days (an
// import): read once, changed in memory, written once, all or nothing.
struct NotesImage {
  std::vector<char> Bytes;  // NotesFileSize bytes
  FileTime Stamp{};         // the time of the pass, taken at its first note
  int32_t Stamped = 0;      // 1 once Stamp is taken
};
// 1 when read; else 0 after the file message.
int ReadNotesImage(NotesImage* image);
// ReadNote on the image: 1 when the day has a note, which fills the record
// (its text bounded); else 0, the record zero-filled.
int ReadNoteFromImage(const NotesImage& image, int day, int month, NoteRecord* record);
// ReadMonthFlags on the image.
void MonthFlagsFromImage(const NotesImage& image, int month, int32_t flags[31]);
// AddNoteText on the image: the day's note appended to (append 1, cut to 255
// characters in all) or replaced, its flag set; every note of one image gets
// the same time, that of its first change.
void AddNoteTextInImage(NotesImage* image, int day, int month, const char* text, int append);
// Writes the image as the notes file: whole into a temporary file beside it,
// which then replaces it. 1 when done; else 0 after one message, the notes
// file as it was and the temporary file gone.
int WriteNotesImage(const NotesImage& image);
