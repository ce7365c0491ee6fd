// The options sheet from the menu: its four pages, the colour and font
// dialogs driven for real, and what the calendar window does after the
// sheet: refitted and redrawn after a commit, untouched without one.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "calendar/regions.h"
#include "fixture.h"

E2E_SUITE(Options2007, 2007, 3, 3);

namespace {

constexpr int HolidaysTab = 0, FontsTab = 1, ColoursTab = 2, LanguageTab = 3;
// Controls of the system's colour and font dialogs.
constexpr int ColourRedBox = 706, ColourGreenBox = 707, ColourBlueBox = 708, FontFaceBox = 1136, FontSizeBox = 1138;
constexpr uint32_t Mark = 0x00FF00FF;  // painted over the calendar by the test

// The texts of a combo box of another process.
std::vector<std::string> ComboTexts(HWND combo) {
  std::vector<std::string> texts;
  for (LRESULT i = 0, count = SendMessageW(combo, CB_GETCOUNT, 0, 0); i < count; ++i) {
    WCHAR wide[256] = L"";
    char text[512] = "";
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
    WideCharToMultiByte(1252, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    texts.push_back(text);
  }
  return texts;
}

// The entries a combo of the holidays page must hold: the communities, or
// the empty entry and the cities of one community.
std::vector<std::string> RegionNames(int parent) {
  std::vector<std::string> names(parent != 0, "");
  for (int i = 0; i < RegionTableSize; ++i)
    if (RegionTable[i].Parent == parent) names.push_back(RegionTable[i].Name);
  return names;
}

// A pixel of a window, read through its top-level window: Wine gives
// another process's child windows no picture of their own.
uint32_t PixelAt(HWND window, int x, int y) {
  POINT p{x, y};
  HWND top = GetAncestor(window, GA_ROOT);
  MapWindowPoints(window, top, &p, 1);
  HDC dc = GetDC(top);
  const COLORREF c = GetPixel(dc, p.x, p.y);
  ReleaseDC(top, dc);
  return Rgb(c);
}

}  // namespace

class Options2007Sheet : public Options2007 {
 protected:
  // Settings with the region of Andalucía, its flag drawn.
  void StartAndalusian(int community = 2, int city = 0) {
    CalendarSettings s = Settings();
    s.Community = community, s.City = city, s.DrawFlag = 1, s.ShowOtherHolidays = 0, s.Language = 0;
    CollectRegionHolidays(community, city, s.LocalHolidays);
    Start(s);
  }
  void Idle() const { SendMessageTimeoutA(app.Window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, nullptr); }
  // Opens the sheet from the menu, clear of the calendar, on a tab; its page.
  HWND OpenSheet(int tab) {
    MenuCommand(app.Window, IDM_OPTIONS);
    sheet = FindDialog(app.Process.dwProcessId, "Oristel - Opciones");
    if (!sheet) return nullptr;
    SetWindowPos(app.Window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT r;
    GetWindowRect(app.Window, &r);
    SetWindowPos(sheet, nullptr, r.right + 4, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Idle();
    return Tab(tab);
  }
  HWND Tab(int index) {
    SendMessageA(sheet, PSM_SETCURSEL, index, 0);
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  }
  // Presses OK or Cancel of the sheet; true once it is gone and the calendar is idle.
  bool EndSheet(int button) {
    PostMessageA(sheet, PSM_PRESSBUTTON, button, 0);
    const bool gone = WaitGone(sheet);
    Idle();
    return gone;
  }
  // Marks a pixel of the calendar that only a redraw covers again.
  void MarkCalendar() {
    HDC dc = GetDC(app.Window);
    SetPixel(dc, 1, 1, RGB(0xFF, 0x00, 0xFF));
    ReleaseDC(app.Window, dc);
  }
  SIZE ClientSize() const {
    RECT r;
    GetClientRect(app.Window, &r);
    return {r.right, r.bottom};
  }
  static SIZE CalendarSize(const CalendarSettings& s) {
    Rect r{};
    ComputeLayoutRect(LayoutWindow, s.CellWidth, s.CellHeight, s.DrawFlag, &r);
    return {r.right, r.bottom};
  }
  // Chooses the combo's entry with that item data (or that text) as a user does.
  static bool ChooseEntry(HWND dialog, int id, int32_t code, const wchar_t* text = nullptr) {
    HWND combo = GetDlgItem(dialog, id);
    LRESULT index = text ? SendMessageW(combo, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(text)) : CB_ERR;
    for (LRESULT i = 0, count = SendMessageA(combo, CB_GETCOUNT, 0, 0); !text && i < count; ++i)
      if (SendMessageA(combo, CB_GETITEMDATA, i, 0) == code) index = i;
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return index != CB_ERR;
  }
  HWND sheet = nullptr;
};

// Every page visited, a colour dialog cancelled, texts typed into the region
// boxes that match no entry, flag previews made and replaced: OK writes and
// redraws nothing.
TEST_F(Options2007Sheet, OkWithoutAChoiceWritesAndRedrawsNothingAndPreviewsLeakNoGdiObject) {
  StartAndalusian(15, 1500);
  const SIZE before = ClientSize();
  const std::vector<unsigned char> file = ReadWholeFile(dir.File("cal_2007.op"));
  ASSERT_NE(OpenSheet(FontsTab), nullptr);
  Tab(LanguageTab);
  HWND swatch = GetDlgItem(Tab(ColoursTab), IDC_SWATCH_BASE + 5);  // the calendar's background
  SaveScreenshot(CaptureClient(sheet), "options_colours");
  RECT r;
  GetClientRect(swatch, &r);
  EXPECT_EQ(PixelAt(swatch, r.right / 2, r.bottom / 2), Rgb(started.CalendarBackColor));
  PressKey(swatch, VK_RETURN);  // Enter on a swatch acts as a click, not as the sheet's OK
  ASSERT_TRUE(PressAndWaitGone(FindOtherDialog(app.Process.dwProcessId, sheet), IDCANCEL));
  HWND page = Tab(HolidaysTab);
  ChooseEntry(page, IDC_COMMUNITY, 3);
  ChooseEntry(page, IDC_COMMUNITY, 15);
  const int objects = GdiObjectCount(app.Process.hProcess);
  for (int i = 0; i < 50; ++i) ChooseEntry(page, IDC_COMMUNITY, 2 + i % 19);
  ChooseEntry(page, IDC_COMMUNITY, 15);
  ChooseEntry(page, IDC_CITY, 1500);
  EXPECT_EQ(GdiObjectCount(app.Process.hProcess), objects) << "the replaced previews are deleted";
  for (int id : {IDC_COMMUNITY, IDC_CITY})
    ASSERT_TRUE(TypeOver(FindWindowExA(GetDlgItem(page, id), nullptr, "Edit", nullptr), "zzz"));
  MarkCalendar();
  ASSERT_TRUE(EndSheet(PSBTN_OK));
  EXPECT_EQ(PixelAt(app.Window, 1, 1), Mark) << "the calendar was drawn again";
  EXPECT_EQ(ClientSize().cx * 10000 + ClientSize().cy, before.cx * 10000 + before.cy);
  EXPECT_EQ(ReadWholeFile(dir.File("cal_2007.op")), file);
  EXPECT_EQ(Close(), 0u);
}

// A colour chosen is kept, even when the sheet is then cancelled.
TEST_F(Options2007Sheet, AColourChosenThenCancelIsKept) {
  StartAndalusian();
  HWND swatch = GetDlgItem(OpenSheet(ColoursTab), IDC_SWATCH_BASE + 5);
  RECT r;
  GetClientRect(swatch, &r);
  ClickClient(swatch, 4, 4);
  HWND dialog = FindOtherDialog(app.Process.dwProcessId, sheet);
  ASSERT_NE(dialog, nullptr);
  for (const auto& [box, value] : {std::pair{ColourRedBox, "18"}, {ColourGreenBox, "200"}, {ColourBlueBox, "86"}})
    ASSERT_TRUE(TypeOver(GetDlgItem(dialog, box), value));
  ASSERT_TRUE(PressAndWaitGone(dialog, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return PixelAt(swatch, r.right / 2, r.bottom / 2) == 0x12C856; }));
  for (int x : {0, 1, 2}) EXPECT_EQ(PixelAt(swatch, x, r.bottom / 2) == 0x12C856u, x == 2) << "a 2-pixel edge";
  ASSERT_TRUE(EndSheet(PSBTN_CANCEL));
  const Rect grid = Element(LayoutDayGrid);
  Capture shot = CaptureClient(app.Window);
  SaveScreenshot(shot, "options_after_colour");
  EXPECT_EQ(shot.At(grid.left + 1, grid.bottom - 2), 0x12C856u) << "the new background after Cancel";
  EXPECT_EQ(Close(), 0u);
  EXPECT_EQ(ReadSettingsRecord().CalendarBackColor, 0x56C812u);
}

// A language is taken when its page is left, not on Cancel.
TEST_F(Options2007Sheet, ALanguageIsTakenWhenThePageIsLeftNotOnCancel) {
  StartAndalusian();
  auto checked = [](HWND page, int language) {
    return SendDlgItemMessageA(page, IDC_LANGUAGE_BASE + language, BM_GETCHECK, 0, 0) == BST_CHECKED;
  };
  for (int leave : {0, 1}) {
    HWND page = OpenSheet(LanguageTab);
    ASSERT_NE(page, nullptr);
    if (!leave) SaveScreenshot(CaptureClient(sheet), "options_language");
    EXPECT_TRUE(checked(page, 0) && !checked(page, 2)) << "dropped by Cancel";
    ClickClient(GetDlgItem(page, IDC_LANGUAGE_BASE + 2), 3, 3);
    ASSERT_TRUE(WaitUntil([&] { return checked(page, 2); }));
    if (leave) Tab(HolidaysTab);
    ASSERT_TRUE(EndSheet(PSBTN_CANCEL));
  }
  EXPECT_TRUE(checked(OpenSheet(LanguageTab), 2)) << "kept once left";
  ASSERT_TRUE(EndSheet(PSBTN_CANCEL));
  SaveScreenshot(CaptureClient(app.Window), "options_after_language");
  EXPECT_EQ(Close(), 0u);
  EXPECT_EQ(ReadSettingsRecord().Language, 2);
}

TEST_F(Options2007Sheet, TheHolidaysPageListsTheRegionsAndStoresCommunityAndCity) {
  StartAndalusian();
  ASSERT_NE(OpenSheet(HolidaysTab), nullptr);
  HWND page = nullptr;
  for (int tab : {FontsTab, HolidaysTab, LanguageTab, HolidaysTab}) page = Tab(tab);
  SaveScreenshot(CaptureClient(sheet), "options_holidays");
  HWND communities = GetDlgItem(page, IDC_COMMUNITY), cities = GetDlgItem(page, IDC_CITY);
  EXPECT_EQ(ComboTexts(communities), RegionNames(0)) << "exactly the 20 communities after switching tabs";
  EXPECT_EQ(SendMessageA(communities, CB_GETCURSEL, 0, 0), 1);
  HWND preview = GetDlgItem(page, IDC_FLAG_PREVIEW);
  auto previewPixels = [&] {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < FlagTileHeight; y += 3)
      for (int x = 0; x < FlagTileWidth; x += 3) pixels.push_back(PixelAt(preview, x, y));
    return pixels;
  };
  std::vector<uint32_t> shown = previewPixels();
  for (int community : {2, 13, 1, 15}) {
    if (community != 2) ChooseEntry(page, IDC_COMMUNITY, community);
    EXPECT_EQ(ComboTexts(cities), community == 1 ? std::vector<std::string>{""} : RegionNames(community));
    EXPECT_EQ(SendMessageA(cities, CB_GETCURSEL, 0, 0), 0) << "the empty city entry";
    EXPECT_TRUE(community != 13 || previewPixels() != shown) << "the preview follows the community";
  }
  ChooseEntry(page, IDC_CITY, 1500);
  ASSERT_TRUE(EndSheet(PSBTN_OK));
  SaveScreenshot(CaptureClient(app.Window), "options_after_region");
  EXPECT_EQ(Close(), 0u);
  const CalendarSettings saved = ReadSettingsRecord();
  int32_t expected[LocalHolidaySlots];
  CollectRegionHolidays(15, 1500, expected);
  EXPECT_EQ(saved.Community * 10000 + saved.City, 151500);
  EXPECT_EQ(std::memcmp(saved.LocalHolidays, expected, sizeof expected), 0);
}

// A larger calendar font and the flag strip refit the window to its exact
// layout.
TEST_F(Options2007Sheet, ALargerCalendarFontAndTheFlagStripRefitTheWindow) {
  StartAndalusian();
  const SIZE before = ClientSize();
  ASSERT_EQ(before.cx, CalendarSize(started).cx);
  HWND page = OpenSheet(FontsTab);
  ASSERT_NE(page, nullptr);
  SaveScreenshot(CaptureClient(sheet), "options_fonts");
  HWND description = GetDlgItem(page, IDC_CALENDAR_FONT_TEXT);
  const std::string old = TextWide(description);
  EXPECT_NE(old.find(" pto "), std::string::npos) << old;
  PressButton(page, IDC_CALENDAR_FONT);
  HWND dialog = FindOtherDialog(app.Process.dwProcessId, sheet);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(PressAndWaitGone(dialog, IDCANCEL));
  EXPECT_EQ(TextWide(description), old) << "a cancelled font dialog changes nothing";

  PressButton(page, IDC_CALENDAR_FONT);
  dialog = FindOtherDialog(app.Process.dwProcessId, sheet);
  ASSERT_NE(dialog, nullptr);
  SaveScreenshot(CaptureClient(dialog), "options_font_dialog");
  ASSERT_TRUE(ChooseEntry(dialog, FontFaceBox, 0, L"DejaVu Sans"));
  ASSERT_TRUE(ChooseEntry(dialog, FontSizeBox, 0, L"20"));
  ASSERT_TRUE(PressAndWaitGone(dialog, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return TextWide(description) == "20 pto DejaVu Sans"; })) << TextWide(description);
  ASSERT_TRUE(EndSheet(PSBTN_OK));
  SaveScreenshot(CaptureClient(app.Window), "options_after_font");
  const SIZE larger = ClientSize();

  page = OpenSheet(HolidaysTab);
  ClickClient(GetDlgItem(page, IDC_DRAW_FLAG), 3, 3);
  ASSERT_TRUE(WaitUntil([&] { return SendDlgItemMessageA(page, IDC_DRAW_FLAG, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));
  ASSERT_TRUE(EndSheet(PSBTN_OK));
  SaveScreenshot(CaptureClient(app.Window), "options_after_flag");
  const SIZE flagless = ClientSize();
  EXPECT_EQ(Close(), 0u);
  CalendarSettings saved = ReadSettingsRecord();
  EXPECT_EQ(std::string(saved.CalendarFont.FaceName) + std::to_string(saved.DrawFlag), "DejaVu Sans0");
  EXPECT_EQ(flagless.cx * 10000 + flagless.cy, CalendarSize(saved).cx * 10000 + CalendarSize(saved).cy);
  saved.DrawFlag = 1;
  EXPECT_EQ(larger.cx * 10000 + larger.cy, CalendarSize(saved).cx * 10000 + CalendarSize(saved).cy)
      << "exactly the layout of the new cell";
  EXPECT_GT(larger.cx, before.cx);
  EXPECT_GT(larger.cy, flagless.cy) << "larger, and the strip is gone";
}
