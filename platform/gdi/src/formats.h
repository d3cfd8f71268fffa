// The traits of the colour formats (32, 24, 16 and 15 bpp) that the loops
// of primitives_impl.h are written over: bytes per pixel, loads and stores,
// colours to pixel values and back, and the colour components. The format
// files instantiate the loops with them; the fused row converters of blits
// between formats (blit_source.cpp) pair them.
#pragma once

#include <cstring>

#include "primitives_impl.h"

namespace kygdi {

// Colours of the formats with a byte a component: red, green, blue from
// bit 16 down.
struct Rgb888 {
  static uint32_t FromColour(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
  static COLORREF ToColour(uint32_t v) { return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }
};

// A pixel in one little-endian word: the 16- and 15-bit formats.
struct Word16 {
  static constexpr int kBytes = 2;
  static uint32_t Load(const uint8_t* p) { return LoadLE(p, 2); }
  static void Store(uint8_t* p, uint32_t v) { StoreLE(p, 2, v); }
  static void Fill(uint8_t* p, int n, uint32_t v) {
    for (int i = 0; i < n; ++i, p += 2) Store(p, v);
  }
};

// 32 bpp: bytes blue, green, red and a fourth byte that colours leave at 0.
struct Fmt32 : Rgb888 {
  static constexpr int kBytes = 4;
  static constexpr Field kFields[3] = {{16, 8}, {8, 8}, {0, 8}};
  static constexpr uint32_t kKeep = 0xFF000000u;
  static uint32_t Load(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
  }
  static void Store(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }
  static void Fill(uint8_t* p, int n, uint32_t v) {
    for (int i = 0; i < n; ++i) std::memcpy(p + 4 * i, &v, 4);
  }
};

// 24 bpp: bytes blue, green, red, rows word-aligned.
struct Fmt24 : Rgb888 {
  static constexpr int kBytes = 3;
  static constexpr Field kFields[3] = {{16, 8}, {8, 8}, {0, 8}};
  static constexpr uint32_t kKeep = 0;
  static uint32_t Load(const uint8_t* p) { return LoadLE(p, 3); }
  static void Store(uint8_t* p, uint32_t v) { StoreLE(p, 3, v); }
  static void Fill(uint8_t* p, int n, uint32_t v) {
    for (int i = 0; i < n; ++i, p += 3) {
      p[0] = uint8_t(v);
      p[1] = uint8_t(v >> 8);
      p[2] = uint8_t(v >> 16);
    }
  }
};

// 16 bpp, 5-6-5: red bits 11..15, green 5..10, blue 0..4. Reading a pixel
// back repeats each field's top bits in its low bits, so white stays white.
struct Fmt16 : Word16 {
  static constexpr Field kFields[3] = {{11, 5}, {5, 6}, {0, 5}};
  static constexpr uint32_t kKeep = 0;
  static uint32_t FromColour(COLORREF c) {
    return ((GetRValue(c) >> 3) << 11) | ((GetGValue(c) >> 2) << 5) | (GetBValue(c) >> 3);
  }
  static COLORREF ToColour(uint32_t v) {
    int r = (v >> 11) & 0x1F, g = (v >> 5) & 0x3F, b = v & 0x1F;
    return RGB((r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2));
  }
};

// 15 bpp, 5-5-5 in a word: red bits 10..14, green 5..9, blue 0..4. Bit 15 is
// not part of the colour; colours leave it 0 and raster operations treat it
// like any other bit.
struct Fmt15 : Word16 {
  static constexpr Field kFields[3] = {{10, 5}, {5, 5}, {0, 5}};
  static constexpr uint32_t kKeep = 0x8000u;
  static uint32_t FromColour(COLORREF c) {
    return ((GetRValue(c) >> 3) << 10) | ((GetGValue(c) >> 3) << 5) | (GetBValue(c) >> 3);
  }
  static COLORREF ToColour(uint32_t v) {
    int r = (v >> 10) & 0x1F, g = (v >> 5) & 0x1F, b = v & 0x1F;
    return RGB((r << 3) | (r >> 2), (g << 3) | (g >> 2), (b << 3) | (b >> 2));
  }
};

}  // namespace kygdi
