// Information files: reading the day texts, the checks that keep a damaged
// file from being read out of bounds, the scan of the program directory,
// the today selection and the packed pages.
#include "info_file_builder.h"
#include "program_dir.h"

#include <sys/stat.h>

#include <set>
#include <utility>

namespace {

using InfoFiles = ProgramDirTest;
using Walked = std::vector<std::pair<int, std::string>>;

const std::map<int, std::string> kDays = {
    {1, "<P>uno"}, {60, "<P>29 de febrero"}, {61, "abcd"}, {62, "abcde"}, {366, "<P>fin de año"}};

Walked Walk(const InfoFileHeader& h, int expected = 1) {
  Walked walked;
  EXPECT_EQ(WalkDayTexts(h, [&](int k, std::string_view t) { walked.emplace_back(k, t); }), expected);
  return walked;
}

TEST_F(InfoFiles, ReadAndWalkTheDayTexts) {
  const InfoFileHeader h = WriteInfoFile(dir, "Dias_2007.cal", 7, "Días", kDays);
  const std::pair<int, std::string> cases[] = {
      {1, "<P>uno"}, {2, ""}, {60, "<P>29 de febrero"}, {61, ""}, {62, "abcde"}, {366, "<P>fin de año"}};
  for (const auto& [day, expected] : cases) {
    std::string text = "stale";
    EXPECT_EQ(ReadDayText(h, day, &text), 1) << day;
    EXPECT_EQ(text, expected) << day;
  }
  EXPECT_EQ(Walk(h), (Walked{{1, "<P>uno"}, {60, "<P>29 de febrero"}, {62, "abcde"}, {366, "<P>fin de año"}}));
  EXPECT_TRUE(g_shown.empty());
}

// The walk counts separators up to TextSize, not the table: text before the
// first "+" is no day's, one after the 366th has no place in the year, and a
// day closed at or behind TextSize is not yielded. Only a TextSize past the
// unpacked text is refused; reading one day never looks at it.
TEST_F(InfoFiles, TheWalkKeepsToTheSeparatorsAndTextSize) {
  InfoFileLayout f = Layout("Raro_2007.cal", 8, "Raro", {{1, "<P>uno"}, {366, "<P>fin"}});
  f.Text = "<P>antes" + f.Text + "<P>sobra+<P>y otra+";
  for (uint32_t& start : f.DayStart) start += 8;
  PackLayout(&f);
  const uint32_t closing366 = f.DayStart[367] - 1, length = f.Header.TextSize;
  const struct {
    uint32_t TextSize;
    std::vector<int> Days;  // {0}: refused
  } cases[] = {{length, {1, 366}}, {closing366 + 1, {1, 366}}, {closing366, {1}}, {0, {}},
               {length + 1, {0}},  {UnpackBufferSize + 1, {0}}};
  for (const auto& c : cases) {
    f.Header.TextSize = c.TextSize;
    const InfoFileHeader h = WriteLayout(dir, f);
    g_shown.clear();
    std::vector<int> days;
    for (const auto& [k, text] : Walk(h, c.Days != std::vector<int>{0})) days.push_back(k);
    EXPECT_EQ(days, c.Days == std::vector<int>{0} ? std::vector<int>{} : c.Days) << c.TextSize;
    EXPECT_EQ(g_shown.size(), c.Days == std::vector<int>{0} ? 1u : 0u) << c.TextSize;
    std::string text;
    EXPECT_EQ(ReadDayText(h, 366, &text), 1);
    EXPECT_EQ(text, "<P>fin") << c.TextSize;
  }
}

// Each damage makes the file unreadable with one message; nothing is read
// or written out of bounds (the native tests run under AddressSanitizer).
TEST_F(InfoFiles, ADamagedFileIsRefusedWithOneMessage) {
  const struct {
    const char* What;
    void (*Apply)(InfoFileLayout*);
  } damages[] = {
      {"stream cut short", [](InfoFileLayout* f) { f->Packed.resize(f->Packed.size() / 2); }},
      {"stream garbled", [](InfoFileLayout* f) { std::fill(f->Packed.begin() + 3, f->Packed.end() - 3, 0xFF); }},
      {"packed size past the end", [](InfoFileLayout* f) { f->Header.PackedSize += 1; }},
      {"packed size huge", [](InfoFileLayout* f) { f->Header.PackedSize = 0xFFFFFFF0u; }},
      {"table descends", [](InfoFileLayout* f) { std::swap(f->DayStart[200], f->DayStart[300]); }},
      {"table past the text", [](InfoFileLayout* f) { f->DayStart[367] = f->Header.TextSize + 50; }},
  };
  for (const auto& damage : damages) {
    InfoFileLayout f = Layout("Roto_2007.cal", 9, "Roto", kDays);
    damage.Apply(&f);
    const InfoFileHeader h = WriteLayout(dir, f);
    g_shown.clear();
    std::string text;
    EXPECT_EQ(ReadDayText(h, 1, &text), 0) << damage.What;
    EXPECT_EQ(text, "") << damage.What;
    EXPECT_EQ(Walk(h, 0), Walked{}) << damage.What;
    EXPECT_EQ(g_shown, (std::vector<std::string>(2, "Fallo al descomprimir"))) << damage.What;
  }
}

// Listed: archived files with a "7" before the extension, the marker and a
// FileName ending in its field; a Title filling its field is cut there.
TEST_F(InfoFiles, TheScanKeepsArchivedFilesWithASevenTheMarkerAndAName) {
  EXPECT_EQ(CountInfoFiles(), 0);
  const InfoFileHeader good = WriteInfoFile(dir, "Sol_2007.cal", 3, "Sol", kDays);
  WriteInfoFile(dir, "ExpImp.cal", 4, "Sin siete", kDays);
  WriteInfoFile(dir, "Viejo_2007.cal", 5, "Sin archivar", kDays);
#ifdef _WIN32
  const uint32_t archived = 5;  // Wine shows every Unix file archived
#else
  const uint32_t archived = chmod(PathOf("Viejo_2007.cal").c_str(), 0744);  // the native cleared archive bit: 0
#endif
  InfoFileLayout title = Layout("Titulo_2007.cal", 6, "", kDays), name = Layout("", 7, "Nombre", kDays);
  std::memset(title.Header.Title, 'T', sizeof title.Header.Title);
  std::memcpy(name.Header.FileName, "NombreMuyLargoDeVerda_2007.cal", sizeof name.Header.FileName);
  WriteLayout(dir, title);
  WriteLayout(dir, name);
  WriteBytes(PathOf("Anyo_2007.cal"), Bytes(2000, 0x11));  // a packed page: no marker
  WriteBytes(PathOf("Corto_2007.cal"), Bytes(50, 0));
  std::filesystem::create_directory(dir / "Carpeta_2007.cal");
  WriteBytes(PathOf("notas_2007.txt"), Bytes(200, 0));
  ASSERT_EQ(CountInfoFiles(), 8);

  std::vector<InfoFileHeader> slots(9, InfoFileHeader{});
  ScanInfoFiles(slots.data(), 8);
  std::set<uint32_t> ids;
  for (const InfoFileHeader& slot : slots) {
    EXPECT_TRUE(slot.FileId != good.FileId || std::memcmp(&slot, &good, sizeof slot) == 0);
    EXPECT_TRUE(slot.FileId != 6 || TitleText(slot) == std::string(66, 'T'));
    EXPECT_TRUE(slot.FileId != 0 || slot.FormatMarker == 0);
    ids.insert(slot.FileId);
  }
  EXPECT_EQ(ids, (std::set<uint32_t>{0, 3, 6, archived}));
  EXPECT_EQ(slots[8].FileId, 0u) << "never more slots than given";
  EXPECT_EQ(g_shown, (std::vector{FileMessage("leer", PathOf("Corto_2007.cal"))}));
}

class TodaySelection : public ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    Bytes settings(TodaySelectionOffset + 3 * sizeof(InfoFileHeader), 0xEE);
    std::fill_n(settings.begin() + TodaySelectionCountOffset, 4, 0);
    WriteBytes(PathOf(SettingsFileIndex), settings);
  }
  std::vector<uint32_t> StoredIds(int expected) {
    std::vector<InfoFileHeader> read;
    EXPECT_EQ(ReadTodaySelection(&read), expected);
    std::vector<uint32_t> ids;
    for (const InfoFileHeader& h : read) ids.push_back(h.FileId);
    return ids;
  }
};

