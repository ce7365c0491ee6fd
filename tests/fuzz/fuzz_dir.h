// The program directory of a fuzzing run: a private temporary folder that
// the program's file functions use, with the message box silenced.
#pragma once
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
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

inline void WriteFuzzFile(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
}
