// The GDI's hot paths on a 4096 x 4096 32-bit bitmap, each beside pixman
// doing the same job and memcpy/memset of the same bytes as the bound.
// pixman has no bitwise raster operations, so SRCAND and SRCPAINT stand
// beside its ADD, the nearest two-operand per-pixel operation.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "wingdi.h"

namespace {

constexpr int kSize = 4096;
constexpr size_t kBytes = size_t(kSize) * kSize * 4;

struct GdiPair {
  HDC dst_dc, src_dc;
  HBITMAP dst, src;
  HGDIOBJ old_dst, old_src;
  GdiPair() {
    dst_dc = CreateCompatibleDC(nullptr);
    src_dc = CreateCompatibleDC(nullptr);
    dst = CreateBitmap(kSize, kSize, 1, 32, nullptr);
    src = CreateBitmap(kSize, kSize, 1, 32, nullptr);
    old_dst = SelectObject(dst_dc, dst);
    old_src = SelectObject(src_dc, src);
    PatBlt(src_dc, 0, 0, kSize, kSize, WHITENESS);
  }
  ~GdiPair() {
    SelectObject(dst_dc, old_dst);
    SelectObject(src_dc, old_src);
    DeleteObject(dst);
    DeleteObject(src);
    DeleteDC(dst_dc);
    DeleteDC(src_dc);
  }
};

struct PixmanPair {
  std::vector<uint32_t> a, b;
  pixman_image_t *dst, *src;
  PixmanPair() : a(size_t(kSize) * kSize), b(size_t(kSize) * kSize, 0xFFFFFFFF) {
    dst = pixman_image_create_bits(PIXMAN_x8r8g8b8, kSize, kSize, a.data(), kSize * 4);
    src = pixman_image_create_bits(PIXMAN_x8r8g8b8, kSize, kSize, b.data(), kSize * 4);
  }
  ~PixmanPair() {
    pixman_image_unref(dst);
    pixman_image_unref(src);
  }
};

void SetBytes(benchmark::State& state) { state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kBytes)); }

void BM_Gdi_BitBlt_SRCCOPY(benchmark::State& state) {
  GdiPair g;
  for (auto _ : state) BitBlt(g.dst_dc, 0, 0, kSize, kSize, g.src_dc, 0, 0, SRCCOPY);
  SetBytes(state);
}
void BM_Pixman_Blt_SRC(benchmark::State& state) {
  PixmanPair p;
  for (auto _ : state)
    pixman_image_composite32(PIXMAN_OP_SRC, p.src, nullptr, p.dst, 0, 0, 0, 0, 0, 0, kSize, kSize);
  SetBytes(state);
}
void BM_Memcpy(benchmark::State& state) {
  std::vector<uint8_t> a(kBytes), b(kBytes, 1);
  for (auto _ : state) {
    std::memcpy(a.data(), b.data(), kBytes);
    benchmark::ClobberMemory();
  }
  SetBytes(state);
}

void BM_Gdi_BitBlt_SRCAND(benchmark::State& state) {
  GdiPair g;
  for (auto _ : state) BitBlt(g.dst_dc, 0, 0, kSize, kSize, g.src_dc, 0, 0, SRCAND);
  SetBytes(state);
}
void BM_Gdi_BitBlt_SRCPAINT(benchmark::State& state) {
  GdiPair g;
  for (auto _ : state) BitBlt(g.dst_dc, 0, 0, kSize, kSize, g.src_dc, 0, 0, SRCPAINT);
  SetBytes(state);
}
void BM_Pixman_ADD(benchmark::State& state) {
  PixmanPair p;
  for (auto _ : state)
    pixman_image_composite32(PIXMAN_OP_ADD, p.src, nullptr, p.dst, 0, 0, 0, 0, 0, 0, kSize, kSize);
  SetBytes(state);
}

void BM_Gdi_PatBlt_PATCOPY(benchmark::State& state) {
  GdiPair g;
  HBRUSH b = CreateSolidBrush(RGB(10, 20, 30));
  HGDIOBJ old = SelectObject(g.dst_dc, b);
  for (auto _ : state) PatBlt(g.dst_dc, 0, 0, kSize, kSize, PATCOPY);
  SelectObject(g.dst_dc, old);
  DeleteObject(b);
  SetBytes(state);
}
void BM_Pixman_Fill(benchmark::State& state) {
  PixmanPair p;
  for (auto _ : state) pixman_fill(p.a.data(), kSize, 32, 0, 0, kSize, kSize, 0x000A141E);
  SetBytes(state);
}
void BM_Memset(benchmark::State& state) {
  std::vector<uint8_t> a(kBytes);
  for (auto _ : state) {
    std::memset(a.data(), 0x5A, kBytes);
    benchmark::ClobberMemory();
  }
  SetBytes(state);
}

