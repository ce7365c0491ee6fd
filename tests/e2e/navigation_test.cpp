// Paging with the arrows and changing the year from the title. The month
// and year shown are part of the record the program saves at exit.
#include "fixture.h"

#include <commctrl.h>

E2E_SUITE(March2007Navigation, 2007, 3, 3);

struct Shown {
  int month, year;
  bool operator==(const Shown&) const = default;
};
static Shown ShownAtExit() {
  CalendarSettings saved = ReadSettingsRecord();
  return {saved.ShownMonth, saved.ShownYear};
}

TEST_F(March2007Navigation, ArrowsPageAcrossYearEnds) {
  Start();
  Capture march = CaptureClient(app.Window);
  for (int i = 0; i < 3; ++i) Navigate(LayoutPrevArrow);
  Capture december = CaptureClient(app.Window);
  SaveScreenshot(december, "month_december_2006");
  EXPECT_NE(december.Pixels, march.Pixels);
  // Only the title, the grid and the moon square change; the heading stays.
  Rect heading = Element(LayoutWeekdayHeader);
  for (int y = heading.top; y < heading.bottom; ++y)
    for (int x = heading.left; x < heading.right; ++x) ASSERT_EQ(december.At(x, y), march.At(x, y));
  EXPECT_EQ(Close(), 0u);
  EXPECT_EQ(ShownAtExit(), (Shown{12, 2006}));

  Start();
  for (int i = 0; i < 10; ++i) Navigate(LayoutNextArrow);
  EXPECT_EQ(Close(), 0u);
  EXPECT_EQ(ShownAtExit(), (Shown{1, 2008}));
}

class YearDialog : public March2007Navigation {
 protected:
  // Opens the year dialog from the title; its edit box.
  HWND Open(HWND* edit) {
    POINT p = Center(Element(LayoutTitle));
    ClickClient(app.Window, p.x, p.y);
    HWND dialog = FindDialog(app.Process.dwProcessId, "Cambiar el a\xF1o");
    *edit = dialog ? GetDlgItem(dialog, IDC_YEAR_EDIT) : nullptr;
    return dialog;
  }
};

TEST_F(YearDialog, AcceptsTheYearsOfItsRangeAndDropsTheRest) {
  struct Case {
    const char* typed;
    int button;
    int expectedYear;
  } cases[] = {
      {"1790", IDOK, 1790},     {"5317", IDOK, 5317},     {"1789", IDOK, 5317}, {"5318", IDOK, 5317},
      {"abc", IDOK, 5317},      {"2008", IDCANCEL, 5317}, {"2008", IDOK, 2008}, {nullptr, IDOK, 2008},
  };
  Start();
  for (const Case& c : cases) {
    HWND edit = nullptr;
    HWND dialog = Open(&edit);
    ASSERT_NE(dialog, nullptr);
    if (c.typed) {
      ASSERT_TRUE(ReplaceText(edit, c.typed));
    }
    ASSERT_TRUE(PressAndWaitGone(dialog, c.button));
    // The box of the next opening shows the year now shown.
    dialog = Open(&edit);
    ASSERT_NE(dialog, nullptr);
    UINT shown = static_cast<UINT>(SendMessageA(GetDlgItem(dialog, IDC_YEAR_SPIN), UDM_GETPOS, 0, 0));
    EXPECT_EQ(LOWORD(shown), c.expectedYear) << (c.typed ? c.typed : "(untouched)");
    EXPECT_EQ(HIWORD(shown), 0);
    ASSERT_TRUE(PressAndWaitGone(dialog, IDCANCEL));
  }
  EXPECT_EQ(Close(), 0u);
  EXPECT_EQ(ShownAtExit(), (Shown{3, 2008}));
}

TEST_F(YearDialog, EnterCancelsAndTheDialogIsCentred) {
  Start();
  HWND edit = nullptr;
  HWND dialog = Open(&edit);
  ASSERT_NE(dialog, nullptr);
  RECT r;
  GetWindowRect(dialog, &r);
  HDC dc = GetDC(nullptr);
  int screenW = GetDeviceCaps(dc, HORZRES), screenH = GetDeviceCaps(dc, VERTRES);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(r.left, screenW / 2 - (r.right - r.left) / 2);
  EXPECT_EQ(r.top, screenH / 2 - (r.bottom - r.top) / 2);
  EXPECT_EQ(LOWORD(SendMessageA(GetDlgItem(dialog, IDC_YEAR_SPIN), UDM_GETPOS, 0, 0)), 2007);
  ASSERT_TRUE(ReplaceText(edit, "1999"));
  PressKey(edit, VK_RETURN);
  ASSERT_TRUE(WaitGone(dialog));
  EXPECT_EQ(Close(), 0u);
  EXPECT_EQ(ShownAtExit(), (Shown{3, 2007}));
}
