// Regions over pixman's region algebra, and the scan conversion that turns
// polygons and ellipses into rows of pixels.
//
// Scan conversion samples each pixel's top left corner, the rule observed
// on the reference rasterizer. For row y the line Y = y meets the edges; an
// edge from (x0, y0) to (x1, y1) counts when min(y0, y1) <= Y < max(y0, y1),
// so a horizontal edge never counts and a vertex shared by two edges is met
// once. The crossings, sorted, pair up (ALTERNATE) or are weighed by edge
// direction (WINDING) into spans [a, b) of X, and pixel x is inside when
// a <= x < b:
//
//     x:   0   1   2   3   4
//        +---+---+---+---+        polygon (0,0) (4,0) (4,4) (0,4)
//        | # | # | # | # |   <- covers x = 0..3, y = 0..3:
//        +---+---+---+---+      the right and bottom edges stay out
#include "region.h"

#include <algorithm>
#include <cmath>

#include "rop.h"

namespace kygdi {

Region::Region() { pixman_region32_init(&r_); }
Region::Region(const RECT& r) {
  // From the corners, not a width: a rectangle may span the whole int range.
  if (r.right > r.left && r.bottom > r.top) {
    pixman_box32_t b{r.left, r.top, r.right, r.bottom};
    pixman_region32_init_with_extents(&r_, &b);
  } else
    pixman_region32_init(&r_);
}
Region::Region(const Region& o) {
  pixman_region32_init(&r_);
  pixman_region32_copy(&r_, &o.r_);
}
Region& Region::operator=(const Region& o) {
  if (this != &o) pixman_region32_copy(&r_, &o.r_);
  return *this;
}
Region::~Region() { pixman_region32_fini(&r_); }

Region Region::FromRects(const std::vector<RECT>& rects) {
  std::vector<pixman_box32_t> boxes;
  boxes.reserve(rects.size());
  for (const RECT& r : rects)
    if (r.right > r.left && r.bottom > r.top) boxes.push_back({r.left, r.top, r.right, r.bottom});
  return FromBoxes(boxes);
}

Region Region::FromBoxes(const std::vector<pixman_box32_t>& boxes) {
  Region out;
  if (!boxes.empty()) {
    pixman_region32_fini(&out.r_);
    pixman_region32_init_rects(&out.r_, boxes.data(), int(boxes.size()));
  }
  return out;
}

namespace {

struct Crossing {
  double x;
  int dir;
};

// Rows of spans, merging runs of identical rows into one band, as pixman's
// boxes: the rows come top to bottom and each row's spans left to right,
// apart and not touching, so the boxes are banded as a region keeps them.
class BandBuilder {
 public:
  // rows: how many rows may come, to size the boxes once for the usual
  // shape of one span a row.
  explicit BandBuilder(size_t rows) { boxes_.reserve(std::min<size_t>(rows, size_t(1) << 16)); }
  // The spans of the next row; the caller fills it and calls Row.
  std::vector<std::pair<int, int>>& Spans() { return next_; }
  void Row(int y) {
    if (next_ == prev_ && y == prev_y_ + 1 && !prev_.empty()) {
      prev_y_ = y;
      return;
    }
    Flush();
    prev_.swap(next_);
    start_ = prev_y_ = y;
  }
  Region Finish() {
    Flush();
    return Region::FromBoxes(boxes_);
  }

