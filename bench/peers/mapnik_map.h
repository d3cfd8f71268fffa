// Mapnik drawing a polygon layer with a pattern fill and outlines, for the
// map benchmarks. The header keeps Mapnik's own types out of the
// benchmark's translation unit (they are built as C++17 code).
#pragma once

#include <memory>
#include <string>

class MapnikMap {
 public:
  // A shapefile drawn in its own CRS over (minx, miny, maxx, maxy), every
  // polygon filled with the PNG tile anchored to the map
  // (alignment="global") and outlined one pixel wide.
  MapnikMap(const std::string& shapefile, const std::string& tilePng, int width, int height, double minx,
            double miny, double maxx, double maxy);
  ~MapnikMap();
  void Render();
  // The last rendering as a PNG file.
  void Save(const std::string& path) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> m;
};
