// Selection of objects, the DC's attributes and SaveDC/RestoreDC.
#include "dc.h"
#include "stock.h"

namespace kygdi {
void ReleaseSelection(DC* dc, HGDIOBJ h);
void ReleaseState(DC* dc, const DCState& s);
void HoldState(const DCState& s);
}  // namespace kygdi

using namespace kygdi;

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
  DC* dc = LookupDC(hdc);
  GdiObject* o = LookupObject(h);
  if (!dc || !o) return nullptr;
  HGDIOBJ* slot = nullptr;
  switch (o->type) {
    case OBJ_PEN: slot = reinterpret_cast<HGDIOBJ*>(&dc->st.pen); break;
    case OBJ_BRUSH: slot = reinterpret_cast<HGDIOBJ*>(&dc->st.brush); break;
    case OBJ_FONT: slot = reinterpret_cast<HGDIOBJ*>(&dc->st.font); break;
    case OBJ_REGION: {
      int type = SelectClipRgn(hdc, static_cast<HRGN>(h));
      return type == ERROR ? HGDI_ERROR : reinterpret_cast<HGDIOBJ>(intptr_t(type));
    }
    case OBJ_BITMAP: {
      if (!dc->memory) return nullptr;
      auto* b = static_cast<BitmapObject*>(o);
      // The default 1 x 1 bitmap is shared by every memory DC; any other
      // bitmap belongs to one DC at a time.
      if (!b->stock && b->selected_in && b->selected_in != dc) return nullptr;
      if (!b->stock) b->selected_in = dc;
      slot = reinterpret_cast<HGDIOBJ*>(&dc->st.bitmap);
      // A new bitmap starts with the whole of it visible.
      if (h != *slot) dc->st.clip.reset();
      break;
    }
    default: return nullptr;
  }
  HGDIOBJ old = *slot;
  if (old == h) return old;
  NoteSelected(h);
  *slot = h;
  // The old object may die here (a deferred delete); its handle is still
  // what the caller gets back, as the platform does.
  ReleaseSelection(dc, old);
  return old;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  DC* dc = LookupDC(hdc);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN: return dc->st.pen;
    case OBJ_BRUSH: return dc->st.brush;
    case OBJ_FONT: return dc->st.font;
    case OBJ_BITMAP: return dc->st.bitmap;
    case OBJ_PAL: return dc->st.palette;
    default: return nullptr;
  }
}

int SaveDC(HDC hdc) {
  DC* dc = LookupDC(hdc);
  if (!dc) return 0;
  HoldState(dc->st);
  dc->saved.push_back(dc->st);
  return int(dc->saved.size());
}

BOOL RestoreDC(HDC hdc, int nSavedDC) {
  DC* dc = LookupDC(hdc);
  if (!dc) return FALSE;
  int depth = int(dc->saved.size());
  int target = nSavedDC < 0 ? depth + nSavedDC + 1 : nSavedDC;
  if (target < 1 || target > depth) return FALSE;
  while (int(dc->saved.size()) > target) {
    ReleaseState(dc, dc->saved.back());
    dc->saved.pop_back();
  }
  DCState restored = dc->saved.back();
  dc->saved.pop_back();
  // The restored state's objects were held by SaveDC; the current ones are let go.
  DCState current = dc->st;
  dc->st = restored;
  if (BitmapObject* b = Lookup<BitmapObject>(dc->st.bitmap, OBJ_BITMAP))
    if (!b->stock) b->selected_in = dc;
  ReleaseState(dc, current);
  return TRUE;
}

#define KY_DC_ATTR(Set, Get, field, type, bad)    \
  type Get(HDC hdc) {                             \
    DC* dc = LookupDC(hdc);                       \
    return dc ? type(dc->st.field) : type(bad);   \
  }

