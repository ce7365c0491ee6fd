// What the month view shows: today's moon phase and its name, today's
// background with and without a note, the flag strip, and each display
// language with the notes editor in it. Outside 2007: no moon, no today
// pages, the leap day.

#include "calendar/names.h"
#include "fixture.h"

E2E_SUITE(FullMoon2007, 2007, 3, 3);
E2E_SUITE(NewMoon2007, 2007, 1, 19);
E2E_SUITE(FirstQuarter2007, 2007, 1, 25);
E2E_SUITE(LastQuarter2007, 2007, 3, 12);
E2E_SUITE(LeapDay2008, 2008, 2, 29);

namespace {

constexpr uint32_t Black = 0, White = 0xFFFFFF;
using MoonPixels = std::array<uint32_t, 4>;

// Pixels across the middle of the moon square: its left edge, a quarter of
// the way in, the centre, and three quarters of the way in.
MoonPixels MoonRow(const Capture& shot, const Rect& box) {
  const int side = std::min(box.right - box.left, box.bottom - box.top);
  const int y = box.top + (side - 1) / 2;
  auto at = [&](int quarter) { return shot.At(box.left + quarter * (side - 1) / 4, y); };
  return {at(0), at(1), at(2), at(3)};
}

// The editor's caption, the texts of Accept, Cancel, "Hoy..." and the
// label, and whether "Hoy..." is enabled.
std::string EditorTexts(HWND editor) {
  std::string shown = TextWide(editor);
  for (int id : {IDOK, IDCANCEL, IDC_NOTE_TODAY, 0xFFFF}) shown += "|" + TextWide(GetDlgItem(editor, id));
  return shown + (IsWindowEnabled(GetDlgItem(editor, IDC_NOTE_TODAY)) ? "" : "|disabled");
}

}  // namespace

// One start per language, each showing something more: the flag strip of
// Galicia (white with a blue band, and its name) and of no community (a
// swallow in a light sky, no name) in a raised frame, a note today. In each:
// a white disc with its phase name, today's colour over today's cell but for
// the lower half a note takes, and the notes editor of the 5th with its
// caption and labels, "Hoy..." enabled (2007 has its today pages).
TEST_F(FullMoon2007, EveryLanguageShowsTheMoonTodayTheFlagAndTheEditor) {
  // The community of the flag strip (0: none drawn; -1: none, a note today), the screenshot, the editor's texts.
  const std::tuple<int, const char*, const char*> rows[] = {
      {0, "today_without_note", "  marzo, 5|Aceptar|Cancelar|Hoy...|Notas"},
      {13, "flag_strip_galicia", "  mar\xE7, 5|Acceptar|Cancel-lar|Avui...|Notes"},
      {1, "flag_strip_none", "  marzo, 5|Acetar|Cancelar|Hoxe...|Notas"},
      {0, "month_language_3", "  martxoa, 5|Ados|Utzi|Egun...|Oharrak"},
      {0, "month_language_4", "  mar\xE7o, 5|Aceitar|Cancelar|Hoje...|Verbetar"},
      {-1, "today_with_note", "  mars, 5|OK|Annuler|Aujourd'hui...|Notes"},
  };
  auto blue = [](uint32_t p) { return (p & 0xFF) > 0xA0 && (p >> 16) < 0x40; };  // Galicia's #009FE3
  auto dark = [](uint32_t p) { return (p & 0xFF) < 0x60 && ((p >> 8) & 0xFF) < 0x60 && (p >> 16) < 0x60; };
  for (int language = 0; language < LanguageCount; ++language) {
    const auto& [community, shotName, editorTexts] = rows[language];
    CalendarSettings settings = Settings();
    settings.Language = language;
    settings.DrawFlag = community > 0;
    if (community > 0) {
      settings.Community = community;
      settings.City = 0;
      settings.WindowHeight += 35;  // as the options fit it
    }
    if (community < 0) AddNoteText(3, 3, "Hoy", 0);
    Start(settings);
    const Capture shot = SaveScreenshot(CaptureClient(app.Window), shotName);
    auto count = [&](const Rect& r, auto test) {  // the pixels of the rectangle for which the test holds
      int n = 0;
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += test(shot.At(x, y));
      return n;
    };
    const Rect box = Element(LayoutMoonBox);
    const Rect cell = DayCell(3);
    const Rect flag = Element(LayoutFlag);
    EXPECT_EQ(MoonRow(shot, box), (MoonPixels{Black, White, White, White})) << language;
    EXPECT_GT(count({box.right, box.top, shot.Width, box.bottom},
                    [&](uint32_t p) { return p == Rgb(started.WorkdayTextColor); }),
              5)
        << "the phase name, language " << language;
    for (int y = cell.top; y < cell.bottom; ++y)
      EXPECT_EQ(shot.At(cell.left + 1, y),
                Rgb(community < 0 && y >= cell.bottom - started.CellHeight / 2 ? started.NoteDayBackColor
                                                                               : started.TodayBackColor))
          << language << ", row " << y - cell.top;
    if (community > 0) {
      EXPECT_EQ((std::array{shot.At(flag.left, flag.top + 5), shot.At(flag.right - 1, flag.top + 5)}),
                (std::array{White, 0xC0C0C0u}));
      const Rect inside = {flag.left + 1, flag.top + 1, flag.right - 1, flag.bottom - 1};
      const int blues = count(inside, blue);
      const int ink =
          count(Element(LayoutFlagCaption), [&](uint32_t p) { return p != Rgb(started.CalendarBackColor); });
      if (community == 13) {
        EXPECT_GT(blues, 60);
        EXPECT_GT(ink, 20);
      } else {
        EXPECT_EQ(std::pair(blues, ink), std::pair(0, 0));
        EXPECT_GT(count(inside, dark), 20);
      }
    }
    HWND editor = OpenEditor(5);
    EXPECT_EQ(EditorTexts(editor), editorTexts);
    EXPECT_TRUE(PressAndWaitGone(editor, IDCANCEL));
    EXPECT_EQ(Close(), 0u);
  }
}

