// The TXT and CSV exports byte for byte, the text import line by line, and
// the round trip of the notes through both.
#include "base/clock.h"
#include "calendar/dates.h"
#include "exchange/html_export.h"
#include "exchange/text_export.h"
#include "exchange/predecessor_import.h"
#include "exchange/text_import.h"
#include "notes/notes_store.h"
#include "program_dir.h"

namespace {

class Exchange : public ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    WriteBytes(PathOf(NotesFileIndex), Bytes(NotesFileSize, 0));
  }
  // A note kept since 5 March 2007, 9:07.
  void Keep(int day, int month, const char* text) {
    NoteRecord record{ToFileTime({2007, 3, 1, 5, 9, 7, 0, 0}), {}};
    std::snprintf(record.Text, sizeof record.Text, "%s", text);
    ASSERT_EQ(WriteNote(day, month, &record, 1), 1);
  }
  std::string Export(int action, int year, std::initializer_list<int> months, int update = 0, int empty = 0,
                     int iso = 0) {
    WizardChoices choices{};
    for (int m : months) choices.MonthSelected[m - 1] = 1;
    choices.Action = action;
    choices.IncludeUpdateDate = update;
    choices.IncludeDaysWithoutNotes = empty;
    choices.IsoDates = iso;
    const std::string path = PathOf("export.txt");
    EXPECT_EQ(WriteTextExport(path.c_str(), choices, year), 1);
    const Bytes bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
  }
  std::string Note(int day, int month) {
    NoteRecord record{};
    ReadNote(day, month, &record);
    return record.Text;
  }
  int Import(const std::string& text, int add = 0) {
    const std::string path = PathOf("import.txt");
    WriteBytes(path, Bytes(text.begin(), text.end()));
    int errors = 0;
    EXPECT_EQ(ImportTextFile(path.c_str(), add, &errors), 1);
    return errors;
  }
  std::string Log() {
    const Bytes bytes = ReadBytes(PathOf(ImportErrorsFileIndex));
    return std::string(bytes.begin(), bytes.end());
  }
};

const std::string kTxtHeader = "\"Fecha\";\"Notas\"\r\n";

TEST_F(Exchange, TheExportsByteForByte) {
  Keep(5, 3, "Dentista");
  Keep(29, 2, "Bisiesto");
  EXPECT_EQ(Export(ActionTextExport, 2007, {}), kTxtHeader);
  EXPECT_EQ(kTxtHeader.size(), 17u);
  EXPECT_EQ(Export(ActionTextExport, 2007, {3}), kTxtHeader + "5/3/2007;\"Dentista\"\r\n");
  EXPECT_EQ(Export(ActionCsvExport, 2007, {3}), "\"Fecha\",\"Notas\"\r\n5/3/2007,\"Dentista\"\r\n");
  EXPECT_EQ(Export(ActionTextExport, 2007, {3}, 0, 0, 1), kTxtHeader + "2007-03-05;\"Dentista\"\r\n");
  EXPECT_EQ(Export(ActionTextExport, 2007, {3}, 1),
            kTxtHeader + "5/3/2007;\"Dentista (actualizada el: 5/3/2007 09h:07m)\"\r\n");
  EXPECT_EQ(Export(ActionTextExport, 2007, {3}, 1, 0, 1),
            kTxtHeader + "2007-03-05;\"Dentista (actualizada el: 2007-03-05 09:07)\"\r\n");
  // 29 February only in a leap year; days without notes end at the separator.
  EXPECT_EQ(Export(ActionTextExport, 2007, {2}), kTxtHeader);
  EXPECT_EQ(Export(ActionTextExport, 2008, {2}), kTxtHeader + "29/2/2008;\"Bisiesto\"\r\n");
  const std::string every = Export(ActionCsvExport, 2008, {2, 3}, 0, 1);
  EXPECT_EQ(std::count(every.begin(), every.end(), '\n'), 1 + 29 + 31);
  EXPECT_NE(every.find("\r\n1/2/2008,\r\n2/2/2008,\r\n"), std::string::npos);
  // A quote inside a note is doubled; a line break stays inside the quotes.
  Keep(6, 3, "dijo \"hola\"\r\ny se fue");
  EXPECT_EQ(Export(ActionTextExport, 2007, {3}),
            kTxtHeader + "5/3/2007;\"Dentista\"\r\n6/3/2007;\"dijo \"\"hola\"\"\r\ny se fue\"\r\n");
}

