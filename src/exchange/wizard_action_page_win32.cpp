// The wizard's first page: which of the seven actions to run, with its
// description, and the help page on the text formats.
#include "exchange/wizard_pages_win32.h"
#include "resources/resource.h"

// One action: its list entry, its description and the page Next leads to.
struct ActionRow {
  const char* Entry;
  const char* Description;
  int OptionsPage;
};
static constexpr ActionRow ActionRows[] = {
    // Entry, Description, OptionsPage (in WizardAction order)
    {"Guardar el calendario como página Web", "Crea una página Web en formato .HTM con los meses y sus notas.",
     IDD_WIZARD_EXPORT},
    {"Exportar a un archivo de texto estándar (.txt)",
     "Crea un archivo de texto estándar (.txt), de valores separados por punto y coma. Puede utilizar este archivo, "
     "por ejemplo, con Microsoft® Access, Excel ó Word.",
     IDD_WIZARD_EXPORT},
    {"Exportar a un archivo de texto estándar (.csv)",
     "Crea un archivo de texto estándar (.csv), de valores separados por comas. Puede utilizar este archivo "
     "directamente, por ejemplo, con Microsoft® Excel o el calendario incluido en Microsoft® Outlook®.",
     IDD_WIZARD_EXPORT},
    {"Importar las notas del Brisol 2006 v 3.3.0", "Recuperar las notas del programa Brisol 2006, la versión 3.3.0.",
     IDD_WIZARD_IMPORT},
    {"Importar notas de un archivo de texto estándar (.txt o .csv).",
     "Importar notas desde un archivo de texto estándar", IDD_WIZARD_IMPORT},
    {"Exportar a un calendario iCalendar (.ics)",
     "Crea un archivo de calendario (.ics) con una cita de todo el día por cada nota. Puede abrirlo con Microsoft® "
     "Outlook®, Google Calendar, Thunderbird o el Calendario de Apple.",
     IDD_WIZARD_EXPORT},
    {"Importar citas de un calendario iCalendar (.ics)",
     "Importa como notas las citas del año mostrado en el calendario, de un archivo iCalendar (.ics) de cualquier "
     "programa de calendario.",
     IDD_WIZARD_IMPORT},
};
constexpr int ActionCount = sizeof ActionRows / sizeof ActionRows[0];
static_assert(ActionCount == ActionIcalImport + 1);

// The selected entry, or the recorded action when none is selected.
static int SelectedAction(HWND page) {
  const LRESULT i = SendDlgItemMessageA(page, IDC_ACTION_LIST, LB_GETCURSEL, 0, 0);
  return i >= 0 && i < ActionCount ? static_cast<int>(i) : g_wizardChoices.Action;
}

// Records the selected action and shows its description.
static void OnSelectionChanged(HWND page) {
  g_wizardChoices.Action = SelectedAction(page);
  SetDlgItemTextA(page, IDC_ACTION_DESCRIPTION, ActionRows[g_wizardChoices.Action].Description);
}

// Fills the list and selects the recorded action.
static void OnInitDialog(HWND page) {
  for (const ActionRow& row : ActionRows)
    SendDlgItemMessageA(page, IDC_ACTION_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.Entry));
  SendDlgItemMessageA(page, IDC_ACTION_LIST, LB_SETCURSEL, static_cast<WPARAM>(g_wizardChoices.Action), 0);
  OnSelectionChanged(page);
}

// Only Next leads on, to the options of the selected action.
static INT_PTR OnNotify(HWND page, const NMHDR* header) {
  switch (header->code) {
    case PSN_SETACTIVE:
      SetWizardButtons(page, PSWIZB_NEXT);
      return AnswerWizard(page, 0);
    case PSN_KILLACTIVE:
      return AnswerWizard(page, FALSE);
    case PSN_WIZNEXT:
      g_wizardChoices.Action = SelectedAction(page);
      return AnswerWizard(page, ActionRows[g_wizardChoices.Action].OptionsPage);
  }
  return FALSE;
}

INT_PTR CALLBACK ActionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(page);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_ACTION_LIST && HIWORD(wParam) == LBN_SELCHANGE) OnSelectionChanged(page);
      if (LOWORD(wParam) == IDC_FORMAT_INFO && HIWORD(wParam) == BN_CLICKED) ShowFormatInfo();
      return TRUE;
    case WM_NOTIFY:
      return OnNotify(page, reinterpret_cast<const NMHDR*>(lParam));
  }
  return FALSE;
}
