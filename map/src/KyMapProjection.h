// KyMapProjection: features on their way from the layer's CRS to the map's.
// Between the two they pass through longitude and latitude, where they are
// cut at the map's antimeridian (the meridian opposite its central one), so
// that no polygon reaches across the whole map, and clipped to the
// latitudes where the map's poles go to infinity (Mercator: 85.0511 degrees,
// the latitude of the square world).
//
//   source CRS --to lon/lat--> cut and clip --densify--> map CRS
#pragma once

#include <memory>
#include <vector>

#include <ogr_geometry.h>
#include <ogr_spatialref.h>

#include "KyMapTypes.h"

namespace kymap {

class Projection {
 public:
  // Throws MapError when there is no transformation between the two.
  Projection(const OGRSpatialReference& source, const OGRSpatialReference& target);
  ~Projection();
  Projection(const Projection&) = delete;
  Projection& operator=(const Projection&) = delete;

  enum class Result { kDone, kNothingLeft, kFailed };
  // Cuts, clips and projects g (a multipolygon in the source CRS) in place.
  // kNothingLeft: it lies wholly past the clipped latitudes; kFailed: a
  // point does not project.
  Result Apply(std::unique_ptr<OGRMultiPolygon>& g) const;

  // Meridians and parallels every step degrees, as polylines (x, y pairs)
  // in the map's CRS, cut like the features; the map's edge (its neat line:
  // the antimeridian both sides and the clipped latitudes) as one ring, or
  // in pieces where points of it do not project.
  std::vector<std::vector<double>> Graticule(double step) const;
  std::vector<std::vector<double>> NeatLine() const;
  // Whether the poles go to infinity and the map stops at kMercatorLimit.
  bool PolesClipped() const { return m_latMin > -90 || m_latMax < 90; }
  // Where the poles are clipped, the bounds of the neat line (the world's
  // rectangle); an extent without area for any other map, whose edge is no
  // rectangle to bound a map by.
  Extent WorldBounds() const;

  double Antimeridian() const { return m_antimeridian; }

 private:
  // Projects lon/lat points; drops those that fail, splitting the line there.
  void ProjectLine(const std::vector<double>& lonLat, std::vector<std::vector<double>>& out) const;

  std::unique_ptr<OGRCoordinateTransformation> m_toGeog, m_fromGeog;
  double m_antimeridian = 180;  // in (-180, 180]
  double m_latMin = -90, m_latMax = 90;
};

}  // namespace kymap