KY_DC_ATTR(SetROP2, GetROP2, rop2, int, 0)
KY_DC_ATTR(SetBkMode, GetBkMode, bk_mode, int, 0)
KY_DC_ATTR(SetBkColor, GetBkColor, bk_colour, COLORREF, CLR_INVALID)
KY_DC_ATTR(SetTextColor, GetTextColor, text_colour, COLORREF, CLR_INVALID)
KY_DC_ATTR(SetPolyFillMode, GetPolyFillMode, poly_fill_mode, int, 0)
KY_DC_ATTR(SetStretchBltMode, GetStretchBltMode, stretch_mode, int, 0)
KY_DC_ATTR(SetArcDirection, GetArcDirection, arc_direction, int, 0)
KY_DC_ATTR(SetDCBrushColor, GetDCBrushColor, dc_brush_colour, COLORREF, CLR_INVALID)
KY_DC_ATTR(SetDCPenColor, GetDCPenColor, dc_pen_colour, COLORREF, CLR_INVALID)

namespace {
template <class T, class V>
T SetField(HDC hdc, T DCState::*field, V value, bool ok, T bad) {
  DC* dc = LookupDC(hdc);
  if (!dc || !ok) {
    if (dc) SetLastError(ERROR_INVALID_PARAMETER);
    return bad;
  }
  T old = dc->st.*field;
  dc->st.*field = T(value);
  return old;
}
}  // namespace

int SetROP2(HDC hdc, int r) { return SetField(hdc, &DCState::rop2, r, r >= R2_BLACK && r <= R2_WHITE, 0); }
int SetBkMode(HDC hdc, int m) { return SetField(hdc, &DCState::bk_mode, m, m == TRANSPARENT || m == OPAQUE, 0); }
COLORREF SetBkColor(HDC hdc, COLORREF c) { return SetField(hdc, &DCState::bk_colour, c, true, COLORREF(CLR_INVALID)); }
COLORREF SetTextColor(HDC hdc, COLORREF c) {
  return SetField(hdc, &DCState::text_colour, c, true, COLORREF(CLR_INVALID));
}
int SetPolyFillMode(HDC hdc, int m) {
  return SetField(hdc, &DCState::poly_fill_mode, m, m == ALTERNATE || m == WINDING, 0);
}
int SetStretchBltMode(HDC hdc, int m) {
  return SetField(hdc, &DCState::stretch_mode, m, m >= BLACKONWHITE && m <= HALFTONE, 0);
}
int SetArcDirection(HDC hdc, int d) {
  return SetField(hdc, &DCState::arc_direction, d, d == AD_COUNTERCLOCKWISE || d == AD_CLOCKWISE, 0);
}
COLORREF SetDCBrushColor(HDC hdc, COLORREF c) {
  return SetField(hdc, &DCState::dc_brush_colour, c, true, COLORREF(CLR_INVALID));
}
COLORREF SetDCPenColor(HDC hdc, COLORREF c) {
  return SetField(hdc, &DCState::dc_pen_colour, c, true, COLORREF(CLR_INVALID));
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  DC* dc = LookupDC(hdc);
  if (!dc) return FALSE;
  if (lppt) *lppt = dc->st.brush_org;
  dc->st.brush_org = POINT{x, y};
  return TRUE;
}

BOOL GetBrushOrgEx(HDC hdc, LPPOINT lppt) {
  DC* dc = LookupDC(hdc);
  if (!dc || !lppt) return FALSE;
  *lppt = dc->st.brush_org;
  return TRUE;
}

COLORREF GetNearestColor(HDC hdc, COLORREF color) {
  DC* dc = LookupDC(hdc);
  if (!dc) return CLR_INVALID;
  const Surface& s = dc->Target();
  int bpp = dc->memory ? s.bpp : dc->device.bits_pixel;
  const Primitives* p = PrimitivesFor(bpp);
  if (!p || bpp == 0) return color & 0xFFFFFF;
  return p->pixel_to_colour(p->colour_to_pixel(color & 0xFFFFFF));
}

BOOL GdiFlush() { return TRUE; }

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
  DC* dc = LookupDC(hdc);
  if (!dc) return FALSE;
  if (lppt) *lppt = dc->st.cur_pos;
  dc->st.cur_pos = POINT{x, y};
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT lppt) {
  DC* dc = LookupDC(hdc);
  if (!dc || !lppt) return FALSE;
  *lppt = dc->st.cur_pos;
  return TRUE;
}
