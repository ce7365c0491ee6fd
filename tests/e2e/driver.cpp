#include "driver.h"

#include "base/program_files.h"
#include "os/os.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

// A path from the environment, turned into a Windows path when it is a Unix one.
static std::string EnvironmentPath(const char* name) {
  const char* value = std::getenv(name);
  std::string path = value ? value : "";
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path)
    if (c == '/') c = '\\';
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path;
}

std::vector<unsigned char> ReadWholeFile(const std::string& path) {
  std::vector<unsigned char> bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    unsigned char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
  }
  return bytes;
}

void WriteWholeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

ProgramDir StageProgramDir(const std::string& name) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string root = std::string(temp) + "oristel_e2e\\";
  CreateDirectoryA(root.c_str(), nullptr);
  ProgramDir dir{root + name + "\\"};
  CreateDirectoryA(dir.Path.c_str(), nullptr);
  for (const std::string& file : ListFiles(dir.Path, "*")) DeleteFileA(dir.File(file.c_str()).c_str());
  // Everything installed beside the program: its files, the information
  // files and their images.
  std::string installed = EnvironmentPath("ORISTEL_PROGRAM_DIR");
  for (const std::string& file : ListFiles(installed, "*"))
    CopyFileA((installed + file).c_str(), dir.File(file.c_str()).c_str(), FALSE);
  return dir;
}

std::vector<std::string> ListFiles(const std::string& directory, const char* pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((directory + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string EnvironmentFile(const char* name) {
  std::string path = EnvironmentPath(name);
  if (!path.empty()) path.pop_back();  // a file, not a directory
  return path;
}

void InstallHtmlDouble(const ProgramDir& dir) {
  CopyFileA(EnvironmentFile("ORISTEL_HTML_DOUBLE").c_str(), dir.File("mshtml.dll").c_str(), FALSE);
}

static void FailOnMessage(const char* text, const char*, MessageIcon) {
  std::fprintf(stderr, "file failure in the test: %s\n", text);
  std::abort();
}

void UseProgramDir(const ProgramDir& dir) {
  OsSetExecutablePath(dir.File("Oristel.exe").c_str());
  OsSetMessageBoxHook(FailOnMessage);
}

CalendarSettings ReadSettingsRecord() {
  CalendarSettings settings{};
  char path[PathSize];
  ReadFileAt(BuildProgramPath(path, SettingsFileIndex), &settings, 0, sizeof settings);
  return settings;
}

void WriteSettingsRecord(const CalendarSettings& settings) {
  char path[PathSize];
  WriteFileAt(BuildProgramPath(path, SettingsFileIndex), &settings, 0, sizeof settings);
}

bool WaitUntil(const std::function<bool()>& condition, int milliseconds) {
  for (int waited = 0;; waited += 20) {
    if (condition()) return true;
    if (waited >= milliseconds) return false;
    Sleep(20);
  }
}

PROCESS_INFORMATION StartProcess(const ProgramDir& dir) {
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION process{};
  std::string exe = dir.File("Oristel.exe");
  std::string commandLine = "\"" + exe + "\"";
  CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.Path.c_str(), &startup,
                 &process);
  return process;
}

struct WindowSearch {
  DWORD ProcessId;
  const char* ClassName;
  const char* Caption;
  HWND Found;
};

static BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->ProcessId || !IsWindowVisible(window)) return TRUE;
  char name[64];
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, search->ClassName) != 0) return TRUE;
  if (search->Caption && WindowText(window) != search->Caption) return TRUE;
  search->Found = window;
  return FALSE;
}

static HWND FindProcessWindow(DWORD processId, const char* className, const char* caption, int milliseconds) {
  WindowSearch search{processId, className, caption, nullptr};
  WaitUntil(
      [&] {
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.Found != nullptr;
      },
      milliseconds);
  return search.Found;
}

Oristel StartOristel(const ProgramDir& dir) {
  Oristel program;
  program.Process = StartProcess(dir);
  if (program.Process.hProcess)
    program.Window = FindProcessWindow(program.Process.dwProcessId, "ORISTEL_2007", nullptr, 15000);
  return program;
}

