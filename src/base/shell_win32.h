// What the Win32 shell shares between its windows and dialogs.
#pragma once
#include <windows.h>

#include <cstdint>

#include "base/gdi_win32.h"
#include "os/platform_records.h"

extern HINSTANCE g_instance;
extern HWND g_mainWindow;
extern GdiObject<HBITMAP> g_offscreen;  // the month image, as large as the calendar
// The hand shown over the active spots of the calendar and the colour
// swatches; loaded with the main window, destroyed with it.
extern HCURSOR g_handCursor;

// Centres the window on the screen without changing its size or z-order.
void CenterOnScreen(HWND window);
// Moves the window, as little as needed, into the work area of the screen
// it is on (its top left corner first when it is larger).
void KeepOnScreen(HWND window);
// Copies the system's message-box font into font; 1 on success, else font is untouched.
int GetSystemMessageFont(LOGFONTA* font);

struct CellSize {
  int32_t Width;
  int32_t Height;
};
// Cell size of a font: the extent of "XXX", and the height plus the internal leading.
CellSize MeasureCalendarCell(HWND window, const LOGFONTA* font);

inline const LOGFONTA* AsLogFont(const LogFont& font) { return reinterpret_cast<const LOGFONTA*>(&font); }
inline LOGFONTA* AsLogFont(LogFont& font) { return reinterpret_cast<LOGFONTA*>(&font); }
inline RECT* AsRect(Rect* rect) { return reinterpret_cast<RECT*>(rect); }
