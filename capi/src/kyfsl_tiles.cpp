// Web map tiles through the C interface: a TileRenderer behind an opaque
// handle, with the pyramid's plan as JSON.
#include "kyfsl_tiles.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <cstring>

#include "KyTileJob.h"
#include "capi_internal.h"

using namespace kyfsl_capi;

struct kyfsl_tiler {
  std::unique_ptr<CKyFillStyleLib> builtIn;  // the built-in library when none was given
  CKyFillStyleLib* library = nullptr;
  kytiles::TileJobOptions options;
  kytiles::Pyramid pyramid;
  std::unique_ptr<kytiles::TileRenderer> renderer;
};

struct kyfsl_tile_output {
  kyfsl_tiler* tiler = nullptr;
  kytiles::PyramidInfo info;
  std::unique_ptr<kytiles::TileSink> sink;
  std::vector<kytiles::TileImage> pending;  // the metatile being stored
};

namespace {

kytiles::TileJobOptions ReadOptions(const char* text) {
  using nlohmann::json;
  kytiles::TileJobOptions o;
  json j;
  try {
    j = json::parse(text);
    if (!j.is_object()) throw Error{KYFSL_ERR_ARGUMENT, "the options are not a JSON object"};
    o.data = j.at("data").get<std::string>();
    const auto zoom = j.at("zoom").get<std::vector<int>>();
    if (zoom.size() != 2) throw Error{KYFSL_ERR_ARGUMENT, "\"zoom\" is not [min, max]"};
    o.zooms = kytiles::ZoomRange{zoom[0], zoom[1]};
    o.classifyBy = j.value("by", std::string());
    if (j.contains("styles") && !j["styles"].is_null()) o.rules = kymap::ParseStyles(j["styles"].dump());
    if (j.contains("bbox") && !j["bbox"].is_null()) {
      const auto b = j["bbox"].get<std::vector<double>>();
      if (b.size() != 4) throw Error{KYFSL_ERR_ARGUMENT, "\"bbox\" is not [west, south, east, north]"};
      char box[160];
      std::snprintf(box, sizeof box, "%.17g,%.17g,%.17g,%.17g", b[0], b[1], b[2], b[3]);
      o.bbox = kytiles::ParseBbox(box);
    }
    o.tileSize = j.value("tile_size", 256);
    o.scale = j.value("scale", 1);
    o.metatile = j.value("metatile", 8);
    o.antialias = j.value("antialias", true);
    o.styleKey = j.value("library", std::string("default"));
    if (o.rules) o.styleKey += "," + j["styles"].dump();
  } catch (const json::exception& e) {
    throw Error{KYFSL_ERR_ARGUMENT, std::string("the options: ") + e.what()};
  } catch (const kymap::MapError& e) {
    throw Error{KYFSL_ERR_ARGUMENT, e.what()};
  }
  try {
    kytiles::CheckTileOptions(o);
  } catch (const kymap::MapError& e) {
    throw Error{KYFSL_ERR_ARGUMENT, e.what()};
  }
  return o;
}

}  // namespace

