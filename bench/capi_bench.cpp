// A tile drawn over 256 x 256 pixels through the C interface
// (kyfsl_render_tile: checks, a device at the dpi, a prepared copy of the
// record, the caller's pixels copied in and out) beside the module's own
// calls doing the same work for a host that wants the pixels: a memory DC
// with a 32-bit bitmap, SetFillStyleEx on a copy of the record, DisplayEx,
// GetBitmapBits.
#include <benchmark/benchmark.h>

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

}  // namespace

BENCHMARK_MAIN();
