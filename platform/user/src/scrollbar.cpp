// Scroll bars: the ones in a window's frame (SB_HORZ, SB_VERT), the
// "ScrollBar" control (SB_CTL), their drawing and their mouse tracking, and
// DrawFrameControl, whose arrows they use.
//
//   [<][::::::[ thumb ]::::::::::][>]
//    up  page up   thumb  page down  down
//
// The thumb's length is the track's times nPage over the range (at least 8
// pixels), or a square without a page; its offset is pos over the positions
// the thumb can take, nMax - max(nPage, 1) + 1 being the last.
#include <algorithm>

#include "ctlutil.h"
#include "wnd.h"

namespace kyuser {
namespace {

struct SbGeom {
  RECT up{}, down{}, track{}, thumb{};
  bool vert = true;
  bool enabled = false;
};

int LastPos(const ScrollBarState& s) {
  int last = s.nMax - std::max<int>(static_cast<int>(s.nPage), 1) + 1;
  return std::max(last, s.nMin);
}

SbGeom Geometry(RECT r, bool vert, const ScrollBarState& s) {
  SbGeom g;
  g.vert = vert;
  int len = vert ? r.bottom - r.top : r.right - r.left;
  int breadth = vert ? r.right - r.left : r.bottom - r.top;
  int arrow = std::min(breadth, len / 2);
  if (vert) {
    g.up = RECT{r.left, r.top, r.right, r.top + arrow};
    g.down = RECT{r.left, r.bottom - arrow, r.right, r.bottom};
    g.track = RECT{r.left, r.top + arrow, r.right, r.bottom - arrow};
  } else {
    g.up = RECT{r.left, r.top, r.left + arrow, r.bottom};
    g.down = RECT{r.right - arrow, r.top, r.right, r.bottom};
    g.track = RECT{r.left + arrow, r.top, r.right - arrow, r.bottom};
  }
  int range = s.nMax - s.nMin + 1;
  g.enabled = !s.disabled && s.nMax > s.nMin && (s.nPage == 0 || static_cast<int>(s.nPage) < range);
  int trackLen = vert ? g.track.bottom - g.track.top : g.track.right - g.track.left;
  if (!g.enabled || trackLen < 8) return g;
  int thumb = s.nPage ? std::max(8, static_cast<int>(static_cast<long long>(trackLen) * s.nPage / range)) : breadth;
  thumb = std::min(thumb, trackLen);
  int last = LastPos(s);
  int off = last > s.nMin
                ? static_cast<int>(static_cast<long long>(trackLen - thumb) * (s.nPos - s.nMin) / (last - s.nMin))
                : 0;
  if (vert)
    g.thumb = RECT{r.left, g.track.top + off, r.right, g.track.top + off + thumb};
  else
    g.thumb = RECT{g.track.left + off, r.top, g.track.left + off + thumb, r.bottom};
  return g;
}

void DrawBar(HDC hdc, RECT r, bool vert, const ScrollBarState& s) {
  SbGeom g = Geometry(r, vert, s);
  UINT inactive = g.enabled ? 0 : DFCS_INACTIVE;
  DrawFrameControl(hdc, &g.up, DFC_SCROLL, (vert ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | inactive);
  DrawFrameControl(hdc, &g.down, DFC_SCROLL, (vert ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | inactive);
  FillRect(hdc, &g.track, GetSysColorBrush(COLOR_3DLIGHT));
  if (!IsRectEmpty(&g.thumb)) {
    RECT t = g.thumb;
    FillRect(hdc, &t, GetSysColorBrush(COLOR_3DFACE));
    DrawEdge(hdc, &t, EDGE_RAISED, BF_RECT);
  }
}

ScrollBarState* StateOf(Wnd* w, int bar) {
  if (bar == SB_HORZ) return &w->hscroll;
  if (bar == SB_VERT) return &w->vscroll;
  if (bar == SB_CTL && w->cls && w->cls->upperName == "SCROLLBAR") return (w->style & SBS_VERT) ? &w->vscroll : &w->hscroll;
  return nullptr;
}

// The bar's rectangle in screen coordinates.
RECT BarScreenRect(Wnd* w, int bar) {
  if (bar == SB_CTL) return ScreenClientRect(w);
  NcLayout L = Layout(w);
  RECT r = bar == SB_VERT ? L.vscroll : L.hscroll;
  RECT wr = ScreenWindowRect(w);
  OffsetRect(&r, wr.left, wr.top);
  return r;
}

void RedrawBar(Wnd* w, int bar) {
  if (bar == SB_CTL) {
    InvalidateRect(w->handle, nullptr, FALSE);
  } else {
    w->frameDirty = true;
    MarkScreenDirty();
  }
}

void SendScroll(Wnd* w, int bar, int code, int pos) {
  bool vert = bar == SB_VERT || (bar == SB_CTL && (w->style & SBS_VERT));
  UINT msg = vert ? WM_VSCROLL : WM_HSCROLL;
  WPARAM wp = MAKEWPARAM(code, pos);
  if (bar == SB_CTL) {
    if (w->parent && w->parent != Desktop()) Send(w->parent, msg, wp, reinterpret_cast<LPARAM>(w->handle));
  } else {
    Send(w, msg, wp, 0);
  }
}

void Track(Wnd* w, int bar, POINT pt) {
  ScrollBarState* s = StateOf(w, bar);
  if (!s) return;
  HWND h = w->handle;
  bool vert = bar == SB_VERT || (bar == SB_CTL && (w->style & SBS_VERT));
  SbGeom g = Geometry(BarScreenRect(w, bar), vert, *s);
  if (!g.enabled) return;
  int code = -1;
  bool thumb = false;
  if (PtInRect(&g.up, pt))
    code = SB_LINEUP;
  else if (PtInRect(&g.down, pt))
    code = SB_LINEDOWN;
  else if (PtInRect(&g.thumb, pt))
    thumb = true;
  else if (PtInRect(&g.track, pt))
    code = (vert ? pt.y < g.thumb.top : pt.x < g.thumb.left) ? SB_PAGEUP : SB_PAGEDOWN;
  else
    return;
  WndRef keep(w);
  HWND oldCapture = SetCapture(h);
  (void)oldCapture;
  if (!thumb) SendScroll(w, bar, code, 0);
  int grab = vert ? pt.y - g.thumb.top : pt.x - g.thumb.left;
  int trackPos = s->nPos;
  for (;;) {
    MSG m;
    BOOL got = GetMessageA(&m, nullptr, WM_MOUSEFIRST, WM_MOUSELAST);
    if (got <= 0 || !IsWindow(h)) break;
    if (m.message == WM_LBUTTONUP) break;
    if (m.message == WM_MOUSEMOVE && thumb) {
      int trackLen = vert ? g.track.bottom - g.track.top : g.track.right - g.track.left;
      int thumbLen = vert ? g.thumb.bottom - g.thumb.top : g.thumb.right - g.thumb.left;
      int p = (vert ? m.pt.y - g.track.top : m.pt.x - g.track.left) - grab;
      int span = std::max(1, trackLen - thumbLen);
      p = std::clamp(p, 0, span);
      int last = LastPos(*s);
      trackPos = s->nMin + static_cast<int>((static_cast<long long>(p) * (last - s->nMin) + span / 2) / span);
      s->nTrackPos = trackPos;
      SendScroll(w, bar, SB_THUMBTRACK, trackPos);
    }
  }
  if (!IsWindow(h)) return;
  if (GetCapture() == h) ReleaseCapture();
  if (thumb) SendScroll(w, bar, SB_THUMBPOSITION, trackPos);
  SendScroll(w, bar, SB_ENDSCROLL, 0);
}

void ShowBarIfNeeded(Wnd* w, int bar, bool keepShown) {
  if (bar != SB_HORZ && bar != SB_VERT) return;
  ScrollBarState& s = bar == SB_VERT ? w->vscroll : w->hscroll;
  bool need = s.nMax > s.nMin && (s.nPage == 0 || static_cast<int>(s.nPage) <= s.nMax - s.nMin);
  bool show = need || keepShown;
  DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
  if (show == ((w->style & bit) != 0)) return;
  ShowScrollBar(w->handle, bar, show);
}

}  // namespace

void DrawWindowScrollBars(Wnd* w, HDC hdc) {
  NcLayout L = Layout(w);
  if (!IsRectEmpty(&L.vscroll)) DrawBar(hdc, L.vscroll, true, w->vscroll);
  if (!IsRectEmpty(&L.hscroll)) DrawBar(hdc, L.hscroll, false, w->hscroll);
  if (!IsRectEmpty(&L.sizebox)) FillRect(hdc, &L.sizebox, GetSysColorBrush(COLOR_3DFACE));
}

void TrackWindowScrollBar(Wnd* w, int bar, POINT pt) { Track(w, bar, pt); }

// A bar control draws its own state, looking disabled with the window.
static void PaintBar(Wnd* w, int bar, HDC hdc) {
  RECT r{0, 0, w->ClientWidth(), w->ClientHeight()};
  ScrollBarState s = *StateOf(w, bar);
  if (w->style & WS_DISABLED) s.disabled = true;
  DrawBar(hdc, r, (w->style & SBS_VERT) != 0, s);
}

LRESULT CALLBACK ScrollBarProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FromHandleQuiet(h);
  if (!w) return 0;
  int bar = SB_CTL;
  switch (msg) {
    case WM_CREATE:
      w->hscroll = ScrollBarState{};
      w->vscroll = ScrollBarState{};
      return 0;
    case WM_PAINT: return PaintControl(w, [w, bar](HDC hdc) { PaintBar(w, bar, hdc); });
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ClientToScreen(h, &pt);
      Track(w, bar, pt);
      return 0;
    }
    case WM_ENABLE:
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN: {
      int code = -1;
      switch (wp) {
        case VK_UP:
        case VK_LEFT:
          code = SB_LINEUP;
          break;
        case VK_DOWN:
        case VK_RIGHT:
          code = SB_LINEDOWN;
          break;
        case VK_PRIOR:
          code = SB_PAGEUP;
          break;
        case VK_NEXT:
          code = SB_PAGEDOWN;
          break;
        case VK_HOME:
          code = SB_TOP;
          break;
        case VK_END:
          code = SB_BOTTOM;
          break;
      }
      if (code >= 0) {
        SendScroll(w, bar, code, 0);
        SendScroll(w, bar, SB_ENDSCROLL, 0);
      }
      return 0;
    }
    case SBM_SETPOS:
      return SetScrollPos(h, SB_CTL, static_cast<int>(wp), static_cast<BOOL>(lp));
    case SBM_GETPOS:
      return GetScrollPos(h, SB_CTL);
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
      return SetScrollRange(h, SB_CTL, static_cast<int>(wp), static_cast<int>(lp), msg == SBM_SETRANGEREDRAW);
    case SBM_GETRANGE:
      return GetScrollRange(h, SB_CTL, reinterpret_cast<LPINT>(wp), reinterpret_cast<LPINT>(lp));
    case SBM_SETSCROLLINFO:
      return SetScrollInfo(h, SB_CTL, reinterpret_cast<LPCSCROLLINFO>(lp), static_cast<BOOL>(wp));
    case SBM_GETSCROLLINFO:
      return GetScrollInfo(h, SB_CTL, reinterpret_cast<LPSCROLLINFO>(lp));
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace kyuser

using namespace kyuser;

int SetScrollInfo(HWND hWnd, int bar, LPCSCROLLINFO si, BOOL redraw) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return 0;
  ScrollBarState* s = StateOf(w, bar);
  if (!s || !si) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (si->fMask & SIF_RANGE) {
    s->nMin = si->nMin;
    s->nMax = std::max(si->nMax, si->nMin);
  }
  if (si->fMask & SIF_PAGE) s->nPage = std::min<UINT>(si->nPage, static_cast<UINT>(s->nMax - s->nMin + 1));
  if (si->fMask & SIF_POS) s->nPos = si->nPos;
  s->nPos = std::clamp(s->nPos, s->nMin, LastPos(*s));
  ShowBarIfNeeded(w, bar, (si->fMask & SIF_DISABLENOSCROLL) != 0);
  if (redraw) RedrawBar(w, bar);
  return s->nPos;
}

BOOL GetScrollInfo(HWND hWnd, int bar, LPSCROLLINFO si) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return FALSE;
  ScrollBarState* s = StateOf(w, bar);
  if (!s || !si) {
    SetLastError(ERROR_NO_SCROLLBARS);
    return FALSE;
  }
  if (bar != SB_CTL && !(w->style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) && s->nMax == 100 &&
      s->nMin == 0 && s->nPos == 0 && s->nPage == 0) {
    // A window that never had this scroll bar.
    SetLastError(ERROR_NO_SCROLLBARS);
    return FALSE;
  }
  if (si->fMask & SIF_RANGE) {
    si->nMin = s->nMin;
    si->nMax = s->nMax;
  }
  if (si->fMask & SIF_PAGE) si->nPage = s->nPage;
  if (si->fMask & SIF_POS) si->nPos = s->nPos;
  if (si->fMask & SIF_TRACKPOS) si->nTrackPos = s->nTrackPos;
  return TRUE;
}

int SetScrollPos(HWND hWnd, int bar, int pos, BOOL redraw) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return 0;
  ScrollBarState* s = StateOf(w, bar);
  if (!s) return 0;
  int old = s->nPos;
  s->nPos = std::clamp(pos, s->nMin, LastPos(*s));
  if (redraw) RedrawBar(w, bar);
  return old;
}

