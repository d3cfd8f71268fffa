// The tooltip control ("tooltips_class32").
//
// A tooltip keeps a list of tools (a window, or a rectangle of a window's
// client area) and watches the mouse messages its tools' windows relay to
// it. It moves through three states:
//
//   idle --mouse enters a tool--> waiting --initial delay, still there--> shown
//     ^                              |                                      |
//     +-- leaves / button / inactive-+<--- leaves, button, autopop delay ---+
//
// Moving from one tool to another within the reshow delay after a tip went
// away shows the next tip after the reshow delay instead of the initial one.
// After a button press the tip stays away until the mouse leaves the tool.
//
// Text is asked for when the tip is shown, so a callback tool always shows
// what its window says now.
//
// Messages: the TTM_ messages the framework's CToolTipCtrl, the toolbar and
// the dialogs send (tools, texts, relayed mouse messages, delays, colours,
// width, TTM_POP); not tracking tips, margins, TTM_SETTOOLINFO,
// TTM_GETCURRENTTOOL, TTM_WINDOWFROMPOINT, TTM_POPUP or TTM_UPDATE, which
// nothing here sends.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "codepage.h"
#include "cc_common.h"

namespace kyuser {
namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
constexpr int kDefaultInitial = 500;

struct Tool {
  UINT uFlags = 0;
  HWND hwnd = nullptr;
  UINT_PTR uId = 0;
  RECT rect{};
  HINSTANCE hinst = nullptr;
  bool callback = false;
  UINT textId = 0;  // a string of hinst, when not 0
  std::string text;
  LPARAM lParam = 0;
};

struct TooltipState : ControlState {
  std::vector<Tool> tools;
  bool active = true;
  int current = -1;  // the tool under the mouse
  bool shown = false;
  bool suppressed = false;
  bool waiting = false;
  DWORD lastPop = 0;
  bool everPopped = false;
  int initial = kDefaultInitial, autopop = kDefaultInitial * 10, reshow = kDefaultInitial / 5;
  COLORREF bk = GetSysColor(COLOR_INFOBK), fg = GetSysColor(COLOR_INFOTEXT);
  int maxWidth = -1;
  RECT margin{0, 0, 0, 0};
  std::string shownText;
};

TooltipState* State(Wnd* w) { return StateOf<TooltipState>(w); }

bool SameTool(const Tool& t, const TOOLINFOA* ti) { return t.hwnd == ti->hwnd && t.uId == ti->uId; }

int Find(TooltipState* s, const TOOLINFOA* ti) {
  if (!ti) return -1;
  for (size_t i = 0; i < s->tools.size(); ++i)
    if (SameTool(s->tools[i], ti)) return static_cast<int>(i);
  return -1;
}

bool ValidInfo(const TOOLINFOA* ti) { return ti && ti->cbSize >= TTTOOLINFOA_V1_SIZE; }

// Text fields of a TOOLINFO: a callback, a string id of hinst, or the text.
void SetText(Tool& t, const TOOLINFOA* ti) {
  t.callback = false;
  t.textId = 0;
  t.text.clear();
  if (ti->lpszText == LPSTR_TEXTCALLBACKA) {
    t.callback = true;
  } else if (ti->lpszText && IS_INTRESOURCE(ti->lpszText)) {
    t.textId = static_cast<UINT>(reinterpret_cast<uintptr_t>(ti->lpszText));
  } else if (ti->lpszText) {
    t.text = ti->lpszText;
  }
}

void FillInfo(const Tool& t, TOOLINFOA* ti, bool withText) {
  ti->uFlags = t.uFlags;
  ti->hwnd = t.hwnd;
  ti->uId = t.uId;
  ti->rect = t.rect;
  ti->hinst = t.hinst;
  if (ti->cbSize >= TTTOOLINFOA_V2_SIZE) ti->lParam = t.lParam;
  if (!withText) return;
  if (t.callback) {
    ti->lpszText = LPSTR_TEXTCALLBACKA;
  } else if (t.textId) {
    ti->lpszText = MAKEINTRESOURCE(t.textId);
  } else if (ti->lpszText && !IS_INTRESOURCE(ti->lpszText) && ti->lpszText != LPSTR_TEXTCALLBACKA) {
    // The caller's buffer is taken to hold a tooltip's 80 characters.
    size_t n = std::min<size_t>(t.text.size(), 79);
    std::memcpy(ti->lpszText, t.text.data(), n);
    ti->lpszText[n] = 0;
  }
}

// UTF-16 code units, one per WCHAR, to the ANSI code page.
std::string FromWide(const WCHAR* p, size_t max) {
  std::string utf8;
  for (size_t i = 0; i < max && p[i]; ++i) {
    uint32_t c = static_cast<uint32_t>(p[i]);
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < max && p[i + 1] >= 0xDC00 && p[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<uint32_t>(p[++i]) - 0xDC00);
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      utf8 += static_cast<char>(0xE0 | (c >> 12));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | (c >> 18));
      utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  std::string out;
  if (!AfxUtf8ToCodePage(utf8, out)) out = "?";
  return out;
}

std::string LoadText(HINSTANCE hinst, UINT id) {
  char buf[1024];
  int n = LoadString(hinst, id, buf, sizeof buf);
  return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

// Asks the tool's window for the text (TTN_NEEDTEXTA, or W when the window
// says it speaks Unicode).
// The owner's text in the character form of DI: from a string resource,
// from the notification's own buffer, or from a string of the owner's.
std::string DispText(const NMTTDISPINFOW& di) {
  if (di.lpszText == di.szText) return FromWide(di.szText, std::size(di.szText));
  if (di.lpszText && !IS_INTRESOURCE(di.lpszText)) return FromWide(di.lpszText, 4096);
  return std::string();
}
std::string DispText(const NMTTDISPINFOA& di) {
  if (di.lpszText == di.szText) return std::string(di.szText, strnlen(di.szText, sizeof di.szText));
  if (di.lpszText && !IS_INTRESOURCE(di.lpszText) && di.lpszText != LPSTR_TEXTCALLBACKA) return di.lpszText;
  return std::string();
}

// Asks the owner for the tool's text with TTN_GETDISPINFOA/W; the two forms
// differ only in their characters. FALSE when the tooltip went away while
// the owner answered.
template <class DI>
bool AskOwner(Wnd* w, const Tool& t, HWND to, UINT code, std::string* text, HINSTANCE* hinst, UINT* flags) {
  DI di{};
  di.hdr = NMHDR{w->handle, t.uId, code};
  di.lpszText = di.szText;
  di.uFlags = t.uFlags;
  di.lParam = t.lParam;
  SendMessageA(to, WM_NOTIFY, t.uId, reinterpret_cast<LPARAM>(&di));
  if (!FromHandleQuiet(w->handle)) return false;
  *hinst = di.hinst;
  *flags = di.uFlags;
  if (di.hinst && di.lpszText && IS_INTRESOURCE(di.lpszText))
    *text = LoadText(di.hinst, static_cast<UINT>(reinterpret_cast<uintptr_t>(di.lpszText)));
  else
    *text = DispText(di);
  return true;
}

std::string AskText(Wnd* w, Tool& t) {
  HWND to = t.hwnd;
  if (!to || !IsWindow(to)) return std::string();
  bool wide = SendMessageA(to, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(w->handle), NF_QUERY) == NFR_UNICODE;
  std::string text;
  HINSTANCE hinst = nullptr;
  UINT flags = 0;
  bool alive = wide ? AskOwner<NMTTDISPINFOW>(w, t, to, TTN_GETDISPINFOW, &text, &hinst, &flags)
                    : AskOwner<NMTTDISPINFOA>(w, t, to, TTN_GETDISPINFOA, &text, &hinst, &flags);
  if (!alive) return std::string();
  if (flags & TTF_DI_SETITEM) {
    // The window's answer stands from now on.
    t.callback = false;
    t.text = text;
    t.hinst = hinst;
  }
  return text;
}

std::string TextOf(Wnd* w, Tool& t) {
  if (t.callback) return AskText(w, t);
  if (t.textId) return LoadText(t.hinst, t.textId);
  return t.text;
}

// The tool under a point of hwnd's client area: rectangle tools first, then
// the window tools.
int ToolAt(TooltipState* s, HWND hwnd, POINT p) {
  for (size_t i = 0; i < s->tools.size(); ++i) {
    const Tool& t = s->tools[i];
    if (!(t.uFlags & TTF_IDISHWND) && t.hwnd == hwnd && PtInRect(&t.rect, p)) return static_cast<int>(i);
  }
  for (size_t i = 0; i < s->tools.size(); ++i) {
    const Tool& t = s->tools[i];
    if ((t.uFlags & TTF_IDISHWND) && reinterpret_cast<HWND>(t.uId) == hwnd) return static_cast<int>(i);
  }
  return -1;
}

// Whether the mouse is still over tool i.
bool MouseOver(TooltipState* s, int i) {
  if (i < 0 || i >= static_cast<int>(s->tools.size())) return false;
  const Tool& t = s->tools[static_cast<size_t>(i)];
  POINT p;
  GetCursorPos(&p);
  HWND under = WindowFromPoint(p);
  if (t.uFlags & TTF_IDISHWND) {
    HWND tool = reinterpret_cast<HWND>(t.uId);
    return under == tool || IsChild(tool, under);
  }
  if (under != t.hwnd) return false;
  ScreenToClient(t.hwnd, &p);
  return PtInRect(&t.rect, p) != 0;
}

HFONT TipFont(Wnd* w) { return w->font ? w->font : DefaultGuiFont(); }

SIZE TipSize(Wnd* w, TooltipState* s, const std::string& text) {
  HDC hdc = GetDC(nullptr);
  HGDIOBJ of = SelectObject(hdc, TipFont(w));
  RECT r{0, 0, s->maxWidth > 0 ? s->maxWidth : 0, 0};
  UINT fmt = DT_CALCRECT | DT_NOPREFIX | (s->maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
  if (s->maxWidth <= 0 && text.find('\n') != std::string::npos) fmt &= ~static_cast<UINT>(DT_SINGLELINE);
  DrawTextA(hdc, text.c_str(), -1, &r, fmt);
  SelectObject(hdc, of);
  ReleaseDC(nullptr, hdc);
  // One pixel of border and three of padding on each side.
  return SIZE{r.right - r.left + 8 + s->margin.left + s->margin.right,
              r.bottom - r.top + 4 + s->margin.top + s->margin.bottom};
}

void Pop(Wnd* w) {
  TooltipState* s = State(w);
  KillTimer(w->handle, kShowTimer);
  KillTimer(w->handle, kPopTimer);
  s->waiting = false;
  if (!s->shown) return;
  s->shown = false;
  s->lastPop = GetTickCount();
  s->everPopped = true;
  ShowWindow(w->handle, SW_HIDE);
  if (s->current >= 0 && s->current < static_cast<int>(s->tools.size())) {
    const Tool& t = s->tools[static_cast<size_t>(s->current)];
    NMHDR nm{w->handle, t.uId, TTN_POP};
    if (t.hwnd) SendMessageA(t.hwnd, WM_NOTIFY, t.uId, reinterpret_cast<LPARAM>(&nm));
  }
}

// Shows tool i at pos (screen); a tool without text shows nothing.
void Show(Wnd* w, int i, POINT pos, bool autopop) {
  TooltipState* s = State(w);
  if (i < 0 || i >= static_cast<int>(s->tools.size())) return;
  std::string text = TextOf(w, s->tools[static_cast<size_t>(i)]);
  if (!FromHandleQuiet(w->handle) || i >= static_cast<int>(s->tools.size())) return;
  if (text.empty()) return;
  const Tool& t = s->tools[static_cast<size_t>(i)];
  s->shownText = text;
  SetWindowTextA(w->handle, text.c_str());
  SIZE sz = TipSize(w, s, text);
  if (t.uFlags & TTF_CENTERTIP) {
    RECT r = t.rect;
    if (t.uFlags & TTF_IDISHWND) GetClientRect(reinterpret_cast<HWND>(t.uId), &r);
    HWND owner = (t.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(t.uId) : t.hwnd;
    POINT bottom{(r.left + r.right) / 2, r.bottom};
    ClientToScreen(owner, &bottom);
    pos = POINT{bottom.x - sz.cx / 2, bottom.y + 2};
  }
  int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  pos.x = std::max(0, std::min<int>(pos.x, sw - sz.cx));
  if (pos.y + sz.cy > sh) pos.y = std::max(0, static_cast<int>(pos.y - sz.cy - 24));
  s->current = i;
  s->shown = true;
  s->waiting = false;
  NMHDR nm{w->handle, t.uId, TTN_SHOW};
  // A window that places the tip itself answers TRUE.
  bool placed = t.hwnd && SendMessageA(t.hwnd, WM_NOTIFY, t.uId, reinterpret_cast<LPARAM>(&nm)) != 0;
  if (!FromHandleQuiet(w->handle)) return;
  UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW | (placed ? SWP_NOMOVE : 0);
  SetWindowPos(w->handle, HWND_TOPMOST, pos.x, pos.y, sz.cx, sz.cy, flags);
  InvalidateRect(w->handle, nullptr, TRUE);
  if (autopop) SetTimer(w->handle, kPopTimer, static_cast<UINT>(s->autopop), nullptr);
}

POINT BelowCursor() {
  POINT p;
  GetCursorPos(&p);
  // Under the arrow, as a person expects the tip: the cursor is about 20 high.
  return POINT{p.x, p.y + 20};
}

void StartWaiting(Wnd* w, int delay) {
  TooltipState* s = State(w);
  s->waiting = true;
  SetTimer(w->handle, kShowTimer, static_cast<UINT>(std::max(delay, 1)), nullptr);
}

void Relay(Wnd* w, const MSG* m) {
  TooltipState* s = State(w);
  if (!m || !m->hwnd) return;
  switch (m->message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      Pop(w);
      s->suppressed = true;
      return;
    case WM_MOUSEMOVE:
      break;
    default:
      return;
  }
  POINT p{GET_X_LPARAM(m->lParam), GET_Y_LPARAM(m->lParam)};
  int tool = ToolAt(s, m->hwnd, p);
  if (tool != s->current) {
    bool wasShown = s->shown;
    Pop(w);
    s->current = tool;
    s->suppressed = false;
    if (tool < 0 || !s->active) return;
    bool quick = wasShown || (s->everPopped && GetTickCount() - s->lastPop < static_cast<DWORD>(s->reshow) + 1);
    StartWaiting(w, quick ? s->reshow : s->initial);
    return;
  }
  if (tool >= 0 && s->active && !s->shown && !s->waiting && !s->suppressed) StartWaiting(w, s->initial);
}

void Paint(Wnd* w, HDC hdc) {
  TooltipState* s = State(w);
  RECT r{0, 0, w->ClientWidth(), w->ClientHeight()};
  HBRUSH bk = CreateSolidBrush(s->bk);
  FillRect(hdc, &r, bk);
  DeleteObject(bk);
  FrameRect(hdc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
  HGDIOBJ of = SelectObject(hdc, TipFont(w));
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, s->fg);
  RECT tr{r.left + 4 + s->margin.left, r.top + 2 + s->margin.top, r.right - 4 - s->margin.right,
          r.bottom - 2 - s->margin.bottom};
  UINT fmt = DT_NOPREFIX | DT_LEFT | (s->maxWidth > 0 ? DT_WORDBREAK : 0);
  if (s->maxWidth <= 0 && s->shownText.find('\n') == std::string::npos) fmt |= DT_SINGLELINE;
  DrawTextA(hdc, s->shownText.c_str(), -1, &tr, fmt);
  SelectObject(hdc, of);
}

// ---------------------------------------------------------------- messages
// A tip is a topmost popup whatever its maker asked for, and shows no frame.
LRESULT OnCreate(Wnd* w) {
  w->style &= ~static_cast<DWORD>(WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME);
  w->exStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  w->exStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME);
  return 0;
}

LRESULT OnTimer(Wnd* w, TooltipState* s, WPARAM id, LPARAM lp) {
  if (id == kShowTimer) {
    KillTimer(w->handle, kShowTimer);
    s->waiting = false;
    if (s->active && MouseOver(s, s->current)) Show(w, s->current, BelowCursor(), true);
    return 0;
  }
  if (id == kPopTimer) {
    Pop(w);
    s->suppressed = true;  // not again until the mouse leaves the tool
    return 0;
  }
  return DefWindowProcA(w->handle, WM_TIMER, id, lp);
}

LRESULT Activate(Wnd* w, TooltipState* s, bool on) {
  s->active = on;
  if (!s->active) {
    Pop(w);
    s->current = -1;
  }
  return 0;
}

// A tool with the window and id of one already there replaces it.
LRESULT AddTool(TooltipState* s, const TOOLINFOA* ti) {
  if (!ValidInfo(ti)) return FALSE;
  // FIXME: TTF_SUBCLASS is not honoured; the tools' owners relay their messages.
  Tool t;
  t.uFlags = ti->uFlags;
  t.hwnd = ti->hwnd;
  t.uId = ti->uId;
  t.rect = ti->rect;
  t.hinst = ti->hinst;
  if (ti->cbSize >= TTTOOLINFOA_V2_SIZE) t.lParam = ti->lParam;
  SetText(t, ti);
  int i = Find(s, ti);
  if (i >= 0)
    s->tools[static_cast<size_t>(i)] = t;
  else
    s->tools.push_back(t);
  return TRUE;
}

LRESULT DelTool(Wnd* w, TooltipState* s, const TOOLINFOA* ti) {
  int i = Find(s, ti);
  if (i < 0) return 0;
  if (s->current == i) {
    Pop(w);
    s->current = -1;
  } else if (s->current > i) {
    --s->current;
  }
  s->tools.erase(s->tools.begin() + i);
  return 0;
}

LRESULT NewToolRect(TooltipState* s, const TOOLINFOA* ti) {
  int i = Find(s, ti);
  if (i >= 0) s->tools[static_cast<size_t>(i)].rect = ti->rect;
  return 0;
}

LRESULT GetToolInfo(TooltipState* s, TOOLINFOA* ti) {
  int i = ValidInfo(ti) ? Find(s, ti) : -1;
  if (i < 0) return FALSE;
  FillInfo(s->tools[static_cast<size_t>(i)], ti, true);
  return TRUE;
}

LRESULT HitTestMsg(TooltipState* s, TTHITTESTINFOA* hti) {
  if (!hti) return FALSE;
  int i = ToolAt(s, hti->hwnd, hti->pt);
  if (i < 0) return FALSE;
  if (hti->ti.cbSize >= TTTOOLINFOA_V1_SIZE) FillInfo(s->tools[static_cast<size_t>(i)], &hti->ti, false);
  return TRUE;
}

// The tool's text into ti->lpszText, which holds cap characters (80 when
// the caller gives 0, as the home platform assumes).
LRESULT GetText(Wnd* w, TooltipState* s, size_t cap, TOOLINFOA* ti) {
  int i = Find(s, ti);
  if (i < 0 || !ti->lpszText) return 0;
  std::string text = TextOf(w, s->tools[static_cast<size_t>(i)]);
  size_t n = std::min(text.size(), (cap ? cap : 80) - 1);
  std::memcpy(ti->lpszText, text.data(), n);
  ti->lpszText[n] = 0;
  return static_cast<LRESULT>(n);
}

// A tip on show takes the new text at once, where it stands.
LRESULT UpdateTipText(Wnd* w, TooltipState* s, const TOOLINFOA* ti) {
  int i = Find(s, ti);
  if (i < 0) return 0;
  Tool& t = s->tools[static_cast<size_t>(i)];
  if (ti->hinst) t.hinst = ti->hinst;
  SetText(t, ti);
  if (s->shown && s->current == i) {
    RECT wr;
    GetWindowRect(w->handle, &wr);
    Show(w, i, POINT{wr.left, wr.top}, false);
  }
  return 0;
}

LRESULT EnumTools(TooltipState* s, size_t i, TOOLINFOA* ti) {
  if (i >= s->tools.size() || !ValidInfo(ti)) return FALSE;
  FillInfo(s->tools[i], ti, true);
  return TRUE;
}

// A negative time asks for the default.
LRESULT SetDelayTime(TooltipState* s, WPARAM which, int v) {
  switch (which) {
    case TTDT_AUTOMATIC:
      if (v < 0) v = kDefaultInitial;
      s->initial = v, s->autopop = v * 10, s->reshow = v / 5;
      break;
    case TTDT_INITIAL: s->initial = v < 0 ? kDefaultInitial : v; break;
    case TTDT_AUTOPOP: s->autopop = v < 0 ? kDefaultInitial * 10 : v; break;
    case TTDT_RESHOW: s->reshow = v < 0 ? kDefaultInitial / 5 : v; break;
  }
  return 0;
}

LRESULT GetDelayTime(TooltipState* s, WPARAM which) {
  switch (which) {
    case TTDT_INITIAL: return s->initial;
    case TTDT_AUTOPOP: return s->autopop;
    case TTDT_RESHOW: return s->reshow;
  }
  return 0;
}

LRESULT SetColour(Wnd* w, COLORREF* slot, WPARAM c) {
  *slot = static_cast<COLORREF>(c);
  InvalidateRect(w->handle, nullptr, TRUE);
  return 0;
}

LRESULT SetMaxTipWidth(TooltipState* s, LPARAM width) {
  int old = s->maxWidth;
  s->maxWidth = static_cast<int>(width);
  return old;
}

// The TTM_ messages: tools, their texts, delays, colours and width.
LRESULT TooltipMessage(Wnd* w, TooltipState* s, UINT msg, WPARAM wp, LPARAM lp) {
  auto* ti = reinterpret_cast<TOOLINFOA*>(lp);
  switch (msg) {
    case TTM_ACTIVATE: return Activate(w, s, wp != 0);
    case TTM_ADDTOOLA: return AddTool(s, ti);
    case TTM_DELTOOLA: return DelTool(w, s, ti);
    case TTM_NEWTOOLRECTA: return NewToolRect(s, ti);
    case TTM_GETTOOLINFOA: return GetToolInfo(s, ti);
    case TTM_HITTESTA: return HitTestMsg(s, reinterpret_cast<TTHITTESTINFOA*>(lp));
    case TTM_GETTEXTA: return GetText(w, s, wp, ti);
    case TTM_UPDATETIPTEXTA: return UpdateTipText(w, s, ti);
    case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(s->tools.size());
    case TTM_ENUMTOOLSA: return EnumTools(s, wp, ti);
    case TTM_RELAYEVENT: Relay(w, reinterpret_cast<const MSG*>(lp)); return 0;
    case TTM_SETDELAYTIME: return SetDelayTime(s, wp, static_cast<short>(LOWORD(lp)));
    case TTM_GETDELAYTIME: return GetDelayTime(s, wp);
    case TTM_SETTIPBKCOLOR: return SetColour(w, &s->bk, wp);
    case TTM_GETTIPBKCOLOR: return s->bk;
    case TTM_SETTIPTEXTCOLOR: return SetColour(w, &s->fg, wp);
    case TTM_GETTIPTEXTCOLOR: return s->fg;
    case TTM_SETMAXTIPWIDTH: return SetMaxTipWidth(s, lp);
    case TTM_GETMAXTIPWIDTH: return s->maxWidth;
    case TTM_POP: Pop(w); return 0;
  }
  return DefWindowProcA(w->handle, msg, wp, lp);
}

LRESULT CALLBACK TooltipProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FromHandleQuiet(h);
  if (!w) return 0;
  TooltipState* s = State(w);
  switch (msg) {
    case WM_CREATE: return OnCreate(w);
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return PaintControl(w, [w](HDC hdc) { Paint(w, hdc); });
    case WM_PRINTCLIENT: Paint(w, reinterpret_cast<HDC>(wp)); return 0;
    case WM_SETFONT: w->font = reinterpret_cast<HFONT>(wp); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(w->font);
    case WM_TIMER: return OnTimer(w, s, wp, lp);
    case WM_DESTROY:
      KillTimer(h, kShowTimer);
      KillTimer(h, kPopTimer);
      return 0;
  }
  if (msg >= WM_USER) return TooltipMessage(w, s, msg, wp, lp);
  return DefWindowProcA(h, msg, wp, lp);
}

const KyCommonClassRegistrar kReg([] { RegisterCommonClass(TOOLTIPS_CLASS, TooltipProc, CS_SAVEBITS); });

}  // namespace
}  // namespace kyuser
