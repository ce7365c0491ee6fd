// What a point of the month window is: a day, an arrow, the title or nothing.
#pragma once

enum HitCode : int {
  HitNothing = 0,  // 1..31: that day of the month shown
  HitPrevMonth = 101,
  HitNextMonth = 102,
  HitTitle = 103,
};

// The HitCode of a client point of the window showing month of year with
// day cells of w x h pixels.
int HitTest(int x, int y, int month, int year, int w, int h);
