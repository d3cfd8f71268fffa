// The radial gradient: concentric rings of wide pens around the centre,
// from the first radius that can reach the visible rectangle to the last.
#include "KyEspecialFill.h"

namespace {

// The centre dot is a 2-pixel filled ellipse; a ring is a whole-ellipse arc.
void DrawCircle(CDC& dc, int x, int y, int r, long, bool dot) {
  if (dot) {
    dc.Ellipse(x - 1, y - 1, x + 1, y + 1);
  } else {
    dc.Arc(x - r, y - r, x + r, y + r, x, y, x, y);
  }
}

}  // namespace

BOOL CKyEspecialFill::GetRadialBitmap(CDC* pDC, CRect* pRect, COLORREF crStart, COLORREF crEnd, long hOffset,
                                      long vOffset, CBitmap& bitmap, int bPrint, CDC* pDirect) {
  return DrawCentredRings(pDC, pRect, crStart, crEnd, hOffset, vOffset, bitmap, bPrint, DrawCircle, 0, pDirect);
}
