// The message queue and what feeds it: posted messages, the screen's raw
// input (turned into mouse and keyboard messages here, where capture,
// hit testing, double clicks and the key state are known), timers and
// painting. Also focus, activation, capture and cursors, which decide where
// input goes.
//
// Order of GetMessage, as on the home platform: posted messages, WM_QUIT,
// input, WM_PAINT, WM_TIMER. When nothing is left the screen is composed and
// shown, the idle hook runs, and then the queue waits for the presenter's
// input or, headless, gives up (-1) rather than wait for ever.
#include <algorithm>
#include <cstring>
#include <deque>
#include <map>

#include "winscreen.h"
#include "wnd.h"

namespace kyuser {
namespace {

struct InputMsg {
  MSG msg;
  int keyVk = 0;  // key whose state the message changes (sided code), 0 for none
  bool keyDown = false;
};

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  UINT elapse;
  DWORD due;
  TIMERPROC proc;
};

struct QueueState {
  std::deque<MSG> posted;
  std::deque<InputMsg> input;
  std::vector<Timer> timers;
  UINT_PTR nextTimerId = 1;
  bool quit = false;
  int quitCode = 0;
  BYTE keys[256] = {0};   // as of the last message taken
  BYTE async[256] = {0};  // as of the last raw event
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  HCURSOR cursor = nullptr;
  int cursorCount = 0;
  MSG last{};
  // Double clicks.
  HWND lastDownWnd = nullptr;
  int lastDownButton = 0;
  DWORD lastDownTime = 0;
  POINT lastDownPt{0, 0};
  bool lastWasDbl = false;
  HWND mouseOver = nullptr;
  KYIDLEHOOK idle = nullptr;
  void* idleCtx = nullptr;
  int sendDepth = 0;
};

QueueState& Q() {
  static QueueState* q = new QueueState();
  return *q;
}

bool Matches(const MSG& m, HWND hWnd, UINT lo, UINT hi) {
  if (hWnd && m.hwnd != hWnd) return false;
  if (lo == 0 && hi == 0) return true;
  return m.message >= lo && m.message <= hi;
}

void ApplyKey(BYTE* keys, int vk, bool down) {
  auto set = [&](int k) {
    if (down) {
      if (!(keys[k] & 0x80)) keys[k] ^= 0x01;  // toggled by each press
      keys[k] |= 0x80;
    } else {
      keys[k] &= static_cast<BYTE>(~0x80);
    }
  };
  set(vk);
  // The side-less code is down while either side is.
  auto both = [&](int generic, int l, int r) {
    if (vk == l || vk == r) {
      bool any = (keys[l] & 0x80) || (keys[r] & 0x80);
      if (any)
        keys[generic] |= 0x80;
      else
        keys[generic] &= static_cast<BYTE>(~0x80);
      if (down) keys[generic] ^= 0x01;
    }
  };
  both(VK_CONTROL, VK_LCONTROL, VK_RCONTROL);
  both(VK_SHIFT, VK_LSHIFT, VK_RSHIFT);
  both(VK_MENU, VK_LMENU, VK_RMENU);
}

WPARAM MouseKeys(const BYTE* keys) {
  WPARAM mk = 0;
  if (keys[VK_LBUTTON] & 0x80) mk |= MK_LBUTTON;
  if (keys[VK_RBUTTON] & 0x80) mk |= MK_RBUTTON;
  if (keys[VK_MBUTTON] & 0x80) mk |= MK_MBUTTON;
  if (keys[VK_SHIFT] & 0x80) mk |= MK_SHIFT;
  if (keys[VK_CONTROL] & 0x80) mk |= MK_CONTROL;
  return mk;
}

void PushInput(HWND h, UINT msg, WPARAM wp, LPARAM lp, const KyInputEvent& e, int keyVk = 0, bool down = false) {
  InputMsg im;
  im.msg = MSG{h, msg, wp, lp, e.time, POINT{e.x, e.y}};
  if (e.kind == KyInputEvent::kKeyDown || e.kind == KyInputEvent::kKeyUp || e.kind == KyInputEvent::kText)
    im.msg.pt = KyScreen::Get().CursorPos();
  im.keyVk = keyVk;
  im.keyDown = down;
  Q().input.push_back(im);
}

// The window that mouse input at pt goes to, with its hit-test code.
Wnd* MouseTarget(POINT pt, LRESULT* ht) {
  QueueState& q = Q();
  if (Wnd* c = FromHandleQuiet(q.capture)) {
    *ht = HTCLIENT;
    return c;
  }
  Wnd* w = FromHandleQuiet(WindowFromPoint(pt));
  if (!w) {
    *ht = HTNOWHERE;
    return nullptr;
  }
  // A disabled control passes the mouse to its parent; a disabled top-level
  // window (the owner of a modal dialog) takes none.
  while (w && (w->style & WS_DISABLED)) {
    if (!w->IsChild()) {
      *ht = HTERROR;
      return w;
    }
    w = w->parent;
  }
  if (!w) return nullptr;
  *ht = Send(w, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
  return w;
}

void TranslateMouse(const KyInputEvent& e) {
  QueueState& q = Q();
  POINT pt{e.x, e.y};
  LRESULT ht = HTNOWHERE;
  Wnd* w = MouseTarget(pt, &ht);
  if (e.kind == KyInputEvent::kButtonDown || e.kind == KyInputEvent::kButtonUp)
    ApplyKey(q.async, e.button, e.kind == KyInputEvent::kButtonDown);
  if (!w) return;
  HWND h = w->handle;
  UINT base = WM_MOUSEMOVE;
  int b = e.button;
  if (e.kind == KyInputEvent::kButtonDown)
    base = b == VK_RBUTTON ? WM_RBUTTONDOWN : b == VK_MBUTTON ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
  else if (e.kind == KyInputEvent::kButtonUp)
    base = b == VK_RBUTTON ? WM_RBUTTONUP : b == VK_MBUTTON ? WM_MBUTTONUP : WM_LBUTTONUP;
  else if (e.kind == KyInputEvent::kWheel)
    base = WM_MOUSEWHEEL;

  if (ht == HTERROR) {
    if (e.kind == KyInputEvent::kButtonDown) {
      MessageBeep(0);
      // Bring forward the enabled popup that keeps the owner disabled.
      for (Wnd* t : Desktop()->children)
        if (t->owner == w && (t->style & WS_VISIBLE) && !(t->style & WS_DISABLED)) {
          SetActiveWindow(t->handle);
          break;
        }
    }
    return;
  }

  // Activation by a click, before the click itself.
  if (e.kind == KyInputEvent::kButtonDown && !q.capture) {
    HWND top = GetAncestor(h, GA_ROOT);
    if (top && top != q.active) {
      Wnd* tw = FromHandleQuiet(top);
      LRESULT ma = Send(w, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top), MAKELPARAM(ht, base));
      if (tw && (ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT) && !(tw->style & WS_DISABLED))
        SetActiveWindow(top);
      if (ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT) return;
      if (!FromHandleQuiet(h)) return;
    }
  }

  // The cursor shape, asked of the window under the mouse.
  if (e.kind != KyInputEvent::kWheel && !q.capture)
    Send(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(ht, base));
  if (!FromHandleQuiet(h)) return;

  // Double clicks.
  UINT msg = base;
  if (e.kind == KyInputEvent::kButtonDown) {
    int cx = GetSystemMetrics(SM_CXDOUBLECLK) / 2, cy = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    bool dbl = !q.lastWasDbl && q.lastDownWnd == h && q.lastDownButton == b &&
               e.time - q.lastDownTime <= GetDoubleClickTime() && std::abs(pt.x - q.lastDownPt.x) <= cx &&
               std::abs(pt.y - q.lastDownPt.y) <= cy;
    if (dbl && ((w->cls && (w->cls->style & CS_DBLCLKS)) || ht != HTCLIENT)) {
      msg = base + 2;  // the DBLCLK of the same button
      q.lastWasDbl = true;
    } else {
      q.lastWasDbl = false;
    }
    q.lastDownWnd = h;
    q.lastDownButton = b;
    q.lastDownTime = e.time;
    q.lastDownPt = pt;
  }

  BYTE keys[256];
  memcpy(keys, q.async, sizeof keys);
  WPARAM mk = MouseKeys(keys);
  int keyVk = (e.kind == KyInputEvent::kButtonDown || e.kind == KyInputEvent::kButtonUp) ? b : 0;
  bool down = e.kind == KyInputEvent::kButtonDown;
  if (msg == WM_MOUSEWHEEL) {
    // The wheel goes to the window under the pointer (or the one holding the
    // capture), as on today's desktops, with screen coordinates; a window
    // that does not scroll passes it to its parent. Sent to the focus, it
    // scrolled nothing whenever the focus was on a button or an edit box.
    HWND target = h;
    PushInput(target, WM_MOUSEWHEEL, MAKEWPARAM(mk, e.wheel * WHEEL_DELTA), MAKELPARAM(pt.x, pt.y), e);
    return;
  }
  if (ht == HTCLIENT) {
    POINT c = pt;
    ScreenToClient(h, &c);
    PushInput(h, msg, mk, MAKELPARAM(c.x, c.y), e, keyVk, down);
  } else {
    UINT nc = msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
    PushInput(h, nc, static_cast<WPARAM>(ht), MAKELPARAM(pt.x, pt.y), e, keyVk, down);
  }
}

void TranslateKey(const KyInputEvent& e) {
  QueueState& q = Q();
  bool down = e.kind == KyInputEvent::kKeyDown;
  int vk = e.vk & 0xFF;
  bool wasDown = (q.async[vk] & 0x80) != 0;
  ApplyKey(q.async, vk, down);
  int generic = vk;
  bool extended = false;
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) generic = VK_CONTROL, extended = vk == VK_RCONTROL;
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) generic = VK_SHIFT;
  if (vk == VK_LMENU || vk == VK_RMENU) generic = VK_MENU, extended = vk == VK_RMENU;
  if (vk >= VK_PRIOR && vk <= VK_DOWN) extended = true;
  if (vk == VK_INSERT || vk == VK_DELETE) extended = true;
  bool alt = (q.async[VK_MENU] & 0x80) != 0;
  HWND target = q.focus ? q.focus : q.active;
  if (!target) return;
  UINT msg = down ? (alt || generic == VK_MENU ? WM_SYSKEYDOWN : WM_KEYDOWN)
                  : (alt || generic == VK_MENU ? WM_SYSKEYUP : WM_KEYUP);
  if (!q.focus) msg = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;  // as the home platform does without a focus
  DWORD lp = 1 | (extended ? (1u << 24) : 0) | (alt ? (1u << 29) : 0) | (wasDown ? (1u << 30) : 0) |
             (down ? 0 : (1u << 31));
  PushInput(target, msg, static_cast<WPARAM>(generic), static_cast<LPARAM>(lp), e, vk, down);
}

