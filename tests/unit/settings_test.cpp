#include <cstring>

#include "app/clock.h"
#include "app/settings.h"
#include "program_dir.h"

static LocalTime ThirdOfMarch2007() { return {2007, 3, 6, 3, 10, 30, 15, 250}; }

TEST(Clock, LocalTimeAsFileTime) {
  struct Case {
    LocalTime time;
    uint64_t ticks;
  } cases[] = {
      {{1601, 1, 1, 1, 0, 0, 0, 0}, 0},
      {{1601, 1, 2, 2, 0, 0, 0, 1}, 864000000000ull + 10000},
      {{2007, 3, 6, 3, 10, 30, 15, 250}, 128173914152500000ull},
      {{2000, 2, 2, 29, 23, 59, 59, 999}, 125963423999990000ull},
  };
  for (const Case& c : cases) {
    FileTime t = ToFileTime(c.time);
    EXPECT_EQ((uint64_t(t.High) << 32) | t.Low, c.ticks) << c.time.Year << "-" << c.time.Month << "-" << c.time.Day;
  }
}

class SettingsFile : public ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    OsSetClockHook(ThirdOfMarch2007);
  }
  void TearDown() override {
    OsSetClockHook(nullptr);
    ProgramDirTest::TearDown();
  }
  // A settings file of 284 bytes whose every word holds 1000 + its number,
  // with a usable cell size and language.
  std::vector<unsigned char> Installed() {
    std::vector<unsigned char> bytes(InstalledSettingsFileSize, 0);
    CalendarSettings s;
    auto* words = reinterpret_cast<uint32_t*>(&s);
    for (uint32_t i = 0; i < 70; ++i) words[i] = 1000 + i;
    s.CellWidth = 30;
    s.CellHeight = 20;
    s.Language = 3;
    s.Community = 13;
    std::memcpy(bytes.data(), &s, sizeof s);
    bytes[280] = 7;  // the list behind the record is not the record's
    return bytes;
  }
};

TEST_F(SettingsFile, LoadShowsTodayAndSaveKeepsEverythingElse) {
  WriteBytes(PathOf(SettingsFileIndex), Installed());
  ASSERT_EQ(LoadSettings(), 1);
  ASSERT_NE(g_settings, nullptr);
  EXPECT_EQ(g_settings->ShownYear, 2007);
  EXPECT_EQ(g_settings->ShownMonth, 3);
  EXPECT_EQ(g_settings->SelectedDay, 3);
  EXPECT_EQ(g_settings->OffscreenBitmap, 0u);
  g_settings->OffscreenBitmap = 0x1234;  // as while running
  SaveSettings(Rect{100, 50, 400, 300});
  EXPECT_EQ(g_settings, nullptr);

  std::vector<unsigned char> saved = ReadBytes(PathOf(SettingsFileIndex));
  ASSERT_EQ(saved.size(), InstalledSettingsFileSize);
  const auto* words = reinterpret_cast<const uint32_t*>(saved.data());
  for (int reserved : {0, 19, 20, 21, 22, 69}) EXPECT_EQ(words[reserved], 1000u + reserved) << "word " << reserved;
  CalendarSettings s;
  std::memcpy(&s, saved.data(), sizeof s);
  EXPECT_EQ(s.OffscreenBitmap, 0u);
  EXPECT_EQ(s.WindowLeft, 100);
  EXPECT_EQ(s.WindowTop, 50);
  EXPECT_EQ(s.WindowWidth, 300);
  EXPECT_EQ(s.WindowHeight, 250);
  FileTime now = ToFileTime(ThirdOfMarch2007());
  EXPECT_EQ(s.SavedTime.Low, now.Low);
  EXPECT_EQ(s.SavedTime.High, now.High);
  EXPECT_EQ(s.Language, 3);
  EXPECT_EQ(s.Community, 13);
  EXPECT_EQ(s.WorkdayTextColor, 1004u);
  EXPECT_EQ(s.CalendarFont.Height, 1023);
  EXPECT_EQ(saved[280], 7);
  EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(SettingsFile, AShortOrMissingFileStopsTheStartWithItsMessage) {
  std::string path = PathOf(SettingsFileIndex);
  EXPECT_EQ(LoadSettings(), 0);
  EXPECT_EQ(g_settings, nullptr);
  std::vector<unsigned char> bytes = Installed();
  bytes.resize(279);
  WriteBytes(path, bytes);
  EXPECT_EQ(LoadSettings(), 0);
  EXPECT_EQ(g_settings, nullptr);
  EXPECT_EQ(ShownMessages(), (std::vector<std::string>{"No he podido abrir el archivo: " + path,
                                                       "No he podido leer el archivo: " + path}));
}

TEST_F(SettingsFile, SavingIntoAVanishedFileReportsAndCreatesNothing) {
  std::string path = PathOf(SettingsFileIndex);
  WriteBytes(path, Installed());
  ASSERT_EQ(LoadSettings(), 1);
  std::filesystem::remove(path);
  SaveSettings(Rect{0, 0, 10, 10});
  EXPECT_EQ(g_settings, nullptr);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(ShownMessages(), std::vector<std::string>{"No he podido abrir el archivo: " + path});
}

TEST(SanitizeSettings, KeepsValidValuesAndReplacesWhatNoTableCanIndex) {
  struct Case {
    int32_t language, community, city, width, height;
    int32_t wantLanguage, wantCommunity, wantCity;
    bool wantFirstRun;
  } cases[] = {
      {0, 1, 0, 30, 20, 0, 1, 0, false},
      {5, 20, 2002, 4, 400, 5, 20, 2002, false},
      {6, 15, 1500, 30, 20, 0, 15, 1500, false},
      {-1, 0, 7, 30, 20, 0, 1, 0, false},
      {2, 21, 2100, 30, 20, 2, 1, 0, false},
      {2, 13, 0, 0, 20, 2, 13, 0, true},
      {2, 13, 0, 30, 3, 2, 13, 0, true},
      {2, 13, 0, 401, 20, 2, 13, 0, true},
      {2, 13, 0, -30, -20, 2, 13, 0, true},
  };
  for (const Case& c : cases) {
    CalendarSettings s{};
    s.Language = c.language;
    s.Community = c.community;
    s.City = c.city;
    s.CellWidth = c.width;
    s.CellHeight = c.height;
    s.SavedTime = {5, 6};
    SanitizeSettings(&s);
    EXPECT_EQ(s.Language, c.wantLanguage);
    EXPECT_EQ(s.Community, c.wantCommunity);
    EXPECT_EQ(s.City, c.wantCity);
    EXPECT_EQ(s.SavedTime.High == 0, c.wantFirstRun) << c.width << "x" << c.height;
    EXPECT_EQ(s.SavedTime.Low, 5u);
  }
}
