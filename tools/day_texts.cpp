#include "day_texts.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "calendar/dates.h"
#include "calendar/names.h"
#include "calendar/regions.h"
#include "sun_times.h"

std::string ClockText(int minutes) {
  char text[16];
  std::snprintf(text, sizeof text, "%d:%02d", minutes / 60, minutes % 60);
  return text;
}

DayTexts SunDayTexts() {
  DayTexts texts(DayTextSlots);
  for (int month = 1; month <= 12; ++month)
    for (int day = 1; day <= DaysInMonth(month, DataYear); ++day) {
      const LocalSunTimes sun = MadridSunTimes2007(month, day);
      const int light = sun.Set - sun.Rise;
      char hours[48];
      std::snprintf(hours, sizeof hours, "%d h %02d min", light / 60, light % 60);
      texts[ToDayIndex(day, month)] = "<P><B>Sol en Madrid:</B> sale a las " + ClockText(sun.Rise) +
                                      " y se pone a las " + ClockText(sun.Set) + " (" + hours + " de luz)\r\n";
    }
  return texts;
}

namespace {
struct NamedDate {
  int32_t Month, Day;
  const char* Name;
};
struct NamedRegionDay {
  int32_t Code, Day;  // community code, DayIndex
  const char* Name;
};
}  // namespace

// The fixed national holidays by date, as NationalHolidayTable has them.
constexpr NamedDate kNationalNames[] = {
    // Month, Day, name
    {1, 1, "Año Nuevo"},
    {1, 6, "Epifanía del Señor (Reyes)"},
    {5, 1, "Fiesta del Trabajo"},
    {8, 15, "Asunción de la Virgen"},
    {10, 12, "Fiesta Nacional de España"},
    {11, 1, "Todos los Santos"},
    {12, 6, "Día de la Constitución Española"},
    {12, 8, "Inmaculada Concepción"},
    {12, 25, "Natividad del Señor"},
};
constexpr const char* kMovableHolidayName = "Viernes Santo";

// The communities' own holidays of 2007 by name, as RegionHolidayTable has
// them, ordered by code and day.
constexpr NamedRegionDay kCommunityHolidayNames[] = {
    // Code, DayIndex, name
    {2, 59, "Día de Andalucía"},
    {2, 96, "Jueves Santo"},
    {3, 96, "Jueves Santo"},
    {3, 114, "San Jorge, Día de Aragón"},
    {4, 96, "Jueves Santo"},
    {4, 252, "Día de Asturias"},
    {5, 61, "Día de las Illes Balears"},
    {5, 96, "Jueves Santo"},
    {5, 361, "San Esteban"},
    {6, 151, "Día de Canarias"},
    {7, 96, "Jueves Santo"},
    {7, 259, "La Bien Aparecida"},
    {8, 96, "Jueves Santo"},
    {8, 152, "Día de Castilla-La Mancha"},
    {9, 96, "Jueves Santo"},
    {9, 114, "Día de Castilla y León"},
    {10, 100, "Lunes de Pascua"},
    {10, 255, "Diada Nacional de Cataluña"},
    {10, 361, "San Esteban"},
    {11, 96, "Jueves Santo"},
    {11, 246, "Día de Ceuta"},
    {12, 96, "Jueves Santo"},
    {12, 252, "Día de Extremadura"},
    {13, 96, "Jueves Santo"},
    {13, 138, "Día de las Letras Gallegas"},
    {13, 207, "Día Nacional de Galicia"},
    {14, 96, "Jueves Santo"},
    {14, 161, "Día de La Rioja"},
    {15, 96, "Jueves Santo"},
    {15, 123, "Fiesta de la Comunidad de Madrid"},
    {16, 79, "San José"},
    {16, 96, "Jueves Santo"},
    {17, 79, "San José"},
    {17, 96, "Jueves Santo"},
    {17, 161, "Día de la Región de Murcia"},
    {18, 96, "Jueves Santo"},
    {18, 100, "Lunes de Pascua"},
    {19, 96, "Jueves Santo"},
    {19, 100, "Lunes de Pascua"},
    {20, 79, "San José"},
    {20, 100, "Lunes de Pascua"},
    {20, 283, "Día de la Comunitat Valenciana"},
};

