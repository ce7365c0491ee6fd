// What the month view shows: today's and note backgrounds, the moon phase of
// today, the flag strip, and a screenshot of each display language.
#include "calendar/names.h"
#include "fixture.h"

E2E_SUITE(FullMoon2007, 2007, 3, 3);
E2E_SUITE(NewMoon2007, 2007, 1, 19);
E2E_SUITE(FirstQuarter2007, 2007, 1, 25);
E2E_SUITE(LastQuarter2007, 2007, 3, 12);
E2E_SUITE(NoMoon2008, 2008, 2, 29);

class MoonPhase {
 public:
  MoonPhase(const Capture& shot, const Rect& box) : shot_(shot) {
    int side = std::min(box.right - box.left, box.bottom - box.top);
    square_ = {box.left, box.top, box.left + side, box.top + side};
  }
  // Pixel at a fraction of the moon square (0..1 across, 0..1 down).
  uint32_t At(double fx, double fy) const {
    return shot_.At(square_.left + static_cast<int>(fx * (square_.right - square_.left - 1)),
                    square_.top + static_cast<int>(fy * (square_.bottom - square_.top - 1)));
  }
  int Dark() const {  // black pixels in the square
    int n = 0;
    for (int y = square_.top; y < square_.bottom; ++y)
      for (int x = square_.left; x < square_.right; ++x) n += shot_.At(x, y) == 0;
    return n;
  }

 private:
  const Capture& shot_;
  Rect square_;
};

TEST_F(FullMoon2007, AWhiteDiscWithItsNameInEveryLanguage) {
  for (int language = 0; language < LanguageCount; ++language) {
    CalendarSettings settings = Settings();
    settings.Language = language;
    Start(settings);
    Capture shot = CaptureClient(app.Window);
    SaveScreenshot(shot, "month_language_" + std::to_string(language));
    MoonPhase moon(shot, Element(LayoutMoonBox));
    EXPECT_EQ(moon.At(0.5, 0.5), 0xFFFFFFu);
    EXPECT_EQ(moon.At(0.3, 0.5), 0xFFFFFFu);
    EXPECT_EQ(moon.At(0.0, 0.5), 0u) << "black outline";
    // The phase name stands right of the square, in the day text colour.
    Rect box = Element(LayoutMoonBox);
    int text = 0;
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = box.right; x < shot.Width; ++x) text += shot.At(x, y) == Rgb(started.WorkdayTextColor);
    EXPECT_GT(text, 5) << "language " << language;
    EXPECT_EQ(Close(), 0u);
  }
}

TEST_F(FullMoon2007, TodayWithAndWithoutANote) {
  Start();
  Capture plain = CaptureClient(app.Window);
  SaveScreenshot(plain, "today_without_note");
  Rect cell = DayCell(3);
  EXPECT_EQ(plain.At(cell.left + 1, cell.top), Rgb(started.TodayBackColor));
  EXPECT_EQ(plain.At(cell.left + 1, cell.bottom - 1), Rgb(started.TodayBackColor));
  EXPECT_EQ(Close(), 0u);

  AddNoteText(3, 3, "Hoy", 0);
  AddNoteText(10, 3, "Otro", 0);
  Start();
  Capture noted = CaptureClient(app.Window);
  SaveScreenshot(noted, "today_with_note");
  const int h = started.CellHeight;
  for (int y = cell.top; y < cell.bottom; ++y) {
    uint32_t expected = y < cell.bottom - h / 2 ? Rgb(started.TodayBackColor) : Rgb(started.NoteDayBackColor);
    EXPECT_EQ(noted.At(cell.left + 1, y), expected) << "row " << y - cell.top;
  }
  Rect other = DayCell(10);
  EXPECT_EQ(noted.At(other.left + 1, other.top), Rgb(started.NoteDayBackColor));
  EXPECT_EQ(noted.At(other.right - 1, other.bottom - 1), Rgb(started.NoteDayBackColor));
  EXPECT_EQ(Close(), 0u);
}

TEST_F(FullMoon2007, TheFlagStripShowsTheCommunity) {
  CalendarSettings settings = Settings();
  settings.DrawFlag = 1;
  settings.Community = 13;  // Galicia: white with a blue band
  settings.City = 0;
  settings.WindowHeight += 35;  // as the options would have fitted the window
  Start(settings);
  RECT client;
  GetClientRect(app.Window, &client);
  EXPECT_EQ(client.bottom, 8 * started.CellHeight + 39);
  Capture shot = CaptureClient(app.Window);
  SaveScreenshot(shot, "flag_strip_galicia");
  Rect flag = Element(LayoutFlag);
  EXPECT_EQ(shot.At(flag.left, flag.top + 5), 0xFFFFFFu) << "raised frame: white left edge";
  EXPECT_EQ(shot.At(flag.right - 1, flag.top + 5), 0xC0C0C0u) << "light-gray right edge";
  int blue = 0;
  for (int y = flag.top + 1; y < flag.bottom - 1; ++y)
    for (int x = flag.left + 1; x < flag.right - 1; ++x) {
      uint32_t p = shot.At(x, y);
      blue += (p & 0xFF) > 0x80 && (p >> 16) < 0x80;
    }
  EXPECT_GT(blue, 60);
  EXPECT_EQ(Close(), 0u);

  settings.Community = 1;  // no community: the bird and a blank caption
  Start(settings);
  SaveScreenshot(CaptureClient(app.Window), "flag_strip_none");
  EXPECT_EQ(Close(), 0u);
}

TEST_F(NewMoon2007, ABlackDisc) {
  Start();
  Capture shot = CaptureClient(app.Window);
  SaveScreenshot(shot, "moon_new");
  MoonPhase moon(shot, Element(LayoutMoonBox));
  EXPECT_EQ(moon.At(0.5, 0.5), 0u);
  EXPECT_EQ(moon.At(0.25, 0.5), 0u);
  EXPECT_EQ(moon.At(0.75, 0.5), 0u);
  EXPECT_EQ(Close(), 0u);
}

TEST_F(FirstQuarter2007, TheLeftHalfIsBlack) {
  Start();
  Capture shot = CaptureClient(app.Window);
  SaveScreenshot(shot, "moon_first_quarter");
  MoonPhase moon(shot, Element(LayoutMoonBox));
  EXPECT_EQ(moon.At(0.25, 0.5), 0u);
  EXPECT_EQ(moon.At(0.75, 0.5), 0xFFFFFFu);
  EXPECT_EQ(Close(), 0u);
}

TEST_F(LastQuarter2007, DrawnAsTheFirstQuarter) {
  Start();
  Capture shot = CaptureClient(app.Window);
  SaveScreenshot(shot, "moon_last_quarter");
  MoonPhase moon(shot, Element(LayoutMoonBox));
  EXPECT_EQ(moon.At(0.25, 0.5), 0u);
  EXPECT_EQ(moon.At(0.75, 0.5), 0xFFFFFFu);
  EXPECT_EQ(Close(), 0u);
}

TEST_F(NoMoon2008, NoSymbolOutside2007) {
  Start();
  Capture shot = CaptureClient(app.Window);
  SaveScreenshot(shot, "month_2008");
  EXPECT_EQ(MoonPhase(shot, Element(LayoutMoonBox)).Dark(), 0);
  EXPECT_EQ(Close(), 0u);
}
