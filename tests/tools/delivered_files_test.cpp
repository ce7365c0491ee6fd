// The data tool: sun times against published tables, the texts against the
// program's tables and the sources, and every delivered file read back.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <lzo/lzo1x.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "calendar/dates.h"
#include "calendar/regions.h"
#include "day_texts.h"
#include "delivered_files.h"
#include "gif_images.h"
#include "infofiles/info_file.h"
#include "os/os.h"
#include "pages.h"
#include "sun_times.h"

namespace fs = std::filesystem;

// Madrid, official time, to the minute, from published day-by-day sunrise
// and sunset tables for Madrid of 2026 (at one date two years differ by
// less than a minute): January (time.tz), 21 February (whattimeissunset.net),
// June (365.wiki), October (sunrise-sunset.net); and 21 June as the almanacs
// of the solstice give it. The dates are in the same time, summer or winter,
// in 2007 as in 2026.
TEST(SunTimes, AgreeWithPublishedTablesWithinTwoMinutes) {
  struct Case {
    int Month, Day;
    const char* Rise;
    const char* Set;
  } cases[] = {
      {1, 1, "8:38", "17:58"},   {1, 5, "8:38", "18:02"},   {1, 10, "8:37", "18:07"},  {2, 21, "8:01", "18:57"},
      {6, 4, "6:45", "21:40"},   {6, 7, "6:44", "21:42"},   {6, 21, "6:44", "21:48"},  {10, 1, "8:11", "19:57"},
      {10, 12, "8:22", "19:40"}, {10, 21, "8:32", "19:26"}, {10, 24, "8:35", "19:22"}, {10, 28, "7:40", "18:17"},
      {10, 31, "7:43", "18:13"},
  };
  auto minutes = [](const char* clock) { return std::atoi(clock) * 60 + std::atoi(std::strchr(clock, ':') + 1); };
  for (const Case& c : cases) {
    const LocalSunTimes sun = MadridSunTimes2007(c.Month, c.Day);
    EXPECT_NEAR(sun.Rise, minutes(c.Rise), 2) << c.Day << "/" << c.Month << " rise " << ClockText(sun.Rise);
    EXPECT_NEAR(sun.Set, minutes(c.Set), 2) << c.Day << "/" << c.Month << " set " << ClockText(sun.Set);
  }
}

TEST(SunTimes, SummerTimeChangesAtOneUtcOnItsTwoSundays) {
  struct Case {
    int Month, Day, MinutesUtc, Offset;
  } cases[] = {
      {3, 24, 1439, 60}, {3, 25, 59, 60}, {3, 25, 60, 120}, {6, 21, 0, 120},
      {10, 28, 59, 120}, {10, 28, 60, 60}, {12, 31, 720, 60}, {1, 1, 0, 60},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SpainOffsetMinutes2007(c.Month, c.Day, c.MinutesUtc), c.Offset) << c.Day << "/" << c.Month;
}

TEST(TextEncoding, Utf8BecomesWindows1252OrIsRefused) {
  struct Case {
    const char* Utf8;
    int Ok;
    const char* Cp1252;
  } cases[] = {
      {"a\xc3\xb1o", 1, "a\xf1o"},           // año
      {"\xe2\x82\xac \xe2\x80\x94", 1, "\x80 \x97"},  // euro sign, em dash
      {"\xc2\xa0", 1, "\xa0"},               // no-break space
      {"\xc2\x81", 0, ""},                   // a C1 control: none in Windows-1252
      {"\xe2\x86\x92", 0, ""},               // an arrow
      {"\xc3", 0, ""},                       // cut short
  };
  for (const Case& c : cases) {
    std::string out;
    EXPECT_EQ(Utf8ToCp1252(c.Utf8, "case", &out), c.Ok) << c.Utf8;
    if (c.Ok) {
      EXPECT_EQ(out, c.Cp1252);
    }
  }
}

// Every day of 2007 that is a holiday anywhere has a text, every other day
// none; each region's holiday names the region on its day.
TEST(HolidayTexts, FollowTheRegionTables) {
  DayTexts texts;
  ASSERT_TRUE(HolidayDayTexts(&texts));
  std::vector<int> holiday(DayTextSlots, 0);
  for (int i = 0; i < RegionHolidayTableSize; ++i) holiday[RegionHolidayTable[i].Day] = 1;
  for (int i = 0; i < NationalHolidayTableSize; ++i)
    holiday[ToDayIndex(NationalHolidayTable[i].Day, NationalHolidayTable[i].Month)] = 1;
  holiday[ToDayIndex(MovableHolidayTable[0].Day, MovableHolidayTable[0].Month)] = 1;
  for (int d = 1; d < DayTextSlots; ++d) EXPECT_EQ(!texts[d].empty(), holiday[d] == 1) << "DayIndex " << d;
  for (int i = 0; i < RegionHolidayTableSize; ++i) {
    const RegionHolidayRecord& r = RegionHolidayTable[i];
    const char* name = nullptr;
    for (int k = 0; k < RegionTableSize; ++k)
      if (RegionTable[k].Code == r.Code) name = RegionTable[k].Name;
    ASSERT_NE(name, nullptr) << r.Code;
    EXPECT_NE(texts[r.Day].find(name), std::string::npos) << r.Code << " on " << r.Day;
  }
  EXPECT_NE(texts[ToDayIndex(6, 4)].find("Viernes Santo"), std::string::npos);
  EXPECT_NE(texts[ToDayIndex(12, 10)].find("Fiesta nacional"), std::string::npos);
}

