// The exports byte for byte, the imports by the notes they store, and the
// round trips of the notes through TXT, CSV and iCalendar.
#include "base/clock.h"
#include "calendar/dates.h"
#include "exchange/ical_exchange.h"
#include "exchange/predecessor_import.h"
#include "exchange/text_export.h"
#include "exchange/text_import.h"
#include "notes/notes_store.h"
#include "program_dir.h"

namespace {

const FileTime kMarch5 = ToFileTime({2007, 3, 1, 5, 9, 7, 0, 0});  // 5 March 2007, 9:07

class Exchange : public ProgramDirTest {
 protected:
  void SetUp() override { ProgramDirTest::SetUp(), WriteBytes(PathOf(NotesFileIndex), Bytes(NotesFileSize, 0)); }
  void Keep(int day, int month, const std::string& text, FileTime time = kMarch5) {
    NoteRecord record{time, {}};
    std::snprintf(record.Text, sizeof record.Text, "%s", text.c_str());
    ASSERT_EQ(WriteNote(day, month, &record, 1), 1);
  }
  std::string Export(int action, int year, std::initializer_list<int> months, int update = 0, int empty = 0,
                     int iso = 0) {
    WizardChoices choices = {{}, action, update, empty, iso};
    for (int m : months) choices.MonthSelected[m - 1] = 1;
    IcalExportResult result;
    const std::string path = PathOf("export");
    EXPECT_EQ(action == ActionIcalExport ? WriteIcalExport(path.c_str(), choices, year, &result)
                                         : WriteTextExport(path.c_str(), choices, year), 1);
    return Text(path);
  }
  std::string Text(const std::string& path) {
    const Bytes bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
  }
  // Every note of the file as "d/m=text", joined by "|".
  std::string Notes() {
    NotesImage image;
    NoteRecord record;
    std::string all;
    EXPECT_EQ(ReadNotesImage(&image), 1);
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= DaysInMonth(m, 2008); ++d)
        if (ReadNoteFromImage(image, d, m, &record))
          all.append("|").append(std::to_string(d)).append("/").append(std::to_string(m)).append("=") += record.Text;
    return all.substr(all.empty() ? 0 : 1);
  }
  // Imports text as a file of the kind (".txt" or ".ics"); the result, with
  // the errors flag and the iCalendar counts.
  int Import(const std::string& text, int add = 0, const char* kind = ".txt", int year = 2007) {
    const std::string path = PathOf((std::string("import") + kind).c_str());
    WriteBytes(path, Bytes(text.begin(), text.end()));
    if (kind[1] == 'i') return ImportIcalFile(path.c_str(), year, add, &ical);
    return ImportTextFile(path.c_str(), add, &errors);
  }
  int errors = 0;
  IcalImportResult ical = {};
};

const std::string kTxtHeader = "\"Fecha\";\"Notas\"\r\n";

TEST_F(Exchange, TheTextExportsByteForByte) {
  Keep(5, 3, "Dentista");
  Keep(29, 2, "Bisiesto");
  EXPECT_EQ(Export(ActionTextExport, 2007, {}), kTxtHeader);
  EXPECT_EQ(Export(ActionCsvExport, 2007, {3}), "\"Fecha\",\"Notas\"\r\n5/3/2007,\"Dentista\"\r\n");
  EXPECT_EQ(Export(ActionTextExport, 2007, {3}, 1),
            kTxtHeader + "5/3/2007;\"Dentista (actualizada el: 5/3/2007 09h:07m)\"\r\n");
  EXPECT_EQ(Export(ActionTextExport, 2007, {3}, 1, 0, 1),
            kTxtHeader + "2007-03-05;\"Dentista (actualizada el: 2007-03-05 09:07)\"\r\n");
  // 29 February only in a leap year; days without notes end at the separator.
  EXPECT_EQ(Export(ActionTextExport, 2007, {2}), kTxtHeader);
  EXPECT_EQ(Export(ActionTextExport, 2008, {2}), kTxtHeader + "29/2/2008;\"Bisiesto\"\r\n");
  // With the update date, it becomes part of the note on its way back.
  EXPECT_EQ(Import(Export(ActionCsvExport, 2007, {3}, 1)), 1);
  EXPECT_EQ(Notes(), "29/2=Bisiesto|5/3=Dentista (actualizada el: 5/3/2007 09h:07m)");
}

