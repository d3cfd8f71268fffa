#include "KyTileJob.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <cmath>
#include <cstdio>

#include "KyFillStyleLib.h"
#include "KyMapJob.h"
#include "KyMapLayer.h"
#include "KyTileCanvas.h"
#include "KyTileSink.h"
#include "TileWorkers.h"

namespace kytiles {

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// The layer's extent in degrees, cut to the world.
LonLatBox LayerBounds(kymap::Layer& layer) {
  const Extent e = layer.MapExtent();
  const auto lon = [](double x) { return std::clamp(x / kWorldHalf * 180.0, -180.0, 180.0); };
  const auto lat = [](double y) {
    const double v = std::atan(std::sinh(std::clamp(y, -kWorldHalf, kWorldHalf) / kWorldHalf * M_PI)) * 180.0 / M_PI;
    return std::clamp(v, -kMaxLatitude, kMaxLatitude);
  };
  return LonLatBox{lon(e.minX), lat(e.minY), lon(e.maxX), lat(e.maxY)};
}

std::string Signature(const TileJobOptions& o, const LonLatBox& b, const TileSetup& setup) {
  char box[128];
  std::snprintf(box, sizeof box, "%.6f,%.6f,%.6f,%.6f", b.west, b.south, b.east, b.north);
  return "data=" + o.data + " zoom=" + std::to_string(o.zooms.min) + "-" + std::to_string(o.zooms.max) +
         " bbox=" + box + " tile=" + std::to_string(o.tileSize) + " scale=" + std::to_string(o.scale) +
         " metatile=" + std::to_string(o.metatile) + (o.antialias ? " antialias" : "") +
         " background=" + std::to_string(o.background) +
         " by=" + o.classifyBy + " styles=" + o.styleKey + " field=" + setup.rules.field +
         " classes=" + std::to_string(setup.rules.classes.size());
}

}  // namespace

long long TileReport::Written() const {
  long long n = 0;
  for (const auto& [z, c] : zooms) n += c.written;
  return n;
}

std::string TileReport::ToJson() const {
  using nlohmann::json;
  json j;
  j["layer"] = layer;
  long long written = 0, empty = 0, kept = 0;
  json byZoom = json::object();
  for (const auto& [z, c] : zooms) {
    written += c.written;
    empty += c.empty;
    kept += c.kept;
    byZoom[std::to_string(z)] = {{"written", c.written}, {"empty", c.empty}, {"kept", c.kept},
                                 {"seconds", c.seconds},
                                 {"tiles_per_second", c.seconds > 0 ? (c.written + c.empty) / c.seconds : 0.0}};
  }
  j["tiles"] = {{"written", written}, {"empty", empty}, {"kept", kept}};
  j["metatiles"] = {{"drawn", metatiles}, {"kept", metatilesKept}};
  json causes = json::object();
  for (const auto& [cause, n] : features.skipped) causes[cause] = n;
  j["features"] = {{"read", features.read}, {"drawn", features.drawn}, {"below_a_pixel", belowPixel},
                   {"skipped_by_cause", causes}};
  j["bounds"] = {bounds.west, bounds.south, bounds.east, bounds.north};
  j["seconds"] = seconds;
  j["tiles_per_second"] = seconds > 0 ? (written + empty) / seconds : 0.0;
  j["by_zoom"] = byZoom;
  return j.dump(2, ' ', false, json::error_handler_t::replace);
}

void CheckTileOptions(const TileJobOptions& o) {
  if (o.zooms.min < 0 || o.zooms.max > kMaxZoom || o.zooms.min > o.zooms.max) {
    throw MapError("the zooms must lie within 0-22, the first not above the last");
  }
  if (o.tileSize != 256 && o.tileSize != 512) throw MapError("--tile-size must be 256 or 512");
  if (o.scale != 1 && o.scale != 2) throw MapError("--scale must be 1 or 2");
  if (o.metatile < 1 || o.metatile > 16) throw MapError("--metatile must be 1 to 16 tiles a side");
  if (o.metatile * o.tileSize * o.scale > 8192) {
    throw MapError("a metatile of " + std::to_string(o.metatile) + " tiles of " + std::to_string(o.tileSize * o.scale) +
                   " pixels is too large (at most 8192 pixels a side)");
  }
  if (o.jobs < 1 || o.jobs > 256) throw MapError("--jobs must be 1 to 256");
}

Pyramid PlanPyramid(const TileJobOptions& o, CKyFillStyleLib& lib) {
  CheckTileOptions(o);
  Pyramid p;
  TileSetup& setup = p.setup;
  setup.data = o.data;
  setup.tileSize = o.tileSize;
  setup.scale = o.scale;
  setup.metatile = o.metatile;
  setup.background = o.background;
  setup.antialias = o.antialias;
  {
    // This process reads the layer only for its classes and extent; the
    // workers open it again for themselves.
    kymap::Layer layer(o.data);
    layer.RequirePolygons();
    layer.SetTargetCrs("EPSG:3857");
    kymap::MapJobOptions mapOptions;
    mapOptions.rules = o.rules;
    mapOptions.classifyBy = o.classifyBy;
    TileCanvas measure(setup.Dpi());
    measure.Clear(1, 1, setup.background);
    setup.rules = kymap::RulesFor(layer, lib, mapOptions, measure.DC());
    p.layer = layer.Name();
    p.bounds = o.bbox ? *o.bbox : LayerBounds(layer);
  }
  const Extent area = MercatorExtent(p.bounds);
  for (int z = o.zooms.min; z <= o.zooms.max; ++z) {
    const TileRange range = TilesOf(area, z);
    for (const Metatile& m : MetatilesOf(z, range, o.metatile)) p.metatiles.push_back(Pyramid::Item{m, range});
  }
  return p;
}

