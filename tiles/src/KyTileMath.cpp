#include "KyTileMath.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kytiles {

namespace {

bool ReadInt(const char*& p, int& v) {
  if (*p < '0' || *p > '9') return false;
  char* end = nullptr;
  const long n = std::strtol(p, &end, 10);
  if (n > kMaxZoom) return false;
  v = static_cast<int>(n);
  p = end;
  return true;
}

}  // namespace

ZoomRange ParseZoomRange(const std::string& text) {
  ZoomRange r;
  const char* p = text.c_str();
  bool ok = ReadInt(p, r.min);
  r.max = r.min;
  if (ok && *p == '-') {
    ++p;
    ok = ReadInt(p, r.max);
  }
  if (!ok || *p != '\0' || r.max < r.min) {
    throw MapError("zoom '" + text + "' is not N or N-M within 0-22 (the first not above the second)");
  }
  return r;
}

LonLatBox ParseBbox(const std::string& text) {
  double v[4];
  const char* p = text.c_str();
  for (int i = 0; i < 4; ++i) {
    char* end = nullptr;
    v[i] = std::strtod(p, &end);
    if (end == p || (i < 3 && *end != ',') || (i == 3 && *end != '\0') || !std::isfinite(v[i])) {
      throw MapError("--bbox '" + text + "' is not west,south,east,north in degrees");
    }
    p = end + 1;
  }
  if (!(v[0] < v[2]) || !(v[1] < v[3])) {
    throw MapError("--bbox '" + text + "' has no area (west must be below east, south below north)");
  }
  if (v[2] <= -180 || v[0] >= 180 || v[3] <= -kMaxLatitude || v[1] >= kMaxLatitude) {
    throw MapError("--bbox '" + text + "' lies outside the world (-180..180, -85.0511..85.0511)");
  }
  return LonLatBox{std::max(v[0], -180.0), std::max(v[1], -kMaxLatitude), std::min(v[2], 180.0),
                   std::min(v[3], kMaxLatitude)};
}

double MercatorX(double lon) { return std::clamp(lon, -180.0, 180.0) * kWorldHalf / 180.0; }

double MercatorY(double lat) {
  const double phi = std::clamp(lat, -kMaxLatitude, kMaxLatitude) * M_PI / 180.0;
  const double y = std::log(std::tan(M_PI / 4 + phi / 2)) * kWorldHalf / M_PI;
  return std::clamp(y, -kWorldHalf, kWorldHalf);
}

Extent MercatorExtent(const LonLatBox& b) {
  return Extent{MercatorX(b.west), MercatorY(b.south), MercatorX(b.east), MercatorY(b.north)};
}

TileRange TilesOf(const Extent& e, int z) {
  const int64_t n = int64_t{1} << z;
  const double perTile = 2 * kWorldHalf / static_cast<double>(n);
  // A tile is touched when the extent reaches past its first edge, so an
  // extent ending exactly on a tile border does not take the next tile.
  const auto first = [&](double d) { return static_cast<int64_t>(std::floor(d / perTile)); };
  const auto last = [&](double d) { return static_cast<int64_t>(std::ceil(d / perTile)) - 1; };
  TileRange r;
  r.x0 = std::max<int64_t>(0, first(e.minX + kWorldHalf));
  r.x1 = std::min<int64_t>(n - 1, last(e.maxX + kWorldHalf));
  r.y0 = std::max<int64_t>(0, first(kWorldHalf - e.maxY));
  r.y1 = std::min<int64_t>(n - 1, last(kWorldHalf - e.minY));
  return r;
}

Extent PixelExtent(int z, int tilePixels, int64_t px0, int64_t py0, int64_t px1, int64_t py1) {
  const double perPixel = 2 * kWorldHalf / (static_cast<double>(tilePixels) * static_cast<double>(int64_t{1} << z));
  return Extent{-kWorldHalf + static_cast<double>(px0) * perPixel, kWorldHalf - static_cast<double>(py1) * perPixel,
                -kWorldHalf + static_cast<double>(px1) * perPixel, kWorldHalf - static_cast<double>(py0) * perPixel};
}

Extent TileExtent(const TileId& t) { return PixelExtent(t.z, 1, t.x, t.y, t.x + 1, t.y + 1); }

WorldPixels::WorldPixels(int z, int tilePixels)
    : m_size(static_cast<int64_t>(tilePixels) << z), m_perMetre(static_cast<double>(m_size) / (2 * kWorldHalf)) {}

}  // namespace kytiles
