#pragma once
#include <windows.h>

// The About box: name, version, credits and the maker's home page.
void ShowAboutBox(HWND owner);
