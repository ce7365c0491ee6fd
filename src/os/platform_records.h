// Portable mirrors of the Windows records that the program's files store
// verbatim. The shell checks them against <windows.h> (base/shell_win32.cpp).
#pragma once
#include <cstddef>
#include <cstdint>

using ColorRef = uint32_t;  // 0x00BBGGRR

// FILETIME: 100-ns intervals since 1 January 1601, low word first.
struct FileTime {
  uint32_t Low;
  uint32_t High;
};
static_assert(sizeof(FileTime) == 8);

// RECT: right and bottom exclusive.
struct Rect {
  int32_t left, top, right, bottom;
};
static_assert(sizeof(Rect) == 16);

// LOGFONTA, 60 bytes.
struct LogFont {
  int32_t Height, Width, Escapement, Orientation, Weight;
  uint8_t Italic, Underline, StrikeOut, CharSet, OutPrecision, ClipPrecision, Quality, PitchAndFamily;
  char FaceName[32];
};
static_assert(sizeof(LogFont) == 60);
static_assert(offsetof(LogFont, Italic) == 20);
static_assert(offsetof(LogFont, FaceName) == 28);