DWORD WaitForExit(PROCESS_INFORMATION& process) {
  DWORD code = STILL_ACTIVE;
  if (!process.hProcess) return code;
  if (WaitForSingleObject(process.hProcess, 15000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
  else TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  process = {};
  return code;
}

DWORD CloseOristel(Oristel& program) {
  if (program.Window) PostMessageA(program.Window, WM_COMMAND, IDM_CLOSE, 0);
  program.Window = nullptr;
  return WaitForExit(program.Process);
}

HWND FindDialog(DWORD processId, const char* caption, int milliseconds) {
  return FindProcessWindow(processId, "#32770", caption, milliseconds);
}

namespace {
struct DialogSearch {
  DWORD ProcessId;
  HWND Except;
  HWND Found;
};
BOOL CALLBACK MatchOtherDialog(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<DialogSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  if (owner != search->ProcessId || window == search->Except || !IsWindowVisible(window) ||
      std::strcmp(name, "#32770") != 0)
    return TRUE;
  search->Found = window;
  return FALSE;
}
}  // namespace

HWND FindOtherDialog(DWORD processId, HWND except, int milliseconds) {
  DialogSearch search{processId, except, nullptr};
  WaitUntil(
      [&] {
        EnumWindows(MatchOtherDialog, reinterpret_cast<LPARAM>(&search));
        return search.Found != nullptr;
      },
      milliseconds);
  return search.Found;
}

std::string TextWide(HWND control) {
  WCHAR wide[1024] = L"";
  SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 5000, nullptr);
  char text[2048] = "";
  WideCharToMultiByte(1252, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return text;
}

bool TypeOver(HWND edit, const char* text) {
  SendMessageA(edit, EM_SETSEL, 0, -1);
  TypeText(edit, text);
  return WaitUntil([&] { return TextWide(edit) == text; });
}

std::string WindowText(HWND window) {
  char text[1024] = "";
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                      nullptr);
  return text;
}

std::string MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

std::vector<std::string> ListBoxTexts(HWND list) {
  std::vector<std::string> texts;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    WCHAR wide[512] = L"";
    if (SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) >= 512) continue;
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
    char text[1024] = "";
    WideCharToMultiByte(1252, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    texts.push_back(text);
  }
  return texts;
}

std::string ListBoxSelection(HWND list) {
  const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return "";
  return ListBoxTexts(list)[static_cast<size_t>(index)];
}

bool SelectListEntry(HWND list, const std::string& text) {
  const std::vector<std::string> texts = ListBoxTexts(list);
  for (size_t i = 0; i < texts.size(); ++i)
    if (texts[i] == text) return SendMessageW(list, LB_SETCURSEL, i, 0) != LB_ERR;
  return false;
}

std::string MessageBoxTextWide(HWND box) {
  WCHAR wide[1024] = L"";
  SendMessageTimeoutW(GetDlgItem(box, 0xFFFF), WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG,
                      5000, nullptr);
  char text[1024] = "";
  WideCharToMultiByte(1252, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return text;
}

bool WaitGone(HWND window, int milliseconds) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, milliseconds);
}

void ClickClient(HWND window, int x, int y) {
  LPARAM point = MAKELPARAM(x, y);
  PostMessageA(window, WM_MOUSEMOVE, 0, point);
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(window, WM_LBUTTONUP, 0, point);
}

void MoveMouse(HWND window, int x, int y) { SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

void ClickNow(HWND window, int x, int y) {
  LPARAM point = MAKELPARAM(x, y);
  SendMessageA(window, WM_MOUSEMOVE, 0, point);
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageA(window, WM_LBUTTONUP, 0, point);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW);
  SendMessageA(window, WM_NULL, 0, 0);
}

void MenuCommand(HWND window, int id) { PostMessageA(window, WM_COMMAND, id, 0); }

void TypeText(HWND control, const char* text) {
  for (const char* c = text; *c; ++c) PostMessageA(control, WM_CHAR, static_cast<unsigned char>(*c), 1);
}

void PressKey(HWND control, UINT key) {
  PostMessageA(control, WM_KEYDOWN, key, 1);
  PostMessageA(control, WM_KEYUP, key, 0xC0000001);
}

void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool TypeInto(HWND control, const std::string& text, size_t length) {
  TypeText(control, text.c_str());
  return WaitUntil([&] { return WindowText(control).size() == length; });
}

bool ReplaceText(HWND control, const std::string& text) {
  SendMessageA(control, EM_SETSEL, 0, -1);
  PostMessageA(control, WM_CHAR, VK_BACK, 1);
  TypeText(control, text.c_str());
  return WaitUntil([&] { return WindowText(control) == text; });
}

