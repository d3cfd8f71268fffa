// KyMapLegend: a box in the lower left corner of the map with a title and,
// for each class, a swatch painted by the class's own fill (the module's
// preview of the style) and its label. Sizes are in millimetres of the
// device, so the legend looks the same at every resolution.
#pragma once

#include <string>
#include <vector>

#include "KyMapPainter.h"

namespace kymap {

struct LegendEntry {
  int cls;  // a class of the painter
  std::string label;
};

// Draws the legend on a picture pictureHeight pixels high; returns the box
// it took in device pixels (empty when there is nothing to show).
CRect DrawLegend(CDC& dc, MapPainter& painter, const std::string& title, const std::vector<LegendEntry>& entries,
                 int pictureHeight);

}  // namespace kymap
