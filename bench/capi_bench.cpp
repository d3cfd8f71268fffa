// A tile drawn over 256 x 256 pixels through the C interface
// (kyfsl_render_tile: checks, a device at the dpi, a prepared copy of the
// record, the caller's pixels copied in and out) beside the module's own
// calls doing the same work for a host that wants the pixels: a memory DC
// with a 32-bit bitmap, SetFillStyleEx on a copy of the record, DisplayEx,
// GetBitmapBits.
//
// Then what a call costs and holds as pictures grow: a small square filled
// on ever larger canvases (the cost follows the shape, not the canvas), and
// the peak of resident memory a transparent or partial-rate draw of a whole
// large buffer, or a fill of a polygon of millions of points, adds to the
// caller's own buffer (one band, not a copy of the picture).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "KyFillStyleLib.h"
#include "afxdc.h"
#include "kyfsl.h"

namespace {

constexpr int kSide = 256;

void BM_ModuleTile(benchmark::State& state) {
  // The display the C interface sets for 96 dpi: 480 pixels over 127 mm.
  KyDisplaySettings saved, s;
  KyGetDisplaySettings(&saved);
  s = saved;
  s.nHorzRes = s.nVertRes = 480;
  s.nHorzSize = s.nVertSize = 127;
  s.nBitsPixel = 32;
  s.nLogPixels = 96;
  KySetDisplaySettings(&s);
  CKyFillStyleLib lib;
  lib.CreateDefault();
  const long position = lib.FindID(lib.FindIndex(5));
  std::vector<uint32_t> pixels(kSide * kSide);
  for (auto _ : state) {
    HDC screen = ::GetDC(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.Attach(::CreateCompatibleBitmap(screen, kSide, kSide));
    ::ReleaseDC(nullptr, screen);
    CBitmap* old = dc.SelectObject(&bitmap);
    CKyFillStyle style;
    style = *lib.GetFillStyle(position);
    CSize natural(0, 0);
    style.SetFillStyleEx(&dc, RGB(0xB2, 0x3A, 0x12), RGB(0xFF, 0xFF, 0xFF), natural, 1.0);
    CRect whole(0, 0, kSide, kSide);
    style.DisplayEx(&dc, &whole, FALSE, 100);
    ::GetBitmapBits(static_cast<HBITMAP>(bitmap.GetSafeHandle()), kSide * kSide * 4, pixels.data());
    style.ReleaseBMP();
    dc.SelectObject(old);
    benchmark::DoNotOptimize(pixels.data());
  }
  KySetDisplaySettings(&saved);
}
BENCHMARK(BM_ModuleTile);

void BM_CapiTile(benchmark::State& state) {
  kyfsl_library* lib = nullptr;
  kyfsl_open_default(0, &lib);
  int32_t id = 0;
  kyfsl_style_id(lib, 5, &id);
  kyfsl_paint paint;
  kyfsl_paint_init(&paint);
  paint.fore = 0xB23A12;
  std::vector<uint8_t> pixels(kSide * kSide * 4);
  kyfsl_buffer buffer{pixels.data(), pixels.size(), kSide, kSide, kSide * 4};
  for (auto _ : state) {
    if (kyfsl_render_tile(lib, id, &paint, &buffer) != KYFSL_OK) state.SkipWithError(kyfsl_last_error());
    benchmark::DoNotOptimize(pixels.data());
  }
  kyfsl_close(lib);
}
BENCHMARK(BM_CapiTile);

// A line of /proc/self/status ("VmRSS", "VmHWM") in MB; -1 where there is none.
double StatusMb(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(key) + ":";
  while (std::getline(status, line))
    if (line.compare(0, prefix.size(), prefix) == 0) return std::stod(line.substr(prefix.size())) / 1024.0;
  return -1;
}

// How far one call raises the resident memory above what it was before
// (the caller's buffer and points already touched), in MB: the heap gives
// back what earlier benchmarks freed, so that the call cannot reuse pages
// still counted as resident, and the peak is reset (Linux clear_refs 5);
// -1 where it cannot be.
template <typename Call>
double PeakAboveMb(Call call) {
  malloc_trim(0);
  std::ofstream reset("/proc/self/clear_refs");
  if (!(reset << "5" << std::flush)) return -1;
  const double before = StatusMb("VmRSS");
  call();
  const double peak = StatusMb("VmHWM");
  return before < 0 || peak < 0 ? -1 : peak - before;
}

struct Default {
  Default() {
    kyfsl_open_default(0, &lib);
    kyfsl_style_id(lib, 5, &id);
    kyfsl_paint_init(&paint);
    paint.fore = 0xB23A12;
  }
  ~Default() { kyfsl_close(lib); }
  kyfsl_library* lib = nullptr;
  int32_t id = 0;
  kyfsl_paint paint;
};

// A 10 x 10 pixel square, transparent, on a canvas of range(0) x range(0)/2.
void BM_CapiFillSmallSquare(benchmark::State& state) {
  Default d;
  d.paint.transparent = 1;
  const int w = static_cast<int>(state.range(0)), h = w / 2;
  std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 4);
  kyfsl_buffer buffer{pixels.data(), pixels.size(), w, h, static_cast<size_t>(w) * 4};
  const double square[] = {100, 100, 110, 100, 110, 110, 100, 110};
  const size_t ring = 4;
  for (auto _ : state) {
    if (kyfsl_fill(d.lib, d.id, &d.paint, square, &ring, 1, nullptr, &buffer) != KYFSL_OK) {
      state.SkipWithError(kyfsl_last_error());
    }
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_CapiFillSmallSquare)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMicrosecond);

// A 4096 x 4096 buffer (64 MiB) covered by a transparent fill, a rate-50
// fill and a rate-50 tile; peak_above_buffer_mb is what the call holds.
void Covered(benchmark::State& state, bool tile, int transparent, int rate) {
  Default d;
  d.paint.transparent = transparent;
  d.paint.rate = rate;
  constexpr int kBig = 4096;
  std::vector<uint8_t> pixels(size_t{kBig} * kBig * 4, 0x40);
  kyfsl_buffer buffer{pixels.data(), pixels.size(), kBig, kBig, size_t{kBig} * 4};
  const double whole[] = {0, 0, kBig, 0, kBig, kBig, 0, kBig};
  const size_t ring = 4;
  auto call = [&] {
    const int status = tile ? kyfsl_render_tile(d.lib, d.id, &d.paint, &buffer)
                            : kyfsl_fill(d.lib, d.id, &d.paint, whole, &ring, 1, nullptr, &buffer);
    if (status != KYFSL_OK) state.SkipWithError(kyfsl_last_error());
  };
  state.counters["peak_above_buffer_mb"] = PeakAboveMb(call);
  for (auto _ : state) call();
  state.SetItemsProcessed(state.iterations() * kBig * kBig);
}
void BM_CapiFillTransparent4096(benchmark::State& s) { Covered(s, false, 1, 100); }
void BM_CapiFillRate50_4096(benchmark::State& s) { Covered(s, false, 0, 50); }
void BM_CapiTileRate50_4096(benchmark::State& s) { Covered(s, true, 0, 50); }
BENCHMARK(BM_CapiFillTransparent4096)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_CapiFillRate50_4096)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_CapiTileRate50_4096)->Unit(benchmark::kMillisecond)->Iterations(2);