// Each file is the header line and the rows given; "" for no log.
TEST_F(Exchange, TextImportReadsEachRowByItsPositions) {
  const std::string n300(300, 'n');
  const struct { std::string rows; std::string notes, log; } cases[] = {
      {"05/03/2007,\"a;b,c\"\r\n6/03/2007;\"x\"\r\n9/3/2007;\"" + n300 + "\"\r\n", "5/3=a;b,c|6/3=x|9/3=" + n300.substr(45), ""},
      {"2007-03-05;\"x\"\r\n2007-3-6;\"y\"\r\n2007-3-15;\"z\"\r\n16/3/2007;\"w\"\r\n", "5/3=x|6/3=y|15/3=z|16/3=w", ""},
      {"5/3/2007;Dentista\r\n6/3/2007;\"dijo \"\"hola\"\"\"\r\n", "5/3=Dentista|6/3=dijo \"hola\"", ""},
      {"5/3/2007;\r\n6/3/2007;\"\"\r\nsin separador\r\n", "", ""},
      {"1/1/207;\"x\"\r\n11/11/20071;\"x\"\r\n", "", "\r\nLínea: 2 (formato incorrecto) 1/1/207;\"x\"\r\nLínea: 3 "
                                                    "(formato incorrecto) 11/11/20071;\"x\""},
      {"29/2/2008;\"x\"\r\n31/4/2007;\"x\"\r\n0/1/2007;\"x\"\r\n2007/03/05;\"x\"\r\n", "", "*"},
      {"8/3/2007;\"" + n300 + "\"\r\n8/3/2007;\"corta\"\r\n5/3/2007;\"sin fin\"", "5/3=sin fin|8/3=corta", ""},
      // A quoted note may span lines, and the rows behind it keep their numbers;
      // a quote left open, a lone quote inside, or a quote at the end of a note
      // without doubled quotes ends the note at its own line.
      {"9/3/2007;\"dos\r\nlíneas\"\r\n1/1/207;\"a\"\r\n", "9/3=dos\r\nlíneas", "\r\nLínea: 4 (formato incorrecto) 1/1/207;\"a\""},
      {"10/3/2007;\"abierta\r\n11/3/2007;\"sigue\"\r\n12/3/2007;\"a\"b\r\nc\"\r\n", "10/3=abierta|11/3=sigue|12/3=a\"b", ""},
      {"5/3/2007;\"17\"\"\r\n6/3/2007;\"x\"\r\n2007-03-07,\"cita\"\r\n", "5/3=17\"|6/3=x|7/3=cita", ""},
      {"5/3/2007;\"lista:\r\n1/2/3;a\r\nLlamar a, Juan\"\r\n", "5/3=lista:\r\n1/2/3;a\r\nLlamar a, Juan", ""},
  };
  for (const auto& c : cases) {
    WriteBytes(PathOf(NotesFileIndex), Bytes(NotesFileSize, 0));
    std::filesystem::remove(PathOf(ImportErrorsFileIndex));
    EXPECT_EQ(Import(kTxtHeader + c.rows), 1) << c.rows;
    EXPECT_EQ(Notes(), c.notes) << c.rows;
    EXPECT_EQ(errors, c.log.empty() ? 0 : 1) << c.rows;
    if (c.log != "*") { EXPECT_EQ(Text(PathOf(ImportErrorsFileIndex)), c.log); }
  }
  // Bare line feeds; the first line is the header, whatever it holds; adding
  // joins the texts without a separator.
  WriteBytes(PathOf(NotesFileIndex), Bytes(NotesFileSize, 0));
  Import("5/3/2007;\"perdida\"\n6/3/2007;\"Cine\"\n7/3/2007;\"Teatro\"");
  Import("\r\n6/3/2007;\"Cine\"\r\n", 1);
  EXPECT_EQ(Notes(), "6/3=CineCine|7/3=Teatro");
  EXPECT_TRUE(g_shown.empty());
}

