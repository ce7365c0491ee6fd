#include "pages.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "calendar/dates.h"
#include "calendar/moon.h"
#include "calendar/names.h"
#include "calendar/regions.h"
#include "day_texts.h"
#include "info_packer.h"

static const char kOverviewHead[] =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
    "<HTML><HEAD><TITLE>El año 2007</TITLE>\r\n"
    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\">\r\n"
    "<STYLE type=\"text/css\">\r\n"
    "BODY {MARGIN: 1em 2em; FONT-SIZE: 9pt; FONT-FAMILY: Verdana, Arial, sans-serif; BACKGROUND-COLOR: #f7f7ef}\r\n"
    "H1 {FONT-SIZE: 150%; COLOR: green} H2 {FONT-SIZE: 120%; COLOR: green; MARGIN-TOP: 1.5em}\r\n"
    "TABLE.mes {BORDER-COLLAPSE: collapse; MARGIN: 0 1.5em 1em 0}\r\n"
    "TABLE.mes CAPTION {FONT-WEIGHT: bold; BACKGROUND-COLOR: #ddd; PADDING: 0.3ex}\r\n"
    "TABLE.mes TH {COLOR: #555; FONT-WEIGHT: normal; WIDTH: 2.2em}\r\n"
    "TABLE.mes TD {TEXT-ALIGN: right; PADDING: 0.2ex 0.5em; BACKGROUND-COLOR: #eee}\r\n"
    "TABLE.mes TD.dom {COLOR: #c00000}\r\n"
    "TABLE.mes TD.fes {COLOR: white; FONT-WEIGHT: bold; BACKGROUND-COLOR: #c00000}\r\n"
    "TABLE.lista TD {PADDING: 0.3ex 1em; BACKGROUND-COLOR: #eee; VERTICAL-ALIGN: middle}\r\n"
    "</STYLE></HEAD><BODY>\r\n";

// The month grid: weekday initials, then the weeks from Monday.
static std::string MonthGrid(int month) {
  const int32_t noOwnHolidays[LocalHolidaySlots] = {};
  int32_t classes[31];
  ClassifyMonth(month, DataYear, noOwnHolidays, 0, classes);
  std::string html = "<TABLE class=mes><CAPTION>" + std::string(MonthName(0, month)) + "</CAPTION>\r\n<TR>";
  for (int column = 0; column < 7; ++column) html += std::string("<TH>") + WeekdayInitials(0, column);
  html += "\r\n<TR>";
  const int first = DayOfWeek(1, month, DataYear), days = DaysInMonth(month, DataYear);
  for (int column = 1; column < first; ++column) html += "<TD>&nbsp;";
  for (int day = 1, column = first; day <= days; ++day, ++column) {
    if (column > 7) column = 1, html += "\r\n<TR>";
    const char* cell = classes[day - 1] == PublicHoliday ? "<TD class=fes>" : column == 7 ? "<TD class=dom>" : "<TD>";
    html += cell + std::to_string(day);
  }
  return html + "\r\n</TABLE>\r\n";
}

static std::string DateText(int day, int month) {
  return std::string(WeekdayName(0, DayOfWeek(day, month, DataYear))) + ", " + std::to_string(day) + " de " +
         MonthName(0, month);
}

std::string YearOverviewPage() {
  std::string html = kOverviewHead;
  html += "<H1>El año 2007</H1>\r\n<P>Los domingos en rojo; las fiestas nacionales sobre fondo rojo.\r\n";
  html += "<TABLE>\r\n";
  for (int row = 0; row < 4; ++row) {
    html += "<TR>";
    for (int column = 0; column < 3; ++column) html += "<TD valign=top>\r\n" + MonthGrid(row * 3 + column + 1);
    html += "\r\n";
  }
  html += "</TABLE>\r\n<H2>Fiestas nacionales de 2007</H2>\r\n<TABLE class=lista>\r\n";
  const int32_t noOwnHolidays[LocalHolidaySlots] = {};
  for (int month = 1; month <= 12; ++month)
    for (int day = 1; day <= DaysInMonth(month, DataYear); ++day)
      if (ClassifyDay(day, month, DataYear, noOwnHolidays, 0) == PublicHoliday)
        html += "<TR><TD>" + DateText(day, month) + "<TD>" + NationalHolidayName(month, day) + "\r\n";
  html += "</TABLE>\r\n<H2>" + std::string(MoonPhaseName(0, 0)) + " de 2007</H2>\r\n<TABLE class=lista>\r\n";
  for (int i = 0; i < MoonPhaseTableSize; ++i) {
    const MoonPhaseRecord& r = MoonPhaseTable[i];
    int day, month;
    FromDayIndex(r.Day, &day, &month);
    html += std::string("<TR><TD><IMG src=\"") + MoonImageName(r.Phase) + ".gif\" alt=\"\"><TD>" +
            MoonPhaseName(0, r.Phase) + "<TD>" + DateText(day, month) + "<TD>" + ClockText(r.Hour * 60 + r.Minute) +
            "<TD>" + ZodiacName(0, r.Sign) + "\r\n";
  }
  return html + "</TABLE>\r\n</BODY></HTML>\r\n";
}

int FormatsPage(const std::string& path, std::string* page) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "oristel_data: cannot read %s\n", path.c_str());
    return 0;
  }
  std::string utf8;
  for (std::istreambuf_iterator<char> c(in), end; c != end; ++c) {  // lines end in CR LF
    if (*c == '\n' && (utf8.empty() || utf8.back() != '\r')) utf8 += '\r';
    utf8 += *c;
  }
  return Utf8ToCp1252(utf8, path, page);
}
