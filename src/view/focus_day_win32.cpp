#include "view/focus_day_win32.h"

#include "base/clock.h"
#include "base/gdi_win32.h"
#include "base/settings.h"
#include "base/shell_win32.h"
#include "calendar/dates.h"
#include "view/hit_test.h"
#include "view/layout.h"
#include "view/navigation_win32.h"
#include "view/render_win32.h"

static int g_hasFocus = 0;
// Keyboard cues: hidden at start, whatever the system's setting, so that
// nothing changes for a mouse user; shown from the first key of the month
// window on, and as the system says with WM_UPDATEUISTATE.
static int g_cuesShown = 0;
// The day of the month shown whose cell carries the rectangle; 0 none.
static int g_markedDay = 0;

int FocusDay() {
  const int last = DaysInMonth(g_settings->ShownMonth, g_settings->ShownYear);
  const int day = g_settings->SelectedDay;
  return day < 1 ? 1 : day > last ? last : day;
}

int WindowHasFocus() { return g_hasFocus; }

// Puts the rectangle where it belongs now: on the focus day while the window
// has the focus and the cues are shown, nowhere otherwise. The cells it
// leaves and enters are drawn in one pass and invalidated alone.
static void RefreshMark(HWND window) {
  const int wanted = g_hasFocus && g_cuesShown ? FocusDay() : 0;
  if (wanted == g_markedDay) return;
  Rect left{}, entered{};
  {
    MemoryDC memory(WindowDC(window).get());
    ScopedSelect image(memory.get(), g_offscreen.get());
    DrawFocusMove(memory.get(), *g_settings, g_markedDay, wanted, &left, &entered);
  }
  if (g_markedDay) InvalidateRect(window, AsRect(&left), FALSE);
  if (wanted) InvalidateRect(window, AsRect(&entered), FALSE);
  g_markedDay = wanted;
}

// The first key shows the cues, as the system shows them in a dialog.
static void ShowCues(HWND window) {
  if (g_cuesShown) return;
  SendMessageA(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  g_cuesShown = 1;  // also where the system sends no WM_UPDATEUISTATE back
  RefreshMark(window);
}

void MoveFocusDay(HWND window, CalendarDay day) {
  CalendarSettings& s = *g_settings;
  if (SameDay(day, {FocusDay(), s.ShownMonth, s.ShownYear})) return;
  s.SelectedDay = day.Day;
  if (day.Month != s.ShownMonth || day.Year != s.ShownYear) {
    s.ShownMonth = day.Month;
    s.ShownYear = day.Year;
    s.Changed = 1;
    RenderMonth(window, 0);
    InvalidateRect(window, nullptr, FALSE);
    AfterMonthDrawn(window, 1);
  } else {
    RefreshMark(window);
  }
  NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, day.Day);
}

// The key's move of the focus day; -1 for a key that does not move it.
static int DayKeyOf(UINT key, int control) {
  static constexpr struct {
    UINT key;
    int plain, withControl;
  } kKeys[] = {
      // ordered by virtual key
      {VK_PRIOR, DayKeyPrevMonth, DayKeyPrevYear}, {VK_NEXT, DayKeyNextMonth, DayKeyNextYear},
      {VK_END, DayKeyLastDay, DayKeyLastDay},      {VK_HOME, DayKeyFirstDay, DayKeyToday},
      {VK_LEFT, DayKeyPrevDay, DayKeyPrevDay},     {VK_UP, DayKeyPrevWeek, DayKeyPrevWeek},
      {VK_RIGHT, DayKeyNextDay, DayKeyNextDay},    {VK_DOWN, DayKeyNextWeek, DayKeyNextWeek},
  };
  for (const auto& k : kKeys) {
    if (k.key > key) break;
    if (k.key == key) return control ? k.withControl : k.plain;
  }
  return -1;
}

int HandleMonthKey(HWND window, UINT key) {
  const int control = GetKeyState(VK_CONTROL) < 0;
  const int move = DayKeyOf(key, control);
  if (move >= 0) {
    ShowCues(window);
    const LocalTime now = FromFileTime(CurrentFileTime());
    MoveFocusDay(window, MoveByKey(move, {FocusDay(), g_settings->ShownMonth, g_settings->ShownYear},
                                   {now.Day, now.Month, now.Year}));
    return 1;
  }
  if (key == VK_RETURN || key == VK_SPACE || key == VK_F2) {
    ShowCues(window);
    HandleClick(window, key == VK_F2 ? HitTitle : FocusDay());
    return 1;
  }
  return 0;
}

void DoDefaultAction(HWND window, int code) {
  const int days = DaysInMonth(g_settings->ShownMonth, g_settings->ShownYear);
  if ((code >= 1 && code <= days) || code == HitPrevMonth || code == HitNextMonth || code == HitTitle)
    HandleClick(window, code);
}

void OnFocusChange(HWND window, int focus) {
  g_hasFocus = focus;
  RefreshMark(window);
  if (focus) NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, FocusDay());
}

void OnUiState(HWND window, WPARAM change) {
  if (!(HIWORD(change) & UISF_HIDEFOCUS)) return;
  if (LOWORD(change) == UIS_CLEAR) g_cuesShown = 1;
  if (LOWORD(change) == UIS_SET) g_cuesShown = 0;
  RefreshMark(window);
}

void AfterMonthDrawn(HWND window, int monthChanged) {
  g_markedDay = 0;
  RefreshMark(window);
  if (!monthChanged) return;
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, HitTitle);
  NotifyWinEvent(EVENT_OBJECT_REORDER, window, OBJID_CLIENT, CHILDID_SELF);
}

void AfterNoteWritten(HWND window, int day) {
  if (g_markedDay == day) g_markedDay = 0;  // the pass drew the cell without it
  RefreshMark(window);
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, day);
}
