// Outlines of a map's classes on a cairo context in device pixels: a plain
// line of a width, or the layers of a line style of the line-style module
// (parallel lines with dashes, ticks, teeth) sized as that module sizes
// them. Internal to the map library.
#pragma once

#include <cairo.h>

#include <vector>

#include "KyCover.h"
#include "KyLineStyleObj.h"
#include "KyMapSmooth.h"

namespace kymap {

// How far from the path the outline draws, in pixels.
double OutlineReach(double width, const CKyLineStyleObj* style);

// Strokes every ring of path width pixels wide in colour, in the style's
// layers when style is given. pixels: on a raster, where a line thinner
// than a pixel is drawn a pixel wide at that fraction of opacity.
void StrokeOutline(cairo_t* cr, const DevicePath& path, COLORREF colour, double width, const CKyLineStyleObj* style,
                   bool pixels);

// A plain line of width pixels along a closed ring of n points, with round
// joins, as rings that turn the positive way for the non-zero rule: the
// line's two sides, the one a vertex turns away from going round it in an
// arc, the other cut where the two segments' sides cross (or, on a turn too
// sharp for that, taken through the vertex). Offsets from the ring's points
// are taken to 1/256 of a pixel first, so the rings move with the path by
// whole pixels exactly. Where the line folds over itself its shares add.
struct StrokeScratch {  // memory kept from ring to ring
  std::vector<double> points, normals, plus, minus;
};
void AddRingStroke(kycover::Cover& cover, const double* ring, int n, double width, StrokeScratch& scratch);

}  // namespace kymap
