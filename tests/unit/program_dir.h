// A temporary program directory and a recorder in place of the message box,
// for tests that touch the program's files.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/program_files.h"
#include "os/os.h"

inline std::vector<std::string>& ShownMessages() {
  static std::vector<std::string> messages;
  return messages;
}

inline void RecordMessage(const char* text, const char* title, MessageIcon icon) {
  EXPECT_STREQ(title, "Oristel");
  EXPECT_EQ(icon, IconStop);
  ShownMessages().push_back(text);
}

class ProgramDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = fs::temp_directory_path() / (std::string("oristel_") + info->test_suite_name() + "_" + info->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    OsSetExecutablePath((dir / "Oristel.exe").string().c_str());
    OsSetMessageBoxHook(RecordMessage);
    ShownMessages().clear();
  }
  void TearDown() override {
    OsSetExecutablePath(nullptr);
    OsSetMessageBoxHook(nullptr);
    std::filesystem::remove_all(dir);
  }
  // Full path of a file in the program directory, as the program builds it.
  std::string PathOf(int file) const {
    char path[PathSize];
    return BuildProgramPath(path, file);
  }
  std::string PathOf(const char* name) const { return (dir / name).string(); }
  void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) const {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  std::vector<unsigned char> ReadBytes(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::filesystem::path dir;
};
