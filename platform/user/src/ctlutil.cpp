#include "ctlutil.h"

namespace kyuser {

HFONT ControlFont(Wnd* w) {
  if (w && w->font) return w->font;
  return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

HBRUSH ControlColor(Wnd* w, HDC hdc, UINT msg) {
  Wnd* p = w->parent && w->parent != Desktop() ? w->parent : w->owner;
  HBRUSH br = nullptr;
  if (p) br = reinterpret_cast<HBRUSH>(Send(p, msg, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(w->handle)));
  if (!br) br = reinterpret_cast<HBRUSH>(CtlColorDefault(hdc, msg));
  return br;
}

void DrawDisabledText(HDC hdc, const char* text, int len, RECT r, UINT fmt) {
  int mode = SetBkMode(hdc, TRANSPARENT);
  COLORREF old = SetTextColor(hdc, GetSysColor(COLOR_3DHILIGHT));
  RECT s = r;
  OffsetRect(&s, 1, 1);
  DrawTextA(hdc, text, len, &s, fmt);
  SetTextColor(hdc, GetSysColor(COLOR_3DSHADOW));
  DrawTextA(hdc, text, len, &r, fmt);
  SetTextColor(hdc, old);
  SetBkMode(hdc, mode);
}

bool FocusOnClick(Wnd* w) {
  HWND h = w->handle;
  if (CurrentFocus() != h) SetFocus(h);
  return FromHandleQuiet(h) != nullptr;
}

int FontHeight(HDC hdc) {
  TEXTMETRICA tm{};
  GetTextMetricsA(hdc, &tm);
  return tm.tmHeight > 0 ? tm.tmHeight : 13;
}

int FontHeightOf(HFONT f) {
  HDC hdc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(hdc, f);
  int h = FontHeight(hdc);
  SelectObject(hdc, old);
  DeleteDC(hdc);
  return h;
}

void SendDrawItem(Wnd* target, UINT ctlType, UINT ctlId, HWND item, UINT itemId, UINT action, UINT state, HDC hdc,
                  const RECT& rc, ULONG_PTR data) {
  if (!target) return;
  DRAWITEMSTRUCT dis{ctlType, ctlId, itemId, action, state, item, hdc, rc, data};
  int saved = SaveDC(hdc);
  Send(target, WM_DRAWITEM, ctlId, reinterpret_cast<LPARAM>(&dis));
  RestoreDC(hdc, saved);
}

}  // namespace kyuser
