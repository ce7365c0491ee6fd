#include "app/settings.h"

#include <algorithm>
#include <cstdlib>

#include "app/clock.h"
#include "app/program_files.h"

CalendarSettings* g_settings = nullptr;

void SetDefaultColors(CalendarSettings* s) {
  s->WorkdayTextColor = 0x000000;
  s->SundayTextColor = 0x0000FF;
  s->HolidayTextColor = 0x0000FF;
  s->OtherHolidayTextColor = 0xFF0000;
  s->TitleTextColor = 0x000000;
  s->CalendarBackColor = 0xFFFFFF;
  s->NoteDayBackColor = 0x00FF00;
  s->TodayBackColor = 0x00FFFF;
  s->TitleBackColor = 0xC0C0C0;
}

void SanitizeSettings(CalendarSettings* s) {
  if (s->Language < 0 || s->Language > 5) s->Language = 0;
  if (s->Community < 1 || s->Community > 20) {
    s->Community = 1;
    s->City = 0;
  }
  // The day classes scan the own holidays in ascending order.
  std::sort(s->LocalHolidays, s->LocalHolidays + 6);
  // A cell size the layout cannot use: take the record as never saved, so
  // that start-up measures the system font again and centres the window.
  if (s->CellWidth < MinCellSize || s->CellWidth > MaxCellSize || s->CellHeight < MinCellSize ||
      s->CellHeight > MaxCellSize)
    s->SavedTime.High = 0;
}

int LoadSettings() {
  g_settings = static_cast<CalendarSettings*>(std::calloc(1, sizeof(CalendarSettings)));
  if (!g_settings) return 0;
  char path[PathSize];
  if (!ReadFileAt(BuildProgramPath(path, SettingsFileIndex), g_settings, 0, SettingsRecordSize)) {
    std::free(g_settings);
    g_settings = nullptr;
    return 0;
  }
  SanitizeSettings(g_settings);
  LocalTime now = OsLocalTime();
  g_settings->OffscreenBitmap = 0;
  g_settings->ShownYear = now.Year;
  g_settings->ShownMonth = now.Month;
  g_settings->SelectedDay = now.Day;
  return 1;
}

void SaveSettings(const Rect& window) {
  if (!g_settings) return;
  g_settings->OffscreenBitmap = 0;
  g_settings->WindowLeft = window.left;
  g_settings->WindowTop = window.top;
  g_settings->WindowWidth = window.right - window.left;
  g_settings->WindowHeight = window.bottom - window.top;
  g_settings->SavedTime = CurrentFileTime();
  char path[PathSize];
  WriteFileAt(BuildProgramPath(path, SettingsFileIndex), g_settings, 0, SettingsRecordSize);
  std::free(g_settings);
  g_settings = nullptr;
}
