#include "infofiles/info_file.h"

#include <lzo/lzo1x.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "base/program_files.h"

// The LZO library answers before anything is unpacked; "Fallo al
// descomprimir" and 0 when it does not.
static int LzoReady() { return lzo_init() == LZO_E_OK ? 1 : ShowProgramMessage(MessageUnpackFailed); }

// Program directory + name; 0 (path empty) when it does not fit.
static int ProgramDirPath(const char* name, char path[PathSize]) {
  const int last = GetProgramDirectory(path);
  const int n = std::snprintf(path + last + 1, static_cast<size_t>(PathSize - last - 1), "%s", name);
  if (last < 0 || n < 0 || last + 1 + n >= PathSize) return path[0] = 0, 0;
  return 1;
}

// The path of the header's file; tells "abrir" for a name that cannot be one.
static int InfoFilePath(const InfoFileHeader& header, char path[PathSize]) {
  char name[sizeof header.FileName + 1] = {};
  std::memcpy(name, header.FileName, sizeof header.FileName);
  if (!ProgramDirPath(name, path)) return ReportFileError(name, VerbOpen);
  return 1;
}

int CountInfoFiles() {
  char dir[PathSize];
  if (GetProgramDirectory(dir) < 0) return 0;
  return OsFindFiles(
      dir, ".cal", [](const DirectoryEntry&, void*) { return 1; }, nullptr);
}

namespace {
struct ScanState {
  InfoFileHeader* Slots;
  int Count, Used;
};
}  // namespace

std::string TitleText(const InfoFileHeader& header) {
  return std::string(header.Title, strnlen(header.Title, sizeof header.Title));
}

static int ScanEntry(const DirectoryEntry& entry, void* context) {
  auto* scan = static_cast<ScanState*>(context);
  if (scan->Used >= scan->Count) return 0;
  const size_t length = std::strlen(entry.Name);
  if (!(entry.Attributes & AttributeArchive) || length < 5 || entry.Name[length - 5] != '7') return 1;
  char path[PathSize];
  if (!ProgramDirPath(entry.Name, path)) return 1;
  InfoFileHeader* slot = &scan->Slots[scan->Used];
  if (!ReadFileAt(path, slot, 0, sizeof *slot)) {
    std::memset(slot, 0, sizeof *slot);
    return 1;
  }
  if (slot->FormatMarker != InfoFormatMarker || !std::memchr(slot->FileName, 0, sizeof slot->FileName))
    std::memset(slot, 0, sizeof *slot);
  ++scan->Used;
  return 1;
}

void ScanInfoFiles(InfoFileHeader* slots, int n) {
  char dir[PathSize];
  if (n <= 0 || GetProgramDirectory(dir) < 0) return;
  ScanState scan{slots, n, 0};
  OsFindFiles(dir, ".cal", ScanEntry, &scan);
}

// Whether the table ascends from 1 and ends within the unpacked text.
static bool DayStartSound(const std::vector<uint32_t>& start, size_t length) {
  if (start[1] < 1 || start[DayStartCount] > length) return false;
  for (uint32_t d = 1; d < DayStartCount; ++d)
    if (start[d + 1] <= start[d]) return false;
  return true;
}

namespace {
struct InfoText {
  std::vector<uint32_t> DayStart;  // [0] unused, [1..367]
  std::vector<char> Text;
};
}  // namespace

// Reads the DayStart table and, unless day names one without a text, the
// packed text, and unpacks it. Text stays empty when only the table was read;
// for the walk (day 0) it holds the TextSize characters the walk covers.
// Refused: a stream that does not decode within the buffer, a table that
// does not ascend within the unpacked text, and for the walk a TextSize
// longer than that text. A shorter TextSize only ends the walk early.
static int LoadText(const InfoFileHeader& header, InfoText* text, int day) {
  text->DayStart.assign(DayStartCount + 1, 0);
  text->Text.clear();
  char path[PathSize];
  if (!InfoFilePath(header, path)) return 0;
  const FileHandle file = OpenExistingFile(FileRead, path);
  if (file == NoFile) return 0;
  int ok = ReadAtOffset(file, path, &text->DayStart[1], DayStartOffset + 4, DayStartCount * 4);
  if (ok && day >= 1 && text->DayStart[day + 1] - text->DayStart[day] <= static_cast<uint32_t>(MinDayTextLength)) {
    OsClose(file);
    return 1;
  }
  std::vector<unsigned char> packed;
  if (ok) {
    const uint64_t end = uint64_t{PackedTextOffset} + header.PackedSize;
    if (header.PackedSize == 0 || end > OsFileSize(file)) ok = ShowProgramMessage(MessageUnpackFailed);
  }
  if (ok) {
    try {
      packed.resize(header.PackedSize);
      text->Text.resize(UnpackBufferSize);
    } catch (const std::bad_alloc&) {
      ok = ShowProgramMessage(MessageNoMemory);
    }
  }
  if (ok) ok = ReadAtOffset(file, path, packed.data(), PackedTextOffset, header.PackedSize);
  OsClose(file);
  if (!ok) {
    text->Text.clear();
    return 0;
  }
  lzo_uint length = UnpackBufferSize;
  const int status = lzo1x_decompress_safe(packed.data(), packed.size(),
                                           reinterpret_cast<unsigned char*>(text->Text.data()), &length, nullptr);
  if (status != LZO_E_OK || !DayStartSound(text->DayStart, length) || (day == 0 && header.TextSize > length)) {
    text->Text.clear();
    return ShowProgramMessage(MessageUnpackFailed);
  }
  text->Text.resize(day == 0 ? header.TextSize : length);
  return 1;
}

