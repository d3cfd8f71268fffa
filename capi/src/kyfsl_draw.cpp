// Drawing into the caller's buffer. Every drawing call goes the same way:
//
//   check paint and buffer -> the area of the buffer the draw can touch
//   (the whole buffer for a tile, the shape's box for a fill)
//   -> for each band of its rows (band_painter.h): the band's pixels onto a
//      device at the dpi; draw a prepared copy of the record twice, once on
//      the caller's colours and once on their inverse
//   -> a pixel equal to its input both times was left alone; any other was
//      painted, takes the first drawing's colour and gains alpha by the rate.
//
// The second drawing is what tells a painted pixel from one that only has
// the colour it had: a pattern pixel the colour of the paper under it is
// still painted, and its alpha must say so. An opaque tile at rate 100
// paints every pixel, so it is drawn once. The cost and the memory of a
// call follow the area, a band at a time, not the whole buffer.
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "band_painter.h"
#include "capi_internal.h"
#include "pixel_device.h"
#include "shape_rings.h"

using namespace kyfsl_capi;

namespace {

void CheckPaint(const kyfsl_paint* paint) {
  Need(paint, "paint");
  if (paint->dpi < KYFSL_MIN_DPI || paint->dpi > KYFSL_MAX_DPI) {
    throw Error{KYFSL_ERR_ARGUMENT, "dpi " + std::to_string(paint->dpi) + " is not between " +
                                        std::to_string(KYFSL_MIN_DPI) + " and " + std::to_string(KYFSL_MAX_DPI)};
  }
  if (paint->rate < 0 || paint->rate > 100) {
    throw Error{KYFSL_ERR_ARGUMENT, "rate " + std::to_string(paint->rate) + " is not between 0 and 100"};
  }
  if (paint->fore > 0xFFFFFF || paint->back > 0xFFFFFF) {
    throw Error{KYFSL_ERR_ARGUMENT, "colours are 0xRRGGBB, at most 0xFFFFFF"};
  }
  if (paint->format != KYFSL_BGRA && paint->format != KYFSL_RGBA) {
    throw Error{KYFSL_ERR_ARGUMENT, "format must be KYFSL_BGRA or KYFSL_RGBA"};
  }
  if (paint->anchor != KYFSL_ANCHOR_SHAPE && paint->anchor != KYFSL_ANCHOR_MAP) {
    throw Error{KYFSL_ERR_ARGUMENT, "anchor must be KYFSL_ANCHOR_SHAPE or KYFSL_ANCHOR_MAP"};
  }
}

void CheckBuffer(const kyfsl_buffer* b) {
  Need(b, "buffer");
  Need(b->pixels, "buffer pixels");
  if (b->width < 1 || b->height < 1 || b->width > KYFSL_MAX_SIZE || b->height > KYFSL_MAX_SIZE) {
    throw Error{KYFSL_ERR_ARGUMENT, "a buffer of " + std::to_string(b->width) + " x " + std::to_string(b->height) +
                                        " pixels is not 1 to " + std::to_string(KYFSL_MAX_SIZE) + " each side"};
  }
  const size_t row = 4 * static_cast<size_t>(b->width);
  if (b->stride < row) {
    throw Error{KYFSL_ERR_BUFFER, "stride " + std::to_string(b->stride) + " is less than the " +
                                      std::to_string(row) + " bytes of a row"};
  }
  // The last row needs only its pixels, not a whole stride.
  const size_t rows = static_cast<size_t>(b->height) - 1;
  if (b->stride > (std::numeric_limits<size_t>::max() - row) / (rows ? rows : 1) ||
      b->size < b->stride * rows + row) {
    throw Error{KYFSL_ERR_BUFFER, "the buffer's " + std::to_string(b->size) + " bytes cannot hold " +
                                      std::to_string(b->height) + " rows of stride " + std::to_string(b->stride)};
  }
}

// near(x) of the module: half away from zero.
LONG Near(double v) { return static_cast<LONG>(v > 0 ? v + 0.5 : v - 0.5); }

}  // namespace

