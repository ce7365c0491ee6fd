// The test hooks shared by both implementations of the seam.
#include "os/os_hooks.h"

#include <cstring>

ClockHook g_clockHook = nullptr;
MessageBoxHook g_messageBoxHook = nullptr;
char g_executablePath[260] = "";

void OsSetClockHook(ClockHook hook) { g_clockHook = hook; }
void OsSetMessageBoxHook(MessageBoxHook hook) { g_messageBoxHook = hook; }

void OsSetExecutablePath(const char* path) {
  g_executablePath[0] = 0;
  if (path && std::strlen(path) < sizeof g_executablePath) std::strcpy(g_executablePath, path);
}

// Whole-file replacement and UTC times.
FaultHook g_faultHook = nullptr;
ZoneHook g_zoneHook = nullptr;
void OsSetFaultHook(FaultHook hook) { g_faultHook = hook; }
void OsSetZoneHook(ZoneHook hook) { g_zoneHook = hook; }

// Files read from memory. A handle is the address of its slot, which no
// descriptor or Windows handle can equal.
struct MemoryFile {
  char Path[260];
  const unsigned char* Data;
  uint32_t Size, Position;
};
static MemoryFile g_memoryFiles[MemoryFileSlots];

void OsSetMemoryFile(const char* path, const void* data, size_t size) {
  MemoryFile* slot = nullptr;
  for (MemoryFile& f : g_memoryFiles) {
    if (std::strcmp(f.Path, path) == 0) f.Path[0] = 0;
    if (!f.Path[0] && !slot) slot = &f;
  }
  if (!data || !slot || std::strlen(path) >= sizeof slot->Path || size > UINT32_MAX) return;
  std::strcpy(slot->Path, path);
  slot->Data = static_cast<const unsigned char*>(data);
  slot->Size = static_cast<uint32_t>(size);
}

FileHandle MemoryFileOpen(const char* path, uint32_t access) {
  if (access != FileRead) return NoFile;
  for (MemoryFile& f : g_memoryFiles) {
    if (!f.Path[0] || std::strcmp(f.Path, path) != 0) continue;
    f.Position = 0;
    return reinterpret_cast<FileHandle>(&f);
  }
  return NoFile;
}

MemoryFile* MemoryFileOf(FileHandle file) {
  for (MemoryFile& f : g_memoryFiles)
    if (file == reinterpret_cast<FileHandle>(&f)) return &f;
  return nullptr;
}

// As a real file: a seek past the end succeeds and the read there gives 0 bytes.
int MemoryFileSeek(MemoryFile* file, uint32_t offset, int fromEnd) {
  file->Position = fromEnd ? file->Size : offset;
  return 1;
}

int64_t MemoryFileRead(MemoryFile* file, void* buffer, uint32_t count) {
  const uint32_t left = file->Position < file->Size ? file->Size - file->Position : 0;
  const uint32_t n = count < left ? count : left;
  if (n) std::memcpy(buffer, file->Data + file->Position, n);
  file->Position += n;
  return n;
}

uint32_t MemoryFileSize(const MemoryFile* file) { return file->Size; }
