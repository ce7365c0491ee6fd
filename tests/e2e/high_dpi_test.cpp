// The calendar on a 144 DPI screen (a Wine prefix of its own with LogPixels
// at 144): the program is DPI aware, so its first run takes the larger
// message font, measures its day cell from it and sizes the window around
// the layout of that cell. Screenshots of the month, with the flag strip,
// and of the notes editor.
#include <array>

#include "fixture.h"

#include <commctrl.h>

#include <algorithm>

#include "settings_ui/options.h"

E2E_SUITE(HighDpi2007, 2007, 3, 3);

class HighDpi2007Screen : public HighDpi2007 {
 protected:
  void SetUp() override {
    SetProcessDPIAware();  // the driver reads the program's windows and metrics unscaled
    HighDpi2007::SetUp();
  }
};

TEST_F(HighDpi2007Screen, TheFirstRunLaysTheCalendarOutForTheLargerSystemFont) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(dpi, 144) << "the prefix's LogPixels";
  NONCLIENTMETRICSA metrics = {340};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0));
  ASSERT_EQ(metrics.lfMessageFont.lfHeight, -MulDiv(11, dpi, 96)) << "Wine's message font, scaled to this screen";

  ASSERT_EQ(ReadSettingsRecord().SavedTime.High, 0u) << "the installed settings were never saved";
  app = StartOristel(dir);
  ASSERT_NE(app.Window, nullptr);
  RECT outer;
  GetWindowRect(app.Window, &outer);
  const Capture month = CaptureClient(app.Window);
  SaveScreenshot(month, "calendar_144dpi");
  EXPECT_EQ(Close(), 0u);

  started = ReadSettingsRecord();
  EXPECT_EQ(started.CalendarFont.Height, metrics.lfMessageFont.lfHeight);
  // The window is the layout of the cell inside a fixed frame at this DPI.
  const Rect layout = Element(LayoutWindow);
  EXPECT_EQ((std::array{month.Width, month.Height}), (std::array{layout.right, layout.bottom}));
  EXPECT_EQ((std::array<LONG, 2>{outer.right - outer.left, outer.bottom - outer.top}),
            (std::array<LONG, 2>{layout.right + 2 * GetSystemMetrics(SM_CXFIXEDFRAME),
                                 layout.bottom + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) +
                                     2 * GetSystemMetrics(SM_CYFIXEDFRAME)}));
  // The arrow heads grow with the cell: as at 96 DPI, about half its height.
  for (int element : {LayoutPrevArrow, LayoutNextArrow}) {
    const Rect box = Element(element);
    int rows = 0;
    for (int y = box.top; y < box.bottom; ++y) {
      bool black = false;
      for (int x = box.left; x < box.right; ++x) black |= month.At(x, y) == 0;
      rows += black;
    }
    EXPECT_GE(rows * 5, started.CellHeight * 2) << "arrow " << element << ": " << rows << " rows";
    EXPECT_LT(rows, started.CellHeight) << "arrow " << element;
  }

  // The flag strip as the options sheet turns it on, and the notes editor.
  CalendarSettings flag = started;
  flag.DrawFlag = 1;
  Rect strip{};
  ComputeLayoutRect(LayoutWindow, flag.CellWidth, flag.CellHeight, 1, &strip);
  flag.WindowHeight += strip.bottom - layout.bottom;
  Start(flag);
  SaveScreenshot(CaptureClient(app.Window), "calendar_144dpi_flag");
  HWND editor = OpenEditor(5);
  ASSERT_NE(editor, nullptr);
  SaveScreenshot(CaptureClient(editor), "notes_editor_144dpi");
  EXPECT_TRUE(PressAndWaitGone(editor, IDCANCEL));
  EXPECT_EQ(Close(), 0u);
}

// The calendar's font dialog offers only the sizes whose cell fits on this
// screen: of the usual sizes up to 72 points, 72 is left out.
TEST_F(HighDpi2007Screen, TheCalendarFontDialogOffersOnlySizesThatFit) {
  Start();
  MenuCommand(app.Window, IDM_OPTIONS);
  HWND sheet = FindDialog(app.Process.dwProcessId, "Oristel - Opciones");
  ASSERT_NE(sheet, nullptr);
  SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
  PressButton(reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)), IDC_CALENDAR_FONT);
  HWND dialog = FindOtherDialog(app.Process.dwProcessId, sheet);
  ASSERT_NE(dialog, nullptr);
  HWND sizes = GetDlgItem(dialog, 1138);
  LRESULT largest = 0;
  for (LRESULT i = 0, count = SendMessageW(sizes, CB_GETCOUNT, 0, 0); i < count; ++i)
    largest = std::max(largest, SendMessageW(sizes, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
  EXPECT_EQ(CalendarPointRange(144).Max, 66);
  EXPECT_EQ(largest, 48) << "the largest size offered";
  EXPECT_TRUE(PressAndWaitGone(dialog, IDCANCEL));
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  EXPECT_TRUE(WaitGone(sheet));
  EXPECT_EQ(Close(), 0u);
}
