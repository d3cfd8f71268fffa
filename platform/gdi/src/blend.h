// The blend column with its fast paths. Each lookup is made once per call,
// not per row: the fast-path table first (unless KYGDI_NO_FAST_PATHS=1), then
// the format's own general loop; null when the format is not mixed.
#pragma once

#include "surface.h"

namespace kygdi {

BlendSolidRow FindBlendSolidRow(const Primitives& p);
BlendCopyRow FindBlendCopyRow(const Primitives& p, bool masked);

}  // namespace kygdi
