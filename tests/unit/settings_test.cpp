#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <numeric>

#include "base/clock.h"
#include "program_dir.h"

// The last millisecond of every day from 1601 to 2399, both ways, against std::chrono.
TEST(Clock, LocalTimeAsFileTimeAndBack) {
  using namespace std::chrono;
  const sys_days epoch = sys_days{year{1601} / 1 / 1};
  for (sys_days day = epoch; day < sys_days{year{2400} / 1 / 1}; day += days{1}) {
    const year_month_day date{day};
    const LocalTime t = {int(date.year()), int(unsigned(date.month())), int(weekday{day}.c_encoding()),
                         int(unsigned(date.day())), 23, 59, 59, 999};
    const FileTime f = ToFileTime(t);
    const LocalTime back = FromFileTime(f);
    ASSERT_EQ((uint64_t(f.High) << 32) | f.Low, uint64_t(duration<int64_t, std::ratio<1, 10000000>>(day + days{1} - 1ms - epoch).count())) << t.Year << "-" << t.Month << "-" << t.Day;
    ASSERT_EQ(std::memcmp(&back, &t, sizeof t), 0) << back.Year << "-" << back.Month << "-" << back.Day << " " << back.DayOfWeek;
  }
}

// The installed record: every word 1000 + its number but for a usable cell
// size, language and community; then a today selection that is not the record's.
Bytes Image(CalendarSettings s) {
  Bytes bytes(SettingsRecordSize + 4 + 120, 7);
  std::memcpy(bytes.data(), &s, sizeof s);
  return bytes;
}
CalendarSettings Installed() {
  CalendarSettings s;
  std::iota(reinterpret_cast<uint32_t*>(&s), reinterpret_cast<uint32_t*>(&s + 1), 1000u);
  s.CellWidth = 30, s.CellHeight = 20, s.Language = 3, s.Community = 13;
  return s;
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
  s.ShownYear = 2007, s.ShownMonth = 3, s.SelectedDay = 3, s.OffscreenBitmap = 0, s.SavedTime = kFixedNowTime;
  s.WindowLeft = 100, s.WindowTop = 50, s.WindowWidth = 300, s.WindowHeight = 250;
  EXPECT_EQ(ReadBytes(PathOf(SettingsFileIndex)), Image(s));
  EXPECT_TRUE(g_shown.empty());
}

// A missing or short file stops the start with its message; without its own
// directory the program names the file it cannot open instead of using one
// of the current directory; saving over a vanished file creates nothing.
TEST_F(SettingsFile, MissingShortOrVanishedFileIsTold) {
  const std::string path = PathOf(SettingsFileIndex);
  EXPECT_EQ(LoadSettings(), 0);
  WriteBytes(path, Bytes(279, 7));
  EXPECT_EQ(LoadSettings(), 0);
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  WriteBytes(path, Image(Installed()));
  OsSetExecutablePath("Oristel.exe");
  EXPECT_EQ(LoadSettings(), 0);
  std::filesystem::current_path(previous);
  EXPECT_EQ(g_settings, nullptr);
  OsSetExecutablePath(PathOf("Oristel.exe").c_str());
  ASSERT_EQ(LoadSettings(), 1);
  std::filesystem::remove(path);
  SaveSettings(Rect{0, 0, 10, 10});
  EXPECT_TRUE(g_settings == nullptr && !std::filesystem::exists(path));
  EXPECT_EQ(g_shown, (std::vector{FileMessage("abrir", path), FileMessage("leer", path),
                                  FileMessage("abrir", "cal_2007.op"), FileMessage("abrir", path)}));
}

// The default colours, and what no table can index replaced: an unknown
// language by 0, an unknown community by 1 without a city; the own holidays
// sorted; a cell size out of range left for the caller to measure.
TEST(Settings, DefaultColorsAndSanitizedValues) {
  CalendarSettings s;
  std::memset(&s, 0xEE, sizeof s);
  SetDefaultColors(&s);
  std::array<uint32_t, 70> words, expected;
  std::memcpy(words.data(), &s, sizeof s);
  expected.fill(0xEEEEEEEE);
  const uint32_t defaults[] = {0x000000, 0x0000FF, 0x0000FF, 0xFF0000, 0x000000, 0xFFFFFF, 0x00FF00, 0x00FFFF, 0xC0C0C0};
  std::copy(std::begin(defaults), std::end(defaults), expected.begin() + 4);  // words 4..12
  EXPECT_EQ(words, expected);
  const int cases[][9] = {
      // language, community, city, W, H; then the language, community and city kept, and what was replaced
      {5, 20, 2002, 4, 400, 5, 20, 2002, 0},  {6, 1, 0, 400, 4, 0, 1, 0, 0},
      {-1, 0, 7, 30, 20, 0, 1, 0, SanitizedRegion},  {2, 21, 2100, 30, 20, 2, 1, 0, SanitizedRegion},
      {0, 13, 0, 3, 20, 0, 13, 0, SanitizedCellSize},  {2, 13, 0, 30, 3, 2, 13, 0, SanitizedCellSize},
      {2, 13, 0, 401, 20, 2, 13, 0, SanitizedCellSize},  {2, 99, 0, 30, 401, 2, 1, 0, SanitizedCellSize | SanitizedRegion},
  };
  for (const auto& c : cases) {
    s = {};
    s.Language = c[0], s.Community = c[1], s.City = c[2], s.CellWidth = c[3], s.CellHeight = c[4];
    const int32_t stored[6] = {314, 0, 96, 136, 0, 123}, sorted[6] = {0, 0, 96, 123, 136, 314};
    std::copy(stored, stored + 6, s.LocalHolidays);
    const int replaced = SanitizeSettings(&s);
    EXPECT_EQ((std::array{s.Language, s.Community, s.City, replaced, s.CellWidth, s.CellHeight}),
              (std::array{c[5], c[6], c[7], c[8], c[3], c[4]})) << c[0] << " " << c[1] << " " << c[3] << "x" << c[4];
    EXPECT_TRUE(std::equal(sorted, sorted + 6, s.LocalHolidays));
  }
}
