#include "view/hit_test.h"

#include "calendar/dates.h"
#include "view/layout.h"

// 1 when the point lies in the rectangle: left and top edges inside, right
// and bottom edges outside.
static int Contains(const Rect& rect, int x, int y) {
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

int HitTest(int x, int y, int month, int year, int w, int h) {
  Rect rect;
  ComputeLayoutRect(LayoutDayGrid, w, h, 0, &rect);
  if (Contains(rect, x, y)) {
    // Inside the grid both offsets are non-negative, so the divisions give
    // the cell and never round a point of the margins into column or row 0.
    const int row = (y - rect.top) / h;      // 0..5
    const int column = (x - rect.left) / w;  // 0..6, Monday..Sunday
    const int day = 7 * row + column - DayOfWeek(1, month, year) + 2;
    return day >= 1 && day <= DaysInMonth(month, year) ? day : HitNothing;
  }
  static constexpr struct {
    int element;
    int code;
  } kButtons[] = {
      {LayoutPrevArrow, HitPrevMonth},
      {LayoutNextArrow, HitNextMonth},
      {LayoutTitle, HitTitle},
  };
  for (const auto& button : kButtons) {
    ComputeLayoutRect(button.element, w, h, 0, &rect);
    if (Contains(rect, x, y)) return button.code;
  }
  return HitNothing;
}
