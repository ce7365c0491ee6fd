#include "view/navigation_win32.h"

#include "base/settings.h"
#include "notes/notes_editor_win32.h"
#include "view/focus_day_win32.h"
#include "view/hit_test.h"
#include "view/render_win32.h"
#include "view/year_dialog_win32.h"

// One month back or forward, across year ends.
static void StepMonth(int delta) {
  int month = g_settings->ShownMonth + delta;
  if (month < 1) month = 12, --g_settings->ShownYear;
  if (month > 12) month = 1, ++g_settings->ShownYear;
  g_settings->ShownMonth = month;
  g_settings->Changed = 1;
}

void HandleClick(HWND window, int code) {
  if (code >= 1 && code <= 31) {
    g_settings->SelectedDay = code;
    g_settings->Changed = 0;
    OpenNotesEditor(window);
  } else if (code == HitPrevMonth) {
    StepMonth(-1);
  } else if (code == HitNextMonth) {
    StepMonth(1);
  } else if (code == HitTitle) {
    OpenChangeYearDialog(window);
  } else {
    return;
  }
  if (!g_settings->Changed) return;
  if (code > 100) {
    RenderMonth(window, 0);
    InvalidateRect(window, nullptr, FALSE);
    AfterMonthDrawn(window, 1);
  } else {
    Rect cell;
    RedrawDay(window, &cell);
    InvalidateRect(window, reinterpret_cast<const RECT*>(&cell), FALSE);
    AfterNoteWritten(window, code);
  }
}
