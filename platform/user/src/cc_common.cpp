// Helpers of the common controls (cc_common.h).
#include "cc_common.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace kyuser {

Wnd* NotifyTarget(Wnd* w) {
  if (!w) return nullptr;
  Wnd* t = w->IsChild() ? w->parent : w->owner;
  return t == Desktop() ? nullptr : t;
}

LRESULT SendNotify(Wnd* w, UINT code, NMHDR* hdr) {
  Wnd* t = NotifyTarget(w);
  hdr->hwndFrom = w->handle;
  hdr->idFrom = w->id;
  hdr->code = code;
  if (!t) return 0;
  return Send(t, WM_NOTIFY, w->id, reinterpret_cast<LPARAM>(hdr));
}

HFONT CommonFont(Wnd* w) { return w && w->font ? w->font : DefaultGuiFont(); }

COLORREF ColourOr(COLORREF c, int sysColor) {
  return c == CLR_DEFAULT || c == CLR_NONE ? GetSysColor(sysColor) : c;
}

void DottedHLine(HDC hdc, int x0, int x1, int y, COLORREF c) {
  if (x1 < x0) std::swap(x0, x1);
  for (int x = x0 + ((x0 + y) & 1); x <= x1; x += 2) SetPixelV(hdc, x, y, c);
}

void DottedVLine(HDC hdc, int x, int y0, int y1, COLORREF c) {
  if (y1 < y0) std::swap(y0, y1);
  for (int y = y0 + ((x + y0) & 1); y <= y1; y += 2) SetPixelV(hdc, x, y, c);
}

int CopyText(const std::string& text, LPSTR buf, int cch) {
  if (!buf || cch <= 0) return 0;
  int n = std::min(static_cast<int>(text.size()), cch - 1);
  std::memcpy(buf, text.data(), static_cast<size_t>(n));
  buf[n] = 0;
  return n;
}

int CompareNoCase(const std::string& a, const std::string& b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    int ca = tolower(static_cast<unsigned char>(a[i])), cb = tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

LRESULT CreateWithoutBars(Wnd* w, WPARAM wp, LPARAM lp) {
  LRESULT r = DefWindowProcA(w->handle, WM_NCCREATE, wp, lp);
  w->style &= ~(WS_VSCROLL | WS_HSCROLL);
  return r;
}

LRESULT FocusChanged(Wnd* w, UINT msg) {
  InvalidateRect(w->handle, nullptr, TRUE);
  NMHDR nm{};
  SendNotify(w, msg == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS, &nm);
  return 0;
}

void RegisterCommonClass(const char* name, WNDPROC proc, UINT style) {
  WNDCLASSA wc{};
  wc.style = CS_GLOBALCLASS | style;
  wc.lpfnWndProc = proc;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

}  // namespace kyuser
