// Any bytes as an information file: scanned, one day read, every day walked
// and its whole-file page built. Nothing may be read or written out of bounds.
#include <cstring>
#include <string>

#include "fuzz_dir.h"
#include "infofiles/info_file.h"
#include "infofiles/info_pages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The directory entry the scan finds; its bytes come from memory.
  static const int listed = (WriteFuzzFile(FuzzDir() + "Datos_2007.cal", "", 0), 1);
  FromMemory("Datos_2007.cal", data, size);
  InfoFileHeader slot{};
  ScanInfoFiles(&slot, listed);
  if (slot.FileId == 0) return 0;
  std::strcpy(slot.FileName, "Datos_2007.cal");  // the name in the header decides which file is read
  std::string text;
  ReadDayText(slot, size > 0 ? 1 + data[size - 1] % 70 * 5 : 1, &text);
  CalendarSettings s{};
  s.SelectedDay = 5, s.ShownMonth = 3, s.ShownYear = 2007;
  BuildWholeFilePage(s, slot);
  return 0;
}
