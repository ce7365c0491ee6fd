#pragma once
#include <windows.h>

// Runs the options sheet on a copy of the settings and commits the copy over
// the live record when a page changed it, whether the sheet ends with OK or
// Cancel. 1 when the sheet ran; 0 without memory for the copy or when the
// sheet could not be created (nothing committed). On 1 the live Changed is
// 1 exactly when the copy was committed.
int RunOptionsSheet(HWND owner);
