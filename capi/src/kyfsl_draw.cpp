// Drawing into the caller's buffer. Every drawing call goes the same way:
//
//   check paint and buffer -> copy the pixels out of the caller's layout
//   -> prepare a copy of the record for a device at the dpi
//   -> draw twice, once on the caller's colours and once on their inverse
//   -> a pixel equal to its input both times was left alone; any other was
//      painted, takes the first drawing's colour and gains alpha by the rate
//   -> copy back into the caller's layout.
//
// The second drawing is what tells a painted pixel from one that only has
// the colour it had: a pattern pixel the colour of the paper under it is
// still painted, and its alpha must say so. An opaque tile at rate 100
// paints every pixel, so it is drawn once.
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "capi_internal.h"
#include "pixel_device.h"

using namespace kyfsl_capi;

namespace {

COLORREF ToColorRef(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

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

// The caller's pixels as 0x00RRGGBB, and their alpha bytes.
void ReadBuffer(const kyfsl_buffer& b, int format, std::vector<uint32_t>& rgb, std::vector<uint8_t>& alpha) {
  const size_t n = static_cast<size_t>(b.width) * static_cast<size_t>(b.height);
  rgb.resize(n);
  alpha.resize(n);
  const int r = format == KYFSL_RGBA ? 0 : 2, blue = 2 - r;
  for (int y = 0; y < b.height; ++y) {
    const uint8_t* p = static_cast<const uint8_t*>(b.pixels) + static_cast<size_t>(y) * b.stride;
    for (int x = 0; x < b.width; ++x, p += 4) {
      const size_t i = static_cast<size_t>(y) * static_cast<size_t>(b.width) + static_cast<size_t>(x);
      rgb[i] = (uint32_t{p[r]} << 16) | (uint32_t{p[1]} << 8) | p[blue];
      alpha[i] = p[3];
    }
  }
}

void WriteBuffer(const kyfsl_buffer& b, int format, const std::vector<uint32_t>& rgb, const std::vector<uint8_t>& alpha) {
  const int r = format == KYFSL_RGBA ? 0 : 2, blue = 2 - r;
  for (int y = 0; y < b.height; ++y) {
    uint8_t* p = static_cast<uint8_t*>(b.pixels) + static_cast<size_t>(y) * b.stride;
    for (int x = 0; x < b.width; ++x, p += 4) {
      const size_t i = static_cast<size_t>(y) * static_cast<size_t>(b.width) + static_cast<size_t>(x);
      p[r] = static_cast<uint8_t>(rgb[i] >> 16);
      p[1] = static_cast<uint8_t>(rgb[i] >> 8);
      p[blue] = static_cast<uint8_t>(rgb[i]);
      p[3] = alpha[i];
    }
  }
}

// A copy of a library style prepared for dev at the paint's colours; the
// library's own record is left as it was.
std::unique_ptr<CKyFillStyle> Prepare(kyfsl_library& h, int32_t id, const kyfsl_paint& paint, PixelDevice& dev) {
  CKyFillStyle* record = h.lib.GetFillStyle(PositionOf(h, id));
  if (!record) throw Error{KYFSL_ERR_NOT_FOUND, "the library has no style " + std::to_string(id)};
  auto style = std::make_unique<CKyFillStyle>();
  *style = *record;
  dev.DC().SetBkMode(paint.transparent ? TRANSPARENT : OPAQUE);
  CSize natural(0, 0);
  if (!style->SetFillStyleEx(&dev.DC(), ToColorRef(paint.fore), ToColorRef(paint.back), natural, 1.0)) {
    throw Error{KYFSL_ERR_RENDER, "style " + std::to_string(id) + " cannot be drawn at " +
                                      std::to_string(paint.dpi) + " dpi (damaged pattern or empty tile)"};
  }
  if (paint.anchor == KYFSL_ANCHOR_MAP) {
    const POINT origin{paint.origin_x, paint.origin_y};
    style->SetPatternOrigin(&origin);
  }
  return style;
}

// to[i] = from[i] with an opaque alpha byte, n pixels. Compiled for the
// wider vector units too where the machine has them, as a memcpy is. The
// choice is made by the loader, before a sanitizer's runtime is ready, so
// sanitised builds keep one version.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__) && \
    !defined(__SANITIZE_ADDRESS__)
__attribute__((target_clones("avx2", "default")))
#endif
void CopyOpaque(const uint32_t* from, uint8_t* to, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const uint32_t v = from[i] | 0xFF000000u;
    std::memcpy(to + 4 * i, &v, 4);
  }
}

// Runs draw twice as the file's opening comment tells and writes the result
// into the caller's buffer.
// An opaque tile at rate 100 covers every pixel: nothing of the caller's
// is read, and a packed BGRA buffer takes the device's rows directly.
template <class Draw>
void PaintCovering(kyfsl_library& h, int32_t id, const kyfsl_paint& paint, const kyfsl_buffer& b, Draw&& draw) {
  PixelDevice dev(b.width, b.height, paint.dpi);
  std::unique_ptr<CKyFillStyle> style = Prepare(h, id, paint, dev);
  if (!draw(*style, dev.DC())) throw Error{KYFSL_ERR_RENDER, "style " + std::to_string(id) + " could not be drawn"};
  style->ReleaseBMP();
  const size_t n = static_cast<size_t>(b.width) * static_cast<size_t>(b.height);
  if (paint.format == KYFSL_BGRA && b.stride == 4 * static_cast<size_t>(b.width)) {
    // One pass from the device's rows to the caller's, opaque: the same
    // cost as the copy any host makes to get the pixels out. Byte 3 is the
    // top byte on the little-endian machines the GDI layer is written for.
    CopyOpaque(dev.Bits(), static_cast<uint8_t*>(b.pixels), n);
    return;
  }
  std::vector<uint32_t> pixels;
  dev.Get(pixels);
  for (uint32_t& v : pixels) v &= 0xFFFFFFu;
  WriteBuffer(b, paint.format, pixels, std::vector<uint8_t>(n, 255));
}

// Runs draw twice as the file's opening comment tells and writes the result
// into the caller's buffer.
template <class Draw>
void PaintBuffer(kyfsl_library& h, int32_t id, const kyfsl_paint& paint, const kyfsl_buffer& b, Draw&& draw) {
  std::vector<uint32_t> input, inverse, first, second;
  std::vector<uint8_t> alpha;
  ReadBuffer(b, paint.format, input, alpha);
  PixelDevice dev(b.width, b.height, paint.dpi);
  std::unique_ptr<CKyFillStyle> style = Prepare(h, id, paint, dev);
  dev.Put(input);
  if (!draw(*style, dev.DC())) throw Error{KYFSL_ERR_RENDER, "style " + std::to_string(id) + " could not be drawn"};
  dev.Get(first);
  inverse.resize(input.size());
  for (size_t i = 0; i < input.size(); ++i) inverse[i] = input[i] ^ 0xFFFFFFu;
  dev.Put(inverse);
  draw(*style, dev.DC());
  dev.Get(second);
  style->ReleaseBMP();
  for (size_t i = 0; i < input.size(); ++i) {
    first[i] &= 0xFFFFFFu;
    if (first[i] == input[i] && (second[i] & 0xFFFFFFu) == inverse[i]) continue;
    input[i] = first[i];
    alpha[i] = static_cast<uint8_t>(alpha[i] + (255 - alpha[i]) * paint.rate / 100);
  }
  WriteBuffer(b, paint.format, input, alpha);
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
    kyfsl_library* h = Live(lib);
    CheckPaint(paint);
    Need(width, "width");
    Need(height, "height");
    PixelDevice dev(1, 1, paint->dpi);
    std::unique_ptr<CKyFillStyle> style = Prepare(*h, id, *paint, dev);
    *width = static_cast<int32_t>(style->GetTileWidth());
    *height = static_cast<int32_t>(style->GetTileHeight());
    style->ReleaseBMP();
  });
}

