// The calendar window: a fixed-size frame around the off-screen month image.
// The procedure only routes: painting copies the image, mouse messages go to
// the hit test, commands open the dialogs. Drawing happens before an
// invalidation, never inside WM_PAINT.
#include "app/main_window_win32.h"

#include <windowsx.h>

#include "base/clock.h"
#include "base/gdi_win32.h"
#include "base/settings.h"
#include "base/shell_win32.h"
#include "calendar/regions.h"
#include "exchange/wizard_choices.h"
#include "exchange/wizard_win32.h"
#include "infofiles/info_dialogs_win32.h"
#include "resources/resource.h"
#include "settings_ui/about_box_win32.h"
#include "settings_ui/options_sheet_win32.h"
#include "view/focus_day_win32.h"
#include "view/hit_test.h"
#include "view/layout.h"
#include "view/month_accessible_win32.h"
#include "view/navigation_win32.h"
#include "view/render_win32.h"

static const char kClassName[] = "ORISTEL_2007";
constexpr DWORD MainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // 0x00CA0000
static_assert(MainWindowStyle == 0x00CA0000);

static int g_handShown = 0;

// Outer size of the window around the calendar area.
static SIZE OuterSizeForLayout() {
  const Rect r = LayoutRectOf(*g_settings, LayoutWindow);
  return {
      r.right + 2 * GetSystemMetrics(SM_CXFIXEDFRAME),
      r.bottom + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME)};
}

// The cell size of the calendar font.
static void MeasureCellSize() {
  const CellSize cell = MeasureCalendarCell(g_mainWindow, AsLogFont(g_settings->CalendarFont));
  g_settings->CellWidth = cell.Width;
  g_settings->CellHeight = cell.Height;
}

// Mends what a stored record holds that the tables cannot use: a replaced
// region gets its own holidays collected again (none stay behind from the
// old one), and an impossible cell size is measured again from the calendar
// font, with the window sized around it at its stored place.
static void RepairStoredSettings() {
  const int replaced = SanitizeSettings(g_settings);
  if (replaced & SanitizedRegion)
    CollectRegionHolidays(g_settings->Community, g_settings->City, g_settings->LocalHolidays);
  if (replaced & SanitizedCellSize) {
    MeasureCellSize();
    const SIZE outer = OuterSizeForLayout();
    g_settings->WindowWidth = outer.cx;
    g_settings->WindowHeight = outer.cy;
  }
}

