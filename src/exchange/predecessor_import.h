// The day notes of the predecessor program, Brisol 2006 v 3.3.0, read from
// the folder it is installed in: which days have a note ("Brisol2006.cal")
// and the notes ("Brisol2006.dbf"), both at fixed offsets.
#pragma once
#include <cstdint>

constexpr uint32_t PredecessorFlagsOffset = 112;  // 12 x 31 words, as the notes file's flags
constexpr uint32_t PredecessorRecordSize = 174;
constexpr uint32_t PredecessorNoteSize = 169;  // bytes 5..173 of the day's record
constexpr const char* PredecessorNotesName = "Brisol2006.dbf";
constexpr const char* PredecessorFlagsName = "Brisol2006.cal";

// Offset in the database of the note of DayIndex n (1..366).
constexpr uint32_t PredecessorNoteOffset(int n) { return PredecessorRecordSize * static_cast<uint32_t>(n) - 40; }
static_assert(PredecessorNoteOffset(1) == 134 && PredecessorNoteOffset(366) == 63644);

// The day flags from the flag file beside the database; 1 when read, else 0
// after the message.
int ReadPredecessorDayFlags(const char* databasePath, int32_t flags[12 * 31]);
// Stores the note of every flagged day, appended (add 1) or in place of the
// day's note; 0 when the flags could not be read (nothing imported), else 1.
int ImportPredecessorNotes(const char* databasePath, int add);
