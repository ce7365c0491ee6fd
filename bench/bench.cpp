// Speed and holdings of Oristel under Wine: start-up to the first paint, the
// peak working set and the GDI objects and windows after start-up and after
// 100 redraws, each against a bare window program; the drawing passes of the
// month view and the fixed cost inside each pass; the imports and exports.
//   oristel_bench <program-dir> <bare_window.exe>
#include <windows.h>
#include <psapi.h>

#include <lzo/lzo1x.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/program_files.h"
#include "base/settings.h"
#include "base/shell_win32.h"
#include "calendar/dates.h"
#include "e2e/driver.h"
#include "exchange/html_export.h"
#include "exchange/ical_exchange.h"
#include "exchange/text_import.h"
#include "infofiles/info_pages.h"
#include "notes/notes_store.h"
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

// The process's top-level windows and their children.
static int WindowCount(DWORD processId) {
  int count = 0;
  for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, nullptr, nullptr));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != processId) continue;
    ++count;
    EnumChildWindows(
        window, [](HWND, LPARAM tally) { return ++*reinterpret_cast<int*>(tally), TRUE; },
        reinterpret_cast<LPARAM>(&count));
  }
  return count;
}

// What a program holds: its peak working set, GDI objects and windows.
struct Holdings {
  double PeakMiB;
  int Gdi, Windows;
};
static Holdings HoldingsOf(const PROCESS_INFORMATION& process) {
  PROCESS_MEMORY_COUNTERS memory = {sizeof memory};
  GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
  return {memory.PeakWorkingSetSize / 1048576.0, GdiObjectCount(process.hProcess), WindowCount(process.dwProcessId)};
}

// Starts the program, reads its holdings after start-up, lets redraw act on
// its window 100 times, reads them again and closes it.
template <typename Redraw>
static void ReportHoldings(const char* name, const std::string& exe, const std::string& folder, UINT closeMessage,
                           WPARAM closeParam, Redraw redraw) {
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + exe + "\"";
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process))
    return;
  WaitForInputIdle(process.hProcess, 20000);
  FoundWindow found{process.dwProcessId, nullptr};
  for (int i = 0; i < 500 && !found.window; ++i) {
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&found));
    if (!found.window) Sleep(10);
  }
  if (found.window) {
    SendMessageA(found.window, WM_NULL, 0, 0);
    const Holdings started = HoldingsOf(process);
    for (int i = 0; i < 100; ++i) redraw(found.window, i);
    SendMessageA(found.window, WM_NULL, 0, 0);
    const Holdings after = HoldingsOf(process);
    std::printf(
        "%-12s peak working set %.1f MiB after start-up, %.1f MiB after 100 redraws; "
        "GDI objects %d then %d; windows %d then %d\n",
        name, started.PeakMiB, after.PeakMiB, started.Gdi, after.Gdi, started.Windows, after.Windows);
    PostMessageA(found.window, closeMessage, closeParam, 0);
  }
  if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
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

