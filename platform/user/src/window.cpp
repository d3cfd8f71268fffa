// Window classes, the handle table, creation and destruction, the window
// tree and its geometry, and the per-window data calls.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <list>
#include <unordered_map>

#include "ctlutil.h"
#include "wnd.h"

namespace kyuser {
namespace {

struct Registry {
  std::unordered_map<uintptr_t, Wnd*> handles;
  std::list<WndClass> classes;
  uintptr_t nextHandle = 0x10010;
  Wnd desktop;
  KYCREATEHOOK createHook = nullptr;
  KYDESTROYHOOK destroyHook = nullptr;
  bool systemClassesMade = false;
};

Registry& Reg() {
  static Registry* r = new Registry();  // never destroyed, as windows may be destroyed from static destructors
  return *r;
}

std::string Upper(const char* s) {
  std::string u = s ? s : "";
  for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return u;
}

// Class names that are integer atoms ("#32770" or MAKEINTRESOURCE) become names.
std::string ClassKey(LPCSTR name) {
  if (name == nullptr) return "";
  if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<uintptr_t>(name));
  return Upper(name);
}

void DestroyTree(Wnd* w);

}  // namespace

WndRef::WndRef(Wnd* w) : m_w(w) {
  if (m_w) ++m_w->busy;
}
WndRef::~WndRef() {
  if (m_w && --m_w->busy == 0 && m_w->dead) ReleaseRecord(m_w);
}

Wnd* FromHandleQuiet(HWND h) {
  if (h == nullptr) return nullptr;
  auto& map = Reg().handles;
  auto it = map.find(reinterpret_cast<uintptr_t>(h));
  if (it == map.end() || it->second->dead) return nullptr;
  return it->second;
}

Wnd* FromHandle(HWND h) {
  Wnd* w = FromHandleQuiet(h);
  if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

Wnd* Desktop() {
  Registry& r = Reg();
  if (!r.desktop.handle) {
    r.desktop.handle = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x10000));
    r.desktop.style = WS_VISIBLE;
    r.desktop.proc = DesktopProc;
    r.handles[reinterpret_cast<uintptr_t>(r.desktop.handle)] = &r.desktop;
    r.desktop.busy = 1;  // the desktop record is never freed
  }
  return &r.desktop;
}

WndClass* FindClass(const char* name, HINSTANCE hInstance) {
  RegisterSystemClasses();
  std::string key = ClassKey(name);
  WndClass* any = nullptr;
  for (WndClass& c : Reg().classes) {
    if (c.upperName != key) continue;
    if (c.hInstance == hInstance) return &c;
    if (!any || c.system || (c.style & CS_GLOBALCLASS)) any = &c;
  }
  return any;
}

void RegisterSystemClasses() {
  Registry& r = Reg();
  if (r.systemClassesMade) return;
  r.systemClassesMade = true;
  struct Sys {
    const char* name;
    WNDPROC proc;
    UINT style;
    LPCSTR cursor;
  };
  static const Sys kSys[] = {
      {"Button", ButtonProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW},
      {"Static", StaticProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW},
      {"Edit", EditProc, CS_DBLCLKS | CS_PARENTDC, IDC_IBEAM},
      {"ListBox", ListBoxProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW},
      {"ComboBox", ComboBoxProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW},
      {"ComboLBox", ComboLBoxProc, CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW},
      {"ScrollBar", ScrollBarProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW},
      {"#32770", DialogClassProc, CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW},
  };
  for (const Sys& s : kSys) {
    WndClass c;
    c.name = s.name;
    c.upperName = Upper(s.name);
    c.proc = s.proc;
    c.style = s.style;
    c.hCursor = LoadCursorA(nullptr, s.cursor);
    c.system = true;
    r.classes.push_back(c);
  }
  RunCommonClassRegistrars();
}

void ReleaseRecord(Wnd* w) {
  if (w == Desktop()) return;
  Reg().handles.erase(reinterpret_cast<uintptr_t>(w->handle));
  delete w;
}

