#include "KyMapTypes.h"

#include <algorithm>
#include <cmath>

namespace kymap {

bool Extent::HasArea() const {
  return std::isfinite(minX) && std::isfinite(minY) && std::isfinite(maxX) && std::isfinite(maxY) && maxX > minX &&
         maxY > minY;
}

Extent Extent::Grown(double fraction) const {
  const double d = std::max(Width(), Height()) * fraction;
  return Extent{minX - d, minY - d, maxX + d, maxY + d};
}

const char* SkipCauseName(SkipCause cause) {
  switch (cause) {
    case SkipCause::kNotPolygon:
      return "not a polygon";
    case SkipCause::kEmpty:
      return "empty";
    case SkipCause::kNotFinite:
      return "coordinates not finite or out of range";
    case SkipCause::kInvalid:
      return "invalid geometry";
    case SkipCause::kNotProjectable:
      return "cannot be projected";
    case SkipCause::kOutside:
      return "outside the extent";
  }
  return "unknown";
}

long long FeatureCounts::SkippedTotal() const {
  long long n = 0;
  for (const auto& [cause, count] : skipped) n += count;
  return n;
}

}  // namespace kymap
