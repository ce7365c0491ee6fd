// The options sheet: four pages over a working copy of the settings, which
// replaces the live record whole when the sheet ends, if a page changed it.
#include "settings_ui/options_sheet_win32.h"

#include <commctrl.h>

#include "base/shell_win32.h"
#include "resources/resource.h"
#include "settings_ui/options.h"
#include "settings_ui/options_pages_win32.h"

CalendarSettings* g_settingsCopy = nullptr;

// A page of the sheet: its template, its tab title and its procedure.
struct OptionsPage {
  int Template;
  const char* Title;
  DLGPROC Procedure;
};
constexpr int OptionsPageCount = 4;
static const OptionsPage OptionsPages[OptionsPageCount] = {
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

// Runs the sheet modally on the owner; the property sheet's result, -1 on error.
static INT_PTR ShowOptionsSheet(HWND owner) {
  PROPSHEETPAGEA pages[OptionsPageCount] = {};
  for (int i = 0; i < OptionsPageCount; ++i) {
    pages[i].dwSize = sizeof pages[i];
    pages[i].dwFlags = PSP_USETITLE;
    pages[i].hInstance = g_instance;
    pages[i].pszTemplate = MAKEINTRESOURCEA(OptionsPages[i].Template);
    pages[i].pszTitle = OptionsPages[i].Title;
    pages[i].pfnDlgProc = OptionsPages[i].Procedure;
  }
  PROPSHEETHEADERA header = {sizeof header};
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
  header.hwndParent = owner;
  header.hInstance = g_instance;
  header.pszCaption = "Oristel - Opciones";
  header.nPages = OptionsPageCount;
  header.nStartPage = 0;
  header.ppsp = pages;
  return PropertySheetA(&header);
}

int RunOptionsSheet(HWND owner) {
  g_settingsCopy = static_cast<CalendarSettings*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof *g_settingsCopy));
  if (!g_settingsCopy) return 0;
  BeginSettingsCopy(g_settings, g_settingsCopy);
  const INT_PTR result = ShowOptionsSheet(owner);
  const int ran = EndSettingsCopy(result, *g_settingsCopy, g_settings);
  HeapFree(GetProcessHeap(), 0, g_settingsCopy);
  g_settingsCopy = nullptr;
  return ran;
}
