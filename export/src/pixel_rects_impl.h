// The template body of MergeRuns (pixel_rects.h).
#pragma once

#include <map>
#include <tuple>

namespace kyexport {

template <typename Keep>
std::vector<ColourRects> MergeRuns(const PatternGrid& grid, Keep keep) {
  std::vector<ColourRects> out;
  std::map<COLORREF, size_t> slot;  // colour -> index in out
  // Rectangles that end in the previous row, by (colour, left, right).
  std::map<std::tuple<COLORREF, int, int>, size_t> open, next;
  for (int y = 0; y < grid.height; ++y) {
    next.clear();
    int x = 0;
    while (x < grid.width) {
      if (!keep(x, y)) {
        ++x;
        continue;
      }
      const COLORREF c = grid.At(x, y);
      int end = x + 1;
      while (end < grid.width && keep(end, y) && grid.At(end, y) == c) ++end;
      auto s = slot.find(c);
      if (s == slot.end()) {
        s = slot.emplace(c, out.size()).first;
        out.push_back(ColourRects{c, {}});
      }
      std::vector<PixelRect>& rects = out[s->second].rects;
      const auto key = std::make_tuple(c, x, end);
      const auto above = open.find(key);
      size_t index;
      if (above != open.end()) {
        index = above->second;
        ++rects[index].h;
      } else {
        index = rects.size();
        rects.push_back(PixelRect{x, y, end - x, 1});
      }
      next.emplace(key, index);
      x = end;
    }
    open.swap(next);
  }
  return out;
}

}  // namespace kyexport
