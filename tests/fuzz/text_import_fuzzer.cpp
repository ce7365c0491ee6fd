// Any bytes as a text file to import into a notes file of the right size:
// every line is read, logged or stored, and the notes file keeps its size;
// only days of a common year are flagged, an unflagged day's record stays
// empty and every stored note ends within its record.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "calendar/dates.h"
#include "exchange/text_import.h"
#include "fuzz_dir.h"
#include "notes/notes_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string notes = FuzzDir() + "cal_notas.dat";
  static const std::vector<char> empty(NotesFileSize, 0);
  WriteFuzzFile(notes, empty.data(), empty.size());
  int errors = 0;
  ImportTextFile(FromMemory("import.txt", data, size).c_str(), size % 2, &errors);
  if (std::filesystem::file_size(notes) != NotesFileSize) std::abort();
  std::vector<char> after(NotesFileSize);
  std::ifstream(notes, std::ios::binary).read(after.data(), NotesFileSize);
  for (int month = 1; month <= 12; ++month)
    for (int day = 1; day <= 31; ++day) {
      int32_t flag;
      std::memcpy(&flag, &after[4 * (31 * (month - 1) + day - 1)], sizeof flag);
      if (flag != 0 && (flag != 1 || day > BaseDaysInMonth(month))) std::abort();
      if (day > DaysInMonth(month, 2008)) continue;
      const char* record = &after[NoteFlagTableSize + sizeof(NoteRecord) * (ToDayIndex(day, month) - 1)];
      if (flag ? !std::memchr(record + 8, 0, 256) : std::memcmp(record, empty.data(), sizeof(NoteRecord)) != 0)
        std::abort();
    }
  return 0;
}
