// KyTileMath: the numbering of web map tiles. The world in Web Mercator
// (EPSG:3857) is a square of 2 * kWorldHalf metres; at zoom z it is cut into
// 2^z x 2^z tiles, numbered x from the west and y from the north (XYZ). The
// world's pixels at a zoom run from its north-west corner, so a tile's first
// pixel is (x * size, y * size) whatever picture it is drawn in.
//
//   (-kWorldHalf, +kWorldHalf) +-----+-----+  y = 0
//                              | 0,0 | 1,0 |
//                              +-----+-----+  y = 1     zoom 1
//                              | 0,1 | 1,1 |
//                              +-----+-----+ (+kWorldHalf, -kWorldHalf)
#pragma once

#include <cstdint>
#include <string>

#include "KyMapTypes.h"

namespace kytiles {

using kymap::Extent;
using kymap::MapError;

constexpr double kWorldHalf = 20037508.342789244;  // metres from the centre to an edge
constexpr double kMaxLatitude = 85.0511287798066;  // the latitude of the world's top edge
constexpr int kMaxZoom = 22;

struct TileId {
  int z = 0;
  int64_t x = 0, y = 0;
  bool operator==(const TileId&) const = default;
};

// Tiles x0..x1, y0..y1 of a zoom, both ends included; empty when x1 < x0.
struct TileRange {
  int64_t x0 = 0, y0 = 0, x1 = -1, y1 = -1;
  bool Empty() const { return x1 < x0 || y1 < y0; }
  int64_t Count() const { return Empty() ? 0 : (x1 - x0 + 1) * (y1 - y0 + 1); }
};

struct ZoomRange {
  int min = 0, max = 0;
};

// "Z" or "Z0-Z1" within 0..22. Throws MapError "zoom 'X' is not N or N-M
// within 0-22".
ZoomRange ParseZoomRange(const std::string& text);

// An area in degrees, west, south, east, north.
struct LonLatBox {
  double west = -180, south = -kMaxLatitude, east = 180, north = kMaxLatitude;
};

// "west,south,east,north" in degrees. Throws MapError when it is not four
// numbers, west is not below east or south below north, or the box lies
// wholly outside the world (-180..180, -85.0511..85.0511); a box reaching
// past the world is cut to it.
LonLatBox ParseBbox(const std::string& text);

// Web Mercator metres of a longitude and a latitude (clamped to the world).
double MercatorX(double lon);
double MercatorY(double lat);
// The box in Web Mercator metres.
Extent MercatorExtent(const LonLatBox& box);

// The tiles of zoom z that an extent in Web Mercator metres touches (a tile
// merely sharing an edge does not count), cut to the world.
TileRange TilesOf(const Extent& extent, int z);

// The extent of a tile, or of any block of world pixels at zoom z, in Web
// Mercator metres; tilePixels is the size of a tile in pixels.
Extent PixelExtent(int z, int tilePixels, int64_t px0, int64_t py0, int64_t px1, int64_t py1);
Extent TileExtent(const TileId& t);

// The row of a tile counted from the south, as MBTiles stores it (TMS).
inline int64_t TmsRow(int z, int64_t y) { return (int64_t{1} << z) - 1 - y; }

// Converts Web Mercator metres to the world's pixels at a zoom (y down).
class WorldPixels {
 public:
  WorldPixels(int z, int tilePixels);
  double X(double mx) const { return (mx + kWorldHalf) * m_perMetre; }
  double Y(double my) const { return (kWorldHalf - my) * m_perMetre; }
  // Pixels across the whole world.
  int64_t Size() const { return m_size; }

 private:
  int64_t m_size;
  double m_perMetre;
};

}  // namespace kytiles
