// The two packed pages: the year overview "Anyo_2007.cal", made from the
// calendar's tables, and the page on the text export formats "ExpImp.cal",
// made from its source in data/.
#pragma once
#include <string>

// The year overview of 2007 in Spanish, Windows-1252: the twelve months with
// Sundays and national holidays marked, the list of the national holidays
// and the moon phases.
std::string YearOverviewPage();
// The page of data/expimp.html converted to Windows-1252; 1 when read and
// converted, else 0 after the message.
int FormatsPage(const std::string& path, std::string* page);
