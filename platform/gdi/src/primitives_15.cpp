// 15 bpp, 5-5-5 in a word: red bits 10..14, green 5..9, blue 0..4. Bit 15 is
// not part of the colour; colours leave it 0 and raster operations treat it
// like any other bit.
#include "primitives_impl.h"

namespace kygdi {
namespace {
struct Fmt15 {
  static constexpr int kBytes = 2;
  static constexpr Field kFields[3] = {{10, 5}, {5, 5}, {0, 5}};
  static constexpr uint32_t kKeep = 0x8000u;
  static uint32_t Load(const uint8_t* p) { return LoadLE(p, 2); }
  static void Store(uint8_t* p, uint32_t v) { StoreLE(p, 2, v); }
  static void Fill(uint8_t* p, int n, uint32_t v) {
    for (int i = 0; i < n; ++i, p += 2) Store(p, v);
  }
  static uint32_t FromColour(COLORREF c) {
    return ((GetRValue(c) >> 3) << 10) | ((GetGValue(c) >> 3) << 5) | (GetBValue(c) >> 3);
  }
  static COLORREF ToColour(uint32_t v) {
    int r = (v >> 10) & 0x1F, g = (v >> 5) & 0x1F, b = v & 0x1F;
    return RGB((r << 3) | (r >> 2), (g << 3) | (g >> 2), (b << 3) | (b >> 2));
  }
};
}  // namespace
extern const Primitives kPrimitives15 = BytePrimitives<Fmt15>::Make(15);
}  // namespace kygdi
