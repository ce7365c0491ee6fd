// The options sheet: four pages over a working copy of the settings, which
// replaces the live record whole when the sheet ends, if a page changed it.
#include "settings_ui/options_sheet_win32.h"

#include <commctrl.h>

#include "base/property_sheet_win32.h"
#include "base/shell_win32.h"
#include "resources/resource.h"
#include "settings_ui/options.h"
#include "settings_ui/options_pages_win32.h"

CalendarSettings* g_settingsCopy = nullptr;

constexpr int OptionsPageCount = 4;
static_assert(OptionsPageCount <= MaxSheetPages);
static const SheetPage OptionsPages[OptionsPageCount] = {
    // Template, Title, Procedure (tab order)
    {IDD_HOLIDAYS_PAGE, " Fiestas ", HolidaysPageProc},
    {IDD_FONTS_PAGE, " Fuentes ", FontsPageProc},
    {IDD_COLOURS_PAGE, " Colores ", ColoursPageProc},
    {IDD_LANGUAGE_PAGE, " Idioma ", LanguagePageProc},
};

INT_PTR HandlePageNotification(HWND page, LPARAM lParam, PageHandler onSetActive, PageHandler onKillActive) {
  const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
  PageHandler handler = code == PSN_SETACTIVE ? onSetActive : code == PSN_KILLACTIVE ? onKillActive : nullptr;
  if (!handler) return FALSE;
  handler(page);
  SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);  // never vetoes the change of page
  return TRUE;
}

int RunOptionsSheet(HWND owner) {
  g_settingsCopy =
      static_cast<CalendarSettings*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof *g_settingsCopy));
  if (!g_settingsCopy) return 0;
  BeginSettingsCopy(g_settings, g_settingsCopy);
  const INT_PTR result = RunPropertySheet(owner, "Oristel - Opciones", 0, OptionsPages, OptionsPageCount);
  const int ran = EndSettingsCopy(result, *g_settingsCopy, g_settings);
  HeapFree(GetProcessHeap(), 0, g_settingsCopy);
  g_settingsCopy = nullptr;
  return ran;
}
