#include "view/layout.h"

#include "app/settings.h"
#include "calendar/dates.h"

// Height of the flag strip added below the grid margin when DrawFlag is set:
// the 31-pixel flag and 4 pixels under it.
static constexpr int kFlagStripHeight = 35;
static constexpr int kGridMargin = 4;  // between the last grid row and the flag strip
static constexpr int kFlagWidth = 45;
static constexpr int kFlagHeight = 31;
static constexpr int kFlagCaptionGap = 2;

void ComputeLayoutRect(int element, Rect* rect) {
  const int w = g_settings->CellWidth;
  const int h = g_settings->CellHeight;
  const int half = w / 2;             // the grid's indent, rounded toward zero
  const int strip = 8 * h + kGridMargin;  // top of the flag strip
  switch (element) {
    case LayoutWindow:
      *rect = {0, 0, 8 * w, strip + (g_settings->DrawFlag ? kFlagStripHeight : 0)};
      break;
    case LayoutPrevArrow: *rect = {0, 0, w, h}; break;
    case LayoutNextArrow: *rect = {7 * w, 0, 8 * w, h}; break;
    case LayoutTitle: *rect = {w, 0, 7 * w, h}; break;
    case LayoutWeekdayHeader: *rect = {half, h, half + 7 * w, 2 * h}; break;
    case LayoutDayGrid: *rect = {half, 2 * h, half + 7 * w, 8 * h}; break;
    case LayoutMoonBox: *rect = {half + 2 * w, 7 * h, half + 3 * w, 8 * h}; break;
    case LayoutFlag: *rect = {half, strip, half + kFlagWidth, strip + kFlagHeight}; break;
    case LayoutFlagCaption:
      *rect = {half + kFlagWidth + kFlagCaptionGap, strip, half + 7 * w, strip + kFlagHeight};
      break;
    default: break;  // not an element: the caller's rectangle stays as it was
  }
}

void DayCellRect(Rect* rect) {
  const int w = g_settings->CellWidth;
  const int h = g_settings->CellHeight;
  const int day = g_settings->SelectedDay;
  const int month = g_settings->ShownMonth;
  const int year = g_settings->ShownYear;
  const int weekday = DayOfWeek(day, month, year);  // 1 = Monday .. 7 = Sunday: column + 1
  const int first = DayOfWeek(1, month, year);
  const int position = first + day - 1;             // 1-based, from the Monday of row 0
  const int row = position <= 7 ? 0 : (position - 1) / 7;  // 0..5
  rect->left = w / 2 + w * (weekday - 1);
  rect->top = h * (row + 2);
  rect->right = rect->left + w;
  rect->bottom = rect->top + h;
}
