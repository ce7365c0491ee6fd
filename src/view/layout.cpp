#include "view/layout.h"

#include "calendar/dates.h"

// Below the six grid rows: a margin, then (with the flag) the flag tile, a
// gap and its caption, and a margin under them.
static constexpr int kGridMargin = 4;
static constexpr int kFlagCaptionGap = 2;
static constexpr int kFlagStripHeight = FlagTileHeight + kGridMargin;  // 35

void ComputeLayoutRect(int element, int w, int h, int drawFlag, Rect* rect) {
  const int half = w / 2;                 // the grid's indent, rounded toward zero
  const int strip = 8 * h + kGridMargin;  // top of the flag strip
  switch (element) {
    case LayoutWindow:
      *rect = {0, 0, 8 * w, strip + (drawFlag ? kFlagStripHeight : 0)};
      break;
    case LayoutPrevArrow:
      *rect = {0, 0, w, h};
      break;
    case LayoutNextArrow:
      *rect = {7 * w, 0, 8 * w, h};
      break;
    case LayoutTitle:
      *rect = {w, 0, 7 * w, h};
      break;
    case LayoutWeekdayHeader:
      *rect = {half, h, half + 7 * w, 2 * h};
      break;
    case LayoutDayGrid:
      *rect = {half, 2 * h, half + 7 * w, 8 * h};
      break;
    case LayoutMoonBox:
      *rect = GridCellRect(2, 5, w, h);
      break;
    case LayoutFlag:
      *rect = {half, strip, half + FlagTileWidth, strip + FlagTileHeight};
      break;
    case LayoutFlagCaption:
      *rect = {half + FlagTileWidth + kFlagCaptionGap, strip, half + 7 * w, strip + FlagTileHeight};
      break;
    default:
      break;  // not an element: the caller's rectangle stays as it was
  }
}

Rect GridCellRect(int column, int row, int w, int h) {
  const int left = w / 2 + column * w, top = (2 + row) * h;
  return {left, top, left + w, top + h};
}

void DayGridPosition(int day, int month, int year, int* column, int* row) {
  // The day's place counted from the Monday of the first row, from 0.
  const int place = DayOfWeek(1, month, year) - 1 + day - 1;
  *column = place % 7;
  *row = place / 7;
}

Rect DayCellRect(int day, int month, int year, int w, int h) {
  int column, row;
  DayGridPosition(day, month, year, &column, &row);
  return GridCellRect(column, row, w, h);
}
