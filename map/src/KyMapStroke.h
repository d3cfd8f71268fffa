// Outlines of a map's classes on a cairo context in device pixels: a plain
// line of a width, or the layers of a line style of the line-style module
// (parallel lines with dashes, ticks, teeth) sized as that module sizes
// them. Internal to the map library.
#pragma once

#include <cairo.h>

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

// A plain line of width pixels along every ring of path, as polygons of one
// turn for the non-zero rule: a quadrilateral a segment and a round join at
// each vertex. Offsets from the path's points are taken to 1/256 of a
// pixel first, so the polygons move with the path by whole pixels exactly.
void AddStroke(kycover::Cover& cover, const DevicePath& path, double width);

}  // namespace kymap
