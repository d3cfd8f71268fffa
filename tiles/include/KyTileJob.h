// KyTileJob: a whole pyramid of web map tiles, from a source and a library's
// styles into a folder or an MBTiles file, on one process or several.
//
//   options --RulesFor (once)--> classes --metatiles of each zoom--> workers
//   (forked processes, each with its own TileRenderer and its own connection
//   to the source) --tiles of a metatile--> this process --TileSink--> output
//
// The workers only draw; this process alone writes, a metatile at a time,
// so the output is never shared between writers.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "KyMapStyles.h"
#include "KyTileMath.h"
#include "KyTileRenderer.h"
#include "KyTileSink.h"

class CKyFillStyleLib;

namespace kytiles {

struct TileJobOptions {
  std::string data;                       // DATA[:LAYER] or a PG: connection
  std::optional<kymap::StyleRules> rules;  // from a STYLES.json
  std::string classifyBy;                 // else a field for automatic classes
  std::string styleKey;                   // what else decides the styles (the library); kept for --resume
  ZoomRange zooms;
  std::optional<LonLatBox> bbox;          // none: the layer's extent
  int tileSize = 256;
  int scale = 1;
  int metatile = 8;
  COLORREF background = RGB(0xFF, 0xFF, 0xFF);
  bool antialias = true;                  // see TileSetup
  int jobs = 1;                           // drawing processes
  bool resume = false;
  std::string output;                     // a folder, or a file ending in .mbtiles
};

struct TileReport {
  struct Zoom {
    long long written = 0;  // tiles stored
    long long empty = 0;    // tiles with nothing drawn, not stored
    long long kept = 0;     // tiles of metatiles an earlier run finished
    double seconds = 0;
  };
  std::string layer;
  std::map<int, Zoom> zooms;
  long long metatiles = 0;      // drawn in this run
  long long metatilesKept = 0;  // finished by an earlier run
  kymap::FeatureCounts features;  // summed over the metatiles
  long long belowPixel = 0;
  LonLatBox bounds;
  double seconds = 0;

  long long Written() const;
  // The report as a JSON document: tiles written, empty, kept, seconds,
  // tiles per second, by zoom.
  std::string ToJson() const;
};

// A pyramid ready to draw: the classes read once, the bounds, and every
// metatile of every zoom with the tiles of the pyramid at its zoom.
struct Pyramid {
  TileSetup setup;
  std::string layer;
  LonLatBox bounds;
  struct Item {
    Metatile metatile;
    TileRange range;
  };
  std::vector<Item> metatiles;
};

// Opens the source for its classes and extent (and closes it). Throws
// MapError for bad options, a source, layer or field that cannot be read.
Pyramid PlanPyramid(const TileJobOptions& options, CKyFillStyleLib& lib);

// What the output records of a planned pyramid: its name, zooms, bounds,
// tile sizes and the signature a resumed run must match. The legend is not
// drawn yet (AddLegend).
PyramidInfo InfoOf(const TileJobOptions& options, const Pyramid& pyramid);

// Draws the legend's swatches (one per class, or the fallback's) into info,
// with a renderer of this process. Throws MapError.
void AddLegend(PyramidInfo& info, const Pyramid& pyramid, CKyFillStyleLib& lib);

// Checks the options that need no source: the zooms, tile size, scale,
// metatile size and jobs. Throws MapError naming the option.
void CheckTileOptions(const TileJobOptions& options);

// Draws the pyramid. Throws MapError for a source, field, style or output
// that cannot be used, or a failure in the middle of the run (naming the
// metatile); the tiles stored before stay, and --resume continues. progress
// gets done and total metatiles; it may be empty.
TileReport RenderTiles(const TileJobOptions& options, CKyFillStyleLib& lib,
                       const std::function<void(long long done, long long total)>& progress = {});

}  // namespace kytiles
