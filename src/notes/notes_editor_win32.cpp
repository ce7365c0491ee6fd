// The notes editor: a small dialog built in memory at every opening, so that
// its caption and buttons follow the display language and its font the
// notes font. Cancel is the default button: Enter closes without saving.
#include "notes/notes_editor_win32.h"

#include <cstdio>
#include <cstring>

#include "app/clock.h"
#include "app/program_files.h"
#include "app/settings.h"
#include "app/shell_win32.h"
#include "calendar/names.h"
#include "infofiles/today_page.h"
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
    {"Aceptar", "Cancelar", "Hoy...", "Notas"},
    {"Acceptar", "Cancel-lar", "Avui...", "Notes"},
    {"Acetar", "Cancelar", "Hoxe...", "Notas"},
    {"Ados", "Utzi", "Egun...", "Oharrak"},
    {"Aceitar", "Cancelar", "Hoje...", "Verbetar"},
    {"OK", "Annuler", "Aujourd'hui...", "Notes"},
};

enum ControlAtom : WORD { AtomButton = 0x0080, AtomEdit = 0x0081, AtomStatic = 0x0082 };

// Writes an 8-bit text as UTF-16 at position; returns the position behind
// its terminating zero, or nullptr when it does not fit before end.
static WORD* WriteText(WORD* position, const WORD* end, const char* text) {
  int room = static_cast<int>(end - position);
  if (room <= 0) return nullptr;
  int n = MultiByteToWideChar(CP_ACP, 0, text, -1, reinterpret_cast<wchar_t*>(position), room);
  return n > 0 ? position + n : nullptr;
}

static WORD* AlignDword(WORD* position) {
  return reinterpret_cast<WORD*>((reinterpret_cast<uintptr_t>(position) + 3) & ~uintptr_t(3));
}

// The dialog header with its font; returns the position behind it.
static WORD* WriteDialogHeader(WORD* position, const WORD* end, const char* title, DWORD style, WORD count,
                               const char* face, WORD points, short x, short y, short cx, short cy) {
  if (end - position < 13) return nullptr;
  auto* header = reinterpret_cast<DLGTEMPLATE*>(position);
  header->style = style;
  header->dwExtendedStyle = 0;
  header->cdit = count;
  header->x = x;
  header->y = y;
  header->cx = cx;
  header->cy = cy;
  position = reinterpret_cast<WORD*>(header + 1);
  *position++ = 0;  // no menu
  *position++ = 0;  // default class
  if (!(position = WriteText(position, end, title)) || position >= end) return nullptr;
  *position++ = points;
  return WriteText(position, end, face);
}

// One control record, aligned on 4 bytes; returns the position behind it.
static WORD* WriteDialogItem(WORD* position, const WORD* end, WORD atom, WORD id, const char* text, DWORD style,
                             short x, short y, short cx, short cy) {
  position = AlignDword(position);
  if (end - position < 13) return nullptr;
  auto* item = reinterpret_cast<DLGITEMTEMPLATE*>(position);
  item->style = style;
  item->dwExtendedStyle = 0;
  item->x = x;
  item->y = y;
  item->cx = cx;
  item->cy = cy;
  item->id = id;
  position = reinterpret_cast<WORD*>(item + 1);
  *position++ = 0xFFFF;
  *position++ = atom;
  if (!(position = WriteText(position, end, text)) || position >= end) return nullptr;
  *position++ = 0;  // no creation data
  return position;
}

// The editor's template in the display language; 1 when it fits the block.
static int BuildNotesTemplate(void* block, size_t size) {
  const NotesEditorLabels& labels = kLabels[g_settings->Language];
  char caption[64];
  std::snprintf(caption, sizeof caption, "  %s, %i", MonthName(g_settings->Language, g_settings->ShownMonth),
                g_settings->SelectedDay);
  char face[32];
  std::memcpy(face, g_settings->NotesFont.FaceName, sizeof face);
  face[sizeof face - 1] = 0;
  DWORD todayStyle = g_settings->ShownYear == 2007 ? 0x50010000 : 0x58010000;

  auto* position = static_cast<WORD*>(block);
  const WORD* end = position + size / sizeof(WORD);
  position = WriteDialogHeader(position, end, caption, 0x90C800C0, 5, face,
                               static_cast<WORD>(g_settings->NotesFontPoints), 0, 0, 242, 96);
  if (position) position = WriteDialogItem(position, end, AtomButton, IDOK, labels.Accept, 0x50010000, 15, 75, 58, 14);
  if (position)
    position = WriteDialogItem(position, end, AtomButton, IDCANCEL, labels.Cancel, 0x50010001, 93, 75, 58, 14);
  if (position)
    position = WriteDialogItem(position, end, AtomButton, IDC_NOTE_TODAY, labels.Today, todayStyle, 170, 75, 58, 14);
  if (position) position = WriteDialogItem(position, end, AtomEdit, IDC_NOTE_TEXT, "", 0x50810044, 7, 16, 226, 50);
  if (position)
    position = WriteDialogItem(position, end, AtomStatic, 0xFFFF, labels.Label, 0x50000000, 7, 3, 220, 12);
  return position != nullptr;
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

// Shows the today page of the day; the editor stays open.
static void OnToday(HWND) {
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  BuildTodayPage();
  SetCursor(previous);
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
  void* block = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, TemplateSize);
  if (!block) return;
  if (BuildNotesTemplate(block, TemplateSize))
    DialogBoxIndirectParamA(nullptr, static_cast<DLGTEMPLATE*>(block), owner, NotesEditorProc, 0);
  HeapFree(GetProcessHeap(), 0, block);
}
