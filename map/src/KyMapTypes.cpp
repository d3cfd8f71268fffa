#include "KyMapTypes.h"

#include <algorithm>
#include <charconv>
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

std::string FormatNumber(double v) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
  char text[64];
  const auto r = std::to_chars(text, text + sizeof text, v);
  return std::string(text, r.ptr);
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
    case SkipCause::kTooSmall:
      return "smaller than a pixel";
    case SkipCause::kUnreadable:
      return "unreadable";
  }
  return "unknown";
}

void FeatureCounts::Skip(SkipCause cause, FeatureNote note) {
  Skip(cause);
  note.what = SkipCauseName(cause);
  if (notes.size() < kMaxNotes) {
    notes.push_back(std::move(note));
  } else {
    ++notesLeftOut;
  }
}

void FeatureCounts::Repaired(FeatureNote note) {
  ++repaired;
  note.what = "repaired";
  if (notes.size() < kMaxNotes) {
    notes.push_back(std::move(note));
  } else {
    ++notesLeftOut;
  }
}

long long FeatureCounts::SkippedTotal() const {
  long long n = 0;
  for (const auto& [cause, count] : skipped) n += count;
  return n;
}

}  // namespace kymap
