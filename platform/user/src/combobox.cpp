// The "ComboBox" class: a drop-down list (CBS_DROPDOWNLIST) or an editable
// drop-down (CBS_DROPDOWN, with an edit child of id 1001), plain or
// owner-drawn (CBS_OWNERDRAWFIXED, with or without CBS_HASSTRINGS).
//
// The items live in the list, a "ComboLBox" popup that shows under the box
// while dropped and holds the mouse capture then; the box forwards its CB_
// messages to the list's LB_ messages. The box's window is only as high as
// its selection field; the height it was made with, less that, is the
// dropped list's.
//
// Messages: the CB_ messages the framework's CComboBox and the dialogs send
// (items, selection, item data and heights, the dropped state, size and
// rectangle, the list's top index); not CB_FINDSTRING, CB_SHOWDROPDOWN,
// CB_LIMITTEXT or the edit selection messages, which nothing here sends.
#include <algorithm>
#include <cstring>

#include "ctlutil.h"

namespace kyuser {
namespace {

constexpr int kEditId = 1001;

struct ComboState : ControlState {
  HWND list = nullptr;
  HWND edit = nullptr;
  int fieldHeight = 0;    // client height of the selection field
  int droppedHeight = 0;  // the list's height when dropped
  int droppedWidth = 0;
  int selAtDrop = -1;
  bool dropped = false;
  bool buttonDown = false;
};

ComboState* State(Wnd* w) { return StateOf<ComboState>(w); }

UINT Kind(Wnd* w) { return w->style & 3u; }
bool OwnerDraw(Wnd* w) { return (w->style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }
bool HasStrings(Wnd* w) { return !OwnerDraw(w) || (w->style & CBS_HASSTRINGS); }

LRESULT ToList(Wnd* w, UINT msg, WPARAM wp, LPARAM lp) {
  ComboState* s = State(w);
  return s->list ? SendMessageA(s->list, msg, wp, lp) : CB_ERR;
}

bool HasFocusWithin(Wnd* w) {
  HWND f = CurrentFocus();
  return f && (f == w->handle || f == State(w)->edit);
}

RECT ButtonRect(Wnd* w) {
  int bw = GetSystemMetrics(SM_CXVSCROLL);
  return RECT{w->ClientWidth() - bw, 0, w->ClientWidth(), w->ClientHeight()};
}

std::string ItemText(Wnd* w, int i) {
  if (i < 0 || !HasStrings(w)) return std::string();
  LRESULT n = ToList(w, LB_GETTEXTLEN, i, 0);
  if (n < 0) return std::string();
  std::string t(static_cast<size_t>(n) + 1, '\0');
  ToList(w, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&t[0]));
  t.resize(static_cast<size_t>(n));
  return t;
}

void ShowSelectionInEdit(Wnd* w) {
  ComboState* s = State(w);
  if (!s->edit) return;
  int cur = static_cast<int>(ToList(w, LB_GETCURSEL, 0, 0));
  std::string t = ItemText(w, cur);
  // Keep the edit's EN_CHANGE from reaching the parent as a user's edit.
  Wnd* e = FromHandleQuiet(s->edit);
  if (e) {
    e->text = t;
    SendMessageA(s->edit, EM_SETSEL, 0, -1);
    InvalidateRect(s->edit, nullptr, FALSE);
  }
}

void Notify(Wnd* w, UINT code) { NotifyParent(w, code); }

void CloseUp(Wnd* w, bool commit) {
  ComboState* s = State(w);
  if (!s->dropped) return;
  HWND h = w->handle;
  s->dropped = false;
  if (GetCapture() == s->list) ReleaseCapture();
  ShowWindow(s->list, SW_HIDE);
  InvalidateRect(h, nullptr, FALSE);
  int cur = static_cast<int>(ToList(w, LB_GETCURSEL, 0, 0));
  if (commit) {
    ShowSelectionInEdit(w);
    if (cur != s->selAtDrop || true) Notify(w, CBN_SELCHANGE);
    if (!FromHandleQuiet(h)) return;
    Notify(w, CBN_SELENDOK);
  } else {
    ToList(w, LB_SETCURSEL, static_cast<WPARAM>(s->selAtDrop), 0);
    Notify(w, CBN_SELENDCANCEL);
  }
  if (!FromHandleQuiet(h)) return;
  Notify(w, CBN_CLOSEUP);
}

void DropDown(Wnd* w) {
  ComboState* s = State(w);
  if (s->dropped || !s->list) return;
  HWND h = w->handle;
  Notify(w, CBN_DROPDOWN);
  if (!FromHandleQuiet(h)) return;
  s->selAtDrop = static_cast<int>(ToList(w, LB_GETCURSEL, 0, 0));
  RECT wr = ScreenWindowRect(w);
  int width = std::max<int>(wr.right - wr.left, s->droppedWidth);
  int itemH = static_cast<int>(ToList(w, LB_GETITEMHEIGHT, 0, 0));
  int count = static_cast<int>(ToList(w, LB_GETCOUNT, 0, 0));
  int height = std::max(s->droppedHeight, itemH + 2);
  if (!(w->style & CBS_NOINTEGRALHEIGHT) && itemH > 0) {
    int rows = std::max(1, std::min(count, (height - 2) / itemH));
    height = rows * itemH + 2;
  }
  int y = wr.bottom;
  if (y + height > GetSystemMetrics(SM_CYSCREEN)) y = std::max<int>(0, wr.top - height);
  SetWindowPos(s->list, HWND_TOPMOST, wr.left, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  s->dropped = true;
  int cur = static_cast<int>(ToList(w, LB_GETCURSEL, 0, 0));
  if (cur >= 0) ToList(w, LB_SETTOPINDEX, static_cast<WPARAM>(cur), 0);
  SetCapture(s->list);
  InvalidateRect(h, nullptr, FALSE);
}

void PaintField(Wnd* w, HDC hdc) {
  ComboState* s = State(w);
  RECT r{0, 0, w->ClientWidth(), w->ClientHeight()};
  HGDIOBJ of = SelectObject(hdc, ControlFont(w));
  bool disabled = (w->style & WS_DISABLED) != 0;
  HBRUSH br = ControlColor(w, hdc, disabled ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
  RECT b = ButtonRect(w);
  RECT field{0, 0, b.left, r.bottom};
  FillRect(hdc, &field, br);
  UINT st = DFCS_SCROLLCOMBOBOX | (disabled ? DFCS_INACTIVE : 0) | (s->buttonDown ? DFCS_PUSHED | DFCS_FLAT : 0);
  DrawFrameControl(hdc, &b, DFC_SCROLL, st);
  if (Kind(w) == CBS_DROPDOWNLIST) {
    RECT item = field;
    InflateRect(&item, -1, -1);
    int cur = static_cast<int>(ToList(w, LB_GETCURSEL, 0, 0));
    bool focus = HasFocusWithin(w) && !s->dropped;
    if (OwnerDraw(w)) {
      UINT state = ODS_COMBOBOXEDIT;
      if (focus) state |= ODS_SELECTED | ODS_FOCUS;
      if (disabled) state |= ODS_DISABLED;
      ULONG_PTR data = cur >= 0 ? static_cast<ULONG_PTR>(ToList(w, LB_GETITEMDATA, cur, 0)) : 0;
      SendDrawItem(w->parent, ODT_COMBOBOX, static_cast<UINT>(w->id), w->handle, static_cast<UINT>(cur),
                   ODA_DRAWENTIRE, state, hdc, item, data);
    } else {
      if (focus) {
        FillRect(hdc, &item, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      } else {
        SetTextColor(hdc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
      }
      SetBkMode(hdc, TRANSPARENT);
      RECT t = item;
      t.left += 2;
      std::string text = ItemText(w, cur);
      DrawTextA(hdc, text.c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
      if (focus) DrawFocusRect(hdc, &item);
    }
  }
  SelectObject(hdc, of);
}

void Create(Wnd* w, const CREATESTRUCTA* cs) {
  ComboState* s = State(w);
  HWND h = w->handle;
  HFONT font = ControlFont(w);
  int fh = FontHeightOf(font);
  int itemH = fh;
  if (OwnerDraw(w) && w->parent) {
    // The field is measured with itemID -1, the items with itemID 0.
    MEASUREITEMSTRUCT mis{ODT_COMBOBOX, static_cast<UINT>(w->id), static_cast<UINT>(-1), 0, static_cast<UINT>(fh), 0};
    Send(w->parent, WM_MEASUREITEM, w->id, reinterpret_cast<LPARAM>(&mis));
    s->fieldHeight = std::max<int>(static_cast<int>(mis.itemHeight) + 2, fh + 2);
    MEASUREITEMSTRUCT mi2{ODT_COMBOBOX, static_cast<UINT>(w->id), 0, 0, static_cast<UINT>(fh), 0};
    Send(w->parent, WM_MEASUREITEM, w->id, reinterpret_cast<LPARAM>(&mi2));
    if (mi2.itemHeight > 0) itemH = static_cast<int>(mi2.itemHeight);
  } else {
    s->fieldHeight = fh + 4;
  }
  int frame = w->Height() - w->ClientHeight();
  int total = cs ? cs->cy : w->Height();
  s->droppedHeight = std::max(total - (s->fieldHeight + frame), itemH + 2);
  SetWindowPos(h, nullptr, 0, 0, w->Width(), s->fieldHeight + frame, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  DWORD ls = WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | w->listStyle;
  if (w->style & CBS_SORT) ls |= LBS_SORT;
  if (w->style & CBS_HASSTRINGS) ls |= LBS_HASSTRINGS;
  if (w->style & CBS_OWNERDRAWFIXED) ls |= LBS_OWNERDRAWFIXED;
  if (w->style & CBS_OWNERDRAWVARIABLE) ls |= LBS_OWNERDRAWVARIABLE;
  if (w->style & CBS_DISABLENOSCROLL) ls |= LBS_DISABLENOSCROLL;
  s->list = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "ComboLBox", "", ls, 0, 0, w->Width(), s->droppedHeight,
                            h, nullptr, w->hInstance, nullptr);
  if (Wnd* lw = FromHandleQuiet(s->list)) {
    SetListCombo(lw, w);
    SendMessageA(s->list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(s->list, LB_SETITEMHEIGHT, 0, itemH);
  }
  if (Kind(w) == CBS_DROPDOWN || Kind(w) == CBS_SIMPLE) {
    RECT b = ButtonRect(w);
    DWORD es = WS_CHILD | WS_VISIBLE | ES_LEFT | ((w->style & CBS_AUTOHSCROLL) ? ES_AUTOHSCROLL : 0);
    if (w->style & CBS_UPPERCASE) es |= ES_UPPERCASE;
    if (w->style & CBS_LOWERCASE) es |= ES_LOWERCASE;
    s->edit = CreateWindowExA(0, "Edit", "", es, 1, 1, b.left - 2, w->ClientHeight() - 2, h,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEditId)), w->hInstance, nullptr);
    SendMessageA(s->edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

void SelectBy(Wnd* w, int delta, bool absolute) {
  int n = static_cast<int>(ToList(w, LB_GETCOUNT, 0, 0));
  if (n == 0) return;
  int cur = static_cast<int>(ToList(w, LB_GETCURSEL, 0, 0));
  int next = absolute ? delta : std::clamp(cur < 0 ? 0 : cur + delta, 0, n - 1);
  next = std::clamp(next, 0, n - 1);
  if (next == cur) return;
  ToList(w, LB_SETCURSEL, static_cast<WPARAM>(next), 0);
  ShowSelectionInEdit(w);
  InvalidateRect(w->handle, nullptr, FALSE);
  if (!State(w)->dropped) Notify(w, CBN_SELCHANGE);
}

bool Key(Wnd* w, WPARAM vk) {
  ComboState* s = State(w);
  bool alt = GetKeyState(VK_MENU) < 0;
  if (vk == VK_F4 || ((vk == VK_DOWN || vk == VK_UP) && alt)) {
    if (s->dropped)
      CloseUp(w, true);
    else
      DropDown(w);
    return true;
  }
  if (s->dropped) {
    if (vk == VK_RETURN) {
      CloseUp(w, true);
      return true;
    }
    if (vk == VK_ESCAPE) {
      CloseUp(w, false);
      return true;
    }
  }
  switch (vk) {
    case VK_UP:
    case VK_LEFT:
      SelectBy(w, -1, false);
      return true;
    case VK_DOWN:
    case VK_RIGHT:
      SelectBy(w, 1, false);
      return true;
    case VK_HOME:
      if (s->edit) return false;
      SelectBy(w, 0, true);
      return true;
    case VK_END:
      if (s->edit) return false;
      SelectBy(w, 0x7FFFFFFF, true);
      return true;
    case VK_PRIOR:
      SelectBy(w, -8, false);
      return true;
    case VK_NEXT:
      SelectBy(w, 8, false);
      return true;
  }
  return false;
}

// ---------------------------------------------------------------- messages
// The scroll bar styles are the list's, not the box's.
LRESULT OnNcCreate(Wnd* w, WPARAM wp, LPARAM lp) {
  w->listStyle = w->style & (WS_VSCROLL | WS_HSCROLL);
  w->style &= ~(WS_VSCROLL | WS_HSCROLL);
  return DefWindowProcA(w->handle, WM_NCCREATE, wp, lp);
}

// While the list is dropped, Enter and Escape close it instead of the dialog.
LRESULT OnGetDlgCode(ComboState* s, LPARAM lp) {
  LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  const MSG* m = reinterpret_cast<const MSG*>(lp);
  if (s->dropped && m && m->message == WM_KEYDOWN && (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE))
    code |= DLGC_WANTALLKEYS;
  return code;
}

LRESULT OnSetFont(Wnd* w, ComboState* s, WPARAM wp, LPARAM lp) {
  DefWindowProcA(w->handle, WM_SETFONT, wp, lp);
  if (s->edit) SendMessageA(s->edit, WM_SETFONT, wp, lp);
  if (s->list) SendMessageA(s->list, WM_SETFONT, wp, 0);
  return 0;
}

// An editable combo drops its list from the button only; a drop-down list
// from anywhere, taking the focus first.
LRESULT OnLButtonDown(Wnd* w, ComboState* s, LPARAM lp) {
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  RECT b = ButtonRect(w);
  if (s->edit) {
    if (!PtInRect(&b, p)) return 0;
  } else if (!FocusOnClick(w)) {
    return 0;
  }
  if (s->dropped)
    CloseUp(w, false);
  else
    DropDown(w);
  return 0;
}

LRESULT OnSetFocus(Wnd* w, ComboState* s) {
  if (s->edit) {
    SetFocus(s->edit);
    return 0;
  }
  InvalidateRect(w->handle, nullptr, FALSE);
  Notify(w, CBN_SETFOCUS);
  return 0;
}

// The focus moving into the combo's own edit is no loss.
LRESULT OnKillFocus(Wnd* w, ComboState* s, HWND to) {
  if (s->dropped) CloseUp(w, false);
  if (!FromHandleQuiet(w->handle)) return 0;
  InvalidateRect(w->handle, nullptr, FALSE);
  if (to != s->edit) Notify(w, CBN_KILLFOCUS);
  return 0;
}

// A typed character selects the next item that starts with it.
LRESULT OnChar(Wnd* w, ComboState* s, WPARAM wp, LPARAM lp) {
  if (s->edit) return SendMessageA(s->edit, WM_CHAR, wp, lp);
  if (!HasStrings(w) || wp < 0x20) return 0;
  char key[2] = {static_cast<char>(wp), 0};
  int cur = static_cast<int>(ToList(w, LB_GETCURSEL, 0, 0));
  int i = static_cast<int>(ToList(w, LB_FINDSTRING, static_cast<WPARAM>(cur), reinterpret_cast<LPARAM>(key)));
  if (i >= 0 && i != cur) SelectBy(w, i, true);
  return 0;
}

// The edit's notifications become the combo's.
LRESULT OnCommand(Wnd* w, ComboState* s, WPARAM wp, LPARAM lp) {
  if (LOWORD(wp) != kEditId || reinterpret_cast<HWND>(lp) != s->edit) return 0;
  switch (HIWORD(wp)) {
    case EN_CHANGE: Notify(w, CBN_EDITCHANGE); break;
    case EN_UPDATE: Notify(w, CBN_EDITUPDATE); break;
    case EN_SETFOCUS: Notify(w, CBN_SETFOCUS); break;
    case EN_KILLFOCUS:
      if (reinterpret_cast<HWND>(wp) != w->handle) Notify(w, CBN_KILLFOCUS);
      break;
  }
  return 0;
}

// Without an edit the text is the selected item's: setting it selects the
// item of that text.
LRESULT OnSetText(Wnd* w, ComboState* s, LPARAM lp) {
  if (s->edit) return SetWindowTextA(s->edit, reinterpret_cast<const char*>(lp));
  int i = static_cast<int>(ToList(w, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), lp));
  if (i < 0) return CB_ERR;
  ToList(w, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
  InvalidateRect(w->handle, nullptr, FALSE);
  return TRUE;
}

LRESULT OnGetText(Wnd* w, ComboState* s, WPARAM cch, char* buf) {
  if (!buf || cch == 0) return 0;
  if (s->edit) return GetWindowTextA(s->edit, buf, static_cast<int>(cch));
  std::string t = ItemText(w, static_cast<int>(ToList(w, LB_GETCURSEL, 0, 0)));
  size_t n = std::min(t.size(), static_cast<size_t>(cch) - 1);
  memcpy(buf, t.data(), n);
  buf[n] = 0;
  return static_cast<LRESULT>(n);
}

LRESULT OnGetTextLength(Wnd* w, ComboState* s) {
  if (s->edit) return GetWindowTextLengthA(s->edit);
  return static_cast<LRESULT>(ItemText(w, static_cast<int>(ToList(w, LB_GETCURSEL, 0, 0))).size());
}

void ClearEdit(ComboState* s) {
  if (Wnd* e = FromHandleQuiet(s->edit)) e->text.clear();
  InvalidateRect(s->edit, nullptr, FALSE);
}

LRESULT ResetContent(Wnd* w, ComboState* s) {
  ToList(w, LB_RESETCONTENT, 0, 0);
  if (s->edit) ClearEdit(s);
  InvalidateRect(w->handle, nullptr, FALSE);
  return CB_OKAY;
}

// -1 clears the selection, and the edit's text with it.
LRESULT SetCurSel(Wnd* w, ComboState* s, WPARAM wp) {
  LRESULT r = ToList(w, LB_SETCURSEL, wp, 0);
  ShowSelectionInEdit(w);
  if (static_cast<int>(static_cast<INT_PTR>(wp)) < 0 && s->edit && FromHandleQuiet(s->edit)) ClearEdit(s);
  InvalidateRect(w->handle, nullptr, FALSE);
  return r;
}

LRESULT SelectString(Wnd* w, WPARAM wp, LPARAM lp) {
  LRESULT r = ToList(w, LB_SELECTSTRING, wp, lp);
  if (r >= 0) ShowSelectionInEdit(w);
  InvalidateRect(w->handle, nullptr, FALSE);
  return r;
}

// Item -1 is the selection field, whose height sets the box's.
LRESULT SetItemHeight(Wnd* w, ComboState* s, WPARAM wp, LPARAM lp) {
  if (static_cast<int>(static_cast<INT_PTR>(wp)) != -1) return ToList(w, LB_SETITEMHEIGHT, 0, lp);
  int hgt = static_cast<int>(lp);
  if (hgt <= 0 || hgt > 255) return CB_ERR;
  s->fieldHeight = hgt + 2;
  int frame = w->Height() - w->ClientHeight();
  SetWindowPos(w->handle, nullptr, 0, 0, w->Width(), s->fieldHeight + frame, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (s->edit) MoveWindow(s->edit, 1, 1, ButtonRect(w).left - 2, w->ClientHeight() - 2, TRUE);
  return 0;
}

LRESULT GetDroppedControlRect(Wnd* w, ComboState* s, RECT* r) {
  if (!r) return CB_ERR;
  RECT wr = ScreenWindowRect(w);
  *r = RECT{wr.left, wr.top, wr.left + std::max<int>(wr.right - wr.left, s->droppedWidth), wr.bottom + s->droppedHeight};
  return CB_OKAY;
}

// The CB_ messages: most are the list's LB_ messages.
LRESULT ComboMessage(Wnd* w, ComboState* s, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case CB_ADDSTRING: return ToList(w, LB_ADDSTRING, wp, lp);
    case CB_INSERTSTRING: return ToList(w, LB_INSERTSTRING, wp, lp);
    case CB_DELETESTRING: return ToList(w, LB_DELETESTRING, wp, lp);
    case CB_RESETCONTENT: return ResetContent(w, s);
    case CB_GETCOUNT: return ToList(w, LB_GETCOUNT, 0, 0);
    case CB_GETCURSEL: return ToList(w, LB_GETCURSEL, 0, 0);
    case CB_SETCURSEL: return SetCurSel(w, s, wp);
    case CB_GETLBTEXT: return ToList(w, LB_GETTEXT, wp, lp);
    case CB_GETLBTEXTLEN: return ToList(w, LB_GETTEXTLEN, wp, lp);
    case CB_FINDSTRINGEXACT: return ToList(w, LB_FINDSTRINGEXACT, wp, lp);
    case CB_SELECTSTRING: return SelectString(w, wp, lp);
    case CB_GETITEMDATA: return ToList(w, LB_GETITEMDATA, wp, lp);
    case CB_SETITEMDATA: return ToList(w, LB_SETITEMDATA, wp, lp);
    case CB_SETITEMHEIGHT: return SetItemHeight(w, s, wp, lp);
    case CB_GETITEMHEIGHT:
      if (static_cast<int>(static_cast<INT_PTR>(wp)) == -1) return s->fieldHeight - 2;
      return ToList(w, LB_GETITEMHEIGHT, 0, 0);
    case CB_GETDROPPEDSTATE: return s->dropped;
    case CB_GETDROPPEDCONTROLRECT: return GetDroppedControlRect(w, s, reinterpret_cast<RECT*>(lp));
    case CB_SETDROPPEDWIDTH:
      s->droppedWidth = static_cast<int>(wp);
      return std::max<int>(s->droppedWidth, w->Width());
    case CB_GETDROPPEDWIDTH: return std::max<int>(s->droppedWidth, w->Width());
    case CB_SETTOPINDEX: return ToList(w, LB_SETTOPINDEX, wp, 0);
  }
  return DefWindowProcA(w->handle, msg, wp, lp);
}

}  // namespace

void ComboListDone(Wnd* combo, bool commit) { CloseUp(combo, commit); }

LRESULT CALLBACK ComboBoxProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FromHandleQuiet(h);
  if (!w) return 0;
  ComboState* s = State(w);
  switch (msg) {
    case WM_NCCREATE: return OnNcCreate(w, wp, lp);
    case WM_CREATE: Create(w, reinterpret_cast<const CREATESTRUCTA*>(lp)); return 0;
    case WM_DESTROY:
      if (s->list) DestroyWindow(s->list);
      s->list = nullptr;
      return 0;
    case WM_GETDLGCODE: return OnGetDlgCode(s, lp);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return PaintControl(w, [w](HDC hdc) { PaintField(w, hdc); });
    case WM_SETFONT: return OnSetFont(w, s, wp, lp);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnLButtonDown(w, s, lp);
    case WM_SETFOCUS: return OnSetFocus(w, s);
    case WM_KILLFOCUS: return OnKillFocus(w, s, reinterpret_cast<HWND>(wp));
    case WM_ENABLE:
      if (s->edit) EnableWindow(s->edit, static_cast<BOOL>(wp));
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_KEYDOWN: Key(w, wp); return 0;
    case WM_CHAR: return OnChar(w, s, wp, lp);
    case WM_COMMAND: return OnCommand(w, s, wp, lp);
    case WM_SETTEXT: return OnSetText(w, s, lp);
    case WM_GETTEXT: return OnGetText(w, s, wp, reinterpret_cast<char*>(lp));
    case WM_GETTEXTLENGTH: return OnGetTextLength(w, s);
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM: return w->parent ? Send(w->parent, msg, wp, lp) : 0;
  }
  if (msg >= CB_GETEDITSEL && msg <= 0x0170) return ComboMessage(w, s, msg, wp, lp);
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace kyuser
