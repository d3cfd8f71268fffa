// KyMapLayer: one polygon layer of any vector data source GDAL/OGR reads
// (Shapefile, GeoPackage, GeoJSON, ...), streamed a feature at a time and
// reprojected on the way when a target CRS is set.
//
//   "DATA[:LAYER]" --open--> layer --ForEachPolygon--> PolygonFeature
//                                                       (rings in map units,
//                                                        the class value)
//
// Memory holds one feature at a time, whatever the layer's size.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "KyMapTypes.h"

namespace kymap {

// A polygon or multipolygon ready to draw: every ring, outer and inner, of
// every part, as x, y pairs in the map's CRS; holes are drawn empty by the
// alternate fill rule.
struct PolygonFeature {
  std::vector<double> xy;      // x0, y0, x1, y1, ... of all rings in turn
  std::vector<int> ringSizes;  // points of each ring
  // The class field as text; "" when null. Numbers are written the one way
  // FormatNumber writes them, whatever the driver's own text.
  std::string value;
  bool valueIsNull = true;
  double number = 0;  // the value of a numeric field
  Extent bounds;
  long long fid = -1;
  std::string name;  // the layer's name field, "" when it has none
  bool repaired = false;
};


class Layer {
 public:
  // Opens "DATA" (its first layer) or "DATA:LAYER" (by name, or by index)
  // with the drivers of files and local databases; allowNetwork adds the
  // network and virtual ones (URLs, /vsicurl/, VRT, WFS). Throws MapError:
  // the source cannot be opened, the layer is not in it, the source needs
  // the network and it is not allowed.
  explicit Layer(const std::string& spec, bool allowNetwork = false);
  ~Layer();
  Layer(const Layer&) = delete;
  Layer& operator=(const Layer&) = delete;

  std::string Name() const;
  // "EPSG:4326" when the layer's CRS has an EPSG code, else its name; ""
  // when the layer has none.
  std::string SourceCrs() const;
  // The CRS features are delivered in: the target when set, else the source.
  std::string MapCrs() const;
  std::vector<std::string> FieldNames() const;
  // Throws MapError "the layer has no field 'X' (it has: ...)".
  void RequireField(const std::string& field) const;
  // How the field's values compare; kText for a field the layer lacks.
  FieldKind KindOf(const std::string& field) const;
  // The field the reports name features by ("name", "NAME", "admin", ...),
  // "" when the layer has none.
  std::string NameField() const;
  // A read that ends before the layer's last feature throws MapError unless
  // keepGoing is set; then the features lost are counted as unreadable.
  void SetKeepGoing(bool keepGoing);
  // Throws MapError "the layer 'X' holds points, not polygons" when the
  // layer declares a geometry kind that cannot be filled (a layer of mixed
  // or unknown kinds passes: its other features are skipped one by one).
  void RequirePolygons() const;
  // Features are reprojected to crs (EPSG:N, a PROJ string, WKT). Throws
  // MapError when crs is not understood or the layer has no CRS.
  void SetTargetCrs(const std::string& crs);
  // The bounds of the features that can be drawn, in the map's CRS (those
  // with finite coordinates in range that project); throws MapError when
  // there are none. counts, when given, receives what the pass read.
  Extent MapExtent(FeatureCounts* counts = nullptr);
  // Reprojected to a map whose poles go to infinity (Mercator): the bounds
  // of its world, clipped at those latitudes; false for any other map.
  bool WorldBounds(Extent& bounds) const;
  // Meridians and parallels every step degrees and the neat line, as
  // polylines in the map's CRS, cut at its antimeridian as the features
  // are. Throws MapError when the layer has no CRS.
  std::vector<std::vector<double>> Graticule(double step) const;
  std::vector<std::vector<double>> NeatLine() const;
  // Limits the features ForEachPolygon reads to those that may touch bounds
  // (in the map's CRS), through the source's own spatial index where it has
  // one (a GeoPackage's R-tree, a shapefile's .qix, a PostGIS index); null
  // reads every feature again. Throws MapError when bounds cannot be taken
  // back into the layer's CRS.
  void SetSpatialFilter(const Extent* bounds);
  // The number of features, or -1 when the driver cannot tell cheaply.
  long long FeatureCount();
  // The distinct non-null values of field, in ascending order, as features
  // carry them in PolygonFeature::value: text by bytes; whole numbers as
  // 64-bit integers; real numbers by value, -0 before 0, NaN last as a
  // value of its own. Reads every feature, without geometry.
  std::vector<std::string> DistinctValues(const std::string& field);
  // Every non-null value of a numeric field but NaN, in ascending order.
  std::vector<double> NumericValues(const std::string& field);
  // True when the layer's CRS is longitude and latitude in degrees on
  // WGS 84, read longitude first (what Web Mercator is made from without a
  // datum shift).
  bool SourceIsWgs84LonLat() const;
  // A check of each polygon's or multipolygon's extent in the layer's own
  // CRS as it is read, before it is made valid or projected: true counts
  // the feature as smaller than a pixel at once (an invalid one is not
  // repaired first, nor reported), without calling draw. An empty function
  // (the default) checks nothing.
  void SetEarlyTooSmall(std::function<bool(const Extent& source)> tooSmall);
  // Streams the layer: calls draw for every polygon feature (class value
  // from field, "" for none), invalid ones made valid first, and counts
  // every feature read, drawn (draw returned kDrawn), skipped by draw
  // (outside the extent, smaller than a pixel) or skipped with its cause.
  // progress(done) is called now and then. Throws MapError when the read
  // ends early (see SetKeepGoing).
  enum class Drawn { kDrawn, kOutside, kTooSmall };
  void ForEachPolygon(const std::string& field, const std::function<Drawn(const PolygonFeature&)>& draw,
                      FeatureCounts& counts, const std::function<void(long long)>& progress = {});

 private:
  struct Impl;
  std::unique_ptr<Impl> m;
};

}  // namespace kymap
