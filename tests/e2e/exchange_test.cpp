// The export and import wizard from the menu: its pages and buttons, the
// save, open and folder dialogs driven for real, the closing messages and
// the offers answered both ways, and the calendar after an import. The
// system opens exported files with a recorder registered for the suite.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "base/clock.h"
#include "exchange/predecessor_import.h"
#include "exchange/wizard_choices.h"
#include "fixture.h"

E2E_SUITE(Exchange2007, 2007, 3, 5);

namespace {

constexpr const char* OpenedProgId = "OristelTest.Opened";
constexpr const char* OpenedExtensions[] = {".htm", ".txt", ".csv"};
constexpr const char* ExportDone = "Exportación finalizada.\r\n¿Desea abrir el nuevo archivo?";
constexpr const char* ImportDone = "Importación finalizada";
// The file-name box of the system's save and open dialogs, and its combo.
constexpr int FileNameEdit = 0x480, FileNameCombo = 0x47C;

enum WizardPageKind { NoPage, ActionPage, ExportPage, ImportPage };

std::string ReadText(const std::string& path) {
  const std::vector<unsigned char> bytes = ReadWholeFile(path);
  return std::string(bytes.begin(), bytes.end());
}
bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string RecordPath() {
  std::string recorder = EnvironmentFile("ORISTEL_OPEN_RECORDER");
  return recorder.substr(0, recorder.rfind('\\') + 1) + "opened.txt";
}

// The class's default value under HKEY_CLASSES_ROOT ("" when none).
std::string ClassDefault(const char* key) {
  char value[256] = "";
  LONG size = sizeof value;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size) != ERROR_SUCCESS) return "";
  return value;
}
void SetClassDefault(const char* key, const std::string& value) {
  RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
}

// The text of a tree view item of another process, through memory of that process.
std::string TreeItemText(HANDLE process, HWND tree, HTREEITEM item) {
  struct Block {
    TVITEMA Item;
    char Text[MAX_PATH];
  };
  auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(Block), MEM_COMMIT, PAGE_READWRITE));
  if (!remote) return "";
  Block local{};
  local.Item.mask = TVIF_TEXT;
  local.Item.hItem = item;
  local.Item.pszText = remote + offsetof(Block, Text);
  local.Item.cchTextMax = MAX_PATH;
  WriteProcessMemory(process, remote, &local, sizeof local, nullptr);
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote));
  ReadProcessMemory(process, remote, &local, sizeof local, nullptr);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  local.Text[MAX_PATH - 1] = 0;
  return local.Text;
}

HTREEITEM TreeNext(HWND tree, HTREEITEM item, WPARAM relation) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// Selects in the folder browser's tree the folder reached from its root
// through children whose names contain each of the parts in turn.
bool SelectFolder(HANDLE process, HWND tree, const std::vector<std::string>& parts, std::string* seen) {
  HTREEITEM item = TreeNext(tree, nullptr, TVGN_ROOT);
  for (const std::string& part : parts) {
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    HTREEITEM found = nullptr;
    for (HTREEITEM child = TreeNext(tree, item, TVGN_CHILD); child && !found; child = TreeNext(tree, child, TVGN_NEXT)) {
      const std::string text = TreeItemText(process, tree, child);
      *seen += "[" + text + "]";
      if (text.find(part) != std::string::npos) found = child;
    }
    if (!found) return false;
    item = found;
  }
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  return true;
}

}  // namespace

class Exchange2007Wizard : public Exchange2007 {
 protected:
  // The recorder stands for the programs that open web pages and text files.
  static void SetUpTestSuite() {
    const std::string recorder = EnvironmentFile("ORISTEL_OPEN_RECORDER");
    for (int i = 0; i < 3; ++i) saved[i] = ClassDefault(OpenedExtensions[i]);
    for (const char* extension : OpenedExtensions) SetClassDefault(extension, OpenedProgId);
    SetClassDefault("OristelTest.Opened\\shell\\open\\command", "\"" + recorder + "\" \"%1\"");
  }
  static void TearDownTestSuite() {
    for (int i = 0; i < 3; ++i) SetClassDefault(OpenedExtensions[i], saved[i]);
  }
  void SetUp() override {
    Exchange2007::SetUp();
    DeleteFileA(RecordPath().c_str());
  }

