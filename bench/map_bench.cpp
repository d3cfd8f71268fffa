// The map renderer against Mapnik on the same data in the same run: the
// world's countries with one 8 x 8 hatch anchored to the map and one-pixel
// outlines, and the time and memory as the number of features grows.
#include <benchmark/benchmark.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>
#include <sys/resource.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "KyFillStyleLib.h"
#include "KyMapJob.h"
#include "KyMapVector.h"
#include "gdipng.h"
#include "peers/mapnik_map.h"

namespace {

const std::string kWorld = std::string(KY_DATA_DIR) + "/naturalearth/naturalearth_lowres.shp";
constexpr long kHatch = 500;

bool Hatch(int x, int y) { return (x + y) % 8 == 0; }

// A memory DC on a simulated 96 dpi screen of the picture's size.
class Picture {
 public:
  Picture(int width, int height) {
    KyGetDisplaySettings(&saved_);
    KyDisplaySettings s{width, height, static_cast<int>(width * 25.4 / 96), static_cast<int>(height * 25.4 / 96), 32,
                        96};
    KySetDisplaySettings(&s);
    dc.CreateCompatibleDC(nullptr);
    // A 32-bit DIB section, as kyfsl map's canvas.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    old_ = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, width, height, RGB(0xFF, 0xFF, 0xFF));
  }
  ~Picture() {
    dc.SelectObject(old_);
    KySetDisplaySettings(&saved_);
  }
  CDC dc;
  CBitmap bitmap;

 private:
  KyDisplaySettings saved_;
  CBitmap* old_ = nullptr;
};

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

kymap::MapJobOptions Options(const std::string& data, const kymap::Extent& extent) {
  kymap::MapJobOptions o;
  o.data = data;
  o.extent = extent;
  kymap::StyleRules rules;
  rules.fallback.style = kHatch;
  rules.fallback.fore = RGB(0, 0, 0);
  rules.fallback.outline.widthMm = 0.1;  // one pixel at 96 dpi
  o.rules = rules;
  return o;
}

const kymap::Extent kWorldExtent{-180, -90, 180, 90};

void BM_WorldMap_KyROZ50(benchmark::State& state) {
  CKyFillStyleLib lib;
  AddHatch(lib);
  Picture picture(4096, 2048);
  const kymap::MapJobOptions o = Options(kWorld, kWorldExtent);
  for (auto _ : state) {
    const kymap::MapReport r = kymap::DrawMap(picture.dc, 4096, 2048, lib, o);
    benchmark::DoNotOptimize(r.counts.drawn);
  }
  if (const char* out = std::getenv("KY_BENCH_PNG_DIR")) {
    GdiSaveBitmapPng(static_cast<HBITMAP>(picture.bitmap.GetSafeHandle()), (std::string(out) + "/world-ky.png").c_str());
  }
}
BENCHMARK(BM_WorldMap_KyROZ50)->Unit(benchmark::kMillisecond);

// The same map anti-aliased: smooth edges and outlines, each class one
// shape.
void BM_WorldMapSmooth_KyROZ50(benchmark::State& state) {
  CKyFillStyleLib lib;
  AddHatch(lib);
  Picture picture(4096, 2048);
  kymap::MapJobOptions o = Options(kWorld, kWorldExtent);
  o.antialias = true;
  for (auto _ : state) {
    const kymap::MapReport r = kymap::DrawMap(picture.dc, 4096, 2048, lib, o);
    benchmark::DoNotOptimize(r.counts.drawn);
  }
  if (const char* out = std::getenv("KY_BENCH_PNG_DIR")) {
    GdiSaveBitmapPng(static_cast<HBITMAP>(picture.bitmap.GetSafeHandle()),
                     (std::string(out) + "/world-ky-smooth.png").c_str());
  }
}
BENCHMARK(BM_WorldMapSmooth_KyROZ50)->Unit(benchmark::kMillisecond);

// The world map written as a vector PDF of 4096 x 2048 pixels at 96 dpi.
void BM_WorldMapPdf_KyROZ50(benchmark::State& state) {
  CKyFillStyleLib lib;
  AddHatch(lib);
  Picture picture(4096, 2048);
  kymap::MapJobOptions o = Options(kWorld, kWorldExtent);
  const std::string path = std::filesystem::temp_directory_path() / "ky-bench-world.pdf";
  for (auto _ : state) {
    kymap::VectorDocument doc(path, kymap::VectorKind::kPdf, 4096, 2048, 96, RGB(0xFF, 0xFF, 0xFF));
    o.vector = &doc;
    const kymap::MapReport r = kymap::DrawMap(picture.dc, 4096, 2048, lib, o);
    doc.Commit();
    benchmark::DoNotOptimize(r.counts.drawn);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_WorldMapPdf_KyROZ50)->Unit(benchmark::kMillisecond);

void BM_WorldMap_Mapnik(benchmark::State& state) {
  const std::string tile = std::filesystem::temp_directory_path() / "ky-bench-hatch.png";
  std::vector<DWORD> px(64);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) px[y * 8 + x] = Hatch(x, y) ? 0x000000 : 0xFFFFFF;
  }
  GdiWritePngPixels(tile.c_str(), 8, 8, px.data());
  MapnikMap map(kWorld, tile, 4096, 2048, -180, -90, 180, 90);
  for (auto _ : state) map.Render();
  if (const char* out = std::getenv("KY_BENCH_PNG_DIR")) map.Save(std::string(out) + "/world-mapnik.png");
}
BENCHMARK(BM_WorldMap_Mapnik)->Unit(benchmark::kMillisecond);

