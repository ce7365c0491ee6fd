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

// The focus events the window sends, received out of context.
static std::vector<LONG> g_focusedChildren;
static void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT) g_focusedChildren.push_back(child);
}

// Polls while the driver's own messages (the hook's events) are handled.
static bool PumpUntil(const std::function<bool()>& condition) {
  return WaitUntil([&] {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    return condition();
  });
}

// A key as the keyboard types it, into the foreground window, with Ctrl held when asked.
static void TypeKey(WORD key, bool control) {
  std::vector<INPUT> keys;
  auto add = [&](WORD vk, DWORD up) {
    INPUT in = {INPUT_KEYBOARD};
    in.ki.wVk = vk;
    in.ki.dwFlags = up | (vk >= VK_PRIOR && vk <= VK_DOWN ? KEYEVENTF_EXTENDEDKEY : 0);
    keys.push_back(in);
  };
  if (control) add(VK_CONTROL, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (control) add(VK_CONTROL, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

static std::string Narrow(BSTR text) {
  char bytes[400] = "";
  if (text) WideCharToMultiByte(1252, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
  SysFreeString(text);
  return bytes;
}
static VARIANT Child(LONG id) {
  VARIANT v{};
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}
// The focused child ("-" for none), the value of the table: "5 marzo 2007".
static std::string FocusAndMonth(IAccessible* table) {
  VARIANT focus{};
  BSTR month = nullptr;
  table->get_accFocus(&focus);
  table->get_accValue(Child(CHILDID_SELF), &month);
  return (focus.vt == VT_I4 ? std::to_string(focus.lVal) : "-") + " " + Narrow(month);
}

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
  const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnFocusEvent,
                                             app.Process.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
  SetForegroundWindow(app.Window);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app.Window; }));

  // With the focus but before any key: no rectangle, the pixels of the start.
  const Capture before = SaveScreenshot(CaptureClient(app.Window), "keyboard_before_any_key");
  EXPECT_EQ(before.Pixels, CaptureClient(app.Window, false).Pixels);
  const Rect today = DayCell(5);
  int ring = 0;
  for (int y = today.top + 1; y < today.bottom - 1; ++y)
    for (int x = today.left + 1; x < today.right - 1; ++x)
      ring += (x == today.left + 1 || x == today.right - 2 || y == today.top + 1 || y == today.bottom - 2) &&
              before.At(x, y) != Rgb(settings.TodayBackColor);
  EXPECT_EQ(ring, 0) << "a focus rectangle before any key";

  // Each key from 5 March 2007, the focus day and the month after it.
  const struct {
    WORD key;
    bool control;
    const char* after;
  } keys[] = {
      {VK_RIGHT, false, "6 marzo 2007"},  {VK_LEFT, false, "5 marzo 2007"},    {VK_DOWN, false, "12 marzo 2007"},
      {VK_UP, false, "5 marzo 2007"},     {VK_END, false, "31 marzo 2007"},    {VK_NEXT, false, "30 abril 2007"},
      {VK_HOME, false, "1 abril 2007"},   {VK_PRIOR, false, "1 marzo 2007"},   {VK_LEFT, false, "28 febrero 2007"},
      {VK_NEXT, true, "28 febrero 2008"}, {VK_PRIOR, true, "28 febrero 2007"}, {VK_HOME, true, "5 marzo 2007"},
  };
  for (const auto& k : keys) {
    g_focusedChildren.clear();
    TypeKey(k.key, k.control);
    EXPECT_TRUE(PumpUntil([&] { return FocusAndMonth(table) == k.after; })) << k.after << ": " << FocusAndMonth(table);
    const LONG day = std::atoi(k.after);
    EXPECT_TRUE(PumpUntil([&] { return std::count(g_focusedChildren.begin(), g_focusedChildren.end(), day) > 0; }))
        << "no focus event for " << k.after;
  }
  UnhookWinEvent(hook);

  // The rectangle on 5 March, all else as at the start.
  const Capture focused = SaveScreenshot(CaptureClient(app.Window), "keyboard_focus_on_5_march");
  int changed = 0, outsideRing = 0;
  for (int y = 0; y < focused.Height; ++y)
    for (int x = 0; x < focused.Width; ++x) {
      const bool onRing = x >= today.left + 1 && x < today.right - 1 && y >= today.top + 1 && y < today.bottom - 1 &&
                          (x == today.left + 1 || x == today.right - 2 || y == today.top + 1 || y == today.bottom - 2);
      changed += onRing && focused.At(x, y) != before.At(x, y);
      outsideRing += !onRing && focused.At(x, y) != before.At(x, y);
    }
  EXPECT_GT(changed, (today.right - today.left) / 2) << "no dotted rectangle inside the cell";
  EXPECT_EQ(outsideRing, 0);

  // Enter and Space open the editor of the focus day, the rectangle gone
  // while it is open and back after; F2 the year dialog.
  const struct {
    WORD key;
    const char* caption;
  } openers[] = {{VK_RETURN, "  marzo, 5"}, {VK_SPACE, "  marzo, 5"}, {VK_F2, "Cambiar el a\xF1o"}};
  for (const auto& o : openers) {
    TypeKey(o.key, false);
    HWND dialog = FindDialog(app.Process.dwProcessId, o.caption);
    ASSERT_NE(dialog, nullptr) << o.caption;
    EXPECT_TRUE(WaitUntil([&] { return CaptureClient(app.Window).Pixels == before.Pixels; })) << o.caption;
    ASSERT_TRUE(PressAndWaitGone(dialog, IDCANCEL));
    SetForegroundWindow(app.Window);
    EXPECT_TRUE(WaitUntil([&] { return CaptureClient(app.Window).Pixels == focused.Pixels; })) << o.caption;
  }

  // The children: role, name, value, state, the cell's place on the screen,
  // and the child at the cell's centre.
  POINT origin = {0, 0};
  ClientToScreen(app.Window, &origin);
  LONG count = 0, box[4] = {};
  VARIANT role{}, state{}, hit{};
  BSTR name = nullptr, value = nullptr;
  table->get_accChildCount(&count);
  table->get_accRole(Child(CHILDID_SELF), &role);
  table->get_accState(Child(CHILDID_SELF), &state);
  table->get_accName(Child(CHILDID_SELF), &name);
  table->get_accValue(Child(CHILDID_SELF), &value);
  table->accLocation(&box[0], &box[1], &box[2], &box[3], Child(CHILDID_SELF));
  const POINT header = Center(Element(LayoutWeekdayHeader));
  table->accHitTest(origin.x + header.x, origin.y + header.y, &hit);
  EXPECT_EQ(std::make_tuple(count, role.lVal, Narrow(name), Narrow(value), state.lVal, box[3], hit.lVal),
            std::make_tuple(31 + 3 + 1, ROLE_SYSTEM_TABLE, std::string("Calendario"), std::string("marzo 2007"),
                            STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED, Element(LayoutWindow).bottom, CHILDID_SELF));
  const LONG cellState = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
  const struct {
    LONG id, role;
    const char *name, *value;
    LONG state;
    Rect place;
  } children[] = {
      {1, ROLE_SYSTEM_CELL, "jueves, 1 de marzo de 2007", "Festivo en otra comunidad", cellState, DayCell(1)},
      {4, ROLE_SYSTEM_CELL, "domingo, 4 de marzo de 2007", "Domingo", cellState, DayCell(4)},
      {5, ROLE_SYSTEM_CELL, "lunes, 5 de marzo de 2007", "Laborable, hoy",
       cellState | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED, DayCell(5)},
      {7, ROLE_SYSTEM_CELL, "mi\xE9rcoles, 7 de marzo de 2007", "Laborable, con nota: Cena con Ana", cellState,
       DayCell(7)},
      {19, ROLE_SYSTEM_CELL, "lunes, 19 de marzo de 2007", "Festivo", cellState, DayCell(19)},
      {HitPrevMonth, ROLE_SYSTEM_PUSHBUTTON, "Mes anterior", "", 0, Element(LayoutPrevArrow)},
      {HitNextMonth, ROLE_SYSTEM_PUSHBUTTON, "Mes siguiente", "", 0, Element(LayoutNextArrow)},
      {HitTitle, ROLE_SYSTEM_PUSHBUTTON, "marzo 2007", "", 0, Element(LayoutTitle)},
      {105,
       ROLE_SYSTEM_STATICTEXT,
       "Murcia",
       "",
       STATE_SYSTEM_READONLY,
       {Element(LayoutFlag).left, Element(LayoutFlag).top, Element(LayoutFlagCaption).right,
        Element(LayoutFlag).bottom}},
  };
  for (const auto& c : children) {
    table->get_accRole(Child(c.id), &role);
    table->get_accState(Child(c.id), &state);
    table->get_accName(Child(c.id), &name);
    table->get_accValue(Child(c.id), &value);
    table->accLocation(&box[0], &box[1], &box[2], &box[3], Child(c.id));
    const POINT centre = Center(c.place);
    table->accHitTest(origin.x + centre.x, origin.y + centre.y, &hit);
    EXPECT_EQ(std::make_tuple(role.lVal, Narrow(name), Narrow(value), state.lVal,
                              std::array{box[0], box[1], box[2], box[3]}, hit.lVal),
              std::make_tuple(c.role, std::string(c.name), std::string(c.value), c.state,
                              std::array<LONG, 4>{origin.x + c.place.left, origin.y + c.place.top,
                                                  c.place.right - c.place.left, c.place.bottom - c.place.top},
                              c.id))
        << c.id;
  }
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
  EXPECT_EQ(std::make_pair(ReadSettingsRecord().SelectedDay, ReadSettingsRecord().ShownMonth), std::make_pair(7, 3));
}
