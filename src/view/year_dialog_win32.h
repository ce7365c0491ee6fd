#pragma once
#include <windows.h>

// Lets the user pick another year for the month shown; sets Changed on accept.
void OpenChangeYearDialog(HWND owner);
