// KyMapSmooth: the anti-aliased raster route of a map.
//
// A class's features are kept as one path in device pixels, its rings
// oriented so that the non-zero rule covers what the alternate rule covers
// for each feature (holes stay empty, neighbours and overlaps of one class
// read as their union). At Finish each class is painted in one step, by
// the path's cover of each pixel (kycover: exact, so pictures drawn from
// different corners agree to the last level):
//
//   patterns and hatches: the module fills the class's box through the runs
//   of pixels the path touches, as the DC's clip, a band of rows at a time;
//   each partly covered pixel is then blended between what it held and the
//   fill by its cover;
//   gradients and the plain colour, which set clips of their own: the box is
//   filled whole and every pixel put back between its copy and the fill.
//
// So a pixel the path covers whole takes exactly the module's pixel, and a
// border shared by two features of a class is not an edge at all. Classes
// whose tiles start at each shape (Align::kShape, gradients) are painted a
// feature at a time in the same way. Outlines follow, anti-aliased strokes
// of their width in millimetres (a width under a pixel is a pixel-wide line
// at that fraction of opacity): plain lines as polygons through the same
// cover, the line-style module's layers through cairo.
#pragma once

#include <memory>
#include <vector>

#include "KyMapRoute.h"

class CKyLineStyleLib;

namespace kymap {

class CoverageFill;

// Rings in device pixels: x, y pairs of every ring in turn, sizes points
// each.
struct DevicePath {
  std::vector<double> xy;
  std::vector<int> sizes;
  std::vector<char> reversed;  // each ring: turned the other way than given
  bool Empty() const { return sizes.empty(); }
};

// Appends one feature's rings (read by the alternate rule) to path, each
// turned so that the non-zero rule gives the same cover: a ring inside an
// even number of the feature's other rings runs clockwise on the screen
// (y down), the others counter-clockwise (reversed tells which were
// turned). Rings under three points are left out.
void AppendFeature(DevicePath& path, const std::vector<double>& xy, const std::vector<int>& sizes);

class SmoothRoute : public MapRoute {
 public:
  // dc: the picture, width x height pixels, which must stay valid; fills:
  // the painter whose prepared classes lay the patterns; dpi: of the
  // device, for outline widths. Throws MapError when the device cannot give
  // its pixels.
  SmoothRoute(CDC& dc, MapPainter& fills, Align align, int width, int height);
  ~SmoothRoute() override;
  SmoothRoute(const SmoothRoute&) = delete;
  SmoothRoute& operator=(const SmoothRoute&) = delete;

  void Add(int cls, const std::vector<double>& xy, const std::vector<int>& sizes) override;
  // Paints every class's fill in class order, then every outline. Throws
  // MapError when memory for a class's band cannot be had.
  void Finish() override;

 private:
  struct Class;
  bool PerShape(int cls) const;
  void Composite(int cls, const DevicePath& path, const CRect& fillBox);
  void Stroke(int cls, const DevicePath& path);

  CDC& m_dc;
  MapPainter& m_fills;
  Align m_align;
  int m_width, m_height;
  double m_pixelsPerMm;
  std::unique_ptr<CKyLineStyleLib> m_lines;
  std::unique_ptr<CoverageFill> m_cover;
  std::vector<Class> m_classes;
};

}  // namespace kymap
