// The seam on Linux, for the native builds of the core, its tests and tools.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <strings.h>

#include "os/os_hooks.h"

// Descriptors are kept one above their value so that 0 stays "no file".
static int Fd(FileHandle file) { return static_cast<int>(file) - 1; }

FileHandle OsOpenExisting(const char* path, uint32_t access) {
  if (const FileHandle memory = MemoryFileOpen(path, access)) return memory;
  int flags = (access & FileWrite) ? ((access & FileRead) ? O_RDWR : O_WRONLY) : O_RDONLY;
  int fd = open(path, flags);
  return fd < 0 ? NoFile : fd + 1;
}

FileHandle OsCreateAlways(const char* path) {
  int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  return fd < 0 ? NoFile : fd + 1;
}

int OsSeek(FileHandle file, uint32_t offset, int fromEnd) {
  if (MemoryFile* memory = MemoryFileOf(file)) return MemoryFileSeek(memory, offset, fromEnd);
  return lseek(Fd(file), fromEnd ? 0 : static_cast<off_t>(offset), fromEnd ? SEEK_END : SEEK_SET) >= 0;
}

int64_t OsRead(FileHandle file, void* buffer, uint32_t count) {
  if (MemoryFile* memory = MemoryFileOf(file)) return MemoryFileRead(memory, buffer, count);
  uint32_t done = 0;
  while (done < count) {
    ssize_t n = read(Fd(file), static_cast<char*>(buffer) + done, count - done);
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<uint32_t>(n);
  }
  return done;
}

int64_t OsWrite(FileHandle file, const void* buffer, uint32_t count) {
  if (g_faultHook && g_faultHook(FaultWrite)) return -1;
  uint32_t done = 0;
  while (done < count) {
    ssize_t n = write(Fd(file), static_cast<const char*>(buffer) + done, count - done);
    if (n <= 0) return -1;
    done += static_cast<uint32_t>(n);
  }
  return done;
}

uint32_t OsFileSize(FileHandle file) {
  if (const MemoryFile* memory = MemoryFileOf(file)) return MemoryFileSize(memory);
  struct stat st;
  return fstat(Fd(file), &st) == 0 ? static_cast<uint32_t>(st.st_size) : 0;
}

void OsClose(FileHandle file) {
  if (!MemoryFileOf(file)) close(Fd(file));
}

// The native build has no archive bit: a file counts as archived (as Wine
// shows files of the Unix side) unless its owner-execute bit is set, which
// stands for a cleared archive bit.
int OsFindFiles(const char* directory, const char* suffix, DirectoryVisitor visit, void* context) {
  DIR* dir = opendir(directory);
  if (!dir) return 0;
  const size_t suffixLength = std::strlen(suffix);
  int visited = 0;
  while (const dirent* found = readdir(dir)) {
    const size_t length = std::strlen(found->d_name);
    if (length < suffixLength || strcasecmp(found->d_name + length - suffixLength, suffix) != 0) continue;
    DirectoryEntry entry{};
    std::snprintf(entry.Name, sizeof entry.Name, "%s", found->d_name);
    std::string path = std::string(directory) + found->d_name;
    struct stat st;
    if (stat(path.c_str(), &st) != 0) continue;
    entry.Attributes = S_ISDIR(st.st_mode) ? AttributeDirectory : (st.st_mode & S_IXUSR) ? 0 : AttributeArchive;
    ++visited;
    if (!visit(entry, context)) break;
  }
  closedir(dir);
  return visited;
}

int OsExecutablePath(char* buffer, size_t size) {
  if (g_executablePath[0]) {
    if (std::strlen(g_executablePath) >= size) return 0;
    std::strcpy(buffer, g_executablePath);
    return 1;
  }
  ssize_t n = readlink("/proc/self/exe", buffer, size - 1);
  if (n < 0 || static_cast<size_t>(n) >= size - 1) return 0;
  buffer[n] = 0;
  return 1;
}

LocalTime OsLocalTime() {
  if (g_clockHook) return g_clockHook();
  timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  tm t;
  localtime_r(&ts.tv_sec, &t);
  return {t.tm_year + 1900, t.tm_mon + 1, t.tm_wday, t.tm_mday,
          t.tm_hour,        t.tm_min,     t.tm_sec,  static_cast<int>(ts.tv_nsec / 1000000)};
}

void OsMessageBox(const char* text, const char* title, MessageIcon icon) {
  if (g_messageBoxHook) {
    g_messageBoxHook(text, title, icon);
    return;
  }
  std::fprintf(stderr, "%s: %s\n", title, text);
}

// ---- Whole-file replacement and UTC times ----
// rename replaces the file at once; the native build (tests and tools) does
// not wait for the disk.
int OsReplaceFile(const char* from, const char* to) {
  if (g_faultHook && g_faultHook(FaultReplace)) return 0;
  return rename(from, to) == 0;
}

int OsDeleteFile(const char* path) { return unlink(path) == 0; }

LocalTime OsConvertZone(const LocalTime& time, int toUtc) {
  if (g_zoneHook) return g_zoneHook(time, toUtc);
  tm t{};
  t.tm_year = time.Year - 1900;
  t.tm_mon = time.Month - 1;
  t.tm_mday = time.Day;
  t.tm_hour = time.Hour;
  t.tm_min = time.Minute;
  t.tm_sec = time.Second;
  t.tm_isdst = -1;
  const time_t seconds = toUtc ? mktime(&t) : timegm(&t);
  tm out{};
  if (toUtc ? !gmtime_r(&seconds, &out) : !localtime_r(&seconds, &out)) return time;
  return {out.tm_year + 1900, out.tm_mon + 1, out.tm_wday, out.tm_mday, out.tm_hour, out.tm_min, out.tm_sec, 0};
}
