// The loops shared by the byte-addressed formats (32, 24, 16, 15 and 8 bpp),
// written once over a format traits class F:
//   F::kBytes             bytes per pixel
//   F::Load(p) / Store(p) pixel value at p
//   F::FromColour(c) / ToColour(v)
//   F::kFields            (mixed formats only) the colour components as
//                         {shift, width}, and F::kKeep the other bits
// Each primitives_<bpp>.cpp instantiates them for its format.
#pragma once

#include <cstring>

#include "surface.h"

namespace kygdi {

// A colour component of a pixel value: `width` bits from bit `shift`.
struct Field {
  int shift;
  int width;
  constexpr uint32_t Max() const { return (1u << width) - 1; }
};

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

  // The blend column's general loops: each component looked up in the
  // share tables. A fill's own share is the same for every pixel.
  static void BlendSolidRow(uint8_t* d, int n, uint32_t pixel, const BlendShares& t) {
    uint32_t share = 0;
    for (const Field& f : F::kFields) share |= uint32_t(t.take[(pixel >> f.shift) & f.Max()]) << f.shift;
    for (int i = 0; i < n; ++i, d += F::kBytes) {
      const uint32_t v = F::Load(d);
      uint32_t out = v & F::kKeep;
      for (const Field& f : F::kFields) out |= uint32_t(t.keep[(v >> f.shift) & f.Max()]) << f.shift;
      F::Store(d, out + share);
    }
  }
  static void BlendCopyRow(uint8_t* d, const uint8_t* s, const uint8_t* m, int n, const BlendShares& t) {
    uint32_t colour_bits = 0;
    for (const Field& f : F::kFields) colour_bits |= f.Max() << f.shift;
    for (int i = 0; i < n; ++i, d += F::kBytes, s += F::kBytes) {
      if (m) {
        const bool black = (F::Load(m) & colour_bits) == 0;
        m += F::kBytes;
        if (!black) continue;
      }
      const uint32_t v = F::Load(d), o = F::Load(s);
      uint32_t out = v & F::kKeep;
      for (const Field& f : F::kFields)
        out |= uint32_t(t.keep[(v >> f.shift) & f.Max()] + t.take[(o >> f.shift) & f.Max()]) << f.shift;
      F::Store(d, out);
    }
  }

  static constexpr Primitives Make(int bpp) {
    if constexpr (requires { F::kFields; }) {
      return Primitives{bpp,      F::kBytes, F::FromColour, F::ToColour, GetPixel,      SolidRects,  SpanBegin,
                        SpanEnd,  SpanRead,  SpanFill,      SpanPixel,   BlendSolidRow, BlendCopyRow};
    } else {
      return Primitives{bpp,     F::kBytes, F::FromColour, F::ToColour, GetPixel, SolidRects, SpanBegin,
                        SpanEnd, SpanRead,  SpanFill,      SpanPixel,   nullptr,  nullptr};
    }
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
