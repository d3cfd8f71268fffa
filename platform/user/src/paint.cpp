// Invalidation, painting and the screen's composition.
//
// Each window keeps what it shows in bitmaps of its own: the client area in
// one, and, when it has a frame (border, caption, scroll bars), the whole
// window in another. Painting draws there, at the window's own origin, so
// no DC ever carries an offset that a window procedure could disturb with
// SetViewportOrgEx. The screen is then composed from those bitmaps, bottom
// window first and each window's children over its client area:
//
//   screen <- desktop colour
//   for each top-level window, bottom to top:
//     frame bitmap (whole window), client bitmap (client rectangle),
//     then its children, bottom to top, clipped to the client rectangle
//
// Windows that must let what is under them show (group boxes and windows
// with WS_EX_TRANSPARENT) have their bitmaps cleared to a key colour before
// each paint, and pixels of that colour are skipped.
#include <algorithm>
#include <cstring>
#include <map>

#include "winscreen.h"
#include "wnd.h"

namespace kyuser {
namespace {

constexpr DWORD kKey = 0x00FE00FE;  // RGB(254, 0, 254), a colour no control paints

bool g_dirty = true;

struct DCRecord {
  HWND hwnd;
};
std::map<HDC, DCRecord>& WindowDCs() {
  static auto* m = new std::map<HDC, DCRecord>();
  return *m;
}

bool IsSeeThrough(const Wnd* w) {
  if (w->exStyle & WS_EX_TRANSPARENT) return true;
  return w->cls && w->cls->upperName == "BUTTON" && (w->style & BS_TYPEMASK) == BS_GROUPBOX;
}

HBITMAP MakeSurface(int cx, int cy, DWORD** bits) {
  *bits = nullptr;
  if (cx <= 0 || cy <= 0) return nullptr;
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = cx;
  bmi.bmiHeader.biHeight = -cy;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* p = nullptr;
  HBITMAP h = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &p, nullptr, 0);
  *bits = static_cast<DWORD*>(p);
  if (h && p) {
    DWORD fill = GetSysColor(COLOR_BTNFACE);
    DWORD px = ((fill & 0xFF) << 16) | (fill & 0xFF00) | ((fill >> 16) & 0xFF);
    for (size_t i = 0; i < static_cast<size_t>(cx) * cy; ++i) (*bits)[i] = px;
  }
  return h;
}

bool HasFrame(const Wnd* w) {
  return w->rcClient.left != 0 || w->rcClient.top != 0 || w->rcClient.right != w->Width() ||
         w->rcClient.bottom != w->Height();
}

void FillKey(DWORD* bits, int stride, int height, RECT r) {
  r.left = std::max<LONG>(r.left, 0);
  r.top = std::max<LONG>(r.top, 0);
  r.right = std::min<LONG>(r.right, stride);
  r.bottom = std::min<LONG>(r.bottom, height);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) bits[static_cast<size_t>(y) * stride + x] = kKey;
}

// Copies src (w x h at screen position org) into the screen inside clip.
void Blit(KyScreen& s, const DWORD* src, int w, int h, POINT org, RECT clip, bool keyed) {
  if (!src) return;
  RECT full{0, 0, s.Width(), s.Height()};
  RECT area{org.x, org.y, org.x + w, org.y + h};
  RECT r;
  if (!IntersectRect(&r, &area, &clip) || !IntersectRect(&r, &r, &full)) return;
  DWORD* dst = s.Pixels();
  for (int y = r.top; y < r.bottom; ++y) {
    const DWORD* sp = src + static_cast<size_t>(y - org.y) * w + (r.left - org.x);
    DWORD* dp = dst + static_cast<size_t>(y) * s.Width() + r.left;
    if (!keyed) {
      memcpy(dp, sp, sizeof(DWORD) * (r.right - r.left));
    } else {
      for (int x = 0; x < r.right - r.left; ++x)
        if ((sp[x] & 0x00FFFFFF) != kKey) dp[x] = sp[x];
    }
  }
}

