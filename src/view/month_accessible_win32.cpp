// The month window's IAccessible. What it does not answer itself it hands to
// the system's standard object of the client area (parent, help, the
// IDispatch calls). Every answer is computed from the settings record when
// asked: nothing of the month is cached in the object.
#include "view/month_accessible_win32.h"

#include <oleacc.h>

#include <cstring>
#include <new>

#include "base/settings.h"
#include "base/shell_win32.h"
#include "calendar/dates.h"
#include "calendar/moon.h"
#include "calendar/names.h"
#include "calendar/regions.h"
#include "notes/notes_store.h"
#include "view/day_texts.h"
#include "view/focus_day_win32.h"
#include "view/hit_test.h"
#include "view/layout.h"
#include "view/render_win32.h"

static HWND g_window = nullptr;  // the window the objects answer for; null once it is gone

// A VARIANT holding a child id, or nothing.
static void SetChild(VARIANT* v, LONG id) {
  v->vt = VT_I4;
  v->lVal = id;
}
static void SetEmpty(VARIANT* v) { v->vt = VT_EMPTY; }

// A Windows-1252 text as a new BSTR.
static HRESULT ToBstr(const char* text, BSTR* out) {
  WCHAR wide[300];
  const int n = MultiByteToWideChar(1252, 0, text, -1, wide, 300);
  if (n <= 0) return E_FAIL;
  wide[n - 1] = 0;
  *out = SysAllocString(wide);
  return *out ? S_OK : E_OUTOFMEMORY;
}

// The moon phase drawn in the month shown, 0 for none.
static int MoonPhaseShown() {
  const CalendarSettings& s = *g_settings;
  if (s.ShownYear != DataYear) return 0;
  const int today = TodayInMonth(s.ShownMonth, DataYear);
  return today ? MoonPhaseOfDay(ToDayIndex(today, s.ShownMonth)) : 0;
}

// 1 when id names this object (CHILDID_SELF) or one of its children now.
static int IsChild(LONG id) {
  const CalendarSettings& s = *g_settings;
  if (id >= 1 && id <= DaysInMonth(s.ShownMonth, s.ShownYear)) return 1;
  if (id == CHILDID_SELF || id == HitPrevMonth || id == HitNextMonth || id == HitTitle) return 1;
  if (id == AccessibleMoonRow) return MoonPhaseShown() != 0;
  return id == AccessibleFlagStrip && s.DrawFlag;
}

// The children in reading order: the arrows and the title, the days, then
// the moon row and the flag strip when drawn. Their count.
static int ChildList(LONG ids[40]) {
  const CalendarSettings& s = *g_settings;
  int n = 0;
  for (LONG id : {static_cast<LONG>(HitPrevMonth), static_cast<LONG>(HitTitle), static_cast<LONG>(HitNextMonth)})
    ids[n++] = id;
  for (int day = 1; day <= DaysInMonth(s.ShownMonth, s.ShownYear); ++day) ids[n++] = day;
  if (MoonPhaseShown()) ids[n++] = AccessibleMoonRow;
  if (s.DrawFlag) ids[n++] = AccessibleFlagStrip;
  return n;
}

// A child's rectangle in client pixels: the rectangles that hit testing uses.
static Rect ChildRect(LONG id) {
  const CalendarSettings& s = *g_settings;
  if (id >= 1 && id <= 31) return DayCellRect(id, s.ShownMonth, s.ShownYear, s.CellWidth, s.CellHeight);
  if (id == HitPrevMonth) return LayoutRectOf(s, LayoutPrevArrow);
  if (id == HitNextMonth) return LayoutRectOf(s, LayoutNextArrow);
  if (id == HitTitle) return LayoutRectOf(s, LayoutTitle);
  if (id == AccessibleMoonRow) {  // the symbol and its name, to the grid's right edge
    Rect r = LayoutRectOf(s, LayoutMoonBox);
    r.right = LayoutRectOf(s, LayoutDayGrid).right;
    return r;
  }
  Rect r = LayoutRectOf(s, LayoutFlag);  // the flag and its caption
  r.right = LayoutRectOf(s, LayoutFlagCaption).right;
  return r;
}

