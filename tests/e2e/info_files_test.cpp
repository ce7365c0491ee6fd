// The information files from the menu and the notes editor: the selection
// for the today page, the year's data shown whole, and "Hoy...". A page goes
// to the stand-in HTML engine, which shows its address in a message box, or,
// without one, to the program the system opens .htm files with: a command
// registered for the suite that records what it was handed.

#include "fixture.h"
#include "infofiles/info_file.h"
#include "unit/info_file_builder.h"

E2E_SUITE(InfoFiles2007, 2007, 3, 5);

namespace {

constexpr char kSun[] = "Salida y puesta del sol", kHolidays[] = "Fiestas de 2007", kWorld[] = "Días internacionales";
constexpr char kOverview[] = "El año 2007",
               kSelectionCaption[] = "Selección de datos mostrados al pulsar el botón: Hoy...";
using Texts = std::vector<std::string>;

}  // namespace

class InfoFiles2007Dialogs : public InfoFiles2007 {
 protected:
  HWND Open(int menu, const char* caption) {
    MenuCommand(app.Window, menu);
    return FindDialog(app.Process.dwProcessId, caption);
  }
  // The stand-in engine's box for the page (the program lower-cases its
  // address), while the page file exists.
  void ExpectPageShown(const char* page) {
    HWND box = FindDialog(app.Process.dwProcessId, "ShowHTMLDialog");
    const std::string url = MessageBoxText(box);
    const std::string end = url.substr(url.size() - std::min(url.size(), std::strlen(page) + 1));
    EXPECT_EQ(std::pair(end.substr(1), Exists(dir.File(page))), std::pair(std::string(page), true)) << url;
    EXPECT_TRUE(PressAndWaitGone(box, IDOK));
  }
  // The page the browser was handed: the recorder's one line, the page still there.
  std::string PageInBrowser(const char* page) {
    const std::string line = "\"" + dir.File(page) + "\"\r\n";
    EXPECT_TRUE(WaitUntil([&] { return ReadText(kOpenedRecord) == line; })) << ReadText(kOpenedRecord);
    DeleteFileA(kOpenedRecord);
    return ReadText(dir.File(page));
  }
  void ExpectMessage(const std::string& text) {
    EXPECT_EQ(AnswerMessage(app.Process.dwProcessId, "Oristel", IDOK), text);
    EXPECT_EQ(FindDialog(app.Process.dwProcessId, "Oristel", 300), nullptr) << "one message only";
  }
};

