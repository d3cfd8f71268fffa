#include "KyMapStroke.h"

#include <algorithm>
#include <cmath>

#include "KyMapBand.h"

namespace kymap {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct P {
  double x, y;
};
P operator+(P a, P b) { return {a.x + b.x, a.y + b.y}; }
P operator-(P a, P b) { return {a.x - b.x, a.y - b.y}; }
P operator*(P a, double k) { return {a.x * k, a.y * k}; }

// The ring moved d pixels to its left (y down), corners mitred (held to
// four times d at sharp ones).
std::vector<P> Offset(const std::vector<P>& ring, double d) {
  const size_t n = ring.size();
  if (d == 0 || n < 2) return ring;
  std::vector<P> out(n);
  auto normal = [](P a, P b) {
    const P v = b - a;
    const double len = std::hypot(v.x, v.y);
    return len > 0 ? P{v.y / len, -v.x / len} : P{0, 0};
  };
  for (size_t i = 0; i < n; ++i) {
    const P n1 = normal(ring[(i + n - 1) % n], ring[i]), n2 = normal(ring[i], ring[(i + 1) % n]);
    P m = n1 + n2;
    const double len = std::hypot(m.x, m.y);
    if (len < 1e-9) {
      out[i] = ring[i] + n2 * d;
      continue;
    }
    m = m * (1 / len);
    const double cosHalf = std::max(0.25, m.x * n2.x + m.y * n2.y);
    out[i] = ring[i] + m * (d / cosHalf);
  }
  return out;
}

// Calls fn(s, point, left normal) at s = phase + k step along the closed
// ring. Nothing when the stations would be past a million.
template <typename Fn>
void Stations(const std::vector<P>& ring, double phase, double step, Fn fn) {
  double total = 0;
  for (size_t i = 0; i < ring.size(); ++i) {
    const P v = ring[(i + 1) % ring.size()] - ring[i];
    total += std::hypot(v.x, v.y);
  }
  if (!(step > 0) || total / step > 1e6) return;
  double s0 = 0;
  for (size_t i = 0; i < ring.size(); ++i) {
    const P a = ring[i], v = ring[(i + 1) % ring.size()] - a;
    const double len = std::hypot(v.x, v.y);
    if (len == 0) continue;
    const P dir = v * (1 / len), n{dir.y, -dir.x};
    for (double s = phase + std::ceil((s0 - phase) / step) * step; s < s0 + len; s += step) {
      if (s >= s0) fn(s, a + dir * (s - s0), n);
    }
    s0 += len;
  }
}

// The point at distance s along the closed ring (wrapping).
P PointAt(const std::vector<P>& ring, double s) {
  for (int round = 0; round < 2; ++round) {
    for (size_t i = 0; i < ring.size(); ++i) {
      const P a = ring[i], v = ring[(i + 1) % ring.size()] - a;
      const double len = std::hypot(v.x, v.y);
      if (s <= len && len > 0) return a + v * (s / len);
      s -= len;
    }
  }
  return ring.front();
}

void SetColour(cairo_t* cr, COLORREF c, double alpha) {
  cairo_set_source_rgba(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0, alpha);
}

}  // namespace

double OutlineReach(double width, const CKyLineStyleObj* style) {
  const double u = std::max(width, 2.0);
  double reach = width;
  if (style) {
    for (const KyLineLayer& l : style->GetLayers()) {
      reach = std::max({reach, (std::fabs(l.offset) + l.pen + 1) * u, std::fabs(l.offset2) * u + l.pen * u});
    }
  }
  return reach;
}

