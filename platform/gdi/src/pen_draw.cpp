// Lines. A cosmetic line is the run of pixels that the integer line stepping
// of Bresenham picks from the first point up to, but not including, the last
// one. Along the major axis every pixel is visited once; on the minor axis
// the pixel nearest the true line is taken, a tie going to the smaller
// coordinate, so (0, 0) to (4, 2) is two runs of two and the same line drawn
// backwards is not the same set of pixels.
//
// Styles count pixels along the polyline, so a dash goes on across a corner.
// Off pixels are painted in the background colour in OPAQUE mode.
#include "pen_draw.h"

#include <cmath>
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "fill.h"

namespace kygdi {
namespace {

// Runs of on and off pixels of each dash style, in pixels.
struct DashStyle {
  int count;
  int runs[6];
};
const DashStyle kDash[] = {
    {0, {0}},                    // PS_SOLID
    {2, {18, 6}},                // PS_DASH
    {2, {3, 3}},                 // PS_DOT
    {4, {9, 6, 3, 6}},           // PS_DASHDOT
    {6, {9, 3, 3, 3, 3, 3}},     // PS_DASHDOTDOT
};

class CosmeticStroker {
 public:
  CosmeticStroker(DC& dc, const PenObject& pen) : s_(dc.Target()) {
    UINT kind = pen.Kind();
    if (kind >= PS_DASH && kind <= PS_DASHDOTDOT) style_ = &kDash[kind];
    if (kind == PS_ALTERNATE) style_ = &kAlternate;
    COLORREF c = pen.dc_pen ? dc.st.dc_pen_colour : pen.colour;
    uint32_t pm = PixelMask(s_.bpp);
    Rop2Masks(dc.st.rop2, s_.ColourToPixel(ResolveColour(c)), pm, &on_and_, &on_xor_);
    Rop2Masks(dc.st.rop2, s_.ColourToPixel(ResolveColour(dc.st.bk_colour)), pm, &off_and_, &off_xor_);
    opaque_ = dc.st.bk_mode == OPAQUE;
    clip_ = ClipRegion(dc);
    box_ = DeviceClipBox(dc);
  }

  void Segment(POINT a, POINT b, bool last_point) {
    // 64 bits: the ends may be two billion pixels apart either way.
    int64_t dx = int64_t(b.x) - a.x, dy = int64_t(b.y) - a.y;
    int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    int64_t n = std::max(adx, ady);
    if (n == 0) {
      if (last_point) Plot(a.x, a.y);
      return;
    }
    // Only the steps that can land in the clip box are walked, so a line to
    // a far-away point costs what its visible part costs; the dash style
    // moves on over the steps skipped as if they had been walked.
    int64_t total = n + (last_point ? 1 : 0);
    int64_t lo = 0, hi = total - 1;
    auto limit = [&](int64_t start, int step, int64_t num, int64_t den, int64_t first, int64_t end) {
      // start + step * i * num / den must lie in [first - 1, end]: solve for
      // i. The true line is within half a pixel of the pixel picked, and the
      // range is widened by a step each way for the rounding of the doubles.
      if (num == 0) {
        if (start < first - 1 || start > end) hi = -1;
        return;
      }
      double a = double(first - 1 - start) * step * double(den) / double(num);
      double b = double(end - start) * step * double(den) / double(num);
      if (a > b) std::swap(a, b);
      // Clamped before the conversion: a far box gives values beyond 64 bits.
      a = std::clamp(std::floor(a), -1.0, double(total));
      b = std::clamp(std::ceil(b), -1.0, double(total));
      lo = std::max<int64_t>(lo, int64_t(a) - 1);
      hi = std::min<int64_t>(hi, int64_t(b) + 1);
    };
    if (box_.right <= box_.left) {
      hi = -1;
    } else {
      limit(a.x, sx, adx, n, box_.left, box_.right);
      limit(a.y, sy, ady, n, box_.top, box_.bottom);
    }
    if (hi < lo) {
      Skip(total);
      return;
    }
    Skip(lo);
    for (int64_t i = lo; i <= hi; ++i) {
      int x, y;
      if (adx >= ady) {
        x = int(a.x + sx * i);
        y = int(a.y + MinorStep(i, dy, adx));
      } else {
        y = int(a.y + sy * i);
        x = int(a.x + MinorStep(i, dx, ady));
      }
      Plot(x, y);
    }
    Skip(total - 1 - hi);
  }