// With the engine: "Hoy..." keeps its page, "Ver" deletes its pages after
// the showing or tells why there is none; nothing reaches the browser.
// Without it the page goes to the browser and stays for it (the today page
// takes the same way); with no program for .htm one message names the page.
// In the selection each button moves the entry and the selection follows
// it; "Cancelar" stores nothing, "Aceptar" stores the chosen files in their
// order. Without information files only the overview is listed.
TEST_F(InfoFiles2007Dialogs, ThePagesWithAndWithoutTheEngineAndTheSelection) {
  // The recorder for .htm pages (script/run gives them back to the browser);
  // three files of the test's own in place of the delivered ones: the
  // holidays are chosen, the sunrise file may not be shown whole.
  SetClassDefault(".htm", "OristelTest.Page");
  SetClassDefault("OristelTest.Page\\shell\\open\\command", RecordingCommand());
  DeleteFileA(kOpenedRecord);
  for (const std::string& name : ListFiles(dir.Path, "*.cal")) DeleteFileA(dir.File(name.c_str()).c_str());
  InfoFileLayout sun = Layout("Sol_2007.cal", 1, kSun, {{65, "<P>El sol sale a las 7h 42m"}});
  sun.Header.WholeViewAllowed = 0;
  InfoFileHeader files[3] = {WriteLayout(dir.Path, sun),
                             WriteInfoFile(dir.Path, "Festivos_2007.cal", 2, kHolidays, {{65, "<P>Ninguna fiesta"}}),
                             WriteInfoFile(dir.Path, "Mundo_2007.cal", 3, kWorld, {{68, "<P>Día de la mujer"}})};
  files[1].SelectionOrder = 1;
  ASSERT_EQ(ApplyTodaySelection(files, 3), 1);
  InstallHtmlDouble(dir);
  Start();
  HWND editor = OpenEditor(5);
  PressButton(editor, IDC_NOTE_TODAY);
  ExpectPageShown("cal_temp.htm");
  EXPECT_TRUE(PressAndWaitGone(editor, IDCANCEL)) << "the editor stays open";
  EXPECT_TRUE(Exists(dir.File("cal_temp.htm"))) << "the today page stays";

  HWND dialog = Open(IDM_YEAR_DATA, kOverview);
  HWND list = GetDlgItem(dialog, IDC_YEAR_DATA_LIST);
  EXPECT_EQ(ListBoxTexts(list), (Texts{kWorld, kOverview, kHolidays, kSun}));
  SaveScreenshot(CaptureClient(dialog), "year_data");
  // The entry viewed; the page shown (nullptr: none) or the message told.
  const std::tuple<const char*, const char*, std::string> views[] = {
      {kHolidays, "cal_temp.htm", ""},
      {kSun, nullptr, "Este archivo no admite su edición"},
      {kOverview, nullptr, "No he podido abrir el archivo: " + dir.File("Anyo_2007.cal")},
      {kOverview, "anyo_2007.htm", ""}};
  for (const auto& [entry, page, message] : views) {
    ASSERT_TRUE(SelectListEntry(list, entry));
    PressButton(dialog, IDC_VIEW_FILE);
    if (page) {
      ExpectPageShown(page);
      EXPECT_TRUE(WaitUntil([&] { return !Exists(dir.File(page)); })) << "deleted after the showing";
    } else {
      ExpectMessage(message);
    }
    if (entry == kOverview) WriteBytes(dir.File("Anyo_2007.cal"), Pack("<HTML><BODY>El año</BODY></HTML>"));
  }
  EXPECT_TRUE(PressAndWaitGone(dialog, IDCANCEL)) << "the list stays open";
  EXPECT_FALSE(Exists(kOpenedRecord));
  EXPECT_EQ(Close(), 0u);
  DeleteFileA(dir.File("mshtml.dll").c_str());
  DeleteFileA(dir.File("Anyo_2007.cal").c_str());  // the overview written for the engine

  Start();
  dialog = Open(IDM_YEAR_DATA, kOverview);
  ASSERT_TRUE(SelectListEntry(GetDlgItem(dialog, IDC_YEAR_DATA_LIST), kWorld));
  PressButton(dialog, IDC_VIEW_FILE);
  EXPECT_NE(PageInBrowser("cal_temp.htm").find("<P id=p1>Días internacionales<P>Archivo: Mundo_2007.cal"),
            std::string::npos);
  SetClassDefault(".htm", "OristelTest.Nothing");
  PressButton(dialog, IDC_VIEW_FILE);
  ExpectMessage("No he podido abrir el archivo: " + dir.File("cal_temp.htm"));
  EXPECT_TRUE(PressAndWaitGone(dialog, IDCANCEL));
  SetClassDefault(".htm", "OristelTest.Page");

  // The entry selected first (in the list the button takes from), the button; the lists and their selections then.
  const std::tuple<const char*, int, Texts, Texts, const char*, const char*> steps[] = {
      {kHolidays, IDC_REMOVE_FILE, {}, {kWorld, kHolidays, kSun}, "", kHolidays},
      {kSun, IDC_ADD_FILE, {kSun}, {kWorld, kHolidays}, kSun, ""},
      {kWorld, IDC_ADD_FILE, {kSun, kWorld}, {kHolidays}, kWorld, ""},
      {nullptr, IDC_MOVE_UP, {kWorld, kSun}, {kHolidays}, kWorld, ""},
      {nullptr, IDC_MOVE_UP, {kWorld, kSun}, {kHolidays}, kWorld, ""},
      {nullptr, IDC_MOVE_DOWN, {kSun, kWorld}, {kHolidays}, kWorld, ""},
      {nullptr, IDC_MOVE_DOWN, {kSun, kWorld}, {kHolidays}, kWorld, ""},
  };
  for (int accept : {0, 1}) {
    dialog = Open(IDM_INFO_FILES, kSelectionCaption);
    HWND chosen = GetDlgItem(dialog, IDC_CHOSEN_LIST);
    HWND available = GetDlgItem(dialog, IDC_AVAILABLE_LIST);
    EXPECT_EQ(std::pair(ListBoxTexts(chosen), ListBoxTexts(available)),
              std::pair(Texts{kHolidays}, Texts{kWorld, kSun}));
    if (accept) SaveScreenshot(CaptureClient(dialog), "info_selection");
    for (const auto& [pick, button, chosenTexts, availableTexts, chosenSelection, availableSelection] :
         accept ? std::span(steps) : std::span(steps, 2)) {
      if (pick) {
        ASSERT_TRUE(SelectListEntry(button == IDC_ADD_FILE ? available : chosen, pick));
      }
      PressButton(dialog, button);
      EXPECT_TRUE(WaitUntil([&] { return ListBoxTexts(chosen) == chosenTexts; })) << button;
      EXPECT_EQ(std::tuple(ListBoxTexts(available), ListBoxSelection(chosen), ListBoxSelection(available)),
                std::tuple(availableTexts, chosenSelection, availableSelection));
    }
    ASSERT_TRUE(PressAndWaitGone(dialog, accept ? IDOK : IDCANCEL));
  }
  std::vector<InfoFileHeader> selection;
  ASSERT_EQ(ReadTodaySelection(&selection), 2);
  EXPECT_EQ(std::pair(selection[0].FileId, selection[1].FileId), std::pair(1u, 3u))
      << "the sunrise, then the world days";

  for (const std::string& name : ListFiles(dir.Path, "*.cal")) DeleteFileA(dir.File(name.c_str()).c_str());
  MenuCommand(app.Window, IDM_INFO_FILES);
  ExpectMessage("No encuentro archivos de datos (.cal)");
  dialog = Open(IDM_YEAR_DATA, kOverview);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ListBoxTexts(GetDlgItem(dialog, IDC_YEAR_DATA_LIST)), (Texts{kOverview}));
  EXPECT_TRUE(PressAndWaitGone(dialog, IDCANCEL));
  EXPECT_EQ(Close(), 0u);
}