TEST_F(Exchange, ImportReadsEachLineByItsPositions) {
  struct Case {
    const char* line;
    int day, month;  // 0: no note stored
    const char* note;
    bool logged;
  } const cases[] = {
      {"5/3/2007;\"Dentista\"", 5, 3, "Dentista", false},
      {"05/03/2007,\"a;b,c\"", 5, 3, "a;b,c", false},
      {"5/03/2007;\"x\"", 5, 3, "x", false},
      {"2007-03-05;\"x\"", 5, 3, "x", false},
      {"2007-3-5;\"x\"", 5, 3, "x", false},
      {"2007-3-15;\"x\"", 15, 3, "x", false},
      {"15/3/2007;\"x\"", 15, 3, "x", false},
      {"5/3/2007;Dentista", 5, 3, "Dentista", false},
      {"5/3/2007;\"dijo \"\"hola\"\"\"", 5, 3, "dijo \"hola\"", false},
      {"5/3/2007;", 0, 0, "", false},
      {"5/3/2007;\"\"", 0, 0, "", false},
      {"sin separador", 0, 0, "", false},
      {"1/1/207;\"x\"", 0, 0, "", true},
      {"11/11/20071;\"x\"", 0, 0, "", true},
      {"29/2/2008;\"x\"", 0, 0, "", true},
      {"31/4/2007;\"x\"", 0, 0, "", true},
      {"0/1/2007;\"x\"", 0, 0, "", true},
      {"2007/03/05;\"x\"", 0, 0, "", true},
  };
  for (const Case& c : cases) {
    WriteBytes(PathOf(NotesFileIndex), Bytes(NotesFileSize, 0));
    std::filesystem::remove(PathOf(ImportErrorsFileIndex));
    EXPECT_EQ(Import(kTxtHeader + c.line + "\r\n"), c.logged ? 1 : 0) << c.line;
    if (c.day) {
      EXPECT_EQ(Note(c.day, c.month), c.note) << c.line;
    }
    int32_t flags[31];
    int notes = 0;
    for (int m = 1; m <= 12; ++m)
      if (ReadMonthFlags(m, flags)) notes += static_cast<int>(std::count_if(flags, flags + 31, [](int32_t f) { return f; }));
    EXPECT_EQ(notes, c.day ? 1 : 0) << c.line;
    if (c.logged) {
      EXPECT_EQ(Log(), std::string("\r\nLínea: 2 (formato incorrecto) ") + c.line);
    }
  }
  EXPECT_TRUE(g_shown.empty());
}

TEST_F(Exchange, ImportKeepsEveryLineAndEveryLetter) {
  // Bare line feeds, no line end at the last line: nothing is lost.
  EXPECT_EQ(Import("\"Fecha\";\"Notas\"\n5/3/2007;\"Dentista\"\n6/3/2007;\"Cine\""), 0);
  EXPECT_EQ(Note(5, 3), "Dentista");
  EXPECT_EQ(Note(6, 3), "Cine");
  // The first line is the header, whatever it holds; a long note is cut.
  Import("7/3/2007;\"perdida\"\r\n8/3/2007;\"" + std::string(300, 'n') + "\"\r\n8/3/2007;\"corta\"\r\n");
  EXPECT_EQ(Note(7, 3), "");
  EXPECT_EQ(Note(8, 3), "corta");
  // Adding joins the texts without a separator, cut at 255.
  Import(kTxtHeader + "5/3/2007;\"Dentista\"\r\n", 1);
  EXPECT_EQ(Note(5, 3), "DentistaDentista");
  // A quoted note may span lines, and the rows behind it keep their numbers;
  // a quote left open or a lone quote inside ends the note at its own line.
  EXPECT_EQ(Import(kTxtHeader + "9/3/2007;\"dos\r\nlíneas\"\r\n1/1/207;\"a\"\r\n10/3/2007;\"abierta\r\n" +
                   "11/3/2007;\"sigue\"\r\n12/3/2007;\"a\"b\r\nc\"\r\n"),
            1);
  EXPECT_EQ(Note(9, 3), "dos\r\nlíneas");
  EXPECT_EQ(Log(), "\r\nLínea: 4 (formato incorrecto) 1/1/207;\"a\"");
  EXPECT_EQ(Note(10, 3), "abierta");
  EXPECT_EQ(Note(11, 3), "sigue");
  EXPECT_EQ(Note(12, 3), "a\"b");
  // Two bad lines: the log lists both, in order.
  EXPECT_EQ(Import(kTxtHeader + "1/1/207;\"a\"\r\n31/4/2007;\"b\"\r\n"), 1);
  EXPECT_EQ(Log(), "\r\nLínea: 2 (formato incorrecto) 1/1/207;\"a\"\r\nLínea: 3 (formato incorrecto) 31/4/2007;\"b\"");
}

