// 15 bpp, 5-5-5 in a word: red bits 10..14, green 5..9, blue 0..4. Bit 15 is
// not part of the colour; colours leave it 0 and raster operations treat it
// like any other bit.
#include "formats.h"

namespace kygdi {
extern const Primitives kPrimitives15 = BytePrimitives<Fmt15>::Make(15);
}  // namespace kygdi
