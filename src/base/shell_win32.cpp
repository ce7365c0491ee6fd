#include "base/shell_win32.h"

#include <algorithm>
#include <cstddef>

#include "base/gdi_win32.h"

// The portable records are stored verbatim and handed to the API as they are.
static_assert(sizeof(LogFont) == sizeof(LOGFONTA));
static_assert(offsetof(LogFont, Weight) == offsetof(LOGFONTA, lfWeight));
static_assert(offsetof(LogFont, CharSet) == offsetof(LOGFONTA, lfCharSet));
static_assert(offsetof(LogFont, PitchAndFamily) == offsetof(LOGFONTA, lfPitchAndFamily));
static_assert(offsetof(LogFont, FaceName) == offsetof(LOGFONTA, lfFaceName));
static_assert(sizeof(Rect) == sizeof(RECT) && offsetof(Rect, bottom) == offsetof(RECT, bottom));
static_assert(sizeof(FileTime) == sizeof(FILETIME));

HINSTANCE g_instance = nullptr;
HWND g_mainWindow = nullptr;
GdiObject<HBITMAP> g_offscreen;
HCURSOR g_handCursor = nullptr;

void CenterOnScreen(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  WindowDC dc(window);
  const int screenW = GetDeviceCaps(dc.get(), HORZRES), screenH = GetDeviceCaps(dc.get(), VERTRES);
  SetWindowPos(window, nullptr, screenW / 2 - w / 2, screenH / 2 - h / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void KeepOnScreen(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MONITORINFO screen = {sizeof screen};
  if (!GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &screen)) return;
  const RECT& area = screen.rcWork;
  const int x = std::max(area.left, std::min(r.left, area.right - (r.right - r.left)));
  const int y = std::max(area.top, std::min(r.top, area.bottom - (r.bottom - r.top)));
  if (x != r.left || y != r.top) SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

int GetSystemMessageFont(LOGFONTA* font) {
  // The structure as it was before the padded-border field: 340 bytes.
  NONCLIENTMETRICSA metrics = {340};
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0)) return 0;
  *font = metrics.lfMessageFont;
  return 1;
}

CellSize MeasureCalendarCell(HWND window, const LOGFONTA* font) {
  WindowDC dc(window);
  GdiObject<HFONT> created(CreateFontIndirectA(font));
  ScopedSelect select(dc.get(), created.get());
  TEXTMETRICA metrics;
  GetTextMetricsA(dc.get(), &metrics);
  SIZE extent;
  GetTextExtentPoint32A(dc.get(), "XXX", 3, &extent);
  return {extent.cx, metrics.tmHeight + metrics.tmInternalLeading};
}
