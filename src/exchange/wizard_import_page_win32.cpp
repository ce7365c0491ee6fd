// The wizard's import page: whether imported notes are added to a day's note
// or replace it. Finish asks for the folder or the file; without one the
// wizard stays here.
#include "exchange/wizard_pages_win32.h"
#include "resources/resource.h"

// Each button starts its own group, so the page keeps them exclusive.
static void OnModeClicked(HWND page, int id) {
  CheckDlgButton(page, id == IDC_IMPORT_ADD ? IDC_IMPORT_REPLACE : IDC_IMPORT_ADD, BST_UNCHECKED);
}

// 1 when the source was chosen: the mode is then recorded.
static int OnFinish(HWND page) {
  const int action = g_wizardChoices.Action;
  const int chosen = action == ActionPredecessor ? ChoosePredecessorFolder(page) : ChooseImportFile(page, action);
  if (!chosen) return 0;
  g_wizardChoices.AddToExisting = IsDlgButtonChecked(page, IDC_IMPORT_ADD) == BST_CHECKED ? 1 : 0;
  return 1;
}

INT_PTR CALLBACK ImportPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      CheckDlgButton(page, IDC_IMPORT_ADD, BST_CHECKED);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if ((id == IDC_IMPORT_ADD || id == IDC_IMPORT_REPLACE) && HIWORD(wParam) == BN_CLICKED) OnModeClicked(page, id);
      return TRUE;
    }
    case WM_NOTIFY:
      return AnswerOptionsPage(page, reinterpret_cast<const NMHDR*>(lParam), OnFinish);
  }
  return FALSE;
}
