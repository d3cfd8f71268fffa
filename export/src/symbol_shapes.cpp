#include "symbol_shapes.h"

#include <algorithm>
#include <cmath>

#include "KyExportText.h"

namespace kyexport {

namespace {

// A pen narrower than this (in tenths of a millimetre) is drawn at this
// width: the module draws such pens as the device's one-pixel line, and a
// quarter millimetre is that pixel on a common screen.
constexpr double kThinnestPen = 2.5;

// Dash patterns of the thin pens, in tenths of a millimetre: the device's
// dash, dot, dash-dot and dash-dot-dot of 18/6, 3/3, 9/6/3/6 and
// 9/3/3/3/3/3 screen pixels.
const char* DashArray(int penStyle) {
  switch (penStyle) {
    case 1: return "47.6 15.9";
    case 2: return "7.9 7.9";
    case 3: return "23.8 15.9 7.9 15.9";
    case 4: return "23.8 7.9 7.9 7.9 7.9 7.9";
    default: return nullptr;
  }
}

class Placer {
 public:
  explicit Placer(const SymbolPlace& p) : m_p(p) {
    int a = p.angle % 3600;
    if (a < 0) a += 3600;
    // Quarter turns exactly, as the symbol module turns them.
    switch (a) {
      case 0: m_cos = 1, m_sin = 0; break;
      case 900: m_cos = 0, m_sin = 1; break;
      case 1800: m_cos = -1, m_sin = 0; break;
      case 2700: m_cos = 0, m_sin = -1; break;
      default:
        m_cos = std::cos(a * M_PI / 1800.0);
        m_sin = std::sin(a * M_PI / 1800.0);
    }
  }
  void Map(const CPoint2D& q, double* x, double* y) const {
    *x = m_p.ax + m_p.size * (q.x * m_cos + q.y * m_sin);
    *y = m_p.ay + m_p.size * (-q.x * m_sin + q.y * m_cos);
  }
  std::string Point(const CPoint2D& q) const {
    double x, y;
    Map(q, &x, &y);
    return Number(x, 3) + "," + Number(y, 3);
  }
  double Size() const { return m_p.size; }
  int Angle() const { return m_p.angle; }

