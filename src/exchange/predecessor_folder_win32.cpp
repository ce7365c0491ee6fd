// The folder the predecessor program is installed in, picked in the shell's
// folder browser, and the test that its notes database is there.
#include <shlobj.h>

#include <cstring>

#include "exchange/predecessor_import.h"
#include "exchange/wizard_pages_win32.h"

// Nonzero when a folder was chosen, its path in path (MAX_PATH characters).
static int BrowseForFolder(char* path, HWND owner, const char* title) {
  LPITEMIDLIST root = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &root)) || !root) return 0;
  char displayName[MAX_PATH] = {};
  BROWSEINFOA browse = {};
  browse.hwndOwner = owner;
  browse.pidlRoot = root;
  browse.pszDisplayName = displayName;
  browse.lpszTitle = title;
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  // The browser wants the thread's COM apartment.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
  const int found = chosen ? SHGetPathFromIDListA(chosen, path) : 0;
  IMalloc* shellMalloc = nullptr;
  if (SUCCEEDED(SHGetMalloc(&shellMalloc)) && shellMalloc) {
    shellMalloc->Free(root);
    if (chosen) shellMalloc->Free(chosen);
    shellMalloc->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return found;
}

int ChoosePredecessorFolder(HWND owner) {
  char* path = g_wizardChoices.TargetPath;
  std::memset(path, 0, sizeof g_wizardChoices.TargetPath);
  if (!BrowseForFolder(path, owner, "Seleccione la carpeta en que se encuentra Brisol 2006.")) return 0;
  // The database's path; a folder too deep for it cannot hold it.
  const size_t length = std::strlen(path);
  const size_t room = sizeof g_wizardChoices.TargetPath - length;
  const int fits = room > std::strlen(PredecessorNotesName) + 1;
  if (fits) {
    path[length] = '\\';
    std::memcpy(path + length + 1, PredecessorNotesName, std::strlen(PredecessorNotesName) + 1);
  }
  if (fits && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) return 1;
  MessageBoxA(nullptr, "No he encontrado el archivo con las notas: Brisol2006.dbf en la carpeta.",
              "Importar notas del Brisol 2006", MB_ICONERROR | MB_OK);
  return 0;
}
