// The export and import wizard from the menu: its pages and buttons, the
// save, open and folder dialogs driven for real, the closing messages and
// the offers answered both ways, and the calendar after an import. The
// system opens exported files with a command registered for the suite that
// records what it was handed.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstring>

#include "exchange/predecessor_import.h"
#include "exchange/wizard_choices.h"
#include "fixture.h"

E2E_SUITE(Exchange2007, 2007, 3, 5);

namespace {

constexpr const char* Opened[] = {".htm", ".txt", ".csv", ".ics", "OristelTest.Opened\\shell\\open\\command"};
constexpr const char* RecordPath = "C:\\OristelOpened.txt";
enum WizardPageKind { NoPage, ActionPage, ExportPage, ImportPage };

std::string saved[5];  // the values the suite replaced
std::string ReadText(const std::string& path) { const auto bytes = ReadWholeFile(path); return {bytes.begin(), bytes.end()}; }
std::string Note(int day) { NoteRecord note{}; return ReadNote(day, 3, &note) ? note.Text : "(no note)"; }
bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
// Sets the default value of a key of HKEY_CLASSES_ROOT; the value it had.
std::string SetClassDefault(const char* key, const std::string& value) {
  char old[256] = "";
  LONG size = sizeof old;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, key, old, &size) != ERROR_SUCCESS) old[0] = 0;
  return RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, value.c_str(), static_cast<DWORD>(value.size())), old;
}

}  // namespace

class Exchange2007Wizard : public Exchange2007 {
 protected:
  // The recording command stands for the programs that open the files.
  static void SetUpTestSuite() {
    const std::string command = std::string("cmd.exe /c echo \"%1\">>") + RecordPath;
    for (int i = 0; i < 5; ++i) saved[i] = SetClassDefault(Opened[i], i < 4 ? "OristelTest.Opened" : command);
    DeleteFileA(RecordPath);
  }
  static void TearDownTestSuite() { for (int i = 0; i < 5; ++i) SetClassDefault(Opened[i], saved[i]); }
  DWORD Pid() const { return app.Process.dwProcessId; }
  HWND OpenWizard() { return MenuCommand(app.Window, IDM_EXPORT_IMPORT), wizard = FindDialog(Pid()); }
  HWND Page() const { return reinterpret_cast<HWND>(SendMessageA(wizard, PSM_GETCURRENTPAGEHWND, 0, 0)); }
  HWND Item(int id) const { return GetDlgItem(Page(), id); }
  WizardPageKind Kind() const {
    return !Page() ? NoPage : Item(IDC_ACTION_LIST) ? ActionPage : Item(IDC_SELECT_ALL_MONTHS) ? ExportPage : ImportPage;
  }
  // Presses a wizard button; true once the wizard shows that page.
  bool Press(int button, WizardPageKind then) { return PostMessageA(wizard, PSM_PRESSBUTTON, button, 0) && WaitUntil([&] { return Kind() == then; }); }
  // Chooses an action in the list as a user's click does, then Next.
  bool Choose(int action, WizardPageKind then) {
    SendMessageA(Item(IDC_ACTION_LIST), LB_SETCURSEL, static_cast<WPARAM>(action), 0);
    SendMessageA(Page(), WM_COMMAND, MAKEWPARAM(IDC_ACTION_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(IDC_ACTION_LIST)));
    return Press(PSBTN_NEXT, then);
  }
  // Clicks a button of the current page; true once it is checked.
  bool Click(int id) { return PostMessageA(Item(id), BM_CLICK, 0, 0) && WaitUntil([&] { return Checked(id); }); }
  bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  // The checked month boxes, bit m - 1 for month m.
  int CheckedMonths() const { int bits = 0; for (int m = 1; m <= 12; ++m) bits |= Checked(IDC_MONTH_BASE + m) << (m - 1); return bits; }
  // Finish, then the path typed into the file dialog and its default button;
  // the name the dialog offered.
  HWND Finish() { return PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_FINISH, 0), FindOtherDialog(Pid(), wizard); }
  std::string FinishWithFile(const std::string& path) {
    HWND dialog = Finish();
    GUITHREADINFO focus = {sizeof focus};  // the dialog opens with the name box in focus
    WaitUntil([&] { return GetGUIThreadInfo(app.Process.dwThreadId, &focus) && GetAncestor(focus.hwndFocus, GA_ROOT) == dialog; });
    HWND name = dialog ? focus.hwndFocus : nullptr;
    const std::string offered = TextWide(name);
    EXPECT_TRUE(name && TypeOver(name, path.c_str()) && PressAndWaitGone(dialog, IDOK));
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
  std::string Answer(int button, const char* caption = "Oristel") {
    HWND box = FindDialog(Pid(), caption);
    const std::string text = box ? MessageBoxText(box) : "(no message)";
    EXPECT_TRUE(!box || PressAndWaitGone(box, button)) << text;
    return text;
  }
  bool Quiet() const { return FindOtherDialog(Pid(), nullptr, 1000) == nullptr; }

  HWND wizard = nullptr;
};

