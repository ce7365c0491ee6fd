// The calendar window: its first run; a session in the running window (the
// single running copy, the cursor, the About box, the notes editor, paging
// and changing the year, all saved at exit); a start without its settings
// file; a damaged record mended at start-up.

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
  EXPECT_EQ((std::array<LONG, 13>{first.Window.left, first.Window.top, first.Window.right, first.Window.bottom,
                                  first.Month.Width, first.Month.Height, s.CellWidth, s.CellHeight, s.WindowLeft,
                                  s.WindowTop, s.WindowWidth, s.WindowHeight, DateOf(s.SavedTime)}),
            (std::array<LONG, 13>{413, 300, 611, 468, 192, 124, 24, 15, 413, 300, 198, 168, 20070303}));
  EXPECT_EQ(std::memcmp(&s.CalendarFont, &metrics.lfMessageFont, sizeof(LOGFONTA)), 0);
  EXPECT_EQ(std::memcmp(&s.NotesFont, &metrics.lfMessageFont, sizeof(LOGFONTA)), 0);
}

TEST_F(March2007, ASessionInTheRunningWindowAndAStartWithoutSettings) {
  CalendarSettings settings = Settings();
  settings.WindowLeft = settings.WindowTop = 0;  // clear of the centred dialogs
  AddNoteText(7, 3, "Old note", 0);
  Start(settings);
  auto refusedStart = [&](const char* caption) {  // a start that ends at once: its message and exit code
    PROCESS_INFORMATION process = RunCommand("\"" + dir.File("Oristel.exe") + "\"");
    const std::string text = AnswerMessage(process.dwProcessId, caption, IDOK);
    return text + "|" + std::to_string(WaitForExit(process));
  };
  EXPECT_EQ(GetWindowLongA(app.Window, GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS), 0x00CA0000) << "a fixed frame";
  EXPECT_EQ(refusedStart("Oristel 2007"), "Ya existe una copia en ejecuci\xF3n.|1");

  // The hand over the active spots only, not over the moon's grid cell, which
  // never holds a day. The cursor read back is the foreground window's.
  SetForegroundWindow(app.Window);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app.Window; }));
  auto cursorAt = [&](const Rect& r) {
    SendMessageA(app.Window, WM_MOUSEMOVE, 0, MAKELPARAM(Center(r).x, Center(r).y));
    CURSORINFO info = {sizeof info};
    GetCursorInfo(&info);
    return info.hCursor;
  };
  const HCURSOR hand = cursorAt(DayCell(5));
  EXPECT_NE(cursorAt(Element(LayoutMoonBox)), hand);
  EXPECT_EQ(cursorAt(Element(LayoutTitle)), hand);

  for (bool escape : {true, false}) {  // the About box closes with Escape and with its button
    MenuCommand(app.Window, IDM_ABOUT);
    HWND about = FindDialog(app.Process.dwProcessId);
    EXPECT_EQ(
        TextWide(about) + "|" + TextWide(GetDlgItem(about, IDOK)) + "|" + TextWide(GetDlgItem(about, IDC_HOME_PAGE)),
        "|Cerrar|http://www.example.org/oristel/");
    if (escape)
      PressKey(GetDlgItem(about, IDC_HOME_PAGE), VK_ESCAPE);
    else
      PressButton(about, IDOK);
    EXPECT_TRUE(WaitGone(about)) << escape;
  }

  // A note saved from the editor repaints only its cell, in the note colour;
  // emptied, it is deleted.
  auto stored = [](int day) {
    NoteRecord record{};
    ReadNote(day, 3, &record);
    return record;
  };
  const std::string medico = "Cita con el médico";
  const Capture plain = CaptureClient(app.Window);
  HWND editor = OpenEditor(5);
  ASSERT_TRUE(TypeOver(GetDlgItem(editor, IDC_NOTE_TEXT), medico.c_str()));
  ASSERT_TRUE(PressAndWaitGone(editor, IDOK));
  EXPECT_EQ(stored(5).Text + std::string("|") + std::to_string(DateOf(stored(5).UpdateTime)), medico + "|20070303");
  const Capture noted = CaptureClient(app.Window, false);
  const Rect cell = DayCell(5);
  int outside = 0;
  for (int y = 0; y < noted.Height; ++y)
    for (int x = 0; x < noted.Width; ++x)
      outside +=
          (x < cell.left || x >= cell.right || y < cell.top || y >= cell.bottom) && plain.At(x, y) != noted.At(x, y);
  EXPECT_EQ(outside, 0) << "pixels changed outside the cell";
  EXPECT_EQ((std::array{noted.At(cell.left + 1, cell.top + 1), noted.At(cell.right - 2, cell.bottom - 2)}),
            (std::array{Rgb(started.NoteDayBackColor), Rgb(started.NoteDayBackColor)}));
  editor = OpenEditor(5);
  EXPECT_EQ(TextWide(GetDlgItem(editor, IDC_NOTE_TEXT)), medico);
  ASSERT_TRUE(TypeOver(GetDlgItem(editor, IDC_NOTE_TEXT), ""));
  ASSERT_TRUE(PressAndWaitGone(editor, IDOK));
  EXPECT_EQ(CaptureClient(app.Window, false).Pixels, plain.Pixels) << "the note is deleted, the cell plain again";
  // Typing stops at 255 characters.
  editor = OpenEditor(31);
  HWND text = GetDlgItem(editor, IDC_NOTE_TEXT);
  TypeText(text, std::string(300, 'n').c_str());
  ASSERT_TRUE(WaitUntil([&] { return TextWide(text).size() >= 255; }));
  Sleep(200);
  EXPECT_EQ(TextWide(text).size(), 255u);
  ASSERT_TRUE(PressAndWaitGone(editor, IDOK));
  EXPECT_EQ(stored(31).Text, std::string(255, 'n'));
  // Enter (to the default button, Cancel) and the close box after typing,
  // and Accept with nothing typed, save nothing.
  const Bytes notes = ReadBytes(dir.File("cal_notas.dat"));
  for (int way : {VK_RETURN, SC_CLOSE, IDOK}) {
    editor = OpenEditor(7);
    text = GetDlgItem(editor, IDC_NOTE_TEXT);
    EXPECT_EQ(TextWide(text), "Old note");
    if (way == IDOK) {
      PressButton(editor, IDOK);
    } else {
      EXPECT_TRUE(TypeOver(text, "Old note and more"));
      if (way == VK_RETURN)
        PressKey(text, VK_RETURN);
      else
        PostMessageA(editor, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    EXPECT_TRUE(WaitGone(editor)) << way;
    EXPECT_EQ(ReadBytes(dir.File("cal_notas.dat")), notes) << way;
  }

  // The arrows back to December 2006, the whole month drawn again, and on to
  // January 2008.
  const Capture march = CaptureClient(app.Window);
  for (int i = 0; i < 3; ++i) Navigate(LayoutPrevArrow);
  const Capture december = SaveScreenshot(CaptureClient(app.Window, false), "month_december_2006");
  EXPECT_NE(december.Pixels, march.Pixels);
  EXPECT_EQ(december.Pixels, CaptureClient(app.Window).Pixels) << "only part of the month was drawn again";
  for (int i = 0; i < 13; ++i) Navigate(LayoutNextArrow);

  // The year from the title: each opening, centred on the screen, shows the
  // year shown; what is typed then (nullptr: nothing), the way out (0: Enter,
  // to the default button, Cancel) and the year shown after it, the month
  // drawn again when it changed.
  const std::tuple<const char*, int, int> cases[] = {
      {"1999", 0, 2008},   {"1790", IDOK, 1790},     {"5317", IDOK, 5317}, {"1789", IDOK, 5317},  {"5318", IDOK, 5317},
      {"abc", IDOK, 5317}, {"2008", IDCANCEL, 5317}, {"2008", IDOK, 2008}, {nullptr, IDOK, 2008},
  };
  int shown = 2008;
  for (const auto& [typed, button, year] : cases) {
    const Capture before = CaptureClient(app.Window);
    ClickClient(app.Window, Center(Element(LayoutTitle)).x, Center(Element(LayoutTitle)).y);
    HWND dialog = FindDialog(app.Process.dwProcessId, "Cambiar el a\xF1o");
    HWND edit = GetDlgItem(dialog, IDC_YEAR_EDIT);
    RECT r{};
    GetWindowRect(dialog, &r);
    EXPECT_EQ(
        (std::array<LONG, 3>{LOWORD(SendDlgItemMessageA(dialog, IDC_YEAR_SPIN, UDM_GETPOS, 0, 0)), r.left, r.top}),
        (std::array<LONG, 3>{shown, 512 - (r.right - r.left) / 2, 384 - (r.bottom - r.top) / 2}));
    if (typed) {
      EXPECT_TRUE(TypeOver(edit, typed));
    }
    if (button)
      PressButton(dialog, button);
    else
      PressKey(edit, VK_RETURN);
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_EQ(CaptureClient(app.Window, false).Pixels != before.Pixels, year != shown) << (typed ? typed : "untouched");
    shown = year;
  }
  EXPECT_EQ(Close(), 0u);
  EXPECT_EQ(std::pair(ReadSettingsRecord().ShownMonth, ReadSettingsRecord().ShownYear), std::pair(1, 2008));
  DeleteFileA(dir.File("cal_2007.op").c_str());
  EXPECT_EQ(refusedStart("Oristel"), "No he podido abrir el archivo: " + dir.File("cal_2007.op") + "|0");
}

// A community the tables do not know, with the own holidays of Madrid left in
// it, and a cell size no font gives: the holidays go, the fonts stay, the
// cell is measured again from the larger calendar font and the window fitted
// to it at its place. Closed while minimized, the window keeps the place it
// has when restored.
TEST_F(March2007, ADamagedRecordIsRepairedWithoutLosingTheUsersChoices) {
  CalendarSettings settings = Settings();
  settings.Community = 99;
  settings.City = 1500;
  settings.CellWidth = 0;
  settings.CellHeight = 9999;
  settings.WindowLeft = 40;
  settings.WindowTop = 50;
  settings.CalendarFont.Height *= 2;
  std::memcpy(settings.NotesFont.FaceName, "DejaVu Serif", 13);
  CollectRegionHolidays(15, 1500, settings.LocalHolidays);  // Madrid's own holidays
  Start(settings);
  RECT r, client;
  GetWindowRect(app.Window, &r);
  GetClientRect(app.Window, &client);
  ShowWindow(app.Window, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(app.Window) != 0; }));
  EXPECT_EQ(Close(), 0u);
  const CalendarSettings s = ReadSettingsRecord();
  EXPECT_EQ(std::count(s.LocalHolidays, s.LocalHolidays + LocalHolidaySlots, 0), LocalHolidaySlots);
  EXPECT_EQ(std::memcmp(&s.CalendarFont, &settings.CalendarFont, sizeof s.CalendarFont), 0);
  EXPECT_EQ(std::memcmp(&s.NotesFont, &settings.NotesFont, sizeof s.NotesFont), 0);
  EXPECT_GT(s.CellWidth, Measured().Saved.CellWidth);
  EXPECT_GT(s.CellHeight, Measured().Saved.CellHeight);
  EXPECT_EQ(
      (std::array<LONG, 6>{client.right, client.bottom, s.WindowLeft, s.WindowTop, s.WindowWidth, s.WindowHeight}),
      (std::array<LONG, 6>{8 * s.CellWidth, 8 * s.CellHeight + 4, 40, 50, r.right - r.left, r.bottom - r.top}));
}
