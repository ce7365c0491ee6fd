// The program's files and messages, the clock, the settings record and its
// file, and what the options pages decide on a copy of the record.

#include "base/clock.h"
#include "calendar/regions.h"
#include "program_dir.h"
#include "settings_ui/options.h"

// Every file's path: the executable's directory cut behind its last
// separator, then the name; empty when the whole does not fit or there is
// no directory, rather than a file of the current directory.
TEST_F(ProgramDirTest, EveryFileTheLongestDirectoryEveryDayFileOperationsAndMessages) {
  const std::string d244 = "C:\\" + std::string(244, 'd') + "\\";
  const std::string d245 = "C:\\" + std::string(245, 'd') + "\\";
  char built[PathSize];
  // The executable's path, the file; the directory's last index and the file's path.
  for (const auto& [executable, file, last, expected] :
       {std::tuple<std::string, int, int, std::string>{"C:\\Prog\\Oristel.exe", NotesFileIndex, 7,
                                                       "C:\\Prog\\cal_notas.dat"},
        {"Oristel.exe", SettingsFileIndex, -1, ""},
        {"/opt/a\\b/O.exe", NotesFileIndex, 8, "/opt/a\\b/cal_notas.dat"},
        {d244 + "O.exe", SettingsFileIndex, 247, d244 + "cal_2007.op"},
        {d245 + "O.exe", SettingsFileIndex, 248, ""}}) {
    OsSetExecutablePath(executable.c_str());
    std::memset(built, 'x', sizeof built);
    EXPECT_EQ((std::pair<int, std::string>{GetProgramDirectory(built), BuildProgramPath(built, file)}),
              std::pair(last, expected));
  }
  OsSetExecutablePath("/p/O.exe");
  std::string all;
  for (int file = -1; file <= 5; ++file) all += BuildProgramPath(built, file) + std::string(",");
  EXPECT_EQ(
      all, "/p/,/p/cal_2007.op,/p/cal_2007.cal,/p/cal_notas.dat,/p/cal_temp.htm,/p/Calendario_Errores_Import.txt,/p/,");
  // The clock: the last millisecond of every day from 1601 to 2399, both ways, against std::chrono.
  using namespace std::chrono;
  for (sys_days day = sys_days{year{1601} / 1 / 1}; day < sys_days{year{2400} / 1 / 1}; day += days{1}) {
    const year_month_day date{day};
    const uint64_t ticks = uint64_t((day + days{1} - sys_days{year{1601} / 1 / 1}).count() * 864000000000 - 10000);
    const LocalTime t = FromFileTime({uint32_t(ticks), uint32_t(ticks >> 32)});
    ASSERT_EQ(std::tuple(t.Year, t.Month, t.DayOfWeek, t.Day, t.Hour, t.Minute, t.Second, t.Milliseconds),
              std::tuple(int(date.year()), int(unsigned(date.month())), int(weekday{day}.c_encoding()),
                         int(unsigned(date.day())), 23, 59, 59, 999));
    const FileTime back = ToFileTime(t);
    ASSERT_EQ((uint64_t(back.High) << 32) | back.Low, ticks);
  }
  // Checks run open, position, transfer; moving past the end succeeds, so a
  // read past it fails as a read, and a write past it extends the file.
  // Writing never creates a file nor shortens one; every failure leaves the
  // file free. Every fixed message and verb, with the longest path whole;
  // another message shows nothing, another verb an empty word.
  const std::string path = PathOf("data.bin");
  const std::string made = PathOf("made.txt");
  const std::string nowhere = PathOf("no_such_folder/x.txt");
  const std::string longest(PathSize - 1, 'p');
  const char* p = path.c_str();
  unsigned char buffer[4] = {}, data[2] = {0xAA, 0xBB};
  EXPECT_EQ((std::array{ReadFileAt(p, buffer, 0, 4), WriteFileAt(p, data, 0, 2), AppendToFile(p, data, 2)}),
            (std::array{0, 0, 0}));
  EXPECT_FALSE(std::filesystem::exists(path));
  WriteBytes(path, Bytes{1, 2, 3, 4, 5, 6, 7});
  EXPECT_EQ((std::array{ReadFileAt(p, buffer, 4, 4), ReadFileAt(p, buffer, 100, 1)}), (std::array{0, 0}));
  EXPECT_TRUE(Released(path));
  EXPECT_EQ(ReadFileAt(p, buffer, 3, 4), 1);
  EXPECT_EQ(Bytes(buffer, buffer + 4), (Bytes{4, 5, 6, 7}));
  EXPECT_EQ((std::array{WriteFileAt(p, data, 1, 2), WriteFileAt(p, data, 8, 2), AppendToFile(p, data, 1)}),
            (std::array{1, 1, 1}));
  EXPECT_TRUE(Released(path));
  EXPECT_EQ(ReadBytes(path), (Bytes{1, 0xAA, 0xBB, 4, 5, 6, 7, 0, 0xAA, 0xBB, 0xAA}));
  EXPECT_EQ(GetFileSizeByName(made.c_str()), 0u);  // missing: 0 with a message
  const FileHandle file = CreateNewFile(made.c_str());
  EXPECT_EQ((std::array{AppendToHandle(file, made.c_str(), "abc", 3), WriteAtOffset(file, made.c_str(), "Z", 1, 1),
                        AppendToHandle(file, made.c_str(), "de", 2)}),
            (std::array{1, 1, 1}));
  OsClose(file);
  EXPECT_EQ(ReadBytes(made), (Bytes{'a', 'Z', 'c', 'd', 'e'}));
  EXPECT_EQ(CreateEmptyFile(made.c_str()), 1);  // no message
  EXPECT_EQ(GetFileSizeByName(made.c_str()), 0u);
  EXPECT_TRUE(Released(made));
  EXPECT_EQ(CreateEmptyFile(nowhere.c_str()), 0);
  EXPECT_EQ(OpenExistingFile(FileRead, nowhere.c_str()), NoFile);
  std::vector<std::string> expected = {FileMessage("abrir", path),
                                       FileMessage("abrir", path),
                                       FileMessage("abrir", path),
                                       FileMessage("leer", path),
                                       FileMessage("leer", path),
                                       FileMessage("abrir", made),
                                       FileMessage("crear", nowhere),
                                       FileMessage("abrir", nowhere),
                                       "Petición de memoria denegada",
                                       "Fallo al descomprimir",
                                       "Este archivo no admite su edición",
                                       "No encuentro archivos de datos (.cal)",
                                       "No hay archivo de información seleccionado",
                                       "Archivo vacio",
                                       "El tamaño del archivo excede la capacidad disponible"};
  for (int message = -1; message <= 7; ++message) EXPECT_EQ(ShowProgramMessage(message), 0);
  for (int verb = 0; verb <= 6; ++verb) EXPECT_EQ(ReportFileError(longest.c_str(), verb), 0);
  for (const char* verb : {"", "crear", "abrir", "leer", "escribir", "posicionarme", ""})
    expected.push_back(FileMessage(verb, longest));
  EXPECT_EQ(g_shown, expected);
}

