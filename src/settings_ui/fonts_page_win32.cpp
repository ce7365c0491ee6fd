// The fonts page: the calendar font and the notes font, each from the font
// dialog or the system's message-box font, shown as "%i pto %s". The
// calendar font brings its cell size with it.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include "base/gdi_win32.h"
#include "base/shell_win32.h"
#include "resources/resource.h"
#include "settings_ui/options.h"
#include "settings_ui/options_pages_win32.h"

// Runs the font dialog on font (screen fonts that exist; for the calendar
// only the sizes whose cell can be laid out on this screen); non-zero with
// the choice in font when confirmed, 0 when cancelled.
static int ChooseFontDialog(HWND owner, LOGFONTA* font, int calendar) {
  CHOOSEFONTA dialog = {sizeof dialog};
  dialog.hwndOwner = owner;
  dialog.lpLogFont = font;
  dialog.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_FORCEFONTEXIST;
  if (calendar) {
    WindowDC dc(owner);
    const PointRange range = CalendarPointRange(GetDeviceCaps(dc.get(), LOGPIXELSY));
    dialog.Flags |= CF_LIMITSIZE;
    dialog.nSizeMin = range.Min;
    dialog.nSizeMax = range.Max;
  }
  return ChooseFontA(&dialog);
}

// Point size of the font on the window's display.
static int FontPointSize(HWND window, const LOGFONTA* font) {
  WindowDC dc(window);
  GdiObject<HFONT> created(CreateFontIndirectA(font));
  ScopedSelect select(dc.get(), created.get());
  TEXTMETRICA metrics;
  if (!GetTextMetricsA(dc.get(), &metrics)) return 0;
  return MulDiv(metrics.tmHeight - metrics.tmInternalLeading, 72, GetDeviceCaps(dc.get(), LOGPIXELSY));
}

// Shows the font's description in the control; its point size.
static int DescribeFont(const LogFont& font, HWND page, int control) {
  const int points = FontPointSize(page, AsLogFont(font));
  char text[64];
  FormatFontDescription(points, font, text, sizeof text);
  SetDlgItemTextA(page, control, text);
  return points;
}

// Takes font as the calendar font when its cell can be laid out (the font
// dialog offers no other size; the system font is measured); 1 when taken.
static int TakeCalendarFont(HWND page, const LOGFONTA& font) {
  const CellSize cell = MeasureCalendarCell(page, &font);
  if (!CellSizeFits(cell.Width, cell.Height)) return 0;
  *AsLogFont(g_settingsCopy->CalendarFont) = font;
  g_settingsCopy->CellWidth = cell.Width;
  g_settingsCopy->CellHeight = cell.Height;
  g_settingsCopy->Changed = 1;
  DescribeFont(g_settingsCopy->CalendarFont, page, IDC_CALENDAR_FONT_TEXT);
  return 1;
}

// Takes font as the notes font.
static void TakeNotesFont(HWND page, const LOGFONTA& font) {
  *AsLogFont(g_settingsCopy->NotesFont) = font;
  g_settingsCopy->NotesFontPoints = DescribeFont(g_settingsCopy->NotesFont, page, IDC_NOTES_FONT_TEXT);
  g_settingsCopy->Changed = 1;
}

// "Fuente..." of a font: the font dialog from the copy's font.
static void OnChooseFont(HWND page, int id) {
  const int calendar = id == IDC_CALENDAR_FONT;
  LOGFONTA font = *AsLogFont(calendar ? g_settingsCopy->CalendarFont : g_settingsCopy->NotesFont);
  if (!ChooseFontDialog(page, &font, calendar)) return;
  if (calendar)
    TakeCalendarFont(page, font);
  else
    TakeNotesFont(page, font);
}

// "Fuente actual en Windows" of a font: the system's message-box font.
static void OnSystemFont(HWND page, int id) {
  const int calendar = id == IDC_CALENDAR_SYSTEM_FONT;
  LOGFONTA font = *AsLogFont(calendar ? g_settingsCopy->CalendarFont : g_settingsCopy->NotesFont);
  if (!GetSystemMessageFont(&font)) return;
  if (calendar)
    TakeCalendarFont(page, font);
  else
    TakeNotesFont(page, font);
}

// Both descriptions from the copy.
static void OnSetActive(HWND page) {
  DescribeFont(g_settingsCopy->CalendarFont, page, IDC_CALENDAR_FONT_TEXT);
  DescribeFont(g_settingsCopy->NotesFont, page, IDC_NOTES_FONT_TEXT);
}

INT_PTR CALLBACK FontsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY:
      return HandlePageNotification(page, lParam, OnSetActive, nullptr);
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_CALENDAR_FONT:
        case IDC_NOTES_FONT:
          OnChooseFont(page, LOWORD(wParam));
          return TRUE;
        case IDC_CALENDAR_SYSTEM_FONT:
        case IDC_NOTES_SYSTEM_FONT:
          OnSystemFont(page, LOWORD(wParam));
          return TRUE;
      }
      break;
  }
  return FALSE;
}
