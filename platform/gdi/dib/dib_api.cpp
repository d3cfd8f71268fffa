// The DIB calls: StretchDIBits, SetDIBitsToDevice, GetDIBits, SetDIBits,
// CreateDIBitmap and CreateDIBSection.
//
// A DIB is decoded to 0x00RRGGBB pixels through its own colour table and
// then drawn like a 32-bit bitmap, so the DC's clip, map mode, stretch mode
// and raster operation apply exactly as for StretchBlt. Reading a bitmap into
// a DIB goes the other way, through the bitmap's own pixel format.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

#include "blit_source.h"
#include "dc.h"
#include "dib_layout.h"
#include "rop.h"

using namespace kygdi;

namespace {

// A decoded DIB: its layout, colour table and rows (expanded when
// run-length encoded), with rows counted from the top.
struct Dib {
  DibLayout l;
  const BYTE* table = nullptr;
  const BYTE* bits = nullptr;
  std::vector<BYTE> expanded;
  int rows = 0;  // rows present in bits, from the first stored row

  bool Open(const BITMAPINFO* bmi, const void* lpBits, UINT usage) {
    if (!bmi || !lpBits || usage != DIB_RGB_COLORS) return false;  // FIXME: DIB_PAL_COLORS
    const BYTE* info = reinterpret_cast<const BYTE*>(bmi);
    if (!DibParseInfo(info, SIZE_MAX, &l)) return false;
    table = info + l.colorTableOffset;
    bits = static_cast<const BYTE*>(lpBits);
    if (l.compression == kDibRle8 || l.compression == kDibRle4) {
      DibDecodeRle(l, bits, l.imageBytes, expanded);
      bits = expanded.data();
      l.compression = kDibRgb;
    }
    rows = l.height;
    return true;
  }
  // Memory row of the image row `fromTop`.
  const BYTE* Row(int fromTop) const {
    const int index = l.topDown ? fromTop : l.height - 1 - fromTop;
    return bits + static_cast<size_t>(index) * l.stride;
  }
};

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

// Draws w x h pixels (0x00RRGGBB, top row first) stretched onto the
// destination rectangle, through a 32-bit bitmap and StretchBlt.
bool Blit(HDC hdc, int xd, int yd, int wd, int hd, const std::vector<uint32_t>& px, int w, int h, DWORD rop) {
  HBITMAP bmp = CreateBitmap(w, h, 1, 32, px.data());
  if (!bmp) return false;
  HDC mem = CreateCompatibleDC(hdc);
  if (!mem) {
    DeleteObject(bmp);
    return false;
  }
  HGDIOBJ old = SelectObject(mem, bmp);
  const BOOL ok = StretchBlt(hdc, xd, yd, wd, hd, mem, 0, 0, w, h, rop);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(bmp);
  return ok != FALSE;
}

// Pixels of image rows [top, top + h) and columns [x, x + w).
std::vector<uint32_t> Decode(const Dib& d, int x, int top, int w, int h) {
  std::vector<uint32_t> px(static_cast<size_t>(w) * h);
  for (int r = 0; r < h; ++r) DibDecodeRow(d.l, d.table, d.Row(top + r), x, w, px.data() + static_cast<size_t>(r) * w);
  return px;
}

// 0x00RRGGBB to COLORREF and back.
COLORREF ToColorref(uint32_t rgb) { return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF); }