// The today page from the chosen files against the floor of its work: the
// raw unpacking of those files, read from memory.
static void ReportTodayPage(const std::string& folder) {
  std::vector<InfoFileHeader> chosen;
  if (ReadTodaySelection(&chosen) <= 0) {
    std::printf("today page: no information file chosen\n");
    return;
  }
  std::vector<std::vector<unsigned char>> packed;
  for (const InfoFileHeader& h : chosen) {
    std::vector<unsigned char> bytes(h.PackedSize);
    const std::string path = folder + h.FileName;
    if (!ReadFileAt(path.c_str(), bytes.data(), PackedTextOffset, h.PackedSize)) return;
    std::printf("  %-30s packed %7u bytes, unpacked %7u bytes\n", h.FileName, h.PackedSize, h.TextSize);
    packed.push_back(std::move(bytes));
  }
  std::vector<unsigned char> out(UnpackBufferSize);
  CalendarSettings day = *g_settings;
  day.SelectedDay = 3;
  day.ShownMonth = 3;
  day.ShownYear = 2007;
  const int repetitions = 200;
  const double page = MicrosecondsPerPass(repetitions, [&] { BuildTodayPage(day); });
  const double floor = MicrosecondsPerPass(repetitions, [&] {
    for (const auto& bytes : packed) {
      lzo_uint length = out.size();
      lzo1x_decompress_safe(bytes.data(), bytes.size(), out.data(), &length, nullptr);
    }
  });
  // The floor with the files' own reads (the selection from the settings
  // file, then each file opened, read whole and closed) and the page's own
  // write (a file of its size created and written).
  const std::string settingsPath = folder + ProgramFileName(SettingsFileIndex);
  const std::string pagePath = folder + ProgramFileName(TempPageFileIndex);
  const FileHandle built = OsOpenExisting(pagePath.c_str(), FileRead);
  const uint32_t pageSize = OsFileSize(built);
  OsClose(built);
  const std::string floorPath = folder + "bench_floor.htm";
  std::vector<unsigned char> whole(PackedTextOffset + UnpackBufferSize);
  const double readFloor = MicrosecondsPerPass(repetitions, [&] {
    const FileHandle settings = OsOpenExisting(settingsPath.c_str(), FileRead);
    OsRead(settings, whole.data(), static_cast<uint32_t>(whole.size()));
    OsClose(settings);
    const FileHandle target = OsCreateAlways(floorPath.c_str());
    OsWrite(target, whole.data(), std::min<uint32_t>(pageSize, static_cast<uint32_t>(whole.size())));
    OsClose(target);
    for (const InfoFileHeader& h : chosen) {
      const std::string path = folder + h.FileName;
      const FileHandle file = OsOpenExisting(path.c_str(), FileRead);
      const int64_t n = OsRead(file, whole.data(), static_cast<uint32_t>(whole.size()));
      OsClose(file);
      lzo_uint length = out.size();
      if (n > PackedTextOffset)
        lzo1x_decompress_safe(whole.data() + PackedTextOffset, static_cast<lzo_uint>(n - PackedTextOffset), out.data(),
                              &length, nullptr);
    }
  });
  std::printf(
      "today page of %zu files, %d each: %.1f us against %.1f us of raw unpacking (ratio %.2f) and "
      "%.1f us of reading the selection and the files, unpacking them and writing %u bytes (ratio %.2f)\n",
      chosen.size(), repetitions, page, floor, page / floor, readFloor, pageSize, page / readFloor);
}

