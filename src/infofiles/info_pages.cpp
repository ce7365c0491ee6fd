#include "infofiles/info_pages.h"

#include <lzo/lzo1x.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "base/program_files.h"
#include "calendar/dates.h"
#include "calendar/moon.h"
#include "calendar/names.h"

static constexpr char kPageHead[] =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\"><HTML><HEAD><TITLE>Oristel 2007</TITLE>"
    "<META http-equiv=Content-Type content=\"text/html ; charset=ISO-8859-1\"><STYLE type=\"text/css\">"
    "BODY {MARGIN-TOP: 1em; PADDING-LEFT: 2em; FONT-SIZE: 8pt; FONT-FAMILY: Verdana, Arial, sans-serif; "
    "BACKGROUND-COLOR: #f7f7ef } P#p1 {FONT-WEIGHT: bold; FONT-SIZE: 110%; COLOR: green} "
    "TABLE {MARGIN-TOP: 1em; FONT-SIZE: 100%} TD {PADDING-RIGHT: 1em; PADDING-LEFT: 1em; PADDING-BOTTOM: 0.5ex; "
    "VERTICAL-ALIGN: top; PADDING-TOP: 0.5ex; BACKGROUND-COLOR: #eee} TD#t1 {BACKGROUND-COLOR: #ddd} "
    "CAPTION {BACKGROUND-COLOR: #ddd; TEXT-ALIGN: center} IMG {float: left; margin-right: 0.5em; } "
    "</STYLE></HEAD><BODY>";
static constexpr char kPageTail[] = "</BODY></HTML>";

int AppendPageFrame(int part, std::string* page) {
  const char* text = part == PageHead ? kPageHead : kPageTail;
  page->append(text);
  return static_cast<int>(std::strlen(text));
}

// "<P><IMG src="l3.gif">" and the phase's name: how a phase opens its line.
static void AppendPhaseImage(std::string* page, int language, int phase) {
  *page += "<IMG src=\"";
  *page += MoonImageName(phase);
  *page += ".gif\">";
  *page += MoonPhaseName(language, phase);
}

// " 9h 41m", the time of a phase.
static void AppendPhaseTime(std::string* page, const MoonPhaseRecord& r) {
  *page += NumberText(r.Hour);
  *page += "h ";
  *page += NumberText(r.Minute);
  *page += "m";
}

int BuildDateParagraph(const CalendarSettings& s, std::string* page) {
  const int d = s.SelectedDay, m = s.ShownMonth, y = s.ShownYear, language = s.Language;
  const int weekday = DayOfWeek(d, m, y), dayOfYear = DayOfYear(d, m, y);
  const int week = IsoWeekNumber(m, y, d);
  std::string& p = *page;
  p = "<P id=p1>";
  p += WeekdayName(language, weekday);
  p += ", ";
  p += NumberText(d);
  p += " - ";
  p += MonthName(language, m);
  p += "\r\n<P>Quedan " + std::to_string(DaysInYear(y) - dayOfYear) + " días de " + std::to_string(y) +
       ", han pasado " + std::to_string(dayOfYear);
  // The ISO 8601 calendar date and week date, "2007-03-05 - 2007-W10-1".
  char iso[64];
  std::snprintf(iso, sizeof iso, "%04d-%02d-%02d - %04d-W%02d-%d", y, m, d, IsoWeekYear(m, y, week), week, weekday);
  p += "\r\n<P><IMG src=\"iso.gif\">";
  p += iso;
  const int index = ToDayIndex(d, m);
  MoonPhaseRecord phase;
  if (FindMoonPhase(&phase, index)) {
    p += "<P>";
    AppendPhaseImage(&p, language, phase.Phase);
    p += " - ";
    AppendPhaseTime(&p, phase);
    p += " - ";
    p += ZodiacName(language, phase.Sign);
    p += "\r\n";
  }
  return index;
}