// The colour table GetDIBits gives for an indexed depth.
std::vector<RGBQUAD> TableFor(int bitCount, int sourceBpp) {
  std::vector<RGBQUAD> t;
  if (bitCount == 1) {
    t = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
  } else if (bitCount == 4) {
    // The sixteen colours of the VGA palette.
    static const BYTE vga[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                    {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (const auto& c : vga) t.push_back(RGBQUAD{c[2], c[1], c[0], 0});
  } else if (bitCount == 8) {
    const RGBQUAD* p = FixedPalette8();
    t.assign(p, p + 256);
  }
  (void)sourceBpp;
  return t;
}

struct Channel {
  int shift = 0, width = 0;
};
Channel ChannelOf(uint32_t mask) {
  Channel c;
  if (!mask) return c;
  while (!(mask & 1)) mask >>= 1, ++c.shift;
  while (mask & 1) mask >>= 1, ++c.width;
  return c;
}
uint32_t Narrow(uint32_t v8, Channel c) {
  if (c.width <= 0) return 0;
  const uint32_t v = c.width >= 8 ? v8 << (c.width - 8) : v8 >> (8 - c.width);
  return c.shift < 32 ? v << c.shift : 0;
}

// Writes pixel i of a DIB row.
void PutDibPixel(const DibLayout& l, BYTE* row, int x, COLORREF c, const std::vector<RGBQUAD>& table, int index) {
  switch (l.bitCount) {
    case 1:
      if (index & 1) row[x >> 3] |= static_cast<BYTE>(0x80 >> (x & 7));
      else row[x >> 3] &= static_cast<BYTE>(~(0x80 >> (x & 7)));
      return;
    case 4:
      row[x >> 1] = (x & 1) ? static_cast<BYTE>((row[x >> 1] & 0xF0) | (index & 0x0F))
                            : static_cast<BYTE>((row[x >> 1] & 0x0F) | (index << 4));
      return;
    case 8: row[x] = static_cast<BYTE>(index); return;
    case 24:
      row[3 * x] = GetBValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetRValue(c);
      return;
    default: {
      const uint32_t v = Narrow(GetRValue(c), ChannelOf(l.masks[0])) | Narrow(GetGValue(c), ChannelOf(l.masks[1])) |
                         Narrow(GetBValue(c), ChannelOf(l.masks[2]));
      if (l.bitCount == 16) {
        row[2 * x] = static_cast<BYTE>(v);
        row[2 * x + 1] = static_cast<BYTE>(v >> 8);
      } else {
        for (int k = 0; k < 4; ++k) row[4 * x + k] = static_cast<BYTE>(v >> (8 * k));
      }
    }
  }
  (void)table;
}

// Row y of a 24- or 32-bit bitmap into a 32-bit DIB row of the usual layout
// (blue, green, red and a zero byte), the bitmap's own bytes moved whole
// pixels at a time: what the pixel loop gives, without a call per pixel.
// False for other formats, which take the loop.
bool CopyDirectRow(const Surface& s, const DibLayout& l, int y, int w, BYTE* row) {
  const bool rgb32 = l.bitCount == 32 &&
                     (l.compression == kDibRgb || (l.compression == kDibBitfields && l.masks[0] == 0xFF0000 &&
                                                   l.masks[1] == 0xFF00 && l.masks[2] == 0xFF));
  if (!rgb32 || (s.bpp != 24 && s.bpp != 32) || !FastPathsEnabled()) return false;
  const uint8_t* src = s.bits + static_cast<size_t>(y) * static_cast<size_t>(s.stride);
  if (s.bpp == 24) {
    // The blits' 24 to 32-bit converter writes exactly this layout.
    const FusedRow to32 = FindFusedRow(24, 32);
    if (!to32) return false;
    to32(src, row, w);
    return true;
  }
  for (int x = 0; x < w; ++x) {
    uint32_t v;
    std::memcpy(&v, src + 4 * x, 4);
    v &= 0x00FFFFFFu;
    std::memcpy(row + 4 * x, &v, 4);
  }
  return true;
}

struct DibSectionObject : BitmapObject {
  int GetObjectData(int cb, void* pv) const override {
    const int n = BitmapObject::GetObjectData(cb, pv);
    if (n && pv) static_cast<BITMAP*>(pv)->bmBits = surface.bits;
    return n;
  }
};

}  // namespace

int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc, int SrcWidth,
                  int SrcHeight, const void* lpBits, const BITMAPINFO* lpbmi, UINT iUsage, DWORD rop) {
  if (!LookupDC(hdc)) return 0;
  Dib d;
  if (!d.Open(lpbmi, lpBits, iUsage)) return Fail(ERROR_INVALID_PARAMETER);
  if (SrcWidth == 0 || SrcHeight == 0 || DestWidth == 0 || DestHeight == 0) return 0;
  // A negative source extent mirrors; the same mirror is a negative
  // destination extent over the normalised source.
  int64_t xs = xSrc, ys = ySrc, ws = SrcWidth, hs = SrcHeight, xd = xDest, yd = yDest, wd = DestWidth,
          hd = DestHeight;
  if (ws < 0) {
    xs += ws;
    ws = -ws;
    xd += wd;
    wd = -wd;
  }
  if (hs < 0) {
    ys += hs;
    hs = -hs;
    yd += hd;
    hd = -hd;
  }
  // Source rows count from the bottom of a bottom-up image.
  int64_t top = d.l.topDown ? ys : d.l.height - (ys + hs);
  // The part of the source inside the image, and the destination it covers.
  const int64_t x0 = std::max<int64_t>(xs, 0), x1 = std::min<int64_t>(xs + ws, d.l.width);
  const int64_t t0 = std::max<int64_t>(top, 0), t1 = std::min<int64_t>(top + hs, d.l.height);
  if (x1 <= x0 || t1 <= t0) return 0;
  const int64_t dx0 = xd + (x0 - xs) * wd / ws, dx1 = xd + (x1 - xs) * wd / ws;
  const int64_t dy0 = yd + (t0 - top) * hd / hs, dy1 = yd + (t1 - top) * hd / hs;
  if (dx0 < INT_MIN || dx1 > INT_MAX || dy0 < INT_MIN || dy1 > INT_MAX) return Fail(ERROR_INVALID_PARAMETER);
  const int w = static_cast<int>(x1 - x0), h = static_cast<int>(t1 - t0);
  const std::vector<uint32_t> px = Decode(d, static_cast<int>(x0), static_cast<int>(t0), w, h);
  if (!Blit(hdc, static_cast<int>(dx0), static_cast<int>(dy0), static_cast<int>(dx1 - dx0),
            static_cast<int>(dy1 - dy0), px, w, h, rop))
    return 0;
  return static_cast<int>(hs);
}

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan,
                      UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse) {
  if (!LookupDC(hdc)) return 0;
  Dib d;
  if (!d.Open(lpbmi, lpvBits, ColorUse)) return Fail(ERROR_INVALID_PARAMETER);
  if (w == 0 || h == 0 || w > INT_MAX || h > INT_MAX || cLines == 0) return 0;
  // The bits hold scan lines [StartScan, StartScan + cLines), counted from
  // the bottom of a bottom-up image (from the top of a top-down one).
  const int64_t first = StartScan, count = std::min<int64_t>(cLines, static_cast<int64_t>(d.l.height) - first);
  if (count <= 0) return 0;
  const int64_t x0 = std::max<int64_t>(xSrc, 0), x1 = std::min<int64_t>(int64_t(xSrc) + w, d.l.width);
  // Scan lines of the source rectangle, in the order the bits store them.
  const int64_t s0 = std::max<int64_t>(ySrc, first), s1 = std::min<int64_t>(int64_t(ySrc) + h, first + count);
  if (x1 <= x0 || s1 <= s0) return static_cast<int>(count);
  const int cw = static_cast<int>(x1 - x0), ch = static_cast<int>(s1 - s0);
  std::vector<uint32_t> px(static_cast<size_t>(cw) * ch);
  const BYTE* band = d.bits;
  for (int r = 0; r < ch; ++r) {
    // Output row r from the top of the copied block.
    const int64_t scan = d.l.topDown ? s0 + r : s1 - 1 - r;
    const BYTE* row = band + static_cast<size_t>(scan - first) * d.l.stride;
    DibDecodeRow(d.l, d.table, row, static_cast<int>(x0), cw, px.data() + static_cast<size_t>(r) * cw);
  }
  const int64_t destTop = d.l.topDown ? yDest + (s0 - ySrc) : yDest + (int64_t(ySrc) + h - s1);
  const int64_t destLeft = xDest + (x0 - xSrc);
  if (destTop > INT_MAX || destLeft > INT_MAX || destTop < INT_MIN || destLeft < INT_MIN)
    return Fail(ERROR_INVALID_PARAMETER);
  if (!Blit(hdc, static_cast<int>(destLeft), static_cast<int>(destTop), cw, ch, px, cw, ch, SRCCOPY)) return 0;
  return static_cast<int>(count);
}

