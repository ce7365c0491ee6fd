// Drawing of the month into the off-screen image.
#pragma once
#include <windows.h>

#include "base/settings.h"
#include "os/platform_records.h"

// Draws the month shown into the off-screen image. full 1 also draws what
// does not change with the month: background, arrows, weekday heading, flag strip.
void RenderMonth(HWND window, int full);
// Redraws the cell of SelectedDay and returns its rectangle.
void RedrawDay(HWND window, Rect* cell);

// The same passes for any record into any DC (one with the image selected,
// for a benchmark or a test).
void DrawMonth(HDC dc, const CalendarSettings& settings, int full);
void DrawSelectedDay(HDC dc, const CalendarSettings& settings, Rect* cell);
// The cell of a day of the month shown drawn afresh, with the focus
// rectangle inside it when focus is 1; its rectangle.
void DrawDayCell(HDC dc, const CalendarSettings& settings, int day, int focus, Rect* cell);

// A layout element for the record's cell size and flag option.
Rect LayoutRectOf(const CalendarSettings& settings, int element);

// The flag tile of a community (1..CommunityCount); the caller deletes it.
HBITMAP LoadFlagBitmap(int community);
