#include "KyTileGeometry.h"

#include <algorithm>
#include <cmath>

#include "KyMapClip.h"

namespace kytiles {

namespace {

using Pt = kymap::ClipPt;
using kymap::ClipEdge;

// b lies on the straight line from a to c, between them: dropping it changes
// neither the fill nor the outline (a spike back along the line would).
bool Between(const int64_t* a, const int64_t* b, const int64_t* c) {
  // A world of 1024-pixel tiles at zoom 22 has 2^32 pixels a side: the
  // products need more than 64 bits.
  using Wide = __int128;
  const Wide abx = b[0] - a[0], aby = b[1] - a[1], bcx = c[0] - b[0], bcy = c[1] - b[1];
  return abx * bcy == aby * bcx && abx * bcx + aby * bcy > 0;
}

}  // namespace

TileGeometry::TileGeometry(const PictureFrame& frame, int margin, int steps)
    : m_frame(frame), m_world(frame.z, frame.tilePixels), m_margin(margin), m_steps(steps) {}

Extent TileGeometry::FilterExtent(int grow) const {
  const Extent e = PixelExtent(m_frame.z, m_frame.tilePixels, m_frame.px0 - grow, m_frame.py0 - grow,
                               m_frame.px0 + m_frame.width + grow, m_frame.py0 + m_frame.height + grow);
  // A buffer past the world's edge would be taken back into degrees beyond
  // 180 or the pole, which the projection wraps or refuses: the world
  // stops at its edges (the pyramid does not repeat it).
  const auto clamp = [](double v) { return std::clamp(v, -kWorldHalf, kWorldHalf); };
  return Extent{clamp(e.minX), clamp(e.minY), clamp(e.maxX), clamp(e.maxY)};
}

bool TileGeometry::BelowAPixel(const kymap::PolygonFeature& f) const {
  // Measured in the world's pixels, not rounded: the answer depends on the
  // feature and the zoom only, never on the picture it is drawn in.
  return m_world.X(f.bounds.maxX) - m_world.X(f.bounds.minX) < 1 &&
         m_world.Y(f.bounds.minY) - m_world.Y(f.bounds.maxY) < 1;
}

bool TileGeometry::PlainlyBelowAPixel(const Extent& e) const {
  // Inside the square world (Web Mercator ends at about 85.05 degrees).
  if (!(e.minX >= -180 && e.maxX <= 180 && e.minY >= -85 && e.maxY <= 85)) return false;
  // Web Mercator on the sphere of WGS 84's major axis, as the projection
  // makes it; a ten-thousandth of a pixel spare covers the difference
  // between this formula and the projection's own.
  constexpr double kRadius = 6378137.0, kDegree = M_PI / 180, kBelow = 1 - 1e-4;
  const auto metresX = [](double lon) { return kRadius * lon * kDegree; };
  const auto metresY = [](double lat) { return kRadius * std::log(std::tan(M_PI / 4 + lat * kDegree / 2)); };
  return m_world.X(metresX(e.maxX)) - m_world.X(metresX(e.minX)) < kBelow &&
         m_world.Y(metresY(e.minY)) - m_world.Y(metresY(e.maxY)) < kBelow;
}

int TileGeometry::Rings(const kymap::PolygonFeature& f, std::vector<double>& xy, std::vector<int>& sizes) {
  xy.clear();
  sizes.clear();
  // Everything below is in grid steps until the last division, which is
  // exact (the steps are a power of two).
  const double s = m_steps;
  const double lo = -m_margin * s, right = (m_frame.width + m_margin) * s, bottom = (m_frame.height + m_margin) * s;
  const int64_t x0 = m_frame.px0 * m_steps, y0 = m_frame.py0 * m_steps;
  std::vector<Pt> ring, scratch;
  size_t at = 0;
  for (int n : f.ringSizes) {
    // Round to the world's grid, dropping repeated and straight-through
    // vertices (the ring is closed: its last point repeats the first).
    m_ring.clear();
    for (int i = 0; i < n; ++i, at += 2) {
      const int64_t x = std::llround(m_world.X(f.xy[at]) * s), y = std::llround(m_world.Y(f.xy[at + 1]) * s);
      const size_t k = m_ring.size();
      if (k >= 2 && m_ring[k - 2] == x && m_ring[k - 1] == y) continue;
      const int64_t p[2] = {x, y};
      if (k >= 4 && Between(&m_ring[k - 4], &m_ring[k - 2], p)) {
        m_ring[k - 2] = x;
        m_ring[k - 1] = y;
        continue;
      }
      m_ring.push_back(x);
      m_ring.push_back(y);
    }
    while (m_ring.size() >= 4 && m_ring[m_ring.size() - 2] == m_ring[0] && m_ring.back() == m_ring[1]) {
      m_ring.resize(m_ring.size() - 2);
    }
    if (m_ring.size() < 6) continue;
    // The picture's corner is subtracted exactly, in whole steps.
    ring.clear();
    bool inside = true;
    for (size_t i = 0; i < m_ring.size(); i += 2) {
      const Pt p{static_cast<double>(m_ring[i] - x0), static_cast<double>(m_ring[i + 1] - y0)};
      inside = inside && p.x >= lo && p.x <= right && p.y >= lo && p.y <= bottom;
      ring.push_back(p);
    }
    if (!inside) {
      // Each ring is cut to the rectangle on its own: inside the rectangle
      // the alternate rule counts the same crossings as before. The cut
      // vertices are rounded to the grid like the others.
      const auto grid = [](double v) { return std::nearbyint(v); };
      ClipEdge(ring, scratch, [&](const Pt& p) { return p.x >= lo; },
               [&](const Pt& a, const Pt& b) { return Pt{lo, grid(a.y + (b.y - a.y) * (lo - a.x) / (b.x - a.x))}; });
      ClipEdge(ring, scratch, [&](const Pt& p) { return p.x <= right; },
               [&](const Pt& a, const Pt& b) { return Pt{right, grid(a.y + (b.y - a.y) * (right - a.x) / (b.x - a.x))}; });
      ClipEdge(ring, scratch, [&](const Pt& p) { return p.y >= lo; },
               [&](const Pt& a, const Pt& b) { return Pt{grid(a.x + (b.x - a.x) * (lo - a.y) / (b.y - a.y)), lo}; });
      ClipEdge(ring, scratch, [&](const Pt& p) { return p.y <= bottom; },
               [&](const Pt& a, const Pt& b) { return Pt{grid(a.x + (b.x - a.x) * (bottom - a.y) / (b.y - a.y)), bottom}; });
    }
    const size_t first = xy.size();
    for (const Pt& p : ring) {
      const size_t k = xy.size();
      if (k > first && xy[k - 2] == p.x / s && xy[k - 1] == p.y / s) continue;
      xy.push_back(p.x / s);
      xy.push_back(p.y / s);
    }
    while (xy.size() > first + 2 && xy[xy.size() - 2] == xy[first] && xy.back() == xy[first + 1]) xy.resize(xy.size() - 2);
    if (xy.size() - first < 6) {
      xy.resize(first);
      continue;
    }
    sizes.push_back(static_cast<int>((xy.size() - first) / 2));
  }
  return static_cast<int>(sizes.size());
}

}  // namespace kytiles
