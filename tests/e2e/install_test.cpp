// The installer and the uninstaller as a user runs them: silently from a
// script (the installed folder, the Start-menu shortcut and the "Apps"
// entry, the installed program running, a refused install while it runs,
// an upgrade and an uninstall that keep the user's files), and the
// uninstaller by hand, asking before the notes go. And the program's version
// resource and manifest.
#include <shlobj.h>

#include <array>
#include <cstring>
#include <utility>

#include "fixture.h"

E2E_SUITE(Install2007, 2007, 3, 5);

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Oristel";
// The files the installer brings, beside the user's two.
const char* const kProgramFiles[] = {"Oristel.exe",  "Sol_2007.cal", "Festivos_2007.cal", "DiasMundiales_2007.cal",
                                     "Anyo_2007.cal", "ExpImp.cal",   "iso.gif",           "l1.gif",
                                     "l2.gif",        "l3.gif",       "l4.gif",            "Desinstalar.exe"};

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A value of the uninstall entry; "" when there is none.
std::string UninstallValue(const char* name) {
  char value[1024] = "";
  DWORD size = sizeof value;
  RegGetValueA(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size);
  return value;
}

bool UninstallEntryExists() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  return RegCloseKey(key), true;
}

std::string StartMenuShortcut() {
  char programs[MAX_PATH] = "";
  SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs);
  return std::string(programs) + "\\Oristel.lnk";
}

DWORD RunToEnd(const std::string& commandLine) {
  PROCESS_INFORMATION process = RunCommand(commandLine);
  return WaitForExit(process, 60000);
}

}  // namespace

class Install2007Setup : public Install2007 {
 protected:
  void SetUp() override {
    Install2007::SetUp();
    installer = EnvironmentFile("ORISTEL_INSTALLER");
    ASSERT_TRUE(Exists(installer)) << "ORISTEL_INSTALLER names the installer: " << installer;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    CreateDirectoryA((std::string(temp) + "oristel_install").c_str(), nullptr);
    folder = std::string(temp) + "oristel_install\\Programas de Usuario\\Oristel";  // spaces, like "Program Files"
    target = {folder + "\\"};
    for (const std::string& file : ListFiles(target.Path, "*")) DeleteFileA(target.File(file.c_str()).c_str());
  }
  // Installs silently into the folder; the installer's exit code.
  DWORD Install() { return RunToEnd("\"" + installer + "\" /S /D=" + folder); }  // /D last and unquoted

  std::string installer, folder;
  ProgramDir target;
};

TEST_F(Install2007Setup, InstallRunUpgradeAndUninstallKeepTheUsersFiles) {
  ASSERT_EQ(Install(), 0u);
  // Every file where it belongs, the same as the program folder that was packed.
  const std::string staged = EnvironmentFile("ORISTEL_PROGRAM_DIR") + "\\";
  for (const char* file : kProgramFiles) EXPECT_TRUE(Exists(target.File(file))) << file;
  for (const char* file : {"Oristel.exe", "Sol_2007.cal", "cal_2007.op", "cal_notas.dat", "l4.gif"})
    EXPECT_EQ(ReadWholeFile(target.File(file)), ReadWholeFile(staged + file)) << file;
  EXPECT_TRUE(Exists(StartMenuShortcut()));
  const std::string uninstaller = "\"" + target.File("Desinstalar.exe") + "\"";
  const std::pair<const char*, std::string> entry[] = {
      {"DisplayName", "Oristel"},          {"DisplayVersion", ORISTEL_VERSION},
      {"Publisher", "Equipo de Oristel"},  {"InstallLocation", folder},
      {"UninstallString", uninstaller},    {"QuietUninstallString", uninstaller + " /S"},
      {"DisplayIcon", target.File("Oristel.exe") + ",0"},
  };
  for (const auto& [name, value] : entry) EXPECT_EQ(UninstallValue(name), value) << name;
  DWORD sizeKb = 0, bytes = sizeof sizeKb;
  RegGetValueA(HKEY_CURRENT_USER, kUninstallKey, "EstimatedSize", RRF_RT_REG_DWORD, nullptr, &sizeKb, &bytes);
  const size_t exeKb = ReadWholeFile(target.File("Oristel.exe")).size() / 1024;
  EXPECT_TRUE(sizeKb >= exeKb && sizeKb <= exeKb + 1024) << "the folder's size in KB: " << sizeKb;

  // The installed program starts as on a first run and saves its settings
  // beside itself. No install while it runs: files in use would be left half replaced.
  UseProgramDir(target);
  dir = target;
  app = StartOristel(target);
  ASSERT_NE(app.Window, nullptr) << "the installed Oristel shows no window";
  EXPECT_EQ(Install(), 2u);
  EXPECT_TRUE(IsWindow(app.Window));
  ASSERT_EQ(Close(), 0u);
  ASSERT_NE(ReadSettingsRecord().SavedTime.High, 0u) << "the first run saved no settings beside the program";
  ASSERT_EQ(AddNoteText(5, 3, "Revisi\xF3n del coche", 0), 1);
  const std::vector<unsigned char> settings = ReadWholeFile(target.File("cal_2007.op")),
                                   notes = ReadWholeFile(target.File("cal_notas.dat"));

  // An upgrade replaces the program's files and keeps the user's.
  WriteWholeFile(target.File("Sol_2007.cal"), {1, 2, 3});
  ASSERT_EQ(Install(), 0u);
  EXPECT_EQ(ReadWholeFile(target.File("Sol_2007.cal")), ReadWholeFile(staged + "Sol_2007.cal"));
  EXPECT_EQ(ReadWholeFile(target.File("cal_2007.op")), settings);
  EXPECT_EQ(ReadWholeFile(target.File("cal_notas.dat")), notes);

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
}

