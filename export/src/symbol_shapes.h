// The strokes of a symbol as SVG elements, placed on a symbol pattern tile.
//
// A symbol is laid out in symbol sizes with its anchor at (0, 0), y downward
// (KySymStroke.h). On the tile, whose unit is a tenth of a millimetre, one
// symbol size is the pattern's symbol size, and a symbol turned by +a tenths
// of a degree turns counter-clockwise on the page:
//
//   tx = ax + s * ( x * cos a + y * sin a)
//   ty = ay + s * (-x * sin a + y * cos a)
//
// the same mapping the symbol module uses on a device.
#pragma once

#include <string>
#include <vector>

#include "KyVuv50.h"
#include "polygon_clip.h"

namespace kyexport {

struct SymbolPlace {
  double ax = 0, ay = 0;  // anchor on the tile
  double size = 60;       // tile units per symbol size
  int angle = 0;          // tenths of a degree, counter-clockwise
};

// Appends one element per stroke of sym to svg. Strokes that are not colour
// fixed draw in follow.
void AppendSymbolShapes(const CKySymbol& sym, const SymbolPlace& place, COLORREF follow, std::string& svg);

// The symbol as filled polygons on the tile: fills as they are, a pen as
// the band a round pen sweeps (a quadrilateral per segment, a disc per
// vertex). A copy of a symbol that crosses the tile's edge is drawn this way
// and clipped to the tile, because some readers (Mapnik) size a pattern by
// the extent of its drawing rather than by its viewBox.
struct SymbolArea {
  std::vector<Pt> pts;
  COLORREF colour = 0;
  bool hatched = false;  // drawn half-covering, as AppendSymbolShapes draws hatches
};
std::vector<SymbolArea> SymbolAreas(const CKySymbol& sym, const SymbolPlace& place, COLORREF follow);
// Whether every area lies within [0, w] x [0, h].
bool AreasInside(const std::vector<SymbolArea>& areas, double w, double h);
// Appends each area, clipped to [0, w] x [0, h], as a <polygon>.
void AppendClippedAreas(const std::vector<SymbolArea>& areas, double w, double h, std::string& svg);

// The positions at which a symbol at (px, py) is drawn on a w x h tile so
// that a symbol cut by an edge continues on the opposite edge: the point
// itself, then its copies across each edge and corner it comes within half
// the symbol size of. Returns the count written to xs/ys (1 to 9).
int WrappedPositions(long px, long py, long w, long h, long symSize, long xs[9], long ys[9]);

}  // namespace kyexport
