// The system colours of a light desktop theme, and a brush of each.
#include "dc.h"

namespace {
const COLORREF kSysColours[] = {
    RGB(200, 200, 200),  // COLOR_SCROLLBAR
    RGB(0, 0, 0),        // COLOR_BACKGROUND
    RGB(153, 180, 209),  // COLOR_ACTIVECAPTION
    RGB(191, 205, 219),  // COLOR_INACTIVECAPTION
    RGB(240, 240, 240),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(100, 100, 100),  // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(0, 0, 0),        // COLOR_CAPTIONTEXT
    RGB(180, 180, 180),  // COLOR_ACTIVEBORDER
    RGB(244, 247, 252),  // COLOR_INACTIVEBORDER
    RGB(171, 171, 171),  // COLOR_APPWORKSPACE
    RGB(0, 120, 215),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(240, 240, 240),  // COLOR_BTNFACE
    RGB(160, 160, 160),  // COLOR_BTNSHADOW
    RGB(109, 109, 109),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(0, 0, 0),        // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(105, 105, 105),  // COLOR_3DDKSHADOW
    RGB(227, 227, 227),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
};
constexpr int kCount = int(sizeof kSysColours / sizeof kSysColours[0]);
}  // namespace

DWORD GetSysColor(int nIndex) { return nIndex >= 0 && nIndex < kCount ? kSysColours[nIndex] : 0; }

HBRUSH GetSysColorBrush(int nIndex) {
  if (nIndex < 0 || nIndex >= kCount) return nullptr;
  static HBRUSH brushes[kCount] = {};
  if (!brushes[nIndex]) {
    auto b = std::make_unique<kygdi::BrushObject>();
    b->colour = kSysColours[nIndex];
    brushes[nIndex] = static_cast<HBRUSH>(kygdi::AddStockObject(std::move(b)));
  }
  return brushes[nIndex];
}
