// Window geometry and hit testing of the month view.
#include <gtest/gtest.h>

#include <vector>

#include "app/settings.h"
#include "view/hit_test.h"
#include "view/layout.h"

// Found by argument-dependent lookup, so beside Rect in the global namespace.
static bool operator==(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

static void PrintTo(const Rect& r, std::ostream* out) {
  *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

bool Inside(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// Months whose day 1 falls on each weekday, Monday first, with their length.
struct MonthCase {
  int month, year, firstWeekday, days;
};
constexpr MonthCase kMonthsByFirstWeekday[] = {
    {2, 2010, 1, 28},   // exactly four rows
    {5, 2007, 2, 31},
    {2, 2012, 3, 29},   // leap February
    {11, 2007, 4, 30},
    {8, 2008, 5, 31},
    {12, 2007, 6, 31},  // day 31 opens the sixth row
    {7, 2007, 7, 31},   // 30 and 31 in the sixth row
};

struct CellSize {
  int w, h;
};
constexpr CellSize kCellSizes[] = {{30, 20}, {31, 17}};

class LayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = g_settings;
    g_settings = &settings_;
  }
  void TearDown() override { g_settings = saved_; }

  void Use(int w, int h, int drawFlag) {
    settings_.CellWidth = w;
    settings_.CellHeight = h;
    settings_.DrawFlag = drawFlag;
  }
  void Show(int month, int year) {
    settings_.ShownMonth = month;
    settings_.ShownYear = year;
  }
  Rect Element(int element) {
    Rect r = {-7, -7, -7, -7};
    ComputeLayoutRect(element, &r);
    return r;
  }
  Rect Cell(int day) {
    settings_.SelectedDay = day;
    Rect r = {};
    DayCellRect(&r);
    return r;
  }

  CalendarSettings settings_ = {};
  CalendarSettings* saved_ = nullptr;
};

// Every element for an even and an odd cell width, with and without the flag
// strip; computed by hand from the window's drawing.
TEST_F(LayoutTest, ElementRectangles) {
  struct Case {
    int w, h, drawFlag, element;
    Rect expected;
  } const cases[] = {
      {30, 20, 0, LayoutWindow, {0, 0, 240, 164}},
      {30, 20, 0, LayoutPrevArrow, {0, 0, 30, 20}},
      {30, 20, 0, LayoutNextArrow, {210, 0, 240, 20}},
      {30, 20, 0, LayoutTitle, {30, 0, 210, 20}},
      {30, 20, 0, LayoutWeekdayHeader, {15, 20, 225, 40}},
      {30, 20, 0, LayoutDayGrid, {15, 40, 225, 160}},
      {30, 20, 0, LayoutMoonBox, {75, 140, 105, 160}},
      {30, 20, 0, LayoutFlag, {15, 164, 60, 195}},  // computed also without the strip
      {30, 20, 0, LayoutFlagCaption, {62, 164, 225, 195}},
      {30, 20, 1, LayoutWindow, {0, 0, 240, 199}},
      {30, 20, 1, LayoutDayGrid, {15, 40, 225, 160}},
      {30, 20, 1, LayoutFlag, {15, 164, 60, 195}},
      {30, 20, 1, LayoutFlagCaption, {62, 164, 225, 195}},
      {31, 17, 1, LayoutWindow, {0, 0, 248, 175}},
      {31, 17, 1, LayoutPrevArrow, {0, 0, 31, 17}},
      {31, 17, 1, LayoutNextArrow, {217, 0, 248, 17}},
      {31, 17, 1, LayoutTitle, {31, 0, 217, 17}},
      {31, 17, 1, LayoutWeekdayHeader, {15, 17, 232, 34}},  // W/2 rounds down
      {31, 17, 1, LayoutDayGrid, {15, 34, 232, 136}},
      {31, 17, 1, LayoutMoonBox, {77, 119, 108, 136}},
      {31, 17, 1, LayoutFlag, {15, 140, 60, 171}},
      {31, 17, 1, LayoutFlagCaption, {62, 140, 232, 171}},
      {31, 17, 0, LayoutWindow, {0, 0, 248, 140}},
      {4, 4, 0, LayoutDayGrid, {2, 8, 30, 32}},
      {5, 4, 0, LayoutWeekdayHeader, {2, 4, 37, 8}},
  };
  for (const Case& c : cases) {
    Use(c.w, c.h, c.drawFlag);
    EXPECT_EQ(Element(c.element), c.expected) << "W=" << c.w << " H=" << c.h << " flag=" << c.drawFlag
                                              << " element " << c.element;
  }
}

TEST_F(LayoutTest, ElementOutsideRangeLeavesRectangleUntouched) {
  Use(30, 20, 1);
  for (int element : {0, 10, -1, 101}) EXPECT_EQ(Element(element), (Rect{-7, -7, -7, -7})) << element;
}

// Each day's cell, walking the grid cell by cell from the column of day 1.
TEST_F(LayoutTest, DayCellsFollowTheGrid) {
  for (const CellSize& size : kCellSizes) {
    Use(size.w, size.h, 0);
    for (const MonthCase& m : kMonthsByFirstWeekday) {
      Show(m.month, m.year);
      int column = m.firstWeekday - 1, row = 0;
      for (int day = 1; day <= m.days; ++day) {
        const int left = size.w / 2 + column * size.w, top = 2 * size.h + row * size.h;
        EXPECT_EQ(Cell(day), (Rect{left, top, left + size.w, top + size.h}))
            << m.month << "/" << m.year << " day " << day << " W=" << size.w;
        if (++column == 7) column = 0, ++row;
      }
    }
  }
}

TEST_F(LayoutTest, LastDaysOfAMonthBeginningOnSunday) {
  Use(31, 17, 0);
  Show(7, 2007);
  EXPECT_EQ(Cell(30), (Rect{15, 119, 46, 136}));  // row 5, column 0
  EXPECT_EQ(Cell(31), (Rect{46, 119, 77, 136}));  // (W/2 + W, 7H, W/2 + 2W, 8H)
}

// The code every point should have, from the rectangles alone.
int ExpectedCode(const std::vector<Rect>& dayCells, const Rect& prev, const Rect& next, const Rect& title, int x,
                 int y) {
  for (size_t i = 0; i < dayCells.size(); ++i)
    if (Inside(dayCells[i], x, y)) return static_cast<int>(i) + 1;
  if (Inside(prev, x, y)) return HitPrevMonth;
  if (Inside(next, x, y)) return HitNextMonth;
  if (Inside(title, x, y)) return HitTitle;
  return HitNothing;
}

// Every pixel of the window and a margin of two cells around it (negative
// coordinates included), for months beginning on each weekday.
TEST_F(LayoutTest, HitTestMatchesTheRectanglesAtEveryPixel) {
  for (const CellSize& size : kCellSizes) {
    for (int drawFlag : {0, 1}) {
      Use(size.w, size.h, drawFlag);
      const Rect window = Element(LayoutWindow);
      const Rect prev = Element(LayoutPrevArrow), next = Element(LayoutNextArrow), title = Element(LayoutTitle);
      for (const MonthCase& m : kMonthsByFirstWeekday) {
        Show(m.month, m.year);
        std::vector<Rect> dayCells;
        for (int day = 1; day <= m.days; ++day) dayCells.push_back(Cell(day));
        int mismatches = 0;
        for (int y = window.top - 2 * size.h; y < window.bottom + 2 * size.h; ++y) {
          for (int x = window.left - 2 * size.w; x < window.right + 2 * size.w; ++x) {
            const int expected = ExpectedCode(dayCells, prev, next, title, x, y);
            const int code = HitTest(x, y);
            if (code != expected && ++mismatches <= 5)
              ADD_FAILURE() << "(" << x << ", " << y << ") gives " << code << ", expected " << expected << " in "
                            << m.month << "/" << m.year << " W=" << size.w << " H=" << size.h;
          }
        }
        EXPECT_EQ(mismatches, 0) << m.month << "/" << m.year << " W=" << size.w << " H=" << size.h;
      }
    }
  }
}

// Edges and margins, W = 31 and H = 17: the grid spans x 15..231 and y 34..135.
TEST_F(LayoutTest, HitTestEdges) {
  struct Case {
    int month, year, x, y, expected;
    const char* what;
  } const cases[] = {
      {7, 2007, 0, 0, HitPrevMonth, "top left corner"},
      {7, 2007, 30, 16, HitPrevMonth, "last pixel of the left arrow"},
      {7, 2007, 31, 0, HitTitle, "right edge of the left arrow"},
      {7, 2007, 216, 16, HitTitle, "last pixel of the title"},
      {7, 2007, 217, 0, HitNextMonth, "right edge of the title"},
      {7, 2007, 247, 16, HitNextMonth, "last pixel of the right arrow"},
      {7, 2007, 248, 0, HitNothing, "right of the window"},
      {7, 2007, 31, 17, HitNothing, "weekday heading row"},
      {7, 2007, 15 + 6 * 31, 34, 1, "Sunday of row 0 is day 1"},
      {7, 2007, 15, 34, HitNothing, "Monday of row 0 is empty"},
      {7, 2007, 14, 34, HitNothing, "left half-cell margin"},
      {7, 2007, 232, 34, HitNothing, "right half-cell margin"},
      {7, 2007, 247, 135, HitNothing, "right margin, last row"},
      {7, 2007, 15 + 31, 119, 31, "day 31 in the sixth row"},
      {7, 2007, 15 + 62, 119, HitNothing, "moon box"},
      {2, 2010, 14, 34, HitNothing, "left of day 1 of a month beginning on Monday"},
      {2, 2010, 15, 34, 1, "day 1 of a month beginning on Monday"},
      {2, 2010, -1, 40, HitNothing, "just left of the window"},
      {2, 2010, 20, 33, HitNothing, "just above day 1"},
      {2, 2010, 20, 34 + 4 * 17, HitNothing, "fifth row of a four-row February"},
      {2, 2010, -32768, -32768, HitNothing, "far above left"},
      {2, 2010, 32767, 32767, HitNothing, "far below right"},
  };
  Use(31, 17, 0);
  for (const Case& c : cases) {
    Show(c.month, c.year);
    EXPECT_EQ(HitTest(c.x, c.y), c.expected) << c.what << " (" << c.x << ", " << c.y << ")";
  }
}

}  // namespace
