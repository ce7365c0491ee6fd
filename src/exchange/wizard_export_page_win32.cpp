// The wizard's export page: the months to export and the three options
// (for an iCalendar export only the update date applies; the other two are
// disabled). Finish asks for the file; the choices are recorded once a name
// is confirmed, and without one the wizard stays here.
#include "base/settings.h"
#include "exchange/wizard_pages_win32.h"
#include "resources/resource.h"

constexpr int MonthCount = 12;

// The month on show checked; the choices of the page start cleared.
static void OnInitDialog(HWND page) {
  const int month = g_settings->ShownMonth;
  if (month >= 1 && month <= MonthCount) CheckDlgButton(page, IDC_MONTH_BASE + month, BST_CHECKED);
  for (int32_t& selected : g_wizardChoices.MonthSelected) selected = 0;
  g_wizardChoices.IncludeUpdateDate = 0;
  g_wizardChoices.IncludeDaysWithoutNotes = 0;
  g_wizardChoices.IsoDates = 0;
}

// "Seleccionar todos": every month checked.
static void SelectAllMonths(HWND page) {
  for (int month = 1; month <= MonthCount; ++month) CheckDlgButton(page, IDC_MONTH_BASE + month, BST_CHECKED);
}

// The options that apply to the chosen export enabled, the others disabled
// (their checks kept for another export).
static void OnSetActive(HWND page) {
  const BOOL apply = g_wizardChoices.Action != ActionIcalExport;
  EnableWindow(GetDlgItem(page, IDC_INCLUDE_EMPTY_DAYS), apply);
  EnableWindow(GetDlgItem(page, IDC_ISO_DATES), apply);
}

// 1 when the box is checked and enabled.
static int32_t Checked(HWND page, int id) {
  return IsDlgButtonChecked(page, id) == BST_CHECKED && IsWindowEnabled(GetDlgItem(page, id)) ? 1 : 0;
}

// 1 when the user named the file: the page's choices are then recorded.
static int OnFinish(HWND page) {
  if (!ChooseExportFile(page, g_wizardChoices.Action)) return 0;
  for (int month = 1; month <= MonthCount; ++month)
    g_wizardChoices.MonthSelected[month - 1] = Checked(page, IDC_MONTH_BASE + month);
  g_wizardChoices.IncludeUpdateDate = Checked(page, IDC_INCLUDE_UPDATE_DATE);
  g_wizardChoices.IncludeDaysWithoutNotes = Checked(page, IDC_INCLUDE_EMPTY_DAYS);
  g_wizardChoices.IsoDates = Checked(page, IDC_ISO_DATES);
  return 1;
}

INT_PTR CALLBACK ExportPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(page);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_SELECT_ALL_MONTHS && HIWORD(wParam) == BN_CLICKED) SelectAllMonths(page);
      return TRUE;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == PSN_SETACTIVE) OnSetActive(page);
      return AnswerOptionsPage(page, reinterpret_cast<const NMHDR*>(lParam), OnFinish);
  }
  return FALSE;
}
