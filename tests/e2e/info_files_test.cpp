// The information files from the menu and the notes editor: the selection
// for the today page, the year's data shown whole, and "Hoy...". A stand-in
// HTML engine shows the address each page is handed in a message box.
#include <algorithm>
#include <cctype>

#include "base/program_files.h"
#include "fixture.h"
#include "infofiles/info_file.h"
#include "unit/info_file_builder.h"

E2E_SUITE(InfoFiles2007, 2007, 3, 5);

namespace {

constexpr char kSun[] = "Salida y puesta del sol", kHolidays[] = "Fiestas de 2007", kWorld[] = "Días internacionales";
constexpr char kSelectionCaption[] = "Selección de datos mostrados al pulsar el botón: Hoy...";

// The address the program hands the engine for a file of the directory.
std::string FileUrl(const std::string& path) {
  std::string url = "file://" + path;
  for (char& c : url) c = c == '\\' ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return url;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

class InfoFiles2007Dialogs : public InfoFiles2007 {
 protected:
  // Three files of the test's own in place of the delivered ones; the
  // holidays are chosen, the sunrise file may not be shown whole.
  void SetUp() override {
    InfoFiles2007::SetUp();
    for (const std::string& name : ListFiles(dir.Path, "*.cal")) DeleteFileA(dir.File(name.c_str()).c_str());
    InfoFileLayout sun{"Sol_2007.cal", 1, kSun, JoinDays({{65, "<P>El sol sale a las 7h 42m"}})};
    PackInfoFile(&sun);
    sun.Header.WholeViewAllowed = 0;
    files[0] = WriteLayout(dir.Path, sun);
    files[1] = WriteInfoFile(dir.Path, {"Festivos_2007.cal", 2, kHolidays, JoinDays({{65, "<P>Ninguna fiesta"}})});
    files[2] = WriteInfoFile(dir.Path, {"Mundo_2007.cal", 3, kWorld, JoinDays({{68, "<P>Día de la mujer"}})});
    files[1].SelectionOrder = 1;
    Choose();
  }
  // Stores the selection orders of files as the dialog's "Aceptar" does.
  void Choose() {
    InfoFileHeader sorted[3] = {files[0], files[1], files[2]};
    ASSERT_EQ(ApplyTodaySelection(sorted, 3), 1);
  }
  HWND OpenSelection() {
    MenuCommand(app.Window, IDM_INFO_FILES);
    return FindDialog(app.Process.dwProcessId, kSelectionCaption);
  }
  // Presses the button and waits until the list shows the entries.
  static bool PressUntil(HWND dialog, int button, int list, const std::vector<std::string>& entries) {
    PressButton(dialog, button);
    return WaitUntil([&] { return ListBoxTexts(GetDlgItem(dialog, list)) == entries; });
  }
  // The stand-in engine's box for the page, while the page file exists.
  void ExpectPageShown(const std::string& page) {
    HWND box = FindDialog(app.Process.dwProcessId, "ShowHTMLDialog");
    ASSERT_NE(box, nullptr) << page;
    // Wine's URL moniker gives a file address back with backslashes; the
    // lower-casing is the program's.
    std::string url = MessageBoxTextWide(box);
    std::replace(url.begin(), url.end(), '\\', '/');
    EXPECT_EQ(url, FileUrl(dir.File(page.c_str())));
    EXPECT_TRUE(Exists(dir.File(page.c_str()))) << "the page exists while it is shown";
    EXPECT_TRUE(PressAndWaitGone(box, IDOK));
  }
  void ExpectMessage(const std::string& text) {
    HWND box = FindDialog(app.Process.dwProcessId, "Oristel");
    ASSERT_NE(box, nullptr) << text;
    EXPECT_EQ(MessageBoxText(box), text);
    EXPECT_TRUE(PressAndWaitGone(box, IDOK));
  }
  InfoFileHeader files[3];
};

TEST_F(InfoFiles2007Dialogs, TheSelectionMovesEntriesAndStoresTheChoiceInBothPlaces) {
  Start();
  HWND dialog = OpenSelection();
  ASSERT_NE(dialog, nullptr);
  HWND available = GetDlgItem(dialog, IDC_AVAILABLE_LIST), chosen = GetDlgItem(dialog, IDC_CHOSEN_LIST);
  EXPECT_EQ(ListBoxTexts(available), (std::vector<std::string>{kWorld, kSun}));
  EXPECT_EQ(ListBoxTexts(chosen), (std::vector<std::string>{kHolidays}));
  EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0) & 0xFFFF, IDCANCEL);
  SaveScreenshot(CaptureClient(dialog), "info_selection");

