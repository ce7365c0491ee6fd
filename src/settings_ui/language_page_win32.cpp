// The language page: six radio buttons, one per display language. The
// choice reaches the working copy when the page is left.
#include <windows.h>
#include <commctrl.h>

#include "resources/resource.h"
#include "settings_ui/options_pages_win32.h"

// Checks the button of the copy's language.
static void OnSetActive(HWND page) {
  CheckRadioButton(page, IDC_LANGUAGE_BASE, IDC_LANGUAGE_BASE + LanguageCount - 1,
                   IDC_LANGUAGE_BASE + g_settingsCopy->Language);
}

// Stores the first checked language when it differs from the copy's.
static void OnKillActive(HWND page) {
  for (int language = 0; language < LanguageCount; ++language) {
    if (IsDlgButtonChecked(page, IDC_LANGUAGE_BASE + language) != BST_CHECKED) continue;
    if (language != g_settingsCopy->Language) {
      g_settingsCopy->Language = language;
      g_settingsCopy->Changed = 1;
    }
    return;
  }
}

INT_PTR CALLBACK LanguagePageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY) return FALSE;
  return HandlePageNotification(page, lParam, OnSetActive, OnKillActive);
}
