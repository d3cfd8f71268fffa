// The "ListBox" class and the list of a combo box ("ComboLBox").
//
// Items sit in one column, top to bottom, or with LBS_MULTICOLUMN in columns
// of as many rows as fit the client height, continued to the right and
// scrolled a column at a time by the horizontal scroll bar:
//
//   col 0   col 1   col 2
//   [0]     [3]     [6]
//   [1]     [4]     [7]
//   [2]     [5]
//
// A click selects on the press and reports LBN_SELCHANGE on the release; a
// double click then reports LBN_DBLCLK (both with LBS_NOTIFY). Selections
// made by code are never reported. Owner-drawn lists are asked to draw an
// item with ODA_DRAWENTIRE when it is painted and with ODA_SELECT or
// ODA_FOCUS, at once, when only its selection or focus changed.
//
// Messages: every LB_ message of winuser.h; not LB_DIR, LB_SELITEMRANGE,
// LB_SETTABSTOPS, LB_SETANCHORINDEX or LBS_NODATA's LB_SETCOUNT, which
// nothing here sends. Scrolling is the shared row scroller (rowscroll.h).
#include <algorithm>
#include <cstring>

#include "ctlutil.h"
#include "rowscroll.h"

namespace kyuser {
namespace {

struct Item {
  std::string text;
  ULONG_PTR data = 0;
  bool selected = false;
};

struct ListState : ControlState {
  std::vector<Item> items;
  int cur = -1;    // the selection of a single-selection list
  int caret = 0;   // the item with the focus rectangle
  int anchor = 0;
  RowScroll scroll;  // top: the first item in view
  int itemHeight = 0;
  int columnWidth = 150;
  int hExtent = 0;
  bool tracking = false;
  bool wantV = false, wantH = false;
  Wnd* combo = nullptr;
};

ListState* State(Wnd* w) { return StateOf<ListState>(w); }

bool OwnerDraw(Wnd* w) { return (w->style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
bool HasStrings(Wnd* w) { return !OwnerDraw(w) || (w->style & LBS_HASSTRINGS); }
bool MultiSel(Wnd* w) { return (w->style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
bool MultiColumn(Wnd* w) { return (w->style & LBS_MULTICOLUMN) != 0; }
int Count(ListState* s) { return static_cast<int>(s->items.size()); }

int Rows(Wnd* w, ListState* s) { return std::max(1, w->ClientHeight() / std::max(1, s->itemHeight)); }

int VisibleCount(Wnd* w, ListState* s) {
  int rows = Rows(w, s);
  if (!MultiColumn(w)) return rows;
  return rows * std::max(1, w->ClientWidth() / std::max(1, s->columnWidth));
}

RECT ItemRect(Wnd* w, ListState* s, int i) {
  int h = s->itemHeight;
  if (MultiColumn(w)) {
    int rows = Rows(w, s);
    int col = i / rows - s->scroll.top / rows;
    int row = i % rows;
    return RECT{col * s->columnWidth, row * h, (col + 1) * s->columnWidth, (row + 1) * h};
  }
  int y = (i - s->scroll.top) * h;
  return RECT{0, y, std::max(w->ClientWidth(), s->hExtent), y + h};
}

int ItemFromPoint(Wnd* w, ListState* s, POINT p, bool* outside) {
  *outside = false;
  int h = std::max(1, s->itemHeight);
  RECT client{0, 0, w->ClientWidth(), w->ClientHeight()};
  if (!PtInRect(&client, p)) *outside = true;
  int i;
  if (MultiColumn(w)) {
    int rows = Rows(w, s);
    int col = std::max(0, static_cast<int>(p.x) / std::max(1, s->columnWidth));
    int row = std::clamp(static_cast<int>(p.y) / h, 0, rows - 1);
    i = s->scroll.top + col * rows + row;
  } else {
    i = s->scroll.top + std::max(0, static_cast<int>(p.y)) / h;
  }
  if (i >= Count(s)) {
    *outside = true;
    i = Count(s) - 1;
  }
  return i;
}

void Notify(Wnd* w, UINT code) {
  ListState* s = State(w);
  if (s->combo) return;  // the combo reports for its list
  NotifyParent(w, code);
}

// Columns of a multi-column list: as many as exist, and as many as show.
int Columns(Wnd* w, ListState* s) { return (Count(s) + Rows(w, s) - 1) / Rows(w, s); }
int VisibleColumns(Wnd* w, ListState* s) { return std::max(1, w->ClientWidth() / std::max(1, s->columnWidth)); }

// A multi-column list scrolls by columns on the horizontal bar, a plain list
// by items on the vertical bar.
void UpdateScroll(Wnd* w) {
  ListState* s = State(w);
  if (!s->scroll.BeginBars()) return;
  HWND h = w->handle;
  UINT extra = (w->style & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0;
  int rows = Rows(w, s);
  if (MultiColumn(w)) {
    if (s->wantH) SetRowBar(h, SB_HORZ, s->scroll.top / rows, Columns(w, s), VisibleColumns(w, s), extra);
  } else if (s->wantV) {
    SetRowBar(h, SB_VERT, s->scroll.top, Count(s), rows, extra);
  }
  s->scroll.EndBars(h);
}

void SetTop(Wnd* w, int top) {
  ListState* s = State(w);
  if (MultiColumn(w)) {
    int rows = Rows(w, s);
    top = ClampTopRow(top / rows, Columns(w, s), VisibleColumns(w, s)) * rows;
  } else {
    top = ClampTopRow(top, Count(s), Rows(w, s));
  }
  if (s->scroll.MoveTo(w->handle, top)) UpdateScroll(w);
}

void EnsureVisible(Wnd* w, int i) {
  ListState* s = State(w);
  if (i < 0 || i >= Count(s)) return;
  int rows = Rows(w, s);
  if (MultiColumn(w)) {
    int topCol = s->scroll.top / rows;
    int col = TopToReveal(i / rows, topCol, VisibleColumns(w, s));
    if (col != topCol) SetTop(w, col * rows);
  } else {
    int top = TopToReveal(i, s->scroll.top, rows);
    if (top != s->scroll.top) SetTop(w, top);
  }
}

// Keeps the items in view after the rows or columns changed size.
void Relayout(Wnd* w) {
  SetTop(w, State(w)->scroll.top);
  UpdateScroll(w);
  InvalidateRect(w->handle, nullptr, TRUE);
}

UINT ItemState(Wnd* w, ListState* s, int i) {
  UINT st = 0;
  bool sel = MultiSel(w) ? s->items[i].selected : i == s->cur;
  if (sel) st |= ODS_SELECTED;
  if (i == s->caret && CurrentFocus() == w->handle) st |= ODS_FOCUS;
  if (w->style & WS_DISABLED) st |= ODS_DISABLED;
  return st;
}

void DrawOne(Wnd* w, HDC hdc, int i, UINT action) {
  ListState* s = State(w);
  RECT r = ItemRect(w, s, i);
  if (OwnerDraw(w)) {
    Wnd* target = s->combo ? s->combo->parent : w->parent;
    Wnd* ctl = s->combo ? s->combo : w;
    SendDrawItem(target, s->combo ? ODT_COMBOBOX : ODT_LISTBOX, static_cast<UINT>(ctl->id), ctl->handle,
                 static_cast<UINT>(i), action, ItemState(w, s, i), hdc, r, s->items[i].data);
    return;
  }
  UINT st = ItemState(w, s, i);
  bool sel = (st & ODS_SELECTED) != 0;
  if (sel) {
    FillRect(hdc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else {
    FillRect(hdc, &r, reinterpret_cast<HBRUSH>(GetCurrentObject(hdc, OBJ_BRUSH)));
    SetTextColor(hdc, (w->style & WS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_WINDOWTEXT));
  }
  SetBkMode(hdc, TRANSPARENT);
  RECT t = r;
  t.left += 2;
  DrawTextA(hdc, s->items[i].text.c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  if (st & ODS_FOCUS) DrawFocusRect(hdc, &r);
}

// Draws items whose selection or focus changed, right away.
void RedrawItems(Wnd* w, std::initializer_list<int> which, UINT action) {
  ListState* s = State(w);
  if (!IsVisibleChain(w) || !w->redraw) return;
  if (!OwnerDraw(w)) {
    for (int i : which)
      if (i >= 0 && i < Count(s)) {
        RECT r = ItemRect(w, s, i);
        InvalidateRect(w->handle, &r, FALSE);
      }
    return;
  }
  HDC hdc = KyUserGetDC(w->handle, TRUE);
  if (!hdc) return;
  HGDIOBJ of = SelectObject(hdc, ControlFont(w));
  HBRUSH br = ControlColor(s->combo ? s->combo : w, hdc, WM_CTLCOLORLISTBOX);
  SelectObject(hdc, br);
  HWND h = w->handle;
  if (Count(s) == 0 && action == ODA_FOCUS) {
    RECT r = ItemRect(w, s, 0);
    Wnd* target = s->combo ? s->combo->parent : w->parent;
    Wnd* ctl = s->combo ? s->combo : w;
    SendDrawItem(target, s->combo ? ODT_COMBOBOX : ODT_LISTBOX, static_cast<UINT>(ctl->id), ctl->handle,
                 static_cast<UINT>(-1), ODA_FOCUS, CurrentFocus() == h ? ODS_FOCUS : 0, hdc, r, 0);
  }
  for (int i : which) {
    if (!FromHandleQuiet(h)) return;
    if (i >= 0 && i < Count(s)) DrawOne(w, hdc, i, action);
  }
  if (!FromHandleQuiet(h)) return;
  SelectObject(hdc, of);
  KyUserReleaseDC(h, hdc);
}

void Paint(Wnd* w, HDC hdc) {
  ListState* s = State(w);
  HGDIOBJ of = SelectObject(hdc, ControlFont(w));
  HBRUSH br = ControlColor(s->combo ? s->combo : w, hdc, WM_CTLCOLORLISTBOX);
  RECT client{0, 0, w->ClientWidth(), w->ClientHeight()};
  FillRect(hdc, &client, br);
  SelectObject(hdc, br);
  int n = Count(s);
  int last = std::min(n, s->scroll.top + VisibleCount(w, s) + (MultiColumn(w) ? Rows(w, s) : 1));
  HWND h = w->handle;
  for (int i = s->scroll.top; i < last; ++i) {
    if (!FromHandleQuiet(h)) return;
    DrawOne(w, hdc, i, ODA_DRAWENTIRE);
  }
  if (n == 0 && CurrentFocus() == h && !s->combo) {
    RECT r = ItemRect(w, s, 0);
    if (OwnerDraw(w))
      SendDrawItem(w->parent, ODT_LISTBOX, static_cast<UINT>(w->id), h, static_cast<UINT>(-1), ODA_FOCUS, ODS_FOCUS,
                   hdc, r, 0);
    else
      DrawFocusRect(hdc, &r);
  }
  SelectObject(hdc, of);
}

int CompareText(const std::string& a, const std::string& b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    int ca = tolower(static_cast<unsigned char>(a[i])), cb = tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

int CompareItems(Wnd* w, const Item& a, int ia, const Item& b, int ib) {
  if (HasStrings(w)) return CompareText(a.text, b.text);
  COMPAREITEMSTRUCT cis{ODT_LISTBOX, static_cast<UINT>(w->id), w->handle, static_cast<UINT>(ia), a.data,
                        static_cast<UINT>(ib), b.data, 0};
  return static_cast<int>(Send(w->parent, WM_COMPAREITEM, w->id, reinterpret_cast<LPARAM>(&cis)));
}

int Insert(Wnd* w, int at, LPARAM lp, bool sorted) {
  ListState* s = State(w);
  Item it;
  if (HasStrings(w)) {
    const char* t = reinterpret_cast<const char*>(lp);
    it.text = t ? t : "";
  } else {
    it.data = static_cast<ULONG_PTR>(lp);
  }
  int n = Count(s);
  if (sorted) {
    at = n;
    for (int i = 0; i < n; ++i)
      if (CompareItems(w, it, -1, s->items[i], i) < 0) {
        at = i;
        break;
      }
  } else if (at < 0 || at > n) {
    if (at != -1) return LB_ERR;
    at = n;
  }
  s->items.insert(s->items.begin() + at, it);
  if (s->cur >= at) ++s->cur;
  if (s->caret >= at && n > 0) ++s->caret;
  InvalidateRect(w->handle, nullptr, TRUE);
  UpdateScroll(w);
  return at;
}

void DeleteNotify(Wnd* w, int i) {
  ListState* s = State(w);
  if (!OwnerDraw(w)) return;
  Wnd* target = s->combo ? s->combo->parent : w->parent;
  Wnd* ctl = s->combo ? s->combo : w;
  DELETEITEMSTRUCT dis{static_cast<UINT>(s->combo ? ODT_COMBOBOX : ODT_LISTBOX), static_cast<UINT>(ctl->id),
                       static_cast<UINT>(i), ctl->handle, s->items[i].data};
  if (target) Send(target, WM_DELETEITEM, ctl->id, reinterpret_cast<LPARAM>(&dis));
}

bool Matches(Wnd* w, const Item& it, LPARAM lp, bool exact) {
  if (!HasStrings(w)) return it.data == static_cast<ULONG_PTR>(lp);
  const char* t = reinterpret_cast<const char*>(lp);
  std::string key = t ? t : "";
  if (exact) return CompareText(it.text, key) == 0;
  return it.text.size() >= key.size() && CompareText(it.text.substr(0, key.size()), key) == 0;
}

int Find(Wnd* w, int after, LPARAM lp, bool exact) {
  ListState* s = State(w);
  int n = Count(s);
  if (n == 0) return LB_ERR;
  int start = (after < -1 || after >= n) ? -1 : after;
  for (int k = 1; k <= n; ++k) {
    int i = (start + k) % n;
    if (Matches(w, s->items[i], lp, exact)) return i;
  }
  return LB_ERR;
}

// Selects item i of a single-selection list (or -1 for none).
void Select(Wnd* w, int i) {
  ListState* s = State(w);
  int old = s->cur;
  int oldCaret = s->caret;
  if (i >= Count(s)) i = -1;
  s->cur = i;
  if (i >= 0) s->caret = i;
  if (old == i && oldCaret == s->caret) return;
  if (i >= 0) EnsureVisible(w, i);
  // The newly selected item last, after the ones that lost the selection or the caret.
  RedrawItems(w, {old, oldCaret == old || oldCaret == i ? -1 : oldCaret, i}, ODA_SELECT);
}

void SetSel(Wnd* w, int i, bool on) {
  ListState* s = State(w);
  if (i == -1) {
    for (auto& it : s->items) it.selected = on;
    InvalidateRect(w->handle, nullptr, FALSE);
    return;
  }
  if (i < 0 || i >= Count(s)) return;
  if (s->items[i].selected != on) {
    s->items[i].selected = on;
    RedrawItems(w, {i}, ODA_SELECT);
  }
}

void MoveCaretBy(Wnd* w, int target) {
  ListState* s = State(w);
  int n = Count(s);
  if (n == 0) return;
  target = std::clamp(target, 0, n - 1);
  if (MultiSel(w)) {
    int old = s->caret;
    s->caret = target;
    EnsureVisible(w, target);
    if (w->style & LBS_EXTENDEDSEL) {
      for (auto& it : s->items) it.selected = false;
      s->items[target].selected = true;
      InvalidateRect(w->handle, nullptr, FALSE);
    } else {
      RedrawItems(w, {old, target}, ODA_FOCUS);
    }
  } else {
    Select(w, target);
  }
  Notify(w, LBN_SELCHANGE);
}

void Click(Wnd* w, int i, WPARAM keys) {
  ListState* s = State(w);
  if (i < 0 || (w->style & LBS_NOSEL)) return;
  if (!MultiSel(w)) {
    Select(w, i);
    return;
  }
  int old = s->caret;
  s->caret = i;
  if ((w->style & LBS_MULTIPLESEL) || (keys & MK_CONTROL)) {
    s->items[i].selected = !s->items[i].selected;
    s->anchor = i;
  } else if (keys & MK_SHIFT) {
    int a = std::min(s->anchor, i), b = std::max(s->anchor, i);
    for (int k = 0; k < Count(s); ++k) s->items[k].selected = k >= a && k <= b;
  } else {
    for (auto& it : s->items) it.selected = false;
    s->items[i].selected = true;
    s->anchor = i;
  }
  (void)old;
  InvalidateRect(w->handle, nullptr, FALSE);
}

void MeasureOnCreate(Wnd* w) {
  ListState* s = State(w);
  s->itemHeight = FontHeightOf(ControlFont(w));
  if ((w->style & LBS_OWNERDRAWFIXED) && !s->combo && w->parent) {
    MEASUREITEMSTRUCT mis{ODT_LISTBOX, static_cast<UINT>(w->id), 0, static_cast<UINT>(w->ClientWidth()),
                          static_cast<UINT>(s->itemHeight), 0};
    Send(w->parent, WM_MEASUREITEM, w->id, reinterpret_cast<LPARAM>(&mis));
    if (mis.itemHeight > 0) s->itemHeight = static_cast<int>(mis.itemHeight);
  }
}

// ---------------------------------------------------------------- messages
LRESULT OnNcCreate(Wnd* w, ListState* s, WPARAM wp, LPARAM lp) {
  s->wantV = (w->style & WS_VSCROLL) != 0;
  s->wantH = (w->style & WS_HSCROLL) != 0;
  LRESULT r = DefWindowProcA(w->handle, WM_NCCREATE, wp, lp);
  // Bars show only when the items need them.
  if (!(w->style & LBS_DISABLENOSCROLL)) w->style &= ~(WS_VSCROLL | WS_HSCROLL);
  return r;
}

LRESULT OnCreate(Wnd* w, ListState* s) {
  MeasureOnCreate(w);
  if (!(w->style & LBS_NOINTEGRALHEIGHT) && !MultiColumn(w) && !s->combo && s->itemHeight > 0) {
    int extra = w->Height() - w->ClientHeight();
    int rows = std::max(1, w->ClientHeight() / s->itemHeight);
    if (rows * s->itemHeight != w->ClientHeight())
      SetWindowPos(w->handle, nullptr, 0, 0, w->Width(), rows * s->itemHeight + extra,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  UpdateScroll(w);
  return 0;
}

LRESULT OnSetFont(Wnd* w, ListState* s, WPARAM wp, LPARAM lp) {
  DefWindowProcA(w->handle, WM_SETFONT, wp, lp);
  if (!OwnerDraw(w)) s->itemHeight = FontHeightOf(ControlFont(w));
  UpdateScroll(w);
  InvalidateRect(w->handle, nullptr, TRUE);
  return 0;
}

LRESULT OnFocus(Wnd* w, ListState* s, UINT msg) {
  RedrawItems(w, {s->caret}, ODA_FOCUS);
  if (!s->combo) NotifyParent(w, msg == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
  return 0;
}

bool InClient(Wnd* w, POINT p) {
  RECT client{0, 0, w->ClientWidth(), w->ClientHeight()};
  return PtInRect(&client, p) != 0;
}

// In a combo's list a press outside closes the list; elsewhere it takes the
// focus and the capture and selects.
LRESULT OnLButtonDown(Wnd* w, ListState* s, WPARAM wp, LPARAM lp) {
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  bool outside = false;
  int i = ItemFromPoint(w, s, p, &outside);
  if (s->combo) {
    if (!InClient(w, p)) {
      ComboListDone(s->combo, false);
      return 0;
    }
    s->tracking = true;
    if (!outside) Select(w, i);
    return 0;
  }
  if (!FocusOnClick(w)) return 0;
  if (!outside || !MultiColumn(w)) Click(w, outside && i < 0 ? -1 : i, wp);
  s->tracking = true;
  SetCapture(w->handle);
  return 0;
}

// The selection follows the mouse in a combo's list, and while the button
// is down in a single-selection list.
LRESULT OnMouseMove(Wnd* w, ListState* s, LPARAM lp) {
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  if (!InClient(w, p) || (!s->combo && (!s->tracking || MultiSel(w)))) return 0;
  bool outside = false;
  int i = ItemFromPoint(w, s, p, &outside);
  if (!outside) Select(w, i);
  return 0;
}

LRESULT OnLButtonUp(Wnd* w, ListState* s, LPARAM lp) {
  if (s->combo) {
    bool inside = InClient(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    if (inside || s->tracking) ComboListDone(s->combo, inside);
    s->tracking = false;
    return 0;
  }
  if (s->tracking) {
    s->tracking = false;
    if (GetCapture() == w->handle) ReleaseCapture();
    if ((w->style & LBS_NOTIFY) && Count(s) > 0) Notify(w, LBN_SELCHANGE);
  }
  return 0;
}

// The arrows move the caret (a column at a time sideways in columns); space
// toggles the caret's item of a multiple-selection list. In a dropped combo
// list they only move the highlight.
LRESULT OnKeyDown(Wnd* w, ListState* s, WPARAM vk) {
  int n = Count(s);
  if (n == 0) return 0;
  int rows = Rows(w, s);
  int c = MultiSel(w) ? s->caret : (s->cur < 0 ? s->caret : s->cur);
  int target = -2;
  switch (vk) {
    case VK_UP: target = c - 1; break;
    case VK_DOWN: target = c + 1; break;
    case VK_LEFT: target = MultiColumn(w) ? c - rows : c - 1; break;
    case VK_RIGHT: target = MultiColumn(w) ? c + rows : c + 1; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = n - 1; break;
    case VK_PRIOR: target = c - VisibleCount(w, s) + 1; break;
    case VK_NEXT: target = c + VisibleCount(w, s) - 1; break;
    case VK_SPACE:
      if (MultiSel(w)) {
        SetSel(w, s->caret, !s->items[s->caret].selected);
        if (w->style & LBS_NOTIFY) Notify(w, LBN_SELCHANGE);
      }
      return 0;
  }
  if (target != -2) MoveCaretBy(w, target);
  return 0;
}

// A typed character moves to the next item that starts with it.
LRESULT OnChar(Wnd* w, ListState* s, WPARAM ch) {
  if (!HasStrings(w) || ch < 0x20) return 0;
  char key[2] = {static_cast<char>(ch), 0};
  int i = Find(w, MultiSel(w) ? s->caret : s->cur, reinterpret_cast<LPARAM>(key), false);
  if (i >= 0) MoveCaretBy(w, i);
  return 0;
}

// Both bars scroll the list: a multi-column list moves a column (rows items)
// at a time.
LRESULT OnScroll(Wnd* w, ListState* s, WPARAM wp) {
  int unit = MultiColumn(w) ? Rows(w, s) : 1;
  int page = MultiColumn(w) ? VisibleCount(w, s) : Rows(w, s);
  int top = 0;
  if (RowsFromBar(wp, s->scroll.top, unit, page, Count(s), &top)) SetTop(w, top);
  return 0;
}

LRESULT OnMouseWheel(Wnd* w, ListState* s, WPARAM wp) {
  SetTop(w, RowsFromWheel(wp, s->scroll.top, MultiColumn(w) ? Rows(w, s) : 3));
  return 0;
}

LRESULT DeleteString(Wnd* w, ListState* s, int i) {
  if (i < 0 || i >= Count(s)) return LB_ERR;
  DeleteNotify(w, i);
  if (!FromHandleQuiet(w->handle)) return LB_ERR;
  s->items.erase(s->items.begin() + i);
  if (s->cur == i) s->cur = -1;
  else if (s->cur > i) --s->cur;
  if (s->caret >= Count(s)) s->caret = std::max(Count(s) - 1, 0);
  SetTop(w, s->scroll.top);
  InvalidateRect(w->handle, nullptr, TRUE);
  UpdateScroll(w);
  return Count(s);
}

LRESULT ResetContent(Wnd* w, ListState* s) {
  HWND h = w->handle;
  for (int i = Count(s) - 1; i >= 0 && FromHandleQuiet(h); --i) DeleteNotify(w, i);
  if (!FromHandleQuiet(h)) return 0;
  s->items.clear();
  s->cur = -1;
  s->caret = 0;
  s->scroll.top = 0;
  InvalidateRect(h, nullptr, TRUE);
  UpdateScroll(w);
  return 0;
}

LRESULT SetCurSel(Wnd* w, ListState* s, int i) {
  if (MultiSel(w)) return LB_ERR;
  if (i < -1 || i >= Count(s)) {
    Select(w, -1);
    return LB_ERR;
  }
  Select(w, i);
  return i < 0 ? LB_ERR : i;
}

LRESULT GetSelItems(Wnd* w, ListState* s, int max, int* out) {
  if (!MultiSel(w)) return LB_ERR;
  int k = 0;
  for (int i = 0; i < Count(s) && k < max; ++i)
    if (s->items[i].selected) out[k++] = i;
  return k;
}

// A list without strings gives the item's data in place of its text.
LRESULT GetText(Wnd* w, ListState* s, int i, LPARAM buf) {
  if (i < 0 || i >= Count(s) || !buf) return LB_ERR;
  if (!HasStrings(w)) {
    memcpy(reinterpret_cast<void*>(buf), &s->items[i].data, sizeof(ULONG_PTR));
    return sizeof(ULONG_PTR);
  }
  const std::string& t = s->items[i].text;
  memcpy(reinterpret_cast<char*>(buf), t.c_str(), t.size() + 1);
  return static_cast<LRESULT>(t.size());
}

LRESULT SelectString(Wnd* w, int after, LPARAM key) {
  int i = Find(w, after, key, false);
  if (i < 0) return LB_ERR;
  if (MultiSel(w))
    SetSel(w, i, true);
  else
    Select(w, i);
  return i;
}

LRESULT SetItemData(ListState* s, int i, LPARAM data) {
  if (i == -1) {
    for (auto& it : s->items) it.data = static_cast<ULONG_PTR>(data);
    return 0;
  }
  if (i < 0 || i >= Count(s)) return LB_ERR;
  s->items[i].data = static_cast<ULONG_PTR>(data);
  return 0;
}

LRESULT SetCaretIndex(Wnd* w, ListState* s, int i) {
  if (i < 0 || i >= Count(s)) return LB_ERR;
  int old = s->caret;
  s->caret = i;
  if (!MultiSel(w)) s->cur = i;
  EnsureVisible(w, i);
  RedrawItems(w, {old, i}, ODA_FOCUS);
  return 0;
}

LRESULT SetItemHeight(Wnd* w, ListState* s, int height) {
  if (height <= 0 || height > 255) return LB_ERR;
  s->itemHeight = height;
  Relayout(w);
  return 0;
}

LRESULT ItemRectOf(Wnd* w, ListState* s, int i, LPARAM out) {
  if (i < 0 || (i >= Count(s) && !(i == 0 && Count(s) == 0)) || !out) return LB_ERR;
  *reinterpret_cast<RECT*>(out) = ItemRect(w, s, i);
  return 1;
}

LRESULT ItemFromPointMsg(Wnd* w, ListState* s, LPARAM lp) {
  bool outside = false;
  int i = ItemFromPoint(w, s, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, &outside);
  return MAKELONG(std::max(i, 0), outside ? 1 : 0);
}

// The LB_ messages about the items, their selection and their layout.
LRESULT ListMessage(Wnd* w, ListState* s, UINT msg, WPARAM wp, LPARAM lp) {
  int i = static_cast<int>(static_cast<INT_PTR>(wp));
  bool valid = i >= 0 && i < Count(s);
  switch (msg) {
    case LB_ADDSTRING: return Insert(w, -1, lp, (w->style & LBS_SORT) != 0);
    case LB_INSERTSTRING: return Insert(w, i, lp, false);
    case LB_DELETESTRING: return DeleteString(w, s, i);
    case LB_RESETCONTENT: return ResetContent(w, s);
    case LB_GETCOUNT: return Count(s);
    case LB_SETCURSEL: return SetCurSel(w, s, i);
    case LB_GETCURSEL:
      if (MultiSel(w)) return Count(s) ? s->caret : LB_ERR;
      return s->cur < 0 ? LB_ERR : s->cur;
    case LB_SETSEL:
      if (!MultiSel(w)) return LB_ERR;
      SetSel(w, static_cast<int>(static_cast<INT_PTR>(lp)), wp != 0);
      return 0;
    case LB_GETSEL:
      if (!valid) return LB_ERR;
      return MultiSel(w) ? (s->items[i].selected ? 1 : 0) : (i == s->cur ? 1 : 0);
    case LB_GETSELCOUNT:
      if (!MultiSel(w)) return LB_ERR;
      return std::count_if(s->items.begin(), s->items.end(), [](const Item& it) { return it.selected; });
    case LB_GETSELITEMS: return GetSelItems(w, s, i, reinterpret_cast<int*>(lp));
    case LB_GETTEXT: return GetText(w, s, i, lp);
    case LB_GETTEXTLEN:
      if (!valid) return LB_ERR;
      return HasStrings(w) ? static_cast<LRESULT>(s->items[i].text.size()) : sizeof(ULONG_PTR);
    case LB_SELECTSTRING: return SelectString(w, i, lp);
    case LB_FINDSTRING: return Find(w, i, lp, false);
    case LB_FINDSTRINGEXACT: return Find(w, i, lp, true);
    case LB_GETTOPINDEX: return s->scroll.top;
    case LB_SETTOPINDEX:
      if (i >= Count(s) && Count(s) > 0) return LB_ERR;
      SetTop(w, i);
      return 0;
    case LB_GETITEMRECT: return ItemRectOf(w, s, i, lp);
    case LB_GETITEMDATA: return valid ? static_cast<LRESULT>(s->items[i].data) : LB_ERR;
    case LB_SETITEMDATA: return SetItemData(s, i, lp);
    case LB_SETCARETINDEX: return SetCaretIndex(w, s, i);
    case LB_GETCARETINDEX: return s->caret;
    case LB_SETITEMHEIGHT: return SetItemHeight(w, s, LOWORD(lp));
    case LB_GETITEMHEIGHT: return s->itemHeight;
    case LB_SETCOLUMNWIDTH:
      s->columnWidth = std::max<int>(1, i);
      Relayout(w);
      return 0;
    case LB_SETHORIZONTALEXTENT: s->hExtent = i; return 0;
    case LB_GETHORIZONTALEXTENT: return s->hExtent;
    case LB_ITEMFROMPOINT: return ItemFromPointMsg(w, s, lp);
  }
  return DefWindowProcA(w->handle, msg, wp, lp);
}

}  // namespace

void SetListCombo(Wnd* list, Wnd* combo) { State(list)->combo = combo; }

LRESULT CALLBACK ListBoxProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FromHandleQuiet(h);
  if (!w) return 0;
  ListState* s = State(w);
  switch (msg) {
    case WM_NCCREATE: return OnNcCreate(w, s, wp, lp);
    case WM_CREATE: return OnCreate(w, s);
    case WM_SETFONT: return OnSetFont(w, s, wp, lp);
    case WM_SIZE: Relayout(w); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return PaintControl(w, [w](HDC hdc) { Paint(w, hdc); });
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return OnFocus(w, s, msg);
    case WM_ENABLE: InvalidateRect(h, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN: return OnLButtonDown(w, s, wp, lp);
    case WM_MOUSEMOVE: return OnMouseMove(w, s, lp);
    case WM_LBUTTONUP: return OnLButtonUp(w, s, lp);
    case WM_LBUTTONDBLCLK:
      if (!s->combo && (w->style & LBS_NOTIFY)) Notify(w, LBN_DBLCLK);
      return 0;
    case WM_CAPTURECHANGED:
      if (!s->combo) s->tracking = false;
      return 0;
    case WM_KEYDOWN: return OnKeyDown(w, s, wp);
    case WM_CHAR: return OnChar(w, s, wp);
    case WM_VSCROLL:
    case WM_HSCROLL: return OnScroll(w, s, wp);
    case WM_MOUSEWHEEL: return OnMouseWheel(w, s, wp);
  }
  if (msg >= LB_ADDSTRING && msg <= LB_ITEMFROMPOINT) return ListMessage(w, s, msg, wp, lp);
  return DefWindowProcA(h, msg, wp, lp);
}

LRESULT CALLBACK ComboLBoxProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FromHandleQuiet(h);
  if (!w) return 0;
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return ListBoxProc(h, msg, wp, lp);
}

}  // namespace kyuser