TEST_F(Exchange, ImportsRefuseWhatTheyCannotHold) {
  std::string text = kTxtHeader + "5/3/2007;\"x\"\r\n";
  text.resize(MaxImportFileSize, ' ');
  EXPECT_EQ(Import(text), 1);
  EXPECT_EQ(Notes(), "5/3=x");
  EXPECT_EQ(Import(text + ' '), 0);
  EXPECT_EQ(Import(""), 0);
  const std::string ics = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20070306\r\nSUMMARY:y\r\nEND:VEVENT\r\nEND:VCALENDAR";
  EXPECT_EQ(Import(ics + std::string(MaxIcalFileSize - ics.size(), '\n'), 0, ".ics"), 1);
  EXPECT_EQ(Import(ics + std::string(MaxIcalFileSize - ics.size() + 1, '\n'), 0, ".ics"), 0);
  EXPECT_EQ(Import("Fecha;Notas\r\n", 0, ".ics"), 0);
  EXPECT_EQ(Import("", 0, ".ics"), 0);
  const std::string large = "El tamaño del archivo excede la capacidad disponible";
  const std::string notIcal = std::string("El archivo no es un calendario iCalendar (.ics): ") + PathOf("import.ics");
  EXPECT_EQ(g_shown, (std::vector{large, large, notIcal, notIcal}));
  EXPECT_EQ(Notes(), "5/3=x|6/3=y");
}

// Whatever fails while the notes file is written, it stays as it was and
// the user reads one message.
TEST_F(Exchange, EveryImportWritesTheNotesOnceOrNotAtAll) {
  Keep(5, 3, "vieja");
  const Bytes before = ReadBytes(PathOf(NotesFileIndex));
  WriteBytes(PathOf(PredecessorFlagsName), Bytes(1600, 1));
  WriteBytes(PathOf(PredecessorNotesName), Bytes(129 + 174 * 366, 'b'));
  const std::string ics = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20070306\r\nSUMMARY:y\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
  static int failAt;
  OsSetFaultHook([](FaultPoint point) -> int { return point == failAt; });
  for (int fault : {int{FaultWrite}, int{FaultReplace}, 0})
    for (int which = 0; which < 3; ++which) {
      failAt = fault;
      g_shown.clear();
      const int ok = which == 0   ? Import(kTxtHeader + "6/3/2007;\"x\"\r\n")
                     : which == 1 ? Import(ics, 0, ".ics")
                                  : ImportPredecessorNotes(PathOf(PredecessorNotesName).c_str(), 0);
      EXPECT_EQ(ok, fault ? 0 : 1) << which;
      if (fault) { EXPECT_EQ(ReadBytes(PathOf(NotesFileIndex)), before) << which; }
      EXPECT_EQ(g_shown, fault ? std::vector{FileMessage("escribir", PathOf(NotesFileIndex))} : std::vector<std::string>{});
      EXPECT_FALSE(std::filesystem::exists(PathOf(NotesFileIndex) + ".tmp"));
    }
}

