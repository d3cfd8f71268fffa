#include "KySvgWriter.h"

#include <algorithm>
#include <cmath>

#include "KyExportText.h"
#include "KyFillStyleVector.h"
#include "pattern_grid.h"
#include "pixel_rects.h"
#include "symbol_shapes.h"

namespace kyexport {

namespace {

std::string Header(const SvgTile& tile, const std::string& title) {
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + Number(tile.widthMm) +
         "mm\" height=\"" + Number(tile.heightMm) + "mm\" viewBox=\"0 0 " + std::to_string(tile.viewWidth) + " " +
         std::to_string(tile.viewHeight) + "\">\n";
  // No shape-rendering hint: pixel edges already lie on whole viewBox units,
  // and Mapnik's reader refuses the attribute.
  if (!title.empty()) svg += "<title>" + XmlEscape(title) + "</title>\n";
  return svg;
}

std::string FullRect(const SvgTile& tile, COLORREF colour) {
  return "<rect x=\"0\" y=\"0\" width=\"" + std::to_string(tile.viewWidth) + "\" height=\"" +
         std::to_string(tile.viewHeight) + "\" fill=\"" + HexColour(colour) + "\"/>\n";
}

// An unpainted rectangle over the whole tile. Readers that size a pattern
// by the extent of its drawing (Mapnik) would otherwise shrink a tile whose
// shapes do not reach its edges.
std::string Frame(const SvgTile& tile) {
  return "<rect x=\"0\" y=\"0\" width=\"" + std::to_string(tile.viewWidth) + "\" height=\"" +
         std::to_string(tile.viewHeight) + "\" fill=\"none\"/>\n";
}

std::string RectsPath(const ColourRects& cr) {
  std::string d;
  for (const PixelRect& r : cr.rects) {
    d += "M" + std::to_string(r.x) + " " + std::to_string(r.y) + "h" + std::to_string(r.w) + "v" +
         std::to_string(r.h) + "h-" + std::to_string(r.w) + "z";
  }
  return "<path fill=\"" + HexColour(cr.colour) + "\" d=\"" + d + "\"/>\n";
}

// The colour most pixels have; the first met wins a tie.
COLORREF CommonColour(const PatternGrid& grid) {
  std::vector<std::pair<COLORREF, size_t>> counts;
  for (COLORREF c : grid.pixels) {
    bool found = false;
    for (auto& [colour, n] : counts) {
      if (colour == c) {
        ++n;
        found = true;
        break;
      }
    }
    // A picture of thousands of colours is not worth counting exactly.
    if (!found && counts.size() < 256) counts.emplace_back(c, 1);
  }
  COLORREF best = grid.pixels.front();
  size_t most = 0;
  for (const auto& [colour, n] : counts) {
    if (n > most) best = colour, most = n;
  }
  return best;
}

std::string BitmapSvg(const CKyFillStyle& style, const SvgTile& tile, const SvgColours& colours,
                      const std::string& title, std::string* error) {
  PatternGrid grid;
  if (!ReadPatternGrid(style, colours.fore, colours.back, &grid, error)) return "";
  std::string svg = Header(tile, title);
  if (grid.twoColour) {
    // The background goes under the whole tile, so that no seam between
    // neighbouring shapes lets the page through when a reader smooths edges.
    svg += colours.transparent ? Frame(tile) : FullRect(tile, colours.back);
    const auto fore = MergeRuns(grid, [&](int x, int y) { return !grid.isBack[static_cast<size_t>(y) * grid.width + x]; });
    for (const ColourRects& cr : fore) svg += RectsPath(cr);
  } else {
    const COLORREF base = CommonColour(grid);
    svg += FullRect(tile, base);
    for (const ColourRects& cr : MergeRuns(grid, [&](int x, int y) { return grid.At(x, y) != base; })) {
      svg += RectsPath(cr);
    }
  }
  return svg + "</svg>\n";
}

std::string SymbolSvg(const CKyFillStyle& style, const SvgTile& tile, const SvgColours& colours,
                      const std::string& title, std::string* error) {
  CKyFillStyleVector* vec = style.GetFillStyleVector();
  std::string svg = Header(tile, title);
  svg += colours.transparent ? Frame(tile) : FullRect(tile, colours.back);
  if (vec->GetPointCount() > 0) {
    const CKySymbol* sym = vec->GetSymLib() ? vec->GetSymLib()->GetSymbol(static_cast<unsigned long>(vec->GetSymID()))
                                            : nullptr;
    if (!sym || vec->GetSymID() < 0) {
      *error = "draws symbol " + std::to_string(vec->GetSymID()) + ", which the library's symbol library lacks";
      return "";
    }
    const long w = static_cast<long>(vec->GetWidth()), h = static_cast<long>(vec->GetHeight());
    for (long i = 0; i < vec->GetPointCount(); ++i) {
      const CPoint p = vec->GetPoint(i);
      long xs[9], ys[9];
      const int n = WrappedPositions(p.x, p.y, w, h, vec->GetSymSize(), xs, ys);
      for (int k = 0; k < n; ++k) {
        SymbolPlace place{static_cast<double>(xs[k]), static_cast<double>(ys[k]),
                          static_cast<double>(vec->GetSymSize()), static_cast<int>(vec->GetSymAngle())};
        // A copy wholly on the tile keeps its strokes as SVG shapes; one that
        // crosses an edge is cut to the tile as polygons, so that nothing
        // lies outside the viewBox.
        const std::vector<SymbolArea> areas = SymbolAreas(*sym, place, colours.fore);
        if (AreasInside(areas, w, h)) {
          AppendSymbolShapes(*sym, place, colours.fore, svg);
        } else {
          AppendClippedAreas(areas, w, h, svg);
        }
      }
    }
  }
  return svg + "</svg>\n";
}

// Readers cut a tile down to whole pixels. A width written a hair below its
// exact value (16 pixels of 96 dpi are 4.2333... mm) would lose a whole
// pixel at the pattern's own resolution and be resampled, blurred; so the
// width is rounded up to the micrometre, never down.
double UpToMicrometre(double mm) { return std::ceil(mm * 1e6 - 1e-6) / 1e6; }

}  // namespace

bool SvgTileOf(const CKyFillStyle& style, SvgTile* tile, std::string* error) {
  if (style.GetType() == CKyFillStyle::FS_TYPE_VECTOR) {
    const CKyFillStyleVector* vec = style.GetFillStyleVector();
    if (!vec) {
      *error = "is a symbol pattern without its description";
      return false;
    }
    // Tiles beyond a metre are not patterns; the bound also keeps every
    // coordinate small.
    constexpr unsigned long kMaxTenths = 10000;
    if (vec->GetWidth() == 0 || vec->GetHeight() == 0 || vec->GetWidth() > kMaxTenths ||
        vec->GetHeight() > kMaxTenths) {
      *error = "has a symbol tile of " + std::to_string(vec->GetWidth()) + " x " + std::to_string(vec->GetHeight()) +
               " tenths of a millimetre (1 to 10000 are drawable)";
      return false;
    }
    tile->viewWidth = static_cast<int>(vec->GetWidth());
    tile->viewHeight = static_cast<int>(vec->GetHeight());
    tile->widthMm = vec->GetWidth() / 10.0;
    tile->heightMm = vec->GetHeight() / 10.0;
    return true;
  }
  PatternGrid grid;
  if (!ReadPatternGrid(style, 0, 0, &grid, error)) return false;
  // A resolution outside the seven known ones counts as the default, as the
  // module's own validation does; 0 would otherwise divide by zero.
  const double dpi = CKyFillStyle::ValidResolution(style.GetResolution());
  tile->viewWidth = grid.width;
  tile->viewHeight = grid.height;
  tile->widthMm = UpToMicrometre(grid.width * 25.4 / dpi);
  tile->heightMm = UpToMicrometre(grid.height * 25.4 / dpi);
  return true;
}

std::string StyleToSvg(const CKyFillStyle& style, const SvgColours& colours, const std::string& title,
                       std::string* error) {
  std::string ignored;
  if (!error) error = &ignored;
  SvgTile tile;
  if (!SvgTileOf(style, &tile, error)) return "";
  if (style.GetType() == CKyFillStyle::FS_TYPE_VECTOR) return SymbolSvg(style, tile, colours, title, error);
  return BitmapSvg(style, tile, colours, title, error);
}

std::string WithOpacity(const std::string& svg, long rate) {
  if (rate >= 100) return svg;
  // The drawing starts after the <svg> line and its <title> line.
  size_t start = svg.find('\n', svg.find("<svg "));
  if (start == std::string::npos) return svg;
  ++start;
  if (svg.compare(start, 7, "<title>") == 0) start = svg.find('\n', start) + 1;
  const size_t end = svg.rfind("</svg>");
  if (end == std::string::npos || end < start) return svg;
  const std::string open = "<g opacity=\"" + Number(std::max(0L, rate) / 100.0, 2) + "\">\n";
  return svg.substr(0, start) + open + svg.substr(start, end - start) + "</g>\n" + svg.substr(end);
}

}  // namespace kyexport
