#include "KyMapGeometry.h"

#include <geos_c.h>

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

}  // namespace

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
  } else if (g->IsValid()) {
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
