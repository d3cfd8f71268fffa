// Map modes and the logical <-> device transform.
//
//   device = (logical - window_org) * viewport_ext / window_ext + viewport_org
//
// The fixed modes take their extents from the device's size in millimetres
// and pixels, with y growing upward (a negative viewport y extent).
// MM_ISOTROPIC starts with the extents of MM_LOMETRIC; MM_ANISOTROPIC keeps
// whatever extents the DC had.
#include <cmath>

#include <algorithm>
#include <climits>

#include "dc.h"

namespace kygdi {

namespace {
int Round(double v) { return int(std::floor(v + 0.5)); }

// A transformed coordinate that does not fit in 32 bits is held at the
// nearest end of the range, which lies far outside every surface; the
// conversion of an out-of-range double to int would be undefined.
int SaturatingRound(double v) {
  double r = std::floor(v + 0.5);
  if (!(r > double(INT_MIN))) return INT_MIN;
  if (r >= double(INT_MAX)) return INT_MAX;
  return int(r);
}
int Saturate(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

double Map(int64_t v, int from_org, int to_org, int from_ext, int to_ext) {
  return double(v - from_org) * to_ext / from_ext + to_org;
}

// In MM_ISOTROPIC one logical unit has the same physical size on both axes:
// the viewport extent of the axis with the larger unit shrinks to match.
void FixIsotropic(DC& dc) {
  Mapping& m = dc.st.map;
  const Device& d = dc.device;
  double xdim = std::fabs(double(m.viewport_ext.cx) * d.horz_size / (double(d.horz_res) * m.window_ext.cx));
  double ydim = std::fabs(double(m.viewport_ext.cy) * d.vert_size / (double(d.vert_res) * m.window_ext.cy));
  if (xdim > ydim) {
    int sign = (m.viewport_ext.cx < 0) ? -1 : 1;
    m.viewport_ext.cx = sign * std::max(1, Round(std::fabs(m.viewport_ext.cx * ydim / xdim)));
  } else if (ydim > xdim) {
    int sign = (m.viewport_ext.cy < 0) ? -1 : 1;
    m.viewport_ext.cy = sign * std::max(1, Round(std::fabs(m.viewport_ext.cy * xdim / ydim)));
  }
}
}  // namespace

POINT LogicalToDevice(const DC& dc, POINT p) { return LogicalToDevice(dc, int64_t(p.x), int64_t(p.y)); }

POINT LogicalToDevice(const DC& dc, int64_t x, int64_t y) {
  const Mapping& m = dc.st.map;
  if (m.mode == MM_TEXT)
    return POINT{Saturate(x - m.window_org.x + m.viewport_org.x), Saturate(y - m.window_org.y + m.viewport_org.y)};
  return POINT{SaturatingRound(Map(x, m.window_org.x, m.viewport_org.x, m.window_ext.cx, m.viewport_ext.cx)),
               SaturatingRound(Map(y, m.window_org.y, m.viewport_org.y, m.window_ext.cy, m.viewport_ext.cy))};
}

POINT DeviceToLogical(const DC& dc, POINT p) {
  const Mapping& m = dc.st.map;
  if (m.mode == MM_TEXT)
    return POINT{Saturate(int64_t(p.x) - m.viewport_org.x + m.window_org.x),
                 Saturate(int64_t(p.y) - m.viewport_org.y + m.window_org.y)};
  return POINT{SaturatingRound(Map(p.x, m.viewport_org.x, m.window_org.x, m.viewport_ext.cx, m.window_ext.cx)),
               SaturatingRound(Map(p.y, m.viewport_org.y, m.window_org.y, m.viewport_ext.cy, m.window_ext.cy))};
}

RECT LogicalRectToDevice(const DC& dc, const RECT& r) {
  POINT a = LogicalToDevice(dc, POINT{r.left, r.top}), b = LogicalToDevice(dc, POINT{r.right, r.bottom});
  return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

double ScaleX(const DC& dc) { return double(dc.st.map.viewport_ext.cx) / dc.st.map.window_ext.cx; }
double ScaleY(const DC& dc) { return double(dc.st.map.viewport_ext.cy) / dc.st.map.window_ext.cy; }

}  // namespace kygdi

using namespace kygdi;

int SetMapMode(HDC hdc, int mode) {
  DC* dc = LookupDC(hdc);
  if (!dc) return 0;
  if (mode < MM_TEXT || mode > MM_ANISOTROPIC) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  Mapping& m = dc->st.map;
  int old = m.mode;
  const Device& d = dc->device;
  SIZE vp{d.horz_res, -d.vert_res};
  switch (mode) {
    case MM_TEXT: m.window_ext = m.viewport_ext = SIZE{1, 1}; break;
    case MM_LOMETRIC:
    case MM_ISOTROPIC:
      m.window_ext = SIZE{d.horz_size * 10, d.vert_size * 10};
      m.viewport_ext = vp;
      break;
    case MM_HIMETRIC:
      m.window_ext = SIZE{d.horz_size * 100, d.vert_size * 100};
      m.viewport_ext = vp;
      break;
    case MM_LOENGLISH:
      m.window_ext = SIZE{MulDiv(1000, d.horz_size, 254), MulDiv(1000, d.vert_size, 254)};
      m.viewport_ext = vp;
      break;
    case MM_HIENGLISH:
      m.window_ext = SIZE{MulDiv(10000, d.horz_size, 254), MulDiv(10000, d.vert_size, 254)};
      m.viewport_ext = vp;
      break;
    case MM_TWIPS:
      m.window_ext = SIZE{MulDiv(14400, d.horz_size, 254), MulDiv(14400, d.vert_size, 254)};
      m.viewport_ext = vp;
      break;
    case MM_ANISOTROPIC: break;
  }
  m.mode = mode;
  return old;
}

int GetMapMode(HDC hdc) {
  DC* dc = LookupDC(hdc);
  return dc ? dc->st.map.mode : 0;
}

namespace {
BOOL GetPoint(HDC hdc, POINT Mapping::*f, LPPOINT out) {
  DC* dc = LookupDC(hdc);
  if (!dc || !out) return FALSE;
  *out = dc->st.map.*f;
  return TRUE;
}
BOOL GetSize(HDC hdc, SIZE Mapping::*f, LPSIZE out) {
  DC* dc = LookupDC(hdc);
  if (!dc || !out) return FALSE;
  *out = dc->st.map.*f;
  return TRUE;
}
BOOL SetPoint(HDC hdc, POINT Mapping::*f, int x, int y, LPPOINT old, bool offset) {
  DC* dc = LookupDC(hdc);
  if (!dc) return FALSE;
  POINT& p = dc->st.map.*f;
  if (old) *old = p;
  p = offset ? POINT{Saturate(int64_t(p.x) + x), Saturate(int64_t(p.y) + y)} : POINT{x, y};
  return TRUE;
}
BOOL SetExt(HDC hdc, SIZE Mapping::*f, int x, int y, LPSIZE old) {
  DC* dc = LookupDC(hdc);
  if (!dc) return FALSE;
  Mapping& m = dc->st.map;
  if (old) *old = m.*f;
  if (m.mode != MM_ISOTROPIC && m.mode != MM_ANISOTROPIC) return TRUE;  // fixed modes ignore it
  if (x == 0 || y == 0) return FALSE;
  m.*f = SIZE{x, y};
  if (m.mode == MM_ISOTROPIC) FixIsotropic(*dc);
  return TRUE;
}
BOOL ScaleExt(HDC hdc, SIZE Mapping::*f, int xn, int xd, int yn, int yd, LPSIZE old) {
  DC* dc = LookupDC(hdc);
  if (!dc || xd == 0 || yd == 0) return FALSE;
  SIZE s = dc->st.map.*f;
  if (old) *old = s;
  return SetExt(hdc, f, MulDiv(s.cx, xn, xd), MulDiv(s.cy, yn, yd), nullptr);
}
}  // namespace

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) { return SetPoint(hdc, &Mapping::window_org, x, y, lppt, false); }
BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppt) { return GetPoint(hdc, &Mapping::window_org, lppt); }
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return SetPoint(hdc, &Mapping::viewport_org, x, y, lppt, false);
}
BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppt) { return GetPoint(hdc, &Mapping::viewport_org, lppt); }
BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return SetPoint(hdc, &Mapping::window_org, x, y, lppt, true);
}
BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return SetPoint(hdc, &Mapping::viewport_org, x, y, lppt, true);
}
BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz) { return SetExt(hdc, &Mapping::window_ext, x, y, lpsz); }
BOOL GetWindowExtEx(HDC hdc, LPSIZE lpsz) { return GetSize(hdc, &Mapping::window_ext, lpsz); }
BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz) { return SetExt(hdc, &Mapping::viewport_ext, x, y, lpsz); }
BOOL GetViewportExtEx(HDC hdc, LPSIZE lpsz) { return GetSize(hdc, &Mapping::viewport_ext, lpsz); }
BOOL ScaleWindowExtEx(HDC hdc, int xn, int xd, int yn, int yd, LPSIZE lpsz) {
  return ScaleExt(hdc, &Mapping::window_ext, xn, xd, yn, yd, lpsz);
}
BOOL ScaleViewportExtEx(HDC hdc, int xn, int xd, int yn, int yd, LPSIZE lpsz) {
  return ScaleExt(hdc, &Mapping::viewport_ext, xn, xd, yn, yd, lpsz);
}

BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c) {
  DC* dc = LookupDC(hdc);
  if (!dc || (!lppt && c > 0) || c < 0) return FALSE;
  for (int i = 0; i < c; ++i) lppt[i] = LogicalToDevice(*dc, lppt[i]);
  return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c) {
  DC* dc = LookupDC(hdc);
  if (!dc || (!lppt && c > 0) || c < 0) return FALSE;
  for (int i = 0; i < c; ++i) lppt[i] = DeviceToLogical(*dc, lppt[i]);
  return TRUE;
}