POINT ClientOrigin(const Wnd* w) {
  if (!w || w == Desktop() || !w->parent) return POINT{0, 0};
  POINT p = ClientOrigin(w->parent);
  p.x += w->rcWindow.left + w->rcClient.left;
  p.y += w->rcWindow.top + w->rcClient.top;
  return p;
}

RECT ScreenWindowRect(const Wnd* w) {
  if (!w || w == Desktop()) {
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return r;
  }
  POINT p = ClientOrigin(w->parent);
  RECT r = w->rcWindow;
  OffsetRect(&r, p.x, p.y);
  return r;
}

RECT ScreenClientRect(const Wnd* w) {
  POINT p = ClientOrigin(w);
  RECT r{p.x, p.y, p.x + w->ClientWidth(), p.y + w->ClientHeight()};
  return r;
}

bool IsVisibleChain(const Wnd* w) {
  for (; w && w != Desktop(); w = w->parent)
    if (!(w->style & WS_VISIBLE)) return false;
  return w != nullptr;
}

void RecalcClient(Wnd* w) {
  NCCALCSIZE_PARAMS p{};
  p.rgrc[0] = w->rcWindow;
  Send(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&p));
  RECT c = p.rgrc[0];
  OffsetRect(&c, -w->rcWindow.left, -w->rcWindow.top);
  if (c.right < c.left) c.right = c.left;
  if (c.bottom < c.top) c.bottom = c.top;
  w->rcClient = c;
  EnsureSurfaces(w);
}

Wnd* GetDialogOf(Wnd* w) {
  for (Wnd* p = w ? w->parent : nullptr; p && p != Desktop(); p = p->parent)
    if (p->isDialog) return p;
  return nullptr;
}

namespace {

void Unlink(Wnd* w) {
  if (!w->parent) return;
  auto& sib = w->parent->children;
  sib.erase(std::remove(sib.begin(), sib.end(), w), sib.end());
}

// Sends WM_DESTROY parents first.
void SendDestroy(Wnd* w) {
  Send(w, WM_DESTROY, 0, 0);
  std::vector<Wnd*> kids = w->children;
  for (Wnd* c : kids)
    if (!c->dead) SendDestroy(c);
}

// WM_NCDESTROY children first, then the record dies.
void Finish(Wnd* w) {
  std::vector<Wnd*> kids = w->children;
  for (Wnd* c : kids)
    if (!c->dead) Finish(c);
  Send(w, WM_NCDESTROY, 0, 0);
  OnWindowDying(w);
  if (Reg().destroyHook) Reg().destroyHook(w->handle);
  Unlink(w);
  w->dead = true;
  if (w->updateRgn) DeleteObject(w->updateRgn);
  w->updateRgn = nullptr;
  if (w->frameBmp) DeleteObject(w->frameBmp);
  if (w->clientBmp) DeleteObject(w->clientBmp);
  w->frameBmp = w->clientBmp = nullptr;
  w->frameBits = w->clientBits = nullptr;
  if (w->dlgOwnsFont && w->dlgFont) DeleteObject(w->dlgFont);
  w->dlgFont = nullptr;
  for (Wnd* c : w->children) c->parent = nullptr;
  w->children.clear();
  if (w->busy == 0) ReleaseRecord(w);
}

void DestroyTree(Wnd* w) {
  WndRef keep(w);
  w->destroying = true;
  // Owned popups go first, as on the home platform.
  std::vector<Wnd*> owned;
  for (auto& kv : Reg().handles)
    if (kv.second->owner == w && !kv.second->dead && !kv.second->destroying) owned.push_back(kv.second);
  for (Wnd* o : owned)
    if (!o->dead && !o->destroying) DestroyWindow(o->handle);
  if (w->dead) return;
  if (w->style & WS_VISIBLE) {
    w->style &= ~WS_VISIBLE;
    MarkScreenDirty();
  }
  if (w->IsChild() && w->parent && !(w->exStyle & WS_EX_NOPARENTNOTIFY) && !w->parent->dead)
    Send(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, w->id), reinterpret_cast<LPARAM>(w->handle));
  SendDestroy(w);
  if (!w->dead) Finish(w);
}

}  // namespace

}  // namespace kyuser

