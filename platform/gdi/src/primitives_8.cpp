// 8 bpp: an index into the fixed palette; a colour becomes its nearest entry.
#include "primitives_impl.h"

namespace kygdi {
namespace {
struct Fmt8 {
  static constexpr int kBytes = 1;
  static uint32_t Load(const uint8_t* p) { return *p; }
  static void Store(uint8_t* p, uint32_t v) { *p = uint8_t(v); }
  static void Fill(uint8_t* p, int n, uint32_t v) { std::memset(p, int(v & 0xFF), size_t(n)); }
  static uint32_t FromColour(COLORREF c) {
    // Drawing code converts the same few colours over and over.
    thread_local COLORREF last = CLR_INVALID;
    thread_local uint32_t last_index = 0;
    if (c != last) {
      // The static colours win over equal entries of the cube, so black
      // is 0 and white 255 and the raster operations keep them.
      const RGBQUAD* pal = FixedPalette8();
      last_index = NearestPaletteIndex(pal, 256, c);
      const RGBQUAD& q = pal[last_index];
      if (RGB(q.rgbRed, q.rgbGreen, q.rgbBlue) == (c & 0xFFFFFF))
        for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255})
          if (pal[i].rgbRed == q.rgbRed && pal[i].rgbGreen == q.rgbGreen && pal[i].rgbBlue == q.rgbBlue) {
            last_index = uint32_t(i);
            break;
          }
      last = c;
    }
    return last_index;
  }
  static COLORREF ToColour(uint32_t v) {
    const RGBQUAD& q = FixedPalette8()[v & 0xFF];
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
  }
};
}  // namespace
extern const Primitives kPrimitives8 = BytePrimitives<Fmt8>::Make(8);
}  // namespace kygdi
