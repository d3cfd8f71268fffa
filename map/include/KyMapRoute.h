// KyMapRoute: how the features of a map reach the output. DrawMap reads,
// classifies and cuts the features once and hands each to a route; the
// module's GDI route paints it at once, the anti-aliased route keeps each
// class's rings and paints a class as one shape when Finish is called.
#pragma once

#include <memory>
#include <vector>

#include "KyMapPainter.h"

namespace kymap {

class MapRoute {
 public:
  virtual ~MapRoute() = default;
  // One feature of class cls: rings in device pixels (x, y pairs, y down,
  // unrounded), sizes points each, already cut near the picture.
  virtual void Add(int cls, const std::vector<double>& xy, const std::vector<int>& sizes) = 0;
  // Paints whatever is still held. Nothing for the GDI route.
  virtual void Finish() {}
  // Lines (device pixels) of a colour and width in pixels: meridians,
  // parallels, the map's edge. Drawn on dc by default.
  virtual void Lines(CDC& dc, const std::vector<std::vector<POINT>>& lines, COLORREF colour, double width);
};

// The module's own route: each feature rounded to whole pixels and drawn at
// once by the painter (today's pixels).
std::unique_ptr<MapRoute> MakeGdiRoute(MapPainter& painter);

}  // namespace kymap
