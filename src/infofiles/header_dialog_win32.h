// What the two dialogs of the information files share: the array of file
// headers they work on, from the menu command until the dialog has closed.
#pragma once
#include <windows.h>

#include <new>
#include <vector>

#include "base/program_files.h"
#include "base/shell_win32.h"
#include "infofiles/info_file.h"

using HeaderArray = std::vector<InfoFileHeader>;

// The dialog's array (none before WM_INITDIALOG).
inline HeaderArray* DialogHeaders(HWND dialog) {
  return reinterpret_cast<HeaderArray*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// WM_INITDIALOG: keeps the array, fills the dialog from it and centres it.
inline INT_PTR InitHeaderDialog(HWND dialog, LPARAM headers, void (*fill)(HWND, HeaderArray*)) {
  SetWindowLongPtrA(dialog, DWLP_USER, headers);
  fill(dialog, reinterpret_cast<HeaderArray*>(headers));
  CenterOnScreen(dialog);
  return TRUE;
}

// Runs the dialog on a zero-filled array of n headers.
inline void RunHeaderDialog(HWND owner, int templateId, DLGPROC procedure, int n) {
  HeaderArray headers;
  try {
    headers.assign(static_cast<size_t>(n), InfoFileHeader{});
  } catch (const std::bad_alloc&) {
    ShowProgramMessage(MessageNoMemory);
    return;
  }
  DialogBoxParamA(g_instance, MAKEINTRESOURCEA(templateId), owner, procedure, reinterpret_cast<LPARAM>(&headers));
}
