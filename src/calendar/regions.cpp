#include "calendar/regions.h"

#include <algorithm>
#include <iterator>

#include "calendar/dates.h"

// The communities, codes 1..20 in order, then the cities grouped by their
// community and ascending by code (100 x community + k).
constexpr RegionRecord RegionTable[] = {
    // Parent, Code, Name
    {0, 1, " "},
    {0, 2, "Andalucía"},
    {0, 3, "Aragón"},
    {0, 4, "Asturias"},
    {0, 5, "Illes Balears"},
    {0, 6, "Islas Canarias"},
    {0, 7, "Cantabria"},
    {0, 8, "Castilla - La Mancha"},
    {0, 9, "Castilla y León"},
    {0, 10, "Cataluña - Catalunya"},
    {0, 11, "Ceuta"},
    {0, 12, "Extremadura"},
    {0, 13, "Galicia"},
    {0, 14, "La Rioja"},
    {0, 15, "Madrid"},
    {0, 16, "Melilla"},
    {0, 17, "Murcia"},
    {0, 18, "Navarra - Nafarroa"},
    {0, 19, "País Vasco - Euskadi"},
    {0, 20, "Valencia"},
    {2, 200, "Almería"},
    {2, 201, "Cádiz"},
    {2, 202, "Córdoba"},
    {2, 203, "Granada"},
    {2, 204, "Huelva"},
    {2, 205, "Jaén"},
    {2, 206, "Málaga"},
    {2, 207, "Sevilla"},
    {3, 300, "Huesca"},
    {3, 301, "Teruel"},
    {3, 302, "Zaragoza"},
    {4, 400, "Oviedo"},
    {5, 500, "Palma de Mallorca"},
    {6, 600, "El Hierro"},
    {6, 601, "Fuerteventura"},
    {6, 602, "Gran Canaria"},
    {6, 603, "La Gomera"},
    {6, 604, "Lanzarote"},
    {6, 605, "La Palma"},
    {6, 606, "Tenerife"},
    {7, 700, "Santander"},
    {8, 800, "Albacete"},
    {8, 801, "Ciudad Real"},
    {8, 802, "Cuenca"},
    {8, 803, "Guadalajara"},
    {8, 804, "Toledo"},
    {9, 900, "Ávila"},
    {9, 901, "Burgos"},
    {9, 902, "León"},
    {9, 903, "Palencia"},
    {9, 904, "Salamanca"},
    {9, 905, "Segovia"},
    {9, 906, "Soria"},
    {9, 907, "Valladolid"},
    {9, 908, "Zamora"},
    {10, 1000, "Barcelona"},
    {10, 1001, "Girona"},
    {10, 1002, "Lleida"},
    {10, 1003, "Tarragona"},
    {11, 1100, "Ceuta"},
    {12, 1200, "Badajoz"},
    {12, 1201, "Cáceres"},
    {13, 1300, "A Coruña"},
    {13, 1301, "Lugo"},
    {13, 1302, "Ourense"},
    {13, 1303, "Pontevedra"},
    {14, 1400, "Logroño"},
    {15, 1500, "Madrid"},
    {16, 1600, "Melilla"},
    {17, 1700, "Murcia"},
    {18, 1800, "Pamplona"},
    {19, 1900, "Bilbao"},
    {19, 1901, "San Sebastián"},
    {19, 1902, "Vitoria"},
    {20, 2000, "Alicante"},
    {20, 2001, "Castellón"},
    {20, 2002, "Valencia"},
};
const int RegionTableSize = std::size(RegionTable);