void BuildMoonTable(const CalendarSettings& s, std::string* page) {
  const int language = s.Language, m = s.ShownMonth;
  MoonPhaseRecord records[5] = {};
  MoonPhasesOfMonth(records, m);
  std::string& p = *page;
  p = "\r\n<TABLE><CAPTION>";
  p += MoonPhaseName(language, 0);
  p += "</CAPTION>\r\n";
  for (const MoonPhaseRecord& r : records) {
    if (r.Day == 0) break;
    int day, month;
    FromDayIndex(r.Day, &day, &month);
    p += "<TR><TD id=t1>";
    AppendPhaseImage(&p, language, r.Phase);
    p += "<TD>";
    p += WeekdayName(language, DayOfWeek(day, m, DataYear));  // the moon table's own year
    p += ", ";
    p += NumberText(day);
    p += "<TD>";
    AppendPhaseTime(&p, r);
    p += "<TD>";
    p += ZodiacName(language, r.Sign);
    p += "\r\n";
  }
  p += "</TABLE>\r\n";
  AppendPageFrame(PageTail, &p);
}

// The page file, open for one build; closed on every path.
namespace {
struct PageFile {
  char Path[PathSize] = "";
  FileHandle File = NoFile;
  ~PageFile() {
    if (File != NoFile) OsClose(File);
  }
  int Create() {
    if (!BuildProgramPath(Path, TempPageFileIndex)[0])
      return ReportFileError(ProgramFileName(TempPageFileIndex), VerbCreate);
    File = CreateNewFile(Path);
    return File != NoFile;
  }
  int WriteFirst(const std::string& text) {
    return WriteAtOffset(File, Path, text.data(), 0, static_cast<uint32_t>(text.size()));
  }
  int Append(const std::string& text) {
    return AppendToHandle(File, Path, text.data(), static_cast<uint32_t>(text.size()));
  }
};
}  // namespace

int BuildTodayPage(const CalendarSettings& s) {
  std::vector<InfoFileHeader> headers;
  const int n = ReadTodaySelection(&headers);
  if (n < 0) return 0;
  if (n == 0) return ShowProgramMessage(MessageNoInfoSelected);
  if (lzo_init() != LZO_E_OK) return ShowProgramMessage(MessageUnpackFailed);
  PageFile page;
  if (!page.Create()) return 0;
  // The page is made whole, then written in one piece.
  std::string text, piece;
  AppendPageFrame(PageHead, &text);
  const int index = BuildDateParagraph(s, &piece);
  text += piece;
  for (const InfoFileHeader& header : headers) {
    if (!ReadDayText(header, index, &piece)) return 0;
    text += piece;
  }
  BuildMoonTable(s, &piece);
  text += piece;
  return page.WriteFirst(text);
}

int BuildWholeFilePage(const CalendarSettings& s, const InfoFileHeader& header) {
  PageFile page;
  if (!page.Create()) return 0;
  std::string text;
  AppendPageFrame(PageHead, &text);
  text += "\r\n<P id=p1>" + TitleText(header) +
          "<P>Archivo: " + std::string(header.FileName, strnlen(header.FileName, sizeof header.FileName)) + "<HR>\r\n";
  if (!page.WriteFirst(text)) return 0;
  int ok = 1;
  const int walked = WalkDayTexts(header, [&](int k, std::string_view dayText) {
    if (!ok) return;
    int day, month;
    FromDayIndex(k, &day, &month);
    text = "<P>";
    text += NumberText(day);
    text += " - ";
    text += MonthName(s.Language, month);
    text += ":<P>";
    text += dayText;
    ok = page.Append(text);
  });
  if (!walked || !ok) return 0;
  text = "<HR>";
  AppendPageFrame(PageTail, &text);
  return page.Append(text);
}

// Windows-1252 lower case, as the system's ANSI lower-casing gives it.
static char LowerCp1252(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) return static_cast<char>(u + 0x20);
  if (u == 0x8A || u == 0x8C || u == 0x8E) return static_cast<char>(u + 0x10);
  if (u == 0x9F) return static_cast<char>(0xFF);
  return c;
}

std::string MakeFileUrl(const char* path) {
  std::string url = std::string("file://") + path;
  if (url.size() >= PathSize) return "";
  for (char& c : url) c = c == '\\' ? '/' : LowerCp1252(c);
  return url;
}
