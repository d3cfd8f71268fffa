// Rectangles of equal pixels: each row is cut into runs of one colour, and a
// run continues the rectangle above it when that rectangle ends in the row
// just above with the same left and right edge and colour.
//
//   row 0:  A A B B        rectangles:  A (0,0) 2x2
//   row 1:  A A B B                     B (2,0) 2x1
//   row 2:  B B B B                     B (2,1) 2x1 is merged into the one above: B (2,0) 2x2
//                                       B (0,2) 4x1
#pragma once

#include <vector>

#include "pattern_grid.h"

namespace kyexport {

struct PixelRect {
  int x = 0, y = 0, w = 0, h = 0;
};

struct ColourRects {
  COLORREF colour = 0;
  std::vector<PixelRect> rects;  // in the order their first row was met
};

// The rectangles of every colour for which keep(x, y) is true, the colours in
// the order of their first pixel (rows from the top, left to right).
template <typename Keep>
std::vector<ColourRects> MergeRuns(const PatternGrid& grid, Keep keep);

}  // namespace kyexport

#include "pixel_rects_impl.h"
