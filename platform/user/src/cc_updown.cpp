// The up-down control ("msctls_updown32"): two arrow buttons that step a
// position within a range, optionally shown in a buddy window's text.
//
// The range runs from `lower` to `upper`, and the up (or right) arrow moves
// toward `upper` even when it is the smaller number, as the default range
// 100..0 does. A step asks the parent first (UDN_DELTAPOS, which may refuse
// it or change the delta), then moves, wraps with UDS_WRAP or stops at the
// end, writes the buddy's text with UDS_SETBUDDYINT and reports the new
// position with WM_VSCROLL (WM_HSCROLL for UDS_HORZ) and SB_THUMBPOSITION.
// Holding an arrow repeats the step on a timer, faster as the accelerators
// say; releasing it reports SB_ENDSCROLL.
//
// Supported: every UDM_ message; of the window messages, painting, the left
// button, the arrow keys (with UDS_ARROWKEYS), the repeat timer, enabling
// and destruction. Anything else goes to DefWindowProc.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <vector>

#include "cc_common.h"

namespace kyuser {
namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstDelay = 400;
constexpr UINT kRepeatDelay = 100;
constexpr char kBuddyProcProp[] = "KyUpDownBuddyProc";
constexpr char kBuddyOwnerProp[] = "KyUpDownOwner";

struct UpDownState : ControlState {
  int lower = 100;
  int upper = 0;
  int pos = 0;
  int base = 10;
  HWND buddy = nullptr;
  std::vector<UDACCEL> accel{{0, 1}, {2, 5}, {5, 20}};
  int pressed = 0;  // +1 the up arrow, -1 the down arrow
  DWORD pressTime = 0;
};

UpDownState* State(Wnd* w) { return StateOf<UpDownState>(w); }

bool Horizontal(Wnd* w) { return (w->style & UDS_HORZ) != 0; }

// The text UDS_SETBUDDYINT writes: decimal grouped by thousands with ","
// unless UDS_NOTHOUSANDS, or hexadecimal for base 16.
std::string FormatPos(Wnd* w, int pos) {
  UpDownState* s = State(w);
  char buf[32];
  if (s->base == 16) {
    std::snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(pos));
    return buf;
  }
  std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(std::llabs(static_cast<long long>(pos))));
  std::string digits = buf;
  if (!(w->style & UDS_NOTHOUSANDS))
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<size_t>(i), ",");
  return pos < 0 ? "-" + digits : digits;
}

// The buddy's text as a number: thousands separators and blanks are
// skipped; false for anything else or a value past 32 bits.
bool ParseBuddy(Wnd* w, int* out) {
  UpDownState* s = State(w);
  char buf[64] = {0};
  GetWindowTextA(s->buddy, buf, sizeof buf);
  std::string t;
  for (const char* p = buf; *p; ++p)
    if (*p != ',' && *p != ' ') t += *p;
  if (t.empty()) return false;
  bool neg = false;
  size_t i = 0;
  if (t[0] == '-' || t[0] == '+') {
    neg = t[0] == '-';
    i = 1;
  }
  int base = s->base;
  if (base == 16 && t.size() > i + 1 && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) i += 2;
  if (i >= t.size()) return false;
  long long v = 0;
  for (; i < t.size(); ++i) {
    int d;
    char c = t[i];
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    v = v * base + d;
    if (v > INT_MAX + 1LL) return false;
  }
  if (neg) v = -v;
  if (v < INT_MIN || v > INT_MAX) return false;
  *out = static_cast<int>(v);
  return true;
}

int Low(UpDownState* s) { return std::min(s->lower, s->upper); }
int High(UpDownState* s) { return std::max(s->lower, s->upper); }

void WriteBuddy(Wnd* w) {
  UpDownState* s = State(w);
  if (!(w->style & UDS_SETBUDDYINT) || !s->buddy || !IsWindow(s->buddy)) return;
  std::string text = FormatPos(w, s->pos);
  char cur[64] = {0};
  GetWindowTextA(s->buddy, cur, sizeof cur);
  if (text != cur) SetWindowTextA(s->buddy, text.c_str());
}