// The name of a child (or of the table), in the display language for what
// the calendar draws, in Spanish for the program's own words.
static void ChildName(LONG id, char* text, int size) {
  const CalendarSettings& s = *g_settings;
  if (id >= 1 && id <= 31) return DayFullName(s.Language, {id, s.ShownMonth, s.ShownYear}, text, size);
  if (id == HitTitle) return MonthTitleText(s.Language, s.ShownMonth, s.ShownYear, text, size);
  if (id == AccessibleMoonRow) return (void)lstrcpynA(text, MoonPhaseName(s.Language, MoonPhaseShown()), size);
  if (id == AccessibleFlagStrip) {
    text[0] = 0;
    return CommunityName(s.Community, text, size);
  }
  lstrcpynA(text, id == HitPrevMonth ? "Mes anterior" : id == HitNextMonth ? "Mes siguiente" : "Calendario", size);
}

// The table's value is the month shown; a day's, its kind and note.
static int ChildValue(LONG id, char* text, int size) {
  const CalendarSettings& s = *g_settings;
  if (id == CHILDID_SELF) return MonthTitleText(s.Language, s.ShownMonth, s.ShownYear, text, size), 1;
  if (id < 1 || id > 31) return 0;
  NoteRecord note{};
  ReadNote(id, s.ShownMonth, &note);
  const int kind = ClassifyDay(id, s.ShownMonth, s.ShownYear, s.LocalHolidays, s.ShowOtherHolidays);
  DayKindText(kind, TodayInMonth(s.ShownMonth, s.ShownYear) == id, note.Text, text, size);
  return 1;
}

static LONG ChildRole(LONG id) {
  if (id == CHILDID_SELF) return ROLE_SYSTEM_TABLE;
  if (id >= 1 && id <= 31) return ROLE_SYSTEM_CELL;
  return id > HitTitle ? ROLE_SYSTEM_STATICTEXT : ROLE_SYSTEM_PUSHBUTTON;
}

static const char* DefaultAction(LONG id) {
  if (id >= 1 && id <= 31) return "Abrir nota";
  if (id == HitTitle) return "Cambiar de a\xF1o";
  return id == HitPrevMonth || id == HitNextMonth ? "Pulsar" : nullptr;
}

// The child at a client point: a HitCode, the moon row or the flag strip,
// the table itself elsewhere in the client area; -1 outside it.
static LONG ChildAt(int x, int y) {
  const CalendarSettings& s = *g_settings;
  const int code = HitTest(x, y, s.ShownMonth, s.ShownYear, s.CellWidth, s.CellHeight);
  if (code != HitNothing) return code;
  for (LONG id : {AccessibleMoonRow, AccessibleFlagStrip}) {
    const Rect r = ChildRect(id);
    if (IsChild(id) && x >= r.left && x < r.right && y >= r.top && y < r.bottom) return id;
  }
  const Rect window = LayoutRectOf(s, LayoutWindow);
  return x >= 0 && x < window.right && y >= 0 && y < window.bottom ? CHILDID_SELF : -1;
}

// The child a direction leads to from a day, as the keys move; the arrows
// and the title follow each other left to right. 0 for none.
static LONG Neighbour(LONG from, LONG direction) {
  const CalendarSettings& s = *g_settings;
  if (from == CHILDID_SELF) {
    LONG ids[40];
    const int n = ChildList(ids);
    return direction == NAVDIR_FIRSTCHILD ? ids[0] : direction == NAVDIR_LASTCHILD ? ids[n - 1] : 0;
  }
  if (from >= HitPrevMonth && from <= HitTitle) {
    static constexpr LONG kRow[] = {HitPrevMonth, HitTitle, HitNextMonth};
    const int at = from == HitPrevMonth ? 0 : from == HitTitle ? 1 : 2;
    const int step = direction == NAVDIR_RIGHT || direction == NAVDIR_NEXT      ? 1
                     : direction == NAVDIR_LEFT || direction == NAVDIR_PREVIOUS ? -1
                                                                                : 9;
    return at + step >= 0 && at + step <= 2 ? kRow[at + step] : 0;
  }
  if (from < 1 || from > 31) return 0;
  static constexpr struct {
    LONG direction;
    int key;
  } kMoves[] = {
      // ordered by direction
      {NAVDIR_UP, DayKeyPrevWeek},   {NAVDIR_DOWN, DayKeyNextWeek}, {NAVDIR_LEFT, DayKeyPrevDay},
      {NAVDIR_RIGHT, DayKeyNextDay}, {NAVDIR_NEXT, DayKeyNextDay},  {NAVDIR_PREVIOUS, DayKeyPrevDay},
  };
  for (const auto& m : kMoves) {
    if (m.direction != direction) continue;
    const CalendarDay to = MoveByKey(m.key, {from, s.ShownMonth, s.ShownYear}, {from, s.ShownMonth, s.ShownYear});
    return to.Month == s.ShownMonth && to.Year == s.ShownYear ? to.Day : 0;
  }
  return 0;
}