// Each entry leads to its page, the options that do not apply to iCalendar
// disabled; the help button shows the formats page and deletes it; the
// pages keep their state over Back and Next; Cancel on any page leaves
// nothing.
TEST_F(Exchange2007Wizard, PagesLeadByTheActionAndCancelLeavesNothing) {
  const struct Row { int Action; WizardPageKind Page; const char* Entry; } rows[] = {
      {ActionIcalExport, ExportPage, "Exportar a un calendario iCalendar (.ics)"},  // first: the others enable again
      {ActionWebPage, ExportPage, "Guardar el calendario como página Web"},
      {ActionTextExport, ExportPage, "Exportar a un archivo de texto estándar (.txt)"},
      {ActionCsvExport, ExportPage, "Exportar a un archivo de texto estándar (.csv)"},
      {ActionPredecessor, ImportPage, "Importar las notas del Brisol 2006 v 3.3.0"},
      {ActionTextImport, ImportPage, "Importar notas de un archivo de texto estándar (.txt o .csv)."},
      {ActionIcalImport, ImportPage, "Importar citas de un calendario iCalendar (.ics)"},
  };
  InstallHtmlDouble(dir);
  Start();
  const std::vector<std::string> before = ListFiles(dir.Path, "*");
  ASSERT_NE(OpenWizard(), nullptr);
  EXPECT_EQ(ListBoxTexts(Item(IDC_ACTION_LIST)).size(), 7u);
  PressButton(Page(), IDC_FORMAT_INFO);
  HWND shown = FindDialog(Pid(), "ShowHTMLDialog");  // its address lower-cased
  EXPECT_TRUE(MessageBoxTextWide(shown).find("expimp.htm") != std::string::npos && Exists(dir.File("ExpImp.htm")));
  EXPECT_TRUE(PressAndWaitGone(shown, IDOK)) << "the formats page is shown";
  EXPECT_TRUE(WaitUntil([&] { return !Exists(dir.File("ExpImp.htm")); })) << "the page goes once it was shown";
  for (const Row& row : rows) {  // the month on show, then all; adding first, then as left
    ASSERT_TRUE(Choose(row.Action, row.Page)) << row.Entry;
    const bool exporting = row.Page == ExportPage;
    EXPECT_EQ(exporting ? CheckedMonths() : Checked(IDC_IMPORT_ADD), exporting ? (row.Action == ActionIcalExport ? 1 << 2 : 0xFFF) : row.Action == ActionPredecessor) << row.Entry;
    if (exporting) PressButton(Page(), IDC_SELECT_ALL_MONTHS);
    else { EXPECT_TRUE(Click(IDC_IMPORT_REPLACE) && !Checked(IDC_IMPORT_ADD)) << "exclusive"; }
    for (int id : {IDC_INCLUDE_UPDATE_DATE, IDC_INCLUDE_EMPTY_DAYS, IDC_ISO_DATES})
      EXPECT_EQ(IsWindowEnabled(Item(id)) != 0, exporting && (row.Action != ActionIcalExport || id == IDC_INCLUDE_UPDATE_DATE)) << id;
    if (row.Action == ActionIcalExport) SaveScreenshot(CaptureClient(wizard), "wizard_export_options");
    ASSERT_TRUE(Press(PSBTN_BACK, ActionPage));
    EXPECT_EQ(ListBoxSelection(Item(IDC_ACTION_LIST)), row.Entry);
  }
  EXPECT_EQ(TextWide(Item(IDC_ACTION_DESCRIPTION)), "Importa como notas las citas del año mostrado en el calendario, de "
                                                     "un archivo iCalendar (.ics) de cualquier programa de calendario.");
  SaveScreenshot(CaptureClient(wizard), "wizard_actions");
  for (int action : {-1, int(ActionTextExport), int(ActionTextImport)}) {  // Cancel on each page
    if (action >= 0) { ASSERT_TRUE(OpenWizard() && Choose(action, action == ActionTextImport ? ImportPage : ExportPage)); }
    if (action == ActionTextImport) { EXPECT_TRUE(Checked(IDC_IMPORT_ADD)) << "each wizard starts afresh"; }
    PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    ASSERT_TRUE(WaitGone(wizard));
    EXPECT_TRUE(Quiet()) << "a cancelled wizard shows nothing";
  }
  EXPECT_EQ(ListFiles(dir.Path, "*"), before) << "nothing written";
  EXPECT_EQ(Close(), 0u);
}

