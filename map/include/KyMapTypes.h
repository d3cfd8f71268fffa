// Plain values shared by the map drawing classes: an extent in map units,
// the error they throw, and what a drawing job counts.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

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
enum class SkipCause {
  kNotPolygon,
  kEmpty,
  kNotFinite,
  kInvalid,  // invalid and beyond repair
  kNotProjectable,
  kOutside,
  kTooSmall,    // inside the extent, but smaller than a pixel
  kUnreadable,  // lost to a read that ended early (--keep-going)
};
const char* SkipCauseName(SkipCause cause);

// One feature a report names: repaired, or skipped for a fault of its own
// (features outside the extent or smaller than a pixel are only counted).
// How the values of a field compare: as bytes, as 64-bit integers, as reals.
enum class FieldKind { kText, kInteger, kReal };

// A number as the shortest text that reads back as the same double, with no
// trailing zeros ("140", "0.1", "-0", "nan", "1e+300").
std::string FormatNumber(double v);

struct FeatureNote {
  long long fid = -1;  // -1: the source has none
  std::string name;    // the layer's name field, "" when it has none
  std::string what;    // "repaired" or a SkipCauseName
  std::string detail;  // the fault, as the geometry engine words it
};

struct FeatureCounts {
  long long read = 0;
  long long drawn = 0;
  long long repaired = 0;  // made valid and drawn (or skipped later)
  std::map<std::string, long long> skipped;  // by SkipCauseName
  std::vector<FeatureNote> notes;           // at most kMaxNotes
  long long notesLeftOut = 0;

  static constexpr size_t kMaxNotes = 10000;

  void Skip(SkipCause cause) { ++skipped[SkipCauseName(cause)]; }
  // Counts the cause and names the feature.
  void Skip(SkipCause cause, FeatureNote note);
  void Repaired(FeatureNote note);
  long long SkippedTotal() const;
};

}  // namespace kymap