using namespace kyuser;

void KySetWindowHooks(KYCREATEHOOK pfnCreate, KYDESTROYHOOK pfnDestroy) {
  Reg().createHook = pfnCreate;
  Reg().destroyHook = pfnDestroy;
}

ATOM RegisterClassA(const WNDCLASSA* wc) {
  RegisterSystemClasses();
  if (!wc || !wc->lpszClassName || !wc->lpfnWndProc || wc->cbWndExtra < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string key = ClassKey(wc->lpszClassName);
  for (WndClass& c : Reg().classes)
    if (c.upperName == key && !c.system && c.hInstance == wc->hInstance) {
      SetLastError(ERROR_CLASS_ALREADY_EXISTS);
      return 0;
    }
  WndClass c;
  c.name = IS_INTRESOURCE(wc->lpszClassName) ? key : wc->lpszClassName;
  c.upperName = key;
  c.style = wc->style;
  c.proc = wc->lpfnWndProc;
  c.cbWndExtra = wc->cbWndExtra;
  c.hInstance = wc->hInstance;
  c.hCursor = wc->hCursor;
  c.hIcon = wc->hIcon;
  c.hbrBackground = wc->hbrBackground;
  // Newest first, so that a module's class hides a system one of the same name.
  Reg().classes.push_front(c);
  return static_cast<ATOM>(0xC000 + Reg().classes.size());
}

BOOL UnregisterClassA(LPCSTR name, HINSTANCE hInstance) {
  std::string key = ClassKey(name);
  auto& cl = Reg().classes;
  for (auto it = cl.begin(); it != cl.end(); ++it) {
    if (it->upperName != key || it->system || it->hInstance != hInstance) continue;
    for (auto& kv : Reg().handles)
      if (kv.second->cls == &*it && !kv.second->dead) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
      }
    cl.erase(it);
    return TRUE;
  }
  SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
  return FALSE;
}

BOOL GetClassInfoA(HINSTANCE hInstance, LPCSTR name, LPWNDCLASSA out) {
  WndClass* c = FindClass(name, hInstance);
  if (!c || !out) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  *out = WNDCLASSA{c->style, c->proc, 0, c->cbWndExtra, c->hInstance, c->hIcon, c->hCursor, c->hbrBackground,
                   nullptr, c->name.c_str()};
  return TRUE;
}