int GetScrollPos(HWND hWnd, int bar) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return 0;
  ScrollBarState* s = StateOf(w, bar);
  return s ? s->nPos : 0;
}

BOOL SetScrollRange(HWND hWnd, int bar, int nMin, int nMax, BOOL redraw) {
  SCROLLINFO si{sizeof si, SIF_RANGE, nMin, nMax, 0, 0, 0};
  if (!FromHandle(hWnd)) return FALSE;
  SetScrollInfo(hWnd, bar, &si, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND hWnd, int bar, LPINT pMin, LPINT pMax) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return FALSE;
  ScrollBarState* s = StateOf(w, bar);
  if (!s) return FALSE;
  if (pMin) *pMin = s->nMin;
  if (pMax) *pMax = s->nMax;
  return TRUE;
}

BOOL ShowScrollBar(HWND hWnd, int bar, BOOL show) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return FALSE;
  DWORD bits = bar == SB_HORZ ? WS_HSCROLL : bar == SB_VERT ? WS_VSCROLL : bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : 0;
  if (bar == SB_CTL) return ShowWindow(hWnd, show ? SW_SHOW : SW_HIDE), TRUE;
  DWORD next = show ? (w->style | bits) : (w->style & ~bits);
  if (next == w->style) return TRUE;
  w->style = next;
  SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  SendMessageA(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->ClientWidth(), w->ClientHeight()));
  return TRUE;
}