// The import of the largest text file accepted, as many lines as fit,
// against the floor of its file operations: one read and one write of the
// whole notes file. Then the exports of a year with a note on every day,
// each format against one read of the notes file and one write of a file of
// the export's size; and the import of an
// iCalendar file of 10,000 events (500 of them yearly) against libical's
// parse of the same text alone.
static void ReportExchange(const std::string& folder) {
  std::string text = "\"Fecha\";\"Notas\"\r\n";
  int lineCount = 0;
  for (int i = 0;; ++i, ++lineCount) {
    const int month = 1 + (i / 28) % 12, day = 1 + i % 28;
    char line[64];
    const int n = std::snprintf(line, sizeof line, "%i/%i/2007;\"nota %i\"\r\n", day, month, i % 10);
    if (text.size() + static_cast<size_t>(n) > MaxImportFileSize) break;
    text += line;
  }
  const std::string path = folder + "bench_import.txt";
  const std::string notes = folder + ProgramFileName(NotesFileIndex);
  std::vector<char> empty(NotesFileSize, 0), whole(NotesFileSize);
  auto emptyNotes = [&] { WriteFileAt(notes.c_str(), empty.data(), 0, NotesFileSize); };
  CreateEmptyFile(path.c_str());
  AppendToFile(path.c_str(), text.data(), static_cast<uint32_t>(text.size()));
  const int repetitions = 20;
  const double readWrite = MicrosecondsPerPass(repetitions, [&] {
    ReadFileAt(notes.c_str(), whole.data(), 0, NotesFileSize);
    WriteFileAt(notes.c_str(), whole.data(), 0, NotesFileSize);
  });
  // The same write as the imports make it: into a file beside, which then
  // replaces the notes file.
  const std::string beside = notes + ".bench";
  const double replaced = MicrosecondsPerPass(repetitions, [&] {
    ReadFileAt(notes.c_str(), whole.data(), 0, NotesFileSize);
    const FileHandle file = OsCreateAlways(beside.c_str());
    OsWrite(file, whole.data(), NotesFileSize);
    OsClose(file);
    OsReplaceFile(beside.c_str(), notes.c_str());
  });
  for (int add = 0; add <= 1; ++add) {
    int errors = 0;
    emptyNotes();
    const double import = MicrosecondsPerPass(repetitions, [&] { ImportTextFile(path.c_str(), add, &errors); });
    std::printf(
        "text import of %zu bytes, %d lines (%s): %.2f ms against %.2f ms of one read and one write of the "
        "notes file (ratio %.2f), %.2f ms with the write beside and the replace (ratio %.2f)\n",
        text.size(), lineCount, add ? "adding" : "replacing", import / 1e3, readWrite / 1e3, import / readWrite,
        replaced / 1e3, import / replaced);
  }
  // A note of 255 characters on every day of the leap year.
  for (int month = 1; month <= 12; ++month)
    for (int day = 1; day <= DaysInMonth(month, 2008); ++day) {
      NoteRecord record{CurrentFileTime(), {}};
      std::snprintf(record.Text, sizeof record.Text, "%02i/%02i %.249s", day, month, std::string(249, 'n').c_str());
      WriteNote(day, month, &record, 1);
    }
  // Each export against its floor: one read of the notes file and one
  // write of a new file of the export's size; the two timed in turns, the
  // medians compared, so that a busy machine weighs on both alike.
  WizardChoices choices{};
  for (int32_t& m : choices.MonthSelected) m = 1;
  choices.IncludeUpdateDate = 1;
  const struct {
    int Action;
    const char* Name;
  } exports[] = {
      {ActionWebPage, "htm"}, {ActionTextExport, "txt"}, {ActionCsvExport, "csv"}, {ActionIcalExport, "ics"}};
  for (const auto& e : exports) {
    choices.Action = e.Action;
    const std::string out = folder + "bench_export." + e.Name, floorPath = out + ".floor";
    IcalExportResult written{};
    auto exportOnce = [&] {
      if (e.Action == ActionIcalExport)
        WriteIcalExport(out.c_str(), choices, 2008, &written);
      else
        ExportNotes(out.c_str(), choices, 2008, 0);
    };
    exportOnce();
    const std::vector<char> bytes(GetFileSizeByName(out.c_str()), 'x');
    auto floorOnce = [&] {
      ReadFileAt(notes.c_str(), whole.data(), 0, NotesFileSize);
      const FileHandle file = CreateNewFile(floorPath.c_str());
      AppendToHandle(file, floorPath.c_str(), bytes.data(), static_cast<uint32_t>(bytes.size()));
      OsClose(file);
    };
    std::vector<double> exportTimes, floorTimes;
    for (int i = 0; i < 31; ++i) {
      exportTimes.push_back(MicrosecondsPerPass(1, exportOnce));
      floorTimes.push_back(MicrosecondsPerPass(1, floorOnce));
    }
    const double us = Median(exportTimes), floor = Median(floorTimes);
    std::printf(
        "export of a year with every day noted, %s: %.2f ms, %zu bytes, against %.2f ms of one read of the notes "
        "file and one write of its size (ratio of medians %.2f, goal 1.5)\n",
        e.Name, us / 1e3, bytes.size(), floor / 1e3, us / floor);
  }

  // 9,500 single events over the days of 2008 and 500 yearly ones from 2000.
  std::string calendar = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Oristel//bench//ES\r\n";
  for (int i = 0; i < 10000; ++i) {
    const bool yearly = i % 20 == 0;
    char event[256];
    std::snprintf(
        event, sizeof event,
        "BEGIN:VEVENT\r\nUID:bench-%i@oristel\r\nDTSTAMP:20080101T000000Z\r\nDTSTART;VALUE=DATE:%i%02i%02i\r\n"
        "%sSUMMARY:Cita %i\r\nEND:VEVENT\r\n",
        i, yearly ? 2000 : 2008, 1 + i % 12, 1 + (i / 12) % 28, yearly ? "RRULE:FREQ=YEARLY\r\n" : "", i);
    calendar += event;
  }
  calendar += "END:VCALENDAR\r\n";
  const std::string icsIn = folder + "bench_import.ics";
  CreateEmptyFile(icsIn.c_str());
  AppendToFile(icsIn.c_str(), calendar.data(), static_cast<uint32_t>(calendar.size()));
  IcalImportResult stored{};
  emptyNotes();  // replacing: every pass stores the same notes
  const double icalImport = MicrosecondsPerPass(3, [&] { ImportIcalFile(icsIn.c_str(), 2008, 0, &stored); });
  const double parse = MicrosecondsPerPass(3, [&] { ParseIcalOnly(calendar.c_str()); });
  std::printf(
      "iCalendar import of %zu bytes, 10000 events (500 yearly): %.1f ms, %d notes stored, against %.1f ms "
      "of libical's parse alone (ratio %.2f)\n",
      calendar.size(), icalImport / 1e3, stored.NotesStored, parse / 1e3, icalImport / parse);
  emptyNotes();
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
  std::printf(
      "start-up to first paint, %d runs each: bare window median %.1f ms (best %.1f), Oristel median %.1f ms "
      "(best %.1f); ratio of medians %.2f, of bests %.2f\n",
      runs, bareMs, bareMin, calendarMs, calendarMin, calendarMs / bareMs, calendarMin / bareMin);

  // Drawing passes on the installed settings, as a run saved them.
  OsSetExecutablePath(oristel.c_str());
  if (!LoadSettings()) return 1;

  // Holdings: the bare window repainted, Oristel's month turned (a full
  // drawing pass and a paint each), 50 months on and 50 back.
  ReportHoldings("bare window", argv[2], folder, WM_CLOSE, 0, [](HWND window, int) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  });
  ReportHoldings("Oristel", oristel, folder, WM_COMMAND, 118, [](HWND window, int i) {
    const Rect arrow = LayoutRectOf(*g_settings, i < 50 ? LayoutNextArrow : LayoutPrevArrow);
    const LPARAM point = MAKELPARAM((arrow.left + arrow.right) / 2, (arrow.top + arrow.bottom) / 2);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(window, WM_LBUTTONUP, 0, point);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW);
  });
  g_instance = GetModuleHandleA(nullptr);
  if (g_settings->SavedTime.High == 0) {
    GetSystemMessageFont(AsLogFont(g_settings->CalendarFont));
    CellSize cell = MeasureCalendarCell(nullptr, AsLogFont(g_settings->CalendarFont));
    g_settings->CellWidth = cell.Width;
    g_settings->CellHeight = cell.Height;
  }
  ReportTodayPage(folder);
  ReportExchange(folder);
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
    // A key's move of the focus day within the month: the cell it leaves
    // drawn plain, the cell it enters drawn with the focus rectangle.
    const int from = g_settings->SelectedDay, to = from > 1 ? from - 1 : from + 1;
    Rect entered;
    const double move =
        MicrosecondsPerPass(repetitions, [&] { DrawFocusMove(memory, *g_settings, from, to, &cell, &entered); });
    std::printf(
        "focus move within the month: %.1f us, against the one-day pass of today %.2fx, against a full pass %.2fx\n",
        move, move / day, move / full);
    if (flag) continue;
    // The fixed cost every pass pays before it draws: the calendar font
    // created and selected, and the notes file opened for the flags.
    double font = MicrosecondsPerPass(repetitions, [&] {
      GdiObject<HFONT> f(CreateFontIndirectA(AsLogFont(g_settings->CalendarFont)));
      ScopedSelect select(memory, f.get());
    });
    int32_t note = 0, flags[31];
    double noteFlag = MicrosecondsPerPass(repetitions, [&] { ReadNoteFlag(g_settings->SelectedDay, 3, &note); });
    double monthFlags = MicrosecondsPerPass(repetitions, [&] { ReadMonthFlags(3, flags); });
    double text = MicrosecondsPerPass(repetitions, [&] { TextOutA(memory, 10, 10, "31", 2); });
    std::printf(
        "inside a pass: font created and selected %.1f us, note flag read %.1f us, month flags read %.1f us, "
        "one day number drawn %.1f us\n",
        font, noteFlag, monthFlags, text);
    SelectObject(memory, previous);
    DeleteObject(image);
    DeleteDC(memory);
  }
  return 0;
}
