// The notes editor opened by a click on a day: caption and labels in every
// display language, saving and deleting with the one-cell redraw, the
// 255-character limit, and the ways out that save nothing.
#include <cstring>

#include "fixture.h"

E2E_SUITE(March2007Notes, 2007, 3, 3);

// The day's stored note; its flag.
static NoteRecord StoredNote(int day, int month, int32_t* flag) {
  NoteRecord record{};
  ReadNoteFlag(day, month, flag);
  ReadNote(day, month, &record);
  return record;
}

TEST_F(March2007Notes, CaptionAndLabelsFollowTheDisplayLanguage) {
  // Caption, then the labels of Accept, Cancel, the today button and the text box.
  const char* const texts[] = {
      "  marzo, 5|Aceptar|Cancelar|Hoy...|Notas",           "  mar\xE7, 5|Acceptar|Cancel-lar|Avui...|Notes",
      "  marzo, 5|Acetar|Cancelar|Hoxe...|Notas",           "  martxoa, 5|Ados|Utzi|Egun...|Oharrak",
      "  mar\xE7o, 5|Aceitar|Cancelar|Hoje...|Verbetar",    "  mars, 5|OK|Annuler|Aujourd'hui...|Notes",
  };
  for (int language = 0; language < 6; ++language) {
    CalendarSettings settings = Settings();
    settings.Language = language;
    Start(settings);
    HWND editor = OpenEditor(5);
    ASSERT_NE(editor, nullptr) << language;
    std::string shown = WindowText(editor);
    for (HWND control : {GetDlgItem(editor, IDOK), GetDlgItem(editor, IDCANCEL), GetDlgItem(editor, IDC_NOTE_TODAY),
                         FindWindowExA(editor, nullptr, "Static", nullptr)})
      shown += "|" + WindowText(control);
    EXPECT_EQ(shown, texts[language]);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(editor, IDC_NOTE_TODAY))) << "2007 has its today pages";
    if (language == 0) SaveScreenshot(CaptureClient(editor), "notes_editor");
    EXPECT_TRUE(PressAndWaitGone(editor, IDCANCEL));
    EXPECT_EQ(Close(), 0u);
  }
}

TEST_F(March2007Notes, SavingANoteRepaintsOnlyItsCellAndEmptyingItDeletesIt) {
  CalendarSettings settings = Settings();
  settings.WindowLeft = settings.WindowTop = 0;  // clear of the centred editor
  Start(settings);
  const Capture before = CaptureClient(app.Window);
  HWND editor = OpenEditor(5);
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(TypeOver(GetDlgItem(editor, IDC_NOTE_TEXT), "Cita con el m\xE9" "dico"));
  ASSERT_TRUE(PressAndWaitGone(editor, IDOK));
  int32_t flag = 0;
  const NoteRecord note = StoredNote(5, 3, &flag);
  EXPECT_STREQ(note.Text, "Cita con el m\xE9" "dico");
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(DateOf(note.UpdateTime), 20070303);

  // Only what the program invalidated is painted: the cell, in the note colour.
  const Capture after = CaptureClient(app.Window, false);
  const Rect cell = DayCell(5);
  int outside = 0;
  for (int y = 0; y < after.Height; ++y)
    for (int x = 0; x < after.Width; ++x)
      outside += (x < cell.left || x >= cell.right || y < cell.top || y >= cell.bottom) && before.At(x, y) != after.At(x, y);
  EXPECT_EQ(outside, 0) << "pixels changed outside the cell";
  EXPECT_EQ(after.At(cell.left + 1, cell.top + 1), Rgb(started.NoteDayBackColor));
  EXPECT_EQ(after.At(cell.right - 2, cell.bottom - 2), Rgb(started.NoteDayBackColor));

  editor = OpenEditor(5);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(editor, IDC_NOTE_TEXT)), "Cita con el m\xE9" "dico");
  ASSERT_TRUE(TypeOver(GetDlgItem(editor, IDC_NOTE_TEXT), ""));
  ASSERT_TRUE(PressAndWaitGone(editor, IDOK));
  StoredNote(5, 3, &flag);
  EXPECT_EQ(flag, 0) << "the note is deleted";
  EXPECT_EQ(CaptureClient(app.Window, false).Pixels, before.Pixels) << "the cell loses its colour again";

  editor = OpenEditor(31);
  ASSERT_NE(editor, nullptr);
  HWND text = GetDlgItem(editor, IDC_NOTE_TEXT);
  TypeText(text, std::string(300, 'n').c_str());
  ASSERT_TRUE(WaitUntil([&] { return WindowText(text).size() == 255; }));
  Sleep(200);
  EXPECT_EQ(WindowText(text).size(), 255u) << "typing stops at 255 characters";
  ASSERT_TRUE(PressAndWaitGone(editor, IDOK));
  EXPECT_EQ(StoredNote(31, 3, &flag).Text, std::string(255, 'n'));
  EXPECT_EQ(Close(), 0u);
}

TEST_F(March2007Notes, EnterTheCloseBoxAndAnUntouchedAcceptSaveNothing) {
  AddNoteText(7, 3, "Old note", 0);
  Start();
  const std::vector<unsigned char> notes = ReadWholeFile(dir.File("cal_notas.dat"));
  for (int way : {VK_RETURN, SC_CLOSE, IDOK}) {
    HWND editor = OpenEditor(7);
    ASSERT_NE(editor, nullptr);
    HWND text = GetDlgItem(editor, IDC_NOTE_TEXT);
    EXPECT_EQ(WindowText(text), "Old note");
    EXPECT_TRUE(way == IDOK || TypeOver(text, "Old note and more"));
    if (way == VK_RETURN) PressKey(text, VK_RETURN);  // to the default button, Cancel
    if (way == SC_CLOSE) PostMessageA(editor, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (way == IDOK) PressButton(editor, IDOK);
    EXPECT_TRUE(WaitGone(editor)) << way;
    EXPECT_EQ(ReadWholeFile(dir.File("cal_notas.dat")), notes) << way;
  }
  EXPECT_EQ(Close(), 0u);
}