// The buddy's number becomes the position when it is one in range.
bool ReadBuddy(Wnd* w) {
  UpDownState* s = State(w);
  if (!(w->style & UDS_SETBUDDYINT) || !s->buddy || !IsWindow(s->buddy)) return true;
  int v = 0;
  if (!ParseBuddy(w, &v) || v < Low(s) || v > High(s)) return false;
  s->pos = v;
  return true;
}

void ReportPos(Wnd* w, int code) {
  UpDownState* s = State(w);
  Wnd* t = NotifyTarget(w);
  if (!t) return;
  UINT msg = Horizontal(w) ? WM_HSCROLL : WM_VSCROLL;
  Send(t, msg, MAKEWPARAM(code, code == SB_THUMBPOSITION ? static_cast<WORD>(s->pos) : 0),
       reinterpret_cast<LPARAM>(w->handle));
}

int CurrentIncrement(UpDownState* s) {
  DWORD held = (GetTickCount() - s->pressTime) / 1000;
  UINT inc = 1;
  for (const UDACCEL& a : s->accel)
    if (held >= a.nSec) inc = a.nInc;
  return static_cast<int>(inc);
}

// One step of `dir` (+1 toward upper, -1 toward lower).
void Step(Wnd* w, int dir, int increment) {
  UpDownState* s = State(w);
  HWND h = w->handle;
  ReadBuddy(w);
  int sign = s->upper >= s->lower ? 1 : -1;
  NMUPDOWN nm{};
  nm.iPos = s->pos;
  nm.iDelta = dir * sign * increment;
  if (SendNotify(w, UDN_DELTAPOS, &nm.hdr)) return;
  if (!FromHandleQuiet(h)) return;
  long long next = static_cast<long long>(s->pos) + nm.iDelta;
  int lo = Low(s), hi = High(s);
  if (next > hi || next < lo) {
    if (!(w->style & UDS_WRAP)) {
      next = std::clamp<long long>(next, lo, hi);
    } else {
      next = next > hi ? lo : hi;
    }
  }
  if (next == s->pos) return;
  s->pos = static_cast<int>(next);
  WriteBuddy(w);
  if (!FromHandleQuiet(h)) return;
  ReportPos(w, SB_THUMBPOSITION);
}

// Which arrow a point is on: +1 the up (right) one, -1 the other, 0 none.
int ArrowAt(Wnd* w, POINT p) {
  RECT r{0, 0, w->ClientWidth(), w->ClientHeight()};
  if (!PtInRect(&r, p)) return 0;
  if (Horizontal(w)) return p.x >= r.right / 2 ? 1 : -1;
  return p.y < r.bottom / 2 ? 1 : -1;
}

void Paint(Wnd* w, HDC hdc) {
  UpDownState* s = State(w);
  int cw = w->ClientWidth(), ch = w->ClientHeight();
  RECT up, down;
  if (Horizontal(w)) {
    down = RECT{0, 0, cw / 2, ch};
    up = RECT{cw / 2, 0, cw, ch};
  } else {
    up = RECT{0, 0, cw, ch / 2};
    down = RECT{0, ch / 2, cw, ch};
  }
  bool disabled = (w->style & WS_DISABLED) != 0;
  UINT inactive = disabled ? DFCS_INACTIVE : 0;
  DrawFrameControl(hdc, &up, DFC_SCROLL,
                   (Horizontal(w) ? DFCS_SCROLLRIGHT : DFCS_SCROLLUP) | inactive | (s->pressed > 0 ? DFCS_PUSHED : 0));
  DrawFrameControl(hdc, &down, DFC_SCROLL,
                   (Horizontal(w) ? DFCS_SCROLLLEFT : DFCS_SCROLLDOWN) | inactive | (s->pressed < 0 ? DFCS_PUSHED : 0));
}

LRESULT CALLBACK BuddyProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

