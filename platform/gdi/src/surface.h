// A surface is the pixels of one bitmap: rows top row first, `stride` bytes
// each (the word-aligned bmWidthBytes, so the raw bits of GetBitmapBits are the
// memory itself), and the primitive table of its pixel format, chosen once
// when the surface is made. Callers write `s.funcs->solid_rects(...)` and never
// switch on the depth. A surface of zero size has a table whose calls do
// nothing.
//
// Pixel values are the format's own: 32 bpp 0x??RRGGBB in memory order B,G,R,x;
// 24 bpp B,G,R; 16 bpp 5-6-5 and 15 bpp x-5-5-5 little-endian words; 8 bpp an
// index into the fixed palette; 1 bpp 0 = black, 1 = white, most significant
// bit leftmost.
//
// Spans: drawing code works on a span of pixels of one row in a byte form
// where every bpp >= 8 is the memory itself and 1 bpp is unpacked into one
// byte per pixel (0x00 or 0xFF). `span_begin` gives the span (a pointer into
// the bitmap or the scratch buffer), `span_end` writes a scratch span back.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

#include "wingdi.h"

namespace kygdi {

struct Surface;
struct RealisedBrush;

// Mixing at a rate (1..99), per colour component in the format's own widths:
//   result = trunc(below * (100 - rate) / 100) + trunc(over * rate / 100)
// keep[v] and take[v] hold the two shares for every component value v, so a
// loop does two lookups and an add; the sum never passes the component's
// maximum. Bits outside the colour (the fourth byte at 32 bpp, bit 15 at
// 15 bpp) keep the destination's value.
struct BlendShares {
  uint8_t keep[256];
  uint8_t take[256];
  int rate;
  explicit BlendShares(int r) : rate(r) {
    for (int v = 0; v < 256; ++v) {
      keep[v] = uint8_t(v * (100 - r) / 100);
      take[v] = uint8_t(v * r / 100);
    }
  }
};
// One row of n pixels mixed with one pixel value.
using BlendSolidRow = void (*)(uint8_t* d, int n, uint32_t pixel, const BlendShares& t);
// One row of n pixels mixed with a source row of the same format; with a
// mask row (same format), only where the mask pixel's colour bits are all 0.
using BlendCopyRow = void (*)(uint8_t* d, const uint8_t* s, const uint8_t* mask, int n, const BlendShares& t);

struct Primitives {
  int bpp;
  int span_bytes;  // bytes per pixel in span form: 4, 3, 2, 2, 1, 1
  uint32_t (*colour_to_pixel)(COLORREF colour);
  COLORREF (*pixel_to_colour)(uint32_t pixel);
  uint32_t (*get_pixel)(const Surface& s, int x, int y);
  // dst = (dst & and_bits) ^ xor_bits on every pixel of the rectangles, which
  // the caller has clipped to the surface.
  void (*solid_rects)(Surface& s, const RECT* rects, int count, uint32_t and_bits, uint32_t xor_bits);
  uint8_t* (*span_begin)(Surface& s, int x, int y, int w, uint8_t* scratch);
  void (*span_end)(Surface& s, int x, int y, int w, const uint8_t* span);
  // Reads a span in span form into out (even for formats whose span is the
  // memory itself): used when source and destination may overlap.
  void (*span_read)(const Surface& s, int x, int y, int w, uint8_t* out);
  // Writes count copies of one pixel value in span form.
  void (*span_fill)(uint8_t* span, int count, uint32_t pixel);
  uint32_t (*span_pixel)(const uint8_t* span, int i);
  // The blend column, general loops; null where a format is not mixed
  // (palette and monochrome surfaces). Fast paths for some formats sit in
  // FindBlendSolidRow / FindBlendCopyRow (blend.h).
  BlendSolidRow blend_solid_row;
  BlendCopyRow blend_copy_row;
  // Block copy under a ROP3 that uses no pattern. Each destination rectangle
  // (clipped by the caller to both surfaces) takes the rectangle of src at
  // (left + dx, top + dy); src has this format and may be s itself, in
  // which case overlapping rectangles come out as if copied through a buffer.
  void (*copy_rects)(Surface& s, const RECT* rects, int count, const Surface& src, int dx, int dy, uint8_t rop3);
  // Pattern rectangles: the brush's tile laid from its origin under a ROP3
  // that uses no source; with a mask only the pixels the brush paints change.
  void (*pattern_rects)(Surface& s, const RECT* rects, int count, const RealisedBrush& brush, uint8_t rop3);
  // The row converter: pixel values out of a span and into one, and pixel
  // values to COLORREFs and back in place. A blit between formats is
  // load_row, to_colour_row of the source, from_colour_row, store_row of
  // the destination: four calls a row, the pixels in the formats' own loops.
  void (*load_row)(const uint8_t* span, int n, uint32_t* values);
  void (*store_row)(uint8_t* span, const uint32_t* values, int n);
  void (*to_colour_row)(uint32_t* values, int n);
  void (*from_colour_row)(uint32_t* values, int n);
};

const Primitives* PrimitivesFor(int bpp);  // null table for 0; null for an unknown bpp

// The palette of 8-bit surfaces (256 entries) and of 1-bit ones (2 entries).
const RGBQUAD* FixedPalette8();
uint32_t NearestPaletteIndex(const RGBQUAD* palette, int count, COLORREF colour);

// Zeroed memory of bytes; null when there is none. A block of many
// megabytes (a map's page) is mapped on huge pages where the system
// offers them, so that it is faulted in a few hundred times fewer.
void* AllocateZeroed(size_t bytes);
void FreeZeroed(void* p, size_t bytes);

// Memory the system hands out zeroed (fresh pages of a large block are
// zero without being written), so a surface is not written once to clear
// it and again to paint it.
template <typename T>
struct ZeroedAllocator {
  using value_type = T;
  ZeroedAllocator() = default;
  template <typename U>
  ZeroedAllocator(const ZeroedAllocator<U>&) {}
  T* allocate(size_t n) {
    if (n > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
    if (void* p = AllocateZeroed(n * sizeof(T))) return static_cast<T*>(p);
    throw std::bad_alloc();
  }
  void deallocate(T* p, size_t n) { FreeZeroed(p, n * sizeof(T)); }
  template <typename U>
  void construct(U*) noexcept {}  // already zero
  template <typename U, typename... A>
  void construct(U* p, A&&... a) {
    ::new (static_cast<void*>(p)) U(std::forward<A>(a)...);
  }
  template <typename U>
  bool operator==(const ZeroedAllocator<U>&) const {
    return true;
  }
};

struct Surface {
  int width = 0;
  int height = 0;
  int bpp = 0;
  int stride = 0;  // bytes per row: ((width * bpp + 15) / 16) * 2
  std::vector<uint8_t, ZeroedAllocator<uint8_t>> storage;
  uint8_t* bits = nullptr;
  const Primitives* funcs = nullptr;

  // Allocates a zeroed surface; false for an unsupported bpp or a size that
  // is negative or too large (more than 2^28 pixels or 2^31 bytes).
  bool Create(int w, int h, int bits_per_pixel);
  static int StrideFor(int w, int bits_per_pixel);
  uint8_t* Row(int y) { return bits + static_cast<ptrdiff_t>(y) * stride; }
  const uint8_t* Row(int y) const { return bits + static_cast<ptrdiff_t>(y) * stride; }
  uint32_t ColourToPixel(COLORREF c) const { return funcs->colour_to_pixel(c); }
  COLORREF PixelToColour(uint32_t p) const { return funcs->pixel_to_colour(p); }
};

// The bits of a pixel value that the format uses (0x1, 0xFF, 0x7FFF, ...).
uint32_t PixelMask(int bpp);

}  // namespace kygdi
