// The square gradient: concentric square outlines of wide pens around the
// centre, turned by the angle unless it is 0 or a full turn.
#include "KyEspecialFill.h"
#include "KyOperator.h"

namespace {

// The square of half-side r about (x, y): axis-aligned with Rectangle, or
// turned by -angle about its centre as a 4-point polygon.
void DrawSquare(CDC& dc, int x, int y, int r, long angle, bool) {
  CRect square(x - r, y - r, x + r, y + r);
  if (angle == 0 || angle == 3600) {
    dc.Rectangle(&square);
    return;
  }
  CPoint corners[4];
  CKyOperator::RotateRect(square, 4, static_cast<short>(-angle), corners);
  dc.Polygon(corners, 4);
}

}  // namespace

BOOL CKyEspecialFill::GetSquareBitmap(CDC* pDC, CRect* pRect, COLORREF crStart, COLORREF crEnd, long angle,
                                      long hOffset, long vOffset, CBitmap& bitmap, int bPrint, CDC* pDirect) {
  return DrawCentredRings(pDC, pRect, crStart, crEnd, hOffset, vOffset, bitmap, bPrint, DrawSquare, angle, pDirect);
}
