// Clipping a polygon to a rectangle (Sutherland-Hodgman: the polygon is cut
// by each of the rectangle's four edges in turn). The rectangle is convex,
// so a concave polygon comes out right too; where it falls apart into
// pieces, the pieces stay joined by edges along the rectangle's border,
// which enclose no area and so fill nothing.
#pragma once

#include <vector>

namespace kyexport {

struct Pt {
  double x = 0, y = 0;
};

// The part of poly inside [x0, x1] x [y0, y1]; empty when nothing is.
std::vector<Pt> ClipToRect(const std::vector<Pt>& poly, double x0, double y0, double x1, double y1);

}  // namespace kyexport
