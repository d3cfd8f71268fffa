// The conical gradient: 2N + 1 filled triangles around the centre, crStart
// along the angle's direction, turning symmetrically on both sides to crEnd
// at the opposite direction. The triangles reach d + hd from the centre, so
// they cover the visible rectangle wherever the centre lies.
#include <cmath>

#include "KyErrorMsg.h"
#include "GradientCanvas.h"
#include "KyEspecialFill.h"

BOOL CKyEspecialFill::GetConicalBitmap(CDC* pDC, CRect* pRect, COLORREF crStart, COLORREF crEnd, long angle,
                                       long hOffset, long vOffset, CBitmap& bitmap, int bPrint, CDC* pDirect) {
  ky::GradientCanvas canvas(pDC, bitmap, pDirect);
  if (!canvas.MakeDC()) return FALSE;
  CDC& memDC = canvas.DC();
  CCentredGeometry g;
  GetCentredGeometry(pDC, *pRect, hOffset, vOffset, bPrint, g);
  if (g.clip.Width() < 2 || g.clip.Height() < 2) return FALSE;
  if (!canvas.Open(g.clip)) return FALSE;

  const double a0 = angle * kRadiansPerTenth;
  const int N = bPrint ? 128 : 64;
  const double delta = M_PI / N;
  const double Rs = g.d + g.hd;
  const CPoint centre = g.rel;
  auto vertex = [&](double theta) {
    return CPoint(Near(centre.x + std::cos(theta) * Rs), Near(centre.y - std::sin(theta) * Rs));
  };

  CSelect selPen(memDC.m_hDC, ::GetStockObject(NULL_PEN));
  CBrush brush;
  if (!brush.CreateSolidBrush(crStart)) {
    KyGetErrorMsgObj()->CatchLastError();
    return FALSE;
  }
  {
    CSelect selBrush(memDC.m_hDC, brush.m_hObject);
    const CPoint first[3] = {centre, vertex(a0 + delta / 2), vertex(a0 - delta / 2)};
    memDC.Polygon(first, 3);
  }
  CPoint p1(0, 0), p2(N, 0);
  for (int i = 1; i <= N; ++i) {
    CPoint p(i, 0);
    DWORD colour;
    GetColor(p1, p2, crStart, crEnd, p, colour);
    CBrush sector;
    if (!sector.CreateSolidBrush(colour)) {
      KyGetErrorMsgObj()->CatchLastError();
      return FALSE;
    }
    CSelect selSector(memDC.m_hDC, sector.m_hObject);
    const CPoint upper[3] = {centre, vertex(a0 + (i + 0.5) * delta), vertex(a0 + (i - 0.5) * delta)};
    const CPoint lower[3] = {centre, vertex(a0 + (0.5 - i) * delta), vertex(a0 - (i + 0.5) * delta)};
    memDC.Polygon(upper, 3);
    memDC.Polygon(lower, 3);
  }
  return TRUE;
}
