// The today page and the whole-file page, byte for byte, and the URL the
// viewer is handed.
#include "infofiles/info_pages.h"
#include "info_file_builder.h"
#include "program_dir.h"

namespace {

CalendarSettings Day(int day, int month, int year = 2007) {
  return {.ShownMonth = month, .ShownYear = year, .SelectedDay = day};
}

using Pages = ProgramDirTest;

// The date paragraph: the days left and gone, the ISO 8601 dates (the week
// date in its own year) and the day's moon phase. The today page: the date
// paragraph, the day's texts of the chosen files in their stored order (the
// copies' TextSize plays no part) and the month's moon phases. The whole-file
// page: every text dated in the leap-year numbering; a title filling its
// field ends there.
TEST_F(Pages, TheDateParagraphTheTodayPageTheWholeFilePageAndTheirUrl) {
  std::string paragraph = "replaced", head;  // head: what every page opens with
  AppendPageFrame(PageHead, &head);
  EXPECT_EQ(BuildDateParagraph(Day(31, 12), &paragraph), 366);
  EXPECT_EQ(paragraph,
            "<P id=p1>lunes, 31 - diciembre\r\n<P>Quedan 0 días de 2007, han pasado 365\r\n<P><IMG src=\"iso.gif\">"
            "2007-12-31 - 2008-W01-1<P><IMG src=\"l4.gif\">Menguante -  7h 51m - Libra\r\n");
  WriteBytes(PathOf(SettingsFileIndex), Bytes(TodaySelectionOffset, 0));
  EXPECT_EQ(BuildTodayPage(Day(5, 3)), 0);
  InfoFileHeader chosen[] = {WriteInfoFile(dir, "b_2007.cal", 2, "B", {{65, "<P>Sol: 8h 01m"}}),
                             WriteInfoFile(dir, "a_2007.cal", 1, "A", {{64, "<P>ayer"}, {65, "<P>hoy"}})};
  for (InfoFileHeader& h : chosen) h.SelectionOrder = 1;
  chosen[0].TextSize = 0;
  ASSERT_EQ(SaveTodaySelection(chosen, 2), 1);
  ASSERT_EQ(BuildTodayPage(Day(5, 3)), 1);
  EXPECT_EQ(
      ReadText(PathOf(TempPageFileIndex)),
      head + ("<P id=p1>lunes,  5 - marzo\r\n<P>Quedan 301 días de 2007, han pasado 64\r\n<P><IMG src=\"iso.gif\">"
              "2007-03-05 - 2007-W10-1<P>Sol: 8h 01m<P>hoy\r\n<TABLE><CAPTION>Fases lunares</CAPTION>\r\n"
              "<TR><TD id=t1><IMG src=\"l3.gif\">Llena<TD>sábado,  3<TD>23h 17m<TD>Virgo\r\n"
              "<TR><TD id=t1><IMG src=\"l4.gif\">Menguante<TD>lunes, 12<TD> 3h 54m<TD>Sagitario\r\n"
              "<TR><TD id=t1><IMG src=\"l1.gif\">Nueva<TD>lunes, 19<TD> 2h 42m<TD>Piscis\r\n"
              "<TR><TD id=t1><IMG src=\"l2.gif\">Creciente<TD>domingo, 25<TD>18h 16m<TD>Cáncer\r\n"
              "</TABLE>\r\n</BODY></HTML>"));
  EXPECT_EQ(g_shown, (std::vector<std::string>{"No hay archivo de información seleccionado"}));
  InfoFileHeader h = WriteInfoFile(dir, "d_2007.cal", 4, "", {{60, "<P>bisiesto"}, {61, "<P>marzo"}, {62, "nada"}});
  std::memset(h.Title, 'T', sizeof h.Title);
  ASSERT_EQ(BuildWholeFilePage(Day(5, 3), h), 1);
  EXPECT_EQ(ReadText(PathOf(TempPageFileIndex)),
            head + ("\r\n<P id=p1>" + std::string(66, 'T') +
                    "<P>Archivo: d_2007.cal<HR>\r\n"
                    "<P>29 - febrero:<P><P>bisiesto<P> 1 - marzo:<P><P>marzo<HR></BODY></HTML>"));
  // The URL: "file://" and the path with slashes, every byte lower-cased as
  // Windows-1252 does it; "" when it does not fit in 260 bytes.
  const std::string upper = "ABCDEFGHIJKLMNOPQRSTUVWXYZŠŒŽŸÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ";
  const std::string lower = "abcdefghijklmnopqrstuvwxyzšœžÿàáâãäåæçèéêëìíîïðñòóôõöøùúûüýþ";
  for (int c = 1; c < 256; ++c) {
    const size_t at = upper.find(static_cast<char>(c));
    const char expected = c == '\\' ? '/' : at == std::string::npos ? static_cast<char>(c) : lower[at];
    EXPECT_EQ(MakeFileUrl(std::string(1, static_cast<char>(c)).c_str()), std::string("file://") + expected) << c;
  }
  EXPECT_EQ(MakeFileUrl(std::string(253, 'a').c_str()), "");
}

}  // namespace
