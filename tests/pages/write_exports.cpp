// Writes the three exports of a year of notes, for real readers to check:
//   write_exports <dir>
// In <dir>: cal_notas.dat with notes that test a reader (quotes, separators,
// line breaks, markup characters, accents, 29 February), then the exports of
// 2007 with every month chosen: export.txt (TXT), export.csv (CSV with ISO
// dates and the days without notes) and export.htm (the web page). Exits
// with 1 when a file could not be written.
#include <cstdio>
#include <filesystem>
#include <vector>

#include "base/clock.h"
#include "exchange/html_export.h"
#include "notes/notes_store.h"
#include "os/os.h"

namespace {

struct Note {
  int Day, Month;
  const char* Text;
};
constexpr Note Notes[] = {
    {1, 1, "Año nuevo"},
    {29, 2, "Bisiesto"},
    {5, 3, "Dentista; 9h, \"urgente\""},
    {6, 3, "dos\r\nlíneas"},
    {7, 3, "<b>&"},
    {15, 8, "a,b;c"},
    {31, 12, "fin\""},
};

int Export(const std::filesystem::path& dir, const char* name, int action, int iso, int empty) {
  WizardChoices choices{};
  for (int32_t& month : choices.MonthSelected) month = 1;
  choices.Action = action;
  choices.IsoDates = iso;
  choices.IncludeDaysWithoutNotes = empty;
  return ExportNotes((dir / name).string().c_str(), choices, 2007, 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_exports <dir>\n");
    return 1;
  }
  const std::filesystem::path dir = std::filesystem::absolute(argv[1]);
  OsSetExecutablePath((dir / "Oristel.exe").string().c_str());
  std::FILE* file = std::fopen((dir / "cal_notas.dat").string().c_str(), "wb");
  if (!file) return 1;
  const std::vector<char> empty(NotesFileSize, 0);
  const bool written = std::fwrite(empty.data(), 1, empty.size(), file) == empty.size();
  if (std::fclose(file) != 0 || !written) return 1;
  for (const Note& note : Notes) {
    NoteRecord record{ToFileTime({2007, 3, 1, 5, 9, 7, 0, 0}), {}};
    std::snprintf(record.Text, sizeof record.Text, "%s", note.Text);
    if (!WriteNote(note.Day, note.Month, &record, 1)) return 1;
  }
  int ok = Export(dir, "export.txt", ActionTextExport, 0, 0);
  ok &= Export(dir, "export.csv", ActionCsvExport, 1, 1);
  ok &= Export(dir, "export.htm", ActionWebPage, 0, 0);
  return ok ? 0 : 1;
}
