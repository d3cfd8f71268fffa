// The source of a block transfer, row by row, in the destination's span form:
// read from the source bitmap, sampled when stretching, and converted between
// formats through the row converter of both tables.
//
// Colour conversion between monochrome and colour follows the platform: a
// monochrome source drawn into colour takes the destination's text colour
// for 0 bits and its background colour for 1 bits; a colour source drawn
// into monochrome gives 1 where the pixel equals the source's background
// colour and 0 elsewhere.
#pragma once

#include <cstdint>
#include <vector>

#include "fill.h"

namespace kygdi {

// A rectangle in 64 bits: extents of 32-bit corners reach 2^32.
struct Box64 {
  int64_t left, top, right, bottom;
  int64_t Width() const { return right - left; }
  int64_t Height() const { return bottom - top; }
};

// Where a blit reads and writes, in device units: both boxes normalised,
// the mirroring and stretching noted. Without stretching both boxes have
// one size and lie inside the source bitmap.
struct BlitPlan {
  uint8_t rop = 0;
  bool use_src = false, use_pat = false;
  bool stretch = false, flip_x = false, flip_y = false;
  Box64 dr{0, 0, 0, 0}, sr{0, 0, 0, 0};
};

// Turns source pixel values into destination pixel values, a row at a time.
class RowConverter {
 public:
  RowConverter(const Surface& src, const Surface& dst, const DC& dc, COLORREF src_bk);
  // v holds n source pixel values; afterwards the destination's.
  void Convert(uint32_t* v, int n) const;

 private:
  enum class Kind { kSame, kFromMono, kToMono, kColour } kind_;
  const Surface& src_;
  const Surface& dst_;
  uint32_t mono_[2] = {0, 0};
  uint32_t src_bk_ = 0;
};

// A source row converted straight into destination pixels (blit_source.cpp
// keeps them in a fast-path table).
using FusedRow = void (*)(const uint8_t* src, uint8_t* dst, int n);
// The table's converter from one colour depth to another; null when there is
// none or the fast paths are off.
FusedRow FindFusedRow(int src_bpp, int dst_bpp);

class SourceRows {
 public:
  // plan is a stretching or converting blit whose source is src (non-empty).
  SourceRows(const DC& dc, const BlitPlan& plan, const BlitSource& src);
  // The source under destination pixels [x, x + w) of row y, in the
  // destination's span form; valid until the next call.
  const uint8_t* Row(int x, int y, int w);
  // Converts the same pixels straight into out (w destination pixels) when
  // a fused converter can, without a copy through the row; false, with out
  // untouched, when the row must come through Row.
  bool RowInto(int x, int y, int w, uint8_t* out);

 private:
  const uint8_t* Straight(int x, int y, int w);
  const uint8_t* Stretched(int x, int y, int w);
  // Pixel values of a whole source row.
  const uint32_t* SourceValues(int sy);
  // The source columns [first, last] of destination columns x .. x + w - 1.
  void MapColumns(int x, int w);

  const BlitPlan& plan_;
  const Surface& src_;
  const Surface& dst_;
  RowConverter convert_;
  bool same_surface_;
  bool and_scans_, or_scans_;
  FusedRow fused_;  // null: the row converter's four calls
  std::vector<uint8_t> span_, raw_;
  std::vector<uint32_t> values_, row_values_;
  int row_values_y_ = -1;
  std::vector<int> col_first_, col_last_;
  int cols_x_ = 0, cols_w_ = -1;
};

}  // namespace kygdi
