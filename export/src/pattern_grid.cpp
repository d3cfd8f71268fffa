#include "pattern_grid.h"

#include "KyROdi50.h"

namespace kyexport {

bool ReadPatternGrid(const CKyFillStyle& style, COLORREF fore, COLORREF back, PatternGrid* grid, std::string* error) {
  CByteArray bytes;
  if (!style.GetBMPArray(bytes)) {
    *error = "has no pattern image";
    return false;
  }
  CKyDib dib;
  if (!dib.Load(bytes.GetData(), static_cast<size_t>(bytes.GetSize())) || dib.GetWidth() < 1 || dib.GetHeight() < 1) {
    *error = "has a damaged pattern image";
    return false;
  }
  // A pattern is a few dozen pixels; anything beyond this is not a pattern
  // and would make an SVG of millions of paths.
  constexpr int kMaxSide = 4096;
  if (dib.GetWidth() > kMaxSide || dib.GetHeight() > kMaxSide) {
    *error = "has a pattern image larger than 4096 pixels";
    return false;
  }
  grid->width = dib.GetWidth();
  grid->height = dib.GetHeight();
  grid->twoColour = dib.GetBitCount() == 1;
  const size_t count = static_cast<size_t>(grid->width) * static_cast<size_t>(grid->height);
  grid->pixels.assign(count, back);
  grid->isBack.assign(count, 0);
  if (grid->twoColour) {
    // The index is read from the rows themselves, not from the colour table,
    // so that a table with two equal entries still tells fore from back.
    const BITMAPINFO* info = dib.GetInfo();
    const BYTE* bits = dib.GetBits();
    const bool topDown = info->bmiHeader.biHeight < 0;
    const size_t stride = ((static_cast<size_t>(grid->width) + 31) / 32) * 4;
    for (int y = 0; y < grid->height; ++y) {
      const size_t fileRow = topDown ? static_cast<size_t>(y) : static_cast<size_t>(grid->height - 1 - y);
      const BYTE* row = bits + fileRow * stride;
      for (int x = 0; x < grid->width; ++x) {
        const bool set = (row[x / 8] >> (7 - x % 8)) & 1;
        const size_t at = static_cast<size_t>(y) * grid->width + x;
        grid->pixels[at] = set ? fore : back;
        grid->isBack[at] = set ? 0 : 1;
      }
    }
  } else {
    for (int y = 0; y < grid->height; ++y) {
      for (int x = 0; x < grid->width; ++x) {
        grid->pixels[static_cast<size_t>(y) * grid->width + x] = dib.GetPixel(x, y) & 0xFFFFFF;
      }
    }
  }
  return true;
}

}  // namespace kyexport
