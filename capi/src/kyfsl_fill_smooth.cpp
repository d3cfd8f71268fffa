// kyfsl_fill_smooth: an anti-aliased fill built on kyfsl_fill. The shape's
// box is filled by kyfsl_fill (the module's pixels, alpha rules and all);
// the share of each pixel the unrounded shape covers (kycover, as the map
// renderer's) blends the box's pixels byte by byte between what they held
// and that fill.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "KyCover.h"
#include "KyCoverBlend.h"
#include "capi_internal.h"

namespace {

using kycover::Mul;

// near(x) of the module: half away from zero.
long Near(double v) { return static_cast<long>(v > 0 ? v + 0.5 : v - 0.5); }

}  // namespace

extern "C" {

void kyfsl_fill_options_init(kyfsl_fill_options* options) {
  if (options) options->antialias = 1;
}

int kyfsl_fill_smooth(const kyfsl_library* lib, int32_t id, const kyfsl_paint* paint, const double* xy,
                      const size_t* ring_sizes, size_t ring_count, const double transform[6],
                      const kyfsl_buffer* buffer, const kyfsl_fill_options* options) {
  kyfsl_fill_options o;
  kyfsl_fill_options_init(&o);
  if (options) o = *options;
  // kyfsl_fill checks every argument (and fills nothing for no rings).
  if (!o.antialias || ring_count == 0 || !xy || !ring_sizes || !buffer || !paint) {
    return kyfsl_fill(lib, id, paint, xy, ring_sizes, ring_count, transform, buffer);
  }
  // The handle, the paint and the buffer (its size against its rows) are
  // checked before any of its bytes are read.
  if (const int checked = kyfsl_fill(lib, id, paint, nullptr, nullptr, 0, nullptr, buffer); checked != KYFSL_OK) {
    return checked;
  }
  size_t total = 0;
  for (size_t r = 0; r < ring_count; ++r) {
    if (ring_sizes[r] < 3 || ring_sizes[r] > KYFSL_MAX_POINTS - total) {
      return kyfsl_fill(lib, id, paint, xy, ring_sizes, ring_count, transform, buffer);
    }
    total += ring_sizes[r];
  }
  static const double kIdentity[6] = {1, 0, 0, 0, 1, 0};
  const double* t = transform ? transform : kIdentity;
  std::vector<double> pts(2 * total);
  long x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  for (size_t i = 0; i < total; ++i) {
    const double x = xy[2 * i], y = xy[2 * i + 1];
    const double px = t[0] * x + t[1] * y + t[2], py = t[3] * x + t[4] * y + t[5];
    if (!std::isfinite(px) || !std::isfinite(py) || std::fabs(px) > KYFSL_MAX_COORD ||
        std::fabs(py) > KYFSL_MAX_COORD) {
      return kyfsl_fill(lib, id, paint, xy, ring_sizes, ring_count, transform, buffer);  // its range error
    }
    pts[2 * i] = px;
    pts[2 * i + 1] = py;
    // The box of the rounded points: where the module lays a shape's tiles.
    const long rx = Near(px), ry = Near(py);
    if (i == 0) x0 = x1 = rx, y0 = y1 = ry;
    x0 = std::min(x0, rx), x1 = std::max(x1, rx), y0 = std::min(y0, ry), y1 = std::max(y1, ry);
  }
  // Tiles anchored to the shape start at the rounded box, as kyfsl_fill's;
  // anchored to the map the box may take in the pixels the shape touches.
  if (paint->anchor == KYFSL_ANCHOR_MAP) {
    for (size_t i = 0; i < total; ++i) {
      x0 = std::min(x0, static_cast<long>(std::floor(pts[2 * i])));
      y0 = std::min(y0, static_cast<long>(std::floor(pts[2 * i + 1])));
      x1 = std::max(x1, static_cast<long>(std::ceil(pts[2 * i])));
      y1 = std::max(y1, static_cast<long>(std::ceil(pts[2 * i + 1])));
    }
  }
  const long bx0 = std::max(0L, x0), by0 = std::max(0L, y0);
  const long bx1 = std::min<long>(buffer->width, x1), by1 = std::min<long>(buffer->height, y1);
  if (bx0 >= bx1 || by0 >= by1) return kyfsl_fill(lib, id, paint, xy, ring_sizes, ring_count, transform, buffer);
  const int w = static_cast<int>(bx1 - bx0), h = static_cast<int>(by1 - by0);

  // What the box holds now, then the module's fill of the box.
  auto* base = static_cast<uint8_t*>(buffer->pixels);
  std::vector<uint8_t> before(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y) {
    std::memcpy(&before[static_cast<size_t>(y) * w * 4], base + (by0 + y) * buffer->stride + bx0 * 4, w * 4u);
  }
  const double box[8] = {static_cast<double>(x0), static_cast<double>(y0), static_cast<double>(x1),
                         static_cast<double>(y0), static_cast<double>(x1), static_cast<double>(y1),
                         static_cast<double>(x0), static_cast<double>(y1)};
  const size_t four = 4;
  const int status = kyfsl_fill(lib, id, paint, box, &four, 1, nullptr, buffer);
  if (status != KYFSL_OK) return status;

  // The share of each pixel the shape covers, by the alternate rule, a
  // band of rows at a time.
  kycover::Cover cover(kycover::Rule::kEvenOdd);
  cover.AddRings(pts.data(), ring_sizes, ring_count);
  constexpr int kBand = 64;
  std::vector<uint8_t> mask(static_cast<size_t>(w) * kBand);
  for (int top = 0; top < h; top += kBand) {
    const int rows = std::min(kBand, h - top);
    cover.Render(kycover::Rows{static_cast<int>(bx0), static_cast<int>(by0) + top, static_cast<int>(bx1),
                               static_cast<int>(by0) + top + rows},
                 mask.data(), w);
    for (int y = 0; y < rows; ++y) {
      uint8_t* row = base + (by0 + top + y) * buffer->stride + bx0 * 4;
      const uint8_t* old = &before[static_cast<size_t>(top + y) * w * 4];
      const uint8_t* cov = &mask[static_cast<size_t>(y) * w];
      for (int x = 0; x < w; ++x) {
        const uint32_t c = cov[x];
        for (int k = 0; k < 4; ++k) {
          const size_t i = 4u * x + k;
          row[i] = static_cast<uint8_t>(Mul(row[i], c) + Mul(old[i], 255 - c));
        }
      }
    }
  }
  return KYFSL_OK;
}

}  // extern "C"
