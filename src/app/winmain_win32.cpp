// Entry of Oristel.exe: one running copy, the calendar window, the message loop.
#include <windows.h>

#include "app/main_window_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
  // The named mapping marks the running copy for as long as the process lives.
  HANDLE guard = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0, 32, "ORISTEL_2007");
  if (guard && GetLastError() == ERROR_ALREADY_EXISTS) {
    MessageBoxA(nullptr, "Ya existe una copia en ejecución.", "Oristel 2007", MB_ICONEXCLAMATION);
    ExitProcess(1);
  }
  RegisterMainWindowClass(instance);
  if (!CreateMainWindow(instance, showState)) return 0;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