 private:
  SymbolPlace m_p;
  double m_cos = 1, m_sin = 0;
};

std::string PenAttributes(const CKySymStroke& s, const Placer& at, COLORREF follow) {
  if (s.GetPenStyle() == CKySymStroke::penStyleLast) return " stroke=\"none\"";
  const COLORREF colour = s.IsPenFix() ? s.GetColor() : follow;
  double width = s.GetPenWidth() * at.Size();
  const bool thin = width < kThinnestPen;
  if (thin) width = kThinnestPen;
  std::string out = " stroke=\"" + HexColour(colour) + "\" stroke-width=\"" + Number(width, 3) +
                    "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"";
  // Wide pens draw solid whatever their style, as the device's do.
  const char* dashes = thin ? DashArray(s.GetPenStyle()) : nullptr;
  if (dashes) out += std::string(" stroke-dasharray=\"") + dashes + "\"";
  return out;
}

std::string BrushAttributes(const CKySymStroke& s, COLORREF follow) {
  if (!s.IsFilled()) return " fill=\"none\"";
  const COLORREF colour = s.IsBrushFix() ? s.GetColor() : follow;
  std::string out = " fill=\"" + HexColour(colour) + "\"";
  // FIXME: hatched brushes are drawn as a half-covering solid fill; SVG
  // hatching needs <pattern> or clipping, which not every reader draws.
  if (s.GetBrushStyle() != 0) out += " fill-opacity=\"0.5\"";
  return out;
}

std::string PointList(const CKySymStroke& s, const Placer& at) {
  std::string out;
  for (int i = 0; i < s.GetPointCount(); ++i) {
    if (i) out += ' ';
    out += at.Point(s.GetPoint(i));
  }
  return out;
}

std::string Rectangle(const CKySymStroke& s, const Placer& at) {
  const CPoint2D a = s.GetPoint(0), b = s.GetPoint(1);
  return at.Point(a) + " " + at.Point(CPoint2D(b.x, a.y)) + " " + at.Point(b) + " " + at.Point(CPoint2D(a.x, b.y));
}

std::string Ellipse(const CKySymStroke& s, const Placer& at) {
  const CPoint2D a = s.GetPoint(0), b = s.GetPoint(1);
  double cx, cy;
  at.Map(CPoint2D((a.x + b.x) / 2, (a.y + b.y) / 2), &cx, &cy);
  const double rx = std::fabs(b.x - a.x) / 2 * at.Size(), ry = std::fabs(b.y - a.y) / 2 * at.Size();
  std::string out = "<ellipse cx=\"" + Number(cx, 3) + "\" cy=\"" + Number(cy, 3) + "\" rx=\"" + Number(rx, 3) +
                    "\" ry=\"" + Number(ry, 3) + "\"";
  // SVG turns clockwise on the page for a positive angle.
  if (at.Angle() % 3600 != 0) {
    out += " transform=\"rotate(" + Number(-at.Angle() / 10.0, 3) + " " + Number(cx, 3) + " " + Number(cy, 3) + ")\"";
  }
  return out;
}

// Vertices of an ellipse around (cx, cy) with radii rx, ry along the
// symbol's turned axes, close enough that no edge strays a twentieth of a
// tile unit (5 micrometres) from the curve.
std::vector<Pt> EllipsePoints(const Placer& at, const CPoint2D& a, const CPoint2D& b) {
  const double cx = (a.x + b.x) / 2, cy = (a.y + b.y) / 2;
  const double rx = std::fabs(b.x - a.x) / 2, ry = std::fabs(b.y - a.y) / 2;
  const double r = std::max(rx, ry) * at.Size();
  int n = 8;
  if (r > 0.05) n = static_cast<int>(std::ceil(M_PI / std::acos(1.0 - 0.05 / r)));
  n = std::clamp(n, 8, 512);
  std::vector<Pt> out;
  for (int i = 0; i < n; ++i) {
    const double t = 2 * M_PI * i / n;
    Pt p;
    at.Map(CPoint2D(cx + rx * std::cos(t), cy + ry * std::sin(t)), &p.x, &p.y);
    out.push_back(p);
  }
  return out;
}

std::vector<Pt> Disc(const Pt& c, double r) {
  int n = 8;
  if (r > 0.05) n = static_cast<int>(std::ceil(M_PI / std::acos(1.0 - 0.05 / r)));
  n = std::clamp(n, 8, 512);
  std::vector<Pt> out;
  for (int i = 0; i < n; ++i) {
    const double t = 2 * M_PI * i / n;
    out.push_back({c.x + r * std::cos(t), c.y + r * std::sin(t)});
  }
  return out;
}

// The band a round pen of width w sweeps along the line through pts.
void PenBand(const std::vector<Pt>& pts, bool closed, double w, COLORREF colour, std::vector<SymbolArea>& out) {
  const size_t n = pts.size();
  const size_t segments = closed ? n : n - 1;
  for (size_t i = 0; i < segments; ++i) {
    const Pt a = pts[i], b = pts[(i + 1) % n];
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    if (len > 0) {
      const double nx = -(b.y - a.y) / len * w / 2, ny = (b.x - a.x) / len * w / 2;
      out.push_back({{{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}},
                     colour,
                     false});
    }
  }
  for (const Pt& p : pts) out.push_back({Disc(p, w / 2), colour, false});
}

std::vector<Pt> MappedPoints(const CKySymStroke& s, const Placer& at) {
  std::vector<Pt> out;
  for (int i = 0; i < s.GetPointCount(); ++i) {
    Pt p;
    at.Map(s.GetPoint(i), &p.x, &p.y);
    out.push_back(p);
  }
  return out;
}

std::vector<Pt> RectanglePoints(const CKySymStroke& s, const Placer& at) {
  const CPoint2D a = s.GetPoint(0), b = s.GetPoint(1);
  std::vector<Pt> out(4);
  at.Map(a, &out[0].x, &out[0].y);
  at.Map(CPoint2D(b.x, a.y), &out[1].x, &out[1].y);
  at.Map(b, &out[2].x, &out[2].y);
  at.Map(CPoint2D(a.x, b.y), &out[3].x, &out[3].y);
  return out;
}

}  // namespace

std::vector<SymbolArea> SymbolAreas(const CKySymbol& sym, const SymbolPlace& place, COLORREF follow) {
  const Placer at(place);
  std::vector<SymbolArea> out;
  for (int i = 0; i < sym.GetCount(); ++i) {
    const CKySymStroke& s = *sym.GetLastStroke(i);
    const BYTE type = s.GetStrokeType();
    std::vector<Pt> outline;
    bool closed = true;
    switch (type) {
      case CKySymStroke::typePolyline: outline = MappedPoints(s, at); closed = false; break;
      case CKySymStroke::typePolygon:
      case CKySymStroke::typeFilledPolygon: outline = MappedPoints(s, at); break;
      case CKySymStroke::typeRectangle: outline = RectanglePoints(s, at); break;
      case CKySymStroke::typeEllipse:
      case CKySymStroke::typeFilledEllipse: outline = EllipsePoints(at, s.GetPoint(0), s.GetPoint(1)); break;
      default: continue;
    }
    if (s.IsFilled() && type != CKySymStroke::typePolyline) {
      out.push_back({outline, s.IsBrushFix() ? s.GetColor() : follow, s.GetBrushStyle() != 0});
    }
    const bool pen = type >= CKySymStroke::typePolyline && type <= CKySymStroke::typeEllipse &&
                     s.GetPenStyle() != CKySymStroke::penStyleLast;
    if (pen && !outline.empty()) {
      // FIXME: a dashed thin pen is drawn solid where its symbol is cut by
      // the tile's edge.
      PenBand(outline, closed, std::max(s.GetPenWidth() * at.Size(), kThinnestPen),
              s.IsPenFix() ? s.GetColor() : follow, out);
    }
  }
  return out;
}

bool AreasInside(const std::vector<SymbolArea>& areas, double w, double h) {
  for (const SymbolArea& a : areas) {
    for (const Pt& p : a.pts) {
      if (p.x < 0 || p.y < 0 || p.x > w || p.y > h) return false;
    }
  }
  return true;
}

void AppendClippedAreas(const std::vector<SymbolArea>& areas, double w, double h, std::string& svg) {
  for (const SymbolArea& a : areas) {
    const std::vector<Pt> clipped = ClipToRect(a.pts, 0, 0, w, h);
    if (clipped.empty()) continue;
    svg += "<polygon points=\"";
    for (size_t i = 0; i < clipped.size(); ++i) {
      if (i) svg += ' ';
      svg += Number(clipped[i].x, 3) + "," + Number(clipped[i].y, 3);
    }
    svg += "\" fill=\"" + HexColour(a.colour) + "\"" + (a.hatched ? " fill-opacity=\"0.5\"" : "") +
           " stroke=\"none\"/>\n";
  }
}

void AppendSymbolShapes(const CKySymbol& sym, const SymbolPlace& place, COLORREF follow, std::string& svg) {
  const Placer at(place);
  for (int i = 0; i < sym.GetCount(); ++i) {
    const CKySymStroke& s = *sym.GetLastStroke(i);
    switch (s.GetStrokeType()) {
      case CKySymStroke::typePolyline:
        svg += "<polyline points=\"" + PointList(s, at) + "\" fill=\"none\"" + PenAttributes(s, at, follow) + "/>\n";
        break;
      case CKySymStroke::typePolygon:
        svg += "<polygon points=\"" + PointList(s, at) + "\"" + BrushAttributes(s, follow) +
               PenAttributes(s, at, follow) + "/>\n";
        break;
      case CKySymStroke::typeRectangle:
        svg += "<polygon points=\"" + Rectangle(s, at) + "\"" + BrushAttributes(s, follow) +
               PenAttributes(s, at, follow) + "/>\n";
        break;
      case CKySymStroke::typeEllipse:
        svg += Ellipse(s, at) + BrushAttributes(s, follow) + PenAttributes(s, at, follow) + "/>\n";
        break;
      case CKySymStroke::typeFilledPolygon:
        svg += "<polygon points=\"" + PointList(s, at) + "\"" + BrushAttributes(s, follow) + " stroke=\"none\"/>\n";
        break;
      case CKySymStroke::typeFilledEllipse:
        svg += Ellipse(s, at) + BrushAttributes(s, follow) + " stroke=\"none\"/>\n";
        break;
      default:
        break;  // an empty stroke draws nothing
    }
  }
}

int WrappedPositions(long px, long py, long w, long h, long symSize, long xs[9], long ys[9]) {
  // Half the symbol size, rounded up for odd sizes (60 gives 30, 61 gives 31).
  const double half = symSize * 0.5;
  const long hw = half > 0 ? static_cast<long>((symSize + 1) * 0.5) : static_cast<long>(half - 0.5);
  const bool left = px - hw < 0, right = px + hw > w, top = py - hw < 0, bottom = py + hw > h;
  int n = 0;
  auto add = [&](long x, long y) {
    xs[n] = x;
    ys[n] = y;
    ++n;
  };
  add(px, py);
  if (left) add(px + w, py);
  if (right) add(px - w, py);
  if (top) add(px, py + h);
  if (bottom) add(px, py - h);
  if (left && top) add(px + w, py + h);
  if (right && bottom) add(px - w, py - h);
  if (left && bottom) add(px + w, py - h);
  if (right && top) add(px - w, py + h);
  return n;
}

}  // namespace kyexport