// Own holidays of 2007: the communities' first, then the cities'.
constexpr RegionHolidayRecord RegionHolidayTable[] = {
    // Code, DayIndex
    {2, 59},     {2, 96},                  // Andalucía
    {3, 96},     {3, 114},                 // Aragón
    {4, 96},     {4, 252},                 // Asturias
    {5, 61},     {5, 96},     {5, 361},    // Illes Balears
    {6, 151},                              // Islas Canarias
    {7, 96},     {7, 259},                 // Cantabria
    {8, 96},     {8, 152},                 // Castilla - La Mancha
    {9, 96},     {9, 114},                 // Castilla y León
    {10, 100},   {10, 255},   {10, 361},   // Cataluña
    {11, 96},    {11, 246},                // Ceuta
    {12, 96},    {12, 252},                // Extremadura
    {13, 96},    {13, 138},   {13, 207},   // Galicia
    {14, 96},    {14, 161},                // La Rioja
    {15, 96},    {15, 123},                // Madrid
    {16, 79},    {16, 96},                 // Melilla
    {17, 79},    {17, 96},    {17, 161},   // Murcia
    {18, 96},    {18, 100},                // Navarra
    {19, 96},    {19, 100},                // País Vasco
    {20, 79},    {20, 100},   {20, 283},   // Valencia
    {200, 177},  {200, 240},               // Almería
    {201, 50},   {201, 282},               // Cádiz
    {202, 252},  {202, 298},               // Córdoba
    {203, 2},    {203, 159},               // Granada
    {204, 216},  {204, 252},               // Huelva
    {205, 163},  {205, 292},               // Jaén
    {206, 232},  {206, 252},               // Málaga
    {207, 151},  {207, 159},               // Sevilla
    {300, 22},   {300, 223},               // Huesca
    {301, 101},  {301, 191},               // Teruel
    {302, 29},   {302, 65},                // Zaragoza
    {400, 150},  {400, 265},               // Oviedo
    {500, 20},   {500, 100},               // Palma de Mallorca
    {600, 268},                            // El Hierro
    {601, 259},                            // Fuerteventura
    {602, 51},   {602, 177},  {602, 252},  // Gran Canaria
    {603, 282},                            // La Gomera
    {604, 259},                            // Lanzarote
    {605, 273},                            // La Palma
    {606, 2},    {606, 51},   {606, 124},  // Tenerife
    {700, 207},  {700, 243},               // Santander
    {800, 177},  {800, 252},               // Albacete
    {801, 156},  {801, 235},               // Ciudad Real
    {802, 153},  {802, 265},               // Cuenca
    {803, 252},  {803, 258},               // Guadalajara
    {804, 23},   {804, 159},               // Toledo
    {900, 123},  {900, 289},               // Ávila
    {901, 167},  {901, 181},               // Burgos
    {902, 181},  {902, 279},               // León
    {903, 33},   {903, 277},               // Palencia
    {904, 164},  {904, 252},               // Salamanca
    {905, 181},  {905, 299},               // Segovia
    {906, 180},  {906, 276},               // Soria
    {907, 135},  {907, 252},               // Valladolid
    {908, 149},  {908, 181},               // Zamora
    {1000, 156}, {1000, 268},              // Barcelona
    {1001, 207}, {1001, 303},              // Girona
    {1002, 132}, {1002, 273},              // Lleida
    {1003, 79},  {1003, 268},              // Tarragona
    {1100, 165}, {1100, 219},              // Ceuta
    {1200, 51},  {1200, 181},              // Badajoz
    {1201, 114}, {1201, 151},              // Cáceres
    {1300, 51},  {1300, 100},              // A Coruña
    {1301, 51},  {1301, 279},              // Lugo
    {1302, 51},  {1302, 317},              // Ourense
    {1303, 52},  {1303, 193},              // Pontevedra
    {1400, 163}, {1400, 265},              // Logroño
    {1500, 136}, {1500, 314},              // Madrid
    {1600, 252}, {1600, 261},              // Melilla
    {1700, 101}, {1700, 255},              // Murcia
    {1800, 334}, {1800, 338},              // Pamplona
    {1900, 213}, {1900, 237},              // Bilbao
    {1901, 20},  {1901, 213},              // San Sebastián
    {1902, 119}, {1902, 207},              // Vitoria
    {2000, 110}, {2000, 177},              // Alicante
    {2001, 72},  {2001, 181},              // Castellón
    {2002, 22},  {2002, 107},              // Valencia
};
const int RegionHolidayTableSize = std::size(RegionHolidayTable);

constexpr HolidayDate NationalHolidayTable[] = {
    // Month, Day
    {1, 1}, {1, 6}, {5, 1}, {8, 15}, {10, 12}, {11, 1}, {12, 6}, {12, 8}, {12, 25},
};
const int NationalHolidayTableSize = std::size(NationalHolidayTable);

