// The notes editor opened by a click on a day: caption and labels in every
// display language, saving, the Enter key, the 255-character limit, and the
// one-cell redraw.
#include <cstring>

#include "calendar/names.h"
#include "fixture.h"

E2E_SUITE(March2007Notes, 2007, 3, 3);
E2E_SUITE(LeapDay2008, 2008, 2, 29);

// The note of the day as the notes file holds it, and its flag.
static NoteRecord StoredNote(int day, int month, int32_t* flag) {
  NoteRecord record{};
  ReadNoteFlag(day, month, flag);
  ReadNote(day, month, &record);
  return record;
}

TEST_F(March2007Notes, CaptionAndLabelsFollowTheDisplayLanguage) {
  struct Case {
    int language;
    const char *caption, *accept, *cancel, *today, *label;
  } cases[] = {
      {0, "  marzo, 5", "Aceptar", "Cancelar", "Hoy...", "Notas"},
      {1, "  mar\xE7, 5", "Acceptar", "Cancel-lar", "Avui...", "Notes"},
      {2, "  marzo, 5", "Acetar", "Cancelar", "Hoxe...", "Notas"},
      {3, "  martxoa, 5", "Ados", "Utzi", "Egun...", "Oharrak"},
      {4, "  mar\xE7o, 5", "Aceitar", "Cancelar", "Hoje...", "Verbetar"},
      {5, "  mars, 5", "OK", "Annuler", "Aujourd'hui...", "Notes"},
  };
  for (const Case& c : cases) {
    CalendarSettings settings = Settings();
    settings.Language = c.language;
    Start(settings);
    HWND editor = OpenEditor(5);
    ASSERT_NE(editor, nullptr) << c.language;
    EXPECT_EQ(WindowText(editor), c.caption);
    EXPECT_EQ(WindowText(GetDlgItem(editor, IDOK)), c.accept);
    EXPECT_EQ(WindowText(GetDlgItem(editor, IDCANCEL)), c.cancel);
    EXPECT_EQ(WindowText(GetDlgItem(editor, IDC_NOTE_TODAY)), c.today);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(editor, IDC_NOTE_TODAY))) << "2007 offers the today page";
    // Cancel is the default button.
    EXPECT_EQ(SendMessageA(editor, DM_GETDEFID, 0, 0) & 0xFFFF, IDCANCEL);
    HWND label = FindWindowExA(editor, nullptr, "Static", nullptr);
    EXPECT_EQ(WindowText(label), c.label);
    if (c.language == 0) SaveScreenshot(CaptureClient(editor), "notes_editor");
    EXPECT_TRUE(PressAndWaitGone(editor, IDCANCEL));
    EXPECT_EQ(Close(), 0u);
  }
}

TEST_F(March2007Notes, SavingANoteRepaintsOnlyItsCell) {
  Start();
  Capture before = CaptureClient(app.Window);
  HWND editor = OpenEditor(5);
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(TypeInto(GetDlgItem(editor, IDC_NOTE_TEXT), "Cita con el m\xE9" "dico", 18));
  ASSERT_TRUE(PressAndWaitGone(editor, IDOK));
  SendMessageA(app.Window, WM_NULL, 0, 0);
  Capture after = CaptureClient(app.Window);

  Rect cell = DayCell(5);
  int changedInside = 0;
  for (int y = 0; y < after.Height; ++y)
    for (int x = 0; x < after.Width; ++x) {
      bool inside = x >= cell.left && x < cell.right && y >= cell.top && y < cell.bottom;
      if (inside) changedInside += before.At(x, y) != after.At(x, y);
      else ASSERT_EQ(before.At(x, y), after.At(x, y)) << "pixel " << x << "," << y << " outside the cell";
    }
  EXPECT_GT(changedInside, 0);
  EXPECT_EQ(after.At(cell.left + 1, cell.top + 1), Rgb(started.NoteDayBackColor));
  EXPECT_EQ(after.At(cell.right - 2, cell.bottom - 2), Rgb(started.NoteDayBackColor));

  int32_t flag = 0;
  NoteRecord note = StoredNote(5, 3, &flag);
  EXPECT_EQ(flag, 1);
  EXPECT_STREQ(note.Text, "Cita con el m\xE9" "dico");
  FILETIME ft = {note.UpdateTime.Low, note.UpdateTime.High};
  SYSTEMTIME st;
  FileTimeToSystemTime(&ft, &st);
  EXPECT_EQ(st.wYear * 10000 + st.wMonth * 100 + st.wDay, 20070303);

  // Emptying the text deletes the note and the cell loses its colour again.
  editor = OpenEditor(5);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(editor, IDC_NOTE_TEXT)), "Cita con el m\xE9" "dico");
  ASSERT_TRUE(ReplaceText(GetDlgItem(editor, IDC_NOTE_TEXT), ""));
  ASSERT_TRUE(PressAndWaitGone(editor, IDOK));
  StoredNote(5, 3, &flag);
  EXPECT_EQ(flag, 0);
  Capture cleared = CaptureClient(app.Window);
  EXPECT_EQ(cleared.Pixels, before.Pixels);
  EXPECT_EQ(Close(), 0u);
}

