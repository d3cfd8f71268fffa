// The default window procedure and the frame it draws: borders, 3-D edges,
// the caption with its close box, and the window's scroll bars.
#include <algorithm>
#include <cstring>

#include "ctlutil.h"
#include "winscreen.h"
#include "wnd.h"

namespace kyuser {

NcLayout Layout(const Wnd* w) {
  NcLayout L;
  RECT r{0, 0, w->Width(), w->Height()};
  if (w->style & WS_THICKFRAME) {
    L.frame = Metric(SM_CXFRAME);
    L.thickFrame = true;
  } else if ((w->style & WS_DLGFRAME) || (w->exStyle & WS_EX_DLGMODALFRAME)) {
    L.frame = Metric(SM_CXDLGFRAME);
    L.dlgFrame = true;
  } else if (w->style & WS_BORDER) {
    L.frame = 1;
    L.thinBorder = true;
  }
  InflateRect(&r, -L.frame, -L.frame);
  if ((w->style & WS_CAPTION) == WS_CAPTION) {
    int h = Metric(SM_CYCAPTION) - 1;
    L.caption = RECT{r.left, r.top, r.right, r.top + h};
    if (w->style & WS_SYSMENU) {
      int bw = Metric(SM_CXSIZE) - 2, bh = h - 4;
      L.close = RECT{L.caption.right - bw - 2, L.caption.top + 2, L.caption.right - 2, L.caption.top + 2 + bh};
    }
    r.top += h + 1;
  }
  L.edgeRect = r;
  if (w->exStyle & WS_EX_CLIENTEDGE)
    L.clientEdge = 2;
  else if (w->exStyle & WS_EX_STATICEDGE)
    L.clientEdge = 1;
  InflateRect(&r, -L.clientEdge, -L.clientEdge);
  bool hs = (w->style & WS_HSCROLL) != 0, vs = (w->style & WS_VSCROLL) != 0;
  int sw = Metric(SM_CXVSCROLL), sh = Metric(SM_CYHSCROLL);
  if (vs && r.right - r.left >= sw) {
    L.vscroll = RECT{r.right - sw, r.top, r.right, r.bottom - (hs ? sh : 0)};
    r.right -= sw;
  }
  if (hs && r.bottom - r.top >= sh) {
    L.hscroll = RECT{r.left, r.bottom - sh, r.right, r.bottom};
    r.bottom -= sh;
  }
  if (vs && hs) L.sizebox = RECT{L.vscroll.left, L.hscroll.top, L.vscroll.right, L.hscroll.bottom};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  L.client = r;
  return L;
}

void DrawFrame(Wnd* w, HDC hdc) {
  NcLayout L = Layout(w);
  RECT r{0, 0, w->Width(), w->Height()};
  if (L.thickFrame || L.dlgFrame) {
    DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    HBRUSH face = GetSysColorBrush(COLOR_3DFACE);
    for (int i = 2; i < L.frame; ++i) {
      FrameRect(hdc, &r, face);
      InflateRect(&r, -1, -1);
    }
  } else if (L.thinBorder) {
    FrameRect(hdc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
  }
  if (!IsRectEmpty(&L.caption)) {
    bool active = GetActiveWindow() == w->handle;
    FillRect(hdc, &L.caption, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    RECT line{L.caption.left, L.caption.bottom, L.caption.right, L.caption.bottom + 1};
    FillRect(hdc, &line, GetSysColorBrush(COLOR_3DFACE));
    HGDIOBJ oldFont = SelectObject(hdc, BoldGuiFont());
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT t = L.caption;
    t.left += 4;
    if (!IsRectEmpty(&L.close)) t.right = L.close.left - 2;
    DrawTextA(hdc, w->text.c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(hdc, oldFont);
    if (!IsRectEmpty(&L.close)) {
      RECT c = L.close;
      DrawFrameControl(hdc, &c, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    }
  }
  if (L.clientEdge == 2) {
    RECT e = L.edgeRect;
    DrawEdge(hdc, &e, EDGE_SUNKEN, BF_RECT);
  } else if (L.clientEdge == 1) {
    RECT e = L.edgeRect;
    DrawEdge(hdc, &e, BDR_SUNKENOUTER, BF_RECT);
  }
  DrawWindowScrollBars(w, hdc);
}

LRESULT NcHitTest(Wnd* w, POINT pt) {
  RECT wr = ScreenWindowRect(w);
  if (!PtInRect(&wr, pt)) return HTNOWHERE;
  POINT p{pt.x - wr.left, pt.y - wr.top};
  NcLayout L = Layout(w);
  if (PtInRect(&L.client, p)) return HTCLIENT;
  if (PtInRect(&L.close, p)) return HTCLOSE;
  if (PtInRect(&L.caption, p)) return HTCAPTION;
  if (PtInRect(&L.vscroll, p)) return HTVSCROLL;
  if (PtInRect(&L.hscroll, p)) return HTHSCROLL;
  if (PtInRect(&L.sizebox, p)) return HTGROWBOX;
  if (L.thickFrame) {
    int f = L.frame;
    bool left = p.x < f, right = p.x >= w->Width() - f, top = p.y < f, bottom = p.y >= w->Height() - f;
    if (top && left) return HTTOPLEFT;
    if (top && right) return HTTOPRIGHT;
    if (bottom && left) return HTBOTTOMLEFT;
    if (bottom && right) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
  }
  return HTBORDER;
}

LRESULT CtlColorDefault(HDC hdc, UINT msg) {
  switch (msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(hdc, GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    case WM_CTLCOLORSCROLLBAR:
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_SCROLLBAR));
    default:
      SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(hdc, GetSysColor(COLOR_3DFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_3DFACE));
  }
}

namespace {

// Moves a window by its caption while the left button is down.
void TrackMove(Wnd* w, POINT start) {
  HWND h = w->handle;
  RECT r0 = w->rcWindow;
  SetCapture(h);
  for (;;) {
    MSG m;
    BOOL got = GetMessageA(&m, nullptr, WM_MOUSEFIRST, WM_MOUSELAST);
    if (got <= 0 || !IsWindow(h)) break;
    if (m.message == WM_LBUTTONUP) break;
    if (m.message == WM_MOUSEMOVE) {
      SetWindowPos(h, nullptr, r0.left + m.pt.x - start.x, r0.top + m.pt.y - start.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      UpdateWindow(h);
    }
  }
  if (GetCapture() == h) ReleaseCapture();
}

// ---------------------------------------------------------------- messages
// The client area inside the frame of the size being given, not the size
// the window has.
LRESULT OnNcCalcSize(Wnd* w, NCCALCSIZE_PARAMS* p) {
  if (!p) return 0;
  RECT win = p->rgrc[0];
  RECT saved = w->rcWindow;
  w->rcWindow = win;
  NcLayout L = Layout(w);
  w->rcWindow = saved;
  p->rgrc[0] = L.client;
  OffsetRect(&p->rgrc[0], win.left, win.top);
  return 0;
}

LRESULT OnNcPaint(Wnd* w) {
  HDC hdc = KyUserGetDC(w->handle, FALSE);
  if (hdc) {
    DrawFrame(w, hdc);
    KyUserReleaseDC(w->handle, hdc);
  }
  return 0;
}

// The close box closes, the caption moves, the bars scroll.
LRESULT OnNcLButtonDown(Wnd* w, WPARAM ht, LPARAM lp) {
  POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  if (ht == HTCLOSE) {
    SendMessageA(w->handle, WM_SYSCOMMAND, SC_CLOSE, lp);
  } else if (ht == HTCAPTION) {
    TrackMove(w, pt);
  } else if (ht == HTVSCROLL || ht == HTHSCROLL) {
    TrackWindowScrollBar(w, ht == HTVSCROLL ? SB_VERT : SB_HORZ, pt);
  }
  return 0;
}

// A caption shows the text and the active state: its frame is drawn anew.
void CaptionChanged(Wnd* w) {
  if ((w->style & WS_CAPTION) == WS_CAPTION) {
    w->frameDirty = true;
    MarkScreenDirty();
  }
}

LRESULT OnSetText(Wnd* w, const char* text) {
  w->text = text ? text : "";
  CaptionChanged(w);
  return TRUE;
}

LRESULT OnGetText(Wnd* w, int cch, char* buf) {
  if (!buf || cch <= 0) return 0;
  int len = std::min<int>(static_cast<int>(w->text.size()), cch - 1);
  memcpy(buf, w->text.data(), len);
  buf[len] = 0;
  return len;
}

// The class brush; a value up to COLOR_INFOBK + 1 names a system colour.
LRESULT OnEraseBkgnd(Wnd* w, HDC hdc) {
  HBRUSH br = w->cls ? w->cls->hbrBackground : nullptr;
  if (!br) return 0;
  uintptr_t v = reinterpret_cast<uintptr_t>(br);
  if (v > 0 && v <= COLOR_INFOBK + 1) br = GetSysColorBrush(static_cast<int>(v - 1));
  RECT rc{0, 0, w->ClientWidth(), w->ClientHeight()};
  FillRect(hdc, &rc, br);
  return 1;
}

// A child asks its parent first; the client area has the class cursor, the
// sizing borders their arrows.
LRESULT OnSetCursor(Wnd* w, WPARAM wp, LPARAM lp) {
  int ht = static_cast<short>(LOWORD(lp));
  if (ht == HTCLIENT || ht == HTERROR) {
    if (w->IsChild() && w->parent && w->parent != Desktop() && SendMessageA(w->parent->handle, WM_SETCURSOR, wp, lp))
      return TRUE;
  }
  if (ht == HTERROR) {
    MessageBeep(0);
    return FALSE;
  }
  if (ht == HTCLIENT) {
    if (w->cls && w->cls->hCursor) SetCursor(w->cls->hCursor);
    return w->cls && w->cls->hCursor ? TRUE : FALSE;
  }
  LPCSTR shape = IDC_ARROW;
  if (ht == HTLEFT || ht == HTRIGHT) shape = IDC_SIZEWE;
  if (ht == HTTOP || ht == HTBOTTOM) shape = IDC_SIZENS;
  if (ht == HTTOPLEFT || ht == HTBOTTOMRIGHT) shape = IDC_SIZENWSE;
  if (ht == HTTOPRIGHT || ht == HTBOTTOMLEFT) shape = IDC_SIZENESW;
  SetCursor(LoadCursorA(nullptr, shape));
  return TRUE;
}

bool HasParentWindow(Wnd* w) { return w->IsChild() && w->parent && w->parent != Desktop(); }

LRESULT OnMouseActivate(Wnd* w, WPARAM wp, LPARAM lp) {
  if (HasParentWindow(w)) {
    LRESULT r = SendMessageA(w->parent->handle, WM_MOUSEACTIVATE, wp, lp);
    if (r) return r;
  }
  return MA_ACTIVATE;
}

LRESULT OnWindowPosChanged(Wnd* w, const WINDOWPOS* pos) {
  if (pos && !(pos->flags & SWP_NOSIZE))
    SendMessageA(w->handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->ClientWidth(), w->ClientHeight()));
  if (pos && !(pos->flags & SWP_NOMOVE))
    SendMessageA(w->handle, WM_MOVE, 0,
                 MAKELPARAM(w->rcWindow.left + w->rcClient.left, w->rcWindow.top + w->rcClient.top));
  return 0;
}

LRESULT OnSetIcon(Wnd* w, WPARAM big, LPARAM icon) {
  HANDLE old = GetPropA(w->handle, big ? "KyIconBig" : "KyIconSmall");
  SetPropA(w->handle, big ? "KyIconBig" : "KyIconSmall", reinterpret_cast<HANDLE>(icon));
  return reinterpret_cast<LRESULT>(old);
}

}  // namespace

}  // namespace kyuser

using namespace kyuser;

LRESULT DefWindowProcA(HWND hWnd, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FromHandleQuiet(hWnd);
  if (!w) return 0;
  if (IsCtlColor(msg)) return CtlColorDefault(reinterpret_cast<HDC>(wp), msg);
  switch (msg) {
    case WM_NCCREATE:
      w->hscroll.shown = (w->style & WS_HSCROLL) != 0;
      w->vscroll.shown = (w->style & WS_VSCROLL) != 0;
      return TRUE;
    case WM_NCCALCSIZE: return OnNcCalcSize(w, reinterpret_cast<NCCALCSIZE_PARAMS*>(lp));
    case WM_NCHITTEST: return NcHitTest(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    case WM_NCPAINT: return OnNcPaint(w);
    case WM_NCACTIVATE: CaptionChanged(w); return TRUE;
    case WM_NCLBUTTONDOWN: return OnNcLButtonDown(w, wp, lp);
    case WM_NCLBUTTONDBLCLK:
      if (wp == HTVSCROLL || wp == HTHSCROLL)
        TrackWindowScrollBar(w, wp == HTVSCROLL ? SB_VERT : SB_HORZ, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0) == SC_CLOSE) SendMessageA(hWnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    case WM_SETTEXT: return OnSetText(w, reinterpret_cast<const char*>(lp));
    case WM_GETTEXT: return OnGetText(w, static_cast<int>(wp), reinterpret_cast<char*>(lp));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_PAINT: return PaintControl(w, [](HDC) {});
    case WM_ERASEBKGND: return OnEraseBkgnd(w, reinterpret_cast<HDC>(wp));
    case WM_SETCURSOR: return OnSetCursor(w, wp, lp);
    case WM_MOUSEACTIVATE: return OnMouseActivate(w, wp, lp);
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && !(w->style & WS_MINIMIZE)) SetFocus(hWnd);
      return 0;
    case WM_WINDOWPOSCHANGED: return OnWindowPosChanged(w, reinterpret_cast<WINDOWPOS*>(lp));
    case WM_SETREDRAW:
      w->redraw = wp != 0;
      if (w->redraw) MarkScreenDirty();
      return 0;
    case WM_SETFONT:
      w->font = reinterpret_cast<HFONT>(wp);
      if (LOWORD(lp)) InvalidateRect(hWnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(w->font);
    case WM_CANCELMODE:
      if (GetCapture() == hWnd) ReleaseCapture();
      return 0;
    case WM_SYSKEYDOWN:
      if (wp == VK_F4 && (lp & (1 << 29))) SendMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL: return HasParentWindow(w) ? SendMessageA(w->parent->handle, msg, wp, lp) : 0;
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: return -1;
    case WM_SETICON: return OnSetIcon(w, wp, lp);
    case WM_GETICON: return reinterpret_cast<LRESULT>(GetPropA(hWnd, wp ? "KyIconBig" : "KyIconSmall"));
  }
  return 0;
}

LRESULT CALLBACK kyuser::DesktopProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_NCCALCSIZE) return 0;
  return DefWindowProcA(h, m, w, l);
}
