// DrawText: lines laid out in the formatting rectangle's device pixels,
// then painted line by line like ExtTextOut, clipped to the rectangle
// unless DT_NOCLIP.
#include <cmath>
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
  const DrawTextLayout layout = LayoutDrawText(*font, chars, dev.right - dev.left, format);
  const int textHeight = static_cast<int>(layout.lines.size()) * lineHeight;

  if (format & DT_CALCRECT) {
    // The rectangle keeps its top-left corner and grows (or shrinks) to the
    // text; in a mapping whose y runs upwards its bottom goes below its top.
    const double sx = ScaleX(*dc), sy = ScaleY(*dc);
    const int w = LengthToLogicalX(*dc, layout.maxWidth);
    const int h = LengthToLogicalY(*dc, textHeight);
    lprc->right = lprc->left + (sx < 0 ? -w : w);
    lprc->bottom = lprc->top + (sy < 0 ? -h : h);
    return h;
  }

  const bool single = (format & DT_SINGLELINE) != 0;
  int top = dev.top;
  if (single && (format & DT_VCENTER)) top = dev.top + (dev.bottom - dev.top - lineHeight) / 2;
  else if (single && (format & DT_BOTTOM)) top = dev.bottom - lineHeight;
  const RECT* clip = (format & DT_NOCLIP) ? nullptr : &dev;

  for (size_t i = 0; i < layout.lines.size(); ++i) {
    const DrawTextLine& line = layout.lines[i];
    int x = dev.left;
    if (format & DT_CENTER) x = dev.left + (dev.right - dev.left - line.width) / 2;
    else if (format & DT_RIGHT) x = dev.right - line.width;
    const int lineTop = top + static_cast<int>(i) * lineHeight;
    if (dc->st.bk_mode == OPAQUE && line.width > 0)
      FillDeviceRect(*dc, RECT{x, lineTop, x + line.width, lineTop + tm.tmHeight}, dc->st.bk_colour, clip);
    RunPlacement at;
    at.penX = x;
    at.baseline = lineTop + tm.tmAscent;
    at.tabWidth = layout.tabWidth;
    at.underline = line.underline;
    PaintRun(*dc, *font, line.chars, at, dc->st.text_colour, clip);
  }
  if (single && (format & (DT_VCENTER | DT_BOTTOM))) return LengthToLogicalY(*dc, top + textHeight - dev.top);
  return LengthToLogicalY(*dc, textHeight);
}
