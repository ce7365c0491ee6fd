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
#include "notes/notes_store.h"
#include "resources/resource.h"

// A program directory of its own: Oristel.exe beside its installed files.
struct ProgramDir {
  std::string Path;  // with a trailing backslash
  std::string File(const char* name) const { return Path + name; }
};
ProgramDir StageProgramDir(const std::string& name);
// The names of the files (not directories) of a directory that match the pattern.
std::vector<std::string> ListFiles(const std::string& directory, const char* pattern);
// The Windows path of a file named by an environment variable of the test run.
std::string EnvironmentFile(const char* name);
// Puts the stand-in HTML engine beside the program: its ShowHTMLDialog shows
// the address it is handed in a message box captioned "ShowHTMLDialog".
// Without it the program runs with no HTML engine at all.
void InstallHtmlDouble(const ProgramDir& dir);

// Points the program's own file functions (settings record, notes store)
// at the directory, so that the tests read and write its files as Oristel does.
void UseProgramDir(const ProgramDir& dir);
std::vector<unsigned char> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::vector<unsigned char>& bytes);
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
// A visible dialog (class "#32770") of the process: any, or one other than
// the one given (a common dialog or a message box over a sheet); null after
// the timeout.
HWND FindDialog(DWORD processId, const char* caption = nullptr, int milliseconds = 10000);
HWND FindOtherDialog(DWORD processId, HWND except, int milliseconds = 10000);
std::string WindowText(HWND window);
// The text of a control of another process, read through the wide call.
std::string TextWide(HWND control);
// The text of a message box (shown by an A or a W call).
std::string MessageBoxText(HWND box);
std::string MessageBoxTextWide(HWND box);
// The entries of a list box of another process, in Windows-1252; the
// selected one ("" for none); selects the entry with the text.
std::vector<std::string> ListBoxTexts(HWND list);
std::string ListBoxSelection(HWND list);
bool SelectListEntry(HWND list, const std::string& text);
// Waits until the window is gone.
bool WaitGone(HWND window, int milliseconds = 10000);

// User actions, posted: they return at once.
void ClickClient(HWND window, int x, int y);
void MenuCommand(HWND window, int id);
void TypeText(HWND control, const char* text);  // WM_CHAR per character
void PressKey(HWND control, UINT key);          // key down and up
void PressButton(HWND dialog, int id);
// Types the text over the whole text of an edit box (an empty text clears
// it); true once the box shows it.
bool TypeOver(HWND edit, const char* text);
// Presses a button of the dialog; true once the dialog has gone.
bool PressAndWaitGone(HWND dialog, int id);

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
inline uint32_t Rgb(ColorRef color) {
  return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

// The GDI objects a running process holds. GetGuiResources answers 0 under
// Wine, so they are counted in the process's handle table (its PEB names
// it); -1 when it cannot be read.
int GdiObjectCount(HANDLE process);