  DWORD Pid() const { return app.Process.dwProcessId; }
  void Idle() const { SendMessageTimeoutA(app.Window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, nullptr); }
  HWND OpenWizard() {
    MenuCommand(app.Window, IDM_EXPORT_IMPORT);
    wizard = FindDialog(Pid());
    return wizard;
  }
  HWND Page() const { return reinterpret_cast<HWND>(SendMessageA(wizard, PSM_GETCURRENTPAGEHWND, 0, 0)); }
  WizardPageKind Kind() const {
    HWND page = Page();
    if (!page) return NoPage;
    if (GetDlgItem(page, IDC_ACTION_LIST)) return ActionPage;
    if (GetDlgItem(page, IDC_SELECT_ALL_MONTHS)) return ExportPage;
    if (GetDlgItem(page, IDC_IMPORT_ADD)) return ImportPage;
    return NoPage;
  }
  // Presses a wizard button; true once the wizard shows that page.
  bool Press(int button, WizardPageKind then) {
    PostMessageA(wizard, PSM_PRESSBUTTON, button, 0);
    return WaitUntil([&] { return Kind() == then; });
  }
  bool Cancel() {
    PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    const bool gone = WaitGone(wizard);
    Idle();
    return gone;
  }
  // Chooses an action in the list as a user's click does.
  void ChooseAction(int action) {
    HWND page = Page();
    HWND list = GetDlgItem(page, IDC_ACTION_LIST);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(action), 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_ACTION_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  }
  // Clicks a button of the current page; true once it shows the state.
  bool Click(int id, UINT state) {
    HWND button = GetDlgItem(Page(), id);
    PostMessageA(button, BM_CLICK, 0, 0);
    return WaitUntil([&] { return SendMessageA(button, BM_GETCHECK, 0, 0) == static_cast<LRESULT>(state); });
  }
  UINT Checked(int id) const { return static_cast<UINT>(SendMessageA(GetDlgItem(Page(), id), BM_GETCHECK, 0, 0)); }
  std::vector<int> CheckedMonths() const {
    std::vector<int> months;
    for (int m = 1; m <= 12; ++m)
      if (Checked(IDC_MONTH_BASE + m) == BST_CHECKED) months.push_back(m);
    return months;
  }

  // The save or open dialog opened by Finish, and its file-name box.
  HWND FileDialog() { return FindOtherDialog(Pid(), wizard); }
  // The edit box of the name: edt1, or the edit inside the combo cmb13.
  static HWND FileNameBox(HWND dialog) {
    struct Search {
      HWND Found;
    } search{nullptr};
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM parameter) -> BOOL {
          char name[16] = "";
          GetClassNameA(child, name, sizeof name);
          const int id = GetDlgCtrlID(child);
          if (std::strcmp(name, "Edit") != 0 || (id != FileNameEdit && id != FileNameCombo)) return TRUE;
          reinterpret_cast<Search*>(parameter)->Found = child;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
  }
  // Finish, then the path typed into the file dialog and its default button.
  void FinishWithFile(const std::string& path, std::string* offered = nullptr) {
    PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    HWND dialog = FileDialog();
    ASSERT_NE(dialog, nullptr) << "Finish opens the file dialog";
    HWND name = FileNameBox(dialog);
    ASSERT_NE(name, nullptr);
    if (offered) {
      ASSERT_TRUE(WaitUntil([&] { return !TextWide(name).empty(); }));
      *offered = TextWide(name);
    }
    ASSERT_TRUE(TypeOver(name, path.c_str()));
    PressButton(dialog, IDOK);
    ASSERT_TRUE(WaitGone(dialog));
  }
  // The program's message box once the wizard has gone; its text.
  std::string Answer(int button, const char* caption = "Oristel") {
    HWND box = FindDialog(Pid(), caption);
    if (!box) return "(no message)";
    const std::string text = MessageBoxText(box);
    EXPECT_TRUE(PressAndWaitGone(box, button)) << text;
    return text;
  }
  // No dialog of the program appears within a second.
  bool Quiet() const { return FindOtherDialog(Pid(), nullptr, 1000) == nullptr; }

