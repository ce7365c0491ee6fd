// The exports byte for byte, the imports by the notes they store, and the
// round trips of the notes through TXT, CSV and iCalendar.

#include "base/clock.h"
#include "exchange/html_export.h"
#include "exchange/ical_exchange.h"
#include "exchange/predecessor_import.h"
#include "exchange/text_export.h"
#include "exchange/text_import.h"
#include "program_dir.h"

const FileTime kMarch5 = ToFileTime({2007, 3, 1, 5, 9, 7, 0, 0});  // 5 March 2007, 9:07
const std::string kTxtHeader = "\"Fecha\";\"Notas\"\r\n";
const std::string kIcs =
    "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20070306\r\nSUMMARY:y\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

class Exchange : public ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    Empty();
  }
  void Empty() { WriteBytes(PathOf(NotesFileIndex), Bytes(NotesFileSize, 0)); }
  void Keep(int day, int month, const std::string& text, FileTime time = kMarch5) {
    NoteRecord record{time, {}};
    std::snprintf(record.Text, sizeof record.Text, "%s", text.c_str());
    ASSERT_EQ(WriteNote(day, month, &record, 1), 1);
  }
  std::string Export(int action, int year, std::initializer_list<int> months, int update = 0, int iso = 0) {
    WizardChoices choices = {{}, action, update, 0, iso};
    for (int m : months) choices.MonthSelected[m - 1] = 1;
    const std::string path = PathOf("export");
    const char* to = path.c_str();
    EXPECT_TRUE(action == ActionIcalExport ? WriteIcalExport(to, choices, year, &exported)
                                           : WriteTextExport(to, choices, year));
    return ReadText(path);
  }
  // Imports text as a file of the kind (".txt" or ".ics"); the result, with
  // the errors flag and the iCalendar counts.
  int Import(const std::string& text, int add = 0, const char* kind = ".txt", int year = 2007) {
    const std::string path = PathOf((std::string("import") + kind).c_str());
    WriteBytes(path, Bytes(text.begin(), text.end()));
    return kind[1] == 'i' ? ImportIcalFile(path.c_str(), year, add, &ical) : ImportTextFile(path.c_str(), add, &errors);
  }
  int errors = 0;
  IcalImportResult ical = {};
  IcalExportResult exported = {};
};

// 29 February exported in a leap year only (the text exports' bytes: the
// Python readers); the iCalendar export tells of the 29 February it left out,
// and writes the update time in UTC (each day's end: the round trip).
TEST_F(Exchange, ExportsWriteTheChosenMonths) {
  Keep(5, 3, "Dentista");
  Keep(29, 2, "Bisiesto");
  EXPECT_EQ(Export(ActionTextExport, 2008, {2}), kTxtHeader + "29/2/2008;\"Bisiesto\"\r\n");
  OsSetZoneHook([](const LocalTime& t, int utc) {  // one hour ahead of UTC
    return LocalTime{t.Year, t.Month, 0, t.Day, t.Hour + (utc ? -1 : 1), t.Minute};
  });
  const std::string ics = Export(ActionIcalExport, 2007, {2, 3}, 1);
  EXPECT_EQ(std::tuple(exported.NotesWritten, exported.LeapDaysSkipped, ics.find("0229")),
            std::tuple(1, 1, std::string::npos));
  EXPECT_NE(ics.find("LAST-MODIFIED:20070305T080700Z\r\n"), std::string::npos) << ics;
}