void TranslateText(const KyInputEvent& e) {
  QueueState& q = Q();
  HWND target = q.focus ? q.focus : q.active;
  if (!target) return;
  // An ANSI window gets a double-byte character as two WM_CHAR, lead byte first.
  for (int i = 0; i < static_cast<int>(sizeof e.text) && e.text[i]; ++i)
    PushInput(target, WM_CHAR, static_cast<BYTE>(e.text[i]), 1, e);
}

// Turns one raw event into queued input; FALSE when there was none.
bool PumpOneRaw() {
  KyInputEvent e;
  if (!KyScreen::Get().PopInput(&e)) return false;
  switch (e.kind) {
    case KyInputEvent::kMouseMove:
    case KyInputEvent::kButtonDown:
    case KyInputEvent::kButtonUp:
    case KyInputEvent::kWheel:
      TranslateMouse(e);
      break;
    case KyInputEvent::kKeyDown:
    case KyInputEvent::kKeyUp:
      TranslateKey(e);
      break;
    case KyInputEvent::kText:
      TranslateText(e);
      break;
  }
  return true;
}

bool TakeTimer(MSG* m, HWND hWnd, UINT lo, UINT hi, bool remove) {
  QueueState& q = Q();
  if (q.timers.empty()) return false;
  if (!(lo == 0 && hi == 0) && (WM_TIMER < lo || WM_TIMER > hi)) return false;
  DWORD now = KyScreen::Get().Now();
  for (Timer& t : q.timers) {
    if (hWnd && t.hwnd != hWnd) continue;
    if (static_cast<int32_t>(now - t.due) < 0) continue;
    *m = MSG{t.hwnd, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc), now, KyScreen::Get().CursorPos()};
    if (remove) t.due = now + t.elapse;
    return true;
  }
  return false;
}

