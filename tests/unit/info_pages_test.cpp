// The today page and the whole-file page, byte for byte, and the URL the
// viewer is handed.
#include "info_file_builder.h"
#include "program_dir.h"
#include "infofiles/info_pages.h"

namespace {

CalendarSettings Day(int day, int month, int year = 2007, int language = 0) {
  CalendarSettings s{};
  s.SelectedDay = day;
  s.ShownMonth = month;
  s.ShownYear = year;
  s.Language = language;
  return s;
}

TEST(DateParagraph, DatesIsoLinesAndTheMoon) {
  struct Case {
    CalendarSettings day;
    int index;
    const char* paragraph;
  } const cases[] = {
      {Day(5, 3), 65,
       "<P id=p1>lunes,  5 - marzo\r\n<P>Quedan 301 días de 2007, han pasado 64\r\n"
       "<P><IMG src=\"iso.gif\">2007-03-05 - 2007-W10-1"},
      {Day(3, 3), 63,
       "<P id=p1>sábado,  3 - marzo\r\n<P>Quedan 303 días de 2007, han pasado 62\r\n"
       "<P><IMG src=\"iso.gif\">2007-03-03 - 2007-W09-6<P><IMG src=\"l3.gif\">Llena - 23h 17m - Virgo\r\n"},
      // The calendar date keeps its year; the week date takes the ISO year.
      {Day(31, 12), 366,
       "<P id=p1>lunes, 31 - diciembre\r\n<P>Quedan 0 días de 2007, han pasado 365\r\n"
       "<P><IMG src=\"iso.gif\">2007-12-31 - 2008-W01-1<P><IMG src=\"l4.gif\">Menguante -  7h 51m - Libra\r\n"},
      // A phase at midnight keeps its blank-filled hour.
      {Day(30, 7), 212,
       "<P id=p1>lunes, 30 - julio\r\n<P>Quedan 154 días de 2007, han pasado 211\r\n"
       "<P><IMG src=\"iso.gif\">2007-07-30 - 2007-W31-1<P><IMG src=\"l3.gif\">Llena -  0h 48m - Acuario\r\n"},
  };
  for (const Case& c : cases) {
    std::string page = "replaced";
    EXPECT_EQ(BuildDateParagraph(c.day, &page), c.index);
    EXPECT_EQ(page, c.paragraph);
  }
}

TEST(MoonTable, TheMonthsPhasesWithTheWeekdaysOf2007) {
  std::string table;
  BuildMoonTable(Day(3, 3, 2010), &table);
  EXPECT_EQ(table,
            "\r\n<TABLE><CAPTION>Fases lunares</CAPTION>\r\n"
            "<TR><TD id=t1><IMG src=\"l3.gif\">Llena<TD>sábado,  3<TD>23h 17m<TD>Virgo\r\n"
            "<TR><TD id=t1><IMG src=\"l4.gif\">Menguante<TD>lunes, 12<TD> 3h 54m<TD>Sagitario\r\n"
            "<TR><TD id=t1><IMG src=\"l1.gif\">Nueva<TD>lunes, 19<TD> 2h 42m<TD>Piscis\r\n"
            "<TR><TD id=t1><IMG src=\"l2.gif\">Creciente<TD>domingo, 25<TD>18h 16m<TD>Cáncer\r\n"
            "</TABLE>\r\n</BODY></HTML>");
}

using Pages = ProgramDirTest;

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }
std::string Head() {
  std::string head;
  AppendPageFrame(PageHead, &head);
  return head;
}

TEST_F(Pages, TheTodayPageJoinsTheChosenFilesTexts) {
  WriteBytes(PathOf(SettingsFileIndex), Bytes(TodaySelectionOffset, 0));
  EXPECT_EQ(BuildTodayPage(Day(5, 3)), 0);
  EXPECT_EQ(g_shown, (std::vector<std::string>{"No hay archivo de información seleccionado"}));
  EXPECT_FALSE(std::filesystem::exists(PathOf(TempPageFileIndex)));

  // The stored copies' TextSize plays no part in the page.
  InfoFileHeader chosen[] = {WriteInfoFile(dir, "a_2007.cal", 1, "A", {{64, "<P>otro"}}),
                             WriteInfoFile(dir, "b_2007.cal", 2, "B", {{65, "<P>Sol: 8h 01m"}}),
                             WriteInfoFile(dir, "c_2007.cal", 3, "C", {})};
  for (uint32_t i = 0; i < 3; ++i) chosen[i].SelectionOrder = i + 1;
  chosen[1].TextSize = 0;
  ASSERT_EQ(SaveTodaySelection(chosen, 3), 1);
  g_shown.clear();
  ASSERT_EQ(BuildTodayPage(Day(5, 3)), 1);
  std::string paragraph, table;
  BuildDateParagraph(Day(5, 3), &paragraph);
  BuildMoonTable(Day(5, 3), &table);
  EXPECT_EQ(Text(ReadBytes(PathOf(TempPageFileIndex))), Head() + paragraph + "<P>Sol: 8h 01m" + table);
  EXPECT_TRUE(g_shown.empty());
}

TEST_F(Pages, TheWholeFilePageDatesEveryTextInTheLeapYearNumbering) {
  InfoFileHeader h = WriteInfoFile(dir, "d_2007.cal", 4, "", {{60, "<P>bisiesto"}, {61, "<P>marzo"}, {62, "nada"}});
  std::memset(h.Title, 'T', sizeof h.Title);  // a title filling its field ends there
  ASSERT_EQ(BuildWholeFilePage(Day(5, 3), h), 1);
  EXPECT_EQ(Text(ReadBytes(PathOf(TempPageFileIndex))), Head() + "\r\n<P id=p1>" + std::string(66, 'T') + "<P>Archivo: d_2007.cal<HR>\r\n"
                        "<P>29 - febrero:<P><P>bisiesto<P> 1 - marzo:<P><P>marzo<HR></BODY></HTML>");
}

TEST(FileUrl, LowerCaseWithSlashes) {
  EXPECT_EQ(MakeFileUrl("C:\\Prog\\Cal_Temp.HTM"), "file://c:/prog/cal_temp.htm");
  EXPECT_EQ(MakeFileUrl("C:\\Árbol ÑandÚ\\×.htm"), "file://c:/árbol ñandú/×.htm");
  EXPECT_EQ(MakeFileUrl(std::string(253, 'a').c_str()), "");  // "file://" and the path do not fit in 260 bytes
}

}  // namespace