extern "C" {

void kyfsl_paint_init(kyfsl_paint* paint) {
  if (!paint) return;
  std::memset(paint, 0, sizeof *paint);
  paint->fore = 0x000000;
  paint->back = 0xFFFFFF;
  paint->rate = 100;
  paint->dpi = 96;
  paint->format = KYFSL_BGRA;
  paint->anchor = KYFSL_ANCHOR_SHAPE;
}

int kyfsl_tile_size(const kyfsl_library* lib, int32_t id, const kyfsl_paint* paint, int32_t* width, int32_t* height) {
  return Guarded([&] {
    OpenLibrary* h = Live(lib);
    CheckPaint(paint);
    Need(width, "width");
    Need(height, "height");
    PixelDevice dev(1, 1, paint->dpi);
    std::unique_ptr<CKyFillStyle> style = PrepareStyle(*h, id, *paint, dev);
    *width = static_cast<int32_t>(style->GetTileWidth());
    *height = static_cast<int32_t>(style->GetTileHeight());
    style->ReleaseBMP();
  });
}

int kyfsl_render_tile(const kyfsl_library* lib, int32_t id, const kyfsl_paint* paint, const kyfsl_buffer* buffer) {
  return Guarded([&] {
    OpenLibrary* h = Live(lib);
    CheckPaint(paint);
    CheckBuffer(buffer);
    AreaPaint what;
    what.area = CRect(0, 0, buffer->width, buffer->height);
    what.covering = !paint->transparent && paint->rate == 100;
    what.anchored = true;  // a tile corner at (0, 0)
    PaintArea(*h, id, *paint, *buffer, what, [&](CKyFillStyle& style, CDC& dc, const CRect& band) {
      CRect whole(what.area);
      whole.OffsetRect(-band.left, -band.top);
      return style.DisplayEx(&dc, &whole, FALSE, paint->rate) != FALSE;
    });
  });
}

int kyfsl_fill(const kyfsl_library* lib, int32_t id, const kyfsl_paint* paint, const double* xy,
               const size_t* ring_sizes, size_t ring_count, const double transform[6], const kyfsl_buffer* buffer) {
  return Guarded([&] {
    OpenLibrary* h = Live(lib);
    CheckPaint(paint);
    CheckBuffer(buffer);
    if (ring_count == 0) return;  // nothing to fill is success
    Need(ring_sizes, "ring_sizes");
    Need(xy, "xy");
    size_t total = 0;
    for (size_t r = 0; r < ring_count; ++r) {
      if (ring_sizes[r] < 3) {
        throw Error{KYFSL_ERR_ARGUMENT, "ring " + std::to_string(r) + " has " + std::to_string(ring_sizes[r]) +
                                            " points; a ring needs at least 3"};
      }
      if (ring_sizes[r] > KYFSL_MAX_POINTS - total) {
        throw Error{KYFSL_ERR_ARGUMENT, "more than " + std::to_string(KYFSL_MAX_POINTS) + " points in one fill"};
      }
      total += ring_sizes[r];
    }
    static const double kIdentity[6] = {1, 0, 0, 0, 1, 0};
    const double* t = transform ? transform : kIdentity;
    for (int i = 0; i < 6; ++i) {
      if (!std::isfinite(t[i])) throw Error{KYFSL_ERR_RANGE, "the transform is not finite"};
    }
    std::vector<POINT> pts(total);
    for (size_t i = 0; i < total; ++i) {
      const double x = xy[2 * i], y = xy[2 * i + 1];
      const double px = t[0] * x + t[1] * y + t[2], py = t[3] * x + t[4] * y + t[5];
      if (!std::isfinite(px) || !std::isfinite(py) || std::fabs(px) > KYFSL_MAX_COORD ||
          std::fabs(py) > KYFSL_MAX_COORD) {
        throw Error{KYFSL_ERR_RANGE, "point " + std::to_string(i) + " is not finite or lies more than 1e7 pixels "
                                                                    "from the buffer's origin"};
      }
      pts[i] = POINT{Near(px), Near(py)};
    }
    const ShapeRings shape(std::move(pts), std::vector<int>(ring_sizes, ring_sizes + ring_count));
    AreaPaint what;
    what.area = shape.Area(buffer->width, buffer->height);
    if (what.area.IsRectEmpty()) return;  // wholly outside the buffer
    what.anchored = paint->anchor == KYFSL_ANCHOR_MAP;
    what.origin = POINT{paint->origin_x, paint->origin_y};
    const int rows = BandRows(what.area.Width());
    const bool banded = what.area.Height() > rows;
    if (!what.anchored && banded) {
      // Bands would each start the tiles at their own part of the shape:
      // the grid goes through the corner of the shape's pixels instead,
      // where the module starts it when the shape is drawn whole.
      if (!shape.PixelCorner(what.area, rows, &what.origin)) return;
      what.anchored = true;
    }
    std::vector<POINT> bandPoints;
    std::vector<int> bandCounts;
    CRect cutFor(0, 0, 0, 0);  // the band bandPoints were cut for: each band is drawn twice
    PaintArea(*h, id, *paint, *buffer, what, [&](CKyFillStyle& style, CDC& dc, const CRect& band) {
      if (!cutFor.EqualRect(&band)) {
        shape.ForBand(band, banded, &bandPoints, &bandCounts);
        cutFor = band;
      }
      if (bandCounts.empty()) return true;
      const int oldFill = dc.SetPolyFillMode(ALTERNATE);
      const BOOL ok = style.PolyPolygon(&dc, bandPoints.data(), bandCounts.data(),
                                        static_cast<int>(bandCounts.size()), FALSE, paint->rate);
      dc.SetPolyFillMode(oldFill);
      return ok != FALSE;
    });
  });
}

}  // extern "C"
