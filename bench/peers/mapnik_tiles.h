// Mapnik drawing a pyramid of web map tiles, for the tile benchmarks: the
// polygons of an OGR source (a shapefile through Mapnik's own reader, other
// sources through OGR) reprojected to Web Mercator, filled with a PNG tile
// anchored to the map (alignment="global") and outlined one pixel wide, in
// metatiles cut into 256-pixel tiles that are encoded as PNG (blank ones
// skipped), as a renderd-style tile server does.
#pragma once

#include <memory>
#include <string>

class MapnikTiles {
 public:
  MapnikTiles(const std::string& data, const std::string& tilePng, int metatile, int buffer);
  ~MapnikTiles();
  struct Counts {
    long long written = 0;  // tiles encoded
    long long empty = 0;    // blank tiles
    long long bytes = 0;
  };
  // Every metatile of zooms z0..z1 over the box in degrees.
  Counts Render(int z0, int z1, double west, double south, double east, double north);

 private:
  struct Impl;
  std::unique_ptr<Impl> m;
};
