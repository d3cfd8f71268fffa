// Builds whole BMP file images for tests: 1-bit with a two-entry colour
// table, or 24-bit; rows bottom-up padded to 4 bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "afx.h"

namespace kytest {

inline void PutLE(std::vector<uint8_t>& v, size_t at, uint32_t x, int bytes) {
  for (int i = 0; i < bytes; ++i) v[at + static_cast<size_t>(i)] = static_cast<uint8_t>(x >> (8 * i));
}

// The file header and a 40-byte info header of a w x h image whose pixels
// start at offBits; v already has the file's whole size.
inline void PutHeaders(std::vector<uint8_t>& v, int w, int h, int bitCount, uint32_t offBits) {
  v[0] = 'B';
  v[1] = 'M';
  PutLE(v, 2, static_cast<uint32_t>(v.size()), 4);
  PutLE(v, 10, offBits, 4);
  PutLE(v, 14, 40, 4);
  PutLE(v, 18, static_cast<uint32_t>(w), 4);
  PutLE(v, 22, static_cast<uint32_t>(h), 4);
  PutLE(v, 26, 1, 2);
  PutLE(v, 28, static_cast<uint32_t>(bitCount), 2);
}

// A 1-bit image of w x h; bit(x, y) gives pixel (x, y), y counted from the top.
template <typename Bit>
std::vector<uint8_t> Mono(int w, int h, Bit bit) {
  const int stride = ((w + 31) / 32) * 4;
  const size_t size = 62 + static_cast<size_t>(stride) * static_cast<size_t>(h);
  std::vector<uint8_t> v(size, 0);
  PutHeaders(v, w, h, 1, 62);
  PutLE(v, 34, static_cast<uint32_t>(stride * h), 4);
  PutLE(v, 54, 0x000000, 4);  // index 0 black
  PutLE(v, 58, 0xFFFFFF, 4);  // index 1 white
  for (int y = 0; y < h; ++y) {
    uint8_t* row = v.data() + 62 + static_cast<size_t>(stride) * static_cast<size_t>(h - 1 - y);
    for (int x = 0; x < w; ++x) {
      if (bit(x, y)) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
  }
  return v;
}

inline std::vector<uint8_t> Mono(int w, int h) {
  return Mono(w, h, [](int x, int y) { return ((x + y) & 1) != 0; });
}

// A 24-bit image of w x h; colour(x, y) gives pixel (x, y), y counted from
// the top.
inline std::vector<uint8_t> Colour24(int w, int h, const std::function<COLORREF(int x, int y)>& colour) {
  const int stride = (w * 3 + 3) / 4 * 4;
  std::vector<uint8_t> v(54 + static_cast<size_t>(stride) * h, 0);
  PutHeaders(v, w, h, 24, 54);
  for (int y = 0; y < h; ++y) {
    uint8_t* row = v.data() + 54 + static_cast<size_t>(stride) * (h - 1 - y);
    for (int x = 0; x < w; ++x) {
      const COLORREF c = colour(x, y);
      row[3 * x] = GetBValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetRValue(c);
    }
  }
  return v;
}

inline void ToArray(const std::vector<uint8_t>& v, CByteArray& out) {
  out.RemoveAll();
  for (uint8_t b : v) out.Add(b);
}

inline std::vector<uint8_t> FromArray(const CByteArray& a) {
  return std::vector<uint8_t>(a.GetData(), a.GetData() + a.GetSize());
}

}  // namespace kytest
