#include "mapnik_tiles.h"

#include <mapnik/agg_renderer.hpp>
#include <mapnik/datasource_cache.hpp>
#include <mapnik/image.hpp>
#include <mapnik/image_util.hpp>
#include <mapnik/image_view.hpp>
#include <mapnik/image_view_any.hpp>
#include <mapnik/load_map.hpp>
#include <mapnik/map.hpp>

#include <algorithm>
#include <cmath>

#ifndef MAPNIK_INPUT_PLUGINS
#define MAPNIK_INPUT_PLUGINS "/usr/lib/mapnik/3.1/input"
#endif

namespace {

constexpr double kHalf = 20037508.342789244;
constexpr int kTile = 256;

double MercX(double lon) { return lon / 180.0 * kHalf; }
double MercY(double lat) {
  lat = std::clamp(lat, -85.0511287798, 85.0511287798);
  return std::log(std::tan(M_PI / 4 + lat * M_PI / 360)) / M_PI * kHalf;
}

}  // namespace

struct MapnikTiles::Impl {
  mapnik::Map map;
  int metatile;
  Impl(int m) : map(m * kTile, m * kTile), metatile(m) {}
};

MapnikTiles::MapnikTiles(const std::string& data, const std::string& tilePng, int metatile, int buffer)
    : m(std::make_unique<Impl>(metatile)) {
  mapnik::datasource_cache::instance().register_datasources(MAPNIK_INPUT_PLUGINS);
  std::string source;
  if (data.size() > 4 && data.compare(data.size() - 4, 4, ".shp") == 0) {
    source = R"(<Parameter name="type">shape</Parameter><Parameter name="file">)" + data.substr(0, data.size() - 4) +
             "</Parameter>";
  } else {
    source = R"(<Parameter name="type">ogr</Parameter><Parameter name="file">)" + data +
             R"(</Parameter><Parameter name="layer_by_index">0</Parameter>)";
  }
  const std::string xml = R"(<Map background-color="white" srs="epsg:3857" buffer-size=")" + std::to_string(buffer) +
                          R"(">
  <Style name="fill"><Rule>
    <PolygonPatternSymbolizer file=")" + tilePng + R"(" alignment="global"/>
    <LineSymbolizer stroke="#000000" stroke-width="1"/>
  </Rule></Style>
  <Layer name="l" srs="epsg:4326"><StyleName>fill</StyleName>
    <Datasource>)" + source + R"(</Datasource>
  </Layer></Map>)";
  mapnik::load_map_string(m->map, xml);
}

MapnikTiles::~MapnikTiles() = default;

MapnikTiles::Counts MapnikTiles::Render(int z0, int z1, double west, double south, double east, double north) {
  Counts counts;
  const int size = m->metatile;
  for (int z = z0; z <= z1; ++z) {
    const long long n = 1LL << z;
    const double span = 2 * kHalf / static_cast<double>(n);
    const auto column = [&](double x) { return std::clamp<long long>(static_cast<long long>(std::floor((x + kHalf) / span)), 0, n - 1); };
    const auto row = [&](double y) { return std::clamp<long long>(static_cast<long long>(std::floor((kHalf - y) / span)), 0, n - 1); };
    const long long x0 = column(MercX(west)), x1 = column(MercX(east));
    const long long y0 = row(MercY(north)), y1 = row(MercY(south));
    for (long long my = y0 / size; my <= y1 / size; ++my) {
      for (long long mx = x0 / size; mx <= x1 / size; ++mx) {
        const long long tx0 = std::max(x0, mx * size), tx1 = std::min(x1, mx * size + size - 1);
        const long long ty0 = std::max(y0, my * size), ty1 = std::min(y1, my * size + size - 1);
        const int w = static_cast<int>(tx1 - tx0 + 1) * kTile, h = static_cast<int>(ty1 - ty0 + 1) * kTile;
        m->map.resize(w, h);
        m->map.zoom_to_box(mapnik::box2d<double>(-kHalf + tx0 * span, kHalf - (ty1 + 1) * span,
                                                 -kHalf + (tx1 + 1) * span, kHalf - ty0 * span));
        mapnik::image_rgba8 image(w, h);
        mapnik::agg_renderer<mapnik::image_rgba8> renderer(m->map, image);
        renderer.apply();
        for (long long ty = ty0; ty <= ty1; ++ty) {
          for (long long tx = tx0; tx <= tx1; ++tx) {
            mapnik::image_view_rgba8 view(static_cast<unsigned>((tx - tx0) * kTile),
                                          static_cast<unsigned>((ty - ty0) * kTile), kTile, kTile, image);
            if (mapnik::is_solid(view) && view(0, 0) == 0xFFFFFFFFu) {
              ++counts.empty;
              continue;
            }
            counts.bytes += static_cast<long long>(mapnik::save_to_string(view, "png32").size());
            ++counts.written;
          }
        }
      }
    }
  }
  return counts;
}
