// KyMapJob: a whole map drawn from a vector layer onto a device.
//
//   Layer (GDAL/OGR) -> StyleRules (file or classification) -> MapView
//   (extent fitted to the picture) -> MapPainter (one prepared class per
//   style) -> legend -> MapReport (what was read, drawn and skipped)
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "KyMapBreaks.h"
#include "KyMapPainter.h"
#include "KyMapStyles.h"
#include "KyMapTypes.h"

class CKyFillStyleLib;

namespace kymap {

class VectorDocument;
// Where the legend goes: none; in a panel beside the map, right or below
// (whichever leaves the map larger), or on the side named; over the map in
// the corner where it covers the fewest drawn pixels.
enum class LegendPlace { kNone, kBeside, kRight, kBelow, kInside };

struct MapJobOptions {
  std::string data;                   // "DATA" or "DATA:LAYER"
  std::string crs;                    // "" : the layer's own
  std::optional<Extent> extent;       // none: the layer's with a margin
  std::optional<StyleRules> rules;    // from a STYLES.json
  std::string classifyBy;             // a field for the automatic classes
  int classes = 0;                    // > 0: graduated classes of classifyBy
  BreakMethod method = BreakMethod::kQuantile;
  Align align = Align::kMap;
  LegendPlace legend = LegendPlace::kNone;
  std::optional<std::string> title;   // the legend's; none: the field's name
  bool print = false;                 // the printer's route
  bool antialias = false;             // smooth edges and outlines, the module's pixels inside
  VectorDocument* vector = nullptr;   // draw into this PDF or SVG page; dc is then scratch
  double graticule = 0;               // degrees between meridians; 0: none
  int minSize = 0;                    // > 0: features smaller than a pixel drawn this many pixels wide
  bool allowEmpty = false;            // a map with nothing drawn is not an error
  bool allowNetwork = false;          // network and virtual drivers may open the data
  bool keepGoing = false;             // a read that ends early is counted, not an error
  bool nameCrs = true;                // name the CRS in the report (reads a shapefile's .prj)
  COLORREF paper = RGB(0xFF, 0xFF, 0xFF);  // the picture's colour before the map
  // Called with the legend's size in pixels when the legend is wanted as a
  // picture of its own; returns the DC to draw it on (at the map's dpi), or
  // null for none.
  std::function<CDC*(int width, int height)> legendPicture;
};

struct MapReport {
  std::string layer;
  std::string crs;
  Extent extent;  // as drawn: fitted to the picture
  Extent asked;   // as given, or the default: the layer's with a margin
  int width = 0, height = 0, dpi = 0;
  FeatureCounts counts;
  std::string field;
  struct Class {
    std::string value, label;
    FillSpec spec;
    long long features = 0;
    bool isRange = false;
    double min = 0, max = 0;
  };
  std::vector<Class> classes;  // the fallback last, as "(other)"
  // The legend: where it went ("right", "below", "inside", "none"), and
  // whether it was wanted but did not fit.
  std::string legend = "none";
  bool legendDidNotFit = false;
  size_t legendEntries = 0;
  CRect mapArea{0, 0, 0, 0};  // the part of the picture the map took
  double seconds = 0;

  // The report as a JSON document (UTF-8 text).
  std::string ToJson() const;
};

// Progress on a terminal: a bar on standard error, shown only when it is a
// terminal and the work has taken more than half a second.
class TerminalProgress {
 public:
  explicit TerminalProgress(bool enabled);
  // A bar on terminal, which is taken to be one, shown once the work has
  // taken after and redrawn at most every every.
  TerminalProgress(std::FILE* terminal, std::chrono::milliseconds after, std::chrono::milliseconds every);
  // Clears a bar that was not finished (the work failed).
  ~TerminalProgress();
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;
  // done of total features (total -1 when unknown).
  void Update(long long done, long long total);
  // Ends a shown bar's line, so that what is printed next starts on a line
  // of its own; no more updates are drawn.
  void Finish();

 private:
  std::FILE* m_out;
  bool m_enabled;
  bool m_shown = false;
  int m_width = 0;  // of the last line drawn
  std::chrono::milliseconds m_after, m_every;
  std::chrono::steady_clock::time_point m_start, m_last;
};

class Layer;

// The classes of a map: the options' STYLES.json rules, else a class for each
// value of classifyBy, else one class for the whole layer (the library's
// first style). Throws MapError when the rules' field is not in the layer.
// dc: the device the classes' previews are measured on (graduated classes).
StyleRules RulesFor(Layer& layer, CKyFillStyleLib& lib, const MapJobOptions& options, CDC& dc);

// Draws the map onto dc, a picture of width x height pixels. Throws
// MapError for anything the user can mend (the source, the layer, the
// field, the CRS, the extent, a style the library lacks). progress may be
// empty.
MapReport DrawMap(CDC& dc, int width, int height, CKyFillStyleLib& lib, const MapJobOptions& options,
                  const std::function<void(long long done, long long total)>& progress = {});

}  // namespace kymap
