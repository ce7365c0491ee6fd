// Any bytes as an iCalendar file to import into an empty notes file, for a
// common or a leap year: only days of the calendar are flagged, an
// unflagged day's record stays empty and every stored note ends within its
// record; the notes file keeps its size.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include "calendar/dates.h"
#include "exchange/ical_exchange.h"
#include "fuzz_dir.h"
#include "notes/notes_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string notes = FuzzDir() + "cal_notas.dat", source = FuzzDir() + "import.ics";
  static const std::vector<uint8_t> empty(NotesFileSize, 0);
  WriteFuzzFile(notes, empty.data(), empty.size());
  WriteFuzzFile(source, data, size);
  IcalImportResult result;
  ImportIcalFile(source.c_str(), 2007 + size % 2, size / 2 % 2, &result);
  if (std::filesystem::file_size(notes) != NotesFileSize) std::abort();
  std::vector<char> after(NotesFileSize);
  std::ifstream(notes, std::ios::binary).read(after.data(), NotesFileSize);
  for (int month = 1; month <= 12; ++month)
    for (int day = 1, flag; day <= 31; ++day) {
      std::memcpy(&flag, &after[4 * (31 * (month - 1) + day - 1)], sizeof flag);
      const bool real = day <= DaysInMonth(month, 2008);
      const char* record = real ? &after[NoteFlagTableSize + sizeof(NoteRecord) * (ToDayIndex(day, month) - 1)] : nullptr;
      if ((flag != 0 && (flag != 1 || !real)) ||
          (real && (flag ? !std::memchr(record + 8, 0, 256) : std::memcmp(record, empty.data(), sizeof(NoteRecord)) != 0)))
        std::abort();
    }
  return 0;
}
