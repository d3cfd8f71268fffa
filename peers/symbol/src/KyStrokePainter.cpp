#include "KyStrokePainter.h"

#include <algorithm>
#include <cmath>

#include "KyErrorMsg.h"
#include "afxdc.h"

namespace {

bool HasPen(const CKySymStroke& s) {
  const BYTE t = s.GetStrokeType();
  return t >= CKySymStroke::typePolyline && t <= CKySymStroke::typeEllipse &&
         s.GetPenStyle() != CKySymStroke::penStyleLast;
}

BOOL CreateFailed() {
  KyGetErrorMsgObj()->CatchLastError();
  return FALSE;
}

// Puts the DC's previous object back when the stroke is done, before the
// pen or brush that replaced it is deleted.
class CSelection {
 public:
  CSelection(CDC* pDC, HGDIOBJ h) : m_pDC(pDC), m_hOld(pDC->SelectObject(h)) {}
  ~CSelection() {
    if (m_hOld) m_pDC->SelectObject(m_hOld);
  }
  CSelection(const CSelection&) = delete;
  CSelection& operator=(const CSelection&) = delete;
  BOOL IsSelected() const { return m_hOld != nullptr; }

 private:
  CDC* m_pDC;
  HGDIOBJ m_hOld;
};

}  // namespace

CKyStrokePainter::CKyStrokePainter(CDC* pDC, const CKySymbolPlacement& place, COLORREF crFollow, int nThinnest)
    : m_pDC(pDC), m_place(place), m_crFollow(crFollow), m_nThinnest(nThinnest) {}

int CKyStrokePainter::EllipseVertexCount(double dRadius) {
  // An edge spanning the angle 2 pi / n strays r (1 - cos(pi / n)) from the
  // curve; keep that under a quarter of a pixel.
  constexpr double kStray = 0.25;
  int n = 8;
  if (dRadius > kStray) {
    const double need = M_PI / std::acos(1.0 - kStray / dRadius);
    if (!(need < kMaxEllipseVertices)) return kMaxEllipseVertices;
    n = std::max(n, static_cast<int>(std::ceil(need)));
  }
  return std::min(kMaxEllipseVertices, (n + 3) / 4 * 4);
}

std::vector<POINT> CKyStrokePainter::Vertices(const CKySymStroke& s) const {
  std::vector<POINT> v;
  const int n = s.GetPointCount();
  switch (s.GetStrokeType()) {
    case CKySymStroke::typePolyline:
    case CKySymStroke::typePolygon:
    case CKySymStroke::typeFilledPolygon:
      v.reserve(static_cast<size_t>(n));
      for (int i = 0; i < n; ++i) v.push_back(m_place.MapToPixel(s.GetPoint(i)));
      break;
    case CKySymStroke::typeRectangle: {
      const CPoint2D a = s.GetPoint(0), b = s.GetPoint(1);
      for (const CPoint2D& c : {a, CPoint2D(b.x, a.y), b, CPoint2D(a.x, b.y)}) v.push_back(m_place.MapToPixel(c));
      break;
    }
    case CKySymStroke::typeEllipse:
    case CKySymStroke::typeFilledEllipse: {
      const CPoint2D a = s.GetPoint(0), b = s.GetPoint(1);
      const double cx = (a.x + b.x) / 2.0, cy = (a.y + b.y) / 2.0;
      const double rx = std::fabs(b.x - a.x) / 2.0, ry = std::fabs(b.y - a.y) / 2.0;
      const double r = std::max(rx * m_place.GetScaleX(), ry * m_place.GetScaleY());
      const int count = EllipseVertexCount(r);
      v.reserve(static_cast<size_t>(count));
      for (int i = 0; i < count; ++i) {
        // Quarter points exact, so that an upright ellipse is symmetric.
        static constexpr double kQuarterCos[4] = {1.0, 0.0, -1.0, 0.0};
        double c, sn;
        if (i * 4 % count == 0) {
          c = kQuarterCos[i * 4 / count];
          sn = kQuarterCos[(i * 4 / count + 3) % 4];
        } else {
          const double t = 2.0 * M_PI * i / count;
          c = std::cos(t);
          sn = std::sin(t);
        }
        v.push_back(m_place.MapToPixel(CPoint2D(cx + rx * c, cy + ry * sn)));
      }
      break;
    }
    default: break;
  }
  return v;
}

