// Drawing of the month into the off-screen image.
#pragma once
#include <windows.h>

#include "os/platform_records.h"

// Draws the month shown into the off-screen image. full 1 also draws what
// does not change with the month: background, arrows, weekday heading, flag strip.
void RenderMonth(HWND window, int full);
// Redraws the cell of SelectedDay and returns its rectangle.
void RedrawDay(HWND window, Rect* cell);

// The same passes into any DC (one with the image selected, for a benchmark
// or a test).
void DrawMonth(HDC dc, int full);
void DrawSelectedDay(HDC dc, Rect* cell);

// The 45 x 31 flag tile of a community (1..20); the caller deletes it.
HBITMAP LoadFlagBitmap(int community);