int kyfsl_render_tile(const kyfsl_library* lib, int32_t id, const kyfsl_paint* paint, const kyfsl_buffer* buffer) {
  return Guarded([&] {
    kyfsl_library* h = Live(lib);
    CheckPaint(paint);
    CheckBuffer(buffer);
    kyfsl_paint at = *paint;
    at.anchor = KYFSL_ANCHOR_MAP;
    at.origin_x = at.origin_y = 0;
    auto draw = [&](CKyFillStyle& style, CDC& dc) {
      CRect whole(0, 0, buffer->width, buffer->height);
      return style.DisplayEx(&dc, &whole, FALSE, at.rate) != FALSE;
    };
    if (!at.transparent && at.rate == 100) {
      PaintCovering(*h, id, at, *buffer, draw);
    } else {
      PaintBuffer(*h, id, at, *buffer, draw);
    }
  });
}

int kyfsl_fill(const kyfsl_library* lib, int32_t id, const kyfsl_paint* paint, const double* xy,
               const size_t* ring_sizes, size_t ring_count, const double transform[6], const kyfsl_buffer* buffer) {
  return Guarded([&] {
    kyfsl_library* h = Live(lib);
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
    std::vector<int> counts(ring_sizes, ring_sizes + ring_count);
    PaintBuffer(*h, id, *paint, *buffer, [&](CKyFillStyle& style, CDC& dc) {
      const int oldFill = dc.SetPolyFillMode(ALTERNATE);
      const BOOL ok = style.PolyPolygon(&dc, pts.data(), counts.data(), static_cast<int>(counts.size()), FALSE,
                                        paint->rate);
      dc.SetPolyFillMode(oldFill);
      return ok != FALSE;
    });
  });
}

}  // extern "C"
