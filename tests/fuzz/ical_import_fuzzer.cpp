// Any bytes as an iCalendar file to import into an empty notes file, for a
// common or a leap year: only days of the calendar are flagged, an
// unflagged day's record stays empty and every stored note ends within its
// record; the notes file keeps its size.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "calendar/dates.h"
#include "exchange/ical_exchange.h"
#include "fuzz_dir.h"
#include "notes/notes_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = FuzzDir();
  const std::string notes = dir + "cal_notas.dat", source = dir + "import.ics";
  static const std::vector<uint8_t> empty(NotesFileSize, 0);
  WriteFuzzFile(notes, empty.data(), empty.size());
  WriteFuzzFile(source, data, size);
  IcalImportResult result;
  ImportIcalFile(source.c_str(), 2007 + size % 2, size / 2 % 2, &result);
  if (std::filesystem::file_size(notes) != NotesFileSize) std::abort();
  std::vector<char> after(NotesFileSize);
  std::ifstream(notes, std::ios::binary).read(after.data(), NotesFileSize);
  for (int month = 1; month <= 12; ++month)
    for (int day = 1; day <= 31; ++day) {
      int32_t flag;
      std::memcpy(&flag, &after[4 * (31 * (month - 1) + day - 1)], sizeof flag);
      if (flag != 0 && (flag != 1 || day > DaysInMonth(month, 2008))) std::abort();
      if (day > DaysInMonth(month, 2008)) continue;
      const char* record = &after[NoteFlagTableSize + sizeof(NoteRecord) * (ToDayIndex(day, month) - 1)];
      if (flag ? std::memchr(record + 8, 0, 256) == nullptr : std::memcmp(record, empty.data(), sizeof(NoteRecord)))
        std::abort();
    }
  return 0;
}
