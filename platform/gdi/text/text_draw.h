// Painting text into a DC: runs of glyphs and background boxes in device
// coordinates, through the DC's clip and, when given, one more clip
// rectangle (ETO_CLIPPED, DrawText's formatting rectangle).
#pragma once

#include "dc.h"
#include "text_raster.h"

namespace kygdi {

// Paints the ink of a run in colour; returns its advance width.
int PaintRun(DC& dc, FontInstance& font, const std::vector<TextChar>& chars, const RunPlacement& at,
             COLORREF colour, const RECT* clip);
// Fills a device rectangle in colour.
void FillDeviceRect(DC& dc, const RECT& r, COLORREF colour, const RECT* clip);

// Logical lengths to device pixels and back, by the DC's scale (signs
// dropped: text always runs rightwards and downwards on the device).
int LengthToDeviceX(const DC& dc, double logical);
int LengthToLogicalX(const DC& dc, int device);
int LengthToLogicalY(const DC& dc, int device);

}  // namespace kygdi
