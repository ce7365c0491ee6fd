// Window geometry and hit testing of the month view.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <vector>

#include "base/settings.h"
#include "view/hit_test.h"
#include "view/layout.h"

using Box = std::array<int, 4>;  // left, top, right (exclusive), bottom (exclusive)
static Box Element(int element, int w, int h, int drawFlag) {
  Rect r = {-7, -7, -7, -7};
  ComputeLayoutRect(element, w, h, drawFlag, &r);
  return {r.left, r.top, r.right, r.bottom};
}

// Every element (0 and 10 are none: the rectangle stays as it was) for
// every cell size a font may give, with and without the flag strip, from
// the window's table: x is W/2, s the top of the flag strip.
// Each day's cell walks the grid from the column of day 1 (W/2 in, two rows
// down); HitTest gives the day inside its cell, the arrows and the title
// inside theirs and nothing elsewhere, at every pixel of the window and a
// margin of two cells around it. The months have every length and first
// weekday; July 2007 puts 30 and 31 on the sixth row.
TEST(LayoutTest, DayCellsAndHitTestAtEveryPixel) {
  using namespace std::chrono;
  for (int w = MinCellSize; w <= MaxCellSize; ++w)
    for (int h = MinCellSize; h <= 60; ++h)
      for (int flag : {0, 1}) {
        const int x = w / 2, s = 8 * h + 4;
        const Box expected[11] = {{-7, -7, -7, -7},
                                  {0, 0, 8 * w, s + 35 * flag},
                                  {0, 0, w, h},
                                  {7 * w, 0, 8 * w, h},
                                  {w, 0, 7 * w, h},
                                  {x, h, x + 7 * w, 2 * h},
                                  {x, 2 * h, x + 7 * w, 8 * h},
                                  {x + 2 * w, 7 * h, x + 3 * w, 8 * h},
                                  {x, s, x + 45, s + 31},
                                  {x + 47, s, x + 7 * w, s + 31},
                                  {-7, -7, -7, -7}};
        for (int e = 0; e <= 10; ++e)
          ASSERT_EQ(Element(e, w, h, flag), expected[e]) << w << "x" << h << " " << flag << " " << e;
      }
  auto inside = [](const Box& r, int x, int y) { return x >= r[0] && x < r[2] && y >= r[1] && y < r[3]; };
  for (auto [w, h] : {std::pair{30, 20}, {31, 17}}) {
    const Box window = Element(LayoutWindow, w, h, 1);
    const Box prev = Element(LayoutPrevArrow, w, h, 0);
    const Box next = Element(LayoutNextArrow, w, h, 0);
    const Box title = Element(LayoutTitle, w, h, 0);
    for (auto [m, y] : {std::pair{2, 2010}, {5, 2007}, {2, 2012}, {11, 2007}, {8, 2008}, {12, 2007}, {7, 2007}}) {
      const int first = int(weekday{sys_days{year{y} / m / 1}}.iso_encoding()) - 1;
      const int days = int(unsigned(year_month_day_last{year{y} / m / last}.day()));
      std::vector<Box> cells(1);
      for (int day = 1, p = first; day <= days; ++day, ++p) {
        const Rect cell = DayCellRect(day, m, y, w, h);
        cells.push_back({w / 2 + p % 7 * w, (2 + p / 7) * h, w / 2 + (p % 7 + 1) * w, (3 + p / 7) * h});
        EXPECT_EQ((Box{cell.left, cell.top, cell.right, cell.bottom}), cells.back()) << m << " day " << day;
      }
      for (int py = window[1] - 2 * h; py < window[3] + 2 * h; ++py)
        for (int px = window[0] - 2 * w; px < window[2] + 2 * w; ++px) {
          int expected = inside(prev, px, py)    ? HitPrevMonth
                         : inside(next, px, py)  ? HitNextMonth
                         : inside(title, px, py) ? HitTitle
                                                 : HitNothing;
          for (int day = 1; day <= days; ++day) expected = inside(cells[day], px, py) ? day : expected;
          ASSERT_EQ(HitTest(px, py, m, y, w, h), expected)
              << "(" << px << ", " << py << ") " << m << "/" << y << " W=" << w;
        }
      EXPECT_EQ(HitTest(-32768, -32768, m, y, w, h), HitNothing);
      EXPECT_EQ(HitTest(32767, 32767, m, y, w, h), HitNothing);
    }
  }
}
