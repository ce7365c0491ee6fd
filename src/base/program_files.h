// The program's fixed files beside the executable, the whole-operation file
// functions and the program's messages. Every function that fails has already
// told the user in a message box; callers only pass its 0 on.
#pragma once
#include <cstdint>

#include "os/os.h"

constexpr int PathSize = 260;

enum ProgramFile : int {
  SettingsFileIndex = 0,     // "cal_2007.op"
  UnusedCalFileIndex = 1,    // "cal_2007.cal"
  NotesFileIndex = 2,        // "cal_notas.dat"
  TempPageFileIndex = 3,     // "cal_temp.htm"
  ImportErrorsFileIndex = 4  // "Calendario_Errores_Import.txt"
};

enum FileVerb : int { VerbCreate = 1, VerbOpen = 2, VerbRead = 3, VerbWrite = 4, VerbSeek = 5 };

enum ProgramMessage : int {
  MessageNoMemory = 0,
  MessageUnpackFailed = 1,
  MessageNotEditable = 2,
  MessageNoDataFiles = 3,
  MessageNoInfoSelected = 4,
  MessageEmptyFile = 5,
  MessageFileTooLarge = 6
};

// Full path of the executable cut behind its last path separator, which it
// keeps. Returns the position of that separator (-1 when there is none).
int GetProgramDirectory(char* path);
// The program directory followed by the name of the file; returns path,
// which is empty when the directory cannot be had or the whole does not fit.
char* BuildProgramPath(char* path, int file);
// The bare name of a ProgramFile ("" for another index).
const char* ProgramFileName(int file);

// Shows "No he podido <verb> el archivo: <path>"; returns 0.
int ReportFileError(const char* path, int verb);
// Shows one of the fixed messages; returns 0.
int ShowProgramMessage(int message);

// Handle-level operations for callers that write several pieces in one go.
FileHandle OpenExistingFile(uint32_t access, const char* path);  // NoFile after verb 2
FileHandle CreateNewFile(const char* path);                      // NoFile after verb 1
int ReadAtOffset(FileHandle file, const char* path, void* buffer, uint32_t offset, uint32_t count);
int WriteAtOffset(FileHandle file, const char* path, const void* buffer, uint32_t offset, uint32_t count);
int AppendToHandle(FileHandle file, const char* path, const void* buffer, uint32_t count);

// Whole operations: open, one transfer, close. Checks run in the order open
// (verb 2), position (verb 5), transfer (verb 3 or 4); a short transfer fails.
uint32_t GetFileSizeByName(const char* path);  // 0 also for an empty file, without a message
int ReadFileAt(const char* path, void* buffer, uint32_t offset, uint32_t count);
int WriteFileAt(const char* path, const void* buffer, uint32_t offset, uint32_t count);
int AppendToFile(const char* path, const void* buffer, uint32_t count);
int CreateEmptyFile(const char* path);
// Creates the file anew (verb 1) and writes the whole buffer into it (verb 4).
int WriteNewFile(const char* path, const void* buffer, uint32_t count);
