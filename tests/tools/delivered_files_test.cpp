// The data tool: sun times against published tables, the texts against the
// program's tables and the sources, and every delivered file read back as
// the program reads it.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <iconv.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "calendar/dates.h"
#include "calendar/regions.h"
#include "day_texts.h"
#include "delivered_files.h"
#include "file_bytes.h"
#include "gif_images.h"
#include "notes/notes_store.h"
#include "os/os.h"
#include "pages.h"
#include "sun_times.h"

namespace fs = std::filesystem;

// Madrid, official time (rise and set as hhmm), from published day-by-day
// tables for 2026 (summer or winter time alike at these dates in 2007; two
// years differ by less than a minute): January (time.tz), 21 February
// (whattimeissunset.net), June (365.wiki), October (sunrise-sunset.net); 21
// June as the almanacs give it. Summer time runs from 25 March to 28
// October, changing at 01:00 UTC.
TEST(DataTool, SunTimesWithinTwoMinutesOfPublishedTablesAndWindows1252) {
  const std::array<int, 4> sun[] = {{1, 1, 838, 1758},   {1, 5, 838, 1802},   {1, 10, 837, 1807},  {2, 21, 801, 1857},
                                    {6, 4, 645, 2140},   {6, 7, 644, 2142},   {6, 21, 644, 2148},  {10, 1, 811, 1957},
                                    {10, 12, 822, 1940}, {10, 21, 832, 1926}, {10, 24, 835, 1922}, {10, 28, 740, 1817},
                                    {10, 31, 743, 1813}};
  for (auto [month, day, rise, set] : sun) {
    EXPECT_NEAR(MadridSunTimes2007(month, day).Rise, rise / 100 * 60 + rise % 100, 2) << day << "/" << month;
    EXPECT_NEAR(MadridSunTimes2007(month, day).Set, set / 100 * 60 + set % 100, 2) << day << "/" << month;
  }
  // The day, the minute of it in UTC and the offset then.
  const std::array<int, 4> offsets[] = {{3, 24, 1439, 60}, {3, 25, 59, 60},   {3, 25, 60, 120}, {10, 28, 59, 120},
                                        {10, 28, 60, 60},  {12, 31, 720, 60}, {1, 1, 0, 60}};
  for (auto [month, day, minuteUtc, offset] : offsets)
    EXPECT_EQ(SpainOffsetMinutes2007(month, day, minuteUtc), offset) << day << "/" << month << " " << minuteUtc;

  // Every byte of Windows-1252 back from its character (glibc's iconv), and
  // what it lacks refused: C1 controls, other characters, broken UTF-8.
  const iconv_t utf8 = iconv_open("UTF-8", "CP1252");
  std::string got;
  for (int b = 1; b < 256; ++b) {
    char byte = char(b), text[4] = {};
    char *in = &byte, *out = text;
    size_t inLeft = 1, outLeft = sizeof text;
    if (iconv(utf8, &in, &inLeft, &out, &outLeft) == size_t(-1)) continue;  // 0x81, 0x8D, 0x8F, 0x90, 0x9D
    EXPECT_EQ(Utf8ToCp1252(text, "test", &got), 1) << std::hex << b;
    EXPECT_EQ(got, std::string(1, byte)) << std::hex << b;
  }
  iconv_close(utf8);
  for (const char* bad : {"\xC2\x81", "\xC2\x9D", "\xC5\x91", "\xE2\x82\xAB", "\xE2\x86\x92", "\xC3", "\xC3\x41",
                          "\x80", "\xF0\x9F\x98\x80"})
    EXPECT_EQ(Utf8ToCp1252(bad, "test", &got), 0) << bad;
}

