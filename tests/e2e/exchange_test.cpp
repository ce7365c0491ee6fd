// The export and import wizard from the menu in one run of the program: its
// pages and buttons, the save, open and folder dialogs driven for real, the
// closing messages and the offers answered both ways, and the calendar after
// an import. The system opens exported files with a command registered for
// the suite that records what it was handed.
#include <shlobj.h>

#include "exchange/predecessor_import.h"
#include "exchange/wizard_choices.h"
#include "fixture.h"

E2E_SUITE(Exchange2007, 2007, 3, 5);

namespace {

constexpr const char* Opened[] = {".htm", ".txt", ".csv", ".ics", "OristelTest.Opened\\shell\\open\\command"};
std::string saved[5];  // the values the suite replaced

}  // namespace

class Exchange2007Wizard : public Exchange2007 {
 protected:
  // The recording command stands for the programs that open the files.
  static void SetUpTestSuite() {
    for (int i = 0; i < 5; ++i)
      saved[i] = SetClassDefault(Opened[i], i < 4 ? "OristelTest.Opened" : RecordingCommand());
    DeleteFileA(kOpenedRecord);
  }
  static void TearDownTestSuite() {
    for (int i = 0; i < 5; ++i) SetClassDefault(Opened[i], saved[i]);
  }
  DWORD Pid() const { return app.Process.dwProcessId; }
  HWND OpenWizard() {
    MenuCommand(app.Window, IDM_EXPORT_IMPORT);
    sheet = FindDialog(Pid());
    return sheet;
  }
  HWND Item(int id) const { return GetDlgItem(Page(), id); }
  // Presses a wizard button; true once the page with the control shows.
  bool Press(int button, int control) {
    return PostMessageA(sheet, PSM_PRESSBUTTON, button, 0) && WaitUntil([&] { return Item(control) != nullptr; });
  }
  // Chooses an action in the list as a user's click does, then Next.
  bool Choose(int action, int control) {
    HWND list = Item(IDC_ACTION_LIST);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(action), 0);
    SendMessageA(Page(), WM_COMMAND, MAKEWPARAM(IDC_ACTION_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return Press(PSBTN_NEXT, control);
  }
  // Clicks a button of the current page; true once it is checked.
  bool Click(int id) {
    return PostMessageA(Item(id), BM_CLICK, 0, 0) && WaitUntil([&] { return Checked(id); });
  }
  bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  int Months() const {
    int bits = 0;
    for (int m = 1; m <= 12; ++m) bits |= Checked(IDC_MONTH_BASE + m) << (m - 1);
    return bits;
  }
  // A new wizard led to the action's page: the options that do not apply
  // disabled; all months or the mode chosen.
  void OpenOn(int action, int mode = 0) {
    ASSERT_TRUE(OpenWizard()) << action;
    ASSERT_TRUE(Choose(action, mode ? IDC_IMPORT_ADD : IDC_SELECT_ALL_MONTHS)) << action;
    for (int id : {IDC_INCLUDE_UPDATE_DATE, IDC_INCLUDE_EMPTY_DAYS, IDC_ISO_DATES})  // only the first for iCalendar
      EXPECT_EQ(IsWindowEnabled(Item(id)) != 0, !mode && (action != ActionIcalExport || id == IDC_INCLUDE_UPDATE_DATE))
          << id;
    if (mode) {
      ASSERT_TRUE(Click(mode));
    } else {
      PressButton(Page(), IDC_SELECT_ALL_MONTHS);  // posted: the page checks the boxes when it comes to it
      WaitUntil([&] { return Months() == 0xFFF; });
    }
    EXPECT_EQ(mode ? Checked(IDC_IMPORT_ADD) : Months(), mode ? mode == IDC_IMPORT_ADD : 0xFFF) << action;
  }
  // Finish, then the path typed into the file dialog and its default button;
  // the name the dialog offered.
  HWND Finish() {
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    return FindOtherDialog(Pid(), sheet);
  }
  std::string FinishWithFile(const std::string& path) {
    HWND dialog = Finish();
    GUITHREADINFO focus = {sizeof focus};  // the dialog opens with the name box in focus
    WaitUntil([&] {
      return GetGUIThreadInfo(app.Process.dwThreadId, &focus) && GetAncestor(focus.hwndFocus, GA_ROOT) == dialog;
    });
    HWND name = dialog ? focus.hwndFocus : nullptr;
    const std::string offered = TextWide(name);
    EXPECT_NE(name, nullptr);
    EXPECT_TRUE(TypeOver(name, path.c_str()));
    EXPECT_TRUE(PressAndWaitGone(dialog, IDOK));
    return offered;
  }
  // Finish, the folder browser led to the folder, and OK.
  void FinishWithFolder(const std::string& folder) {
    HWND browser = Finish();
    void* remote = VirtualAllocEx(app.Process.hProcess, nullptr, MAX_PATH, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(app.Process.hProcess, remote, folder.c_str(), folder.size() + 1, nullptr);
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote));
    SaveScreenshot(CaptureClient(browser), "wizard_folder_browser");
    EXPECT_TRUE(PressAndWaitGone(browser, IDOK)) << "Finish opens the folder browser";
  }
  // The program's message box with the caption; its text once answered.
  std::string Answer(int button, const char* caption = "Oristel") { return AnswerMessage(Pid(), caption, button); }
  bool Quiet() const { return FindOtherDialog(Pid(), nullptr, 1000) == nullptr; }
};

