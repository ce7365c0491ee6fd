// The month window by keyboard and as a screen reader reads it, in one run
// from Monday 5 March 2007 in Murcia (its own 19 March, the Balearic 1 March
// shown as another community's holiday, the flag strip drawn): the keys
// from the focus day, the focus rectangle, the editor and the year dialog
// from the keyboard; the window's accessible object, its children and the
// focus event a key sends.
#include <oleacc.h>

#include "calendar/regions.h"
#include "fixture.h"
#include "view/hit_test.h"

E2E_SUITE(Keyboard2007, 2007, 3, 5);

// The children of the focus events the window sends, received out of context.
static std::vector<LONG> g_focusedChildren;
static void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT) g_focusedChildren.push_back(child);
}

// A key as the keyboard types it into the foreground window, Ctrl held when asked.
static void TypeKey(BYTE key, bool control) {
  const DWORD extended = key >= VK_PRIOR && key <= VK_DOWN ? KEYEVENTF_EXTENDEDKEY : 0;
  if (control) keybd_event(VK_CONTROL, 0, 0, 0);
  keybd_event(key, 0, extended, 0);
  keybd_event(key, 0, extended | KEYEVENTF_KEYUP, 0);
  if (control) keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

using Box = std::array<LONG, 4>;  // left, top, right, bottom in client pixels
static Box BoxOf(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

TEST_F(Keyboard2007, KeysFocusRectangleAndTheScreenReadersView) {
  CalendarSettings settings = Settings();
  settings.WindowLeft = settings.WindowTop = 0;  // clear of the centred dialogs
  settings.Community = 17;
  settings.City = 0;
  settings.ShowOtherHolidays = 1;
  settings.DrawFlag = 1;
  settings.WindowHeight += 35;  // the flag strip's height
  CollectRegionHolidays(17, 0, settings.LocalHolidays);
  AddNoteText(7, 3, "Cena con Ana\r\nsegunda", 0);
  Start(settings);
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  IAccessible* table = nullptr;
  ASSERT_TRUE(SUCCEEDED(
      AccessibleObjectFromWindow(app.Window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&table))));
  SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnFocusEvent, app.Process.dwProcessId, 0,
                  WINEVENT_OUTOFCONTEXT);
  SetForegroundWindow(app.Window);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app.Window; }));
  const Capture before = SaveScreenshot(CaptureClient(app.Window), "keyboard_before_any_key");

  // Each key from 5 March 2007, the last ones within the month: the focused child, the table's value (the
  // month shown) and the focus event of the new day.
  const struct {
    WORD key;
    bool control;
    const char* after;
  } keys[] = {
      {VK_END, false, "31 marzo 2007"},    {VK_NEXT, false, "30 abril 2007"},   {VK_HOME, false, "1 abril 2007"},
      {VK_PRIOR, false, "1 marzo 2007"},   {VK_LEFT, false, "28 febrero 2007"}, {VK_NEXT, true, "28 febrero 2008"},
      {VK_PRIOR, true, "28 febrero 2007"}, {VK_HOME, true, "5 marzo 2007"},     {VK_RIGHT, false, "6 marzo 2007"},
      {VK_DOWN, false, "13 marzo 2007"},   {VK_UP, false, "6 marzo 2007"},      {VK_LEFT, false, "5 marzo 2007"},
  };
  for (const auto& k : keys) {
    g_focusedChildren.clear();
    TypeKey(k.key, k.control);
    std::string shown;
    EXPECT_TRUE(WaitUntil([&] {
      MSG m;  // the hook's events come as the driver's messages
      while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
      VARIANT focus{};
      BSTR month = nullptr;
      table->get_accFocus(&focus);
      table->get_accValue(Child(CHILDID_SELF), &month);
      const bool told = std::count(g_focusedChildren.begin(), g_focusedChildren.end(), focus.lVal) > 0;
      return (shown = std::to_string(focus.lVal) + " " + Narrow(month) + (told ? "" : " untold")) == k.after;
    })) << k.after
        << ": " << shown;
  }

  // The dotted rectangle inside 5 March's cell is all that changed since the start.
  const Capture focused = SaveScreenshot(CaptureClient(app.Window), "keyboard_focus_on_5_march");
  const Rect today = DayCell(5);
  std::array<int, 4> changed = {focused.Width, focused.Height, -1, -1};  // the box around the changed pixels
  for (int y = 0; y < focused.Height; ++y)
    for (int x = 0; x < focused.Width; ++x)
      if (focused.At(x, y) != before.At(x, y))
        changed = {std::min(changed[0], x), std::min(changed[1], y), std::max(changed[2], x), std::max(changed[3], y)};
  EXPECT_EQ(changed, (std::array{today.left + 1, today.top + 1, today.right - 2, today.bottom - 2}));

  // Enter and Space open the editor of the focus day, F2 the year dialog;
  // the rectangle goes while they are open and comes back after.
  for (auto [key, caption] :
       {std::pair{VK_RETURN, "  marzo, 5"}, {VK_SPACE, "  marzo, 5"}, {VK_F2, "Cambiar el a\xF1o"}}) {
    TypeKey(key, false);
    HWND dialog = FindDialog(app.Process.dwProcessId, caption);
    ASSERT_NE(dialog, nullptr) << caption;
    EXPECT_TRUE(WaitUntil([&] { return CaptureClient(app.Window).Pixels == before.Pixels; })) << caption;
    ASSERT_TRUE(PressAndWaitGone(dialog, IDCANCEL));
    SetForegroundWindow(app.Window);
    EXPECT_TRUE(WaitUntil([&] { return CaptureClient(app.Window).Pixels == focused.Pixels; })) << caption;
  }

  // The table and its children: role, name, value, state, place on the
  // screen (the client area for the table), and the child at a point.
  POINT origin = {0, 0};
  ClientToScreen(app.Window, &origin);
  auto read = [&](LONG id, POINT at) {
    VARIANT role{}, state{}, hit{};
    BSTR name = nullptr, value = nullptr;
    LONG box[4] = {};
    table->get_accRole(Child(id), &role);
    table->get_accState(Child(id), &state);
    table->get_accName(Child(id), &name);
    table->get_accValue(Child(id), &value);
    table->accLocation(&box[0], &box[1], &box[2], &box[3], Child(id));
    table->accHitTest(origin.x + at.x, origin.y + at.y, &hit);
    const Box client = {box[0] - origin.x, box[1] - origin.y, box[0] - origin.x + box[2], box[1] - origin.y + box[3]};
    return std::make_tuple(role.lVal, Narrow(name), Narrow(value), state.lVal, client, hit.lVal);
  };
  using Expected = std::tuple<LONG, std::string, std::string, LONG, Box, LONG>;
  LONG count = 0;
  table->get_accChildCount(&count);
  EXPECT_EQ(count, 3 + 31 + 1);
  EXPECT_EQ(read(CHILDID_SELF, Center(Element(LayoutWeekdayHeader))),
            Expected(ROLE_SYSTEM_TABLE, "Calendario", "marzo 2007", STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED,
                     BoxOf(Element(LayoutWindow)), CHILDID_SELF));
  const LONG cell = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
  const Rect strip = {Element(LayoutFlag).left, Element(LayoutFlag).top, Element(LayoutFlagCaption).right,
                      Element(LayoutFlag).bottom};
  const struct {
    LONG id, role;
    const char *name, *value;
    LONG state;
    Rect place;
  } children[] = {
      {1, ROLE_SYSTEM_CELL, "jueves, 1 de marzo de 2007", "Festivo en otra comunidad", cell, DayCell(1)},
      {4, ROLE_SYSTEM_CELL, "domingo, 4 de marzo de 2007", "Domingo", cell, DayCell(4)},
      {5, ROLE_SYSTEM_CELL, "lunes, 5 de marzo de 2007", "Laborable, hoy",
       cell | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED, DayCell(5)},
      {7, ROLE_SYSTEM_CELL, "mi\xE9rcoles, 7 de marzo de 2007", "Laborable, con nota: Cena con Ana", cell, DayCell(7)},
      {19, ROLE_SYSTEM_CELL, "lunes, 19 de marzo de 2007", "Festivo", cell, DayCell(19)},
      {HitPrevMonth, ROLE_SYSTEM_PUSHBUTTON, "Mes anterior", "", 0, Element(LayoutPrevArrow)},
      {HitTitle, ROLE_SYSTEM_PUSHBUTTON, "marzo 2007", "", 0, Element(LayoutTitle)},
      {105, ROLE_SYSTEM_STATICTEXT, "Murcia", "", STATE_SYSTEM_READONLY, strip},
  };
  for (const auto& c : children)
    EXPECT_EQ(read(c.id, Center(c.place)), Expected(c.role, c.name, c.value, c.state, BoxOf(c.place), c.id)) << c.id;
  BSTR shortcut = nullptr;
  table->get_accKeyboardShortcut(Child(HitTitle), &shortcut);
  EXPECT_EQ(Narrow(shortcut), "F2");

  // The default action of a day opens its editor with its note.
  EXPECT_TRUE(SUCCEEDED(table->accDoDefaultAction(Child(7))));
  HWND editor = FindDialog(app.Process.dwProcessId, "  marzo, 7");
  EXPECT_EQ(TextWide(GetDlgItem(editor, IDC_NOTE_TEXT)), "Cena con Ana\r\nsegunda");
  ASSERT_TRUE(PressAndWaitGone(editor, IDCANCEL));
  table->Release();
  EXPECT_EQ(Close(), 0u);
}