// Each export: a cancelled save dialog keeps the wizard on its page; the
// name offered; the file written as named (without extension when typed so)
// for the year on show; the closing offer, whose Yes hands the file over.
TEST_F(Exchange2007Wizard, ExportsWriteTheNamedFileAndOfferToOpenIt) {
  const struct Row { int Action, MonthsBack, Option, Answer; const char *Name, *Extension, *Contains, *Done; } rows[] = {
      {ActionTextExport, 0, 0, IDNO, "notas", ".txt", "\r\n5/3/2007;\"Dentista\"\r\n", nullptr},
      {ActionCsvExport, 0, IDC_ISO_DATES, IDYES, "notas.csv", ".csv", "\r\n2007-03-05,\"Dentista\"\r\n", nullptr},
      {ActionWebPage, 3, 0, IDYES, "notas.htm", ".htm", "<P>5/3/2006-Dentista\r\n", nullptr},
      {ActionIcalExport, 0, IDC_INCLUDE_UPDATE_DATE, IDYES, "notas.ics", ".ics", "DTSTART;VALUE=DATE:20060305\r\n",
       "Exportación finalizada.\r\nLa nota del 29 de febrero no se ha escrito: el año 2006 no tiene ese día.\r\n"
       "¿Desea abrir el nuevo archivo?"},
  };
  ASSERT_EQ(AddNoteText(5, 3, "Dentista", 0) + AddNoteText(29, 2, "Bisiesto", 0), 2);
  Start();
  for (const Row& row : rows) {
    for (int i = 0; i < row.MonthsBack; ++i) Navigate(LayoutPrevArrow);
    ASSERT_TRUE(OpenWizard() && Choose(row.Action, ExportPage));
    ASSERT_TRUE(PressAndWaitGone(Finish(), IDCANCEL));
    EXPECT_TRUE(WaitUntil([&] { return Kind() == ExportPage; })) << "a cancelled save refuses Finish";
    PressButton(Page(), IDC_SELECT_ALL_MONTHS);
    ASSERT_TRUE(!row.Option || Click(row.Option));
    EXPECT_EQ(FinishWithFile(dir.File(row.Name)), std::string("Notas_Calendario_2007") + row.Extension);
    ASSERT_TRUE(WaitGone(wizard));
    EXPECT_EQ(Answer(row.Answer), row.Done ? row.Done : "Exportación finalizada.\r\n¿Desea abrir el nuevo archivo?");
    EXPECT_NE(ReadText(dir.File(row.Name)).find(row.Contains), std::string::npos) << row.Name;
    EXPECT_EQ(WaitUntil([&] { return Exists(RecordPath); }, row.Answer == IDYES ? 10000 : 1000), row.Answer == IDYES);
    EXPECT_TRUE(Quiet() && (row.Answer == IDNO || ReadText(RecordPath) == std::string("\"") + dir.File(row.Name) + "\"\r\n"));
    DeleteFileA(RecordPath);
  }
  EXPECT_EQ(Close(), 0u);
}

