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

int PenWidth(double pen, double u, double maxWidth) {
  const double v = pen * u > maxWidth ? maxWidth : pen * u;
  const LONG w = Near(v);
  return pen <= 0 || w < 1 ? 0 : static_cast<int>(w);
}

// What is drawn is cut to the DC's clip box first (widened by the pens'
// reach), so that a line thousands of screens long costs what its visible
// part costs.
struct Box {
  double left, top, right, bottom;
  bool Contains(Pt p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
};

// Liang-Barsky: the parameters t0 <= t1 of the part of a..b inside the box;
// false when none.
bool ClipRange(Pt a, Pt b, const Box& box, double* pt0, double* pt1) {
  double t0 = 0, t1 = 1;
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      if (t > t0) t0 = t;
    } else {
      if (t < t0) return false;
      if (t < t1) t1 = t;
    }
  }
  *pt0 = t0;
  *pt1 = t1;
  return true;
}

bool ClipSegment(Pt& a, Pt& b, const Box& box) {
  double t0, t1;
  if (!ClipRange(a, b, box, &t0, &t1)) return false;
  const Pt a0 = a, d = b - a;
  a = a0 + d * t0;
  b = a0 + d * t1;
  return true;
}

// Calls fn(s, point, left normal) at s = phase + k step along the path, for
// the stations that lie in the box; segments outside it are skipped whole,
// so that the count of calls follows what is visible.
template <typename Fn>
void ForEachStation(const std::vector<Pt>& p, double phase, double step, const Box& box, Fn fn) {
  double start = 0;  // distance of segment i's start from the path's start
  for (size_t i = 0; i + 1 < p.size(); ++i) {
    const double len = Length(p[i + 1] - p[i]);
    double t0, t1;
    if (len > 0 && ClipRange(p[i], p[i + 1], box, &t0, &t1)) {
      const double sa = start + t0 * len, sb = start + t1 * len;
      double k = std::ceil((sa - phase) / step);
      if (k < 0) k = 0;
      const Pt n = LeftNormal(p[i], p[i + 1]);
      for (double s = phase + k * step; s <= sb; s += step) {
        // A station on a shared vertex belongs to the segment it starts.
        if (s >= start + len && i + 2 < p.size()) break;
        fn(s, p[i] + (p[i + 1] - p[i]) * ((s - start) / len), n);
      }
    }
    start += len;
  }
}

// A polyline cut to the box: the runs of it that lie inside.
std::vector<std::vector<Pt>> ClipPolyline(const std::vector<Pt>& line, const Box& box) {
  std::vector<std::vector<Pt>> runs;
  std::vector<Pt> cur;
  for (size_t i = 0; i + 1 < line.size(); ++i) {
    Pt a = line[i], b = line[i + 1];
    const bool whole = box.Contains(a) && box.Contains(b);
    if (!whole && !ClipSegment(a, b, box)) {
      if (cur.size() >= 2) runs.push_back(std::move(cur));
      cur.clear();
      continue;
    }
    if (cur.empty()) {
      cur.push_back(a);
    } else if (cur.back().x != a.x || cur.back().y != a.y) {
      if (cur.size() >= 2) runs.push_back(std::move(cur));
      cur.assign(1, a);
    }
    cur.push_back(b);
    if (!box.Contains(line[i + 1])) {
      runs.push_back(std::move(cur));
      cur.clear();
    }
  }
  if (cur.size() >= 2) runs.push_back(std::move(cur));
  return runs;
}


