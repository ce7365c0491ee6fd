// What the month view shows: today's moon phase and its name, today's and
// the note days' backgrounds, the flag strip, and each display language with
// the notes editor in it. Outside 2007: no moon, no today pages, the leap day.
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

namespace {

constexpr uint32_t Black = 0, White = 0xFFFFFF;
using MoonPixels = std::array<uint32_t, 4>;

// Pixels across the middle of the moon square: its left edge, a quarter of
// the way in, the centre, and three quarters of the way in.
MoonPixels MoonRow(const Capture& shot, const Rect& box) {
  const int side = std::min(box.right - box.left, box.bottom - box.top), y = box.top + (side - 1) / 2;
  auto at = [&](int quarter) { return shot.At(box.left + quarter * (side - 1) / 4, y); };
  return {at(0), at(1), at(2), at(3)};
}

// Pixels of the rectangle for which the test holds.
int CountPixels(const Capture& shot, const Rect& r, const std::function<bool(uint32_t)>& test) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += test(shot.At(x, y));
  return n;
}

}  // namespace

// One start per language, each showing something more: notes on today and
// on the 10th, the flag strip of Galicia (white with a blue band and its
// name), of no community (a swallow in a light sky, no name). In each: a
// white disc with its phase name, today's colour over today's cell but for
// the lower half a note takes, and the notes editor of the 5th with its
// caption and labels.
TEST_F(FullMoon2007, EveryLanguageShowsTheMoonTodayTheFlagAndTheEditor) {
  const struct { int flag; bool notes; const char *shot, *editor; } rows[] = {
      {0, false, "today_without_note", "  marzo, 5|Aceptar|Cancelar|Hoy...|Notas"},
      {13, false, "flag_strip_galicia", "  mar\xE7, 5|Acceptar|Cancel-lar|Avui...|Notes"},
      {1, false, "flag_strip_none", "  marzo, 5|Acetar|Cancelar|Hoxe...|Notas"},
      {0, false, nullptr, "  martxoa, 5|Ados|Utzi|Egun...|Oharrak"},
      {0, false, nullptr, "  mar\xE7o, 5|Aceitar|Cancelar|Hoje...|Verbetar"},
      {0, true, "today_with_note", "  mars, 5|OK|Annuler|Aujourd'hui...|Notes"},
  };
  auto blue = [](uint32_t p) { return (p & 0xFF) > 0xA0 && (p >> 16) < 0x40; };  // Galicia's #009FE3
  auto dark = [](uint32_t p) { return (p & 0xFF) < 0x60 && ((p >> 8) & 0xFF) < 0x60 && (p >> 16) < 0x60; };
  for (int language = 0; language < LanguageCount; ++language) {
    const auto& row = rows[language];
    CalendarSettings settings = Settings();
    settings.Language = language, settings.DrawFlag = row.flag != 0;
    if (row.flag) settings.Community = row.flag, settings.City = 0, settings.WindowHeight += 35;  // as the options fit it
    if (row.notes) AddNoteText(3, 3, "Hoy", 0), AddNoteText(10, 3, "Otro", 0);
    Start(settings);
    const Capture shot = SaveScreenshot(CaptureClient(app.Window), "month_language_" + std::to_string(language));
    if (row.shot) SaveScreenshot(shot, row.shot);
    const Rect box = Element(LayoutMoonBox), name = {box.right, box.top, shot.Width, box.bottom}, cell = DayCell(3);
    EXPECT_EQ(MoonRow(shot, box), (MoonPixels{Black, White, White, White})) << language;
    EXPECT_GT(CountPixels(shot, name, [&](uint32_t p) { return p == Rgb(started.WorkdayTextColor); }), 5) << language;
    for (int y = cell.top; y < cell.bottom; ++y)
      EXPECT_EQ(shot.At(cell.left + 1, y),
                Rgb(row.notes && y >= cell.bottom - started.CellHeight / 2 ? started.NoteDayBackColor : started.TodayBackColor))
          << language << ", row " << y - cell.top;
    EXPECT_EQ(shot.At(DayCell(10).right - 1, DayCell(10).bottom - 1) == Rgb(started.NoteDayBackColor), row.notes);
    const Rect flag = Element(LayoutFlag), caption = Element(LayoutFlagCaption);
    const Rect inside = {flag.left + 1, flag.top + 1, flag.right - 1, flag.bottom - 1};
    auto ink = [&](uint32_t p) { return p != Rgb(started.CalendarBackColor); };
    if (row.flag) {  // in a raised frame
      EXPECT_EQ((std::array{shot.At(flag.left, flag.top + 5), shot.At(flag.right - 1, flag.top + 5)}),
                (std::array{White, 0xC0C0C0u}));
      const int blues = CountPixels(shot, inside, blue), inks = CountPixels(shot, caption, ink);
      EXPECT_TRUE(row.flag == 13 ? blues > 60 && inks > 20 : !blues && !inks && CountPixels(shot, inside, dark) > 20)
          << row.flag << ": " << blues << " blue, " << inks << " ink";
    }

    HWND editor = OpenEditor(5);
    ASSERT_NE(editor, nullptr) << language;
    std::string shown = WindowText(editor);
    for (HWND control : {GetDlgItem(editor, IDOK), GetDlgItem(editor, IDCANCEL), GetDlgItem(editor, IDC_NOTE_TODAY),
                         FindWindowExA(editor, nullptr, "Static", nullptr)})
      shown += "|" + WindowText(control);
    EXPECT_EQ(shown, row.editor);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(editor, IDC_NOTE_TODAY))) << "2007 has its today pages";
    if (language == 0) SaveScreenshot(CaptureClient(editor), "notes_editor");
    EXPECT_TRUE(PressAndWaitGone(editor, IDCANCEL));
    EXPECT_EQ(Close(), 0u);
  }
}

