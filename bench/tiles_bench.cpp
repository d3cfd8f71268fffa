// Web map tiles: tiles per second of the shipped countries, zooms 0 to 4 in
// metatiles of 8 x 8, on one drawing process and on two (the pyramid's
// scaling), written into a fresh MBTiles file each time.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <string>

#include "KyFillStyleLib.h"
#include "KyTileJob.h"

namespace {

const std::string kWorld = std::string(KY_DATA_DIR) + "/naturalearth/naturalearth_lowres.shp";

void BM_TilesCountries(benchmark::State& state) {
  CKyFillStyleLib lib;
  lib.CreateDefault();
  kytiles::TileJobOptions o;
  o.data = kWorld;
  o.classifyBy = "continent";
  o.zooms = kytiles::ZoomRange{0, static_cast<int>(state.range(1))};
  o.jobs = static_cast<int>(state.range(0));
  const std::filesystem::path out = std::filesystem::temp_directory_path() / "ky-bench-tiles.mbtiles";
  long long tiles = 0;
  for (auto _ : state) {
    std::filesystem::remove(out);
    o.output = out;
    const kytiles::TileReport r = kytiles::RenderTiles(o, lib);
    for (const auto& [z, c] : r.zooms) tiles += c.written + c.empty;
  }
  std::filesystem::remove(out);
  state.counters["tiles_per_second"] = benchmark::Counter(static_cast<double>(tiles), benchmark::Counter::kIsRate);
  rusage children{};
  getrusage(RUSAGE_CHILDREN, &children);
  state.counters["worker_peak_rss_mb"] = static_cast<double>(children.ru_maxrss) / 1024;
}
// {processes, last zoom}
BENCHMARK(BM_TilesCountries)->Args({1, 4})->Args({2, 4})->Args({1, 6})->Args({2, 6})
    ->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
BENCHMARK_MAIN();
