// 32 bpp: bytes blue, green, red and a fourth byte that colours leave at 0.
#include "formats.h"

namespace kygdi {
extern const Primitives kPrimitives32 = BytePrimitives<Fmt32>::Make(32);
}  // namespace kygdi
