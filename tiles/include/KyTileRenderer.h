// KyTileRenderer: draws metatiles of a web map and cuts them into PNG tiles.
// One renderer holds one open source (its own connection for a database),
// one drawing device and one prepared painter; a process draws its metatiles
// one after the other through it.
//
//   Metatile --frame--> picture (the metatile's tiles and a buffer, a block
//   of the world's pixels) --Layer, spatial filter--> features of the block
//   --TileGeometry--> pixel rings --route (anti-aliased, or the GDI's; the
//   MapPainter's patterns anchored to the world's pixel origin)--> pixels
//   --cut--> TileImage per tile
//
// Because the vertices are rounded on the world's grid and every pattern is
// anchored to the world's origin, a tile comes out the same whichever
// metatile, or larger picture, it is drawn in.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "KyMapLayer.h"
#include "KyMapPainter.h"
#include "KyMapStyles.h"
#include "KyTileCanvas.h"
#include "KyTileGeometry.h"
#include "KyTileMath.h"

class CKyFillStyleLib;

namespace kytiles {

// What every process drawing one pyramid shares.
struct TileSetup {
  std::string data;  // DATA[:LAYER], or a PG: connection string with its table
  kymap::StyleRules rules;
  int tileSize = 256;  // 256 or 512
  int scale = 1;       // 2 draws tiles of twice the pixels at twice the dpi
  int metatile = 8;    // tiles a side
  COLORREF background = RGB(0xFF, 0xFF, 0xFF);
  // Smooth edges and outlines through cairo (the module's pixels inside).
  // Off by default: the GDI's route is seamless to the pixel, the smooth one
  // not yet (a few edge pixels of its strokes differ between metatiles).
  bool antialias = false;

  int TilePixels() const { return tileSize * scale; }
  int Dpi() const { return 96 * scale; }
};

// metatile x, y at zoom z: tiles x * size .. x * size + size - 1 (and y).
struct Metatile {
  int z = 0;
  int64_t x = 0, y = 0;
};

// The metatiles of size tiles a side that hold the tiles of range at zoom z,
// row by row.
std::vector<Metatile> MetatilesOf(int z, const TileRange& range, int size);
// The tiles of range inside a metatile.
TileRange TilesOfMetatile(const Metatile& m, int size, const TileRange& range);

struct TileImage {
  TileId id;
  std::vector<uint8_t> png;  // empty: nothing is drawn on the tile
};

struct DrawCounts {
  kymap::FeatureCounts features;  // outside counts the features below a pixel too
  long long belowPixel = 0;       // features smaller than a pixel, not drawn
};

class TileRenderer {
 public:
  // Opens the source and prepares the classes on a device at the setup's
  // dpi. Throws MapError for a source, layer or field that is not there, a
  // style the library lacks.
  TileRenderer(const TileSetup& setup, CKyFillStyleLib& lib);
  ~TileRenderer();
  TileRenderer(const TileRenderer&) = delete;
  TileRenderer& operator=(const TileRenderer&) = delete;

  // Pixels around a metatile's tiles, wide enough for the widest outline.
  int Buffer() const { return m_buffer; }
  // Draws any block of the world's pixels; its pixels are then at Pixels(),
  // Stride() apart, until the next call. Throws MapError when the source
  // fails while reading.
  void Draw(const PictureFrame& frame, DrawCounts& counts);
  const uint32_t* Pixels() const { return m_canvas.Bits(); }
  int Stride() const { return m_canvas.Stride(); }
  // Draws a metatile and returns its tiles of range, row by row. Throws as
  // Draw.
  std::vector<TileImage> Render(const Metatile& m, const TileRange& range, DrawCounts& counts);
  // The class's fill in a swatch of width x height, as PNG bytes (for a
  // legend); cls counts the rules' classes, then the fallback.
  std::vector<uint8_t> Swatch(int cls, int width, int height);

 private:
  TileSetup m_setup;
  kymap::Layer m_layer;
  bool m_lonLat = false;  // the layer is in WGS 84 degrees
  TileCanvas m_canvas;
  std::unique_ptr<kymap::MapPainter> m_painter;
  int m_fallback = 0;
  int m_buffer = 0;
  int m_outlineMax = 0;
  std::vector<double> m_xy;
  std::vector<int> m_sizes;
};

}  // namespace kytiles
