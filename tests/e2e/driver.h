// Drives the real Oristel.exe from a second Windows process: stages a program
// directory, starts the program, finds its windows, posts what a user's
// actions produce and reads what it shows.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/settings.h"
#include "file_bytes.h"
#include "notes/notes_store.h"
#include "resources/resource.h"

// A program directory of its own: Oristel.exe beside its installed files.
struct ProgramDir {
  std::string Path;  // with a trailing backslash
  std::string File(const char* name) const { return Path + name; }
};
// An emptied folder of the temporary directory with everything installed
// beside the program: its files, the information files and their images.
ProgramDir StageProgramDir(const std::string& name);
// The names of the files (not directories) of a directory that match the pattern.
std::vector<std::string> ListFiles(const std::string& directory, const char* pattern);
// The Windows path of a file or directory named by an environment variable
// of the test run (a Unix one turned into a Windows one); a directory's ends
// in a backslash.
std::string EnvironmentPath(const char* name, bool directory = true);
// Puts the stand-in HTML engine beside the program: its ShowHTMLDialog shows
// the address it is handed in a message box captioned "ShowHTMLDialog".
// Without it the program runs with no HTML engine at all.
inline void InstallHtmlDouble(const ProgramDir& dir) {
  CopyFileA(EnvironmentPath("ORISTEL_HTML_DOUBLE", false).c_str(), dir.File("mshtml.dll").c_str(), FALSE);
}

// Points the program's own file functions (settings record, notes store)
// at the directory, so that the tests read and write its files as Oristel does.
void UseProgramDir(const ProgramDir& dir);
inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
// Sets the default value of a key of HKEY_CLASSES_ROOT; the value it had.
std::string SetClassDefault(const char* key, const std::string& value);
// A command that stands for the program the system opens a file with: it
// appends the quoted path and a line end to the record.
constexpr char kOpenedRecord[] = "C:\\OristelOpened.txt";
inline std::string RecordingCommand() { return std::string("cmd.exe /c echo \"%1\">>") + kOpenedRecord; }
CalendarSettings ReadSettingsRecord();

// One running Oristel.exe.
struct Oristel {
  PROCESS_INFORMATION Process{};
  HWND Window = nullptr;
};
// Starts a command line, not waited for; an empty record when it cannot start.
PROCESS_INFORMATION RunCommand(std::string commandLine);
// Starts the program in dir; the main window is found when it is shown.
Oristel StartOristel(const ProgramDir& dir);
// Closes the main window through the menu; the exit code.
DWORD CloseOristel(Oristel& program);
// The exit code; STILL_ACTIVE (and the process ended) when it did not end in time.
DWORD WaitForExit(PROCESS_INFORMATION& process, int milliseconds = 15000);

// Polls until the condition holds; false after the timeout.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 10000);
// The one way to find a window: a visible top-level window of the process
// of the class, with the caption when one is given, other than except; null
// after the timeout.
HWND FindWindowOf(DWORD processId, const char* className, const char* caption, HWND except, int milliseconds);
// A dialog (class "#32770"): any, or one other than the one given (a common
// dialog or a message box over a sheet).
inline HWND FindDialog(DWORD pid, const char* caption = nullptr, int ms = 10000) {
  return FindWindowOf(pid, "#32770", caption, nullptr, ms);
}
inline HWND FindOtherDialog(DWORD pid, HWND except, int ms = 10000) {
  return FindWindowOf(pid, "#32770", nullptr, except, ms);
}
// The text of a window of another process, through the wide call (an edit
// box answers the narrow one with nothing), in Windows-1252.
std::string TextWide(HWND window);
// The text of a message box (shown by an A or a W call).
inline std::string MessageBoxText(HWND box) { return TextWide(GetDlgItem(box, 0xFFFF)); }
// The text of the process's message box with the caption once the button
// has closed it; "(no message)", or the text and "(not closed)".
std::string AnswerMessage(DWORD pid, const char* caption, int button);
// The entries of a list box of another process, in Windows-1252; the
// selected one ("" for none); selects the entry with the text.
std::vector<std::string> ListBoxTexts(HWND list);  // a combo box's entries too
std::string ListBoxSelection(HWND list);
bool SelectListEntry(HWND list, const std::string& text);
inline bool WaitGone(HWND w, int ms = 10000) {
  return WaitUntil([&] { return !IsWindow(w) || !IsWindowVisible(w); }, ms);
}

// User actions, posted: they return at once.
void ClickClient(HWND window, int x, int y);
inline void MenuCommand(HWND window, int id) { PostMessageA(window, WM_COMMAND, id, 0); }
// WM_CHAR per character; key down and up; a button's click.
inline void TypeText(HWND c, const char* text) {
  for (; *text; ++text) PostMessageA(c, WM_CHAR, static_cast<unsigned char>(*text), 1);
}
inline void PressKey(HWND c, UINT key) {
  PostMessageA(c, WM_KEYDOWN, key, 1);
  PostMessageA(c, WM_KEYUP, key, 0xC0000001);
}
inline void PressButton(HWND d, int id) {
  PostMessageA(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}
// Types the text over the whole text of an edit box (an empty text clears
// it); true once the box shows it.
bool TypeOver(HWND edit, const char* text);
// Presses a button of the dialog; true once the dialog has gone.
inline bool PressAndWaitGone(HWND dialog, int id) {
  PressButton(dialog, id);
  return WaitGone(dialog);
}

// The client area as 0x00RRGGBB pixels, row by row.
struct Capture {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;
  uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};
// Once it holds still. repaintAll paints the whole client area from the
// program's image first (what a closed dialog covered); without it the
// capture shows only what the program itself invalidated since.
Capture CaptureClient(HWND window, bool repaintAll = true);
// Saves a capture as build/screenshots/<name>.bmp; the capture.
Capture SaveScreenshot(const Capture& capture, const std::string& name);
// 0x00RRGGBB of a COLORREF (0x00BBGGRR).
inline uint32_t Rgb(ColorRef c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

// The GDI objects a running process holds. GetGuiResources answers 0 under
// Wine, so they are counted in the process's handle table (its PEB names
// it); -1 when it cannot be read.
int GdiObjectCount(HANDLE process);
