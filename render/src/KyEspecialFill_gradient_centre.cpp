// What the radial, conical and square gradients share: the centre moved by
// the offsets, the farthest corner, the visible rectangle and the ring step.
//
//   F ----------------------+        centre (cx, cy): the rectangle's middle
//   |                       |        moved by hOffset % of the width (right)
//   |          *  (cx, cy)  |        and vOffset % of the height (up);
//   |                       |        F: the corner on the other side, so
//   +-----------------------+        rmax = ceil(|centre - F|) is the radius
//                                    at which the colour reaches crEnd.
#include <cmath>

#include "KyEspecialFill.h"

void CKyEspecialFill::GetCentredGeometry(CDC* pDC, const CRect& rect, long hOffset, long vOffset, int bPrint,
                                         CCentredGeometry& g) {
  const long L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
  // 64-bit products: a device rectangle may be wide enough to overflow int.
  const long cx = (L + R) / 2 + (R - L) * hOffset / 100;
  const long cy = (T + B) / 2 - (B - T) * vOffset / 100;
  g.centre = CPoint(static_cast<int>(cx), static_cast<int>(cy));
  const double fx = static_cast<double>(hOffset < 0 ? R : L) - cx;
  const double fy = static_cast<double>(vOffset > 0 ? B : T) - cy;
  g.rmax = static_cast<long>(std::ceil(std::sqrt(fx * fx + fy * fy)));

  g.clip = rect;
  if (!bPrint) {
    const CRect device(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    g.clip.IntersectRect(&g.clip, &device);
  }
  const double W = g.clip.Width(), H = g.clip.Height();
  const double mx = (static_cast<long>(g.clip.left) + g.clip.right) / 2 - static_cast<double>(cx);
  const double my = (static_cast<long>(g.clip.top) + g.clip.bottom) / 2 - static_cast<double>(cy);
  g.d = std::sqrt(mx * mx + my * my);
  g.hd = std::sqrt((W / 2) * (W / 2) + (H / 2) * (H / 2));
  g.rel = CPoint(static_cast<int>(cx - g.clip.left), static_cast<int>(cy - g.clip.top));

  g.step = bPrint ? (g.rmax + 199) / 200 : (g.rmax + 71) / 72;
  // A radius of 0 would give a step of 0 and rings that never advance.
  if (g.step < 1) g.step = 1;
  g.penWidth = g.step + (g.step + 1) / 2;
}

COLORREF CKyEspecialFill::RingColour(const CCentredGeometry& g, long r, COLORREF crStart, COLORREF crEnd) {
  CPoint p1 = g.centre;
  CPoint p2(static_cast<int>(g.centre.x + g.rmax), g.centre.y);
  CPoint p(static_cast<int>(g.centre.x + r), g.centre.y);
  DWORD colour;
  GetColor(p1, p2, crStart, crEnd, p, colour);
  return colour;
}
