// 1 bpp: bit 7 of a byte is the leftmost pixel; 0 is black, 1 white. A colour
// becomes the nearer of the two. Spans are unpacked to a byte per pixel
// (0x00 or 0xFF) so that raster operations work bytewise as in other formats.
#include <cstring>

#include "surface.h"

namespace kygdi {
namespace {

bool Bit(const Surface& s, int x, int y) { return (s.Row(y)[x >> 3] >> (7 - (x & 7))) & 1; }

uint32_t FromColour(COLORREF c) {
  int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  int to_black = r * r + g * g + b * b;
  int to_white = (255 - r) * (255 - r) + (255 - g) * (255 - g) + (255 - b) * (255 - b);
  return to_white <= to_black ? 1u : 0u;
}
COLORREF ToColour(uint32_t v) { return (v & 1) ? RGB(255, 255, 255) : RGB(0, 0, 0); }
uint32_t GetPixel(const Surface& s, int x, int y) { return Bit(s, x, y); }

void SolidRects(Surface& s, const RECT* rects, int count, uint32_t and_bits, uint32_t xor_bits) {
  const uint8_t a = (and_bits & 1) ? 0xFF : 0x00, x = (xor_bits & 1) ? 0xFF : 0x00;
  for (int i = 0; i < count; ++i) {
    const RECT& r = rects[i];
    if (r.right <= r.left) continue;
    int b0 = r.left >> 3, b1 = (r.right - 1) >> 3;
    uint8_t m0 = uint8_t(0xFF >> (r.left & 7)), m1 = uint8_t(0xFF << (7 - ((r.right - 1) & 7)));
    for (int y = r.top; y < r.bottom; ++y) {
      uint8_t* row = s.Row(y);
      for (int b = b0; b <= b1; ++b) {
        uint8_t m = 0xFF;
        if (b == b0) m &= m0;
        if (b == b1) m &= m1;
        uint8_t v = uint8_t((row[b] & a) ^ x);
        row[b] = uint8_t((row[b] & ~m) | (v & m));
      }
    }
  }
}

void SpanRead(const Surface& s, int x, int y, int w, uint8_t* out) {
  const uint8_t* row = s.Row(y);
  for (int i = 0; i < w; ++i) {
    int px = x + i;
    out[i] = ((row[px >> 3] >> (7 - (px & 7))) & 1) ? 0xFF : 0x00;
  }
}
uint8_t* SpanBegin(Surface& s, int x, int y, int w, uint8_t* scratch) {
  SpanRead(s, x, y, w, scratch);
  return scratch;
}
void SpanEnd(Surface& s, int x, int y, int w, const uint8_t* span) {
  uint8_t* row = s.Row(y);
  for (int i = 0; i < w; ++i) {
    int px = x + i;
    uint8_t bit = uint8_t(0x80 >> (px & 7));
    if (span[i] & 0x80)
      row[px >> 3] |= bit;
    else
      row[px >> 3] &= uint8_t(~bit);
  }
}
void SpanFill(uint8_t* span, int count, uint32_t pixel) { std::memset(span, (pixel & 1) ? 0xFF : 0, size_t(count)); }
uint32_t SpanPixel(const uint8_t* span, int i) { return (span[i] & 0x80) ? 1u : 0u; }

// The null table of empty surfaces: nothing to draw, nothing to read.
uint32_t NullGet(const Surface&, int, int) { return 0; }
void NullRects(Surface&, const RECT*, int, uint32_t, uint32_t) {}
uint8_t* NullBegin(Surface&, int, int, int, uint8_t* scratch) { return scratch; }
void NullEnd(Surface&, int, int, int, const uint8_t*) {}
void NullRead(const Surface&, int, int, int, uint8_t*) {}

}  // namespace

// Neither is mixed: their blend column is empty.
extern const Primitives kPrimitives1 = {1,       1,        FromColour, ToColour, GetPixel, SolidRects, SpanBegin,
                                        SpanEnd, SpanRead, SpanFill,   SpanPixel, nullptr, nullptr};
extern const Primitives kPrimitivesNull = {0,       1,        FromColour, ToColour, NullGet, NullRects, NullBegin,
                                           NullEnd, NullRead, SpanFill,   SpanPixel, nullptr, nullptr};

extern const Primitives kPrimitives32, kPrimitives24, kPrimitives16, kPrimitives15, kPrimitives8;

const Primitives* PrimitivesFor(int bpp) {
  switch (bpp) {
    case 0: return &kPrimitivesNull;
    case 1: return &kPrimitives1;
    case 8: return &kPrimitives8;
    case 15: return &kPrimitives15;
    case 16: return &kPrimitives16;
    case 24: return &kPrimitives24;
    case 32: return &kPrimitives32;
    default: return nullptr;
  }
}

}  // namespace kygdi
