// The program directory of a fuzzing run: a private temporary folder that
// the program's file functions use, with the message box silenced. The
// input reaches the readers through the seam's memory-file hook: the same
// reads, with no file written for each run.
#pragma once
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "os/os.h"

inline const std::string& FuzzDir() {
  static const std::string dir = [] {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("oristel_fuzz_" + std::to_string(getpid()))).string() + "/";
    std::filesystem::create_directories(path);
    OsSetExecutablePath((path + "Oristel.exe").c_str());
    OsSetMessageBoxHook([](const char*, const char*, MessageIcon) {});
    return path;
  }();
  return dir;
}

// Serves the bytes as the file of that name in the directory; its path.
inline std::string FromMemory(const char* name, const uint8_t* data, size_t size) {
  const std::string path = FuzzDir() + name;
  OsSetMemoryFile(path.c_str(), data, size);
  return path;
}

// A real file of the directory: the notes file that an import writes into.
inline void WriteFuzzFile(const std::string& path, const char* data, size_t size) {
  std::ofstream(path, std::ios::binary).write(data, static_cast<std::streamsize>(size));
}
