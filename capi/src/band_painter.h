// Drawing a style into a rectangle of the caller's buffer a band of rows at
// a time, so that what a call holds beyond the caller's buffer is bounded by
// one band (a device of its rows and one copy of them), never the picture:
//
//   buffer +----------------------------+
//          |      area +---------+      |  area: every pixel the draw may
//          |           | band 0  |      |  touch; each band is drawn on a
//          |           | band 1  |      |  device whose (0, 0) is the band's
//          |           | band 2  |      |  corner, the tiles moved to match
//          |           +---------+      |
//          +----------------------------+
//
// Each band is drawn as the drawing calls describe (kyfsl_draw.cpp): once on
// the caller's colours and once on their inverse, so that a painted pixel is
// told from one that only keeps its colour; an area the style covers opaque
// is drawn once and copied out.
#pragma once

#include <functional>
#include <memory>

#include "capi_internal.h"
#include "pixel_device.h"

namespace kyfsl_capi {

// Draws the style on dc for one band: band is the rectangle of the buffer
// the device stands for, its corner at the device's (0, 0). Returns false
// when the style cannot be drawn.
using BandDraw = std::function<bool(CKyFillStyle& style, CDC& dc, const CRect& band)>;

struct AreaPaint {
  CRect area;            // in buffer pixels, within the buffer
  bool covering = false; // every pixel of the area is painted opaque: drawn once, nothing of the caller's read
  // Tiles lie on one grid through origin (buffer pixels). Otherwise the
  // module anchors them at each shape's box on the device, which is the
  // shape's box in the buffer only when the area is one band.
  bool anchored = false;
  POINT origin{0, 0};
};

// Rows in a band over width pixels: about a million pixels a band (the
// environment's KYFSL_BAND_PIXELS instead, so that tests can compare narrow
// bands with whole pictures), at least one row.
int BandRows(int width);

// A copy of the library's style id prepared for dev at the paint's colours
// and background mode; the library's own record is left as it was. Throws
// Error (KYFSL_ERR_NOT_FOUND, KYFSL_ERR_RENDER).
std::unique_ptr<CKyFillStyle> PrepareStyle(OpenLibrary& h, int32_t id, const kyfsl_paint& paint, PixelDevice& dev);

// Draws the area band by band into the caller's buffer. Throws Error
// (KYFSL_ERR_RENDER when draw fails, KYFSL_ERR_MEMORY when no device can be
// made); the style is prepared before the first band, so every failure of
// the style comes before a pixel of the caller's is written.
void PaintArea(OpenLibrary& h, int32_t id, const kyfsl_paint& paint, const kyfsl_buffer& buffer, const AreaPaint& what,
               const BandDraw& draw);

}  // namespace kyfsl_capi