void ReleaseBuddy(Wnd* w) {
  UpDownState* s = State(w);
  HWND b = s->buddy;
  s->buddy = nullptr;
  if (!b || !IsWindow(b)) return;
  if (GetPropA(b, kBuddyOwnerProp) != reinterpret_cast<HANDLE>(w->handle)) return;
  WNDPROC old = reinterpret_cast<WNDPROC>(GetPropA(b, kBuddyProcProp));
  // Only a procedure still ours is put back; one set over it keeps calling ours,
  // which then finds no owner and passes everything on.
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(b, GWLP_WNDPROC)) == BuddyProc && old) {
    SetWindowLongPtrA(b, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    RemovePropA(b, kBuddyProcProp);
  }
  RemovePropA(b, kBuddyOwnerProp);
}

// The buddy's arrow keys step the up-down (UDS_ARROWKEYS).
LRESULT CALLBACK BuddyProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  WNDPROC old = reinterpret_cast<WNDPROC>(GetPropA(h, kBuddyProcProp));
  HWND owner = reinterpret_cast<HWND>(GetPropA(h, kBuddyOwnerProp));
  Wnd* ud = owner ? FromHandleQuiet(owner) : nullptr;
  if (ud && msg == WM_KEYDOWN && (wp == VK_UP || wp == VK_DOWN)) {
    UpDownState* s = State(ud);
    s->pressTime = GetTickCount();
    Step(ud, wp == VK_UP ? 1 : -1, 1);
    return 0;
  }
  if (ud && msg == WM_KEYUP && (wp == VK_UP || wp == VK_DOWN)) {
    ReportPos(ud, SB_ENDSCROLL);
    return 0;
  }
  if (ud && msg == WM_GETDLGCODE) {
    LRESULT r = old ? CallWindowProcA(old, h, msg, wp, lp) : 0;
    return r | DLGC_WANTARROWS;
  }
  LRESULT r = old ? CallWindowProcA(old, h, msg, wp, lp) : DefWindowProcA(h, msg, wp, lp);
  if (msg == WM_NCDESTROY && ud) State(ud)->buddy = nullptr;
  return r;
}

