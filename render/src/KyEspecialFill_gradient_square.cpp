// The square gradient: concentric square outlines of wide pens around the
// centre, turned by the angle unless it is 0 or a full turn.
#include <algorithm>
#include <cmath>

#include "KyErrorMsg.h"
#include "KyEspecialFill.h"
#include "KyOperator.h"

namespace {

// The square of half-side r about (x, y): axis-aligned with Rectangle, or
// turned by -angle about its centre as a 4-point polygon.
void DrawSquare(CDC& dc, int x, int y, int r, long angle) {
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
                                      long hOffset, long vOffset, CBitmap& bitmap, int bPrint) {
  CDC memDC;
  if (!memDC.CreateCompatibleDC(pDC)) {
    KyGetErrorMsgObj()->CatchLastError();
    return FALSE;
  }
  CCentredGeometry g;
  GetCentredGeometry(pDC, *pRect, hOffset, vOffset, bPrint, g);
  if (g.clip.Width() < 2 || g.clip.Height() < 2) return FALSE;
  if (!PrepareBitmap(pDC, g.clip, bitmap)) return FALSE;
  CSelect selBitmap(memDC.m_hDC, bitmap.m_hObject);
  const int w = static_cast<int>(g.penWidth);
  const int x = g.rel.x, y = g.rel.y;

  CPen pen;
  if (!pen.CreatePen(PS_SOLID, w, crStart)) {
    KyGetErrorMsgObj()->CatchLastError();
    return FALSE;
  }
  CSelect selPen(memDC.m_hDC, pen.m_hObject);
  long r0;
  if (g.clip.PtInRect(g.centre)) {
    CBrush dot;
    if (!dot.CreateSolidBrush(crStart)) {
      KyGetErrorMsgObj()->CatchLastError();
      return FALSE;
    }
    CSelect selDot(memDC.m_hDC, dot.m_hObject);
    DrawSquare(memDC, x, y, 1, angle);
    r0 = g.step + 1;
  } else {
    r0 = std::max(1L, static_cast<long>(g.d - g.hd));
  }
  // Outlines only from here on.
  CSelect selHollow(memDC.m_hDC, ::GetStockObject(HOLLOW_BRUSH));
  const long rEnd = static_cast<long>(std::ceil(g.d + g.hd));

  for (long r = r0; r <= rEnd; r += g.step) {
    CPen ring;
    if (!ring.CreatePen(PS_SOLID, w, RingColour(g, r, crStart, crEnd))) {
      KyGetErrorMsgObj()->CatchLastError();
      return FALSE;
    }
    CSelect selRing(memDC.m_hDC, ring.m_hObject);
    DrawSquare(memDC, x, y, static_cast<int>(r), angle);
  }
  return TRUE;
}
