// What a point of the month window is: a day, an arrow, the title or nothing.
#pragma once

enum HitCode : int {
  HitNothing = 0,      // 1..31: that day of ShownMonth
  HitPrevMonth = 101,
  HitNextMonth = 102,
  HitTitle = 103,
};

// The HitCode of a client point of the month window.
int HitTest(int x, int y);
