// The options sheet from the menu: its four pages, the colour and font
// dialogs driven for real, and what the calendar window does after the
// sheet: refitted and redrawn after a commit.

#include "calendar/regions.h"
#include "fixture.h"

E2E_SUITE(Options2007, 2007, 3, 3);

namespace {

constexpr int HolidaysTab = 0, ColoursTab = 2, LanguageTab = 3;
// Controls of the system's colour and font dialogs.
constexpr int ColourRedBox = 706, ColourGreenBox = 707, ColourBlueBox = 708, FontFaceBox = 1136;

// The entries of a combo of the holidays page: the communities, or the
// empty entry and the cities of one community.
LRESULT RegionCount(int parent) {
  return (parent != 0) +
         std::count_if(RegionTable, RegionTable + RegionTableSize, [&](auto& r) { return r.Parent == parent; });
}

// The client area of the window, and the layout's for the settings' cell.
std::pair<LONG, LONG> ClientSize(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  return std::pair(r.right, r.bottom);
}
std::pair<LONG, LONG> CalendarSize(const CalendarSettings& s) {
  Rect r{};
  ComputeLayoutRect(LayoutWindow, s.CellWidth, s.CellHeight, s.DrawFlag, &r);
  return std::pair<LONG, LONG>(r.right, r.bottom);
}
// Chooses the combo's entry with that item data (or that text) as a user does.
bool ChooseEntry(HWND dialog, int id, int32_t code, const wchar_t* text = nullptr) {
  HWND combo = GetDlgItem(dialog, id);
  LRESULT index = text ? SendMessageW(combo, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(text)) : CB_ERR;
  for (LRESULT i = 0, count = SendMessageA(combo, CB_GETCOUNT, 0, 0); !text && i < count; ++i)
    if (SendMessageA(combo, CB_GETITEMDATA, i, 0) == code) index = i;
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  return index != CB_ERR;
}

}  // namespace

