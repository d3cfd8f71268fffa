// Drawing with the DC's pen: cosmetic lines one pixel wide with the dash
// styles, and wide geometric pens as filled areas with round caps and joins.
#pragma once

#include <vector>

#include "dc.h"

namespace kygdi {

// The widest pen drawn, in device pixels; wider pens are held there.
constexpr int kMaxPenWidth = 1 << 30;

// The pen's width in device pixels; 1 for cosmetic pens and width 0.
int PenDeviceWidth(const DC& dc, const PenObject& pen);
// Strokes a polyline given in device units; closed adds the segment back to
// the first point. A cosmetic pen leaves out the last point of an open line.
void StrokeDevicePolyline(DC& dc, const std::vector<POINT>& pts, bool closed);
// Paints a device region with the pen's colour under the DC's ROP2.
void StrokeRegion(DC& dc, const Region& area);

}  // namespace kygdi
