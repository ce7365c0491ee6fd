// The calendar on a 144 DPI screen (a Wine prefix of its own with LogPixels
// at 144): the program is DPI aware, so its first run takes the larger
// message font, measures its day cell from it and sizes the window around
// the layout of that cell. Screenshots of the month, with the flag strip,
// and of the notes editor.
#include "fixture.h"

#include <commctrl.h>

#include <algorithm>

#include "settings_ui/options.h"

E2E_SUITE(HighDpi2007, 2007, 3, 3);

namespace {

// The day cell of a font as the layout takes it: "XXX" wide, the font's
// height and internal leading high.
SIZE MeasuredCell(const LOGFONTA& font) {
  HDC dc = GetDC(nullptr);
  HFONT created = CreateFontIndirectA(&font);
  HGDIOBJ old = SelectObject(dc, created);
  TEXTMETRICA metrics;
  GetTextMetricsA(dc, &metrics);
  SIZE extent;
  GetTextExtentPoint32A(dc, "XXX", 3, &extent);
  SelectObject(dc, old);
  DeleteObject(created);
  ReleaseDC(nullptr, dc);
  return {extent.cx, metrics.tmHeight + metrics.tmInternalLeading};
}

}  // namespace

class HighDpi2007Screen : public HighDpi2007 {
 protected:
  void SetUp() override {
    // The driver reads the program's windows and metrics unscaled.
    SetProcessDPIAware();
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
  // Wine's message font, 11 pixels high at 96 DPI, scaled to this screen.
  ASSERT_EQ(metrics.lfMessageFont.lfHeight, -MulDiv(11, dpi, 96));

  // A first run: the installed settings, never saved.
  ASSERT_EQ(ReadSettingsRecord().SavedTime.High, 0u);
  app = StartOristel(dir);
  ASSERT_NE(app.Window, nullptr);
  RECT outer, client;
  GetWindowRect(app.Window, &outer);
  GetClientRect(app.Window, &client);
  EXPECT_EQ(Close(), 0u);

  const CalendarSettings saved = ReadSettingsRecord();
  EXPECT_EQ(saved.CalendarFont.Height, metrics.lfMessageFont.lfHeight);
  const SIZE cell = MeasuredCell(metrics.lfMessageFont);
  EXPECT_EQ(saved.CellWidth, cell.cx);
  EXPECT_EQ(saved.CellHeight, cell.cy);
  // Half as large again as the same face's cell at 96 DPI.
  LOGFONTA small = metrics.lfMessageFont;
  small.lfHeight = -11;
  const SIZE smallCell = MeasuredCell(small);
  EXPECT_GE(cell.cx * 10, smallCell.cx * 13) << smallCell.cx;
  EXPECT_LE(cell.cx * 10, smallCell.cx * 17) << smallCell.cx;
  EXPECT_GE(cell.cy * 10, smallCell.cy * 13) << smallCell.cy;
  EXPECT_LE(cell.cy * 10, smallCell.cy * 17) << smallCell.cy;

  // The window is the layout of that cell inside a fixed frame at this DPI.
  Rect layout{};
  ComputeLayoutRect(LayoutWindow, saved.CellWidth, saved.CellHeight, saved.DrawFlag, &layout);
  EXPECT_EQ(client.right, layout.right);
  EXPECT_EQ(client.bottom, layout.bottom);
  EXPECT_EQ(outer.right - outer.left, layout.right + 2 * GetSystemMetrics(SM_CXFIXEDFRAME));
  EXPECT_EQ(outer.bottom - outer.top, layout.bottom + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) +
                                          2 * GetSystemMetrics(SM_CYFIXEDFRAME));
  EXPECT_EQ(saved.WindowWidth, outer.right - outer.left);
  EXPECT_EQ(saved.WindowHeight, outer.bottom - outer.top);
}

TEST_F(HighDpi2007Screen, ScreenshotsOfTheMonthTheFlagAndTheNotesEditor) {
  const Capture month = StartAndShoot("calendar_144dpi");
  EXPECT_EQ(month.Width, Element(LayoutWindow).right);
  EXPECT_EQ(month.Height, Element(LayoutWindow).bottom);
  // The arrow heads grow with the cell: as at 96 DPI, about half its height.
  for (int element : {LayoutPrevArrow, LayoutNextArrow}) {
    const Rect box = Element(element);
    int rows = 0;
    for (int y = box.top; y < box.bottom; ++y) {
      int black = 0;
      for (int x = box.left; x < box.right; ++x) black |= month.At(x, y) == 0;
      rows += black;
    }
    EXPECT_GE(rows * 5, started.CellHeight * 2) << "arrow " << element << ": " << rows << " rows";
    EXPECT_LT(rows, started.CellHeight) << "arrow " << element;
  }

  // The flag strip as the options sheet turns it on: the window grows by its height.
  CalendarSettings flag = Settings();
  flag.DrawFlag = 1;
  Rect plain{}, strip{};
  ComputeLayoutRect(LayoutWindow, flag.CellWidth, flag.CellHeight, 0, &plain);
  ComputeLayoutRect(LayoutWindow, flag.CellWidth, flag.CellHeight, 1, &strip);
  flag.WindowHeight += strip.bottom - plain.bottom;
  const Capture withFlag = StartAndShoot("calendar_144dpi_flag", flag);
  EXPECT_EQ(withFlag.Height, Element(LayoutWindow).bottom);

  Start();
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