// The seven actions listed; iCalendar's options enabled again for another
// export; Cancel leaves nothing. Each import through its chooser: a folder
// without the predecessor's database keeps the wizard open after its message;
// the log of bad lines offered and opened; the counts of an iCalendar import;
// the month redrawn. Each export: a cancelled save keeps the wizard on its
// page; the name offered; the file written as named (without extension when
// typed so) for the year on show; the closing offer, whose Yes hands it over.
TEST_F(Exchange2007Wizard, EveryActionThroughTheWizard) {
  ASSERT_EQ(
      (std::array{AddNoteText(5, 3, "Dentista", 0), AddNoteText(29, 2, "Bisiesto", 0), AddNoteText(12, 3, "viejo", 0)}),
      (std::array{1, 1, 1}));
  const std::string brisol = "C:\\OristelBrisol\\";
  for (const char* folder : {brisol.c_str(), "C:\\OristelEmpty"}) CreateDirectoryA(folder, nullptr);
  Bytes flags(1600, 0), notes(129 + 174 * 366, ' ');
  flags[PredecessorFlagsOffset + 4 * (31 * 2 + 8 - 1)] = 1;
  std::memcpy(&notes[PredecessorNoteOffset(31 + 29 + 8)], "cena\0", 5);
  WriteBytes(brisol + PredecessorFlagsName, flags);
  WriteBytes(brisol + PredecessorNotesName, notes);
  Start();
  ASSERT_TRUE(OpenWizard());
  ASSERT_TRUE(Choose(ActionIcalExport, IDC_SELECT_ALL_MONTHS));
  ASSERT_TRUE(Press(PSBTN_BACK, IDC_ACTION_LIST));
  const std::vector<std::string> entries = ListBoxTexts(Item(IDC_ACTION_LIST));  // the landed five: the screenshot
  ASSERT_EQ(entries.size(), 7u);
  EXPECT_EQ(entries[5], "Exportar a un calendario iCalendar (.ics)");
  EXPECT_EQ(entries[6], "Importar citas de un calendario iCalendar (.ics)");
  SaveScreenshot(CaptureClient(sheet), "wizard_actions");
  ASSERT_TRUE(Choose(ActionCsvExport, IDC_SELECT_ALL_MONTHS));
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_ISO_DATES))) << "enabled again after iCalendar";
  EXPECT_TRUE(EndSheet(PSBTN_CANCEL));
  EXPECT_TRUE(Quiet()) << "a cancelled wizard shows nothing, writes nothing";

  const struct Import {
    int Action, Mode, Day;
    const char *Source, *Text, *Log, *Done;
  } imports[] = {
      {ActionTextImport, IDC_IMPORT_ADD, 6, "importar.txt",
       "\"Fecha\";\"Notas\"\r\n6/3/2007;\"Médico\"\r\n1/1/207;\"x\"\r\n",
       "Se han producido errores en la importación.\r\nGuardados en el archivo: Calendario_Errores_Import.txt\r\n"
       "¿Desea ver el archivo?",
       "Importación finalizada"},
      {ActionPredecessor, IDC_IMPORT_ADD, 8, "", "", nullptr, "Importación finalizada"},
      {ActionIcalImport, IDC_IMPORT_REPLACE, 13, "citas.ics",
       "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20070312\r\nDTEND;VALUE=DATE:20070314\r\nSUMMARY:"
       "Congreso\r\n"
       "END:VEVENT\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20060313\r\nSUMMARY:Antes\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
       nullptr, "Importación finalizada\r\nNotas guardadas: 2\r\nCitas fuera del año 2007: 1"},
  };
  const uint32_t noted = Rgb(started.NoteDayBackColor);
  for (const Import& row : imports) {
    const std::string source = dir.File(row.Source);
    if (*row.Text) WriteBytes(source, Bytes(row.Text, row.Text + std::strlen(row.Text)));
    const auto cell = [&] { return CaptureClient(app.Window).At(DayCell(row.Day).left + 1, DayCell(row.Day).top + 1); };
    const uint32_t before = cell();
    ASSERT_NO_FATAL_FAILURE(OpenOn(row.Action, row.Mode));
    if (row.Action == ActionPredecessor) {
      FinishWithFolder("C:\\OristelEmpty");
      EXPECT_EQ(Answer(IDOK, "Importar notas del Brisol 2006"),
                "No he encontrado el archivo con las notas: Brisol2006.dbf en la carpeta.");
      EXPECT_TRUE(WaitUntil([&] { return Item(IDC_IMPORT_ADD) != nullptr; })) << "the wizard stays";
      FinishWithFolder(brisol);
    } else {
      EXPECT_EQ(FinishWithFile(source), "") << "no name offered";
    }
    ASSERT_TRUE(WaitGone(sheet));
    if (row.Log) {
      EXPECT_EQ(Answer(IDYES), row.Log);
    }
    EXPECT_EQ(Answer(IDOK), row.Done);
    RedrawWindow(app.Window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(std::tuple(before == noted, cell()), std::tuple(false, noted)) << "the month is redrawn";
  }
  EXPECT_TRUE(
      WaitUntil([&] { return ReadText(kOpenedRecord).find("Calendario_Errores_Import.txt") != std::string::npos; }));
  NoteRecord replaced{};
  EXPECT_EQ(ReadNote(12, 3, &replaced), 1);
  EXPECT_STREQ(replaced.Text, "Congreso");
  SaveScreenshot(CaptureClient(app.Window), "wizard_after_import");
  DeleteFileA(kOpenedRecord);

  const struct Export {
    int Action, Back, Option, Answer;
    const char *Name, *Extension, *Contains;
  } exports[] = {
      {ActionTextExport, 0, 0, IDNO, "notas", ".txt", "\r\n5/3/2007;\"Dentista\"\r\n"},
      {ActionCsvExport, 0, IDC_ISO_DATES, IDYES, "notas.csv", ".csv", "\r\n2007-03-05,\"Dentista\"\r\n"},
      {ActionWebPage, 3, 0, IDYES, "notas.htm", ".htm", "<P>5/3/2006-Dentista\r\n"},
      {ActionIcalExport, 0, IDC_INCLUDE_UPDATE_DATE, IDYES, "notas.ics", ".ics", "DTSTART;VALUE=DATE:20060305\r\n"},
  };
  for (const Export& row : exports) {
    for (int i = 0; i < row.Back; ++i) Navigate(LayoutPrevArrow);
    ASSERT_NO_FATAL_FAILURE(OpenOn(row.Action));
    if (row.Action == ActionIcalExport) SaveScreenshot(CaptureClient(sheet), "wizard_export_options");
    ASSERT_TRUE(PressAndWaitGone(Finish(), IDCANCEL));
    EXPECT_TRUE(WaitUntil([&] { return Item(IDC_SELECT_ALL_MONTHS) != nullptr; })) << "a cancelled save refuses Finish";
    if (row.Option) {
      ASSERT_TRUE(Click(row.Option));
    }
    EXPECT_EQ(FinishWithFile(dir.File(row.Name)), std::string("Notas_Calendario_2007") + row.Extension);
    ASSERT_TRUE(WaitGone(sheet));
    const std::string leap = "La nota del 29 de febrero no se ha escrito: el año 2006 no tiene ese día.\r\n";
    const std::string asked = (row.Action == ActionIcalExport ? leap : "") + "¿Desea abrir el nuevo archivo?";
    EXPECT_EQ(Answer(row.Answer), "Exportación finalizada.\r\n" + asked);
    EXPECT_NE(ReadText(dir.File(row.Name)).find(row.Contains), std::string::npos) << row.Name;
    // The command makes the file before it writes the line: wait for the line.
    const auto recorded = [&] { return ReadText(kOpenedRecord).find('\n') != std::string::npos; };
    EXPECT_EQ(WaitUntil(recorded, row.Answer == IDYES ? 10000 : 1000), row.Answer == IDYES);
    EXPECT_TRUE(Quiet());
    EXPECT_EQ(ReadText(kOpenedRecord), row.Answer == IDYES ? "\"" + dir.File(row.Name) + "\"\r\n" : "");
    DeleteFileA(kOpenedRecord);
  }
  EXPECT_EQ(Close(), 0u);
}
