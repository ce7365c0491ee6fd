// Resource and control ids, grouped by the window or dialog they belong to.
// Shared by the resource script and the C++ shell.
#pragma once

// Main window: menu and its commands.
#define IDR_MAIN_MENU 5
#define IDM_EXPORT_IMPORT 113
#define IDM_OPTIONS 114
#define IDM_INFO_FILES 115
#define IDM_YEAR_DATA 116
#define IDM_ABOUT 117
#define IDM_CLOSE 118

// Images.
#define IDI_ORISTEL 108
#define IDB_PIXEL_FORMAT 109  // 4 x 1, 24 bits per pixel
#define IDB_FLAG_STRIP 111    // 900 x 31, 8 bits per pixel: twenty 45 x 31 tiles
#define IDCUR_HAND 112

// Options sheet: the colours page.
#define IDD_COLOURS_PAGE 119
#define IDC_DEFAULT_COLOURS 120
#define IDC_SWATCH_BASE 121  // + swatch 0..8: 121..129

// Options sheet: the holidays page.
#define IDD_HOLIDAYS_PAGE 130
#define IDC_COMMUNITY 131
#define IDC_CITY 132
#define IDC_SHOW_OTHER_HOLIDAYS 133
#define IDC_DRAW_FLAG 134
#define IDC_FLAG_PREVIEW 135

// Options sheet: the fonts page.
#define IDD_FONTS_PAGE 136
#define IDC_CALENDAR_FONT 137
#define IDC_CALENDAR_SYSTEM_FONT 138
#define IDC_NOTES_FONT 139
#define IDC_NOTES_SYSTEM_FONT 140
#define IDC_CALENDAR_FONT_TEXT 141
#define IDC_NOTES_FONT_TEXT 142

// Options sheet: the language page.
#define IDD_LANGUAGE_PAGE 173
#define IDC_LANGUAGE_BASE 300  // + Language 0..5: 300..305

// About box.
#define IDD_ABOUT 170
#define IDC_HOME_PAGE 171

// Change-year dialog.
#define IDD_CHANGE_YEAR 174
#define IDC_YEAR_EDIT 175
#define IDC_YEAR_SPIN 176

// Selection of the information files for the today page.
#define IDD_INFO_SELECTION 177
#define IDC_AVAILABLE_LIST 178
#define IDC_CHOSEN_LIST 179
#define IDC_ADD_FILE 180
#define IDC_REMOVE_FILE 181
#define IDC_MOVE_UP 416
#define IDC_MOVE_DOWN 417

// The year's data: the year overview and the information files.
#define IDD_YEAR_DATA 417
#define IDC_YEAR_DATA_LIST 419
#define IDC_VIEW_FILE 420

// Notes editor (built in memory).
#define IDC_NOTE_TEXT 307
#define IDC_NOTE_TODAY 308

// The export and import wizard: the action, the export options, the import mode.
#define IDD_WIZARD_ACTION 143
#define IDC_ACTION_LIST 144
#define IDC_ACTION_DESCRIPTION 145
#define IDC_FORMAT_INFO 421
#define IDD_WIZARD_EXPORT 149
#define IDC_SELECT_ALL_MONTHS 150
#define IDC_MONTH_BASE 150  // + month 1..12: 151..162
#define IDC_INCLUDE_UPDATE_DATE 163
#define IDC_INCLUDE_EMPTY_DAYS 164
#define IDC_ISO_DATES 165
#define IDD_WIZARD_IMPORT 146
#define IDC_IMPORT_ADD 147
#define IDC_IMPORT_REPLACE 148