int NextTimerWait() {
  QueueState& q = Q();
  if (q.timers.empty()) return -1;
  DWORD now = KyScreen::Get().Now();
  int best = -1;
  for (const Timer& t : q.timers) {
    int d = static_cast<int32_t>(t.due - now);
    if (d < 0) d = 0;
    if (best < 0 || d < best) best = d;
  }
  return best;
}

// One look at every source; TRUE with *m filled when a message is there.
bool LookOnce(MSG* m, HWND hWnd, UINT lo, UINT hi, bool remove) {
  QueueState& q = Q();
  for (auto it = q.posted.begin(); it != q.posted.end(); ++it)
    if (Matches(*it, hWnd, lo, hi)) {
      *m = *it;
      if (remove) q.posted.erase(it);
      return true;
    }
  if (q.quit && !hWnd) {
    *m = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, KyScreen::Get().Now(), {0, 0}};
    if (remove) q.quit = false;
    return true;
  }
  for (;;) {
    for (auto it = q.input.begin(); it != q.input.end(); ++it)
      if (Matches(it->msg, hWnd, lo, hi)) {
        *m = it->msg;
        if (remove) {
          if (it->keyVk) ApplyKey(q.keys, it->keyVk, it->keyDown);
          q.input.erase(it);
        }
        return true;
      }
    if (!PumpOneRaw()) break;
  }
  if ((lo == 0 && hi == 0) || (WM_PAINT >= lo && WM_PAINT <= hi)) {
    MSG pm;
    if (FindPaintWork(&pm) && (!hWnd || pm.hwnd == hWnd)) {
      *m = pm;
      return true;
    }
  }
  if (TakeTimer(m, hWnd, lo, hi, remove)) return true;
  return false;
}

}  // namespace

