// The seam on Windows.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "os/os_hooks.h"

static HANDLE H(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

static FileHandle Opened(HANDLE h) { return h == INVALID_HANDLE_VALUE ? NoFile : reinterpret_cast<FileHandle>(h); }

FileHandle OsOpenExisting(const char* path, uint32_t access) {
  if (const FileHandle memory = MemoryFileOpen(path, access)) return memory;
  DWORD rights = ((access & FileRead) ? GENERIC_READ : 0) | ((access & FileWrite) ? GENERIC_WRITE : 0);
  return Opened(CreateFileA(path, rights, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileHandle OsCreateAlways(const char* path) {
  return Opened(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

int OsSeek(FileHandle file, uint32_t offset, int fromEnd) {
  if (MemoryFile* memory = MemoryFileOf(file)) return MemoryFileSeek(memory, offset, fromEnd);
  DWORD r = SetFilePointer(H(file), fromEnd ? 0 : static_cast<LONG>(offset), nullptr, fromEnd ? FILE_END : FILE_BEGIN);
  return r != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR;
}

int64_t OsRead(FileHandle file, void* buffer, uint32_t count) {
  if (MemoryFile* memory = MemoryFileOf(file)) return MemoryFileRead(memory, buffer, count);
  DWORD done = 0;
  return ReadFile(H(file), buffer, count, &done, nullptr) ? static_cast<int64_t>(done) : -1;
}

int64_t OsWrite(FileHandle file, const void* buffer, uint32_t count) {
  if (g_faultHook && g_faultHook(FaultWrite)) return -1;
  DWORD done = 0;
  return WriteFile(H(file), buffer, count, &done, nullptr) ? static_cast<int64_t>(done) : -1;
}

uint32_t OsFileSize(FileHandle file) {
  if (const MemoryFile* memory = MemoryFileOf(file)) return MemoryFileSize(memory);
  return GetFileSize(H(file), nullptr);
}

void OsClose(FileHandle file) {
  if (!MemoryFileOf(file)) CloseHandle(H(file));
}

int OsFindFiles(const char* directory, const char* suffix, DirectoryVisitor visit, void* context) {
  char pattern[MAX_PATH];
  const int n = std::snprintf(pattern, sizeof pattern, "%s*%s", directory, suffix);
  if (n < 0 || n >= static_cast<int>(sizeof pattern)) return 0;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int visited = 0;
  do {
    DirectoryEntry entry{};
    std::snprintf(entry.Name, sizeof entry.Name, "%s", found.cFileName);
    entry.Attributes = found.dwFileAttributes;
    ++visited;
    if (!visit(entry, context)) break;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return visited;
}

int OsExecutablePath(char* buffer, size_t size) {
  if (g_executablePath[0]) {
    if (std::strlen(g_executablePath) >= size) return 0;
    std::strcpy(buffer, g_executablePath);
    return 1;
  }
  DWORD n = GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size));
  return n > 0 && n < size;
}

LocalTime OsLocalTime() {
  if (g_clockHook) return g_clockHook();
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

void OsMessageBox(const char* text, const char* title, MessageIcon icon) {
  if (g_messageBoxHook) {
    g_messageBoxHook(text, title, icon);
    return;
  }
  MessageBoxA(nullptr, text, title, icon);
}

// ---- Whole-file replacement and UTC times ----
int OsReplaceFile(const char* from, const char* to) {
  if (g_faultHook && g_faultHook(FaultReplace)) return 0;
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

int OsDeleteFile(const char* path) { return DeleteFileA(path) != 0; }

LocalTime OsConvertZone(const LocalTime& time, int toUtc) {
  if (g_zoneHook) return g_zoneHook(time, toUtc);
  SYSTEMTIME in = {}, out = {};
  in.wYear = static_cast<WORD>(time.Year);
  in.wMonth = static_cast<WORD>(time.Month);
  in.wDay = static_cast<WORD>(time.Day);
  in.wHour = static_cast<WORD>(time.Hour);
  in.wMinute = static_cast<WORD>(time.Minute);
  in.wSecond = static_cast<WORD>(time.Second);
  // Outside what the system converts (before 1601), the time stays as it is.
  const BOOL done =
      toUtc ? TzSpecificLocalTimeToSystemTime(nullptr, &in, &out) : SystemTimeToTzSpecificLocalTime(nullptr, &in, &out);
  if (!done) return time;
  return {out.wYear, out.wMonth, out.wDayOfWeek, out.wDay, out.wHour, out.wMinute, out.wSecond, 0};
}
