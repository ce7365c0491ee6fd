// The information files from the menu and the notes editor: the selection
// for the today page, the year's data shown whole, and "Hoy...". A page goes
// to the stand-in HTML engine, which shows its address in a message box, or,
// without one, to the program the system opens .htm files with: a command
// registered for the suite that records what it was handed.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "base/program_files.h"
#include "fixture.h"
#include "infofiles/info_file.h"
#include "unit/info_file_builder.h"

E2E_SUITE(InfoFiles2007, 2007, 3, 5);

namespace {

constexpr char kSun[] = "Salida y puesta del sol", kHolidays[] = "Fiestas de 2007", kWorld[] = "Días internacionales";
constexpr char kOverview[] = "El año 2007", kSelectionCaption[] = "Selección de datos mostrados al pulsar el botón: Hoy...";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
std::string ReadText(const std::string& path) {
  const std::vector<unsigned char> bytes = ReadWholeFile(path);
  return std::string(bytes.begin(), bytes.end());
}
std::string RecordPath() { return "C:\\OristelOpened.txt"; }
// The default value of a class under HKEY_CLASSES_ROOT: set, and read back ("" when none).
std::string ClassDefault(const char* key, const char* value = nullptr) {
  if (value) RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, value, static_cast<DWORD>(std::strlen(value)));
  char read[256] = "";
  LONG size = sizeof read;
  return RegQueryValueA(HKEY_CLASSES_ROOT, key, read, &size) == ERROR_SUCCESS ? read : "";
}

}  // namespace

class InfoFiles2007Dialogs : public InfoFiles2007 {
 protected:
  static void SetUpTestSuite() {
    savedHtm = ClassDefault(".htm");
    ClassDefault(".htm", "OristelTest.Page");
    const std::string command = "cmd.exe /c echo \"%1\">>" + RecordPath();
    ClassDefault("OristelTest.Page\\shell\\open\\command", command.c_str());
  }
  static void TearDownTestSuite() { ClassDefault(".htm", savedHtm.c_str()); }
  // Three files of the test's own in place of the delivered ones; the
  // holidays are chosen, the sunrise file may not be shown whole.
  void SetUp() override {
    InfoFiles2007::SetUp();
    DeleteFileA(RecordPath().c_str());
    for (const std::string& name : ListFiles(dir.Path, "*.cal")) DeleteFileA(dir.File(name.c_str()).c_str());
    InfoFileLayout sun = Layout("Sol_2007.cal", 1, kSun, {{65, "<P>El sol sale a las 7h 42m"}});
    sun.Header.WholeViewAllowed = 0;
    files[0] = WriteLayout(dir.Path, sun);
    files[1] = WriteInfoFile(dir.Path, "Festivos_2007.cal", 2, kHolidays, {{65, "<P>Ninguna fiesta"}});
    files[2] = WriteInfoFile(dir.Path, "Mundo_2007.cal", 3, kWorld, {{68, "<P>Día de la mujer"}});
    Choose(0, 1, 0);
  }
  // Stores the selection orders of the files as the dialog's "Aceptar" does.
  void Choose(uint32_t sun, uint32_t holidays, uint32_t world) {
    InfoFileHeader sorted[3] = {files[0], files[1], files[2]};
    sorted[0].SelectionOrder = sun, sorted[1].SelectionOrder = holidays, sorted[2].SelectionOrder = world;
    ASSERT_EQ(ApplyTodaySelection(sorted, 3), 1);
  }
  HWND Open(int menu, const char* caption) {
    MenuCommand(app.Window, menu);
    return FindDialog(app.Process.dwProcessId, caption);
  }
  // Presses the button and waits until the list shows the entries.
  static bool PressUntil(HWND dialog, int button, int list, const std::vector<std::string>& entries) {
    PressButton(dialog, button);
    return WaitUntil([&] { return ListBoxTexts(GetDlgItem(dialog, list)) == entries; });
  }
  // The stand-in engine's box for the page, while the page file exists.
  void ExpectPageShown(const char* page) {
    HWND box = FindDialog(app.Process.dwProcessId, "ShowHTMLDialog");
    ASSERT_NE(box, nullptr) << page;
    // Wine's URL moniker gives a file address back with backslashes; the
    // lower-casing is the program's.
    std::string url = MessageBoxTextWide(box), expected = "file://" + dir.File(page);
    for (char& c : expected) c = c == '\\' ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::replace(url.begin(), url.end(), '\\', '/');
    EXPECT_EQ(url, expected);
    EXPECT_TRUE(Exists(dir.File(page))) << "the page exists while it is shown";
    EXPECT_TRUE(PressAndWaitGone(box, IDOK));
  }
  // The page the browser was handed: the recorder's one line, the page still there.
  std::string PageInBrowser(const char* page) {
    EXPECT_TRUE(WaitUntil([&] { return Exists(RecordPath()); })) << page;
    EXPECT_EQ(ReadText(RecordPath()), std::string("\"") + dir.File(page) + "\"\r\n");
    DeleteFileA(RecordPath().c_str());
    return ReadText(dir.File(page));
  }
  void ExpectMessage(const std::string& text) {
    HWND box = FindDialog(app.Process.dwProcessId, "Oristel");
    ASSERT_NE(box, nullptr) << text;
    EXPECT_EQ(MessageBoxText(box), text);
    EXPECT_TRUE(PressAndWaitGone(box, IDOK));
    EXPECT_EQ(FindDialog(app.Process.dwProcessId, "Oristel", 300), nullptr) << "one message only";
  }
  InfoFileHeader files[3];
  static std::string savedHtm;
};
std::string InfoFiles2007Dialogs::savedHtm;

