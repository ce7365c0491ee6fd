// Every dialog and page by keyboard and by screen reader, at the suite's
// DPI: the focus starts on the control a user works with, the Tab key
// reaches every control that takes the focus (a radio button through its
// group), each of them has a name as the system's accessibility proxy gives
// it, and every text shows whole in its control, measured with the
// dialog's font as created here at the screen's DPI.

#include <oleacc.h>

#include <set>
#include <string>

#include "exchange/wizard_choices.h"
#include "fixture.h"

namespace {

// The font of a dialog: face and points, as its template names them.
struct DialogFont {
  const char* Face;
  int Points;
};
constexpr DialogFont ResourceFont = {"MS Sans Serif", 8};

std::string ClassOf(HWND w) {
  char name[64] = "";
  GetClassNameA(w, name, sizeof name);
  return name;
}
LONG StyleOf(HWND w) { return GetWindowLongA(w, GWL_STYLE); }

// The window with the keyboard focus in the dialog's thread.
HWND FocusOf(HWND dialog) {
  GUITHREADINFO info = {sizeof info};
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
  return info.hwndFocus;
}
// The control a focused window belongs to: a combo box for its edit field.
HWND ControlOf(HWND focus) { return ClassOf(GetParent(focus)) == "ComboBox" ? GetParent(focus) : focus; }

// A label's text as a screen reader speaks it: without the mnemonic's &.
std::string Spoken(std::string text) {
  if (const size_t amp = text.find('&'); amp != std::string::npos) text.erase(amp, 1);
  return text;
}

// The name the system's proxy gives a control. Wine's proxy names list and
// combo boxes by their own text; Windows names them, as it names edit boxes
// (and Wine does too), by the static text before them, the search stopping
// at a control that starts a group and is a tab stop.
std::string AccessibleName(HWND control) {
  const std::string kind = ClassOf(control);
  if (kind == "ListBox" || kind == "ComboBox") {
    for (HWND w = GetWindow(control, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
      if (ClassOf(w) == "Static") return Spoken(TextWide(w));
      if ((StyleOf(w) & (WS_GROUP | WS_TABSTOP)) == (WS_GROUP | WS_TABSTOP)) break;
    }
    return "";
  }
  IAccessible* object = nullptr;
  if (FAILED(
          AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object))))
    return "";
  BSTR name = nullptr;
  object->get_accName(Child(CHILDID_SELF), &name);
  object->Release();
  return Narrow(name);
}

// Controls that take the focus: not statics (unless a tab stop), group
// boxes, the spin control (it acts on its buddy), pages or the edit box
// inside a combo.
bool TakesFocus(HWND w) {
  const std::string kind = ClassOf(w);
  if (!IsWindowVisible(w) || !IsWindowEnabled(w) || ClassOf(GetParent(w)) == "ComboBox") return false;
  if (kind == "Button") return (StyleOf(w) & BS_TYPEMASK) != BS_GROUPBOX;
  if (kind == "Static") return StyleOf(w) & WS_TABSTOP;
  return kind == "Edit" || kind == "ListBox" || kind == "ComboBox" || kind == "SysTabControl32";
}

