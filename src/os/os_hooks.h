// State of the test hooks, read by the implementations of the seam.
#pragma once
#include "os/os.h"

extern ClockHook g_clockHook;
extern MessageBoxHook g_messageBoxHook;
extern char g_executablePath[260];  // empty: the real path

// Whole-file replacement and UTC times.
extern FaultHook g_faultHook;
extern ZoneHook g_zoneHook;