// A grid of n small squares with a hole each, written once as a shapefile.
std::string GridLayer(long n) {
  const std::string dir = std::filesystem::temp_directory_path() / ("ky-bench-grid-" + std::to_string(n));
  const std::string path = dir + "/grid.shp";
  if (std::filesystem::exists(path)) return path;
  std::filesystem::create_directories(dir);
  GDALAllRegister();
  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("ESRI Shapefile");
  GDALDatasetUniquePtr ds(driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
  OGRLayer* layer = ds->CreateLayer("grid", nullptr, wkbPolygon, nullptr);
  const long side = static_cast<long>(std::ceil(std::sqrt(static_cast<double>(n))));
  for (long i = 0; i < n; ++i) {
    const double x = static_cast<double>(i % side), y = static_cast<double>(i / side);
    OGRPolygon poly;
    OGRLinearRing outer, inner;
    for (const auto& [dx, dy] : {std::pair{0.05, 0.05}, {0.95, 0.05}, {0.95, 0.95}, {0.05, 0.95}, {0.05, 0.05}}) {
      outer.addPoint(x + dx, y + dy);
    }
    for (const auto& [dx, dy] : {std::pair{0.4, 0.4}, {0.4, 0.6}, {0.6, 0.6}, {0.6, 0.4}, {0.4, 0.4}}) {
      inner.addPoint(x + dx, y + dy);
    }
    poly.addRing(&outer);
    poly.addRing(&inner);
    OGRFeature f(layer->GetLayerDefn());
    f.SetGeometry(&poly);
    if (layer->CreateFeature(&f) != OGRERR_NONE) break;
  }
  return path;
}

long PeakRssMb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss / 1024;
}

void BM_FeatureScaling(benchmark::State& state) {
  const long n = state.range(0);
  const std::string data = GridLayer(n);
  const double side = std::ceil(std::sqrt(static_cast<double>(n)));
  CKyFillStyleLib lib;
  AddHatch(lib);
  Picture picture(2048, 2048);
  const kymap::MapJobOptions o = Options(data, kymap::Extent{0, 0, side, side});
  for (auto _ : state) {
    const kymap::MapReport r = kymap::DrawMap(picture.dc, 2048, 2048, lib, o);
    benchmark::DoNotOptimize(r.counts.drawn);
  }
  state.counters["features"] = static_cast<double>(n);
  state.counters["us_per_feature"] =
      benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["peak_rss_mb"] = static_cast<double>(PeakRssMb());
}
BENCHMARK(BM_FeatureScaling)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
