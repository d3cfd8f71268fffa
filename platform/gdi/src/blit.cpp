// Block transfers. Every transfer is row by row over the clipped destination
// rectangles: the destination span, a source span converted into the
// destination's format (sampled when stretching), a pattern span from the
// realised brush, then the ROP3 on the bytes.
//
// Colour conversion between monochrome and colour follows the platform: a
// monochrome source drawn into colour takes the destination's text colour
// for 0 bits and its background colour for 1 bits; a colour source drawn
// into monochrome gives 1 where the pixel equals the source's background
// colour and 0 elsewhere.
#include <algorithm>
#include <climits>
#include <cstring>

#include "fill.h"

namespace kygdi {
namespace {

// Converts source pixel values into destination pixels.
class PixelConverter {
 public:
  PixelConverter(const Surface& src, const Surface& dst, const DC& dc, COLORREF src_bk)
      : src_(src), dst_(dst), same_(src.bpp == dst.bpp) {
    if (src.bpp == 1 && dst.bpp != 1) {
      mono_[0] = dst.ColourToPixel(ResolveColour(dc.st.text_colour));
      mono_[1] = dst.ColourToPixel(ResolveColour(dc.st.bk_colour));
    }
    src_bk_ = src.ColourToPixel(ResolveColour(src_bk));
  }
  uint32_t operator()(uint32_t v) {
    if (same_) return v;
    if (src_.bpp == 1) return mono_[v & 1];
    if (dst_.bpp == 1) return v == src_bk_ ? 1u : 0u;
    if (v != last_in_) {
      last_in_ = v;
      last_out_ = dst_.ColourToPixel(src_.PixelToColour(v));
    }
    return last_out_;
  }

