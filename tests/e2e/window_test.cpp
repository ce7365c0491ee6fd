// The calendar window: its first run, the single running copy, the cursor,
// the About box, a start without its settings file, and a damaged record
// mended at start-up and saved at exit.
#include <algorithm>
#include <array>
#include <cstring>

#include "calendar/regions.h"
#include "fixture.h"

E2E_SUITE(March2007, 2007, 3, 3);

// This Wine's message font ("MS Shell Dlg", 8 points) is 13 pixels high with
// 2 of internal leading, and "XXX" is 24 pixels wide: the cell is 24 x 15,
// the client area 8 cells by 8 cells and 4, the frame 3 pixels a side under a
// 19-pixel caption and a 19-pixel menu, centred on a 1024 x 768 screen. Both
// fonts are the message font; the record is saved at the local time.
TEST_F(March2007, TheFirstRunCentresTheWindowAroundTheSystemFont) {
  NONCLIENTMETRICSA metrics = {340};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0));
  ASSERT_EQ(metrics.lfMessageFont.lfHeight, -11) << "another Wine: the figures below no longer hold";
  const FirstRun& first = Measured();
  const CalendarSettings& s = first.Saved;
  EXPECT_EQ((std::array<LONG, 6>{first.Window.left, first.Window.top, first.Window.right, first.Window.bottom,
                                 first.Month.Width, first.Month.Height}),
            (std::array<LONG, 6>{413, 300, 611, 468, 192, 124}));
  EXPECT_EQ((std::array{s.CellWidth, s.CellHeight, s.WindowLeft, s.WindowTop, s.WindowWidth, s.WindowHeight,
                        DateOf(s.SavedTime)}),
            (std::array{24, 15, 413, 300, 198, 168, 20070303}));
  EXPECT_TRUE(!std::memcmp(&s.CalendarFont, &metrics.lfMessageFont, sizeof(LOGFONTA)) &&
              !std::memcmp(&s.NotesFont, &metrics.lfMessageFont, sizeof(LOGFONTA)));
}

// A fixed frame; a second copy refused with its message and exit code 1;
// the hand over the active spots only; the About box closed with Escape and
// with its button. Without its settings file the program stops with a
// message and starts nothing.
TEST_F(March2007, OneRunningCopyItsCursorAndAboutBoxAndNoneWithoutSettings) {
  Start();
  auto runCopy = [&] { return RunCommand("\"" + dir.File("Oristel.exe") + "\""); };
  EXPECT_EQ(GetWindowLongA(app.Window, GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS), 0x00CA0000);
  PROCESS_INFORMATION second = runCopy();
  HWND box = FindDialog(second.dwProcessId, "Oristel 2007");
  EXPECT_EQ(MessageBoxText(box), "Ya existe una copia en ejecuci\xF3n.");
  PressButton(box, IDOK);
  EXPECT_EQ(WaitForExit(second), 1u);

  SetForegroundWindow(app.Window);  // the cursor read back is the foreground window's
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app.Window; }));
  auto cursorAt = [&](const Rect& r) {
    SendMessageA(app.Window, WM_MOUSEMOVE, 0, MAKELPARAM(Center(r).x, Center(r).y));
    CURSORINFO info = {sizeof info};
    GetCursorInfo(&info);
    return info.hCursor;
  };
  const HCURSOR hand = cursorAt(DayCell(5));
  EXPECT_NE(cursorAt(Element(LayoutMoonBox)), hand);  // a grid cell that never holds a day
  EXPECT_EQ(cursorAt(Element(LayoutTitle)), hand);

  for (bool escape : {true, false}) {
    MenuCommand(app.Window, IDM_ABOUT);
    HWND about = FindDialog(app.Process.dwProcessId);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowText(about) + "|" + WindowText(GetDlgItem(about, IDOK)), "|Cerrar");
    EXPECT_NE(WindowText(GetDlgItem(about, IDC_HOME_PAGE)).find("example.org"), std::string::npos);
    if (escape) SaveScreenshot(CaptureClient(about), "about_box");
    if (escape) PressKey(GetDlgItem(about, IDC_HOME_PAGE), VK_ESCAPE);
    else PressButton(about, IDOK);
    EXPECT_TRUE(WaitGone(about)) << escape;
  }
  EXPECT_EQ(Close(), 0u);

  DeleteFileA(dir.File("cal_2007.op").c_str());
  PROCESS_INFORMATION alone = runCopy();
  box = FindDialog(alone.dwProcessId, "Oristel");
  EXPECT_EQ(MessageBoxText(box), "No he podido abrir el archivo: " + dir.File("cal_2007.op"));
  PressButton(box, IDOK);
  EXPECT_EQ(WaitForExit(alone), 0u);
}

// A community the tables do not know, with the own holidays of Madrid left in
// it, and a cell size no font gives: the holidays go, the fonts stay, the
// cell is measured again from the larger calendar font and the window fitted
// to it at its place. Closed while minimized, the window keeps the place it
// has when restored.
TEST_F(March2007, ADamagedRecordIsRepairedWithoutLosingTheUsersChoices) {
  CalendarSettings settings = Settings();
  settings.Community = 99, settings.City = 1500, settings.CellWidth = 0, settings.CellHeight = 9999;
  CollectRegionHolidays(15, 1500, settings.LocalHolidays);
  ASSERT_NE(settings.LocalHolidays[LocalHolidaySlots - 1], 0) << "Madrid has own holidays";
  settings.WindowLeft = 40, settings.WindowTop = 50, settings.CalendarFont.Height *= 2;
  std::memcpy(settings.NotesFont.FaceName, "DejaVu Serif", 13);
  Start(settings);
  RECT r, client;
  GetWindowRect(app.Window, &r);
  GetClientRect(app.Window, &client);
  ShowWindow(app.Window, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(app.Window) != 0; }));
  EXPECT_EQ(Close(), 0u);

  const CalendarSettings s = ReadSettingsRecord();
  EXPECT_EQ(std::count(s.LocalHolidays, s.LocalHolidays + LocalHolidaySlots, 0), LocalHolidaySlots);
  EXPECT_TRUE(!std::memcmp(&s.CalendarFont, &settings.CalendarFont, sizeof s.CalendarFont) &&
              !std::memcmp(&s.NotesFont, &settings.NotesFont, sizeof s.NotesFont));
  EXPECT_TRUE(s.CellWidth > Measured().Saved.CellWidth && s.CellHeight > Measured().Saved.CellHeight);
  EXPECT_EQ((std::array<LONG, 6>{client.right, client.bottom, s.WindowLeft, s.WindowTop, s.WindowWidth, s.WindowHeight}),
            (std::array<LONG, 6>{8 * s.CellWidth, 8 * s.CellHeight + 4, 40, 50, r.right - r.left, r.bottom - r.top}));
}