// Files up to the imports' limits are read, larger ones and files that are
// not iCalendar are refused. Whatever fails while the notes file is written,
// it stays as it was, no handle or temporary file is left and the user reads
// one message.
TEST_F(Exchange, ImportsRefuseWhatTheyCannotHoldWriteTheNotesOnceOrNotAtAllAndReadEachRow) {
  Keep(5, 3, "x");
  std::string text = kTxtHeader + "6/3/2007;\"x\"\r\n";
  text.resize(MaxImportFileSize, ' ');
  const std::string ics = kIcs + std::string(MaxIcalFileSize - kIcs.size(), '\n');
  const int results[] = {
      Import(text + ' '), Import(ics + '\n', 0, ".ics"), Import("Fecha;Notas\r\n", 0, ".ics"), Import("", 0, ".ics"),
      Import(text, 1),    Import(ics, 1, ".ics")};
  EXPECT_EQ(std::vector(results, results + 6), (std::vector{0, 0, 0, 0, 1, 1}));
  const std::string large = "El tamaño del archivo excede la capacidad disponible";
  const std::string notIcal = std::string("El archivo no es un calendario iCalendar (.ics): ") + PathOf("import.ics");
  EXPECT_EQ(g_shown, (std::vector{large, large, notIcal, notIcal}));
  EXPECT_EQ(Notes(), "5/3=x|6/3=xy");
  const std::string notes = PathOf(NotesFileIndex);
  const Bytes before = ReadBytes(notes);
  WriteBytes(PathOf(PredecessorFlagsName), Bytes(1600, 1));
  WriteBytes(PathOf(PredecessorNotesName), Bytes(129 + 174 * 366, 'b'));
  static int failAt;
  OsSetFaultHook([](FaultPoint point) -> int { return point == failAt; });
  const std::function<int()> imports[] = {
      [&] { return Import(kTxtHeader + "6/3/2007;\"x\"\r\n"); }, [&] { return Import(kIcs, 0, ".ics"); },
      [&] { return ImportPredecessorNotes(PathOf(PredecessorNotesName).c_str(), 0); }};
  for (int fault : {int{FaultWrite}, int{FaultReplace}, 0})
    for (const auto& import : imports) {
      failAt = fault;
      g_shown.clear();
      const int ok = import();
      EXPECT_EQ(std::tuple(ok, !fault || ReadBytes(notes) == before, Released(notes)), std::tuple(!fault, true, true))
          << fault;
      EXPECT_EQ(g_shown, fault ? std::vector{FileMessage("escribir", notes)} : std::vector<std::string>{});
      EXPECT_FALSE(std::filesystem::exists(notes + ".tmp"));
    }
  // Each file is the header line and the rows given; "" for no log.
  const std::string n300(300, 'n');
  // The rows; the notes stored and the log ("*": not compared).
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"05/03/2007,\"a;b,c\"\r\n6/03/2007;\"x\"\r\n9/3/2007;\"" + n300 + "\"\r\n",
       "5/3=a;b,c|6/3=x|9/3=" + n300.substr(45), ""},
      {"2007-03-05;\"x\"\r\n2007-3-6;\"y\"\r\n2007-3-15;\"z\"\r\n16/3/2007;\"w\"\r\n", "5/3=x|6/3=y|15/3=z|16/3=w", ""},
      {"5/3/2007;Dentista\r\n6/3/2007;\"dijo \"\"hola\"\"\"\r\n", "5/3=Dentista|6/3=dijo \"hola\"", ""},
      {"5/3/2007;\r\n6/3/2007;\"\"\r\nsin separador\r\n", "", ""},
      {"1/1/207;\"x\"\r\n11/11/20071;\"x\"\r\n", "",
       "\r\nLínea: 2 (formato incorrecto) 1/1/207;\"x\"\r\nLínea: 3 (formato incorrecto) 11/11/20071;\"x\""},
      {"29/2/2008;\"x\"\r\n31/4/2007;\"x\"\r\n0/1/2007;\"x\"\r\n2007/03/05;\"x\"\r\n", "", "*"},
      {"8/3/2007;\"" + n300 + "\"\r\n8/3/2007;\"corta\"\r\n5/3/2007;\"sin fin\"", "5/3=sin fin|8/3=corta", ""},
      // A quoted note may span lines, and the rows behind it keep their numbers;
      // a quote left open, a lone quote inside, or a quote at the end of a note
      // without doubled quotes ends the note at its own line.
      {"9/3/2007;\"dos\r\nlíneas\"\r\n1/1/207;\"a\"\r\n", "9/3=dos\r\nlíneas",
       "\r\nLínea: 4 (formato incorrecto) 1/1/207;\"a\""},
      {"10/3/2007;\"abierta\r\n11/3/2007;\"sigue\"\r\n12/3/2007;\"a\"b\r\nc\"\r\n", "10/3=abierta|11/3=sigue|12/3=a\"b",
       ""},
      {"5/3/2007;\"17\"\"\r\n6/3/2007;2\"\r\n2007-03-07,\"cita\"\r\n", "5/3=17\"|6/3=2\"|7/3=cita", ""},
      {"5/3/2007;\"lista:\r\n1/2/3;a\r\nLlamar a, Juan\"\r\n", "5/3=lista:\r\n1/2/3;a\r\nLlamar a, Juan", ""},
  };
  for (const auto& [rows, notes, log] : cases) {
    Empty();
    std::filesystem::remove(PathOf(ImportErrorsFileIndex));
    EXPECT_EQ(Import(kTxtHeader + rows), 1);
    EXPECT_EQ(std::tuple(Notes(), errors), std::tuple(notes, int{!log.empty()})) << rows;
    EXPECT_EQ(log == "*" ? log : ReadText(PathOf(ImportErrorsFileIndex)), log) << rows;
  }
  // Bare line feeds; the first line is the header, whatever it holds; adding
  // joins the texts without a separator.
  Empty();
  Import("5/3/2007;\"perdida\"\n6/3/2007;\"Cine\"\n7/3/2007;\"Teatro\"");
  Import("\r\n6/3/2007;\"Cine\"\r\n", 1);
  EXPECT_EQ(Notes(), "6/3=CineCine|7/3=Teatro");
  EXPECT_TRUE(g_shown.empty());
}