// Blits between formats: a row converter on our side, pixman's SRC between
// two of its formats on the other (both widen 5-bit fields by repeating
// their top bits).
struct GdiFormats {
  HDC dst_dc, src_dc;
  HBITMAP dst, src;
  HGDIOBJ old_dst, old_src;
  GdiFormats(int dst_bpp, int src_bpp) {
    dst_dc = CreateCompatibleDC(nullptr);
    src_dc = CreateCompatibleDC(nullptr);
    dst = CreateBitmap(kSize, kSize, 1, UINT(dst_bpp), nullptr);
    src = CreateBitmap(kSize, kSize, 1, UINT(src_bpp), nullptr);
    old_dst = SelectObject(dst_dc, dst);
    old_src = SelectObject(src_dc, src);
    HBRUSH b = CreateHatchBrush(HS_DIAGCROSS, RGB(200, 100, 50));
    HGDIOBJ old = SelectObject(src_dc, b);
    PatBlt(src_dc, 0, 0, kSize, kSize, PATCOPY);
    SelectObject(src_dc, old);
    DeleteObject(b);
  }
  ~GdiFormats() {
    SelectObject(dst_dc, old_dst);
    SelectObject(src_dc, old_src);
    DeleteObject(dst);
    DeleteObject(src);
    DeleteDC(dst_dc);
    DeleteDC(src_dc);
  }
};

struct PixmanFormats {
  std::vector<uint32_t> a, b;
  pixman_image_t *dst, *src;
  PixmanFormats(pixman_format_code_t df, int dbpp, pixman_format_code_t sf, int sbpp)
      : a(size_t(kSize) * kSize), b(size_t(kSize) * kSize, 0x5A3C1E0Fu) {
    dst = pixman_image_create_bits(df, kSize, kSize, a.data(), ((kSize * dbpp + 31) / 32) * 4);
    src = pixman_image_create_bits(sf, kSize, kSize, b.data(), ((kSize * sbpp + 31) / 32) * 4);
  }
  ~PixmanFormats() {
    pixman_image_unref(dst);
    pixman_image_unref(src);
  }
};

void GdiConvert(benchmark::State& state, int dst_bpp, int src_bpp) {
  GdiFormats g(dst_bpp, src_bpp);
  for (auto _ : state) BitBlt(g.dst_dc, 0, 0, kSize, kSize, g.src_dc, 0, 0, SRCCOPY);
  state.SetItemsProcessed(int64_t(state.iterations()) * kSize * kSize);
}
void PixmanConvert(benchmark::State& state, pixman_format_code_t df, int dbpp, pixman_format_code_t sf, int sbpp) {
  PixmanFormats p(df, dbpp, sf, sbpp);
  for (auto _ : state)
    pixman_image_composite32(PIXMAN_OP_SRC, p.src, nullptr, p.dst, 0, 0, 0, 0, 0, 0, kSize, kSize);
  state.SetItemsProcessed(int64_t(state.iterations()) * kSize * kSize);
}
void BM_Gdi_BitBlt_16_to_32(benchmark::State& state) { GdiConvert(state, 32, 16); }
void BM_Pixman_Blt_r5g6b5_to_x8r8g8b8(benchmark::State& state) {
  PixmanConvert(state, PIXMAN_x8r8g8b8, 32, PIXMAN_r5g6b5, 16);
}
void BM_Gdi_BitBlt_32_to_16(benchmark::State& state) { GdiConvert(state, 16, 32); }
void BM_Pixman_Blt_x8r8g8b8_to_r5g6b5(benchmark::State& state) {
  PixmanConvert(state, PIXMAN_r5g6b5, 16, PIXMAN_x8r8g8b8, 32);
}
void BM_Gdi_BitBlt_24_SRCCOPY(benchmark::State& state) { GdiConvert(state, 24, 24); }
void BM_Pixman_Blt_r8g8b8(benchmark::State& state) { PixmanConvert(state, PIXMAN_r8g8b8, 24, PIXMAN_r8g8b8, 24); }
void BM_Gdi_BitBlt_24_to_32(benchmark::State& state) { GdiConvert(state, 32, 24); }
void BM_Pixman_Blt_r8g8b8_to_x8r8g8b8(benchmark::State& state) {
  PixmanConvert(state, PIXMAN_x8r8g8b8, 32, PIXMAN_r8g8b8, 24);
}

// An 8 x 8 pattern brush laid over the whole bitmap, beside pixman's SRC
// from a repeating 8 x 8 image.
void GdiPattern8x8(benchmark::State& state, DWORD rop) {
  GdiPair g;
  uint32_t tile[64];
  for (int i = 0; i < 64; ++i) tile[i] = (i % 9 == 0) ? 0x00C80000u : 0x00FFFFFFu;
  HBITMAP bm = CreateBitmap(8, 8, 1, 32, tile);
  HBRUSH b = CreatePatternBrush(bm);
  HGDIOBJ old = SelectObject(g.dst_dc, b);
  for (auto _ : state) PatBlt(g.dst_dc, 0, 0, kSize, kSize, rop);
  SelectObject(g.dst_dc, old);
  DeleteObject(b);
  DeleteObject(bm);
  SetBytes(state);
}
void BM_Gdi_PatBlt_Pattern8x8(benchmark::State& state) { GdiPattern8x8(state, PATCOPY); }
void BM_Gdi_PatBlt_PATINVERT_Pattern8x8(benchmark::State& state) { GdiPattern8x8(state, PATINVERT); }
void BM_Pixman_Composite_Tile8x8(benchmark::State& state) {
  PixmanPair p;
  static uint32_t tile[64];
  for (int i = 0; i < 64; ++i) tile[i] = (i % 9 == 0) ? 0xFFC80000u : 0xFFFFFFFFu;
  pixman_image_t* t = pixman_image_create_bits(PIXMAN_x8r8g8b8, 8, 8, tile, 32);
  pixman_image_set_repeat(t, PIXMAN_REPEAT_NORMAL);
  for (auto _ : state) pixman_image_composite32(PIXMAN_OP_SRC, t, nullptr, p.dst, 0, 0, 0, 0, 0, 0, kSize, kSize);
  pixman_image_unref(t);
  SetBytes(state);
}

