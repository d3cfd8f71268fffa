// Filled shapes, the user interface's rectangle helpers, and pixels.
//
// Rectangle(l, t, r, b) with a one-pixel pen outlines the pixels l..r-1 and
// t..b-1 and fills inside the outline; with the null pen it fills l..r-2 and
// t..b-2, one pixel less on the right and bottom, as the platform does.
// An ellipse covers the pixels l..r-1, t..b-1 of Region::FromEllipse with
// either pen.
//
// Shapes may be far larger than the surface (a map zoomed in, coordinates
// near the ends of the 32-bit range): their areas are made only inside the
// DC's clip box grown by two pixels, which keeps every visible pixel, and
// the outline of such a cut area (Region::Outline) differs from the whole
// one only on the grown border, outside the box. FIXME: arcs differ from the reference near their end radial
// (see tests/gdi/conformance).
#include <algorithm>
#include <climits>
#include <cmath>

#include "fill.h"
#include "pen_draw.h"

using namespace kygdi;

namespace {

RECT NormalBox(const DC& dc, int l, int t, int r, int b) { return LogicalRectToDevice(dc, RECT{l, t, r, b}); }

bool EmptyBox(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// Where a shape's area is made: the visible box and a margin (see above).
RECT ShapeLimit(const DC& dc) {
  RECT box = DeviceClipBox(dc);
  return EmptyBox(box) ? box : GrowRect(box, 2);
}

LONG Clamp32(int64_t v) { return LONG(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

bool NullPen(const DC& dc) {
  PenObject* p = CurrentPen(dc);
  return !p || p->Kind() == PS_NULL;
}

// Fills the interior with the brush, then the ring with the pen.
void PaintShape(DC& dc, const Region& interior, const Region& ring) {
  FillRegionWithBrush(dc, interior, CurrentBrush(dc), dc.st.rop2);
  StrokeRegion(dc, ring);
}

// The ring a pen of width w makes around a shape made by make(box).
// shrink_null: the null pen takes one pixel off the right and bottom, as it
// does for rectangles (an ellipse keeps its box on the reference rasterizer).
// make(box, limit) gives the shape's area inside limit.
template <class Make>
void PenShape(DC& dc, RECT box, Make make, bool shrink_null = true) {
  RECT limit = ShapeLimit(dc);
  if (EmptyBox(limit)) return;
  if (NullPen(dc)) {
    Region area = shrink_null ? make(RECT{box.left, box.top, box.right - 1, box.bottom - 1}, limit) : make(box, limit);
    FillRegionWithBrush(dc, area, CurrentBrush(dc), dc.st.rop2);
    return;
  }
  int w = PenDeviceWidth(dc, *CurrentPen(dc));
  if (w <= 1) {
    Region area = make(box, limit);
    Region ring = Region::Outline(area);
    Region inside(area);
    inside.Subtract(ring);
    PaintShape(dc, inside, ring);
    return;
  }
  // A wide pen is centred on the outline, except PS_INSIDEFRAME, which keeps
  // it inside the box.
  int lo = (w - 1) / 2, hi = w / 2;
  if (CurrentPen(dc)->Kind() == PS_INSIDEFRAME) lo = hi = 0;
  // 64 bits, then held in range: a wide pen may take a far edge past it.
  int64_t ol = int64_t(box.left) - lo, ot = int64_t(box.top) - lo;
  int64_t orr = int64_t(box.right) + hi, ob = int64_t(box.bottom) + hi;
  RECT outer{Clamp32(ol), Clamp32(ot), Clamp32(orr), Clamp32(ob)};
  RECT inner{Clamp32(ol + w), Clamp32(ot + w), Clamp32(orr - w), Clamp32(ob - w)};
  Region ring = make(outer, limit);
  Region inside = make(inner, limit);
  ring.Subtract(inside);
  PaintShape(dc, inside, ring);
}

Region RectArea(const RECT& r, const RECT& limit) {
  Region a(r);
  a.Intersect(Region(limit));
  return a;
}

// ew, eh: the corner ellipse's size, at least 0.
Region RoundRectArea(const RECT& r, int64_t ew, int64_t eh, const RECT& limit) {
  if (EmptyBox(r)) return Region();
  ew = std::min<int64_t>(ew, int64_t(r.right) - r.left);
  eh = std::min<int64_t>(eh, int64_t(r.bottom) - r.top);
  if (ew < 2 || eh < 2) return RectArea(r, limit);
  // 64 bits: the corner may be up to 2^32 wide; every sum lies between the
  // box's own edges, so it fits a LONG again.
  const int64_t l = r.left, t = r.top, rr = r.right, b = r.bottom;
  auto box = [](int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    return RECT{LONG(x0), LONG(y0), LONG(x1), LONG(y1)};
  };
  Region a(box(l + ew / 2, t, rr - ew / 2, b));
  a.Unite(Region(box(l, t + eh / 2, rr, b - eh / 2)));
  a.Unite(Region::FromEllipse(box(l, t, l + ew, t + eh), &limit));
  a.Unite(Region::FromEllipse(box(rr - ew, t, rr, t + eh), &limit));
  a.Unite(Region::FromEllipse(box(l, b - eh, l + ew, b), &limit));
  a.Unite(Region::FromEllipse(box(rr - ew, b - eh, rr, b), &limit));
  a.Intersect(Region(limit));
  return a;
}

// The pixels of area whose angle around the box centre lies on the arc from
// the start radial to the end radial, counter-clockwise on the screen (or
// clockwise). Equal radials take the whole ellipse.
// The area is already cut to the clip box, so the walk over its pixels
// costs what the visible part costs.
Region ArcPart(const Region& area, const RECT& box, POINT start, POINT end, bool clockwise) {
  double cx = (double(box.left) + box.right) / 2.0, cy = (double(box.top) + box.bottom) / 2.0;
  double a0 = std::atan2(-(start.y - cy), start.x - cx), a1 = std::atan2(-(end.y - cy), end.x - cx);
  if (clockwise) std::swap(a0, a1);
  const double two_pi = 2 * M_PI;
  double sweep = std::fmod(a1 - a0 + 2 * two_pi, two_pi);
  if (sweep == 0) return area;
  std::vector<RECT> spans;
  for (const RECT& r : area.Rects())
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        double a = std::atan2(-(y + 0.5 - cy), x + 0.5 - cx);
        if (std::fmod(a - a0 + 2 * two_pi, two_pi) <= sweep) {
          if (!spans.empty() && spans.back().top == y && spans.back().right == x)
            spans.back().right = x + 1;
          else
            spans.push_back(RECT{x, y, x + 1, y + 1});
        }
      }
  return Region::FromRects(spans);
}

enum class ArcKind { kArc, kPie, kChord };

BOOL ArcShape(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, ArcKind kind) {
  DC* dc = LookupDC(hdc);
  if (!dc) return FALSE;
  RECT box = NormalBox(*dc, x1, y1, x2, y2);
  if (EmptyBox(box)) return TRUE;
  RECT limit = ShapeLimit(*dc);
  if (EmptyBox(limit)) return TRUE;
  POINT s = LogicalToDevice(*dc, POINT{x3, y3}), e = LogicalToDevice(*dc, POINT{x4, y4});
  bool cw = dc->st.arc_direction == AD_CLOCKWISE;
  Region ellipse = Region::FromEllipse(box, &limit);
  Region ring = Region::Outline(ellipse);
  PenObject* pen = CurrentPen(*dc);
  int w = pen ? PenDeviceWidth(*dc, *pen) : 1;
  if (w > 1) {
    int64_t lo = (w - 1) / 2, hi = w / 2;
    int64_t ol = box.left - lo, ot = box.top - lo, orr = box.right + hi, ob = box.bottom + hi;
    ring = Region::FromEllipse(RECT{Clamp32(ol), Clamp32(ot), Clamp32(orr), Clamp32(ob)}, &limit);
    ring.Subtract(
        Region::FromEllipse(RECT{Clamp32(ol + w), Clamp32(ot + w), Clamp32(orr - w), Clamp32(ob - w)}, &limit));
  }
  Region arc = ArcPart(ring, box, s, e, cw);
  if (kind == ArcKind::kArc) {
    StrokeRegion(*dc, arc);
    return TRUE;
  }
  // The ends of the arc on the ellipse, for the straight sides.
  double cx = (double(box.left) + box.right) / 2.0, cy = (double(box.top) + box.bottom) / 2.0;
  double ax = (double(box.right) - box.left) / 2.0, ay = (double(box.bottom) - box.top) / 2.0;
  auto on_ellipse = [&](POINT p) {
    double a = std::atan2(p.y - cy, p.x - cx);
    return POINT{LONG(std::lround(cx + ax * std::cos(a) - 0.5)), LONG(std::lround(cy + ay * std::sin(a) - 0.5))};
  };
  POINT ps = on_ellipse(s), pe = on_ellipse(e);
  Region inside(ellipse);
  inside.Subtract(ring);
  if (kind == ArcKind::kPie) {
    inside = ArcPart(inside, box, s, e, cw);
  } else {
    // The chord keeps the side of the line start -> end that the arc lies on.
    double dx = double(pe.x) - ps.x, dy = double(pe.y) - ps.y;
    std::vector<RECT> spans;
    for (const RECT& r : inside.Rects())
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
          double side = dx * (double(y) - ps.y) - dy * (double(x) - ps.x);
          if (cw ? side >= 0 : side <= 0) spans.push_back(RECT{x, y, x + 1, y + 1});
        }
    inside = Region::FromRects(spans);
  }
  FillRegionWithBrush(*dc, inside, CurrentBrush(*dc), dc->st.rop2);
  StrokeRegion(*dc, arc);
  std::vector<POINT> sides = kind == ArcKind::kPie ? std::vector<POINT>{pe, POINT{LONG(cx), LONG(cy)}, ps}
                                                   : std::vector<POINT>{pe, ps};
  StrokeDevicePolyline(*dc, sides, false);
  return TRUE;
}

BOOL FillDeviceRect(DC& dc, const RECT& r, const BrushObject* brush, DWORD rop) {
  std::shared_ptr<const RealisedBrush> rb = RealiseBrush(dc, brush);
  if (rb->null) return TRUE;
  FillRectsWithBrush(dc, ClipRects(dc, r), *rb, Rop3Code(rop));
  return TRUE;
}

}  // namespace

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  DC* dc = LookupDC(hdc);
  if (!dc) return FALSE;
  RECT box = NormalBox(*dc, left, top, right, bottom);
  if (EmptyBox(box)) return TRUE;
  PenObject* pen = CurrentPen(*dc);
  if (pen && pen->Kind() != PS_NULL && pen->Kind() != PS_INSIDEFRAME && PenDeviceWidth(*dc, *pen) > 1) {
    // A wide pen strokes the outline as a closed path, so its round joins
    // round the corners; the brush fills inside the path first.
    FillRegionWithBrush(*dc, Region(RECT{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}),
                        CurrentBrush(*dc), dc->st.rop2);
    StrokeDevicePolyline(*dc,
                         {POINT{box.left, box.top}, POINT{box.right - 1, box.top}, POINT{box.right - 1, box.bottom - 1},
                          POINT{box.left, box.bottom - 1}},
                         true);
    return TRUE;
  }
  PenShape(*dc, box, RectArea);
  return TRUE;
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
  DC* dc = LookupDC(hdc);
  if (!dc) return FALSE;
  RECT box = NormalBox(*dc, left, top, right, bottom);
  if (EmptyBox(box)) return TRUE;
  // Held below 2^33, more than any box is wide, before the conversion.
  auto corner = [](int v, double scale) {
    return int64_t(std::min(std::round(std::fabs(double(v)) * std::fabs(scale)), 8589934592.0));
  };
  int64_t ew = corner(width, ScaleX(*dc)), eh = corner(height, ScaleY(*dc));
  PenShape(*dc, box, [&](const RECT& r, const RECT& limit) { return RoundRectArea(r, ew, eh, limit); });
  return TRUE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  DC* dc = LookupDC(hdc);
  if (!dc) return FALSE;
  RECT box = NormalBox(*dc, left, top, right, bottom);
  if (EmptyBox(box)) return TRUE;
  PenShape(*dc, box, [](const RECT& r, const RECT& limit) { return Region::FromEllipse(r, &limit); }, false);
  return TRUE;
}