TEST(WorldDayTexts, EveryLineLandsOnItsDay) {
  DayTexts texts;
  const std::string path = ORISTEL_DATA_DIR "/world_days.txt";
  ASSERT_TRUE(WorldDayTexts(path, &texts));
  std::ifstream in(path);
  std::string line;
  int lines = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::string text;
    ASSERT_TRUE(Utf8ToCp1252(line.substr(6), "line", &text));
    const int d = ToDayIndex(std::stoi(line.substr(3, 2)), std::stoi(line.substr(0, 2)));
    EXPECT_NE(texts[d].find("<P>" + text + "\r\n"), std::string::npos) << line;
    ++lines;
  }
  EXPECT_GT(lines, 40);
}

TEST(WorldDayTexts, BadLinesAreRefused) {
  const fs::path path = fs::temp_directory_path() / "oristel_world_days_bad.txt";
  for (const char* bad : {"13-01 Mes trece\n", "02-30 Treinta de febrero\n", "0101 Sin guion\n", "01-01\n"}) {
    std::ofstream(path) << "# comentario\n01-01 Bien\n" << bad;
    DayTexts texts;
    EXPECT_FALSE(WorldDayTexts(path.string(), &texts)) << bad;
  }
  fs::remove(path);
}

TEST(InfoPacker, RefusesTextsThatCannotStandBetweenSeparators) {
  const std::string bad[] = {"<P>a+b", "four", std::string("<P>a\0b", 6)};
  for (const std::string& text : bad) {
    InfoFileSource source{1, 1, 1, "X_2007.cal", "X", DayTexts(DayTextSlots)};
    source.Days[5] = text;
    Bytes file;
    InfoFileHeader header;
    EXPECT_FALSE(BuildInfoFile(source, &file, &header)) << text;
  }
}

namespace {
// A program directory written by the tool, once for the tests below.
class Delivered : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = fs::temp_directory_path() / ("oristel_delivered_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    ok_ = WriteDeliveredFiles(ORISTEL_DATA_DIR, dir_.string());
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }
  static Bytes ReadAll(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  static std::string Unpack(const unsigned char* packed, size_t size) {
    std::string text(UnpackBufferSize, '\0');
    lzo_uint length = text.size();
    EXPECT_EQ(lzo1x_decompress_safe(packed, size, reinterpret_cast<unsigned char*>(text.data()), &length, nullptr),
              LZO_E_OK);
    text.resize(length);
    return text;
  }
  static fs::path dir_;
  static int ok_;
};
fs::path Delivered::dir_;
int Delivered::ok_;
}  // namespace

TEST_F(Delivered, InformationFilesUnpackToTheirSourceTexts) {
  ASSERT_TRUE(ok_);
  std::vector<InfoFileSource> sources;
  ASSERT_TRUE(InfoFileSources(ORISTEL_DATA_DIR, &sources));
  ASSERT_EQ(sources.size(), 3u);
  int notWhole = 0;
  for (size_t k = 0; k < sources.size(); ++k) {
    const InfoFileSource& source = sources[k];
    SCOPED_TRACE(source.FileName);
    const Bytes file = ReadAll(source.FileName);
    ASSERT_GT(file.size(), PackedTextOffset);
    InfoFileHeader h;
    std::memcpy(&h, file.data(), sizeof h);
    EXPECT_EQ(h.FormatMarker, InfoFormatMarker);
    EXPECT_EQ(h.SelectionOrder, k + 1);
    EXPECT_NE(h.FileId, 0u);
    EXPECT_NE(h.FileId, YearOverviewId);
    for (size_t j = 0; j < k; ++j) EXPECT_NE(h.FileId, sources[j].FileId);
    EXPECT_STREQ(h.FileName, source.FileName.c_str());
    EXPECT_EQ(source.FileName[source.FileName.size() - 5], '7');
    EXPECT_STREQ(h.Title, source.Title.c_str());
    EXPECT_EQ(h.WholeViewAllowed, source.WholeViewAllowed);
    notWhole += h.WholeViewAllowed == 0;
    EXPECT_EQ(file.size(), PackedTextOffset + h.PackedSize);
    const std::string text = Unpack(file.data() + PackedTextOffset, h.PackedSize);
    ASSERT_EQ(text.size(), h.TextSize);
    EXPECT_EQ(text.find('\0'), std::string::npos);
    uint32_t start[DayStartCount + 1] = {};
    std::memcpy(&start[1], file.data() + DayStartOffset + 4, DayStartCount * 4);
    EXPECT_EQ(start[DayStartCount], h.TextSize);
    for (uint32_t d = 1; d < DayStartCount; ++d) {
      ASSERT_LT(start[d], start[d + 1]) << d;
      ASSERT_EQ(text[start[d] - 1], '+') << d;
      EXPECT_EQ(text.substr(start[d], start[d + 1] - start[d] - 1), source.Days[d]) << "DayIndex " << d;
    }
  }
  EXPECT_GE(notWhole, 1);
}

