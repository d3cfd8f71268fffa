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
#include <algorithm>
#include <cstring>

#include "ctlutil.h"

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
  int top = 0;
  int itemHeight = 0;
  int columnWidth = 150;
  int hExtent = 0;
  bool tracking = false;
  bool wantV = false, wantH = false;
  bool updatingScroll = false;
  Wnd* combo = nullptr;
};

ListState* State(Wnd* w) {
  if (!w->control) w->control = std::make_unique<ListState>();
  return static_cast<ListState*>(w->control.get());
}

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
    int col = i / rows - s->top / rows;
    int row = i % rows;
    return RECT{col * s->columnWidth, row * h, (col + 1) * s->columnWidth, (row + 1) * h};
  }
  int y = (i - s->top) * h;
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
    i = s->top + col * rows + row;
  } else {
    i = s->top + std::max(0, static_cast<int>(p.y)) / h;
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

void UpdateScroll(Wnd* w) {
  ListState* s = State(w);
  if (s->updatingScroll) return;
  s->updatingScroll = true;
  HWND h = w->handle;
  UINT extra = (w->style & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0;
  if (MultiColumn(w)) {
    if (s->wantH) {
      int rows = Rows(w, s);
      int cols = (Count(s) + rows - 1) / rows;
      int vis = std::max(1, w->ClientWidth() / std::max(1, s->columnWidth));
      SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | extra, 0, std::max(cols - 1, 0),
                    static_cast<UINT>(vis), s->top / rows, 0};
      SetScrollInfo(h, SB_HORZ, &si, TRUE);
    }
  } else if (s->wantV) {
    int vis = Rows(w, s);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | extra, 0, std::max(Count(s) - 1, 0),
                  static_cast<UINT>(vis), s->top, 0};
    SetScrollInfo(h, SB_VERT, &si, TRUE);
  }
  if (FromHandleQuiet(h)) s->updatingScroll = false;
}

void SetTop(Wnd* w, int top) {
  ListState* s = State(w);
  int n = Count(s);
  if (MultiColumn(w)) {
    int rows = Rows(w, s);
    int cols = (n + rows - 1) / rows;
    int vis = std::max(1, w->ClientWidth() / std::max(1, s->columnWidth));
    int col = std::clamp(top / rows, 0, std::max(cols - vis, 0));
    top = col * rows;
  } else {
    top = std::clamp(top, 0, std::max(n - Rows(w, s), 0));
  }
  if (top == s->top) return;
  s->top = top;
  InvalidateRect(w->handle, nullptr, TRUE);
  UpdateScroll(w);
}

