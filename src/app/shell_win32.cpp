#include "app/shell_win32.h"

#include <cstddef>

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
HBITMAP g_offscreen = nullptr;

void CenterOnScreen(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  HDC dc = GetDC(window);
  int screenW = GetDeviceCaps(dc, HORZRES), screenH = GetDeviceCaps(dc, VERTRES);
  ReleaseDC(window, dc);
  SetWindowPos(window, nullptr, screenW / 2 - w / 2, screenH / 2 - h / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

int GetSystemMessageFont(LOGFONTA* font) {
  // The structure as it was before the padded-border field: 340 bytes.
  NONCLIENTMETRICSA metrics = {340};
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0)) return 0;
  *font = metrics.lfMessageFont;
  return 1;
}

CellSize MeasureCalendarCell(HWND window, const LOGFONTA* font) {
  HDC dc = GetDC(window);
  HFONT created = CreateFontIndirectA(font);
  HGDIOBJ previous = SelectObject(dc, created);
  TEXTMETRICA metrics;
  GetTextMetricsA(dc, &metrics);
  SIZE extent;
  GetTextExtentPoint32A(dc, "XXX", 3, &extent);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  DeleteObject(created);
  return {extent.cx, metrics.tmHeight + metrics.tmInternalLeading};
}
