// The notes file, on real files in a private temporary program directory.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "app/clock.h"
#include "calendar/dates.h"
#include "notes/notes_store.h"
#include "os/os.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

std::vector<std::string> g_shown;  // texts of the message boxes, in order
void RecordMessage(const char* text, const char*, MessageIcon) { g_shown.push_back(text); }

constexpr LocalTime kNow = {2024, 3, 5, 15, 10, 20, 30, 400};
LocalTime FixedClock() { return kNow; }

uint32_t FlagOffset(int day, int month) { return 4 * (31 * (month - 1) + (day - 1)); }
uint32_t SlotOffset(int dayIndex) { return 1488 + 264 * (dayIndex - 1); }

void Put32(Bytes& bytes, uint32_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

// The 264 bytes of a record: time, text, zeros behind it.
Bytes RecordBytes(FileTime time, const std::string& text) {
  Bytes bytes(264, 0);
  Put32(bytes, 0, time.Low);
  Put32(bytes, 4, time.High);
  std::memcpy(bytes.data() + 8, text.data(), text.size());
  return bytes;
}

void PutNote(Bytes& image, int day, int month, uint32_t flag, const Bytes& record) {
  Put32(image, FlagOffset(day, month), flag);
  std::copy(record.begin(), record.end(), image.begin() + SlotOffset(ToDayIndex(day, month)));
}

class NotesStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           (std::string("oristel_") + test->name() + "_" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
    OsSetExecutablePath((dir_.string() + "/Oristel.exe").c_str());
    notes_ = dir_.string() + "/cal_notas.dat";
    g_shown.clear();
    OsSetMessageBoxHook(RecordMessage);
    OsSetClockHook(FixedClock);
  }
  void TearDown() override {
    OsSetExecutablePath(nullptr);
    OsSetMessageBoxHook(nullptr);
    OsSetClockHook(nullptr);
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  void WriteStore(const Bytes& bytes) {
    std::ofstream out(notes_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  Bytes ReadStore() {
    std::ifstream in(notes_, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string Message(const char* verb) { return std::string("No he podido ") + verb + " el archivo: " + notes_; }

  fs::path dir_;
  std::string notes_;
};

TEST_F(NotesStoreTest, FreshStoreHasNoNotes) {
  const Bytes fresh(NotesFileSize, 0);
  WriteStore(fresh);
  for (int month = 1; month <= 12; ++month) {
    int32_t flags[31];
    std::fill(std::begin(flags), std::end(flags), 0x55);
    ASSERT_EQ(ReadMonthFlags(month, flags), 1);
    for (int day = 1; day <= 31; ++day) EXPECT_EQ(flags[day - 1], 0) << day << "/" << month;
  }
  for (int index = 1; index <= 366; ++index) {
    int day, month;
    FromDayIndex(index, &day, &month);
    int32_t flag = 0x55;
    EXPECT_EQ(ReadNoteFlag(day, month, &flag), 1);
    EXPECT_EQ(flag, 0) << day << "/" << month;
    NoteRecord record = {};
    EXPECT_EQ(ReadNote(day, month, &record), 1);
    EXPECT_EQ(RecordBytes({0, 0}, ""), Bytes(reinterpret_cast<unsigned char*>(&record),
                                              reinterpret_cast<unsigned char*>(&record) + sizeof record));
  }
  EXPECT_TRUE(g_shown.empty());
  EXPECT_EQ(ReadStore(), fresh);
}

// A written note changes exactly its flag word and its slot.
TEST_F(NotesStoreTest, WriteNoteLandsInTheDaysFlagWordAndSlot) {
  struct Case {
    int day, month;
    uint32_t flagOffset;
    int slot;
  } const cases[] = {
      {1, 1, 0, 1},     {31, 1, 120, 31},   {1, 2, 124, 32},   {29, 2, 236, 60},  {1, 3, 248, 61},
      {31, 3, 368, 91}, {30, 4, 488, 121},  {1, 5, 496, 122},  {31, 12, 1484, 366},
  };
  const FileTime time = {0x11223344, 0x01D5AABB};
  for (const Case& c : cases) {
    WriteStore(Bytes(NotesFileSize, 0));
    const std::string text = "nota del " + std::to_string(c.day) + "/" + std::to_string(c.month) + "\r\nfin";
    NoteRecord record = {time, {}};
    std::memcpy(record.Text, text.c_str(), text.size() + 1);
    ASSERT_EQ(WriteNote(c.day, c.month, &record, 1), 1);

    Bytes expected(NotesFileSize, 0);
    Put32(expected, c.flagOffset, 1);
    const Bytes slot = RecordBytes(time, text);
    std::copy(slot.begin(), slot.end(), expected.begin() + 1488 + 264 * (c.slot - 1));
    EXPECT_EQ(ReadStore(), expected) << c.day << "/" << c.month;

    NoteRecord back = {};
    EXPECT_EQ(ReadNote(c.day, c.month, &back), 1);
    EXPECT_EQ(std::memcmp(&back, &record, sizeof record), 0) << c.day << "/" << c.month;
  }
  EXPECT_TRUE(g_shown.empty());
}

// Flags and records placed by hand are read from where they lie; a slot whose
// flag is 0 is never read.
TEST_F(NotesStoreTest, ReadsComeFromTheDaysFlagWordAndSlot) {
  struct Note {
    int day, month;
    uint32_t flag;
    const char* text;
  } const notes[] = {
      {31, 1, 1, "fin de enero"}, {1, 2, 1, "febrero"},     {29, 2, 1, "bisiesto"},
      {1, 3, 0, "texto viejo"},   {2, 3, 1, "marzo"},        {31, 12, 1, "nochevieja"},
  };
  Bytes image(NotesFileSize, 0);
  for (const Note& n : notes) PutNote(image, n.day, n.month, n.flag, RecordBytes({7, 8}, n.text));
  WriteStore(image);

  for (int month = 1; month <= 12; ++month) {
    int32_t flags[31];
    ASSERT_EQ(ReadMonthFlags(month, flags), 1);
    for (int day = 1; day <= 31; ++day) {
      int32_t expected = 0;
      for (const Note& n : notes)
        if (n.day == day && n.month == month) expected = static_cast<int32_t>(n.flag);
      EXPECT_EQ(flags[day - 1], expected) << day << "/" << month;
    }
  }
  for (const Note& n : notes) {
    int32_t flag = -1;
    EXPECT_EQ(ReadNoteFlag(n.day, n.month, &flag), 1);
    EXPECT_EQ(flag, static_cast<int32_t>(n.flag));
    NoteRecord record = {};
    EXPECT_EQ(ReadNote(n.day, n.month, &record), 1);
    EXPECT_STREQ(record.Text, n.flag ? n.text : "") << n.day << "/" << n.month;
    EXPECT_EQ(record.UpdateTime.Low, n.flag ? 7u : 0u);
    EXPECT_EQ(record.UpdateTime.High, n.flag ? 8u : 0u);
  }
  EXPECT_TRUE(g_shown.empty());
}

// A slot with no terminating zero still reads as a string of 255 characters.
TEST_F(NotesStoreTest, ReadNoteBoundsAnUnterminatedText) {
  Bytes image(NotesFileSize, 0);
  Bytes record = RecordBytes({1, 2}, "");
  std::fill(record.begin() + 8, record.end(), 'x');
  PutNote(image, 4, 7, 1, record);
  WriteStore(image);
  NoteRecord back = {};
  EXPECT_EQ(ReadNote(4, 7, &back), 1);
  EXPECT_EQ(back.Text[255], 0);
  EXPECT_EQ(std::string(back.Text, 255), std::string(255, 'x'));
}

TEST_F(NotesStoreTest, DeletingANoteClearsItsFlag) {
  WriteStore(Bytes(NotesFileSize, 0));
  NoteRecord note = {{5, 6}, "cita con el dentista"};
  ASSERT_EQ(WriteNote(10, 6, &note, 1), 1);
  const NoteRecord deletion = {{9, 10}, ""};
  ASSERT_EQ(WriteNote(10, 6, &deletion, 0), 1);

  int32_t flag = -1;
  EXPECT_EQ(ReadNoteFlag(10, 6, &flag), 1);
  EXPECT_EQ(flag, 0);
  int32_t flags[31];
  EXPECT_EQ(ReadMonthFlags(6, flags), 1);
  EXPECT_EQ(flags[9], 0);
  NoteRecord record = {};
  EXPECT_EQ(ReadNote(10, 6, &record), 1);
  EXPECT_EQ(record.UpdateTime.Low, 0u);  // the slot's deletion time is not read
  EXPECT_EQ(record.UpdateTime.High, 0u);
  EXPECT_STREQ(record.Text, "");

  Bytes expected(NotesFileSize, 0);
  PutNote(expected, 10, 6, 0, RecordBytes({9, 10}, ""));
  EXPECT_EQ(ReadStore(), expected);
  EXPECT_TRUE(g_shown.empty());
}

TEST_F(NotesStoreTest, AddNoteText) {
  const std::string a250(250, 'a'), a255(255, 'a'), b300(300, 'b');
  struct Case {
    const char* what;
    const char* old;  // nullptr: the day has no note
    std::string text;
    int append;
    std::string expected;
  } const cases[] = {
      {"append cut to 255", a250.c_str(), "0123456789", 1, a250 + "01234"},
      {"append to a full note", a255.c_str(), "x", 1, a255},
      {"append with no separator", "uno", "dos", 1, "unodos"},
      {"append to a day without note", nullptr, "hola", 1, "hola"},
      {"append 300 to a day without note", nullptr, b300, 1, b300.substr(0, 255)},
      {"append nothing to a day without note", nullptr, "", 1, ""},
      {"replace a longer note", "un texto antiguo bastante largo", "nuevo", 0, "nuevo"},
      {"replace cut to 255", "x", b300, 0, b300.substr(0, 255)},
      {"replace on a day without note", nullptr, "abc", 0, "abc"},
      {"replace with nothing", "algo", "", 0, ""},
  };
  const int day = 29, month = 2;
  for (const Case& c : cases) {
    Bytes image(NotesFileSize, 0);
    PutNote(image, 28, 2, 1, RecordBytes({3, 4}, "vecino"));
    if (c.old) {
      Bytes old = RecordBytes({1, 2}, c.old);
      if (std::strlen(c.old) < 254) old[8 + 254] = 'Z';  // left behind the terminator by another writer
      PutNote(image, day, month, 1, old);
    } else {
      Bytes stale = RecordBytes({1, 2}, "ignorado, sin marca");
      PutNote(image, day, month, 0, stale);
    }
    WriteStore(image);

    EXPECT_EQ(AddNoteText(day, month, c.text.c_str(), c.append), 1) << c.what;
    PutNote(image, day, month, 1, RecordBytes(ToFileTime(kNow), c.expected));
    EXPECT_EQ(ReadStore(), image) << c.what;
  }
  EXPECT_TRUE(g_shown.empty());
}

// Every failure shows one message naming its verb and the full path, except
// where a read failure leaves ReadNote with no note and the write that follows
// tells its own. The handle is closed after each.
TEST_F(NotesStoreTest, FailuresAreToldOnceAndReleaseTheFile) {
  int32_t flag = 0;
  int32_t flags[31] = {};
  NoteRecord record = {};
  Bytes flagged(NoteFlagTableSize, 0);
  Put32(flagged, FlagOffset(1, 1), 1);
  Bytes almostFull(NotesFileSize - 1, 0);
  Put32(almostFull, FlagOffset(31, 12), 1);
  const NoteRecord note = {{1, 1}, "nota"};

  struct Case {
    const char* what;
    const Bytes* store;  // nullptr: no file
    std::function<int()> call;
    int result;
    std::vector<const char*> verbs;
  };
  const Bytes empty, short1487(1487, 0), full1488(1488, 0), short123(123, 0);
  const Case cases[] = {
      {"flag, no file", nullptr, [&] { return ReadNoteFlag(1, 1, &flag); }, 0, {"abrir"}},
      {"month, no file", nullptr, [&] { return ReadMonthFlags(3, flags); }, 0, {"abrir"}},
      {"note, no file", nullptr, [&] { return ReadNote(5, 3, &record); }, 1, {"abrir"}},
      {"write, no file", nullptr, [&] { return WriteNote(5, 3, &note, 1); }, 0, {"abrir"}},
      {"add, no file", nullptr, [&] { return AddNoteText(5, 3, "x", 1); }, 0, {"abrir", "abrir"}},
      {"flag, empty file", &empty, [&] { return ReadNoteFlag(1, 1, &flag); }, 0, {"leer"}},
      {"last flag, table one byte short", &short1487, [&] { return ReadNoteFlag(31, 12, &flag); }, 0, {"leer"}},
      {"last flag, whole table", &full1488, [&] { return ReadNoteFlag(31, 12, &flag); }, 1, {}},
      {"month, short file", &short123, [&] { return ReadMonthFlags(1, flags); }, 0, {"leer"}},
      {"note, no slots", &flagged, [&] { return ReadNote(1, 1, &record); }, 0, {"leer"}},
      {"add, no slots", &flagged, [&] { return AddNoteText(1, 1, "x", 1); }, 0, {"leer"}},
      {"last note, file one byte short", &almostFull, [&] { return ReadNote(31, 12, &record); }, 0, {"leer"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(notes_);
    if (c.store) WriteStore(*c.store);
    flag = 0x55;
    std::fill(std::begin(flags), std::end(flags), 0);
    record = {};
    g_shown.clear();

    EXPECT_EQ(c.call(), c.result);
    std::vector<std::string> expected;
    for (const char* verb : c.verbs) expected.push_back(Message(verb));
    EXPECT_EQ(g_shown, expected);

    if (!c.store) {
      EXPECT_FALSE(fs::exists(notes_)) << "a failing call created the file";
      continue;
    }
    EXPECT_EQ(ReadStore(), *c.store) << "a failing call changed the file";
    FileHandle again = OsOpenExisting(notes_.c_str(), FileRead | FileWrite);
    EXPECT_NE(again, NoFile);
    if (again != NoFile) OsClose(again);
    std::error_code error;
    fs::rename(notes_, notes_ + ".moved", error);
    EXPECT_FALSE(error) << error.message();
    EXPECT_TRUE(fs::remove(notes_ + ".moved", error)) << error.message();
  }
}

// A read cut short by the end of the file leaves no partial flag or record.
TEST_F(NotesStoreTest, FailedReadsLeaveEmptyResults) {
  WriteStore(Bytes(2, 0xFF));
  int32_t flag = 0x55;
  EXPECT_EQ(ReadNoteFlag(1, 1, &flag), 0);
  EXPECT_EQ(flag, 0);
  int32_t flags[31];
  std::fill(std::begin(flags), std::end(flags), 0x55);
  EXPECT_EQ(ReadMonthFlags(1, flags), 0);
  for (int32_t f : flags) EXPECT_EQ(f, 0);
  NoteRecord record = {};
  EXPECT_EQ(ReadNote(1, 1, &record), 1);  // no flag: the day reads as without note
  EXPECT_STREQ(record.Text, "");

  Bytes image(NoteFlagTableSize + 100, 0xFF);  // every flag set, the first slot cut short
  WriteStore(image);
  EXPECT_EQ(ReadNote(1, 1, &record), 0);
  EXPECT_EQ(std::memcmp(&record, Bytes(sizeof record, 0).data(), sizeof record), 0);
  EXPECT_EQ(g_shown.size(), 4u);
}

#ifndef _WIN32
// Here descriptors are reused lowest first, so a handle left open by a
// failing call would move the next one.
TEST_F(NotesStoreTest, FailuresLeaveNoDescriptorOpen) {
  const std::string probe = dir_.string() + "/probe";
  std::ofstream(probe).put('p');
  auto nextHandle = [&] {
    FileHandle file = OsOpenExisting(probe.c_str(), FileRead);
    OsClose(file);
    return file;
  };
  WriteStore(Bytes(NoteFlagTableSize, 0));
  const FileHandle before = nextHandle();
  int32_t flags[31];
  NoteRecord record = {};
  EXPECT_EQ(ReadMonthFlags(1, flags), 1);
  EXPECT_EQ(ReadNote(1, 1, &record), 1);
  Bytes flagged(NoteFlagTableSize, 0);
  Put32(flagged, 0, 1);
  WriteStore(flagged);
  EXPECT_EQ(ReadNote(1, 1, &record), 0);
  EXPECT_EQ(AddNoteText(1, 1, "x", 0), 0);
  fs::remove(notes_);
  EXPECT_EQ(AddNoteText(1, 1, "x", 0), 0);
  EXPECT_EQ(nextHandle(), before);
}
#endif

}  // namespace
