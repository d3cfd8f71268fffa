// Device-independent bits in and out of device bitmaps: GetDIBits,
// SetDIBits, StretchDIBits, SetDIBitsToDevice, CreateDIBitmap and DIB
// pattern brushes.
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

// Colour table for bitmaps read out at 1, 4 or 8 bits.
std::vector<COLORREF> OutputTable(int bpp) {
  std::vector<COLORREF> t;
  if (bpp == 1) {
    t = {RGB(0, 0, 0), RGB(255, 255, 255)};
  } else if (bpp == 4) {
    static const COLORREF vga[16] = {RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
                                     RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
                                     RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
                                     RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
    t.assign(vga, vga + 16);
  } else if (bpp == 8) {
    const RGBQUAD* p = FixedPalette8();
    for (int i = 0; i < 256; ++i) t.push_back(RGB(p[i].rgbRed, p[i].rgbGreen, p[i].rgbBlue));
  }
  return t;
}

uint32_t NearestIn(const std::vector<COLORREF>& t, COLORREF c) {
  std::vector<RGBQUAD> q;
  q.reserve(t.size());
  for (COLORREF e : t) q.push_back(RGBQUAD{GetBValue(e), GetGValue(e), GetRValue(e), 0});
  return NearestPaletteIndex(q.data(), int(q.size()), c);
}

}  // namespace

