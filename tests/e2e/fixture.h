// The fixture of the end-to-end tests: a staged program directory, the
// settings of one first run (fonts and cell size as Oristel measured them
// in this Wine prefix) and the layout of the month window computed from them.
#pragma once
#include <gtest/gtest.h>

// What the tests use throughout.
#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <tuple>
#include <utility>

#include <windows.h>
#include <commctrl.h>

#include "base/clock.h"
#include "driver.h"
#include "view/layout.h"

// The options sheet's font page, and the size box of the system's font dialog.
constexpr int FontsTab = 1;
constexpr int FontSizeBox = 1138;

// The first run of the installed files in this prefix, once per test
// program: the settings it saved, its window's screen rectangle and its month
// (today's, as every start shows).
struct FirstRun {
  CalendarSettings Saved;
  RECT Window;
  Capture Month;
};
const FirstRun& Measured();
// yyyymmdd of a FILETIME of local time.
inline int DateOf(FileTime time) {
  const LocalTime t = FromFileTime(time);
  return t.Year * 10000 + t.Month * 100 + t.Day;
}

// A text an accessible object handed over, in Windows-1252 (and freed); the
// argument that names one of its children (CHILDID_SELF: itself).
inline std::string Narrow(BSTR text) {
  char bytes[512] = "";
  WideCharToMultiByte(1252, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
  SysFreeString(text);
  return bytes;
}
inline VARIANT Child(LONG id) {
  VARIANT v{};
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

class OristelTest : public ::testing::Test {
 protected:
  // Each suite runs at one fixed date (yyyymmdd), set by faketime around Wine.
  virtual int ExpectedDate() const = 0;
  void SetUp() override;
  void TearDown() override {  // also closes a dialog a failed test left open
    if (HWND box = FindDialog(app.Process.dwProcessId, nullptr, 0)) PostMessageA(box, WM_CLOSE, 0, 0);
    Close();
  }

  // Settings of a program that has run before, with today selected.
  CalendarSettings Settings() const {
    CalendarSettings s = Measured().Saved;
    s.SelectedDay = ExpectedDate() % 100;
    return s;
  }
  // Stages the settings and starts Oristel.
  void Start(const CalendarSettings& settings);
  void Start() { Start(Settings()); }
  DWORD Close() { return CloseOristel(app); }

  // Layout of the month window for the settings started with (today's month).
  Rect Element(int e) const {
    Rect r{};
    ComputeLayoutRect(e, started.CellWidth, started.CellHeight, started.DrawFlag, &r);
    return r;
  }
  Rect DayCell(int day) const {
    return DayCellRect(day, ExpectedDate() / 100 % 100, ExpectedDate() / 10000, started.CellWidth, started.CellHeight);
  }
  static POINT Center(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
  void Navigate(int element);  // a click on an arrow, handled and painted on return
  HWND OpenEditor(int day) {   // the notes editor opened by a click on the day
    ClickClient(app.Window, Center(DayCell(day)).x, Center(DayCell(day)).y);
    return FindDialog(app.Process.dwProcessId);
  }

  // Opens the options sheet from the menu on a tab; its page.
  HWND OpenSheet(int tab) {
    MenuCommand(app.Window, IDM_OPTIONS);
    sheet = FindDialog(app.Process.dwProcessId, "Oristel - Opciones");
    return sheet ? Tab(tab) : nullptr;
  }
  HWND Tab(int index) {
    SendMessageA(sheet, PSM_SETCURSEL, index, 0);
    return Page();
  }
  HWND Page() const { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
  // Presses OK, Cancel or Finish of the sheet or wizard; true once it is gone
  // and the calendar, refitted and redrawn after it, is idle.
  bool EndSheet(int button) {
    PostMessageA(sheet, PSM_PRESSBUTTON, button, 0);
    const bool gone = WaitGone(sheet);
    SendMessageTimeoutA(app.Window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, nullptr);
    return gone;
  }

  ProgramDir dir;
  Oristel app;
  HWND sheet = nullptr;
  CalendarSettings started{};
};

#define E2E_SUITE(Name, Year, Month, Day)                                          \
  class Name : public OristelTest {                                                \
   protected:                                                                      \
    int ExpectedDate() const override { return Year * 10000 + Month * 100 + Day; } \
  }
