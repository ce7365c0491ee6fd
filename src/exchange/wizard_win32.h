// The export and import wizard, run from the main window's menu.
#pragma once
#include <windows.h>

// Runs the wizard and the action chosen in it: 1 web page, 2 TXT, 3 CSV,
// 4 the predecessor's notes imported, 5 a text file imported, 6 iCalendar
// written, 7 an iCalendar file imported; 0 when it was cancelled or the
// action failed. After 4, 5 and 7 the notes have changed.
int RunExportImportWizard(HWND owner);
