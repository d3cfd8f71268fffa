// Regions: sets of device pixels kept as pixman's y-x banded rectangles.
// Polygon regions are scan-converted with the same rule as polygon filling
// (fill.h): a pixel belongs when its centre (x + 0.5, y + 0.5) is inside, the
// winding or alternate rule deciding, so a rectangle polygon (0,0)-(4,4)
// covers pixels 0..3.
#pragma once

#include <pixman.h>

#include <climits>
#include <vector>

#include "gdi_object.h"

namespace kygdi {

class Region {
 public:
  Region();
  Region(const RECT& r);  // NOLINT: an empty or inverted rect gives an empty region
  Region(const Region& o);
  Region& operator=(const Region& o);
  ~Region();

  static Region FromRects(const std::vector<RECT>& rects);
  // The same from pixman's boxes, which the scan conversions make directly.
  static Region FromBoxes(const std::vector<pixman_box32_t>& boxes);
  // Spans of a poly-polygon: counts gives the points of each polygon.
  static Region FromPolygons(const POINT* pts, const int* counts, int polys, int fill_mode,
                             int row_min = -(1 << 18), int row_max = 1 << 18, int col_min = INT_MIN,
                             int col_max = INT_MAX);
  // The same with real-valued vertices: xy holds x0, y0, x1, y1, ...
  // Rows outside [row_min, row_max) are not scanned and spans are cut to
  // [col_min, col_max) (drawing passes its clip box); inside those the pixels
  // are those of the whole polygon. FIXME: a region made from coordinates
  // beyond 2^18 is cut there.
  static Region FromPolygonsF(const double* xy, const int* counts, int polys, int fill_mode,
                              int row_min = -(1 << 18), int row_max = 1 << 18, int col_min = INT_MIN,
                              int col_max = INT_MAX);
  // The ellipse inscribed in box; only the part inside limit is made, when
  // given (rows beyond 2^18 are never made).
  static Region FromEllipse(const RECT& box, const RECT* limit = nullptr);
  // The pixels of r that have a 4-neighbour outside r: a one pixel outline.
  static Region Outline(const Region& r);

  bool Empty() const;
  int Type() const;  // NULLREGION, SIMPLEREGION or COMPLEXREGION
  RECT Box() const;  // all zero when empty
  bool Contains(int x, int y) const;
  bool Overlaps(const RECT& r) const;
  bool Equals(const Region& o) const;
  void Offset(int dx, int dy);
  void Intersect(const Region& o);
  void Unite(const Region& o);
  void Subtract(const Region& o);
  void Xor(const Region& o);
  std::vector<RECT> Rects() const;
  // The rectangles of this region inside bounds, top band first.
  std::vector<RECT> RectsIn(const RECT& bounds) const;

  pixman_region32_t* raw() { return &r_; }
  const pixman_region32_t* raw() const { return &r_; }

 private:
  pixman_region32_t r_;
};

struct RegionObject : GdiObject {
  Region rgn;
  RegionObject() : GdiObject(OBJ_REGION) {}
};

// Combine as CombineRgn does; returns the region type.
int CombineRegions(Region& dst, const Region& a, const Region* b, int mode);

}  // namespace kygdi
