// Geometry of the month window, from the cell size W x H of the settings
// record and its DrawFlag. Rectangles are client pixels, right and bottom
// exclusive.
#pragma once
#include "os/platform_records.h"

enum LayoutElement : int {
  LayoutWindow = 1,         // the whole calendar: the client area and the off-screen image
  LayoutPrevArrow = 2,
  LayoutNextArrow = 3,
  LayoutTitle = 4,
  LayoutWeekdayHeader = 5,
  LayoutDayGrid = 6,        // 7 columns (Monday..Sunday) by 6 rows
  LayoutMoonBox = 7,
  LayoutFlag = 8,           // 45 x 31
  LayoutFlagCaption = 9,
};

// Fills rect with the element's rectangle; leaves it untouched for an
// element outside 1..9.
void ComputeLayoutRect(int element, Rect* rect);
// The cell of SelectedDay in ShownMonth of ShownYear.
void DayCellRect(Rect* rect);
