// The pages made from the information files, written to "cal_temp.htm"
// beside the executable: the today page (the selected day's date, ISO
// dates and moon phase, its text from each chosen file, the month's moon
// phases) and the whole-file page (every day's text of one file).
#pragma once
#include <string>

#include "base/settings.h"
#include "infofiles/info_file.h"

enum PageFramePart : int { PageHead = 0, PageTail = 1 };

// Appends the head (with its style sheet) or the tail of every page;
// returns the length of the part.
int AppendPageFrame(int part, std::string* page);
// The date paragraph of the today page for the selected day of the shown
// month and year, replacing the text; returns the day's DayIndex.
int BuildDateParagraph(const CalendarSettings& s, std::string* page);
// The moon phases of the shown month as a table, followed by the page tail,
// replacing the text.
void BuildMoonTable(const CalendarSettings& s, std::string* page);

// Write the page into "cal_temp.htm"; 1 when complete, else 0 after the
// message (with no file chosen: "No hay archivo de información seleccionado").
int BuildTodayPage(const CalendarSettings& s);
int BuildWholeFilePage(const CalendarSettings& s, const InfoFileHeader& header);

// "file://" and the path, lower-cased as Windows-1252, backslashes turned
// into slashes; "" when the URL would not fit in 260 bytes.
std::string MakeFileUrl(const char* path);