BOOL CKyStrokePainter::UprightEllipseBox(const CKySymStroke& s, RECT* pBox) const {
  const BYTE t = s.GetStrokeType();
  if (t != CKySymStroke::typeEllipse && t != CKySymStroke::typeFilledEllipse) return FALSE;
  const CPoint2D a = s.GetPoint(0), b = s.GetPoint(1);
  double rx = std::fabs(b.x - a.x) / 2.0, ry = std::fabs(b.y - a.y) / 2.0;
  // A circle is the same circle at every angle.
  if (!m_place.IsQuarterTurn() && rx != ry) return FALSE;
  double cx, cy;
  m_place.Map(CPoint2D((a.x + b.x) / 2.0, (a.y + b.y) / 2.0), &cx, &cy);
  if (m_place.SwapsAxes()) std::swap(rx, ry);
  rx *= m_place.GetScaleX();
  ry *= m_place.GetScaleY();
  // Ellipse fills left .. right - 1 and top .. bottom - 1, as on the platform.
  *pBox = RECT{CKySymbolPlacement::ToPixel(cx - rx), CKySymbolPlacement::ToPixel(cy - ry),
               CKySymbolPlacement::ToPixel(cx + rx), CKySymbolPlacement::ToPixel(cy + ry)};
  return TRUE;
}

int CKyStrokePainter::PenWidth(const CKySymStroke& s) const {
  const double px = s.GetPenWidth() * m_place.GetLengthScale();
  // The placement keeps every length far inside int.
  int w = static_cast<int>(std::floor(std::min(px, CKySymbolPlacement::kMaxDevice) + 0.5));
  w = std::max(w, m_nThinnest);
  return w <= 1 ? 0 : w;
}

BOOL CKyStrokePainter::Paint(const CKySymStroke& s) const {
  const BOOL pen = HasPen(s);
  const BOOL fill = s.IsFilled();
  if (!pen && !fill) return TRUE;
  RECT box;
  const BOOL upright = UprightEllipseBox(s, &box);
  const std::vector<POINT> v = upright ? std::vector<POINT>() : Vertices(s);
  if (!upright && v.empty()) return TRUE;

  CPen penObj;
  CBrush brushObj;
  if (pen && !penObj.CreatePen(s.GetPenStyle(), PenWidth(s), s.IsPenFix() ? s.GetColor() : m_crFollow))
    return CreateFailed();
  if (fill) {
    const COLORREF cr = s.IsBrushFix() ? s.GetColor() : m_crFollow;
    const BOOL made = s.GetBrushStyle() == 0 ? brushObj.CreateSolidBrush(cr)
                                             : brushObj.CreateHatchBrush(s.GetBrushStyle() - 1, cr);
    if (!made) return CreateFailed();
  }
  const CSelection selPen(m_pDC, pen ? penObj.GetSafeHandle() : ::GetStockObject(NULL_PEN));
  const CSelection selBrush(m_pDC, fill ? brushObj.GetSafeHandle() : ::GetStockObject(NULL_BRUSH));
  if (!selPen.IsSelected() || !selBrush.IsSelected()) return FALSE;
  if (upright) return m_pDC->Ellipse(box.left, box.top, box.right, box.bottom);
  if (s.GetStrokeType() == CKySymStroke::typePolyline) {
    std::vector<POINT> line = v;
    // A one-pixel line leaves out its last point; a step on to any
    // neighbour draws just that pixel, so a line from -0.5 to 0.5 covers
    // both ends alike. A line that closes on its start has drawn it already.
    const POINT last = line.back();
    if (PenWidth(s) == 0 && (last.x != line.front().x || last.y != line.front().y))
      line.push_back(POINT{last.x + 1, last.y});
    return m_pDC->Polyline(line.data(), static_cast<int>(line.size()));
  }
  const int n = static_cast<int>(v.size());
  return m_pDC->Polygon(v.data(), n);
}
