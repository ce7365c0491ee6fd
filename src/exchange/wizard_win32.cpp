// The export and import wizard: three pages over one record of choices,
// then the chosen action, its closing message and, after an export, the
// offer to open the new file.
#include "exchange/wizard_win32.h"

#include <shlobj.h>

#include <cstdio>

#include "base/program_files.h"
#include "base/property_sheet_win32.h"
#include "base/settings.h"
#include "base/shell_win32.h"
#include "exchange/html_export.h"
#include "exchange/ical_exchange.h"
#include "exchange/predecessor_import.h"
#include "exchange/text_import.h"
#include "exchange/wizard_pages_win32.h"
#include "infofiles/html_viewer_win32.h"
#include "infofiles/info_file.h"
#include "resources/resource.h"

WizardChoices g_wizardChoices;

// The wizard's pages: template, title, procedure.
constexpr int WizardPageCount = 3;
static_assert(WizardPageCount <= MaxSheetPages);
static const SheetPage WizardPages[WizardPageCount] = {
    // Template, Title, Procedure (in the wizard's order)
    {IDD_WIZARD_ACTION, "Asistente para Exportar e Importar", ActionPageProc},
    {IDD_WIZARD_EXPORT, "Opciones de exportación", ExportPageProc},
    {IDD_WIZARD_IMPORT, "Importar notas", ImportPageProc},
};

// The save dialog of each export: its filter (description, pattern) and the
// default name's extension.
struct ExportFileKind {
  int32_t Action;
  const char Filter[48];
  const char* Extension;
};
static constexpr ExportFileKind ExportFileKinds[] = {
    // Action, Filter, Extension (ordered by action)
    {ActionWebPage, "Documento HTML (*.htm)\0*.htm\0", ".htm"},
    {ActionTextExport, "Documento de texto (*.txt)\0*.txt\0", ".txt"},
    {ActionCsvExport, "Documento de texto (*.csv)\0*.csv\0", ".csv"},
    {ActionIcalExport, "Calendario iCalendar (*.ics)\0*.ics\0", ".ics"},
};

// The open dialog's filter of each import from a file.
constexpr const char TextImportFilter[] = "Documento de texto (*.txt)\0*.txt\0Documento de texto (*.csv)\0*.csv\0";
constexpr const char IcalImportFilter[] = "Calendario iCalendar (*.ics)\0*.ics\0";

// The user's documents folder, or an empty text when it cannot be had.
static void GetDocumentsFolder(char folder[MAX_PATH]) {
  folder[0] = 0;
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &list)) || !list) return;
  if (!SHGetPathFromIDListA(list, folder)) folder[0] = 0;
  IMalloc* shellMalloc = nullptr;
  if (SUCCEEDED(SHGetMalloc(&shellMalloc)) && shellMalloc) {
    shellMalloc->Free(list);
    shellMalloc->Release();
  }
}

// The save dialog's row of the export, or null.
static const ExportFileKind* FindExportFileKind(int action) {
  for (const ExportFileKind& kind : ExportFileKinds) {
    if (kind.Action == action) return &kind;
    if (kind.Action > action) break;
  }
  return nullptr;
}

int ChooseExportFile(HWND owner, int action) {
  const ExportFileKind* found = FindExportFileKind(action);
  if (!found) return 0;
  const ExportFileKind& kind = *found;
  std::snprintf(g_wizardChoices.TargetPath, sizeof g_wizardChoices.TargetPath, "Notas_Calendario_2007%s",
                kind.Extension);
  char folder[MAX_PATH];
  GetDocumentsFolder(folder);
  OPENFILENAMEA dialog = {sizeof dialog};
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kind.Filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = g_wizardChoices.TargetPath;
  dialog.nMaxFile = sizeof g_wizardChoices.TargetPath;
  dialog.lpstrInitialDir = folder[0] ? folder : nullptr;
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  return GetSaveFileNameA(&dialog);
}

