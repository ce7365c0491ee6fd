// Geometry of the month window, from the day-cell size W x H (from the
// calendar font) and whether the flag strip is drawn. Rectangles are client
// pixels, right and bottom exclusive.
#pragma once
#include "os/platform_records.h"

enum LayoutElement : int {
  LayoutWindow = 1,  // the whole calendar: the client area and the off-screen image
  LayoutPrevArrow = 2,
  LayoutNextArrow = 3,
  LayoutTitle = 4,
  LayoutWeekdayHeader = 5,
  LayoutDayGrid = 6,  // 7 columns (Monday..Sunday) by 6 rows
  LayoutMoonBox = 7,
  LayoutFlag = 8,  // one flag tile
  LayoutFlagCaption = 9,
};

// A tile of the flag strip: the flag of one community, drawn at LayoutFlag.
constexpr int FlagTileWidth = 45;
constexpr int FlagTileHeight = 31;

// Fills rect with the element's rectangle for cells of w x h pixels, with
// the flag strip when drawFlag is 1; leaves it untouched for an element
// outside 1..9.
void ComputeLayoutRect(int element, int w, int h, int drawFlag, Rect* rect);
// The cell of grid column 0..6 (Monday..Sunday) and row 0..5.
Rect GridCellRect(int column, int row, int w, int h);
// Grid column 0..6 and row 0..5 of a day of the month.
void DayGridPosition(int day, int month, int year, int* column, int* row);
// The cell of a day of the month.
Rect DayCellRect(int day, int month, int year, int w, int h);
