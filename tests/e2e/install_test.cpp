// The installer and the uninstaller, run silently as a user would run them
// from a script: the installed folder, the Start-menu shortcut and the
// "Apps" entry; the installed program running and keeping a note; an
// upgrade over it that keeps the user's files; a refused install while the
// program runs; the uninstall that keeps the notes and settings. The
// uninstaller run by hand, asking before it deletes them. And the program's
// version resource and manifest.
#include <shlobj.h>

#include <cstdlib>
#include <cstring>

#include "fixture.h"
#include "infofiles/info_file.h"

E2E_SUITE(Install2007, 2007, 3, 5);

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Oristel";

// The files the installer brings, beside the user's two.
const char* const kProgramFiles[] = {"Oristel.exe",  "Sol_2007.cal", "Festivos_2007.cal", "DiasMundiales_2007.cal",
                                     "Anyo_2007.cal", "ExpImp.cal",   "iso.gif",           "l1.gif",
                                     "l2.gif",        "l3.gif",       "l4.gif",            "Desinstalar.exe"};
const char* const kUserFiles[] = {"cal_2007.op", "cal_notas.dat"};

std::string WindowsPath(const char* unixPath) {
  std::string path = std::string("Z:") + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Runs a command line to its end; its exit code (STILL_ACTIVE when it did not end).
DWORD RunToEnd(std::string commandLine) {
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return code;
}

// A value of the uninstall entry; "" when there is none.
std::string UninstallValue(const char* name) {
  char value[1024] = "";
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return "";
  return value;
}

bool UninstallEntryExists() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::string StartMenuShortcut() {
  char programs[MAX_PATH] = "";
  SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs);
  return std::string(programs) + "\\Oristel.lnk";
}

// The fixed version and the named string of the file's version resource.
struct VersionResource {
  DWORD FileMS = 0, FileLS = 0, ProductMS = 0, ProductLS = 0;
  std::string FileVersion, ProductVersion, OriginalFilename, CompanyName, LegalCopyright, FileDescription;
};

VersionResource ReadVersionResource(const std::string& path) {
  VersionResource result;
  DWORD ignored = 0, size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return result;
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return result;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
    result.FileMS = fixed->dwFileVersionMS;
    result.FileLS = fixed->dwFileVersionLS;
    result.ProductMS = fixed->dwProductVersionMS;
    result.ProductLS = fixed->dwProductVersionLS;
  }
  WORD* translation = nullptr;
  if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
      length < 4)
    return result;
  auto text = [&](const char* name) {
    char query[96];
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04X%04X\\%s", translation[0], translation[1], name);
    char* value = nullptr;
    UINT chars = 0;
    return VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&value), &chars) && value ? std::string(value)
                                                                                                 : std::string();
  };
  result.FileVersion = text("FileVersion");
  result.ProductVersion = text("ProductVersion");
  result.OriginalFilename = text("OriginalFilename");
  result.CompanyName = text("CompanyName");
  result.LegalCopyright = text("LegalCopyright");
  result.FileDescription = text("FileDescription");
  return result;
}

// The program's manifest, resource 1 of type RT_MANIFEST.
std::string ReadManifest(const std::string& path) {
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return "";
  std::string manifest;
  if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    if (bytes) manifest.assign(bytes, SizeofResource(module, found));
  }
  FreeLibrary(module);
  return manifest;
}

}  // namespace

class Install2007Setup : public Install2007 {
 protected:
  void SetUp() override {
    Install2007::SetUp();
    const char* setup = std::getenv("ORISTEL_INSTALLER");
    ASSERT_NE(setup, nullptr) << "ORISTEL_INSTALLER names the installer";
    installer = WindowsPath(setup);
    ASSERT_TRUE(Exists(installer)) << installer;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string parent = std::string(temp) + "oristel_install";
    CreateDirectoryA(parent.c_str(), nullptr);
    target = {parent + "\\Programas de Usuario\\Oristel\\"};  // spaces in the path, like "Program Files"
    for (const std::string& file : ListFiles(target.Path, "*")) DeleteFileA(target.File(file.c_str()).c_str());
  }
  // Installs silently into the target folder; the installer's exit code.
  DWORD Install() {
    std::string folder = target.Path.substr(0, target.Path.size() - 1);
    return RunToEnd("\"" + installer + "\" /S /D=" + folder);  // /D comes last and unquoted
  }

  std::string installer;
  ProgramDir target;
};

