// Web map tiles: tiles per second of a pyramid, ours against Mapnik drawing
// the same tiles in the same run, and ours on one and two drawing processes
// (the pyramid's scaling), with the workers' peak memory.
//
// Layers: the shipped countries, zooms 0-6 over the world; and a large
// layer, the Voronoi cells of seeded points over the land (1 000 000 unless
// KY_BENCH_VORONOI_POINTS says otherwise), zooms 0-10 over western Europe,
// written by make_voronoi.py into a GeoPackage under the build folder the
// first time it is needed. Both sides draw every polygon with one 8 x 8
// hatch anchored to the map's origin and a one-pixel outline, in metatiles
// of 8 x 8 tiles of 256 pixels, and encode each tile that is not blank as a
// PNG; ours also writes them into an MBTiles file.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "KyFillStyleLib.h"
#include "KyTileJob.h"
#include "KyTilePng.h"
#include "peers/mapnik_tiles.h"

namespace {

namespace fs = std::filesystem;

const std::string kWorld = std::string(KY_DATA_DIR) + "/naturalearth/naturalearth_lowres.shp";
constexpr long kHatch = 500;
constexpr int kMetatile = 8;

bool Hatch(int x, int y) { return (x + y) % 8 == 0; }

// The hatch as a one-bit 8 x 8 pattern at 96 dpi: 8 pixels in a tile.
void AddHatch(CKyFillStyleLib& lib) {
  const int stride = 4, h = 8;
  CByteArray bmp;
  bmp.SetSize(62 + stride * h);
  BYTE* v = bmp.GetData();
  std::memset(v, 0, bmp.GetSize());
  auto put = [v](int at, unsigned x, int n) {
    for (int i = 0; i < n; ++i) v[at + i] = static_cast<BYTE>(x >> (8 * i));
  };
  v[0] = 'B', v[1] = 'M';
  put(2, 62 + stride * h, 4), put(10, 62, 4), put(14, 40, 4), put(18, 8, 4), put(22, 8, 4);
  put(26, 1, 2), put(28, 1, 2), put(34, stride * h, 4), put(58, 0xFFFFFF, 4);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < 8; ++x) {
      if (Hatch(x, y)) v[62 + stride * (h - 1 - y)] |= static_cast<BYTE>(0x80 >> x);
    }
  }
  lib.AddFillStyle(new CKyFillStyle(kHatch, "hatch", bmp, CKyFillStyle::FS_96DPI), lib.GetStyleGroup());
}

// The same hatch as Mapnik's pattern file.
std::string HatchPng() {
  const fs::path path = fs::temp_directory_path() / "ky-bench-tiles-hatch.png";
  uint32_t px[64];
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) px[y * 8 + x] = Hatch(x, y) ? 0x000000 : 0xFFFFFF;
  }
  const std::vector<uint8_t> png = kytiles::EncodePng(px, 8, 8, 8);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(png.data()), static_cast<long>(png.size()));
  return path;
}

struct Layer {
  std::string data;
  int z0, z1;
  kytiles::LonLatBox box;
};

// The Voronoi layer, made once per count of points.
std::string VoronoiLayer() {
  const char* env = std::getenv("KY_BENCH_VORONOI_POINTS");
  const long points = env ? std::atol(env) : 1000000;
  const fs::path path = fs::path(KY_BENCH_DATA_DIR) / ("voronoi-" + std::to_string(points) + ".gpkg");
  if (!fs::exists(path)) {
    fs::create_directories(path.parent_path());
    const std::string command = std::string("/usr/bin/python3 ") + KY_VORONOI_SCRIPT + " '" + kWorld + "' '" +
                                path.string() + "' --points " + std::to_string(points);
    if (std::system(command.c_str()) != 0 || !fs::exists(path)) return {};
  }
  return path;
}

Layer LayerOf(int which) {
  if (which == 0) return Layer{kWorld, 0, 6, kytiles::LonLatBox{}};
  return Layer{VoronoiLayer(), 0, 10, kytiles::LonLatBox{0, 43, 12, 52}};
}

const char* kNames[] = {"countries z0-6", "voronoi z0-10"};

void BM_Tiles_KyROZ50(benchmark::State& state) {
  const Layer layer = LayerOf(static_cast<int>(state.range(0)));
  if (layer.data.empty()) {
    state.SkipWithError("the Voronoi layer cannot be made");
    return;
  }
  state.SetLabel(std::string(kNames[state.range(0)]) + (state.range(2) ? "" : ", antialias off"));
  CKyFillStyleLib lib;
  AddHatch(lib);
  kytiles::TileJobOptions o;
  o.data = layer.data;
  kymap::StyleRules rules;
  rules.fallback.style = kHatch;
  rules.fallback.fore = RGB(0, 0, 0);
  rules.fallback.outline.widthMm = 0.1;  // one pixel at 96 dpi
  o.rules = rules;
  o.zooms = kytiles::ZoomRange{layer.z0, layer.z1};
  o.bbox = layer.box;
  o.metatile = kMetatile;
  // Anti-aliased (the default), or the module's own pixels.
  o.antialias = state.range(2) != 0;
  o.jobs = static_cast<int>(state.range(1));
  const fs::path out = fs::temp_directory_path() / "ky-bench-tiles.mbtiles";
  long long tiles = 0, written = 0;
  for (auto _ : state) {
    fs::remove(out);
    o.output = out;
    const kytiles::TileReport r = kytiles::RenderTiles(o, lib);
    for (const auto& [z, c] : r.zooms) tiles += c.written + c.empty;
    written += r.Written();
  }
  fs::remove(out);
  state.counters["written"] = static_cast<double>(written) / static_cast<double>(state.iterations());
  state.counters["tiles_per_second"] = benchmark::Counter(static_cast<double>(tiles), benchmark::Counter::kIsRate);
  rusage children{};
  getrusage(RUSAGE_CHILDREN, &children);
  state.counters["worker_peak_rss_mb"] = static_cast<double>(children.ru_maxrss) / 1024;
}
// {layer, processes, antialias}
BENCHMARK(BM_Tiles_KyROZ50)
    ->Args({0, 1, 1})
    ->Args({0, 1, 0})
    ->Args({0, 2, 1})
    ->Args({1, 1, 1})
    ->Args({1, 1, 0})
    ->Args({1, 2, 1})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_Tiles_Mapnik(benchmark::State& state) {
  const Layer layer = LayerOf(static_cast<int>(state.range(0)));
  if (layer.data.empty()) {
    state.SkipWithError("the Voronoi layer cannot be made");
    return;
  }
  state.SetLabel(kNames[state.range(0)]);
  // The buffer our metatiles have for a one-pixel outline.
  MapnikTiles mapnik(layer.data, HatchPng(), kMetatile, 16);
  long long tiles = 0, written = 0;
  for (auto _ : state) {
    const MapnikTiles::Counts c =
        mapnik.Render(layer.z0, layer.z1, layer.box.west, layer.box.south, layer.box.east, layer.box.north);
    tiles += c.written + c.empty;
    written += c.written;
  }
  state.counters["written"] = static_cast<double>(written) / static_cast<double>(state.iterations());
  state.counters["tiles_per_second"] = benchmark::Counter(static_cast<double>(tiles), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Tiles_Mapnik)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
BENCHMARK_MAIN();