// The moon square of the first run at the suite's date.
#define MOON_TEST(Suite, shotName, ...)                                                                                \
  TEST_F(Suite, TheMoonSquare) {                                                                                       \
    started = Measured().Saved;                                                                                        \
    EXPECT_EQ(MoonRow(SaveScreenshot(Measured().Month, shotName), Element(LayoutMoonBox)), (MoonPixels{__VA_ARGS__})); \
  }
MOON_TEST(NewMoon2007, "moon_new", Black, Black, Black, Black)
MOON_TEST(FirstQuarter2007, "moon_first_quarter", Black, Black, Black, White)
MOON_TEST(LastQuarter2007, "moon_last_quarter", Black, Black, Black, White)  // drawn as the first quarter

// No moon and no today pages; the note typed on the leap day is shown in the
// lower half of today's cell.
TEST_F(LeapDay2008, NoMoonNoTodayPagesAndTheLeapDayKeepsItsNote) {
  Start();
  EXPECT_EQ(MoonRow(SaveScreenshot(CaptureClient(app.Window), "month_2008"), Element(LayoutMoonBox)),
            (MoonPixels{White, White, White, White}));
  HWND editor = OpenEditor(29);
  EXPECT_EQ(EditorTexts(editor), "  febrero, 29|Aceptar|Cancelar|Hoy...|Notas|disabled");
  ASSERT_TRUE(TypeOver(GetDlgItem(editor, IDC_NOTE_TEXT), "bisiesto"));
  ASSERT_TRUE(PressAndWaitGone(editor, IDOK));
  const Capture shot = SaveScreenshot(CaptureClient(app.Window), "today_with_note_2008");
  EXPECT_EQ(shot.At(DayCell(29).left + 1, DayCell(29).bottom - 1), Rgb(started.NoteDayBackColor));
  EXPECT_EQ(Close(), 0u);
}
