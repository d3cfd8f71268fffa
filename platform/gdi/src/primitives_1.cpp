// 1 bpp: bit 7 of a byte is the leftmost pixel; 0 is black, 1 white. A colour
// becomes the nearer of the two. Spans are unpacked to a byte per pixel
// (0x00 or 0xFF) so that raster operations work bytewise as in other formats.
#include <cstring>

#include "blocks_impl.h"
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

// The row converter: a pixel value is 0 or 1.
void LoadRow(const uint8_t* span, int n, uint32_t* v) {
  for (int i = 0; i < n; ++i) v[i] = (span[i] & 0x80) ? 1u : 0u;
}
void StoreRow(uint8_t* span, const uint32_t* v, int n) {
  for (int i = 0; i < n; ++i) span[i] = (v[i] & 1) ? 0xFF : 0x00;
}
void ToColourRow(uint32_t* v, int n) {
  for (int i = 0; i < n; ++i) v[i] = ToColour(v[i]);
}
void FromColourRow(uint32_t* v, int n) {
  for (int i = 0; i < n; ++i) v[i] = FromColour(v[i]);
}

// The block columns work on spans unpacked a byte per pixel.
struct Layout {
  static constexpr size_t kSpanBytes = 1;
  static uint8_t* Begin(Surface& s, int x, int y, int w, uint8_t* tmp) { return SpanBegin(s, x, y, w, tmp); }
  static void End(Surface& s, int x, int y, int w, const uint8_t* span) { SpanEnd(s, x, y, w, span); }
  static const uint8_t* Source(const Surface& s, int x, int y, int w, uint8_t* tmp, bool) {
    SpanRead(s, x, y, w, tmp);
    return tmp;
  }
};

// The null table of empty surfaces: nothing to draw, nothing to read.
uint32_t NullGet(const Surface&, int, int) { return 0; }
void NullRects(Surface&, const RECT*, int, uint32_t, uint32_t) {}
uint8_t* NullBegin(Surface&, int, int, int, uint8_t* scratch) { return scratch; }
void NullEnd(Surface&, int, int, int, const uint8_t*) {}
void NullRead(const Surface&, int, int, int, uint8_t*) {}
void NullCopy(Surface&, const RECT*, int, const Surface&, int, int, uint8_t) {}
void NullPattern(Surface&, const RECT*, int, const RealisedBrush&, uint8_t) {}

}  // namespace

// Neither is mixed: their blend column is empty.
extern const Primitives kPrimitives1 = {.bpp = 1,
                                        .span_bytes = 1,
                                        .colour_to_pixel = FromColour,
                                        .pixel_to_colour = ToColour,
                                        .get_pixel = GetPixel,
                                        .solid_rects = SolidRects,
                                        .span_begin = SpanBegin,
                                        .span_end = SpanEnd,
                                        .span_read = SpanRead,
                                        .span_fill = SpanFill,
                                        .span_pixel = SpanPixel,
                                        .blend_solid_row = nullptr,
                                        .blend_copy_row = nullptr,
                                        .copy_rects = BlockPrimitives<Layout>::CopyRects,
                                        .pattern_rects = BlockPrimitives<Layout>::PatternRects,
                                        .load_row = LoadRow,
                                        .store_row = StoreRow,
                                        .to_colour_row = ToColourRow,
                                        .from_colour_row = FromColourRow};
extern const Primitives kPrimitivesNull = {.bpp = 0,
                                           .span_bytes = 1,
                                           .colour_to_pixel = FromColour,
                                           .pixel_to_colour = ToColour,
                                           .get_pixel = NullGet,
                                           .solid_rects = NullRects,
                                           .span_begin = NullBegin,
                                           .span_end = NullEnd,
                                           .span_read = NullRead,
                                           .span_fill = SpanFill,
                                           .span_pixel = SpanPixel,
                                           .blend_solid_row = nullptr,
                                           .blend_copy_row = nullptr,
                                           .copy_rects = NullCopy,
                                           .pattern_rects = NullPattern,
                                           .load_row = LoadRow,
                                           .store_row = StoreRow,
                                           .to_colour_row = ToColourRow,
                                           .from_colour_row = FromColourRow};

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
