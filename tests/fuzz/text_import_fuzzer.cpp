// Any bytes as a text file to import into a notes file of the right size:
// every line is read, logged or stored, and the notes file keeps its size.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/program_files.h"
#include "exchange/text_import.h"
#include "fuzz_dir.h"
#include "notes/notes_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = FuzzDir();
  const std::string notes = dir + "cal_notas.dat", source = dir + "import.txt";
  static const std::vector<uint8_t> empty(NotesFileSize, 0);
  WriteFuzzFile(notes, empty.data(), empty.size());
  WriteFuzzFile(source, data, size);
  int errors = 0;
  ImportTextFile(source.c_str(), size % 2, &errors);
  if (std::filesystem::file_size(notes) != NotesFileSize) std::abort();
  return 0;
}
