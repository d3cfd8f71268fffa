// KyCover: the share of each pixel a set of polygons covers, for
// anti-aliased drawing.
//
// A pixel's cover is the area of it inside the polygons, by the non-zero or
// the alternate rule, scaled to 0..255. Vertices are taken to 1/256 of a
// pixel; each edge is cut at the pixel rows and columns it crosses, every
// cut point computed exactly in integers from the edge's own ends, so the
// pieces do not depend on the rows or columns asked for, and the areas are
// summed in integers. Hence a picture moved by whole pixels has the very
// same covers (pictures drawn from different corners, tiles and bands, join
// without a seam), and an edge that two rings share in opposite directions
// cancels exactly: neighbours cover like their union.
//
// Where rings overlap (non-zero rule) the areas add and are capped at the
// whole pixel; in the alternate rule they fold (an area of one and a half
// pixel counts as half). Only pixels crossed by two boundaries at once can
// differ from the exact share of the union.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace kycover {

enum class Rule { kNonZero, kEvenOdd };

// Pixels [left, right) x [top, bottom).
struct Rows {
  int left, top, right, bottom;
};

// Pixels [x0, x1) of one row, each covered by cover (1..255).
struct Span {
  int x0, x1;
  uint8_t cover;
};

class Cover {
 public:
  explicit Cover(Rule rule = Rule::kNonZero) : m_rule(rule) {}

  // A closed ring of n points, x, y pairs in pixels (y down). Points that
  // are not finite or lie beyond 2^30 pixels drop the ring; false then.
  bool AddRing(const double* xy, int n);
  // Rings one after another in xy, sizes[i] points each, as AddRing takes
  // them.
  template <typename Size>
  void AddRings(const double* xy, const Size* sizes, size_t rings) {
    for (size_t i = 0; i < rings; xy += 2 * static_cast<size_t>(sizes[i]), ++i) AddRing(xy, static_cast<int>(sizes[i]));
  }
  void Clear();
  // Room for this many more edges (rings' points) before they are added.
  void Reserve(size_t edges) { m_edges.reserve(m_edges.size() + edges); }
  bool Empty() const { return m_edges.empty(); }
  // The rows the rings reach, in whole pixels; {0, 0, 0, 0} when empty.
  Rows Bounds() const;

  // Hands each row of the band, top down, to row(y, spans, count): the
  // row's covered pixels left to right, neighbours of one cover merged;
  // rows with none are not handed. Bands asked top to bottom continue one
  // sweep; any other order starts it again.
  using RowSink = std::function<void(int y, const Span* spans, size_t count)>;
  void Render(const Rows& band, const RowSink& row);
  // The same written into mask (one byte a pixel, stride bytes a row, every
  // pixel of the band written).
  void Render(const Rows& band, uint8_t* mask, int stride);

 private:
  struct Edge {
    int64_t x0, y0, x1, y1;  // 1/256 of a pixel, y0 < y1
    int dir;                 // +1 drawn downwards, -1 upwards
  };
  // An edge the sweep is in: where it enters the current row, and
  // floor(dx (Y - y0) / dy) for the row boundary Y below it (q, remainder
  // r), stepped by dq, dr a row.
  struct Active {
    int64_t x0, y0, x1, y1, dy;
    int64_t x;
    int64_t q, r, dq, dr;
    int dir;
  };
  void SortEdges();
  void Start(int64_t row);
  void Activate(const Edge& e, int64_t rowTop);
  // Adds the piece of an edge inside one pixel row, from (xa, 0) to (xb, h)
  // in the row's heights, to the row's cells.
  void Walk(int64_t xa, int64_t xb, int64_t h, int dir);
  void Piece(int64_t cell, int64_t fx0, int64_t fx1, int64_t h, int dir);
  void EmitRow(int y, const RowSink& row);

  Rule m_rule;
  std::vector<Edge> m_edges, m_spare;
  bool m_sorted = false;
  // The sweep: the next pixel row it expects, the next edge to join.
  int64_t m_nextRow = INT64_MIN;
  size_t m_next = 0;
  std::vector<Active> m_active;
  // The row being summed: its columns [m_left, m_right) in fixed units,
  // per column the heights (cover) and doubled areas of the pieces in it,
  // the columns touched, and the heights of pieces left of m_left.
  int64_t m_left = 0, m_right = 0;
  int m_leftPixel = 0;
  struct Cell {
    int64_t cover = 0, area = 0;
  };
  std::vector<Cell> m_cells;
  std::vector<uint64_t> m_touched;  // a bit a column
  size_t m_words = 0;                // the row's words of it
  int64_t m_carry = 0;
  std::vector<Span> m_spans;
  std::vector<int64_t> m_points;  // a ring's points being added
};

}  // namespace kycover
