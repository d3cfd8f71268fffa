// The ring clipper of the map's view, shared with the tile library (an
// internal header: tiles include it from map/src). A ring is cut by one
// half plane at a time; four passes cut it to a rectangle.
#pragma once

#include <vector>

namespace kymap {

struct ClipPt {
  double x, y;
};

// One pass of the polygon clipper against the half plane inside(p): the
// ring in `in` is replaced by its part inside, cross(a, b) giving the point
// where edge a-b leaves or enters it. out is scratch space.
template <typename Inside, typename Cross>
void ClipEdge(std::vector<ClipPt>& in, std::vector<ClipPt>& out, Inside inside, Cross cross) {
  out.clear();
  if (in.empty()) return;
  ClipPt prev = in.back();
  bool prevIn = inside(prev);
  for (const ClipPt& cur : in) {
    const bool curIn = inside(cur);
    if (curIn != prevIn) out.push_back(cross(prev, cur));
    if (curIn) out.push_back(cur);
    prev = cur;
    prevIn = curIn;
  }
  in.swap(out);
}

}  // namespace kymap
