// Concentric rings about a gradient's centre: the shared body of the radial
// and square gradients, which differ only in the figure they draw.
#include <algorithm>
#include <cmath>

#include "KyErrorMsg.h"
#include "GradientCanvas.h"
#include "KyEspecialFill.h"

BOOL CKyEspecialFill::DrawCentredRings(CDC* pDC, CRect* pRect, COLORREF crStart, COLORREF crEnd, long hOffset,
                                       long vOffset, CBitmap& bitmap, int bPrint,
                                       void (*shape)(CDC& dc, int x, int y, int r, long angle, bool dot), long angle,
                                       CDC* pDirect) {
  ky::GradientCanvas canvas(pDC, bitmap, pDirect);
  if (!canvas.MakeDC()) return FALSE;
  CDC& memDC = canvas.DC();
  CCentredGeometry g;
  GetCentredGeometry(pDC, *pRect, hOffset, vOffset, bPrint, g);
  if (g.clip.Width() < 2 || g.clip.Height() < 2) return FALSE;
  if (!canvas.Open(g.clip)) return FALSE;
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
    shape(memDC, x, y, 1, angle, true);
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
    shape(memDC, x, y, static_cast<int>(r), angle, false);
  }
  return TRUE;
}