// A year of notes exported and imported in place of empty notes gives the
// same notes file, when the notes were last changed at the time of the import;
// every character of Windows-1252 that iCalendar text holds comes back (blanks
// at the ends of a text excepted: libical's parser trims them).
TEST_F(Exchange, ICalendarRoundTrip) {
  std::string every = "a";
  for (int c = 0x20; c < 0x100; ++c) every += c == 0x7F ? '\t' : static_cast<char>(c);
  const std::string texts[] = {"", "Año \"nuevo\"; a, b \\ c", "dos \r\nlíneas\r\n", every, std::string(254, 'x') + "é"};
  for (int n = 1; n <= 366; ++n) {
    int day, month;
    FromDayIndex(n, &day, &month);
    Keep(day, month, texts[n % 5] + (n % 5 == 1 || n % 5 == 2 ? std::to_string(n) : ""), kFixedNowTime);
  }
  const Bytes notes = ReadBytes(PathOf(NotesFileIndex));
  const std::string year = Export(ActionIcalExport, 2008, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  WriteBytes(PathOf(NotesFileIndex), Bytes(NotesFileSize, 0));
  EXPECT_EQ(Import(year, 0, ".ics", 2008), 1);
  EXPECT_EQ(ReadBytes(PathOf(NotesFileIndex)), notes);
  EXPECT_TRUE(ical.NotesStored == 366 && ical.EventsOutsideYear == 0 && !ical.ErrorsLogged && g_shown.empty());
}

// Events placed by the local time of their UTC times, several a day joined,
// the first of a day replacing its note when replacing is chosen.
TEST_F(Exchange, ICalendarImportPlacesEveryEvent) {
  OsSetZoneHook([](const LocalTime& t, int) { return LocalTime{t.Year, t.Month, 0, t.Day + (t.Hour >= 22), (t.Hour + 2) % 24, t.Minute}; });
  const std::string events =
      "BEGIN:VEVENT\r\nDTSTART:20070305T223000Z\r\nSUMMARY:Tarde\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nDTSTART:20070306T090000\r\nDTEND:20070308T090000\r\nSUMMARY:Viaje\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20071231\r\nDURATION:P3D\r\nSUMMARY:Fin\r\nRRULE:FREQ=YEARLY;COUNT=2\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nDTSTART:20080101T100000\r\nSUMMARY:Otro\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nSUMMARY:Roto\r\nRRULE:FREQ=SECONDLY\r\nDTSTART:20070301T000000\r\nEND:VEVENT\r\n";
  for (int add : {0, 1}) {
    WriteBytes(PathOf(NotesFileIndex), Bytes(NotesFileSize, 0));
    Keep(6, 3, "vieja ");
    EXPECT_EQ(Import("BEGIN:VCALENDAR\r\n" + events + "END:VCALENDAR\r\n", add, ".ics"), 1);
    EXPECT_EQ(Notes(), std::string(add ? "6/3=vieja " : "6/3=") + "00:30 Tarde09:00 Viaje|7/3=09:00 Viaje|8/3=09:00 Viaje|31/12=Fin");
    EXPECT_TRUE(ical.NotesStored == 4 && ical.EventsOutsideYear == 1 && ical.ErrorsLogged == 1);
    EXPECT_EQ(Text(PathOf(ImportErrorsFileIndex)), "\r\nLínea: 21 (cita no leída) Roto");
  }
}

// The predecessor's notes come from their fixed places; a database too short
// for a day skips that day after its message; without the flag file nothing
// is imported.
TEST_F(Exchange, PredecessorNotesComeFromTheirFixedPlaces) {
  Keep(5, 3, std::string(200, 'v'));
  Keep(2, 3, "intacta");
  Bytes flags(1600, 0xCC), database(129 + 174 * 366, 0x20);
  std::fill_n(flags.begin() + PredecessorFlagsOffset, 12 * 31 * 4, 0);
  const struct { int day, month; std::string text; } notes[] = {
      {1, 1, std::string(169, 'a')}, {29, 2, std::string("bisiesto\0", 9)}, {31, 2, std::string("no existe\0", 10)},
      {1, 3, std::string("marzo  \0", 8)}, {5, 3, std::string(100, 'n') + '\0'}, {31, 12, std::string("fin\0", 4)}};
  for (const auto& [day, month, text] : notes) {
    flags[PredecessorFlagsOffset + 4 * (31 * (month - 1) + day - 1)] = 1;
    std::copy(text.begin(), text.end(), database.begin() + PredecessorNoteOffset(ToDayIndex(day, month)));
  }
  WriteBytes(PathOf(PredecessorFlagsName), flags);
  WriteBytes(PathOf(PredecessorNotesName), database);
  ASSERT_EQ(ImportPredecessorNotes(PathOf(PredecessorNotesName).c_str(), 1), 1);
  EXPECT_EQ(Notes(), "1/1=" + std::string(169, 'a') + "|29/2=bisiesto|1/3=marzo  |2/3=intacta|5/3=" +
                         std::string(200, 'v') + std::string(55, 'n') + "|31/12=fin");
  const std::string all = Notes();
  database.resize(1000);
  WriteBytes(PathOf(PredecessorNotesName), database);
  ASSERT_EQ(ImportPredecessorNotes(PathOf(PredecessorNotesName).c_str(), 0), 1);
  EXPECT_EQ(Notes(), all);
  EXPECT_EQ(g_shown, (std::vector(4, FileMessage("leer", PathOf(PredecessorNotesName)))));
  std::filesystem::remove(PathOf(PredecessorFlagsName));
  EXPECT_EQ(ImportPredecessorNotes(PathOf(PredecessorNotesName).c_str(), 0), 0);
  EXPECT_EQ(g_shown.back(), FileMessage("abrir", PathOf(PredecessorFlagsName)));
}

}  // namespace
