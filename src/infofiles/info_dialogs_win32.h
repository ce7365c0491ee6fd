// The two dialogs of the information files, run from the main window's menu.
#pragma once
#include <windows.h>

// "Archivos de información .cal...": which files feed the today page.
void OpenInfoSelection(HWND owner);
// "Ver datos del 2007": the year overview and every file, shown whole.
void OpenYearData(HWND owner);
