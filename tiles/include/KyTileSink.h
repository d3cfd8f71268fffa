// KyTileSink: where a pyramid's tiles go. A folder of OUT/z/x/y.png files or
// an MBTiles file (SQLite); both remember which metatiles are finished, so
// that an interrupted run continues where it stopped (--resume), and both
// store a metatile's tiles all or nothing.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "KyTileRenderer.h"

namespace kytiles {

// What the viewer page and the MBTiles metadata say about the pyramid.
struct PyramidInfo {
  std::string name;       // the layer's name
  std::string signature;  // the options that make the tiles; a resumed run must match it
  ZoomRange zooms;
  LonLatBox bounds;
  int tileSize = 256;    // in the page's pixels: a 2x tile of 512 pixels shows as 256
  int tilePixels = 256;  // in the tile's own
  COLORREF background = RGB(0xFF, 0xFF, 0xFF);
  struct LegendEntry {
    std::string label;
    std::vector<uint8_t> swatch;  // PNG
  };
  std::string legendTitle;
  std::vector<LegendEntry> legend;
};

class TileSink {
 public:
  virtual ~TileSink() = default;
  // Whether an earlier run finished the metatile.
  virtual bool Done(const Metatile& m) const = 0;
  // Stores the metatile's drawn tiles (empty ones are not stored) and marks
  // it finished, all or nothing. Throws MapError naming the output and the
  // reason (a full disk, a file that cannot be written); what was stored
  // before stays whole.
  virtual void Store(const Metatile& m, const std::vector<TileImage>& tiles) = 0;
  // Writes what shows the pyramid: the folder's index.html with Leaflet and
  // the legend's swatches; the MBTiles file's legend metadata. Throws
  // MapError.
  virtual void Finish(const PyramidInfo& info) = 0;
};

// Opens the output: a path ending in .mbtiles is an MBTiles file, anything
// else a folder. Without resume the output must not exist yet, or be an
// empty folder; with resume an output of an earlier run must have been made
// with the same signature. Throws MapError for an output that cannot be
// made or written, or one that would be overwritten.
std::unique_ptr<TileSink> OpenSink(const std::string& path, const PyramidInfo& info, bool resume);

// True for a path that OpenSink takes as an MBTiles file.
bool IsMBTilesPath(const std::string& path);

}  // namespace kytiles
