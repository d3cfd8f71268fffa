#include "KySymbolPlacement.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "afxdc.h"

namespace {

// cos and sin of tenths of a degree. Quarter turns are exact, so that a
// symbol turned by 900 lands on the same pixels as one drawn upright and
// turned in the mind; sin(pi) is not quite 0 in floating point.
void AngleCosSin(int nAngle, double* pCos, double* pSin) {
  int a = nAngle % 3600;
  if (a < 0) a += 3600;
  switch (a) {
    case 0: *pCos = 1.0; *pSin = 0.0; return;
    case 900: *pCos = 0.0; *pSin = 1.0; return;
    case 1800: *pCos = -1.0; *pSin = 0.0; return;
    case 2700: *pCos = 0.0; *pSin = -1.0; return;
    default: break;
  }
  const double rad = a * M_PI / 1800.0;
  *pCos = std::cos(rad);
  *pSin = std::sin(rad);
}

BOOL Refuse() {
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

// Bounds of a symbol's points in symbol sizes, and its widest pen.
struct SymbolBounds {
  bool any = false;
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  double pen = 0;
};

SymbolBounds BoundsOf(const CKySymbol& sym) {
  SymbolBounds b;
  for (int i = 0; i < sym.GetCount(); ++i) {
    const CKySymStroke* s = sym.GetLastStroke(i);
    for (int k = 0; k < s->GetPointCount(); ++k) {
      const CPoint2D p = s->GetPoint(k);
      if (!b.any) {
        b.x0 = b.x1 = p.x;
        b.y0 = b.y1 = p.y;
        b.any = true;
      }
      b.x0 = std::min(b.x0, p.x);
      b.x1 = std::max(b.x1, p.x);
      b.y0 = std::min(b.y0, p.y);
      b.y1 = std::max(b.y1, p.y);
    }
    const BYTE type = s->GetStrokeType();
    const bool outlined = type >= CKySymStroke::typePolyline && type <= CKySymStroke::typeEllipse &&
                          s->GetPenStyle() != CKySymStroke::penStyleLast;
    if (outlined && s->GetPointCount() > 0) b.pen = std::max(b.pen, s->GetPenWidth());
  }
  return b;
}

}  // namespace

CKySymbolPlacement::CKySymbolPlacement(double ax, double ay, double sx, double sy, int nAngle)
    : m_ax(ax), m_ay(ay), m_sx(sx), m_sy(sy) {
  AngleCosSin(nAngle, &m_cos, &m_sin);
}

BOOL CKySymbolPlacement::FromParameter(CDC* pDC, const CKySymbolParameter& param, CKySymbolPlacement* pOut) {
  if (!pDC || !pOut || !pDC->GetSafeHdc()) return Refuse();
  if (!std::isfinite(param.m_dScale) || param.m_dScale < 0) return Refuse();
  const CSize win = pDC->GetWindowExt();
  const CSize view = pDC->GetViewportExt();
  if (win.cx == 0 || win.cy == 0) return Refuse();
  const double size = static_cast<double>(param.m_nSize) * param.m_dScale;
  const double sx = std::fabs(static_cast<double>(view.cx) / win.cx) * size;
  const double sy = std::fabs(static_cast<double>(view.cy) / win.cy) * size;
  POINT anchor = param.m_ptPosition;
  pDC->LPtoDP(&anchor, 1);
  // The farthest a valid stroke reaches from its anchor, pen included.
  const double reach = 2.0 * CKySymStroke::kMaxExtent * std::max(sx, sy);
  if (!(reach <= kMaxDevice) || std::fabs(static_cast<double>(anchor.x)) + reach > kMaxDevice ||
      std::fabs(static_cast<double>(anchor.y)) + reach > kMaxDevice)
    return Refuse();
  *pOut = CKySymbolPlacement(anchor.x, anchor.y, sx, sy, param.m_nAngle);
  return TRUE;
}

BOOL CKySymbolPlacement::ForPreview(CDC* pDC, const RECT& rect, const CKySymbol& sym, CKySymbolPlacement* pOut) {
  if (!pDC || !pOut || !pDC->GetSafeHdc()) return Refuse();
  RECT dev = rect;
  pDC->LPtoDP(&dev);
  const long left = std::min(dev.left, dev.right), right = std::max(dev.left, dev.right);
  const long top = std::min(dev.top, dev.bottom), bottom = std::max(dev.top, dev.bottom);
  if (right <= left || bottom <= top) return Refuse();
  // Vertices land on pixels left .. right - 1: an outline drawn through the
  // last one still lies inside the rectangle.
  const double w = static_cast<double>(right - left - 1), h = static_cast<double>(bottom - top - 1);
  const double cx = (static_cast<double>(left) + right - 1) / 2.0;
  const double cy = (static_cast<double>(top) + bottom - 1) / 2.0;

  SymbolBounds b = BoundsOf(sym);
  double bw = b.x1 - b.x0 + b.pen, bh = b.y1 - b.y0 + b.pen;
  double bcx = (b.x0 + b.x1) / 2.0, bcy = (b.y0 + b.y1) / 2.0;
  if (!(bw > 0) && !(bh > 0)) {
    bw = bh = 1.0;  // the nominal extent around the one point there is (or the anchor)
  }
  constexpr double kNone = std::numeric_limits<double>::infinity();
  double s = std::min(bw > 0 ? w / bw : kNone, bh > 0 ? h / bh : kNone);
  // A symbol thinner than any pixel still must not make the scale overflow.
  s = std::min(s, kMaxDevice / (2.0 * CKySymStroke::kMaxExtent));
  *pOut = CKySymbolPlacement(cx - s * bcx, cy - s * bcy, s, s, 0);
  return TRUE;
}

void CKySymbolPlacement::Map(const CPoint2D& p, double* pX, double* pY) const {
  *pX = m_ax + m_sx * (p.x * m_cos + p.y * m_sin);
  *pY = m_ay + m_sy * (-p.x * m_sin + p.y * m_cos);
}

LONG CKySymbolPlacement::ToPixel(double v) {
  // The placement's checks keep points far inside int; the clamp only keeps
  // the conversion defined whatever happens.
  const double r = std::floor(v + 0.5);
  if (std::isnan(r)) return 0;
  return static_cast<LONG>(std::clamp(r, -kMaxDevice, kMaxDevice));
}

POINT CKySymbolPlacement::MapToPixel(const CPoint2D& p) const {
  double x, y;
  Map(p, &x, &y);
  return POINT{ToPixel(x), ToPixel(y)};
}

double CKySymbolPlacement::GetLengthScale() const { return std::sqrt(m_sx * m_sy); }
