// Property sheets and wizards from a table of pages.
#pragma once
#include <windows.h>

// A page of a property sheet or wizard: its template, its title and its procedure.
struct SheetPage {
  int Template;
  const char* Title;
  DLGPROC Procedure;
};
constexpr int MaxSheetPages = 4;
// Runs a sheet of the pages (at most MaxSheetPages, in their order) modally
// on the owner, with the caption and the sheet flags added to
// PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW; PropertySheetA's result, -1 on error.
INT_PTR RunPropertySheet(HWND owner, const char* caption, DWORD flags, const SheetPage* pages, int count);
