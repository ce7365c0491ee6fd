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

// Handles the page's becoming active and being left (either handler may be
// null): the handler runs and the sheet is answered 0, which lets the page
// be left. FALSE for any other notification.
using PageHandler = void (*)(HWND page);
INT_PTR HandlePageNotification(HWND page, LPARAM lParam, PageHandler onSetActive, PageHandler onKillActive);
