#include "driver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "base/program_files.h"
#include "os/os.h"

// A path from the environment, turned into a Windows path when it is a Unix
// one; a directory's ends in a backslash.
static std::string EnvironmentPath(const char* name, bool directory = true) {
  std::string path = std::getenv(name) ? std::getenv(name) : "";
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return directory && !path.empty() && path.back() != '\\' ? path + '\\' : path;
}

std::string EnvironmentFile(const char* name) { return EnvironmentPath(name, false); }

std::vector<unsigned char> ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteWholeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<std::string> ListFiles(const std::string& directory, const char* pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((directory + pattern).c_str(), &found);
  for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  return names;
}

// An emptied folder of the temporary directory with everything installed
// beside the program: its files, the information files and their images.
ProgramDir StageProgramDir(const std::string& name) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  ProgramDir dir{std::string(temp) + "oristel_e2e\\" + name + "\\"};
  CreateDirectoryA((std::string(temp) + "oristel_e2e").c_str(), nullptr);
  CreateDirectoryA(dir.Path.c_str(), nullptr);
  for (const std::string& file : ListFiles(dir.Path, "*")) DeleteFileA(dir.File(file.c_str()).c_str());
  const std::string installed = EnvironmentPath("ORISTEL_PROGRAM_DIR");
  for (const std::string& file : ListFiles(installed, "*"))
    CopyFileA((installed + file).c_str(), dir.File(file.c_str()).c_str(), FALSE);
  return dir;
}

void InstallHtmlDouble(const ProgramDir& dir) {
  CopyFileA(EnvironmentFile("ORISTEL_HTML_DOUBLE").c_str(), dir.File("mshtml.dll").c_str(), FALSE);
}

void UseProgramDir(const ProgramDir& dir) {
  OsSetExecutablePath(dir.File("Oristel.exe").c_str());
  OsSetMessageBoxHook([](const char* text, const char*, MessageIcon) {
    std::fprintf(stderr, "file failure in the test: %s\n", text);
    std::abort();
  });
}

CalendarSettings ReadSettingsRecord() {
  CalendarSettings settings{};
  char path[PathSize];
  ReadFileAt(BuildProgramPath(path, SettingsFileIndex), &settings, 0, sizeof settings);
  return settings;
}

bool WaitUntil(const std::function<bool()>& condition, int milliseconds) {
  for (int waited = 0; !condition(); waited += 20) {
    if (waited >= milliseconds) return false;
    Sleep(20);
  }
  return true;
}

PROCESS_INFORMATION RunCommand(std::string commandLine) {
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  return started ? process : PROCESS_INFORMATION{};
}

// The one way to find a window: a visible top-level window of the process
// of the class, with the caption when one is given, other than except.
static HWND FindProcessWindow(DWORD processId, const char* className, const char* caption, HWND except, int milliseconds) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND window = nullptr; !found && (window = FindWindowExA(nullptr, window, className, nullptr));) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == processId && window != except && IsWindowVisible(window) && (!caption || WindowText(window) == caption))
        found = window;
    }
    return found != nullptr;
  }, milliseconds);
  return found;
}

Oristel StartOristel(const ProgramDir& dir) {
  Oristel program{RunCommand("\"" + dir.File("Oristel.exe") + "\"")};
  if (program.Process.hProcess)
    program.Window = FindProcessWindow(program.Process.dwProcessId, "ORISTEL_2007", nullptr, nullptr, 15000);
  return program;
}

DWORD WaitForExit(PROCESS_INFORMATION& process, int milliseconds) {
  DWORD code = STILL_ACTIVE;
  if (!process.hProcess) return code;
  if (WaitForSingleObject(process.hProcess, milliseconds) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
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
  return FindProcessWindow(processId, "#32770", caption, nullptr, milliseconds);
}

HWND FindOtherDialog(DWORD processId, HWND except, int milliseconds) {
  return FindProcessWindow(processId, "#32770", nullptr, except, milliseconds);
}

std::string WindowText(HWND window) {
  char text[1024] = "";
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

// Windows-1252 of a wide text.
static std::string Narrow(const WCHAR* wide) {
  char text[2048] = "";
  WideCharToMultiByte(1252, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return text;
}

std::string TextWide(HWND control) {
  WCHAR wide[1024] = L"";
  SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 5000, nullptr);
  return Narrow(wide);
}

std::string MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }
std::string MessageBoxTextWide(HWND box) { return TextWide(GetDlgItem(box, 0xFFFF)); }

std::vector<std::string> ListBoxTexts(HWND list) {
  std::vector<std::string> texts;
  for (LRESULT i = 0, count = SendMessageW(list, LB_GETCOUNT, 0, 0); i < count; ++i) {
    WCHAR wide[512] = L"";
    if (SendMessageW(list, LB_GETTEXTLEN, i, 0) >= 512) continue;
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
    texts.push_back(Narrow(wide));
  }
  return texts;
}

std::string ListBoxSelection(HWND list) {
  const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? "" : ListBoxTexts(list)[static_cast<size_t>(index)];
}

bool SelectListEntry(HWND list, const std::string& text) {
  const std::vector<std::string> texts = ListBoxTexts(list);
  for (size_t i = 0; i < texts.size(); ++i)
    if (texts[i] == text) return SendMessageW(list, LB_SETCURSEL, i, 0) != LB_ERR;
  return false;
}

bool WaitGone(HWND window, int milliseconds) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, milliseconds);
}