void StrokeOutline(cairo_t* cr, const DevicePath& path, COLORREF colour, double width, const CKyLineStyleObj* style,
                   bool pixels) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // On pixels, a line thinner than a pixel is a pixel wide at that fraction
  // of opacity.
  auto pen = [&](double w) {
    SetColour(cr, colour, pixels ? std::min(1.0, w) : 1.0);
    cairo_set_line_width(cr, pixels ? std::max(1.0, w) : w);
  };
  // u: the line style's unit, as the line-style module sizes its layers.
  const double u = std::max(width, 2.0);
  if (!style) {
    pen(width);
    AddRings(cr, path.xy.data(), path.sizes.data(), path.sizes.size());
    cairo_stroke(cr);
  } else {
    size_t at = 0, r = 0;
    for (int n : path.sizes) {
      std::vector<P> ring(n);
      for (int i = 0; i < n; ++i) ring[i] = P{path.xy[at + 2 * i], path.xy[at + 2 * i + 1]};
      // The line style's left side and phase follow the ring as given.
      if (r < path.reversed.size() && path.reversed[r]) std::reverse(ring.begin(), ring.end());
      ++r;
      at += 2 * static_cast<size_t>(n);
      for (const KyLineLayer& l : style->GetLayers()) {
        pen(l.pen > 0 ? l.pen * u : pixels ? 1.0 : std::min(width, 1.0));
        if (l.kind == KyLineLayer::kLine) {
          std::vector<double> dash;
          for (double v : l.dash) dash.push_back(v * u);
          cairo_set_dash(cr, dash.data(), static_cast<int>(dash.size()), 0);
          const std::vector<P> line = Offset(ring, l.offset * u);
          cairo_move_to(cr, line[0].x, line[0].y);
          for (size_t i = 1; i < line.size(); ++i) cairo_line_to(cr, line[i].x, line[i].y);
          cairo_close_path(cr);
          cairo_stroke(cr);
          cairo_set_dash(cr, nullptr, 0, 0);
        } else if (l.kind == KyLineLayer::kTicks) {
          Stations(ring, l.phase * u, l.step * u, [&](double, P p, P nn) {
            const P a = p + nn * (l.offset * u), b = p + nn * (l.offset2 * u);
            cairo_move_to(cr, a.x, a.y);
            cairo_line_to(cr, b.x, b.y);
          });
          cairo_stroke(cr);
        } else {
          SetColour(cr, colour, 1.0);
          Stations(ring, l.phase * u, l.step * u, [&](double s, P p, P nn) {
            const P end = PointAt(ring, s + l.length * u), mid = (p + end) * 0.5 + nn * (l.offset * u);
            cairo_move_to(cr, p.x, p.y);
            cairo_line_to(cr, mid.x, mid.y);
            cairo_line_to(cr, end.x, end.y);
            cairo_close_path(cr);
          });
          cairo_fill(cr);
        }
      }
    }
  }
}

