#include "exchange/html_export.h"

#include <cstdio>

#include "base/program_files.h"
#include "calendar/dates.h"
#include "calendar/names.h"
#include "exchange/text_export.h"
#include "notes/notes_store.h"

static constexpr char kHeaderTop[] =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n"
    "<HTML><HEAD><TITLE>Calendario ";
static constexpr char kHeaderRest[] =
    "</TITLE>\r\n"
    "<META content=es name=lang>\r\n"
    " <META http-equiv=Content-Type content=\"text/html ; charset=ISO-8859-1\">\r\n"
    " <META content=España name=locality>\r\n"
    " <META content=\"Equipo de Oristel - http://www.example.org/oristel/\" name=author>\r\n"
    " <META content=\"Oristel 2007\" name=GENERATOR>\r\n"
    "<STYLE type=text/css>\r\n"
    "    BODY {font-family: Verdana, Arial, Helvetica, sans-serif; font-size: xx-small; background-color: #ffffff}\r\n"
    "    A:link {text-decoration: none}\r\n"
    "    A:hover {color: black; background-color: #ffffcc}\r\n"
    "    A:visited {color: blue; text-decoration: none}\r\n"
    "    DIV#menu {padding: 0.3em 0px 0.3em 0px; border-bottom: gray thin solid; background-color: #ffcc33}\r\n"
    "    #menu A {padding: 0.2em 0.5em 0.2em 0.5em}\r\n"
    "    DIV#calendario {margin-top: 3em; padding-left: 35%}\r\n"
    "    TABLE#calendario {font-family: Arial,Helvetica; text-align: center; font-size: xx-small;  background-color: "
    "white; border-collapse: collapse; border-top: silver thin solid; border-right: gray thin solid; border-left: "
    "silver thin solid; border-bottom: gray thin solid }\r\n"
    "    #calendario TH {font-weight: bolder; background-color: #ffffcc}\r\n"
    "    #calendario TD {width: 2em}\r\n"
    "    TR#nomdia {background-color: #99ccff}\r\n"
    "    TD#domingo {background-color: #99ccff}\r\n"
    "    TD#nota {border: thin solid red; background-color: lime}\r\n"
    "    DIV#notas {padding-bottom: 2em; margin: 0px 4em; border-bottom: silver thin solid}\r\n"
    "  </STYLE>\r\n"
    "</HEAD>\r\n"
    "<BODY>\r\n"
    "<P>";

void BuildHtmlHeader(std::string* text, int year, int language, const LocalTime& now) {
  text->assign(kHeaderTop);
  *text += std::to_string(year);
  *text += kHeaderRest;
  // LocalTime counts the weekdays from Sunday 0; the names from Monday 1.
  const int weekday = now.DayOfWeek == 0 ? 7 : now.DayOfWeek;
  char line[160];
  std::snprintf(line, sizeof line, "Página creada el %s, %i de %s de %i, a las %02i:%02i h.<BR><BR>\r\n",
                WeekdayName(language, weekday), now.Day, MonthName(language, now.Month), now.Year, now.Hour,
                now.Minute);
  *text += line;
}

void BuildMonthMenu(std::string* text, int language, const int32_t monthSelected[12]) {
  *text += "<DIV id=menu>\r\n";
  for (int m = 1; m <= 12; ++m) {
    if (!monthSelected[m - 1]) continue;
    const char* name = MonthName(language, m);
    *text += "  <A href=\"#";
    *text += name;
    *text += "\">";
    *text += name;
    *text += "</A>\r\n";
  }
  *text += "</DIV>\r\n";
}

void BuildMonthTable(std::string* text, int year, int days, int month, const int32_t flags[31], int language) {
  const char* name = MonthName(language, month);
  text->assign("<DIV id=calendario>\r\n <TABLE id=calendario>\r\n  <TBODY>\r\n    <TR><TH id=");
  *text += name;
  *text += " colSpan=7>";
  *text += name;
  *text += ' ';
  *text += std::to_string(year);
  *text += "</TH>\r\n    <TR id=nomdia>";
  for (int column = 0; column < 7; ++column) {
    *text += "<TD>";
    *text += WeekdayInitials(language, column);
  }
  *text += "\r\n    <TR>";
  const int first = DayOfWeek(1, month, year);
  for (int k = 1; k < first; ++k) *text += "<TD>";
  int column = first;
  for (int d = 1; d <= days && d <= 31; ++d) {
    const bool note = flags[d - 1] != 0;
    *text += note ? "<TD id=nota>" : column == 7 ? "<TD id=domingo>" : "<TD>";
    *text += std::to_string(d);
    if (column == 7) *text += "\r\n    <TR>";
    column = column == 7 ? 1 : column + 1;
  }
  *text += "\r\n  </TBODY>\r\n </TABLE>\r\n</DIV>\r\n";
}

int WriteHtmlCalendar(const char* path, const WizardChoices& choices, int year, int language) {
  NotesImage notes;
  if (!ReadNotesImage(&notes)) return 0;
  OutputFile file;
  if (!CreateOutputFile(&file, path)) return 0;
  std::string part;
  BuildHtmlHeader(&part, year, language, OsLocalTime());
  BuildMonthMenu(&part, language, choices.MonthSelected);
  PutOutput(&file, part);
  for (int m = 1; m <= 12; ++m) {
    if (!choices.MonthSelected[m - 1]) continue;
    const int days = DaysInMonth(m, year);
    int32_t flags[31];
    MonthFlagsFromImage(notes, m, flags);
    BuildMonthTable(&part, year, days, m, flags, language);
    part += "<DIV id=notas>\r\n";
    PutOutput(&file, part);
    PutDayLines(days, m, year, &file, notes, choices);
    PutOutput(&file, "</DIV>\r\n");
  }
  PutOutput(&file, "<HR></BODY></HTML>");
  return CloseOutputFile(&file);
}

int ExportNotes(const char* path, const WizardChoices& choices, int year, int language) {
  if (choices.Action == ActionWebPage) return WriteHtmlCalendar(path, choices, year, language);
  return WriteTextExport(path, choices, year);
}