// Places the up-down beside its buddy: the buddy gives up the up-down's
// width, less the two pixels of its edge that the arrows cover.
void Align(Wnd* w) {
  UpDownState* s = State(w);
  Wnd* b = s->buddy ? FromHandleQuiet(s->buddy) : nullptr;
  if (!b || !(w->style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) || b->parent != w->parent) return;
  RECT br = b->rcWindow;
  int width = w->Width();
  int overlap = (b->exStyle & WS_EX_CLIENTEDGE) ? 2 : (b->style & WS_BORDER) ? 1 : 0;
  int bw = std::max(br.right - br.left - width + overlap, 0);
  int x;
  if (w->style & UDS_ALIGNRIGHT) {
    SetWindowPos(b->handle, nullptr, br.left, br.top, bw, br.bottom - br.top, SWP_NOZORDER | SWP_NOACTIVATE);
    x = br.left + bw - overlap;
  } else {
    SetWindowPos(b->handle, nullptr, br.right - bw, br.top, bw, br.bottom - br.top, SWP_NOZORDER | SWP_NOACTIVATE);
    x = br.left;
  }
  SetWindowPos(w->handle, nullptr, x, br.top, width, br.bottom - br.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND SetBuddy(Wnd* w, HWND buddy) {
  UpDownState* s = State(w);
  HWND old = s->buddy;
  ReleaseBuddy(w);
  if (!buddy || !IsWindow(buddy)) return old;
  s->buddy = buddy;
  if (w->style & UDS_ARROWKEYS) {
    LONG_PTR prev = GetWindowLongPtrA(buddy, GWLP_WNDPROC);
    if (reinterpret_cast<WNDPROC>(prev) != BuddyProc) {
      SetPropA(buddy, kBuddyProcProp, reinterpret_cast<HANDLE>(prev));
      SetWindowLongPtrA(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BuddyProc));
    }
    SetPropA(buddy, kBuddyOwnerProp, reinterpret_cast<HANDLE>(w->handle));
  }
  Align(w);
  WriteBuddy(w);
  return old;
}

void Press(Wnd* w, int arrow) {
  UpDownState* s = State(w);
  HWND h = w->handle;
  s->pressed = arrow;
  s->pressTime = GetTickCount();
  InvalidateRect(h, nullptr, FALSE);
  SetCapture(h);
  Step(w, arrow, 1);
  if (FromHandleQuiet(h) && State(w)->pressed) SetTimer(h, kRepeatTimer, kFirstDelay, nullptr);
}

void Release(Wnd* w) {
  UpDownState* s = State(w);
  if (!s->pressed) return;
  HWND h = w->handle;
  s->pressed = 0;
  KillTimer(h, kRepeatTimer);
  if (GetCapture() == h) ReleaseCapture();
  InvalidateRect(h, nullptr, FALSE);
  if (FromHandleQuiet(h)) ReportPos(w, SB_ENDSCROLL);
}

// UDM_SETPOS answers with the old position's low word, UDM_SETPOS32 with
// all of it.
LRESULT OnSetPos(Wnd* w, UpDownState* s, UINT msg, LPARAM lp) {
  int old = s->pos;
  int v = msg == UDM_SETPOS ? static_cast<short>(LOWORD(lp)) : static_cast<int>(lp);
  s->pos = std::clamp(v, Low(s), High(s));
  WriteBuddy(w);
  return msg == UDM_SETPOS ? static_cast<LRESULT>(static_cast<WORD>(old)) : static_cast<LRESULT>(old);
}

LRESULT OnSetAccel(UpDownState* s, WPARAM count, LPARAM lp) {
  const UDACCEL* a = reinterpret_cast<const UDACCEL*>(lp);
  if (!a || count == 0) return FALSE;
  s->accel.assign(a, a + count);
  return TRUE;
}

LRESULT OnGetAccel(UpDownState* s, WPARAM count, LPARAM lp) {
  UDACCEL* a = reinterpret_cast<UDACCEL*>(lp);
  size_t n = std::min(static_cast<size_t>(count), s->accel.size());
  if (a) std::copy(s->accel.begin(), s->accel.begin() + static_cast<std::ptrdiff_t>(n), a);
  return static_cast<LRESULT>(s->accel.size());
}

LRESULT OnSetBase(Wnd* w, UpDownState* s, WPARAM base) {
  if (base != 10 && base != 16) return 0;
  int old = s->base;
  s->base = static_cast<int>(base);
  WriteBuddy(w);
  return old;
}

// The control's own messages (UDM_*).
LRESULT UpDownMessage(Wnd* w, UpDownState* s, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case UDM_SETRANGE:
      s->upper = static_cast<short>(LOWORD(lp));
      s->lower = static_cast<short>(HIWORD(lp));
      return 0;
    case UDM_GETRANGE: return MAKELRESULT(static_cast<WORD>(s->upper), static_cast<WORD>(s->lower));
    case UDM_SETRANGE32:
      s->lower = static_cast<int>(wp);
      s->upper = static_cast<int>(lp);
      return 0;
    case UDM_GETRANGE32:
      if (wp) *reinterpret_cast<int*>(wp) = s->lower;
      if (lp) *reinterpret_cast<int*>(lp) = s->upper;
      return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: return OnSetPos(w, s, msg, lp);
    case UDM_GETPOS: {
      bool ok = ReadBuddy(w);
      return MAKELRESULT(static_cast<WORD>(s->pos), ok ? 0 : 1);
    }
    case UDM_GETPOS32: {
      bool ok = ReadBuddy(w);
      if (lp) *reinterpret_cast<BOOL*>(lp) = ok ? FALSE : TRUE;
      return s->pos;
    }
    case UDM_SETBUDDY: return reinterpret_cast<LRESULT>(SetBuddy(w, reinterpret_cast<HWND>(wp)));
    case UDM_GETBUDDY: return reinterpret_cast<LRESULT>(s->buddy);
    case UDM_SETACCEL: return OnSetAccel(s, wp, lp);
    case UDM_GETACCEL: return OnGetAccel(s, wp, lp);
    case UDM_SETBASE: return OnSetBase(w, s, wp);
    case UDM_GETBASE: return s->base;
  }
  return DefWindowProcA(w->handle, msg, wp, lp);
}

