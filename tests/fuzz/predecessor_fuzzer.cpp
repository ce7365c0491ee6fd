// Any bytes as the predecessor's two files (the flag file first, then the
// database): the import never writes outside the notes file's records.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "exchange/predecessor_import.h"
#include "fuzz_dir.h"
#include "notes/notes_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string notes = FuzzDir() + "cal_notas.dat";
  static const std::vector<char> empty(NotesFileSize, 0);
  WriteFuzzFile(notes, empty.data(), empty.size());
  const size_t split = std::min<size_t>(size, 1600);
  FromMemory(PredecessorFlagsName, data, split);
  ImportPredecessorNotes(FromMemory(PredecessorNotesName, data + split, size - split).c_str(), size % 2);
  if (std::filesystem::file_size(notes) != NotesFileSize) std::abort();
  return 0;
}
