// Block transfers: clip, realise, then call a column of the destination's
// table. A pattern alone is the pattern column (or the solid one for a
// solid brush); a source of the same format and size is the block copy
// column; everything else (stretching, converting, source and pattern
// together) goes row by row: the source row in the destination's span form
// (blit_source.h), the pattern span from the realised brush, then the ROP3
// on the bytes.
#include <algorithm>
#include <climits>
#include <cstring>

#include "blit_source.h"

namespace kygdi {
namespace {

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

// Fills the plan of a blit whose source (when the code uses one) is set;
// false when it draws nothing.
bool PlanBlit(const RECT& dst, const BlitSource* src, uint8_t rop, BlitPlan* plan) {
  plan->rop = rop;
  plan->use_src = RopUsesSource(rop);
  plan->use_pat = RopUsesPattern(rop);
  plan->dr = Normalised(dst);
  if (plan->dr.Width() == 0 || plan->dr.Height() == 0) return false;
  if (!plan->use_src) return true;
  const Surface& ss = *src->surface;
  plan->flip_x = (dst.right < dst.left) != (src->rect.right < src->rect.left);
  plan->flip_y = (dst.bottom < dst.top) != (src->rect.bottom < src->rect.top);
  Box64 sr = Normalised(src->rect), dr = plan->dr;
  if (sr.Width() == 0 || sr.Height() == 0 || ss.width == 0) return false;
  plan->stretch = sr.Width() != dr.Width() || sr.Height() != dr.Height() || plan->flip_x || plan->flip_y;
  if (!plan->stretch) {
    // Only what the source has is copied: the destination shrinks with the
    // part of the source rectangle that lies outside the source bitmap.
    int64_t l = std::max<int64_t>(sr.left, 0), t = std::max<int64_t>(sr.top, 0);
    int64_t r = std::min<int64_t>(sr.right, ss.width), b = std::min<int64_t>(sr.bottom, ss.height);
    if (r <= l || b <= t) return false;
    plan->dr = Box64{dr.left + (l - sr.left), dr.top + (t - sr.top), dr.right - (sr.right - r),
                     dr.bottom - (sr.bottom - b)};
    sr = Box64{l, t, r, b};
  }
  plan->sr = sr;
  return true;
}

// d = rop(pattern, s, d) over w pixels of row y; where the brush has a mask
// only the pixels it paints change.
class RopRow {
 public:
  RopRow(uint8_t rop, const RealisedBrush* brush, int span_bytes) : rop_(rop), brush_(brush), B_(size_t(span_bytes)) {}
  void Apply(uint8_t* d, const uint8_t* s, int x, int y, int w) {
    const size_t n = size_t(w) * B_;
    if (!brush_) {
      Rop3Span(rop_, d, s, nullptr, n);
      return;
    }
    pat_.resize(n);
    brush_->PatternSpan(x, y, w, pat_.data());
    if (brush_->mask.empty()) {
      Rop3Span(rop_, d, s, pat_.data(), n);
      return;
    }
    keep_.assign(d, d + n);
    mask_.resize(size_t(w));
    brush_->MaskSpan(x, y, w, mask_.data());
    Rop3Span(rop_, d, s, pat_.data(), n);
    for (int i = 0; i < w; ++i)
      if (!mask_[size_t(i)]) std::memcpy(d + size_t(i) * B_, keep_.data() + size_t(i) * B_, B_);
  }