LRESULT OnCreate(Wnd* w) {
  if (w->style & UDS_AUTOBUDDY) {
    HWND prev = GetWindow(w->handle, GW_HWNDPREV);
    if (prev) SetBuddy(w, prev);
  }
  return 0;
}

LRESULT OnLButtonDown(Wnd* w, LPARAM lp) {
  int a = ArrowAt(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
  if (a) Press(w, a);
  return 0;
}

LRESULT OnTimer(Wnd* w, UpDownState* s, WPARAM id) {
  if (id != kRepeatTimer || !s->pressed) return 0;
  HWND h = w->handle;
  SetTimer(h, kRepeatTimer, kRepeatDelay, nullptr);
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(h, &p);
  // Steps stop while the pointer is off the pressed arrow.
  if (ArrowAt(w, p) == s->pressed) Step(w, s->pressed, CurrentIncrement(s));
  return 0;
}

bool IsArrowKey(Wnd* w, WPARAM vk) {
  return (w->style & UDS_ARROWKEYS) && (vk == VK_UP || vk == VK_DOWN || vk == VK_LEFT || vk == VK_RIGHT);
}

LRESULT OnKeyDown(Wnd* w, UpDownState* s, WPARAM vk) {
  if (!IsArrowKey(w, vk)) return 0;
  s->pressTime = GetTickCount();
  Step(w, vk == VK_UP || vk == VK_RIGHT ? 1 : -1, 1);
  return 0;
}

LRESULT OnKeyUp(Wnd* w, WPARAM vk) {
  if (IsArrowKey(w, vk)) ReportPos(w, SB_ENDSCROLL);
  return 0;
}

LRESULT OnDestroy(Wnd* w) {
  KillTimer(w->handle, kRepeatTimer);
  ReleaseBuddy(w);
  return 0;
}

LRESULT CALLBACK UpDownProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FromHandleQuiet(h);
  if (!w) return 0;
  UpDownState* s = State(w);
  switch (msg) {
    case WM_CREATE: return OnCreate(w);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return PaintControl(w, [w](HDC hdc) { Paint(w, hdc); });
    case WM_ENABLE: InvalidateRect(h, nullptr, FALSE); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnLButtonDown(w, lp);
    case WM_LBUTTONUP: Release(w); return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != h) Release(w);
      return 0;
    case WM_TIMER: return OnTimer(w, s, wp);
    case WM_KEYDOWN: return OnKeyDown(w, s, wp);
    case WM_KEYUP: return OnKeyUp(w, wp);
    case WM_DESTROY: return OnDestroy(w);
  }
  if (msg >= UDM_SETRANGE && msg <= UDM_GETPOS32) return UpDownMessage(w, s, msg, wp, lp);
  return DefWindowProcA(h, msg, wp, lp);
}

const KyCommonClassRegistrar kRegisterUpDown([] { RegisterCommonClass(UPDOWN_CLASS, UpDownProc); });

}  // namespace
}  // namespace kyuser

HWND CreateUpDownControl(DWORD dwStyle, int x, int y, int cx, int cy, HWND hParent, int nID, HINSTANCE hInst,
                         HWND hBuddy, int nUpper, int nLower, int nPos) {
  HWND h = CreateWindowExA(0, UPDOWN_CLASS, "", dwStyle, x, y, cx, cy, hParent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID)), hInst, nullptr);
  if (!h) return nullptr;
  SendMessageA(h, UDM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper);
  if (hBuddy) SendMessageA(h, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hBuddy), 0);
  SendMessageA(h, UDM_SETPOS32, 0, nPos);
  return h;
}
