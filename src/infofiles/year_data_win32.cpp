// The year's data: the year overview and every information file, each shown
// whole as a page; the pages are deleted once the viewer is closed.
#include <cstdio>

#include "base/settings.h"
#include "infofiles/header_dialog_win32.h"
#include "infofiles/html_viewer_win32.h"
#include "infofiles/info_dialogs_win32.h"
#include "infofiles/info_pages.h"
#include "resources/resource.h"

// The hourglass until the mouse moves again.
static void ShowWaitCursor() { SetCursor(LoadCursorA(nullptr, IDC_WAIT)); }

// Shows the information file with the id whole, when it allows it.
static void ShowWholeFile(const HeaderArray& headers, uint32_t fileId) {
  ShowWaitCursor();
  for (const InfoFileHeader& h : headers) {
    if (h.FileId != fileId) continue;
    if (!h.WholeViewAllowed) {
      ShowProgramMessage(MessageNotEditable);
      return;
    }
    char path[PathSize];
    if (!BuildWholeFilePage(*g_settings, h) || !BuildProgramPath(path, TempPageFileIndex)[0]) return;
    if (ShowHtmlPage(path)) DeleteFileA(path);
    return;
  }
}

// The overview entry, then the title of every information file.
static void FillYearDataList(HWND dialog, HeaderArray* headers) {
  HWND list = GetDlgItem(dialog, IDC_YEAR_DATA_LIST);
  const LRESULT overview = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("El año 2007"));
  SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(overview), YearOverviewId);
  if (headers->empty()) return;
  ScanInfoFiles(headers->data(), static_cast<int>(headers->size()));
  for (const InfoFileHeader& h : *headers) {
    if (h.FormatMarker != InfoFormatMarker) continue;
    const LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TitleText(h).c_str()));
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), h.FileId);
  }
}

// "Ver": the selected entry's page; the dialog stays open.
static void OnView(HWND dialog, const HeaderArray& headers) {
  HWND list = GetDlgItem(dialog, IDC_YEAR_DATA_LIST);
  const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return;
  const auto id = static_cast<uint32_t>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
  if (id == YearOverviewId)
    ShowPackedPage(YearOverviewPackedName, YearOverviewPageName);
  else
    ShowWholeFile(headers, id);
}

static INT_PTR CALLBACK YearDataProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return InitHeaderDialog(dialog, lParam, FillYearDataList);
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_VIEW_FILE) {
        OnView(dialog, *DialogHeaders(dialog));
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

void OpenYearData(HWND owner) { RunHeaderDialog(owner, IDD_YEAR_DATA, YearDataProc, CountInfoFiles()); }
