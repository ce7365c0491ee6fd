#pragma once
#include <windows.h>

// Registers the class of the calendar window.
void RegisterMainWindowClass(HINSTANCE instance);
// Loads the settings, creates, places, draws and shows the calendar window.
// 1 when it is up; 0 when the settings or the window could not be had.
int CreateMainWindow(HINSTANCE instance, int showState);
