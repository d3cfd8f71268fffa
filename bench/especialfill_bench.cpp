// Transparent fills and gradients on a 4096 x 4096 32-bit device, beside
// cairo doing the same work on an image surface (antialiasing off), and
// memset/memcpy of the same 64 MiB as the bound no fill can beat: a solid
// rectangle at rate 50, the four gradients over the whole device (cairo has
// neither a conical nor a square gradient; its radial one stands beside
// them). The rectangle at 24 and 16 bits stands beside pixman's OVER of a
// colour at 50 % on the same format.
#include <benchmark/benchmark.h>
#include <cairo.h>
#include <pixman.h>

#include <cstring>
#include <memory>
#include <vector>

#include "KyEspecialFill.h"

namespace {

constexpr int kSide = 4096;
constexpr size_t kBytes = size_t(kSide) * kSide * 4;

// The display set to 4096 x 4096 at 32 bits and a memory DC on a bitmap of
// it, painted white.
class Device {
 public:
  explicit Device(int bpp = 32) {
    KyDisplaySettings s{kSide, kSide, 1084, 1084, bpp, 96};
    KySetDisplaySettings(&s);
    HDC screen = ::GetDC(nullptr);
    m_bitmap = ::CreateCompatibleBitmap(screen, kSide, kSide);
    ::ReleaseDC(nullptr, screen);
    dc.CreateCompatibleDC(nullptr);
    m_old = ::SelectObject(dc.m_hDC, m_bitmap);
    dc.FillSolidRect(0, 0, kSide, kSide, RGB(255, 255, 255));
  }
  ~Device() {
    ::SelectObject(dc.m_hDC, m_old);
    ::DeleteObject(m_bitmap);
  }
  CDC dc;

 private:
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
};

struct CairoSurface {
  CairoSurface() {
    surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSide, kSide);
    cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
  }
  ~CairoSurface() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
  }
  cairo_surface_t* surface;
  cairo_t* cr;
};

void Bytes(benchmark::State& state) {
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kBytes));
}

// ------------------------------------------------------------ bounds
void BM_Bound_Memset(benchmark::State& state) {
  std::unique_ptr<char[]> a(new char[kBytes]);
  for (auto _ : state) {
    std::memset(a.get(), 0x7F, kBytes);
    benchmark::ClobberMemory();
  }
  Bytes(state);
}
BENCHMARK(BM_Bound_Memset)->Unit(benchmark::kMillisecond);

void BM_Bound_Memcpy(benchmark::State& state) {
  std::unique_ptr<char[]> a(new char[kBytes]), b(new char[kBytes]);
  std::memset(a.get(), 1, kBytes);
  std::memset(b.get(), 2, kBytes);
  for (auto _ : state) {
    std::memcpy(b.get(), a.get(), kBytes);
    benchmark::ClobberMemory();
  }
  Bytes(state);
}
BENCHMARK(BM_Bound_Memcpy)->Unit(benchmark::kMillisecond);

// ------------------------------------------------------------ solid at rate 50
void BM_Ky_TransparentRectangle50(benchmark::State& state) {
  Device dev;
  CRect rect(0, 0, kSide, kSide);
  for (auto _ : state)
    benchmark::DoNotOptimize(CKyEspecialFill::TransparentRectangle(&dev.dc, &rect, RGB(255, 0, 0), FALSE, 50));
  Bytes(state);
}
BENCHMARK(BM_Ky_TransparentRectangle50)->Unit(benchmark::kMillisecond);

void BM_Cairo_Rectangle50(benchmark::State& state) {
  CairoSurface s;
  for (auto _ : state) {
    cairo_set_source_rgba(s.cr, 1, 0, 0, 0.5);
    cairo_rectangle(s.cr, 0, 0, kSide, kSide);
    cairo_fill(s.cr);
    cairo_surface_flush(s.surface);
  }
  Bytes(state);
}
BENCHMARK(BM_Cairo_Rectangle50)->Unit(benchmark::kMillisecond);

void KyRectangle50(benchmark::State& state, int bpp) {
  Device dev(bpp);
  CRect rect(0, 0, kSide, kSide);
  for (auto _ : state)
    benchmark::DoNotOptimize(CKyEspecialFill::TransparentRectangle(&dev.dc, &rect, RGB(255, 0, 0), FALSE, 50));
  Bytes(state);
}
void PixmanRectangle50(benchmark::State& state, pixman_format_code_t format) {
  pixman_image_t* dst = pixman_image_create_bits(format, kSide, kSide, nullptr, 0);
  const pixman_color_t red{0x8000, 0, 0, 0x8000};  // premultiplied red at 50 %
  pixman_image_t* src = pixman_image_create_solid_fill(&red);
  for (auto _ : state) pixman_image_composite32(PIXMAN_OP_OVER, src, nullptr, dst, 0, 0, 0, 0, 0, 0, kSide, kSide);
  Bytes(state);
  pixman_image_unref(src);
  pixman_image_unref(dst);
}
void BM_Ky_TransparentRectangle50_24(benchmark::State& s) { KyRectangle50(s, 24); }
void BM_Pixman_Rectangle50_24(benchmark::State& s) { PixmanRectangle50(s, PIXMAN_r8g8b8); }
void BM_Ky_TransparentRectangle50_16(benchmark::State& s) { KyRectangle50(s, 16); }
void BM_Pixman_Rectangle50_16(benchmark::State& s) { PixmanRectangle50(s, PIXMAN_r5g6b5); }
BENCHMARK(BM_Ky_TransparentRectangle50_24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pixman_Rectangle50_24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ky_TransparentRectangle50_16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pixman_Rectangle50_16)->Unit(benchmark::kMillisecond);

