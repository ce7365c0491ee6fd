#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <numeric>

#include "base/clock.h"
#include "base/settings.h"
#include "program_dir.h"

// The last millisecond of every day from 1601 to 2399, against std::chrono.
TEST(Clock, LocalTimeAsFileTime) {
  using namespace std::chrono;
  using Ticks = duration<int64_t, std::ratio<1, 10000000>>;
  const sys_days epoch = sys_days{year{1601} / 1 / 1};
  int failures = 0;
  for (sys_days day = epoch; day < sys_days{year{2400} / 1 / 1}; day += days{1}) {
    const year_month_day date{day};
    const int y = int(date.year()), m = int(unsigned(date.month())), d = int(unsigned(date.day()));
    const FileTime t = ToFileTime({y, m, 0, d, 23, 59, 59, 999});
    const Ticks expected = day + days{1} - 1ms - epoch;
    if (((uint64_t(t.High) << 32) | t.Low) != uint64_t(expected.count()) && ++failures <= 5)
      ADD_FAILURE() << y << "-" << m << "-" << d << " gives " << ((uint64_t(t.High) << 32) | t.Low);
  }
}

// The installed record: every word 1000 + its number but for a usable cell
// size, language and community.
CalendarSettings Installed() {
  uint32_t words[70];
  std::iota(words, words + 70, 1000u);
  CalendarSettings s;
  std::memcpy(&s, words, sizeof s);
  s.CellWidth = 30, s.CellHeight = 20, s.Language = 3, s.Community = 13;
  return s;
}

// The record and a today selection behind it, which is not the record's.
Bytes Image(const CalendarSettings& s) {
  Bytes bytes(SettingsRecordSize + 4 + 120, 7);
  std::memcpy(bytes.data(), &s, sizeof s);
  return bytes;
}

using SettingsFile = ProgramDirTest;

// Loading shows today; saving stores the window and the time, writes 0 for
// the bitmap and keeps every other word, the reserved ones included.
TEST_F(SettingsFile, LoadShowsTodayAndSaveKeepsEverythingElse) {
  CalendarSettings s = Installed();
  WriteBytes(PathOf(SettingsFileIndex), Image(s));
  ASSERT_EQ(LoadSettings(), 1);
  EXPECT_EQ(g_settings->OffscreenBitmap, 0u);
  g_settings->OffscreenBitmap = 0x1234;  // as while running
  SaveSettings(Rect{100, 50, 400, 300});
  EXPECT_EQ(g_settings, nullptr);

  s.ShownYear = 2007, s.ShownMonth = 3, s.SelectedDay = 3, s.OffscreenBitmap = 0;
  s.WindowLeft = 100, s.WindowTop = 50, s.WindowWidth = 300, s.WindowHeight = 250;
  s.SavedTime = kFixedNowTime;
  EXPECT_EQ(ReadBytes(PathOf(SettingsFileIndex)), Image(s));
  EXPECT_TRUE(g_shown.empty());
}

TEST_F(SettingsFile, MissingShortOrVanishedFileIsTold) {
  const std::string path = PathOf(SettingsFileIndex);
  WriteBytes(path, Image(Installed()));
  ASSERT_EQ(LoadSettings(), 1);
  std::filesystem::remove(path);
  SaveSettings(Rect{0, 0, 10, 10});  // creates nothing
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(LoadSettings(), 0);
  WriteBytes(path, Bytes(279, 7));
  EXPECT_EQ(LoadSettings(), 0);
  EXPECT_EQ(g_settings, nullptr);
  EXPECT_EQ(g_shown, (std::vector{FileMessage("abrir", path), FileMessage("abrir", path), FileMessage("leer", path)}));
}

// Without its own directory the program names the file it cannot open and
// does not start, instead of using one of the current directory.
TEST_F(SettingsFile, NoProgramDirectoryStopsTheStart) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  WriteBytes(PathOf(SettingsFileIndex), Image(Installed()));
  OsSetExecutablePath("Oristel.exe");
  EXPECT_EQ(LoadSettings(), 0);
  std::filesystem::current_path(previous);
  EXPECT_EQ(g_settings, nullptr);
  EXPECT_EQ(g_shown, std::vector<std::string>{FileMessage("abrir", "cal_2007.op")});
}

TEST(SanitizeSettings, KeepsValidValuesAndReplacesWhatNoTableCanIndex) {
  const int cases[][9] = {
      // language, community, city, W, H; then the language, community and city kept, and what was replaced
      {5, 20, 2002, 4, 400, 5, 20, 2002, 0}, {6, 15, 1500, 400, 4, 0, 15, 1500, 0},
      {-1, 0, 7, 30, 20, 0, 1, 0, SanitizedRegion}, {2, 21, 2100, 30, 20, 2, 1, 0, SanitizedRegion},
      {2, 13, 0, 3, 20, 2, 13, 0, SanitizedCellSize}, {2, 13, 0, 30, 3, 2, 13, 0, SanitizedCellSize},
      {2, 13, 0, 401, 20, 2, 13, 0, SanitizedCellSize}, {2, 99, 0, 30, 401, 2, 1, 0, SanitizedCellSize | SanitizedRegion},
  };
  for (const auto& c : cases) {
    CalendarSettings s{};
    s.Language = c[0], s.Community = c[1], s.City = c[2], s.CellWidth = c[3], s.CellHeight = c[4], s.SavedTime = {5, 6};
    const int replaced = SanitizeSettings(&s);
    // Fonts, cell size and the save time are the caller's to mend.
    EXPECT_EQ((std::array{s.Language, s.Community, s.City, replaced, s.CellWidth, s.CellHeight, int(s.SavedTime.High)}),
              (std::array{c[5], c[6], c[7], c[8], c[3], c[4], 6}))
        << c[0] << " " << c[1] << " " << c[3] << "x" << c[4];
  }
  // Own holidays out of order would hide some from the month's early-stopping scan.
  CalendarSettings s{};
  s.Language = 0, s.Community = 15, s.CellWidth = s.CellHeight = 20;
  const int32_t stored[6] = {314, 0, 96, 136, 0, 123}, sorted[6] = {0, 0, 96, 123, 136, 314};
  std::copy(stored, stored + 6, s.LocalHolidays);
  SanitizeSettings(&s);
  EXPECT_TRUE(std::equal(sorted, sorted + 6, s.LocalHolidays));
}
