// The region calls: creation, combination and queries.
#include <algorithm>
#include <climits>
#include <cstring>

#include "dc.h"

using namespace kygdi;

namespace {
HRGN NewRegion(Region r) {
  auto o = std::make_unique<RegionObject>();
  o->rgn = std::move(r);
  return static_cast<HRGN>(AddObject(std::move(o)));
}
RECT Normal(int x1, int y1, int x2, int y2) {
  return RECT{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}
RegionObject* R(HRGN h) { return Lookup<RegionObject>(h, OBJ_REGION); }
}  // namespace

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) { return NewRegion(Region(Normal(x1, y1, x2, y2))); }
HRGN CreateRectRgnIndirect(const RECT* r) {
  return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : nullptr;
}
// An elliptic region leaves out the right and bottom of its box.
HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2) {
  RECT r = Normal(x1, y1, x2, y2);
  // Both edges at INT_MIN: nothing inside, and r.right - 1 would overflow.
  if (r.right == INT_MIN || r.bottom == INT_MIN) return NewRegion(Region());
  return NewRegion(Region::FromEllipse(RECT{r.left, r.top, r.right - 1, r.bottom - 1}));
}
HRGN CreateEllipticRgnIndirect(const RECT* r) {
  return r ? CreateEllipticRgn(r->left, r->top, r->right, r->bottom) : nullptr;
}

HRGN CreatePolyPolygonRgn(const POINT* pts, const INT* pc, int cPoly, int iMode) {
  if (!pts || !pc || cPoly <= 0 || (iMode != ALTERNATE && iMode != WINDING)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  for (int i = 0; i < cPoly; ++i)
    if (pc[i] < 0) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
  return NewRegion(Region::FromPolygons(pts, pc, cPoly, iMode));
}

// A region from its rectangles, as GetRegionData gives them. Only the
// identity transform is taken (nullptr or the unit matrix).
// FIXME: scaling, shearing and rotating transforms.
HRGN ExtCreateRegion(const XFORM* lpx, DWORD nCount, const RGNDATA* data) {
  const bool identity = !lpx || (lpx->eM11 == 1 && lpx->eM12 == 0 && lpx->eM21 == 0 && lpx->eM22 == 1 &&
                                 lpx->eDx == 0 && lpx->eDy == 0);
  if (!data || !identity || nCount < sizeof(RGNDATAHEADER) || data->rdh.dwSize != sizeof(RGNDATAHEADER) ||
      data->rdh.iType != RDH_RECTANGLES ||
      data->rdh.nCount > (nCount - sizeof(RGNDATAHEADER)) / sizeof(RECT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::vector<RECT> rects(data->rdh.nCount);
  if (!rects.empty()) std::memcpy(rects.data(), data->Buffer, rects.size() * sizeof(RECT));
  return NewRegion(Region::FromRects(rects));
}

HRGN CreatePolygonRgn(const POINT* pts, int c, int iMode) {
  if (c < 0) return nullptr;
  return CreatePolyPolygonRgn(pts, &c, 1, iMode);
}

int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode) {
  RegionObject *d = R(dst), *a = R(src1);
  if (!d || !a) return ERROR;
  RegionObject* b = nullptr;
  if (mode != RGN_COPY) {
    b = R(src2);
    if (!b) return ERROR;
  }
  return CombineRegions(d->rgn, a->rgn, b ? &b->rgn : nullptr, mode);
}

BOOL EqualRgn(HRGN h1, HRGN h2) {
  RegionObject *a = R(h1), *b = R(h2);
  if (!a || !b) return ERROR;
  return a->rgn.Equals(b->rgn) ? TRUE : FALSE;
}

int GetRgnBox(HRGN h, LPRECT lprc) {
  RegionObject* r = R(h);
  if (!r || !lprc) return ERROR;
  *lprc = r->rgn.Box();
  return r->rgn.Type();
}

int OffsetRgn(HRGN h, int x, int y) {
  RegionObject* r = R(h);
  if (!r) return ERROR;
  r->rgn.Offset(x, y);
  return r->rgn.Type();
}

BOOL PtInRegion(HRGN h, int x, int y) {
  RegionObject* r = R(h);
  return r && r->rgn.Contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN h, const RECT* rc) {
  RegionObject* r = R(h);
  if (!r || !rc) return FALSE;
  return r->rgn.Overlaps(Normal(rc->left, rc->top, rc->right, rc->bottom)) ? TRUE : FALSE;
}

BOOL SetRectRgn(HRGN h, int l, int t, int rr, int b) {
  RegionObject* r = R(h);
  if (!r) return FALSE;
  r->rgn = Region(Normal(l, t, rr, b));
  return TRUE;
}

DWORD GetRegionData(HRGN h, DWORD nCount, LPRGNDATA data) {
  RegionObject* r = R(h);
  if (!r) return 0;
  std::vector<RECT> rects = r->rgn.Rects();
  DWORD need = DWORD(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  if (!data) return need;
  if (nCount < need) return 0;
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = DWORD(rects.size());
  data->rdh.nRgnSize = DWORD(rects.size() * sizeof(RECT));
  data->rdh.rcBound = r->rgn.Box();
  if (!rects.empty()) std::memcpy(data->Buffer, rects.data(), rects.size() * sizeof(RECT));
  return need;
}