BOOL Arc(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ArcShape(hdc, x1, y1, x2, y2, x3, y3, x4, y4, ArcKind::kArc);
}
BOOL Pie(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ArcShape(hdc, x1, y1, x2, y2, x3, y3, x4, y4, ArcKind::kPie);
}
BOOL Chord(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ArcShape(hdc, x1, y1, x2, y2, x3, y3, x4, y4, ArcKind::kChord);
}

BOOL PolyPolygon(HDC hdc, const POINT* apt, const INT* asz, int csz) {
  DC* dc = LookupDC(hdc);
  if (!dc || !apt || !asz || csz <= 0) return FALSE;
  size_t total = 0;
  for (int i = 0; i < csz; ++i) {
    if (asz[i] < 2) return FALSE;
    total += size_t(asz[i]);
  }
  std::vector<POINT> dev(total);
  for (size_t i = 0; i < total; ++i) dev[i] = LogicalToDevice(*dc, apt[i]);
  // Only the rows and columns of the clip box are scanned, so the cost does
  // not grow with the size of the polygon.
  RECT box = GrowRect(DeviceClipBox(*dc), 1);
  Region area = Region::FromPolygons(dev.data(), asz, csz, dc->st.poly_fill_mode, box.top, box.bottom, box.left,
                                     box.right);
  FillRegionWithBrush(*dc, area, CurrentBrush(*dc), dc->st.rop2);
  size_t at = 0;
  for (int i = 0; i < csz; ++i) {
    std::vector<POINT> poly(dev.begin() + long(at), dev.begin() + long(at + size_t(asz[i])));
    StrokeDevicePolyline(*dc, poly, true);
    at += size_t(asz[i]);
  }
  return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* apt, int cpt) {
  if (cpt < 2) return FALSE;
  return PolyPolygon(hdc, apt, &cpt, 1);
}

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  DC* dc = LookupDC(hDC);
  if (!dc || !lprc) return FALSE;
  // A small number names a system colour brush: COLOR_xxx + 1.
  BrushObject* brush = Lookup<BrushObject>(hbr, OBJ_BRUSH);
  if (!brush && reinterpret_cast<uintptr_t>(hbr) > 0 && reinterpret_cast<uintptr_t>(hbr) <= 31)
    brush = Lookup<BrushObject>(GetSysColorBrush(int(reinterpret_cast<uintptr_t>(hbr)) - 1), OBJ_BRUSH);
  if (!brush) return FALSE;
  return FillDeviceRect(*dc, LogicalRectToDevice(*dc, *lprc), brush, PATCOPY);
}

