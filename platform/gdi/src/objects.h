// The drawing objects behind HBITMAP, HPEN and HBRUSH.
#pragma once

#include <memory>
#include <vector>

#include "gdi_object.h"
#include "surface.h"

namespace kygdi {

struct DC;
struct RealisedBrush;

struct BitmapObject : GdiObject {
  Surface surface;
  DC* selected_in = nullptr;  // a bitmap is selected into one DC at most
  SIZE dimension{0, 0};       // SetBitmapDimensionEx, 0.1 mm
  BitmapObject() : GdiObject(OBJ_BITMAP) {}
  int GetObjectData(int cb, void* pv) const override;
};

struct PenObject : GdiObject {
  UINT style = PS_SOLID;  // the whole style word, type and caps included
  int width = 0;          // device units once realised; 0 and 1 are cosmetic
  COLORREF colour = 0;
  bool extended = false;  // ExtCreatePen: GetObject gives an EXTLOGPEN
  bool dc_pen = false;    // DC_PEN: the colour is the DC's pen colour
  PenObject() : GdiObject(OBJ_PEN) {}
  int GetObjectData(int cb, void* pv) const override;
  UINT Kind() const { return style & PS_STYLE_MASK; }
};

struct BrushObject : GdiObject {
  UINT style = BS_SOLID;
  COLORREF colour = 0;
  int hatch = 0;
  bool dc_brush = false;
  // BS_PATTERN: a copy of the bitmap made at creation. A monochrome pattern
  // takes the DC's text (0 bits) and background (1 bits) colours when drawn.
  std::shared_ptr<Surface> pattern;
  // The last realisation (RealiseBrush), kept while the DC state it was made
  // for stays the same: a pattern is converted once, not on every call.
  mutable std::shared_ptr<const RealisedBrush> realised;
  BrushObject() : GdiObject(OBJ_BRUSH) {}
  int GetObjectData(int cb, void* pv) const override;
};

struct PaletteObject : GdiObject {
  PaletteObject() : GdiObject(OBJ_PAL) {}
};

// A brush realised for one destination: a tile of pixels in the destination's
// span form, `mask` 0xFF where the brush paints (a hatch on a transparent
// background paints only its lines). tile_w x tile_h pixels, anchored so that
// tile pixel (0, 0) falls on the brush origin.
struct RealisedBrush {
  // What a realisation depends on besides the brush itself.
  struct Key {
    const Primitives* format = nullptr;
    int bk_mode = 0;
    COLORREF bk_colour = 0, text_colour = 0, dc_brush_colour = 0;
    POINT origin{0, 0};
    bool operator==(const Key& o) const {
      return format == o.format && bk_mode == o.bk_mode && bk_colour == o.bk_colour &&
             text_colour == o.text_colour && dc_brush_colour == o.dc_brush_colour && origin.x == o.origin.x &&
             origin.y == o.origin.y;
    }
  };
  Key key;
  bool null = true;
  bool solid = false;
  uint32_t solid_pixel = 0;
  int tile_w = 0, tile_h = 0;
  int span_bytes = 0;
  std::vector<uint8_t> tile;  // rows of tile_w * span_bytes
  std::vector<uint8_t> mask;  // rows of tile_w bytes, empty when the whole tile paints
  POINT origin{0, 0};
  // The tile's rows each repeated to wide_w pixels (a multiple of tile_w),
  // made by WideRow (PATCOPY over many rectangles asks for them once, as
  // wide as the widest): a span they cover is then one copy from its phase.
  // Empty until then; a cache, so it may grow in a brush shared as const.
  mutable std::shared_ptr<uint8_t[]> wide;
  mutable int wide_w = 0;
  const uint8_t* TileRow(int y) const;
  // Fills out with w pixels of the tile's row for device (x, y).
  void PatternSpan(int x, int y, int w, uint8_t* out) const;
  // Row ty of `wide`, at least `need` pixels wide, or null when that would
  // take more than kWideBytes (the caller then builds the span itself).
  const uint8_t* WideRow(int ty, int need) const;
  static constexpr size_t kWideBytes = size_t(1) << 20;
  void MaskSpan(int x, int y, int w, uint8_t* out) const;
};

// The hatch patterns on the 8 x 8 grid: bit 7 of a row byte is the leftmost
// pixel, 1 where the hatch line lies.
extern const uint8_t kHatchBits[6][8];

}  // namespace kygdi
