// Any bytes as an information file: scanned, one day read, every day walked
// and its whole-file page built. Nothing may be read or written out of bounds.
#include <cstring>
#include <string>

#include "fuzz_dir.h"
#include "infofiles/info_file.h"
#include "infofiles/info_pages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = FuzzDir();
  WriteFuzzFile(dir + "Datos_2007.cal", data, size);
  InfoFileHeader slot{};
  ScanInfoFiles(&slot, 1);
  if (slot.FileId == 0) return 0;
  // The name in the header decides which file is read; keep it this one.
  std::strcpy(slot.FileName, "Datos_2007.cal");
  std::string text;
  const int day = size > 0 ? 1 + data[size - 1] % 70 * 5 : 1;
  ReadDayText(slot, day, &text);
  CalendarSettings s{};
  s.SelectedDay = 5;
  s.ShownMonth = 3;
  s.ShownYear = 2007;
  BuildWholeFilePage(s, slot);
  return 0;
}
