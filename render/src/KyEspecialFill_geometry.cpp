// The geometry of the gradients: the colour axis of a linear gradient, the
// colour at a point of an axis, and the two line helpers the band walk uses.
// Coordinates are device pixels with y growing downward; angles are radians
// counter-clockwise as seen on the screen, so "up" is a smaller y.
#include <cmath>

#include "KyEspecialFill.h"

namespace {

constexpr double kEpsilon = 0.001;

double Distance(const CPoint& a, const CPoint& b) {
  const double dx = static_cast<double>(a.x) - b.x, dy = static_cast<double>(a.y) - b.y;
  return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

void CKyEspecialFill::GetEndPointOfColor(double angle, CRect& rect, CPoint& p1, CPoint& p2) {
  const LONG L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
  // Angles of 2 pi or more, negative ones and NaN all fall under the first
  // case: none of the comparisons below holds for them.
  if (!(angle >= kEpsilon && 2 * M_PI - angle >= kEpsilon)) {
    p1 = CPoint(L, T);
    p2 = CPoint(R, T);
    return;
  }
  if (std::fabs(angle - M_PI / 2) < kEpsilon) {
    p1 = CPoint(L, B);
    p2 = CPoint(L, T);
    return;
  }
  if (std::fabs(angle - M_PI) < kEpsilon) {
    p1 = CPoint(R, T);
    p2 = CPoint(L, T);
    return;
  }
  if (std::fabs(angle - 3 * M_PI / 2) < kEpsilon) {
    p1 = CPoint(L, T);
    p2 = CPoint(L, B);
    return;
  }
  if (angle < M_PI / 2) {
    p1 = CPoint(L, B);
    p2 = CPoint(R, T);
  } else if (angle < M_PI) {
    p1 = CPoint(R, B);
    p2 = CPoint(L, T);
  } else if (angle < 3 * M_PI / 2) {
    p1 = CPoint(R, T);
    p2 = CPoint(L, B);
  } else {
    p1 = CPoint(L, T);
    p2 = CPoint(R, B);
  }
  const double dx = static_cast<double>(R) - L, dy = static_cast<double>(B) - T;
  const double diagonal = std::sqrt(dx * dx + dy * dy);
  const CPoint q(p1.x + static_cast<LONG>(std::cos(angle) * diagonal),
                 p1.y - static_cast<LONG>(std::sin(angle) * diagonal));
  // The axis runs from p1 in the gradient's direction as far as the level of
  // the opposite corner.
  GetVerticalPoint(p1, q, p2);
}

void CKyEspecialFill::GetColor(CPoint& p1, CPoint& p2, COLORREF c1, COLORREF c2, CPoint& p, DWORD& colour) {
  const double length = Distance(p1, p2);
  // An axis of no length is all end colour; 0 / 0 would give NaN.
  double t = length > 0 ? Distance(p, p1) / length : 1.0;
  if (t > 1) t = 1;
  auto mix = [t](int a, int b) { return a + static_cast<int>((b - a) * t); };
  const int red = mix(c1 & 0xFF, c2 & 0xFF);
  const int green = mix((c1 >> 8) & 0xFF, (c2 >> 8) & 0xFF);
  const int blue = mix((c1 >> 16) & 0xFF, (c2 >> 16) & 0xFF);
  colour = RGB(red, green, blue);
}

void CKyEspecialFill::GetVerticalPoint(CPoint a, CPoint b, CPoint& p) {
  if (a.x == b.x) {
    p = CPoint(a.x, p.y);
    return;
  }
  if (a.y == b.y) {
    p = CPoint(p.x, a.y);
    return;
  }
  // Doubles throughout: products of device coordinates pass the range of int.
  const double ax = a.x, ay = a.y, px = p.x, py = p.y;
  const double dx = b.x - ax, dy = b.y - ay;
  const double d2 = dx * dx + dy * dy;
  // The dominant coordinate is computed first, the other follows from the
  // line, so that a shallow line never divides by its small extent.
  if (std::fabs(dy) <= std::fabs(dx)) {
    const LONG x = static_cast<LONG>((((py - ay) * dx + dy * ax) * dy + dx * dx * px) / d2);
    const LONG y = static_cast<LONG>((x - ax) * dy / dx + ay);
    p = CPoint(x, y);
  } else {
    const LONG y = static_cast<LONG>((((px - ax) * dx + dy * py) * dy + dx * dx * ay) / d2);
    const LONG x = static_cast<LONG>((y - ay) * dx / dy + ax);
    p = CPoint(x, y);
  }
}

void CKyEspecialFill::GetSectionPoint(CPoint a, CPoint b, CPoint& p) {
  if (a.x == b.x) {
    p = CPoint(a.x, p.y);
    return;
  }
  if (a.y == b.y) {
    p = CPoint(p.x, a.y);
    return;
  }
  const double ax = a.x, ay = a.y;
  const double dx = b.x - ax, dy = b.y - ay;
  if (std::fabs(dy) <= std::fabs(dx))
    p.y = static_cast<LONG>((p.x - ax) * dy / dx + ay);
  else
    p.x = static_cast<LONG>((p.y - ay) * dx / dy + ax);
}

double CKyEspecialFill::CalAzimuth(CPoint a, CPoint b) {
  return std::atan2(static_cast<double>(a.y) - b.y, static_cast<double>(a.x) - b.x);
}
