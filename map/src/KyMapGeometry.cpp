#include "KyMapGeometry.h"

#include <geos_c.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace kymap {

namespace {

void CollectPolygons(const OGRGeometry& g, OGRMultiPolygon& out) {
  switch (wkbFlatten(g.getGeometryType())) {
    case wkbPolygon:
      out.addGeometry(&g);
      return;
    case wkbMultiPolygon:
    case wkbGeometryCollection:
      for (const OGRGeometry* part : *g.toGeometryCollection()) CollectPolygons(*part, out);
      return;
    case wkbCurvePolygon:
    case wkbMultiSurface: {
      std::unique_ptr<OGRGeometry> linear(g.getLinearGeometry());
      if (linear) CollectPolygons(*linear, out);
      return;
    }
    default:
      return;
  }
}

// The engine's reason ("Self-intersection[10 5]"), or "" when it has none.
std::string InvalidReason(const OGRGeometry& g) {
  GEOSContextHandle_t ctx = OGRGeometry::createGEOSContext();
  std::string reason;
  if (GEOSGeometry* geos = g.exportToGEOS(ctx)) {
    if (char* text = GEOSisValidReason_r(ctx, geos)) {
      reason = text;
      GEOSFree_r(ctx, text);
    }
    GEOSGeom_destroy_r(ctx, geos);
  }
  OGRGeometry::freeGEOSContext(ctx);
  return reason == "Valid Geometry" ? "" : reason;
}

bool TooFewPoints(const OGRMultiPolygon& g) {
  for (const OGRPolygon* poly : g) {
    for (const OGRLinearRing* ring : *poly) {
      if (ring->getNumPoints() < 4) return true;
    }
  }
  return false;
}

// The sign of the turn a -> b -> c (+1 left, -1 right), or 0 when it is
// too near to straight for doubles to tell.
int Turn(const double* a, const double* b, const double* c) {
  const double l = (b[0] - a[0]) * (c[1] - a[1]), r = (b[1] - a[1]) * (c[0] - a[0]);
  const double det = l - r;
  // Far above the error of the two products and their difference.
  const double bound = 1e-14 * (std::fabs(l) + std::fabs(r));
  if (det > bound) return 1;
  if (det < -bound) return -1;
  return 0;
}

// A side of a ring: its ends, its box, its ring and place in it.
struct Side {
  const double *a, *b;
  double minX, maxX, minY, maxY;
  int ring, index;
};

// True when the two sides plainly neither cross nor touch.
bool Apart(const Side& s, const Side& t) {
  if (s.maxY < t.minY || t.maxY < s.minY) return true;
  const int t1 = Turn(s.a, s.b, t.a), t2 = Turn(s.a, s.b, t.b), t3 = Turn(t.a, t.b, s.a), t4 = Turn(t.a, t.b, s.b);
  if (t1 == 0 || t2 == 0 || t3 == 0 || t4 == 0) return false;
  return t1 == t2 || t3 == t4;
}

// +1 or -1 when p is plainly inside or outside the ring of m points, 0 when
// too near its boundary to tell (a ray to the right, crossings counted by
// the side of each edge p lies on).
int Inside(const double* ring, int m, const double* p) {
  bool inside = false;
  for (int i = 0, j = m - 1; i < m; j = i++) {
    const double *a = ring + 2 * j, *b = ring + 2 * i;
    if ((a[1] <= p[1]) == (b[1] <= p[1])) continue;
    const int turn = Turn(a, b, p);
    if (turn == 0) return 0;
    if ((b[1] > a[1]) == (turn > 0)) inside = !inside;
  }
  return inside ? 1 : -1;
}

}  // namespace

