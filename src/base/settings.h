// The settings record: every setting and the view state, the image of the
// first 280 bytes of the settings file "cal_2007.op".
#pragma once
#include <cstddef>
#include <cstdint>

#include "os/platform_records.h"

struct CalendarSettings {
  uint32_t Reserved0;         // word 0: kept as read
  int32_t Community;          // 1..20, the region tables' community code
  int32_t City;               // 0 = no city
  int32_t ShowOtherHolidays;  // 0 or 1
  ColorRef WorkdayTextColor;  // words 4..7: text colour by day class 0..3
  ColorRef SundayTextColor;
  ColorRef HolidayTextColor;
  ColorRef OtherHolidayTextColor;
  ColorRef TitleTextColor;
  ColorRef CalendarBackColor;
  ColorRef NoteDayBackColor;
  ColorRef TodayBackColor;
  ColorRef TitleBackColor;
  FileTime SavedTime;                                        // high word 0: never saved (first run)
  int32_t WindowLeft, WindowTop, WindowWidth, WindowHeight;  // outer window rectangle
  uint32_t Reserved19[4];                                    // words 19..22: kept as read
  LogFont CalendarFont;
  LogFont NotesFont;
  int32_t CellWidth;   // W, from the calendar font
  int32_t CellHeight;  // H
  int32_t Changed;     // "redraw needed" hand-over from a dialog to its caller
  int32_t ShownMonth;  // 1..12
  int32_t ShownYear;
  int32_t SelectedDay;       // 1..31
  uint32_t OffscreenBitmap;  // 0 on disk
  int32_t Language;          // 0..5
  int32_t NotesFontPoints;
  int32_t LocalHolidays[6];  // DayIndex values, ascending, empty slots (0) first
  int32_t DrawFlag;          // 0 or 1
  uint32_t Reserved69;       // kept as read
};

static_assert(sizeof(CalendarSettings) == 280);
static_assert(offsetof(CalendarSettings, Community) == 4);
static_assert(offsetof(CalendarSettings, City) == 8);
static_assert(offsetof(CalendarSettings, ShowOtherHolidays) == 12);
static_assert(offsetof(CalendarSettings, WorkdayTextColor) == 16);
static_assert(offsetof(CalendarSettings, SundayTextColor) == 20);
static_assert(offsetof(CalendarSettings, HolidayTextColor) == 24);
static_assert(offsetof(CalendarSettings, OtherHolidayTextColor) == 28);
static_assert(offsetof(CalendarSettings, TitleTextColor) == 32);
static_assert(offsetof(CalendarSettings, CalendarBackColor) == 36);
static_assert(offsetof(CalendarSettings, NoteDayBackColor) == 40);
static_assert(offsetof(CalendarSettings, TodayBackColor) == 44);
static_assert(offsetof(CalendarSettings, TitleBackColor) == 48);
static_assert(offsetof(CalendarSettings, SavedTime) == 52);
static_assert(offsetof(CalendarSettings, WindowLeft) == 60);
static_assert(offsetof(CalendarSettings, WindowTop) == 64);
static_assert(offsetof(CalendarSettings, WindowWidth) == 68);
static_assert(offsetof(CalendarSettings, WindowHeight) == 72);
static_assert(offsetof(CalendarSettings, Reserved19) == 76);
static_assert(offsetof(CalendarSettings, CalendarFont) == 92);
static_assert(offsetof(CalendarSettings, NotesFont) == 152);
static_assert(offsetof(CalendarSettings, NotesFont) + offsetof(LogFont, FaceName) == 180);
static_assert(offsetof(CalendarSettings, CellWidth) == 212);
static_assert(offsetof(CalendarSettings, CellHeight) == 216);
static_assert(offsetof(CalendarSettings, Changed) == 220);
static_assert(offsetof(CalendarSettings, ShownMonth) == 224);
static_assert(offsetof(CalendarSettings, ShownYear) == 228);
static_assert(offsetof(CalendarSettings, SelectedDay) == 232);
static_assert(offsetof(CalendarSettings, OffscreenBitmap) == 236);
static_assert(offsetof(CalendarSettings, Language) == 240);
static_assert(offsetof(CalendarSettings, NotesFontPoints) == 244);
static_assert(offsetof(CalendarSettings, LocalHolidays) == 248);
static_assert(offsetof(CalendarSettings, DrawFlag) == 272);
static_assert(offsetof(CalendarSettings, Reserved69) == 276);

// The record's size; the settings file goes on behind it with the list of
// information files for the today page.
constexpr uint32_t SettingsRecordSize = sizeof(CalendarSettings);

// Domains of the record's fields, shared with the tables they index.
constexpr int LanguageCount = 6;    // Language 0..5
constexpr int CommunityCount = 20;  // Community 1..20; 1 is "no community"
constexpr int LocalHolidaySlots = static_cast<int>(sizeof(CalendarSettings::LocalHolidays) / sizeof(int32_t));

// Range of a cell size the window can be laid out with.
constexpr int32_t MinCellSize = 4;
constexpr int32_t MaxCellSize = 400;

// The one record, valid from LoadSettings until SaveSettings returns.
extern CalendarSettings* g_settings;

// The default colours, words 4..12.
void SetDefaultColors(CalendarSettings* settings);

// Reads the record from the settings file and sets the view to today.
// 1 when loaded; 0 after the file message (or, without memory, silently).
int LoadSettings();
// Stores the window rectangle and the save time, writes the record back and
// frees it. A write failure has been told; the exit goes on.
void SaveSettings(const Rect& window);
// What SanitizeSettings replaced, besides the language: the caller collects
// the own holidays of the new region and measures the cell size again.
enum SanitizedFields : int { SanitizedNothing = 0, SanitizedRegion = 1, SanitizedCellSize = 2 };

// Replaces the values that no table can index: an unknown language becomes
// 0, an unknown community 1 (no community) with no city; puts the own
// holidays back in ascending order. A cell size outside MinCellSize..
// MaxCellSize is left for the caller to measure. Returns SanitizedFields.
int SanitizeSettings(CalendarSettings* settings);
