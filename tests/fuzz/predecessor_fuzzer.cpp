// Any bytes as the predecessor's two files: the first 1488 as the flag
// words of the flag file, the rest repeated through a database of a whole
// year, so that every flagged day's note is read. The notes file stays sound
// (CheckNotesFile), with only days of the calendar, 29 February among them,
// flagged.
#include "exchange/predecessor_import.h"
#include "fuzz_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EmptyNotesFile();
  const size_t split = std::min<size_t>(size, 12 * 31 * 4);
  static std::vector<uint8_t> flags(PredecessorFlagsOffset + 12 * 31 * 4), database(PredecessorNoteOffset(367));
  std::fill(std::copy(data, data + split, flags.begin() + PredecessorFlagsOffset), flags.end(), 0);
  for (size_t i = 0; i < database.size(); ++i) database[i] = split < size ? data[split + i % (size - split)] : 0;
  FromMemory(PredecessorFlagsName, flags.data(), flags.size());
  ImportPredecessorNotes(FromMemory(PredecessorNotesName, database.data(), database.size()).c_str(), size % 2);
  CheckNotesFile(2008);
  return 0;
}