int GetClassNameA(HWND hWnd, LPSTR buf, int n) {
  Wnd* w = FromHandle(hWnd);
  if (!w || !buf || n <= 0) return 0;
  const std::string& s = w->cls ? w->cls->name : std::string();
  int len = std::min<int>(static_cast<int>(s.size()), n - 1);
  memcpy(buf, s.data(), len);
  buf[len] = 0;
  return len;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int cx,
                     int cy, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam) {
  WndClass* cls = FindClass(className, hInstance);
  if (!cls) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  Wnd* parent = nullptr;
  if (hWndParent && hWndParent != HWND_MESSAGE) {
    parent = FromHandle(hWndParent);
    if (!parent) return nullptr;
  }
  if ((style & WS_CHILD) && !parent) {
    SetLastError(ERROR_TLW_WITH_WSCHILD);
    return nullptr;
  }
  if (x == CW_USEDEFAULT) x = y = 0;
  if (cx == CW_USEDEFAULT) {
    cx = 320;
    cy = 240;
  }
  Registry& r = Reg();
  Wnd* w = new Wnd();
  w->handle = reinterpret_cast<HWND>(r.nextHandle);
  r.nextHandle += 4;
  r.handles[reinterpret_cast<uintptr_t>(w->handle)] = w;
  w->cls = cls;
  w->proc = cls->proc;
  w->style = style;
  w->exStyle = exStyle;
  w->hInstance = hInstance;
  w->extra.assign(static_cast<size_t>(cls->cbWndExtra), 0);
  if (style & WS_CHILD) {
    w->parent = parent;
    w->id = reinterpret_cast<UINT_PTR>(hMenu);
    parent->children.push_back(w);  // bottom of the z-order
  } else {
    w->parent = Desktop();
    if (parent) w->owner = FromHandleQuiet(GetAncestor(parent->handle, GA_ROOT));
    auto& top = Desktop()->children;
    // Above every window but the topmost ones (unless it is topmost itself).
    auto it = top.begin();
    if (!(exStyle & WS_EX_TOPMOST))
      while (it != top.end() && ((*it)->exStyle & WS_EX_TOPMOST)) ++it;
    top.insert(it, w);
  }
  w->rcWindow = RECT{x, y, x + std::max(cx, 0), y + std::max(cy, 0)};
  if (windowName && !IS_INTRESOURCE(windowName)) w->text = windowName;

  CREATESTRUCTA cs{lpParam, hInstance, hMenu, hWndParent, cy, cx, y, x, static_cast<LONG>(style),
                   windowName, className, exStyle};
  HWND h = w->handle;
  WndRef keep(w);
  if (r.createHook) r.createHook(h, &cs);
  if (!Send(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if (!w->dead) DestroyTree(w);
    return nullptr;
  }
  if (w->dead) return nullptr;
  RecalcClient(w);
  if (Send(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    if (!w->dead) DestroyTree(w);
    return nullptr;
  }
  if (w->dead) return nullptr;
  Send(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->ClientWidth(), w->ClientHeight()));
  Send(w, WM_MOVE, 0, MAKELPARAM(w->rcWindow.left + w->rcClient.left, w->rcWindow.top + w->rcClient.top));
  if (w->dead) return nullptr;
  if (w->IsChild() && !(w->exStyle & WS_EX_NOPARENTNOTIFY) && w->parent)
    Send(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, w->id), reinterpret_cast<LPARAM>(h));
  if (w->dead) return nullptr;
  if (w->style & WS_VISIBLE) {
    w->style &= ~WS_VISIBLE;
    ShowWindow(h, SW_SHOW);
  }
  return FromHandleQuiet(h) ? h : nullptr;
}

BOOL DestroyWindow(HWND hWnd) {
  Wnd* w = FromHandle(hWnd);
  if (!w || w == Desktop()) return FALSE;
  if (w->destroying) return TRUE;
  DestroyTree(w);
  return TRUE;
}

BOOL IsWindow(HWND hWnd) { return FromHandleQuiet(hWnd) != nullptr; }

BOOL IsWindowVisible(HWND hWnd) {
  Wnd* w = FromHandleQuiet(hWnd);
  return w && IsVisibleChain(w);
}

BOOL IsWindowEnabled(HWND hWnd) {
  Wnd* w = FromHandleQuiet(hWnd);
  return w && !(w->style & WS_DISABLED);
}

BOOL IsChild(HWND hParent, HWND hWnd) {
  Wnd* p = FromHandleQuiet(hParent);
  Wnd* w = FromHandleQuiet(hWnd);
  if (!p || !w) return FALSE;
  for (Wnd* a = w; a && a->IsChild(); a = a->parent)
    if (a->parent == p) return TRUE;
  return FALSE;
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) != 0;
  if (bEnable && wasDisabled) {
    w->style &= ~WS_DISABLED;
    Send(w, WM_ENABLE, TRUE, 0);
  } else if (!bEnable && !wasDisabled) {
    w->style |= WS_DISABLED;
    HWND f = GetFocus();
    if (f == hWnd || IsChild(hWnd, f)) SetFocusInternal(nullptr);
    if (GetCapture() == hWnd) ReleaseCapture();
    Send(w, WM_ENABLE, FALSE, 0);
  }
  return wasDisabled;
}

