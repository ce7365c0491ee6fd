// Start-up, the single running copy, the window's place and frame, the
// cursor, the About box and the settings file after exit.
#include <cstring>

#include "fixture.h"
#include "calendar/regions.h"
#include "view/hit_test.h"

E2E_SUITE(March2007, 2007, 3, 3);

TEST_F(March2007, ASecondCopyIsRefusedAndEndsWithCodeOne) {
  Start();
  PROCESS_INFORMATION second = StartProcess(dir);
  HWND box = FindDialog(second.dwProcessId, "Oristel 2007");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "Ya existe una copia en ejecuci\xF3n.");
  PressButton(box, IDOK);
  EXPECT_EQ(WaitForExit(second), 1u);
  EXPECT_TRUE(IsWindowVisible(app.Window)) << "the first copy is not disturbed";
  EXPECT_EQ(Close(), 0u);
}

TEST_F(March2007, FirstRunCentresTheWindowWithTheSystemFontThenKeepsItsPlace) {
  // The installed settings: never saved.
  CalendarSettings installed = ReadSettingsRecord();
  ASSERT_EQ(installed.SavedTime.High, 0u);
  for (int word : {0, 19, 20, 21, 22, 69}) reinterpret_cast<uint32_t*>(&installed)[word] = 0xA5A50000u + word;
  WriteSettingsRecord(installed);
  app = StartOristel(dir);
  ASSERT_NE(app.Window, nullptr);

  // This Wine's message font ("MS Shell Dlg", 8 points) is 13 pixels high
  // with 2 of internal leading, and "XXX" is 24 pixels wide: the cell is
  // 24 x 15, the client area 8 cells by 8 cells and 4, the frame 3 pixels a
  // side under a 19-pixel caption and a 19-pixel menu, on a 1024 x 768 screen.
  NONCLIENTMETRICSA metrics = {340};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0));
  ASSERT_EQ(metrics.lfMessageFont.lfHeight, -11) << "another Wine: the figures below no longer hold";
  const int outerW = 198, outerH = 168;
  RECT r;
  GetWindowRect(app.Window, &r);
  EXPECT_EQ(r.right - r.left, outerW);
  EXPECT_EQ(r.bottom - r.top, outerH);
  EXPECT_EQ(r.left, 413);
  EXPECT_EQ(r.top, 300);
  RECT client;
  GetClientRect(app.Window, &client);
  EXPECT_EQ(client.right, 192);
  EXPECT_EQ(client.bottom, 124);
  EXPECT_EQ(Close(), 0u);

  CalendarSettings saved = ReadSettingsRecord();
  const auto* words = reinterpret_cast<const uint32_t*>(&saved);
  for (int word : {0, 19, 20, 21, 22, 69}) EXPECT_EQ(words[word], 0xA5A50000u + word) << "reserved word " << word;
  EXPECT_EQ(saved.OffscreenBitmap, 0u);
  EXPECT_NE(saved.SavedTime.High, 0u);
  EXPECT_EQ(0, std::memcmp(&saved.CalendarFont, &metrics.lfMessageFont, sizeof(LOGFONTA)));
  EXPECT_EQ(0, std::memcmp(&saved.NotesFont, &metrics.lfMessageFont, sizeof(LOGFONTA)));
  EXPECT_EQ(saved.CellWidth, 24);
  EXPECT_EQ(saved.CellHeight, 15);
  EXPECT_EQ(saved.WindowLeft, r.left);
  EXPECT_EQ(saved.WindowTop, r.top);
  EXPECT_EQ(saved.WindowWidth, outerW);
  EXPECT_EQ(saved.WindowHeight, outerH);
  EXPECT_EQ(saved.NotesFontPoints, installed.NotesFontPoints) << "the first run keeps the rest";
  EXPECT_EQ(saved.Community, installed.Community);
  // The save time is the faked local time of today.
  FILETIME ft = {saved.SavedTime.Low, saved.SavedTime.High};
  SYSTEMTIME st;
  FileTimeToSystemTime(&ft, &st);
  EXPECT_EQ(st.wYear * 10000 + st.wMonth * 100 + st.wDay, 20070303);

  // The next run uses the stored rectangle.
  saved.WindowLeft = 33;
  saved.WindowTop = 44;
  WriteSettingsRecord(saved);
  app = StartOristel(dir);
  ASSERT_NE(app.Window, nullptr);
  GetWindowRect(app.Window, &r);
  EXPECT_EQ(r.left, 33);
  EXPECT_EQ(r.top, 44);
  EXPECT_EQ(r.right - r.left, outerW);
  EXPECT_EQ(Close(), 0u);
}

TEST_F(March2007, TheFrameIsFixed) {
  Start();
  LONG style = GetWindowLongA(app.Window, GWL_STYLE);
  EXPECT_EQ(style & ~(WS_VISIBLE | WS_CLIPSIBLINGS), 0x00CA0000);
  RECT r;
  GetWindowRect(app.Window, &r);
  // No sizing border: the edges hit-test as plain border or caption.
  for (POINT edge : {POINT{r.left, (r.top + r.bottom) / 2}, POINT{r.right - 1, (r.top + r.bottom) / 2},
                     POINT{(r.left + r.right) / 2, r.bottom - 1}}) {
    LRESULT hit = SendMessageA(app.Window, WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y));
    EXPECT_TRUE(hit < HTSIZEFIRST || hit > HTSIZELAST) << hit;
  }
  EXPECT_EQ(Close(), 0u);
}

