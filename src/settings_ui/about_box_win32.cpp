// The About box. Its home-page button opens the address it shows in the
// system's browser; every command closes the box.
#include "settings_ui/about_box_win32.h"

#include <shellapi.h>

#include "base/shell_win32.h"
#include "resources/resource.h"

static INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CenterOnScreen(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_HOME_PAGE) {
        char address[128];
        GetDlgItemTextA(dialog, IDC_HOME_PAGE, address, sizeof address);
        ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
      }
      EndDialog(dialog, 1);
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, 1);
      return TRUE;
  }
  return FALSE;
}

void ShowAboutBox(HWND owner) { DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, 0); }