// A year of notes exported and imported in place of empty notes gives the
// same notes file, when the notes were last changed at the time of the import;
// every character of Windows-1252 that iCalendar text holds comes back (blanks
// at the ends of a text excepted: libical's parser trims them). Windows-1252's
// characters of 0x80..0x9F are their Unicode ones; broken and overlong UTF-8
// sequences are dropped up to the byte that broke them.
TEST_F(Exchange, ICalendarRoundTrip) {
  std::string every = "a", high;
  for (int c = 0x20; c < 0x100; ++c) every += c == 0x7F ? '\t' : static_cast<char>(c);
  for (char c = '\x80'; c != '\xA0'; ++c)  // but the five bytes without a character
    if (std::string("\x81\x8D\x8F\x90\x9D").find(c) == std::string::npos) high += c;
  const std::string unicode = reinterpret_cast<const char*>(u8"€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ");
  EXPECT_EQ(Utf8ToCp1252(unicode.c_str()), high);
  EXPECT_EQ(Cp1252ToUtf8(high.c_str()), unicode);
  EXPECT_EQ(Utf8ToCp1252("a\xC1\x81\xE0\x80\xA0\xC3(\xF8\x88\xE2\x98\x83\xED\xA0\x80\xC3\xA9"), "a(\xE9");
  const std::string texts[] = {"", "Año \"nuevo\"; a, b \\ c", "dos \r\nlíneas\r\n", every,
                               std::string(254, 'x') + "é"};
  for (int n = 1, day, month; n <= 366; ++n) {
    FromDayIndex(n, &day, &month);
    Keep(day, month, texts[n % 5] + (n % 5 == 1 || n % 5 == 2 ? std::to_string(n) : ""), kFixedNowTime);
  }
  const Bytes notes = ReadBytes(PathOf(NotesFileIndex));
  const std::string year = Export(ActionIcalExport, 2008, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  EXPECT_NE(year.find("DTSTART;VALUE=DATE:20081231\r\nDTEND;VALUE=DATE:20090101\r\n"), std::string::npos);
  Empty();
  EXPECT_EQ(Import(year, 0, ".ics", 2008), 1);
  EXPECT_EQ(ReadBytes(PathOf(NotesFileIndex)), notes);
  EXPECT_EQ(std::tuple(ical.NotesStored, ical.EventsOutsideYear, ical.ErrorsLogged, g_shown.size()),
            std::tuple(366, 0, 0, 0u));
  // A write that fails is told once, though the year's iCalendar file takes
  // two pieces, and fails the export; the file is let go.
  EXPECT_GT(year.size(), OutputPieceSize);
  WizardChoices all = {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 0, 1, 1, 0};
  const std::string to = PathOf("export");
  OsSetFaultHook([](FaultPoint point) -> int { return point == FaultWrite; });
  for (int action : {int{ActionWebPage}, int{ActionTextExport}, int{ActionIcalExport}}) {
    all.Action = action;
    g_shown.clear();
    const int ok = action == ActionIcalExport ? WriteIcalExport(to.c_str(), all, 2008, &exported)
                                              : ExportNotes(to.c_str(), all, 2008, 0);
    EXPECT_EQ(std::tuple(ok, g_shown, Released(to)), std::tuple(0, std::vector{FileMessage("escribir", to)}, true))
        << action;
  }
}

// The predecessor's notes come from their fixed places, added to the notes
// there; the flag file is looked for in the database's folder.
TEST_F(Exchange, PredecessorNotesComeFromTheirFixedPlacesAndICalendarImportPlacesEveryEventAndInstance) {
  Keep(5, 3, std::string(200, 'v'));
  Keep(2, 3, "intacta");
  Bytes flags(1600, 0xCC), database(129 + 174 * 366, 0x20);
  std::fill_n(flags.begin() + PredecessorFlagsOffset, 12 * 31 * 4, 0);
  const std::tuple<int, int, std::string> notes[] = {
      {1, 1, std::string(169, 'a')},           {29, 2, std::string("bisiesto\0", 9)},
      {31, 2, std::string("no existe\0", 10)}, {1, 3, std::string("marzo  \0", 8)},
      {5, 3, std::string(100, 'n') + '\0'},    {31, 12, std::string("fin\0", 4)}};
  for (const auto& [day, month, text] : notes) {
    flags[PredecessorFlagsOffset + 4 * (31 * (month - 1) + day - 1)] = 1;
    std::copy(text.begin(), text.end(), database.begin() + PredecessorNoteOffset(ToDayIndex(day, month)));
  }
  const std::string folder = PathOf("a\\b") + "/";  // the last separator counts
  const std::string path = folder + PredecessorNotesName;
  std::filesystem::create_directories(folder);
  WriteBytes(folder + PredecessorFlagsName, flags);
  WriteBytes(path, database);
  ASSERT_EQ(ImportPredecessorNotes(path.c_str(), 1), 1);
  EXPECT_EQ(Notes(), "1/1=" + std::string(169, 'a') + "|29/2=bisiesto|1/3=marzo  |2/3=intacta|5/3=" +
                         std::string(200, 'v') + std::string(55, 'n') + "|31/12=fin");
  // Changed, cancelled, repeated and added instances of recurring events as
  // calendar servers write them: each file of tests/ical (which the native
  // suite also expands with recurring_ical_events) read into an empty notes
  // file gives its notes of 2007; the events counted outside the year (a
  // cancelled event never is).
  const struct {
    const char* file;
    const char* notes;
    int outside;
  } cases[] = {
      // A changed instance carrying its series' RRULE is that one instance.
      {"moved_with_rule.ics",
       "5/3=10:00 Reunión|13/3=11:30 Reunión movida|"
       "19/3=10:00 Reunión|26/3=10:00 Reunión",
       0},
      // The copy of highest SEQUENCE, then of latest LAST-MODIFIED, then of
      // latest DTSTAMP; the older copy's change that the newer one excludes is stale.
      {"two_copies.ics", "20/1=21:00 Cena nueva|26/1=20:00 Cine nuevo|2/4=Clase de piano|16/4=Clase de piano", 0},
      // An all-day series' instance named by a time in another zone; a timed
      // series' instances named in another zone and in UTC.
      {"other_value_type.ics",
       "16/4=Guardia|25/4=Guardia cambiada|30/4=Guardia|2/5=10:00 Comité|10/5=12:00 Comité movido|17/5=09:00 Comité "
       "adelantado",
       0},
      // A cancelled event, in the year and outside it, and a cancelled instance.
      {"cancelled.ics", "5/6=18:00 Inglés|19/6=18:00 Inglés", 0},
      // The later instances moved by a day and two days long, but the one changed on its own.
      {"this_and_future.ics",
       "6/9=Curso|13/9=Curso|21/9=Curso de fin de semana|22/9=Curso de fin de semana|28/9=Curso de fin de "
       "semana|29/9=Curso de fin de semana|3/10=Examen|12/10=Curso de fin de semana|13/10=Curso de fin de semana",
       0},
      // RDATEs in Madrid's time and in UTC on a series in Madrid's time.
      {"rdate_zone.ics",
       "3/4=10:30 Tutoría|5/4=23:30 Tutoría|10/4=10:30 Tutoría|"
       "12/4=10:30 Tutoría|19/4=10:30 Tutoría",
       0},
      {"master_missing.ics", "3/7=09:00 Sin serie", 0},
      // Instances of 2006 and 2007 moved into and out of 2007: the series and
      // the second change fall outside.
      {"into_out_of_year.ics", "2/1=Turno de enero", 2},
      {"several_calendars.ics", "1/8=Informe|2/8=Piscina|3/8=Piscina", 0},
      {"uid_in_two_calendars.ics", "6/8=20:00 Reunión de vecinos", 0},
  };
  for (const auto& c : cases) {
    Empty();
    EXPECT_EQ(ImportIcalFile((std::string(ORISTEL_ICAL_CASES "/") + c.file).c_str(), 2007, 0, &ical), 1);
    EXPECT_EQ(Notes(), c.notes) << c.file;
    EXPECT_EQ(std::pair(ical.EventsOutsideYear, ical.ErrorsLogged), std::pair(c.outside, 0)) << c.file;
  }
  EXPECT_TRUE(g_shown.empty());
  // Events placed by the local time of their UTC times, all-day ones up to the
  // day before their end, several a day joined, the first of a day replacing its
  // note when replacing is chosen; an event repeating every second logged.
  OsSetZoneHook([](const LocalTime& t, int) {  // two hours ahead of UTC
    return LocalTime{t.Year, t.Month, 0, t.Day + (t.Hour > 21), (t.Hour + 2) % 24, t.Minute};
  });
  const std::string events =
      "BEGIN:VEVENT\r\nDTSTART:20070305T223000Z\r\nSUMMARY:Tarde\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nDTSTART:20070306T090000\r\nDTEND:20070308T090000\r\nSUMMARY:Viaje\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20070228\r\nDTEND;VALUE=DATE:20070302\r\nSUMMARY:Feria\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20071231\r\nDURATION:P3D\r\nSUMMARY:Fin\r\nRRULE:FREQ=YEARLY;COUNT=2\r\nEND:"
      "VEVENT\r\n"
      "BEGIN:VEVENT\r\nDTSTART:20080101T100000\r\nSUMMARY:Otro\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nSUMMARY:Roto\r\nRRULE:FREQ=SECONDLY\r\nDTSTART:20070301T000000\r\nEND:VEVENT\r\n";
  for (int add : {0, 1}) {
    Empty();
    Keep(6, 3, "vieja ");
    EXPECT_EQ(Import("BEGIN:VCALENDAR\r\n" + events + "END:VCALENDAR\r\n", add, ".ics"), 1);
    EXPECT_EQ(Notes(), std::string("28/2=Feria|1/3=Feria|6/3=") + (add ? "vieja " : "") +
                           "00:30 Tarde09:00 Viaje|7/3=09:00 Viaje|8/3=09:00 Viaje|31/12=Fin");
    EXPECT_EQ(std::tuple(ical.NotesStored, ical.EventsOutsideYear, ical.ErrorsLogged), std::tuple(6, 1, 1));
    EXPECT_EQ(ReadText(PathOf(ImportErrorsFileIndex)), "\r\nLínea: 26 (cita no leída) Roto");
  }
}
