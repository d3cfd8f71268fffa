// The loops shared by the byte-addressed formats (32, 24, 16, 15 and 8 bpp),
// written once over a format traits class F:
//   F::kBytes             bytes per pixel
//   F::Load(p) / Store(p) pixel value at p
//   F::FromColour(c) / ToColour(v)
// Each primitives_<bpp>.cpp instantiates them for its format.
#pragma once

#include <cstring>

#include "surface.h"

namespace kygdi {

template <class F>
struct BytePrimitives {
  static uint32_t GetPixel(const Surface& s, int x, int y) { return F::Load(s.Row(y) + x * F::kBytes); }

  static void SolidRects(Surface& s, const RECT* rects, int count, uint32_t and_bits, uint32_t xor_bits) {
    for (int i = 0; i < count; ++i) {
      const RECT& r = rects[i];
      int w = r.right - r.left;
      if (w <= 0) continue;
      for (int y = r.top; y < r.bottom; ++y) {
        uint8_t* p = s.Row(y) + r.left * F::kBytes;
        if (and_bits == 0) {
          F::Fill(p, w, xor_bits);
        } else {
          for (int x = 0; x < w; ++x, p += F::kBytes) F::Store(p, (F::Load(p) & and_bits) ^ xor_bits);
        }
      }
    }
  }

  static uint8_t* SpanBegin(Surface& s, int x, int y, int w, uint8_t*) { return s.Row(y) + x * F::kBytes; }
  static void SpanEnd(Surface& s, int x, int y, int w, const uint8_t* span) {
    uint8_t* p = s.Row(y) + x * F::kBytes;
    if (span != p) std::memmove(p, span, static_cast<size_t>(w) * F::kBytes);
  }
  static void SpanRead(const Surface& s, int x, int y, int w, uint8_t* out) {
    std::memcpy(out, s.Row(y) + x * F::kBytes, static_cast<size_t>(w) * F::kBytes);
  }
  static void SpanFill(uint8_t* span, int count, uint32_t pixel) { F::Fill(span, count, pixel); }
  static uint32_t SpanPixel(const uint8_t* span, int i) { return F::Load(span + i * F::kBytes); }

  static constexpr Primitives Make(int bpp) {
    return Primitives{bpp,        F::kBytes, F::FromColour, F::ToColour, GetPixel, SolidRects, SpanBegin,
                      SpanEnd,    SpanRead,  SpanFill,     SpanPixel};
  }
};

// Little-endian loads and stores that do not assume alignment.
inline uint32_t LoadLE(const uint8_t* p, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v |= uint32_t(p[i]) << (8 * i);
  return v;
}
inline void StoreLE(uint8_t* p, int n, uint32_t v) {
  for (int i = 0; i < n; ++i) p[i] = uint8_t(v >> (8 * i));
}

}  // namespace kygdi
