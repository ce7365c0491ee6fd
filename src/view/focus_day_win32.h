// The focus day of the month window: the day the keys act on, its focus
// rectangle (drawn into the month image while the window has the keyboard
// focus and keyboard cues are shown) and the events that tell assistive
// technology what changed.
#pragma once
#include <windows.h>

#include "view/day_keys.h"

// Posted to the main window by assistive technology's default action:
// wParam is the HitCode to act on as a click would.
constexpr UINT WM_ORISTEL_DEFAULT_ACTION = WM_APP + 1;

// SelectedDay, clamped to the length of the month shown.
int FocusDay();
// 1 while the main window has the keyboard focus.
int WindowHasFocus();
// The keys of the month window (WM_KEYDOWN); 1 when the key was one of them.
int HandleMonthKey(HWND window, UINT key);
// Moves the focus day to a date: another month is shown as an arrow click
// shows it, within the month only the two cells are drawn again.
void MoveFocusDay(HWND window, CalendarDay day);
// WM_SETFOCUS (focus 1) and WM_KILLFOCUS (0).
void OnFocusChange(HWND window, int focus);
// WM_UPDATEUISTATE: the focus cues shown or hidden.
void OnUiState(HWND window, WPARAM change);
// WM_ORISTEL_DEFAULT_ACTION: the click on the code, when the month shown
// still has it (a day may have gone with a change of month since).
void DoDefaultAction(HWND window, int code);
// After a pass that drew the whole month again (the rectangle went with
// it); monthChanged 1 when another month or year is shown.
void AfterMonthDrawn(HWND window, int monthChanged);
// After the cell of a day was drawn again because its note was written.
void AfterNoteWritten(HWND window, int day);