TEST_F(Install2007Setup, InstallRunUpgradeAndUninstallKeepTheUsersFiles) {
  ASSERT_EQ(Install(), 0u);
  // Every file where it belongs, the same as the program folder that was packed.
  const std::string staged = WindowsPath(std::getenv("ORISTEL_PROGRAM_DIR")) + "\\";
  for (const char* file : kProgramFiles) EXPECT_TRUE(Exists(target.File(file))) << file;
  for (const char* file : {"Oristel.exe", "Sol_2007.cal", "cal_2007.op", "cal_notas.dat", "l4.gif"})
    EXPECT_EQ(ReadWholeFile(target.File(file)), ReadWholeFile(staged + file)) << file;
  EXPECT_TRUE(Exists(StartMenuShortcut()));

  // The "Apps" entry.
  const std::string folder = target.Path.substr(0, target.Path.size() - 1);
  EXPECT_EQ(UninstallValue("DisplayName"), "Oristel");
  EXPECT_EQ(UninstallValue("DisplayVersion"), ORISTEL_VERSION);
  EXPECT_EQ(UninstallValue("Publisher"), "Equipo de Oristel");
  EXPECT_EQ(UninstallValue("InstallLocation"), folder);
  EXPECT_EQ(UninstallValue("DisplayIcon"), target.File("Oristel.exe") + ",0");
  const std::string uninstaller = "\"" + target.File("Desinstalar.exe") + "\"";
  EXPECT_EQ(UninstallValue("UninstallString"), uninstaller);
  EXPECT_EQ(UninstallValue("QuietUninstallString"), uninstaller + " /S");
  DWORD sizeKb = 0, bytes = sizeof sizeKb;
  ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, kUninstallKey, "EstimatedSize", RRF_RT_REG_DWORD, nullptr, &sizeKb, &bytes),
            ERROR_SUCCESS);
  const size_t exeKb = ReadWholeFile(target.File("Oristel.exe")).size() / 1024;
  EXPECT_GE(sizeKb, exeKb);
  EXPECT_LE(sizeKb, exeKb + 1024) << "the folder's size in KB";

  // The installed program starts as on a first run, then keeps a note.
  UseProgramDir(target);
  dir = target;
  app = StartOristel(target);
  ASSERT_NE(app.Window, nullptr) << "the installed Oristel shows no window";
  ASSERT_EQ(Close(), 0u);
  ASSERT_NE(ReadSettingsRecord().SavedTime.High, 0u) << "the first run saved its settings beside the program";
  Start(ReadSettingsRecord());
  HWND editor = OpenEditor(5);
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(TypeInto(GetDlgItem(editor, IDC_NOTE_TEXT), "Revisi\xF3n del coche", 18));
  ASSERT_TRUE(PressAndWaitGone(editor, IDOK));
  ASSERT_EQ(Close(), 0u);
  // No install while the program runs: files in use would be left half replaced.
  Start(ReadSettingsRecord());
  EXPECT_EQ(Install(), 2u);
  EXPECT_TRUE(IsWindow(app.Window));
  ASSERT_EQ(Close(), 0u);

  // The user kept one file on the today page.
  std::vector<InfoFileHeader> selection;
  ASSERT_EQ(ReadTodaySelection(&selection), 3);
  selection[0].SelectionOrder = 0;
  selection[1].SelectionOrder = 0;
  ASSERT_EQ(SaveTodaySelection(selection.data(), 3), 1);
  ASSERT_EQ(ReadTodaySelection(&selection), 1);
  const std::vector<unsigned char> settings = ReadWholeFile(target.File("cal_2007.op"));
  const std::vector<unsigned char> notes = ReadWholeFile(target.File("cal_notas.dat"));

  // An upgrade replaces the program's files and keeps the user's.
  WriteWholeFile(target.File("Sol_2007.cal"), {1, 2, 3});
  ASSERT_EQ(Install(), 0u);
  EXPECT_EQ(ReadWholeFile(target.File("Sol_2007.cal")), ReadWholeFile(staged + "Sol_2007.cal"));
  EXPECT_EQ(ReadWholeFile(target.File("cal_2007.op")), settings);
  EXPECT_EQ(ReadWholeFile(target.File("cal_notas.dat")), notes);
  NoteRecord note{};
  ASSERT_EQ(ReadNote(5, 3, &note), 1);
  EXPECT_STREQ(note.Text, "Revisi\xF3n del coche");
  EXPECT_EQ(ReadTodaySelection(&selection), 1);

  // The silent uninstall (as the "Apps" list runs it) removes the program and
  // keeps the notes and the settings. It runs on from a copy of itself, and
  // removes the entry last.
  ASSERT_EQ(RunToEnd(UninstallValue("QuietUninstallString")), 0u);
  ASSERT_TRUE(WaitUntil([] { return !UninstallEntryExists(); }, 30000)) << "the uninstaller did not finish";
  ASSERT_TRUE(WaitUntil([&] { return !Exists(target.File("Desinstalar.exe")); }));
  for (const char* file : kProgramFiles) EXPECT_FALSE(Exists(target.File(file))) << file;
  EXPECT_FALSE(Exists(StartMenuShortcut()));
  EXPECT_EQ(ReadWholeFile(target.File("cal_2007.op")), settings);
  EXPECT_EQ(ReadWholeFile(target.File("cal_notas.dat")), notes);
  for (const char* file : kUserFiles) EXPECT_TRUE(Exists(target.File(file))) << file;
}