TEST_F(Exchange, ImportRefusesWhatItCannotHold) {
  const std::string path = PathOf("import.txt");
  int errors = 0;
  std::string text = kTxtHeader + "5/3/2007;\"x\"\r\n";
  text.resize(MaxImportFileSize, ' ');
  WriteBytes(path, Bytes(text.begin(), text.end()));
  EXPECT_EQ(ImportTextFile(path.c_str(), 0, &errors), 1);
  EXPECT_EQ(Note(5, 3), "x");
  text += ' ';
  WriteBytes(path, Bytes(text.begin(), text.end()));
  EXPECT_EQ(ImportTextFile(path.c_str(), 0, &errors), 0);
  WriteBytes(path, {});
  EXPECT_EQ(ImportTextFile(path.c_str(), 0, &errors), 0);
  EXPECT_EQ(g_shown, (std::vector<std::string>{"El tamaño del archivo excede la capacidad disponible"}));
}

TEST_F(Exchange, NotesGoOutAndComeBackUnchanged) {
  const std::pair<int, const char*> notes[] = {
      {1, "Año nuevo"}, {5, "Dentista; 9h, \"urgente\""}, {6, "dos\r\nlíneas\r\n"}, {31, "fin\""}};
  for (int action : {ActionTextExport, ActionCsvExport})
    for (int iso : {0, 1})
      for (int empty : {0, 1}) {
        WriteBytes(PathOf(NotesFileIndex), Bytes(NotesFileSize, 0));
        for (const auto& [day, text] : notes) Keep(day, 1, text);
        const std::string file = Export(action, 2007, {1}, 0, empty, iso);
        // Replacing gives the notes back; adding doubles each of them.
        EXPECT_EQ(Import(file, 0), 0);
        for (const auto& [day, text] : notes) EXPECT_EQ(Note(day, 1), text) << action << iso << empty;
        EXPECT_EQ(Import(file, 1), 0);
        for (const auto& [day, text] : notes) EXPECT_EQ(Note(day, 1), std::string(text) + text) << action << iso;
        EXPECT_EQ(Note(2, 1), "") << "a day without a note stays without";
      }
  // With the update date, it becomes part of the note.
  WriteBytes(PathOf(NotesFileIndex), Bytes(NotesFileSize, 0));
  Keep(5, 3, "Dentista");
  EXPECT_EQ(Import(Export(ActionCsvExport, 2007, {3}, 1)), 0);
  EXPECT_EQ(Note(5, 3), "Dentista (actualizada el: 5/3/2007 09h:07m)");
}

}  // namespace

namespace {

TEST(HtmlExport, TheMonthTable) {
  int32_t flags[31] = {};
  flags[4] = 1;  // 5 March
  std::string table;
  BuildMonthTable(&table, 2007, 31, 3, flags, 0);
  EXPECT_EQ(table,
            "<DIV id=calendario>\r\n <TABLE id=calendario>\r\n  <TBODY>\r\n"
            "    <TR><TH id=marzo colSpan=7>marzo 2007</TH>\r\n"
            "    <TR id=nomdia><TD>l<TD>m<TD>x<TD>j<TD>v<TD>s<TD>d\r\n"
            "    <TR><TD><TD><TD><TD>1<TD>2<TD>3<TD id=domingo>4\r\n"
            "    <TR><TD id=nota>5<TD>6<TD>7<TD>8<TD>9<TD>10<TD id=domingo>11\r\n"
            "    <TR><TD>12<TD>13<TD>14<TD>15<TD>16<TD>17<TD id=domingo>18\r\n"
            "    <TR><TD>19<TD>20<TD>21<TD>22<TD>23<TD>24<TD id=domingo>25\r\n"
            "    <TR><TD>26<TD>27<TD>28<TD>29<TD>30<TD>31\r\n"
            "  </TBODY>\r\n </TABLE>\r\n</DIV>\r\n");
  const int32_t none[31] = {};
  BuildMonthTable(&table, 2007, 31, 1, none, 0);  // starts on a Monday
  EXPECT_NE(table.find("<TR><TD>1<TD>2"), std::string::npos);
  BuildMonthTable(&table, 2007, 30, 4, none, 0);  // starts on a Sunday
  EXPECT_NE(table.find("<TR><TD><TD><TD><TD><TD><TD><TD id=domingo>1\r\n"), std::string::npos);
  BuildMonthTable(&table, 2007, 30, 9, none, 0);  // ends on a Sunday
  EXPECT_NE(table.find("<TD id=domingo>30\r\n    <TR>\r\n  </TBODY>"), std::string::npos);
}

TEST(HtmlExport, HeaderCreationLineAndMenu) {
  std::string text;
  BuildHtmlHeader(&text, 2008, 0, LocalTime{2007, 3, 1, 5, 9, 7, 0, 0});
  EXPECT_EQ(text.substr(0, 106),
            "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n<HTML><HEAD><TITLE>Calendario "
            "2008</TITLE>");
  const std::string tail = "</HEAD>\r\n<BODY>\r\n<P>Página creada el lunes, 5 de marzo de 2007, a las 09:07 h.<BR><BR>\r\n";
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  BuildHtmlHeader(&text, 2007, 0, LocalTime{2007, 3, 0, 4, 19, 30, 0, 0});
  EXPECT_NE(text.find("el domingo, 4 de marzo"), std::string::npos);
  int32_t months[12] = {};
  text.clear();
  BuildMonthMenu(&text, 0, months);
  EXPECT_EQ(text, "<DIV id=menu>\r\n</DIV>\r\n");
  months[2] = months[11] = 1;
  text.clear();
  BuildMonthMenu(&text, 0, months);
  EXPECT_EQ(text, "<DIV id=menu>\r\n  <A href=\"#marzo\">marzo</A>\r\n  <A href=\"#diciembre\">diciembre</A>\r\n</DIV>\r\n");
}

TEST_F(Exchange, TheWebPageListsTheNotesAsText) {
  Keep(5, 3, "Cita <b>&</b>");
  WizardChoices choices{};
  choices.MonthSelected[2] = 1;
  const std::string path = PathOf("calendario.htm");
  ASSERT_EQ(ExportNotes(path.c_str(), choices, 2007, 0), 1);
  const Bytes bytes = ReadBytes(path);
  const std::string page(bytes.begin(), bytes.end());
  EXPECT_NE(page.find("<TD id=nota>5"), std::string::npos);
  const std::string end = "<DIV id=notas>\r\n<P>5/3/2007-Cita &lt;b&gt;&amp;&lt;/b&gt;\r\n</DIV>\r\n<HR></BODY></HTML>";
  EXPECT_EQ(page.substr(page.size() - end.size()), end);
}

}  // namespace

