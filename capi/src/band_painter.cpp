#include "band_painter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace kyfsl_capi {

namespace {

constexpr long kBandPixels = 1L << 20;

COLORREF ToColorRef(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// Byte positions of red and blue in a caller's pixel.
struct Order {
  int red, blue;
  explicit Order(int format) : red(format == KYFSL_RGBA ? 0 : 2), blue(format == KYFSL_RGBA ? 2 : 0) {}
};

uint8_t* RowAt(const kyfsl_buffer& b, int x, int y) {
  return static_cast<uint8_t*>(b.pixels) + static_cast<size_t>(y) * b.stride + 4 * static_cast<size_t>(x);
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

// The band's rows of the caller's pixels onto the device as 0x00RRGGBB,
// each inverted when invert is set.
void Load(const kyfsl_buffer& b, const CRect& band, Order order, bool invert, uint32_t* device) {
  const uint32_t flip = invert ? 0xFFFFFFu : 0;
  const int width = band.Width();
  for (int y = band.top; y < band.bottom; ++y, device += width) {
    const uint8_t* p = RowAt(b, band.left, y);
    for (int x = 0; x < width; ++x, p += 4) {
      device[x] = ((uint32_t{p[order.red]} << 16) | (uint32_t{p[1]} << 8) | p[order.blue]) ^ flip;
    }
  }
}

// The covering draw's rows out to the caller, opaque.
void CopyOut(const uint32_t* device, const kyfsl_buffer& b, const CRect& band, Order order) {
  const int width = band.Width();
  for (int y = band.top; y < band.bottom; ++y, device += width) {
    uint8_t* p = RowAt(b, band.left, y);
    if (order.blue == 0) {
      // The device's own byte order: one pass, the cost of any copy.
      CopyOpaque(device, p, static_cast<size_t>(width));
      continue;
    }
    for (int x = 0; x < width; ++x, p += 4) {
      p[order.red] = static_cast<uint8_t>(device[x] >> 16);
      p[1] = static_cast<uint8_t>(device[x] >> 8);
      p[order.blue] = static_cast<uint8_t>(device[x]);
      p[3] = 255;
    }
  }
}

// Writes the pixels the two drawings painted: first is the drawing on the
// caller's colours, second the one on their inverse. A pixel that kept its
// colour both times was left alone.
void Merge(const uint32_t* first, const uint32_t* second, const kyfsl_buffer& b, const CRect& band, Order order,
           int rate) {
  const int width = band.Width();
  for (int y = band.top; y < band.bottom; ++y, first += width, second += width) {
    uint8_t* p = RowAt(b, band.left, y);
    for (int x = 0; x < width; ++x, p += 4) {
      const uint32_t input = (uint32_t{p[order.red]} << 16) | (uint32_t{p[1]} << 8) | p[order.blue];
      const uint32_t drawn = first[x] & 0xFFFFFFu;
      if (drawn == input && (second[x] & 0xFFFFFFu) == (input ^ 0xFFFFFFu)) continue;
      p[order.red] = static_cast<uint8_t>(drawn >> 16);
      p[1] = static_cast<uint8_t>(drawn >> 8);
      p[order.blue] = static_cast<uint8_t>(drawn);
      p[3] = static_cast<uint8_t>(p[3] + (255 - p[3]) * rate / 100);
    }
  }
}

}  // namespace

int BandRows(int width) {
  long pixels = kBandPixels;
  if (const char* text = std::getenv("KYFSL_BAND_PIXELS")) {
    const long asked = std::strtol(text, nullptr, 10);
    if (asked > 0) pixels = asked;
  }
  return static_cast<int>(std::clamp<long>(pixels / std::max(width, 1), 1, KYFSL_MAX_SIZE));
}

std::unique_ptr<CKyFillStyle> PrepareStyle(OpenLibrary& h, int32_t id, const kyfsl_paint& paint, PixelDevice& dev) {
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
  return style;
}

void PaintArea(OpenLibrary& h, int32_t id, const kyfsl_paint& paint, const kyfsl_buffer& buffer, const AreaPaint& what,
               const BandDraw& draw) {
  const CRect& area = what.area;
  if (area.IsRectEmpty()) return;
  const int width = area.Width();
  const int rows = std::min(area.Height(), BandRows(width));
  PixelDevice dev(width, rows, paint.dpi);
  std::unique_ptr<CKyFillStyle> style = PrepareStyle(h, id, paint, dev);
  const Order order(paint.format);
  uint32_t* device = dev.Bits();
  std::vector<uint32_t> first;
  if (!what.covering) first.resize(dev.Size());
  const auto drawBand = [&](const CRect& band) {
    if (!draw(*style, dev.DC(), band)) throw Error{KYFSL_ERR_RENDER, "style " + std::to_string(id) + " could not be drawn"};
  };
  for (int top = area.top; top < area.bottom; top += rows) {
    const CRect band(area.left, top, area.right, std::min(area.bottom, top + rows));
    if (what.anchored) {
      const POINT origin{what.origin.x - band.left, what.origin.y - band.top};
      style->SetPatternOrigin(&origin);
    }
    if (what.covering) {
      drawBand(band);
      CopyOut(device, buffer, band, order);
      continue;
    }
    Load(buffer, band, order, false, device);
    drawBand(band);
    std::copy_n(device, first.size(), first.begin());
    Load(buffer, band, order, true, device);
    draw(*style, dev.DC(), band);
    Merge(first.data(), device, buffer, band, order, paint.rate);
  }
  style->ReleaseBMP();
}

}  // namespace kyfsl_capi