TEST_F(TodaySelection, SavedInOrderAndReadBack) {
  EXPECT_EQ(StoredIds(0), std::vector<uint32_t>{});
  const InfoFileHeader headers[] = {{1, 1}, {2, 0}, {0, 3}, {4, 2}};
  ASSERT_EQ(SaveTodaySelection(headers, 4), 1);
  EXPECT_EQ(StoredIds(2), (std::vector<uint32_t>{1, 4}));
  // An empty choice writes the count only; the records behind stay.
  Bytes expected = ReadBytes(PathOf(SettingsFileIndex));
  expected[TodaySelectionCountOffset] = 0;
  ASSERT_EQ(SaveTodaySelection(headers + 1, 1), 1);
  EXPECT_EQ(ReadBytes(PathOf(SettingsFileIndex)), expected);
  EXPECT_TRUE(g_shown.empty());
  // A count larger than the file can hold is a short read.
  for (uint32_t count : {4u, 0xFFFFFFFFu}) {
    std::memcpy(&expected[TodaySelectionCountOffset], &count, 4);
    WriteBytes(PathOf(SettingsFileIndex), expected);
    g_shown.clear();
    EXPECT_EQ(StoredIds(-1), std::vector<uint32_t>{});
    EXPECT_EQ(g_shown, (std::vector{FileMessage("leer", PathOf(SettingsFileIndex))}));
  }
}