 private:
  const Surface& src_;
  const Surface& dst_;
  bool same_;
  uint32_t mono_[2] = {0, 0};
  uint32_t src_bk_ = 0;
  uint32_t last_in_ = 0xFFFFFFFF, last_out_ = 0;
};

// A rectangle in 64 bits: extents of 32-bit corners reach 2^32.
struct Box64 {
  int64_t left, top, right, bottom;
  int64_t Width() const { return right - left; }
  int64_t Height() const { return bottom - top; }
};

// A mirrored rectangle (right < left) covers the pixels right + 1 .. left,
// as the reference rasterizer does: the start point stays inside.
Box64 Normalised(const RECT& r) {
  Box64 n{r.left, r.top, r.right, r.bottom};
  if (n.right < n.left) {
    int64_t t = n.left;
    n.left = n.right + 1;
    n.right = t + 1;
  }
  if (n.bottom < n.top) {
    int64_t t = n.top;
    n.top = n.bottom + 1;
    n.bottom = t + 1;
  }
  return n;
}

// Held inside the 32-bit range; the edge INT_MAX is past every surface.
RECT ToRect(const Box64& b) {
  auto c = [](int64_t v) { return LONG(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); };
  return RECT{c(b.left), c(b.top), c(b.right), c(b.bottom)};
}

}  // namespace

void FillRectsWithBrush(DC& dc, const std::vector<RECT>& rects, const RealisedBrush& brush, uint8_t rop3) {
  if (rects.empty()) return;
  Surface& s = dc.Target();
  const int B = s.funcs->span_bytes;
  if (brush.solid || !RopUsesPattern(rop3)) {
    // A solid pattern makes every ROP3 without a source an and/xor pair.
    uint32_t pm = PixelMask(s.bpp);
    uint32_t p = brush.solid ? brush.solid_pixel : 0;
    uint32_t r0 = Rop3Word<uint32_t>(rop3, p, 0, 0), r1 = Rop3Word<uint32_t>(rop3, p, 0, 0xFFFFFFFF);
    s.funcs->solid_rects(s, rects.data(), int(rects.size()), (r0 ^ r1) & pm, r0 & pm);
    return;
  }
  std::vector<uint8_t> pat, scratch, keep, mask;
  for (const RECT& r : rects) {
    int w = r.right - r.left;
    if (w <= 0) continue;
    pat.resize(size_t(w) * B);
    scratch.resize(size_t(w) * B);
    for (int y = r.top; y < r.bottom; ++y) {
      brush.PatternSpan(r.left, y, w, pat.data());
      uint8_t* d = s.funcs->span_begin(s, r.left, y, w, scratch.data());
      if (!brush.mask.empty()) {
        keep.assign(d, d + size_t(w) * B);
        mask.resize(size_t(w));
        brush.MaskSpan(r.left, y, w, mask.data());
      }
      Rop3Span(rop3, d, nullptr, pat.data(), size_t(w) * B);
      if (!brush.mask.empty())
        for (int i = 0; i < w; ++i)
          if (!mask[size_t(i)]) std::memcpy(d + size_t(i) * B, keep.data() + size_t(i) * B, size_t(B));
      s.funcs->span_end(s, r.left, y, w, d);
    }
  }
}

std::vector<RECT> ClipRegionRects(const DC& dc, const Region& area) {
  const Surface& s = dc.Target();
  Region r = area;
  r.Intersect(Region(RECT{0, 0, s.width, s.height}));
  if (const Region* clip = ClipRegion(dc)) r.Intersect(*clip);
  return r.Rects();
}

void FillRegionWithBrush(DC& dc, const Region& area, const BrushObject* brush, int rop2) {
  RealisedBrush rb = RealiseBrush(dc, brush);
  if (rb.null) return;
  FillRectsWithBrush(dc, ClipRegionRects(dc, area), rb, Rop2ToRop3(rop2));
}

void FillRegionSolid(DC& dc, const Region& area, COLORREF colour, int rop2) {
  std::vector<RECT> rects = ClipRegionRects(dc, area);
  if (rects.empty()) return;
  Surface& s = dc.Target();
  uint32_t a, x;
  Rop2Masks(rop2, s.ColourToPixel(ResolveColour(colour)), PixelMask(s.bpp), &a, &x);
  s.funcs->solid_rects(s, rects.data(), int(rects.size()), a, x);
}

BOOL BlitDevice(DC& dc, RECT dst, const BlitSource* src, DWORD rop_code) {
  uint8_t rop = Rop3Code(rop_code);
  Surface& ds = dc.Target();
  bool use_src = RopUsesSource(rop), use_pat = RopUsesPattern(rop);
  if (use_src && (!src || !src->surface)) return FALSE;
  bool flip_x = false, flip_y = false;
  Box64 sr{0, 0, 0, 0};
  if (use_src) {
    flip_x = (dst.right < dst.left) != (src->rect.right < src->rect.left);
    flip_y = (dst.bottom < dst.top) != (src->rect.bottom < src->rect.top);
    sr = Normalised(src->rect);
  }
  Box64 dr = Normalised(dst);
  const int64_t dw = dr.Width(), dh = dr.Height();
  if (dw == 0 || dh == 0) return TRUE;
  const Surface* ss = use_src ? src->surface : nullptr;
  const int64_t sw = sr.Width(), sh = sr.Height();
  bool stretch = use_src && (sw != dw || sh != dh || flip_x || flip_y);
  if (use_src && (sw == 0 || sh == 0)) return TRUE;
  if (use_src && !stretch) {
    // Only what the source has is copied: the destination shrinks with the
    // part of the source rectangle that lies outside the source bitmap.
    int64_t l = std::max<int64_t>(sr.left, 0), t = std::max<int64_t>(sr.top, 0);
    int64_t r = std::min<int64_t>(sr.right, ss->width), b = std::min<int64_t>(sr.bottom, ss->height);
    if (r <= l || b <= t) return TRUE;
    dr = Box64{dr.left + (l - sr.left), dr.top + (t - sr.top), dr.right - (sr.right - r), dr.bottom - (sr.bottom - b)};
    sr = Box64{l, t, r, b};
  }
  // The walk below covers only the clipped rectangles, whatever the extent.
  std::vector<RECT> rects = ClipRects(dc, ToRect(dr));
  if (rects.empty()) return TRUE;

  RealisedBrush brush;
  if (use_pat) {
    brush = RealiseBrush(dc, CurrentBrush(dc));
    if (brush.null) return TRUE;  // a hollow brush paints nothing
  }
  if (!use_src) {
    FillRectsWithBrush(dc, rects, use_pat ? brush : RealisedBrush{}, rop);
    return TRUE;
  }

  const int B = ds.funcs->span_bytes, SB = ss->funcs->span_bytes;
  PixelConverter convert(*ss, ds, dc, src->bk_colour);
  bool same_format = ss->bpp == ds.bpp && ss->bpp >= 8;
  bool same_surface = ss == &ds;
  std::vector<uint8_t> sbuf, srow, pbuf, scratch, keep, mask, comb;
  int mode = dc.st.stretch_mode;
  bool and_scans = mode == BLACKONWHITE, or_scans = mode == WHITEONBLACK;

  // Source column of destination column x (stretching): the pixel whose
  // centre maps nearest, mirrored when the signs of the widths differ.
  // 128-bit products: an index and an extent may each be near 2^32.
  auto src_col = [&](int x) {
    int64_t i = x - dr.left;
    if (flip_x) i = dw - 1 - i;
    int64_t v = sr.left + int64_t((__int128(2 * i + 1) * sw) / (2 * __int128(dw)));
    return int(std::clamp<int64_t>(v, 0, ss->width - 1));
  };
  auto src_row = [&](int y) {
    int64_t i = y - dr.top;
    if (flip_y) i = dh - 1 - i;
    int64_t v = sr.top + int64_t((__int128(2 * i + 1) * sh) / (2 * __int128(dh)));
    return int(std::clamp<int64_t>(v, 0, ss->height - 1));
  };
  // The range of source columns [first, last] that destination column x
  // covers when shrinking.
  auto src_range = [&](int64_t i0, int64_t n_dst, int64_t n_src, int64_t base) {
    int64_t a = base + int64_t(__int128(i0) * n_src / n_dst), b = base + int64_t(__int128(i0 + 1) * n_src / n_dst) - 1;
    return std::pair<int64_t, int64_t>(a, std::max(a, b));
  };

  for (const RECT& r : rects) {
    int w = r.right - r.left;
    sbuf.resize(size_t(w) * B);
    scratch.resize(size_t(w) * B);
    if (use_pat) pbuf.resize(size_t(w) * B);
    // Rows run bottom-up when the destination lies below its source in the same bitmap.
    bool reverse = same_surface && !stretch && dr.top > sr.top;
    for (int k = 0; k < r.bottom - r.top; ++k) {
      int y = reverse ? r.bottom - 1 - k : r.top + k;
      const uint8_t* s_span = nullptr;
      if (!stretch) {
        int sx = r.left - dr.left + sr.left, sy = y - dr.top + sr.top;
        if (same_format && !same_surface) {
          s_span = ss->Row(sy) + size_t(sx) * SB;
        } else if (same_format) {
          std::memcpy(sbuf.data(), ss->Row(sy) + size_t(sx) * SB, size_t(w) * B);
          s_span = sbuf.data();
        } else {
          srow.resize(size_t(w) * SB);
          ss->funcs->span_read(*ss, sx, sy, w, srow.data());
          for (int i = 0; i < w; ++i)
            ds.funcs->span_fill(sbuf.data() + size_t(i) * B, 1, convert(ss->funcs->span_pixel(srow.data(), i)));
          s_span = sbuf.data();
        }
      } else {
        // Rows of the source that this destination row takes.
        int rows_from, rows_to;
        if (sh > dh && (and_scans || or_scans)) {
          int64_t i = y - dr.top;
          if (flip_y) i = dh - 1 - i;
          auto rg = src_range(i, dh, sh, sr.top);
          rows_from = int(std::clamp<int64_t>(rg.first, 0, ss->height - 1));
          rows_to = int(std::clamp<int64_t>(rg.second, 0, ss->height - 1));
        } else {
          rows_from = rows_to = src_row(y);
        }
        srow.resize(size_t(ss->width) * SB);
        bool first = true;
        comb.resize(size_t(w));
        std::vector<uint32_t> vals(static_cast<size_t>(w));
        for (int sy = rows_from; sy <= rows_to; ++sy) {
          ss->funcs->span_read(*ss, 0, sy, ss->width, srow.data());
          for (int i = 0; i < w; ++i) {
            uint32_t v;
            if (sw > dw && (and_scans || or_scans)) {
              int64_t c = r.left + i - dr.left;
              if (flip_x) c = dw - 1 - c;
              auto rg = src_range(c, dw, sw, sr.left);
              int a = int(std::clamp<int64_t>(rg.first, 0, ss->width - 1));
              int b = int(std::clamp<int64_t>(rg.second, 0, ss->width - 1));
              v = ss->funcs->span_pixel(srow.data(), a);
              for (int q = a + 1; q <= b; ++q) {
                uint32_t u = ss->funcs->span_pixel(srow.data(), q);
                v = and_scans ? (v & u) : (v | u);
              }
            } else {
              v = ss->funcs->span_pixel(srow.data(), src_col(r.left + i));
            }
            if (first)
              vals[size_t(i)] = v;
            else
              vals[size_t(i)] = and_scans ? (vals[size_t(i)] & v) : (vals[size_t(i)] | v);
          }
          first = false;
        }
        for (int i = 0; i < w; ++i) ds.funcs->span_fill(sbuf.data() + size_t(i) * B, 1, convert(vals[size_t(i)]));
        s_span = sbuf.data();
      }
      uint8_t* d = ds.funcs->span_begin(ds, r.left, y, w, scratch.data());
      const uint8_t* p_span = nullptr;
      bool masked = use_pat && !brush.mask.empty();
      if (use_pat) {
        brush.PatternSpan(r.left, y, w, pbuf.data());
        p_span = pbuf.data();
        if (masked) {
          keep.assign(d, d + size_t(w) * B);
          mask.resize(size_t(w));
          brush.MaskSpan(r.left, y, w, mask.data());
        }
      }
      Rop3Span(rop, d, s_span, p_span, size_t(w) * B);
      if (masked)
        for (int i = 0; i < w; ++i)
          if (!mask[size_t(i)]) std::memcpy(d + size_t(i) * B, keep.data() + size_t(i) * B, size_t(B));
      ds.funcs->span_end(ds, r.left, y, w, d);
    }
  }
  return TRUE;
}

}  // namespace kygdi