BOOL GetWindowRect(HWND hWnd, LPRECT r) {
  Wnd* w = FromHandle(hWnd);
  if (!w || !r) return FALSE;
  *r = ScreenWindowRect(w);
  return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT r) {
  Wnd* w = FromHandle(hWnd);
  if (!w || !r) return FALSE;
  if (w == Desktop()) {
    *r = ScreenWindowRect(w);
    return TRUE;
  }
  *r = RECT{0, 0, w->ClientWidth(), w->ClientHeight()};
  return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT p) {
  Wnd* w = FromHandle(hWnd);
  if (!w || !p) return FALSE;
  POINT o = ClientOrigin(w);
  p->x -= o.x;
  p->y -= o.y;
  return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT p) {
  Wnd* w = FromHandle(hWnd);
  if (!w || !p) return FALSE;
  POINT o = ClientOrigin(w);
  p->x += o.x;
  p->y += o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT n) {
  POINT o1{0, 0}, o2{0, 0};
  if (from) {
    Wnd* w = FromHandle(from);
    if (!w) return 0;
    o1 = ClientOrigin(w);
  }
  if (to) {
    Wnd* w = FromHandle(to);
    if (!w) return 0;
    o2 = ClientOrigin(w);
  }
  int dx = o1.x - o2.x, dy = o1.y - o2.y;
  for (UINT i = 0; i < n; ++i) {
    pts[i].x += dx;
    pts[i].y += dy;
  }
  SetLastError(0);
  return MAKELONG(dx, dy);
}

HWND GetParent(HWND hWnd) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return nullptr;
  if (w->IsChild()) return w->parent ? w->parent->handle : nullptr;
  return w->owner ? w->owner->handle : nullptr;
}

HWND SetParent(HWND hChild, HWND hNewParent) {
  Wnd* w = FromHandle(hChild);
  Wnd* p = hNewParent ? FromHandle(hNewParent) : Desktop();
  if (!w || !p) return nullptr;
  for (Wnd* a = p; a; a = a->parent)
    if (a == w) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
  HWND old = w->parent ? w->parent->handle : nullptr;
  Unlink(w);
  w->parent = p;
  if (p == Desktop())
    p->children.insert(p->children.begin(), w);
  else
    p->children.insert(p->children.begin(), w);
  InvalidateRect(hChild, nullptr, TRUE);
  MarkScreenDirty();
  return old == Desktop()->handle ? GetDesktopWindow() : old;
}