TEST_F(March2007Notes, EnterCancelsAndAnUntouchedAcceptWritesNothing) {
  AddNoteText(7, 3, "Old note", 0);
  Start();
  std::vector<unsigned char> notes = ReadWholeFile(dir.File("cal_notas.dat"));

  HWND editor = OpenEditor(7);
  ASSERT_NE(editor, nullptr);
  HWND text = GetDlgItem(editor, IDC_NOTE_TEXT);
  ASSERT_TRUE(TypeInto(text, " and more", 17));
  PressKey(text, VK_RETURN);
  EXPECT_TRUE(WaitGone(editor)) << "Enter in the text box goes to the default Cancel";
  EXPECT_EQ(ReadWholeFile(dir.File("cal_notas.dat")), notes);

  Capture before = CaptureClient(app.Window);
  editor = OpenEditor(7);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(editor, IDC_NOTE_TEXT)), "Old note");
  EXPECT_TRUE(PressAndWaitGone(editor, IDOK));
  EXPECT_EQ(ReadWholeFile(dir.File("cal_notas.dat")), notes);
  EXPECT_EQ(CaptureClient(app.Window).Pixels, before.Pixels);

  // The close box ends it without saving too.
  editor = OpenEditor(7);
  ASSERT_NE(editor, nullptr);
  TypeText(GetDlgItem(editor, IDC_NOTE_TEXT), "x");
  PostMessageA(editor, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(WaitGone(editor));
  EXPECT_EQ(ReadWholeFile(dir.File("cal_notas.dat")), notes);
  EXPECT_EQ(Close(), 0u);
}

TEST_F(March2007Notes, TypingStopsAt255Characters) {
  Start();
  HWND editor = OpenEditor(31);
  ASSERT_NE(editor, nullptr);
  HWND text = GetDlgItem(editor, IDC_NOTE_TEXT);
  ASSERT_TRUE(TypeInto(text, std::string(300, 'n'), 255));
  Sleep(200);
  EXPECT_EQ(WindowText(text).size(), 255u);
  ASSERT_TRUE(PressAndWaitGone(editor, IDOK));
  int32_t flag = 0;
  NoteRecord note = StoredNote(31, 3, &flag);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(std::strlen(note.Text), 255u);
  EXPECT_EQ(Close(), 0u);
}

TEST_F(LeapDay2008, TheTodayButtonIsDisabledOutside2007AndTheLeapDayHasItsSlot) {
  Start();
  HWND editor = OpenEditor(29);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(WindowText(editor), "  febrero, 29");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(editor, IDC_NOTE_TODAY)));
  ASSERT_TRUE(TypeInto(GetDlgItem(editor, IDC_NOTE_TEXT), "bisiesto", 8));
  ASSERT_TRUE(PressAndWaitGone(editor, IDOK));
  int32_t flag = 0;
  EXPECT_STREQ(StoredNote(29, 2, &flag).Text, "bisiesto");
  EXPECT_EQ(flag, 1);
  Capture shot = CaptureClient(app.Window);
  SaveScreenshot(shot, "today_with_note_2008");
  Rect cell = DayCell(29);
  // Today with a note: today's colour above, the note's colour in the lower H/2 rows.
  EXPECT_EQ(shot.At(cell.left + 1, cell.top), Rgb(started.TodayBackColor));
  EXPECT_EQ(shot.At(cell.left + 1, cell.bottom - 1), Rgb(started.NoteDayBackColor));
  EXPECT_EQ(Close(), 0u);
}
