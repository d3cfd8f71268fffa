// Small arithmetic shared by the rendering code.
#pragma once

#include <cmath>
#include <cstdint>

#include "afx.h"

namespace ky {

// near(x): half away from zero, then truncated. Values beyond the 32-bit
// range are clamped to it (and NaN gives 0) instead of overflowing, so that
// an absurd scale ends in the size checks rather than in a wrapped size.
inline long Near(double x) {
  if (std::isnan(x)) return 0;
  const double r = x > 0 ? x + 0.5 : x - 0.5;
  if (r >= 2147483647.0) return 2147483647L;
  if (r <= -2147483648.0) return -2147483647L - 1;
  return static_cast<long>(r);
}

// The header fields of a whole BMP file image that the rendering reads. All
// reads are checked against the image's length.
struct BmpHeader {
  LONG width = 0;
  LONG height = 0;      // as stored; negative for a top-down image
  WORD bitCount = 0;
  LONG AbsHeight() const { return height < 0 ? -height : height; }
};

// FALSE when the image is too short to hold its file and info headers, or,
// for a 1-bit image, its two colour table entries.
inline BOOL ReadBmpHeader(const CByteArray& image, BmpHeader& out) {
  if (image.GetSize() < 54) return FALSE;
  const BYTE* p = image.GetData();
  out.width = static_cast<LONG>(p[18] | p[19] << 8 | p[20] << 16 | static_cast<DWORD>(p[21]) << 24);
  out.height = static_cast<LONG>(p[22] | p[23] << 8 | p[24] << 16 | static_cast<DWORD>(p[25]) << 24);
  out.bitCount = static_cast<WORD>(p[28] | p[29] << 8);
  if (out.bitCount == 1 && image.GetSize() < 62) return FALSE;
  if (out.height == INT32_MIN) return FALSE;
  return TRUE;
}

// Writes the background into colour table entry 0 and the foreground into
// entry 1 of a 1-bit image (blue, green, red; the reserved bytes stay).
inline void ColourMonoImage(CByteArray& image, COLORREF crFore, COLORREF crBack) {
  BYTE* p = image.GetData();
  p[54] = GetBValue(crBack);
  p[55] = GetGValue(crBack);
  p[56] = GetRValue(crBack);
  p[58] = GetBValue(crFore);
  p[59] = GetGValue(crFore);
  p[60] = GetRValue(crFore);
}

}  // namespace ky