// The mixing loop alone over the same raw bits: what the rectangle costs
// without its off-screen bitmaps and copies.
class Mixer : public CKyEspecialFill {
 public:
  using CKyEspecialFill::MixColour;
};

void BM_Ky_MixColour32Rate50(benchmark::State& state) {
  std::vector<BYTE> bits(kBytes, 0xFF);
  for (auto _ : state) {
    Mixer::MixColour(bits.data(), kSide * 4, 32, kSide, kSide, RGB(255, 0, 0), 50);
    benchmark::ClobberMemory();
  }
  Bytes(state);
}
BENCHMARK(BM_Ky_MixColour32Rate50)->Unit(benchmark::kMillisecond);

// ------------------------------------------------------------ linear gradient
void BM_Ky_LinearGradient(benchmark::State& state) {
  Device dev;
  CRect rect(0, 0, kSide, kSide);
  for (auto _ : state)
    benchmark::DoNotOptimize(CKyEspecialFill::GradientRectangle(&dev.dc, &rect, RGB(200, 0, 0), RGB(255, 255, 0),
                                                                300, 0, 0, 1, FALSE, 100));
  Bytes(state);
}
BENCHMARK(BM_Ky_LinearGradient)->Unit(benchmark::kMillisecond);

void BM_Cairo_LinearGradient(benchmark::State& state) {
  CairoSurface s;
  for (auto _ : state) {
    // 30 degrees up from the bottom-left corner, as the device's gradient.
    cairo_pattern_t* p = cairo_pattern_create_linear(0, kSide, kSide, kSide - kSide * 0.57735);
    cairo_pattern_add_color_stop_rgb(p, 0, 200 / 255.0, 0, 0);
    cairo_pattern_add_color_stop_rgb(p, 1, 1, 1, 0);
    cairo_set_source(s.cr, p);
    cairo_rectangle(s.cr, 0, 0, kSide, kSide);
    cairo_fill(s.cr);
    cairo_pattern_destroy(p);
    cairo_surface_flush(s.surface);
  }
  Bytes(state);
}
BENCHMARK(BM_Cairo_LinearGradient)->Unit(benchmark::kMillisecond);

// ------------------------------------------------------------ radial gradient
void BM_Ky_RadialGradient(benchmark::State& state) {
  Device dev;
  CRect rect(0, 0, kSide, kSide);
  for (auto _ : state)
    benchmark::DoNotOptimize(CKyEspecialFill::GradientRectangle(&dev.dc, &rect, RGB(200, 0, 0), RGB(255, 255, 0),
                                                                0, 0, 0, 2, FALSE, 100));
  Bytes(state);
}
BENCHMARK(BM_Ky_RadialGradient)->Unit(benchmark::kMillisecond);

void BM_Cairo_RadialGradient(benchmark::State& state) {
  CairoSurface s;
  for (auto _ : state) {
    const double c = kSide / 2.0, rmax = c * 1.41421356;
    cairo_pattern_t* p = cairo_pattern_create_radial(c, c, 0, c, c, rmax);
    cairo_pattern_add_color_stop_rgb(p, 0, 200 / 255.0, 0, 0);
    cairo_pattern_add_color_stop_rgb(p, 1, 1, 1, 0);
    cairo_set_source(s.cr, p);
    cairo_rectangle(s.cr, 0, 0, kSide, kSide);
    cairo_fill(s.cr);
    cairo_pattern_destroy(p);
    cairo_surface_flush(s.surface);
  }
  Bytes(state);
}
BENCHMARK(BM_Cairo_RadialGradient)->Unit(benchmark::kMillisecond);

// ------------------------------------------------------------ conical and square gradients
void KyCentredGradient(benchmark::State& state, long type) {
  Device dev;
  CRect rect(0, 0, kSide, kSide);
  for (auto _ : state)
    benchmark::DoNotOptimize(CKyEspecialFill::GradientRectangle(&dev.dc, &rect, RGB(200, 0, 0), RGB(255, 255, 0),
                                                                300, 0, 0, type, FALSE, 100));
  Bytes(state);
}
void BM_Ky_ConicalGradient(benchmark::State& s) { KyCentredGradient(s, 3); }
void BM_Ky_SquareGradient(benchmark::State& s) { KyCentredGradient(s, 4); }
BENCHMARK(BM_Ky_ConicalGradient)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ky_SquareGradient)->Unit(benchmark::kMillisecond);

// A radial gradient at rate 50: the rendered bitmap mixed in.
void BM_Ky_RadialGradient50(benchmark::State& state) {
  Device dev;
  CRect rect(0, 0, kSide, kSide);
  for (auto _ : state)
    benchmark::DoNotOptimize(CKyEspecialFill::GradientRectangle(&dev.dc, &rect, RGB(200, 0, 0), RGB(255, 255, 0),
                                                                0, 0, 0, 2, FALSE, 50));
  Bytes(state);
}
BENCHMARK(BM_Ky_RadialGradient50)->Unit(benchmark::kMillisecond);

void BM_Cairo_RadialGradient50(benchmark::State& state) {
  CairoSurface s;
  for (auto _ : state) {
    const double c = kSide / 2.0, rmax = c * 1.41421356;
    cairo_pattern_t* p = cairo_pattern_create_radial(c, c, 0, c, c, rmax);
    cairo_pattern_add_color_stop_rgba(p, 0, 200 / 255.0, 0, 0, 0.5);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 0, 0.5);
    cairo_set_source(s.cr, p);
    cairo_rectangle(s.cr, 0, 0, kSide, kSide);
    cairo_fill(s.cr);
    cairo_pattern_destroy(p);
    cairo_surface_flush(s.surface);
  }
  Bytes(state);
}
BENCHMARK(BM_Cairo_RadialGradient50)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
