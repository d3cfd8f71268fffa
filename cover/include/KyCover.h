// KyCover: the share of each pixel a set of polygons covers, for
// anti-aliased drawing.
//
// Each pixel is sampled on a 16 x 16 grid (samples at the centres of its
// sixteenths); a sample is inside by the non-zero or the alternate rule over
// every ring added; the pixel's cover is the inside samples scaled to
// 0..255 (256 samples give 255). Vertices are taken to 1/256 of a pixel and
// every crossing is computed exactly in integers, so a picture moved by whole
// pixels has the very same covers: pictures drawn from different corners
// (tiles, bands) join without a seam, and rings of one path that share an
// edge leave no trace of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kycover {

enum class Rule { kNonZero, kEvenOdd };

// Pixels [left, right) x [top, bottom).
struct Rows {
  int left, top, right, bottom;
};

class Cover {
 public:
  explicit Cover(Rule rule = Rule::kNonZero) : m_rule(rule) {}

  // A closed ring of n points, x, y pairs in pixels (y down). Points that
  // are not finite or lie beyond 2^30 pixels drop the ring; false then.
  bool AddRing(const double* xy, int n);
  void Clear();
  // Room for this many more edges (rings' points) before they are added.
  void Reserve(size_t edges) { m_edges.reserve(m_edges.size() + edges); }
  bool Empty() const { return m_edges.empty(); }
  // The rows the rings reach, in whole pixels; {0, 0, 0, 0} when empty.
  Rows Bounds() const;

  // Writes the covers of rows [top, bottom), columns [left, right) into
  // mask (one byte a pixel, stride bytes a row). Bands asked top to bottom
  // continue one sweep; any other order starts it again.
  void Render(const Rows& band, uint8_t* mask, int stride);

 private:
  struct Edge {
    int64_t x0, y0, x1, y1;  // 1/256 of a pixel, y0 < y1
    int dir;                 // +1 drawn downwards, -1 upwards
  };
  struct Active {
    const Edge* edge;
    int64_t q, r;    // the crossing's sample column: q + (r > 0)
    int64_t dq, dr;  // its step from one sample row to the next
    int64_t column;
  };
  void Start(int64_t sampleY);
  void Activate(const Edge& e, int64_t sampleY);

  Rule m_rule;
  std::vector<Edge> m_edges;
  bool m_sorted = false;
  // The sweep: the next sample row it expects, the next edge to join.
  int64_t m_nextY = INT64_MIN;
  size_t m_next = 0;
  std::vector<Active> m_active, m_merged;
  std::vector<int32_t> m_cells, m_steps;
  std::vector<int64_t> m_points;  // a ring's points being added
};

}  // namespace kycover