// The moon square of the first run at the suite's date.
#define MOON_TEST(Suite, shotName, ...)                                                                 \
  TEST_F(Suite, TheMoonSquare) {                                                                        \
    started = Measured().Saved;                                                                         \
    const Capture shot = SaveScreenshot(Measured().Month, shotName);                                    \
    EXPECT_EQ(MoonRow(shot, Element(LayoutMoonBox)), (MoonPixels{__VA_ARGS__}));                        \
  }
MOON_TEST(NewMoon2007, "moon_new", Black, Black, Black, Black)
MOON_TEST(FirstQuarter2007, "moon_first_quarter", Black, Black, Black, White)
MOON_TEST(LastQuarter2007, "moon_last_quarter", Black, Black, Black, White)  // drawn as the first quarter

// No moon; "Hoy..." disabled; the note typed on the leap day is shown in
// the lower half of today's cell.
TEST_F(LeapDay2008, NoMoonNoTodayPagesAndTheLeapDayKeepsItsNote) {
  Start();
  EXPECT_EQ(MoonRow(SaveScreenshot(CaptureClient(app.Window), "month_2008"), Element(LayoutMoonBox)),
            (MoonPixels{White, White, White, White}));
  HWND editor = OpenEditor(29);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(WindowText(editor), "  febrero, 29");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(editor, IDC_NOTE_TODAY)));
  ASSERT_TRUE(TypeOver(GetDlgItem(editor, IDC_NOTE_TEXT), "bisiesto"));
  ASSERT_TRUE(PressAndWaitGone(editor, IDOK));
  const Capture shot = SaveScreenshot(CaptureClient(app.Window), "today_with_note_2008");
  const Rect cell = DayCell(29);
  EXPECT_EQ((std::array{shot.At(cell.left + 1, cell.top), shot.At(cell.left + 1, cell.bottom - 1)}),
            (std::array{Rgb(started.TodayBackColor), Rgb(started.NoteDayBackColor)}));
  EXPECT_EQ(Close(), 0u);
}
