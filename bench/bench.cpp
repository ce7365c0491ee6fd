// Speed of Oristel under Wine: start-up to the first paint against a bare
// window program, and the drawing passes of the month view.
//   oristel_bench <program-dir> <bare_window.exe>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/shell_win32.h"
#include "os/os.h"
#include "view/layout.h"
#include "view/render_win32.h"

static double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency.QuadPart;
}

struct FoundWindow {
  DWORD process;
  HWND window;
};
static BOOL CALLBACK FindVisible(HWND window, LPARAM parameter) {
  auto* found = reinterpret_cast<FoundWindow*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == found->process && IsWindowVisible(window)) {
    found->window = window;
    return FALSE;
  }
  return TRUE;
}

// Seconds from CreateProcess until the program waits for input after its
// first paint; the program is then closed.
static double StartUpTime(const std::string& exe, const std::string& folder, UINT closeMessage, WPARAM closeParam) {
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + exe + "\"";
  double start = Now();
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process))
    return -1;
  WaitForInputIdle(process.hProcess, 20000);
  double elapsed = Now() - start;
  FoundWindow found{process.dwProcessId, nullptr};
  for (int i = 0; i < 500 && !found.window; ++i) {
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&found));
    if (!found.window) Sleep(10);
  }
  if (found.window) PostMessageA(found.window, closeMessage, closeParam, 0);
  if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

static double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Microseconds per pass of a drawing function, over many repetitions.
template <typename Pass>
static double MicrosecondsPerPass(int repetitions, Pass pass) {
  double start = Now();
  for (int i = 0; i < repetitions; ++i) pass();
  return (Now() - start) * 1e6 / repetitions;
}

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: oristel_bench <program-dir> <bare_window.exe>\n");
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
  std::string oristel = folder + "Oristel.exe";

  // Start-up, alternating the two programs; the first start of each warms the caches.
  const int runs = 21;
  std::vector<double> bare, calendar;
  StartUpTime(argv[2], folder, WM_CLOSE, 0);
  StartUpTime(oristel, folder, WM_COMMAND, 118);
  for (int i = 0; i < runs; ++i) {
    bare.push_back(StartUpTime(argv[2], folder, WM_CLOSE, 0));
    calendar.push_back(StartUpTime(oristel, folder, WM_COMMAND, 118));
  }
  double bareMs = Median(bare) * 1e3, calendarMs = Median(calendar) * 1e3;
  double bareMin = *std::min_element(bare.begin(), bare.end()) * 1e3;
  double calendarMin = *std::min_element(calendar.begin(), calendar.end()) * 1e3;
  std::printf("start-up to first paint, %d runs each: bare window median %.1f ms (best %.1f), Oristel median %.1f ms "
              "(best %.1f); ratio of medians %.2f, of bests %.2f\n",
              runs, bareMs, bareMin, calendarMs, calendarMin, calendarMs / bareMs, calendarMin / bareMin);

  // Drawing passes on the installed settings, as a run saved them.
  OsSetExecutablePath(oristel.c_str());
  if (!LoadSettings()) return 1;
  g_instance = GetModuleHandleA(nullptr);
  if (g_settings->SavedTime.High == 0) {
    GetSystemMessageFont(AsLogFont(g_settings->CalendarFont));
    CellSize cell = MeasureCalendarCell(nullptr, AsLogFont(g_settings->CalendarFont));
    g_settings->CellWidth = cell.Width;
    g_settings->CellHeight = cell.Height;
  }
  for (int flag = 0; flag <= 1; ++flag) {
    g_settings->DrawFlag = flag;
    const Rect area = LayoutRectOf(*g_settings, LayoutWindow);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP image = CreateCompatibleBitmap(screen, area.right, area.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(memory, image);
    const int repetitions = 2000;
    double full = MicrosecondsPerPass(repetitions, [&] { DrawMonth(memory, *g_settings, 1); });
    double partial = MicrosecondsPerPass(repetitions, [&] { DrawMonth(memory, *g_settings, 0); });
    Rect cell;
    double day = MicrosecondsPerPass(repetitions, [&] { DrawSelectedDay(memory, *g_settings, &cell); });
    std::printf("drawing passes (%dx%d, flag strip %s, %d each): full %.1f us, partial %.1f us, one day %.1f us\n",
                area.right, area.bottom, flag ? "on" : "off", repetitions, full, partial, day);
    SelectObject(memory, previous);
    DeleteObject(image);
    DeleteDC(memory);
  }
  return 0;
}