void ComposeTree(KyScreen& s, Wnd* w, RECT clip) {
  if (!(w->style & WS_VISIBLE)) return;
  RECT wr = ScreenWindowRect(w);
  RECT visible;
  if (!IntersectRect(&visible, &wr, &clip)) return;
  bool keyed = IsSeeThrough(w);
  if (w->frameBits) Blit(s, w->frameBits, w->Width(), w->Height(), POINT{wr.left, wr.top}, visible, keyed);
  RECT cr = ScreenClientRect(w);
  RECT cvis;
  if (!IntersectRect(&cvis, &cr, &visible)) return;
  Blit(s, w->clientBits, w->ClientWidth(), w->ClientHeight(), POINT{cr.left, cr.top}, cvis, keyed);
  for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) ComposeTree(s, *it, cvis);
}

bool FindPaintIn(Wnd* w, MSG* msg) {
  if (!(w->style & WS_VISIBLE)) return false;
  if (w->frameDirty && w->redraw) {
    w->frameDirty = false;
    if (HasFrame(w)) {
      HWND h = w->handle;
      Send(w, WM_NCPAINT, 1, 0);
      if (!FromHandleQuiet(h)) return false;
      MarkScreenDirty();
    }
  }
  if (w->updateRgn && w->redraw) {
    *msg = MSG{w->handle, WM_PAINT, 0, 0, KyScreen::Get().Now(), KyScreen::Get().CursorPos()};
    return true;
  }
  std::vector<Wnd*> kids = w->children;
  for (Wnd* c : kids)
    if (!c->dead && FindPaintIn(c, msg)) return true;
  return false;
}

void AddUpdate(Wnd* w, const RECT* rc, HRGN rgn, bool erase) {
  RECT client{0, 0, w->ClientWidth(), w->ClientHeight()};
  HRGN add = nullptr;
  if (rgn) {
    add = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(add, rgn, nullptr, RGN_COPY);
    HRGN clip = CreateRectRgnIndirect(&client);
    CombineRgn(add, add, clip, RGN_AND);
    DeleteObject(clip);
  } else {
    RECT r = client;
    if (rc && !IntersectRect(&r, rc, &client)) return;
    if (IsRectEmpty(&r)) return;
    add = CreateRectRgnIndirect(&r);
  }
  RECT box;
  if (GetRgnBox(add, &box) == NULLREGION || IsRectEmpty(&box)) {
    DeleteObject(add);
    return;
  }
  if (!w->updateRgn) {
    w->updateRgn = add;
  } else {
    CombineRgn(w->updateRgn, w->updateRgn, add, RGN_OR);
    DeleteObject(add);
  }
  if (erase) w->erase = true;
}

void SubtractUpdate(Wnd* w, const RECT* rc, HRGN rgn) {
  if (!w->updateRgn) return;
  if (!rc && !rgn) {
    DeleteObject(w->updateRgn);
    w->updateRgn = nullptr;
    w->erase = false;
    return;
  }
  HRGN sub = rgn ? rgn : CreateRectRgnIndirect(rc);
  CombineRgn(w->updateRgn, w->updateRgn, sub, RGN_DIFF);
  if (!rgn) DeleteObject(sub);
  RECT box;
  if (GetRgnBox(w->updateRgn, &box) == NULLREGION) {
    DeleteObject(w->updateRgn);
    w->updateRgn = nullptr;
    w->erase = false;
  }
}

}  // namespace

void MarkScreenDirty() { g_dirty = true; }

void EnsureSurfaces(Wnd* w) {
  int cw = w->ClientWidth(), ch = w->ClientHeight();
  BITMAP bm{};
  bool clientOk = w->clientBmp && GetObject(w->clientBmp, sizeof bm, &bm) && bm.bmWidth == cw && bm.bmHeight == ch;
  if (!clientOk) {
    if (w->clientBmp) DeleteObject(w->clientBmp);
    w->clientBmp = MakeSurface(cw, ch, &w->clientBits);
  }
  if (HasFrame(w)) {
    bool frameOk = w->frameBmp && GetObject(w->frameBmp, sizeof bm, &bm) && bm.bmWidth == w->Width() &&
                   bm.bmHeight == w->Height();
    if (!frameOk) {
      if (w->frameBmp) DeleteObject(w->frameBmp);
      w->frameBmp = MakeSurface(w->Width(), w->Height(), &w->frameBits);
      w->frameDirty = true;
    }
  } else if (w->frameBmp) {
    DeleteObject(w->frameBmp);
    w->frameBmp = nullptr;
    w->frameBits = nullptr;
  }
}

