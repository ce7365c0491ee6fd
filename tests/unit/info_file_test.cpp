// Information files: reading the day texts, the checks that keep a damaged
// file from being read out of bounds, the scan of the program directory,
// the today selection and the packed pages.
#include "info_file_builder.h"
#include "program_dir.h"

#include <map>
#include <utility>

namespace {

using InfoFiles = ProgramDirTest;

const std::map<int, std::string> kDays = {
    {1, "<P>uno"}, {60, "<P>29 de febrero"}, {61, "abcd"}, {62, "abcde"}, {366, "<P>fin de año"}};

TEST_F(InfoFiles, ReadAndWalkTheDayTexts) {
  const InfoFileHeader h = WriteInfoFile(dir, InfoFileLayout{"Dias_2007.cal", 7, "Días", JoinDays(kDays)});
  const std::pair<int, std::string> cases[] = {
      {1, "<P>uno"}, {2, ""}, {60, "<P>29 de febrero"}, {61, ""}, {62, "abcde"}, {366, "<P>fin de año"}};
  for (const auto& [day, expected] : cases) {
    std::string text = "stale";
    EXPECT_EQ(ReadDayText(h, day, &text), 1) << day;
    EXPECT_EQ(text, expected) << day;
  }
  std::vector<std::pair<int, std::string>> walked;
  EXPECT_EQ(WalkDayTexts(h, [&](int k, std::string_view t) { walked.emplace_back(k, t); }), 1);
  EXPECT_EQ(walked, (std::vector<std::pair<int, std::string>>{
                        {1, "<P>uno"}, {60, "<P>29 de febrero"}, {62, "abcde"}, {366, "<P>fin de año"}}));
  EXPECT_TRUE(g_shown.empty());
}

// The walk counts separators, not the table: text before the first "+" is
// no day's, and a day after the 366th has no place in the year.
TEST_F(InfoFiles, TheWalkKeepsToTheSeparatorsAndTheYear) {
  RawText raw = JoinDays({{1, "<P>uno"}, {366, "<P>fin"}});
  raw.Text = "<P>antes" + raw.Text + "<P>sobra+<P>y otra+";
  for (uint32_t& start : raw.DayStart) start += 8;
  const InfoFileHeader h = WriteInfoFile(dir, InfoFileLayout{"Raro_2007.cal", 8, "Raro", raw});
  std::vector<int> days;
  EXPECT_EQ(WalkDayTexts(h, [&](int k, std::string_view) { days.push_back(k); }), 1);
  EXPECT_EQ(days, (std::vector<int>{1, 366}));
}

// Each damage makes the file unreadable with one message; nothing is read
// or written out of bounds (the native tests run under AddressSanitizer).
TEST_F(InfoFiles, ADamagedFileIsRefusedWithOneMessage) {
  struct Damage {
    const char* what;
    void (*apply)(InfoFileLayout*);
  } const damages[] = {
      {"stream cut short", [](InfoFileLayout* f) { f->Packed.resize(f->Packed.size() / 2); }},
      {"stream garbled", [](InfoFileLayout* f) { std::fill(f->Packed.begin() + 3, f->Packed.end() - 3, 0xFF); }},
      {"text size too large", [](InfoFileLayout* f) { f->Header.TextSize += 1; }},
      {"text size too small", [](InfoFileLayout* f) { f->Header.TextSize -= 1; }},
      {"text size past the buffer", [](InfoFileLayout* f) { f->Header.TextSize = UnpackBufferSize + 1; }},
      {"packed size past the end", [](InfoFileLayout* f) { f->Header.PackedSize += 1; }},
      {"packed size huge", [](InfoFileLayout* f) { f->Header.PackedSize = 0xFFFFFFF0u; }},
      {"table descends", [](InfoFileLayout* f) { std::swap(f->Raw.DayStart[200], f->Raw.DayStart[300]); }},
      {"table past the text", [](InfoFileLayout* f) { f->Raw.DayStart[367] = f->Header.TextSize + 50; }},
  };
  for (const Damage& damage : damages) {
    InfoFileLayout file{"Roto_2007.cal", 9, "Roto", JoinDays(kDays)};
    PackInfoFile(&file);
    damage.apply(&file);
    const InfoFileHeader h = WriteLayout(dir, file);
    g_shown.clear();
    std::string text;
    EXPECT_EQ(ReadDayText(h, 1, &text), 0) << damage.what;
    EXPECT_EQ(text, "") << damage.what;
    EXPECT_EQ(WalkDayTexts(h, [](int, std::string_view) { ADD_FAILURE() << "a day of a damaged file"; }), 0);
    EXPECT_EQ(g_shown, (std::vector<std::string>(2, "Fallo al descomprimir"))) << damage.what;
  }
}

TEST_F(InfoFiles, TheScanKeepsArchivedFilesWithASevenAndTheMarker) {
  EXPECT_EQ(CountInfoFiles(), 0);
  const InfoFileHeader good = WriteInfoFile(dir, InfoFileLayout{"Sol_2007.cal", 3, "Sol", JoinDays(kDays)});
  WriteInfoFile(dir, InfoFileLayout{"ExpImp.cal", 4, "Sin siete", JoinDays(kDays)});
  WriteInfoFile(dir, InfoFileLayout{"Viejo_2007.cal", 5, "Sin archivar", JoinDays(kDays)});
  const bool archiveCleared = ClearArchiveBit(PathOf("Viejo_2007.cal"));
  WriteBytes(PathOf("Anyo_2007.cal"), Bytes(2000, 0x11));  // a packed page: no marker
  WriteBytes(PathOf("Corto_2007.cal"), Bytes(50, 0));
  std::filesystem::create_directory(dir / "Carpeta_2007.cal");
  WriteBytes(PathOf("notas_2007.txt"), Bytes(200, 0));
  ASSERT_EQ(CountInfoFiles(), 6);

  std::vector<InfoFileHeader> slots(6, InfoFileHeader{});
  ScanInfoFiles(slots.data(), 6);
  int headers = 0, empty = 0;
  for (const InfoFileHeader& slot : slots) {
    if (slot.FileId == good.FileId) {
      EXPECT_EQ(std::memcmp(&slot, &good, sizeof slot), 0);
    }
    headers += slot.FileId != 0;
    empty += slot.FileId == 0 && slot.FormatMarker == 0;
  }
  EXPECT_EQ(headers, archiveCleared ? 1 : 2);
  EXPECT_EQ(empty, archiveCleared ? 5 : 4);
  EXPECT_EQ(g_shown, (std::vector{FileMessage("leer", PathOf("Corto_2007.cal"))}));
  // Never more slots than given.
  InfoFileHeader one[2] = {};
  ScanInfoFiles(one, 1);
  EXPECT_EQ(one[1].FileId, 0u);
}

class TodaySelection : public ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    Bytes settings(TodaySelectionOffset + 3 * sizeof(InfoFileHeader), 0xEE);
    std::fill_n(settings.begin() + TodaySelectionCountOffset, 4, 0);
    WriteBytes(PathOf(SettingsFileIndex), settings);
  }
  static InfoFileHeader Header(uint32_t id, uint32_t order, const char* name) {
    InfoFileHeader h{};
    h.FileId = id;
    h.SelectionOrder = order;
    std::snprintf(h.FileName, sizeof h.FileName, "%s", name);
    std::snprintf(h.Title, sizeof h.Title, "T%s", name);
    h.FormatMarker = InfoFormatMarker;
    return h;
  }
};

