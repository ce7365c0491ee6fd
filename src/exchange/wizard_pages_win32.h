// What the export and import wizard shares with its pages.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "exchange/wizard_choices.h"
#include "resources/resource.h"

// The choices of the wizard that runs (or ran last): zeroed at its start,
// read by the action it starts.
extern WizardChoices g_wizardChoices;

// The page procedures, in the wizard's order.
INT_PTR CALLBACK ActionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ExportPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ImportPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The file an export writes: the default name in TargetPath, then the save
// dialog; nonzero when the user confirmed a name.
int ChooseExportFile(HWND owner, int action);
// The file to import for the action (text or iCalendar), from the open
// dialog; nonzero when chosen.
int ChooseImportFile(HWND owner, int action);
// The predecessor's database in a folder the user picks; 1 when it is there,
// else 0 (after a message when the folder lacks it).
int ChoosePredecessorFolder(HWND owner);
// The help page on the TXT and CSV formats.
void ShowFormatInfo();

// Answers a wizard notification: the page that Next or Back leads to (0 for
// the next in order), or for Finish whether it is refused.
inline INT_PTR AnswerWizard(HWND page, LONG_PTR answer) {
  SetWindowLongPtrA(page, DWLP_MSGRESULT, answer);
  return TRUE;
}
// The wizard's buttons while the page is shown.
inline void SetWizardButtons(HWND page, DWORD buttons) {
  SendMessageA(GetParent(page), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(buttons));
}

// The notifications of an options page (export or import): Back and Finish
// shown, Back returns to the actions, Finish refused unless finish returns 1.
inline INT_PTR AnswerOptionsPage(HWND page, const NMHDR* header, int (*finish)(HWND page)) {
  switch (header->code) {
    case PSN_SETACTIVE:
      SetWizardButtons(page, PSWIZB_BACK | PSWIZB_FINISH);
      return AnswerWizard(page, 0);
    case PSN_KILLACTIVE:
      return AnswerWizard(page, FALSE);
    case PSN_WIZBACK:
      return AnswerWizard(page, IDD_WIZARD_ACTION);
    case PSN_WIZFINISH:
      return AnswerWizard(page, finish(page) ? FALSE : TRUE);
  }
  return FALSE;
}
