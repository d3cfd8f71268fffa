// The "Static" class: text labels, icons, filled and framed rectangles,
// etched lines and owner-drawn statics.
#include "ctlutil.h"

namespace kyuser {
namespace {

struct StaticState : ControlState {
  HICON icon = nullptr;
  HBITMAP bitmap = nullptr;
};

StaticState* State(Wnd* w) { return StateOf<StaticState>(w); }

UINT Type(Wnd* w) { return w->style & SS_TYPEMASK; }

void Paint(Wnd* w, HDC hdc) {
  StaticState* s = State(w);
  RECT r{0, 0, w->ClientWidth(), w->ClientHeight()};
  HGDIOBJ oldFont = SelectObject(hdc, ControlFont(w));
  UINT t = Type(w);
  switch (t) {
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT:
      FillRect(hdc, &r, GetSysColorBrush(t == SS_BLACKRECT ? COLOR_3DDKSHADOW : t == SS_GRAYRECT ? COLOR_3DSHADOW : COLOR_3DHILIGHT));
      break;
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
      FrameRect(hdc, &r, GetSysColorBrush(t == SS_BLACKFRAME ? COLOR_3DDKSHADOW : t == SS_GRAYFRAME ? COLOR_3DSHADOW : COLOR_3DHILIGHT));
      break;
    case SS_ETCHEDHORZ:
      DrawEdge(hdc, &r, EDGE_ETCHED, BF_TOP);
      break;
    case SS_ETCHEDVERT:
      DrawEdge(hdc, &r, EDGE_ETCHED, BF_LEFT);
      break;
    case SS_ETCHEDFRAME:
      DrawEdge(hdc, &r, EDGE_ETCHED, BF_RECT);
      break;
    case SS_OWNERDRAW:
      SendDrawItem(w->parent, ODT_STATIC, static_cast<UINT>(w->id), w->handle, 0, ODA_DRAWENTIRE,
                   (w->style & WS_DISABLED) ? ODS_DISABLED : 0, hdc, r, 0);
      break;
    case SS_ICON: {
      FillRect(hdc, &r, ControlColor(w, hdc, WM_CTLCOLORSTATIC));
      if (s->icon) DrawIconEx(hdc, 0, 0, s->icon, r.right, r.bottom, 0, nullptr, DI_NORMAL);
      break;
    }
    case SS_BITMAP: {
      FillRect(hdc, &r, ControlColor(w, hdc, WM_CTLCOLORSTATIC));
      if (s->bitmap) {
        HDC mem = CreateCompatibleDC(hdc);
        HGDIOBJ ob = SelectObject(mem, s->bitmap);
        BITMAP bm{};
        GetObject(s->bitmap, sizeof bm, &bm);
        BitBlt(hdc, 0, 0, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
        SelectObject(mem, ob);
        DeleteDC(mem);
      }
      break;
    }
    default: {
      HBRUSH br = ControlColor(w, hdc, WM_CTLCOLORSTATIC);
      FillRect(hdc, &r, br);
      UINT fmt = DT_EXPANDTABS;
      if (t == SS_CENTER) fmt |= DT_CENTER | DT_WORDBREAK;
      else if (t == SS_RIGHT) fmt |= DT_RIGHT | DT_WORDBREAK;
      else if (t == SS_SIMPLE || t == SS_LEFTNOWORDWRAP) fmt |= DT_LEFT | DT_SINGLELINE;
      else fmt |= DT_LEFT | DT_WORDBREAK;
      if (w->style & SS_NOPREFIX) fmt |= DT_NOPREFIX;
      if (w->style & SS_CENTERIMAGE) fmt = (fmt & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
      SetBkMode(hdc, TRANSPARENT);
      if (w->style & WS_DISABLED)
        DrawDisabledText(hdc, w->text.c_str(), -1, r, fmt);
      else
        DrawTextA(hdc, w->text.c_str(), -1, &r, fmt);
    }
  }
  if (w->style & SS_SUNKEN) DrawEdge(hdc, &r, BDR_SUNKENOUTER, BF_RECT);
  SelectObject(hdc, oldFont);
}

}  // namespace

LRESULT CALLBACK StaticProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FromHandleQuiet(h);
  if (!w) return 0;
  StaticState* s = State(w);
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
      if (Type(w) == SS_ICON && cs && cs->lpszName) {
        // The title names the icon: a resource of the module, or a system icon.
        s->icon = LoadIconA(w->hInstance, cs->lpszName);
        if (!s->icon) s->icon = LoadIconA(nullptr, cs->lpszName);
        w->text.clear();
      }
      return DefWindowProcA(h, msg, wp, lp);
    }
    case WM_CREATE:
      if (Type(w) == SS_ICON && !(w->style & SS_CENTERIMAGE))
        SetWindowPos(h, nullptr, 0, 0, 32, 32, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    case WM_NCHITTEST:
      if (!(w->style & SS_NOTIFY)) return HTTRANSPARENT;
      break;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: return PaintControl(w, [w](HDC hdc) { Paint(w, hdc); });
    case WM_LBUTTONDOWN:
      if (w->style & SS_NOTIFY) NotifyParent(w, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (w->style & SS_NOTIFY) NotifyParent(w, STN_DBLCLK);
      return 0;
    case WM_ENABLE:
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_SETTEXT: {
      if (Type(w) == SS_ICON) return TRUE;
      LRESULT r = DefWindowProcA(h, msg, wp, lp);
      InvalidateRect(h, nullptr, FALSE);
      return r;
    }
    case STM_SETICON: {
      HICON old = s->icon;
      s->icon = reinterpret_cast<HICON>(wp);
      InvalidateRect(h, nullptr, FALSE);
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETICON:
      return reinterpret_cast<LRESULT>(s->icon);
    case STM_SETIMAGE: {
      LRESULT old;
      if (wp == IMAGE_BITMAP) {
        old = reinterpret_cast<LRESULT>(s->bitmap);
        s->bitmap = reinterpret_cast<HBITMAP>(lp);
      } else {
        old = reinterpret_cast<LRESULT>(s->icon);
        s->icon = reinterpret_cast<HICON>(lp);
      }
      InvalidateRect(h, nullptr, FALSE);
      return old;
    }
    case STM_GETIMAGE:
      return wp == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(s->bitmap) : reinterpret_cast<LRESULT>(s->icon);
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace kyuser
