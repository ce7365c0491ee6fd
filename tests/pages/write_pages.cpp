// Writes the pages Oristel shows, from the files installed beside it, for a
// browser to render:
//   write_pages [dir]
// dir (the current one if not given) holds a copy of the program directory;
// written there: today.htm (the today page of 3 March 2007 from the chosen
// files), whole_<file>.htm for every file that may be shown whole, and
// Anyo_2007.htm. Exits with 1 when a page could not be made.
#include <filesystem>
#include <string>
#include <vector>

#include "infofiles/info_file.h"
#include "infofiles/info_pages.h"
#include "os/os.h"

int main(int argc, char** argv) {
  const std::filesystem::path dir = std::filesystem::absolute(argc > 1 ? argv[1] : ".");
  OsSetExecutablePath((dir / "Oristel.exe").string().c_str());
  const CalendarSettings s{.ShownMonth = 3, .ShownYear = 2007, .SelectedDay = 3};
  // Each page is made as "cal_temp.htm" and kept under its own name.
  const auto keep = [&](int made, const std::string& name) {
    if (made) std::filesystem::rename(dir / "cal_temp.htm", dir / name);
    return made;
  };
  int ok = keep(BuildTodayPage(s), "today.htm");
  std::vector<InfoFileHeader> headers(static_cast<size_t>(CountInfoFiles()));
  ScanInfoFiles(headers.data(), static_cast<int>(headers.size()));
  for (const InfoFileHeader& h : headers)
    if (h.FileId != 0 && h.WholeViewAllowed)
      ok &= keep(BuildWholeFilePage(s, h), "whole_" + std::string(h.FileName) + ".htm");
  ok &=
      UnpackPackedPage((dir / YearOverviewPackedName).string().c_str(), (dir / YearOverviewPageName).string().c_str());
  return ok ? 0 : 1;
}
