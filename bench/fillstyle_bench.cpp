// Pattern fills of a large star polygon on a 4096 x 4096 device: opaque,
// with a transparent background, and blended at rate 50. At 32 bits beside
// cairo filling the same star with a repeating 8 x 8 two-colour pattern
// (image surface, antialiasing off); at 24 and 16 bits beside pixman doing
// the same composite (the star as a clip region of its pixel rows, an 8 x 8
// repeating tile, OVER with a constant 50 % mask for the blend); memset of
// the whole device, of the covered bytes and of the star's rows in place as
// the physical bounds; the star's region alone, the share of a fill that is
// not painting. Each fill reports how far one call raises the resident
// memory above the device bitmap (peak_above_device_mb).
#include <benchmark/benchmark.h>
#include <cairo.h>
#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "KyFillStyle.h"

namespace {

constexpr int kSide = 4096;

std::vector<POINT> Star() {
  std::vector<POINT> pts;
  for (int i = 0; i < 10; ++i) {
    const double a = M_PI / 2 + i * M_PI / 5;
    const double r = (i % 2 ? 0.38 : 0.98) * kSide / 2;
    pts.push_back(POINT{static_cast<LONG>(kSide / 2 + r * std::cos(a)), static_cast<LONG>(kSide / 2 - r * std::sin(a))});
  }
  return pts;
}

// An 8 x 8 1-bit BMP image: a diagonal line.
void Pattern(CByteArray& out) {
  std::vector<BYTE> v(62 + 32, 0);
  v[0] = 'B';
  v[1] = 'M';
  v[2] = 94;
  v[10] = 62;
  v[14] = 40;
  v[18] = 8;
  v[22] = 8;
  v[26] = 1;
  v[28] = 1;
  v[58] = v[59] = v[60] = 0xFF;
  for (int y = 0; y < 8; ++y) v[62 + 4 * y] = static_cast<BYTE>(0x80 >> y);
  out.SetSize(static_cast<INT_PTR>(v.size()));
  std::memcpy(out.GetData(), v.data(), v.size());
}

struct Device {
  explicit Device(int bpp = 32) {
    KyGetDisplaySettings(&saved);
    KyDisplaySettings s{kSide, kSide, 1084, 1084, bpp, 96};
    KySetDisplaySettings(&s);
    HDC screen = ::GetDC(nullptr);
    canvas.Attach(::CreateCompatibleBitmap(screen, kSide, kSide));
    ::ReleaseDC(nullptr, screen);
    dc.CreateCompatibleDC(nullptr);
    old = dc.SelectObject(&canvas);
  }
  ~Device() {
    dc.SelectObject(old);
    KySetDisplaySettings(&saved);
  }
  KyDisplaySettings saved{};
  CDC dc;
  CBitmap canvas;
  CBitmap* old = nullptr;
};

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
// (the device bitmap already touched), in MB: the peak is reset first (Linux
// clear_refs 5); -1 where it cannot be.
template <typename Call>
double PeakAboveMb(Call call) {
  std::ofstream reset("/proc/self/clear_refs");
  if (!(reset << "5" << std::flush)) return -1;
  const double before = StatusMb("VmRSS");
  call();
  const double peak = StatusMb("VmHWM");
  return before < 0 || peak < 0 ? -1 : peak - before;
}

void Fill(benchmark::State& state, int bkMode, long rate, int bpp = 32) {
  Device d(bpp);
  CByteArray bytes;
  Pattern(bytes);
  CKyFillStyle style(8, "diagonal", bytes, CKyFillStyle::FS_81DPI);
  d.dc.SetBkMode(bkMode);
  CSize natural(0, 0);
  style.SetFillStyleEx(&d.dc, RGB(0, 0, 255), RGB(255, 255, 255), natural, 1.0);
  std::vector<POINT> star = Star();
  auto fill = [&] { style.Polygon(&d.dc, star.data(), static_cast<int>(star.size()), FALSE, rate); };
  d.dc.FillSolidRect(0, 0, kSide, kSide, RGB(255, 255, 255));  // every page of the device resident
  state.counters["peak_above_device_mb"] = PeakAboveMb(fill);
  for (auto _ : state) fill();
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

void BM_PatternStarOpaque(benchmark::State& s) { Fill(s, OPAQUE, 100); }
void BM_PatternStarTransparent(benchmark::State& s) { Fill(s, TRANSPARENT, 100); }
void BM_PatternStarRate50(benchmark::State& s) { Fill(s, OPAQUE, 50); }
void BM_PatternStarOpaque24(benchmark::State& s) { Fill(s, OPAQUE, 100, 24); }
void BM_PatternStarTransparent24(benchmark::State& s) { Fill(s, TRANSPARENT, 100, 24); }
void BM_PatternStarRate50_24(benchmark::State& s) { Fill(s, OPAQUE, 50, 24); }
void BM_PatternStarOpaque16(benchmark::State& s) { Fill(s, OPAQUE, 100, 16); }
void BM_PatternStarTransparent16(benchmark::State& s) { Fill(s, TRANSPARENT, 100, 16); }
void BM_PatternStarRate50_16(benchmark::State& s) { Fill(s, OPAQUE, 50, 16); }

// The star's pixel rows (even-odd, pixel centres), as rectangles.
std::vector<pixman_box32_t> StarRows() {
  const std::vector<POINT> star = Star();
  std::vector<pixman_box32_t> rows;
  std::vector<double> xs;
  for (int y = 0; y < kSide; ++y) {
    const double cy = y + 0.5;
    xs.clear();
    for (size_t i = 0; i < star.size(); ++i) {
      const POINT a = star[i], b = star[(i + 1) % star.size()];
      if ((a.y <= cy) == (b.y <= cy)) continue;
      xs.push_back(a.x + (cy - a.y) * (b.x - a.x) / double(b.y - a.y));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2) {
      const int x0 = static_cast<int>(std::ceil(xs[i] - 0.5)), x1 = static_cast<int>(std::ceil(xs[i + 1] - 0.5));
      if (x1 > x0) rows.push_back(pixman_box32_t{x0, y, x1, y + 1});
    }
  }
  return rows;
}

int64_t CoveredPixels() {
  int64_t n = 0;
  for (const pixman_box32_t& b : StarRows()) n += b.x2 - b.x1;
  return n;
}

// pixman's equivalent of a pattern fill of the star: the star's rows as the
// destination's clip region, an 8 x 8 tile repeated, SRC when opaque, OVER
// (with a constant 50 % mask at rate 50) otherwise.
void PixmanStar(benchmark::State& state, pixman_format_code_t format, bool clearBackground, bool half) {
  pixman_image_t* dst = pixman_image_create_bits(format, kSide, kSide, nullptr, 0);
  std::vector<uint32_t> tilePixels(64);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) tilePixels[y * 8 + x] = x == y ? 0xFF0000FF : (clearBackground ? 0 : 0xFFFFFFFF);
  pixman_image_t* tile = pixman_image_create_bits(PIXMAN_a8r8g8b8, 8, 8, tilePixels.data(), 32);
  pixman_image_set_repeat(tile, PIXMAN_REPEAT_NORMAL);
  const pixman_color_t halfAlpha{0, 0, 0, 0x8000};
  pixman_image_t* mask = half ? pixman_image_create_solid_fill(&halfAlpha) : nullptr;
  std::vector<pixman_box32_t> rows = StarRows();
  pixman_region32_t clip;
  pixman_region32_init_rects(&clip, rows.data(), static_cast<int>(rows.size()));
  const pixman_op_t op = (clearBackground || half) ? PIXMAN_OP_OVER : PIXMAN_OP_SRC;
  for (auto _ : state) {
    // The clip is set per fill, as a polygon fill would.
    pixman_image_set_clip_region32(dst, &clip);
    pixman_image_composite32(op, tile, mask, dst, 0, 0, 0, 0, 0, 0, kSide, kSide);
    pixman_image_set_clip_region32(dst, nullptr);
  }
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
  pixman_region32_fini(&clip);
  if (mask) pixman_image_unref(mask);
  pixman_image_unref(tile);
  pixman_image_unref(dst);
}

void BM_PixmanStarOpaque24(benchmark::State& s) { PixmanStar(s, PIXMAN_r8g8b8, false, false); }
void BM_PixmanStarTransparent24(benchmark::State& s) { PixmanStar(s, PIXMAN_r8g8b8, true, false); }
void BM_PixmanStarAlpha50_24(benchmark::State& s) { PixmanStar(s, PIXMAN_r8g8b8, false, true); }
void BM_PixmanStarOpaque16(benchmark::State& s) { PixmanStar(s, PIXMAN_r5g6b5, false, false); }
void BM_PixmanStarTransparent16(benchmark::State& s) { PixmanStar(s, PIXMAN_r5g6b5, true, false); }
void BM_PixmanStarAlpha50_16(benchmark::State& s) { PixmanStar(s, PIXMAN_r5g6b5, false, true); }

void CairoStar(benchmark::State& state, double alpha, bool clearBackground) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSide, kSide);
  cairo_t* cr = cairo_create(surface);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
  auto* px = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(tile));
  const int stride = cairo_image_surface_get_stride(tile) / 4;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) px[y * stride + x] = x == y ? 0xFF0000FF : (clearBackground ? 0 : 0xFFFFFFFF);
  }
  cairo_surface_mark_dirty(tile);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
  std::vector<POINT> star = Star();
  for (auto _ : state) {
    cairo_new_path(cr);
    cairo_move_to(cr, star[0].x, star[0].y);
    for (size_t i = 1; i < star.size(); ++i) cairo_line_to(cr, star[i].x, star[i].y);
    cairo_close_path(cr);
    cairo_set_source(cr, pattern);
    if (alpha < 1.0) {
      cairo_clip(cr);
      cairo_paint_with_alpha(cr, alpha);
      cairo_reset_clip(cr);
    } else {
      cairo_fill(cr);
    }
    cairo_surface_flush(surface);
  }
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
  cairo_pattern_destroy(pattern);
  cairo_surface_destroy(tile);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

