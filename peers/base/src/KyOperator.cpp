#include "KyOperator.h"

#include <cmath>

namespace {
LONG Near(double v) { return static_cast<LONG>(v > 0 ? v + 0.5 : v - 0.5); }
}  // namespace

BOOL CKyOperator::RotateRect(CRect rect, unsigned char n, short angle, CPoint* out) {
  if (n != 4 || !out) return FALSE;
  const double cx = (rect.left + rect.right) / 2.0;
  const double cy = (rect.top + rect.bottom) / 2.0;
  const double a = angle * M_PI / 1800.0;
  double c = std::cos(a), s = std::sin(a);
  // Quarter turns take exact values: cos(pi / 2) is not 0 in doubles, and that
  // error tipped corners that lie half-way between pixels the wrong way.
  const int turn = ((angle % 3600) + 3600) % 3600;
  if (turn % 900 == 0) {
    static const double kQuarter[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    c = kQuarter[turn / 900][0];
    s = kQuarter[turn / 900][1];
  }
  const double corners[4][2] = {{static_cast<double>(rect.left), static_cast<double>(rect.top)},
                                {static_cast<double>(rect.right), static_cast<double>(rect.top)},
                                {static_cast<double>(rect.right), static_cast<double>(rect.bottom)},
                                {static_cast<double>(rect.left), static_cast<double>(rect.bottom)}};
  for (int i = 0; i < 4; ++i) {
    const double dx = corners[i][0] - cx, dy = corners[i][1] - cy;
    // y grows downward, so a counter-clockwise turn subtracts the sine term.
    out[i].x = Near(cx + dx * c + dy * s);
    out[i].y = Near(cy - dx * s + dy * c);
  }
  return TRUE;
}