  static std::string saved[3];
  HWND wizard = nullptr;
};
std::string Exchange2007Wizard::saved[3];

// The pages and their buttons; Cancel on each page returns without a file
// or a message; the help button shows the formats page and deletes it.
TEST_F(Exchange2007Wizard, PagesLeadByTheActionAndCancelLeavesNothing) {
  InstallHtmlDouble(dir);
  Start();
  ASSERT_NE(OpenWizard(), nullptr);
  ASSERT_EQ(Kind(), ActionPage);
  HWND page = Page();
  EXPECT_EQ(ListBoxTexts(GetDlgItem(page, IDC_ACTION_LIST)),
            (std::vector<std::string>{"Guardar el calendario como página Web",
                                      "Exportar a un archivo de texto estándar (.txt)",
                                      "Exportar a un archivo de texto estándar (.csv)",
                                      "Importar las notas del Brisol 2006 v 3.3.0",
                                      "Importar notas de un archivo de texto estándar (.txt o .csv)."}));
  EXPECT_EQ(ListBoxSelection(GetDlgItem(page, IDC_ACTION_LIST)), "Guardar el calendario como página Web");
  EXPECT_EQ(TextWide(GetDlgItem(page, IDC_ACTION_DESCRIPTION)),
            "Crea una página Web en formato .HTM con los meses y sus notas.");
  ChooseAction(ActionPredecessor);
  EXPECT_TRUE(WaitUntil([&] {
    return TextWide(GetDlgItem(page, IDC_ACTION_DESCRIPTION)) == "Recuperar las notas del programa Brisol 2006, la versión 3.3.0.";
  }));

  PressButton(page, IDC_FORMAT_INFO);
  HWND shown = FindDialog(Pid(), "ShowHTMLDialog");
  ASSERT_NE(shown, nullptr) << "the formats page is shown";
  std::string url = MessageBoxTextWide(shown);
  EXPECT_NE(url.find("expimp.htm"), std::string::npos) << url;  // the address is lower-cased
  EXPECT_TRUE(Exists(dir.File("ExpImp.htm")));
  EXPECT_TRUE(PressAndWaitGone(shown, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return !Exists(dir.File("ExpImp.htm")); })) << "the page goes once it was shown";
  EXPECT_EQ(Kind(), ActionPage);

  // An export leads to the months, only the month on show checked.
  ChooseAction(ActionTextExport);
  ASSERT_TRUE(Press(PSBTN_NEXT, ExportPage));
  EXPECT_EQ(CheckedMonths(), std::vector<int>{3});
  for (int id : {IDC_INCLUDE_UPDATE_DATE, IDC_INCLUDE_EMPTY_DAYS, IDC_ISO_DATES}) EXPECT_EQ(Checked(id), BST_UNCHECKED);
  PressButton(Page(), IDC_SELECT_ALL_MONTHS);
  EXPECT_TRUE(WaitUntil([&] { return CheckedMonths().size() == 12; }));
  ASSERT_TRUE(Press(PSBTN_BACK, ActionPage));

  // An import leads to its mode, adding first; the buttons exclude each
  // other and keep their state over Back and Next.
  ChooseAction(ActionTextImport);
  ASSERT_TRUE(Press(PSBTN_NEXT, ImportPage));
  EXPECT_EQ(Checked(IDC_IMPORT_ADD), BST_CHECKED);
  EXPECT_EQ(Checked(IDC_IMPORT_REPLACE), BST_UNCHECKED);
  ASSERT_TRUE(Click(IDC_IMPORT_REPLACE, BST_CHECKED));
  EXPECT_EQ(Checked(IDC_IMPORT_ADD), BST_UNCHECKED);
  ASSERT_TRUE(Press(PSBTN_BACK, ActionPage));
  EXPECT_EQ(ListBoxSelection(GetDlgItem(Page(), IDC_ACTION_LIST)),
            "Importar notas de un archivo de texto estándar (.txt o .csv).");
  ASSERT_TRUE(Press(PSBTN_NEXT, ImportPage));
  EXPECT_EQ(Checked(IDC_IMPORT_REPLACE), BST_CHECKED);
  // And the export page kept its months.
  ASSERT_TRUE(Press(PSBTN_BACK, ActionPage));
  ChooseAction(ActionWebPage);
  ASSERT_TRUE(Press(PSBTN_NEXT, ExportPage));
  EXPECT_EQ(CheckedMonths().size(), 12u);
  SaveScreenshot(CaptureClient(wizard), "wizard_export_options");

  const std::vector<std::string> before = ListFiles(dir.Path, "*");
  ASSERT_TRUE(Cancel());
  EXPECT_TRUE(Quiet()) << "a cancelled wizard shows nothing";
  for (WizardPageKind last : {ActionPage, ImportPage}) {
    ASSERT_NE(OpenWizard(), nullptr);
    if (last == ImportPage) {
      ChooseAction(ActionPredecessor);
      ASSERT_TRUE(Press(PSBTN_NEXT, ImportPage));
      EXPECT_EQ(Checked(IDC_IMPORT_ADD), BST_CHECKED) << "each wizard starts afresh";
    }
    ASSERT_TRUE(Cancel());
    EXPECT_TRUE(Quiet());
  }
  EXPECT_EQ(ListFiles(dir.Path, "*"), before) << "nothing written";
  EXPECT_EQ(Close(), 0u);
}