// Cuts a polyline into the "on" pieces of a dash pattern (lengths already
// in logical units) that lie in the box. The phase runs on across vertices
// and across the parts outside the box, which are stepped over by
// arithmetic rather than walked.
std::vector<std::vector<Pt>> Dash(const std::vector<Pt>& line, const std::vector<double>& pattern, const Box& box) {
  std::vector<std::vector<Pt>> pieces;
  double total = 0;
  for (double v : pattern) total += v > 0 ? v : 0;
  if (pattern.empty() || total <= 0) return ClipPolyline(line, box);
  size_t k = 0;
  double left = pattern[0];
  bool on = true;
  auto next = [&] {
    on = !on;
    k = (k + 1) % pattern.size();
    left = pattern[k];
  };
  // Skips d along the pattern without drawing.
  auto advance = [&](double d) {
    if (d < left) {
      left -= d;
      return;
    }
    d -= left;
    next();
    d = std::fmod(d, total);
    while (d >= left) {
      d -= left > 0 ? left : 0;
      next();
    }
    left -= d;
  };
  std::vector<Pt> cur;
  auto flush = [&] {
    if (cur.size() >= 2) pieces.push_back(std::move(cur));
    cur.clear();
  };
  for (size_t i = 0; i + 1 < line.size(); ++i) {
    const Pt a = line[i], b = line[i + 1];
    const double seg = Length(b - a);
    double t0 = 0, t1 = 1;
    if (seg == 0) continue;
    if (!ClipRange(a, b, box, &t0, &t1)) {
      flush();
      advance(seg);
      continue;
    }
    if (t0 > 0) {
      flush();
      advance(t0 * seg);
    }
    double pos = t0 * seg;
    const double end = t1 * seg;
    if (on && cur.empty()) cur.push_back(a + (b - a) * (pos / seg));
    while (end - pos > left) {
      pos += left;
      const Pt q = a + (b - a) * (pos / seg);
      if (on) {
        cur.push_back(q);
        flush();
      } else {
        cur.assign(1, q);
      }
      next();
      // Zero-length entries of a pattern are passed without looping.
      while (left <= 0) next();
    }
    left -= end - pos;
    if (on) cur.push_back(a + (b - a) * (end / seg));
    if (t1 < 1) {
      flush();
      advance((1 - t1) * seg);
    }
  }
  flush();
  return pieces;
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
  CRect clip;
  if (pDC->GetClipBox(&clip) == ERROR) return TRUE;  // nothing visible
  clip.NormalizeRect();
  // A pen wider than twice the visible area covers it whatever its width,
  // and so does a unit that large: both are held there.
  const double span = static_cast<double>(clip.Width()) + clip.Height() + 4;
  const double u = std::min(UnitFor(pDC), span);
  double reach = 0;  // how far from the path a layer draws, in u
  for (const KyLineLayer& l : m_layers)
    reach = std::max({reach, std::fabs(l.offset), std::fabs(l.offset2), l.pen});
  const double margin = (reach + 2) * u;
  const Box box{clip.left - margin, clip.top - margin, clip.right + margin, clip.bottom + margin};
  CPen* oldPen = pDC->GetCurrentPen();
  CBrush* oldBrush = pDC->GetCurrentBrush();
  HGDIOBJ hOldPen = oldPen ? oldPen->GetSafeHandle() : GetStockObject(BLACK_PEN);
  HGDIOBJ hOldBrush = oldBrush ? oldBrush->GetSafeHandle() : GetStockObject(WHITE_BRUSH);
  std::vector<POINT> buf;

  for (const KyLineLayer& layer : m_layers) {
    CPen pen(PS_SOLID, PenWidth(layer.pen, u, 2 * span), m_crColor);
    pDC->SelectObject(&pen);
    if (layer.kind == KyLineLayer::kLine) {
      std::vector<double> dash;
      for (double v : layer.dash) dash.push_back(v * u);
      for (const std::vector<Pt>& run : Dash(OffsetPath(path, layer.offset * u), dash, box)) {
        buf.clear();
        for (Pt q : run) buf.push_back(ToPoint(q));
        pDC->Polyline(buf.data(), static_cast<int>(buf.size()));
      }
    } else if (layer.step > 0) {
      const double step = layer.step * u, total = PathLength(path.pts);
      CBrush fill(m_crColor);
      if (layer.kind == KyLineLayer::kTeeth) pDC->SelectObject(&fill);
      ForEachStation(path.pts, layer.phase * u, step, box, [&](double s, Pt at, Pt n) {
        if (layer.kind == KyLineLayer::kTicks) {
          POINT seg[2] = {ToPoint(at + n * (layer.offset * u)), ToPoint(at + n * (layer.offset2 * u))};
          pDC->Polyline(seg, 2);
          return;
        }
        Pt end, n2;
        if (s + layer.length * u > total || !PointAt(path.pts, s + layer.length * u, &end, &n2)) return;
        Pt mid = (at + end) * 0.5;
        POINT tri[3] = {ToPoint(at), ToPoint(mid + n * (layer.offset * u)), ToPoint(end)};
        pDC->Polygon(tri, 3);
      });
      pDC->SelectObject(hOldBrush);
    }
    pDC->SelectObject(hOldPen);
  }
  return TRUE;
}
