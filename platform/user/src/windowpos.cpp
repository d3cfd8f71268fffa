// Moving, sizing, z-order and showing windows.
#include <algorithm>

#include "wnd.h"

using namespace kyuser;

namespace {

void Restack(Wnd* w, HWND after) {
  Wnd* p = w->parent;
  if (!p) return;
  auto& sib = p->children;
  sib.erase(std::remove(sib.begin(), sib.end(), w), sib.end());
  if (after == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
  if (after == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
  auto firstPlain = [&]() {
    auto it = sib.begin();
    if (p == Desktop() && !(w->exStyle & WS_EX_TOPMOST))
      while (it != sib.end() && ((*it)->exStyle & WS_EX_TOPMOST)) ++it;
    return it;
  };
  if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    sib.insert(firstPlain(), w);
  } else if (after == HWND_BOTTOM) {
    sib.push_back(w);
  } else {
    Wnd* a = FromHandleQuiet(after);
    auto it = std::find(sib.begin(), sib.end(), a);
    if (it == sib.end())
      sib.insert(firstPlain(), w);
    else
      sib.insert(it + 1, w);
  }
}

}  // namespace

BOOL SetWindowPos(HWND hWnd, HWND after, int x, int y, int cx, int cy, UINT flags) {
  Wnd* w = FromHandle(hWnd);
  if (!w || w == Desktop()) return FALSE;
  WndRef keep(w);
  WINDOWPOS wp{hWnd, after, x, y, cx, cy, flags};
  if (flags & SWP_NOMOVE) {
    wp.x = w->rcWindow.left;
    wp.y = w->rcWindow.top;
  }
  if (flags & SWP_NOSIZE) {
    wp.cx = w->Width();
    wp.cy = w->Height();
  }
  if (!(flags & SWP_NOSENDCHANGING)) Send(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
  if (w->dead) return FALSE;
  wp.cx = std::max(wp.cx, 0);
  wp.cy = std::max(wp.cy, 0);
  RECT old = w->rcWindow;
  RECT next{wp.x, wp.y, wp.x + wp.cx, wp.y + wp.cy};
  bool moved = old.left != next.left || old.top != next.top;
  bool sized = (old.right - old.left) != wp.cx || (old.bottom - old.top) != wp.cy;
  w->rcWindow = next;
  if (!(wp.flags & SWP_NOZORDER)) Restack(w, wp.hwndInsertAfter);
  if (sized || (wp.flags & SWP_FRAMECHANGED)) {
    RecalcClient(w);
    w->frameDirty = true;
    if (!(wp.flags & SWP_NOREDRAW)) InvalidateRect(hWnd, nullptr, TRUE);
  }
  if (wp.flags & SWP_SHOWWINDOW) {
    if (!(w->style & WS_VISIBLE)) {
      w->style |= WS_VISIBLE;
      w->frameDirty = true;
      InvalidateRect(hWnd, nullptr, TRUE);
    }
  } else if (wp.flags & SWP_HIDEWINDOW) {
    w->style &= ~WS_VISIBLE;
  }
  MarkScreenDirty();
  // A visible top-level window is activated (and so takes the focus) unless
  // the caller asks SWP_NOACTIVATE, as on the home platform.
  if (!(wp.flags & SWP_NOACTIVATE) && !w->IsChild() && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED) &&
      GetActiveWindow() != hWnd)
    SetActiveWindow(hWnd);
  if (w->dead) return FALSE;
  Send(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
  (void)moved;
  return TRUE;
}

BOOL MoveWindow(HWND hWnd, int x, int y, int cx, int cy, BOOL bRepaint) {
  return SetWindowPos(hWnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hWnd) { return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL ShowWindow(HWND hWnd, int cmd) {
  Wnd* w = FromHandle(hWnd);
  if (!w || w == Desktop()) return FALSE;
  WndRef keep(w);
  BOOL wasVisible = (w->style & WS_VISIBLE) != 0;
  bool show = cmd != SW_HIDE && cmd != SW_MINIMIZE;
  if (show == static_cast<bool>(wasVisible)) {
    if (show && !w->IsChild() && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE && cmd != SW_SHOWMINNOACTIVE)
      SetActiveWindow(hWnd);
    return wasVisible;
  }
  Send(w, WM_SHOWWINDOW, show, 0);
  if (w->dead) return wasVisible;
  if (show) {
    w->style |= WS_VISIBLE;
    w->frameDirty = true;
    InvalidateRect(hWnd, nullptr, TRUE);
    MarkScreenDirty();
    if (!w->IsChild() && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE && cmd != SW_SHOWMINNOACTIVE)
      SetActiveWindow(hWnd);
  } else {
    HWND focus = GetFocus();
    bool hadFocus = focus == hWnd || IsChild(hWnd, focus);
    w->style &= ~WS_VISIBLE;
    MarkScreenDirty();
    if (GetCapture() == hWnd) ReleaseCapture();
    if (!w->IsChild() && GetActiveWindow() == hWnd) {
      // Activate the owner, else the next visible top-level window.
      HWND next = nullptr;
      if (w->owner && IsWindowVisible(w->owner->handle) && IsWindowEnabled(w->owner->handle))
        next = w->owner->handle;
      if (!next)
        for (Wnd* t : Desktop()->children)
          if (t != w && (t->style & WS_VISIBLE) && !(t->style & WS_DISABLED)) {
            next = t->handle;
            break;
          }
      SetActiveWindow(next);
    } else if (hadFocus) {
      SetFocusInternal(w->parent && w->parent != Desktop() ? w->parent : nullptr);
    }
  }
  return wasVisible;
}

BOOL AdjustWindowRectEx(LPRECT r, DWORD style, BOOL bMenu, DWORD exStyle) {
  if (!r) return FALSE;
  int b = 0;
  if (exStyle & WS_EX_CLIENTEDGE) b += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) b += 1;
  if (style & WS_THICKFRAME)
    b += GetSystemMetrics(SM_CXFRAME);
  else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
    b += GetSystemMetrics(SM_CXDLGFRAME);
  else if (style & WS_BORDER)
    b += GetSystemMetrics(SM_CXBORDER);
  InflateRect(r, b, b);
  if ((style & WS_CAPTION) == WS_CAPTION) r->top -= GetSystemMetrics(SM_CYCAPTION);
  if (bMenu) r->top -= GetSystemMetrics(SM_CYMENU);
  return TRUE;
}
