// 16 bpp, 5-6-5: red bits 11..15, green 5..10, blue 0..4. Reading a pixel
// back repeats each field's top bits in its low bits, so white stays white.
#include "formats.h"

namespace kygdi {
extern const Primitives kPrimitives16 = BytePrimitives<Fmt16>::Make(16);
}  // namespace kygdi