 private:
  void Flush() {
    for (auto& s : prev_) boxes_.push_back(pixman_box32_t{s.first, start_, s.second, prev_y_ + 1});
    prev_.clear();
  }
  std::vector<std::pair<int, int>> prev_, next_;
  int start_ = 0, prev_y_ = 0;
  std::vector<pixman_box32_t> boxes_;
};

}  // namespace

Region Region::FromPolygons(const POINT* pts, const int* counts, int polys, int fill_mode, int row_min,
                            int row_max, int col_min, int col_max) {
  size_t total = 0;
  for (int k = 0; k < polys; ++k) total += size_t(std::max(0, counts[k]));
  std::vector<double> xy(total * 2);
  for (size_t i = 0; i < total; ++i) {
    xy[2 * i] = pts[i].x;
    xy[2 * i + 1] = pts[i].y;
  }
  return FromPolygonsF(xy.data(), counts, polys, fill_mode, row_min, row_max, col_min, col_max);
}

Region Region::Outline(const Region& r) {
  Region inner(r);
  for (auto d : {std::pair<int, int>{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
    Region s(r);
    s.Offset(d.first, d.second);
    inner.Intersect(s);
  }
  Region out(r);
  out.Subtract(inner);
  return out;
}

Region Region::FromPolygonsF(const double* pts, const int* counts, int polys, int fill_mode, int row_min,
                             int row_max, int col_min, int col_max) {
  // An upright rectangle (a box filled through a clip, the commonest call):
  // its rows and columns at once, as the rows below would find them.
  if (polys == 1 && counts[0] == 4) {
    const double* q = pts;
    const bool upright = (q[1] == q[3] && q[2] == q[4] && q[5] == q[7] && q[6] == q[0]) ||
                         (q[0] == q[2] && q[3] == q[5] && q[4] == q[6] && q[7] == q[1]);
    if (upright && std::all_of(q, q + 8, [](double v) { return std::isfinite(v); })) {
      const double x0 = std::min({q[0], q[2], q[4]}), x1 = std::max({q[0], q[2], q[4]});
      const double y0 = std::min({q[1], q[3], q[5]}), y1 = std::max({q[1], q[3], q[5]});
      if (y0 == y1 || row_max <= row_min || col_max <= col_min) return Region();
      // Rows y with y0 <= y < y1, pixels ceil(x0) <= x < ceil(x1), inside
      // the limits.
      const double top = std::max(std::ceil(y0), double(row_min)), bottom = std::min(std::ceil(y1), double(row_max));
      const double left = std::ceil(std::clamp(x0, double(col_min), double(col_max))),
                   right = std::ceil(std::clamp(x1, double(col_min), double(col_max)));
      if (top >= bottom || left >= right) return Region();
      return Region(RECT{LONG(left), LONG(top), LONG(right), LONG(bottom)});
    }
  }
  struct Edge {
    double x0, y0, x1, y1;
    double lo, hi;  // the rows Y it crosses: lo <= Y < hi
    int dir;
  };
  std::vector<Edge> edges;
  double ymin = 1e300, ymax = -1e300;
  const double* p = pts;
  for (int k = 0; k < polys; ++k) {
    int n = std::max(0, counts[k]);
    for (int i = 0; i < n; ++i) {
      double ax = p[2 * i], ay = p[2 * i + 1], bx = p[2 * ((i + 1) % n)], by = p[2 * ((i + 1) % n) + 1];
      // A horizontal edge crosses no row; an edge off the number line
      // crosses none that could be computed.
      if (ay == by || !std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) continue;
      edges.push_back(Edge{ax, ay, bx, by, std::min(ay, by), std::max(ay, by), ay < by ? 1 : -1});
      ymin = std::min(ymin, std::min(ay, by));
      ymax = std::max(ymax, std::max(ay, by));
    }
    p += 2 * n;
  }
  if (edges.empty() || row_max <= row_min || col_max <= col_min) return Region();
  // A wild coordinate must not make us scan billions of empty rows.
  if (ymax < row_min || ymin > double(row_max) - 1) return Region();
  // Rows go down the polygon with the edges they cross: an edge joins when
  // the rows reach its top and leaves past its bottom, so a polygon of many
  // vertices costs its edges once plus the crossings of each row, not every
  // edge on every row.
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.lo < b.lo; });
  size_t next = 0;
  std::vector<const Edge*> active;
  std::vector<Crossing> xs;
  int y0 = int(std::max<double>(std::floor(ymin), row_min));
  int y1 = int(std::min<double>(std::ceil(ymax), double(row_max) - 1));
  BandBuilder bands(size_t(int64_t(y1) - y0 + 1));
  std::vector<std::pair<int, int>>& spans = bands.Spans();
  // Crossings are held inside the columns wanted before they become
  // integers: that keeps every pixel there and the conversion defined.
  const double x_lo = col_min, x_hi = col_max;
  for (int y = y0; y <= y1; ++y) {
    double Y = y;
    for (; next < edges.size() && edges[next].lo <= Y; ++next) active.push_back(&edges[next]);
    active.erase(std::remove_if(active.begin(), active.end(), [Y](const Edge* e) { return Y >= e->hi; }),
                 active.end());
    if (active.empty()) {
      if (next == edges.size()) break;
      // Nothing crosses until the next edge's top: skip the empty rows.
      y = std::max(y, int(std::min<double>(std::ceil(edges[next].lo), double(y1) + 1)) - 1);
      continue;
    }
    xs.clear();
    for (const Edge* e : active)
      xs.push_back({std::clamp(e->x0 + (Y - e->y0) * (e->x1 - e->x0) / (e->y1 - e->y0), x_lo, x_hi), e->dir});
    std::sort(xs.begin(), xs.end(), [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
    spans.clear();
    int wind = 0;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
      bool inside;
      if (fill_mode == WINDING) {
        wind += xs[i].dir;
        inside = wind != 0;
      } else {
        inside = (i % 2) == 0;
      }
      if (!inside) continue;
      // a <= x < b  <=>  ceil(a) <= x < ceil(b)
      int a = int(std::ceil(xs[i].x)), b = int(std::ceil(xs[i + 1].x));
      if (b <= a) continue;
      if (!spans.empty() && spans.back().second >= a)
        spans.back().second = std::max(spans.back().second, b);
      else
        spans.push_back({a, b});
    }
    bands.Row(y);
  }
  return bands.Finish();
}

Region Region::FromEllipse(const RECT& box, const RECT* limit) {
  // The ellipse through the pixels l..r-1, t..b-1: pixel (x, y) belongs when
  // ((x - cx) / A)^2 + ((y - cy) / B)^2 <= 1, with (cx, cy) the middle pixel
  // position and the semi-axes 0.3 pixel longer than half the pixel span.
  // That constant reproduces the reference platform's ellipses of 4 x 4,
  // 5 x 5, 10 x 10 and 11 x 8 pixels exactly (any value from 0.285 to 0.305
  // does).
  int l = std::min(box.left, box.right), r = std::max(box.left, box.right);
  int t = std::min(box.top, box.bottom), b = std::max(box.top, box.bottom);
  if (r <= l || b <= t) return Region();
  // Doubles: the box may span the whole 32-bit range.
  double hx = (double(r) - l - 1) / 2.0, hy = (double(b) - t - 1) / 2.0;
  double cx = l + hx, cy = t + hy, ax = hx + 0.3, by = hy + 0.3;
  int cl = l, cr = r;
  if (!limit) {
    t = std::max(t, -(1 << 18));
    b = std::min(b, 1 << 18);
  } else {
    t = std::max<int>(t, limit->top);
    b = std::min<int>(b, limit->bottom);
    cl = std::max<int>(cl, limit->left);
    cr = std::min<int>(cr, limit->right);
    if (cr <= cl) return Region();
  }
  BandBuilder bands(size_t(int64_t(b) - t));
  for (int y = t; y < b; ++y) {
    std::vector<std::pair<int, int>>& spans = bands.Spans();
    double dy = (y - cy) / by;
    double q = 1.0 - dy * dy;
    spans.clear();
    if (q >= 0) {
      double half = ax * std::sqrt(q) + 1e-9;
      int a = int(std::max<double>(cl, std::ceil(cx - half)));
      int e = int(std::min<double>(cr, std::floor(cx + half) + 1));
      if (e > a) spans.push_back({a, e});
    }
    bands.Row(y);
  }
  return bands.Finish();
}

bool Region::Empty() const { return !pixman_region32_not_empty(const_cast<pixman_region32_t*>(&r_)); }

int Region::Type() const {
  int n = pixman_region32_n_rects(const_cast<pixman_region32_t*>(&r_));
  return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RECT Region::Box() const {
  if (Empty()) return RECT{0, 0, 0, 0};
  const pixman_box32_t* e = pixman_region32_extents(const_cast<pixman_region32_t*>(&r_));
  return RECT{e->x1, e->y1, e->x2, e->y2};
}

bool Region::Contains(int x, int y) const {
  return pixman_region32_contains_point(const_cast<pixman_region32_t*>(&r_), x, y, nullptr);
}

bool Region::Overlaps(const RECT& r) const {
  if (r.right <= r.left || r.bottom <= r.top) return false;
  pixman_box32_t b{r.left, r.top, r.right, r.bottom};
  return pixman_region32_contains_rectangle(const_cast<pixman_region32_t*>(&r_), &b) != PIXMAN_REGION_OUT;
}

bool Region::Equals(const Region& o) const {
  return pixman_region32_equal(const_cast<pixman_region32_t*>(&r_), const_cast<pixman_region32_t*>(&o.r_));
}

void Region::Offset(int dx, int dy) { pixman_region32_translate(&r_, dx, dy); }
void Region::Intersect(const Region& o) { pixman_region32_intersect(&r_, &r_, const_cast<pixman_region32_t*>(&o.r_)); }
void Region::Unite(const Region& o) { pixman_region32_union(&r_, &r_, const_cast<pixman_region32_t*>(&o.r_)); }
void Region::Subtract(const Region& o) { pixman_region32_subtract(&r_, &r_, const_cast<pixman_region32_t*>(&o.r_)); }
void Region::Xor(const Region& o) {
  Region a(*this), b(o);
  a.Subtract(o);
  b.Subtract(*this);
  pixman_region32_union(&r_, a.raw(), b.raw());
}

std::vector<RECT> Region::Rects() const {
  int n = 0;
  const pixman_box32_t* b = pixman_region32_rectangles(const_cast<pixman_region32_t*>(&r_), &n);
  std::vector<RECT> out;
  out.reserve(size_t(n));
  for (int i = 0; i < n; ++i) out.push_back(RECT{b[i].x1, b[i].y1, b[i].x2, b[i].y2});
  return out;
}

std::vector<RECT> Region::RectsIn(const RECT& bounds) const {
  if (!FastPathsEnabled() || bounds.right <= bounds.left || bounds.bottom <= bounds.top) {
    Region clipped(bounds);
    clipped.Intersect(*this);
    return clipped.Rects();
  }
  // The fast path: the bands that meet the rectangle are found by binary
  // search and cut to it, so a blit through a clip of thousands of rows costs
  // the rows it covers, not the whole region. Bands that the cut leaves with
  // the same spans and that touch are merged, which is the canonical form
  // pixman's intersection gives: both paths hand out the same rectangles in
  // the same order.
  int n = 0;
  const pixman_box32_t* box = pixman_region32_rectangles(const_cast<pixman_region32_t*>(&r_), &n);
  const pixman_box32_t* end = box + n;
  const pixman_box32_t* p =
      std::partition_point(box, end, [&](const pixman_box32_t& b) { return b.y2 <= bounds.top; });
  std::vector<RECT> out;
  size_t prev_begin = 0, prev_end = 0;  // the last band written, in out
  while (p < end && p->y1 < bounds.bottom) {
    const int32_t y1 = p->y1, y2 = p->y2;
    const LONG top = std::max<LONG>(y1, bounds.top), bottom = std::min<LONG>(y2, bounds.bottom);
    const size_t begin = out.size();
    for (; p < end && p->y1 == y1; ++p) {
      const LONG l = std::max<LONG>(p->x1, bounds.left), r = std::min<LONG>(p->x2, bounds.right);
      if (l < r) out.push_back(RECT{l, top, r, bottom});
    }
    if (out.size() == begin) continue;
    const bool same = prev_end > prev_begin && out[prev_begin].bottom == top &&
                      prev_end - prev_begin == out.size() - begin &&
                      std::equal(out.begin() + long(prev_begin), out.begin() + long(prev_end), out.begin() + long(begin),
                                 [](const RECT& a, const RECT& b) { return a.left == b.left && a.right == b.right; });
    if (same) {
      for (size_t i = prev_begin; i < prev_end; ++i) out[i].bottom = bottom;
      out.resize(begin);
    } else {
      prev_begin = begin;
      prev_end = out.size();
    }
  }
  return out;
}

int CombineRegions(Region& dst, const Region& a, const Region* b, int mode) {
  Region out(a);
  switch (mode) {
    case RGN_AND: out.Intersect(*b); break;
    case RGN_OR: out.Unite(*b); break;
    case RGN_XOR: out.Xor(*b); break;
    case RGN_DIFF: out.Subtract(*b); break;
    case RGN_COPY: break;
    default: return ERROR;
  }
  dst = out;
  return dst.Type();
}

}  // namespace kygdi