void SetKeyDown(int vk, bool down) {
  ApplyKey(Q().keys, vk, down);
  ApplyKey(Q().async, vk, down);
}

HWND CurrentFocus() { return Q().focus; }

void SetFocusInternal(Wnd* w) {
  QueueState& q = Q();
  HWND old = q.focus;
  HWND h = w ? w->handle : nullptr;
  if (old == h) return;
  q.focus = h;
  if (Wnd* o = FromHandleQuiet(old)) Send(o, WM_KILLFOCUS, reinterpret_cast<WPARAM>(h), 0);
  if (q.focus != h) return;  // the kill-focus handler moved it
  if (Wnd* n = FromHandleQuiet(h)) Send(n, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
}

void OnWindowDying(Wnd* w) {
  QueueState& q = Q();
  HWND h = w->handle;
  if (q.focus == h) q.focus = nullptr;
  if (q.capture == h) q.capture = nullptr;
  if (q.active == h) q.active = nullptr;
  if (q.lastDownWnd == h) q.lastDownWnd = nullptr;
  q.timers.erase(std::remove_if(q.timers.begin(), q.timers.end(), [h](const Timer& t) { return t.hwnd == h; }),
                 q.timers.end());
  q.input.erase(std::remove_if(q.input.begin(), q.input.end(), [h](const InputMsg& i) { return i.msg.hwnd == h; }),
                q.input.end());
  q.posted.erase(std::remove_if(q.posted.begin(), q.posted.end(), [h](const MSG& m) { return m.hwnd == h; }),
                 q.posted.end());
}

LRESULT Send(Wnd* w, UINT msg, WPARAM wp, LPARAM lp) {
  if (!w || w->dead || !w->proc) return 0;
  WndRef keep(w);
  ++Q().sendDepth;
  LRESULT r = w->proc(w->handle, msg, wp, lp);
  --Q().sendDepth;
  return r;
}

void NotifyParent(Wnd* w, UINT code) {
  if (!w || !w->parent || w->parent == Desktop()) return;
  Send(w->parent, WM_COMMAND, MAKEWPARAM(w->id, code), reinterpret_cast<LPARAM>(w->handle));
}

}  // namespace kyuser

