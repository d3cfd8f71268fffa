// Drawing a line style: parallel lines, dashes, ticks and teeth along a
// polyline, in the DC's logical units.
//
// Everything is computed in doubles on the logical path and rounded only
// when a point goes to the DC (half away from zero), so that a style looks
// the same under any mapping.
#include "KyLineStyleObj.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "KyLineStyleLib.h"

namespace {

struct Pt {
  double x, y;
};

Pt operator+(Pt a, Pt b) { return {a.x + b.x, a.y + b.y}; }
Pt operator-(Pt a, Pt b) { return {a.x - b.x, a.y - b.y}; }
Pt operator*(Pt a, double k) { return {a.x * k, a.y * k}; }
double Length(Pt a) { return std::sqrt(a.x * a.x + a.y * a.y); }

// Rounded half away from zero, and held inside the GDI's coordinate space
// so that a wild point cannot overflow.
LONG Near(double v) {
  const double lim = 1 << 27;
  v = v > lim ? lim : v < -lim ? -lim : v;
  return v > 0 ? static_cast<LONG>(v + 0.5) : static_cast<LONG>(v - 0.5);
}
POINT ToPoint(Pt p) { return POINT{Near(p.x), Near(p.y)}; }

// The left normal of a direction as seen with y down: east turns to north.
Pt LeftNormal(Pt a, Pt b) {
  Pt d = b - a;
  const double len = Length(d);
  if (len == 0) return {0, 0};
  return {d.y / len, -d.x / len};
}

// The path without repeated points; closed when it ends where it began.
struct Path {
  std::vector<Pt> pts;
  bool closed = false;
};

Path MakePath(const POINT* pts, int count) {
  Path p;
  for (int i = 0; i < count; ++i) {
    Pt q{static_cast<double>(pts[i].x), static_cast<double>(pts[i].y)};
    if (p.pts.empty() || q.x != p.pts.back().x || q.y != p.pts.back().y) p.pts.push_back(q);
  }
  if (p.pts.size() >= 3 && p.pts.front().x == p.pts.back().x && p.pts.front().y == p.pts.back().y) p.closed = true;
  return p;
}

// The path moved d to the left of its direction. Corners are mitred; a
// corner sharper than about 140 degrees of turn gets a bevel instead, so
// that a spike never runs far from the line.
std::vector<Pt> OffsetPath(const Path& path, double d) {
  const std::vector<Pt>& p = path.pts;
  const size_t n = p.size();
  std::vector<Pt> out;
  if (n < 2) return out;
  if (d == 0) return p;
  auto corner = [&](Pt v, Pt nPrev, Pt nNext) {
    const double c = 1 + nPrev.x * nNext.x + nPrev.y * nNext.y;
    if (c < 0.25) {
      out.push_back(v + nPrev * d);
      out.push_back(v + nNext * d);
    } else {
      out.push_back(v + (nPrev + nNext) * (d / c));
    }
  };
  if (path.closed) {
    // p[n-1] == p[0]: segments 0 .. n-2, every vertex a corner.
    const size_t segs = n - 1;
    for (size_t i = 0; i < segs; ++i) {
      Pt nPrev = LeftNormal(p[(i + segs - 1) % segs], p[(i + segs - 1) % segs + 1]);
      Pt nNext = LeftNormal(p[i], p[i + 1]);
      corner(p[i], nPrev, nNext);
    }
    out.push_back(out.front());
    return out;
  }
  out.push_back(p[0] + LeftNormal(p[0], p[1]) * d);
  for (size_t i = 1; i + 1 < n; ++i) corner(p[i], LeftNormal(p[i - 1], p[i]), LeftNormal(p[i], p[i + 1]));
  out.push_back(p[n - 1] + LeftNormal(p[n - 2], p[n - 1]) * d);
  return out;
}

// Cuts a polyline into the "on" pieces of a dash pattern (lengths already
// in logical units); the phase runs on across vertices.
std::vector<std::vector<Pt>> Dash(const std::vector<Pt>& line, const std::vector<double>& pattern) {
  std::vector<std::vector<Pt>> pieces;
  double total = 0;
  for (double v : pattern) total += v;
  if (pattern.empty() || total <= 0) {
    pieces.push_back(line);
    return pieces;
  }
  size_t k = 0;
  double left = pattern[0];
  bool on = true;
  std::vector<Pt> cur;
  if (line.empty()) return pieces;
  cur.push_back(line[0]);
  for (size_t i = 0; i + 1 < line.size(); ++i) {
    Pt a = line[i], b = line[i + 1];
    double seg = Length(b - a), pos = 0;
    while (seg - pos > left) {
      pos += left;
      Pt q = a + (b - a) * (pos / seg);
      if (on) {
        cur.push_back(q);
        pieces.push_back(std::move(cur));
        cur.clear();
      } else {
        cur.push_back(q);
      }
      on = !on;
      // Zero-length entries of a pattern are skipped without looping.
      do {
        k = (k + 1) % pattern.size();
        left = pattern[k];
      } while (left <= 0);
    }
    left -= seg - pos;
    if (on) cur.push_back(b);
    else cur.assign(1, b);
  }
  if (on && cur.size() >= 2) pieces.push_back(std::move(cur));
  return pieces;
}

// Where on the path the distance s from its start lies, and the left normal
// there. FALSE past the end.
bool PointAt(const std::vector<Pt>& p, double s, Pt* at, Pt* normal) {
  for (size_t i = 0; i + 1 < p.size(); ++i) {
    const double seg = Length(p[i + 1] - p[i]);
    if (s <= seg) {
      *at = p[i] + (p[i + 1] - p[i]) * (seg > 0 ? s / seg : 0);
      *normal = LeftNormal(p[i], p[i + 1]);
      return true;
    }
    s -= seg;
  }
  return false;
}

double PathLength(const std::vector<Pt>& p) {
  double len = 0;
  for (size_t i = 0; i + 1 < p.size(); ++i) len += Length(p[i + 1] - p[i]);
  return len;
}

int PenWidth(double pen, double u) {
  const LONG w = Near(pen * u);
  return pen <= 0 || w < 1 ? 0 : static_cast<int>(w);
}

}  // namespace

