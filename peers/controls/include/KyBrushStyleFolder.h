// CKyBrushStyleFolder: the GDI brushes of the built-in fills.
//
//   index  brush
//   0      solid brush of the colour
//   1      hollow: the stock NULL_BRUSH
//   2      hatch HS_BDIAGONAL      5  hatch HS_FDIAGONAL
//   3      hatch HS_CROSS          6  hatch HS_HORIZONTAL
//   4      hatch HS_DIAGCROSS      7  hatch HS_VERTICAL
//   8 ...  a pattern brush of the colour on white, 8 x 8 pixels, one of the
//          kPatternCount patterns of this module by (index - 8) % kPatternCount
//          (dots, bricks, grid, zigzag, ...): a swatch for a library index
//          that stands out from the built-in fills and from its neighbours.
//   < 0    nothing: FALSE.
#pragma once

#include "afxwin.h"

class CKyBrushStyleFolder {
 public:
  static constexpr int kBuiltInCount = 8;
  static constexpr int kPatternCount = 8;

  // Makes in brush the brush of that index in colour cr (any object the
  // brush held before is deleted first). TRUE on success; FALSE for a
  // negative index or when the GDI cannot make the brush, with the brush
  // then left empty.
  static BOOL CreateBrush(CBrush& brush, int index, COLORREF cr);

  // The hatch style of a built-in index 2..7; -1 for any other index.
  static int HatchStyle(int index);
  // The 8 rows (top first, bit 7 the leftmost pixel, 1 = colour) of the
  // pattern used for a library index >= 8; NULL for an index below 8.
  static const BYTE* PatternRows(int index);
};
