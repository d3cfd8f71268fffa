// The pixels of a bitmap pattern, top row first, as colours in the caller's
// two colours (1-bit patterns) or the pattern's own (colour patterns).
#pragma once

#include <string>
#include <vector>

#include "KyFillStyle.h"

namespace kyexport {

struct PatternGrid {
  int width = 0;
  int height = 0;
  bool twoColour = false;  // a 1-bit pattern: background pixels are index 0
  std::vector<COLORREF> pixels;      // width * height, row by row from the top
  std::vector<unsigned char> isBack; // 1 for a background pixel of a 1-bit pattern

  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Reads the style's pattern image. Index 0 of a 1-bit pattern takes back,
// index 1 fore, as the module colours its tiles. Returns false, with *error
// set, when the style has no pattern or the image is damaged.
bool ReadPatternGrid(const CKyFillStyle& style, COLORREF fore, COLORREF back, PatternGrid* grid, std::string* error);

}  // namespace kyexport