void AddRingStroke(kycover::Cover& cover, const double* ring, int n, double width, StrokeScratch& scratch) {
  const double half = width / 2;
  if (!(half > 0) || n < 2) return;
  auto fixed = [](double v) { return std::nearbyint(v * 256) / 256; };
  auto fixedP = [&](P p) { return P{fixed(p.x), fixed(p.y)}; };
  // Round joins of chords that stray at most 1/50 pixel.
  const double step = half > 0.04 ? 2 * std::acos(1 - 0.04 / half) : kPi / 4;
  // A hair under the step's cosine, so that a turn of about one step takes
  // the exact count below.
  const double cosStep = std::cos(step) + 1e-9;
  // The two sides of the line: plus at +normal, minus at -normal, point by
  // point along the ring.
  std::vector<double>&pts = scratch.points, &normals = scratch.normals, &plus = scratch.plus, &minus = scratch.minus;
  auto put = [](std::vector<double>& side, P p) { side.insert(side.end(), {p.x, p.y}); };
  {
    // The ring's distinct points and each segment's normal, half the width
    // long, to 1/256 of a pixel.
    pts.clear();
    for (int i = 0; i < n; ++i) {
      const double x = ring[2 * i], y = ring[2 * i + 1];
      if (pts.empty() || x != pts[pts.size() - 2] || y != pts.back()) pts.insert(pts.end(), {x, y});
    }
    while (pts.size() > 2 && pts[pts.size() - 2] == pts[0] && pts.back() == pts[1]) pts.resize(pts.size() - 2);
    const size_t m = pts.size() / 2;
    if (m < 2) return;
    auto point = [&](size_t i) { return P{pts[2 * (i % m)], pts[2 * (i % m) + 1]}; };
    auto normal = [&](size_t i) { return P{normals[2 * (i % m)], normals[2 * (i % m) + 1]}; };
    normals.resize(2 * m);
    for (size_t i = 0; i < m; ++i) {
      const P v = point(i + 1) - point(i);
      const double len = std::hypot(v.x, v.y);
      normals[2 * i] = fixed(-v.y / len * half);
      normals[2 * i + 1] = fixed(v.x / len * half);
    }
    plus.clear();
    minus.clear();
    for (size_t i = 0; i < m; ++i) {
      // The join at b of the segments a -> b and b -> c.
      const P a = point(i), b = point(i + 1), c = point(i + 2);
      const P n1 = normal(i), n2 = normal(i + 1);
      const double cross = n1.x * n2.y - n1.y * n2.x, dot = n1.x * n2.x + n1.y * n2.y;
      if (cross == 0 && dot > 0) {  // straight on
        put(plus, b + n1);
        put(minus, b - n1);
        continue;
      }
      // The side the path turns away from (outer) takes a round join: the
      // arc from one segment's end to the next one's, in chords.
      const P next = c - b;
      const double side = next.x * n1.x + next.y * n1.y > 0 ? -1 : 1;
      std::vector<double>& outer = side > 0 ? plus : minus;
      std::vector<double>& inner = side > 0 ? minus : plus;
      double turn = 0;
      int steps = 1;
      if (dot <= cosStep * std::sqrt((n1.x * n1.x + n1.y * n1.y) * (n2.x * n2.x + n2.y * n2.y))) {
        // A path that doubles back turns by half a circle either way: the
        // arc goes round the end, ahead of the segment (n1 turned by -pi/2
        // points along it on the plus side).
        turn = cross == 0 ? -side * kPi : std::atan2(cross, dot);
        steps = std::clamp(static_cast<int>(std::ceil(std::fabs(turn) / step)), 1, 64);
      }
      for (int k = 0; k <= steps; ++k) {
        P r = k == 0 ? n1 : n2;
        if (k > 0 && k < steps) {
          const double t = turn * k / steps, cs = std::cos(t), sn = std::sin(t);
          r = P{fixed(n1.x * cs - n1.y * sn), fixed(n1.x * sn + n1.y * cs)};
        }
        put(outer, P{b.x + side * r.x, b.y + side * r.y});
      }
      // The inner side: where the two segments' edges cross, when that lies
      // in the half of each segment next to b (so that the two ends of a
      // segment never pass each other); else through b itself, which
      // covers what the segments' own quadrilaterals cover. Taken from b's
      // offsets, to 1/256 of a pixel, so that it moves with b exactly.
      const P p1 = n1 * -side, p2 = n2 * -side, d1 = b - a, d2 = next;
      const double det = d2.x * d1.y - d1.x * d2.y;
      bool crossed = false;
      if (std::fabs(det) > 1e-12 * (std::fabs(d2.x * d1.y) + std::fabs(d1.x * d2.y))) {
        const P w = p2 - p1;
        const double t = (d2.x * w.y - w.x * d2.y) / det, u = (d1.x * w.y - d1.y * w.x) / det;
        if (t >= -0.5 && t <= 0 && u >= 0 && u <= 0.5) {
          put(inner, b + fixedP(p1 + d1 * t));
          crossed = true;
        }
      }
      if (!crossed) {
        put(inner, b + p1);
        put(inner, b);
        put(inner, b + p2);
      }
    }
    const size_t k = plus.size() / 2;
    auto reversePlus = [&] {
      for (size_t i = 0; i < k / 2; ++i) {
        std::swap(plus[2 * i], plus[2 * (k - 1 - i)]);
        std::swap(plus[2 * i + 1], plus[2 * (k - 1 - i) + 1]);
      }
    };
    if (m == 2) {
      // There and back: the plus side goes round both ends and is the
      // whole line (the minus side would count it twice); turned the
      // positive way.
      double area = 0;
      for (size_t i = 0, j = k - 1; i < k; j = i++) area += plus[2 * j] * plus[2 * i + 1] - plus[2 * i] * plus[2 * j + 1];
      if (area < 0) reversePlus();
      cover.AddRing(plus.data(), static_cast<int>(k));
      return;
    }
    // The band between the sides turns the positive way whichever way the
    // ring turns: minus forwards, plus backwards.
    cover.AddRing(minus.data(), static_cast<int>(minus.size() / 2));
    reversePlus();
    cover.AddRing(plus.data(), static_cast<int>(k));
  }
}

}  // namespace kymap