void ClickClient(HWND window, int x, int y) {
  for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP})
    PostMessageA(window, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
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

bool TypeOver(HWND edit, const char* text) {
  SendMessageA(edit, EM_SETSEL, 0, -1);
  if (!*text) PostMessageA(edit, WM_CHAR, VK_BACK, 1);
  TypeText(edit, text);
  return WaitUntil([&] { return TextWide(edit) == text; });
}

bool PressAndWaitGone(HWND dialog, int id) {
  PressButton(dialog, id);
  return WaitGone(dialog);
}

static Capture CaptureOnce(HWND window, bool repaintAll) {
  RedrawWindow(window, nullptr, nullptr, (repaintAll ? RDW_INVALIDATE : 0) | RDW_UPDATENOW | RDW_ALLCHILDREN);
  SendMessageA(window, WM_NULL, 0, 0);
  RECT client{};
  GetClientRect(window, &client);
  Capture capture{client.right, client.bottom};
  if (capture.Width <= 0 || capture.Height <= 0) return capture;
  BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), capture.Width, -capture.Height, 1, 32, BI_RGB}};
  void* bits = nullptr;
  HDC screen = GetDC(window), memory = CreateCompatibleDC(screen);
  HBITMAP image = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, image);
  BitBlt(memory, 0, 0, capture.Width, capture.Height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  capture.Pixels.assign(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + client.right * client.bottom);
  for (uint32_t& p : capture.Pixels) p &= 0x00FFFFFF;
  SelectObject(memory, previous);
  DeleteObject(image);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return capture;
}

Capture CaptureClient(HWND window, bool repaintAll) {
  // The screen may still show a window that has just gone away.
  Capture previous = CaptureOnce(window, repaintAll);
  for (int i = 0; i < 40; ++i) {
    Sleep(50);
    Capture next = CaptureOnce(window, repaintAll);
    if (next.Pixels == previous.Pixels) return next;
    previous = std::move(next);
  }
  return previous;
}

Capture SaveScreenshot(const Capture& capture, const std::string& name) {
  const std::string folder = EnvironmentPath("ORISTEL_SCREENSHOTS");
  if (folder.empty() || capture.Pixels.empty()) return capture;
  CreateDirectoryA(folder.c_str(), nullptr);
  const BITMAPINFOHEADER header = {sizeof header, capture.Width, -capture.Height, 1, 32, BI_RGB};
  const uint32_t size = static_cast<uint32_t>(capture.Pixels.size() * 4), offset = 14 + sizeof header;
  const BITMAPFILEHEADER file = {0x4D42, offset + size, 0, 0, offset};
  std::vector<unsigned char> bytes(offset + size);
  std::memcpy(bytes.data(), &file, 14);
  std::memcpy(bytes.data() + 14, &header, sizeof header);
  std::memcpy(bytes.data() + offset, capture.Pixels.data(), size);
  WriteWholeFile(folder + name + ".bmp", bytes);
  return capture;
}

// The process's GDI handle table (its PEB names it): 0x10000 entries of 24
// bytes, a used one with its type in byte 14.
constexpr size_t kGdiHandleCount = 0x10000, kGdiEntrySize = 24, kGdiTypeOffset = 14;
constexpr size_t kPebGdiTableOffset = 0xF8;  // PEB.GdiSharedHandleTable on x64

int GdiObjectCount(HANDLE process) {
  if (DWORD count = GetGuiResources(process, GR_GDIOBJECTS)) return static_cast<int>(count);
  using QueryProcess = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  static const auto query = reinterpret_cast<QueryProcess>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  void* basic[6] = {};  // PROCESS_BASIC_INFORMATION: the PEB's address second
  void* table = nullptr;
  std::vector<unsigned char> entries(kGdiHandleCount * kGdiEntrySize);
  if (!query || query(process, 0, basic, sizeof basic, nullptr) != 0 ||
      !ReadProcessMemory(process, static_cast<char*>(basic[1]) + kPebGdiTableOffset, &table, sizeof table, nullptr) ||
      !table || !ReadProcessMemory(process, table, entries.data(), entries.size(), nullptr))
    return -1;
  int count = 0;
  for (size_t i = 0; i < kGdiHandleCount; ++i) count += entries[i * kGdiEntrySize + kGdiTypeOffset] != 0;
  return count;
}