BOOL EnableScrollBar(HWND hWnd, UINT bar, UINT arrows) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return FALSE;
  ScrollBarState* s = StateOf(w, static_cast<int>(bar));
  if (!s) return FALSE;
  s->disabled = arrows == ESB_DISABLE_BOTH;
  RedrawBar(w, static_cast<int>(bar));
  return TRUE;
}

// ---------------------------------------------------------------- frame controls
namespace {
void Triangle(HDC hdc, RECT r, int dir, COLORREF c) {
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  int s = std::max(2, std::min(r.right - r.left, r.bottom - r.top) / 4);
  POINT p[3];
  switch (dir) {
    case 0:  // up
      p[0] = {cx - s, cy + s / 2};
      p[1] = {cx + s, cy + s / 2};
      p[2] = {cx, cy - s / 2 - 1};
      break;
    case 1:  // down
      p[0] = {cx - s, cy - s / 2};
      p[1] = {cx + s, cy - s / 2};
      p[2] = {cx, cy + s / 2 + 1};
      break;
    case 2:  // left
      p[0] = {cx + s / 2, cy - s};
      p[1] = {cx + s / 2, cy + s};
      p[2] = {cx - s / 2 - 1, cy};
      break;
    default:  // right
      p[0] = {cx - s / 2, cy - s};
      p[1] = {cx - s / 2, cy + s};
      p[2] = {cx + s / 2 + 1, cy};
      break;
  }
  HBRUSH br = CreateSolidBrush(c);
  HPEN pen = CreatePen(PS_SOLID, 1, c);
  HGDIOBJ ob = SelectObject(hdc, br), op = SelectObject(hdc, pen);
  Polygon(hdc, p, 3);
  SelectObject(hdc, ob);
  SelectObject(hdc, op);
  DeleteObject(br);
  DeleteObject(pen);
}
}  // namespace