int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi, UINT usage) {
  if (!LookupDC(hdc)) return 0;
  BitmapObject* b = Lookup<BitmapObject>(hbm, OBJ_BITMAP);
  if (!b) return 0;
  if (!lpbmi || usage != DIB_RGB_COLORS || lpbmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
    return Fail(ERROR_INVALID_PARAMETER);
  const Surface& s = b->surface;
  BITMAPINFOHEADER& hdr = lpbmi->bmiHeader;
  if (hdr.biBitCount == 0) {
    // Only the header is asked for: the bitmap's own format.
    if (lpvBits) return Fail(ERROR_INVALID_PARAMETER);
    const int bpp = s.bpp == 0 ? 1 : s.bpp;
    hdr.biWidth = s.width;
    hdr.biHeight = s.height;
    hdr.biPlanes = 1;
    hdr.biBitCount = static_cast<WORD>(bpp == 15 ? 16 : bpp);
    hdr.biCompression = bpp == 16 ? BI_BITFIELDS : BI_RGB;
    hdr.biSizeImage = static_cast<DWORD>((static_cast<size_t>(s.width) * hdr.biBitCount + 31) / 32 * 4 * s.height);
    hdr.biClrUsed = 0;
    hdr.biClrImportant = 0;
    return 1;
  }
  DibLayout l;
  if (!DibParseInfo(reinterpret_cast<const BYTE*>(lpbmi), SIZE_MAX, &l) || l.compression == kDibRle8 ||
      l.compression == kDibRle4 || l.headerSize == 12)
    return Fail(ERROR_INVALID_PARAMETER);
  BYTE* tableOut = reinterpret_cast<BYTE*>(lpbmi) + l.colorTableOffset;
  const std::vector<RGBQUAD> table = TableFor(l.bitCount, s.bpp);
  if (!table.empty()) {
    std::memcpy(tableOut, table.data(), table.size() * sizeof(RGBQUAD));
    hdr.biClrUsed = 0;
  }
  hdr.biSizeImage = static_cast<DWORD>(l.imageBytes);
  if (!lpvBits) return 1;

  const int64_t first = start, last = std::min<int64_t>(int64_t(start) + cLines, l.height);
  if (last <= first) return 0;
  BYTE* out = static_cast<BYTE*>(lpvBits);
  const int w = std::min(l.width, s.width);
  for (int64_t scan = first; scan < last; ++scan) {
    BYTE* row = out + static_cast<size_t>(scan - first) * l.stride;
    std::memset(row, 0, l.stride);
    const int64_t y = l.topDown ? scan : l.height - 1 - scan;
    if (y >= s.height || !s.funcs) continue;
    if (CopyDirectRow(s, l, static_cast<int>(y), w, row)) continue;
    for (int x = 0; x < w; ++x) {
      const uint32_t pixel = s.funcs->get_pixel(s, x, static_cast<int>(y));
      const COLORREF c = s.PixelToColour(pixel);
      int index = 0;
      if (!table.empty()) {
        // Same depth: the bitmap's own index; else the nearest entry.
        if ((s.bpp == 1 && l.bitCount == 1) || (s.bpp == 8 && l.bitCount == 8))
          index = static_cast<int>(pixel);
        else
          index = static_cast<int>(NearestPaletteIndex(table.data(), static_cast<int>(table.size()), c));
      }
      PutDibPixel(l, row, x, c, table, index);
    }
  }
  return static_cast<int>(last - first);
}

int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi,
              UINT ColorUse) {
  BitmapObject* b = Lookup<BitmapObject>(hbm, OBJ_BITMAP);
  if (!b) return 0;
  Dib d;
  if (!d.Open(lpbmi, lpBits, ColorUse)) return Fail(ERROR_INVALID_PARAMETER);
  Surface& s = b->surface;
  const int64_t first = start, last = std::min<int64_t>(int64_t(start) + cLines, d.l.height);
  if (last <= first) return 0;
  const int w = std::min(d.l.width, s.width);
  if (w <= 0 || !s.funcs) return static_cast<int>(last - first);
  std::vector<uint32_t> rgb(static_cast<size_t>(w));
  std::vector<uint8_t> scratch(static_cast<size_t>(w) * 4 + 16);
  for (int64_t scan = first; scan < last; ++scan) {
    const int64_t y = d.l.topDown ? scan : d.l.height - 1 - scan;
    if (y >= s.height) continue;
    const BYTE* row = d.bits + static_cast<size_t>(scan - first) * d.l.stride;
    DibDecodeRow(d.l, d.table, row, 0, w, rgb.data());
    uint8_t* span = s.funcs->span_begin(s, 0, static_cast<int>(y), w, scratch.data());
    for (int x = 0; x < w; ++x)
      s.funcs->span_fill(span + static_cast<size_t>(x) * s.funcs->span_bytes, 1, s.ColourToPixel(ToColorref(rgb[x])));
    s.funcs->span_end(s, 0, static_cast<int>(y), w, span);
  }
  (void)hdc;
  return static_cast<int>(last - first);
}

HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD flInit, const void* pjBits,
                       const BITMAPINFO* pbmi, UINT iUsage) {
  if (!pbmih || pbmih->biWidth < 0 || pbmih->biHeight == INT_MIN) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HDC screen = nullptr;
  if (!hdc) hdc = screen = GetDC(nullptr);
  const int h = pbmih->biHeight < 0 ? -pbmih->biHeight : pbmih->biHeight;
  HBITMAP bmp = CreateCompatibleBitmap(hdc, pbmih->biWidth, h);
  if (bmp && (flInit & CBM_INIT) && pjBits && pbmi) {
    if (!SetDIBits(hdc, bmp, 0, static_cast<UINT>(h), pjBits, pbmi, iUsage)) {
      DeleteObject(bmp);
      bmp = nullptr;
    }
  }
  if (screen) ReleaseDC(nullptr, screen);
  return bmp;
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, void* hSection, DWORD offset) {
  if (ppvBits) *ppvBits = nullptr;
  DibLayout l;
  if (!pbmi || hSection || usage != DIB_RGB_COLORS ||
      !DibParseInfo(reinterpret_cast<const BYTE*>(pbmi), SIZE_MAX, &l)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // The section's memory is the bitmap's own, so only layouts that our
  // surfaces share are made: top-down rows whose DIB stride equals the
  // surface's, in a direct-colour format.
  // FIXME: bottom-up and palette sections.
  int bpp = 0;
  if (l.compression == kDibRgb && l.bitCount == 32) bpp = 32;
  if (l.compression == kDibRgb && l.bitCount == 24) bpp = 24;
  if (l.compression == kDibRgb && l.bitCount == 16) bpp = 15;
  if (l.compression == kDibBitfields && l.bitCount == 16 && l.masks[0] == 0xF800 && l.masks[1] == 0x07E0 &&
      l.masks[2] == 0x001F)
    bpp = 16;
  if (l.compression == kDibBitfields && l.bitCount == 32 && l.masks[0] == 0xFF0000 && l.masks[1] == 0xFF00 &&
      l.masks[2] == 0xFF)
    bpp = 32;
  if (!bpp || !l.topDown || static_cast<size_t>(Surface::StrideFor(l.width, bpp)) != l.stride) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto section = std::make_unique<DibSectionObject>();
  if (!section->surface.Create(l.width, l.height, bpp)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  void* bits = section->surface.bits;
  HBITMAP h = static_cast<HBITMAP>(AddObject(std::move(section)));
  if (h && ppvBits) *ppvBits = bits;
  (void)hdc;
  (void)offset;
  return h;
}
