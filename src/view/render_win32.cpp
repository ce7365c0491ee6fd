// Drawing of the month: title, arrows, weekday letters, the days coloured by
// class with their note and today backgrounds, today's moon phase and the
// flag strip. Everything is drawn into the off-screen image; painting the
// window only copies it.
#include "view/render_win32.h"

#include <cstdio>
#include <cstring>

#include "app/settings.h"
#include "app/shell_win32.h"
#include "calendar/dates.h"
#include "calendar/moon.h"
#include "calendar/names.h"
#include "calendar/regions.h"
#include "notes/notes_store.h"
#include "resources/resource.h"
#include "view/gdi_win32.h"
#include "view/layout.h"

constexpr int FlagTileWidth = 45;
constexpr int FlagTileHeight = 31;
constexpr int FlagTileCount = 20;

static Rect Element(int element) {
  Rect r{};
  ComputeLayoutRect(element, &r);
  return r;
}

// Text colour of a day class: the four text colours follow each other in the record.
static COLORREF ClassColor(int dayClass) {
  const ColorRef* colors = &g_settings->WorkdayTextColor;
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

// A small black triangle pointing left (left 1) or right at point.
static void DrawArrowHead(HDC dc, int left, POINT p) {
  ScopedSelect select(dc, GetStockObject(BLACK_BRUSH));
  if (left) {
    POINT corners[3] = {{p.x + 1, p.y - 3}, {p.x - 2, p.y}, {p.x + 1, p.y + 3}};
    Polygon(dc, corners, 3);
  } else {
    POINT corners[3] = {{p.x - 1, p.y - 3}, {p.x + 2, p.y}, {p.x - 1, p.y + 3}};
    Polygon(dc, corners, 3);
  }
}

// A raised (sunken 0) or sunken one-pixel frame.
static void DrawFrame3D(HDC dc, int sunken, int x, int y, int width, int height) {
  HGDIOBJ light = GetStockObject(sunken ? LTGRAY_BRUSH : WHITE_BRUSH);
  HGDIOBJ dark = GetStockObject(sunken ? WHITE_BRUSH : LTGRAY_BRUSH);
  HGDIOBJ previous = SelectObject(dc, light);
  PatBlt(dc, x, y + 1, 1, height - 2, PATCOPY);
  PatBlt(dc, x, y, width - 1, 1, PATCOPY);
  SelectObject(dc, dark);
  PatBlt(dc, x + width - 1, y, 1, height - 1, PATCOPY);
  PatBlt(dc, x, y + height - 1, width, 1, PATCOPY);
  SelectObject(dc, previous);
}

HBITMAP LoadFlagBitmap(int community) {
  if (community < 1 || community > FlagTileCount) community = 1;
  GdiObject<HBITMAP> strip(static_cast<HBITMAP>(
      LoadImageA(g_instance, MAKEINTRESOURCEA(IDB_FLAG_STRIP), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!strip.get()) return nullptr;
  HDC screen = GetDC(nullptr);
  HDC source = CreateCompatibleDC(screen);
  HDC target = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ previousSource = SelectObject(source, strip.get());
  HBITMAP tile = CreateCompatibleBitmap(source, FlagTileWidth, FlagTileHeight);
  HGDIOBJ previousTarget = SelectObject(target, tile);
  BitBlt(target, 0, 0, FlagTileWidth, FlagTileHeight, source, (community - 1) * FlagTileWidth, 0, SRCCOPY);
  SelectObject(target, previousTarget);
  SelectObject(source, previousSource);
  DeleteDC(target);
  DeleteDC(source);
  return tile;
}

// Whole calendar area in the background colour.
static void DrawBackground(HDC dc) { FillRectColor(dc, Element(LayoutWindow), g_settings->CalendarBackColor); }

// The two arrow boxes.
static void DrawArrows(HDC dc) {
  Rect r = Element(LayoutPrevArrow);
  FillRectColor(dc, r, g_settings->TitleBackColor);
  DrawArrowHead(dc, 1, RectCenter(r));
  r = Element(LayoutNextArrow);
  FillRectColor(dc, r, g_settings->TitleBackColor);
  DrawArrowHead(dc, 0, RectCenter(r));
}

// One letter per weekday over a line in the title colour.
static void DrawWeekdayHeading(HDC dc) {
  const int w = g_settings->CellWidth;
  Rect r = Element(LayoutWeekdayHeader);
  FillRectColor(dc, r, g_settings->CalendarBackColor);
  DrawLine(dc, r.left, r.bottom - 1, r.right, r.bottom - 1, g_settings->TitleBackColor);
  SetTextColor(dc, g_settings->WorkdayTextColor);
  SetTextAlign(dc, TA_CENTER | TA_TOP);
  for (int column = 0; column < 7; ++column)
    TextOutA(dc, r.left + w / 2 + column * w, r.top, WeekdayInitials(g_settings->Language, column), 1);
}

// The community's flag tile in a raised frame, its name beside it.
static void DrawFlagStrip(HDC dc) {
  Rect r = Element(LayoutFlagCaption);
  FillRectColor(dc, r, g_settings->CalendarBackColor);
  SetTextColor(dc, g_settings->WorkdayTextColor);
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  char name[64] = "";
  CommunityName(g_settings->Community, name, sizeof name);
  DrawTextA(dc, name, -1, AsRect(&r), DT_CENTER | DT_WORDBREAK | DT_TOP);

  r = Element(LayoutFlag);
  GdiObject<HBITMAP> tile(LoadFlagBitmap(g_settings->Community));
  if (tile.get()) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, tile.get());
    BitBlt(dc, r.left, r.top, FlagTileWidth, FlagTileHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
  }
  DrawFrame3D(dc, 0, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Month name and year in the title box.
static void DrawTitle(HDC dc) {
  Rect r = Element(LayoutTitle);
  FillRectColor(dc, r, g_settings->TitleBackColor);
  SetTextColor(dc, g_settings->TitleTextColor);
  char title[64];
  int n = std::snprintf(title, sizeof title, "%s  %i", MonthName(g_settings->Language, g_settings->ShownMonth),
                        g_settings->ShownYear);
  if (n < 0 || n >= static_cast<int>(sizeof title)) n = static_cast<int>(std::strlen(title));
  TextOutA(dc, RectCenter(r).x, r.top, title, n);
}

// Cell of the day in grid column c (0 Monday) and row.
static Rect GridCell(int column, int row) {
  const int w = g_settings->CellWidth, h = g_settings->CellHeight;
  int left = w / 2 + column * w, top = 2 * h + row * h;
  return {left, top, left + w, top + h};
}

// Background of a day: the note colour, then today's colour over the whole
// cell or, when the day also has a note, over its upper part only.
static void FillDayBackground(HDC dc, Rect cell, int note, int today) {
  const int h = g_settings->CellHeight;
  if (note) FillRectColor(dc, cell, g_settings->NoteDayBackColor);
  if (today) {
    if (note) cell.bottom -= h / 2;
    FillRectColor(dc, cell, g_settings->TodayBackColor);
  }
}

// The grid: every day of the month, coloured by class, with its backgrounds.
static void DrawDays(HDC dc) {
  const int w = g_settings->CellWidth, h = g_settings->CellHeight;
  const int month = g_settings->ShownMonth, year = g_settings->ShownYear;
  int n = DaysInMonth(month, year);
  int column = DayOfWeek(1, month, year) - 1;
  int32_t classes[31];
  ClassifyMonth(month, year, classes);
  int32_t notes[31] = {};
  if (!ReadMonthFlags(month, notes)) std::memset(notes, 0, sizeof notes);
  int today = TodayInMonth(month, year);

  Rect grid = Element(LayoutDayGrid);
  FillRectColor(dc, grid, g_settings->CalendarBackColor);
  SetTextColor(dc, g_settings->WorkdayTextColor);
  int currentClass = 0;
  int row = 0;
  for (int d = 1; d <= n; ++d) {
    Rect cell = GridCell(column, row);
    FillDayBackground(dc, cell, notes[d - 1], today == d);
    if (classes[d - 1] != currentClass) {
      currentClass = classes[d - 1];
      SetTextColor(dc, ClassColor(currentClass));
    }
    TextOutA(dc, cell.left + w / 2, cell.top, DayNumberText(d), 2);
    if (++column == 7) column = 0, ++row;
  }
  DrawLine(dc, grid.right - w, grid.top, grid.right - w, grid.bottom - h, g_settings->TitleBackColor);
}

// The symbol of moon phase p (1 new .. 4 last quarter) and its name.
static void DrawMoonPhase(HDC dc, int phase) {
  Rect r = Element(LayoutMoonBox);
  int side = r.right - r.left < r.bottom - r.top ? r.right - r.left : r.bottom - r.top;
  r.right = r.left + side;
  r.bottom = r.top + side;
  FillRectColor(dc, r, g_settings->CalendarBackColor);
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
  SetTextColor(dc, g_settings->WorkdayTextColor);
  const char* name = MoonPhaseName(g_settings->Language, phase);
  TextOutA(dc, r.left + g_settings->CellWidth, r.top, name, static_cast<int>(std::strlen(name)));
}

void DrawMonth(HDC dc, int full) {
  GdiObject<HFONT> font(CreateFontIndirectA(AsLogFont(g_settings->CalendarFont)));
  ScopedSelect selectFont(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  if (full) {
    DrawBackground(dc);
    DrawArrows(dc);
    DrawWeekdayHeading(dc);
    if (g_settings->DrawFlag) DrawFlagStrip(dc);
  }
  SetTextAlign(dc, TA_CENTER | TA_TOP);
  DrawTitle(dc);
  DrawDays(dc);
  if (g_settings->ShownYear == 2007) {
    int today = TodayInMonth(g_settings->ShownMonth, 2007);
    int phase = today ? MoonPhaseOfDay(ToDayIndex(today, g_settings->ShownMonth)) : 0;
    if (phase) DrawMoonPhase(dc, phase);
  }
}

void DrawSelectedDay(HDC dc, Rect* cell) {
  GdiObject<HFONT> font(CreateFontIndirectA(AsLogFont(g_settings->CalendarFont)));
  ScopedSelect selectFont(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_CENTER | TA_TOP);
  const int day = g_settings->SelectedDay, month = g_settings->ShownMonth, year = g_settings->ShownYear;
  int dayClass = ClassifyDay(day, month, year);
  int32_t note = 0;
  ReadNoteFlag(day, month, &note);
  DayCellRect(cell);
  if (!note) FillRectColor(dc, *cell, g_settings->CalendarBackColor);
  FillDayBackground(dc, *cell, note, TodayInMonth(month, year) == day);
  if (DayOfWeek(day, month, year) == 7)  // the Sunday column's left line, covered by the fill
    DrawLine(dc, cell->left, cell->top, cell->left, cell->bottom, g_settings->TitleBackColor);
  SetTextColor(dc, ClassColor(dayClass));
  TextOutA(dc, cell->left + g_settings->CellWidth / 2, cell->top, DayNumberText(day), 2);
}

void RenderMonth(HWND window, int full) {
  MemoryDC memory(window);
  ScopedSelect image(memory.get(), g_offscreen);
  DrawMonth(memory.get(), full);
}

void RedrawDay(HWND window, Rect* cell) {
  MemoryDC memory(window);
  ScopedSelect image(memory.get(), g_offscreen);
  DrawSelectedDay(memory.get(), cell);
}
