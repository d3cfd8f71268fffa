// The "Button" class: push and default push buttons, check boxes, radio
// buttons, group boxes, owner-drawn and icon buttons.
//
// Input state lives here (checked, pushed while the mouse holds it, focus);
// the painting below only reads it. A click is a press and a release inside
// the button; only then does an auto check box toggle, an auto radio button
// take the check from its group, and the parent get BN_CLICKED.
#include <algorithm>

#include "ctlutil.h"

namespace kyuser {
namespace {

struct ButtonState : ControlState {
  UINT check = BST_UNCHECKED;
  bool pushed = false;    // drawn pressed
  bool tracking = false;  // the mouse holds it
  bool spaceDown = false;
  HICON icon = nullptr;
  HBITMAP bitmap = nullptr;
};

ButtonState* State(Wnd* w) { return StateOf<ButtonState>(w); }

UINT Type(Wnd* w) { return w->style & BS_TYPEMASK; }
bool IsPush(UINT t) { return t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON || t == BS_USERBUTTON || t == BS_PUSHBOX; }
bool IsCheck(UINT t) { return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE; }
bool IsRadio(UINT t) { return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON; }

bool HasFocus(Wnd* w) { return CurrentFocus() == w->handle; }

// A push button looks like the default one when it is the default and no
// other push button has the focus, or when it has the focus itself.
bool LooksDefault(Wnd* w) {
  UINT t = Type(w);
  if (!IsPush(t)) return false;
  if (HasFocus(w)) return true;
  if (t != BS_DEFPUSHBUTTON) return false;
  Wnd* f = FromHandleQuiet(CurrentFocus());
  if (f && f != w && f->parent == w->parent && f->cls == w->cls && IsPush(Type(f))) return false;
  return true;
}

void Paint(Wnd* w, HDC hdc, UINT action);

void Redraw(Wnd* w, UINT action) {
  if (Type(w) == BS_OWNERDRAW && IsVisibleChain(w)) {
    // Owner-drawn buttons are told what changed right away, as on the home platform.
    HDC hdc = KyUserGetDC(w->handle, TRUE);
    if (hdc) {
      Paint(w, hdc, action);
      KyUserReleaseDC(w->handle, hdc);
    }
    return;
  }
  InvalidateRect(w->handle, nullptr, FALSE);
}

void RedrawSiblingPushButtons(Wnd* w) {
  if (!w->parent) return;
  for (Wnd* s : w->parent->children)
    if (s != w && s->cls == w->cls && IsPush(Type(s))) InvalidateRect(s->handle, nullptr, FALSE);
}

void SetPushed(Wnd* w, bool pushed) {
  ButtonState* s = State(w);
  if (s->pushed == pushed) return;
  s->pushed = pushed;
  if (pushed)
    s->check |= BST_PUSHED;
  else
    s->check &= ~BST_PUSHED;
  Redraw(w, ODA_SELECT);
}

void Click(Wnd* w) {
  ButtonState* s = State(w);
  HWND h = w->handle;
  UINT t = Type(w);
  if (t == BS_AUTOCHECKBOX) {
    s->check = (s->check & ~3u) | ((s->check & BST_CHECKED) ? BST_UNCHECKED : BST_CHECKED);
    Redraw(w, ODA_SELECT);
  } else if (t == BS_AUTO3STATE) {
    UINT c = s->check & 3u;
    s->check = (s->check & ~3u) | (c == BST_UNCHECKED ? BST_CHECKED : c == BST_CHECKED ? BST_INDETERMINATE : BST_UNCHECKED);
    Redraw(w, ODA_SELECT);
  } else if (t == BS_AUTORADIOBUTTON) {
    // Take the check from the others of the group.
    HWND parent = w->parent ? w->parent->handle : nullptr;
    if (parent) {
      HWND it = h;
      for (;;) {
        it = GetNextDlgGroupItem(parent, it, FALSE);
        if (!it || it == h) break;
        Wnd* o = FromHandleQuiet(it);
        if (o && o->cls == w->cls && Type(o) == BS_AUTORADIOBUTTON) SendMessageA(it, BM_SETCHECK, BST_UNCHECKED, 0);
      }
    }
    if (!(s->check & BST_CHECKED)) {
      s->check |= BST_CHECKED;
      Redraw(w, ODA_SELECT);
    }
  }
  if (FromHandleQuiet(h)) NotifyParent(w, BN_CLICKED);
}

void PaintPush(Wnd* w, HDC hdc, ButtonState* s, RECT r) {
  bool disabled = (w->style & WS_DISABLED) != 0;
  bool def = LooksDefault(w);
  HBRUSH br = ControlColor(w, hdc, WM_CTLCOLORBTN);
  (void)br;
  FillRect(hdc, &r, GetSysColorBrush(COLOR_3DFACE));
  RECT e = r;
  if (def) {
    FrameRect(hdc, &e, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&e, -1, -1);
  }
  if (s->pushed) {
    FrameRect(hdc, &e, GetSysColorBrush(COLOR_3DSHADOW));
  } else {
    DrawEdge(hdc, &e, EDGE_RAISED, BF_RECT);
  }
  RECT t = r;
  InflateRect(&t, -3, -3);
  if (s->pushed) OffsetRect(&t, 1, 1);
  SetBkMode(hdc, TRANSPARENT);
  HICON icon = s->icon;
  if ((w->style & BS_ICON) && icon) {
    int size = std::min(t.right - t.left, t.bottom - t.top) >= 32 ? 32 : 16;
    int x = (t.left + t.right - size) / 2, y = (t.top + t.bottom - size) / 2;
    DrawIconEx(hdc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
  } else {
    UINT fmt = DT_SINGLELINE | DT_VCENTER;
    UINT align = w->style & BS_CENTER;
    fmt |= align == BS_LEFT ? DT_LEFT : align == BS_RIGHT ? DT_RIGHT : DT_CENTER;
    if (w->style & BS_MULTILINE) fmt = (fmt & ~(DT_SINGLELINE | DT_VCENTER)) | DT_WORDBREAK;
    if (disabled) {
      DrawDisabledText(hdc, w->text.c_str(), -1, t, fmt);
    } else {
      SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
      DrawTextA(hdc, w->text.c_str(), -1, &t, fmt);
    }
  }
  if (HasFocus(w)) {
    RECT f = r;
    InflateRect(&f, def ? -4 : -3, def ? -4 : -3);
    DrawFocusRect(hdc, &f);
  }
}

void PaintCheck(Wnd* w, HDC hdc, ButtonState* s, RECT r) {
  bool disabled = (w->style & WS_DISABLED) != 0;
  HBRUSH br = ControlColor(w, hdc, WM_CTLCOLORSTATIC);
  FillRect(hdc, &r, br);
  UINT t = Type(w);
  const int box = 13;
  bool leftText = (w->style & BS_LEFTTEXT) != 0;
  int by = (r.top + r.bottom - box) / 2;
  RECT b = leftText ? RECT{r.right - box, by, r.right, by + box} : RECT{r.left, by, r.left + box, by + box};
  UINT st = IsRadio(t) ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
  if (s->check & (BST_CHECKED | BST_INDETERMINATE)) st |= DFCS_CHECKED;
  if (s->pushed) st |= DFCS_PUSHED;
  if (disabled || (s->check & BST_INDETERMINATE)) st |= DFCS_INACTIVE;
  DrawFrameControl(hdc, &b, DFC_BUTTON, st);
  RECT tr = r;
  if (leftText)
    tr.right = b.left - 4;
  else
    tr.left = b.right + 4;
  UINT fmt = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
  if (w->style & BS_MULTILINE) fmt = DT_WORDBREAK | DT_LEFT;
  SetBkMode(hdc, TRANSPARENT);
  if (disabled)
    DrawDisabledText(hdc, w->text.c_str(), -1, tr, fmt);
  else
    DrawTextA(hdc, w->text.c_str(), -1, &tr, fmt);
  if (HasFocus(w) && !w->text.empty()) {
    RECT calc = tr;
    DrawTextA(hdc, w->text.c_str(), -1, &calc, fmt | DT_CALCRECT);
    int h = calc.bottom - calc.top;
    RECT f{tr.left - 1, (tr.top + tr.bottom - h) / 2 - 1, std::min<LONG>(calc.right + 1, r.right),
           (tr.top + tr.bottom + h) / 2 + 1};
    DrawFocusRect(hdc, &f);
  }
}

void PaintGroup(Wnd* w, HDC hdc, RECT r) {
  int h = FontHeight(hdc);
  RECT frame = r;
  frame.top += h / 2;
  DrawEdge(hdc, &frame, EDGE_ETCHED, BF_RECT);
  if (w->text.empty()) return;
  HBRUSH br = ControlColor(w, hdc, WM_CTLCOLORSTATIC);
  RECT t{r.left + 8, r.top, r.right - 8, r.top + h};
  RECT calc = t;
  DrawTextA(hdc, w->text.c_str(), -1, &calc, DT_SINGLELINE | DT_LEFT | DT_CALCRECT);
  RECT back{t.left - 2, t.top, std::min<LONG>(calc.right + 2, t.right), t.top + h};
  FillRect(hdc, &back, br);
  SetBkMode(hdc, TRANSPARENT);
  if (w->style & WS_DISABLED)
    DrawDisabledText(hdc, w->text.c_str(), -1, t, DT_SINGLELINE | DT_LEFT);
  else
    DrawTextA(hdc, w->text.c_str(), -1, &t, DT_SINGLELINE | DT_LEFT);
}

void Paint(Wnd* w, HDC hdc, UINT action) {
  ButtonState* s = State(w);
  RECT r{0, 0, w->ClientWidth(), w->ClientHeight()};
  HGDIOBJ oldFont = SelectObject(hdc, ControlFont(w));
  UINT t = Type(w);
  if (t == BS_OWNERDRAW) {
    UINT state = 0;
    if (s->pushed) state |= ODS_SELECTED;
    if (HasFocus(w)) state |= ODS_FOCUS;
    if (w->style & WS_DISABLED) state |= ODS_DISABLED;
    SendDrawItem(w->parent, ODT_BUTTON, static_cast<UINT>(w->id), w->handle, 0, action, state, hdc, r, 0);
  } else if (IsCheck(t) || IsRadio(t)) {
    PaintCheck(w, hdc, s, r);
  } else if (t == BS_GROUPBOX) {
    PaintGroup(w, hdc, r);
  } else {
    PaintPush(w, hdc, s, r);
  }
  SelectObject(hdc, oldFont);
}

// ---------------------------------------------------------------- messages
LRESULT OnGetDlgCode(UINT t) {
  if (t == BS_GROUPBOX) return DLGC_STATIC;
  if (IsRadio(t)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
  if (t == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
  if (IsPush(t) || t == BS_OWNERDRAW) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  return DLGC_BUTTON;
}

// A press takes the focus and the capture and pushes the button.
LRESULT OnLButtonDown(Wnd* w, ButtonState* s, UINT t) {
  if (t == BS_GROUPBOX) return 0;
  SetFocus(w->handle);
  if (!FromHandleQuiet(w->handle)) return 0;
  SetCapture(w->handle);
  s->tracking = true;
  SetPushed(w, true);
  return 0;
}

// Owner-drawn and radio buttons (and any with BS_NOTIFY) report a double
// click; the owner-drawn and push buttons then take it as a press too.
LRESULT OnLButtonDblClk(Wnd* w, ButtonState* s, UINT t) {
  if (t == BS_OWNERDRAW || IsRadio(t) || (w->style & BS_NOTIFY)) {
    NotifyParent(w, BN_DOUBLECLICKED);
    if (!FromHandleQuiet(w->handle)) return 0;
    if (t != BS_OWNERDRAW && !IsPush(t)) return 0;
  }
  return OnLButtonDown(w, s, t);
}

// The button looks pushed while the held mouse is over it.
LRESULT OnMouseMove(Wnd* w, ButtonState* s, LPARAM lp) {
  if (s->tracking) {
    POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    RECT r{0, 0, w->ClientWidth(), w->ClientHeight()};
    SetPushed(w, PtInRect(&r, p) != 0);
  }
  return 0;
}

// A release over the pushed button clicks it.
LRESULT OnLButtonUp(Wnd* w, ButtonState* s) {
  if (s->tracking) {
    s->tracking = false;
    bool inside = s->pushed;
    SetPushed(w, false);
    if (GetCapture() == w->handle) ReleaseCapture();
    if (inside && FromHandleQuiet(w->handle)) Click(w);
  }
  return 0;
}

LRESULT OnCaptureChanged(Wnd* w, ButtonState* s, HWND to) {
  if (s->tracking && to != w->handle) {
    s->tracking = false;
    SetPushed(w, false);
  }
  return 0;
}

// Space pushes the button and clicks it when it comes up.
LRESULT OnKey(Wnd* w, ButtonState* s, UINT t, UINT msg, WPARAM vk) {
  if (vk != VK_SPACE) return 0;
  if (msg == WM_KEYDOWN && t != BS_GROUPBOX) {
    s->spaceDown = true;
    SetPushed(w, true);
  } else if (msg == WM_KEYUP && s->spaceDown) {
    s->spaceDown = false;
    SetPushed(w, false);
    Click(w);
  }
  return 0;
}

// Losing the focus lets go of a held button without a click. A push button
// moves the default look between its siblings.
LRESULT OnFocus(Wnd* w, ButtonState* s, UINT t, UINT msg) {
  if (msg == WM_KILLFOCUS && (s->spaceDown || s->tracking)) {
    s->spaceDown = s->tracking = false;
    SetPushed(w, false);
    if (GetCapture() == w->handle) ReleaseCapture();
  }
  if (IsPush(t)) RedrawSiblingPushButtons(w);
  Redraw(w, ODA_FOCUS);
  if (w->style & BS_NOTIFY) NotifyParent(w, msg == WM_SETFOCUS ? BN_SETFOCUS : BN_KILLFOCUS);
  return 0;
}

// Only check boxes and radio buttons take a check; a third state only the
// three-state boxes.
LRESULT SetCheck(Wnd* w, ButtonState* s, UINT t, UINT c) {
  if (!IsCheck(t) && !IsRadio(t)) return 0;
  if (c == BST_INDETERMINATE && t != BS_3STATE && t != BS_AUTO3STATE) c = BST_CHECKED;
  if ((s->check & 3u) != c) {
    s->check = (s->check & ~3u) | c;
    Redraw(w, ODA_SELECT);
  }
  return 0;
}

LRESULT SetStyle(Wnd* w, WPARAM style, LPARAM redraw) {
  DWORD next = (w->style & ~0xFFFFu) | (static_cast<DWORD>(style) & 0xFFFFu);
  if (next != w->style) {
    w->style = next;
    if (LOWORD(redraw)) InvalidateRect(w->handle, nullptr, FALSE);
  }
  return 0;
}

LRESULT SetImage(Wnd* w, ButtonState* s, WPARAM type, LPARAM image) {
  LRESULT old = 0;
  if (type == IMAGE_ICON) {
    old = reinterpret_cast<LRESULT>(s->icon);
    s->icon = reinterpret_cast<HICON>(image);
  } else if (type == IMAGE_BITMAP) {
    old = reinterpret_cast<LRESULT>(s->bitmap);
    s->bitmap = reinterpret_cast<HBITMAP>(image);
  }
  InvalidateRect(w->handle, nullptr, FALSE);
  return old;
}

}  // namespace

// Messages: the BM_ messages of winuser.h (check, state, style, click,
// image), the mouse, the space key and the focus.
LRESULT CALLBACK ButtonProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FromHandleQuiet(h);
  if (!w) return 0;
  ButtonState* s = State(w);
  UINT t = Type(w);
  switch (msg) {
    case WM_CREATE:
      if ((w->style & BS_ICON) && !w->text.empty() && w->text[0] != 0) s->icon = nullptr;
      return 0;
    case WM_GETDLGCODE: return OnGetDlgCode(t);
    case WM_NCHITTEST:
      if (t == BS_GROUPBOX) return HTTRANSPARENT;
      break;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return PaintControl(w, [w](HDC hdc) { Paint(w, hdc, ODA_DRAWENTIRE); });
    case WM_LBUTTONDBLCLK: return OnLButtonDblClk(w, s, t);
    case WM_LBUTTONDOWN: return OnLButtonDown(w, s, t);
    case WM_MOUSEMOVE: return OnMouseMove(w, s, lp);
    case WM_LBUTTONUP: return OnLButtonUp(w, s);
    case WM_CAPTURECHANGED: return OnCaptureChanged(w, s, reinterpret_cast<HWND>(lp));
    case WM_KEYDOWN:
    case WM_KEYUP: return OnKey(w, s, t, msg, wp);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return OnFocus(w, s, t, msg);
    case WM_ENABLE: InvalidateRect(h, nullptr, FALSE); return 0;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(h, msg, wp, lp);
      InvalidateRect(h, nullptr, FALSE);
      return r;
    }
    case BM_GETCHECK: return s->check & 3u;
    case BM_SETCHECK: return SetCheck(w, s, t, static_cast<UINT>(wp) & 3u);
    case BM_GETSTATE: return s->check | (HasFocus(w) ? BST_FOCUS : 0);
    case BM_SETSTATE: SetPushed(w, wp != 0); return 0;
    case BM_SETSTYLE: return SetStyle(w, wp, lp);
    case BM_CLICK:
      if (t != BS_GROUPBOX && !(w->style & WS_DISABLED)) Click(w);
      return 0;
    case BM_SETIMAGE: return SetImage(w, s, wp, lp);
    case BM_GETIMAGE:
      return wp == IMAGE_ICON ? reinterpret_cast<LRESULT>(s->icon) : reinterpret_cast<LRESULT>(s->bitmap);
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace kyuser
