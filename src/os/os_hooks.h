// State of the test hooks, read by the implementations of the seam.
#pragma once
#include "os/os.h"

extern ClockHook g_clockHook;
extern MessageBoxHook g_messageBoxHook;
extern char g_executablePath[260];  // empty: the real path

// Whole-file replacement and UTC times.
extern FaultHook g_faultHook;
extern ZoneHook g_zoneHook;

// The files read from memory: MemoryFileOpen gives NoFile for a path that
// is not one (or for any access but reading); the other calls serve a
// handle that MemoryFileOf recognises.
struct MemoryFile;
FileHandle MemoryFileOpen(const char* path, uint32_t access);
MemoryFile* MemoryFileOf(FileHandle file);
int MemoryFileSeek(MemoryFile* file, uint32_t offset, int fromEnd);
int64_t MemoryFileRead(MemoryFile* file, void* buffer, uint32_t count);
uint32_t MemoryFileSize(const MemoryFile* file);