// The installed record: every word 1000 + its number but for a usable cell
// size and language, Madrid without the other communities' holidays, the flag
// drawn, nothing changed; behind it a today selection not its own.
static CalendarSettings Installed() {
  CalendarSettings s;
  std::iota(reinterpret_cast<uint32_t*>(&s), reinterpret_cast<uint32_t*>(&s + 1), 1000u);
  s.CellWidth = 30;
  s.CellHeight = 20;
  s.Language = 3;
  s.Community = 15;
  s.City = 1500;
  s.ShowOtherHolidays = 0;
  s.DrawFlag = 1;
  s.Changed = 0;
  return s;
}
static Bytes Image(const CalendarSettings& s) {
  Bytes b(SettingsRecordSize + 4 + 120, 7);
  std::memcpy(b.data(), &s, sizeof s);
  return b;
}

// Loading shows today, whatever was shown; saving stores the window and the
// time, writes 0 for the bitmap and keeps every other word, the reserved ones
// included. A missing or short file stops the start with its message; so
// does the lack of a directory of its own, naming the file rather than
// opening one of the current directory.
TEST_F(ProgramDirTest, SettingsFileDefaultsSanitizingTheSheetsCopySwatchesFontAndRegion) {
  OsSetClockHook([] { return LocalTime{2008, 4, 2, 15, 23, 59, 59, 999}; });
  const std::string path = PathOf(SettingsFileIndex);
  CalendarSettings s = Installed();
  EXPECT_EQ(LoadSettings(), 0);
  WriteBytes(path, Bytes(279, 7));
  EXPECT_EQ(LoadSettings(), 0);
  WriteBytes(path, Image(s));
  ASSERT_EQ(LoadSettings(), 1);
  EXPECT_EQ(g_settings->OffscreenBitmap, 0u);
  g_settings->OffscreenBitmap = 0x1234;  // as while running
  SaveSettings(Rect{100, 50, 400, 300});
  EXPECT_EQ(g_settings, nullptr);
  s.ShownYear = 2008;
  s.ShownMonth = 4;
  s.SelectedDay = 15;
  s.OffscreenBitmap = 0;
  s.SavedTime = ToFileTime(OsLocalTime());
  s.WindowLeft = 100;
  s.WindowTop = 50;
  s.WindowWidth = 300;
  s.WindowHeight = 250;
  EXPECT_EQ(ReadBytes(path), Image(s));
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  OsSetExecutablePath("Oristel.exe");
  EXPECT_EQ(LoadSettings(), 0);
  EXPECT_EQ(g_settings, nullptr);
  std::filesystem::current_path(previous);
  EXPECT_EQ(g_shown,
            (std::vector{FileMessage("abrir", path), FileMessage("leer", path), FileMessage("abrir", "cal_2007.op")}));
  // The default colours (words 4..12; 3 and 13 their neighbours); and what no
  // table can index replaced: an unknown language by 0, an unknown community by
  // 1 without a city; the own holidays sorted; a cell size out of range left
  // for the caller to measure.
  // The copy starts as the live record, Changed 0 in both; it goes back whole
  // only when changed and the sheet ran (1 OK, 0 Cancel; -1 failed). The
  // swatches are words 4..12 in order. The face name is at most its 32 bytes,
  // even without a terminating zero, and the whole is cut to the buffer; a
  // cell size is one the layout takes.
  const uint32_t e = 0xEEEEEEEE, colors[14] = {e,        e,        e,        e,        0x000000, 0x0000FF, 0x0000FF,
                                               0xFF0000, 0x000000, 0xFFFFFF, 0x00FF00, 0x00FFFF, 0xC0C0C0, e};
  std::memset(&s, 0xEE, sizeof s);
  SetDefaultColors(&s);
  EXPECT_EQ(std::memcmp(&s, colors, sizeof colors), 0);
  // language, community, city, W, H; then the language, community and city kept, and what was replaced
  const int R = SanitizedRegion, C = SanitizedCellSize;
  const std::array<int, 9> sanitized[] = {{5, 20, 2002, 4, 400, 0, 5, 20, 2002}, {6, 1, 0, 400, 4, 0, 0, 1, 0},
                                          {-1, 0, 7, 30, 20, R, 0, 1, 0},        {2, 21, 2100, 30, 20, R, 2, 1, 0},
                                          {0, 13, 0, 3, 20, C, 0, 13, 0},        {2, 13, 0, 30, 3, C, 2, 13, 0},
                                          {2, 13, 0, 401, 20, C, 2, 13, 0},      {2, 99, 0, 30, 401, C | R, 2, 1, 0}};
  for (const auto& c : sanitized) {
    s = {.Community = c[1], .City = c[2], .CellWidth = c[3], .CellHeight = c[4], .Language = c[0]};
    std::copy_n(std::array{314, 0, 96, 136, 0, 123}.begin(), 6, s.LocalHolidays);
    EXPECT_EQ((std::array{SanitizeSettings(&s), s.Language, s.Community, s.City, s.CellWidth, s.CellHeight}),
              (std::array{c[5], c[6], c[7], c[8], c[3], c[4]}))
        << c[0] << " " << c[1];
    EXPECT_TRUE(std::equal(s.LocalHolidays, s.LocalHolidays + 6, std::array{0, 0, 96, 123, 136, 314}.begin()));
  }
  for (auto [sheetResult, changed, result] : {std::array{1, 1, 1}, {0, 1, 1}, {1, 0, 1}, {0, 0, 1}, {-1, 1, 0}}) {
    CalendarSettings live = Installed(), copy;
    live.Changed = 77;
    BeginSettingsCopy(&live, &copy);
    EXPECT_EQ(live.Changed, 0);
    EXPECT_EQ(std::memcmp(&live, &copy, sizeof live), 0);
    copy.Reserved0 = 2;
    copy.Reserved69 = 1;
    copy.Language = 4;
    copy.Changed = changed;
    const CalendarSettings before = live;
    EXPECT_EQ(EndSettingsCopy(sheetResult, copy, &live), result) << sheetResult << changed;
    EXPECT_EQ(std::memcmp(&live, changed && result ? &copy : &before, sizeof live), 0) << sheetResult << changed;
  }
  s = Installed();
  for (int i = -1; i <= SwatchCount; ++i)
    EXPECT_EQ(SwatchColor(&s, i), i >= 0 && i < SwatchCount ? &s.WorkdayTextColor + i : nullptr) << i;
  for (auto [points, face, size, expected] :
       {std::tuple{8, "MS Sans Serif", 64, "8 pto MS Sans Serif"},
        {12, "", 64, "12 pto "},
        {-3, "DejaVu Sans", 64, "-3 pto DejaVu Sans"},
        {10, "DejaVu Sans", 9, "10 pto D"},
        {10, "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", 64, "10 pto ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"}}) {
    LogFont font{};
    char text[64];
    std::memcpy(font.FaceName, face, std::strlen(face));
    std::memset(text, 'x', sizeof text);
    FormatFontDescription(points, font, text, size);
    EXPECT_STREQ(text, expected) << face;
  }
  for (auto [width, height, fits] :
       {std::array{4, 4, 1}, {400, 400, 1}, {3, 20, 0}, {20, 3, 0}, {401, 20, 0}, {20, 401, 0}})
    EXPECT_EQ(CellSizeFits(width, height), fits) << width << "x" << height;
  // The calendar sizes the font dialog offers, in points, on common screens (0: no DPI known).
  for (auto [dpi, least, most] : {std::array{96, 3, 100}, {120, 3, 80}, {144, 2, 66}, {192, 2, 50}, {0, 3, 100}})
    EXPECT_EQ((std::pair{CalendarPointRange(dpi).Min, CalendarPointRange(dpi).Max}), std::pair(least, most)) << dpi;
  // Every city belongs to its own community and to no other; 0 is no city.
  // Leaving the holidays page stores what differs and collects the own
  // holidays again only for a new region.
  for (int i = 0; i < RegionTableSize; ++i)
    for (int community = 0; community <= 21; ++community)
      EXPECT_EQ(CityOfCommunity(RegionTable[i].Code, community),
                RegionTable[i].Parent && community == RegionTable[i].Parent);
  EXPECT_EQ(CityOfCommunity(0, 1), 1);
  EXPECT_EQ(CityOfCommunity(9999, 15), 0);
  const int32_t K = NoSelection;  // a typed text that selects no entry
  const struct {
    RegionChoice choice;
    int32_t community, city, changed, collected;
  } cases[] = {// nothing; the other holidays; the flag; the city dropped; Madrid's city is not of 13 (twice); no
               // community typed; a city of another community
               {{0, 1, 15, 1500}, 15, 1500, 0, 0}, {{1, 1, 15, 1500}, 15, 1500, 1, 0},
               {{0, 0, 15, 1500}, 15, 1500, 1, 0}, {{0, 1, 15, 0}, 15, 0, 1, 1},
               {{0, 1, 13, 0}, 13, 0, 1, 1},       {{0, 1, 13, K}, 13, 0, 1, 1},
               {{0, 1, K, K}, 15, 1500, 0, 0},     {{0, 1, K, 0}, 15, 0, 1, 1},
               {{0, 1, K, 500}, 15, 1500, 0, 0},   {{0, 1, 1, 0}, 1, 0, 1, 1}};
  for (const auto& c : cases) {
    s = Installed();
    std::array<int32_t, 6> expected = {999, 999, 999, 999, 999, 999};  // seen only if not collected again
    std::copy_n(expected.begin(), 6, s.LocalHolidays);
    if (c.collected) CollectRegionHolidays(c.community, c.city, expected.data());
    EXPECT_EQ(
        (std::array{StoreRegionChoice(c.choice, &s), s.Changed, s.Community, s.City, s.ShowOtherHolidays, s.DrawFlag}),
        (std::array{c.changed, c.changed, c.community, c.city, c.choice.ShowOther, c.choice.DrawFlag}))
        << c.choice.Community << "/" << c.choice.City;
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), s.LocalHolidays))
        << c.choice.Community << "/" << c.choice.City;
  }
}