HDC CreateWindowDCFor(Wnd* w, bool client) {
  EnsureSurfaces(w);
  HBITMAP target = client ? w->clientBmp : (w->frameBmp ? w->frameBmp : w->clientBmp);
  HDC hdc = CreateCompatibleDC(nullptr);
  if (!hdc) return nullptr;
  if (target) SelectObject(hdc, target);
  // A window of zero size still gets a DC, which draws nothing.
  if (!target) IntersectClipRect(hdc, 0, 0, 0, 0);
  WindowDCs()[hdc] = DCRecord{w->handle};
  return hdc;
}

bool FindPaintWork(MSG* msg) {
  std::vector<Wnd*> tops = Desktop()->children;
  for (Wnd* t : tops)
    if (!t->dead && FindPaintIn(t, msg)) return true;
  return false;
}

void ComposeScreen(bool force) {
  if (!g_dirty && !force) return;
  g_dirty = false;
  KyScreen& s = KyScreen::Get();
  DWORD desk = GetSysColor(COLOR_BACKGROUND);
  DWORD px = ((desk & 0xFF) << 16) | (desk & 0xFF00) | ((desk >> 16) & 0xFF);
  size_t n = static_cast<size_t>(s.Width()) * s.Height();
  DWORD* p = s.Pixels();
  for (size_t i = 0; i < n; ++i) p[i] = px;
  RECT all{0, 0, s.Width(), s.Height()};
  Wnd* d = Desktop();
  for (auto it = d->children.rbegin(); it != d->children.rend(); ++it) ComposeTree(s, *it, all);
  s.Present(all);
}

}  // namespace kyuser

using namespace kyuser;

// The window system's side of GetDC and ReleaseDC on a window.
HDC KyUserGetDC(HWND hWnd, BOOL bClient) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return nullptr;
  return CreateWindowDCFor(w, bClient != FALSE);
}

int KyUserReleaseDC(HWND hWnd, HDC hDC) {
  auto& m = WindowDCs();
  auto it = m.find(hDC);
  if (it == m.end()) return 0;
  m.erase(it);
  DeleteDC(hDC);
  MarkScreenDirty();
  (void)hWnd;
  return 1;
}

HDC GetWindowDC(HWND hWnd) { return KyUserGetDC(hWnd, FALSE); }

namespace {
HDC ClientDCOf(HWND hWnd) { return KyUserGetDC(hWnd, TRUE); }
// GetDC and ReleaseDC of a window, the GDI's calls, come here from the
// moment the window system is loaded.
__attribute__((constructor)) void JoinGdi() { KySetWindowDCProcs(&ClientDCOf, &KyUserReleaseDC); }
}  // namespace

HDC GetDCEx(HWND hWnd, HRGN hrgnClip, DWORD flags) {
  HDC hdc = KyUserGetDC(hWnd, TRUE);
  if (hdc && hrgnClip) SelectClipRgn(hdc, hrgnClip);
  (void)flags;
  return hdc;
}

BOOL InvalidateRect(HWND hWnd, const RECT* rc, BOOL erase) {
  if (!hWnd) {
    for (Wnd* t : Desktop()->children) {
      AddUpdate(t, nullptr, nullptr, true);
      t->frameDirty = true;
    }
    return TRUE;
  }
  Wnd* w = FromHandle(hWnd);
  if (!w) return FALSE;
  if (w == Desktop()) return InvalidateRect(nullptr, rc, erase);
  AddUpdate(w, rc, nullptr, erase != FALSE);
  return TRUE;
}

BOOL InvalidateRgn(HWND hWnd, HRGN rgn, BOOL erase) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return FALSE;
  AddUpdate(w, nullptr, rgn, erase != FALSE);
  return TRUE;
}

BOOL ValidateRect(HWND hWnd, const RECT* rc) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return FALSE;
  SubtractUpdate(w, rc, nullptr);
  return TRUE;
}

