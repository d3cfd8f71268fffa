// Geometry helpers of the base module.
#pragma once

#include "afx.h"

// A point of two doubles, x then y.
struct CPoint2D {
  double x = 0.0;
  double y = 0.0;
  CPoint2D() = default;
  CPoint2D(double x0, double y0) : x(x0), y(y0) {}
};

class CKyOperator {
 public:
  // Fills out[0..n-1] with the corners of rect turned about its centre by
  // angle tenths of a degree, counter-clockwise as seen on a y-down device:
  // top left, top right, bottom right, bottom left. Coordinates are rounded
  // half away from zero. Only n == 4 is meaningful; other n fill nothing and
  // return FALSE.
  static BOOL RotateRect(CRect rect, unsigned char n, short angle, CPoint* out);
};
