// Writes the files installed beside Oristel.exe from the sources in data/:
//   oristel_data <data-dir> <program-dir>
// cal_2007.op   the settings record as the first run expects it, followed by
//               an empty list of information files for the today page;
// cal_notas.dat an empty notes store.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/settings.h"
#include "calendar/regions.h"
#include "notes/notes_store.h"

// Reads "Name = value" lines; 1 when every line was understood.
static int ReadSettingsSource(const std::string& path, CalendarSettings* s) {
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (!f) {
    std::fprintf(stderr, "oristel_data: cannot read %s\n", path.c_str());
    return 0;
  }
  struct Field {
    const char* name;
    int32_t* value;
  } fields[] = {
      {"Community", &s->Community}, {"City", &s->City},         {"ShowOtherHolidays", &s->ShowOtherHolidays},
      {"Language", &s->Language},   {"NotesFontPoints", &s->NotesFontPoints}, {"DrawFlag", &s->DrawFlag},
  };
  char line[256];
  int ok = 1;
  while (std::fgets(line, sizeof line, f)) {
    char name[64];
    long value;
    if (line[0] == '#' || line[strspn(line, " \t\r\n")] == 0) continue;
    if (std::sscanf(line, " %63[A-Za-z] = %ld", name, &value) != 2) {
      std::fprintf(stderr, "oristel_data: %s: cannot read line: %s", path.c_str(), line);
      ok = 0;
      continue;
    }
    int known = 0;
    for (const Field& field : fields)
      if (std::strcmp(field.name, name) == 0) *field.value = static_cast<int32_t>(value), known = 1;
    if (!known) {
      std::fprintf(stderr, "oristel_data: %s: unknown field %s\n", path.c_str(), name);
      ok = 0;
    }
  }
  std::fclose(f);
  return ok;
}

static int WriteWhole(const std::string& path, const void* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) {
    std::fprintf(stderr, "oristel_data: cannot write %s\n", path.c_str());
    return 0;
  }
  return 1;
}

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: oristel_data <data-dir> <program-dir>\n");
    return 2;
  }
  std::string data = argv[1], program = argv[2];

  CalendarSettings settings{};
  SetDefaultColors(&settings);
  if (!ReadSettingsSource(data + "/settings.txt", &settings)) return 1;
  CollectRegionHolidays(settings.Community, settings.City, settings.LocalHolidays);

  std::vector<unsigned char> op(InstalledSettingsFileSize, 0);  // the count behind the record stays 0
  std::memcpy(op.data(), &settings, sizeof settings);
  std::vector<unsigned char> notes(NotesFileSize, 0);
  return WriteWhole(program + "/cal_2007.op", op.data(), op.size()) &&
                 WriteWhole(program + "/cal_notas.dat", notes.data(), notes.size())
             ? 0
             : 1;
}