using namespace kyuser;

KYIDLEHOOK KySetIdleHook(KYIDLEHOOK fn, void* ctx, void** prevCtx) {
  QueueState& q = Q();
  KYIDLEHOOK old = q.idle;
  if (prevCtx) *prevCtx = q.idleCtx;
  q.idle = fn;
  q.idleCtx = ctx;
  return old;
}

LRESULT SendMessageA(HWND hWnd, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FromHandle(hWnd);
  if (!w) return 0;
  return Send(w, msg, wp, lp);
}

BOOL PostMessageA(HWND hWnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (hWnd && !FromHandle(hWnd)) return FALSE;
  Q().posted.push_back(MSG{hWnd, msg, wp, lp, KyScreen::Get().Now(), KyScreen::Get().CursorPos()});
  return TRUE;
}

void PostQuitMessage(int code) {
  Q().quit = true;
  Q().quitCode = code;
}

BOOL PeekMessageA(LPMSG m, HWND hWnd, UINT lo, UINT hi, UINT remove) {
  if (!m) return FALSE;
  MSG tmp;
  if (LookOnce(&tmp, hWnd, lo, hi, (remove & PM_REMOVE) != 0)) {
    *m = tmp;
    if (remove & PM_REMOVE) Q().last = tmp;
    return TRUE;
  }
  ComposeScreen(false);
  return FALSE;
}

BOOL GetMessageA(LPMSG m, HWND hWnd, UINT lo, UINT hi) {
  if (!m) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  QueueState& q = Q();
  for (;;) {
    MSG tmp;
    if (LookOnce(&tmp, hWnd, lo, hi, true)) {
      *m = tmp;
      q.last = tmp;
      return tmp.message == WM_QUIT ? FALSE : TRUE;
    }
    ComposeScreen(false);
    if (q.idle && q.idle(q.idleCtx)) continue;
    KyScreen& s = KyScreen::Get();
    if (s.HasInput()) continue;
    if (s.Presenter()) {
      s.WaitInput(NextTimerWait());
      continue;
    }
    // Headless, nothing queued and nobody to give input: waiting would hang.
    SetLastError(ERROR_TIMEOUT);
    return -1;
  }
}

