// The calendar on a 144 DPI screen (a Wine prefix of its own with LogPixels
// at 144): the program is DPI aware, so its first run takes the larger
// message font, measures its day cell from it and sizes the window around
// the layout of that cell inside a fixed frame; the arrow heads grow with
// the cell, about half its height as at 96 DPI. Screenshots of the month
// and with the flag strip.

#include "fixture.h"

E2E_SUITE(HighDpi2007, 2007, 3, 3);

TEST_F(HighDpi2007, TheFirstRunLaysTheCalendarOutForTheLargerSystemFont) {
  NONCLIENTMETRICSA metrics = {340};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0));
  ASSERT_EQ(metrics.lfMessageFont.lfHeight, -MulDiv(11, 144, 96)) << "Wine's message font at the prefix's 144 DPI";
  const RECT outer = Measured().Window;
  const Capture month = SaveScreenshot(Measured().Month, "calendar_144dpi");
  started = Measured().Saved;
  const Rect layout = Element(LayoutWindow);
  EXPECT_EQ((std::array<LONG, 5>{started.CalendarFont.Height, month.Width, month.Height, outer.right - outer.left,
                                 outer.bottom - outer.top}),
            (std::array<LONG, 5>{metrics.lfMessageFont.lfHeight, layout.right, layout.bottom,
                                 layout.right + 2 * GetSystemMetrics(SM_CXFIXEDFRAME),
                                 layout.bottom + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) +
                                     2 * GetSystemMetrics(SM_CYFIXEDFRAME)}));
  for (int element : {LayoutPrevArrow, LayoutNextArrow}) {
    const Rect box = Element(element);
    int rows = 0;  // with a black pixel
    for (int y = box.top; y < box.bottom; ++y)
      rows += std::count(&month.Pixels[y * month.Width] + box.left, &month.Pixels[y * month.Width] + box.right, 0u) > 0;
    EXPECT_GE(rows * 5, started.CellHeight * 2) << element;
    EXPECT_LT(rows, started.CellHeight) << element;
  }

  // The flag strip for the screenshot (the dialogs' session shows the notes
  // editor at this DPI); the calendar's font dialog offers only the sizes
  // whose cell fits on this screen: of the usual sizes up to 72 points, 72
  // is left out.
  CalendarSettings flag = Settings();
  flag.DrawFlag = 1;
  flag.WindowHeight += 35;  // as the options sheet fits the window to the strip
  Start(flag);
  SaveScreenshot(CaptureClient(app.Window), "calendar_144dpi_flag");
  PressButton(OpenSheet(FontsTab), IDC_CALENDAR_FONT);
  HWND dialog = FindOtherDialog(app.Process.dwProcessId, sheet);
  HWND sizes = GetDlgItem(dialog, FontSizeBox);
  LRESULT largest = 0;
  for (LRESULT i = 0, count = SendMessageW(sizes, CB_GETCOUNT, 0, 0); i < count; ++i)
    largest = std::max(largest, SendMessageW(sizes, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
  EXPECT_EQ(largest, 48) << "the largest size offered";
  EXPECT_TRUE(PressAndWaitGone(dialog, IDCANCEL));
  EXPECT_TRUE(EndSheet(PSBTN_CANCEL));
  EXPECT_EQ(Close(), 0u);
}