BOOL DrawFrameControl(HDC hdc, LPRECT lprc, UINT type, UINT state) {
  if (!lprc) return FALSE;
  RECT r = *lprc;
  switch (type) {
    case DFC_SCROLL:
    case DFC_CAPTION: {
      FillRect(hdc, &r, GetSysColorBrush(COLOR_3DFACE));
      RECT e = r;
      if (state & DFCS_PUSHED)
        DrawEdge(hdc, &e, BDR_SUNKENOUTER, BF_RECT | (state & DFCS_FLAT ? BF_FLAT : 0));
      else if (!(state & DFCS_FLAT))
        DrawEdge(hdc, &e, EDGE_RAISED, BF_RECT);
      if (state & DFCS_PUSHED) OffsetRect(&r, 1, 1);
      if (type == DFC_CAPTION) {
        // The close box's cross.
        COLORREF c = GetSysColor(COLOR_BTNTEXT);
        HPEN pen = CreatePen(PS_SOLID, 1, c);
        HGDIOBJ op = SelectObject(hdc, pen);
        int w = r.right - r.left, h = r.bottom - r.top;
        int s = std::min(w, h) / 2 - 2;
        int cx = r.left + w / 2 - 1, cy = r.top + h / 2;
        for (int k = 0; k < 2; ++k) {
          MoveToEx(hdc, cx - s + k, cy - s, nullptr);
          LineTo(hdc, cx + s + k + 1, cy + s + 1);
          MoveToEx(hdc, cx + s + k, cy - s, nullptr);
          LineTo(hdc, cx - s + k - 1, cy + s + 1);
        }
        SelectObject(hdc, op);
        DeleteObject(pen);
        return TRUE;
      }
      int dir = (state & 0x0F) == DFCS_SCROLLCOMBOBOX ? 1 : (state & 0x0F);
      if (state & DFCS_INACTIVE) {
        RECT sh = r;
        OffsetRect(&sh, 1, 1);
        Triangle(hdc, sh, dir, GetSysColor(COLOR_3DHILIGHT));
        Triangle(hdc, r, dir, GetSysColor(COLOR_3DSHADOW));
      } else {
        Triangle(hdc, r, dir, GetSysColor(COLOR_BTNTEXT));
      }
      return TRUE;
    }
    case DFC_BUTTON: {
      if (state & DFCS_BUTTONPUSH) {
        FillRect(hdc, &r, GetSysColorBrush(COLOR_3DFACE));
        DrawEdge(hdc, &r, (state & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        return TRUE;
      }
      bool inactive = (state & DFCS_INACTIVE) != 0;
      HBRUSH fill = GetSysColorBrush((inactive || (state & DFCS_PUSHED)) ? COLOR_3DFACE : COLOR_WINDOW);
      if (state & DFCS_BUTTONRADIO) {
        HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW));
        HGDIOBJ op = SelectObject(hdc, shadow), ob = SelectObject(hdc, fill);
        Ellipse(hdc, r.left, r.top, r.right, r.bottom);
        SelectObject(hdc, op);
        SelectObject(hdc, ob);
        DeleteObject(shadow);
        if (state & DFCS_CHECKED) {
          HBRUSH dot = GetSysColorBrush(inactive ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
          HGDIOBJ ob2 = SelectObject(hdc, dot);
          HGDIOBJ op2 = SelectObject(hdc, GetStockObject(NULL_PEN));
          int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
          Ellipse(hdc, cx - 2, cy - 2, cx + 3, cy + 3);
          SelectObject(hdc, ob2);
          SelectObject(hdc, op2);
        }
        return TRUE;
      }
      RECT box = r;
      DrawEdge(hdc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
      FillRect(hdc, &box, fill);
      if (state & DFCS_CHECKED) {
        // A check mark of three strokes, 7 pixels wide.
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(inactive ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        HGDIOBJ op = SelectObject(hdc, pen);
        int x = box.left + (box.right - box.left - 7) / 2, y = box.top + (box.bottom - box.top - 7) / 2 + 2;
        for (int k = 0; k < 3; ++k) {
          MoveToEx(hdc, x, y + k, nullptr);
          LineTo(hdc, x + 2, y + 2 + k);
          LineTo(hdc, x + 7, y - 3 + k);
        }
        SelectObject(hdc, op);
        DeleteObject(pen);
      }
      return TRUE;
    }
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