// TXT: the default name, a cancelled save dialog keeps the wizard on its
// page, a name without extension is written as typed; No opens nothing.
TEST_F(Exchange2007Wizard, TextExportNamedAsTypedAndNotOpened) {
  ASSERT_EQ(AddNoteText(5, 3, "Dentista", 0), 1);
  ASSERT_EQ(AddNoteText(20, 4, "Di \"hola\"", 0), 1);
  Start();
  ASSERT_NE(OpenWizard(), nullptr);
  ChooseAction(ActionTextExport);
  ASSERT_TRUE(Press(PSBTN_NEXT, ExportPage));
  PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
  HWND dialog = FileDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return TextWide(FileNameBox(dialog)) == "Notas_Calendario_2007.txt"; }))
      << TextWide(FileNameBox(dialog));
  SaveScreenshot(CaptureClient(dialog), "wizard_save_dialog");
  ASSERT_TRUE(PressAndWaitGone(dialog, IDCANCEL));
  EXPECT_TRUE(WaitUntil([&] { return Kind() == ExportPage; })) << "a cancelled save refuses Finish";
  EXPECT_TRUE(IsWindowVisible(wizard));

  PressButton(Page(), IDC_SELECT_ALL_MONTHS);
  ASSERT_TRUE(WaitUntil([&] { return CheckedMonths().size() == 12; }));
  FinishWithFile(dir.File("notas"));
  EXPECT_TRUE(WaitGone(wizard));
  EXPECT_EQ(Answer(IDNO), ExportDone);
  EXPECT_EQ(ReadText(dir.File("notas")), "\"Fecha\";\"Notas\"\r\n5/3/2007;\"Dentista\"\r\n20/4/2007;\"Di \"\"hola\"\"\"\r\n");
  EXPECT_TRUE(Quiet());
  EXPECT_FALSE(Exists(RecordPath())) << "No opens nothing";
  EXPECT_EQ(Close(), 0u);
}