// Run by hand, the uninstaller shows its pages and asks before the notes and
// the settings go, with No as the answer Enter gives; Yes deletes them.
TEST_F(Install2007Setup, AskedTheUninstallerDeletesTheNotesOnlyOnYes) {
  ASSERT_EQ(Install(), 0u);
  const std::string folder = target.Path.substr(0, target.Path.size() - 1);
  // "_?=" keeps it in its own process instead of a copy of itself run on
  // from the temporary folder (it then stays behind in the folder).
  std::string command = "\"" + target.File("Desinstalar.exe") + "\" _?=" + folder;
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  HWND pages = FindDialog(process.dwProcessId, nullptr, 30000);
  ASSERT_NE(pages, nullptr) << "the uninstaller shows no window";
  PressButton(pages, IDOK);  // "Desinstalar" on the confirmation page
  HWND question = FindOtherDialog(process.dwProcessId, pages, 30000);
  ASSERT_NE(question, nullptr) << "no question before the notes go";
  SaveScreenshot(CaptureClient(question), "uninstall_question");
  const std::string text = MessageBoxTextWide(question);
  EXPECT_NE(text.find("borrar tambi\xE9n sus notas"), std::string::npos) << text;
  EXPECT_NE(text.find(target.File("cal_notas.dat")), std::string::npos) << text;
  EXPECT_NE(text.find(target.File("cal_2007.op")), std::string::npos) << text;
  EXPECT_TRUE(GetWindowLongA(GetDlgItem(question, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON) << "No is the default";
  PressButton(question, IDYES);
  EXPECT_TRUE(WaitUntil([] { return !UninstallEntryExists(); }, 30000)) << "the uninstaller did not finish";
  for (const char* file : kUserFiles) EXPECT_FALSE(Exists(target.File(file))) << file;
  for (const char* file : kProgramFiles) {
    if (std::strcmp(file, "Desinstalar.exe") == 0) continue;
    EXPECT_FALSE(Exists(target.File(file))) << file;
  }
  // Its last page waits for "Cerrar".
  EXPECT_TRUE(WaitUntil([&] {
    PressButton(pages, IDOK);
    return WaitForSingleObject(process.hProcess, 200) == WAIT_OBJECT_0;
  }, 30000)) << "the uninstaller did not close";
  TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
}

TEST_F(Install2007, TheProgramCarriesItsVersionAndManifest) {
  const VersionResource version = ReadVersionResource(dir.File("Oristel.exe"));
  const DWORD ms = MAKELONG(ORISTEL_VERSION_MINOR, ORISTEL_VERSION_MAJOR), ls = MAKELONG(0, ORISTEL_VERSION_PATCH);
  EXPECT_EQ(version.FileMS, ms);
  EXPECT_EQ(version.FileLS, ls);
  EXPECT_EQ(version.ProductMS, ms);
  EXPECT_EQ(version.ProductLS, ls);
  EXPECT_EQ(version.FileVersion, ORISTEL_VERSION);
  EXPECT_EQ(version.ProductVersion, ORISTEL_VERSION);
  EXPECT_EQ(version.OriginalFilename, "Oristel.exe");
  EXPECT_EQ(version.CompanyName, "Equipo de Oristel");
  EXPECT_NE(version.LegalCopyright.find("Equipo de Oristel"), std::string::npos);
  EXPECT_NE(version.FileDescription.find("calendario"), std::string::npos) << version.FileDescription;

  const std::string manifest = ReadManifest(dir.File("Oristel.exe"));
  for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "level=\"asInvoker\"",
                           ">true</dpiAware>", ">system</dpiAwareness>", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
                           "{e2011457-1546-43c5-a5fe-008deee3d3f0}"})
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
}