  ASSERT_TRUE(SelectListEntry(available, kSun));
  ASSERT_TRUE(PressUntil(dialog, IDC_ADD_FILE, IDC_CHOSEN_LIST, {kHolidays, kSun}));
  EXPECT_EQ(ListBoxSelection(chosen), kSun) << "an added file is selected at the end";
  EXPECT_EQ(ListBoxSelection(available), "");
  ASSERT_TRUE(PressUntil(dialog, IDC_MOVE_UP, IDC_CHOSEN_LIST, {kSun, kHolidays}));
  EXPECT_EQ(ListBoxSelection(chosen), kSun) << "the selection follows the moved entry";
  ASSERT_TRUE(PressUntil(dialog, IDC_MOVE_UP, IDC_CHOSEN_LIST, {kSun, kHolidays})) << "the first cannot go up";
  ASSERT_TRUE(PressUntil(dialog, IDC_MOVE_DOWN, IDC_CHOSEN_LIST, {kHolidays, kSun}));
  ASSERT_TRUE(PressUntil(dialog, IDC_MOVE_DOWN, IDC_CHOSEN_LIST, {kHolidays, kSun})) << "the last cannot go down";
  ASSERT_TRUE(SelectListEntry(chosen, kHolidays));
  ASSERT_TRUE(PressUntil(dialog, IDC_REMOVE_FILE, IDC_AVAILABLE_LIST, {kWorld, kHolidays}));
  EXPECT_EQ(ListBoxSelection(available), kHolidays) << "a removed file is selected in its sorted place";

  ASSERT_TRUE(PressAndWaitGone(dialog, IDOK));
  std::vector<InfoFileHeader> selection;
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

TEST_F(InfoFiles2007Dialogs, CancelAfterMovesChangesNoFile) {
  Start();
  std::vector<std::vector<unsigned char>> before;
  for (const char* name : {"cal_2007.op", "Sol_2007.cal", "Festivos_2007.cal", "Mundo_2007.cal"})
    before.push_back(ReadWholeFile(dir.File(name)));
  HWND dialog = OpenSelection();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(SelectListEntry(GetDlgItem(dialog, IDC_AVAILABLE_LIST), kWorld));
  ASSERT_TRUE(PressUntil(dialog, IDC_ADD_FILE, IDC_CHOSEN_LIST, {kHolidays, kWorld}));
  ASSERT_TRUE(PressUntil(dialog, IDC_MOVE_UP, IDC_CHOSEN_LIST, {kWorld, kHolidays}));
  ASSERT_TRUE(PressAndWaitGone(dialog, IDCANCEL));
  EXPECT_EQ(Close(), 0u);
  // The settings record is saved at the exit; the selection behind it stays.
  before[0].erase(before[0].begin(), before[0].begin() + SettingsRecordSize);
  std::vector<unsigned char> settings = ReadWholeFile(dir.File("cal_2007.op"));
  settings.erase(settings.begin(), settings.begin() + SettingsRecordSize);
  EXPECT_EQ(settings, before[0]);
  int i = 1;
  for (const char* name : {"Sol_2007.cal", "Festivos_2007.cal", "Mundo_2007.cal"})
    EXPECT_EQ(ReadWholeFile(dir.File(name)), before[i++]) << name;
}

TEST_F(InfoFiles2007Dialogs, AnEmptyChoiceLeavesHoyWithNothingToShow) {
  Start();
  HWND dialog = OpenSelection();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(SelectListEntry(GetDlgItem(dialog, IDC_CHOSEN_LIST), kHolidays));
  ASSERT_TRUE(PressUntil(dialog, IDC_REMOVE_FILE, IDC_CHOSEN_LIST, {}));
  ASSERT_TRUE(PressAndWaitGone(dialog, IDOK));
  std::vector<InfoFileHeader> selection;
  EXPECT_EQ(ReadTodaySelection(&selection), 0);

  HWND editor = OpenEditor(5);
  ASSERT_NE(editor, nullptr);
  PressButton(editor, IDC_NOTE_TODAY);
  ExpectMessage("No hay archivo de información seleccionado");
  EXPECT_TRUE(IsWindowVisible(editor)) << "the editor stays open";
  EXPECT_TRUE(PressAndWaitGone(editor, IDCANCEL));
  EXPECT_EQ(Close(), 0u);
}

TEST_F(InfoFiles2007Dialogs, HoyShowsTheTodayPageAndKeepsIt) {
  InstallHtmlDouble(dir);
  files[0].SelectionOrder = 2;  // the sunrise after the holidays
  Choose();
  Start();
  HWND editor = OpenEditor(5);
  ASSERT_NE(editor, nullptr);
  PressButton(editor, IDC_NOTE_TODAY);
  ExpectPageShown("cal_temp.htm");
  const std::vector<unsigned char> bytes = ReadWholeFile(dir.File("cal_temp.htm"));
  const std::string page(bytes.begin(), bytes.end());
  const size_t holidays = page.find("<P>Ninguna fiesta"), sun = page.find("<P>El sol sale a las 7h 42m");
  EXPECT_NE(holidays, std::string::npos);
  EXPECT_NE(sun, std::string::npos);
  EXPECT_LT(holidays, sun) << "the texts in the order of the choice";
  EXPECT_TRUE(IsWindowVisible(editor));
  EXPECT_TRUE(PressAndWaitGone(editor, IDCANCEL));
  EXPECT_TRUE(Exists(dir.File("cal_temp.htm"))) << "the today page stays";
  EXPECT_EQ(Close(), 0u);
}

TEST_F(InfoFiles2007Dialogs, TheYearsDataShowsFilesWholeAndDeletesThePages) {
  InstallHtmlDouble(dir);
  Start();
  MenuCommand(app.Window, IDM_YEAR_DATA);
  HWND dialog = FindDialog(app.Process.dwProcessId, "El año 2007");
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, IDC_YEAR_DATA_LIST);
  EXPECT_EQ(ListBoxTexts(list), (std::vector<std::string>{kWorld, "El año 2007", kHolidays, kSun}));
  SaveScreenshot(CaptureClient(dialog), "year_data");

