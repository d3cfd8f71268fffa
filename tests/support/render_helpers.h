// BMP images for the render and export tests, beside the 1-bit ones of
// bmp_builder.h: 24 bits, rows bottom-up padded to 4 bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "bmp_builder.h"

namespace kytest {

// A 24-bit image of w x h; colour(x, y) gives pixel (x, y), y counted from
// the top.
inline std::vector<uint8_t> Colour24(int w, int h, const std::function<COLORREF(int x, int y)>& colour) {
  const int stride = (w * 3 + 3) / 4 * 4;
  std::vector<uint8_t> v(54 + static_cast<size_t>(stride) * h, 0);
  v[0] = 'B';
  v[1] = 'M';
  PutLE(v, 2, static_cast<uint32_t>(v.size()), 4);
  PutLE(v, 10, 54, 4);
  PutLE(v, 14, 40, 4);
  PutLE(v, 18, static_cast<uint32_t>(w), 4);
  PutLE(v, 22, static_cast<uint32_t>(h), 4);
  PutLE(v, 26, 1, 2);
  PutLE(v, 28, 24, 2);
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

}  // namespace kytest
