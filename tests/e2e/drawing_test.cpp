// What the month view shows: today's and note backgrounds, the moon phase of
// today, the flag strip, and a screenshot of each display language.
#include <functional>

#include "calendar/names.h"
#include "fixture.h"

E2E_SUITE(FullMoon2007, 2007, 3, 3);
E2E_SUITE(NewMoon2007, 2007, 1, 19);
E2E_SUITE(FirstQuarter2007, 2007, 1, 25);
E2E_SUITE(LastQuarter2007, 2007, 3, 12);
E2E_SUITE(NoMoon2008, 2008, 2, 29);

// Pixels across the middle of the moon square: its left edge, a quarter of
// the way in, the centre, and three quarters of the way in.
struct MoonRow {
  uint32_t edge, left, centre, right;
  bool operator==(const MoonRow&) const = default;
};
static MoonRow ReadMoonRow(const Capture& shot, const Rect& box) {
  int side = std::min(box.right - box.left, box.bottom - box.top);
  int y = box.top + (side - 1) / 2;
  auto at = [&](double fx) { return shot.At(box.left + static_cast<int>(fx * (side - 1)), y); };
  return {at(0.0), at(0.25), at(0.5), at(0.75)};
}

constexpr uint32_t Black = 0, White = 0xFFFFFF;

TEST_F(FullMoon2007, AWhiteDiscWithItsNameInEveryLanguage) {
  for (int language = 0; language < LanguageCount; ++language) {
    CalendarSettings settings = Settings();
    settings.Language = language;
    Capture shot = StartAndShoot("month_language_" + std::to_string(language), settings);
    EXPECT_EQ(ReadMoonRow(shot, Element(LayoutMoonBox)), (MoonRow{Black, White, White, White}));
    // The phase name stands right of the square, in the day text colour.
    Rect box = Element(LayoutMoonBox);
    int text = 0;
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = box.right; x < shot.Width; ++x) text += shot.At(x, y) == Rgb(started.WorkdayTextColor);
    EXPECT_GT(text, 5) << "language " << language;
  }
}

TEST_F(FullMoon2007, TodayWithAndWithoutANote) {
  Capture plain = StartAndShoot("today_without_note");
  Rect cell = DayCell(3);
  EXPECT_EQ(plain.At(cell.left + 1, cell.top), Rgb(started.TodayBackColor));
  EXPECT_EQ(plain.At(cell.left + 1, cell.bottom - 1), Rgb(started.TodayBackColor));

  AddNoteText(3, 3, "Hoy", 0);
  AddNoteText(10, 3, "Otro", 0);
  Capture noted = StartAndShoot("today_with_note");
  const int h = started.CellHeight;
  for (int y = cell.top; y < cell.bottom; ++y) {
    uint32_t expected = y < cell.bottom - h / 2 ? Rgb(started.TodayBackColor) : Rgb(started.NoteDayBackColor);
    EXPECT_EQ(noted.At(cell.left + 1, y), expected) << "row " << y - cell.top;
  }
  Rect other = DayCell(10);
  EXPECT_EQ(noted.At(other.left + 1, other.top), Rgb(started.NoteDayBackColor));
  EXPECT_EQ(noted.At(other.right - 1, other.bottom - 1), Rgb(started.NoteDayBackColor));
}

// Pixels of the rectangle for which the test holds.
static int CountPixels(const Capture& shot, const Rect& r, const std::function<bool(uint32_t)>& test) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += test(shot.At(x, y));
  return n;
}

TEST_F(FullMoon2007, TheFlagStripShowsTheCommunity) {
  CalendarSettings settings = Settings();
  settings.DrawFlag = 1;
  settings.Community = 13;  // Galicia: white with a blue band
  settings.City = 0;
  settings.WindowHeight += 35;  // as the options would have fitted the window
  Capture shot = StartAndShoot("flag_strip_galicia", settings);
  EXPECT_EQ(shot.Height, 8 * started.CellHeight + 39);
  const Rect flag = Element(LayoutFlag), caption = Element(LayoutFlagCaption);
  const Rect inside = {flag.left + 1, flag.top + 1, flag.right - 1, flag.bottom - 1};
  EXPECT_EQ(shot.At(flag.left, flag.top + 5), 0xFFFFFFu) << "raised frame: white left edge";
  EXPECT_EQ(shot.At(flag.right - 1, flag.top + 5), 0xC0C0C0u) << "light-gray right edge";
  auto blue = [](uint32_t p) { return (p & 0xFF) > 0xA0 && (p >> 16) < 0x40; };  // Galicia's #009FE3
  auto dark = [](uint32_t p) { return (p & 0xFF) < 0x60 && ((p >> 8) & 0xFF) < 0x60 && (p >> 16) < 0x60; };
  const uint32_t back = Rgb(started.CalendarBackColor);
  auto ink = [&](uint32_t p) { return p != back; };
  EXPECT_GT(CountPixels(shot, inside, blue), 60);
  EXPECT_GT(CountPixels(shot, caption, ink), 20) << "the community's name";

  settings.Community = 1;  // no community: a swallow in a light sky and no caption
  shot = StartAndShoot("flag_strip_none", settings);
  EXPECT_EQ(CountPixels(shot, caption, ink), 0);
  EXPECT_EQ(CountPixels(shot, inside, blue), 0);
  EXPECT_GT(CountPixels(shot, inside, dark), 20) << "the swallow";
}

// The moon square of a start at the suite's date.
#define EXPECT_MOON_ROW(shotName, ...)                   \
  do {                                                   \
    const Capture shot = StartAndShoot(shotName);        \
    EXPECT_EQ(ReadMoonRow(shot, Element(LayoutMoonBox)), \
              (MoonRow{__VA_ARGS__}));                   \
  } while (0)

TEST_F(NewMoon2007, ABlackDisc) { EXPECT_MOON_ROW("moon_new", Black, Black, Black, Black); }
TEST_F(FirstQuarter2007, TheLeftHalfIsBlack) { EXPECT_MOON_ROW("moon_first_quarter", Black, Black, Black, White); }
TEST_F(LastQuarter2007, DrawnAsTheFirstQuarter) { EXPECT_MOON_ROW("moon_last_quarter", Black, Black, Black, White); }
TEST_F(NoMoon2008, NoSymbolOutside2007) { EXPECT_MOON_ROW("month_2008", White, White, White, White); }