BOOL WaitMessage() {
  MSG m;
  if (PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
  KyScreen& s = KyScreen::Get();
  if (s.Presenter()) return s.WaitInput(NextTimerWait());
  return FALSE;
}

BOOL TranslateMessage(const MSG* m) {
  if (!m || (m->message != WM_KEYDOWN && m->message != WM_SYSKEYDOWN)) return FALSE;
  QueueState& q = Q();
  int vk = static_cast<int>(m->wParam);
  int ch = 0;
  bool ctrl = (q.keys[VK_CONTROL] & 0x80) != 0;
  if (vk == VK_BACK) ch = 8;
  else if (vk == VK_TAB) ch = 9;
  else if (vk == VK_RETURN) ch = ctrl ? 10 : 13;
  else if (vk == VK_ESCAPE) ch = 27;
  else if (ctrl && vk >= 'A' && vk <= 'Z') ch = vk - 'A' + 1;
  if (!ch) return FALSE;
  q.posted.push_front(MSG{m->hwnd, m->message == WM_KEYDOWN ? static_cast<UINT>(WM_CHAR) : WM_SYSCHAR,
                          static_cast<WPARAM>(ch), m->lParam, m->time, m->pt});
  return TRUE;
}

LRESULT DispatchMessageA(const MSG* m) {
  if (!m) return 0;
  if (m->message == WM_TIMER && m->lParam) {
    reinterpret_cast<TIMERPROC>(m->lParam)(m->hwnd, WM_TIMER, m->wParam, m->time);
    return 0;
  }
  if (!m->hwnd) return 0;
  Wnd* w = FromHandle(m->hwnd);
  if (!w) return 0;
  LRESULT r = Send(w, m->message, m->wParam, m->lParam);
  if (m->message == WM_PAINT && !w->dead && w->updateRgn) {
    // A window procedure that did not validate: the home platform would send
    // WM_PAINT again and again; validating here keeps the loop going.
    ValidateRect(m->hwnd, nullptr);
  }
  return r;
}

DWORD GetMessageTime() { return Q().last.time; }
DWORD GetMessagePos() { return MAKELONG(Q().last.pt.x, Q().last.pt.y); }
DWORD GetTickCount() { return KyScreen::Get().Now(); }
BOOL InSendMessage() { return FALSE; }

LRESULT CallWindowProcA(WNDPROC proc, HWND hWnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (!proc) return 0;
  Wnd* w = FromHandleQuiet(hWnd);
  WndRef keep(w);
  return proc(hWnd, msg, wp, lp);
}

UINT_PTR SetTimer(HWND hWnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (hWnd && !FromHandle(hWnd)) return 0;
  QueueState& q = Q();
  if (elapse < 10) elapse = 10;
  if (!hWnd) id = q.nextTimerId++;
  DWORD due = KyScreen::Get().Now() + elapse;
  for (Timer& t : q.timers)
    if (t.hwnd == hWnd && t.id == id) {
      t = Timer{hWnd, id, elapse, due, proc};
      return hWnd ? 1 : id;
    }
  q.timers.push_back(Timer{hWnd, id, elapse, due, proc});
  return hWnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND hWnd, UINT_PTR id) {
  QueueState& q = Q();
  for (auto it = q.timers.begin(); it != q.timers.end(); ++it)
    if (it->hwnd == hWnd && it->id == id) {
      q.timers.erase(it);
      return TRUE;
    }
  return FALSE;
}

HWND SetFocus(HWND hWnd) {
  QueueState& q = Q();
  HWND old = q.focus;
  if (!hWnd) {
    SetFocusInternal(nullptr);
    return old;
  }
  Wnd* w = FromHandle(hWnd);
  if (!w) return nullptr;
  for (Wnd* a = w; a && a != Desktop(); a = a->parent)
    if (a->style & WS_DISABLED) return nullptr;
  HWND top = GetAncestor(hWnd, GA_ROOT);
  if (top != q.active) {
    SetActiveWindow(top);
    if (!FromHandleQuiet(hWnd)) return nullptr;
  }
  old = q.focus;
  SetFocusInternal(w);
  return old;
}

HWND GetFocus() { return Q().focus; }

HWND SetActiveWindow(HWND hWnd) {
  QueueState& q = Q();
  HWND old = q.active;
  Wnd* w = nullptr;
  if (hWnd) {
    w = FromHandle(hWnd);
    if (!w) return nullptr;
    if (w->IsChild()) hWnd = GetAncestor(hWnd, GA_ROOT), w = FromHandleQuiet(hWnd);
  }
  if (hWnd == old) return old;
  q.active = hWnd;
  if (Wnd* o = FromHandleQuiet(old)) {
    Send(o, WM_NCACTIVATE, FALSE, 0);
    Send(o, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hWnd));
  }
  if (q.active != hWnd) return old;
  if (w) {
    SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Send(w, WM_NCACTIVATE, TRUE, 0);
    Send(w, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(old));
  } else {
    SetFocusInternal(nullptr);
  }
  return old;
}

