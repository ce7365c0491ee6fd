// Writes the exports of a year of notes for real readers to check, or
// imports an iCalendar file for a test to read the notes it gave:
//   write_exports <dir>
//   write_exports <dir> <file.ics> <year> <add>
// The first writes in <dir> cal_notas.dat with notes that test a reader
// (quotes, separators, backslashes, line breaks, markup characters, accents,
// 29 February, a Sunday, a note of 255 characters), changed on 4 March 2007 at 9:07,
// then the exports of 2007 with every month chosen and the update times:
// export.txt (TXT), export.csv (CSV with ISO dates and the days without
// notes), export.htm (the web page) and export.ics (the notes written and
// left out are printed). The second imports the file into <dir>'s notes file
// and prints the counts. The clock then stands at Sunday 4 March 2007, 10:30.
// Both exit with 1 when a file could not be written or read.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "calendar/dates.h"
#include "exchange/html_export.h"
#include "exchange/ical_exchange.h"
#include "notes/notes_store.h"
#include "os/os.h"

namespace {

const std::pair<int, std::string> Notes[] = {
    // DayIndex, text
    {1, "Año nuevo"},
    {60, "Bisiesto"},
    {64, "Domingo"},
    {65, "Dentista; 9h, \"urgente\""},
    {66, "dos\r\nlíneas"},
    {67, "<b>&"},
    {68, "C:\\Documentos\\Oristel \\ fin"},
    {69, "Una <nota larga> & " + std::string(236, 'x')},
    {228, "a,b;c"},
    {366, "fin\""},
};

int Export(const std::filesystem::path& dir, const char* name, int action, int iso, int empty) {
  WizardChoices choices = {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, action, action != ActionWebPage, empty, iso};
  if (action != ActionIcalExport) return ExportNotes((dir / name).string().c_str(), choices, 2007, 0);
  IcalExportResult result;
  const int ok = WriteIcalExport((dir / name).string().c_str(), choices, 2007, &result);
  std::printf("%d %d\n", result.NotesWritten, result.LeapDaysSkipped);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 5) {
    std::fprintf(stderr, "usage: write_exports <dir> [<file.ics> <year> <add>]\n");
    return 1;
  }
  const std::filesystem::path dir = std::filesystem::absolute(argv[1]);
  OsSetExecutablePath((dir / "Oristel.exe").string().c_str());
  OsSetClockHook([] { return LocalTime{2007, 3, 0, 4, 9, 7, 0, 0}; });
  if (argc == 5) {
    IcalImportResult result;
    if (!ImportIcalFile(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), &result)) return 1;
    std::printf("%d %d %d\n", result.NotesStored, result.EventsOutsideYear, result.ErrorsLogged);
    return 0;
  }
  NotesImage notes{std::vector<char>(NotesFileSize, 0)};
  for (int day, month; const auto& [index, text] : Notes) {
    FromDayIndex(index, &day, &month);
    AddNoteTextInImage(&notes, day, month, text.c_str(), 0);
  }
  OsSetClockHook([] { return LocalTime{2007, 3, 0, 4, 10, 30, 0, 0}; });  // a Sunday
  const int ok = WriteNotesImage(notes) && Export(dir, "export.txt", ActionTextExport, 0, 0) &&
                 Export(dir, "export.csv", ActionCsvExport, 1, 1) && Export(dir, "export.htm", ActionWebPage, 0, 0) &&
                 Export(dir, "export.ics", ActionIcalExport, 0, 0);
  return ok ? 0 : 1;
}