bool PlainlyValid(const OGRMultiPolygon& g) {
  // Room kept from call to call: most features are a ring of a few points.
  struct Scratch {
    std::vector<double> p, box;
    std::vector<int> start, size;
    std::vector<Side> sides;
    std::vector<const Side*> open;
  };
  thread_local Scratch scratch;
  // The rings' points without the closing one and without repeats.
  std::vector<double>& p = scratch.p;
  std::vector<int>&start = scratch.start, &size = scratch.size;
  p.clear(), start.clear(), size.clear();
  for (const OGRPolygon* poly : g) {
    const OGRLinearRing* ring = poly->getExteriorRing();
    if (!ring || poly->getNumInteriorRings() != 0) return false;
    const int n = ring->getNumPoints();
    if (n < 4) return false;
    if (ring->getX(0) != ring->getX(n - 1) || ring->getY(0) != ring->getY(n - 1)) return false;
    const size_t first = p.size();
    for (int i = 0; i + 1 < n; ++i) {
      const double x = ring->getX(i), y = ring->getY(i);
      if (!std::isfinite(x) || !std::isfinite(y)) return false;
      if (p.size() > first && x == p[p.size() - 2] && y == p.back()) continue;
      p.push_back(x);
      p.push_back(y);
    }
    int m = static_cast<int>((p.size() - first) / 2);
    if (m > 1 && p[first] == p[p.size() - 2] && p[first + 1] == p.back()) {
      p.resize(p.size() - 2);
      --m;
    }
    if (m < 3) return false;
    start.push_back(static_cast<int>(first));
    size.push_back(m);
  }
  const int rings = static_cast<int>(start.size());
  if (rings == 0 || rings > 1024) return false;
  std::vector<Side>& sides = scratch.sides;
  sides.clear();
  for (int r = 0; r < rings; ++r) {
    const int m = size[r];
    auto at = [&](int i) { return &p[start[r] + 2 * (i % m)]; };
    for (int i = 0; i < m; ++i) {
      // Every corner turns (no spike, no straight run to doubt).
      if (Turn(at(i), at(i + 1), at(i + 2)) == 0) return false;
      const double *a = at(i), *b = at(i + 1);
      sides.push_back(
          Side{a, b, std::min(a[0], b[0]), std::max(a[0], b[0]), std::min(a[1], b[1]), std::max(a[1], b[1]), r, i});
    }
  }
  // No two sides that do not follow each other meet: swept from west to
  // east, each side against those whose span across it has not yet ended.
  // A sweep that would take too long leaves the ring to the engine.
  std::sort(sides.begin(), sides.end(), [](const Side& s, const Side& t) { return s.minX < t.minX; });
  std::vector<const Side*>& open = scratch.open;
  open.clear();
  size_t work = 0;
  const size_t budget = 64 * sides.size() + 4096;
  for (const Side& s : sides) {
    open.erase(std::remove_if(open.begin(), open.end(), [&](const Side* t) { return t->maxX < s.minX; }), open.end());
    work += open.size();
    if (work > budget) return false;
    for (const Side* t : open) {
      if (t->ring == s.ring) {
        const int d = std::abs(t->index - s.index);
        if (d == 1 || d == size[s.ring] - 1) continue;  // they follow each other
      }
      if (!Apart(s, *t)) return false;
    }
    open.push_back(&s);
  }
  // Rings that do not meet are one inside the other or apart: a point of
  // each tells, against every ring whose box holds it.
  std::vector<double>& box = scratch.box;
  box.resize(4 * static_cast<size_t>(rings));
  for (int r = 0; r < rings; ++r) {
    double* b = &box[4 * r];
    b[0] = b[2] = p[start[r]], b[1] = b[3] = p[start[r] + 1];
    for (int i = 1; i < size[r]; ++i) {
      const double x = p[start[r] + 2 * i], y = p[start[r] + 2 * i + 1];
      b[0] = std::min(b[0], x), b[1] = std::min(b[1], y), b[2] = std::max(b[2], x), b[3] = std::max(b[3], y);
    }
  }
  for (int r = 0; r < rings; ++r) {
    const double* q = &p[start[r]];
    for (int k = 0; k < rings; ++k) {
      const double* b = &box[4 * k];
      if (k == r || q[0] < b[0] || q[0] > b[2] || q[1] < b[1] || q[1] > b[3]) continue;
      if (Inside(&p[start[k]], size[k], q) >= 0) return false;
    }
  }
  return true;
}

std::unique_ptr<OGRMultiPolygon> PolygonalParts(const OGRGeometry& g) {
  auto out = std::make_unique<OGRMultiPolygon>();
  CollectPolygons(g, *out);
  if (out->IsEmpty()) return nullptr;
  return out;
}

bool Repair(std::unique_ptr<OGRMultiPolygon>& g, std::string& reason) {
  reason.clear();
  // A ring of under four points cannot even be handed to the engine.
  if (TooFewPoints(*g)) {
    reason = "Too few points in a ring";
    auto kept = std::make_unique<OGRMultiPolygon>();
    for (const OGRPolygon* poly : *g) {
      const OGRLinearRing* shell = poly->getExteriorRing();
      if (!shell || shell->getNumPoints() < 4) continue;
      // addRing copies the ring it is given.
      OGRPolygon copy;
      copy.addRing(const_cast<OGRLinearRing*>(shell));
      for (int i = 0; i < poly->getNumInteriorRings(); ++i) {
        const OGRLinearRing* hole = poly->getInteriorRing(i);
        if (hole->getNumPoints() >= 4) copy.addRing(const_cast<OGRLinearRing*>(hole));
      }
      kept->addGeometry(&copy);
    }
    if (kept->IsEmpty()) return false;
    g = std::move(kept);
    if (g->IsValid()) return true;
  } else if (PlainlyValid(*g) || g->IsValid()) {
    return true;
  } else {
    reason = InvalidReason(*g);
    if (reason.empty()) reason = "invalid geometry";
  }
  const char* const options[] = {"METHOD=STRUCTURE", nullptr};
  std::unique_ptr<OGRGeometry> valid(g->MakeValid(options));
  if (!valid) return false;
  std::unique_ptr<OGRMultiPolygon> parts = PolygonalParts(*valid);
  if (!parts) return false;
  g = std::move(parts);
  return true;
}

void AppendRings(const OGRMultiPolygon& g, PolygonFeature& f) {
  for (const OGRPolygon* poly : g) {
    for (const OGRLinearRing* ring : *poly) {
      const int n = ring->getNumPoints();
      for (int i = 0; i < n; ++i) {
        f.xy.push_back(ring->getX(i));
        f.xy.push_back(ring->getY(i));
      }
      f.ringSizes.push_back(n);
    }
  }
}

}  // namespace kymap