 private:
  // The minor axis offset at major step i: i * d / n rounded to the nearest
  // integer, a tie going to the smaller coordinate whichever way the line
  // runs, as the reference rasterizer does.
  static int64_t MinorStep(int64_t i, int64_t d, int64_t n) {
    __int128 num = __int128(2) * i * d - n, den = __int128(2) * n;  // ceil(i*d/n - 1/2)
    __int128 q = num / den;
    if (num % den != 0 && num > 0) ++q;
    return int64_t(q);
  }
  void Skip(int64_t steps) {
    if (!style_ || steps <= 0) return;
    int period = 0;
    for (int k = 0; k < style_->count; ++k) period += style_->runs[k];
    for (int64_t k = steps % period; k > 0; --k)
      if (++pos_ >= style_->runs[run_]) {
        pos_ = 0;
        run_ = (run_ + 1) % style_->count;
      }
  }
  void Plot(int x, int y) {
    bool on = true;
    if (style_) {
      on = (run_ % 2) == 0;
      if (++pos_ >= style_->runs[run_]) {
        pos_ = 0;
        run_ = (run_ + 1) % style_->count;
      }
    }
    if (!on && !opaque_) return;
    if (x < 0 || y < 0 || x >= s_.width || y >= s_.height) return;
    if (clip_ && !clip_->Contains(x, y)) return;
    RECT r{x, y, x + 1, y + 1};
    if (on)
      s_.funcs->solid_rects(s_, &r, 1, on_and_, on_xor_);
    else
      s_.funcs->solid_rects(s_, &r, 1, off_and_, off_xor_);
  }

  static constexpr DashStyle kAlternate{2, {1, 1}};
  Surface& s_;
  const DashStyle* style_ = nullptr;
  int run_ = 0, pos_ = 0;
  uint32_t on_and_ = 0, on_xor_ = 0, off_and_ = 0, off_xor_ = 0;
  bool opaque_ = true;
  const Region* clip_ = nullptr;
  RECT box_{0, 0, 0, 0};
};

// The round cap of a pen of width w at p: the pixels whose centres lie
// within sqrt(w (w - 1)) / 2 of the point, measured from the pixel centre
// for odd widths and from the pixel corner for even ones. That is the cap
// recorded from the reference platform for widths 3 and 4. Only the rows and
// columns inside limit are made: a pen may be far wider than the surface.
Region Disc(POINT p, int w, const RECT& limit) {
  double c = (w % 2) ? 0.5 : 0.0, r2 = double(w) * (w - 1) / 4.0;
  auto inside = [&](int64_t dx, double ey) {
    double ex = double(dx) + 0.5 - c;
    return ex * ex + ey * ey <= r2;
  };
  int64_t dy0 = std::max<int64_t>(-w, int64_t(limit.top) - p.y);
  int64_t dy1 = std::min<int64_t>(w, int64_t(limit.bottom) - 1 - p.y);
  std::vector<RECT> rows;
  for (int64_t dy = dy0; dy <= dy1; ++dy) {
    double ey = double(dy) + 0.5 - c;
    double room = r2 - ey * ey;
    if (room < 0) continue;
    // The row's run from the square root, then settled by the same test a
    // walk over every column would make, so rounding cannot move an end.
    double t = std::sqrt(room);
    int64_t first = std::max<int64_t>(-w, int64_t(std::ceil(c - 0.5 - t)));
    int64_t last = std::min<int64_t>(w, int64_t(std::floor(c - 0.5 + t)));
    while (first > -w && inside(first - 1, ey)) --first;
    while (first <= last && !inside(first, ey)) ++first;
    while (last < w && inside(last + 1, ey)) ++last;
    while (last >= first && !inside(last, ey)) --last;
    if (first > last) continue;
    int64_t l = std::max<int64_t>(p.x + first, limit.left), r = std::min<int64_t>(p.x + last + 1, limit.right);
    if (r <= l) continue;
    rows.push_back(RECT{LONG(l), LONG(p.y + dy), LONG(r), LONG(p.y + dy + 1)});
  }
  return Region::FromRects(rows);
}

// The area a wide pen covers inside limit: each segment thickened to the
// pen's width, with a disc at every vertex for the round caps and joins.
// Segments are scan-converted from their own end points whatever their
// length, and only over the rows and columns of limit, so the pixels inside
// are those of the whole segment.
Region WideArea(const std::vector<POINT>& pts, bool closed, int width, UINT style, const RECT& limit) {
  Region area;
  if (limit.right <= limit.left || limit.bottom <= limit.top) return area;
  double h = width / 2.0;
  size_t n = pts.size();
  size_t segs = closed ? n : n - 1;
  bool round = (style & PS_ENDCAP_MASK) == PS_ENDCAP_ROUND;
  bool square = (style & PS_ENDCAP_MASK) == PS_ENDCAP_SQUARE;
  // A segment whose box, grown by the pen's reach (the square cap's corner
  // lies h * sqrt(2) out), misses limit adds nothing there.
  double reach = 2 * h + 2;
  for (size_t i = 0; i < segs; ++i) {
    POINT a = pts[i], b = pts[(i + 1) % n];
    if (std::min(a.x, b.x) - reach >= limit.right || std::max(a.x, b.x) + reach < limit.left ||
        std::min(a.y, b.y) - reach >= limit.bottom || std::max(a.y, b.y) + reach < limit.top)
      continue;
    double dx = double(b.x) - a.x, dy = double(b.y) - a.y, len = std::sqrt(dx * dx + dy * dy);
    if (len == 0) continue;
    double nx = -dy / len * h, ny = dx / len * h;
    double ex = 0, ey = 0;
    if (square && !closed) {
      ex = dx / len * h;
      ey = dy / len * h;
    }
    // Polygon filling samples pixel corners, so the band centred on the
    // points covers the pixels centred on the line.
    double ax = a.x - (i == 0 ? ex : 0), ay = a.y - (i == 0 ? ey : 0);
    double bx = b.x + (i + 1 == segs ? ex : 0), by = b.y + (i + 1 == segs ? ey : 0);
    double q[8] = {ax + nx, ay + ny, bx + nx, by + ny, bx - nx, by - ny, ax - nx, ay - ny};
    int four = 4;
    area.Unite(Region::FromPolygonsF(q, &four, 1, WINDING, limit.top, limit.bottom, limit.left, limit.right));
  }
  for (size_t i = 0; i < n; ++i) {
    bool end = !closed && (i == 0 || i + 1 == n);
    if (end && !round) continue;
    if (!end && (style & PS_JOIN_MASK) != PS_JOIN_ROUND) continue;
    area.Unite(Disc(pts[i], width, limit));
  }
  return area;
}

}  // namespace

int PenDeviceWidth(const DC& dc, const PenObject& pen) {
  if (pen.width <= 1) return 1;
  // Held at 2^30, wider than any surface, so that sums with coordinates
  // stay inside 64-bit doubles' exact integers and the int range.
  double w = std::min(std::round(pen.width * std::fabs(ScaleX(dc))), double(kMaxPenWidth));
  return std::max(1, int(w));
}

void StrokeRegion(DC& dc, const Region& area) {
  PenObject* pen = CurrentPen(dc);
  if (!pen || pen->Kind() == PS_NULL) return;
  FillRegionSolid(dc, area, pen->dc_pen ? dc.st.dc_pen_colour : pen->colour, dc.st.rop2);
}

void StrokeDevicePolyline(DC& dc, const std::vector<POINT>& pts, bool closed) {
  PenObject* pen = CurrentPen(dc);
  if (!pen || pen->Kind() == PS_NULL || pts.empty()) return;
  int w = PenDeviceWidth(dc, *pen);
  if (w > 1) {
    if (pts.size() == 1) return;
    // The pen reaches w / 2 beyond a line; a pixel more for the outline
    // rounding and the caps.
    RECT box = DeviceClipBox(dc);
    if (box.right <= box.left) return;
    RECT limit = GrowRect(box, 1);
    StrokeRegion(dc, WideArea(pts, closed, w, pen->style, limit));
    return;
  }
  CosmeticStroker stroker(dc, *pen);
  for (size_t i = 0; i + 1 < pts.size(); ++i) stroker.Segment(pts[i], pts[i + 1], false);
  if (closed && pts.size() > 1) stroker.Segment(pts.back(), pts.front(), false);
}

}  // namespace kygdi