// CSV with ISO dates and the update date, and the web page of a year not on
// show by default; Yes hands each new file to the system.
TEST_F(Exchange2007Wizard, CsvAndWebPageOpenedOnYes) {
  ASSERT_EQ(AddNoteText(5, 3, "<b>&", 0), 1);
  NoteRecord record{};
  ASSERT_EQ(ReadNote(5, 3, &record), 1);
  const LocalTime t = FromFileTime(record.UpdateTime);
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, " (actualizada el: 2007-03-05 %02i:%02i)", t.Hour, t.Minute);
  Start();

  ASSERT_NE(OpenWizard(), nullptr);
  ChooseAction(ActionCsvExport);
  ASSERT_TRUE(Press(PSBTN_NEXT, ExportPage));
  ASSERT_TRUE(Click(IDC_INCLUDE_UPDATE_DATE, BST_CHECKED));
  ASSERT_TRUE(Click(IDC_ISO_DATES, BST_CHECKED));
  const std::string csv = dir.File("notas.csv");
  FinishWithFile(csv);
  EXPECT_EQ(Answer(IDYES), ExportDone);
  EXPECT_EQ(ReadText(csv), std::string("\"Fecha\",\"Notas\"\r\n2007-03-05,\"<b>&") + suffix + "\"\r\n");
  ASSERT_TRUE(WaitUntil([&] { return Exists(RecordPath()); })) << "Yes opens the file";
  EXPECT_EQ(ReadText(RecordPath()), "\"" + csv + "\"\r\n");

  // Another year on show does not change the offered name; the page is of
  // that year, its month on show checked.
  for (int i = 0; i < 3; ++i) Navigate(LayoutPrevArrow);
  ASSERT_NE(OpenWizard(), nullptr);
  ASSERT_TRUE(Press(PSBTN_NEXT, ExportPage));
  EXPECT_EQ(CheckedMonths(), std::vector<int>{12});
  PressButton(Page(), IDC_SELECT_ALL_MONTHS);
  ASSERT_TRUE(WaitUntil([&] { return CheckedMonths().size() == 12; }));
  const std::string page = dir.File("calendario.htm");
  std::string offered;
  FinishWithFile(page, &offered);
  EXPECT_EQ(offered, "Notas_Calendario_2007.htm");
  EXPECT_EQ(Answer(IDYES), ExportDone);
  const std::string html = ReadText(page);
  EXPECT_NE(html.find("<TITLE>Calendario 2006</TITLE>"), std::string::npos);
  EXPECT_NE(html.find("diciembre 2006"), std::string::npos);
  EXPECT_NE(html.find("<P>5/3/2006-&lt;b&gt;&amp;\r\n"), std::string::npos) << "a note is text, not markup";
  ASSERT_TRUE(WaitUntil([&] { return ReadText(RecordPath()).find("calendario.htm") != std::string::npos; }));
  EXPECT_EQ(Close(), 0u);
}

