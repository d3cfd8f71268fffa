// CKyStrokePainter: draws the strokes of one symbol into a DC that is set up
// for device pixels (MM_TEXT with both origins at 0, see KySymbolDraw.cpp),
// through one placement and in one following colour.
//
// Every stroke becomes a polyline or a polygon of device pixels, so that a
// turned rectangle or ellipse turns with the rest: a rectangle is its four
// corners, an ellipse a polygon with enough vertices that no edge strays a
// quarter of a pixel from the curve. An ellipse whose axes lie along the
// device's (a circle, or any ellipse turned by quarter turns) is drawn by
// the platform's Ellipse instead, whose pixels are rounder when small; a dot
// of a few pixels is the common case.
//
// Pixels. A vertex at device x lies on the left edge of pixel x, so a shape
// filled without a pen from x0 to x1 covers pixels x0 .. x1 - 1, and a
// one-pixel outline also takes the pixels on its right and bottom edges.
// Both the polygons and the ellipse boxes keep to this.
//
// Pens: the stroke's width in symbol sizes times the placement's length
// scale, rounded; below two pixels it is the one-pixel cosmetic line, which
// keeps its dash style. A dashed pen wider than that draws solid, as the
// platform's wide pens do. Brushes: style 0 solid, 1 .. 6 the hatches.
//
// Pens and brushes are made per stroke and deselected and deleted before
// Paint returns.
#pragma once

#include <vector>

#include "KySymbolPlacement.h"

class CKyStrokePainter {
 public:
  // nThinnest is the width in pixels of the thinnest line (a pen width that
  // rounds below it); 1 or less means the device's one-pixel line.
  CKyStrokePainter(CDC* pDC, const CKySymbolPlacement& place, COLORREF crFollow, int nThinnest);

  // Draws one stroke: TRUE when drawn or when there is nothing to draw (an
  // empty stroke, a polyline with the null pen). FALSE when its pen or brush
  // cannot be made (the base module's error object records the system's
  // error) or the drawing call fails.
  BOOL Paint(const CKySymStroke& s) const;

  // The stroke's vertices on the device: the points of a polyline or
  // polygon, the four corners of a rectangle (first corner, then across x,
  // the opposite corner, back across x), the vertices of an ellipse starting
  // at the end of its x radius. Empty for an empty stroke.
  std::vector<POINT> Vertices(const CKySymStroke& s) const;
  // The box for the platform's Ellipse when the stroke is an ellipse with
  // its axes along the device's: TRUE and *pBox set, else FALSE. The box is
  // one pixel wider and taller than the ellipse's extent on the device, as
  // the platform's box rule needs for the pixels described above.
  BOOL UprightEllipseBox(const CKySymStroke& s, RECT* pBox) const;
  // The pen width in device pixels for CreatePen: 0 for the one-pixel line.
  int PenWidth(const CKySymStroke& s) const;
  // How many vertices an ellipse of the given largest radius in pixels gets:
  // a multiple of 4 from 8 to kMaxEllipseVertices.
  static int EllipseVertexCount(double dRadius);
  static constexpr int kMaxEllipseVertices = 1024;

 private:
  CDC* m_pDC;
  CKySymbolPlacement m_place;
  COLORREF m_crFollow;
  int m_nThinnest;
};
