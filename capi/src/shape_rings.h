// The rings of one kyfsl_fill in buffer pixels, and what each band of the
// drawing needs of them.
//
// A band drawn on its own device needs only the edges that cross its rows.
// A run of consecutive points all well above the band (or all well below)
// is cut to its first and last point: the straight edge between them stays
// on the same side, so every pixel of the band keeps its crossings and the
// alternate rule gives it the same parity. The edges that reach into the
// band are the shape's own, unchanged, so the band's pixels are those the
// whole shape gives. A ring with every point on one side is left out.
#pragma once

#include <vector>

#include "afxdc.h"

namespace kyfsl_capi {

class ShapeRings {
 public:
  // points: every ring's points one after the other, counts[i] of ring i.
  ShapeRings(std::vector<POINT> points, std::vector<int> counts);

  // The pixels the shape can touch, a margin around its points, cut to a
  // buffer of width x height; empty when it lies wholly outside.
  CRect Area(int width, int height) const;

  // The rings for drawing band (buffer pixels) on a device whose (0, 0) is
  // the band's corner: every point moved by the corner and, with cut set,
  // runs of points far above or below the band cut as the opening comment
  // tells. counts is empty when no ring reaches the band.
  void ForBand(const CRect& band, bool cut, std::vector<POINT>* points, std::vector<int>* counts) const;

  // The corner of the box of the shape's pixels (alternate rule) within
  // area, found a band of rows at a time; false when it has none there.
  bool PixelCorner(const CRect& area, int rows, POINT* corner) const;

 private:
  std::vector<POINT> m_points;
  std::vector<int> m_counts;
};

}  // namespace kyfsl_capi