HWND GetAncestor(HWND hWnd, UINT flags) {
  Wnd* w = FromHandle(hWnd);
  if (!w || w == Desktop()) return nullptr;
  switch (flags) {
    case GA_PARENT:
      return w->parent ? w->parent->handle : nullptr;
    case GA_ROOT:
      while (w->IsChild() && w->parent && w->parent != Desktop()) w = w->parent;
      return w->handle;
    case GA_ROOTOWNER:
      while (w->IsChild() && w->parent && w->parent != Desktop()) w = w->parent;
      while (w->owner) w = w->owner;
      return w->handle;
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return nullptr;
}

HWND GetWindow(HWND hWnd, UINT cmd) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return nullptr;
  if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front()->handle;
  if (cmd == GW_OWNER) return w->owner ? w->owner->handle : nullptr;
  if (!w->parent) return nullptr;
  auto& sib = w->parent->children;
  auto it = std::find(sib.begin(), sib.end(), w);
  switch (cmd) {
    case GW_HWNDFIRST:
      return sib.front()->handle;
    case GW_HWNDLAST:
      return sib.back()->handle;
    case GW_HWNDNEXT:
      return (it == sib.end() || it + 1 == sib.end()) ? nullptr : (*(it + 1))->handle;
    case GW_HWNDPREV:
      return (it == sib.begin() || it == sib.end()) ? nullptr : (*(it - 1))->handle;
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return nullptr;
}

HWND GetTopWindow(HWND hWnd) { return GetWindow(hWnd ? hWnd : GetDesktopWindow(), GW_CHILD); }

HWND GetDesktopWindow() { return Desktop()->handle; }

namespace {
Wnd* HitChild(Wnd* w, POINT pt, UINT skip) {
  for (Wnd* c : w->children) {
    if (!(c->style & WS_VISIBLE) && (skip & CWP_SKIPINVISIBLE)) continue;
    if ((c->style & WS_DISABLED) && (skip & CWP_SKIPDISABLED)) continue;
    if ((c->exStyle & WS_EX_TRANSPARENT) && (skip & CWP_SKIPTRANSPARENT)) continue;
    if (PtInRect(&c->rcWindow, pt)) return c;
  }
  return nullptr;
}
}  // namespace

HWND WindowFromPoint(POINT pt) {
  Wnd* w = Desktop();
  POINT local = pt;
  for (;;) {
    Wnd* hit = nullptr;
    for (Wnd* c : w->children) {
      if (!(c->style & WS_VISIBLE)) continue;
      if (!PtInRect(&c->rcWindow, local)) continue;
      // Group boxes let the point through to what lies under them, as they
      // answer HTTRANSPARENT.
      if (c->IsChild()) {
        LRESULT ht = Send(c, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        if (ht == HTTRANSPARENT) continue;
      }
      hit = c;
      break;
    }
    if (!hit) break;
    w = hit;
    POINT o = ClientOrigin(w);
    local = POINT{pt.x - o.x, pt.y - o.y};
    RECT rc = ScreenClientRect(w);
    if (!PtInRect(&rc, pt)) break;  // in the frame: the window itself
  }
  return w == Desktop() ? nullptr : w->handle;
}

HWND ChildWindowFromPointEx(HWND hParent, POINT pt, UINT flags) {
  Wnd* p = FromHandle(hParent);
  if (!p) return nullptr;
  RECT rc{0, 0, p->ClientWidth(), p->ClientHeight()};
  if (!PtInRect(&rc, pt)) return nullptr;
  Wnd* c = HitChild(p, pt, flags);
  return c ? c->handle : hParent;
}

HWND ChildWindowFromPoint(HWND hParent, POINT pt) { return ChildWindowFromPointEx(hParent, pt, CWP_ALL); }

HWND FindWindowA(LPCSTR cls, LPCSTR name) {
  WndClass* c = cls ? FindClass(cls, nullptr) : nullptr;
  if (cls && !c) return nullptr;
  for (Wnd* w : Desktop()->children) {
    if (c && w->cls != c) continue;
    if (name && w->text != name) continue;
    return w->handle;
  }
  return nullptr;
}

BOOL EnumChildWindows(HWND hParent, WNDENUMPROC fn, LPARAM lp) {
  Wnd* p = hParent ? FromHandle(hParent) : Desktop();
  if (!p || !fn) return FALSE;
  std::vector<HWND> all;
  std::vector<Wnd*> stack(p->children.rbegin(), p->children.rend());
  while (!stack.empty()) {
    Wnd* w = stack.back();
    stack.pop_back();
    all.push_back(w->handle);
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) stack.push_back(*it);
  }
  for (HWND h : all)
    if (IsWindow(h) && !fn(h, lp)) break;
  return TRUE;
}

LONG_PTR GetWindowLongPtrA(HWND hWnd, int index) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return 0;
  switch (index) {
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(w->hInstance);
    case GWLP_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(w->IsChild() ? (w->parent ? w->parent->handle : nullptr)
                                                     : (w->owner ? w->owner->handle : nullptr));
    case GWLP_ID:
      return static_cast<LONG_PTR>(w->id);
    case GWL_STYLE:
      return static_cast<LONG_PTR>(static_cast<LONG>(w->style));
    case GWL_EXSTYLE:
      return static_cast<LONG_PTR>(static_cast<LONG>(w->exStyle));
    case GWLP_USERDATA:
      return w->userData;
  }
  if (w->isDialog) {
    if (index == DWLP_MSGRESULT) return w->dlgResult;
    if (index == DWLP_DLGPROC) return reinterpret_cast<LONG_PTR>(w->dlgProc);
    if (index == DWLP_USER) return w->dlgUser;
  }
  if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > w->extra.size()) {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  LONG_PTR v;
  memcpy(&v, &w->extra[index], sizeof v);
  return v;
}

