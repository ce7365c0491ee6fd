// What the options sheet shares with its pages.
#pragma once
#include <windows.h>

#include "base/settings.h"

// The working copy every page reads and writes while the sheet runs; null
// otherwise.
extern CalendarSettings* g_settingsCopy;

// The page procedures, in the sheet's tab order.
INT_PTR CALLBACK HolidaysPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FontsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ColoursPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK LanguagePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Answers a page notification with result (DWLP_MSGRESULT) and tells the
// sheet it was handled.
inline INT_PTR AnswerNotification(HWND page, LONG_PTR result) {
  SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
  return TRUE;
}
