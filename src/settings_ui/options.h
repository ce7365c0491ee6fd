// What the options pages decide without the windowing system: the working
// copy and its commit, the swatch colours, the font description, the cell
// sizes a font may give, and the region choice of the holidays page.
#pragma once
#include <cstdint>

#include "base/settings.h"

// Starts the sheet's working copy: clears Changed in the live record, then
// copies the whole record (so the copy starts with Changed 0).
void BeginSettingsCopy(CalendarSettings* live, CalendarSettings* copy);
// Ends it after the sheet returned sheetResult: when the sheet ran (not -1)
// and a page set Changed in the copy, the copy replaces the live record
// whole, whether the sheet was accepted or cancelled. 1 unless the sheet
// failed; the live Changed is then 1 exactly when the copy was committed.
int EndSettingsCopy(intptr_t sheetResult, const CalendarSettings& copy, CalendarSettings* live);

// The nine colours of the colours page, swatch 0..8 (text colours of the
// four day classes and of the title, then the four backgrounds); null for
// any other index.
constexpr int SwatchCount = 9;
ColorRef* SwatchColor(CalendarSettings* settings, int swatch);

// "%i pto %s": the point size and the face name (at most its 32 bytes, even
// without a terminating zero), cut to fit text of size bytes.
void FormatFontDescription(int points, const LogFont& font, char* text, int size);

// 1 when a day cell of width x height can be laid out (MinCellSize ..
// MaxCellSize both ways), else 0: such a font is refused.
int CellSizeFits(int width, int height);

// The point sizes the font dialog offers for the calendar font on a screen
// of dpi pixels per inch: a font of at least MinCellSize pixels to the em
// and at most a third of MaxCellSize ("XXX" is a cell's width), so that
// every offered size gives a cell CellSizeFits takes.
struct PointRange {
  int Min, Max;
};
PointRange CalendarPointRange(int dpi);

// 1 when the city is 0 (no city) or one of the community's cities.
int CityOfCommunity(int city, int community);

// What the holidays page shows when it is left. Community and City hold
// the item data of the selected entries, NoSelection when the box selects
// no entry (a typed text that matches none): that field stays as it was.
constexpr int32_t NoSelection = -1;
struct RegionChoice {
  int32_t ShowOther;  // 0 or 1
  int32_t DrawFlag;   // 0 or 1
  int32_t Community;
  int32_t City;
};
// Stores the choice in the copy, setting Changed when a field takes a
// different value; a city that is not one of the stored community's cities
// gives way to the one stored before when that belongs, else to 0. The own
// holidays are collected again only when the community or the city changed.
// 1 when a field changed, else 0.
int StoreRegionChoice(const RegionChoice& choice, CalendarSettings* copy);
