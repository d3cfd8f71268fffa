// Filling device areas with a brush or a pen colour, clipped by the DC.
#pragma once

#include <vector>

#include "dc.h"
#include "rop.h"

namespace kygdi {

// Rectangles already clipped; the brush realised for the DC's surface.
void FillRectsWithBrush(DC& dc, const std::vector<RECT>& rects, const RealisedBrush& brush, uint8_t rop3);
// A device region through the DC's clip, painted with the brush under the ROP2.
void FillRegionWithBrush(DC& dc, const Region& area, const BrushObject* brush, int rop2);
// A device region through the DC's clip in one colour under the ROP2.
void FillRegionSolid(DC& dc, const Region& area, COLORREF colour, int rop2);
// The clipped rectangles of a device region.
std::vector<RECT> ClipRegionRects(const DC& dc, const Region& area);

// A source for block transfers: a surface and the colours that convert it.
struct BlitSource {
  const Surface* surface = nullptr;
  RECT rect{0, 0, 0, 0};        // device units of the source, may be mirrored (right < left)
  COLORREF bk_colour = 0xFFFFFF;  // colour -> monochrome: this colour becomes 1 (white)
};
// The core of BitBlt, StretchBlt and PatBlt: dst is in device units of dc
// and may be mirrored; src may be null when the code uses no source.
BOOL BlitDevice(DC& dc, RECT dst, const BlitSource* src, DWORD rop);

COLORREF ResolveColour(COLORREF c);

}  // namespace kygdi