PyramidInfo InfoOf(const TileJobOptions& o, const Pyramid& p) {
  PyramidInfo info;
  info.name = p.layer;
  info.zooms = o.zooms;
  info.bounds = p.bounds;
  info.tileSize = o.tileSize;
  info.tilePixels = o.tileSize * o.scale;
  info.background = o.background;
  info.signature = Signature(o, p.bounds, p.setup);
  info.legendTitle = p.setup.rules.field;
  return info;
}

void AddLegend(PyramidInfo& info, const Pyramid& p, CKyFillStyleLib& lib) {
  const TileSetup& setup = p.setup;
  TileRenderer renderer(setup, lib);
  const int w = 32 * setup.scale, h = 16 * setup.scale;
  info.legend.clear();
  for (size_t i = 0; i < setup.rules.classes.size(); ++i) {
    info.legend.push_back({setup.rules.classes[i].second.label, renderer.Swatch(static_cast<int>(i), w, h)});
  }
  if (setup.rules.classes.empty()) {
    info.legend.push_back({setup.rules.fallback.label, renderer.Swatch(static_cast<int>(setup.rules.classes.size()), w, h)});
  }
}

namespace {

std::string MetatileName(const Metatile& m) {
  return "metatile " + std::to_string(m.z) + "/" + std::to_string(m.x) + "/" + std::to_string(m.y);
}

}  // namespace

TileReport RenderTiles(const TileJobOptions& o, CKyFillStyleLib& lib,
                       const std::function<void(long long, long long)>& progress) {
  const auto start = Clock::now();
  CheckTileOptions(o);
  Pyramid pyramid = PlanPyramid(o, lib);
  const TileSetup& setup = pyramid.setup;
  TileReport report;
  report.layer = pyramid.layer;
  report.bounds = pyramid.bounds;
  PyramidInfo info = InfoOf(o, pyramid);

  std::unique_ptr<TileSink> sink = OpenSink(o.output, info, o.resume);

  std::vector<MetatileWork> work;
  for (const Pyramid::Item& item : pyramid.metatiles) {
    TileReport::Zoom& counts = report.zooms[item.metatile.z];
    if (sink->Done(item.metatile)) {
      counts.kept += TilesOfMetatile(item.metatile, o.metatile, item.range).Count();
      ++report.metatilesKept;
    } else {
      work.push_back(MetatileWork{item.metatile, item.range});
    }
  }
  long long done = 0;
  auto zoomStart = Clock::now();
  int lastZoom = work.empty() ? 0 : work.front().metatile.z;
  const TakeTiles take = [&](const MetatileWork& item, const std::vector<TileImage>& tiles, const DrawCounts& c) {
    try {
      sink->Store(item.metatile, tiles);
    } catch (const MapError& e) {
      throw MapError(MetatileName(item.metatile) + ": " + e.what());
    }
    TileReport::Zoom& counts = report.zooms[item.metatile.z];
    for (const TileImage& t : tiles) ++(t.png.empty() ? counts.empty : counts.written);
    if (item.metatile.z != lastZoom) {
      report.zooms[lastZoom].seconds += Since(zoomStart);
      zoomStart = Clock::now();
      lastZoom = item.metatile.z;
    }
    report.features.read += c.features.read;
    report.features.drawn += c.features.drawn;
    for (const auto& [cause, n] : c.features.skipped) report.features.skipped[cause] += n;
    report.belowPixel += c.belowPixel;
    ++report.metatiles;
    if (progress) progress(++done, static_cast<long long>(work.size()));
  };
  const MakeRenderer make = [&setup, &lib] { return std::make_unique<TileRenderer>(setup, lib); };
  if (o.jobs == 1 || work.size() < 2) {
    std::unique_ptr<TileRenderer> renderer = work.empty() ? nullptr : make();
    for (const MetatileWork& item : work) {
      DrawCounts c;
      std::vector<TileImage> tiles;
      try {
        tiles = renderer->Render(item.metatile, item.range, c);
      } catch (const MapError& e) {
        throw MapError(MetatileName(item.metatile) + ": " + e.what());
      }
      take(item, tiles, c);
    }
  } else {
    DrawOnProcesses(o.jobs, work, make, take);
  }
  if (!work.empty()) report.zooms[lastZoom].seconds += Since(zoomStart);

  AddLegend(info, pyramid, lib);
  sink->Finish(info);
  report.seconds = Since(start);
  return report;
}

}  // namespace kytiles
