#include "polygon_clip.h"

namespace kyexport {

namespace {

// Keeps the side of one edge where inside() holds; cross() is where a
// segment meets the edge.
template <typename Inside, typename Cross>
std::vector<Pt> CutBy(const std::vector<Pt>& in, Inside inside, Cross cross) {
  std::vector<Pt> out;
  if (in.empty()) return out;
  Pt prev = in.back();
  bool prevIn = inside(prev);
  for (const Pt& p : in) {
    const bool pIn = inside(p);
    if (pIn != prevIn) out.push_back(cross(prev, p));
    if (pIn) out.push_back(p);
    prev = p;
    prevIn = pIn;
  }
  return out;
}

Pt AtX(const Pt& a, const Pt& b, double x) { return {x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)}; }
Pt AtY(const Pt& a, const Pt& b, double y) { return {a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y}; }

}  // namespace

std::vector<Pt> ClipToRect(const std::vector<Pt>& poly, double x0, double y0, double x1, double y1) {
  std::vector<Pt> p = poly;
  p = CutBy(p, [&](const Pt& q) { return q.x >= x0; }, [&](const Pt& a, const Pt& b) { return AtX(a, b, x0); });
  p = CutBy(p, [&](const Pt& q) { return q.x <= x1; }, [&](const Pt& a, const Pt& b) { return AtX(a, b, x1); });
  p = CutBy(p, [&](const Pt& q) { return q.y >= y0; }, [&](const Pt& a, const Pt& b) { return AtY(a, b, y0); });
  p = CutBy(p, [&](const Pt& q) { return q.y <= y1; }, [&](const Pt& a, const Pt& b) { return AtY(a, b, y1); });
  if (p.size() < 3) p.clear();
  return p;
}

}  // namespace kyexport