TEST_F(TodaySelection, ApplyingRewritesEveryListedFile) {
  const char* names[] = {"x_2007.cal", "y_2007.cal", "z_2007.cal"};
  const uint32_t orders[] = {2, 0, 1};
  InfoFileHeader array[4] = {};
  for (int i = 0; i < 3; ++i) {
    array[i + (i > 0)] = WriteInfoFile(dir, names[i], 10 + i, names[i], kDays);
    array[i + (i > 0)].SelectionOrder = orders[i];
  }
  EXPECT_EQ(ApplyTodaySelection(array, 4), 1);
  EXPECT_EQ(StoredIds(2), (std::vector<uint32_t>{12, 10}));
  InfoFileHeader stored;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(ReadFileAt(PathOf(names[i]).c_str(), &stored, 0, sizeof stored));
    EXPECT_EQ(stored.SelectionOrder, orders[i]) << names[i];
  }
  // A settings file that cannot be written leaves every file as it was.
  std::filesystem::remove(PathOf(SettingsFileIndex));
  for (InfoFileHeader& h : array) h.SelectionOrder = 7;
  EXPECT_EQ(ApplyTodaySelection(array, 4), 0);
  ASSERT_TRUE(ReadFileAt(PathOf(names[0]).c_str(), &stored, 0, sizeof stored));
  EXPECT_EQ(stored.SelectionOrder, 2u);
}

TEST_F(InfoFiles, PackedPagesUnpackUpToTheirFirstNul) {
  const std::string page = "<HTML><BODY>Año 2007</BODY></HTML>";
  const std::string source = PathOf("Anyo_2007.cal"), target = PathOf("Anyo_2007.htm");
  WriteBytes(source, Pack(page + std::string(1, '\0') + "rest"));
  ASSERT_EQ(UnpackPackedPage(source.c_str(), target.c_str()), 1);
  EXPECT_EQ(ReadBytes(target), Bytes(page.begin(), page.end()));
  // An empty source fails silently and creates nothing; a missing one is told.
  std::filesystem::remove(target);
  WriteBytes(source, {});
  EXPECT_EQ(UnpackPackedPage(source.c_str(), target.c_str()), 0);
  EXPECT_FALSE(std::filesystem::exists(target));
  EXPECT_TRUE(g_shown.empty());
  std::filesystem::remove(source);
  EXPECT_EQ(UnpackPackedPage(source.c_str(), target.c_str()), 0);
  EXPECT_EQ(g_shown, (std::vector{FileMessage("abrir", source)}));
  // A stream that does not decode, or decodes past the buffer, leaves an empty page.
  g_shown.clear();
  for (const Bytes& packed : {Bytes(40, 0xFF), Pack(std::string(UnpackBufferSize + 10, 'x'))}) {
    WriteBytes(source, packed);
    EXPECT_EQ(UnpackPackedPage(source.c_str(), target.c_str()), 0);
    EXPECT_EQ(ReadBytes(target), Bytes());
  }
  EXPECT_EQ(g_shown, (std::vector<std::string>(2, "Fallo al descomprimir")));
}

}  // namespace
