// The program directory of a fuzzing run: a private temporary folder that
// the program's file functions use, with the message box silenced. The
// input reaches the readers through the seam's memory-file hook: the same
// reads, with no file written for each run.
#pragma once
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "calendar/dates.h"
#include "notes/notes_store.h"
#include "os/os.h"

inline const std::string& FuzzDir() {
  static const std::string dir = [] {
    const std::string path =
        std::filesystem::temp_directory_path().string() + "/oristel_fuzz_" + std::to_string(getpid()) + "/";
    std::filesystem::create_directories(path);
    OsSetExecutablePath((path + "Oristel.exe").c_str());
    OsSetMessageBoxHook([](const char*, const char*, MessageIcon) {});
    return path;
  }();
  return dir;
}

// Serves the bytes as the file of that name in the directory; its path.
inline std::string FromMemory(const char* name, const uint8_t* data, size_t size) {
  const std::string path = FuzzDir() + name;
  OsSetMemoryFile(path.c_str(), data, size);
  return path;
}

// The notes file an import writes into, a real file, written empty for each input.
inline void EmptyNotesFile() {
  static const std::vector<char> empty(NotesFileSize, 0);
  std::ofstream(FuzzDir() + "cal_notas.dat", std::ios::binary).write(empty.data(), NotesFileSize);
}

// Aborts unless the notes file kept its size, only days of flagYear's
// calendar are flagged, an unflagged day's record stays empty and every
// stored note ends within its record.
inline void CheckNotesFile(int flagYear) {
  static const NoteRecord blank{};
  std::vector<char> after(NotesFileSize + 1);
  std::ifstream notes(FuzzDir() + "cal_notas.dat", std::ios::binary);
  if (notes.read(after.data(), NotesFileSize + 1).gcount() != NotesFileSize) std::abort();
  for (int month = 1; month <= 12; ++month)
    for (int day = 1; day <= 31; ++day) {
      int32_t flag;
      std::memcpy(&flag, &after[4 * (31 * (month - 1) + day - 1)], sizeof flag);
      if (flag != 0 && (flag != 1 || day > DaysInMonth(month, flagYear))) std::abort();
      if (day > DaysInMonth(month, 2008)) continue;
      const char* record = &after[NoteFlagTableSize + sizeof(NoteRecord) * (ToDayIndex(day, month) - 1)];
      if (flag ? !std::memchr(record + 8, 0, 256) : std::memcmp(record, &blank, sizeof blank) != 0) std::abort();
    }
}
