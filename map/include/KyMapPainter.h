// KyMapPainter: fills and outlines polygons on a device with the classes of
// a map, each prepared once. Library styles go through the module's own
// record operations (tile preparation, PolyPolygon with the alternate rule,
// the transparent pair, blending at a rate), gradients through
// CKyEspecialFill, built-in fills through solid and hatch brushes.
#pragma once

#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "KyMapStyles.h"
#include "afxdc.h"

class CKyFillStyle;
class CKyFillStyleLib;
class CKyLineStyleLib;

namespace kymap {

// Where tiles start: at each shape's bounding box, or on one grid through
// the picture's origin so that neighbours continue one pattern.
enum class Align { kShape, kMap };

class MapPainter {
 public:
  // bPrint: the printer's route (the pattern image drawn at device
  // resolution). origin: where Align::kMap starts the tiles (the map's top
  // left corner in device pixels). The DC must stay valid for the painter's
  // life.
  MapPainter(CDC& dc, CKyFillStyleLib& lib, Align align, bool print, POINT origin = {0, 0});
  ~MapPainter();
  MapPainter(const MapPainter&) = delete;
  MapPainter& operator=(const MapPainter&) = delete;

  // Prepares a class and returns its number. Throws MapError when the style
  // is not in the library, the line style is unknown, or the tile cannot
  // be made for this device.
  int AddClass(const FillSpec& spec);
  const FillSpec& Spec(int cls) const;
  // Fills the rings (device pixels, counts points each) and draws their
  // outline. Nothing for no rings.
  void Draw(int cls, std::vector<POINT>& pts, std::vector<int>& counts);
  // Fills the rings with the class's fill alone, without its outline.
  void FillOnly(int cls, std::vector<POINT>& pts, std::vector<int>& counts);
  // The class's fill in a rectangle, for a legend swatch.
  // The size of a legend swatch of the class: at least minimum, and at
  // least one whole tile of its pattern.
  CSize SwatchSize(int cls, const CSize& minimum) const;
  // The class's fill in a rectangle, for a legend swatch: a tile of its
  // pattern centred in it.
  void Swatch(int cls, const CRect& rect);
  // The prepared copy of the class's library style; null for built-in
  // fills and gradients.
  const CKyFillStyle* Style(int cls) const;
  // Outline pen width in pixels of the class (0: none).
  int OutlinePixels(int cls) const;
  // With Align::kMap, lays every pattern and hatch on a grid through (x, y)
  // in device pixels from now on, for classes prepared before and after: a
  // picture cut from a larger one (a tile of a world) passes the larger
  // one's origin so that its patterns continue it. Far origins are fine:
  // each is taken modulo its pattern's size.
  void SetPatternOrigin(long long x, long long y);

 private:
  struct Prepared;
  void Fill(Prepared& p, std::vector<POINT>& pts, std::vector<int>& counts);
  void Stroke(Prepared& p, const std::vector<POINT>& pts, const std::vector<int>& counts);

  void Anchor(CKyFillStyle& style) const;

  CDC& m_dc;
  CKyFillStyleLib& m_lib;
  Align m_align;
  bool m_print;
  long long m_originX, m_originY;
  std::unique_ptr<CKyLineStyleLib> m_lines;
  std::vector<std::unique_ptr<Prepared>> m_classes;
  // Prepared styles by id, colours and mode: classes that share them share
  // one copy, however many classes there are.
  std::map<std::tuple<long, COLORREF, COLORREF, bool>, std::shared_ptr<CKyFillStyle>> m_prepared;
};

}  // namespace kymap