// One session, each change in the calendar before the next. Enter on a
// swatch opens the colour dialog as a click does. A colour chosen is kept,
// and so is a language whose page was left, even when the sheet is then
// cancelled; a language whose page was not left is dropped. The communities
// once after the tabs were switched; each community's cities with the empty
// one selected; its flag previews replaced without a leak; OK stores
// community and city, and the window drops the flag strip. A larger calendar
// font refits the window to the exact layout of its cell.
TEST_F(Options2007, ColourLanguageRegionAndFontAreStoredAndTheWindowRefitted) {
  CalendarSettings settings = Settings();  // Andalucía, its flag drawn, in Spanish
  settings.Community = 2;
  settings.City = 0;
  settings.DrawFlag = 1;
  settings.ShowOtherHolidays = 0;
  settings.Language = 0;
  Start(settings);
  HWND page = OpenSheet(LanguageTab);
  SaveScreenshot(CaptureClient(sheet), "options_language");
  ClickClient(GetDlgItem(page, IDC_LANGUAGE_BASE + 3), 3, 3);
  ASSERT_TRUE(WaitUntil([&] { return IsDlgButtonChecked(page, IDC_LANGUAGE_BASE + 3) == BST_CHECKED; }));
  PressKey(GetDlgItem(Tab(ColoursTab), IDC_SWATCH_BASE + 5), VK_RETURN);  // not the sheet's OK
  ASSERT_TRUE(PressAndWaitGone(FindOtherDialog(app.Process.dwProcessId, sheet), IDCANCEL));
  ASSERT_TRUE(EndSheet(PSBTN_CANCEL));

  HWND swatch = GetDlgItem(OpenSheet(ColoursTab), IDC_SWATCH_BASE + 5);  // the calendar's background
  SaveScreenshot(CaptureClient(sheet), "options_colours");
  ClickClient(swatch, 4, 4);
  HWND dialog = FindOtherDialog(app.Process.dwProcessId, sheet);
  for (const auto& [box, value] : {std::pair{ColourRedBox, "18"}, {ColourGreenBox, "200"}, {ColourBlueBox, "86"}})
    ASSERT_TRUE(TypeOver(GetDlgItem(dialog, box), value));
  ASSERT_TRUE(PressAndWaitGone(dialog, IDOK));
  POINT inside{6, 6};  // read in the sheet: Wine gives another process's child windows no picture of their own
  MapWindowPoints(swatch, sheet, &inside, 1);
  EXPECT_TRUE(WaitUntil([&] { return CaptureClient(sheet).At(inside.x, inside.y) == 0x12C856; }))
      << "the swatch shows it";
  page = Tab(LanguageTab);
  EXPECT_EQ(IsDlgButtonChecked(page, IDC_LANGUAGE_BASE + 3), BST_CHECKED) << "kept once left";
  ClickClient(GetDlgItem(page, IDC_LANGUAGE_BASE + 2), 3, 3);
  ASSERT_TRUE(WaitUntil([&] { return IsDlgButtonChecked(page, IDC_LANGUAGE_BASE + 2) == BST_CHECKED; }));
  ASSERT_TRUE(EndSheet(PSBTN_CANCEL));
  const Rect grid = Element(LayoutDayGrid);
  const Capture shot = SaveScreenshot(CaptureClient(app.Window), "options_after_colour");
  EXPECT_EQ(shot.At(grid.left + 1, grid.bottom - 2), 0x12C856u) << "the new background after Cancel";

  page = OpenSheet(FontsTab);
  for (int tab : {HolidaysTab, LanguageTab, HolidaysTab}) page = Tab(tab);
  SaveScreenshot(CaptureClient(sheet), "options_holidays");
  HWND communities = GetDlgItem(page, IDC_COMMUNITY);
  HWND cities = GetDlgItem(page, IDC_CITY);
  EXPECT_EQ(std::pair(SendMessageA(communities, CB_GETCOUNT, 0, 0), SendMessageA(communities, CB_GETCURSEL, 0, 0)),
            std::pair(RegionCount(0), LRESULT{1}));
  for (int community : {2, 13, 1, 15}) {
    if (community != 2) ChooseEntry(page, IDC_COMMUNITY, community);
    EXPECT_EQ(std::pair(SendMessageA(cities, CB_GETCOUNT, 0, 0), SendMessageA(cities, CB_GETCURSEL, 0, 0)),
              std::pair(community == 1 ? 1 : RegionCount(community), LRESULT{0}));
  }
  const int objects = GdiObjectCount(app.Process.hProcess);
  for (int i = 0; i < 52; ++i) ChooseEntry(page, IDC_COMMUNITY, 2 + i % 19);  // ends on 15
  EXPECT_EQ(GdiObjectCount(app.Process.hProcess), objects) << "the replaced previews are deleted";
  ChooseEntry(page, IDC_CITY, 1500);
  ClickClient(GetDlgItem(page, IDC_DRAW_FLAG), 3, 3);
  ASSERT_TRUE(WaitUntil([&] { return IsDlgButtonChecked(page, IDC_DRAW_FLAG) == BST_UNCHECKED; }));
  ASSERT_TRUE(EndSheet(PSBTN_OK));
  SaveScreenshot(CaptureClient(app.Window), "options_after_region");
  settings.DrawFlag = 0;  // the cell as started
  EXPECT_EQ(ClientSize(app.Window), CalendarSize(settings)) << "refitted without the strip";

  page = OpenSheet(FontsTab);
  SaveScreenshot(CaptureClient(sheet), "options_fonts");
  PressButton(page, IDC_CALENDAR_FONT);
  dialog = FindOtherDialog(app.Process.dwProcessId, sheet);
  SaveScreenshot(CaptureClient(dialog), "options_font_dialog");
  ASSERT_TRUE(ChooseEntry(dialog, FontFaceBox, 0, L"DejaVu Sans"));
  ASSERT_TRUE(ChooseEntry(dialog, FontSizeBox, 0, L"20"));
  ASSERT_TRUE(PressAndWaitGone(dialog, IDOK));
  ASSERT_TRUE(EndSheet(PSBTN_OK));
  SaveScreenshot(CaptureClient(app.Window), "options_after_font");
  const auto larger = ClientSize(app.Window);
  EXPECT_EQ(Close(), 0u);
  const CalendarSettings saved = ReadSettingsRecord();
  EXPECT_EQ(std::tuple(saved.CalendarBackColor, saved.Language, saved.Community, saved.City, saved.DrawFlag),
            std::tuple(0x56C812u, 3, 15, 1500, 0));
  EXPECT_EQ(std::string(saved.CalendarFont.FaceName), "DejaVu Sans");
  EXPECT_NE(saved.CellHeight, saved.CellWidth) << "the height of the font's lines, not the width of its text";
  EXPECT_EQ(larger, CalendarSize(saved)) << "the layout of the new cell";
}
