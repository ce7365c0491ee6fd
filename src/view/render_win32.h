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
// A move of the focus rectangle in one pass: the cell of plainDay drawn
// afresh without it, the cell of focusDay with it inside (either day 0 for
// none, else a day of the month shown); their rectangles.
void DrawFocusMove(HDC dc, const CalendarSettings& settings, int plainDay, int focusDay, Rect* plainCell,
                   Rect* focusCell);

// A layout element for the record's cell size and flag option.
Rect LayoutRectOf(const CalendarSettings& settings, int element);

// The flag tile of a community (1..CommunityCount); the caller deletes it.
HBITMAP LoadFlagBitmap(int community);
