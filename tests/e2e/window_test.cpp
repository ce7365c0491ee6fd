// Start-up, the single running copy, the window's place and frame, the
// cursor, the About box and the settings file after exit.
#include <array>
#include <cstring>

#include "calendar/regions.h"
#include "fixture.h"

E2E_SUITE(March2007, 2007, 3, 3);

TEST_F(March2007, ASecondCopyIsRefusedAndEndsWithCodeOne) {
  Start();
  EXPECT_EQ(GetWindowLongA(app.Window, GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS), 0x00CA0000) << "a fixed frame";
  PROCESS_INFORMATION second = StartProcess(dir);
  HWND box = FindDialog(second.dwProcessId, "Oristel 2007");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "Ya existe una copia en ejecuci\xF3n.");
  PressButton(box, IDOK);
  EXPECT_EQ(WaitForExit(second), 1u);
  EXPECT_TRUE(IsWindowVisible(app.Window)) << "the first copy is not disturbed";
  EXPECT_EQ(Close(), 0u);
}

TEST_F(March2007, AMissingSettingsFileStopsTheStartWithItsMessage) {
  DeleteFileA(dir.File("cal_2007.op").c_str());
  PROCESS_INFORMATION process = StartProcess(dir);
  HWND box = FindDialog(process.dwProcessId, "Oristel");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "No he podido abrir el archivo: " + dir.File("cal_2007.op"));
  PressButton(box, IDOK);
  EXPECT_EQ(WaitForExit(process), 0u);
}

TEST_F(March2007, FirstRunCentresTheWindowAroundTheSystemFont) {
  ASSERT_EQ(ReadSettingsRecord().SavedTime.High, 0u) << "the installed settings were never saved";
  app = StartOristel(dir);
  ASSERT_NE(app.Window, nullptr);
  // This Wine's message font ("MS Shell Dlg", 8 points) is 13 pixels high
  // with 2 of internal leading, and "XXX" is 24 pixels wide: the cell is
  // 24 x 15, the client area 8 cells by 8 cells and 4, the frame 3 pixels a
  // side under a 19-pixel caption and a 19-pixel menu, on a 1024 x 768 screen.
  NONCLIENTMETRICSA metrics = {340};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0));
  ASSERT_EQ(metrics.lfMessageFont.lfHeight, -11) << "another Wine: the figures below no longer hold";
  RECT r, client;
  GetWindowRect(app.Window, &r);
  GetClientRect(app.Window, &client);
  EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom, client.right, client.bottom}),
            (std::array<LONG, 6>{413, 300, 611, 468, 192, 124}));
  EXPECT_EQ(Close(), 0u);

  const CalendarSettings s = ReadSettingsRecord();
  EXPECT_TRUE(!std::memcmp(&s.CalendarFont, &metrics.lfMessageFont, sizeof(LOGFONTA)) &&
              !std::memcmp(&s.NotesFont, &metrics.lfMessageFont, sizeof(LOGFONTA)))
      << "both fonts are the message font";
  EXPECT_EQ((std::array{s.CellWidth, s.CellHeight, s.WindowLeft, s.WindowTop, s.WindowWidth, s.WindowHeight}),
            (std::array{24, 15, 413, 300, 198, 168}));
  EXPECT_EQ(DateOf(s.SavedTime), 20070303) << "saved at the local time";
}

// A damaged record: a community the tables do not know, with the own
// holidays of Madrid left in it, and a cell size no font gives. Closed while
// minimized, the window keeps the place it has when restored.
TEST_F(March2007, ADamagedRecordIsRepairedWithoutLosingTheUsersChoices) {
  CalendarSettings settings = Settings();
  settings.Community = 99, settings.City = 1500;
  CollectRegionHolidays(15, 1500, settings.LocalHolidays);
  ASSERT_NE(settings.LocalHolidays[LocalHolidaySlots - 1], 0) << "Madrid has own holidays";
  settings.CellWidth = 0, settings.CellHeight = 9999;
  settings.WindowLeft = 40, settings.WindowTop = 50;
  settings.CalendarFont.Height *= 2;  // a larger calendar font than the first run's
  std::memcpy(settings.NotesFont.FaceName, "DejaVu Serif", 13);
  Start(settings);
  RECT r, client;
  GetWindowRect(app.Window, &r);
  GetClientRect(app.Window, &client);
  ShowWindow(app.Window, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(app.Window) != 0; }));
  EXPECT_EQ(Close(), 0u);

  const CalendarSettings s = ReadSettingsRecord();
  for (int32_t day : s.LocalHolidays) EXPECT_EQ(day, 0) << "no community, no own holidays";
  EXPECT_TRUE(!std::memcmp(&s.CalendarFont, &settings.CalendarFont, sizeof s.CalendarFont) &&
              !std::memcmp(&s.NotesFont, &settings.NotesFont, sizeof s.NotesFont))
      << "the fonts stay";
  // Measured again from the larger font, the window fitted to it at its place.
  EXPECT_GT(s.CellWidth, MeasuredSettings().CellWidth);
  EXPECT_GT(s.CellHeight, MeasuredSettings().CellHeight);
  EXPECT_EQ((std::array<LONG, 2>{client.right, client.bottom}), (std::array<LONG, 2>{8 * s.CellWidth, 8 * s.CellHeight + 4}));
  EXPECT_EQ((std::array<LONG, 4>{s.WindowLeft, s.WindowTop, s.WindowWidth, s.WindowHeight}),
            (std::array<LONG, 4>{40, 50, r.right - r.left, r.bottom - r.top}));
}

TEST_F(March2007, TheCursorIsAHandOverTheActiveSpotsOnly) {
  Start();
  SetForegroundWindow(app.Window);  // the cursor read back is the foreground window's
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app.Window; }));
  auto cursorAt = [&](POINT p) {
    MoveMouse(app.Window, p.x, p.y);
    CURSORINFO info = {sizeof info};
    GetCursorInfo(&info);
    return info.hCursor;
  };
  const HCURSOR hand = cursorAt(Center(DayCell(5)));
  EXPECT_NE(cursorAt(Center(Element(LayoutMoonBox))), hand);  // a grid cell that never holds a day
  EXPECT_EQ(cursorAt(Center(Element(LayoutTitle))), hand);
  EXPECT_EQ(Close(), 0u);
}

TEST_F(March2007, TheAboutBoxClosesWithEscapeAndWithItsButton) {
  Start();
  for (bool escape : {true, false}) {
    MenuCommand(app.Window, IDM_ABOUT);
    HWND about = FindDialog(app.Process.dwProcessId);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowText(about), "");
    EXPECT_NE(WindowText(GetDlgItem(about, IDC_HOME_PAGE)).find("example.org"), std::string::npos);
    EXPECT_EQ(WindowText(GetDlgItem(about, IDOK)), "Cerrar");
    if (escape) SaveScreenshot(CaptureClient(about), "about_box");
    if (escape) PressKey(GetDlgItem(about, IDC_HOME_PAGE), VK_ESCAPE);
    else PressButton(about, IDOK);
    EXPECT_TRUE(WaitGone(about)) << escape;
  }
  EXPECT_EQ(Close(), 0u);
}
