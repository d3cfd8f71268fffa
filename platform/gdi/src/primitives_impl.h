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

#include "blocks_impl.h"
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

  // The row converter.
  static void LoadRow(const uint8_t* span, int n, uint32_t* v) {
    for (int i = 0; i < n; ++i, span += F::kBytes) v[i] = F::Load(span);
  }
  static void StoreRow(uint8_t* span, const uint32_t* v, int n) {
    for (int i = 0; i < n; ++i, span += F::kBytes) F::Store(span, v[i]);
  }
  static void ToColourRow(uint32_t* v, int n) {
    for (int i = 0; i < n; ++i) v[i] = F::ToColour(v[i]);
  }
  static void FromColourRow(uint32_t* v, int n) {
    for (int i = 0; i < n; ++i) v[i] = F::FromColour(v[i]);
  }

  // The span layout of the block columns: spans are the memory itself.
  struct Layout {
    static constexpr size_t kSpanBytes = F::kBytes;
    static uint8_t* Begin(Surface& s, int x, int y, int, uint8_t*) { return s.Row(y) + x * F::kBytes; }
    static void End(Surface&, int, int, int, const uint8_t*) {}
    static const uint8_t* Source(const Surface& s, int x, int y, int w, uint8_t* tmp, bool copy) {
      const uint8_t* p = s.Row(y) + x * F::kBytes;
      if (!copy) return p;
      std::memcpy(tmp, p, size_t(w) * F::kBytes);
      return tmp;
    }
  };

  static constexpr Primitives Make(int bpp) {
    Primitives p{.bpp = bpp,
                 .span_bytes = F::kBytes,
                 .colour_to_pixel = F::FromColour,
                 .pixel_to_colour = F::ToColour,
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
    if constexpr (requires { F::kFields; }) {
      p.blend_solid_row = BlendSolidRow;
      p.blend_copy_row = BlendCopyRow;
    }
    return p;
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