LONG_PTR SetWindowLongPtrA(HWND hWnd, int index, LONG_PTR value) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtrA(hWnd, index);
  switch (index) {
    case GWLP_WNDPROC:
      w->proc = reinterpret_cast<WNDPROC>(value);
      return old;
    case GWLP_HINSTANCE:
      w->hInstance = reinterpret_cast<HINSTANCE>(value);
      return old;
    case GWLP_HWNDPARENT:
      if (!w->IsChild()) w->owner = FromHandleQuiet(reinterpret_cast<HWND>(value));
      return old;
    case GWLP_ID:
      w->id = static_cast<UINT_PTR>(value);
      return old;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
      DWORD& field = index == GWL_STYLE ? w->style : w->exStyle;
      DWORD prev = field;
      DWORD next = static_cast<DWORD>(value);
      if (index == GWL_STYLE) next = (next & ~WS_VISIBLE) | (prev & WS_VISIBLE);  // ShowWindow owns this bit
      field = next;
      struct {
        DWORD styleOld, styleNew;
      } ss{prev, next};
      Send(w, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
      return old;
    }
    case GWLP_USERDATA:
      w->userData = value;
      return old;
  }
  if (w->isDialog) {
    if (index == DWLP_MSGRESULT) {
      w->dlgResult = value;
      return old;
    }
    if (index == DWLP_DLGPROC) {
      w->dlgProc = reinterpret_cast<DLGPROC>(value);
      return old;
    }
    if (index == DWLP_USER) {
      w->dlgUser = value;
      return old;
    }
  }
  if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > w->extra.size()) {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  memcpy(&w->extra[index], &value, sizeof value);
  return old;
}

LONG GetWindowLongA(HWND hWnd, int index) { return static_cast<LONG>(GetWindowLongPtrA(hWnd, index)); }
LONG SetWindowLongA(HWND hWnd, int index, LONG v) { return static_cast<LONG>(SetWindowLongPtrA(hWnd, index, v)); }

int GetDlgCtrlID(HWND hWnd) {
  Wnd* w = FromHandle(hWnd);
  if (!w || !w->IsChild()) return 0;
  return static_cast<int>(w->id);
}

BOOL SetPropA(HWND hWnd, LPCSTR name, HANDLE data) {
  Wnd* w = FromHandle(hWnd);
  if (!w || !name) return FALSE;
  w->props[ClassKey(name)] = data;
  return TRUE;
}

HANDLE GetPropA(HWND hWnd, LPCSTR name) {
  Wnd* w = FromHandleQuiet(hWnd);
  if (!w || !name) return nullptr;
  auto it = w->props.find(ClassKey(name));
  return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemovePropA(HWND hWnd, LPCSTR name) {
  Wnd* w = FromHandleQuiet(hWnd);
  if (!w || !name) return nullptr;
  auto it = w->props.find(ClassKey(name));
  if (it == w->props.end()) return nullptr;
  HANDLE h = it->second;
  w->props.erase(it);
  return h;
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR s) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return FALSE;
  return Send(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s ? s : "")) != 0;
}

int GetWindowTextA(HWND hWnd, LPSTR buf, int n) {
  Wnd* w = FromHandle(hWnd);
  if (!w || !buf || n <= 0) return 0;
  buf[0] = 0;
  return static_cast<int>(Send(w, WM_GETTEXT, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(buf)));
}

int GetWindowTextLengthA(HWND hWnd) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return 0;
  return static_cast<int>(Send(w, WM_GETTEXTLENGTH, 0, 0));
}
