// Stock objects: made once, on first use, and never deleted.
#pragma once

#include "wingdi.h"

namespace kygdi {
// The 1 x 1 monochrome bitmap every memory DC starts with.
HBITMAP DefaultBitmap();
}  // namespace kygdi
