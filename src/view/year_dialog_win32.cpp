// The change-year dialog: a year box with a spin control. Its up arrow lowers
// the year and its down arrow raises it (the range is set inverted).
#include "view/year_dialog_win32.h"

#include <commctrl.h>

#include "base/settings.h"
#include "base/shell_win32.h"
#include "resources/resource.h"

constexpr int FirstYear = 1790;
constexpr int LastYear = 5317;

// Takes the spin control's year when it is a number of the range and new.
// The month is redrawn after every acceptance, also without a new year.
static void ApplyChangedYear(HWND dialog) {
  g_settings->Changed = 1;
  // High word non-zero: the box does not hold a number.
  LRESULT value = SendDlgItemMessageA(dialog, IDC_YEAR_SPIN, UDM_GETPOS, 0, 0) & 0xFFFFFFFF;
  if (value != g_settings->ShownYear && value >= FirstYear && value <= LastYear)
    g_settings->ShownYear = static_cast<int32_t>(value);
}

static INT_PTR CALLBACK ChangeYearProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      g_settings->Changed = 0;
      SendDlgItemMessageA(dialog, IDC_YEAR_SPIN, UDM_SETRANGE, 0, MAKELPARAM(FirstYear - 1, LastYear + 1));
      SendDlgItemMessageA(dialog, IDC_YEAR_SPIN, UDM_SETPOS, 0, MAKELPARAM(g_settings->ShownYear & 0xFFFF, 0));
      CenterOnScreen(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        ApplyChangedYear(dialog);
        EndDialog(dialog, 1);
      } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
      }
      return FALSE;
  }
  return FALSE;
}

void OpenChangeYearDialog(HWND owner) {
  // The common controls are loaded with the first dialog that needs them.
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_CHANGE_YEAR), owner, ChangeYearProc, 0);
}
