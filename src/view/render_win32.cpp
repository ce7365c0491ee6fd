// Drawing of the month: title, arrows, weekday letters, the days coloured by
// class with their note and today backgrounds, today's moon phase and the
// flag strip. Everything is drawn into the off-screen image; painting the
// window only copies it.
#include "view/render_win32.h"

#include <cstdio>
#include <cstring>

#include "base/gdi_win32.h"
#include "base/settings.h"
#include "base/shell_win32.h"
#include "calendar/dates.h"
#include "calendar/moon.h"
#include "calendar/names.h"
#include "calendar/regions.h"
#include "notes/notes_store.h"
#include "resources/resource.h"
#include "view/layout.h"

Rect LayoutRectOf(const CalendarSettings& s, int element) {
  Rect r{};
  ComputeLayoutRect(element, s.CellWidth, s.CellHeight, s.DrawFlag, &r);
  return r;
}

// Text colour of a day class: the four text colours follow each other in the record.
static COLORREF ClassColor(const CalendarSettings& s, int dayClass) {
  const ColorRef* colors = &s.WorkdayTextColor;
  return colors[dayClass >= 0 && dayClass <= 3 ? dayClass : 0];
}

// Fills a rectangle with a solid colour (an opaque empty text over it).
static void FillRectColor(HDC dc, const Rect& r, COLORREF color) {
  SetBkColor(dc, color);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, reinterpret_cast<const RECT*>(&r), "", 0, nullptr);
}

// A one-pixel line, end point excluded.
static void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
  GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, color));
  ScopedSelect select(dc, pen.get());
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

static POINT RectCenter(const Rect& r) { return {r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2}; }

// A small black triangle pointing left (left 1) or right at point, for a
// cell h high: 3 pixels each side of the point up to a cell of 17 (the
// message font at 96 DPI), then growing with the cell, so that on a larger
// screen font it stays the size of the title's letters.
static void DrawArrowHead(HDC dc, int left, POINT p, int h) {
  const int half = h > 17 ? (h + 2) / 5 : 3;           // 3 .. ; 5 for the 23-pixel cell at 144 DPI
  const int back = (half - 1) / 2, tip = half - back;  // 1 and 2 at 3
  ScopedSelect select(dc, GetStockObject(BLACK_BRUSH));
  if (left) {
    POINT corners[3] = {{p.x + back, p.y - half}, {p.x - tip, p.y}, {p.x + back, p.y + half}};
    Polygon(dc, corners, 3);
  } else {
    POINT corners[3] = {{p.x - back, p.y - half}, {p.x + tip, p.y}, {p.x - back, p.y + half}};
    Polygon(dc, corners, 3);
  }
}

// A raised (sunken 0) or sunken one-pixel frame.
static void DrawFrame3D(HDC dc, int sunken, int x, int y, int width, int height) {
  {
    ScopedSelect light(dc, GetStockObject(sunken ? LTGRAY_BRUSH : WHITE_BRUSH));
    PatBlt(dc, x, y + 1, 1, height - 2, PATCOPY);
    PatBlt(dc, x, y, width - 1, 1, PATCOPY);
  }
  ScopedSelect dark(dc, GetStockObject(sunken ? WHITE_BRUSH : LTGRAY_BRUSH));
  PatBlt(dc, x + width - 1, y, 1, height - 1, PATCOPY);
  PatBlt(dc, x, y + height - 1, width, 1, PATCOPY);
}

