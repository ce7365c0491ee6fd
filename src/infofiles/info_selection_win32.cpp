// The selection of the information files that feed the today page: the
// files available on the left (sorted), the chosen ones on the right in
// their order. "Aceptar" stores the choice in the settings file and in the
// header of every listed file; "Cancelar" stores nothing.
#include "infofiles/info_dialogs_win32.h"

#include <algorithm>
#include <cstring>

#include "infofiles/header_dialog_win32.h"
#include "resources/resource.h"

// Adds the title with its file id to the list; the index of the entry.
static LRESULT AddListEntry(HWND list, const char* title, LPARAM fileId) {
  const LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title));
  if (index >= 0) SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), fileId);
  return index;
}

// Lets the list scroll sideways as far as its widest entry, so that a long
// title can be read whole.
static void FitScrollWidth(HWND list) {
  WindowDC dc(list);
  ScopedSelect font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
  LONG widest = 0;
  for (LRESULT i = 0, count = SendMessageA(list, LB_GETCOUNT, 0, 0); i < count; ++i) {
    char text[PathSize] = "";
    if (SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) >= PathSize) continue;
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), text, static_cast<int>(strlen(text)), &size);
    widest = std::max(widest, size.cx);
  }
  SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 2 * GetSystemMetrics(SM_CXEDGE)), 0);
}

// Fills the two lists from the files' own headers: the chosen ones in their
// stored order, the others sorted by the list.
static void FillSelectionLists(HWND dialog, HeaderArray* array) {
  HeaderArray& headers = *array;
  ScanInfoFiles(headers.data(), static_cast<int>(headers.size()));
  std::stable_sort(headers.begin(), headers.end(),
                   [](const InfoFileHeader& a, const InfoFileHeader& b) { return CompareSelectionOrder(a, b) < 0; });
  for (const InfoFileHeader& h : headers) {
    if (h.FileId == 0) continue;
    const int list = h.SelectionOrder ? IDC_CHOSEN_LIST : IDC_AVAILABLE_LIST;
    AddListEntry(GetDlgItem(dialog, list), TitleText(h).c_str(), h.FileId);
  }
  FitScrollWidth(GetDlgItem(dialog, IDC_AVAILABLE_LIST));
  FitScrollWidth(GetDlgItem(dialog, IDC_CHOSEN_LIST));
}

// Moves the selected entry of one list to the other and selects it there.
static void MoveBetweenLists(HWND dialog, int from, int to) {
  HWND source = GetDlgItem(dialog, from), target = GetDlgItem(dialog, to);
  const LRESULT index = SendMessageA(source, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR || SendMessageA(source, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) >= PathSize) return;
  char text[PathSize] = "";
  SendMessageA(source, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  const LPARAM fileId = SendMessageA(source, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  SendMessageA(source, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
  const LRESULT added = AddListEntry(target, text, fileId);
  SendMessageA(target, LB_SETCURSEL, static_cast<WPARAM>(added), 0);
  FitScrollWidth(source);
  FitScrollWidth(target);
}

// Exchanges the selected chosen entry with its neighbour (step -1 up, +1
// down); the selection follows the moved entry.
static void MoveChosenEntry(HWND dialog, int step) {
  HWND list = GetDlgItem(dialog, IDC_CHOSEN_LIST);
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
  const LRESULT other = index + step;
  if (index == LB_ERR || other < 0 || other >= count) return;
  char texts[2][PathSize] = {};
  LPARAM ids[2];
  const LRESULT at[2] = {index, other};
  for (int i = 0; i < 2; ++i) {
    if (SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(at[i]), 0) >= PathSize) return;
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(at[i]), reinterpret_cast<LPARAM>(texts[i]));
    ids[i] = SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(at[i]), 0);
  }
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < 2; ++i) {
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(at[i]), 0);
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(at[i]), reinterpret_cast<LPARAM>(texts[1 - i]));
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at[i]), ids[1 - i]);
  }
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(other), 0);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

// Numbers the chosen files in the order of their list and stores the choice.
static void AcceptSelection(HWND dialog, HeaderArray* array) {
  HeaderArray& headers = *array;
  for (InfoFileHeader& h : headers) h.SelectionOrder = 0;
  HWND list = GetDlgItem(dialog, IDC_CHOSEN_LIST);
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const auto fileId = static_cast<uint32_t>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
    auto chosen = std::find_if(headers.begin(), headers.end(),
                               [&](const InfoFileHeader& h) { return h.FileId == fileId && h.SelectionOrder == 0; });
    if (chosen != headers.end()) chosen->SelectionOrder = static_cast<uint32_t>(i + 1);
  }
  ApplyTodaySelection(headers.data(), static_cast<int>(headers.size()));
}

static INT_PTR CALLBACK InfoSelectionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return InitHeaderDialog(dialog, lParam, FillSelectionLists);
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_ADD_FILE:
          MoveBetweenLists(dialog, IDC_AVAILABLE_LIST, IDC_CHOSEN_LIST);
          return TRUE;
        case IDC_REMOVE_FILE:
          MoveBetweenLists(dialog, IDC_CHOSEN_LIST, IDC_AVAILABLE_LIST);
          return TRUE;
        case IDC_MOVE_UP:
          MoveChosenEntry(dialog, -1);
          return TRUE;
        case IDC_MOVE_DOWN:
          MoveChosenEntry(dialog, +1);
          return TRUE;
        case IDOK:
          AcceptSelection(dialog, DialogHeaders(dialog));
          EndDialog(dialog, 1);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, 0);
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

void OpenInfoSelection(HWND owner) {
  const int n = CountInfoFiles();
  if (n == 0) {
    ShowProgramMessage(MessageNoDataFiles);
    return;
  }
  RunHeaderDialog(owner, IDD_INFO_SELECTION, InfoSelectionProc, n);
}
