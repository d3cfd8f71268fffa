#include "KySymStroke.h"

#include <cmath>

namespace {

constexpr double kUnitsPerSize = 255.0;
// Bounds that are whole symbol units after a trip through 1/255 (the mask of
// a symbol pattern tile multiplies by 0.00392156862745098) must not grow by a
// unit, so outward rounding forgives this much.
constexpr double kRoundSlack = 1e-6;

BOOL InExtent(double v) { return std::isfinite(v) && std::fabs(v) <= CKySymStroke::kMaxExtent; }

// The number of points each type takes, as the table in the header gives it.
BOOL PointCountFits(BYTE type, int n) {
  switch (type) {
    case CKySymStroke::typeEmpty: return n == 0;
    case CKySymStroke::typePolyline: return n >= 2;
    case CKySymStroke::typePolygon:
    case CKySymStroke::typeFilledPolygon: return n >= 3;
    case CKySymStroke::typeRectangle:
    case CKySymStroke::typeEllipse:
    case CKySymStroke::typeFilledEllipse: return n == 2;
    default: return FALSE;
  }
}

BOOL FillFits(BYTE type, BOOL bFill) {
  switch (type) {
    case CKySymStroke::typeEmpty:
    case CKySymStroke::typePolyline: return !bFill;
    case CKySymStroke::typeFilledPolygon:
    case CKySymStroke::typeFilledEllipse: return bFill;
    default: return TRUE;
  }
}

}  // namespace

CPoint2D CKySymStroke::GetPoint(int index) const {
  if (index < 0 || index >= GetPointCount()) return CPoint2D();
  return m_points[static_cast<size_t>(index)];
}

BOOL CKySymStroke::IsValid(BYTE byType, const CPoint2D* pts, int n, double dPenWidth, BOOL bFill, int nPenStyle,
                           int nBrushStyle) {
  if (n < 0 || n > kMaxPoints || (n > 0 && !pts)) return FALSE;
  if (!PointCountFits(byType, n) || !FillFits(byType, bFill)) return FALSE;
  if (nPenStyle < 0 || nPenStyle > penStyleLast || nBrushStyle < 0 || nBrushStyle > brushStyleLast) return FALSE;
  if (!InExtent(dPenWidth) || dPenWidth < 0) return FALSE;
  for (int i = 0; i < n; ++i) {
    if (!InExtent(pts[i].x) || !InExtent(pts[i].y)) return FALSE;
  }
  return TRUE;
}

BOOL CKySymStroke::Make(BYTE byType, const CPoint2D* pts, int n, double dPenWidth, BOOL bFill, int nPenStyle,
                        int nBrushStyle, BOOL bPenFix, BOOL bBrushFix, COLORREF crColor) {
  const BOOL fill = bFill ? TRUE : FALSE;
  if (!IsValid(byType, pts, n, dPenWidth, fill, nPenStyle, nBrushStyle)) return FALSE;
  m_byType = byType;
  m_bFill = fill;
  m_bPenFix = bPenFix ? TRUE : FALSE;
  m_bBrushFix = bBrushFix ? TRUE : FALSE;
  m_nPenStyle = nPenStyle;
  m_nBrushStyle = nBrushStyle;
  m_dPenWidth = dPenWidth;
  m_crColor = crColor;
  m_points.assign(pts, pts + n);
  return TRUE;
}

BOOL CKySymStroke::MakeStroke_Polyline(const CPoint2D* pts, int n, double dPenWidth, int nPenStyle, BOOL bPenFix,
                                       COLORREF crColor) {
  return Make(typePolyline, pts, n, dPenWidth, FALSE, nPenStyle, 0, bPenFix, FALSE, crColor);
}

BOOL CKySymStroke::MakeStroke_Polygon(const CPoint2D* pts, int n, double dPenWidth, BOOL bFill, int nPenStyle,
                                      int nBrushStyle, BOOL bPenFix, BOOL bBrushFix, COLORREF crColor) {
  return Make(typePolygon, pts, n, dPenWidth, bFill, nPenStyle, nBrushStyle, bPenFix, bBrushFix, crColor);
}

BOOL CKySymStroke::MakeStroke_Rectangle(const CPoint2D& c1, const CPoint2D& c2, double dPenWidth, BOOL bFill,
                                        int nPenStyle, int nBrushStyle, BOOL bPenFix, BOOL bBrushFix,
                                        COLORREF crColor) {
  const CPoint2D pts[2] = {c1, c2};
  return Make(typeRectangle, pts, 2, dPenWidth, bFill, nPenStyle, nBrushStyle, bPenFix, bBrushFix, crColor);
}

BOOL CKySymStroke::MakeStroke_Ellipse(const CPoint2D& c1, const CPoint2D& c2, double dPenWidth, BOOL bFill,
                                      int nPenStyle, int nBrushStyle, BOOL bPenFix, BOOL bBrushFix,
                                      COLORREF crColor) {
  const CPoint2D pts[2] = {c1, c2};
  return Make(typeEllipse, pts, 2, dPenWidth, bFill, nPenStyle, nBrushStyle, bPenFix, bBrushFix, crColor);
}

BOOL CKySymStroke::MakeStroke_FilledPolygon(const CPoint2D* pts, int n, int nBrushStyle, BOOL bBrushFix,
                                            COLORREF crColor) {
  return Make(typeFilledPolygon, pts, n, 0.0, TRUE, 0, nBrushStyle, FALSE, bBrushFix, crColor);
}

BOOL CKySymStroke::MakeStroke_FilledEllipse(const CPoint2D& c1, const CPoint2D& c2, int nBrushStyle,
                                            BOOL bBrushFix, COLORREF crColor) {
  const CPoint2D pts[2] = {c1, c2};
  return Make(typeFilledEllipse, pts, 2, 0.0, TRUE, 0, nBrushStyle, FALSE, bBrushFix, crColor);
}

BOOL CKySymStroke::GetStrokeRect(CRect* pRect) const {
  if (!pRect || m_points.empty()) return FALSE;
  double x0 = m_points[0].x, x1 = x0, y0 = m_points[0].y, y1 = y0;
  for (const CPoint2D& p : m_points) {
    x0 = std::fmin(x0, p.x);
    x1 = std::fmax(x1, p.x);
    y0 = std::fmin(y0, p.y);
    y1 = std::fmax(y1, p.y);
  }
  // kMaxExtent keeps these far inside the range of an int.
  pRect->SetRect(static_cast<int>(std::floor(x0 * kUnitsPerSize + kRoundSlack)),
                 static_cast<int>(std::floor(y0 * kUnitsPerSize + kRoundSlack)),
                 static_cast<int>(std::ceil(x1 * kUnitsPerSize - kRoundSlack)),
                 static_cast<int>(std::ceil(y1 * kUnitsPerSize - kRoundSlack)));
  return TRUE;
}

bool CKySymStroke::operator==(const CKySymStroke& o) const {
  if (m_byType != o.m_byType || m_bFill != o.m_bFill || m_bPenFix != o.m_bPenFix ||
      m_bBrushFix != o.m_bBrushFix || m_nPenStyle != o.m_nPenStyle || m_nBrushStyle != o.m_nBrushStyle ||
      m_dPenWidth != o.m_dPenWidth || m_crColor != o.m_crColor || m_points.size() != o.m_points.size())
    return false;
  for (size_t i = 0; i < m_points.size(); ++i) {
    if (m_points[i].x != o.m_points[i].x || m_points[i].y != o.m_points[i].y) return false;
  }
  return true;
}