HBITMAP LoadFlagBitmap(int community) {
  if (community < 1 || community > CommunityCount) community = 1;
  GdiObject<HBITMAP> strip(static_cast<HBITMAP>(
      LoadImageA(g_instance, MAKEINTRESOURCEA(IDB_FLAG_STRIP), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!strip.get()) return nullptr;
  WindowDC screen(nullptr);
  MemoryDC source(screen.get()), target(screen.get());
  ScopedSelect selectStrip(source.get(), strip.get());
  GdiObject<HBITMAP> tile(CreateCompatibleBitmap(source.get(), FlagTileWidth, FlagTileHeight));
  {
    ScopedSelect selectTile(target.get(), tile.get());
    BitBlt(target.get(), 0, 0, FlagTileWidth, FlagTileHeight, source.get(), (community - 1) * FlagTileWidth, 0,
           SRCCOPY);
  }
  return tile.release();
}

// Whole calendar area in the background colour.
static void DrawBackground(HDC dc, const CalendarSettings& s) {
  FillRectColor(dc, LayoutRectOf(s, LayoutWindow), s.CalendarBackColor);
}

// The two arrow boxes.
static void DrawArrows(HDC dc, const CalendarSettings& s) {
  Rect r = LayoutRectOf(s, LayoutPrevArrow);
  FillRectColor(dc, r, s.TitleBackColor);
  DrawArrowHead(dc, 1, RectCenter(r), s.CellHeight);
  r = LayoutRectOf(s, LayoutNextArrow);
  FillRectColor(dc, r, s.TitleBackColor);
  DrawArrowHead(dc, 0, RectCenter(r), s.CellHeight);
}

// One letter per weekday over a line in the title colour.
static void DrawWeekdayHeading(HDC dc, const CalendarSettings& s) {
  const int w = s.CellWidth;
  Rect r = LayoutRectOf(s, LayoutWeekdayHeader);
  FillRectColor(dc, r, s.CalendarBackColor);
  DrawLine(dc, r.left, r.bottom - 1, r.right, r.bottom - 1, s.TitleBackColor);
  SetTextColor(dc, s.WorkdayTextColor);
  SetTextAlign(dc, TA_CENTER | TA_TOP);
  for (int column = 0; column < 7; ++column)
    TextOutA(dc, r.left + w / 2 + column * w, r.top, WeekdayInitials(s.Language, column), 1);
}

// The community's flag tile in a raised frame, its name beside it.
static void DrawFlagStrip(HDC dc, const CalendarSettings& s) {
  Rect r = LayoutRectOf(s, LayoutFlagCaption);
  FillRectColor(dc, r, s.CalendarBackColor);
  SetTextColor(dc, s.WorkdayTextColor);
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  char name[64] = "";
  CommunityName(s.Community, name, sizeof name);
  DrawTextA(dc, name, -1, AsRect(&r), DT_CENTER | DT_WORDBREAK | DT_TOP);

  r = LayoutRectOf(s, LayoutFlag);
  GdiObject<HBITMAP> tile(LoadFlagBitmap(s.Community));
  if (tile.get()) {
    MemoryDC source(dc);
    ScopedSelect select(source.get(), tile.get());
    BitBlt(dc, r.left, r.top, FlagTileWidth, FlagTileHeight, source.get(), 0, 0, SRCCOPY);
  }
  DrawFrame3D(dc, 0, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Month name and year in the title box.
static void DrawTitle(HDC dc, const CalendarSettings& s) {
  Rect r = LayoutRectOf(s, LayoutTitle);
  FillRectColor(dc, r, s.TitleBackColor);
  SetTextColor(dc, s.TitleTextColor);
  char title[64];
  int n = std::snprintf(title, sizeof title, "%s  %i", MonthName(s.Language, s.ShownMonth), s.ShownYear);
  if (n < 0 || n >= static_cast<int>(sizeof title)) n = static_cast<int>(std::strlen(title));
  TextOutA(dc, RectCenter(r).x, r.top, title, n);
}

// Background of a day: the note colour, then today's colour over the whole
// cell or, when the day also has a note, over its upper part only.
static void FillDayBackground(HDC dc, const CalendarSettings& s, Rect cell, int note, int today) {
  if (note) FillRectColor(dc, cell, s.NoteDayBackColor);
  if (today) {
    if (note) cell.bottom -= s.CellHeight / 2;
    FillRectColor(dc, cell, s.TodayBackColor);
  }
}

// The grid: every day of the month, coloured by class, with its backgrounds.
static void DrawDays(HDC dc, const CalendarSettings& s) {
  const int w = s.CellWidth, h = s.CellHeight;
  const int month = s.ShownMonth, year = s.ShownYear;
  const int n = DaysInMonth(month, year);
  int32_t classes[31];
  ClassifyMonth(month, year, s.LocalHolidays, s.ShowOtherHolidays, classes);
  int32_t notes[31] = {};
  if (!ReadMonthFlags(month, notes)) std::memset(notes, 0, sizeof notes);
  const int today = TodayInMonth(month, year);

  Rect grid = LayoutRectOf(s, LayoutDayGrid);
  FillRectColor(dc, grid, s.CalendarBackColor);
  SetTextColor(dc, s.WorkdayTextColor);
  int currentClass = 0;
  int column, row;
  DayGridPosition(1, month, year, &column, &row);
  for (int d = 1; d <= n; ++d) {
    Rect cell = GridCellRect(column, row, w, h);
    FillDayBackground(dc, s, cell, notes[d - 1], today == d);
    if (classes[d - 1] != currentClass) {
      currentClass = classes[d - 1];
      SetTextColor(dc, ClassColor(s, currentClass));
    }
    TextOutA(dc, cell.left + w / 2, cell.top, DayNumberText(d), 2);
    if (++column == 7) column = 0, ++row;
  }
  DrawLine(dc, grid.right - w, grid.top, grid.right - w, grid.bottom - h, s.TitleBackColor);
}

// The symbol of moon phase p (1 new .. 4 last quarter) and its name.
static void DrawMoonPhase(HDC dc, const CalendarSettings& s, int phase) {
  Rect r = LayoutRectOf(s, LayoutMoonBox);
  int side = r.right - r.left < r.bottom - r.top ? r.right - r.left : r.bottom - r.top;
  r.right = r.left + side;
  r.bottom = r.top + side;
  FillRectColor(dc, r, s.CalendarBackColor);
  Ellipse(dc, r.left, r.top, r.right, r.bottom);
  {
    ScopedSelect black(dc, GetStockObject(BLACK_BRUSH));
    int mid = r.left + (r.right - r.left) / 2;
    if (phase == 1)
      Ellipse(dc, r.left, r.top, r.right, r.bottom);
    else if (phase == 2 || phase == 4)
      Pie(dc, r.left, r.top, r.right, r.bottom, mid, r.top, mid, r.bottom);
  }
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  SetTextColor(dc, s.WorkdayTextColor);
  const char* name = MoonPhaseName(s.Language, phase);
  TextOutA(dc, r.left + s.CellWidth, r.top, name, static_cast<int>(std::strlen(name)));
}

void DrawMonth(HDC dc, const CalendarSettings& s, int full) {
  GdiObject<HFONT> font(CreateFontIndirectA(AsLogFont(s.CalendarFont)));
  ScopedSelect selectFont(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  if (full) {
    DrawBackground(dc, s);
    DrawArrows(dc, s);
    DrawWeekdayHeading(dc, s);
    if (s.DrawFlag) DrawFlagStrip(dc, s);
  }
  SetTextAlign(dc, TA_CENTER | TA_TOP);
  DrawTitle(dc, s);
  DrawDays(dc, s);
  if (s.ShownYear == DataYear) {
    const int today = TodayInMonth(s.ShownMonth, DataYear);
    const int phase = today ? MoonPhaseOfDay(ToDayIndex(today, s.ShownMonth)) : 0;
    if (phase) DrawMoonPhase(dc, s, phase);
  }
}

// One day's cell drawn afresh, the calendar font selected: its backgrounds,
// the Sunday column's line and its number in its class colour.
static void DrawOneDay(HDC dc, const CalendarSettings& s, int day, int note, Rect* cell) {
  const int month = s.ShownMonth, year = s.ShownYear;
  const int dayClass = ClassifyDay(day, month, year, s.LocalHolidays, s.ShowOtherHolidays);
  *cell = DayCellRect(day, month, year, s.CellWidth, s.CellHeight);
  if (!note) FillRectColor(dc, *cell, s.CalendarBackColor);
  FillDayBackground(dc, s, *cell, note, TodayInMonth(month, year) == day);
  if (DayOfWeek(day, month, year) == 7)  // the Sunday column's left line, covered by the fill
    DrawLine(dc, cell->left, cell->top, cell->left, cell->bottom, s.TitleBackColor);
  SetTextColor(dc, ClassColor(s, dayClass));
  TextOutA(dc, cell->left + s.CellWidth / 2, cell->top, DayNumberText(day), 2);
}

void DrawSelectedDay(HDC dc, const CalendarSettings& s, Rect* cell) {
  GdiObject<HFONT> font(CreateFontIndirectA(AsLogFont(s.CalendarFont)));
  ScopedSelect selectFont(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_CENTER | TA_TOP);
  int32_t note = 0;
  ReadNoteFlag(s.SelectedDay, s.ShownMonth, &note);
  DrawOneDay(dc, s, s.SelectedDay, note, cell);
}

void DrawFocusMove(HDC dc, const CalendarSettings& s, int plainDay, int focusDay, Rect* plainCell, Rect* focusCell) {
  GdiObject<HFONT> font(CreateFontIndirectA(AsLogFont(s.CalendarFont)));
  ScopedSelect selectFont(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_CENTER | TA_TOP);
  int32_t notes[31] = {};  // both days' flags in one read
  if (!ReadMonthFlags(s.ShownMonth, notes)) std::memset(notes, 0, sizeof notes);
  if (plainDay) DrawOneDay(dc, s, plainDay, notes[plainDay - 1], plainCell);
  if (!focusDay) return;
  DrawOneDay(dc, s, focusDay, notes[focusDay - 1], focusCell);
  const RECT inside = {focusCell->left + 1, focusCell->top + 1, focusCell->right - 1, focusCell->bottom - 1};
  DrawFocusRect(dc, &inside);
}

void RenderMonth(HWND window, int full) {
  MemoryDC memory(WindowDC(window).get());
  ScopedSelect image(memory.get(), g_offscreen.get());
  DrawMonth(memory.get(), *g_settings, full);
}

void RedrawDay(HWND window, Rect* cell) {
  MemoryDC memory(WindowDC(window).get());
  ScopedSelect image(memory.get(), g_offscreen.get());
  DrawSelectedDay(memory.get(), *g_settings, cell);
}