// First run: the system message font in both fonts, its cell size, and a
// window centred on the screen.
static void ApplyFirstRunDefaults() {
  GetSystemMessageFont(AsLogFont(g_settings->CalendarFont));
  g_settings->NotesFont = g_settings->CalendarFont;
  MeasureCellSize();
  g_settings->SavedTime = CurrentFileTime();
  const SIZE outer = OuterSizeForLayout();
  SetWindowPos(g_mainWindow, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
  CenterOnScreen(g_mainWindow);
  RECT r;
  GetWindowRect(g_mainWindow, &r);
  g_settings->WindowLeft = r.left;
  g_settings->WindowTop = r.top;
  g_settings->WindowWidth = outer.cx;
  g_settings->WindowHeight = outer.cy;
}

// (Re)creates the month image at the layout's size, in 24 bits per pixel.
static void CreateOffscreenBitmap() {
  MemoryDC memory(WindowDC(g_mainWindow).get());
  const Rect r = LayoutRectOf(*g_settings, LayoutWindow);
  GdiObject<HBITMAP> format(static_cast<HBITMAP>(
      LoadImageA(g_instance, MAKEINTRESOURCEA(IDB_PIXEL_FORMAT), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  ScopedSelect select(memory.get(), format.get());
  g_offscreen.reset(CreateCompatibleBitmap(memory.get(), r.right, r.bottom));
}

// Copies the update rectangle of the month image to the window.
static void PaintFromOffscreen(HDC dc, const RECT& update) {
  MemoryDC memory(dc);
  ScopedSelect select(memory.get(), g_offscreen.get());
  BitBlt(dc, update.left, update.top, update.right - update.left, update.bottom - update.top, memory.get(), update.left,
         update.top, SRCCOPY);
}

// The HitCode of a client point of the month shown.
static int HitTestAt(int x, int y) {
  return HitTest(x, y, g_settings->ShownMonth, g_settings->ShownYear, g_settings->CellWidth, g_settings->CellHeight);
}

// Hand over the active spots, arrow elsewhere; set only when the state changes.
static void UpdateHandCursor(int x, int y) {
  int code = HitTestAt(x, y);
  if (code == HitNothing && g_handShown) {
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    g_handShown = 0;
  } else if (code != HitNothing && !g_handShown) {
    SetCursor(g_handCursor);
    g_handShown = 1;
  }
}

// Paints from the image.
static void OnPaint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  PaintFromOffscreen(dc, ps.rcPaint);
  EndPaint(window, &ps);
}

// A released left button on an active spot.
static void OnLeftButtonUp(HWND window, int x, int y) {
  int code = HitTestAt(x, y);
  if (code != HitNothing) HandleClick(window, code);
}

// The options sheet; after a commit the window takes the new layout's size
// and the whole month is drawn again into a new image. Nothing when nothing
// was committed.
static void OpenOptions(HWND window) {
  if (!RunOptionsSheet(window) || !g_settings->Changed) return;
  const SIZE outer = OuterSizeForLayout();
  SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CreateOffscreenBitmap();
  RenderMonth(window, 1);
  InvalidateRect(window, nullptr, FALSE);
  AfterMonthDrawn(window, 0);
}

// The export and import wizard; after an import the month is drawn again
// with the notes it brought (an export changes nothing on show).
static void OpenExportImport(HWND window) {
  const int result = RunExportImportWizard(window);
  if (result != ActionPredecessor + 1 && result != ActionTextImport + 1 && result != ActionIcalImport + 1) return;
  RenderMonth(window, 1);
  InvalidateRect(window, nullptr, FALSE);
  AfterMonthDrawn(window, 0);
}

// The menu commands.
static void OnCommand(HWND window, int id) {
  switch (id) {
    case IDM_EXPORT_IMPORT:
      OpenExportImport(window);
      break;
    case IDM_OPTIONS:
      OpenOptions(window);
      break;
    case IDM_INFO_FILES:
      OpenInfoSelection(window);
      break;
    case IDM_YEAR_DATA:
      OpenYearData(window);
      break;
    case IDM_ABOUT:
      ShowAboutBox(window);
      break;
    case IDM_CLOSE:
      DestroyWindow(window);
      break;
  }
}

// The window's screen rectangle; for a minimized window the one it has when
// restored, so that the next start does not open it off-screen and tiny.
static RECT RestoredWindowRect(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  if (!IsIconic(window)) return r;
  WINDOWPLACEMENT placement = {sizeof placement};
  if (!GetWindowPlacement(window, &placement)) return r;
  // The normal position counts from the work area of the window's monitor.
  r = placement.rcNormalPosition;
  MONITORINFO monitor = {sizeof monitor};
  if (GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTOPRIMARY), &monitor))
    OffsetRect(&r, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
  return r;
}

// Saves the settings with the window's rectangle and ends the message loop.
static void OnDestroy(HWND window) {
  DetachMonthAccessible();
  DestroyCursor(g_handCursor);
  g_handCursor = nullptr;
  g_offscreen.reset();
  const RECT r = RestoredWindowRect(window);
  SaveSettings(Rect{r.left, r.top, r.right, r.bottom});
  PostQuitMessage(0);
}

static LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      OnDestroy(window);
      return 0;
    case WM_SETFOCUS:
      SetCursor(g_handShown ? g_handCursor : LoadCursorA(nullptr, IDC_ARROW));
      OnFocusChange(window, 1);
      return 0;
    case WM_KILLFOCUS:
      OnFocusChange(window, 0);
      return 0;
    case WM_KEYDOWN:
      if (HandleMonthKey(window, static_cast<UINT>(wParam))) return 0;
      break;
    case WM_UPDATEUISTATE:
      OnUiState(window, wParam);
      break;
    case WM_GETOBJECT:
      if (LRESULT object = AnswerGetObject(window, wParam, lParam)) return object;
      break;
    case WM_ORISTEL_DEFAULT_ACTION:
      DoDefaultAction(window, static_cast<int>(wParam));
      return 0;
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the image covers the whole client area
    case WM_COMMAND:
      if (LOWORD(wParam) >= IDM_EXPORT_IMPORT && LOWORD(wParam) <= IDM_CLOSE) {
        OnCommand(window, LOWORD(wParam));
        return 0;
      }
      break;
    case WM_MOUSEMOVE:
      UpdateHandCursor(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      OnLeftButtonUp(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXA wc = {sizeof wc};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_ORISTEL));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
  wc.lpszClassName = kClassName;
  RegisterClassExA(&wc);
}

int CreateMainWindow(HINSTANCE instance, int showState) {
  g_instance = instance;
  if (!LoadSettings()) return 0;
  g_handCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDCUR_HAND));
  g_mainWindow =
      CreateWindowExA(0, kClassName, "Oristel", MainWindowStyle, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  if (!g_mainWindow) return 0;
  RepairStoredSettings();
  if (g_settings->SavedTime.High == 0) ApplyFirstRunDefaults();
  MoveWindow(g_mainWindow, g_settings->WindowLeft, g_settings->WindowTop, g_settings->WindowWidth,
             g_settings->WindowHeight, FALSE);
  CreateOffscreenBitmap();
  RenderMonth(g_mainWindow, 1);
  ShowWindow(g_mainWindow, showState);
  UpdateWindow(g_mainWindow);
  return 1;
}