TEST_F(TodaySelection, SavedInOrderAndReadBack) {
  std::vector<InfoFileHeader> read;
  EXPECT_EQ(ReadTodaySelection(&read), 0);
  const InfoFileHeader headers[] = {Header(1, 1, "a_2007.cal"), Header(2, 0, "b_2007.cal"), Header(0, 3, "c"),
                                    Header(4, 2, "d_2007.cal")};
  ASSERT_EQ(SaveTodaySelection(headers, 4), 1);
  ASSERT_EQ(ReadTodaySelection(&read), 2);
  EXPECT_EQ(read[0].FileId, 1u);
  EXPECT_EQ(read[1].FileId, 4u);
  // An empty choice writes the count only; the records behind stay.
  const Bytes before = ReadBytes(PathOf(SettingsFileIndex));
  ASSERT_EQ(SaveTodaySelection(headers + 1, 1), 1);
  Bytes after = ReadBytes(PathOf(SettingsFileIndex));
  EXPECT_EQ(ReadTodaySelection(&read), 0);
  std::fill_n(after.begin() + TodaySelectionCountOffset, 4, 2);
  after[TodaySelectionCountOffset + 1] = after[TodaySelectionCountOffset + 2] = after[TodaySelectionCountOffset + 3] = 0;
  EXPECT_EQ(after, before);
  EXPECT_TRUE(g_shown.empty());
}

TEST_F(TodaySelection, ACountTheFileCannotHoldIsAShortRead) {
  Bytes settings = ReadBytes(PathOf(SettingsFileIndex));
  for (uint32_t count : {4u, 0xFFFFFFFFu}) {
    std::memcpy(&settings[TodaySelectionCountOffset], &count, 4);
    WriteBytes(PathOf(SettingsFileIndex), settings);
    g_shown.clear();
    std::vector<InfoFileHeader> read;
    EXPECT_EQ(ReadTodaySelection(&read), -1) << count;
    EXPECT_TRUE(read.empty());
    EXPECT_EQ(g_shown, (std::vector{FileMessage("leer", PathOf(SettingsFileIndex))}));
  }
}

TEST_F(TodaySelection, ApplyingRewritesEveryListedFile) {
  InfoFileHeader files[3];
  const char* names[] = {"x_2007.cal", "y_2007.cal", "z_2007.cal"};
  for (int i = 0; i < 3; ++i) {
    files[i] = WriteInfoFile(dir, InfoFileLayout{names[i], uint32_t(10 + i), names[i], JoinDays(kDays)});
  }
  files[0].SelectionOrder = 2;
  files[1].SelectionOrder = 0;
  files[2].SelectionOrder = 1;
  InfoFileHeader array[4] = {files[0], {}, files[1], files[2]};
  EXPECT_EQ(ApplyTodaySelection(array, 4), 1);
  std::vector<InfoFileHeader> read;
  ASSERT_EQ(ReadTodaySelection(&read), 2);
  EXPECT_EQ(read[0].FileId, 12u);
  EXPECT_EQ(read[1].FileId, 10u);
  for (int i = 0; i < 3; ++i) {
    InfoFileHeader stored;
    ASSERT_TRUE(ReadFileAt(PathOf(names[i]).c_str(), &stored, 0, sizeof stored));
    EXPECT_EQ(stored.SelectionOrder, files[i].SelectionOrder) << names[i];
  }
  // A settings file that cannot be written leaves every file as it was.
  std::filesystem::remove(PathOf(SettingsFileIndex));
  array[0].SelectionOrder = 7;
  EXPECT_EQ(ApplyTodaySelection(array, 4), 0);
  InfoFileHeader stored;
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
