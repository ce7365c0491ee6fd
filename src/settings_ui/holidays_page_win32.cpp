// The holidays page: the community and the city whose own holidays the
// calendar marks, the two options and a preview of the community's flag.
// The controls are filled from the working copy when the page is shown and
// written back when it is left.
#include <windows.h>
#include <commctrl.h>

#include "calendar/regions.h"
#include "resources/resource.h"
#include "settings_ui/options.h"
#include "settings_ui/options_pages_win32.h"
#include "view/render_win32.h"

// Adds an entry with its region code as item data.
static void AddRegionEntry(HWND combo, const char* name, int32_t code) {
  const LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  if (index >= 0) SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), code);
}

// Selects the entry whose item data is code; the first one when none is.
static void SelectRegionEntry(HWND combo, int32_t code) {
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == code) {
      SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return;
    }
  }
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

// The item data of the selected entry; NoSelection when none is selected.
static int32_t SelectedRegionCode(HWND combo) {
  const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return NoSelection;
  return static_cast<int32_t>(SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

// The city box for a community: the empty entry, then its cities in table order.
static void FillCities(HWND page, int32_t community) {
  HWND combo = GetDlgItem(page, IDC_CITY);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  AddRegionEntry(combo, "", 0);
  for (int i = 0; i < RegionTableSize; ++i)
    if (RegionTable[i].Parent == community && community != 0)
      AddRegionEntry(combo, RegionTable[i].Name, RegionTable[i].Code);
}

// Shows the community's flag in the preview and deletes the one shown before.
static void ShowFlag(HWND page, int32_t community) {
  HBITMAP flag = LoadFlagBitmap(community);
  HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(
      SendDlgItemMessageA(page, IDC_FLAG_PREVIEW, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(flag)));
  if (previous && previous != flag) DeleteObject(previous);
}

// The controls from the copy.
static void OnSetActive(HWND page) {
  HWND communities = GetDlgItem(page, IDC_COMMUNITY);
  SendMessageA(communities, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < RegionTableSize && RegionTable[i].Parent == 0; ++i)
    AddRegionEntry(communities, RegionTable[i].Name, RegionTable[i].Code);
  SelectRegionEntry(communities, g_settingsCopy->Community);
  FillCities(page, g_settingsCopy->Community);
  SelectRegionEntry(GetDlgItem(page, IDC_CITY), g_settingsCopy->City);
  CheckDlgButton(page, IDC_SHOW_OTHER_HOLIDAYS, g_settingsCopy->ShowOtherHolidays ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(page, IDC_DRAW_FLAG, g_settingsCopy->DrawFlag ? BST_CHECKED : BST_UNCHECKED);
  ShowFlag(page, g_settingsCopy->Community);
}

// The controls into the copy.
static void OnKillActive(HWND page) {
  RegionChoice choice;
  choice.ShowOther = IsDlgButtonChecked(page, IDC_SHOW_OTHER_HOLIDAYS) == BST_CHECKED;
  choice.DrawFlag = IsDlgButtonChecked(page, IDC_DRAW_FLAG) == BST_CHECKED;
  choice.Community = SelectedRegionCode(GetDlgItem(page, IDC_COMMUNITY));
  choice.City = SelectedRegionCode(GetDlgItem(page, IDC_CITY));
  StoreRegionChoice(choice, g_settingsCopy);
}

// Another community in the list: its cities with the empty entry selected, and its flag.
static void OnCommunityChosen(HWND page) {
  const int32_t community = SelectedRegionCode(GetDlgItem(page, IDC_COMMUNITY));
  if (community == NoSelection) return;
  FillCities(page, community);
  SendDlgItemMessageA(page, IDC_CITY, CB_SETCURSEL, 0, 0);
  ShowFlag(page, community);
}

// The preview's bitmap is the page's to delete: the control does not.
static void OnDestroy(HWND page) {
  HGDIOBJ shown = reinterpret_cast<HGDIOBJ>(SendDlgItemMessageA(page, IDC_FLAG_PREVIEW, STM_SETIMAGE, IMAGE_BITMAP, 0));
  if (shown) DeleteObject(shown);
}

INT_PTR CALLBACK HolidaysPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY:
      return HandlePageNotification(page, lParam, OnSetActive, OnKillActive);
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_COMMUNITY && HIWORD(wParam) == CBN_SELCHANGE) {
        OnCommunityChosen(page);
        return TRUE;
      }
      break;
    case WM_DESTROY:
      OnDestroy(page);
      break;
  }
  return FALSE;
}
