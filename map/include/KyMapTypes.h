// Plain values shared by the map drawing classes: an extent in map units,
// the error they throw, and what a drawing job counts.
#pragma once

#include <map>
#include <stdexcept>
#include <string>

namespace kymap {

// Every failure the user can act on: a data source that cannot be read, a
// style file with a mistake, a picture too large. The message is one line.
struct MapError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Extent {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;

  double Width() const { return maxX - minX; }
  double Height() const { return maxY - minY; }
  // Finite, ordered, and with an area.
  bool HasArea() const;
  // The extent grown by fraction of its larger side on every edge.
  Extent Grown(double fraction) const;
};

// Why a feature was not drawn; the text is what reports show.
enum class SkipCause { kNotPolygon, kEmpty, kNotFinite, kInvalid, kNotProjectable, kOutside };
const char* SkipCauseName(SkipCause cause);

struct FeatureCounts {
  long long read = 0;
  long long drawn = 0;
  std::map<std::string, long long> skipped;  // by SkipCauseName

  void Skip(SkipCause cause) { ++skipped[SkipCauseName(cause)]; }
  long long SkippedTotal() const;
};

}  // namespace kymap