TEST_F(March2007, TheCursorChangesOnlyBetweenActiveSpotsAndTheRest) {
  Start();
  auto cursor = [] {
    CURSORINFO info = {sizeof info};
    GetCursorInfo(&info);
    return info.hCursor;
  };
  // The cursor read back is the foreground window's.
  SetForegroundWindow(app.Window);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app.Window; }));
  POINT empty = Center(Element(LayoutMoonBox));  // a grid cell that never holds a day
  POINT day = Center(DayCell(5)), other = Center(DayCell(6)), title = Center(Element(LayoutTitle));
  MoveMouse(app.Window, day.x, day.y);
  HCURSOR hand = cursor();
  MoveMouse(app.Window, empty.x, empty.y);
  HCURSOR arrow = cursor();
  EXPECT_NE(hand, arrow);
  MoveMouse(app.Window, other.x, other.y);
  EXPECT_EQ(cursor(), hand);
  MoveMouse(app.Window, title.x, title.y);
  EXPECT_EQ(cursor(), hand);
  MoveMouse(app.Window, empty.x + 1, empty.y);
  EXPECT_EQ(cursor(), arrow);
  EXPECT_EQ(Close(), 0u);
}

TEST_F(March2007, TheAboutBoxClosesWithEscapeAndWithItsButton) {
  Start();
  MenuCommand(app.Window, IDM_ABOUT);
  HWND about = FindDialog(app.Process.dwProcessId);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(WindowText(about), "");
  std::string address = WindowText(GetDlgItem(about, IDC_HOME_PAGE));
  EXPECT_NE(address.find("example.org"), std::string::npos) << address;
  EXPECT_EQ(WindowText(GetDlgItem(about, IDOK)), "Cerrar");
  SaveScreenshot(CaptureClient(about), "about_box");
  PressKey(GetDlgItem(about, IDC_HOME_PAGE), VK_ESCAPE);
  EXPECT_TRUE(WaitGone(about));

  MenuCommand(app.Window, IDM_ABOUT);
  about = FindDialog(app.Process.dwProcessId);
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(PressAndWaitGone(about, IDOK));
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

TEST_F(March2007, ClosedWhileMinimizedItKeepsTheRestoredPlace) {
  CalendarSettings settings = Settings();
  settings.WindowLeft = 120;
  settings.WindowTop = 90;
  Start(settings);
  ShowWindow(app.Window, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(app.Window) != 0; }));
  EXPECT_EQ(Close(), 0u);
  CalendarSettings saved = ReadSettingsRecord();
  EXPECT_EQ(saved.WindowLeft, 120);
  EXPECT_EQ(saved.WindowTop, 90);
  EXPECT_EQ(saved.WindowWidth, settings.WindowWidth);
  EXPECT_EQ(saved.WindowHeight, settings.WindowHeight);
}

// A damaged record: a community the tables do not know, with the own holidays
// of Madrid left in it, and a cell size no font gives.
TEST_F(March2007, ADamagedRecordIsRepairedWithoutLosingTheUsersChoices) {
  CalendarSettings settings = Settings();
  settings.Community = 99;
  settings.City = 1500;
  CollectRegionHolidays(15, 1500, settings.LocalHolidays);
  ASSERT_NE(settings.LocalHolidays[LocalHolidaySlots - 1], 0) << "Madrid has own holidays";
  settings.CellWidth = 0;
  settings.CellHeight = 9999;
  settings.WindowLeft = 40;
  settings.WindowTop = 50;
  settings.CalendarFont.Height = 2 * settings.CalendarFont.Height;  // a larger calendar font than the first run's
  std::memcpy(settings.NotesFont.FaceName, "DejaVu Serif", 13);
  Start(settings);
  RECT r, client;
  GetWindowRect(app.Window, &r);
  GetClientRect(app.Window, &client);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(Close(), 0u);

  CalendarSettings saved = ReadSettingsRecord();
  EXPECT_EQ(saved.Community, 1);
  EXPECT_EQ(saved.City, 0);
  for (int32_t day : saved.LocalHolidays) EXPECT_EQ(day, 0) << "no community, no own holidays";
  EXPECT_EQ(0, std::memcmp(&saved.CalendarFont, &settings.CalendarFont, sizeof saved.CalendarFont));
  EXPECT_EQ(0, std::memcmp(&saved.NotesFont, &settings.NotesFont, sizeof saved.NotesFont));
  // Measured again from the larger font, and the window fitted to it.
  EXPECT_GT(saved.CellWidth, MeasuredSettings().CellWidth);
  EXPECT_GT(saved.CellHeight, MeasuredSettings().CellHeight);
  EXPECT_EQ(client.right, 8 * saved.CellWidth);
  EXPECT_EQ(client.bottom, 8 * saved.CellHeight + 4);
}