std::vector<HWND> Descendants(HWND dialog) {
  std::vector<HWND> all;
  EnumChildWindows(
      dialog, [](HWND w, LPARAM list) { return reinterpret_cast<std::vector<HWND>*>(list)->push_back(w), TRUE; },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

// The controls the Tab key visits from the focus on, pressed as a user
// does until the focus comes back (or stops moving).
std::set<HWND> TabWalk(HWND dialog) {
  std::set<HWND> visited;
  for (HWND focus = FocusOf(dialog); focus && visited.insert(ControlOf(focus)).second;) {
    PressKey(focus, VK_TAB);
    const HWND from = focus;
    WaitUntil([&] { return (focus = FocusOf(dialog)) != from; }, 2000);
  }
  return visited;
}

// A text's extent in the font, wrapped to a width when one is given.
SIZE Extent(HDC dc, const std::string& text, LONG wrapWidth, UINT format) {
  RECT r = {0, 0, wrapWidth ? wrapWidth : 10000, 0};
  DrawTextA(dc, text.c_str(), -1, &r, format | DT_CALCRECT | (wrapWidth ? DT_WORDBREAK : DT_SINGLELINE));
  return {r.right, r.bottom};
}

// Why the control's text does not show whole, "" when it does. Buttons
// leave a frame around their text, check boxes and radio buttons their
// box; a read-only multi-line box must hold all its lines unscrolled.
std::string TextOverflow(HDC dc, HWND w) {
  const std::string kind = ClassOf(w);
  std::string text = TextWide(w);
  const LONG style = StyleOf(w), dpi = GetDeviceCaps(dc, LOGPIXELSY);
  RECT client{};
  GetClientRect(w, &client);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SIZE need{}, room = {client.right, client.bottom};
  // A label of no size names the control after it for a screen reader
  // only; a swatch (a static tab stop) draws no text.
  if (kind == "Static" && !(style & WS_TABSTOP) && (style & SS_TYPEMASK) <= SS_RIGHT && client.right > 0) {
    need = Extent(dc, text, client.right, DT_EXPANDTABS);
  } else if (kind == "Button" && !text.empty()) {
    const LONG type = style & BS_TYPEMASK;
    const bool box =
        type == BS_AUTOCHECKBOX || type == BS_CHECKBOX || type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON;
    need = Extent(dc, text, 0, 0);
    need.cx += box ? MulDiv(12, dpi, 96) + 1 + metrics.tmAveCharWidth / 2 : 2 * metrics.tmAveCharWidth;
    need.cy = type == BS_GROUPBOX ? 0 : need.cy;
  } else if (kind == "Edit" && (style & ES_MULTILINE) && (style & ES_READONLY)) {
    need.cy = static_cast<LONG>(SendMessageW(w, EM_GETLINECOUNT, 0, 0)) * metrics.tmHeight;
    need.cx = SendMessageW(w, EM_GETFIRSTVISIBLELINE, 0, 0) == 0 ? 0 : room.cx + 1;
  } else if (kind == "Edit" || kind == "ListBox") {
    std::vector<std::string> lines = kind == "Edit" ? std::vector<std::string>{text} : ListBoxTexts(w);
    for (const std::string& line : lines) {
      if (Extent(dc, line, 0, DT_NOPREFIX).cx + 2 > need.cx) text = line;
      need.cx = std::max(need.cx, Extent(dc, line, 0, DT_NOPREFIX).cx + 2);
    }
    // or the list scrolls sideways to them
    if (kind == "ListBox") room.cx = std::max<LONG>(room.cx, SendMessageW(w, LB_GETHORIZONTALEXTENT, 0, 0));
  } else if (kind == "ComboBox") {
    room.cx -= GetSystemMetrics(SM_CXVSCROLL);
    for (const std::string& entry : ListBoxTexts(w))
      need.cx = std::max(need.cx, Extent(dc, entry, 0, DT_NOPREFIX).cx + 4);
  }
  if (need.cx <= room.cx && need.cy <= room.cy) return "";
  return kind + " \"" + text + "\" needs " + std::to_string(need.cx) + "x" + std::to_string(need.cy) + ", has " +
         std::to_string(room.cx) + "x" + std::to_string(room.cy);
}

// A screen context with the dialog's font made at the screen's DPI.
struct FontContext {
  HDC Dc = GetDC(nullptr);
  HGDIOBJ Previous;
  explicit FontContext(DialogFont font)
      : Previous(SelectObject(Dc, CreateFontA(-MulDiv(font.Points, GetDeviceCaps(Dc, LOGPIXELSY), 72), 0, 0, 0,
                                              FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, font.Face))) {}
  ~FontContext() {
    DeleteObject(SelectObject(Dc, Previous));
    ReleaseDC(nullptr, Dc);
  }
};

HWND ControlById(HWND dialog, int id) {
  for (HWND w : Descendants(dialog))
    if (GetDlgCtrlID(w) == id && IsWindowVisible(w)) return w;
  return nullptr;
}

}  // namespace

// One session through every dialog; the 96 DPI suite and the 144 DPI one
// run it alike.
class DialogsTest : public OristelTest {
 protected:
  int ExpectedDate() const override { return 20070303; }
  // The checks on one open dialog or sheet; the focus first on the control
  // `focus` (0: wherever the sheet puts it). `known` is a control of
  // `knownUnits` dialog units of width: the font made here measures it as
  // the dialog did, or its measures would say nothing.
  void Check(const char* name, HWND dialog, int focus, DialogFont font, int known = 0, int knownUnits = 0) {
    SCOPED_TRACE(name);
    ASSERT_NE(dialog, nullptr);
    const FontContext measure(font);
    const std::string dpi = std::to_string(GetDeviceCaps(measure.Dc, LOGPIXELSY));
    SaveScreenshot(CaptureClient(dialog), std::string("dialog_") + name + "_" + dpi + "dpi");
    EXPECT_EQ(focus ? GetDlgCtrlID(ControlOf(FocusOf(dialog))) : 0, focus) << "the first focus";
    RECT outer{};
    GetWindowRect(dialog, &outer);
    EXPECT_TRUE(outer.left >= 0 && outer.top >= 0 && outer.right <= GetSystemMetrics(SM_CXSCREEN) &&
                outer.bottom <= GetSystemMetrics(SM_CYSCREEN))
        << "on the screen: " << outer.left << "," << outer.top << " " << outer.right << "," << outer.bottom;
    if (known) {
      const LONG base =
          (Extent(measure.Dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 0, 0).cx / 26 + 1) / 2;
      RECT r{};
      GetClientRect(ControlById(dialog, known), &r);
      EXPECT_EQ(r.right, MulDiv(knownUnits, base, 4)) << "the font measured with is not the dialog's";
    }
    const std::set<HWND> reached = TabWalk(dialog);
    for (HWND w : Descendants(dialog)) {
      EXPECT_EQ(IsWindowVisible(w) ? TextOverflow(measure.Dc, w) : "", "") << GetDlgCtrlID(w);
      if (!TakesFocus(w)) continue;
      bool inGroup = reached.count(w) > 0;
      for (HWND g = GetNextDlgGroupItem(GetParent(w), w, FALSE); !inGroup && g != w && g;
           g = GetNextDlgGroupItem(GetParent(w), g, FALSE))
        inGroup = reached.count(g) > 0;
      EXPECT_TRUE(inGroup) << ClassOf(w) << " " << GetDlgCtrlID(w) << " \"" << TextWide(w) << "\" not reached by Tab";
      // The sheet's tab control is the system's; its tabs carry the names.
      EXPECT_TRUE(ClassOf(w) == "SysTabControl32" || !AccessibleName(w).empty())
          << ClassOf(w) << " " << GetDlgCtrlID(w) << " has no name";
    }
  }
  // Presses a wizard button; the page it leads to.
  HWND Wizard(int button) {
    const HWND from = Page();
    PostMessageA(sheet, PSM_PRESSBUTTON, button, 0);
    WaitUntil([&] { return Page() != from; });
    return Page();
  }

  void EveryDialog() {
    CoInitialize(nullptr);
    Start();
    const DWORD pid = app.Process.dwProcessId;
    const DialogFont notes = {started.NotesFont.FaceName, started.NotesFontPoints};
    // The dialogs opened from the window: a click on a day or on the
    // title, the menu commands.
    struct Plain {
      const char* Name;
      int Menu;  // 0: a click on the day, -1 on the title
      int Focus, Known, KnownUnits;
    };
    constexpr Plain plain[] = {
        {"notes_editor", 0, IDC_NOTE_TEXT, IDOK, 58},
        {"change_year", -1, IDC_YEAR_EDIT, IDOK, 50},
        {"info_selection", IDM_INFO_FILES, IDC_AVAILABLE_LIST, IDOK, 60},
        {"year_data", IDM_YEAR_DATA, IDC_YEAR_DATA_LIST, IDC_VIEW_FILE, 60},
        {"about", IDM_ABOUT, IDC_HOME_PAGE, IDOK, 140},
    };
    for (const Plain& p : plain) {
      const POINT title = Center(Element(LayoutTitle));
      if (p.Menu > 0) MenuCommand(app.Window, p.Menu);
      if (p.Menu < 0) ClickClient(app.Window, title.x, title.y);
      HWND dialog = p.Menu == 0 ? OpenEditor(5) : FindDialog(pid);
      Check(p.Name, dialog, p.Focus, p.Menu == 0 ? notes : ResourceFont, p.Known, p.KnownUnits);
      PostMessageA(dialog, WM_CLOSE, 0, 0);
      EXPECT_TRUE(WaitGone(dialog)) << p.Name;
    }

    // The options sheet, page by page.
    OpenSheet(0);
    Check("options_holidays", sheet, IDC_COMMUNITY, ResourceFont);
    for (int tab : {1, 2, 3}) {
      Tab(tab);
      Check((std::string("options_page") + std::to_string(tab)).c_str(), sheet, 0, ResourceFont);
    }
    EXPECT_TRUE(EndSheet(PSBTN_CANCEL));

    // The wizard: every action's description on the first page, then the
    // iCalendar export's options and the text import's
    MenuCommand(app.Window, IDM_EXPORT_IMPORT);
    sheet = FindDialog(pid);
    HWND page = Page(), list = GetDlgItem(page, IDC_ACTION_LIST);
    // (the iCalendar export last: the page shows it for the screenshot).
    for (int action : {0, 1, 2, 3, 4, 6, int{ActionIcalExport}}) {
      SendMessageW(list, LB_SETCURSEL, action, 0);
      SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_ACTION_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
      EXPECT_EQ(TextOverflow(FontContext(ResourceFont).Dc, GetDlgItem(page, IDC_ACTION_DESCRIPTION)), "") << action;
    }
    Check("wizard_actions", sheet, IDC_ACTION_LIST, ResourceFont, IDC_FORMAT_INFO, 212);
    Wizard(PSBTN_NEXT);
    Check("wizard_export", sheet, 0, ResourceFont);
    Wizard(PSBTN_BACK);
    SendMessageW(list, LB_SETCURSEL, ActionTextImport, 0);
    Wizard(PSBTN_NEXT);
    Check("wizard_import", sheet, 0, ResourceFont);
    EXPECT_TRUE(EndSheet(PSBTN_CANCEL));
    EXPECT_EQ(Close(), 0u);
    CoUninitialize();
  }
};

using Options2007Dialogs = DialogsTest;
using HighDpi2007Dialogs = DialogsTest;
TEST_F(Options2007Dialogs, EveryControlByKeyboardNamedAndWhole) { EveryDialog(); }
TEST_F(HighDpi2007Dialogs, EveryControlByKeyboardNamedAndWhole) { EveryDialog(); }