extern "C" {

int kyfsl_tiler_open(const kyfsl_library* lib, const char* options, kyfsl_tiler** out) {
  return Guarded([&] {
    Need(options, "options");
    Need(out, "out");
    *out = nullptr;
    auto t = std::make_unique<kyfsl_tiler>();
    CKyFillStyleLib* library = nullptr;
    if (lib) {
      library = &Live(lib)->lib;
    } else {
      t->builtIn = std::make_unique<CKyFillStyleLib>();
      if (!t->builtIn->CreateDefault()) throw Error{KYFSL_ERR_FORMAT, "the built-in library cannot be read"};
      library = t->builtIn.get();
    }
    t->library = library;
    t->options = ReadOptions(options);
    try {
      t->pyramid = kytiles::PlanPyramid(t->options, *library);
      t->renderer = std::make_unique<kytiles::TileRenderer>(t->pyramid.setup, *library);
    } catch (const kymap::MapError& e) {
      throw Error{KYFSL_ERR_IO, e.what()};
    }
    *out = t.release();
  });
}

int kyfsl_tiler_plan(kyfsl_tiler* tiler, char** json) {
  return Guarded([&] {
    Need(tiler, "tiler");
    Need(json, "json");
    nlohmann::json j;
    const kytiles::LonLatBox& b = tiler->pyramid.bounds;
    j["name"] = tiler->pyramid.layer;
    j["bounds"] = {b.west, b.south, b.east, b.north};
    nlohmann::json list = nlohmann::json::array();
    for (const auto& item : tiler->pyramid.metatiles) {
      list.push_back({item.metatile.z, item.metatile.x, item.metatile.y, item.range.x0, item.range.y0, item.range.x1,
                      item.range.y1});
    }
    j["metatiles"] = list;
    const std::string text = j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (!copy) throw std::bad_alloc();
    std::memcpy(copy, text.c_str(), text.size() + 1);
    *json = copy;
  });
}

int kyfsl_tiler_draw(kyfsl_tiler* tiler, int z, int64_t x, int64_t y, int64_t x0, int64_t y0, int64_t x1, int64_t y1,
                     kyfsl_tile_sink sink, void* user) {
  return Guarded([&] {
    Need(tiler, "tiler");
    Need(reinterpret_cast<const void*>(sink), "sink");
    const int64_t n = z >= 0 && z <= kytiles::kMaxZoom ? (int64_t{1} << z) : 0;
    if (n == 0 || x0 < 0 || y0 < 0 || x1 >= n || y1 >= n || x0 > x1 || y0 > y1) {
      throw Error{KYFSL_ERR_ARGUMENT, "the metatile lies outside the world of zoom " + std::to_string(z)};
    }
    kytiles::DrawCounts counts;
    std::vector<kytiles::TileImage> tiles;
    try {
      tiles = tiler->renderer->Render(kytiles::Metatile{z, x, y}, kytiles::TileRange{x0, y0, x1, y1}, counts);
    } catch (const kymap::MapError& e) {
      throw Error{KYFSL_ERR_IO, "metatile " + std::to_string(z) + "/" + std::to_string(x) + "/" + std::to_string(y) +
                                    ": " + e.what()};
    }
    for (const auto& t : tiles) {
      if (!t.png.empty()) sink(user, t.id.z, t.id.x, t.id.y, t.png.data(), t.png.size());
    }
  });
}

int kyfsl_tiler_close(kyfsl_tiler* tiler) {
  return Guarded([&] { delete tiler; });
}

int kyfsl_tile_output_open(kyfsl_tiler* tiler, const char* path, int resume, kyfsl_tile_output** out) {
  return Guarded([&] {
    Need(tiler, "tiler");
    Need(path, "path");
    Need(out, "out");
    *out = nullptr;
    auto o = std::make_unique<kyfsl_tile_output>();
    o->tiler = tiler;
    o->info = kytiles::InfoOf(tiler->options, tiler->pyramid);
    try {
      o->sink = kytiles::OpenSink(path, o->info, resume != 0);
    } catch (const kymap::MapError& e) {
      throw Error{KYFSL_ERR_IO, e.what()};
    }
    *out = o.release();
  });
}

int kyfsl_tile_output_done(const kyfsl_tile_output* output, int z, int64_t x, int64_t y, int* done) {
  return Guarded([&] {
    Need(output, "output");
    Need(done, "done");
    *done = output->sink->Done(kytiles::Metatile{z, x, y}) ? 1 : 0;
  });
}

int kyfsl_tile_output_add(kyfsl_tile_output* output, int z, int64_t x, int64_t y, const void* png, size_t size) {
  return Guarded([&] {
    Need(output, "output");
    Need(png, "png");
    if (z < 0 || z > kytiles::kMaxZoom || x < 0 || y < 0 || x >= (int64_t{1} << z) || y >= (int64_t{1} << z)) {
      throw Error{KYFSL_ERR_ARGUMENT, "the tile lies outside the world of zoom " + std::to_string(z)};
    }
    if (size == 0) throw Error{KYFSL_ERR_ARGUMENT, "a tile of no bytes"};
    const auto* bytes = static_cast<const uint8_t*>(png);
    output->pending.push_back(kytiles::TileImage{kytiles::TileId{z, x, y}, std::vector<uint8_t>(bytes, bytes + size)});
  });
}

int kyfsl_tile_output_store(kyfsl_tile_output* output, int z, int64_t x, int64_t y) {
  return Guarded([&] {
    Need(output, "output");
    std::vector<kytiles::TileImage> tiles;
    tiles.swap(output->pending);
    try {
      output->sink->Store(kytiles::Metatile{z, x, y}, tiles);
    } catch (const kymap::MapError& e) {
      throw Error{KYFSL_ERR_IO, "metatile " + std::to_string(z) + "/" + std::to_string(x) + "/" + std::to_string(y) +
                                    ": " + e.what()};
    }
  });
}

int kyfsl_tile_output_finish(kyfsl_tile_output* output) {
  return Guarded([&] {
    Need(output, "output");
    try {
      kytiles::AddLegend(output->info, output->tiler->pyramid, *output->tiler->library);
      output->sink->Finish(output->info);
    } catch (const kymap::MapError& e) {
      throw Error{KYFSL_ERR_IO, e.what()};
    }
  });
}

int kyfsl_tile_output_close(kyfsl_tile_output* output) {
  return Guarded([&] { delete output; });
}

}  // extern "C"
