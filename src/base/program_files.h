// The program's fixed files beside the executable, the whole-operation file
// functions and the program's messages. Every function that fails has already
// told the user in a message box; callers only pass its 0 on.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

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

// A file created anew and written once, front to back through one handle,
// as its text is made: the text is gathered into a fixed piece of
// OutputPieceSize bytes that is written whenever it fills. A file of any
// size so needs no block of the heap: Wine's heap hands large blocks back to
// the system when freed, and every page of the next one faults in afresh.
constexpr size_t OutputPieceSize = 64 * 1024;
struct OutputFile {
  const char* Path = nullptr;
  FileHandle File = NoFile;
  char Piece[OutputPieceSize];
  size_t Used = 0;  // bytes of the piece not yet written
  int Ok = 0;       // 1 from the creation until a write fails
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() {
    if (File != NoFile) OsClose(File);
  }
};
// Creates the file (verb 1); 1 when created.
int CreateOutputFile(OutputFile* file, const char* path);
// Adds the bytes to the file. After a failed write (verb 4, told once)
// nothing more is written.
void PutOutput(OutputFile* file, std::string_view bytes);
// Room for up to count bytes (at most OutputPieceSize) made in place, the
// gathered piece written first when they do not fit; OutputMade then takes
// the end of what was made there.
char* OutputRoom(OutputFile* file, size_t count);
void OutputMade(OutputFile* file, const char* end);
// Writes what is gathered and closes the file; 1 when every byte was written.
int CloseOutputFile(OutputFile* file);
