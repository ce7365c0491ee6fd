#include "infofiles/today_page.h"

#include <cstdint>

#include "base/program_files.h"
#include "base/settings.h"

int ReadTodaySelectionCount() {
  char path[PathSize];
  uint32_t count = 0;
  if (!ReadFileAt(BuildProgramPath(path, SettingsFileIndex), &count, SettingsRecordSize, sizeof count)) return 0;
  return static_cast<int>(count);
}

int BuildTodayPage() {
  if (ReadTodaySelectionCount() == 0) return ShowProgramMessage(MessageNoInfoSelected);
  // The pages of the information files come with their reader.
  return 0;
}
