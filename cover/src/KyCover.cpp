#include "KyCover.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kycover {

namespace {

constexpr int64_t kUnit = 256;                 // fixed units a pixel
constexpr int64_t kWhole = 2 * kUnit * kUnit;  // a pixel's doubled area
constexpr double kLimit = 1 << 30;             // pixels

using Wide = __int128;

// Floor of a / b for b > 0.
int64_t FloorDiv(Wide a, int64_t b) {
  Wide q = a / b;
  if (a % b != 0 && a < 0) --q;
  return static_cast<int64_t>(q);
}

int64_t FloorDiv64(int64_t a, int64_t b) {
  int64_t q = a / b;
  if (a % b != 0 && a < 0) --q;
  return q;
}

// (Right shifts of negative numbers are arithmetic, as C++20 has them.)
int64_t FloorPixel(int64_t v) { return v >> 8; }
int64_t CeilPixel(int64_t v) { return -FloorPixel(-v); }

}  // namespace

bool Cover::AddRing(const double* xy, int n) {
  if (!xy || n < 3) return false;
  std::vector<int64_t>& p = m_points;
  p.resize(2 * static_cast<size_t>(n));
  for (int i = 0; i < 2 * n; ++i) {
    if (!std::isfinite(xy[i]) || std::fabs(xy[i]) > kLimit) return false;
    // Halves up (not away from zero), so that a point and the same point
    // moved by whole pixels round alike on either side of zero.
    p[i] = static_cast<int64_t>(std::floor(xy[i] * kUnit + 0.5));
  }
  for (int i = 0; i < n; ++i) {
    const int j = i + 1 == n ? 0 : i + 1;
    int64_t x0 = p[2 * i], y0 = p[2 * i + 1], x1 = p[2 * j], y1 = p[2 * j + 1];
    if (y0 == y1) continue;  // encloses no area
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
  m_nextRow = INT64_MIN;
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
  return Rows{static_cast<int>(FloorPixel(x0)), static_cast<int>(FloorPixel(y0)), static_cast<int>(CeilPixel(x1)),
              static_cast<int>(CeilPixel(y1))};
}

void Cover::SortEdges() {
  // The sweep needs the edges in order of the rows they start in: counted
  // into their rows when the rows are few enough, sorted otherwise.
  const size_t n = m_edges.size();
  int64_t first = INT64_MAX, last = INT64_MIN;
  for (const Edge& e : m_edges) first = std::min(first, e.y0), last = std::max(last, e.y0);
  const int64_t rows = n ? FloorPixel(last) - FloorPixel(first) + 1 : 0;
  if (n < 64) {
    // A ring's few edges (a line's own rings are drawn one by one).
    for (size_t i = 1; i < n; ++i) {
      const Edge e = m_edges[i];
      size_t k = i;
      for (; k > 0 && m_edges[k - 1].y0 > e.y0; --k) m_edges[k] = m_edges[k - 1];
      m_edges[k] = e;
    }
    return;
  }
  if (rows > static_cast<int64_t>(4 * n) + 4096) {
    std::sort(m_edges.begin(), m_edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
    return;
  }
  const int64_t base = FloorPixel(first);
  std::vector<size_t> at(static_cast<size_t>(rows) + 1, 0);
  for (const Edge& e : m_edges) ++at[static_cast<size_t>(FloorPixel(e.y0) - base) + 1];
  for (size_t i = 1; i < at.size(); ++i) at[i] += at[i - 1];
  m_spare.resize(n);
  for (const Edge& e : m_edges) m_spare[at[static_cast<size_t>(FloorPixel(e.y0) - base)]++] = e;
  m_edges.swap(m_spare);
}

void Cover::Activate(const Edge& e, int64_t rowTop) {
  Active a;
  a.x0 = e.x0, a.y0 = e.y0, a.x1 = e.x1, a.y1 = e.y1, a.dir = e.dir;
  a.dy = e.y1 - e.y0;
  // x at height Y is x0 + round(dx (Y - y0) / dy), halves up: the floor of
  // (2 dx (Y - y0) + dy) / 2 dy, whose numerator grows by 2 dx kUnit a row.
  const int64_t dx = e.x1 - e.x0, den = 2 * a.dy;
  const int64_t below = rowTop + kUnit - e.y0;
  if (e.y1 <= rowTop + kUnit && e.y0 >= rowTop) {
    // Within this row: only its ends are needed.
    a.x = e.x0;
    a.q = a.r = a.dq = a.dr = 0;
    m_active.push_back(a);
    return;
  }
  a.dq = FloorDiv64(2 * dx * kUnit, den);
  a.dr = 2 * dx * kUnit - a.dq * den;
  if (std::llabs(dx) < (int64_t{1} << 30) && below < (int64_t{1} << 30)) {
    // Short edges (all but those of some four million pixels) in 64 bits.
    a.x = e.y0 >= rowTop ? e.x0 : e.x0 + FloorDiv64(2 * dx * (rowTop - e.y0) + a.dy, den);
    const int64_t n = 2 * dx * below + a.dy;
    a.q = FloorDiv64(n, den);
    a.r = n - a.q * den;
  } else {
    a.x = e.y0 >= rowTop ? e.x0 : e.x0 + FloorDiv(2 * static_cast<Wide>(dx) * (rowTop - e.y0) + a.dy, den);
    const Wide n = 2 * static_cast<Wide>(dx) * below + a.dy;
    a.q = FloorDiv(n, den);
    a.r = static_cast<int64_t>(n - static_cast<Wide>(a.q) * den);
  }
  m_active.push_back(a);
}

void Cover::Start(int64_t row) {
  m_active.clear();
  m_next = 0;
  const int64_t top = row * kUnit, bottom = top + kUnit;
  while (m_next < m_edges.size() && m_edges[m_next].y0 < bottom) {
    if (m_edges[m_next].y1 > top) Activate(m_edges[m_next], top);
    ++m_next;
  }
}

inline void Cover::Piece(int64_t cell, int64_t fx0, int64_t fx1, int64_t h, int dir) {
  const size_t i = static_cast<size_t>(cell - m_leftPixel);
  m_cells[i].cover += dir * h;
  m_cells[i].area += dir * h * (fx0 + fx1);
  m_touched[i >> 6] |= uint64_t{1} << (i & 63);
}

void Cover::Walk(int64_t xa, int64_t xb, int64_t h, int dir) {
  const int64_t leftPixel = m_leftPixel, rightPixel = m_leftPixel + (m_right - m_left) / kUnit;
  if (xa == xb) {
    if (xa >= m_right) return;
    if (xa < m_left) {
      m_carry += dir * h;
      return;
    }
    const int64_t c = FloorPixel(xa), fx = xa - c * kUnit;
    Piece(c, fx, fx, h, dir);
    return;
  }
  // Each column boundary bx the piece crosses is met at height
  // round(|bx - xa| h / d), halves up: (2 |bx - xa| h + d) / 2d, stepped
  // exactly from one boundary to the next; columns outside
  // [m_left, m_right) are skipped to the same heights.
  const int64_t d = std::llabs(xb - xa), den = 2 * d, stepN = 2 * kUnit * h;
  // The step, taken only when a third column is reached (most pieces
  // cross one boundary or two).
  int64_t sq = -1, sr = 0;
  auto step = [&](int64_t& q, int64_t& r) {
    if (sq < 0) sq = stepN / den, sr = stepN % den;
    q += sq, r += sr;
    if (r >= den) ++q, r -= den;
  };
  if (xb > xa) {
    if (xa >= m_right) return;
    if (xb <= m_left) {
      m_carry += dir * h;
      return;
    }
    int64_t c = FloorPixel(xa), px = xa, py = 0;
    const int64_t last = CeilPixel(xb) - 1;
    if (xa < m_left) {
      c = leftPixel, px = m_left, py = (2 * (m_left - xa) * h + d) / den;
      m_carry += dir * py;
    }
    int64_t bx = (c + 1) * kUnit;
    const int64_t n = 2 * (bx - xa) * h + d;
    int64_t q = n / den, r = n % den;
    for (; c < rightPixel; ++c) {
      const int64_t base = c * kUnit;
      if (c == last) {
        Piece(c, px - base, xb - base, h - py, dir);
        return;
      }
      Piece(c, px - base, kUnit, q - py, dir);
      px = bx, py = q, bx += kUnit;
      step(q, r);
    }
    return;
  }
  if (xb >= m_right) return;
  if (xa <= m_left) {
    m_carry += dir * h;
    return;
  }
  int64_t c = CeilPixel(xa) - 1, px = xa, py = 0;
  const int64_t last = FloorPixel(xb);
  if (xa > m_right) c = rightPixel - 1, px = m_right, py = (2 * (xa - m_right) * h + d) / den;
  int64_t bx = c * kUnit;
  const int64_t n = 2 * (xa - bx) * h + d;
  int64_t q = n / den, r = n % den;
  for (;; --c) {
    if (c < leftPixel) {
      m_carry += dir * (h - py);
      return;
    }
    const int64_t base = c * kUnit;
    if (c == last) {
      Piece(c, px - base, xb - base, h - py, dir);
      return;
    }
    Piece(c, px - base, 0, q - py, dir);
    px = bx, py = q, bx -= kUnit;
    step(q, r);
  }
}

void Cover::EmitRow(int y, const RowSink& row) {
  const int width = static_cast<int>((m_right - m_left) / kUnit);
  const bool nonZero = m_rule == Rule::kNonZero;
  m_spans.clear();
  auto put = [&](int x0, int x1, int64_t doubled) {
    int64_t a = std::llabs(doubled);
    if (nonZero) {
      a = std::min(a, kWhole);
    } else {
      a %= 2 * kWhole;
      if (a > kWhole) a = 2 * kWhole - a;
    }
    const auto cover = static_cast<uint8_t>((a * 255 + kWhole / 2) / kWhole);
    if (cover == 0) return;
    x0 += m_leftPixel, x1 += m_leftPixel;
    if (!m_spans.empty() && m_spans.back().x1 == x0 && m_spans.back().cover == cover) {
      m_spans.back().x1 = x1;
    } else {
      m_spans.push_back(Span{x0, x1, cover});
    }
  };
  int64_t acc = m_carry;
  int x = 0;
  // The touched columns, left to right, from the words of the bit set.
  for (size_t w = 0; w < m_words; ++w) {
    if (!m_touched[w]) continue;
    for (uint64_t bits = m_touched[w]; bits != 0; bits &= bits - 1) {
      const int i = static_cast<int>(64 * w + static_cast<size_t>(__builtin_ctzll(bits)));
      if (i > x && acc != 0) put(x, i, acc * 2 * kUnit);
      acc += m_cells[i].cover;
      put(i, i + 1, acc * 2 * kUnit - m_cells[i].area);
      x = i + 1;
      m_cells[i] = Cell{};
    }
    m_touched[w] = 0;
  }
  if (x < width && acc != 0) put(x, width, acc * 2 * kUnit);
  m_carry = 0;
  if (!m_spans.empty()) row(y, m_spans.data(), m_spans.size());
}

void Cover::Render(const Rows& band, const RowSink& row) {
  const int width = band.right - band.left;
  if (width <= 0 || band.bottom <= band.top) return;
  if (!m_sorted) {
    SortEdges();
    m_sorted = true;
    m_nextRow = INT64_MIN;
  }
  if (m_cells.size() < static_cast<size_t>(width)) {
    m_cells.assign(width, Cell{});
    m_touched.assign((static_cast<size_t>(width) + 63) / 64, 0);
  }
  m_leftPixel = band.left;
  m_left = static_cast<int64_t>(band.left) * kUnit;
  m_right = static_cast<int64_t>(band.right) * kUnit;
  m_carry = 0;
  m_words = (static_cast<size_t>(width) + 63) / 64;
  for (int64_t py = band.top; py < band.bottom; ++py) {
    const int64_t top = py * kUnit, bottom = top + kUnit;
    if (py != m_nextRow) {
      Start(py);
    } else {
      while (m_next < m_edges.size() && m_edges[m_next].y0 < bottom) Activate(m_edges[m_next++], top);
    }
    m_nextRow = py + 1;
    // The order of the edges does not matter: one that ends leaves its
    // place to the last.
    for (size_t i = 0; i < m_active.size();) {
      Active& a = m_active[i];
      const bool ends = a.y1 <= bottom;
      const int64_t xb = ends ? a.x1 : a.x0 + a.q;
      const int64_t h = std::min(a.y1, bottom) - std::max(a.y0, top);
      if (h > 0) {
        // Most pieces stay in one pixel.
        const int64_t c = FloorPixel(a.x);
        if (c == FloorPixel(xb) && a.x >= m_left && xb < m_right) {
          Piece(c, a.x - c * kUnit, xb - c * kUnit, h, a.dir);
        } else {
          Walk(a.x, xb, h, a.dir);
        }
      }
      if (ends) {
        a = m_active.back();
        m_active.pop_back();
        continue;
      }
      a.x = xb;
      a.q += a.dq, a.r += a.dr;
      if (a.r >= 2 * a.dy) ++a.q, a.r -= 2 * a.dy;
      ++i;
    }
    EmitRow(static_cast<int>(py), row);
  }
}

void Cover::Render(const Rows& band, uint8_t* mask, int stride) {
  const int width = band.right - band.left;
  if (width <= 0 || band.bottom <= band.top) return;
  for (int y = band.top; y < band.bottom; ++y) {
    std::fill_n(mask + static_cast<size_t>(y - band.top) * stride, width, 0);
  }
  Render(band, [&](int y, const Span* spans, size_t count) {
    uint8_t* out = mask + static_cast<size_t>(y - band.top) * stride - band.left;
    for (size_t i = 0; i < count; ++i) std::fill(out + spans[i].x0, out + spans[i].x1, spans[i].cover);
  });
}

}  // namespace kycover
