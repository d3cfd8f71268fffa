#include "KyCover.h"

#include <algorithm>
#include <cmath>

namespace kycover {

namespace {

constexpr int kSub = 16;            // samples a pixel across and down
constexpr int64_t kUnit = 256;      // fixed units a pixel
constexpr int64_t kPitch = kUnit / kSub;  // fixed units between samples
constexpr double kLimit = 1 << 30;  // pixels

using Wide = __int128;

// Floor of a / b for b > 0.
int64_t FloorDiv(Wide a, int64_t b) {
  Wide q = a / b;
  if (a % b != 0 && a < 0) --q;
  return static_cast<int64_t>(q);
}

}  // namespace

bool Cover::AddRing(const double* xy, int n) {
  if (!xy || n < 3) return false;
  std::vector<int64_t>& p = m_points;
  p.resize(2 * static_cast<size_t>(n));
  for (int i = 0; i < 2 * n; ++i) {
    if (!std::isfinite(xy[i]) || std::fabs(xy[i]) > kLimit) return false;
    p[i] = std::llround(xy[i] * kUnit);
  }
  for (int i = 0; i < n; ++i) {
    const int j = i + 1 == n ? 0 : i + 1;
    int64_t x0 = p[2 * i], y0 = p[2 * i + 1], x1 = p[2 * j], y1 = p[2 * j + 1];
    if (y0 == y1) continue;  // no sample row crosses it
    int dir = 1;
    if (y0 > y1) {
      std::swap(x0, x1);
      std::swap(y0, y1);
      dir = -1;
    }
    m_edges.push_back(Edge{x0, y0, x1, y1, dir});
  }
  m_sorted = false;
  return true;
}

void Cover::Clear() {
  m_edges.clear();
  m_active.clear();
  m_sorted = false;
  m_nextY = INT64_MIN;
  m_next = 0;
}

Rows Cover::Bounds() const {
  if (m_edges.empty()) return Rows{0, 0, 0, 0};
  int64_t x0 = INT64_MAX, y0 = INT64_MAX, x1 = INT64_MIN, y1 = INT64_MIN;
  for (const Edge& e : m_edges) {
    x0 = std::min({x0, e.x0, e.x1});
    x1 = std::max({x1, e.x0, e.x1});
    y0 = std::min(y0, e.y0);
    y1 = std::max(y1, e.y1);
  }
  auto down = [](int64_t v) { return static_cast<int>(FloorDiv(v, kUnit)); };
  auto up = [](int64_t v) { return static_cast<int>(-FloorDiv(-v, kUnit)); };
  return Rows{down(x0), down(y0), up(x1), up(y1)};
}

void Cover::Activate(const Edge& e, int64_t sampleY) {
  // The crossing of sample row y is at x = x0 + dx (y - y0) / D; the first
  // sample column k inside, right of it, is the least with
  // kPitch k + kPitch / 2 >= x, that is ceil(V / M) with V = N - D kPitch / 2
  // and M = D kPitch, N = x D. V advances by dx kPitch a row.
  const int64_t d = e.y1 - e.y0, dx = e.x1 - e.x0, m = d * kPitch;
  const Wide v = static_cast<Wide>(e.x0) * d + static_cast<Wide>(dx) * (sampleY - e.y0) - static_cast<Wide>(d) * (kPitch / 2);
  Active a;
  a.edge = &e;
  a.q = FloorDiv(v, m);
  a.r = static_cast<int64_t>(v - static_cast<Wide>(a.q) * m);
  a.dq = FloorDiv(static_cast<Wide>(dx) * kPitch, m);
  a.dr = dx * kPitch - a.dq * m;
  a.column = a.q + (a.r > 0);
  m_active.push_back(a);
}

void Cover::Start(int64_t sampleY) {
  m_active.clear();
  m_next = 0;
  while (m_next < m_edges.size() && m_edges[m_next].y0 <= sampleY) {
    if (m_edges[m_next].y1 > sampleY) Activate(m_edges[m_next], sampleY);
    ++m_next;
  }
}

void Cover::Render(const Rows& band, uint8_t* mask, int stride) {
  const int width = band.right - band.left;
  if (width <= 0 || band.bottom <= band.top) return;
  if (!m_sorted) {
    std::sort(m_edges.begin(), m_edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
    m_sorted = true;
    m_nextY = INT64_MIN;
  }
  m_cells.assign(width + 1, 0);
  m_steps.assign(width + 1, 0);
  const int64_t left = static_cast<int64_t>(band.left) * kSub, right = static_cast<int64_t>(band.right) * kSub;
  for (int py = band.top; py < band.bottom; ++py) {
    for (int j = 0; j < kSub; ++j) {
      const int64_t y = static_cast<int64_t>(py) * kUnit + j * kPitch + kPitch / 2;
      size_t sorted = 0;  // m_active[0, sorted) in order of their columns
      if (y != m_nextY) {
        Start(y);
      } else {
        // Edges that end above this row leave; the others step down.
        size_t kept = 0;
        for (Active& a : m_active) {
          if (a.edge->y1 <= y) continue;
          const int64_t m = (a.edge->y1 - a.edge->y0) * kPitch;
          a.q += a.dq;
          a.r += a.dr;
          if (a.r >= m) ++a.q, a.r -= m;
          a.column = a.q + (a.r > 0);
          m_active[kept++] = a;
        }
        m_active.resize(kept);
        // Left to right (the order barely changes from row to row).
        for (size_t i = 1; i < kept; ++i) {
          const Active a = m_active[i];
          size_t k = i;
          while (k > 0 && m_active[k - 1].column > a.column) {
            m_active[k] = m_active[k - 1];
            --k;
          }
          m_active[k] = a;
        }
        sorted = kept;
        while (m_next < m_edges.size() && m_edges[m_next].y0 <= y) {
          if (m_edges[m_next].y1 > y) Activate(m_edges[m_next], y);
          ++m_next;
        }
      }
      m_nextY = y + kPitch;
      // The edges that joined, in order, merged with the others.
      if (sorted < m_active.size()) {
        const auto byColumn = [](const Active& a, const Active& b) { return a.column < b.column; };
        std::sort(m_active.begin() + sorted, m_active.end(), byColumn);
        if (sorted > 0) {
          m_merged.resize(m_active.size());
          std::merge(m_active.begin(), m_active.begin() + sorted, m_active.begin() + sorted, m_active.end(),
                     m_merged.begin(), byColumn);
          m_active.swap(m_merged);
        }
      }
      int winding = 0;
      int64_t from = 0;
      for (const Active& a : m_active) {
        const bool wasIn = m_rule == Rule::kNonZero ? winding != 0 : (winding & 1) != 0;
        winding += a.edge->dir;
        const bool isIn = m_rule == Rule::kNonZero ? winding != 0 : (winding & 1) != 0;
        if (!wasIn && isIn) from = a.column;
        if (wasIn && !isIn) {
          // Samples [from, column) of this row are inside.
          const int64_t s0 = std::max(from, left) - left, s1 = std::min(a.column, right) - left;
          if (s0 >= s1) continue;
          const int64_t p0 = s0 / kSub, p1 = s1 / kSub;
          if (p0 == p1) {
            m_cells[p0] += static_cast<int32_t>(s1 - s0);
          } else {
            m_cells[p0] += static_cast<int32_t>(kSub - s0 % kSub);
            m_steps[p0 + 1] += kSub;
            m_steps[p1] -= kSub;
            m_cells[p1] += static_cast<int32_t>(s1 % kSub);
          }
        }
      }
    }
    uint8_t* out = mask + static_cast<size_t>(py - band.top) * stride;
    int32_t run = 0;
    for (int x = 0; x < width; ++x) {
      run += m_steps[x];
      const int32_t c = run + m_cells[x];
      out[x] = static_cast<uint8_t>((c * 255 + 128) >> 8);
    }
    std::fill(m_cells.begin(), m_cells.end(), 0);
    std::fill(m_steps.begin(), m_steps.end(), 0);
  }
}

}  // namespace kycover
