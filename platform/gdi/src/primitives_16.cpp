// 16 bpp, 5-6-5: red bits 11..15, green 5..10, blue 0..4. Reading a pixel
// back repeats each field's top bits in its low bits, so white stays white.
#include "primitives_impl.h"

namespace kygdi {
namespace {
struct Fmt16 {
  static constexpr int kBytes = 2;
  static constexpr Field kFields[3] = {{11, 5}, {5, 6}, {0, 5}};
  static constexpr uint32_t kKeep = 0;
  static uint32_t Load(const uint8_t* p) { return LoadLE(p, 2); }
  static void Store(uint8_t* p, uint32_t v) { StoreLE(p, 2, v); }
  static void Fill(uint8_t* p, int n, uint32_t v) {
    for (int i = 0; i < n; ++i, p += 2) Store(p, v);
  }
  static uint32_t FromColour(COLORREF c) {
    return ((GetRValue(c) >> 3) << 11) | ((GetGValue(c) >> 2) << 5) | (GetBValue(c) >> 3);
  }
  static COLORREF ToColour(uint32_t v) {
    int r = (v >> 11) & 0x1F, g = (v >> 5) & 0x3F, b = v & 0x1F;
    return RGB((r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2));
  }
};
}  // namespace
extern const Primitives kPrimitives16 = BytePrimitives<Fmt16>::Make(16);
}  // namespace kygdi
