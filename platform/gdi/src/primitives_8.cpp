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
      last_index = NearestPaletteIndex(FixedPalette8(), 256, c);
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
