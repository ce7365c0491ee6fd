// The notes editor: a small dialog built in memory at every opening, so that
// its caption and buttons follow the display language and its font the
// notes font. Cancel is the default button: Enter closes without saving.
#include "notes/notes_editor_win32.h"

#include <cstdio>
#include <cstring>
#include <iterator>

#include "base/clock.h"
#include "base/program_files.h"
#include "base/settings.h"
#include "base/shell_win32.h"
#include "calendar/dates.h"
#include "calendar/names.h"
#include "infofiles/html_viewer_win32.h"
#include "infofiles/info_pages.h"
#include "notes/notes_store.h"
#include "resources/resource.h"

constexpr size_t TemplateSize = 1024;

// Button and label texts, by display language.
struct NotesEditorLabels {
  const char* Accept;
  const char* Cancel;
  const char* Today;
  const char* Label;
};
static constexpr NotesEditorLabels kLabels[LanguageCount] = {
    {"Aceptar", "Cancelar", "Hoy...", "Notas"},     {"Acceptar", "Cancel-lar", "Avui...", "Notes"},
    {"Acetar", "Cancelar", "Hoxe...", "Notas"},     {"Ados", "Utzi", "Egun...", "Oharrak"},
    {"Aceitar", "Cancelar", "Hoje...", "Verbetar"}, {"OK", "Annuler", "Aujourd'hui...", "Notes"},
};

enum ControlAtom : WORD { AtomButton = 0x0080, AtomEdit = 0x0081, AtomStatic = 0x0082 };

// Styles of the dialog and its controls.
constexpr DWORD EditorStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME;
constexpr DWORD ButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD DefaultButtonStyle = ButtonStyle | BS_DEFPUSHBUTTON;
constexpr DWORD EditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL;
constexpr DWORD LabelStyle = WS_CHILD | WS_VISIBLE;
static_assert(EditorStyle == 0x90C800C0 && ButtonStyle == 0x50010000 && DefaultButtonStyle == 0x50010001);
static_assert(EditStyle == 0x50810044 && LabelStyle == 0x50000000 && (ButtonStyle | WS_DISABLED) == 0x58010000);

// The dialog's size and its controls, in dialog units, in creation order:
// the label just before the text box, which a screen reader names after it.
constexpr short EditorWidth = 242, EditorHeight = 96;
struct EditorItem {
  ControlAtom Atom;
  WORD Id;
  const char* NotesEditorLabels::*Label;  // nullptr: no text
  DWORD Style;
  short X, Y, Cx, Cy;
};
static constexpr EditorItem kEditorItems[] = {
    // Atom, Id, Label, Style, X, Y, Cx, Cy
    {AtomButton, IDOK, &NotesEditorLabels::Accept, ButtonStyle, 15, 75, 58, 14},
    {AtomButton, IDCANCEL, &NotesEditorLabels::Cancel, DefaultButtonStyle, 93, 75, 58, 14},
    {AtomButton, IDC_NOTE_TODAY, &NotesEditorLabels::Today, ButtonStyle, 170, 75, 58, 14},
    {AtomStatic, 0xFFFF, &NotesEditorLabels::Label, LabelStyle, 7, 3, 220, 12},
    {AtomEdit, IDC_NOTE_TEXT, nullptr, EditStyle, 7, 16, 226, 50},
};

// Where the next piece of the template goes; Position is nullptr once a
// piece did not fit before End.
struct TemplateWriter {
  WORD* Position;
  const WORD* End;
};

// Copies an even number of bytes.
static void PutBytes(TemplateWriter& w, const void* data, size_t size) {
  if (!w.Position) return;
  if (static_cast<size_t>(w.End - w.Position) < size / sizeof(WORD)) {
    w.Position = nullptr;
    return;
  }
  std::memcpy(w.Position, data, size);
  w.Position += size / sizeof(WORD);
}

static void PutWord(TemplateWriter& w, WORD value) { PutBytes(w, &value, sizeof value); }

// An 8-bit text as UTF-16 with its terminating zero.
static void PutText(TemplateWriter& w, const char* text) {
  if (!w.Position) return;
  const int room = static_cast<int>(w.End - w.Position);
  const int n = room > 0 ? MultiByteToWideChar(CP_ACP, 0, text, -1, reinterpret_cast<wchar_t*>(w.Position), room) : 0;
  w.Position = n > 0 ? w.Position + n : nullptr;
}

