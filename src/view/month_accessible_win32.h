// What a screen reader reads of the month window: the main window's own
// IAccessible (Microsoft Active Accessibility), a table whose children are
// the arrows, the title, the days of the month shown, and the moon phase
// row and the flag strip when they are drawn.
#pragma once
#include <windows.h>

// Child ids besides the days 1..31, which are their HitCodes: the arrows
// and the title keep theirs (101..103).
constexpr LONG AccessibleMoonRow = 104;
constexpr LONG AccessibleFlagStrip = 105;

// WM_GETOBJECT: the window's object for OBJID_CLIENT, else 0 (the default
// window procedure answers the rest).
LRESULT AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId);
// The window is going: objects still held by clients answer nothing more.
void DetachMonthAccessible();
