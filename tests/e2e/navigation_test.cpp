// Paging with the arrows and changing the year from the title. The month
// and year shown are part of the record the program saves at exit.
#include <array>
#include <utility>

#include "fixture.h"
#include <commctrl.h>

E2E_SUITE(March2007Navigation, 2007, 3, 3);
using YearDialog = March2007Navigation;

static std::pair<int, int> ShownAtExit() {
  const CalendarSettings saved = ReadSettingsRecord();
  return {saved.ShownMonth, saved.ShownYear};
}

// Back to December 2006, the whole month drawn again; then on to January 2008.
TEST_F(March2007Navigation, ArrowsPageAcrossYearEnds) {
  Start();
  const Capture march = CaptureClient(app.Window);
  for (int i = 0; i < 3; ++i) Navigate(LayoutPrevArrow);
  const Capture december = SaveScreenshot(CaptureClient(app.Window, false), "month_december_2006");
  EXPECT_NE(december.Pixels, march.Pixels);
  EXPECT_EQ(december.Pixels, CaptureClient(app.Window).Pixels) << "only part of the month was drawn again";
  for (int i = 0; i < 13; ++i) Navigate(LayoutNextArrow);
  EXPECT_EQ(Close(), 0u);
  EXPECT_EQ(ShownAtExit(), std::pair(1, 2008));
}

// Each opening, centred on the screen, shows the year shown; what is typed
// then, the way out (0: Enter, to the default button, Cancel) and the year
// shown after it, the month drawn again when it changed.
TEST_F(YearDialog, AcceptsTheYearsOfItsRangeAndDropsTheRest) {
  const struct { const char* typed; int button, year; } cases[] = {  // typed nullptr: untouched
      {"1999", 0, 2007},    {"1790", IDOK, 1790},     {"5317", IDOK, 5317}, {"1789", IDOK, 5317}, {"5318", IDOK, 5317},
      {"abc", IDOK, 5317},  {"2008", IDCANCEL, 5317}, {"2008", IDOK, 2008}, {nullptr, IDOK, 2008},
  };
  CalendarSettings settings = Settings();
  settings.WindowLeft = settings.WindowTop = 0;  // clear of the centred dialog
  Start(settings);
  int shown = 2007;
  for (const auto& c : cases) {
    const Capture before = CaptureClient(app.Window);
    ClickClient(app.Window, Center(Element(LayoutTitle)).x, Center(Element(LayoutTitle)).y);
    HWND dialog = FindDialog(app.Process.dwProcessId, "Cambiar el a\xF1o");
    ASSERT_NE(dialog, nullptr);
    RECT r;
    GetWindowRect(dialog, &r);
    EXPECT_EQ((std::array<LONG, 3>{LOWORD(SendDlgItemMessageA(dialog, IDC_YEAR_SPIN, UDM_GETPOS, 0, 0)), r.left, r.top}),
              (std::array<LONG, 3>{shown, 512 - (r.right - r.left) / 2, 384 - (r.bottom - r.top) / 2}));
    HWND edit = GetDlgItem(dialog, IDC_YEAR_EDIT);
    EXPECT_TRUE(!c.typed || TypeOver(edit, c.typed));
    if (c.button) PressButton(dialog, c.button);
    else PressKey(edit, VK_RETURN);
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_EQ(CaptureClient(app.Window, false).Pixels != before.Pixels, c.year != shown) << (c.typed ? c.typed : "untouched");
    shown = c.year;
  }
  EXPECT_EQ(Close(), 0u);
  EXPECT_EQ(ShownAtExit(), std::pair(3, 2008));
}