namespace {

class Predecessor : public Exchange {
 protected:
  // The predecessor's two files with notes on the given days.
  void WriteFiles(const std::vector<std::pair<std::pair<int, int>, std::string>>& notes, size_t databaseSize) {
    Bytes flags(1600, 0xCC), database(databaseSize, 0x20);
    std::fill_n(flags.begin() + PredecessorFlagsOffset, 12 * 31 * 4, 0);
    for (const auto& [date, text] : notes) {
      const auto [day, month] = date;
      flags[PredecessorFlagsOffset + 4 * (31 * (month - 1) + day - 1)] = 1;
      const uint32_t at = PredecessorNoteOffset(ToDayIndex(day, month));
      if (at + text.size() < database.size()) std::copy(text.begin(), text.end(), database.begin() + at);
    }
    WriteBytes(PathOf(PredecessorFlagsName), flags);
    WriteBytes(PathOf(PredecessorNotesName), database);
  }
  static constexpr size_t kFullDatabase = 129 + 174 * 366;
};

TEST_F(Predecessor, NotesComeFromTheirFixedPlaces) {
  Keep(5, 3, std::string(200, 'v').c_str());
  Keep(2, 3, "intacta");
  WriteFiles({{{1, 1}, std::string(169, 'a')},
              {{29, 2}, std::string("bisiesto\0", 9)},
              {{31, 2}, std::string("no existe\0", 10)},
              {{1, 3}, std::string("marzo  \0", 8)},
              {{5, 3}, std::string(100, 'n') + '\0'},
              {{31, 12}, std::string("fin\0", 4)}},
             kFullDatabase);
  ASSERT_EQ(ImportPredecessorNotes(PathOf(PredecessorNotesName).c_str(), 1), 1);
  EXPECT_EQ(Note(1, 1), std::string(169, 'a'));
  EXPECT_EQ(Note(29, 2), "bisiesto");
  EXPECT_EQ(Note(1, 3), "marzo  ") << "padding stays";
  EXPECT_EQ(Note(5, 3), std::string(200, 'v') + std::string(55, 'n'));
  EXPECT_EQ(Note(31, 12), "fin");
  EXPECT_EQ(Note(2, 3), "intacta") << "a flag for 31 February writes no other day";
  EXPECT_TRUE(g_shown.empty());
}

TEST_F(Predecessor, AShortDatabaseSkipsTheDaysItLacks) {
  WriteFiles({{{1, 1}, std::string("enero\0", 6)}, {{31, 12}, std::string("fin\0", 4)}}, 1000);
  ASSERT_EQ(ImportPredecessorNotes(PathOf(PredecessorNotesName).c_str(), 0), 1);
  EXPECT_EQ(Note(1, 1), "enero");
  EXPECT_EQ(g_shown, (std::vector{FileMessage("leer", PathOf(PredecessorNotesName))}));
  std::filesystem::remove(PathOf(PredecessorFlagsName));
  g_shown.clear();
  EXPECT_EQ(ImportPredecessorNotes(PathOf(PredecessorNotesName).c_str(), 0), 0);
  EXPECT_EQ(g_shown, (std::vector{FileMessage("abrir", PathOf(PredecessorFlagsName))}));
}

}  // namespace