HolidayDate GoodFriday(int year) {
  // Easter Sunday of the Gregorian calendar (the anonymous algorithm of
  // Meeus, Jones and Butcher), then the two days before it.
  const int a = year % 19, b = year / 100, c = year % 100;
  const int d = b / 4, e = b % 4;
  const int f = (b + 8) / 25;
  const int g = (b - f + 1) / 3;
  const int h = (19 * a + b - d - g + 15) % 30;  // 0..29
  const int i = c / 4, k = c % 4;
  const int l = (32 + 2 * e + 2 * i - h - k) % 7;  // 0..6
  const int m = (a + 11 * h + 22 * l) / 451;
  const int easter = h + l - 7 * m + 22;  // days from the end of February: 22 March .. 25 April
  const int friday = easter - 2;          // 20 .. 54
  return friday <= 31 ? HolidayDate{3, friday} : HolidayDate{4, friday - 31};
}

constexpr int32_t OtherCommunityHolidayTable[] = {
    10, 59, 61, 79, 96, 100, 114, 123, 138, 151, 152, 161, 207, 246, 252, 255, 259, 283,
};
const int OtherCommunityHolidayTableSize = std::size(OtherCommunityHolidayTable);

void CommunityName(int community, char* text, int size) {
  if (community < 1 || community > CommunityCount || size <= 0) return;
  const char* name = RegionTable[community - 1].Name;
  int i = 0;
  for (; i < size - 1 && name[i]; ++i) text[i] = name[i];
  text[i] = 0;
}

// Appends the own holidays of code to holidays[*count..]; the walk stops at
// the first pair of a higher code.
static void AppendOwnHolidays(int code, int32_t holidays[LocalHolidaySlots], int* count) {
  for (const RegionHolidayRecord& r : RegionHolidayTable) {
    if (r.Code > code) break;
    if (r.Code == code && *count < LocalHolidaySlots) holidays[(*count)++] = r.Day;
  }
}

void CollectRegionHolidays(int community, int city, int32_t holidays[LocalHolidaySlots]) {
  std::fill(holidays, holidays + LocalHolidaySlots, 0);
  int count = 0;
  AppendOwnHolidays(community, holidays, &count);
  if (city != 0) AppendOwnHolidays(city, holidays, &count);
  std::sort(holidays, holidays + LocalHolidaySlots);
}

void ClassifyMonth(int month, int year, const int32_t holidays[LocalHolidaySlots], int showOther, int32_t classes[31]) {
  const int days = DaysInMonth(month, year);
  for (int d = 1; d <= 31; ++d) classes[d - 1] = d <= days && DayOfWeek(d, month, year) == 7 ? SundayDay : WorkingDay;

  if (year == DataYear) {
    int first, last;
    MonthDayIndexRange(month, &first, &last);
    // k - first + 1 is the day; guard it against a DayIndex the year lacks (60).
    auto mark = [&](int k, int32_t dayClass) {
      if (k >= first && k - first < days) classes[k - first] = dayClass;
    };
    if (showOther) {
      for (int32_t k : OtherCommunityHolidayTable) {
        if (k > last) break;
        mark(k, OtherCommunityHoliday);
      }
    }
    for (int i = 0; i < LocalHolidaySlots && holidays[i] <= last; ++i) mark(holidays[i], PublicHoliday);
  }

  for (const HolidayDate& h : NationalHolidayTable) {
    if (h.Month > month) break;
    if (h.Month == month) classes[h.Day - 1] = PublicHoliday;
  }

  if (month == 3 || month == 4) {
    const HolidayDate h = GoodFriday(year);
    if (h.Month == month) classes[h.Day - 1] = PublicHoliday;
  }
}

int ClassifyDay(int day, int month, int year, const int32_t holidays[LocalHolidaySlots], int showOther) {
  int32_t classes[31];
  ClassifyMonth(month, year, holidays, showOther, classes);
  return day >= 1 && day <= 31 ? classes[day - 1] : WorkingDay;
}
