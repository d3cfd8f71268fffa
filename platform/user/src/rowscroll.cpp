// The row scroller of the list controls (rowscroll.h).
#include "rowscroll.h"

#include <algorithm>

namespace kyuser {

bool RowScroll::MoveTo(HWND h, int newTop) {
  if (newTop == top) return false;
  top = newTop;
  InvalidateRect(h, nullptr, TRUE);
  return true;
}

bool RowScroll::BeginBars() {
  if (updating) return false;
  updating = true;
  return true;
}

void RowScroll::EndBars(HWND h) {
  if (FromHandleQuiet(h)) updating = false;
}

bool RowsFromBar(WPARAM wp, int top, int unit, int page, int count, int* newTop) {
  switch (LOWORD(wp)) {
    case SB_LINEUP: *newTop = top - unit; return true;
    case SB_LINEDOWN: *newTop = top + unit; return true;
    case SB_PAGEUP: *newTop = top - page; return true;
    case SB_PAGEDOWN: *newTop = top + page; return true;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: *newTop = static_cast<int>(HIWORD(wp)) * unit; return true;
    case SB_TOP: *newTop = 0; return true;
    case SB_BOTTOM: *newTop = count; return true;
  }
  return false;
}

int RowsFromWheel(WPARAM wp, int top, int unit) {
  return top - (static_cast<short>(HIWORD(wp)) / WHEEL_DELTA) * unit;
}

int ClampTopRow(int top, int count, int page) { return std::clamp(top, 0, std::max(count - page, 0)); }

int TopToReveal(int row, int top, int page) {
  if (row < top) return row;
  if (row >= top + page) return row - page + 1;
  return top;
}

void SetRowBar(HWND h, int bar, int pos, int count, int page, UINT extraFlags) {
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | extraFlags, 0, std::max(count - 1, 0),
                static_cast<UINT>(page), pos, 0};
  SetScrollInfo(h, bar, &si, TRUE);
}

}  // namespace kyuser