// The day texts: every day that is a holiday anywhere has one, every other
// none; the holidays of a day named by community and city; the world days of
// the source in its order; a sun text; what cannot be read or packed refused.
TEST(Delivered, DayTextsSettingsNotesInformationFilesPackedPagesAndImages) {
  // A program directory written by the tool, one for each run of the tests
  // (ctest runs them side by side), where the program looks for its files.
  static const fs::path dir = fs::temp_directory_path() / ("oristel_delivered_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::atexit([] { fs::remove_all(dir); });
  ASSERT_TRUE(WriteDeliveredFiles(ORISTEL_DATA_DIR, dir.string()));
  OsSetExecutablePath((dir / "Oristel.exe").string().c_str());
  DayTexts holidays, world;
  ASSERT_TRUE(HolidayDayTexts(&holidays));
  ASSERT_TRUE(WorldDayTexts(ORISTEL_DATA_DIR "/world_days.txt", &world));
  std::vector<int> holiday(DayTextSlots, 0);
  holiday[ToDayIndex(6, 4)] = 1;  // Good Friday, the national holiday of 6 April 2007
  for (int i = 0; i < RegionHolidayTableSize; ++i) holiday[RegionHolidayTable[i].Day] = 1;
  for (int i = 0; i < NationalHolidayTableSize; ++i)
    holiday[ToDayIndex(NationalHolidayTable[i].Day, NationalHolidayTable[i].Month)] = 1;
  for (int d = 1; d < DayTextSlots; ++d) EXPECT_EQ(!holidays[d].empty(), holiday[d] == 1) << "DayIndex " << d;
  for (const auto& [got, expected] :
       {std::pair{holidays[1], std::string("<P><B>Fiesta nacional:</B> Año Nuevo\r\n")},
        {holidays[100],
         "<P><B>Lunes de Pascua:</B> fiesta en Cataluña - Catalunya, Navarra - Nafarroa, País Vasco - Euskadi y "
         "Valencia\r\n"
         "<P><B>Fiesta local</B> en Palma de Mallorca (Illes Balears) y A Coruña (Galicia)\r\n"},
        {holidays[ToDayIndex(6, 4)], "<P><B>Fiesta nacional:</B> Viernes Santo\r\n"},
        {world[ToDayIndex(21, 3)],
         "<P>Día Internacional de la Eliminación de la Discriminación Racial (Naciones Unidas)\r\n"
         "<P>Día Mundial de la Poesía (UNESCO)\r\n<P>Día Forestal Mundial (FAO)\r\n"},
        {world[ToDayIndex(18, 12)], "<P>Día Internacional del Migrante (Naciones Unidas)\r\n"},
        {SunDayTexts()[1], "<P><B>Sol en Madrid:</B> sale a las 8:38 y se pone a las 17:59 (9 h 21 min de luz)\r\n"},
        {SunDayTexts()[60], ""},
        {ClockText(481), "8:01"}})
    EXPECT_EQ(got, expected);
  const fs::path path = dir / "world_days.txt";
  for (const char* line : {"", "13-01 Mes trece\n", "02-30 Treinta de febrero\n", "0101 Sin guion\n", "01-01\n"}) {
    std::ofstream(path) << "# comentario\n02-29 Bien\n" << line;
    EXPECT_EQ(WorldDayTexts(path.string(), &world), !*line) << line;
  }
  const std::string n29(29, 'n'), t65(65, 't');  // the longest name and title their fields hold
  const std::tuple<std::string, std::string, std::string, int> builds[] = {
      {n29, t65, "<P>ok", 1},  {n29 + "n", t65, "<P>ok", 0}, {n29, t65 + "t", "<P>ok", 0},
      {n29, t65, "<P>a+b", 0}, {n29, t65, "four", 0},        {n29, t65, std::string("<P>a\0b", 6), 0}};
  for (const auto& [name, title, text, ok] : builds) {
    InfoFileSource source{1, 1, 1, name, title, DayTexts(DayTextSlots)};
    Bytes file;
    InfoFileHeader header;
    source.Days[5] = text;
    EXPECT_EQ(BuildInfoFile(source, &file, &header), ok) << name.size() << " " << title.size() << " " << text;
  }
  // Each field of a settings source in its own word. The settings of
  // data/settings.txt over the default colours, never saved, with Madrid's own
  // holidays; behind them the today selection; the notes empty. The program
  // lists the three information files, finds them chosen for the today page in
  // their order and reads every day's text as the source has it.
  const fs::path source = dir / "settings.txt";
  std::ofstream(source)
      << "Community = 13\nCity = 0\nShowOtherHolidays = 1\nLanguage = 3\nNotesFontPoints = 12\nDrawFlag = 1\n";
  CalendarSettings read{};
  ASSERT_EQ(ReadSettingsSource(source.string(), &read), 1);
  EXPECT_EQ(
      std::tuple(read.Community, read.City, read.ShowOtherHolidays, read.Language, read.NotesFontPoints, read.DrawFlag),
      std::tuple(13, 0, 1, 3, 12, 1));
  CalendarSettings expected{};
  SetDefaultColors(&expected);
  expected.Community = 15;
  expected.City = 1500;
  expected.NotesFontPoints = 10;
  std::copy_n(std::array{0, 0, 96, 123, 136, 314}.begin(), 6, expected.LocalHolidays);
  const std::string op = ReadText((dir / "cal_2007.op").string());
  ASSERT_EQ(op.size(), TodaySelectionOffset + 3 * sizeof(InfoFileHeader));
  EXPECT_EQ(op.substr(0, SettingsRecordSize), std::string(reinterpret_cast<char*>(&expected), sizeof expected));
  EXPECT_EQ(ReadText((dir / "cal_notas.dat").string()), std::string(NotesFileSize, '\0'));
  std::vector<InfoFileSource> sources;
  ASSERT_TRUE(InfoFileSources(ORISTEL_DATA_DIR, &sources));
  std::vector<InfoFileHeader> listed(CountInfoFiles()), chosen;
  ScanInfoFiles(listed.data(), int(listed.size()));
  ASSERT_EQ(ReadTodaySelection(&chosen), 3);
  for (size_t k = 0; k < chosen.size(); ++k) {
    const InfoFileHeader& h = chosen[k];
    DayTexts days(DayTextSlots);
    EXPECT_EQ(std::count_if(listed.begin(), listed.end(), [&](auto& l) { return !std::memcmp(&l, &h, sizeof h); }), 1);
    EXPECT_EQ(std::tuple(h.FileId, h.SelectionOrder, std::string(h.FileName), std::string(h.Title), h.WholeViewAllowed),
              std::tuple(sources[k].FileId, k + 1, sources[k].FileName, sources[k].Title, sources[k].WholeViewAllowed));
    EXPECT_TRUE(WalkDayTexts(h, [&](int d, std::string_view text) { days[d] = text; })) << h.FileName;
    EXPECT_EQ(days, sources[k].Days) << h.FileName;
  }
  // The packed pages unpack, as the program unpacks them, to their sources:
  // Windows-1252 with CR LF line ends; the year overview's grids, holidays and phases.
  std::string formats, overview = YearOverviewPage();
  ASSERT_TRUE(FormatsPage(ORISTEL_DATA_DIR "/expimp.html", &formats));
  for (const auto& [name, page] : {std::pair{YearOverviewPackedName, overview}, {FormatsPackedName, formats}}) {
    ASSERT_TRUE(UnpackPackedPage((dir / name).string().c_str(), (dir / "page.htm").string().c_str()));
    EXPECT_EQ(ReadText((dir / "page.htm").string()), page) << name;
    EXPECT_NE(page.find("charset=ISO-8859-1"), std::string::npos) << name;
    EXPECT_TRUE(page.ends_with("</HTML>\r\n")) << name;
    EXPECT_EQ(std::count(page.begin(), page.end(), '\n'), std::count(page.begin(), page.end(), '\r')) << name;
  }
  for (const char* part :
       {"<CAPTION>abril</CAPTION>\r\n<TR><TH>l<TH>m<TH>x<TH>j<TH>v<TH>s<TH>d\r\n<TR><TD>&nbsp;<TD>&nbsp;"
        "<TD>&nbsp;<TD>&nbsp;<TD>&nbsp;<TD>&nbsp;<TD class=dom>1\r\n<TR><TD>2<TD>3<TD>4<TD>5<TD class=fes>6<TD>7<TD "
        "class=dom>8\r\n",
        "<TR><TD>viernes, 12 de octubre<TD>Fiesta Nacional de España\r\n",
        "<TR><TD><IMG src=\"l3.gif\" alt=\"\"><TD>Llena<TD>lunes, 30 de julio<TD>0:48<TD>Acuario\r\n"})
    EXPECT_NE(overview.find(part), std::string::npos) << part;
  // The images: 16 by 16, index 0 transparent; the moons seen from the north,
  // lit on the right at the first quarter and on the left at the last.
  for (const DeliveredImage& image : DeliveredImages) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName((dir / image.FileName).string().c_str(), &error);
    GraphicsControlBlock control{};
    ASSERT_NE(gif, nullptr) << image.FileName;
    ASSERT_EQ(DGifSlurp(gif), GIF_OK) << image.FileName;
    ASSERT_EQ(gif->ImageCount, 1) << image.FileName;
    ASSERT_EQ(DGifSavedExtensionToGCB(gif, 0, &control), GIF_OK) << image.FileName;
    const ColorMapObject* map =
        gif->SavedImages[0].ImageDesc.ColorMap ? gif->SavedImages[0].ImageDesc.ColorMap : gif->SColorMap;
    auto bright = [&](int x) {
      return map->Colors[gif->SavedImages[0].RasterBits[ImageSize / 2 * ImageSize + x]].Red > 0xA0;
    };
    EXPECT_EQ(std::tuple(gif->SWidth, gif->SHeight, control.TransparentColor), std::tuple(ImageSize, ImageSize, 0));
    // A moon's left and right lit (the other images not looked at).
    EXPECT_EQ(std::pair(image.Phase && bright(4), image.Phase && bright(11)),
              std::pair(image.Phase >= 3, image.Phase == 2 || image.Phase == 3))
        << image.FileName;
    DGifCloseFile(gif, &error);
  }
}
