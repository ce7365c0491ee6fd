#include "settings_ui/options.h"

#include <cstdio>
#include <cstring>

#include "calendar/regions.h"

void BeginSettingsCopy(CalendarSettings* live, CalendarSettings* copy) {
  live->Changed = 0;
  *copy = *live;
}

int EndSettingsCopy(intptr_t sheetResult, const CalendarSettings& copy, CalendarSettings* live) {
  if (sheetResult == -1) return 0;
  if (copy.Changed) *live = copy;
  return 1;
}

// The field of each swatch, by swatch index.
constexpr ColorRef CalendarSettings::*SwatchFields[SwatchCount] = {
    &CalendarSettings::WorkdayTextColor,      &CalendarSettings::SundayTextColor, &CalendarSettings::HolidayTextColor,
    &CalendarSettings::OtherHolidayTextColor, &CalendarSettings::TitleTextColor,  &CalendarSettings::CalendarBackColor,
    &CalendarSettings::NoteDayBackColor,      &CalendarSettings::TodayBackColor,  &CalendarSettings::TitleBackColor,
};

ColorRef* SwatchColor(CalendarSettings* settings, int swatch) {
  if (swatch < 0 || swatch >= SwatchCount) return nullptr;
  return &(settings->*SwatchFields[swatch]);
}

void FormatFontDescription(int points, const LogFont& font, char* text, int size) {
  if (size <= 0) return;
  const int faceLength = static_cast<int>(strnlen(font.FaceName, sizeof font.FaceName));
  std::snprintf(text, static_cast<size_t>(size), "%i pto %.*s", points, faceLength, font.FaceName);
}

int CellSizeFits(int width, int height) {
  return width >= MinCellSize && width <= MaxCellSize && height >= MinCellSize && height <= MaxCellSize;
}

PointRange CalendarPointRange(int dpi) {
  if (dpi <= 0) dpi = 96;
  return {(MinCellSize * 72 + dpi - 1) / dpi, MaxCellSize * 72 / (3 * dpi)};
}

int CityOfCommunity(int city, int community) {
  if (city == 0) return 1;
  for (int i = 0; i < RegionTableSize; ++i)
    if (RegionTable[i].Code == city) return RegionTable[i].Parent == community && community != 0;
  return 0;
}

int StoreRegionChoice(const RegionChoice& choice, CalendarSettings* copy) {
  int changed = 0;
  if (choice.ShowOther != copy->ShowOtherHolidays) {
    copy->ShowOtherHolidays = choice.ShowOther;
    changed = 1;
  }
  if (choice.DrawFlag != copy->DrawFlag) {
    copy->DrawFlag = choice.DrawFlag;
    changed = 1;
  }
  int regionChanged = 0;
  const int32_t community = choice.Community == NoSelection ? copy->Community : choice.Community;
  if (community != copy->Community) {
    copy->Community = community;
    regionChanged = 1;
  }
  int32_t city = choice.City == NoSelection ? copy->City : choice.City;
  if (!CityOfCommunity(city, community)) city = CityOfCommunity(copy->City, community) ? copy->City : 0;
  if (city != copy->City) {
    copy->City = city;
    regionChanged = 1;
  }
  if (regionChanged) CollectRegionHolidays(copy->Community, copy->City, copy->LocalHolidays);
  changed |= regionChanged;
  if (changed) copy->Changed = 1;
  return changed;
}
