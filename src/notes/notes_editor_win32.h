#pragma once
#include <windows.h>

// Shows and edits the note of SelectedDay in ShownMonth; sets Changed when it
// wrote the note.
void OpenNotesEditor(HWND owner);
