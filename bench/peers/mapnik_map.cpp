#include "mapnik_map.h"

#include <mapnik/agg_renderer.hpp>
#include <mapnik/datasource_cache.hpp>
#include <mapnik/image.hpp>
#include <mapnik/image_util.hpp>
#include <mapnik/load_map.hpp>
#include <mapnik/map.hpp>

#ifndef MAPNIK_INPUT_PLUGINS
#define MAPNIK_INPUT_PLUGINS "/usr/lib/mapnik/3.1/input"
#endif

struct MapnikMap::Impl {
  mapnik::Map map;
  mapnik::image_rgba8 image;
  Impl(int w, int h) : map(w, h), image(w, h) {}
};

MapnikMap::MapnikMap(const std::string& shapefile, const std::string& tilePng, int width, int height, double minx,
                     double miny, double maxx, double maxy)
    : m(std::make_unique<Impl>(width, height)) {
  mapnik::datasource_cache::instance().register_datasources(MAPNIK_INPUT_PLUGINS);
  std::string base = shapefile;
  if (base.size() > 4 && base.compare(base.size() - 4, 4, ".shp") == 0) base.resize(base.size() - 4);
  const std::string xml = R"(<Map background-color="white" srs="+proj=longlat +datum=WGS84 +no_defs">
  <Style name="fill"><Rule>
    <PolygonPatternSymbolizer file=")" + tilePng + R"(" alignment="global"/>
    <LineSymbolizer stroke="#404040" stroke-width="1"/>
  </Rule></Style>
  <Layer name="l" srs="+proj=longlat +datum=WGS84 +no_defs"><StyleName>fill</StyleName>
    <Datasource><Parameter name="type">shape</Parameter><Parameter name="file">)" + base + R"(</Parameter></Datasource>
  </Layer></Map>)";
  mapnik::load_map_string(m->map, xml);
  m->map.zoom_to_box(mapnik::box2d<double>(minx, miny, maxx, maxy));
}

MapnikMap::~MapnikMap() = default;

void MapnikMap::Render() {
  mapnik::agg_renderer<mapnik::image_rgba8> renderer(m->map, m->image);
  renderer.apply();
}

void MapnikMap::Save(const std::string& path) const { mapnik::save_to_file(m->image, path, "png"); }