  ASSERT_TRUE(SelectListEntry(list, kHolidays));
  PressButton(dialog, IDC_VIEW_FILE);
  ExpectPageShown("cal_temp.htm");
  EXPECT_TRUE(WaitUntil([&] { return !Exists(dir.File("cal_temp.htm")); })) << "deleted after the showing";

  ASSERT_TRUE(SelectListEntry(list, kSun));
  PressButton(dialog, IDC_VIEW_FILE);
  ExpectMessage("Este archivo no admite su edición");

  ASSERT_TRUE(SelectListEntry(list, "El año 2007"));
  PressButton(dialog, IDC_VIEW_FILE);
  ExpectMessage("No he podido abrir el archivo: " + dir.File("Anyo_2007.cal"));
  EXPECT_EQ(FindDialog(app.Process.dwProcessId, "Oristel", 500), nullptr) << "one message only";

  const Bytes overview = Pack("<HTML><BODY>El año</BODY></HTML>");
  WriteWholeFile(dir.File("Anyo_2007.cal"), overview);
  PressButton(dialog, IDC_VIEW_FILE);
  ExpectPageShown("Anyo_2007.htm");
  EXPECT_TRUE(WaitUntil([&] { return !Exists(dir.File("Anyo_2007.htm")); }));
  EXPECT_TRUE(IsWindowVisible(dialog)) << "the list stays open";
  EXPECT_TRUE(PressAndWaitGone(dialog, IDCANCEL));
  EXPECT_EQ(Close(), 0u);
}

TEST_F(InfoFiles2007Dialogs, WithoutInformationFilesOnlyTheOverviewIsListed) {
  for (const InfoFileHeader& h : files) DeleteFileA(dir.File(h.FileName).c_str());
  Start();
  MenuCommand(app.Window, IDM_INFO_FILES);
  ExpectMessage("No encuentro archivos de datos (.cal)");
  MenuCommand(app.Window, IDM_YEAR_DATA);
  HWND dialog = FindDialog(app.Process.dwProcessId, "El año 2007");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ListBoxTexts(GetDlgItem(dialog, IDC_YEAR_DATA_LIST)), (std::vector<std::string>{"El año 2007"}));
  EXPECT_TRUE(PressAndWaitGone(dialog, IDCANCEL));
  EXPECT_EQ(Close(), 0u);
}

// The files as Oristel is installed with them.
using InfoFiles2007Delivered = InfoFiles2007;

TEST_F(InfoFiles2007Delivered, TheFirstStartShowsAFullTodayPage) {
  std::vector<InfoFileHeader> selection;
  ASSERT_EQ(ReadTodaySelection(&selection), 3) << "the installed choice names the delivered files";
  InstallHtmlDouble(dir);
  Start();  // the settings of a run, the today selection as installed
  HWND editor = OpenEditor(5);
  ASSERT_NE(editor, nullptr);
  PressButton(editor, IDC_NOTE_TODAY);
  HWND box = FindDialog(app.Process.dwProcessId, "ShowHTMLDialog");
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(PressAndWaitGone(box, IDOK));
  EXPECT_TRUE(PressAndWaitGone(editor, IDCANCEL));
  EXPECT_EQ(Close(), 0u);
  const std::vector<unsigned char> shown = ReadWholeFile(dir.File("cal_temp.htm"));
  // Every chosen file with a text for 5 March adds it to the page.
  int texts = 0;
  std::string text;
  for (const InfoFileHeader& h : selection) {
    ASSERT_EQ(ReadDayText(h, 65, &text), 1) << h.FileName;
    if (text.empty()) continue;
    ++texts;
    EXPECT_NE(std::string(shown.begin(), shown.end()).find(text), std::string::npos) << h.FileName;
  }
  EXPECT_GE(texts, 1);
}
