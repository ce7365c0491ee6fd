#include "base/property_sheet_win32.h"

#include <commctrl.h>

#include "base/shell_win32.h"

// The sheet opens where its owner is and grows to the size of its pages:
// once sized, it is kept on the screen.
static int CALLBACK SheetCallback(HWND sheet, UINT event, LPARAM) {
  if (event == PSCB_INITIALIZED) KeepOnScreen(sheet);
  return 0;
}

INT_PTR RunPropertySheet(HWND owner, const char* caption, DWORD flags, const SheetPage* pages, int count) {
  if (count < 1 || count > MaxSheetPages) return -1;
  PROPSHEETPAGEA sheetPages[MaxSheetPages] = {};
  for (int i = 0; i < count; ++i) {
    sheetPages[i].dwSize = sizeof sheetPages[i];
    sheetPages[i].dwFlags = PSP_USETITLE;
    sheetPages[i].hInstance = g_instance;
    sheetPages[i].pszTemplate = MAKEINTRESOURCEA(pages[i].Template);
    sheetPages[i].pszTitle = pages[i].Title;
    sheetPages[i].pfnDlgProc = pages[i].Procedure;
  }
  PROPSHEETHEADERA header = {sizeof header};
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK | flags;
  header.hwndParent = owner;
  header.hInstance = g_instance;
  header.pszCaption = caption;
  header.nPages = static_cast<UINT>(count);
  header.nStartPage = 0;
  header.ppsp = sheetPages;
  header.pfnCallback = SheetCallback;
  return PropertySheetA(&header);
}