using namespace kygdi;

namespace {
RECT DeviceRect(const DC& dc, int x, int y, int w, int h) {
  // x + w in 64 bits: the far corner may lie past INT_MAX.
  POINT a = LogicalToDevice(dc, POINT{x, y}), b = LogicalToDevice(dc, int64_t(x) + w, int64_t(y) + h);
  return RECT{a.x, a.y, b.x, b.y};
}
}  // namespace

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  DC* dc = LookupDC(hdc);
  if (!dc) return FALSE;
  if (RopUsesSource(Rop3Code(rop))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return BlitDevice(*dc, DeviceRect(*dc, x, y, w, h), nullptr, rop);
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop) {
  DC* dc = LookupDC(hdcDest);
  if (!dc) return FALSE;
  if (!RopUsesSource(Rop3Code(rop))) return PatBlt(hdcDest, xDest, yDest, wDest, hDest, rop);
  DC* sdc = LookupDC(hdcSrc);
  if (!sdc) return FALSE;
  BlitSource src;
  src.surface = &sdc->Target();
  src.rect = DeviceRect(*sdc, xSrc, ySrc, wSrc, hSrc);
  src.bk_colour = sdc->st.bk_colour;
  return BlitDevice(*dc, DeviceRect(*dc, xDest, yDest, wDest, hDest), &src, rop);
}

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
  DC* dc = LookupDC(hdc);
  if (!dc) return FALSE;
  if (!RopUsesSource(Rop3Code(rop))) return PatBlt(hdc, x, y, cx, cy, rop);
  DC* sdc = LookupDC(hdcSrc);
  if (!sdc) return FALSE;
  BlitSource src;
  src.surface = &sdc->Target();
  // The source has the destination's logical size, measured in its own mapping.
  src.rect = DeviceRect(*sdc, x1, y1, cx, cy);
  src.bk_colour = sdc->st.bk_colour;
  RECT d = DeviceRect(*dc, x, y, cx, cy);
  // Same device size in both: a plain copy even if the mappings flip y.
  int64_t dw = std::abs(int64_t(d.right) - d.left), dh = std::abs(int64_t(d.bottom) - d.top);
  int64_t sw = std::abs(int64_t(src.rect.right) - src.rect.left);
  int64_t sh = std::abs(int64_t(src.rect.bottom) - src.rect.top);
  if (dw == sw && dh == sh) {
    d = RECT{std::min(d.left, d.right), std::min(d.top, d.bottom), std::max(d.left, d.right),
             std::max(d.top, d.bottom)};
    src.rect = RECT{std::min(src.rect.left, src.rect.right), std::min(src.rect.top, src.rect.bottom),
                    std::max(src.rect.left, src.rect.right), std::max(src.rect.top, src.rect.bottom)};
  }
  return BlitDevice(*dc, d, &src, rop);
}
