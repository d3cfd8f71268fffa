// The dialog manager: dialogs made from templates, their default procedure,
// the keyboard interface (Tab, arrows, Enter, Escape), default push buttons,
// modal loops, and the dialog item calls.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "dlgtemplate.h"
#include "winscreen.h"
#include "wnd.h"

namespace kyuser {
namespace {

struct PendingDialog {
  DLGPROC proc = nullptr;
  HFONT font = nullptr;
  bool ownsFont = false;
  int baseX = 0, baseY = 0;
};
PendingDialog* g_pending = nullptr;

bool IsPushButton(HWND h) {
  LRESULT code = SendMessageA(h, WM_GETDLGCODE, 0, 0);
  return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

UINT ButtonType(Wnd* c) {
  if (!c->cls || c->cls->upperName != "BUTTON") return 0xFFFF;
  return c->style & BS_TYPEMASK;
}

bool TabCandidate(Wnd* c) {
  return (c->style & WS_VISIBLE) && !(c->style & WS_DISABLED) && (c->style & WS_TABSTOP);
}

Wnd* FirstTabItem(Wnd* dlg) {
  for (Wnd* c : dlg->children)
    if (TabCandidate(c)) return c;
  return nullptr;
}

// The id a dialog's Enter presses: a push button with the focus, else the default one.
int DefaultId(Wnd* dlg) {
  LRESULT r = Send(dlg, DM_GETDEFID, 0, 0);
  if (HIWORD(r) == DC_HASDEFID) return LOWORD(r);
  return IDOK;
}

void RestoreFocus(Wnd* dlg) {
  Wnd* f = FromHandleQuiet(dlg->dlgFocus);
  if (!f || !IsChild(dlg->handle, f->handle) || !(f->style & WS_VISIBLE) || (f->style & WS_DISABLED))
    f = FirstTabItem(dlg);
  if (f) SetFocus(f->handle);
}

void SelectAllIfEdit(HWND h) {
  if (SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(h, EM_SETSEL, 0, -1);
}

}  // namespace

LRESULT CALLBACK DialogClassProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefDlgProcA(h, m, w, l); }

}  // namespace kyuser

using namespace kyuser;

LRESULT DefDlgProcA(HWND hDlg, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* d = FromHandleQuiet(hDlg);
  if (!d) return 0;
  WndRef keep(d);
  if (msg == WM_NCCREATE && g_pending) {
    d->isDialog = true;
    d->dlgProc = g_pending->proc;
    d->dlgFont = g_pending->font;
    d->dlgOwnsFont = g_pending->ownsFont;
    d->dlgBaseX = g_pending->baseX;
    d->dlgBaseY = g_pending->baseY;
    g_pending->ownsFont = false;  // the dialog has it now
    g_pending = nullptr;
  }
  if (d->dlgProc) {
    d->dlgResult = 0;
    INT_PTR r = d->dlgProc(hDlg, msg, wp, lp);
    if (d->dead) return r;
    // These messages take the dialog procedure's result itself; the others
    // the result it set with DWLP_MSGRESULT.
    bool direct = IsCtlColor(msg) || msg == WM_COMPAREITEM || msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM ||
                  msg == WM_QUERYDRAGICON || msg == WM_INITDIALOG;
    if (r) return direct ? r : d->dlgResult;
  }
  switch (msg) {
    case WM_ERASEBKGND: {
      HDC hdc = reinterpret_cast<HDC>(wp);
      HBRUSH br = reinterpret_cast<HBRUSH>(SendMessageA(hDlg, WM_CTLCOLORDLG, wp, reinterpret_cast<LPARAM>(hDlg)));
      if (!br) br = GetSysColorBrush(COLOR_3DFACE);
      RECT rc{0, 0, d->ClientWidth(), d->ClientHeight()};
      FillRect(hdc, &rc, br);
      return 1;
    }
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND f = GetFocus();
        if (f && IsChild(hDlg, f)) d->dlgFocus = f;
      } else {
        RestoreFocus(d);
      }
      return 0;
    case WM_SETFOCUS:
      RestoreFocus(d);
      return 0;
    case WM_CLOSE: {
      HWND cancel = GetDlgItem(hDlg, IDCANCEL);
      if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return 0;
      }
      PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      return 0;
    }
    case WM_NEXTDLGCTL: {
      HWND target = nullptr;
      if (LOWORD(lp))
        target = reinterpret_cast<HWND>(wp);
      else
        target = GetNextDlgTabItem(hDlg, GetFocus(), wp != 0);
      if (target) {
        SetFocus(target);
        SelectAllIfEdit(target);
      }
      return 0;
    }
    case DM_GETDEFID: {
      HANDLE stored = GetPropA(hDlg, "KyDefId");
      if (stored) return MAKELONG(reinterpret_cast<uintptr_t>(stored) & 0xFFFF, DC_HASDEFID);
      for (Wnd* c : d->children)
        if (ButtonType(c) == BS_DEFPUSHBUTTON) return MAKELONG(c->id, DC_HASDEFID);
      return 0;
    }
    case DM_SETDEFID: {
      int id = static_cast<int>(wp);
      for (Wnd* c : d->children) {
        UINT t = ButtonType(c);
        if (t == BS_DEFPUSHBUTTON && static_cast<int>(c->id) != id)
          SendMessageA(c->handle, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        else if (t == BS_PUSHBUTTON && static_cast<int>(c->id) == id)
          SendMessageA(c->handle, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
      }
      SetPropA(hDlg, "KyDefId", reinterpret_cast<HANDLE>(static_cast<uintptr_t>(id)));
      return TRUE;
    }
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(d->dlgFont);
    case WM_SETFONT:
      return 0;
    case WM_INITDIALOG:
      return TRUE;
  }
  return DefWindowProcA(hDlg, msg, wp, lp);
}

namespace {

HFONT TemplateFont(const KyDialogInfo& t, bool* owns) {
  *owns = false;
  if (!(t.style & DS_SETFONT)) return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  if (t.pointSize == 0x7FFF) return DefaultGuiFont();  // the message box font
  LOGFONTA lf{};
  lf.lfHeight = -MulDiv(t.pointSize, 96, 72);
  lf.lfWeight = t.weight;
  lf.lfItalic = t.italic;
  lf.lfCharSet = t.charset;
  strncpy(lf.lfFaceName, t.faceName.c_str(), LF_FACESIZE - 1);
  HFONT f = CreateFontIndirectA(&lf);
  if (!f) return DefaultGuiFont();
  *owns = true;
  return f;
}

RECT DluToPixels(int bx, int by, short x, short y, short cx, short cy) {
  RECT r{MulDiv(x, bx, 4), MulDiv(y, by, 8), 0, 0};
  r.right = r.left + MulDiv(cx, bx, 4);
  r.bottom = r.top + MulDiv(cy, by, 8);
  return r;
}

}  // namespace

HWND KyCreateDialogFromInfo(HINSTANCE hInstance, const KyDialogInfo& t, HWND hWndParent, DLGPROC proc,
                            LPARAM param) {
  PendingDialog pending;
  pending.proc = proc;
  pending.font = TemplateFont(t, &pending.ownsFont);
  KyFontBaseUnits(pending.font, &pending.baseX, &pending.baseY);
  int bx = pending.baseX, by = pending.baseY;

  DWORD style = t.style & ~WS_VISIBLE;
  DWORD exStyle = t.exStyle;
  if (style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
  if (style & DS_CONTROL) {
    style = (style & ~(WS_CAPTION | WS_SYSMENU | WS_POPUP)) | WS_CHILD;
    exStyle |= WS_EX_CONTROLPARENT;
  }
  RECT client = DluToPixels(bx, by, t.x, t.y, t.cx, t.cy);
  RECT win{0, 0, client.right - client.left, client.bottom - client.top};
  AdjustWindowRectEx(&win, style, FALSE, exStyle);
  int x = client.left, y = client.top;
  Wnd* owner = hWndParent ? FromHandleQuiet(hWndParent) : nullptr;
  if (!(style & WS_CHILD)) {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner && !(style & DS_ABSALIGN)) {
      POINT o = ClientOrigin(owner);
      x += o.x;
      y += o.y;
    }
    if (style & DS_CENTER) {
      RECT ref = owner ? ScreenWindowRect(FromHandleQuiet(GetAncestor(owner->handle, GA_ROOT))) : area;
      x = (ref.left + ref.right - (win.right - win.left)) / 2;
      y = (ref.top + ref.bottom - (win.bottom - win.top)) / 2;
    }
    // Keep the dialog on the screen.
    x = std::max<int>(0, std::min<int>(x, area.right - (win.right - win.left)));
    y = std::max<int>(0, std::min<int>(y, area.bottom - (win.bottom - win.top)));
  }
  const char* cls = t.className.empty() ? "#32770" : t.className.c_str();
  g_pending = &pending;
  HWND hDlg = CreateWindowExA(exStyle, cls, t.caption.c_str(), style, x, y, win.right - win.left,
                              win.bottom - win.top, hWndParent, nullptr, hInstance, nullptr);
  g_pending = nullptr;
  if (!hDlg) {
    if (pending.ownsFont) DeleteObject(pending.font);
    return nullptr;
  }
  Wnd* d = FromHandleQuiet(hDlg);
  if (!d->isDialog) {
    // A class of its own that does not go through DefDlgProc still gets the dialog's data.
    d->isDialog = true;
    d->dlgProc = proc;
    d->dlgFont = pending.font;
    d->dlgOwnsFont = pending.ownsFont;
    d->dlgBaseX = bx;
    d->dlgBaseY = by;
  }
  HFONT font = d->dlgFont;
  SendMessageA(hDlg, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (const KyDialogItemInfo& it : t.items) {
    if (!IsWindow(hDlg)) return nullptr;
    RECT r = DluToPixels(bx, by, it.x, it.y, it.cx, it.cy);
    DWORD cs = (it.style | WS_CHILD) & ~WS_POPUP;
    DWORD cex = it.exStyle | WS_EX_NOPARENTNOTIFY;
    // Dialogs of this generation give bordered controls the sunken 3-D edge.
    if ((cs & WS_BORDER) && !(it.className == "Button" || it.className == "BUTTON")) {
      cs &= ~WS_BORDER;
      cex |= WS_EX_CLIENTEDGE;
    }
    std::string title = it.title;
    LPCSTR name = title.c_str();
    if (it.titleOrdinal) name = MAKEINTRESOURCE(it.titleOrdinal);
    HWND hc = CreateWindowExA(cex, it.className.c_str(), name, cs, r.left, r.top, r.right - r.left,
                              r.bottom - r.top, hDlg, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(it.id & 0xFFFF)),
                              hInstance, it.creationData.empty() ? nullptr : const_cast<BYTE*>(it.creationData.data()));
    if (!hc) {
      if (t.style & DS_NOFAILCREATE) continue;
      DWORD err = GetLastError();
      DestroyWindow(hDlg);
      SetLastError(err ? err : ERROR_CANNOT_FIND_WND_CLASS);
      return nullptr;
    }
    SendMessageA(hc, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  if (!IsWindow(hDlg)) return nullptr;
  Wnd* first = FirstTabItem(d);
  HWND hFirst = first ? first->handle : nullptr;
  LRESULT focusDefault = SendMessageA(hDlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(hFirst), param);
  if (!IsWindow(hDlg)) return nullptr;
  if (focusDefault && hFirst && IsWindow(hFirst)) {
    d->dlgFocus = hFirst;
    if (!(style & WS_CHILD) && (t.style & WS_VISIBLE)) {
      // the focus is given when the dialog is shown and activated
    } else if (style & WS_CHILD) {
      SetFocus(hFirst);
    }
    SelectAllIfEdit(hFirst);
  } else if (!focusDefault) {
    HWND f = GetFocus();
    if (f && IsChild(hDlg, f)) d->dlgFocus = f;
  }
  if (t.style & WS_VISIBLE) ShowWindow(hDlg, SW_SHOWNORMAL);
  return hDlg;
}

namespace {

BOOL LoadTemplate(HINSTANCE hInstance, LPCSTR name, KyDialogInfo* info) {
  HRSRC r = FindResource(hInstance, name, RT_DIALOG);
  if (!r) return FALSE;
  HGLOBAL g = LoadResource(hInstance, r);
  const void* p = LockResource(g);
  DWORD n = SizeofResource(hInstance, r);
  if (!p) return FALSE;
  return KyParseDialogTemplate(p, n, info);
}

// A template whose size nobody told: read no further than its own counts lead.
BOOL ParseUnsized(LPCDLGTEMPLATE t, KyDialogInfo* info) { return KyParseDialogTemplate(t, 1u << 20, info); }

}  // namespace

HWND CreateDialogIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATE t, HWND hParent, DLGPROC proc, LPARAM param) {
  KyDialogInfo info;
  if (!t || !ParseUnsized(t, &info)) return nullptr;
  return KyCreateDialogFromInfo(hInstance, info, hParent, proc, param);
}

HWND CreateDialogParamA(HINSTANCE hInstance, LPCSTR name, HWND hParent, DLGPROC proc, LPARAM param) {
  KyDialogInfo info;
  if (!LoadTemplate(hInstance, name, &info)) return nullptr;
  return KyCreateDialogFromInfo(hInstance, info, hParent, proc, param);
}

INT_PTR KyRunDialogLoop(HWND hDlg) {
  Wnd* d = FromHandleQuiet(hDlg);
  if (!d) return -1;
  ShowWindow(hDlg, SW_SHOWNORMAL);
  UpdateWindow(hDlg);
  while (IsWindow(hDlg) && !d->dlgEnded) {
    MSG m;
    BOOL got = GetMessageA(&m, nullptr, 0, 0);
    if (got == -1) return -1;
    if (got == FALSE) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (!IsDialogMessageA(hDlg, &m)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
  if (!IsWindow(hDlg)) return -1;
  return d->dlgEndResult;
}

namespace {
INT_PTR RunModal(HINSTANCE hInstance, const KyDialogInfo& info, HWND hParent, DLGPROC proc, LPARAM param) {
  HWND owner = hParent ? GetAncestor(hParent, GA_ROOT) : nullptr;
  bool disabledOwner = false;
  if (owner && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    disabledOwner = true;
  }
  KyDialogInfo t = info;
  t.style |= WS_VISIBLE;
  HWND hDlg = KyCreateDialogFromInfo(hInstance, t, owner, proc, param);
  INT_PTR result = -1;
  if (hDlg) {
    result = KyRunDialogLoop(hDlg);
    if (disabledOwner && owner) EnableWindow(owner, TRUE);
    disabledOwner = false;
    if (owner && IsWindow(owner)) SetActiveWindow(owner);
    if (IsWindow(hDlg)) DestroyWindow(hDlg);
  }
  if (disabledOwner && owner && IsWindow(owner)) EnableWindow(owner, TRUE);
  return result;
}
}  // namespace

INT_PTR DialogBoxIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATE t, HWND hParent, DLGPROC proc, LPARAM param) {
  KyDialogInfo info;
  if (!t || !ParseUnsized(t, &info)) return -1;
  return RunModal(hInstance, info, hParent, proc, param);
}

INT_PTR DialogBoxParamA(HINSTANCE hInstance, LPCSTR name, HWND hParent, DLGPROC proc, LPARAM param) {
  KyDialogInfo info;
  if (!LoadTemplate(hInstance, name, &info)) return -1;
  return RunModal(hInstance, info, hParent, proc, param);
}

BOOL EndDialog(HWND hDlg, INT_PTR result) {
  Wnd* d = FromHandle(hDlg);
  if (!d || !d->isDialog) return FALSE;
  d->dlgEnded = true;
  d->dlgEndResult = result;
  // Wake the loop that waits for it.
  PostMessageA(hDlg, WM_NULL, 0, 0);
  return TRUE;
}

BOOL KyDialogEnded(HWND hDlg, INT_PTR* result) {
  Wnd* d = FromHandleQuiet(hDlg);
  if (!d || !d->dlgEnded) return FALSE;
  if (result) *result = d->dlgEndResult;
  return TRUE;
}

void KyDialogResetEnd(HWND hDlg) {
  if (Wnd* d = FromHandleQuiet(hDlg)) d->dlgEnded = false;
}

BOOL IsDialogMessageA(HWND hDlg, LPMSG m) {
  if (!m) return FALSE;
  Wnd* d = FromHandleQuiet(hDlg);
  if (!d) return FALSE;
  if (m->hwnd != hDlg && !IsChild(hDlg, m->hwnd)) return FALSE;
  if (m->message == WM_KEYDOWN) {
    LRESULT code = SendMessageA(m->hwnd, WM_GETDLGCODE, m->wParam, reinterpret_cast<LPARAM>(m));
    if (!IsWindow(hDlg)) return TRUE;
    bool all = (code & DLGC_WANTALLKEYS) != 0;
    switch (m->wParam) {
      case VK_TAB:
        if (all || (code & DLGC_WANTTAB)) break;
        SendMessageA(hDlg, WM_NEXTDLGCTL, (GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0, 0);
        return TRUE;
      case VK_LEFT:
      case VK_UP:
      case VK_RIGHT:
      case VK_DOWN: {
        if (all || (code & DLGC_WANTARROWS)) break;
        bool prev = m->wParam == VK_LEFT || m->wParam == VK_UP;
        HWND next = GetNextDlgGroupItem(hDlg, GetFocus(), prev);
        if (next) {
          SetFocus(next);
          LRESULT c2 = SendMessageA(next, WM_GETDLGCODE, 0, 0);
          if ((c2 & DLGC_RADIOBUTTON)) SendMessageA(next, BM_CLICK, 0, 0);
          else SelectAllIfEdit(next);
        }
        return TRUE;
      }
      case VK_RETURN: {
        if (all) break;
        HWND f = GetFocus();
        int id;
        HWND btn;
        if (f && IsChild(hDlg, f) && IsPushButton(f) && IsWindowEnabled(f)) {
          id = GetDlgCtrlID(f);
          btn = f;
        } else {
          id = DefaultId(d);
          btn = GetDlgItem(hDlg, id);
          if (btn && (!IsWindowEnabled(btn) || !IsWindowVisible(btn))) {
            MessageBeep(0);
            return TRUE;
          }
        }
        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(btn));
        return TRUE;
      }
      case VK_ESCAPE: {
        if (all) break;
        HWND cancel = GetDlgItem(hDlg, IDCANCEL);
        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return TRUE;
      }
    }
  }
  TranslateMessage(m);
  DispatchMessageA(m);
  return TRUE;
}

HWND GetDlgItem(HWND hDlg, int id) {
  Wnd* d = FromHandle(hDlg);
  if (!d) return nullptr;
  for (Wnd* c : d->children)
    if (static_cast<int>(static_cast<WORD>(c->id)) == static_cast<int>(static_cast<WORD>(id)) ||
        static_cast<int>(c->id) == id)
      return c->handle;
  SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return nullptr;
}

BOOL SetDlgItemTextA(HWND hDlg, int id, LPCSTR s) {
  HWND h = GetDlgItem(hDlg, id);
  return h ? SetWindowTextA(h, s) : FALSE;
}

UINT GetDlgItemTextA(HWND hDlg, int id, LPSTR buf, int n) {
  HWND h = GetDlgItem(hDlg, id);
  if (!h) {
    if (buf && n > 0) buf[0] = 0;
    return 0;
  }
  return static_cast<UINT>(GetWindowTextA(h, buf, n));
}

BOOL SetDlgItemInt(HWND hDlg, int id, UINT v, BOOL bSigned) {
  char buf[32];
  if (bSigned)
    snprintf(buf, sizeof buf, "%d", static_cast<int>(v));
  else
    snprintf(buf, sizeof buf, "%u", v);
  return SetDlgItemTextA(hDlg, id, buf);
}

UINT GetDlgItemInt(HWND hDlg, int id, BOOL* ok, BOOL bSigned) {
  if (ok) *ok = FALSE;
  char buf[64];
  HWND h = GetDlgItem(hDlg, id);
  if (!h) return 0;
  GetWindowTextA(h, buf, sizeof buf);
  const char* p = buf;
  while (*p == ' ' || *p == '\t') ++p;
  bool neg = false;
  if (bSigned && (*p == '-' || *p == '+')) neg = *p++ == '-';
  if (*p < '0' || *p > '9') return 0;
  unsigned long long v = 0;
  while (*p >= '0' && *p <= '9') {
    v = v * 10 + static_cast<unsigned>(*p++ - '0');
    if (v > 0xFFFFFFFFull) return 0;
  }
  while (*p == ' ' || *p == '\t') ++p;
  if (*p) return 0;
  if (bSigned) {
    if ((!neg && v > 0x7FFFFFFFull) || (neg && v > 0x80000000ull)) return 0;
    if (ok) *ok = TRUE;
    return static_cast<UINT>(neg ? -static_cast<long long>(v) : static_cast<long long>(v));
  }
  if (ok) *ok = TRUE;
  return static_cast<UINT>(v);
}

BOOL CheckDlgButton(HWND hDlg, int id, UINT check) {
  HWND h = GetDlgItem(hDlg, id);
  if (!h) return FALSE;
  SendMessageA(h, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND hDlg, int id) {
  HWND h = GetDlgItem(hDlg, id);
  return h ? static_cast<UINT>(SendMessageA(h, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND hDlg, int first, int last, int check) {
  if (!FromHandle(hDlg)) return FALSE;
  for (int id = first; id <= last; ++id)
    if (HWND h = GetDlgItem(hDlg, id)) SendMessageA(h, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
  return TRUE;
}

LRESULT SendDlgItemMessageA(HWND hDlg, int id, UINT msg, WPARAM wp, LPARAM lp) {
  HWND h = GetDlgItem(hDlg, id);
  return h ? SendMessageA(h, msg, wp, lp) : 0;
}

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL prev) {
  Wnd* d = FromHandle(hDlg);
  if (!d) return nullptr;
  auto& kids = d->children;
  int n = static_cast<int>(kids.size());
  if (n == 0) return nullptr;
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (kids[i]->handle == hCtl) start = i;
  if (start < 0) {
    // No control given: the first (or, backwards, the last) tab stop.
    if (prev) {
      for (int i = n - 1; i >= 0; --i)
        if (TabCandidate(kids[i])) return kids[i]->handle;
    } else {
      for (int i = 0; i < n; ++i)
        if (TabCandidate(kids[i])) return kids[i]->handle;
    }
    return nullptr;
  }
  for (int k = 1; k <= n; ++k) {
    int i = prev ? (start - k + n * 2) % n : (start + k) % n;
    if (TabCandidate(kids[i])) return kids[i]->handle;
  }
  return hCtl;
}

HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL prev) {
  Wnd* d = FromHandle(hDlg);
  if (!d) return nullptr;
  auto& kids = d->children;
  int n = static_cast<int>(kids.size());
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (kids[i]->handle == hCtl) at = i;
  if (at < 0) return nullptr;
  // The group runs from the control with WS_GROUP at or before hCtl to the next one.
  int first = at;
  while (first > 0 && !(kids[first]->style & WS_GROUP)) --first;
  int last = at + 1;
  while (last < n && !(kids[last]->style & WS_GROUP)) ++last;
  int len = last - first;
  for (int k = 1; k < len; ++k) {
    int i = first + (prev ? (at - first - k + len * 2) % len : (at - first + k) % len);
    Wnd* c = kids[i];
    if ((c->style & WS_VISIBLE) && !(c->style & WS_DISABLED)) return c->handle;
  }
  return hCtl;
}

BOOL MapDialogRect(HWND hDlg, LPRECT r) {
  Wnd* d = FromHandle(hDlg);
  if (!d || !r || !d->isDialog) return FALSE;
  r->left = MulDiv(r->left, d->dlgBaseX, 4);
  r->right = MulDiv(r->right, d->dlgBaseX, 4);
  r->top = MulDiv(r->top, d->dlgBaseY, 8);
  r->bottom = MulDiv(r->bottom, d->dlgBaseY, 8);
  return TRUE;
}
