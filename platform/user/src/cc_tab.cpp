// The tab control ("SysTabControl32"): one row of tabs over a framed body.
//
//   y=0   ┌────────┐                  the selected tab stands 2 pixels higher
//   y=2   │ Style  │┌──────┐          and 2 wider on each side than the others,
//         │        ││ Open │          and the body's top edge is left out
//   top ──┘        └┴──────┴───────┐  under it, so that it joins the body
//         │                        │
//         │    display area        │  display area = body inset by 4
//         └────────────────────────┘
//
// Tabs are laid out from x = 2, each as wide as its text plus the padding
// on both sides (or the fixed size of TCM_SETITEMSIZE with TCS_FIXEDWIDTH).
//
// Messages: the TCM_ messages the framework's CTabCtrl and the property
// sheet send (tabs, the selection, rectangles, hit tests, item size and
// padding); not focus apart from the selection, image lists, highlighting,
// minimum widths or item extra bytes, which nothing here sends.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "commctrl.h"
#include "ctlutil.h"

namespace kyuser {
namespace {

struct TabItem {
  std::string text;
  int image = -1;
  LPARAM param = 0;
  DWORD state = 0;
};

struct TabState : ControlState {
  std::vector<TabItem> items;
  int cur = -1;
  SIZE itemSize{0, 0};
  SIZE padding{6, 3};
};

TabState* State(Wnd* w) { return StateOf<TabState>(w); }

constexpr int kRowTop = 2;  // the unselected tabs' top

int TabHeight(Wnd* w) {
  TabState* s = State(w);
  if (s->itemSize.cy > 0) return s->itemSize.cy;
  return FontHeightOf(ControlFont(w)) + 2 * s->padding.cy + 1;
}

// The body's top edge, in client coordinates.
int BodyTop(Wnd* w) { return kRowTop + TabHeight(w); }

// Each tab's rectangle as it stands unselected.
std::vector<RECT> TabRects(Wnd* w) {
  TabState* s = State(w);
  std::vector<RECT> out;
  HDC hdc = CreateCompatibleDC(nullptr);
  HGDIOBJ of = SelectObject(hdc, ControlFont(w));
  int x = 2, h = TabHeight(w);
  for (const TabItem& it : s->items) {
    int cx;
    if ((w->style & TCS_FIXEDWIDTH) && s->itemSize.cx > 0) {
      cx = s->itemSize.cx;
    } else {
      SIZE sz{0, 0};
      GetTextExtentPoint32A(hdc, it.text.c_str(), static_cast<int>(it.text.size()), &sz);
      cx = sz.cx + 2 * s->padding.cx;
    }
    out.push_back(RECT{x, kRowTop, x + cx, kRowTop + h});
    x += cx;
  }
  SelectObject(hdc, of);
  DeleteDC(hdc);
  return out;
}

int HitTest(Wnd* w, POINT p, UINT* flags) {
  std::vector<RECT> rs = TabRects(w);
  TabState* s = State(w);
  for (int i = 0; i < static_cast<int>(rs.size()); ++i) {
    RECT r = rs[i];
    if (i == s->cur) InflateRect(&r, 2, 0), r.top -= 2;
    if (PtInRect(&r, p)) {
      if (flags) *flags = TCHT_ONITEMLABEL;
      return i;
    }
  }
  if (flags) *flags = TCHT_NOWHERE;
  return -1;
}

LRESULT Notify(Wnd* w, UINT code) {
  if (!w->parent || w->parent == Desktop()) return 0;
  NMHDR nm{w->handle, w->id, code};
  return Send(w->parent, WM_NOTIFY, w->id, reinterpret_cast<LPARAM>(&nm));
}

// Selection by the user: the parent may refuse it.
void Choose(Wnd* w, int i) {
  TabState* s = State(w);
  if (i < 0 || i >= static_cast<int>(s->items.size()) || i == s->cur) return;
  WndRef keep(w);
  if (Notify(w, TCN_SELCHANGING)) return;
  if (w->dead) return;
  s->cur = i;
  InvalidateRect(w->handle, nullptr, TRUE);
  Notify(w, TCN_SELCHANGE);
}

void DrawTab(Wnd* w, HDC hdc, RECT r, const TabItem& it, bool selected, bool focused) {
  FillRect(hdc, &r, GetSysColorBrush(COLOR_3DFACE));
  RECT e = r;
  e.bottom += 1;  // no bottom edge: the tab opens into the body
  DrawEdge(hdc, &e, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT | BF_SOFT);
  RECT t = r;
  if (!selected) t.top += 1;
  UINT fmt = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
  SetBkMode(hdc, TRANSPARENT);
  if (w->style & WS_DISABLED) {
    DrawDisabledText(hdc, it.text.c_str(), -1, t, fmt);
  } else {
    SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    DrawTextA(hdc, it.text.c_str(), -1, &t, fmt);
  }
  if (focused) {
    RECT f = t;
    InflateRect(&f, -3, -3);
    DrawFocusRect(hdc, &f);
  }
}

void Paint(Wnd* w, HDC hdc) {
  TabState* s = State(w);
  RECT all{0, 0, w->ClientWidth(), w->ClientHeight()};
  HGDIOBJ of = SelectObject(hdc, ControlFont(w));
  FillRect(hdc, &all, GetSysColorBrush(COLOR_3DFACE));
  RECT body{0, BodyTop(w), all.right, all.bottom};
  DrawEdge(hdc, &body, EDGE_RAISED, BF_RECT | BF_SOFT);
  std::vector<RECT> rs = TabRects(w);
  for (int i = 0; i < static_cast<int>(rs.size()); ++i)
    if (i != s->cur) DrawTab(w, hdc, rs[i], s->items[i], false, false);
  if (s->cur >= 0 && s->cur < static_cast<int>(rs.size())) {
    RECT r = rs[s->cur];
    InflateRect(&r, 2, 0);
    r.top -= 2;
    r.bottom += 1;
    DrawTab(w, hdc, r, s->items[s->cur], true, GetFocus() == w->handle);
    // Join the tab to the body: wipe the body's top edge beneath it.
    RECT gap{r.left + 2, body.top, r.right - 2, body.top + 2};
    FillRect(hdc, &gap, GetSysColorBrush(COLOR_3DFACE));
  }
  SelectObject(hdc, of);
}

void CopyOut(const TabItem& it, TCITEMA* p) {
  if (p->mask & TCIF_TEXT) {
    if (p->pszText && p->cchTextMax > 0) {
      size_t n = std::min<size_t>(it.text.size(), static_cast<size_t>(p->cchTextMax - 1));
      memcpy(p->pszText, it.text.data(), n);
      p->pszText[n] = 0;
    }
  }
  if (p->mask & TCIF_IMAGE) p->iImage = it.image;
  if (p->mask & TCIF_PARAM) p->lParam = it.param;
  if (p->mask & TCIF_STATE) p->dwState = it.state & p->dwStateMask;
}

void CopyIn(TabItem& it, const TCITEMA* p) {
  if ((p->mask & TCIF_TEXT) && p->pszText) it.text = p->pszText;
  if (p->mask & TCIF_IMAGE) it.image = p->iImage;
  if (p->mask & TCIF_PARAM) it.param = p->lParam;
  if (p->mask & TCIF_STATE) it.state = (it.state & ~p->dwStateMask) | (p->dwState & p->dwStateMask);
}

// ---------------------------------------------------------------- messages
LRESULT OnLButtonDown(Wnd* w, LPARAM lp) {
  int hit = HitTest(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, nullptr);
  if (hit < 0) return 0;
  if ((w->style & TCS_FOCUSONBUTTONDOWN) && !(w->style & TCS_FOCUSNEVER)) SetFocus(w->handle);
  Choose(w, hit);
  return 0;
}

LRESULT OnKeyDown(Wnd* w, TabState* s, WPARAM vk) {
  if (vk == VK_LEFT || vk == VK_UP) Choose(w, s->cur - 1);
  else if (vk == VK_RIGHT || vk == VK_DOWN) Choose(w, s->cur + 1);
  else if (vk == VK_HOME) Choose(w, 0);
  else if (vk == VK_END) Choose(w, static_cast<int>(s->items.size()) - 1);
  return 0;
}

// The first tab is selected as it comes; later ones keep the selection on
// its tab.
LRESULT InsertItem(Wnd* w, TabState* s, int i, const TCITEMA* p) {
  if (!p || i < 0) return -1;
  int n = static_cast<int>(s->items.size());
  TabItem it;
  CopyIn(it, p);
  int at = std::min(i, n);
  s->items.insert(s->items.begin() + at, it);
  if (s->cur < 0) s->cur = 0;
  else if (at <= s->cur && n > 0) ++s->cur;
  InvalidateRect(w->handle, nullptr, TRUE);
  return at;
}

LRESULT DeleteItem(Wnd* w, TabState* s, int i) {
  s->items.erase(s->items.begin() + i);
  if (i == s->cur) s->cur = -1;
  else if (i < s->cur) --s->cur;
  InvalidateRect(w->handle, nullptr, TRUE);
  return TRUE;
}

// The previous selection; no notification.
LRESULT SetCurSel(Wnd* w, TabState* s, int i) {
  int old = s->cur;
  if (old != i) {
    s->cur = i;
    InvalidateRect(w->handle, nullptr, TRUE);
  }
  return old;
}

// larger: the window a display area of *r needs; otherwise the display area
// of a control whose window is *r.
LRESULT AdjustRect(Wnd* w, bool larger, RECT* r) {
  if (!r) return 0;
  int top = BodyTop(w) + 4;
  if (larger) {
    r->left -= 4, r->right += 4, r->bottom += 4, r->top -= top;
  } else {
    r->left += 4, r->right -= 4, r->bottom -= 4, r->top += top;
  }
  return 0;
}

LRESULT SetItemSize(Wnd* w, TabState* s, LPARAM lp) {
  SIZE old = s->itemSize;
  s->itemSize.cx = static_cast<short>(LOWORD(lp));
  s->itemSize.cy = static_cast<short>(HIWORD(lp));
  InvalidateRect(w->handle, nullptr, TRUE);
  return MAKELONG(old.cx, old.cy);
}

LRESULT SetPadding(Wnd* w, TabState* s, LPARAM lp) {
  s->padding.cx = static_cast<short>(LOWORD(lp));
  s->padding.cy = static_cast<short>(HIWORD(lp));
  InvalidateRect(w->handle, nullptr, TRUE);
  return 0;
}

// The TCM_ messages: tabs, the selection, rectangles and sizes.
LRESULT TabMessage(Wnd* w, TabState* s, UINT msg, WPARAM wp, LPARAM lp) {
  int n = static_cast<int>(s->items.size());
  int i = static_cast<int>(wp);
  bool valid = i >= 0 && i < n;
  switch (msg) {
    case TCM_GETITEMCOUNT: return n;
    case TCM_GETITEMA:
      if (!lp || !valid) return FALSE;
      CopyOut(s->items[i], reinterpret_cast<TCITEMA*>(lp));
      return TRUE;
    case TCM_SETITEMA:
      if (!lp || !valid) return FALSE;
      CopyIn(s->items[i], reinterpret_cast<const TCITEMA*>(lp));
      InvalidateRect(w->handle, nullptr, TRUE);
      return TRUE;
    case TCM_INSERTITEMA: return InsertItem(w, s, i, reinterpret_cast<const TCITEMA*>(lp));
    case TCM_DELETEITEM: return valid ? DeleteItem(w, s, i) : FALSE;
    case TCM_DELETEALLITEMS:
      s->items.clear();
      s->cur = -1;
      InvalidateRect(w->handle, nullptr, TRUE);
      return TRUE;
    case TCM_GETITEMRECT:
      if (!lp || !valid) return FALSE;
      *reinterpret_cast<RECT*>(lp) = TabRects(w)[static_cast<size_t>(i)];
      return TRUE;
    case TCM_GETCURSEL: return s->cur;
    case TCM_SETCURSEL: return valid ? SetCurSel(w, s, i) : -1;
    case TCM_HITTEST: {
      auto* p = reinterpret_cast<TCHITTESTINFO*>(lp);
      return p ? HitTest(w, p->pt, &p->flags) : -1;
    }
    case TCM_ADJUSTRECT: return AdjustRect(w, wp != 0, reinterpret_cast<RECT*>(lp));
    case TCM_SETITEMSIZE: return SetItemSize(w, s, lp);
    case TCM_SETPADDING: return SetPadding(w, s, lp);
    case TCM_GETROWCOUNT: return 1;
  }
  return DefWindowProcA(w->handle, msg, wp, lp);
}

LRESULT CALLBACK TabProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FromHandleQuiet(h);
  if (!w) return 0;
  TabState* s = State(w);
  switch (msg) {
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return PaintControl(w, [w](HDC hdc) { Paint(w, hdc); });
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE: InvalidateRect(h, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnLButtonDown(w, lp);
    case WM_KEYDOWN: return OnKeyDown(w, s, wp);
    case WM_SETFONT:
      w->font = reinterpret_cast<HFONT>(wp);
      if (LOWORD(lp)) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(w->font);
  }
  if (msg >= TCM_FIRST && msg < TCM_FIRST + 0x100) return TabMessage(w, s, msg, wp, lp);
  return DefWindowProcA(h, msg, wp, lp);
}

const KyCommonClassRegistrar kTabClass([] {
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS;
  wc.lpfnWndProc = TabProc;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = WC_TABCONTROLA;
  RegisterClassA(&wc);
});

}  // namespace
}  // namespace kyuser
