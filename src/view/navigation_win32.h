// What a click on the month window does.
#pragma once
#include <windows.h>

// Carries out the click on a non-zero HitCode and has the view redrawn:
// a day opens its note, the arrows page the month, the title changes the year.
void HandleClick(HWND window, int code);