// A polygon of range(0) points (a circle with a fine zigzag) over a
// 4096 x 4096 buffer, transparent; peak_above_points_mb is what the call
// holds beyond the caller's buffer and points.
void BM_CapiFillManyPoints(benchmark::State& state) {
  Default d;
  d.paint.transparent = 1;
  constexpr int kBig = 4096;
  std::vector<uint8_t> pixels(size_t{kBig} * kBig * 4, 0x40);
  kyfsl_buffer buffer{pixels.data(), pixels.size(), kBig, kBig, size_t{kBig} * 4};
  const size_t n = static_cast<size_t>(state.range(0));
  std::vector<double> xy(2 * n);
  for (size_t i = 0; i < n; ++i) {
    const double a = 2 * M_PI * static_cast<double>(i) / static_cast<double>(n), r = 2000 + (i % 2 ? 3 : 0);
    xy[2 * i] = 2048 + r * std::cos(a);
    xy[2 * i + 1] = 2048 + r * std::sin(a);
  }
  auto call = [&] {
    if (kyfsl_fill(d.lib, d.id, &d.paint, xy.data(), &n, 1, nullptr, &buffer) != KYFSL_OK) {
      state.SkipWithError(kyfsl_last_error());
    }
  };
  state.counters["peak_above_points_mb"] = PeakAboveMb(call);
  for (auto _ : state) call();
}
BENCHMARK(BM_CapiFillManyPoints)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