// Control records start on 4-byte boundaries.
static void AlignDword(TemplateWriter& w) {
  if (w.Position && (reinterpret_cast<uintptr_t>(w.Position) & 2)) PutWord(w, 0);
}

// The editor's template in the display language; 1 when it fits the block.
static int BuildNotesTemplate(WORD* block, size_t words) {
  const CalendarSettings& s = *g_settings;
  const NotesEditorLabels& labels = kLabels[s.Language];
  char caption[64];
  std::snprintf(caption, sizeof caption, "  %s, %i", MonthName(s.Language, s.ShownMonth), s.SelectedDay);
  char face[sizeof s.NotesFont.FaceName];
  std::memcpy(face, s.NotesFont.FaceName, sizeof face);
  face[sizeof face - 1] = 0;

  TemplateWriter w = {block, block + words};
  const DLGTEMPLATE header = {EditorStyle, 0,           static_cast<WORD>(std::size(kEditorItems)), 0, 0,
                              EditorWidth, EditorHeight};
  PutBytes(w, &header, sizeof header);
  PutWord(w, 0);  // no menu
  PutWord(w, 0);  // the default class
  PutText(w, caption);
  PutWord(w, static_cast<WORD>(s.NotesFontPoints));
  PutText(w, face);
  for (const EditorItem& item : kEditorItems) {
    // "Hoy..." only has pages for the year of the information files.
    const DWORD disabled = item.Id == IDC_NOTE_TODAY && s.ShownYear != DataYear ? WS_DISABLED : 0;
    const DLGITEMTEMPLATE control = {item.Style | disabled, 0, item.X, item.Y, item.Cx, item.Cy, item.Id};
    AlignDword(w);
    PutBytes(w, &control, sizeof control);
    PutWord(w, 0xFFFF);
    PutWord(w, item.Atom);
    PutText(w, item.Label ? labels.*item.Label : "");
    PutWord(w, 0);  // no creation data
  }
  return w.Position != nullptr;
}

// Shows the day's note in the text box, limited to 255 characters.
static void LoadNoteIntoEditor(HWND dialog) {
  NoteRecord record{};
  ReadNote(g_settings->SelectedDay, g_settings->ShownMonth, &record);
  SendDlgItemMessageA(dialog, IDC_NOTE_TEXT, EM_LIMITTEXT, MaxNoteLength, 0);
  SetDlgItemTextA(dialog, IDC_NOTE_TEXT, record.Text);
}

// Writes the text box back when it was modified; an empty box deletes the note.
static void SaveNoteFromEditor(HWND dialog) {
  if (!SendDlgItemMessageA(dialog, IDC_NOTE_TEXT, EM_GETMODIFY, 0, 0)) return;
  NoteRecord record{};
  int n = GetDlgItemTextA(dialog, IDC_NOTE_TEXT, record.Text, MaxNoteLength + 1);
  record.UpdateTime = CurrentFileTime();
  g_settings->Changed = 1;
  WriteNote(g_settings->SelectedDay, g_settings->ShownMonth, &record, n > 0);
}

// Builds the today page of the day and shows it; the page file stays in
// place and the editor stays open.
static void OnToday(HWND) {
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  const int built = BuildTodayPage(*g_settings);
  SetCursor(previous);
  char path[PathSize];
  if (built && BuildProgramPath(path, TempPageFileIndex)[0]) ShowHtmlPage(path);
}

static INT_PTR CALLBACK NotesEditorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      LoadNoteIntoEditor(dialog);
      CenterOnScreen(dialog);
      SetFocus(GetDlgItem(dialog, IDC_NOTE_TEXT));
      return FALSE;
    case WM_CLOSE:
      EndDialog(dialog, 2);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          SaveNoteFromEditor(dialog);
          EndDialog(dialog, 1);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, 0);
          return TRUE;
        case IDC_NOTE_TODAY:
          OnToday(dialog);
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

void OpenNotesEditor(HWND owner) {
  alignas(DWORD) WORD block[TemplateSize / sizeof(WORD)] = {};
  if (BuildNotesTemplate(block, std::size(block)))
    DialogBoxIndirectParamA(nullptr, reinterpret_cast<DLGTEMPLATE*>(block), owner, NotesEditorProc, 0);
}
