// The linear gradient: about 100 (print: 200) wide pen strokes across the
// rectangle, perpendicular to the gradient's direction.
//
//     p1 ---------- V ----------> p2     colour axis, on the full rectangle
//                   |
//        q1 ------- S ------> q2         drawing axis, on the visible part
//                   |
//              band through S, reaching the rectangle's edges
//
// The walk steps along the drawing axis; each band's colour is that of the
// foot V of its point S on the colour axis, so the visible part of a
// partly visible gradient keeps the colours of the whole.
#include <cmath>
#include <cstdlib>

#include "KyErrorMsg.h"
#include "GradientCanvas.h"
#include "KyEspecialFill.h"

BOOL CKyEspecialFill::GetLinearBitmap(CDC* pDC, CRect* pRect, COLORREF crStart, COLORREF crEnd, long angle,
                                      CBitmap& bitmap, int bPrint, CDC* pDirect) {
  ky::GradientCanvas canvas(pDC, bitmap, pDirect);
  if (!canvas.MakeDC()) return FALSE;
  CDC& memDC = canvas.DC();
  CRect full = *pRect, clip = *pRect;
  const double a = angle * kRadiansPerTenth;
  CPoint p1, p2, q1, q2;
  GetEndPointOfColor(a, full, p1, p2);
  if (bPrint) {
    q1 = p1;
    q2 = p2;
  } else {
    const CRect device(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    clip.IntersectRect(&clip, &device);
    GetEndPointOfColor(a, clip, q1, q2);
  }
  if (!canvas.Open(clip)) return FALSE;
  const LONG W = clip.Width(), H = clip.Height(), left = clip.left, top = clip.top;

  // Half-lengths of a band on either side of its point, so that the band
  // through any point of the axis reaches the rectangle's edges.
  double e1, e2;
  if (a < M_PI) {
    e1 = std::fabs(std::cos(a)) * H;
    e2 = std::fabs(std::sin(a)) * W;
  } else {
    e1 = std::fabs(std::sin(a)) * W;
    e2 = std::fabs(std::cos(a)) * H;
  }
  double s = std::sin(a), c = std::cos(a);
  if (a > M_PI / 2 && a < 3 * M_PI / 2) {
    s = -s;
    c = -c;
  }

  const bool steep = std::labs(static_cast<long>(q1.y) - q2.y) > std::labs(static_cast<long>(q1.x) - q2.x);
  const long span = steep ? std::labs(static_cast<long>(p1.y) - p2.y) : std::labs(static_cast<long>(p1.x) - p2.x);
  // An axis of no extent in the walked coordinate would give a step of 0 and
  // a walk that never ends.
  long step = bPrint ? (span + 199) / 200 : (span + 99) / 100;
  if (step < 1) step = 1;
  const long from = steep ? std::min(q1.y, q2.y) : std::min(q1.x, q2.x);
  const long to = (steep ? std::max(q1.y, q2.y) : std::max(q1.x, q2.x)) + 2L;
  const bool horizontalBands = steep && q1.x == q2.x;
  const bool verticalBands = !steep && q1.y == q2.y;
  const int width = static_cast<int>(horizontalBands || verticalBands ? step : step + (step + 1) / 2);
  const LONG d1x = Near(s * e1), d1y = Near(c * e1), d2x = Near(s * e2), d2y = Near(c * e2);

  for (long u = from; u <= to; u += step) {
    CPoint S = steep ? CPoint(0, static_cast<int>(u)) : CPoint(static_cast<int>(u), 0);
    GetSectionPoint(q1, q2, S);
    CPoint V = S;
    GetVerticalPoint(p1, p2, V);
    DWORD colour;
    GetColor(p1, p2, crStart, crEnd, V, colour);

    CPen pen;
    if (!pen.CreatePen(PS_SOLID, width, colour)) {
      KyGetErrorMsgObj()->CatchLastError();
      return FALSE;
    }
    CSelect selPen(memDC.m_hDC, pen.m_hObject);
    if (horizontalBands) {
      memDC.MoveTo(-1, S.y - top);
      memDC.LineTo(W + 1, S.y - top);
    } else if (verticalBands) {
      memDC.MoveTo(S.x - left, -1);
      memDC.LineTo(S.x - left, H + 1);
    } else {
      memDC.MoveTo(S.x - d1x - left, S.y - d1y - top);
      memDC.LineTo(S.x + d2x - left, S.y + d2y - top);
    }
  }
  return TRUE;
}