BOOL ValidateRgn(HWND hWnd, HRGN rgn) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return FALSE;
  if (!rgn) {
    SubtractUpdate(w, nullptr, nullptr);
    return TRUE;
  }
  SubtractUpdate(w, nullptr, rgn);
  return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, LPRECT r, BOOL) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return FALSE;
  RECT box{0, 0, 0, 0};
  if (w->updateRgn) GetRgnBox(w->updateRgn, &box);
  if (r) *r = box;
  return !IsRectEmpty(&box);
}

int GetUpdateRgn(HWND hWnd, HRGN rgn, BOOL) {
  Wnd* w = FromHandle(hWnd);
  if (!w || !rgn) return ERROR;
  if (!w->updateRgn) {
    SetRectRgn(rgn, 0, 0, 0, 0);
    return NULLREGION;
  }
  return CombineRgn(rgn, w->updateRgn, nullptr, RGN_COPY);
}

BOOL UpdateWindow(HWND hWnd) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return FALSE;
  WndRef keep(w);
  if (w->frameDirty && (w->style & WS_VISIBLE)) {
    w->frameDirty = false;
    if (HasFrame(w)) Send(w, WM_NCPAINT, 1, 0);
  }
  if (!w->dead && w->updateRgn && (w->style & WS_VISIBLE)) {
    Send(w, WM_PAINT, 0, 0);
    if (!w->dead && w->updateRgn) ValidateRect(hWnd, nullptr);
  }
  return TRUE;
}

BOOL RedrawWindow(HWND hWnd, const RECT* rc, HRGN rgn, UINT flags) {
  Wnd* w = hWnd ? FromHandle(hWnd) : Desktop();
  if (!w) return FALSE;
  WndRef keep(w);
  std::vector<Wnd*> targets{w};
  if (flags & RDW_ALLCHILDREN) {
    for (size_t i = 0; i < targets.size(); ++i)
      for (Wnd* c : targets[i]->children) targets.push_back(c);
  }
  for (size_t i = 0; i < targets.size(); ++i) {
    Wnd* t = targets[i];
    if (t == Desktop()) continue;
    const RECT* r = i == 0 ? rc : nullptr;
    HRGN g = i == 0 ? rgn : nullptr;
    if (flags & RDW_INVALIDATE) AddUpdate(t, r, g, (flags & RDW_ERASE) != 0);
    if (flags & RDW_VALIDATE) SubtractUpdate(t, r, g);
    if (flags & RDW_FRAME) t->frameDirty = true;
  }
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
    std::vector<HWND> hs;
    for (Wnd* t : targets)
      if (t != Desktop()) hs.push_back(t->handle);
    for (HWND h : hs) UpdateWindow(h);
  }
  MarkScreenDirty();
  return TRUE;
}

BOOL ScrollWindow(HWND hWnd, int, int, const RECT* rc, const RECT*) {
  // The client's pixels are repainted rather than moved.
  return InvalidateRect(hWnd, rc, TRUE);
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT ps) {
  Wnd* w = FromHandle(hWnd);
  if (!w || !ps) return nullptr;
  WndRef keep(w);
  memset(ps, 0, sizeof *ps);
  if (w->frameDirty && HasFrame(w)) {
    w->frameDirty = false;
    Send(w, WM_NCPAINT, 1, 0);
    if (w->dead) return nullptr;
  }
  RECT box{0, 0, 0, 0};
  HRGN clip = nullptr;
  if (w->updateRgn) {
    GetRgnBox(w->updateRgn, &box);
    clip = w->updateRgn;
    w->updateRgn = nullptr;
  }
  bool erase = w->erase;
  w->erase = false;
  HDC hdc = CreateWindowDCFor(w, true);
  if (!hdc) {
    if (clip) DeleteObject(clip);
    return nullptr;
  }
  if (clip) {
    SelectClipRgn(hdc, clip);
    DeleteObject(clip);
  } else {
    IntersectClipRect(hdc, 0, 0, 0, 0);
  }
  if (IsSeeThrough(w) && w->clientBits) FillKey(w->clientBits, w->ClientWidth(), w->ClientHeight(), box);
  ps->hdc = hdc;
  ps->rcPaint = box;
  ps->fErase = FALSE;
  if (erase) ps->fErase = Send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) ? FALSE : TRUE;
  return hdc;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* ps) {
  if (!ps || !ps->hdc) return FALSE;
  KyUserReleaseDC(hWnd, ps->hdc);
  return TRUE;
}
