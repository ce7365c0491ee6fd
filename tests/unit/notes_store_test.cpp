// The notes file, on real files in a private temporary program directory.

#include "notes/notes_store.h"
#include "program_dir.h"

// Sets the day's flag word and its 264-byte slot: time, text, zeros behind it.
static void PutNote(Bytes& image, int day, int month, unsigned char flag, FileTime time, const std::string& text) {
  image[4 * (31 * (month - 1) + day - 1)] = flag;
  NoteRecord record = {time, {}};
  std::memcpy(record.Text, text.data(), std::min(text.size(), sizeof record.Text));
  std::memcpy(image.data() + 1488 + 264 * (ToDayIndex(day, month) - 1), &record, sizeof record);
}

using NotesStoreTest = ProgramDirTest;

// A note changes exactly its flag word and its slot (31 December's are the
// last ones), and reads back from them; a note deleted (flag 0) is not read
// again; a slot without a terminating zero reads as 255 characters. Text
// added on the file and on the image alike; the image, written, is the file.
TEST_F(NotesStoreTest, NotesLandInTheirFlagWordAndSlotTextIsAddedAndFailuresAreTold) {
  Bytes expected(NotesFileSize, 0);
  PutNote(expected, 4, 7, 1, {1, 2}, std::string(256, 'x'));
  WriteBytes(PathOf(NotesFileIndex), expected);
  const NoteRecord record = {{0x11223344, 0x01D5AABB}, "nota del d\355a\r\nfin"};
  const NoteRecord deletion = {{9, 10}, ""};
  ASSERT_EQ((std::array{WriteNote(10, 6, &record, 1), WriteNote(10, 6, &deletion, 0), WriteNote(31, 12, &record, 1)}),
            (std::array{1, 1, 1}));
  expected[1484] = 1;
  std::memcpy(expected.data() + NotesFileSize - sizeof record, &record, sizeof record);
  PutNote(expected, 10, 6, 0, {9, 10}, "");
  EXPECT_EQ(ReadBytes(PathOf(NotesFileIndex)), expected);
  NoteRecord back = {}, deleted = {}, unterminated = {};
  int32_t flags[31] = {};
  EXPECT_EQ((std::array{ReadNote(31, 12, &back), ReadMonthFlags(12, flags), ReadNote(10, 6, &deleted),
                        ReadNote(4, 7, &unterminated)}),
            (std::array{1, 1, 1, 1}));
  EXPECT_EQ(std::memcmp(&back, &record, sizeof record), 0);
  EXPECT_EQ(std::count(flags, flags + 30, 0), 30);
  EXPECT_EQ(flags[30], 1);
  EXPECT_EQ(std::pair(deleted.UpdateTime.Low, deleted.Text[0]), std::pair(0u, '\0'));
  EXPECT_EQ(std::string(unterminated.Text, sizeof unterminated.Text), std::string(255, 'x') + '\0');
  const std::string notes = PathOf(NotesFileIndex);
  const std::string a250(250, 'a'), a255(255, 'a'), b300(300, 'b');
  // The old note (nullptr: the day has none), the text, whether appended; the note then.
  for (const auto& [old, text, append, expected] :
       {std::tuple<const char*, std::string, int, std::string>{a250.c_str(), "0123456789", 1, a250 + "01234"},
        {a255.c_str(), "x", 1, a255},
        {nullptr, "hola", 1, "hola"},
        {"un texto antiguo bastante largo", "nuevo", 0, "nuevo"},
        {"x", b300, 0, b300.substr(0, 255)},
        {"algo", "", 0, ""}})
    for (int onImage : {0, 1}) {
      Bytes image(NotesFileSize, 0);
      PutNote(image, 28, 2, 1, {3, 4}, "vecino");
      // A day without note keeps a stale slot; behind a short note lies another writer's byte.
      PutNote(image, 29, 2, old ? 1 : 0, {1, 2}, old ? old : "ignorado, sin marca");
      if (old && std::strlen(old) < 254) image[1488 + 264 * 59 + 8 + 254] = 'Z';
      WriteBytes(notes, image);
      NotesImage inMemory;
      ASSERT_EQ(ReadNotesImage(&inMemory), 1);
      if (onImage) AddNoteTextInImage(&inMemory, 29, 2, text.c_str(), append);
      EXPECT_EQ(onImage ? WriteNotesImage(inMemory) : AddNoteText(29, 2, text.c_str(), append), 1);
      PutNote(image, 29, 2, 1, kFixedNowTime, expected);
      EXPECT_EQ(ReadBytes(notes), image) << expected << onImage;
    }
  EXPECT_TRUE(g_shown.empty());
  // Every failure shows one message, naming its verb and the full path, keeps
  // nothing of a partial read (the files hold 0xFF), changes and creates no
  // file and leaves no handle open (an image that cannot be written: the
  // imports' test).
  int32_t flag = 0;
  back = {};
  std::fill_n(flags, 31, 0);
  NotesImage image;
  // The size of the file, all 0xFF (-1: no file); the call, its result and the verb told.
  const std::tuple<int, std::function<int()>, int, const char*> cases[] = {
      {-1, [&] { return ReadNote(5, 3, &back); }, 1, "abrir"},
      {-1, [&] { return AddNoteText(5, 3, "x", 1); }, 0, "abrir"},
      {1487, [&] { return ReadNoteFlag(31, 12, &flag); }, 0, "leer"},
      {123, [&] { return ReadMonthFlags(1, flags); }, 0, "leer"},
      {NoteFlagTableSize, [&] { return AddNoteText(1, 1, "x", 0); }, 0, "leer"},
      {NoteFlagTableSize, [&] { return ReadNotesImage(&image); }, 0, "leer"},
      {NoteFlagTableSize + 100, [&] { return ReadNote(1, 1, &back); }, 0, "leer"},
  };
  for (const auto& [size, call, result, verb] : cases) {
    std::filesystem::remove(notes);
    if (size >= 0) WriteBytes(notes, Bytes(size, 0xFF));
    g_shown.clear();
    EXPECT_EQ(call(), result) << verb;
    EXPECT_EQ(g_shown, std::vector{FileMessage(verb, notes)});
    EXPECT_EQ(std::memchr(&flag, 0xFF, sizeof flag), nullptr) << verb;
    EXPECT_EQ(std::memchr(flags, 0xFF, sizeof flags), nullptr) << verb;
    EXPECT_EQ(std::memchr(&back, 0xFF, sizeof back), nullptr) << verb;
    EXPECT_EQ(std::filesystem::exists(notes), size >= 0) << verb;
    if (size < 0) continue;
    EXPECT_EQ(ReadBytes(notes), Bytes(size, 0xFF)) << verb;
    EXPECT_TRUE(Released(notes)) << verb;
  }
}
