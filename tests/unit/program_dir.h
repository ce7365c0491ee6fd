// The fixture of the tests that touch the program's files: a temporary
// program directory, a fixed clock, and a recorder in place of the message box.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <numeric>
#include <random>

#include "base/program_files.h"
#include "base/settings.h"
#include "calendar/dates.h"
#include "file_bytes.h"
#include "notes/notes_store.h"
#include "os/os.h"

inline std::vector<std::string> g_shown;  // texts of the message boxes, in order

inline std::string FileMessage(const char* verb, const std::string& path) {
  return std::string("No he podido ") + verb + " el archivo: " + path;
}

// The tests' clock, Saturday 3 March 2007, 10:30:15.250, as a FILETIME.
constexpr FileTime kFixedNowTime = {0xEE87FB20, 0x01C75D7E};

// Every note of the notes file as "d/m=text", joined by "|".
inline std::string Notes() {
  NotesImage image;
  NoteRecord r;
  std::string all;
  EXPECT_EQ(ReadNotesImage(&image), 1);
  for (int n = 1, d, m; n <= 366; ++n) {
    FromDayIndex(n, &d, &m);
    if (ReadNoteFromImage(image, d, m, &r)) all += "|" + std::to_string(d) + "/" + std::to_string(m) + "=" + r.Text;
  }
  return all.substr(all.empty() ? 0 : 1);
}

struct ProgramDirTest : ::testing::Test {
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    // One directory for each test of each run: the suites of several worktrees may run side by side.
    dir = std::filesystem::temp_directory_path() /
          (std::string("oristel_") + test->test_suite_name() + test->name() + std::to_string(std::random_device{}()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    g_shown.clear();
    OsSetExecutablePath(PathOf("Oristel.exe").c_str());
    OsSetClockHook([] { return LocalTime{2007, 3, 6, 3, 10, 30, 15, 250}; });
    OsSetMessageBoxHook([](const char* text, const char* title, MessageIcon icon) {
      EXPECT_EQ(std::pair(std::string(title), icon), std::pair(std::string("Oristel"), IconStop));
      g_shown.push_back(text);
    });
    WriteBytes(PathOf("probe"), {});
    firstFree_ = OsOpenExisting(PathOf("probe").c_str(), FileRead);
    OsClose(firstFree_);
  }
  void TearDown() override {
    OsSetExecutablePath(nullptr);
    OsSetMessageBoxHook(nullptr);
    OsSetClockHook(nullptr);
    OsSetFaultHook(nullptr);
    OsSetZoneHook(nullptr);
    std::filesystem::remove_all(dir);
  }
  // Full path of a file in the program directory, as the program builds it.
  std::string PathOf(int file) const { return BuildProgramPath(std::string(PathSize, 0).data(), file); }
  std::string PathOf(const char* name) const { return (dir / name).string(); }
  // No handle is left on path: Windows opens it only then (no sharing), and
  // elsewhere descriptors are reused lowest first, so it gets SetUp's.
  bool Released(const std::string& path) const {
    const FileHandle file = OsOpenExisting(path.c_str(), FileRead | FileWrite);
    if (file != NoFile) OsClose(file);
#ifdef _WIN32
    return file != NoFile;
#else
    return file == firstFree_;
#endif
  }
  std::filesystem::path dir;
  FileHandle firstFree_ = NoFile;
};