CKyLineStyleObj::CKyLineStyleObj() = default;

CKyLineStyleObj::CKyLineStyleObj(long id, const char* name, std::vector<KyLineLayer> layers)
    : m_nID(id), m_strName(name ? name : ""), m_layers(std::move(layers)) {}

CKyLineStyleObj::CKyLineStyleObj(const CKyLineStyleObj& src) = default;
CKyLineStyleObj& CKyLineStyleObj::operator=(const CKyLineStyleObj& src) = default;
CKyLineStyleObj::~CKyLineStyleObj() = default;

void CKyLineStyleObj::SetLineStyle(long width, COLORREF color) {
  m_nWidth = width;
  m_crColor = color & 0x00FFFFFF;
}

double CKyLineStyleObj::UnitFor(CDC* pDC) const {
  POINT p[2] = {{0, 0}, {2, 0}};
  double px = 1;
  if (pDC && pDC->GetSafeHdc()) {
    pDC->DPtoLP(p, 2);
    px = std::fabs(static_cast<double>(p[1].x - p[0].x));
  }
  return std::max({static_cast<double>(m_nWidth), px, 1.0});
}

BOOL CKyLineStyleObj::Polyline(const POINT* pts, int count) const {
  CDC* pDC = m_pLib ? m_pLib->GetKeptDC() : nullptr;
  if (!pDC) return FALSE;
  return Polyline(pDC, pts, count);
}

BOOL CKyLineStyleObj::Polyline(CDC* pDC, const POINT* pts, int count) const {
  if (!pDC || !pts || count < 2) return FALSE;
  const Path path = MakePath(pts, count);
  if (path.pts.size() < 2) return TRUE;  // a single point: nothing to draw
  const double u = UnitFor(pDC);
  CPen* oldPen = pDC->GetCurrentPen();
  CBrush* oldBrush = pDC->GetCurrentBrush();
  HGDIOBJ hOldPen = oldPen ? oldPen->GetSafeHandle() : GetStockObject(BLACK_PEN);
  HGDIOBJ hOldBrush = oldBrush ? oldBrush->GetSafeHandle() : GetStockObject(WHITE_BRUSH);
  std::vector<POINT> buf;

  for (const KyLineLayer& layer : m_layers) {
    CPen pen(PS_SOLID, PenWidth(layer.pen, u), m_crColor);
    pDC->SelectObject(&pen);
    if (layer.kind == KyLineLayer::kLine) {
      std::vector<double> dash;
      for (double v : layer.dash) dash.push_back(v * u);
      for (const std::vector<Pt>& piece : Dash(OffsetPath(path, layer.offset * u), dash)) {
        buf.clear();
        for (Pt q : piece) buf.push_back(ToPoint(q));
        if (buf.size() >= 2) pDC->Polyline(buf.data(), static_cast<int>(buf.size()));
      }
    } else if (layer.step > 0) {
      const double step = layer.step * u, total = PathLength(path.pts);
      CBrush fill(m_crColor);
      if (layer.kind == KyLineLayer::kTeeth) pDC->SelectObject(&fill);
      for (double s = layer.phase * u; s <= total; s += step) {
        Pt at, n;
        if (!PointAt(path.pts, s, &at, &n)) break;
        if (layer.kind == KyLineLayer::kTicks) {
          POINT seg[2] = {ToPoint(at + n * (layer.offset * u)), ToPoint(at + n * (layer.offset2 * u))};
          pDC->Polyline(seg, 2);
        } else {
          Pt end, n2;
          if (!PointAt(path.pts, s + layer.length * u, &end, &n2)) break;
          Pt mid = (at + end) * 0.5;
          POINT tri[3] = {ToPoint(at), ToPoint(mid + n * (layer.offset * u)), ToPoint(end)};
          pDC->Polygon(tri, 3);
        }
      }
      pDC->SelectObject(hOldBrush);
    }
    pDC->SelectObject(hOldPen);
  }
  return TRUE;
}
