// Any bytes as a text file to import into an empty notes file: every line is
// read, logged or stored, and the notes file stays sound (CheckNotesFile),
// with only days of a common year flagged.
#include "exchange/text_import.h"
#include "fuzz_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EmptyNotesFile();
  int errors = 0;
  ImportTextFile(FromMemory("import.txt", data, size).c_str(), size % 2, &errors);
  CheckNotesFile(2007);
  return 0;
}