int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi, UINT usage) {
  DC* dc = LookupDC(hdc);
  BitmapObject* b = Lookup<BitmapObject>(hbm, OBJ_BITMAP);
  if (!dc || !b || !lpbmi || lpbmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return 0;
  const Surface& s = b->surface;
  BITMAPINFOHEADER& h = lpbmi->bmiHeader;
  if (h.biBitCount == 0) {
    // Only the header is wanted: the bitmap's own size and depth.
    h.biWidth = s.width;
    h.biHeight = s.height;
    h.biPlanes = 1;
    h.biBitCount = WORD(s.bpp == 15 ? 16 : s.bpp);
    h.biCompression = BI_RGB;
    h.biSizeImage = DWORD(((size_t(s.width) * h.biBitCount + 31) / 32) * 4 * size_t(s.height));
    h.biClrUsed = 0;
    return s.height > 0 ? s.height : 1;
  }
  int bpp = h.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return 0;
  if (h.biWidth != s.width && h.biWidth != 0) h.biWidth = s.width;
  bool top_down = h.biHeight < 0;
  h.biWidth = s.width;
  h.biHeight = top_down ? -s.height : s.height;
  h.biPlanes = 1;
  h.biCompression = BI_RGB;
  size_t stride = ((size_t(s.width) * size_t(bpp) + 31) / 32) * 4;
  h.biSizeImage = DWORD(stride * size_t(s.height));
  std::vector<COLORREF> table = OutputTable(bpp);
  if (bpp <= 8) {
    h.biClrUsed = 0;
    for (size_t i = 0; i < table.size(); ++i)
      lpbmi->bmiColors[i] = RGBQUAD{GetBValue(table[i]), GetGValue(table[i]), GetRValue(table[i]), 0};
  }
  if (!lpvBits) return s.height;
  if (start >= UINT(s.height)) return 0;
  UINT lines = std::min<UINT>(cLines, UINT(s.height) - start);
  uint8_t* out = static_cast<uint8_t*>(lpvBits);
  COLORREF last_c = CLR_INVALID;
  uint32_t last_i = 0;
  for (UINT k = 0; k < lines; ++k) {
    UINT dib_row = start + k;  // rows counted in the DIB's own order
    int y = top_down ? int(dib_row) : s.height - 1 - int(dib_row);
    uint8_t* row = out + size_t(k) * stride;
    std::memset(row, 0, stride);
    for (int x = 0; x < s.width; ++x) {
      uint32_t v = s.funcs->get_pixel(s, x, y);
      if (bpp <= 8 && bpp == s.bpp) {
        // Same depth: the index itself (1 bpp keeps 0 black, 1 white).
      } else {
        COLORREF c = s.PixelToColour(v);
        if (bpp <= 8) {
          if (c != last_c) {
            last_c = c;
            last_i = NearestIn(table, c);
          }
          v = last_i;
        } else {
          v = c;
        }
      }
      switch (bpp) {
        case 1: row[x >> 3] |= uint8_t((v & 1) << (7 - (x & 7))); break;
        case 4: row[x >> 1] |= uint8_t((v & 0xF) << ((x & 1) ? 0 : 4)); break;
        case 8: row[x] = uint8_t(v); break;
        case 16: {
          uint32_t w = ((GetRValue(v) >> 3) << 10) | ((GetGValue(v) >> 3) << 5) | (GetBValue(v) >> 3);
          row[2 * x] = uint8_t(w);
          row[2 * x + 1] = uint8_t(w >> 8);
          break;
        }
        case 24:
          row[3 * x] = GetBValue(v);
          row[3 * x + 1] = GetGValue(v);
          row[3 * x + 2] = GetRValue(v);
          break;
        default:
          row[4 * x] = GetBValue(v);
          row[4 * x + 1] = GetGValue(v);
          row[4 * x + 2] = GetRValue(v);
          row[4 * x + 3] = 0;
          break;
      }
    }
  }
  return int(lines);
}

int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi,
              UINT ColorUse) {
  BitmapObject* b = Lookup<BitmapObject>(hbm, OBJ_BITMAP);
  DibView dib;
  if (!b || b->stock || !lpBits || !ParseInfo(lpbmi, ColorUse, &dib)) return 0;
  dib.bits = static_cast<const uint8_t*>(lpBits);
  Surface& s = b->surface;
  // The given lines are rows start .. start + cLines - 1 of the DIB, counted
  // in its own order; the bits hold only those.
  if (start >= UINT(dib.height)) return 0;
  UINT lines = std::min<UINT>(cLines, UINT(dib.height) - start);
  for (UINT k = 0; k < lines; ++k) {
    UINT dib_row = start + k;
    int y_top = dib.top_down ? int(dib_row) : dib.height - 1 - int(dib_row);
    if (y_top >= s.height) continue;
    const uint8_t* row = dib.bits + size_t(k) * dib.stride;
    DibView one = dib;
    one.bits = row;
    one.height = 1;
    one.top_down = true;
    for (int x = 0; x < std::min(s.width, dib.width); ++x) {
      RECT r{x, y_top, x + 1, y_top + 1};
      s.funcs->solid_rects(s, &r, 1, 0, s.ColourToPixel(one.Pixel(x, 0)));
    }
  }
  return int(lines);
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc, int SrcWidth,
                  int SrcHeight, const void* lpBits, const BITMAPINFO* lpbmi, UINT iUsage, DWORD rop) {
  DC* dc = LookupDC(hdc);
  DibView dib;
  if (!dc || !lpBits || !ParseInfo(lpbmi, iUsage, &dib)) return 0;
  dib.bits = static_cast<const uint8_t*>(lpBits);
  int sw = std::abs(SrcWidth), sh = std::abs(SrcHeight);
  if (sw == 0 || sh == 0) return 0;
  if (uint64_t(sw) * uint64_t(sh) > (uint64_t(1) << 28)) return 0;
  int sx = SrcWidth < 0 ? xSrc + SrcWidth : xSrc;
  int sy = SrcHeight < 0 ? ySrc + SrcHeight : ySrc;
  // The source origin is the image's lower left corner for a bottom-up DIB.
  int y_top = dib.top_down ? sy : dib.height - sy - sh;
  Surface part;
  if (!DibToSurface(dib, sx, y_top, sw, sh, dc->Target().bpp == 1 ? 1 : 32, &part)) return 0;
  BlitSource src;
  src.surface = &part;
  src.rect = RECT{SrcWidth < 0 ? sw : 0, SrcHeight < 0 ? sh : 0, SrcWidth < 0 ? 0 : sw, SrcHeight < 0 ? 0 : sh};
  src.bk_colour = dc->st.bk_colour;
  POINT a = LogicalToDevice(*dc, POINT{xDest, yDest});
  POINT b = LogicalToDevice(*dc, POINT{xDest + DestWidth, yDest + DestHeight});
  if (!BlitDevice(*dc, RECT{a.x, a.y, b.x, b.y}, &src, rop)) return 0;
  return sh;
}

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan,
                      UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse) {
  // FIXME: bits that hold only a band of the image (StartScan > 0) are not
  // supported; the whole image is expected.
  if (StartScan != 0 || w > INT32_MAX || h > INT32_MAX) return 0;
  return StretchDIBits(hdc, xDest, yDest, int(w), int(h), xSrc, ySrc, int(w), int(h), lpvBits, lpbmi, ColorUse,
                       SRCCOPY);
}

HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD flInit, const void* pjBits,
                       const BITMAPINFO* pbmi, UINT iUsage) {
  if (!pbmih || pbmih->biWidth < 0) return nullptr;
  HBITMAP h = CreateCompatibleBitmap(hdc, pbmih->biWidth, std::abs(pbmih->biHeight));
  if (h && (flInit & CBM_INIT) && pjBits && pbmi)
    SetDIBits(hdc, h, 0, UINT(std::abs(pbmih->biHeight)), pjBits, pbmi, iUsage);
  return h;
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, void* hSection, DWORD offset) {
  // FIXME: a DIB section's memory is laid out as a DIB, which device bitmaps
  // here are not; not supported.
  if (ppvBits) *ppvBits = nullptr;
  SetLastError(ERROR_INVALID_PARAMETER);
  return nullptr;
}

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
