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
  std::string value;           // the class field as text; "" when null
  bool valueIsNull = true;
  Extent bounds;
};

class Layer {
 public:
  // Opens "DATA" (its first layer) or "DATA:LAYER" (by name, or by index).
  // Throws MapError: the source cannot be opened, the layer is not in it.
  explicit Layer(const std::string& spec);
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
  // Throws MapError "the layer 'X' holds points, not polygons" when the
  // layer declares a geometry kind that cannot be filled (a layer of mixed
  // or unknown kinds passes: its other features are skipped one by one).
  void RequirePolygons() const;
  // Features are reprojected to crs (EPSG:N, a PROJ string, WKT). Throws
  // MapError when crs is not understood or the layer has no CRS.
  void SetTargetCrs(const std::string& crs);
  // The layer's extent in the map's CRS; throws MapError when it cannot be
  // had (an empty layer, an extent that does not project).
  Extent MapExtent();
  // The number of features, or -1 when the driver cannot tell cheaply.
  long long FeatureCount();
  // The distinct non-null values of field, in ascending order (numbers by
  // value, text by bytes). Reads every feature, without geometry.
  std::vector<std::string> DistinctValues(const std::string& field);
  // Streams the layer: calls draw for every polygon feature (class value
  // from field, "" for none) and counts every feature read, drawn (draw
  // returned true), outside the extent (draw returned false) or skipped
  // with its cause. progress(done) is called now and then.
  void ForEachPolygon(const std::string& field, const std::function<bool(const PolygonFeature&)>& draw,
                      FeatureCounts& counts, const std::function<void(long long)>& progress = {});

 private:
  struct Impl;
  std::unique_ptr<Impl> m;
};

}  // namespace kymap
