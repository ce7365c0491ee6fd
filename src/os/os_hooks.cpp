// The test hooks shared by both implementations of the seam.
#include "os/os_hooks.h"

#include <cstring>

ClockHook g_clockHook = nullptr;
MessageBoxHook g_messageBoxHook = nullptr;
char g_executablePath[260] = "";

void OsSetClockHook(ClockHook hook) { g_clockHook = hook; }
void OsSetMessageBoxHook(MessageBoxHook hook) { g_messageBoxHook = hook; }

void OsSetExecutablePath(const char* path) {
  g_executablePath[0] = 0;
  if (path && std::strlen(path) < sizeof g_executablePath) std::strcpy(g_executablePath, path);
}

// Whole-file replacement and UTC times.
FaultHook g_faultHook = nullptr;
ZoneHook g_zoneHook = nullptr;
void OsSetFaultHook(FaultHook hook) { g_faultHook = hook; }
void OsSetZoneHook(ZoneHook hook) { g_zoneHook = hook; }
