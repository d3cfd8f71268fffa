#include "KyMapGeometry.h"

#include <geos_c.h>

#include <algorithm>
#include <array>
#include <cmath>

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

}  // namespace

bool PlainlyValid(const OGRMultiPolygon& g) {
  constexpr int kMaxPoints = 64;
  if (g.getNumGeometries() != 1) return false;
  const OGRPolygon* poly = g.getGeometryRef(0);
  const OGRLinearRing* ring = poly->getExteriorRing();
  if (!ring || poly->getNumInteriorRings() != 0) return false;
  const int n = ring->getNumPoints();
  if (n < 4 || n > kMaxPoints + 1) return false;
  if (ring->getX(0) != ring->getX(n - 1) || ring->getY(0) != ring->getY(n - 1)) return false;
  // The ring's points without the closing one and without repeats.
  std::array<double, 2 * kMaxPoints> p;
  int m = 0;
  for (int i = 0; i + 1 < n; ++i) {
    const double x = ring->getX(i), y = ring->getY(i);
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    if (m > 0 && x == p[2 * (m - 1)] && y == p[2 * (m - 1) + 1]) continue;
    p[2 * m] = x, p[2 * m + 1] = y;
    ++m;
  }
  if (m > 1 && p[0] == p[2 * (m - 1)] && p[1] == p[2 * (m - 1) + 1]) --m;
  if (m < 3) return false;
  auto at = [&](int i) { return &p[2 * (i % m)]; };
  // Every corner turns (no spike, no straight run to doubt).
  for (int i = 0; i < m; ++i) {
    if (Turn(at(i), at(i + 1), at(i + 2)) == 0) return false;
  }
  // No two sides that do not follow each other meet.
  for (int i = 0; i < m; ++i) {
    const double *a = at(i), *b = at(i + 1);
    for (int j = i + 2; j < m; ++j) {
      if (i == 0 && j == m - 1) continue;  // the last side follows the first
      const double *c = at(j), *d = at(j + 1);
      if (std::max(a[0], b[0]) < std::min(c[0], d[0]) || std::max(c[0], d[0]) < std::min(a[0], b[0]) ||
          std::max(a[1], b[1]) < std::min(c[1], d[1]) || std::max(c[1], d[1]) < std::min(a[1], b[1])) {
        continue;
      }
      const int t1 = Turn(a, b, c), t2 = Turn(a, b, d), t3 = Turn(c, d, a), t4 = Turn(c, d, b);
      if (t1 == 0 || t2 == 0 || t3 == 0 || t4 == 0) return false;
      if (t1 != t2 && t3 != t4) return false;  // they cross
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
