// DIB pattern brushes: a packed DIB (header, colour table, bits) becomes a
// brush pattern in its own colours. (The DIB transfer calls live in dib/.)
//
// A DIB's rows are padded to 4 bytes and run bottom-up unless the height is
// negative. The calls trust the caller's bits to be as large as the header
// says, as the platform does, but every header field that sizes something is
// checked before it is used.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "fill.h"

using namespace kygdi;

namespace {

struct DibView {
  int width = 0, height = 0;  // height positive
  bool top_down = false;
  int bpp = 0;
  uint32_t compression = BI_RGB;
  size_t stride = 0;
  std::vector<COLORREF> colours;  // the colour table, resolved
  uint32_t masks[3] = {0, 0, 0};
  const uint8_t* bits = nullptr;

  const uint8_t* Row(int y_top) const {  // y counted from the top of the image
    int r = top_down ? y_top : height - 1 - y_top;
    return bits + size_t(r) * stride;
  }
  COLORREF Pixel(int x, int y_top) const {
    const uint8_t* row = Row(y_top);
    switch (bpp) {
      case 1: return colours[(row[x >> 3] >> (7 - (x & 7))) & 1];
      case 4: return colours[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
      case 8: return colours[row[x]];
      case 16: {
        uint32_t v = row[2 * x] | (uint32_t(row[2 * x + 1]) << 8);
        return FromMasks(v);
      }
      case 24: return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
      default: {
        uint32_t v;
        std::memcpy(&v, row + 4 * x, 4);
        return compression == BI_BITFIELDS ? FromMasks(v) : RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
      }
    }
  }
  static int Channel(uint32_t v, uint32_t mask) {
    if (!mask) return 0;
    int shift = __builtin_ctz(mask);
    uint32_t m = mask >> shift, c = (v & mask) >> shift;
    int bits = 32 - __builtin_clz(m);
    return bits >= 8 ? int(c >> (bits - 8)) : int((c << (8 - bits)) | (c >> (2 * bits >= 8 ? 2 * bits - 8 : 0)));
  }
  COLORREF FromMasks(uint32_t v) const {
    return RGB(Channel(v, masks[0]), Channel(v, masks[1]), Channel(v, masks[2]));
  }
};

// Parses the header; false for anything we cannot read safely.
bool ParseInfo(const BITMAPINFO* bmi, UINT usage, DibView* out) {
  if (!bmi) return false;
  const BITMAPINFOHEADER& h = bmi->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > 4096 || h.biWidth <= 0 || h.biHeight == 0 ||
      h.biHeight == INT32_MIN || h.biPlanes != 1)
    return false;
  int bpp = h.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
  if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32))) return false;
  int height = std::abs(h.biHeight);
  if (uint64_t(h.biWidth) * uint64_t(height) > (uint64_t(1) << 28)) return false;
  out->width = h.biWidth;
  out->height = height;
  out->top_down = h.biHeight < 0;
  out->bpp = bpp;
  out->compression = h.biCompression;
  out->stride = ((size_t(h.biWidth) * size_t(bpp) + 31) / 32) * 4;
  const uint8_t* after = reinterpret_cast<const uint8_t*>(bmi) + h.biSize;
  if (h.biCompression == BI_BITFIELDS) {
    if (h.biSize >= 52)
      std::memcpy(out->masks, reinterpret_cast<const uint8_t*>(bmi) + 40, 12);
    else {
      std::memcpy(out->masks, after, 12);
      after += 12;
    }
  } else if (bpp == 16) {
    out->masks[0] = 0x7C00;
    out->masks[1] = 0x03E0;
    out->masks[2] = 0x001F;
  }
  if (bpp <= 8) {
    uint32_t n = h.biClrUsed ? std::min<uint32_t>(h.biClrUsed, 1u << bpp) : (1u << bpp);
    out->colours.assign(size_t(1) << bpp, RGB(0, 0, 0));
    for (uint32_t i = 0; i < n; ++i) {
      if (usage == DIB_PAL_COLORS) {
        WORD idx;
        std::memcpy(&idx, after + 2 * i, 2);
        const RGBQUAD& q = FixedPalette8()[idx & 0xFF];
        out->colours[i] = RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
      } else {
        const uint8_t* q = after + 4 * i;
        out->colours[i] = RGB(q[2], q[1], q[0]);
      }
    }
  }
  return true;
}

// The part of a DIB as a top-down surface: bpp 1 (nearest of black and
// white) for a monochrome destination, 32 otherwise.
bool DibToSurface(const DibView& dib, int x, int y_top, int w, int h, int bpp, Surface* out) {
  if (!out->Create(w, h, bpp)) return false;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      int sx = x + i, sy = y_top + j;
      if (sx < 0 || sy < 0 || sx >= dib.width || sy >= dib.height) continue;
      uint32_t v = out->ColourToPixel(dib.Pixel(sx, sy));
      RECT r{i, j, i + 1, j + 1};
      out->funcs->solid_rects(*out, &r, 1, 0, v);
    }
  return true;
}

}  // namespace

HBRUSH CreateDIBPatternBrushPt(const void* lpPackedDIB, UINT iUsage) {
  const BITMAPINFO* bmi = static_cast<const BITMAPINFO*>(lpPackedDIB);
  DibView dib;
  if (!ParseInfo(bmi, iUsage, &dib)) return nullptr;
  size_t table = dib.bpp <= 8 ? (size_t(1) << dib.bpp) : 0;
  if (bmi->bmiHeader.biClrUsed && dib.bpp <= 8) table = std::min<size_t>(table, bmi->bmiHeader.biClrUsed);
  size_t entry = iUsage == DIB_PAL_COLORS ? 2 : 4;
  size_t masks = (bmi->bmiHeader.biCompression == BI_BITFIELDS && bmi->bmiHeader.biSize == 40) ? 12 : 0;
  dib.bits = static_cast<const uint8_t*>(lpPackedDIB) + bmi->bmiHeader.biSize + masks + table * entry;
  auto b = std::make_unique<BrushObject>();
  b->style = BS_DIBPATTERN;
  b->pattern = std::make_shared<Surface>();
  if (!DibToSurface(dib, 0, 0, dib.width, dib.height, 32, b->pattern.get())) return nullptr;
  return static_cast<HBRUSH>(AddObject(std::move(b)));
}
