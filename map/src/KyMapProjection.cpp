#include "KyMapProjection.h"

#include <cmath>

namespace kymap {

namespace {

// The latitude at which Web Mercator's world is a square.
constexpr double kMercatorLimit = 85.0511287798066;
// How far from the antimeridian a cut edge stays, in degrees (about a
// centimetre): points on the line itself may land on either side of the map.
constexpr double kCutGap = 1e-7;
// Edges are densified to this many degrees before projecting, so that a cut
// edge or a long parallel follows the curve the projection gives it.
constexpr double kDensify = 1.0;

double CentralMeridian(const OGRSpatialReference& srs) {
  if (srs.IsGeographic()) return 0;
  for (const char* name : {SRS_PP_CENTRAL_MERIDIAN, SRS_PP_LONGITUDE_OF_CENTER, SRS_PP_LONGITUDE_OF_ORIGIN}) {
    OGRErr err = OGRERR_NONE;
    const double v = srs.GetNormProjParm(name, 0, &err);
    if (err == OGRERR_NONE) return v;
  }
  return 0;
}

double Normalise(double lon) {
  while (lon > 180) lon -= 360;
  while (lon <= -180) lon += 360;
  return lon;
}

OGRLinearRing BoxRing(double x0, double y0, double x1, double y1) {
  OGRLinearRing r;
  r.addPoint(x0, y0);
  r.addPoint(x1, y0);
  r.addPoint(x1, y1);
  r.addPoint(x0, y1);
  r.addPoint(x0, y0);
  return r;
}

void AddBox(OGRMultiPolygon& m, double x0, double y0, double x1, double y1) {
  OGRPolygon p;
  OGRLinearRing r = BoxRing(x0, y0, x1, y1);
  p.addRing(&r);
  m.addGeometry(&p);
}

}  // namespace

Projection::Projection(const OGRSpatialReference& source, const OGRSpatialReference& target) {
  OGRSpatialReference from(source);
  from.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  OGRSpatialReference to(target);
  to.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  std::unique_ptr<OGRSpatialReference> geog(to.CloneGeogCS());
  if (!geog) throw MapError("the map's CRS has no geographic CRS to cut it at its antimeridian");
  geog->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  m_toGeog.reset(OGRCreateCoordinateTransformation(&from, geog.get()));
  m_fromGeog.reset(OGRCreateCoordinateTransformation(geog.get(), &to));
  if (!m_toGeog || !m_fromGeog) throw MapError("no transformation between the layer's CRS and the map's");
  const double central = CentralMeridian(to);
  m_antimeridian = Normalise(central + 180);
  // Poles that do not project, or run away from the map as they near it
  // (Mercator's go to infinity; rounding leaves them at some 1e8 metres),
  // are clipped away. Near a pole that projects, the last tenth of a degree
  // of latitude takes about a tenth of a degree's length on the map.
  const auto y = [&](double lat, double& out) {
    double x = central;
    out = lat;
    int ok = 0;
    return m_fromGeog->Transform(1, &x, &out, nullptr, &ok) && ok && std::isfinite(x) && std::isfinite(out);
  };
  double y0 = 0, y1 = 0;
  const double degree = y(0, y0) && y(1, y1) ? std::fabs(y1 - y0) : 0;
  for (double pole : {90.0, -90.0}) {
    double atPole = 0, near = 0, nearer = 0;
    const double s = pole > 0 ? 1 : -1;
    const bool runaway = !y(pole, atPole) || !y(pole - s * 0.1, near) || !y(pole - s * 0.01, nearer) ||
                         degree <= 0 || std::fabs(nearer - near) > 10 * degree;
    if (runaway) (pole > 0 ? m_latMax : m_latMin) = s * kMercatorLimit;
  }
}

Projection::~Projection() = default;

Projection::Result Projection::Apply(std::unique_ptr<OGRMultiPolygon>& g) const {
  if (g->transform(m_toGeog.get()) != OGRERR_NONE) return Result::kFailed;
  OGREnvelope env;
  g->getEnvelope(&env);
  const double a = m_antimeridian;
  const auto crosses = [&](double line) { return env.MinX < line + kCutGap && env.MaxX > line - kCutGap; };
  if (crosses(a) || crosses(a - 360) || env.MinY < m_latMin || env.MaxY > m_latMax) {
    // Everything but a hair's breadth either side of the antimeridian, and
    // only the latitudes that project.
    OGRMultiPolygon keep;
    AddBox(keep, a - 360 + kCutGap, m_latMin, a - kCutGap, m_latMax);
    AddBox(keep, a + kCutGap, m_latMin, a + 360 - kCutGap, m_latMax);
    std::unique_ptr<OGRGeometry> cut(g->Intersection(&keep));
    if (!cut) return Result::kFailed;
    auto parts = std::make_unique<OGRMultiPolygon>();
    if (wkbFlatten(cut->getGeometryType()) == wkbPolygon) {
      parts->addGeometry(cut.get());
    } else if (OGR_GT_IsSubClassOf(wkbFlatten(cut->getGeometryType()), wkbGeometryCollection)) {
      for (const OGRGeometry* part : *cut->toGeometryCollection()) {
        if (wkbFlatten(part->getGeometryType()) == wkbPolygon) parts->addGeometry(part);
      }
    }
    if (parts->IsEmpty()) return Result::kNothingLeft;
    g = std::move(parts);
  }
  g->segmentize(kDensify);
  if (g->transform(m_fromGeog.get()) != OGRERR_NONE) return Result::kFailed;
  return Result::kDone;
}

void Projection::ProjectLine(const std::vector<double>& lonLat, std::vector<std::vector<double>>& out) const {
  std::vector<double> line;
  for (size_t i = 0; i + 1 < lonLat.size(); i += 2) {
    double x = lonLat[i], y = lonLat[i + 1];
    int ok = 0;
    if (m_fromGeog->Transform(1, &x, &y, nullptr, &ok) && ok && std::isfinite(x) && std::isfinite(y)) {
      line.push_back(x);
      line.push_back(y);
      continue;
    }
    if (line.size() >= 4) out.push_back(line);
    line.clear();
  }
  if (line.size() >= 4) out.push_back(std::move(line));
}

std::vector<std::vector<double>> Projection::Graticule(double step) const {
  std::vector<std::vector<double>> out;
  if (!(step > 0) || step > 180) return out;
  const double west = m_antimeridian - 360 + kCutGap, east = m_antimeridian - kCutGap;
  // Meridians: every multiple of step strictly inside the cut.
  for (double lon = std::ceil(west / step) * step; lon < east; lon += step) {
    if (lon <= west) continue;
    std::vector<double> line;
    for (double lat = m_latMin;; lat = std::min(m_latMax, lat + kDensify)) {
      line.push_back(lon);
      line.push_back(lat);
      if (lat >= m_latMax) break;
    }
    ProjectLine(line, out);
  }
  // Parallels: every multiple of step between the clipped latitudes.
  for (double lat = std::ceil(m_latMin / step) * step; lat <= m_latMax; lat += step) {
    if (lat <= m_latMin || lat >= m_latMax || std::fabs(lat) >= 90) continue;
    std::vector<double> line;
    for (double lon = west;; lon = std::min(east, lon + kDensify)) {
      line.push_back(lon);
      line.push_back(lat);
      if (lon >= east) break;
    }
    ProjectLine(line, out);
  }
  return out;
}

std::vector<std::vector<double>> Projection::NeatLine() const {
  const double west = m_antimeridian - 360 + kCutGap, east = m_antimeridian - kCutGap;
  std::vector<double> ring;
  auto add = [&ring](double lon, double lat) {
    ring.push_back(lon);
    ring.push_back(lat);
  };
  for (double lat = m_latMin; lat < m_latMax; lat += kDensify) add(west, lat);
  for (double lon = west; lon < east; lon += kDensify) add(lon, m_latMax);
  for (double lat = m_latMax; lat > m_latMin; lat -= kDensify) add(east, lat);
  for (double lon = east; lon > west; lon -= kDensify) add(lon, m_latMin);
  add(west, m_latMin);
  std::vector<std::vector<double>> lines;
  ProjectLine(ring, lines);
  return lines;
}

Extent Projection::WorldBounds() const {
  Extent e{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
  if (!PolesClipped()) return e;
  for (const std::vector<double>& line : NeatLine()) {
    for (size_t i = 0; i + 1 < line.size(); i += 2) {
      e.minX = std::min(e.minX, line[i]);
      e.maxX = std::max(e.maxX, line[i]);
      e.minY = std::min(e.minY, line[i + 1]);
      e.maxY = std::max(e.maxY, line[i + 1]);
    }
  }
  return e;
}

}  // namespace kymap