int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  DC* dc = LookupDC(hDC);
  BrushObject* brush = Lookup<BrushObject>(hbr, OBJ_BRUSH);
  if (!dc || !lprc || !brush) return FALSE;
  RECT r = LogicalRectToDevice(*dc, *lprc);
  if (r.right <= r.left || r.bottom <= r.top) return TRUE;
  Region ring(r);
  ring.Subtract(Region(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}));
  std::shared_ptr<const RealisedBrush> rb = RealiseBrush(*dc, brush);
  if (!rb->null) FillRectsWithBrush(*dc, ClipRegionRects(*dc, ring), *rb, Rop3Code(PATCOPY));
  return TRUE;
}

BOOL InvertRect(HDC hDC, const RECT* lprc) {
  DC* dc = LookupDC(hDC);
  if (!dc || !lprc) return FALSE;
  return BlitDevice(*dc, LogicalRectToDevice(*dc, *lprc), nullptr, DSTINVERT);
}

BOOL DrawFocusRect(HDC hDC, const RECT* lprc) {
  DC* dc = LookupDC(hDC);
  if (!dc || !lprc) return FALSE;
  // A dotted frame XORed on: every other pixel of the border, so that a
  // second call takes it away.
  RECT r = LogicalRectToDevice(*dc, *lprc);
  if (r.right <= r.left || r.bottom <= r.top) return TRUE;
  Region ring(r);
  ring.Subtract(Region(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}));
  std::vector<RECT> dots;
  for (const RECT& b : ClipRegionRects(*dc, ring))
    for (int y = b.top; y < b.bottom; ++y)
      for (int x = b.left; x < b.right; ++x)
        if (((x + y) & 1) == 0) dots.push_back(RECT{x, y, x + 1, y + 1});
  Surface& s = dc->Target();
  s.funcs->solid_rects(s, dots.data(), int(dots.size()), PixelMask(s.bpp), PixelMask(s.bpp));
  return TRUE;
}

BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT flags) {
  DC* dc = LookupDC(hdc);
  if (!dc || !qrc) return FALSE;
  // Colours of the outer and inner borders, top-left then bottom-right.
  COLORREF outer_tl = 0, outer_br = 0, inner_tl = 0, inner_br = 0;
  bool has_outer = edge & BDR_OUTER, has_inner = edge & BDR_INNER;
  if (flags & BF_MONO) {
    outer_tl = outer_br = GetSysColor(COLOR_WINDOWFRAME);
    inner_tl = inner_br = GetSysColor(COLOR_WINDOW);
  } else if (flags & BF_FLAT) {
    outer_tl = outer_br = GetSysColor(COLOR_BTNSHADOW);
    inner_tl = inner_br = GetSysColor(COLOR_BTNFACE);
  } else {
    if (edge & BDR_RAISEDOUTER) {
      outer_tl = GetSysColor(COLOR_3DLIGHT);
      outer_br = GetSysColor(COLOR_3DDKSHADOW);
    } else if (edge & BDR_SUNKENOUTER) {
      outer_tl = GetSysColor(COLOR_BTNSHADOW);
      outer_br = GetSysColor(COLOR_BTNHIGHLIGHT);
    }
    if (edge & BDR_RAISEDINNER) {
      inner_tl = GetSysColor(COLOR_BTNHIGHLIGHT);
      inner_br = GetSysColor(COLOR_BTNSHADOW);
    } else if (edge & BDR_SUNKENINNER) {
      inner_tl = GetSysColor(COLOR_3DDKSHADOW);
      inner_br = GetSysColor(COLOR_3DLIGHT);
    }
  }
  RECT r = *qrc;
  auto line = [&](int l, int t, int rr, int b, COLORREF c) {
    BrushObject brush;
    brush.colour = c;
    FillDeviceRect(*dc, LogicalRectToDevice(*dc, RECT{l, t, rr, b}), &brush, PATCOPY);
  };
  auto border = [&](COLORREF tl, COLORREF br) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    if (flags & BF_LEFT) line(r.left, r.top, r.left + 1, r.bottom, tl);
    if (flags & BF_TOP) line(r.left, r.top, r.right, r.top + 1, tl);
    if (flags & BF_RIGHT) line(r.right - 1, r.top, r.right, r.bottom, br);
    if (flags & BF_BOTTOM) line(r.left, r.bottom - 1, r.right, r.bottom, br);
    if (flags & BF_LEFT) ++r.left;
    if (flags & BF_TOP) ++r.top;
    if (flags & BF_RIGHT) --r.right;
    if (flags & BF_BOTTOM) --r.bottom;
  };
  if (has_outer) border(outer_tl, outer_br);
  if (has_inner) border(inner_tl, inner_br);
  if ((flags & BF_MIDDLE) && r.right > r.left && r.bottom > r.top)
    line(r.left, r.top, r.right, r.bottom, (flags & BF_MONO) ? GetSysColor(COLOR_WINDOW) : GetSysColor(COLOR_BTNFACE));
  if (flags & BF_ADJUST) *qrc = r;
  return TRUE;
}

BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr) {
  DC* dc = LookupDC(hdc);
  RegionObject* rgn = Lookup<RegionObject>(hrgn, OBJ_REGION);
  BrushObject* brush = Lookup<BrushObject>(hbr, OBJ_BRUSH);
  if (!dc || !rgn || !brush) return FALSE;
  std::shared_ptr<const RealisedBrush> rb = RealiseBrush(*dc, brush);
  if (!rb->null) FillRectsWithBrush(*dc, ClipRegionRects(*dc, rgn->rgn), *rb, Rop3Code(PATCOPY));
  return TRUE;
}

BOOL PaintRgn(HDC hdc, HRGN hrgn) {
  DC* dc = LookupDC(hdc);
  RegionObject* rgn = Lookup<RegionObject>(hrgn, OBJ_REGION);
  if (!dc || !rgn) return FALSE;
  FillRegionWithBrush(*dc, rgn->rgn, CurrentBrush(*dc), dc->st.rop2);
  return TRUE;
}

BOOL InvertRgn(HDC hdc, HRGN hrgn) {
  DC* dc = LookupDC(hdc);
  RegionObject* rgn = Lookup<RegionObject>(hrgn, OBJ_REGION);
  if (!dc || !rgn) return FALSE;
  std::vector<RECT> rects = ClipRegionRects(*dc, rgn->rgn);
  Surface& s = dc->Target();
  s.funcs->solid_rects(s, rects.data(), int(rects.size()), PixelMask(s.bpp), PixelMask(s.bpp));
  return TRUE;
}

BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h) {
  DC* dc = LookupDC(hdc);
  RegionObject* rgn = Lookup<RegionObject>(hrgn, OBJ_REGION);
  BrushObject* brush = Lookup<BrushObject>(hbr, OBJ_BRUSH);
  if (!dc || !rgn || !brush || w <= 0 || h <= 0) return FALSE;
  Region inner(rgn->rgn);
  // The nine offsets listed, not stepped: dx += w would overflow past INT_MAX.
  for (int dx : {-w, 0, w})
    for (int dy : {-h, 0, h}) {
      Region s(rgn->rgn);
      s.Offset(dx, dy);
      inner.Intersect(s);
    }
  Region frame(rgn->rgn);
  frame.Subtract(inner);
  std::shared_ptr<const RealisedBrush> rb = RealiseBrush(*dc, brush);
  if (!rb->null) FillRectsWithBrush(*dc, ClipRegionRects(*dc, frame), *rb, Rop3Code(PATCOPY));
  return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  DC* dc = LookupDC(hdc);
  if (!dc) return CLR_INVALID;
  POINT p = LogicalToDevice(*dc, POINT{x, y});
  if (p.x == INT_MAX || p.y == INT_MAX) return CLR_INVALID;  // past every surface; p.x + 1 would overflow
  std::vector<RECT> r = ClipRects(*dc, RECT{p.x, p.y, p.x + 1, p.y + 1});
  if (r.empty()) return CLR_INVALID;
  Surface& s = dc->Target();
  uint32_t pixel = s.ColourToPixel(ResolveColour(color));
  s.funcs->solid_rects(s, r.data(), 1, 0, pixel);
  return s.PixelToColour(pixel);
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) { return SetPixel(hdc, x, y, color) != CLR_INVALID; }

COLORREF GetPixel(HDC hdc, int x, int y) {
  DC* dc = LookupDC(hdc);
  if (!dc) return CLR_INVALID;
  POINT p = LogicalToDevice(*dc, POINT{x, y});
  if (p.x == INT_MAX || p.y == INT_MAX) return CLR_INVALID;  // past every surface; p.x + 1 would overflow
  std::vector<RECT> r = ClipRects(*dc, RECT{p.x, p.y, p.x + 1, p.y + 1});
  if (r.empty()) return CLR_INVALID;
  const Surface& s = dc->Target();
  return s.PixelToColour(s.funcs->get_pixel(s, p.x, p.y));
}
