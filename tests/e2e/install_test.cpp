// The installer and the uninstaller as a user runs them, and the program's
// version resource and manifest.
#include <shlobj.h>

#include "fixture.h"

E2E_SUITE(Install2007, 2007, 3, 5);

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Oristel";

// A value of the uninstall entry, a number in decimal; "" when there is none
// (or no entry).
std::string UninstallValue(const char* name) {
  char value[1024] = "";
  DWORD size = sizeof value, type = REG_NONE;
  RegGetValueA(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, value, &size);
  return type == REG_DWORD ? std::to_string(*reinterpret_cast<const DWORD*>(value)) : value;
}

DWORD RunToEnd(const std::string& commandLine) {
  PROCESS_INFORMATION process = RunCommand(commandLine);
  return WaitForExit(process, 60000);
}

}  // namespace

// The program's version resource and manifest. Then the installer run
// silently, as a script runs it, into a folder with spaces: the files packed,
// the Start-menu shortcut and the "Apps" entry; the installed program runs as
// on a first run, and no install while it runs (files in use would be left
// half replaced). An upgrade replaces the program's files and keeps the
// user's; so does the silent uninstall the "Apps" list runs (from a copy of
// itself, removing the entry last). By hand, the uninstaller asks before the
// notes and the settings go, No being the answer Enter gives; Yes deletes them.
TEST_F(Install2007, TheProgramCarriesItsVersionAndInstallsAndUninstallsKeepingTheUsersFiles) {
  // The staged program: its version resource and manifest.
  const std::string exe = dir.File("Oristel.exe");
  std::vector<char> block(GetFileVersionInfoSizeA(exe.c_str(), nullptr));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, block.size(), block.data()));
  auto value = [&](const std::string& path) -> const void* {
    void* found = nullptr;
    UINT length = 0;
    return VerQueryValueA(block.data(), path.c_str(), &found, &length) ? found : nullptr;
  };
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value("\\"));
  const auto* language = static_cast<const DWORD*>(value("\\VarFileInfo\\Translation"));
  ASSERT_NE(fixed, nullptr);
  ASSERT_NE(language, nullptr);
  const DWORD ms = MAKELONG(ORISTEL_VERSION_MINOR, ORISTEL_VERSION_MAJOR);
  const DWORD ls = MAKELONG(0, ORISTEL_VERSION_PATCH);
  EXPECT_EQ((std::array{fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                        fixed->dwProductVersionLS, *language}),
            (std::array<DWORD, 5>{ms, ls, ms, ls, MAKELONG(0x0C0A, 1252)}));  // Spanish, Windows-1252
  for (const auto& [name, text] : {std::pair{"FileVersion", ORISTEL_VERSION},
                                   {"ProductVersion", ORISTEL_VERSION},
                                   {"OriginalFilename", "Oristel.exe"},
                                   {"CompanyName", "Equipo de Oristel"},
                                   {"LegalCopyright", "Copyright \xA9 2026 Equipo de Oristel"},
                                   {"FileDescription", "Oristel, calendario de 2007 con notas"}})
    EXPECT_STREQ(static_cast<const char*>(value(std::string("\\StringFileInfo\\0C0A04E4\\") + name)), text) << name;

  HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr) << "no manifest";
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))),
                             SizeofResource(module, found));
  for (const char* part :
       {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "level=\"asInvoker\"", ">true</dpiAware>",
        ">system</dpiAwareness>", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "{e2011457-1546-43c5-a5fe-008deee3d3f0}"})
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  FreeLibrary(module);

  const std::string installer = EnvironmentPath("ORISTEL_INSTALLER", false);
  const std::string staged = EnvironmentPath("ORISTEL_PROGRAM_DIR");
  char temp[MAX_PATH], programs[MAX_PATH] = "";
  GetTempPathA(sizeof temp, temp);
  SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs);
  const std::string folder = std::string(temp) + "oristel_install\\Programas de Usuario\\Oristel";
  const std::string shortcut = std::string(programs) + "\\Oristel.lnk";
  const std::string uninstaller = "\"" + folder + "\\Desinstalar.exe\"";
  UseProgramDir(dir = {folder + "\\"});
  for (const std::string& file : ListFiles(dir.Path, "*")) DeleteFileA(dir.File(file.c_str()).c_str());
  auto install = [&] { return RunToEnd("\"" + installer + "\" /S /D=" + folder); };  // /D last and unquoted
  auto userFiles = [&] { return std::pair(ReadBytes(dir.File("cal_2007.op")), ReadBytes(dir.File("cal_notas.dat"))); };
  auto packedFilesLeft = [&](bool program, bool users) {  // of the packed files
    for (const std::string& file : ListFiles(staged, "*"))
      EXPECT_EQ(Exists(dir.File(file.c_str())), file == "cal_2007.op" || file == "cal_notas.dat" ? users : program)
          << file;
  };

  ASSERT_EQ(install(), 0u);
  for (const std::string& file : ListFiles(staged, "*"))
    EXPECT_EQ(ReadBytes(dir.File(file.c_str())), ReadBytes(staged + file)) << file;
  EXPECT_TRUE(Exists(folder + "\\Desinstalar.exe"));
  EXPECT_TRUE(Exists(shortcut));
  const std::pair<const char*, std::string> entry[] = {
      {"DisplayName", "Oristel"},
      {"DisplayVersion", ORISTEL_VERSION},
      {"Publisher", "Equipo de Oristel"},
      {"InstallLocation", folder},
      {"UninstallString", uninstaller},
      {"QuietUninstallString", uninstaller + " /S"},
      {"DisplayIcon", dir.File("Oristel.exe") + ",0"},
  };
  for (const auto& [name, value] : entry) EXPECT_EQ(UninstallValue(name), value) << name;
  const int sizeKb = std::atoi(UninstallValue("EstimatedSize").c_str());  // the folder's size in KB
  const int exeKb = ReadBytes(staged + "Oristel.exe").size() / 1024;
  EXPECT_GE(sizeKb, exeKb);
  EXPECT_LE(sizeKb, exeKb + 1024);

  app = StartOristel(dir);
  ASSERT_NE(app.Window, nullptr) << "the installed Oristel shows no window";
  EXPECT_EQ(install(), 2u);
  ASSERT_EQ(Close(), 0u);
  ASSERT_NE(ReadSettingsRecord().SavedTime.High, 0u) << "the first run saved no settings beside the program";
  ASSERT_EQ(AddNoteText(5, 3, "Revisi\xF3n del coche", 0), 1);
  const auto kept = userFiles();
  WriteBytes(dir.File("Sol_2007.cal"), {1, 2, 3});
  ASSERT_EQ(install(), 0u);
  EXPECT_EQ(ReadBytes(dir.File("Sol_2007.cal")), ReadBytes(staged + "Sol_2007.cal"));
  EXPECT_EQ(userFiles(), kept);

  ASSERT_EQ(RunToEnd(UninstallValue("QuietUninstallString")), 0u);
  ASSERT_TRUE(WaitUntil([] { return UninstallValue("DisplayName").empty(); }, 30000))
      << "the uninstaller did not finish";
  ASSERT_TRUE(WaitUntil([&] { return !Exists(folder + "\\Desinstalar.exe"); }));
  packedFilesLeft(false, true);
  EXPECT_FALSE(Exists(shortcut));
  EXPECT_EQ(userFiles(), kept);

  ASSERT_EQ(install(), 0u);
  // "_?=" keeps it in its own process instead of a copy of itself run on
  // from the temporary folder (it then stays behind in the folder).
  PROCESS_INFORMATION process = RunCommand(uninstaller + " _?=" + folder);
  HWND pages = FindDialog(process.dwProcessId, nullptr, 30000);
  PressButton(pages, IDOK);  // "Desinstalar" on the confirmation page
  HWND question = FindOtherDialog(process.dwProcessId, pages, 30000);
  const std::string text = MessageBoxText(question);
  for (const std::string& part :
       {std::string("borrar tambi\xE9n sus notas"), dir.File("cal_notas.dat"), dir.File("cal_2007.op")})
    EXPECT_NE(text.find(part), std::string::npos) << text;
  EXPECT_TRUE(GetWindowLongA(GetDlgItem(question, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON) << "No is the default";
  SaveScreenshot(CaptureClient(question), "uninstall_question");
  PressButton(question, IDYES);
  EXPECT_TRUE(WaitUntil([] { return UninstallValue("DisplayName").empty(); }, 30000))
      << "the uninstaller did not finish";
  packedFilesLeft(false, false);
  WaitForExit(process, 0);  // its last page waits for "Cerrar"
}