// Cancel after moves stores nothing; moves and "Aceptar" store the choice in
// the settings file and in every listed file.
TEST_F(InfoFiles2007Dialogs, TheSelectionMovesEntriesAndStoresTheChoiceInBothPlaces) {
  Start();
  std::vector<std::vector<unsigned char>> before;
  for (const InfoFileHeader& h : files) before.push_back(ReadWholeFile(dir.File(h.FileName)));
  HWND dialog = Open(IDM_INFO_FILES, kSelectionCaption);
  ASSERT_NE(dialog, nullptr);
  HWND available = GetDlgItem(dialog, IDC_AVAILABLE_LIST), chosen = GetDlgItem(dialog, IDC_CHOSEN_LIST);
  ASSERT_TRUE(SelectListEntry(available, kWorld));
  ASSERT_TRUE(PressUntil(dialog, IDC_ADD_FILE, IDC_CHOSEN_LIST, {kHolidays, kWorld}));
  ASSERT_TRUE(PressAndWaitGone(dialog, IDCANCEL));
  std::vector<InfoFileHeader> selection;
  ASSERT_EQ(ReadTodaySelection(&selection), 1);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ReadWholeFile(dir.File(files[i].FileName)), before[i]) << files[i].FileName;

  ASSERT_NE(dialog = Open(IDM_INFO_FILES, kSelectionCaption), nullptr);
  available = GetDlgItem(dialog, IDC_AVAILABLE_LIST), chosen = GetDlgItem(dialog, IDC_CHOSEN_LIST);
  EXPECT_EQ(ListBoxTexts(available), (std::vector<std::string>{kWorld, kSun}));
  EXPECT_EQ(ListBoxTexts(chosen), (std::vector<std::string>{kHolidays}));
  EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0) & 0xFFFF, IDCANCEL);
  SaveScreenshot(CaptureClient(dialog), "info_selection");
  ASSERT_TRUE(SelectListEntry(available, kSun));
  ASSERT_TRUE(PressUntil(dialog, IDC_ADD_FILE, IDC_CHOSEN_LIST, {kHolidays, kSun}));
  EXPECT_EQ(ListBoxSelection(chosen), kSun) << "an added file is selected at the end";
  EXPECT_EQ(ListBoxSelection(available), "");
  const struct {
    int Button;
    std::vector<std::string> Chosen;
  } moves[] = {{IDC_MOVE_UP, {kSun, kHolidays}}, {IDC_MOVE_UP, {kSun, kHolidays}},
               {IDC_MOVE_DOWN, {kHolidays, kSun}}, {IDC_MOVE_DOWN, {kHolidays, kSun}}};
  for (const auto& move : moves) {
    ASSERT_TRUE(PressUntil(dialog, move.Button, IDC_CHOSEN_LIST, move.Chosen));
    EXPECT_EQ(ListBoxSelection(chosen), kSun) << "the selection follows the moved entry";
  }
  ASSERT_TRUE(SelectListEntry(chosen, kHolidays));
  ASSERT_TRUE(PressUntil(dialog, IDC_REMOVE_FILE, IDC_AVAILABLE_LIST, {kWorld, kHolidays}));
  EXPECT_EQ(ListBoxSelection(available), kHolidays) << "a removed file is selected in its sorted place";
  ASSERT_TRUE(PressAndWaitGone(dialog, IDOK));
  ASSERT_EQ(ReadTodaySelection(&selection), 1);
  EXPECT_EQ(selection[0].FileId, files[0].FileId);
  const uint32_t orders[] = {1, 0, 0};
  for (int i = 0; i < 3; ++i) {
    InfoFileHeader stored{};
    ReadFileAt(dir.File(files[i].FileName).c_str(), &stored, 0, sizeof stored);
    EXPECT_EQ(stored.SelectionOrder, orders[i]) << files[i].FileName;
  }
  EXPECT_EQ(Close(), 0u);
}

