// What the month view shows: today's moon phase and its name, today's and
// the note days' backgrounds, the flag strip, and a screenshot of each
// display language. Outside 2007: no moon, no today pages, the leap day.
#include <algorithm>
#include <array>
#include <functional>

#include "calendar/names.h"
#include "fixture.h"

E2E_SUITE(FullMoon2007, 2007, 3, 3);
E2E_SUITE(NewMoon2007, 2007, 1, 19);
E2E_SUITE(FirstQuarter2007, 2007, 1, 25);
E2E_SUITE(LastQuarter2007, 2007, 3, 12);
E2E_SUITE(LeapDay2008, 2008, 2, 29);

constexpr uint32_t Black = 0, White = 0xFFFFFF;

// Pixels across the middle of the moon square: its left edge, a quarter of
// the way in, the centre, and three quarters of the way in.
static std::array<uint32_t, 4> MoonRow(const Capture& shot, const Rect& box) {
  const int side = std::min(box.right - box.left, box.bottom - box.top), y = box.top + (side - 1) / 2;
  auto at = [&](int quarter) { return shot.At(box.left + quarter * (side - 1) / 4, y); };
  return {at(0), at(1), at(2), at(3)};
}

// Pixels of the rectangle for which the test holds.
static int CountPixels(const Capture& shot, const Rect& r, const std::function<bool(uint32_t)>& test) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += test(shot.At(x, y));
  return n;
}

TEST_F(FullMoon2007, AWhiteDiscWithItsNameInEveryLanguage) {
  for (int language = 0; language < LanguageCount; ++language) {
    CalendarSettings settings = Settings();
    settings.Language = language;
    const Capture shot = StartAndShoot("month_language_" + std::to_string(language), settings);
    const Rect box = Element(LayoutMoonBox), name = {box.right, box.top, shot.Width, box.bottom};
    EXPECT_EQ(MoonRow(shot, box), (std::array{Black, White, White, White})) << language;
    EXPECT_GT(CountPixels(shot, name, [&](uint32_t p) { return p == Rgb(started.WorkdayTextColor); }), 5)
        << "the phase name right of the square, language " << language;
    if (language > 0) continue;
    // Today without a note: today's colour over the whole cell.
    SaveScreenshot(shot, "today_without_note");
    const Rect cell = DayCell(3);
    EXPECT_EQ(shot.At(cell.left + 1, cell.top), Rgb(started.TodayBackColor));
    EXPECT_EQ(shot.At(cell.left + 1, cell.bottom - 1), Rgb(started.TodayBackColor));
  }
}

TEST_F(FullMoon2007, TodayWithANoteShowsBothColours) {
  AddNoteText(3, 3, "Hoy", 0);
  AddNoteText(10, 3, "Otro", 0);
  const Capture noted = StartAndShoot("today_with_note");
  const Rect cell = DayCell(3), other = DayCell(10);
  for (int y = cell.top; y < cell.bottom; ++y)  // the note's colour in the lower H/2 rows
    EXPECT_EQ(noted.At(cell.left + 1, y),
              Rgb(y < cell.bottom - started.CellHeight / 2 ? started.TodayBackColor : started.NoteDayBackColor))
        << "row " << y - cell.top;
  EXPECT_EQ(noted.At(other.left + 1, other.top), Rgb(started.NoteDayBackColor));
  EXPECT_EQ(noted.At(other.right - 1, other.bottom - 1), Rgb(started.NoteDayBackColor));
}

TEST_F(FullMoon2007, TheFlagStripShowsTheCommunity) {
  CalendarSettings settings = Settings();
  settings.DrawFlag = 1, settings.Community = 13, settings.City = 0;  // Galicia: white with a blue band
  settings.WindowHeight += 35;  // as the options would have fitted the window
  Capture shot = StartAndShoot("flag_strip_galicia", settings);
  const Rect flag = Element(LayoutFlag), caption = Element(LayoutFlagCaption);
  const Rect inside = {flag.left + 1, flag.top + 1, flag.right - 1, flag.bottom - 1};
  EXPECT_EQ(shot.At(flag.left, flag.top + 5), 0xFFFFFFu) << "raised frame: white left edge";
  EXPECT_EQ(shot.At(flag.right - 1, flag.top + 5), 0xC0C0C0u) << "light-gray right edge";
  auto blue = [](uint32_t p) { return (p & 0xFF) > 0xA0 && (p >> 16) < 0x40; };  // Galicia's #009FE3
  auto dark = [](uint32_t p) { return (p & 0xFF) < 0x60 && ((p >> 8) & 0xFF) < 0x60 && (p >> 16) < 0x60; };
  auto ink = [&](uint32_t p) { return p != Rgb(started.CalendarBackColor); };
  EXPECT_GT(CountPixels(shot, inside, blue), 60);
  EXPECT_GT(CountPixels(shot, caption, ink), 20) << "the community's name";

  settings.Community = 1;  // no community: a swallow in a light sky and no caption
  shot = StartAndShoot("flag_strip_none", settings);
  EXPECT_EQ(CountPixels(shot, caption, ink), 0);
  EXPECT_EQ(CountPixels(shot, inside, blue), 0);
  EXPECT_GT(CountPixels(shot, inside, dark), 20) << "the swallow";
}

// The moon square of a start at the suite's date.
#define EXPECT_MOON(shotName, ...)                                                           \
  do {                                                                                       \
    const Capture shot = StartAndShoot(shotName);                                            \
    EXPECT_EQ(MoonRow(shot, Element(LayoutMoonBox)), (std::array<uint32_t, 4>{__VA_ARGS__})); \
  } while (0)

TEST_F(NewMoon2007, ABlackDisc) { EXPECT_MOON("moon_new", Black, Black, Black, Black); }
TEST_F(FirstQuarter2007, TheLeftHalfIsBlack) { EXPECT_MOON("moon_first_quarter", Black, Black, Black, White); }
TEST_F(LastQuarter2007, DrawnAsTheFirstQuarter) { EXPECT_MOON("moon_last_quarter", Black, Black, Black, White); }

TEST_F(LeapDay2008, NoMoonNoTodayPagesAndTheLeapDayKeepsItsNote) {
  Start();
  const Capture month = CaptureClient(app.Window);
  SaveScreenshot(month, "month_2008");
  EXPECT_EQ(MoonRow(month, Element(LayoutMoonBox)), (std::array{White, White, White, White}));
  HWND editor = OpenEditor(29);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(WindowText(editor), "  febrero, 29");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(editor, IDC_NOTE_TODAY)));
  ASSERT_TRUE(TypeOver(GetDlgItem(editor, IDC_NOTE_TEXT), "bisiesto"));
  ASSERT_TRUE(PressAndWaitGone(editor, IDOK));
  NoteRecord note{};
  ReadNote(29, 2, &note);
  EXPECT_STREQ(note.Text, "bisiesto");
  const Capture shot = CaptureClient(app.Window);
  SaveScreenshot(shot, "today_with_note_2008");
  const Rect cell = DayCell(29);  // today with a note: today's colour above, the note's below
  EXPECT_EQ(shot.At(cell.left + 1, cell.top), Rgb(started.TodayBackColor));
  EXPECT_EQ(shot.At(cell.left + 1, cell.bottom - 1), Rgb(started.NoteDayBackColor));
  EXPECT_EQ(Close(), 0u);
}
