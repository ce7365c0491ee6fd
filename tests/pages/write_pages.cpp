// Writes the pages Oristel shows, from the files installed beside it, for a
// browser to render:
//   write_pages <dir>
// <dir> holds a copy of the program directory; written there: today.htm (the
// today page of 3 March 2007 from the chosen files), whole_<file>.htm for
// every file that may be shown whole, and Anyo_2007.htm. Exits with 1 when a
// page could not be made.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "infofiles/info_file.h"
#include "infofiles/info_pages.h"
#include "os/os.h"

int main(int argc, char** argv) {
  if (argc != 2) return std::fprintf(stderr, "usage: write_pages <dir>\n"), 1;
  const std::filesystem::path dir = std::filesystem::absolute(argv[1]), temp = dir / "cal_temp.htm";
  OsSetExecutablePath((dir / "Oristel.exe").string().c_str());
  CalendarSettings s{};
  s.SelectedDay = 3, s.ShownMonth = 3, s.ShownYear = 2007;
  int ok = BuildTodayPage(s);
  if (ok) std::filesystem::rename(temp, dir / "today.htm");
  std::vector<InfoFileHeader> headers(static_cast<size_t>(CountInfoFiles()));
  ScanInfoFiles(headers.data(), static_cast<int>(headers.size()));
  for (const InfoFileHeader& h : headers) {
    if (h.FileId == 0 || !h.WholeViewAllowed) continue;
    if (!BuildWholeFilePage(s, h)) ok = 0;
    else std::filesystem::rename(temp, dir / ("whole_" + std::string(h.FileName) + ".htm"));
  }
  ok &= UnpackPackedPage((dir / YearOverviewPackedName).string().c_str(), (dir / YearOverviewPageName).string().c_str());
  return ok ? 0 : 1;
}