HWND GetActiveWindow() { return Q().active; }
BOOL SetForegroundWindow(HWND hWnd) { return SetActiveWindow(hWnd) != nullptr || GetActiveWindow() == hWnd; }
HWND GetForegroundWindow() { return Q().active; }

HWND SetCapture(HWND hWnd) {
  QueueState& q = Q();
  HWND old = q.capture;
  if (hWnd && !FromHandle(hWnd)) return nullptr;
  q.capture = hWnd;
  if (old && old != hWnd)
    if (Wnd* o = FromHandleQuiet(old)) Send(o, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
  return old;
}

HWND GetCapture() { return Q().capture; }

BOOL ReleaseCapture() {
  QueueState& q = Q();
  HWND old = q.capture;
  q.capture = nullptr;
  if (Wnd* o = FromHandleQuiet(old)) Send(o, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

SHORT GetKeyState(int vk) {
  BYTE k = Q().keys[vk & 0xFF];
  return static_cast<SHORT>(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int vk) {
  BYTE k = Q().async[vk & 0xFF];
  return static_cast<SHORT>((k & 0x80) ? 0x8000 : 0);
}

BOOL GetCursorPos(LPPOINT p) {
  if (!p) return FALSE;
  *p = KyScreen::Get().CursorPos();
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  KyInputEvent e;
  e.kind = KyInputEvent::kMouseMove;
  e.x = x;
  e.y = y;
  KyScreen::Get().SetCursorPos(POINT{x, y});
  KyScreen::Get().Inject(e);
  return TRUE;
}

UINT GetDoubleClickTime() { return 500; }
BOOL MessageBeep(UINT) { return TRUE; }

// ---------------------------------------------------------------- cursors (icons: icon.cpp)
namespace {
constexpr uintptr_t kSysCursorBase = 0xC1000000;
std::map<std::pair<HINSTANCE, std::string>, uintptr_t>& ModuleCursors() {
  static auto* m = new std::map<std::pair<HINSTANCE, std::string>, uintptr_t>();
  return *m;
}
}  // namespace

HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR name) {
  if (!name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!hInstance) {
    if (!IS_INTRESOURCE(name)) {
      SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return nullptr;
    }
    UINT id = static_cast<UINT>(reinterpret_cast<uintptr_t>(name));
    static const UINT kIds[] = {32512, 32513, 32514, 32515, 32516, 32640, 32641, 32642, 32643,
                                32644, 32645, 32646, 32648, 32649, 32650, 32651};
    if (std::find(std::begin(kIds), std::end(kIds), id) == std::end(kIds)) {
      SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return nullptr;
    }
    return reinterpret_cast<HCURSOR>(kSysCursorBase + id);
  }
  // A module's own cursor: it must exist as a resource; it is shown as the arrow.
  HRSRC r = FindResource(hInstance, name, RT_GROUP_CURSOR);
  if (!r) r = FindResource(hInstance, name, RT_CURSOR);
  if (!r) return nullptr;
  std::string key = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name)) : name;
  auto& m = ModuleCursors();
  auto it = m.find({hInstance, key});
  if (it != m.end()) return reinterpret_cast<HCURSOR>(it->second);
  uintptr_t h = 0xC3000000 + m.size() * 4;
  m[{hInstance, key}] = h;
  return reinterpret_cast<HCURSOR>(h);
}

UINT KyGetCursorShape(HCURSOR h) {
  uintptr_t v = reinterpret_cast<uintptr_t>(h);
  if (v > kSysCursorBase && v < kSysCursorBase + 0x10000) return static_cast<UINT>(v - kSysCursorBase);
  return 0;
}

HCURSOR SetCursor(HCURSOR h) {
  QueueState& q = Q();
  HCURSOR old = q.cursor;
  q.cursor = h;
  UINT shape = KyGetCursorShape(h);
  KyScreen::Get().SetCursorShape(h ? (shape ? shape : 32512) : 0);
  return old;
}

HCURSOR GetCursor() { return Q().cursor; }

int ShowCursor(BOOL bShow) { return bShow ? ++Q().cursorCount : --Q().cursorCount; }