// A text import replacing the day's note: the bad line logged, the offer
// of the log answered Yes, the closing message, the calendar redrawn.
TEST_F(Exchange2007Wizard, TextImportLogsBadLinesAndRedraws) {
  ASSERT_EQ(AddNoteText(6, 3, "viejo", 0), 1);
  const std::string source = dir.File("importar.txt");
  const std::string text = "\"Fecha\";\"Notas\"\r\n6/3/2007;\"Médico\"\r\n1/1/207;\"x\"\r\n2007-03-07;\"dos\r\nlíneas\"\r\n";
  WriteWholeFile(source, std::vector<unsigned char>(text.begin(), text.end()));
  Start();
  const uint32_t before = CaptureClient(app.Window).At(DayCell(7).left + 1, DayCell(7).top + 1);

  ASSERT_NE(OpenWizard(), nullptr);
  ChooseAction(ActionTextImport);
  ASSERT_TRUE(Press(PSBTN_NEXT, ImportPage));
  ASSERT_TRUE(Click(IDC_IMPORT_REPLACE, BST_CHECKED));
  FinishWithFile(source);
  EXPECT_TRUE(WaitGone(wizard));
  EXPECT_EQ(Answer(IDYES),
            "Se han producido errores en la importación.\r\nGuardados en el archivo: Calendario_Errores_Import.txt\r\n"
            "¿Desea ver el archivo?");
  EXPECT_EQ(Answer(IDOK), ImportDone);
  ASSERT_TRUE(WaitUntil([&] { return Exists(RecordPath()); })) << "Yes opens the log";
  EXPECT_NE(ReadText(RecordPath()).find("Calendario_Errores_Import.txt"), std::string::npos);
  EXPECT_EQ(ReadText(dir.File("Calendario_Errores_Import.txt")), "\r\nLínea: 3 (formato incorrecto) 1/1/207;\"x\"");

  NoteRecord note{};
  ASSERT_EQ(ReadNote(6, 3, &note), 1);
  EXPECT_STREQ(note.Text, "Médico") << "replaced";
  ASSERT_EQ(ReadNote(7, 3, &note), 1);
  EXPECT_STREQ(note.Text, "dos\r\nlíneas") << "a quoted note keeps its line break";
  RedrawWindow(app.Window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const Capture after = CaptureClient(app.Window);
  SaveScreenshot(after, "wizard_after_import");
  EXPECT_NE(after.At(DayCell(7).left + 1, DayCell(7).top + 1), before);
  EXPECT_EQ(after.At(DayCell(7).left + 1, DayCell(7).top + 1), Rgb(started.NoteDayBackColor)) << "the month is redrawn";
  EXPECT_EQ(Close(), 0u);
}

// The predecessor's folder from the folder browser: a folder without its
// database keeps the wizard open after the message; the right one adds
// the notes to the days' notes.
TEST_F(Exchange2007Wizard, PredecessorNotesFromTheChosenFolder) {
  const std::string folder = "C:\\OristelBrisol\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA("C:\\OristelEmpty", nullptr);
  std::vector<unsigned char> flags(1600, 0), notes(129 + 174 * 366, ' ');
  const int day = 8, month = 3, index = 31 + 29 + 8;
  flags[PredecessorFlagsOffset + 4 * (31 * (month - 1) + day - 1)] = 1;
  std::memcpy(&notes[PredecessorNoteOffset(index)], "cena\0", 5);
  WriteWholeFile(folder + PredecessorFlagsName, flags);
  WriteWholeFile(folder + PredecessorNotesName, notes);
  ASSERT_EQ(AddNoteText(day, month, "Hoy ", 0), 1);
  Start();

  ASSERT_NE(OpenWizard(), nullptr);
  ChooseAction(ActionPredecessor);
  ASSERT_TRUE(Press(PSBTN_NEXT, ImportPage));
  for (const char* name : {"OristelEmpty", "OristelBrisol"}) {
    PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    HWND browser = FileDialog();
    ASSERT_NE(browser, nullptr) << "Finish opens the folder browser";
    HWND tree = FindWindowExA(browser, nullptr, "SysTreeView32", nullptr);
    ASSERT_NE(tree, nullptr);
    std::string seen;
    ASSERT_TRUE(SelectFolder(app.Process.hProcess, tree, {"C:", name}, &seen)) << seen;
    if (std::strcmp(name, "OristelEmpty") == 0) SaveScreenshot(CaptureClient(browser), "wizard_folder_browser");
    PressButton(browser, IDOK);
    ASSERT_TRUE(WaitGone(browser));
    if (std::strcmp(name, "OristelEmpty") == 0) {
      EXPECT_EQ(Answer(IDOK, "Importar notas del Brisol 2006"),
                "No he encontrado el archivo con las notas: Brisol2006.dbf en la carpeta.");
      EXPECT_TRUE(WaitUntil([&] { return Kind() == ImportPage; })) << "the wizard stays";
    }
  }
  EXPECT_TRUE(WaitGone(wizard));
  EXPECT_EQ(Answer(IDOK), ImportDone);
  NoteRecord note{};
  ASSERT_EQ(ReadNote(day, month, &note), 1);
  EXPECT_STREQ(note.Text, "Hoy cena") << "added behind the day's note";
  EXPECT_EQ(Close(), 0u);
}
