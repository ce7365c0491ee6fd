// Information files: reading the day texts, the checks that keep a damaged
// file from being read out of bounds, the scan of the program directory,
// the today selection and the packed pages.
#include "info_file_builder.h"
#include "program_dir.h"

#include <sys/stat.h>

#include <set>

namespace {

using InfoFiles = ProgramDirTest;
using Walked = std::vector<std::pair<int, std::string>>;

const std::map<int, std::string> kDays = {
    {1, "<P>uno"}, {60, "<P>29 de febrero"}, {61, "abcd"}, {62, "abcde"}, {366, "<P>fin de año"}};

std::pair<int, std::string> Read(const InfoFileHeader& h, int day) {
  std::string text = "stale";
  const int read = ReadDayText(h, day, &text);
  return {read, text};
}

// A text shorter than 5 characters is none; text before the first "+" is no
// day's, one after the 366th has no place in the year. The walk stops at
// TextSize (a day closed at or behind it is not yielded) and refuses one past
// the unpacked text; reading one day never looks at it. Every other damage
// makes the file unreadable with one message for each use, and nothing is read
// out of bounds (the native tests run under AddressSanitizer).
TEST_F(InfoFiles, DayTextsTheScanTheTodaySelectionAndPackedPages) {
  const InfoFileLayout base = Layout("Dias_2007.cal", 8, "Días", kDays, "<P>antes", "<P>sobra+<P>y otra+");
  const InfoFileHeader intact = WriteLayout(dir, base);
  const std::pair<int, std::string> reads[] = {{1, "<P>uno"}, {61, ""}, {62, "abcde"}};
  for (const auto& [day, text] : reads) EXPECT_EQ(Read(intact, day), std::pair(1, text)) << day;
  const Walked all = {{1, "<P>uno"}, {60, "<P>29 de febrero"}, {62, "abcde"}, {366, "<P>fin de año"}};
  // What is damaged, how; the results of reading day 366 and of the walk, how many of all the walk yields.
  using Damage = std::tuple<const char*, void (*)(InfoFileLayout*), int, int, size_t>;
  const Damage cases[] = {
      {"TextSize behind 366's closing +", [](InfoFileLayout* f) { f->Header.TextSize = f->DayStart[367]; }, 1, 1, 4},
      {"TextSize at 366's closing +", [](InfoFileLayout* f) { f->Header.TextSize = f->DayStart[367] - 1; }, 1, 1, 3},
      {"TextSize past the text", [](InfoFileLayout* f) { f->Header.TextSize += 1; }, 1, 0, 0},
      {"garbled", [](InfoFileLayout* f) { std::fill(f->Packed.begin() + 3, f->Packed.end() - 3, 0xFF); }, 0, 0, 0},
      {"packed size past the end", [](InfoFileLayout* f) { f->Header.PackedSize += 1; }, 0, 0, 0},
      {"packed size huge", [](InfoFileLayout* f) { f->Header.PackedSize = 0xFFFFFFF0u; }, 0, 0, 0},
      {"table descends", [](InfoFileLayout* f) { std::swap(f->DayStart[200], f->DayStart[300]); }, 0, 0, 0},
      {"two days at one place", [](InfoFileLayout* f) { f->DayStart[200] = f->DayStart[201]; }, 0, 0, 0},
      {"table past the text", [](InfoFileLayout* f) { f->DayStart[367] = f->Header.TextSize + 50; }, 0, 0, 0},
      {"whole", [](InfoFileLayout*) {}, 1, 1, 4},  // and listed below
  };
  for (const auto& [what, apply, read, walk, days] : cases) {
    InfoFileLayout f = base;
    apply(&f);
    const InfoFileHeader h = WriteLayout(dir, f);
    g_shown.clear();
    EXPECT_EQ(Read(h, 366), std::pair(read, std::string(read ? "<P>fin de año" : ""))) << what;
    Walked walked;
    EXPECT_EQ(WalkDayTexts(h, [&](int k, std::string_view t) { walked.emplace_back(k, t); }), walk) << what;
    EXPECT_EQ(walked, Walked(all.begin(), all.begin() + days)) << what;
    EXPECT_EQ(g_shown, std::vector<std::string>(2 - read - walk, "Fallo al descomprimir")) << what;
  }
  // Listed: archived files with a "7" before the extension, the marker and a
  // FileName ending in its field; a Title filling its field keeps its file.
  WriteInfoFile(dir, "Sol_2007.cal", 3, "Sol", kDays);
  WriteInfoFile(dir, "ExpImp.cal", 4, "Sin siete", kDays);
  WriteInfoFile(dir, "Viejo_2007.cal", 5, "Sin archivar", kDays);
#ifdef _WIN32
  const uint32_t archived = 5;  // Wine shows every Unix file archived
#else
  const uint32_t archived = chmod(PathOf("Viejo_2007.cal").c_str(), 0744);  // the native cleared archive bit: 0
#endif
  InfoFileLayout title = Layout("Titulo_2007.cal", 6, "", kDays);
  InfoFileLayout name = Layout("", 7, "Nombre", kDays);
  std::memset(title.Header.Title, 'T', sizeof title.Header.Title);
  std::memcpy(name.Header.FileName, "NombreMuyLargoDeVerda_2007.cal", sizeof name.Header.FileName);
  WriteLayout(dir, title);
  WriteLayout(dir, name);
  WriteBytes(PathOf("Anyo_2007.cal"), Bytes(2000, 0x11));  // a packed page: no marker
  WriteBytes(PathOf("Corto_2007.cal"), Bytes(50, 0));
  std::filesystem::create_directory(dir / "Carpeta_2007.cal");  // counted, never read
  ASSERT_EQ(CountInfoFiles(), 9);
  std::vector<InfoFileHeader> slots(9, InfoFileHeader{});
  ScanInfoFiles(slots.data(), 9);
  std::set<uint32_t> ids;
  for (const InfoFileHeader& slot : slots) ids.insert(slot.FileId);
  EXPECT_EQ(ids, (std::set<uint32_t>{0, 3, 6, 8, archived}));
  EXPECT_EQ(g_shown, (std::vector{FileMessage("leer", PathOf("Corto_2007.cal"))}));
  // The today selection applied: ordered and stored without the files not
  // chosen (order 0) and the empty slots (id 0); a count the settings file
  // cannot hold is a short read.
  Bytes settings(TodaySelectionOffset + 3 * sizeof(InfoFileHeader), 0);
  WriteBytes(PathOf(SettingsFileIndex), settings);
  InfoFileHeader array[] = {WriteInfoFile(dir, "x_2007.cal", 10, "x", kDays),
                            {0, 3},  // an empty slot
                            WriteInfoFile(dir, "y_2007.cal", 11, "y", kDays),
                            WriteInfoFile(dir, "z_2007.cal", 12, "z", kDays)};
  array[0].SelectionOrder = 2;  // y stays unchosen (order 0)
  array[3].SelectionOrder = 1;
  EXPECT_EQ(ApplyTodaySelection(array, 4), 1);
  std::vector<InfoFileHeader> read;
  ASSERT_EQ(ReadTodaySelection(&read), 2);
  EXPECT_EQ(std::pair(read[0].FileId, read[1].FileId), std::pair(12u, 10u));
  ASSERT_EQ(SaveTodaySelection(array, 1), 1);
  EXPECT_EQ(ReadTodaySelection(&read), 0);
  for (uint32_t count : {4u, 0xFFFFFFFFu}) {
    std::memcpy(&settings[TodaySelectionCountOffset], &count, 4);
    WriteBytes(PathOf(SettingsFileIndex), settings);
    g_shown.clear();
    EXPECT_EQ(ReadTodaySelection(&read), -1);
    EXPECT_TRUE(read.empty());
    EXPECT_EQ(g_shown, (std::vector{FileMessage("leer", PathOf(SettingsFileIndex))}));
  }
  // A page ends at its first NUL; a stream that does not decode, or decodes
  // past the buffer, leaves an empty page.
  g_shown.clear();
  const std::string page = "<HTML><BODY>Año</BODY></HTML>";
  const std::string source = PathOf("Anyo_2007.cal");
  const std::string target = PathOf("Anyo_2007.htm");
  WriteBytes(source, Pack(page + std::string(1, '\0') + "rest"));
  ASSERT_EQ(UnpackPackedPage(source.c_str(), target.c_str()), 1);
  EXPECT_EQ(ReadBytes(target), Bytes(page.begin(), page.end()));
  for (const Bytes& packed : {Bytes(40, 0xFF), Pack(std::string(UnpackBufferSize + 10, 'x'))}) {
    WriteBytes(source, packed);
    EXPECT_EQ(UnpackPackedPage(source.c_str(), target.c_str()), 0);
    EXPECT_EQ(ReadBytes(target), Bytes());
  }
  EXPECT_EQ(g_shown, (std::vector<std::string>(2, "Fallo al descomprimir")));
}

}  // namespace