// Each import through its page and chooser in the mode chosen: a folder
// without the predecessor's database keeps the wizard open after its
// message; the log of bad lines offered and opened; the closing message
// with what an iCalendar import stored; the notes stored, the month redrawn.
TEST_F(Exchange2007Wizard, ImportsStoreTheNotesAndRedrawTheMonth) {
  const struct Row { int Action, Mode, Day; const char *Source, *Text, *Note, *Log, *Done; } rows[] = {
      {ActionTextImport, IDC_IMPORT_ADD, 6, "importar.txt", "\"Fecha\";\"Notas\"\r\n6/3/2007;\"Médico\"\r\n1/1/207;\"x\"\r\n",
       "Médico", "Se han producido errores en la importación.\r\nGuardados en el archivo: Calendario_Errores_Import.txt\r\n"
       "¿Desea ver el archivo?", "Importación finalizada"},
      {ActionPredecessor, IDC_IMPORT_ADD, 8, "C:\\OristelBrisol\\", "", "cena", nullptr, "Importación finalizada"},
      {ActionIcalImport, IDC_IMPORT_REPLACE, 13, "citas.ics",
       "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20070312\r\nDTEND;VALUE=DATE:20070314\r\nSUMMARY:Congreso\r\nEND:VEVENT\r\n"
       "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20060313\r\nSUMMARY:Antes\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
       "Congreso", nullptr, "Importación finalizada\r\nNotas guardadas: 2\r\nCitas fuera del año 2007: 1"},
  };
  const std::string brisol = rows[1].Source;
  for (const char* folder : {rows[1].Source, "C:\\OristelEmpty"}) CreateDirectoryA(folder, nullptr);
  std::vector<unsigned char> flags(1600, 0), notes(129 + 174 * 366, ' ');
  flags[PredecessorFlagsOffset + 4 * (31 * 2 + 8 - 1)] = 1, std::memcpy(&notes[PredecessorNoteOffset(31 + 29 + 8)], "cena\0", 5);
  WriteWholeFile(brisol + PredecessorFlagsName, flags);
  WriteWholeFile(brisol + PredecessorNotesName, notes);
  ASSERT_EQ(AddNoteText(12, 3, "viejo", 0), 1);
  Start();
  for (const Row& row : rows) {
    const std::string source = row.Action == ActionPredecessor ? row.Source : dir.File(row.Source);
    if (row.Action != ActionPredecessor) WriteWholeFile(source, std::vector<unsigned char>(row.Text, row.Text + std::strlen(row.Text)));
    const auto cell = [&] { return CaptureClient(app.Window).At(DayCell(row.Day).left + 1, DayCell(row.Day).top + 1); };
    const uint32_t before = cell();
    ASSERT_TRUE(OpenWizard() && Choose(row.Action, ImportPage) && Click(row.Mode));
    if (row.Action == ActionPredecessor) {
      FinishWithFolder("C:\\OristelEmpty");
      EXPECT_EQ(Answer(IDOK, "Importar notas del Brisol 2006"), "No he encontrado el archivo con las notas: Brisol2006.dbf en la carpeta.");
      EXPECT_TRUE(WaitUntil([&] { return Kind() == ImportPage; })) << "the wizard stays";
      FinishWithFolder(source);
    } else {
      EXPECT_EQ(FinishWithFile(source), "") << "no name offered";
    }
    ASSERT_TRUE(WaitGone(wizard));
    if (row.Log) { EXPECT_EQ(Answer(IDYES), row.Log); }
    EXPECT_EQ(Answer(IDOK), row.Done);
    EXPECT_EQ(Note(row.Day), row.Note);
    RedrawWindow(app.Window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(cell() != before && cell() == Rgb(started.NoteDayBackColor)) << "the month is redrawn";
  }
  EXPECT_TRUE(WaitUntil([&] { return ReadText(RecordPath).find("Calendario_Errores_Import.txt") != std::string::npos; }));
  EXPECT_EQ(Note(12), "Congreso") << "replaced";
  SaveScreenshot(CaptureClient(app.Window), "wizard_after_import");
  EXPECT_EQ(Close(), 0u);
}
