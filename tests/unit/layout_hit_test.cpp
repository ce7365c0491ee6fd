// Window geometry and hit testing of the month view.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "view/hit_test.h"
#include "view/layout.h"

namespace {

using Box = std::array<int, 4>;  // left, top, right (exclusive), bottom (exclusive)

bool Inside(const Box& r, int x, int y) { return x >= r[0] && x < r[2] && y >= r[1] && y < r[3]; }

class LayoutTest : public ::testing::Test {
 protected:
  void Use(int w, int h, int flag) { w_ = w, h_ = h, flag_ = flag; }
  Box Element(int element) const {
    Rect r = {-7, -7, -7, -7};
    ComputeLayoutRect(element, w_, h_, flag_, &r);
    return {r.left, r.top, r.right, r.bottom};
  }
  int w_ = 0, h_ = 0, flag_ = 0;
};

// Every element for an even and an odd cell width, with and without the flag
// strip; computed by hand from the window's drawing.
TEST_F(LayoutTest, ElementRectangles) {
  const struct { int w, h, drawFlag, element; Box expected; } cases[] = {
      {30, 20, 0, LayoutWindow, {0, 0, 240, 164}},        {30, 20, 1, LayoutWindow, {0, 0, 240, 199}},
      {30, 20, 0, LayoutPrevArrow, {0, 0, 30, 20}},       {30, 20, 0, LayoutNextArrow, {210, 0, 240, 20}},
      {30, 20, 0, LayoutTitle, {30, 0, 210, 20}},         {30, 20, 0, LayoutWeekdayHeader, {15, 20, 225, 40}},
      {30, 20, 0, LayoutDayGrid, {15, 40, 225, 160}},     {30, 20, 0, LayoutMoonBox, {75, 140, 105, 160}},
      {30, 20, 0, LayoutFlag, {15, 164, 60, 195}},        {30, 20, 0, LayoutFlagCaption, {62, 164, 225, 195}},
      {31, 17, 1, LayoutWindow, {0, 0, 248, 175}},        {31, 17, 0, LayoutWindow, {0, 0, 248, 140}},
      {31, 17, 1, LayoutPrevArrow, {0, 0, 31, 17}},       {31, 17, 1, LayoutNextArrow, {217, 0, 248, 17}},
      {31, 17, 1, LayoutTitle, {31, 0, 217, 17}},         {31, 17, 1, LayoutWeekdayHeader, {15, 17, 232, 34}},
      {31, 17, 1, LayoutDayGrid, {15, 34, 232, 136}},     {31, 17, 1, LayoutMoonBox, {77, 119, 108, 136}},
      {31, 17, 1, LayoutFlag, {15, 140, 60, 171}},        {31, 17, 1, LayoutFlagCaption, {62, 140, 232, 171}},
      {31, 17, 1, 0, {-7, -7, -7, -7}},                   {31, 17, 1, 10, {-7, -7, -7, -7}},  // not elements
  };
  for (const auto& c : cases) {
    Use(c.w, c.h, c.drawFlag);
    EXPECT_EQ(Element(c.element), c.expected) << "W=" << c.w << " flag=" << c.drawFlag << " element " << c.element;
  }
}

// Each day's cell walks the grid from the column of day 1 (W/2 in, two rows
// down); HitTest must give the day inside its cell, the arrows and the title
// inside theirs and nothing elsewhere, at every pixel of the window and a
// margin of two cells around it.
TEST_F(LayoutTest, DayCellsAndHitTestAtEveryPixel) {
  const struct { int month, year, firstWeekday, days; } months[] = {
      {2, 2010, 1, 28}, {5, 2007, 2, 31}, {2, 2012, 3, 29}, {11, 2007, 4, 30},
      {8, 2008, 5, 31}, {12, 2007, 6, 31}, {7, 2007, 7, 31},  // day 31 opens row 6; 30 and 31 on row 6
  };
  for (auto [w, h] : {std::pair{30, 20}, {31, 17}}) {
    for (int drawFlag : {0, 1}) {
      Use(w, h, drawFlag);
      const Box window = Element(LayoutWindow), prev = Element(LayoutPrevArrow), next = Element(LayoutNextArrow),
                title = Element(LayoutTitle);
      for (const auto& m : months) {
        std::vector<Box> cells;
        for (int day = 1, column = m.firstWeekday - 1, row = 0; day <= m.days; ++day) {
          cells.push_back({w / 2 + column * w, (2 + row) * h, w / 2 + (column + 1) * w, (3 + row) * h});
          const Rect cell = DayCellRect(day, m.month, m.year, w, h);
          EXPECT_EQ((Box{cell.left, cell.top, cell.right, cell.bottom}), cells.back()) << m.month << " day " << day;
          if (++column == 7) column = 0, ++row;
        }
        int mismatches = 0;
        for (int y = window[1] - 2 * h; y < window[3] + 2 * h; ++y) {
          for (int x = window[0] - 2 * w; x < window[2] + 2 * w; ++x) {
            int expected = Inside(prev, x, y) ? HitPrevMonth : Inside(next, x, y) ? HitNextMonth
                         : Inside(title, x, y) ? HitTitle : HitNothing;
            for (int day = 1; day <= m.days; ++day)
              if (Inside(cells[day - 1], x, y)) expected = day;
            const int code = HitTest(x, y, m.month, m.year, w, h);
            if (code != expected && ++mismatches <= 5)
              ADD_FAILURE() << "(" << x << ", " << y << ") gives " << code << ", expected " << expected << " in "
                            << m.month << "/" << m.year << " W=" << w << " flag=" << drawFlag;
          }
        }
        EXPECT_EQ(HitTest(-32768, -32768, m.month, m.year, w, h) + HitTest(32767, 32767, m.month, m.year, w, h), HitNothing);
      }
    }
  }
}

}  // namespace
