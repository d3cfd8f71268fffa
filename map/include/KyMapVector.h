// KyMapVector: a map as a vector PDF or SVG page (cairo's surfaces).
//
// The page has the picture's physical size (width x height pixels at dpi);
// drawing happens in device pixels, scaled to points. Each class is one
// path filled with one repeating pattern whose cell is the module's tile as
// prepared for the device, its painted pixels as rectangles merged by
// colour (one pixel of the tile is 1/dpi inch: the pattern keeps its
// physical size and phase). In a PDF each cell holds two tiles each way
// and steps by one, so that cells overlap by a tile and readers that
// rasterise cells one by one at other resolutions leave no hairline where
// cells meet. A transparent tile paints no background, a
// rate is the class's opacity. Linear and radial gradients are the
// document's own (a PDF shading, an SVG gradient) with the module's
// geometry and colours; conical and square ones are the module's, as a
// picture at dpi cut to the shape. Outlines are vector strokes of their width in
// millimetres, with the line-style module's layers. The legend is drawn
// as vector paths and real text.
#pragma once

#include <memory>
#include <string>

#include "KyMapLegend.h"
#include "KyMapRoute.h"

class CKyFillStyleLib;

namespace kymap {

enum class VectorKind { kPdf, kSvg };

// One page written to path through a temporary file: the file is replaced
// only by Commit.
class VectorDocument {
 public:
  // Throws MapError "cannot write 'PATH': REASON (nothing was changed)" when
  // the temporary file cannot be made (no folder, a folder at path, no
  // permission). The page is painted with the paper colour.
  VectorDocument(const std::string& path, VectorKind kind, int width, int height, int dpi, COLORREF paper);
  ~VectorDocument();
  VectorDocument(const VectorDocument&) = delete;
  VectorDocument& operator=(const VectorDocument&) = delete;

  int Width() const;
  int Height() const;
  int Dpi() const;
  // Finishes the page and puts the file in place. Throws MapError (as
  // above) when a write fails; the old file is then intact.
  void Commit();

  struct Impl;
  Impl& Internal() { return *m; }

 private:
  std::unique_ptr<Impl> m;
};

class VectorRoute : public MapRoute {
 public:
  // dc: a device at the document's resolution, on which the tiles are
  // prepared (its pixels are used as scratch and put back); fills: the
  // painter of the map's classes. Throws MapError when a tile cannot be
  // prepared.
  VectorRoute(VectorDocument& doc, CDC& dc, CKyFillStyleLib& lib, MapPainter& fills, Align align, bool print);
  ~VectorRoute() override;
  VectorRoute(const VectorRoute&) = delete;
  VectorRoute& operator=(const VectorRoute&) = delete;

  void Add(int cls, const std::vector<double>& xy, const std::vector<int>& sizes) override;
  void Finish() override;
  // A rectangle of the page in a colour (the legend's panel).
  void Clear(const CRect& rect, COLORREF colour);
  // A legend on the page: its box and frame as vector paths, each swatch
  // the class's own repeating pattern (or gradient), its text as text.
  void DrawLegend(const Legend::Plan& plan);
  // Lines as vector strokes on the page.
  void Lines(CDC& dc, const std::vector<std::vector<POINT>>& lines, COLORREF colour, double width) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> m;
};

}  // namespace kymap