// A convex 16-gon inscribed in the bitmap: about 3/4 of its pixels.
std::vector<POINT> Polygon16() {
  std::vector<POINT> pts;
  for (int i = 0; i < 16; ++i) {
    double a = i * 2 * M_PI / 16;
    pts.push_back(POINT{LONG(kSize / 2 + (kSize / 2 - 1) * std::cos(a)), LONG(kSize / 2 + (kSize / 2 - 1) * std::sin(a))});
  }
  return pts;
}

void GdiPolygon(benchmark::State& state, HBRUSH brush) {
  GdiPair g;
  std::vector<POINT> pts = Polygon16();
  HGDIOBJ old_b = SelectObject(g.dst_dc, brush), old_p = SelectObject(g.dst_dc, GetStockObject(NULL_PEN));
  for (auto _ : state) Polygon(g.dst_dc, pts.data(), int(pts.size()));
  SelectObject(g.dst_dc, old_b);
  SelectObject(g.dst_dc, old_p);
  DeleteObject(brush);
  SetBytes(state);
}
void BM_Gdi_Polygon_Solid(benchmark::State& state) { GdiPolygon(state, CreateSolidBrush(RGB(200, 0, 0))); }
void BM_Gdi_Polygon_Hatched(benchmark::State& state) {
  GdiPolygon(state, CreateHatchBrush(HS_DIAGCROSS, RGB(200, 0, 0)));
}

// pixman fills the same polygon as a fan of triangles from its centre.
void PixmanPolygon(benchmark::State& state, pixman_image_t* source) {
  PixmanPair p;
  std::vector<POINT> pts = Polygon16();
  std::vector<pixman_triangle_t> tris;
  auto fx = [](double v) { return pixman_double_to_fixed(v); };
  for (size_t i = 0; i < pts.size(); ++i) {
    POINT a = pts[i], b = pts[(i + 1) % pts.size()];
    tris.push_back(pixman_triangle_t{{fx(kSize / 2.0), fx(kSize / 2.0)}, {fx(a.x), fx(a.y)}, {fx(b.x), fx(b.y)}});
  }
  for (auto _ : state)
    pixman_composite_triangles(PIXMAN_OP_SRC, source, p.dst, PIXMAN_a8, 0, 0, 0, 0, int(tris.size()), tris.data());
  pixman_image_unref(source);
  SetBytes(state);
}
void BM_Pixman_Polygon_Solid(benchmark::State& state) {
  pixman_color_t red{0xC8C8, 0, 0, 0xFFFF};
  PixmanPolygon(state, pixman_image_create_solid_fill(&red));
}
void BM_Pixman_Polygon_Tiled8x8(benchmark::State& state) {
  static uint32_t tile[64];
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) tile[y * 8 + x] = (x == y || x == 7 - y) ? 0xFFC80000 : 0xFFFFFFFF;
  pixman_image_t* t = pixman_image_create_bits(PIXMAN_a8r8g8b8, 8, 8, tile, 32);
  pixman_image_set_repeat(t, PIXMAN_REPEAT_NORMAL);
  PixmanPolygon(state, t);
}

}  // namespace

BENCHMARK(BM_Gdi_BitBlt_SRCCOPY)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pixman_Blt_SRC)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gdi_BitBlt_SRCAND)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gdi_BitBlt_SRCPAINT)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pixman_ADD)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gdi_PatBlt_PATCOPY)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pixman_Fill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memset)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gdi_PatBlt_Pattern8x8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gdi_PatBlt_PATINVERT_Pattern8x8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pixman_Composite_Tile8x8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gdi_BitBlt_16_to_32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pixman_Blt_r5g6b5_to_x8r8g8b8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gdi_BitBlt_32_to_16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pixman_Blt_x8r8g8b8_to_r5g6b5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gdi_BitBlt_24_SRCCOPY)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pixman_Blt_r8g8b8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gdi_BitBlt_24_to_32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pixman_Blt_r8g8b8_to_x8r8g8b8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gdi_Polygon_Solid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pixman_Polygon_Solid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gdi_Polygon_Hatched)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pixman_Polygon_Tiled8x8)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
