// The one seam between the portable program and the operating system:
// files, directory search, the executable's path, local time and the
// message box.
// os_win32.cpp implements it with the Windows API, os_posix.cpp for the
// native builds of the core and its tests.
#pragma once
#include <cstddef>
#include <cstdint>

// An open file; 0 is no file.
using FileHandle = intptr_t;
constexpr FileHandle NoFile = 0;

enum FileAccess : uint32_t { FileRead = 1, FileWrite = 2 };

// Opens an existing file with no sharing; NoFile when missing or locked.
FileHandle OsOpenExisting(const char* path, uint32_t access);
// Creates a file for writing, or empties an existing one; NoFile on failure.
FileHandle OsCreateAlways(const char* path);
// Moves to offset from the start (fromEnd 0) or to the end (fromEnd 1).
// 1 when moved; moving past the end of a file succeeds.
int OsSeek(FileHandle file, uint32_t offset, int fromEnd);
// One read or write; the number of bytes moved, or -1 on failure.
int64_t OsRead(FileHandle file, void* buffer, uint32_t count);
int64_t OsWrite(FileHandle file, const void* buffer, uint32_t count);
// Size of an open file (low 32 bits).
uint32_t OsFileSize(FileHandle file);
void OsClose(FileHandle file);

// One entry of a directory search: its name (no directory) and its
// attributes, as Windows gives them.
constexpr uint32_t AttributeDirectory = 0x10;
constexpr uint32_t AttributeArchive = 0x20;
struct DirectoryEntry {
  char Name[260];
  uint32_t Attributes;
};
// Called for each entry in the order the search returns them; 0 stops it.
using DirectoryVisitor = int (*)(const DirectoryEntry& entry, void* context);
// Visits the entries of directory (with its trailing separator) whose names
// end in the suffix (".cal"), directories included; returns how many were
// visited.
int OsFindFiles(const char* directory, const char* suffix, DirectoryVisitor visit, void* context);

// Full path of the running executable, zero-terminated, at most size bytes.
// 1 when it fits.
int OsExecutablePath(char* buffer, size_t size);

// Local wall-clock time, broken down as the Windows SYSTEMTIME is.
struct LocalTime {
  int Year, Month, DayOfWeek, Day, Hour, Minute, Second, Milliseconds;  // DayOfWeek 0 = Sunday
};
LocalTime OsLocalTime();

// Message box with no owner window.
enum MessageIcon : uint32_t { IconStop = 0x10, IconExclamation = 0x30 };
void OsMessageBox(const char* text, const char* title, MessageIcon icon);

// Test hooks: a replacement clock, message box and executable path.
// Passing nullptr restores the real one.
using ClockHook = LocalTime (*)();
using MessageBoxHook = void (*)(const char* text, const char* title, MessageIcon icon);
void OsSetClockHook(ClockHook hook);
void OsSetMessageBoxHook(MessageBoxHook hook);
void OsSetExecutablePath(const char* path);

// ---- Whole-file replacement, UTC times and their test hooks ----
// Puts the file from in place of the file to (replaced when it exists), the
// move written through to the disk; 1 when done. Both lie in one folder.
int OsReplaceFile(const char* from, const char* to);
// Deletes a file; 1 when it is gone.
int OsDeleteFile(const char* path);
// The computer's local wall-clock time of a UTC time (toUtc 0), or the UTC
// time of a local one (toUtc 1), by the zone and summer-time rules in force
// then; DayOfWeek and Milliseconds are not used.
LocalTime OsConvertZone(const LocalTime& time, int toUtc);
// Test hooks: a fault hook answers 1 to make the write or the replacement
// it is asked about fail; a zone hook stands in for OsConvertZone. nullptr
// restores the real ones.
enum FaultPoint : int { FaultWrite = 1, FaultReplace = 2 };
using FaultHook = int (*)(FaultPoint point);
using ZoneHook = LocalTime (*)(const LocalTime& time, int toUtc);
void OsSetFaultHook(FaultHook hook);
void OsSetZoneHook(ZoneHook hook);

// Test hook: files read from memory. While a path is set here, opening
// that path for reading alone gives a handle whose seeks, reads and size
// are served from the bytes given (which must outlive it); everything else
// about the file (its directory entry, opening it to write) stays the real
// file's. Up to MemoryFileSlots paths; a null data pointer removes a path.
constexpr int MemoryFileSlots = 4;
void OsSetMemoryFile(const char* path, const void* data, size_t size);