void BM_CairoStarOpaque(benchmark::State& s) { CairoStar(s, 1.0, false); }
void BM_CairoStarTransparent(benchmark::State& s) { CairoStar(s, 1.0, true); }
void BM_CairoStarAlpha50(benchmark::State& s) { CairoStar(s, 0.5, false); }

void BM_MemsetBound(benchmark::State& state) {
  std::vector<uint32_t> pixels(static_cast<size_t>(kSide) * kSide);
  for (auto _ : state) {
    std::memset(pixels.data(), 0x5A, pixels.size() * 4);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

// memset of as many bytes as the star covers at 32 bits.
void BM_MemsetCoveredBound(benchmark::State& state) {
  std::vector<uint32_t> pixels(static_cast<size_t>(kSide) * kSide);
  const size_t bytes = static_cast<size_t>(CoveredPixels()) * 4;
  for (auto _ : state) {
    std::memset(pixels.data(), 0x5A, bytes);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

// The covered bytes written where the star puts them: a memset of each of
// its pixel rows in a device-sized buffer. The bound of any fill that
// writes the star's rows in place (the contiguous memset above reuses the
// same cache lines and pages for fewer rows' worth of bytes).
void BM_MemsetStarRows(benchmark::State& state) {
  std::vector<uint32_t> pixels(static_cast<size_t>(kSide) * kSide);
  const std::vector<pixman_box32_t> rows = StarRows();
  for (auto _ : state) {
    for (const pixman_box32_t& b : rows)
      std::memset(&pixels[static_cast<size_t>(b.y1) * kSide + b.x1], 0x5A, static_cast<size_t>(b.x2 - b.x1) * 4);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

// The part of every star fill that is not painting: the star's region of
// pixel rows, made and dropped.
void BM_StarRegion(benchmark::State& state) {
  const std::vector<POINT> star = Star();
  for (auto _ : state) {
    HRGN rgn = ::CreatePolygonRgn(star.data(), static_cast<int>(star.size()), ALTERNATE);
    benchmark::DoNotOptimize(rgn);
    ::DeleteObject(rgn);
  }
}

}  // namespace

BENCHMARK(BM_PatternStarOpaque)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CairoStarOpaque)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PatternStarTransparent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CairoStarTransparent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PatternStarRate50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CairoStarAlpha50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemsetBound)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemsetCoveredBound)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemsetStarRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StarRegion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PatternStarOpaque24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PixmanStarOpaque24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PatternStarTransparent24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PixmanStarTransparent24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PatternStarRate50_24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PixmanStarAlpha50_24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PatternStarOpaque16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PixmanStarOpaque16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PatternStarTransparent16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PixmanStarTransparent16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PatternStarRate50_16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PixmanStarAlpha50_16)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
