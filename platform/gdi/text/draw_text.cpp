// DrawText: lines laid out in the formatting rectangle's device pixels,
// then painted line by line like ExtTextOut, clipped to the rectangle
// unless DT_NOCLIP.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "codepage.h"
#include "font_object.h"
#include "text_draw.h"
#include "text_layout.h"

using namespace kygdi;

int DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
  DC* dc = LookupDC(hdc);
  if (!dc) return 0;
  if (!lprc || cchText < -1 || (!lpchText && cchText != 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (cchText == -1) cchText = static_cast<int>(std::strlen(lpchText));
  if (cchText == 0) {
    // Nothing to lay out: an empty rectangle at the corner, no height.
    if (format & DT_CALCRECT) {
      lprc->right = lprc->left;
      lprc->bottom = lprc->top;
    }
    return 0;
  }

  std::shared_ptr<FontInstance> font = RealiseFont(*dc);
  const TEXTMETRICA& tm = font->Metrics();
  const RECT dev = LogicalRectToDevice(*dc, *lprc);
  const int lineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
  const std::vector<TextChar> chars = DecodeAnsi(lpchText, cchText, CP_ACP);
  // 64 bits for the box's extents: its edges may be at either end of the range.
  const int64_t devW = int64_t(dev.right) - dev.left, devH = int64_t(dev.bottom) - dev.top;
  const DrawTextLayout layout =
      LayoutDrawText(*font, chars, static_cast<int>(std::min<int64_t>(devW, INT_MAX)), format);
  const int textHeight = static_cast<int>(layout.lines.size()) * lineHeight;

  if (format & DT_CALCRECT) {
    // The rectangle keeps its top-left corner and grows (or shrinks) to the
    // text; in a mapping whose y runs upwards its bottom goes below its top.
    const double sx = ScaleX(*dc), sy = ScaleY(*dc);
    const int w = LengthToLogicalX(*dc, layout.maxWidth);
    const int h = LengthToLogicalY(*dc, textHeight);
    auto clamp = [](int64_t v) { return static_cast<LONG>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); };
    lprc->right = clamp(int64_t(lprc->left) + (sx < 0 ? -w : w));
    lprc->bottom = clamp(int64_t(lprc->top) + (sy < 0 ? -h : h));
    return h;
  }

  const bool single = (format & DT_SINGLELINE) != 0;
  int64_t top = dev.top;
  if (single && (format & DT_VCENTER)) top = dev.top + (devH - lineHeight) / 2;
  else if (single && (format & DT_BOTTOM)) top = int64_t(dev.bottom) - lineHeight;
  const RECT* clip = (format & DT_NOCLIP) ? nullptr : &dev;

  // Lines placed beyond 2^30 pixels are out of every surface (at most 2^28
  // pixels); they are laid out but not drawn, so no position overflows.
  const int64_t far = int64_t(1) << 30;
  for (size_t i = 0; i < layout.lines.size(); ++i) {
    const DrawTextLine& line = layout.lines[i];
    int64_t x64 = dev.left;
    if (format & DT_CENTER) x64 = dev.left + (devW - line.width) / 2;
    else if (format & DT_RIGHT) x64 = int64_t(dev.right) - line.width;
    const int64_t top64 = top + static_cast<int64_t>(i) * lineHeight;
    if (x64 < -far || x64 > far || top64 < -far || top64 > far || line.width > far) continue;
    const int x = static_cast<int>(x64), lineTop = static_cast<int>(top64);
    if (dc->st.bk_mode == OPAQUE && line.width > 0)
      FillDeviceRect(*dc, RECT{x, lineTop, x + line.width, lineTop + tm.tmHeight}, dc->st.bk_colour, clip);
    RunPlacement at;
    at.penX = x;
    at.baseline = lineTop + tm.tmAscent;
    at.tabWidth = layout.tabWidth;
    at.underline = line.underline;
    PaintRun(*dc, *font, line.chars, at, dc->st.text_colour, clip);
  }
  if (single && (format & (DT_VCENTER | DT_BOTTOM)))
    return LengthToLogicalY(*dc, static_cast<int>(std::clamp<int64_t>(top + textHeight - dev.top, INT_MIN, INT_MAX)));
  return LengthToLogicalY(*dc, textHeight);
}
