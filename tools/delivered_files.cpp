#include "delivered_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "calendar/regions.h"
#include "day_texts.h"
#include "gif_images.h"
#include "notes/notes_store.h"
#include "pages.h"

int ReadSettingsSource(const std::string& path, CalendarSettings* s) {
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (!f) {
    std::fprintf(stderr, "oristel_data: cannot read %s\n", path.c_str());
    return 0;
  }
  struct Field {
    const char* name;
    int32_t* value;
  } fields[] = {
      {"Community", &s->Community},
      {"City", &s->City},
      {"ShowOtherHolidays", &s->ShowOtherHolidays},
      {"Language", &s->Language},
      {"NotesFontPoints", &s->NotesFontPoints},
      {"DrawFlag", &s->DrawFlag},
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
  CollectRegionHolidays(s->Community, s->City, s->LocalHolidays);
  return ok;
}

int InfoFileSources(const std::string& dataDir, std::vector<InfoFileSource>* sources) {
  sources->clear();
  DayTexts holidays, worldDays;
  if (!HolidayDayTexts(&holidays) || !WorldDayTexts(dataDir + "/world_days.txt", &worldDays)) return 0;
  // FileId, SelectionOrder, WholeViewAllowed, name, title, texts
  sources->push_back({1, 1, 0, "Sol_2007.cal", "Salida y puesta del sol en Madrid, 2007", SunDayTexts()});
  sources->push_back({2, 2, 1, "Festivos_2007.cal", "Fiestas de 2007: nacionales, autonómicas y locales", holidays});
  sources->push_back({3, 3, 1, "DiasMundiales_2007.cal", "Días internacionales y mundiales", worldDays});
  return 1;
}

static int WriteWhole(const std::string& path, const void* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) {
    std::fprintf(stderr, "oristel_data: cannot write %s\n", path.c_str());
    return 0;
  }
  return 1;
}

static int WritePackedPage(const std::string& path, const std::string& page) {
  if (page.size() >= UnpackBufferSize || page.find('\0') != std::string::npos) {
    std::fprintf(stderr, "oristel_data: %s: the page cannot be unpacked whole\n", path.c_str());
    return 0;
  }
  const Bytes packed = PackLzo999(page);
  return WriteWhole(path, packed.data(), packed.size());
}

int WriteDeliveredFiles(const std::string& dataDir, const std::string& programDir) {
  CalendarSettings settings{};
  SetDefaultColors(&settings);
  std::vector<InfoFileSource> sources;
  if (!ReadSettingsSource(dataDir + "/settings.txt", &settings) || !InfoFileSources(dataDir, &sources)) return 0;

  // The settings record, then the today selection: its count and the headers.
  Bytes op(TodaySelectionOffset, 0);
  std::memcpy(op.data(), &settings, sizeof settings);
  const uint32_t count = static_cast<uint32_t>(sources.size());
  std::memcpy(op.data() + TodaySelectionCountOffset, &count, sizeof count);
  for (const InfoFileSource& source : sources) {
    Bytes file;
    InfoFileHeader header;
    if (!BuildInfoFile(source, &file, &header) ||
        !WriteWhole(programDir + "/" + source.FileName, file.data(), file.size()))
      return 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(&header);
    op.insert(op.end(), bytes, bytes + sizeof header);
  }
  std::string formats;
  const Bytes notes(NotesFileSize, 0);
  if (!WriteWhole(programDir + "/cal_2007.op", op.data(), op.size()) ||
      !WriteWhole(programDir + "/cal_notas.dat", notes.data(), notes.size()) ||
      !WritePackedPage(programDir + "/" + YearOverviewPackedName, YearOverviewPage()) ||
      !FormatsPage(dataDir + "/expimp.html", &formats) ||
      !WritePackedPage(programDir + "/" + FormatsPackedName, formats))
    return 0;
  for (const DeliveredImage& image : DeliveredImages)
    if (!WriteGif(programDir + "/" + image.FileName, image.Phase ? DrawMoonImage(image.Phase) : DrawIsoImage()))
      return 0;
  return 1;
}
