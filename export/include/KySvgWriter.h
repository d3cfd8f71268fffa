// The SVG document of one fill style: one tile of the pattern at its physical
// size, to be repeated by whatever draws it.
//
//   bitmap pattern  width/height in mm = pixels * 25.4 / resolution,
//                   viewBox in pattern pixels; the background as one
//                   rectangle, every other colour as one <path> of the
//                   rectangles of its merged pixel runs (no <pattern>, no
//                   embedded raster, so every reader draws it crisply).
//   symbol pattern  width/height in mm = tile size / 10, viewBox in tenths of
//                   a millimetre; the symbol's strokes as SVG shapes at every
//                   point, repeated across the tile edges as the module's own
//                   tile repeats them.
//
// The writer does no file I/O: callers get the text and decide where it
// goes.
#pragma once

#include <string>

#include "KyFillStyle.h"

namespace kyexport {

struct SvgColours {
  COLORREF fore = 0x000000;  // 1-bit patterns and symbols that follow the caller's colour
  COLORREF back = 0xFFFFFF;  // background of 1-bit patterns and symbol tiles
  bool transparent = false;  // leave the background out (colour patterns keep theirs)
};

// Physical tile size and the viewBox of a style's SVG.
struct SvgTile {
  double widthMm = 0, heightMm = 0;
  int viewWidth = 0, viewHeight = 0;  // pattern pixels or tenths of a millimetre
};

// The tile of a style. Returns false, with *error set to a phrase that
// follows "style N " ("has an empty tile", …), when the style has no
// drawable tile.
bool SvgTileOf(const CKyFillStyle& style, SvgTile* tile, std::string* error);

// The whole SVG document of a style; title (UTF-8, shown as <title>) may be
// empty. Returns "" with *error set as for SvgTileOf when the style cannot be
// drawn: no pattern or a damaged one, an empty tile, a symbol the symbol
// library lacks.
std::string StyleToSvg(const CKyFillStyle& style, const SvgColours& colours, const std::string& title,
                       std::string* error);

// A document of StyleToSvg with its drawing in a group of rate percent
// opacity (0..100), for readers that show the file itself; at 100 the
// document is returned as it is. Formats that carry their own opacity (SLD,
// Mapnik, QGIS) use the plain document.
std::string WithOpacity(const std::string& svg, long rate);

}  // namespace kyexport
