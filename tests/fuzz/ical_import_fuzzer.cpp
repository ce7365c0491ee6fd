// Any bytes as an iCalendar file to import into an empty notes file, for a
// common or a leap year: the notes file stays sound (CheckNotesFile), with
// only days of the calendar, 29 February among them, flagged.
#include "exchange/ical_exchange.h"
#include "fuzz_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EmptyNotesFile();
  IcalImportResult result;
  ImportIcalFile(FromMemory("import.ics", data, size).c_str(), 2007 + size % 2, size / 2 % 2, &result);
  CheckNotesFile(2008);
  return 0;
}