 private:
  uint8_t rop_;
  const RealisedBrush* brush_;
  size_t B_;
  std::vector<uint8_t> pat_, keep_, mask_;
};

// The general blit, row by row. In one bitmap rows run bottom-up when the
// destination lies below its source (the source row is copied out first
// when it is the destination's own row).
void BlitRows(DC& dc, const BlitPlan& plan, const BlitSource& src, const RealisedBrush* brush,
              const std::vector<RECT>& rects) {
  Surface& ds = dc.Target();
  SourceRows source(dc, plan, src);
  RopRow rop(plan.rop, brush, ds.funcs->span_bytes);
  std::vector<uint8_t> scratch;
  const bool same = src.surface == &ds && !plan.stretch;
  const bool bottom_up = same && plan.dr.top > plan.sr.top;
  const bool backwards = bottom_up || (same && plan.dr.top == plan.sr.top && plan.dr.left > plan.sr.left);
  // Fast path: a plain copy between two formats converts each source row
  // straight into the destination's span.
  const bool direct = plan.rop == 0xCC && !brush && FastPathsEnabled();
  for (size_t i = 0; i < rects.size(); ++i) {
    const RECT& r = rects[backwards ? rects.size() - 1 - i : i];
    const int w = r.right - r.left;
    scratch.resize(size_t(w) * size_t(ds.funcs->span_bytes));
    for (int k = 0; k < r.bottom - r.top; ++k) {
      const int y = bottom_up ? r.bottom - 1 - k : r.top + k;
      uint8_t* d = ds.funcs->span_begin(ds, r.left, y, w, scratch.data());
      if (!direct || !source.RowInto(r.left, y, w, d)) rop.Apply(d, source.Row(r.left, y, w), r.left, y, w);
      ds.funcs->span_end(ds, r.left, y, w, d);
    }
  }
}

}  // namespace

void FillRectsWithBrush(DC& dc, const std::vector<RECT>& rects, const RealisedBrush& brush, uint8_t rop3) {
  if (rects.empty()) return;
  Surface& s = dc.Target();
  if (brush.solid || !RopUsesPattern(rop3)) {
    // A solid pattern makes every ROP3 without a source an and/xor pair.
    uint32_t pm = PixelMask(s.bpp);
    uint32_t p = brush.solid ? brush.solid_pixel : 0;
    uint32_t r0 = Rop3Word<uint32_t>(rop3, p, 0, 0), r1 = Rop3Word<uint32_t>(rop3, p, 0, 0xFFFFFFFF);
    s.funcs->solid_rects(s, rects.data(), int(rects.size()), (r0 ^ r1) & pm, r0 & pm);
    return;
  }
  s.funcs->pattern_rects(s, rects.data(), int(rects.size()), brush, rop3);
}

std::vector<RECT> ClipRegionRects(const DC& dc, const Region& area) {
  const Surface& s = dc.Target();
  Region r = area;
  r.Intersect(Region(RECT{0, 0, s.width, s.height}));
  if (const Region* clip = ClipRegion(dc)) r.Intersect(*clip);
  return r.Rects();
}

void FillRegionWithBrush(DC& dc, const Region& area, const BrushObject* brush, int rop2) {
  std::shared_ptr<const RealisedBrush> rb = RealiseBrush(dc, brush);
  if (rb->null) return;
  FillRectsWithBrush(dc, ClipRegionRects(dc, area), *rb, Rop2ToRop3(rop2));
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
  const uint8_t rop = Rop3Code(rop_code);
  if (RopUsesSource(rop) && (!src || !src->surface)) return FALSE;
  BlitPlan plan;
  if (!PlanBlit(dst, src, rop, &plan)) return TRUE;
  // The walk below covers only the clipped rectangles, whatever the extent.
  const std::vector<RECT> rects = ClipRects(dc, ToRect(plan.dr));
  if (rects.empty()) return TRUE;
  std::shared_ptr<const RealisedBrush> brush;
  if (plan.use_pat) {
    brush = RealiseBrush(dc, CurrentBrush(dc));
    if (brush->null) return TRUE;  // a hollow brush paints nothing
  }
  if (!plan.use_src) {
    // Both arms are lvalues, so the realised brush is passed, not a copy of
    // it (a copy would lose what the brush caches while drawing).
    const RealisedBrush none;
    FillRectsWithBrush(dc, rects, brush ? *brush : none, rop);
    return TRUE;
  }
  Surface& ds = dc.Target();
  const Surface& ss = *src->surface;
  if (!plan.stretch && !plan.use_pat && ss.funcs == ds.funcs) {
    // Inside both bitmaps, so the offset is a difference of two columns.
    const int dx = int(plan.sr.left - plan.dr.left), dy = int(plan.sr.top - plan.dr.top);
    ds.funcs->copy_rects(ds, rects.data(), int(rects.size()), ss, dx, dy, rop);
    return TRUE;
  }
  BlitRows(dc, plan, *src, brush.get(), rects);
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
