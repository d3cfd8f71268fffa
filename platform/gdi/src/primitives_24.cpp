// 24 bpp: bytes blue, green, red, rows word-aligned.
#include "primitives_impl.h"

namespace kygdi {
namespace {
struct Fmt24 {
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
  static uint32_t FromColour(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
  static COLORREF ToColour(uint32_t v) { return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }
};
}  // namespace
extern const Primitives kPrimitives24 = BytePrimitives<Fmt24>::Make(24);
}  // namespace kygdi