// Run by hand, the uninstaller shows its pages and asks before the notes and
// the settings go, with No as the answer Enter gives; Yes deletes them.
TEST_F(Install2007Setup, AskedTheUninstallerDeletesTheNotesOnlyOnYes) {
  ASSERT_EQ(Install(), 0u);
  // "_?=" keeps it in its own process instead of a copy of itself run on
  // from the temporary folder (it then stays behind in the folder).
  PROCESS_INFORMATION process = RunCommand("\"" + target.File("Desinstalar.exe") + "\" _?=" + folder);
  HWND pages = FindDialog(process.dwProcessId, nullptr, 30000);
  ASSERT_NE(pages, nullptr) << "the uninstaller shows no window";
  PressButton(pages, IDOK);  // "Desinstalar" on the confirmation page
  HWND question = FindOtherDialog(process.dwProcessId, pages, 30000);
  ASSERT_NE(question, nullptr) << "no question before the notes go";
  SaveScreenshot(CaptureClient(question), "uninstall_question");
  const std::string text = MessageBoxTextWide(question);
  for (const std::string& part : {std::string("borrar tambi\xE9n sus notas"), target.File("cal_notas.dat"),
                                  target.File("cal_2007.op")})
    EXPECT_NE(text.find(part), std::string::npos) << text;
  EXPECT_TRUE(GetWindowLongA(GetDlgItem(question, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON) << "No is the default";
  PressButton(question, IDYES);
  EXPECT_TRUE(WaitUntil([] { return !UninstallEntryExists(); }, 30000)) << "the uninstaller did not finish";
  for (const char* file : {"cal_2007.op", "cal_notas.dat"}) EXPECT_FALSE(Exists(target.File(file))) << file;
  for (const char* file : kProgramFiles)
    EXPECT_TRUE(!Exists(target.File(file)) || std::strcmp(file, "Desinstalar.exe") == 0) << file;
  // Its last page waits for "Cerrar".
  EXPECT_TRUE(WaitUntil([&] {
    PressButton(pages, IDOK);
    return WaitForSingleObject(process.hProcess, 200) == WAIT_OBJECT_0;
  }, 30000)) << "the uninstaller did not close";
  WaitForExit(process, 0);
}

TEST_F(Install2007, TheProgramCarriesItsVersionAndManifest) {
  const std::string exe = dir.File("Oristel.exe");
  std::vector<unsigned char> block(GetFileVersionInfoSizeA(exe.c_str(), nullptr));
  ASSERT_TRUE(!block.empty() && GetFileVersionInfoA(exe.c_str(), 0, block.size(), block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  WORD* language = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&language), &length));
  const DWORD ms = MAKELONG(ORISTEL_VERSION_MINOR, ORISTEL_VERSION_MAJOR), ls = MAKELONG(0, ORISTEL_VERSION_PATCH);
  EXPECT_EQ((std::array{fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                        fixed->dwProductVersionLS}),
            (std::array{ms, ls, ms, ls}));
  // Each string whole, or (part) only somewhere in it.
  const struct { const char *name, *text; bool part; } strings[] = {
      {"FileVersion", ORISTEL_VERSION, false},        {"ProductVersion", ORISTEL_VERSION, false},
      {"OriginalFilename", "Oristel.exe", false},     {"CompanyName", "Equipo de Oristel", false},
      {"LegalCopyright", "Equipo de Oristel", true},  {"FileDescription", "calendario", true},
  };
  for (const auto& s : strings) {
    char query[96], *value = nullptr;
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04X%04X\\%s", language[0], language[1], s.name);
    ASSERT_TRUE(VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&value), &length)) << s.name;
    EXPECT_TRUE(s.part ? std::strstr(value, s.text) != nullptr : std::strcmp(value, s.text) == 0) << s.name << ": " << value;
  }

  HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr) << "no manifest";
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))),
                             SizeofResource(module, found));
  for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "level=\"asInvoker\"",
                           ">true</dpiAware>", ">system</dpiAwareness>", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
                           "{e2011457-1546-43c5-a5fe-008deee3d3f0}"})
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  FreeLibrary(module);
}
