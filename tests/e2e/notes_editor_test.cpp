// The notes editor opened by a click on a day: saving and deleting with the
// one-cell redraw, the 255-character limit, and the ways out that save
// nothing. (Its texts in every language: drawing_test.cpp.)
#include <array>

#include "fixture.h"

E2E_SUITE(March2007Notes, 2007, 3, 3);

TEST_F(March2007Notes, SavingRepaintsOnlyItsCellEmptyingDeletesAndTheWaysOutSaveNothing) {
  AddNoteText(7, 3, "Old note", 0);
  CalendarSettings settings = Settings();
  settings.WindowLeft = settings.WindowTop = 0;  // clear of the centred editor
  Start(settings);
  auto stored = [](int day) {
    NoteRecord record{};
    ReadNote(day, 3, &record);
    return record;
  };
  const Capture before = CaptureClient(app.Window);
  HWND editor = OpenEditor(5);
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(TypeOver(GetDlgItem(editor, IDC_NOTE_TEXT), "Cita con el m\xE9" "dico"));
  ASSERT_TRUE(PressAndWaitGone(editor, IDOK));
  EXPECT_STREQ(stored(5).Text, "Cita con el m\xE9" "dico");
  EXPECT_EQ(DateOf(stored(5).UpdateTime), 20070303);
  // Only what the program invalidated is painted: the cell, in the note colour.
  const Capture after = CaptureClient(app.Window, false);
  const Rect cell = DayCell(5);
  int outside = 0;
  for (int y = 0; y < after.Height; ++y)
    for (int x = 0; x < after.Width; ++x)
      outside += (x < cell.left || x >= cell.right || y < cell.top || y >= cell.bottom) && before.At(x, y) != after.At(x, y);
  EXPECT_EQ(outside, 0) << "pixels changed outside the cell";
  EXPECT_EQ((std::array{after.At(cell.left + 1, cell.top + 1), after.At(cell.right - 2, cell.bottom - 2)}),
            (std::array{Rgb(started.NoteDayBackColor), Rgb(started.NoteDayBackColor)}));

  editor = OpenEditor(5);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(editor, IDC_NOTE_TEXT)), "Cita con el m\xE9" "dico");
  ASSERT_TRUE(TypeOver(GetDlgItem(editor, IDC_NOTE_TEXT), ""));
  ASSERT_TRUE(PressAndWaitGone(editor, IDOK));
  EXPECT_EQ(CaptureClient(app.Window, false).Pixels, before.Pixels) << "the note is deleted, the cell plain again";

  editor = OpenEditor(31);
  ASSERT_NE(editor, nullptr);
  HWND text = GetDlgItem(editor, IDC_NOTE_TEXT);
  TypeText(text, std::string(300, 'n').c_str());
  ASSERT_TRUE(WaitUntil([&] { return WindowText(text).size() == 255; }));
  Sleep(200);
  EXPECT_EQ(WindowText(text).size(), 255u) << "typing stops at 255 characters";
  ASSERT_TRUE(PressAndWaitGone(editor, IDOK));
  EXPECT_EQ(stored(31).Text, std::string(255, 'n'));

  // Enter (to the default button, Cancel) and the close box after typing,
  // and Accept with nothing typed.
  const std::vector<unsigned char> notes = ReadWholeFile(dir.File("cal_notas.dat"));
  for (int way : {VK_RETURN, SC_CLOSE, IDOK}) {
    editor = OpenEditor(7);
    ASSERT_NE(editor, nullptr);
    text = GetDlgItem(editor, IDC_NOTE_TEXT);
    EXPECT_EQ(WindowText(text), "Old note");
    EXPECT_TRUE(way == IDOK || TypeOver(text, "Old note and more"));
    if (way == VK_RETURN) PressKey(text, VK_RETURN);
    if (way == SC_CLOSE) PostMessageA(editor, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (way == IDOK) PressButton(editor, IDOK);
    EXPECT_TRUE(WaitGone(editor)) << way;
    EXPECT_EQ(ReadWholeFile(dir.File("cal_notas.dat")), notes) << way;
  }
  EXPECT_EQ(Close(), 0u);
}
