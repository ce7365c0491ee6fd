#include "base/settings.h"

#include <algorithm>
#include <cstdlib>

#include "base/clock.h"
#include "base/program_files.h"

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

int SanitizeSettings(CalendarSettings* s) {
  int replaced = SanitizedNothing;
  if (s->Language < 0 || s->Language >= LanguageCount) s->Language = 0;
  if (s->Community < 1 || s->Community > CommunityCount) {
    s->Community = 1;
    s->City = 0;
    replaced |= SanitizedRegion;
  }
  // The day classes scan the own holidays in ascending order.
  std::sort(s->LocalHolidays, s->LocalHolidays + LocalHolidaySlots);
  if (s->CellWidth < MinCellSize || s->CellWidth > MaxCellSize || s->CellHeight < MinCellSize ||
      s->CellHeight > MaxCellSize)
    replaced |= SanitizedCellSize;
  return replaced;
}

int LoadSettings() {
  g_settings = static_cast<CalendarSettings*>(std::calloc(1, sizeof(CalendarSettings)));
  if (!g_settings) return 0;
  char path[PathSize];
  // Without its own directory the program would read and write files
  // wherever it was started from: it names the file it misses and ends.
  if (!BuildProgramPath(path, SettingsFileIndex)[0]) ReportFileError(ProgramFileName(SettingsFileIndex), VerbOpen);
  if (!path[0] || !ReadFileAt(path, g_settings, 0, SettingsRecordSize)) {
    std::free(g_settings);
    g_settings = nullptr;
    return 0;
  }
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
