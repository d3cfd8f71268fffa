// GdiBlendRect and GdiBlendBlt: clip, pick the blend column once, then mix
// row by row straight in the destination's pixels.
#include <algorithm>

#include "blend.h"
#include "dc.h"
#include "gdiblend.h"
#include "objects.h"

using namespace kygdi;

namespace {

bool ValidRate(int rate) {
  if (rate >= 1 && rate <= 99) return true;
  SetLastError(ERROR_INVALID_PARAMETER);
  return false;
}

}  // namespace

BOOL GdiBlendRect(HDC hdc, const RECT* rect, COLORREF colour, int rate) {
  if (!rect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!ValidRate(rate)) return FALSE;
  DC* dc = LookupDC(hdc);
  if (!dc) return FALSE;
  Surface& s = dc->Target();
  const BlendSolidRow row = s.funcs ? FindBlendSolidRow(*s.funcs) : nullptr;
  if (!row) {
    // An empty surface has nothing to mix; a palette one cannot be mixed.
    if (s.width == 0 || s.height == 0) return TRUE;
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
  }
  const std::vector<RECT> rects = ClipRects(*dc, LogicalRectToDevice(*dc, *rect));
  const BlendShares shares(rate);
  const uint32_t pixel = s.ColourToPixel(colour & 0xFFFFFF);
  for (const RECT& r : rects)
    for (int y = r.top; y < r.bottom; ++y)
      row(s.Row(y) + size_t(r.left) * s.funcs->span_bytes, r.right - r.left, pixel, shares);
  return TRUE;
}

BOOL GdiBlendBlt(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc, HBITMAP hbmMask,
                 int rate) {
  if (!ValidRate(rate)) return FALSE;
  DC* dc = LookupDC(hdcDest);
  DC* sdc = LookupDC(hdcSrc);
  if (!dc || !sdc) return FALSE;
  Surface& ds = dc->Target();
  const Surface& ss = sdc->Target();
  const Surface* ms = nullptr;
  if (hbmMask) {
    const BitmapObject* mask = Lookup<BitmapObject>(hbmMask, OBJ_BITMAP);
    if (!mask) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    ms = &mask->surface;
  }
  if (cx <= 0 || cy <= 0 || ds.width == 0 || ds.height == 0 || ss.width == 0 || ss.height == 0) return TRUE;
  // A bitmap mixed into itself would read rows it has already written.
  if (ss.bpp != ds.bpp || (ms && ms->bpp != ds.bpp) || &ss == &ds) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const BlendCopyRow row = FindBlendCopyRow(*ds.funcs, ms != nullptr);
  if (!row) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
  }
  // Both corners in device units of their own DC; the source's device
  // rectangle is then cut to its bitmap (and the mask's), and the
  // destination shrinks with it.
  const POINT d0 = LogicalToDevice(*dc, POINT{x, y});
  const POINT s0 = LogicalToDevice(*sdc, POINT{xSrc, ySrc});
  int64_t sl = s0.x, st = s0.y, sr = int64_t(s0.x) + cx, sb = int64_t(s0.y) + cy;
  int64_t limit_w = ss.width, limit_h = ss.height;
  if (ms) limit_w = std::min<int64_t>(limit_w, ms->width), limit_h = std::min<int64_t>(limit_h, ms->height);
  const int64_t l = std::max<int64_t>(sl, 0), t = std::max<int64_t>(st, 0);
  const int64_t r = std::min<int64_t>(sr, limit_w), b = std::min<int64_t>(sb, limit_h);
  if (r <= l || b <= t) return TRUE;
  const int64_t dl = d0.x + (l - sl), dt = d0.y + (t - st);
  auto clamp = [](int64_t v) { return LONG(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
  const RECT dst{clamp(dl), clamp(dt), clamp(dl + (r - l)), clamp(dt + (b - t))};
  const int64_t dx = l - dl, dy = t - dt;  // source = destination + (dx, dy)
  const int B = ds.funcs->span_bytes;
  const BlendShares shares(rate);
  for (const RECT& c : ClipRects(*dc, dst)) {
    const int n = c.right - c.left;
    for (int yy = c.top; yy < c.bottom; ++yy) {
      const size_t sx = size_t(c.left + dx) * B;
      const int sy = int(yy + dy);
      row(ds.Row(yy) + size_t(c.left) * B, ss.Row(sy) + sx, ms ? ms->Row(sy) + sx : nullptr, n, shares);
    }
  }
  return TRUE;
}
