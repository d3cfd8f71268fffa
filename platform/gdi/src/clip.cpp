// Clipping: the DC's clip region (device units) and the rectangle lists that
// every drawing call paints through.
#include <algorithm>
#include <climits>
#include <cmath>

#include "dc.h"

namespace kygdi {

const Region* ClipRegion(const DC& dc) { return dc.st.clip ? &*dc.st.clip : nullptr; }

std::vector<RECT> ClipRects(const DC& dc, const RECT& bounds) {
  const Surface& s = dc.Target();
  RECT r{std::max<LONG>(bounds.left, 0), std::max<LONG>(bounds.top, 0), std::min<LONG>(bounds.right, s.width),
         std::min<LONG>(bounds.bottom, s.height)};
  if (r.right <= r.left || r.bottom <= r.top) return {};
  if (!dc.st.clip) return {r};
  return dc.st.clip->RectsIn(r);
}

RECT DeviceClipBox(const DC& dc) {
  const Surface& s = dc.Target();
  RECT r{0, 0, s.width, s.height};
  if (dc.st.clip) {
    RECT c = dc.st.clip->Box();
    r = RECT{std::max(r.left, c.left), std::max(r.top, c.top), std::min(r.right, c.right),
             std::min(r.bottom, c.bottom)};
  }
  if (r.right <= r.left || r.bottom <= r.top) return RECT{0, 0, 0, 0};
  return r;
}

RECT GrowRect(const RECT& r, int64_t d) {
  auto clamp = [](int64_t v) { return LONG(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); };
  return RECT{clamp(r.left - d), clamp(r.top - d), clamp(r.right + d), clamp(r.bottom + d)};
}

void PaintSpan(DC& dc, int x, int y, int w, COLORREF colour) {
  Surface& s = dc.Target();
  if (w <= 0 || y < 0 || y >= s.height) return;
  // 64 bits: a span may start near INT_MAX.
  int64_t l = std::max<int64_t>(x, 0), r = std::min<int64_t>(int64_t(x) + w, s.width);
  if (r <= l) return;
  std::vector<RECT> rects = ClipRects(dc, RECT{LONG(l), y, LONG(r), y + 1});
  if (rects.empty()) return;
  s.funcs->solid_rects(s, rects.data(), int(rects.size()), 0, s.ColourToPixel(colour & 0xFFFFFF));
}

}  // namespace kygdi

using namespace kygdi;

namespace {
Region WholeSurface(const DC& dc) {
  const Surface& s = dc.Target();
  return Region(RECT{0, 0, s.width, s.height});
}
int ClipType(const DC& dc) {
  if (!dc.st.clip) return SIMPLEREGION;
  Region r = *dc.st.clip;
  r.Intersect(WholeSurface(dc));
  return r.Type();
}
}  // namespace

int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode) {
  DC* dc = LookupDC(hdc);
  if (!dc) return ERROR;
  if (!hrgn) {
    if (mode != RGN_COPY) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return ERROR;
    }
    dc->st.clip.reset();
    return SIMPLEREGION;
  }
  RegionObject* r = Lookup<RegionObject>(hrgn, OBJ_REGION);
  if (!r || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  if (mode == RGN_COPY) {
    dc->st.clip = r->rgn;
  } else {
    Region cur = dc->st.clip ? *dc->st.clip : WholeSurface(*dc);
    CombineRegions(cur, cur, &r->rgn, mode);
    dc->st.clip = cur;
  }
  return ClipType(*dc);
}

int SelectClipRgn(HDC hdc, HRGN hrgn) { return ExtSelectClipRgn(hdc, hrgn, RGN_COPY); }

int GetClipBox(HDC hdc, LPRECT lprect) {
  DC* dc = LookupDC(hdc);
  if (!dc || !lprect) return ERROR;
  Region vis = WholeSurface(*dc);
  if (dc->st.clip) vis.Intersect(*dc->st.clip);
  RECT b = vis.Box();
  POINT a = DeviceToLogical(*dc, POINT{b.left, b.top}), c = DeviceToLogical(*dc, POINT{b.right, b.bottom});
  *lprect = RECT{std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)};
  return vis.Type();
}

int GetClipRgn(HDC hdc, HRGN hrgn) {
  DC* dc = LookupDC(hdc);
  RegionObject* r = Lookup<RegionObject>(hrgn, OBJ_REGION);
  if (!dc || !r) return -1;
  if (!dc->st.clip) return 0;
  r->rgn = *dc->st.clip;
  return 1;
}

namespace {
int ClipRectOp(HDC hdc, int l, int t, int r, int b, int mode) {
  DC* dc = LookupDC(hdc);
  if (!dc) return ERROR;
  Region rect(LogicalRectToDevice(*dc, RECT{l, t, r, b}));
  Region cur = dc->st.clip ? *dc->st.clip : WholeSurface(*dc);
  CombineRegions(cur, cur, &rect, mode);
  dc->st.clip = cur;
  return ClipType(*dc);
}
}  // namespace

int IntersectClipRect(HDC hdc, int l, int t, int r, int b) { return ClipRectOp(hdc, l, t, r, b, RGN_AND); }
int ExcludeClipRect(HDC hdc, int l, int t, int r, int b) { return ClipRectOp(hdc, l, t, r, b, RGN_DIFF); }

int OffsetClipRgn(HDC hdc, int x, int y) {
  DC* dc = LookupDC(hdc);
  if (!dc) return ERROR;
  if (dc->st.clip) {
    // Truncated toward zero and held in range before the conversion.
    auto scaled = [](int v, double s) { return int(std::clamp(std::trunc(v * s), double(INT_MIN), double(INT_MAX))); };
    dc->st.clip->Offset(scaled(x, ScaleX(*dc)), scaled(y, ScaleY(*dc)));
  }
  return ClipType(*dc);
}

BOOL PtVisible(HDC hdc, int x, int y) {
  DC* dc = LookupDC(hdc);
  if (!dc) return -1;
  POINT p = LogicalToDevice(*dc, POINT{x, y});
  if (p.x == INT_MAX || p.y == INT_MAX) return FALSE;  // no surface reaches that far
  return ClipRects(*dc, RECT{p.x, p.y, p.x + 1, p.y + 1}).empty() ? FALSE : TRUE;
}

BOOL RectVisible(HDC hdc, const RECT* lprect) {
  DC* dc = LookupDC(hdc);
  if (!dc || !lprect) return FALSE;
  return ClipRects(*dc, LogicalRectToDevice(*dc, *lprect)).empty() ? FALSE : TRUE;
}