int ChooseImportFile(HWND owner, int action) {
  g_wizardChoices.TargetPath[0] = 0;
  char folder[MAX_PATH];
  GetDocumentsFolder(folder);
  OPENFILENAMEA dialog = {sizeof dialog};
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = action == ActionIcalImport ? IcalImportFilter : TextImportFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = g_wizardChoices.TargetPath;
  dialog.nMaxFile = sizeof g_wizardChoices.TargetPath;
  dialog.lpstrInitialDir = folder[0] ? folder : nullptr;
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  return GetOpenFileNameA(&dialog);
}

void ShowFormatInfo() { ShowPackedPage(FormatsPackedName, FormatsPageName); }

// After an import with bad lines: offers to open the log of them.
static void OfferErrorLog() {
  const int answer = MessageBoxA(nullptr,
                                 "Se han producido errores en la importación.\r\nGuardados en el archivo: "
                                 "Calendario_Errores_Import.txt\r\n¿Desea ver el archivo?",
                                 "Oristel", MB_ICONINFORMATION | MB_YESNO);
  char path[PathSize];
  if (answer == IDYES && BuildProgramPath(path, ImportErrorsFileIndex)[0])
    ShellExecuteA(nullptr, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

// Runs the sheet modally on the owner; 1 when it ended with Finish.
static int ShowWizard(HWND owner) {
  return RunPropertySheet(owner, "Export Import", PSH_WIZARD, WizardPages, WizardPageCount) > 0 ? 1 : 0;
}

// The chosen import, then "Importación finalizada" (after an iCalendar
// import with what it stored and passed over); the result code or 0.
static int Import(HWND owner) {
  const WizardChoices& c = g_wizardChoices;
  const int year = g_settings->ShownYear;
  int errors = 0;
  IcalImportResult ical{};
  int done = 0;
  if (c.Action == ActionPredecessor) done = ImportPredecessorNotes(c.TargetPath, c.AddToExisting);
  if (c.Action == ActionTextImport) done = ImportTextFile(c.TargetPath, c.AddToExisting, &errors);
  if (c.Action == ActionIcalImport) done = ImportIcalFile(c.TargetPath, year, c.AddToExisting, &ical);
  if (!done) return 0;
  if (errors || ical.ErrorsLogged) OfferErrorLog();
  char text[160] = "Importación finalizada";
  if (c.Action == ActionIcalImport)
    std::snprintf(text, sizeof text, IcalImportSummaryFormat, ical.NotesStored, year, ical.EventsOutsideYear);
  MessageBoxA(owner, text, "Oristel", MB_ICONINFORMATION | MB_OK);
  return c.Action + 1;
}

// Writes the chosen export; 1 when written, with its closing question (which
// after an iCalendar export also tells of a note it could not write).
static int WriteExport(char* question, size_t size) {
  const WizardChoices& c = g_wizardChoices;
  const int year = g_settings->ShownYear;
  std::snprintf(question, size, "Exportación finalizada.\r\n¿Desea abrir el nuevo archivo?");
  if (c.Action != ActionIcalExport) return ExportNotes(c.TargetPath, c, year, g_settings->Language);
  IcalExportResult result{};
  if (!WriteIcalExport(c.TargetPath, c, year, &result)) return 0;
  if (result.LeapDaysSkipped) std::snprintf(question, size, IcalExportLeapDayFormat, year);
  return 1;
}

// The chosen export, then the offer to open the file; the result code or 0.
static int Export(HWND owner) {
  char question[192];
  if (!WriteExport(question, sizeof question)) return 0;
  const int answer = MessageBoxA(owner, question, "Oristel", MB_ICONINFORMATION | MB_YESNO);
  if (answer == IDYES) ShellExecuteA(nullptr, "open", g_wizardChoices.TargetPath, nullptr, nullptr, SW_SHOWNORMAL);
  return g_wizardChoices.Action + 1;
}

int RunExportImportWizard(HWND owner) {
  g_wizardChoices = WizardChoices{};
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  if (!ShowWizard(owner)) return 0;
  const int action = g_wizardChoices.Action;
  if (action == ActionPredecessor || action == ActionTextImport || action == ActionIcalImport) return Import(owner);
  if (FindExportFileKind(action)) return Export(owner);
  return 0;
}
