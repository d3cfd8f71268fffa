#include "KyTileGeometry.h"

#include <cmath>

namespace kytiles {

namespace {

struct Pt {
  double x, y;
};

// One pass of the polygon clipper against the half plane inside(p).
template <typename Inside, typename Cross>
void ClipEdge(std::vector<Pt>& in, std::vector<Pt>& out, Inside inside, Cross cross) {
  out.clear();
  if (in.empty()) return;
  Pt prev = in.back();
  bool prevIn = inside(prev);
  for (const Pt& cur : in) {
    const bool curIn = inside(cur);
    if (curIn != prevIn) out.push_back(cross(prev, cur));
    if (curIn) out.push_back(cur);
    prev = cur;
    prevIn = curIn;
  }
  in.swap(out);
}

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

TileGeometry::TileGeometry(const PictureFrame& frame, int margin)
    : m_frame(frame), m_world(frame.z, frame.tilePixels), m_margin(margin) {}

Extent TileGeometry::FilterExtent(int grow) const {
  return PixelExtent(m_frame.z, m_frame.tilePixels, m_frame.px0 - grow, m_frame.py0 - grow,
                     m_frame.px0 + m_frame.width + grow, m_frame.py0 + m_frame.height + grow);
}

bool TileGeometry::BelowAPixel(const kymap::PolygonFeature& f) const {
  const auto round = [](double v) { return std::llround(v); };
  return round(m_world.X(f.bounds.maxX)) == round(m_world.X(f.bounds.minX)) &&
         round(m_world.Y(f.bounds.minY)) == round(m_world.Y(f.bounds.maxY));
}

int TileGeometry::Rings(const kymap::PolygonFeature& f, std::vector<POINT>& pts, std::vector<int>& counts) {
  pts.clear();
  counts.clear();
  const double lo = -m_margin, right = m_frame.width + m_margin, bottom = m_frame.height + m_margin;
  std::vector<Pt> ring, scratch;
  size_t at = 0;
  for (int n : f.ringSizes) {
    // Round to the world's grid, dropping repeated and straight-through
    // vertices (the ring is closed: its last point repeats the first).
    m_ring.clear();
    for (int i = 0; i < n; ++i, at += 2) {
      const int64_t x = std::llround(m_world.X(f.xy[at])), y = std::llround(m_world.Y(f.xy[at + 1]));
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
    // The picture's corner is subtracted exactly, in whole pixels.
    bool inside = true;
    for (size_t i = 0; i < m_ring.size(); i += 2) {
      m_ring[i] -= m_frame.px0;
      m_ring[i + 1] -= m_frame.py0;
      inside = inside && m_ring[i] >= lo && m_ring[i] <= right && m_ring[i + 1] >= lo && m_ring[i + 1] <= bottom;
    }
    const size_t first = pts.size();
    if (inside) {
      for (size_t i = 0; i < m_ring.size(); i += 2) {
        pts.push_back(POINT{static_cast<LONG>(m_ring[i]), static_cast<LONG>(m_ring[i + 1])});
      }
    } else {
      ring.clear();
      for (size_t i = 0; i < m_ring.size(); i += 2) {
        ring.push_back(Pt{static_cast<double>(m_ring[i]), static_cast<double>(m_ring[i + 1])});
      }
      // Each ring is cut to the rectangle on its own: inside the rectangle
      // the alternate rule counts the same crossings as before.
      ClipEdge(ring, scratch, [&](const Pt& p) { return p.x >= lo; },
               [&](const Pt& a, const Pt& b) { return Pt{lo, a.y + (b.y - a.y) * (lo - a.x) / (b.x - a.x)}; });
      ClipEdge(ring, scratch, [&](const Pt& p) { return p.x <= right; },
               [&](const Pt& a, const Pt& b) { return Pt{right, a.y + (b.y - a.y) * (right - a.x) / (b.x - a.x)}; });
      ClipEdge(ring, scratch, [&](const Pt& p) { return p.y >= lo; },
               [&](const Pt& a, const Pt& b) { return Pt{a.x + (b.x - a.x) * (lo - a.y) / (b.y - a.y), lo}; });
      ClipEdge(ring, scratch, [&](const Pt& p) { return p.y <= bottom; },
               [&](const Pt& a, const Pt& b) { return Pt{a.x + (b.x - a.x) * (bottom - a.y) / (b.y - a.y), bottom}; });
      for (const Pt& p : ring) {
        const POINT q{static_cast<LONG>(std::lround(p.x)), static_cast<LONG>(std::lround(p.y))};
        if (pts.size() > first && pts.back().x == q.x && pts.back().y == q.y) continue;
        pts.push_back(q);
      }
      while (pts.size() > first + 1 && pts.back().x == pts[first].x && pts.back().y == pts[first].y) pts.pop_back();
    }
    if (pts.size() - first < 3) {
      pts.resize(first);
      continue;
    }
    counts.push_back(static_cast<int>(pts.size() - first));
  }
  return static_cast<int>(counts.size());
}

}  // namespace kytiles
