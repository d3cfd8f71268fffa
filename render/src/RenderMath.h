// Small arithmetic shared by the rendering code.
#pragma once

#include <cmath>
#include <cstdint>

#include "afx.h"

namespace ky {

// near(x): half away from zero, then truncated. Values beyond the 32-bit
// range are clamped to it (and NaN gives 0) instead of overflowing, so that
// an absurd scale ends in the size checks rather than in a wrapped size.
inline long Near(double x) {
  if (std::isnan(x)) return 0;
  const double r = x > 0 ? x + 0.5 : x - 0.5;
  if (r >= 2147483647.0) return 2147483647L;
  if (r <= -2147483648.0) return -2147483647L - 1;
  return static_cast<long>(r);
}

}  // namespace ky