const char* NationalHolidayName(int month, int day) {
  for (const NamedDate& n : kNationalNames) {
    if (n.Month > month || (n.Month == month && n.Day > day)) break;
    if (n.Month == month && n.Day == day) return n.Name;
  }
  const HolidayDate movable = GoodFriday(DataYear);
  return movable.Month == month && movable.Day == day ? kMovableHolidayName : nullptr;
}

static const char* CommunityHolidayName(int code, int dayIndex) {
  for (const NamedRegionDay& n : kCommunityHolidayNames) {
    if (n.Code > code || (n.Code == code && n.Day > dayIndex)) break;
    if (n.Code == code && n.Day == dayIndex) return n.Name;
  }
  return nullptr;
}

static const RegionRecord* FindRegion(int code) {
  for (int i = 0; i < RegionTableSize; ++i)
    if (RegionTable[i].Code == code) return &RegionTable[i];
  return nullptr;
}

// "a", "a y b", "a, b y c".
static std::string JoinNames(const std::vector<std::string>& names) {
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) text += (i == 0 ? "" : i + 1 == names.size() ? " y " : ", ") + names[i];
  return text;
}

int HolidayDayTexts(DayTexts* texts) {
  texts->assign(DayTextSlots, "");
  const int32_t noOwnHolidays[LocalHolidaySlots] = {};
  for (int d = 1; d < DayTextSlots; ++d) {
    int day, month;
    FromDayIndex(d, &day, &month);
    std::string text;
    // A national holiday is what the calendar marks as one without any region.
    if (d != 60 && ClassifyDay(day, month, DataYear, noOwnHolidays, 0) == PublicHoliday) {
      const char* name = NationalHolidayName(month, day);
      if (!name) {
        std::fprintf(stderr, "oristel_data: no name for the national holiday %d/%d\n", day, month);
        return 0;
      }
      text += std::string("<P><B>Fiesta nacional:</B> ") + name + "\r\n";
    }
    // The communities' holidays, one paragraph per name in the order first met.
    std::vector<std::pair<std::string, std::vector<std::string>>> byName;
    std::vector<std::string> cities;
    for (int i = 0; i < RegionHolidayTableSize; ++i) {
      const RegionHolidayRecord& r = RegionHolidayTable[i];
      if (r.Day != d) continue;
      const RegionRecord* region = FindRegion(r.Code);
      if (!region) {
        std::fprintf(stderr, "oristel_data: holiday of the unknown region %d\n", r.Code);
        return 0;
      }
      if (region->Parent != 0) {
        const std::string city = region->Name, community = FindRegion(region->Parent)->Name;
        cities.push_back(city == community ? city : city + " (" + community + ")");
        continue;
      }
      const char* name = CommunityHolidayName(r.Code, r.Day);
      if (!name) {
        std::fprintf(stderr, "oristel_data: no name for the holiday %d of community %d\n", r.Day, r.Code);
        return 0;
      }
      auto it = byName.begin();
      while (it != byName.end() && it->first != name) ++it;
      if (it == byName.end()) it = byName.insert(byName.end(), {name, {}});
      it->second.push_back(region->Name);
    }
    for (const auto& [name, communities] : byName)
      text += "<P><B>" + name + ":</B> fiesta en " + JoinNames(communities) + "\r\n";
    if (!cities.empty()) text += "<P><B>Fiesta local</B> en " + JoinNames(cities) + "\r\n";
    (*texts)[d] = text;
  }
  return 1;
}

int WorldDayTexts(const std::string& path, DayTexts* texts) {
  texts->assign(DayTextSlots, "");
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "oristel_data: cannot read %s\n", path.c_str());
    return 0;
  }
  std::string line;
  int number = 0, ok = 1;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    int month = 0, day = 0, used = 0;
    const std::string where = path + ":" + std::to_string(number);
    std::string text;
    if (std::sscanf(line.c_str(), "%2d-%2d %n", &month, &day, &used) != 2 || used < 6 || month < 1 || month > 12 ||
        day < 1 || day > BaseDaysInMonth(month) + (month == 2)) {
      std::fprintf(stderr, "oristel_data: %s: not a \"MM-DD text\" line\n", where.c_str());
      ok = 0;
      continue;
    }
    if (!Utf8ToCp1252(line.substr(static_cast<size_t>(used)), where, &text)) {
      ok = 0;
      continue;
    }
    (*texts)[ToDayIndex(day, month)] += "<P>" + text + "\r\n";
  }
  return ok;
}