int ReadDayText(const InfoFileHeader& header, int d, std::string* out) {
  out->clear();
  if (d < 1 || d > 366) return 1;
  InfoText text;
  if (!LoadText(header, &text, d)) return 0;
  if (text.Text.empty()) return 1;
  const uint32_t from = text.DayStart[d], to = text.DayStart[d + 1] - 1;  // to: the closing "+"
  out->assign(text.Text.data() + from, to - from);
  return 1;
}

int WalkDayTexts(const InfoFileHeader& header, const std::function<void(int, std::string_view)>& yield) {
  if (!LzoReady()) return 0;
  InfoText text;
  if (!LoadText(header, &text, 0)) return 0;
  // The text before the first "+" belongs to no day, and one behind the
  // last "+" within TextSize is not closed; a day past 366 has no place in
  // the year.
  uint32_t previous = 0;
  int k = 0;
  for (uint32_t p = 0; p < text.Text.size() && k <= 366; ++p) {
    if (text.Text[p] != '+') continue;
    if (k >= 1 && p - previous > static_cast<uint32_t>(MinDayTextLength))
      yield(k, std::string_view(text.Text.data() + previous + 1, p - previous - 1));
    ++k;
    previous = p;
  }
  return 1;
}

int UnpackPackedPage(const char* source, const char* target) {
  const uint32_t size = GetFileSizeByName(source);
  if (size == 0 || !CreateEmptyFile(target) || !LzoReady()) return 0;
  std::vector<unsigned char> packed;
  std::vector<char> page;
  try {
    packed.resize(size);
    page.resize(UnpackBufferSize);
  } catch (const std::bad_alloc&) {
    return ShowProgramMessage(MessageNoMemory);
  }
  if (!ReadFileAt(source, packed.data(), 0, size)) return 0;
  lzo_uint length = UnpackBufferSize;
  if (lzo1x_decompress_safe(packed.data(), size, reinterpret_cast<unsigned char*>(page.data()), &length, nullptr) !=
      LZO_E_OK)
    return ShowProgramMessage(MessageUnpackFailed);
  const size_t written =
      std::find(page.begin(), page.begin() + static_cast<std::ptrdiff_t>(length), '\0') - page.begin();
  return WriteFileAt(target, page.data(), 0, static_cast<uint32_t>(written));
}

int ReadTodaySelection(std::vector<InfoFileHeader>* headers) {
  headers->clear();
  char path[PathSize];
  if (!BuildProgramPath(path, SettingsFileIndex)[0])
    return ReportFileError(ProgramFileName(SettingsFileIndex), VerbOpen) - 1;
  const FileHandle file = OpenExistingFile(FileRead, path);
  if (file == NoFile) return -1;
  uint32_t n = 0;
  int ok = ReadAtOffset(file, path, &n, TodaySelectionCountOffset, sizeof n);
  // A count larger than the file can hold is a short read, told as one.
  const uint32_t size = OsFileSize(file);
  if (ok && n > 0 && (size < TodaySelectionOffset || n > (size - TodaySelectionOffset) / sizeof(InfoFileHeader)))
    ok = ReportFileError(path, VerbRead);
  if (ok && n > 0) {
    headers->resize(n);
    ok = ReadAtOffset(file, path, headers->data(), TodaySelectionOffset,
                      n * static_cast<uint32_t>(sizeof(InfoFileHeader)));
  }
  OsClose(file);
  if (!ok) {
    headers->clear();
    return -1;
  }
  return static_cast<int>(n);
}

int SaveTodaySelection(const InfoFileHeader* headers, int count) {
  char path[PathSize];
  if (!BuildProgramPath(path, SettingsFileIndex)[0])
    return ReportFileError(ProgramFileName(SettingsFileIndex), VerbOpen);
  const FileHandle file = OpenExistingFile(FileWrite, path);
  if (file == NoFile) return 0;
  uint32_t k = 0;
  for (int i = 0; i < count; ++i) {
    if (headers[i].SelectionOrder == 0 || headers[i].FileId == 0) continue;
    if (!WriteAtOffset(file, path, &headers[i], TodaySelectionOffset + k * sizeof(InfoFileHeader),
                       sizeof(InfoFileHeader))) {
      OsClose(file);
      return 0;
    }
    ++k;
  }
  const int ok = WriteAtOffset(file, path, &k, TodaySelectionCountOffset, sizeof k);
  OsClose(file);
  return ok;
}

int CompareSelectionOrder(const InfoFileHeader& a, const InfoFileHeader& b) {
  return a.SelectionOrder < b.SelectionOrder ? -1 : a.SelectionOrder > b.SelectionOrder ? 1 : 0;
}

int ApplyTodaySelection(InfoFileHeader* headers, int count) {
  std::stable_sort(headers, headers + count,
                   [](const InfoFileHeader& a, const InfoFileHeader& b) { return CompareSelectionOrder(a, b) < 0; });
  int result = SaveTodaySelection(headers, count);
  if (!result) return 0;
  for (int i = 0; i < count; ++i) {
    if (headers[i].FileId == 0) continue;
    char path[PathSize];
    result = InfoFilePath(headers[i], path) && WriteFileAt(path, &headers[i], 0, sizeof headers[i]);
  }
  return result;
}
