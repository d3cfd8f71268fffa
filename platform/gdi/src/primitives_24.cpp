// 24 bpp: bytes blue, green, red, rows word-aligned.
#include "formats.h"

namespace kygdi {
extern const Primitives kPrimitives24 = BytePrimitives<Fmt24>::Make(24);
}  // namespace kygdi
