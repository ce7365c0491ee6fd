#include "driver.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <utility>

#include "base/program_files.h"
#include "os/os.h"

std::string EnvironmentPath(const char* name, bool directory) {
  std::string path = std::getenv(name) ? std::getenv(name) : "";
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return directory && !path.empty() && path.back() != '\\' ? path + '\\' : path;
}

std::string SetClassDefault(const char* key, const std::string& value) {
  char old[256] = "";
  LONG size = sizeof old;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, key, old, &size) != ERROR_SUCCESS) old[0] = 0;
  RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
  return old;
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
  const BOOL ran =
      CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  return ran ? process : PROCESS_INFORMATION{};
}

HWND FindWindowOf(DWORD processId, const char* className, const char* caption, HWND except, int milliseconds) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window = nullptr; !found && (window = FindWindowExA(nullptr, window, className, nullptr));) {
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          if (owner == processId && window != except && IsWindowVisible(window) &&
              (!caption || TextWide(window) == caption))
            found = window;
        }
        return found != nullptr;
      },
      milliseconds);
  return found;
}

Oristel StartOristel(const ProgramDir& dir) {
  Oristel program{RunCommand("\"" + dir.File("Oristel.exe") + "\"")};
  if (program.Process.hProcess)
    program.Window = FindWindowOf(program.Process.dwProcessId, "ORISTEL_2007", nullptr, nullptr, 15000);
  return program;
}

DWORD WaitForExit(PROCESS_INFORMATION& process, int milliseconds) {
  DWORD code = STILL_ACTIVE;
  if (process.hProcess && WaitForSingleObject(process.hProcess, milliseconds) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  else if (process.hProcess)
    TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  process = {};
  return code;
}

DWORD CloseOristel(Oristel& program) {
  if (program.Window) PostMessageA(std::exchange(program.Window, nullptr), WM_COMMAND, IDM_CLOSE, 0);
  return WaitForExit(program.Process);
}

std::string TextWide(HWND control) {
  WCHAR wide[1024] = L"";
  char text[2048] = "";
  SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 5000, nullptr);
  WideCharToMultiByte(1252, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return text;
}

std::string AnswerMessage(DWORD pid, const char* caption, int button) {
  HWND box = FindDialog(pid, caption);
  if (!box) return "(no message)";
  const std::string text = MessageBoxText(box);
  return PressAndWaitGone(box, button) ? text : text + " (not closed)";
}

std::vector<std::string> ListBoxTexts(HWND list) {
  char kind[16] = "";
  GetClassNameA(list, kind, sizeof kind);
  const bool combo = std::string(kind) == "ComboBox";
  std::vector<std::string> texts;
  for (LRESULT i = 0, count = SendMessageW(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0); i < count; ++i) {
    WCHAR wide[512] = L"";
    char text[1024] = "";
    if (SendMessageW(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0) >= 512) continue;
    SendMessageW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
    WideCharToMultiByte(1252, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    texts.push_back(text);
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

void ClickClient(HWND window, int x, int y) {
  for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP})
    PostMessageA(window, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
}

bool TypeOver(HWND edit, const char* text) {
  SendMessageA(edit, EM_SETSEL, 0, -1);
  if (!*text) PostMessageA(edit, WM_CHAR, VK_BACK, 1);
  TypeText(edit, text);
  return WaitUntil([&] { return TextWide(edit) == text; });
}

static Capture CaptureOnce(HWND window, bool repaintAll) {
  RedrawWindow(window, nullptr, nullptr, (repaintAll ? RDW_INVALIDATE : 0) | RDW_UPDATENOW | RDW_ALLCHILDREN);
  SendMessageA(window, WM_NULL, 0, 0);
  RECT client{};
  GetClientRect(window, &client);
  Capture capture{client.right, client.bottom, std::vector<uint32_t>(client.right * client.bottom)};
  BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), capture.Width, -capture.Height, 1, 32, BI_RGB}};
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP image = CreateCompatibleBitmap(screen, capture.Width, capture.Height);
  HGDIOBJ previous = SelectObject(memory, image);
  BitBlt(memory, 0, 0, capture.Width, capture.Height, screen, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  if (!capture.Pixels.empty())
    GetDIBits(memory, image, 0, capture.Height, capture.Pixels.data(), &info, DIB_RGB_COLORS);
  for (uint32_t& p : capture.Pixels) p &= 0x00FFFFFF;
  DeleteObject(image);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return capture;
}

// Until two captures 50 ms apart agree: the screen may still show a window
// that has just gone away.
Capture CaptureClient(HWND window, bool repaintAll) {
  Capture previous, next = CaptureOnce(window, repaintAll);
  for (int i = 0; i < 40 && (i == 0 || next.Pixels != previous.Pixels); ++i) {
    Sleep(50);
    previous = std::exchange(next, CaptureOnce(window, repaintAll));
  }
  return next;
}

Capture SaveScreenshot(const Capture& capture, const std::string& name) {
  const std::string folder = EnvironmentPath("ORISTEL_SCREENSHOTS");
  if (folder.empty() || capture.Pixels.empty()) return capture;
  CreateDirectoryA(folder.c_str(), nullptr);
  const BITMAPINFOHEADER header = {sizeof header, capture.Width, -capture.Height, 1, 32, BI_RGB};
  const DWORD size = static_cast<DWORD>(capture.Pixels.size() * 4);
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
  const BITMAPFILEHEADER file = {0x4D42, offset + size, 0, 0, offset};
  std::ofstream(folder + name + ".bmp", std::ios::binary)
      .write(reinterpret_cast<const char*>(&file), sizeof file)
      .write(reinterpret_cast<const char*>(&header), sizeof header)
      .write(reinterpret_cast<const char*>(capture.Pixels.data()), size);
  return capture;
}

// The process's GDI handle table (its PEB names it): 0x10000 entries of 24
// bytes, a used one with its type in byte 14.
// PEB.GdiSharedHandleTable is at 0xF8 on x64.
constexpr size_t kGdiHandleCount = 0x10000, kGdiEntrySize = 24, kGdiTypeOffset = 14, kPebGdiTableOffset = 0xF8;

int GdiObjectCount(HANDLE process) {
  if (DWORD count = GetGuiResources(process, GR_GDIOBJECTS)) return static_cast<int>(count);
  using QueryProcess = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  static const auto query = reinterpret_cast<QueryProcess>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  void* basic[6] = {};  // PROCESS_BASIC_INFORMATION: the PEB's address second
  void* table = nullptr;
  Bytes entries(kGdiHandleCount * kGdiEntrySize);
  if (!query || query(process, 0, basic, sizeof basic, nullptr) != 0 ||
      !ReadProcessMemory(process, static_cast<char*>(basic[1]) + kPebGdiTableOffset, &table, sizeof table, nullptr) ||
      !table || !ReadProcessMemory(process, table, entries.data(), entries.size(), nullptr))
    return -1;
  int count = 0;
  for (size_t i = 0; i < kGdiHandleCount; ++i) count += entries[i * kGdiEntrySize + kGdiTypeOffset] != 0;
  return count;
}
