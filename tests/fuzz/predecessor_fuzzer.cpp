// Any bytes as the predecessor's two files: the first 1488 as the flag
// words of the flag file, the rest repeated through a database of a whole
// year, so that every flagged day's note is read. The import never writes
// outside the notes file's records.
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
  const size_t split = std::min<size_t>(size, 12 * 31 * 4);
  static std::vector<uint8_t> flags(PredecessorFlagsOffset + 12 * 31 * 4), database(PredecessorNoteOffset(367));
  std::fill(std::copy(data, data + split, flags.begin() + PredecessorFlagsOffset), flags.end(), 0);
  for (size_t i = 0; i < database.size(); ++i) database[i] = split < size ? data[split + i % (size - split)] : 0;
  FromMemory(PredecessorFlagsName, flags.data(), flags.size());
  ImportPredecessorNotes(FromMemory(PredecessorNotesName, database.data(), database.size()).c_str(), size % 2);
  if (std::filesystem::file_size(notes) != NotesFileSize) std::abort();
  return 0;
}
