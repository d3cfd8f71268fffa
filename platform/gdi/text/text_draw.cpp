#include "text_draw.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace kygdi {

namespace {

// Held inside the int range before the conversion, which is undefined past it.
int RoundAway(double v) {
  const double r = std::clamp(v >= 0 ? v + 0.5 : v - 0.5, double(INT_MIN), double(INT_MAX));
  return static_cast<int>(r);
}

}  // namespace

int PaintRun(DC& dc, FontInstance& font, const std::vector<TextChar>& chars, const RunPlacement& at,
             COLORREF colour, const RECT* clip) {
  return RasterizeRun(font, chars, at, [&](int x, int y, int w) {
    if (clip) {
      if (y < clip->top || y >= clip->bottom) return;
      const int l = std::max(x, static_cast<int>(clip->left));
      const int r = std::min(x + w, static_cast<int>(clip->right));
      if (r <= l) return;
      x = l;
      w = r - l;
    }
    PaintSpan(dc, x, y, w, colour);
  });
}

void FillDeviceRect(DC& dc, const RECT& r, COLORREF colour, const RECT* clip) {
  RECT box = r;
  if (clip && !IntersectRect(&box, &r, clip)) return;
  // Only the rows that can show are walked: an opaque rectangle may be far
  // larger than the surface.
  const RECT visible = DeviceClipBox(dc);
  if (!IntersectRect(&box, &box, &visible)) return;
  if (box.right <= box.left) return;
  for (LONG y = box.top; y < box.bottom; ++y) PaintSpan(dc, box.left, y, box.right - box.left, colour);
}

int LengthToDeviceX(const DC& dc, double logical) { return RoundAway(logical * std::fabs(ScaleX(dc))); }

int LengthToLogicalX(const DC& dc, int device) {
  const double s = std::fabs(ScaleX(dc));
  return s > 0 ? RoundAway(device / s) : device;
}

int LengthToLogicalY(const DC& dc, int device) {
  const double s = std::fabs(ScaleY(dc));
  return s > 0 ? RoundAway(device / s) : device;
}

}  // namespace kygdi