// The program's own reader takes the delivered files as they are.
TEST_F(Delivered, TheProgramListsAndReadsThem) {
  ASSERT_TRUE(ok_);
  OsSetExecutablePath((dir_ / "Oristel.exe").string().c_str());
  std::vector<InfoFileHeader> slots(static_cast<size_t>(CountInfoFiles()));
  ScanInfoFiles(slots.data(), static_cast<int>(slots.size()));
  std::vector<InfoFileSource> sources;
  ASSERT_TRUE(InfoFileSources(ORISTEL_DATA_DIR, &sources));
  int listed = 0;
  for (const InfoFileHeader& h : slots) {
    if (h.FileId == 0) continue;
    ++listed;
    const InfoFileSource* source = nullptr;
    for (const InfoFileSource& s : sources)
      if (s.FileName == h.FileName) source = &s;
    ASSERT_NE(source, nullptr) << h.FileName;
    int days = 0, expected = 0;
    for (int d = 1; d < DayTextSlots; ++d) expected += !source->Days[d].empty();
    ASSERT_TRUE(WalkDayTexts(h, [&](int d, std::string_view text) {
      ++days;
      EXPECT_EQ(text, source->Days[d]) << h.FileName << " " << d;
    }));
    EXPECT_EQ(days, expected) << h.FileName;
  }
  EXPECT_EQ(listed, 3);

  std::vector<InfoFileHeader> chosen;
  ASSERT_EQ(ReadTodaySelection(&chosen), 3);
  for (size_t k = 0; k < chosen.size(); ++k) {
    const Bytes file = ReadAll(sources[k].FileName);
    EXPECT_EQ(std::memcmp(&chosen[k], file.data(), sizeof(InfoFileHeader)), 0) << k;
  }
}

TEST_F(Delivered, PackedPagesUnpackToTheirSources) {
  ASSERT_TRUE(ok_);
  std::string formats;
  ASSERT_TRUE(FormatsPage(ORISTEL_DATA_DIR "/expimp.html", &formats));
  const struct {
    const char* Name;
    std::string Page;
  } pages[] = {{YearOverviewPackedName, YearOverviewPage()}, {FormatsPackedName, formats}};
  for (const auto& p : pages) {
    const Bytes file = ReadAll(p.Name);
    const std::string page = Unpack(file.data(), file.size());
    EXPECT_EQ(page, p.Page) << p.Name;
    EXPECT_LT(page.size(), UnpackBufferSize);
    EXPECT_EQ(page.find('\0'), std::string::npos);
    EXPECT_NE(page.find("charset=ISO-8859-1"), std::string::npos) << p.Name;
    EXPECT_EQ(page.rfind("</HTML>\r\n"), page.size() - 9) << p.Name;
  }
}

TEST_F(Delivered, ImagesAreSmallTransparentGifs) {
  ASSERT_TRUE(ok_);
  for (const DeliveredImage& image : DeliveredImages) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName((dir_ / image.FileName).string().c_str(), &error);
    ASSERT_NE(gif, nullptr) << image.FileName;
    ASSERT_EQ(DGifSlurp(gif), GIF_OK) << image.FileName;
    EXPECT_EQ(gif->SWidth, ImageSize);
    EXPECT_EQ(gif->SHeight, ImageSize);
    ASSERT_EQ(gif->ImageCount, 1);
    GraphicsControlBlock control{};
    ASSERT_EQ(DGifSavedExtensionToGCB(gif, 0, &control), GIF_OK) << image.FileName;
    EXPECT_EQ(control.TransparentColor, 0);
    DGifCloseFile(gif, &error);
  }
}
