#include "base/program_files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

// Names of the fixed files, by ProgramFile index.
static constexpr const char* kProgramFileNames[] = {
    "cal_2007.op", "cal_2007.cal", "cal_notas.dat", "cal_temp.htm", "Calendario_Errores_Import.txt",
};

// Verb texts, by FileVerb (slot 0 unused).
static constexpr const char* kVerbs[] = {"", "crear", "abrir", "leer", "escribir", "posicionarme"};

// Fixed messages, by ProgramMessage.
static constexpr const char* kMessages[] = {
    "Petición de memoria denegada",
    "Fallo al descomprimir",
    "Este archivo no admite su edición",
    "No encuentro archivos de datos (.cal)",
    "No hay archivo de información seleccionado",
    "Archivo vacio",
    "El tamaño del archivo excede la capacidad disponible",
};

const char* ProgramFileName(int file) {
  return file >= 0 && file < static_cast<int>(std::size(kProgramFileNames)) ? kProgramFileNames[file] : "";
}

int GetProgramDirectory(char* path) {
  path[0] = 0;
  if (!OsExecutablePath(path, PathSize)) path[0] = 0;
  int last = -1;
  for (int i = 0; path[i]; ++i)
    if (path[i] == '\\' || path[i] == '/') last = i;
  path[last + 1] = 0;
  return last;
}

char* BuildProgramPath(char* path, int file) {
  const int last = GetProgramDirectory(path);
  const char* name = ProgramFileName(file);
  const size_t used = static_cast<size_t>(last + 1);
  // Without the program's directory, or when the name does not fit behind
  // it, the path stays empty: no file is ever opened relative to the
  // current directory.
  if (last < 0 || used + std::strlen(name) >= PathSize)
    path[0] = 0;
  else
    std::strcpy(path + used, name);
  return path;
}

int ReportFileError(const char* path, int verb) {
  char text[PathSize + 64];
  const char* word = verb >= VerbCreate && verb <= VerbSeek ? kVerbs[verb] : "";
  std::snprintf(text, sizeof text, "No he podido %s el archivo: %s", word, path);
  OsMessageBox(text, "Oristel", IconStop);
  return 0;
}

int ShowProgramMessage(int message) {
  if (message < 0 || message >= static_cast<int>(std::size(kMessages))) return 0;
  OsMessageBox(kMessages[message], "Oristel", IconStop);
  return 0;
}

FileHandle OpenExistingFile(uint32_t access, const char* path) {
  FileHandle file = OsOpenExisting(path, access);
  if (file == NoFile) ReportFileError(path, VerbOpen);
  return file;
}

FileHandle CreateNewFile(const char* path) {
  FileHandle file = OsCreateAlways(path);
  if (file == NoFile) ReportFileError(path, VerbCreate);
  return file;
}

int WriteAtOffset(FileHandle file, const char* path, const void* buffer, uint32_t offset, uint32_t count) {
  if (!OsSeek(file, offset, 0)) return ReportFileError(path, VerbSeek);
  if (OsWrite(file, buffer, count) != count) return ReportFileError(path, VerbWrite);
  return 1;
}

int AppendToHandle(FileHandle file, const char* path, const void* buffer, uint32_t count) {
  if (!OsSeek(file, 0, 1)) return ReportFileError(path, VerbSeek);
  if (OsWrite(file, buffer, count) != count) return ReportFileError(path, VerbWrite);
  return 1;
}

uint32_t GetFileSizeByName(const char* path) {
  FileHandle file = OpenExistingFile(FileRead, path);
  if (file == NoFile) return 0;
  uint32_t size = OsFileSize(file);
  OsClose(file);
  return size;
}

int ReadAtOffset(FileHandle file, const char* path, void* buffer, uint32_t offset, uint32_t count) {
  if (!OsSeek(file, offset, 0)) return ReportFileError(path, VerbSeek);
  if (OsRead(file, buffer, count) != count) return ReportFileError(path, VerbRead);
  return 1;
}

int ReadFileAt(const char* path, void* buffer, uint32_t offset, uint32_t count) {
  FileHandle file = OpenExistingFile(FileRead, path);
  if (file == NoFile) return 0;
  int ok = ReadAtOffset(file, path, buffer, offset, count);
  OsClose(file);
  return ok;
}

int WriteFileAt(const char* path, const void* buffer, uint32_t offset, uint32_t count) {
  FileHandle file = OpenExistingFile(FileWrite, path);
  if (file == NoFile) return 0;
  int ok = WriteAtOffset(file, path, buffer, offset, count);
  OsClose(file);
  return ok;
}

int AppendToFile(const char* path, const void* buffer, uint32_t count) {
  FileHandle file = OpenExistingFile(FileWrite, path);
  if (file == NoFile) return 0;
  int ok = AppendToHandle(file, path, buffer, count);
  OsClose(file);
  return ok;
}

int CreateEmptyFile(const char* path) {
  FileHandle file = CreateNewFile(path);
  if (file == NoFile) return 0;
  OsClose(file);
  return 1;
}

int CreateOutputFile(OutputFile* file, const char* path) {
  file->Path = path;
  file->File = CreateNewFile(path);
  file->Used = 0;
  file->Ok = file->File != NoFile;
  return file->File != NoFile;
}

// Writes the gathered piece, unless a write has failed already.
static void WritePiece(OutputFile* file) {
  const uint32_t count = static_cast<uint32_t>(file->Used);
  if (file->Ok && count > 0 && OsWrite(file->File, file->Piece, count) != count)
    file->Ok = ReportFileError(file->Path, VerbWrite);
  file->Used = 0;
}

void PutOutput(OutputFile* file, std::string_view bytes) {
  while (!bytes.empty()) {
    const size_t taken = std::min(bytes.size(), OutputPieceSize - file->Used);
    std::memcpy(file->Piece + file->Used, bytes.data(), taken);
    file->Used += taken;
    bytes.remove_prefix(taken);
    if (file->Used == OutputPieceSize) WritePiece(file);
  }
}

char* OutputRoom(OutputFile* file, size_t count) {
  if (OutputPieceSize - file->Used < count) WritePiece(file);
  return file->Piece + file->Used;
}

void OutputMade(OutputFile* file, const char* end) { file->Used = end - file->Piece; }

int CloseOutputFile(OutputFile* file) {
  if (file->File == NoFile) return 0;
  WritePiece(file);
  OsClose(file->File);
  file->File = NoFile;
  return file->Ok;
}
