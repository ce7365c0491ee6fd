// The colours page: nine swatches, each opening the colour dialog for one
// colour of the working copy, and a button that restores the defaults.
// The swatches are static controls whose procedure paints the colour inside
// an etched edge, shows the hand and takes Enter as a click.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include "base/gdi_win32.h"
#include "base/shell_win32.h"
#include "resources/resource.h"
#include "settings_ui/options.h"
#include "settings_ui/options_pages_win32.h"

// The custom colours of the colour dialog: kept for the run, not saved.
static COLORREF g_customColours[16] = {
    0x000000, 0x808080, 0x007777, 0x007700, 0x777700, 0x800000, 0x000080, 0x800080,
    0xFFFFFF, 0xC0C0C0, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0x0000FF, 0xFF00FF,
};

// The static control's own procedure, shared by the nine swatches.
static WNDPROC g_staticProc = nullptr;

// Runs the colour dialog with the colour preselected; 1 and the choice in
// colour when confirmed, 0 when cancelled.
static int ChooseColour(HWND owner, COLORREF* colour) {
  CHOOSECOLORA dialog = {sizeof dialog};
  dialog.hwndOwner = owner;
  dialog.rgbResult = *colour;
  dialog.lpCustColors = g_customColours;
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN | CC_SOLIDCOLOR;
  if (!ChooseColorA(&dialog)) return 0;
  *colour = dialog.rgbResult;
  return 1;
}

// The colour of the copy that a swatch shows.
static ColorRef* ColourOfSwatch(HWND swatch) {
  return SwatchColor(g_settingsCopy, GetDlgCtrlID(swatch) - IDC_SWATCH_BASE);
}

// The colour inside a 2-pixel etched edge.
static void PaintSwatch(HWND swatch) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(swatch, &ps);
  RECT r;
  GetClientRect(swatch, &r);
  DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
  InflateRect(&r, -2, -2);
  const ColorRef* colour = ColourOfSwatch(swatch);
  GdiObject<HBRUSH> brush(CreateSolidBrush(colour ? *colour : 0));
  FillRect(dc, &r, brush.get());
  EndPaint(swatch, &ps);
}

// The dotted focus rectangle, drawn inverting: a second call removes it.
static void ToggleFocusRect(HWND swatch) {
  WindowDC dc(swatch);
  RECT r;
  GetClientRect(swatch, &r);
  DrawFocusRect(dc.get(), &r);
}

// Enter on a swatch acts as a click on it.
static void ClickSwatch(HWND swatch) {
  SendMessageA(GetParent(swatch), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(swatch), 0), reinterpret_cast<LPARAM>(swatch));
}

// The dialog manager keeps Enter for the sheet's default button unless the
// swatch asks for it.
static LRESULT DialogCodeOfSwatch(HWND swatch, WPARAM wParam, LPARAM lParam) {
  const MSG* key = reinterpret_cast<const MSG*>(lParam);
  LRESULT code = CallWindowProcA(g_staticProc, swatch, WM_GETDLGCODE, wParam, lParam);
  if (key && (key->message == WM_KEYDOWN || key->message == WM_KEYUP) && key->wParam == VK_RETURN)
    code |= DLGC_WANTMESSAGE;
  return code;
}

static LRESULT CALLBACK SwatchProc(HWND swatch, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      ToggleFocusRect(swatch);
      break;
    case WM_PAINT:
      PaintSwatch(swatch);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETCURSOR:
      SetCursor(g_handCursor);
      return 1;
    case WM_GETDLGCODE:
      return DialogCodeOfSwatch(swatch, wParam, lParam);
    case WM_KEYUP:
      if (wParam == VK_RETURN) {
        ClickSwatch(swatch);
        return 0;
      }
      break;
  }
  return CallWindowProcA(g_staticProc, swatch, message, wParam, lParam);
}

// Puts SwatchProc under the nine swatches.
static void SubclassSwatches(HWND page) {
  for (int i = 0; i < SwatchCount; ++i) {
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(GetDlgItem(page, IDC_SWATCH_BASE + i), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SwatchProc)));
    if (previous && previous != SwatchProc) g_staticProc = previous;
  }
}

// "Colores predeterminados": the nine defaults, all swatches repainted.
static void RestoreDefaultColours(HWND page) {
  SetDefaultColors(g_settingsCopy);
  g_settingsCopy->Changed = 1;
  InvalidateRect(page, nullptr, FALSE);
  for (int i = 0; i < SwatchCount; ++i) InvalidateRect(GetDlgItem(page, IDC_SWATCH_BASE + i), nullptr, FALSE);
}

// A swatch clicked: the colour dialog for its colour.
static void ChooseSwatchColour(HWND page, int id) {
  ColorRef* colour = SwatchColor(g_settingsCopy, id - IDC_SWATCH_BASE);
  COLORREF chosen = *colour;
  if (!ChooseColour(page, &chosen)) return;
  *colour = chosen;
  g_settingsCopy->Changed = 1;
  InvalidateRect(GetDlgItem(page, id), nullptr, FALSE);
}

INT_PTR CALLBACK ColoursPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SubclassSwatches(page);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDC_DEFAULT_COLOURS) {
        RestoreDefaultColours(page);
        return TRUE;
      }
      if (id >= IDC_SWATCH_BASE && id < IDC_SWATCH_BASE + SwatchCount) {
        ChooseSwatchColour(page, id);
        return TRUE;
      }
      break;
    }
  }
  return FALSE;
}
