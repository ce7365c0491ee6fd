// Any bytes as an information file: scanned, one day read, every day walked
// and its whole-file page built. Nothing may be read or written out of bounds.
#include "fuzz_dir.h"
#include "infofiles/info_pages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool listed = std::ofstream(FuzzDir() + "Datos_2007.cal").good();  // the entry the scan finds
  FromMemory("Datos_2007.cal", data, size);
  InfoFileHeader slot{};
  ScanInfoFiles(&slot, listed);
  if (slot.FileId == 0) return 0;
  std::strcpy(slot.FileName, "Datos_2007.cal");  // the name in the header decides which file is read
  std::string text;
  ReadDayText(slot, size > 0 ? 1 + data[size - 1] % 70 * 5 : 1, &text);
  BuildWholeFilePage(CalendarSettings{}, slot);
  return 0;
}