// With the engine: "Hoy..." keeps its page, "Ver" deletes its pages after
// the showing; nothing reaches the browser.
TEST_F(InfoFiles2007Dialogs, TheEngineShowsThePages) {
  InstallHtmlDouble(dir);
  Choose(2, 1, 0);  // the sunrise after the holidays
  Start();
  HWND editor = OpenEditor(5);
  ASSERT_NE(editor, nullptr);
  PressButton(editor, IDC_NOTE_TODAY);
  ExpectPageShown("cal_temp.htm");
  const std::string page = ReadText(dir.File("cal_temp.htm"));
  EXPECT_LT(page.find("<P>Ninguna fiesta"), page.find("<P>El sol sale a las 7h 42m")) << "in the order of the choice";
  EXPECT_NE(page.find("<P>El sol sale a las 7h 42m"), std::string::npos);
  EXPECT_TRUE(PressAndWaitGone(editor, IDCANCEL)) << "the editor stays open";
  EXPECT_TRUE(Exists(dir.File("cal_temp.htm"))) << "the today page stays";

  HWND dialog = Open(IDM_YEAR_DATA, kOverview);
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, IDC_YEAR_DATA_LIST);
  EXPECT_EQ(ListBoxTexts(list), (std::vector<std::string>{kWorld, kOverview, kHolidays, kSun}));
  SaveScreenshot(CaptureClient(dialog), "year_data");
  ASSERT_TRUE(SelectListEntry(list, kHolidays));
  PressButton(dialog, IDC_VIEW_FILE);
  ExpectPageShown("cal_temp.htm");
  EXPECT_TRUE(WaitUntil([&] { return !Exists(dir.File("cal_temp.htm")); })) << "deleted after the showing";
  ASSERT_TRUE(SelectListEntry(list, kSun));
  PressButton(dialog, IDC_VIEW_FILE);
  ExpectMessage("Este archivo no admite su edición");
  ASSERT_TRUE(SelectListEntry(list, kOverview));
  PressButton(dialog, IDC_VIEW_FILE);
  ExpectMessage("No he podido abrir el archivo: " + dir.File("Anyo_2007.cal"));
  WriteWholeFile(dir.File("Anyo_2007.cal"), Pack("<HTML><BODY>El año</BODY></HTML>"));
  PressButton(dialog, IDC_VIEW_FILE);
  ExpectPageShown("Anyo_2007.htm");
  EXPECT_TRUE(WaitUntil([&] { return !Exists(dir.File("Anyo_2007.htm")); }));
  EXPECT_TRUE(PressAndWaitGone(dialog, IDCANCEL)) << "the list stays open";
  EXPECT_EQ(Close(), 0u);
  EXPECT_FALSE(Exists(RecordPath()));
}

// Without the engine each page goes to the browser and stays for it; with
// no program for .htm one message names the page.
TEST_F(InfoFiles2007Dialogs, WithoutTheEngineTheBrowserShowsThePages) {
  Start();
  HWND editor = OpenEditor(5);
  ASSERT_NE(editor, nullptr);
  PressButton(editor, IDC_NOTE_TODAY);
  EXPECT_NE(PageInBrowser("cal_temp.htm").find("2007-03-05 - 2007-W10-1<P>Ninguna fiesta"), std::string::npos);
  EXPECT_TRUE(PressAndWaitGone(editor, IDCANCEL)) << "the editor stays open";

  HWND dialog = Open(IDM_YEAR_DATA, kOverview);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(SelectListEntry(GetDlgItem(dialog, IDC_YEAR_DATA_LIST), kWorld));
  PressButton(dialog, IDC_VIEW_FILE);
  EXPECT_NE(PageInBrowser("cal_temp.htm").find("<P id=p1>Días internacionales<P>Archivo: Mundo_2007.cal<HR>\r\n"
                                               "<P> 8 - marzo:<P><P>Día de la mujer<HR>"),
            std::string::npos);
  ClassDefault(".htm", "OristelTest.Nothing");
  PressButton(dialog, IDC_VIEW_FILE);
  ExpectMessage("No he podido abrir el archivo: " + dir.File("cal_temp.htm"));
  EXPECT_TRUE(PressAndWaitGone(dialog, IDCANCEL));
  ClassDefault(".htm", "OristelTest.Page");
  EXPECT_EQ(Close(), 0u);
}

TEST_F(InfoFiles2007Dialogs, WithoutInformationFilesOnlyTheOverviewIsListed) {
  for (const InfoFileHeader& h : files) DeleteFileA(dir.File(h.FileName).c_str());
  Start();
  MenuCommand(app.Window, IDM_INFO_FILES);
  ExpectMessage("No encuentro archivos de datos (.cal)");
  HWND dialog = Open(IDM_YEAR_DATA, kOverview);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ListBoxTexts(GetDlgItem(dialog, IDC_YEAR_DATA_LIST)), (std::vector<std::string>{kOverview}));
  EXPECT_TRUE(PressAndWaitGone(dialog, IDCANCEL));
  EXPECT_EQ(Close(), 0u);
}
