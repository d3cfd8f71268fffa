// CKySymbolPlacement: where the points of a symbol land on a device.
//
// A symbol is laid out in symbol sizes, x to the right and y downward, its
// anchor at (0, 0) (see KySymStroke.h). A symbol is drawn in device pixels,
// whose axes are those of the page as a person sees it: x to the right, y
// downward, whatever the DC's map mode. A placement maps a point (x, y) of
// the symbol to the device point
//
//   dx = ax + sx * ( x * cos a + y * sin a)
//   dy = ay + sy * (-x * sin a + y * cos a)
//
// where (ax, ay) is the anchor in device pixels, sx and sy the pixels per
// symbol size along the device's axes and a the angle, counter-clockwise as
// seen on the page (on a y-down device a turn of +a is the matrix above).
//
// How a drawing parameter becomes a placement (FromParameter):
//   - the anchor is the device pixel the DC maps m_ptPosition to, so every
//     copy of a symbol has the same pixels wherever it lies;
//   - one symbol size is m_nSize * m_dScale logical units on each axis, so
//     sx = |viewport extent x / window extent x| * size, sy likewise: MM_TEXT
//     gives one pixel per unit, MM_LOMETRIC and MM_ISOTROPIC (LOMETRIC extents
//     on entry) give the device's pixels per 0.1 mm;
//   - only the magnitudes of the DC's scales are used. A y-up mapping (the
//     metric modes, MM_ISOTROPIC) or one with a mirrored axis moves the anchor
//     as the mapping says, but the symbol itself is never mirrored: its top
//     (negative y) is up on the page and its angle turns it counter-clockwise
//     on the page in every mode.
#pragma once

#include "KySymbol.h"

class CKySymbolPlacement {
 public:
  // Device points beyond this (in pixels, either axis) are refused, so that
  // every vertex and every pen width fits the platform's int coordinates.
  static constexpr double kMaxDevice = 268435456.0;  // 2^28

  CKySymbolPlacement() = default;
  // A placement with the anchor (ax, ay) in device pixels, sx and sy device
  // pixels per symbol size, turned by nAngle tenths of a degree.
  CKySymbolPlacement(double ax, double ay, double sx, double sy, int nAngle);

  // The placement of param on pDC, as described above. FALSE, *pOut
  // unchanged, when pDC or pOut is null, the scale is negative or not finite,
  // or a point within CKySymStroke::kMaxExtent of the anchor would lie beyond
  // kMaxDevice (ERROR_INVALID_PARAMETER).
  static BOOL FromParameter(CDC* pDC, const CKySymbolParameter& param, CKySymbolPlacement* pOut);

  // The placement that shows sym as large as it fits in rect (logical units
  // of pDC), centred, keeping its aspect, unturned: the bounds of its points,
  // widened by half its widest pen, fill the rectangle's shorter side. A
  // symbol without extent (no points, or all points in one place) is shown
  // at its nominal extent of one symbol size. FALSE, *pOut unchanged, for a
  // null pDC or pOut, or a rect that is empty on the device.
  static BOOL ForPreview(CDC* pDC, const RECT& rect, const CKySymbol& sym, CKySymbolPlacement* pOut);

  // The device point of a symbol point, unrounded.
  void Map(const CPoint2D& p, double* pX, double* pY) const;
  // The device pixel of a symbol point: Map rounded half up on both axes,
  // the rounding the platform gives logical points.
  POINT MapToPixel(const CPoint2D& p) const;
  // A device coordinate rounded as MapToPixel rounds it, kept within
  // +-kMaxDevice (NaN gives 0).
  static LONG ToPixel(double v);

  // Whether the angle is a whole number of quarter turns, so that the
  // symbol's axes lie along the device's.
  BOOL IsQuarterTurn() const { return m_cos == 0.0 || m_sin == 0.0; }
  // Whether the symbol's x axis lies along the device's y (a quarter turn
  // one way or the other).
  BOOL SwapsAxes() const { return m_cos == 0.0; }
  double GetScaleX() const { return m_sx; }
  double GetScaleY() const { return m_sy; }
  // The pixels of one symbol size for a length without direction (a pen
  // width): the geometric mean of the two scales.
  double GetLengthScale() const;
  double GetAnchorX() const { return m_ax; }
  double GetAnchorY() const { return m_ay; }

 private:
  double m_ax = 0.0, m_ay = 0.0;
  double m_sx = 1.0, m_sy = 1.0;
  double m_cos = 1.0, m_sin = 0.0;
};
