#include "shape_rings.h"

#include <algorithm>
#include <climits>

namespace kyfsl_capi {

namespace {

// Pixels kept around the points and between a band and the points cut
// away: a filled row may reach a pixel past a point's own.
constexpr int kMargin = 2;

enum Side { kAbove, kInside, kBelow };

}  // namespace

ShapeRings::ShapeRings(std::vector<POINT> points, std::vector<int> counts)
    : m_points(std::move(points)), m_counts(std::move(counts)) {}

CRect ShapeRings::Area(int width, int height) const {
  if (m_points.empty()) return CRect(0, 0, 0, 0);
  long left = LONG_MAX, top = LONG_MAX, right = LONG_MIN, bottom = LONG_MIN;
  for (const POINT& p : m_points) {
    left = std::min<long>(left, p.x);
    right = std::max<long>(right, p.x);
    top = std::min<long>(top, p.y);
    bottom = std::max<long>(bottom, p.y);
  }
  // Points lie within 1e7 pixels of the origin, so the margins cannot overflow.
  CRect area(static_cast<int>(std::max<long>(left - kMargin, 0)), static_cast<int>(std::max<long>(top - kMargin, 0)),
             static_cast<int>(std::min<long>(right + kMargin + 1, width)),
             static_cast<int>(std::min<long>(bottom + kMargin + 1, height)));
  if (area.left >= area.right || area.top >= area.bottom) return CRect(0, 0, 0, 0);
  return area;
}

void ShapeRings::ForBand(const CRect& band, bool cut, std::vector<POINT>* points, std::vector<int>* counts) const {
  points->clear();
  counts->clear();
  const auto sideOf = [&](const POINT& p) {
    if (!cut) return kInside;
    if (p.y < band.top - kMargin) return kAbove;
    if (p.y >= band.bottom + kMargin) return kBelow;
    return kInside;
  };
  size_t start = 0;
  for (int count : m_counts) {
    const size_t begin = points->size();
    const size_t end = start + static_cast<size_t>(count);
    // Inside a run of one side only its first and last point are kept.
    Side before = kInside, side = sideOf(m_points[start]);
    for (size_t i = start; i < end; ++i) {
      const Side after = i + 1 < end ? sideOf(m_points[i + 1]) : kInside;
      const bool runGoesOn = side != kInside && i > start && before == side && after == side;
      if (!runGoesOn) points->push_back(POINT{m_points[i].x - band.left, m_points[i].y - band.top});
      before = side;
      side = after;
    }
    start = end;
    // A ring wholly above or below the band is one run, cut to two points:
    // it adds nothing to the band's pixels. A ring that reaches into the
    // band or crosses it keeps at least three.
    const size_t kept = points->size() - begin;
    if (kept >= 3) {
      counts->push_back(static_cast<int>(kept));
    } else {
      points->resize(begin);
    }
  }
}

bool ShapeRings::PixelCorner(const CRect& area, int rows, POINT* corner) const {
  CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
  std::vector<POINT> points;
  std::vector<int> counts;
  for (int top = area.top; top < area.bottom; top += rows) {
    const CRect band(area.left, top, area.right, std::min(area.bottom, top + rows));
    ForBand(band, true, &points, &counts);
    if (counts.empty()) continue;
    CRgn shape, window;
    if (!shape.CreatePolyPolygonRgn(points.data(), counts.data(), static_cast<int>(counts.size()), ALTERNATE) ||
        !window.CreateRectRgn(0, 0, band.Width(), band.Height())) {
      continue;
    }
    CRect part;
    if (shape.CombineRgn(&shape, &window, RGN_AND) == NULLREGION || shape.GetRgnBox(&part) == NULLREGION) continue;
    box.left = std::min<LONG>(box.left, part.left + band.left);
    box.top = std::min<LONG>(box.top, part.top + band.top);
    box.right = std::max<LONG>(box.right, part.right + band.left);
    box.bottom = std::max<LONG>(box.bottom, part.bottom + band.top);
  }
  if (box.left > box.right) return false;
  *corner = POINT{box.left, box.top};
  return true;
}

}  // namespace kyfsl_capi
