// 32 bpp: bytes blue, green, red and a fourth byte that colours leave at 0.
#include "primitives_impl.h"

namespace kygdi {
namespace {
struct Fmt32 {
  static constexpr int kBytes = 4;
  static constexpr Field kFields[3] = {{16, 8}, {8, 8}, {0, 8}};
  static constexpr uint32_t kKeep = 0xFF000000u;
  static uint32_t Load(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
  }
  static void Store(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }
  static void Fill(uint8_t* p, int n, uint32_t v) {
    for (int i = 0; i < n; ++i) std::memcpy(p + 4 * i, &v, 4);
  }
  static uint32_t FromColour(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
  static COLORREF ToColour(uint32_t v) { return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }
};
}  // namespace
extern const Primitives kPrimitives32 = BytePrimitives<Fmt32>::Make(32);
}  // namespace kygdi