void EnsureVisible(Wnd* w, int i) {
  ListState* s = State(w);
  if (i < 0 || i >= Count(s)) return;
  if (MultiColumn(w)) {
    int rows = Rows(w, s);
    int vis = std::max(1, w->ClientWidth() / std::max(1, s->columnWidth));
    int col = i / rows, topCol = s->top / rows;
    if (col < topCol) SetTop(w, col * rows);
    else if (col >= topCol + vis) SetTop(w, (col - vis + 1) * rows);
  } else {
    int vis = Rows(w, s);
    if (i < s->top) SetTop(w, i);
    else if (i >= s->top + vis) SetTop(w, i - vis + 1);
  }
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
  int last = std::min(n, s->top + VisibleCount(w, s) + (MultiColumn(w) ? Rows(w, s) : 1));
  HWND h = w->handle;
  for (int i = s->top; i < last; ++i) {
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

}  // namespace

void SetListCombo(Wnd* list, Wnd* combo) { State(list)->combo = combo; }

LRESULT CALLBACK ListBoxProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FromHandleQuiet(h);
  if (!w) return 0;
  ListState* s = State(w);
  switch (msg) {
    case WM_NCCREATE:
      s->wantV = (w->style & WS_VSCROLL) != 0;
      s->wantH = (w->style & WS_HSCROLL) != 0;
      {
        LRESULT r = DefWindowProcA(h, msg, wp, lp);
        // Bars show only when the items need them.
        if (!(w->style & LBS_DISABLENOSCROLL)) w->style &= ~(WS_VSCROLL | WS_HSCROLL);
        return r;
      }
    case WM_CREATE:
      MeasureOnCreate(w);
      if (!(w->style & LBS_NOINTEGRALHEIGHT) && !MultiColumn(w) && !s->combo && s->itemHeight > 0) {
        int extra = w->Height() - w->ClientHeight();
        int rows = std::max(1, w->ClientHeight() / s->itemHeight);
        if (rows * s->itemHeight != w->ClientHeight())
          SetWindowPos(h, nullptr, 0, 0, w->Width(), rows * s->itemHeight + extra,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      UpdateScroll(w);
      return 0;
    case WM_SETFONT: {
      DefWindowProcA(h, msg, wp, lp);
      if (!OwnerDraw(w)) s->itemHeight = FontHeightOf(ControlFont(w));
      UpdateScroll(w);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    }
    case WM_SIZE:
      SetTop(w, s->top);
      UpdateScroll(w);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hdc = BeginPaint(h, &ps);
      if (hdc) Paint(w, hdc);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_SETFOCUS:
      RedrawItems(w, {s->caret}, ODA_FOCUS);
      if (!s->combo) NotifyParent(w, LBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      RedrawItems(w, {s->caret}, ODA_FOCUS);
      if (!s->combo) NotifyParent(w, LBN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN: {
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      bool outside = false;
      int i = ItemFromPoint(w, s, p, &outside);
      if (s->combo) {
        RECT client{0, 0, w->ClientWidth(), w->ClientHeight()};
        if (!PtInRect(&client, p)) {
          ComboListDone(s->combo, false);
          return 0;
        }
        s->tracking = true;
        if (!outside) Select(w, i);
        return 0;
      }
      if (CurrentFocus() != h) SetFocus(h);
      if (!FromHandleQuiet(h)) return 0;
      if (!outside || !MultiColumn(w)) Click(w, outside && i < 0 ? -1 : i, wp);
      s->tracking = true;
      SetCapture(h);
      return 0;
    }
    case WM_MOUSEMOVE: {
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      RECT client{0, 0, w->ClientWidth(), w->ClientHeight()};
      if (s->combo) {
        bool outside = false;
        int i = ItemFromPoint(w, s, p, &outside);
        if (PtInRect(&client, p) && !outside) Select(w, i);
        return 0;
      }
      if (s->tracking && !MultiSel(w) && PtInRect(&client, p)) {
        bool outside = false;
        int i = ItemFromPoint(w, s, p, &outside);
        if (!outside) Select(w, i);
      }
      return 0;
    }
    case WM_LBUTTONUP:
      if (s->combo) {
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        RECT client{0, 0, w->ClientWidth(), w->ClientHeight()};
        bool inside = PtInRect(&client, p) != 0;
        if (inside || s->tracking) ComboListDone(s->combo, inside);
        s->tracking = false;
        return 0;
      }
      if (s->tracking) {
        s->tracking = false;
        if (GetCapture() == h) ReleaseCapture();
        if ((w->style & LBS_NOTIFY) && Count(s) > 0) Notify(w, LBN_SELCHANGE);
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      if (s->combo) return 0;
      if (w->style & LBS_NOTIFY) Notify(w, LBN_DBLCLK);
      return 0;
    case WM_CAPTURECHANGED:
      if (!s->combo) s->tracking = false;
      return 0;
    case WM_KEYDOWN: {
      int n = Count(s);
      if (n == 0) return 0;
      int rows = Rows(w, s);
      int c = MultiSel(w) ? s->caret : (s->cur < 0 ? s->caret : s->cur);
      int target = -2;
      switch (wp) {
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
      if (target != -2) {
        MoveCaretBy(w, target);
        if (s->combo) {
          // In a dropped combo list, arrows only move the highlight.
        }
      }
      return 0;
    }
    case WM_CHAR: {
      if (!HasStrings(w) || wp < 0x20) return 0;
      char key[2] = {static_cast<char>(wp), 0};
      int i = Find(w, MultiSel(w) ? s->caret : s->cur, reinterpret_cast<LPARAM>(key), false);
      if (i >= 0) MoveCaretBy(w, i);
      return 0;
    }
    case WM_VSCROLL:
    case WM_HSCROLL: {
      int code = LOWORD(wp);
      int unit = MultiColumn(w) ? Rows(w, s) : 1;
      int page = MultiColumn(w) ? VisibleCount(w, s) : Rows(w, s);
      switch (code) {
        case SB_LINEUP: SetTop(w, s->top - unit); break;
        case SB_LINEDOWN: SetTop(w, s->top + unit); break;
        case SB_PAGEUP: SetTop(w, s->top - page); break;
        case SB_PAGEDOWN: SetTop(w, s->top + page); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: SetTop(w, static_cast<int>(HIWORD(wp)) * unit); break;
        case SB_TOP: SetTop(w, 0); break;
        case SB_BOTTOM: SetTop(w, Count(s)); break;
      }
      return 0;
    }
    case WM_MOUSEWHEEL: {
      int delta = static_cast<short>(HIWORD(wp));
      int unit = MultiColumn(w) ? Rows(w, s) : 3;
      SetTop(w, s->top - (delta / WHEEL_DELTA) * unit);
      return 0;
    }
    case LB_ADDSTRING:
      return Insert(w, -1, lp, (w->style & LBS_SORT) != 0);
    case LB_INSERTSTRING:
      return Insert(w, static_cast<int>(static_cast<INT_PTR>(wp)), lp, false);
    case LB_DELETESTRING: {
      int i = static_cast<int>(wp);
      if (i < 0 || i >= Count(s)) return LB_ERR;
      DeleteNotify(w, i);
      if (!FromHandleQuiet(h)) return LB_ERR;
      s->items.erase(s->items.begin() + i);
      if (s->cur == i) s->cur = -1;
      else if (s->cur > i) --s->cur;
      if (s->caret >= Count(s)) s->caret = std::max(Count(s) - 1, 0);
      SetTop(w, s->top);
      InvalidateRect(h, nullptr, TRUE);
      UpdateScroll(w);
      return Count(s);
    }
    case LB_RESETCONTENT:
      for (int i = Count(s) - 1; i >= 0 && FromHandleQuiet(h); --i) DeleteNotify(w, i);
      if (!FromHandleQuiet(h)) return 0;
      s->items.clear();
      s->cur = -1;
      s->caret = 0;
      s->top = 0;
      InvalidateRect(h, nullptr, TRUE);
      UpdateScroll(w);
      return 0;
    case LB_GETCOUNT:
      return Count(s);
    case LB_SETCURSEL: {
      if (MultiSel(w)) return LB_ERR;
      int i = static_cast<int>(static_cast<INT_PTR>(wp));
      if (i < -1 || i >= Count(s)) {
        Select(w, -1);
        return LB_ERR;
      }
      Select(w, i);
      return i < 0 ? LB_ERR : i;
    }
    case LB_GETCURSEL:
      if (MultiSel(w)) return Count(s) ? s->caret : LB_ERR;
      return s->cur < 0 ? LB_ERR : s->cur;
    case LB_SETSEL:
      if (!MultiSel(w)) return LB_ERR;
      SetSel(w, static_cast<int>(static_cast<INT_PTR>(lp)), wp != 0);
      return 0;
    case LB_GETSEL: {
      int i = static_cast<int>(wp);
      if (i < 0 || i >= Count(s)) return LB_ERR;
      return MultiSel(w) ? (s->items[i].selected ? 1 : 0) : (i == s->cur ? 1 : 0);
    }
    case LB_GETSELCOUNT: {
      if (!MultiSel(w)) return LB_ERR;
      return std::count_if(s->items.begin(), s->items.end(), [](const Item& it) { return it.selected; });
    }
    case LB_GETSELITEMS: {
      if (!MultiSel(w)) return LB_ERR;
      int* out = reinterpret_cast<int*>(lp);
      int k = 0;
      for (int i = 0; i < Count(s) && k < static_cast<int>(wp); ++i)
        if (s->items[i].selected) out[k++] = i;
      return k;
    }
    case LB_GETTEXT: {
      int i = static_cast<int>(wp);
      if (i < 0 || i >= Count(s) || !lp) return LB_ERR;
      if (!HasStrings(w)) {
        memcpy(reinterpret_cast<void*>(lp), &s->items[i].data, sizeof(ULONG_PTR));
        return sizeof(ULONG_PTR);
      }
      const std::string& t = s->items[i].text;
      memcpy(reinterpret_cast<char*>(lp), t.c_str(), t.size() + 1);
      return static_cast<LRESULT>(t.size());
    }
    case LB_GETTEXTLEN: {
      int i = static_cast<int>(wp);
      if (i < 0 || i >= Count(s)) return LB_ERR;
      return HasStrings(w) ? static_cast<LRESULT>(s->items[i].text.size()) : sizeof(ULONG_PTR);
    }
    case LB_SELECTSTRING: {
      int i = Find(w, static_cast<int>(static_cast<INT_PTR>(wp)), lp, false);
      if (i < 0) return LB_ERR;
      if (MultiSel(w))
        SetSel(w, i, true);
      else
        Select(w, i);
      return i;
    }
    case LB_FINDSTRING:
      return Find(w, static_cast<int>(static_cast<INT_PTR>(wp)), lp, false);
    case LB_FINDSTRINGEXACT:
      return Find(w, static_cast<int>(static_cast<INT_PTR>(wp)), lp, true);
    case LB_GETTOPINDEX:
      return s->top;
    case LB_SETTOPINDEX:
      if (static_cast<int>(wp) >= Count(s) && Count(s) > 0) return LB_ERR;
      SetTop(w, static_cast<int>(wp));
      return 0;
    case LB_GETITEMRECT: {
      int i = static_cast<int>(wp);
      if (i < 0 || (i >= Count(s) && !(i == 0 && Count(s) == 0)) || !lp) return LB_ERR;
      *reinterpret_cast<RECT*>(lp) = ItemRect(w, s, i);
      return 1;
    }
    case LB_GETITEMDATA: {
      int i = static_cast<int>(wp);
      if (i < 0 || i >= Count(s)) return LB_ERR;
      return static_cast<LRESULT>(s->items[i].data);
    }
    case LB_SETITEMDATA: {
      int i = static_cast<int>(static_cast<INT_PTR>(wp));
      if (i == -1) {
        for (auto& it : s->items) it.data = static_cast<ULONG_PTR>(lp);
        return 0;
      }
      if (i < 0 || i >= Count(s)) return LB_ERR;
      s->items[i].data = static_cast<ULONG_PTR>(lp);
      return 0;
    }
    case LB_SETCARETINDEX: {
      int i = static_cast<int>(wp);
      if (i < 0 || i >= Count(s)) return LB_ERR;
      int old = s->caret;
      s->caret = i;
      if (!MultiSel(w)) s->cur = i;
      EnsureVisible(w, i);
      RedrawItems(w, {old, i}, ODA_FOCUS);
      return 0;
    }
    case LB_GETCARETINDEX:
      return s->caret;
    case LB_SETITEMHEIGHT: {
      int hgt = LOWORD(lp);
      if (hgt <= 0 || hgt > 255) return LB_ERR;
      s->itemHeight = hgt;
      SetTop(w, s->top);
      UpdateScroll(w);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    }
    case LB_GETITEMHEIGHT:
      return s->itemHeight;
    case LB_SETCOLUMNWIDTH:
      s->columnWidth = std::max<int>(1, static_cast<int>(wp));
      SetTop(w, s->top);
      UpdateScroll(w);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case LB_SETHORIZONTALEXTENT:
      s->hExtent = static_cast<int>(wp);
      return 0;
    case LB_GETHORIZONTALEXTENT:
      return s->hExtent;
    case LB_ITEMFROMPOINT: {
      bool outside = false;
      int i = ItemFromPoint(w, s, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, &outside);
      return MAKELONG(std::max(i, 0), outside ? 1 : 0);
    }
  }
  return DefWindowProcA(h, msg, wp, lp);
}

LRESULT CALLBACK ComboLBoxProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FromHandleQuiet(h);
  if (!w) return 0;
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return ListBoxProc(h, msg, wp, lp);
}

}  // namespace kyuser