using namespace kygdi;

namespace {
std::vector<POINT> ToDevice(const DC& dc, const POINT* pts, size_t n) {
  std::vector<POINT> out(n);
  for (size_t i = 0; i < n; ++i) out[i] = LogicalToDevice(dc, pts[i]);
  return out;
}
}  // namespace

BOOL LineTo(HDC hdc, int x, int y) {
  DC* dc = LookupDC(hdc);
  if (!dc) return FALSE;
  POINT pts[2] = {dc->st.cur_pos, POINT{x, y}};
  StrokeDevicePolyline(*dc, ToDevice(*dc, pts, 2), false);
  dc->st.cur_pos = POINT{x, y};
  return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt) {
  DC* dc = LookupDC(hdc);
  if (!dc || !apt || cpt < 2) return FALSE;
  StrokeDevicePolyline(*dc, ToDevice(*dc, apt, size_t(cpt)), false);
  return TRUE;
}

BOOL PolylineTo(HDC hdc, const POINT* apt, DWORD cpt) {
  DC* dc = LookupDC(hdc);
  if (!dc || !apt) return FALSE;
  if (cpt == 0) return TRUE;
  std::vector<POINT> pts{dc->st.cur_pos};
  pts.insert(pts.end(), apt, apt + cpt);
  StrokeDevicePolyline(*dc, ToDevice(*dc, pts.data(), pts.size()), false);
  dc->st.cur_pos = apt[cpt - 1];
  return TRUE;
}

BOOL PolyPolyline(HDC hdc, const POINT* apt, const DWORD* asz, DWORD csz) {
  DC* dc = LookupDC(hdc);
  if (!dc || !apt || !asz) return FALSE;
  for (DWORD i = 0; i < csz; ++i) {
    if (asz[i] < 2) return FALSE;
    StrokeDevicePolyline(*dc, ToDevice(*dc, apt, asz[i]), false);
    apt += asz[i];
  }
  return TRUE;
}