bool PressAndWaitGone(HWND dialog, int id) {
  PressButton(dialog, id);
  return WaitGone(dialog);
}

static Capture CaptureOnce(HWND window) {
  Capture capture;
  // Paint the whole client area from the month image first, so that no part
  // still waits for its repaint after a dialog went away.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  SendMessageA(window, WM_NULL, 0, 0);
  RECT client;
  GetClientRect(window, &client);
  capture.Width = client.right;
  capture.Height = client.bottom;
  if (capture.Width <= 0 || capture.Height <= 0) return capture;
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), capture.Width, -capture.Height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP image = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, image);
  BitBlt(memory, 0, 0, capture.Width, capture.Height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* pixels = static_cast<const uint32_t*>(bits);
  capture.Pixels.assign(pixels, pixels + static_cast<size_t>(capture.Width) * capture.Height);
  for (uint32_t& p : capture.Pixels) p &= 0x00FFFFFF;
  SelectObject(memory, previous);
  DeleteObject(image);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return capture;
}

Capture CaptureClient(HWND window) {
  // The screen may still show a window that has just gone away: take the
  // picture once it holds still.
  Capture previous = CaptureOnce(window);
  for (int i = 0; i < 40; ++i) {
    Sleep(50);
    Capture next = CaptureOnce(window);
    if (next.Pixels == previous.Pixels) return next;
    previous = std::move(next);
  }
  return previous;
}

void SaveScreenshot(const Capture& capture, const std::string& name) {
  std::string folder = EnvironmentPath("ORISTEL_SCREENSHOTS");
  if (folder.empty() || capture.Pixels.empty()) return;
  CreateDirectoryA(folder.c_str(), nullptr);
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER header = {sizeof header, capture.Width, -capture.Height, 1, 32, BI_RGB};
  uint32_t size = static_cast<uint32_t>(capture.Pixels.size() * 4);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + size;
  std::vector<unsigned char> bytes(file.bfSize);
  std::memcpy(bytes.data(), &file, sizeof file);
  std::memcpy(bytes.data() + sizeof file, &header, sizeof header);
  std::memcpy(bytes.data() + file.bfOffBits, capture.Pixels.data(), size);
  WriteWholeFile(folder + name + ".bmp", bytes);
}

// One entry of a process's GDI handle table; a free entry has type 0.
struct GdiHandleEntry {
  uint64_t Object;
  uint32_t Owner;
  uint16_t Unique;
  uint8_t Type, Flags;
  uint64_t UserPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr size_t kGdiHandleCount = 0x10000;
constexpr size_t kPebGdiTableOffset = 0xF8;  // PEB.GdiSharedHandleTable on x64

int GdiObjectCount(HANDLE process) {
  if (DWORD count = GetGuiResources(process, GR_GDIOBJECTS)) return static_cast<int>(count);
  using QueryProcess = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  static const auto query = reinterpret_cast<QueryProcess>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  struct {
    void* Reserved1;
    void* PebBaseAddress;
    void* Reserved2[4];
  } basic{};
  ULONG length = 0;
  if (!query || query(process, 0, &basic, sizeof basic, &length) != 0) return -1;
  void* table = nullptr;
  const auto* peb = static_cast<const char*>(basic.PebBaseAddress);
  if (!ReadProcessMemory(process, peb + kPebGdiTableOffset, &table, sizeof table, nullptr) || !table) return -1;
  std::vector<GdiHandleEntry> entries(kGdiHandleCount);
  if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof entries[0], nullptr)) return -1;
  int count = 0;
  for (const GdiHandleEntry& entry : entries) count += entry.Type != 0;
  return count;
}

struct WindowTally {
  DWORD ProcessId;
  int Count;
};
static BOOL CALLBACK CountChild(HWND, LPARAM parameter) {
  ++reinterpret_cast<WindowTally*>(parameter)->Count;
  return TRUE;
}
static BOOL CALLBACK CountTopLevel(HWND window, LPARAM parameter) {
  auto* tally = reinterpret_cast<WindowTally*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == tally->ProcessId) {
    ++tally->Count;
    EnumChildWindows(window, CountChild, parameter);
  }
  return TRUE;
}

int WindowCount(DWORD processId) {
  WindowTally tally{processId, 0};
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&tally));
  return tally.Count;
}
