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
constexpr int ColourRedBox = 706, ColourGreenBox = 707, ColourBlueBox = 708;
constexpr int FontFaceBox = 1136, FontSizeBox = 1138;
constexpr uint32_t Mark = 0x00FF00FF;  // painted over the calendar by the test

// Selects the entry of a combo box of the dialog as a user's choice does.
bool ChooseListEntry(HWND dialog, int id, const wchar_t* text) {
  HWND combo = GetDlgItem(dialog, id);
  const LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
  if (index == CB_ERR) return false;
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  return true;
}

std::vector<std::string> ComboTexts(HWND combo) {
  std::vector<std::string> texts;
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    WCHAR wide[256] = L"";
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
    char text[512] = "";
    WideCharToMultiByte(1252, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    texts.push_back(text);
  }
  return texts;
}

// The entries a combo of the holidays page must hold: the communities, or
// the empty entry and the cities of one community.
std::vector<std::string> RegionNames(int parent) {
  std::vector<std::string> names;
  if (parent != 0) names.push_back("");
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
  x = p.x, y = p.y;
  window = top;
  HDC dc = GetDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return Rgb(c);
}

}  // namespace

class Options2007Sheet : public Options2007 {
 protected:
  // Settings with the region of Andalucía, its flag drawn.
  CalendarSettings Andalusian() const {
    CalendarSettings s = Settings();
    s.Community = 2, s.City = 0, s.DrawFlag = 1, s.ShowOtherHolidays = 0, s.Language = 0;
    CollectRegionHolidays(2, 0, s.LocalHolidays);
    return s;
  }
  void Idle() const { SendMessageTimeoutA(app.Window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, nullptr); }
  // Opens the sheet from the menu and moves it clear of the calendar.
  HWND OpenSheet() {
    MenuCommand(app.Window, IDM_OPTIONS);
    sheet = FindDialog(app.Process.dwProcessId, "Oristel - Opciones");
    if (sheet) {
      SetWindowPos(app.Window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      RECT r;
      GetWindowRect(app.Window, &r);
      SetWindowPos(sheet, nullptr, r.right + 4, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      Idle();
    }
    return sheet;
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
  // The colour or font dialog opened over the sheet.
  HWND CommonDialog() {
    return FindOtherDialog(app.Process.dwProcessId, sheet);
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
  static Rect CalendarRect(const CalendarSettings& s) {
    Rect r{};
    ComputeLayoutRect(LayoutWindow, s.CellWidth, s.CellHeight, s.DrawFlag, &r);
    return r;
  }
  void Shoot(HWND window, const char* name) { SaveScreenshot(CaptureClient(window), name); }
  // The community of the entry with that item data, chosen as a user does.
  void ChooseEntry(HWND page, int id, int32_t code) {
    HWND combo = GetDlgItem(page, id);
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
      if (SendMessageA(combo, CB_GETITEMDATA, i, 0) == code) SendMessageA(combo, CB_SETCURSEL, i, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  }
  HWND sheet = nullptr;
};

TEST_F(Options2007Sheet, OkWithoutChangesWritesAndRedrawsNothing) {
  Start(Andalusian());
  const SIZE before = ClientSize();
  const std::vector<unsigned char> file = ReadWholeFile(dir.File("cal_2007.op"));
  ASSERT_NE(OpenSheet(), nullptr);
  for (int tab : {FontsTab, ColoursTab, LanguageTab, HolidaysTab}) Tab(tab);
  MarkCalendar();
  ASSERT_TRUE(EndSheet(PSBTN_OK));
  EXPECT_EQ(PixelAt(app.Window, 1, 1), Mark) << "the calendar was drawn again";
  EXPECT_EQ(ClientSize().cx, before.cx);
  EXPECT_EQ(ClientSize().cy, before.cy);
  EXPECT_EQ(ReadWholeFile(dir.File("cal_2007.op")), file);
  EXPECT_EQ(Close(), 0u);
}

TEST_F(Options2007Sheet, AColourChosenThenCancelIsKeptAndACancelledColourDialogChangesNothing) {
  Start(Andalusian());
  ASSERT_NE(OpenSheet(), nullptr);
  HWND page = Tab(ColoursTab);
  Shoot(sheet, "options_colours");
  HWND swatch = GetDlgItem(page, IDC_SWATCH_BASE + 5);  // the calendar's background
  RECT r;
  GetClientRect(swatch, &r);
  EXPECT_EQ(PixelAt(swatch, r.right / 2, r.bottom / 2), Rgb(started.CalendarBackColor));

  PressKey(swatch, VK_RETURN);  // Enter on a swatch acts as a click, not as the sheet's OK
  HWND dialog = CommonDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowVisible(sheet));
  ASSERT_TRUE(PressAndWaitGone(dialog, IDCANCEL));
  MarkCalendar();
  ASSERT_TRUE(EndSheet(PSBTN_OK));
  EXPECT_EQ(PixelAt(app.Window, 1, 1), Mark) << "a cancelled colour dialog changed nothing";

  ASSERT_NE(OpenSheet(), nullptr);
  page = Tab(ColoursTab);
  swatch = GetDlgItem(page, IDC_SWATCH_BASE + 5);
  ClickClient(swatch, 4, 4);
  dialog = CommonDialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(TypeOver(GetDlgItem(dialog, ColourRedBox), "18"));
  ASSERT_TRUE(TypeOver(GetDlgItem(dialog, ColourGreenBox), "200"));
  ASSERT_TRUE(TypeOver(GetDlgItem(dialog, ColourBlueBox), "86"));
  ASSERT_TRUE(PressAndWaitGone(dialog, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return PixelAt(swatch, r.right / 2, r.bottom / 2) == 0x12C856; }));
  for (int x : {0, 1}) EXPECT_NE(PixelAt(swatch, x, r.bottom / 2), 0x12C856u) << "a 2-pixel edge, column " << x;
  EXPECT_EQ(PixelAt(swatch, 2, r.bottom / 2), 0x12C856u);
  ASSERT_TRUE(EndSheet(PSBTN_CANCEL));
  const Rect grid = Element(LayoutDayGrid);
  Capture shot = CaptureClient(app.Window);
  SaveScreenshot(shot, "options_after_colour");
  EXPECT_EQ(shot.At(grid.left + 1, grid.bottom - 2), 0x12C856u) << "the new background after Cancel";
  EXPECT_EQ(Close(), 0u);
  EXPECT_EQ(ReadSettingsRecord().CalendarBackColor, 0x56C812u);
}

TEST_F(Options2007Sheet, ALanguageIsTakenWhenThePageIsLeftNotOnCancel) {
  Start(Andalusian());
  ASSERT_NE(OpenSheet(), nullptr);
  HWND page = Tab(LanguageTab);
  Shoot(sheet, "options_language");
  EXPECT_EQ(SendDlgItemMessageA(page, IDC_LANGUAGE_BASE, BM_GETCHECK, 0, 0), BST_CHECKED);
  ClickClient(GetDlgItem(page, IDC_LANGUAGE_BASE + 2), 3, 3);
  ASSERT_TRUE(WaitUntil([&] { return SendDlgItemMessageA(page, IDC_LANGUAGE_BASE + 2, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
  ASSERT_TRUE(EndSheet(PSBTN_CANCEL));

  ASSERT_NE(OpenSheet(), nullptr);
  page = Tab(LanguageTab);
  EXPECT_EQ(SendDlgItemMessageA(page, IDC_LANGUAGE_BASE, BM_GETCHECK, 0, 0), BST_CHECKED) << "dropped by Cancel";
  EXPECT_EQ(SendDlgItemMessageA(page, IDC_LANGUAGE_BASE + 2, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  ClickClient(GetDlgItem(page, IDC_LANGUAGE_BASE + 2), 3, 3);
  ASSERT_TRUE(WaitUntil([&] { return SendDlgItemMessageA(page, IDC_LANGUAGE_BASE + 2, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
  Tab(HolidaysTab);
  ASSERT_TRUE(EndSheet(PSBTN_CANCEL));

  ASSERT_NE(OpenSheet(), nullptr);
  page = Tab(LanguageTab);
  EXPECT_EQ(SendDlgItemMessageA(page, IDC_LANGUAGE_BASE + 2, BM_GETCHECK, 0, 0), BST_CHECKED) << "kept once left";
  ASSERT_TRUE(EndSheet(PSBTN_CANCEL));
  SaveScreenshot(CaptureClient(app.Window), "options_after_language");
  EXPECT_EQ(Close(), 0u);
  EXPECT_EQ(ReadSettingsRecord().Language, 2);
}

TEST_F(Options2007Sheet, TheHolidaysPageListsTheRegionsAndStoresCommunityAndCity) {
  Start(Andalusian());
  ASSERT_NE(OpenSheet(), nullptr);
  HWND page = Tab(HolidaysTab);
  for (int tab : {FontsTab, HolidaysTab, LanguageTab, HolidaysTab}) page = Tab(tab);
  Shoot(sheet, "options_holidays");
  HWND communities = GetDlgItem(page, IDC_COMMUNITY), cities = GetDlgItem(page, IDC_CITY);
  EXPECT_EQ(ComboTexts(communities), RegionNames(0)) << "exactly the 20 communities after switching tabs";
  EXPECT_EQ(SendMessageA(communities, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(ComboTexts(cities), RegionNames(2));
  EXPECT_EQ(SendMessageA(cities, CB_GETCURSEL, 0, 0), 0);
  HWND preview = GetDlgItem(page, IDC_FLAG_PREVIEW);
  auto previewPixels = [&] {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < FlagTileHeight; y += 3)
      for (int x = 0; x < FlagTileWidth; x += 3) pixels.push_back(PixelAt(preview, x, y));
    return pixels;
  };
  const std::vector<uint32_t> andalusia = previewPixels();

  ChooseEntry(page, IDC_COMMUNITY, 13);
  EXPECT_EQ(ComboTexts(cities), RegionNames(13));
  EXPECT_EQ(SendMessageA(cities, CB_GETCURSEL, 0, 0), 0) << "the empty city entry";
  EXPECT_NE(previewPixels(), andalusia) << "the preview follows the community";
  ChooseEntry(page, IDC_COMMUNITY, 1);
  EXPECT_EQ(ComboTexts(cities), std::vector<std::string>{""}) << "no community, no cities";

  ChooseEntry(page, IDC_COMMUNITY, 15);
  ChooseEntry(page, IDC_CITY, 1500);
  ASSERT_TRUE(EndSheet(PSBTN_OK));
  SaveScreenshot(CaptureClient(app.Window), "options_after_region");
  EXPECT_EQ(Close(), 0u);
  const CalendarSettings saved = ReadSettingsRecord();
  EXPECT_EQ(saved.Community, 15);
  EXPECT_EQ(saved.City, 1500);
  int32_t expected[LocalHolidaySlots];
  CollectRegionHolidays(15, 1500, expected);
  EXPECT_EQ(std::memcmp(saved.LocalHolidays, expected, sizeof expected), 0);
}

TEST_F(Options2007Sheet, TypedRegionTextKeepsTheRegionAndFlagPreviewsLeakNoGdiObject) {
  CalendarSettings s = Andalusian();
  s.Community = 15, s.City = 1500;
  CollectRegionHolidays(15, 1500, s.LocalHolidays);
  Start(s);
  ASSERT_NE(OpenSheet(), nullptr);
  HWND page = Tab(HolidaysTab);
  ChooseEntry(page, IDC_COMMUNITY, 3);
  ChooseEntry(page, IDC_COMMUNITY, 15);
  const int before = GdiObjectCount(app.Process.hProcess);
  ASSERT_GT(before, 0);
  for (int i = 0; i < 50; ++i) ChooseEntry(page, IDC_COMMUNITY, 2 + i % 19);
  ChooseEntry(page, IDC_COMMUNITY, 15);
  EXPECT_EQ(GdiObjectCount(app.Process.hProcess), before) << "the replaced previews are deleted";

  HWND communityEdit = FindWindowExA(GetDlgItem(page, IDC_COMMUNITY), nullptr, "Edit", nullptr);
  HWND cityEdit = FindWindowExA(GetDlgItem(page, IDC_CITY), nullptr, "Edit", nullptr);
  ASSERT_NE(communityEdit, nullptr);
  ASSERT_NE(cityEdit, nullptr);
  SendMessageA(communityEdit, EM_SETSEL, 0, -1);
  TypeText(communityEdit, "zzz");
  SendMessageA(cityEdit, EM_SETSEL, 0, -1);
  TypeText(cityEdit, "qqq");
  ASSERT_TRUE(WaitUntil([&] { return TextWide(cityEdit) == "qqq"; }));
  MarkCalendar();
  ASSERT_TRUE(EndSheet(PSBTN_OK));
  EXPECT_EQ(PixelAt(app.Window, 1, 1), Mark) << "typed texts changed nothing";
  EXPECT_EQ(Close(), 0u);
  const CalendarSettings saved = ReadSettingsRecord();
  EXPECT_EQ(saved.Community, 15);
  EXPECT_EQ(saved.City, 1500);
}

TEST_F(Options2007Sheet, ALargerCalendarFontAndTheFlagStripRefitTheWindow) {
  CalendarSettings s = Andalusian();
  Start(s);
  const SIZE before = ClientSize();
  ASSERT_EQ(before.cx, CalendarRect(started).right);
  ASSERT_NE(OpenSheet(), nullptr);
  HWND page = Tab(FontsTab);
  Shoot(sheet, "options_fonts");
  HWND description = GetDlgItem(page, IDC_CALENDAR_FONT_TEXT);
  const std::string old = TextWide(description);
  EXPECT_NE(old.find(" pto "), std::string::npos) << old;

  PressButton(page, IDC_CALENDAR_FONT);
  HWND dialog = CommonDialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(PressAndWaitGone(dialog, IDCANCEL));
  EXPECT_EQ(TextWide(description), old) << "a cancelled font dialog changes nothing";

  PressButton(page, IDC_CALENDAR_FONT);
  dialog = CommonDialog();
  ASSERT_NE(dialog, nullptr);
  Shoot(dialog, "options_font_dialog");
  ASSERT_TRUE(ChooseListEntry(dialog, FontFaceBox, L"DejaVu Sans"));
  ASSERT_TRUE(ChooseListEntry(dialog, FontSizeBox, L"20"));
  ASSERT_TRUE(PressAndWaitGone(dialog, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return TextWide(description) == "20 pto DejaVu Sans"; })) << TextWide(description);
  ASSERT_TRUE(EndSheet(PSBTN_OK));
  SaveScreenshot(CaptureClient(app.Window), "options_after_font");
  const SIZE larger = ClientSize();
  EXPECT_GT(larger.cx, before.cx);
  EXPECT_GT(larger.cy, before.cy);

  ASSERT_NE(OpenSheet(), nullptr);
  page = Tab(HolidaysTab);
  ClickClient(GetDlgItem(page, IDC_DRAW_FLAG), 3, 3);
  ASSERT_TRUE(WaitUntil([&] { return SendDlgItemMessageA(page, IDC_DRAW_FLAG, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));
  ASSERT_TRUE(EndSheet(PSBTN_OK));
  SaveScreenshot(CaptureClient(app.Window), "options_after_flag");
  const SIZE flagless = ClientSize();
  EXPECT_EQ(Close(), 0u);

  CalendarSettings saved = ReadSettingsRecord();
  EXPECT_EQ(std::string(saved.CalendarFont.FaceName), "DejaVu Sans");
  EXPECT_EQ(saved.DrawFlag, 0);
  EXPECT_EQ(flagless.cx, CalendarRect(saved).right);
  EXPECT_EQ(flagless.cy, CalendarRect(saved).bottom);
  saved.DrawFlag = 1;
  EXPECT_EQ(larger.cx, CalendarRect(saved).right) << "exactly the layout of the new cell";
  EXPECT_EQ(larger.cy, CalendarRect(saved).bottom);
  EXPECT_LT(flagless.cy, larger.cy) << "the strip is gone";
}