// The object handed to clients. A COM object needs its vtable, so this is
// the one class of the view; each method answers from the functions above.
struct MonthAccessible final : IAccessible, IEnumVARIANT {
  LONG references = 1;
  IAccessible* standard = nullptr;  // the system's object of the client area
  ULONG position = 0;               // of the enumeration of the children

  explicit MonthAccessible(IAccessible* system) : standard(system) {
    if (standard) standard->AddRef();
  }
  ~MonthAccessible() {
    if (standard) standard->Release();
  }
  // S_OK when the window is there and id names one of its children (or itself).
  static HRESULT Check(const VARIANT& child) {
    if (!g_window) return RPC_E_DISCONNECTED;
    return child.vt == VT_I4 && IsChild(child.lVal) ? S_OK : E_INVALIDARG;
  }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible))
      *out = static_cast<IAccessible*>(this);
    else if (iid == __uuidof(IEnumVARIANT))
      *out = static_cast<IEnumVARIANT*>(this);
    else
      return *out = nullptr, E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&references);
    if (!left) delete this;
    return left;
  }

  // IDispatch: the standard object's.
  STDMETHODIMP GetTypeInfoCount(UINT* n) override { return standard ? standard->GetTypeInfoCount(n) : E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override {
    return standard ? standard->GetTypeInfo(i, l, t) : E_NOTIMPL;
  }
  STDMETHODIMP GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override {
    return standard ? standard->GetIDsOfNames(r, n, c, l, d) : E_NOTIMPL;
  }
  STDMETHODIMP Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v, EXCEPINFO* e, UINT* a) override {
    return standard ? standard->Invoke(d, r, l, f, p, v, e, a) : E_NOTIMPL;
  }

  // IAccessible
  STDMETHODIMP get_accParent(IDispatch** parent) override {
    if (!g_window || !standard) return *parent = nullptr, RPC_E_DISCONNECTED;
    return standard->get_accParent(parent);
  }
  STDMETHODIMP get_accChildCount(LONG* count) override {
    if (!g_window) return RPC_E_DISCONNECTED;
    LONG ids[40];
    return *count = ChildList(ids), S_OK;
  }
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) override {
    *out = nullptr;
    const HRESULT checked = Check(child);
    return FAILED(checked) ? checked : child.lVal == CHILDID_SELF ? (AddRef(), *out = this, S_OK) : S_FALSE;
  }
  STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
    *name = nullptr;
    if (const HRESULT checked = Check(child); FAILED(checked)) return checked;
    char text[160];
    ChildName(child.lVal, text, sizeof text);
    return ToBstr(text, name);
  }
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
    *value = nullptr;
    if (const HRESULT checked = Check(child); FAILED(checked)) return checked;
    char text[320];
    return ChildValue(child.lVal, text, sizeof text) ? ToBstr(text, value) : S_FALSE;
  }
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* text) override {
    *text = nullptr;
    const HRESULT checked = Check(child);
    return FAILED(checked) ? checked : S_FALSE;
  }
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
    SetEmpty(role);
    if (const HRESULT checked = Check(child); FAILED(checked)) return checked;
    return SetChild(role, ChildRole(child.lVal)), S_OK;
  }
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
    SetEmpty(state);
    if (const HRESULT checked = Check(child); FAILED(checked)) return checked;
    LONG id = child.lVal, bits = 0;
    if (id == CHILDID_SELF) {
      bits = STATE_SYSTEM_FOCUSABLE | (WindowHasFocus() ? STATE_SYSTEM_FOCUSED : 0);
    } else if (id <= 31) {
      bits = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
      if (id == FocusDay() && WindowHasFocus()) bits |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED;
    } else if (id > HitTitle) {
      bits = STATE_SYSTEM_READONLY;
    }
    return SetChild(state, bits), S_OK;
  }
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override { return get_accDescription(child, help); }
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
    *file = nullptr;
    *topic = 0;
    return S_FALSE;
  }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* key) override {
    *key = nullptr;
    if (const HRESULT checked = Check(child); FAILED(checked)) return checked;
    return child.lVal == HitTitle ? ToBstr("F2", key) : S_FALSE;
  }
  STDMETHODIMP get_accFocus(VARIANT* focus) override {
    SetEmpty(focus);
    if (!g_window) return RPC_E_DISCONNECTED;
    return WindowHasFocus() ? (SetChild(focus, FocusDay()), S_OK) : S_FALSE;
  }
  STDMETHODIMP get_accSelection(VARIANT* selection) override {
    SetEmpty(selection);
    if (!g_window) return RPC_E_DISCONNECTED;
    return SetChild(selection, FocusDay()), S_OK;
  }
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override {
    *action = nullptr;
    if (const HRESULT checked = Check(child); FAILED(checked)) return checked;
    const char* text = DefaultAction(child.lVal);
    return text ? ToBstr(text, action) : S_FALSE;
  }
  // Taking the focus or the selection moves the focus day to the day.
  STDMETHODIMP accSelect(LONG flags, VARIANT child) override {
    if (const HRESULT checked = Check(child); FAILED(checked)) return checked;
    if (child.lVal < 1 || child.lVal > 31 || !(flags & (SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION)))
      return E_INVALIDARG;
    if (flags & SELFLAG_TAKEFOCUS) SetFocus(g_window);
    MoveFocusDay(g_window, {child.lVal, g_settings->ShownMonth, g_settings->ShownYear});
    return S_OK;
  }
  STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
    if (const HRESULT checked = Check(child); FAILED(checked)) return checked;
    if (child.lVal == CHILDID_SELF) return standard->accLocation(left, top, width, height, child);
    const Rect r = ChildRect(child.lVal);
    POINT corner = {r.left, r.top};
    ClientToScreen(g_window, &corner);
    *left = corner.x;
    *top = corner.y;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
  }
  STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    SetEmpty(end);
    if (const HRESULT checked = Check(start); FAILED(checked)) return checked;
    if (start.lVal == CHILDID_SELF && direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD)
      return standard->accNavigate(direction, start, end);  // among the window's siblings
    const LONG to = Neighbour(start.lVal, direction);
    return to ? (SetChild(end, to), S_OK) : S_FALSE;
  }
  STDMETHODIMP accHitTest(LONG x, LONG y, VARIANT* child) override {
    SetEmpty(child);
    if (!g_window) return RPC_E_DISCONNECTED;
    POINT p = {x, y};
    ScreenToClient(g_window, &p);
    const LONG id = ChildAt(p.x, p.y);
    return id < 0 ? S_FALSE : (SetChild(child, id), S_OK);
  }
  // What a click does, posted: the notes editor and the year dialog are
  // modal, and the caller must not wait for them to close.
  STDMETHODIMP accDoDefaultAction(VARIANT child) override {
    if (const HRESULT checked = Check(child); FAILED(checked)) return checked;
    if (!DefaultAction(child.lVal)) return DISP_E_MEMBERNOTFOUND;
    PostMessageA(g_window, WM_ORISTEL_DEFAULT_ACTION, child.lVal, 0);
    return S_OK;
  }
  STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  // IEnumVARIANT: the children in reading order.
  STDMETHODIMP Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    if (!g_window) return RPC_E_DISCONNECTED;
    LONG ids[40];
    const ULONG n = ChildList(ids);
    ULONG given = 0;
    for (; given < count && position < n; ++given) SetChild(&out[given], ids[position++]);
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override {
    LONG ids[40];
    const ULONG n = g_window ? ChildList(ids) : 0;
    position = position + count > n ? n : position + count;
    return position < n ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override { return position = 0, S_OK; }
  STDMETHODIMP Clone(IEnumVARIANT** out) override {
    auto* copy = new (std::nothrow) MonthAccessible(standard);
    if (!copy) return *out = nullptr, E_OUTOFMEMORY;
    copy->position = position;
    return *out = copy, S_OK;
  }
};

LRESULT AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId) {
  if (static_cast<LONG>(objectId) != OBJID_CLIENT) return 0;
  // The object is handed over through COM, once the first client asks.
  static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(com) && com != RPC_E_CHANGED_MODE) return 0;
  g_window = window;
  IAccessible* system = nullptr;
  if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&system))))
    return 0;
  auto* object = new (std::nothrow) MonthAccessible(system);
  system->Release();
  if (!object) return 0;
  const LRESULT result = LresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(object));
  object->Release();
  return result;
}

void DetachMonthAccessible() { g_window = nullptr; }
