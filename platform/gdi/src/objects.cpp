// Stock objects, pens, brushes, GetObject and DeleteObject.
#include <cstring>

#include "dc.h"
#include "rop.h"
#include "stock.h"

namespace kygdi {
namespace {

struct Stock {
  HGDIOBJ objects[STOCK_LAST + 1] = {};
  HBITMAP default_bitmap = nullptr;
  Stock() {
    auto brush = [](COLORREF c, UINT style) {
      auto b = std::make_unique<BrushObject>();
      b->style = style;
      b->colour = c;
      return AddStockObject(std::move(b));
    };
    auto pen = [](COLORREF c, UINT style) {
      auto p = std::make_unique<PenObject>();
      p->style = style;
      p->colour = c;
      return AddStockObject(std::move(p));
    };
    objects[WHITE_BRUSH] = brush(RGB(255, 255, 255), BS_SOLID);
    objects[LTGRAY_BRUSH] = brush(RGB(192, 192, 192), BS_SOLID);
    objects[GRAY_BRUSH] = brush(RGB(128, 128, 128), BS_SOLID);
    objects[DKGRAY_BRUSH] = brush(RGB(64, 64, 64), BS_SOLID);
    objects[BLACK_BRUSH] = brush(RGB(0, 0, 0), BS_SOLID);
    objects[NULL_BRUSH] = brush(0, BS_NULL);
    objects[WHITE_PEN] = pen(RGB(255, 255, 255), PS_SOLID);
    objects[BLACK_PEN] = pen(RGB(0, 0, 0), PS_SOLID);
    objects[NULL_PEN] = pen(0, PS_NULL);
    for (int f : {OEM_FIXED_FONT, ANSI_FIXED_FONT, ANSI_VAR_FONT, SYSTEM_FONT, DEVICE_DEFAULT_FONT, SYSTEM_FIXED_FONT,
                  DEFAULT_GUI_FONT})
      objects[f] = AddStockObject(MakeStockFont(f));
    objects[DEFAULT_PALETTE] = AddStockObject(std::make_unique<PaletteObject>());
    auto dcb = std::make_unique<BrushObject>();
    dcb->dc_brush = true;
    objects[DC_BRUSH] = AddStockObject(std::move(dcb));
    auto dcp = std::make_unique<PenObject>();
    dcp->dc_pen = true;
    objects[DC_PEN] = AddStockObject(std::move(dcp));
    auto bmp = std::make_unique<BitmapObject>();
    bmp->surface.Create(1, 1, 1);
    default_bitmap = static_cast<HBITMAP>(AddStockObject(std::move(bmp)));
  }
};

Stock& Stocks() {
  static Stock* s = new Stock;
  return *s;
}

}  // namespace

HBITMAP DefaultBitmap() { return Stocks().default_bitmap; }

const uint8_t kHatchBits[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // HS_HORIZONTAL: row 3
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // HS_VERTICAL: column 4
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL: down from the top left
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL: up from the bottom left
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
};

int BitmapObject::GetObjectData(int cb, void* pv) const {
  if (!pv) return sizeof(BITMAP);
  if (cb < int(sizeof(BITMAP))) return 0;
  BITMAP bm{};
  bm.bmType = 0;
  bm.bmWidth = surface.width;
  bm.bmHeight = surface.height;
  bm.bmWidthBytes = Surface::StrideFor(surface.width, surface.bpp);
  bm.bmPlanes = 1;
  bm.bmBitsPixel = WORD(surface.bpp == 0 ? 1 : surface.bpp);
  bm.bmBits = nullptr;  // device-dependent bitmaps do not show their memory
  std::memcpy(pv, &bm, sizeof bm);
  return sizeof(BITMAP);
}

int PenObject::GetObjectData(int cb, void* pv) const {
  if (!pv) return sizeof(LOGPEN);
  if (cb < int(sizeof(LOGPEN))) return 0;
  LOGPEN lp{style, POINT{width, 0}, colour};
  std::memcpy(pv, &lp, sizeof lp);
  return sizeof(LOGPEN);
}

int BrushObject::GetObjectData(int cb, void* pv) const {
  if (!pv) return sizeof(LOGBRUSH);
  if (cb < int(sizeof(LOGBRUSH))) return 0;
  LOGBRUSH lb{style, colour, ULONG_PTR(style == BS_HATCHED ? hatch : 0)};
  std::memcpy(pv, &lb, sizeof lb);
  return sizeof(LOGBRUSH);
}

// Where offset d falls in a period of n (0 <= result < n); tiles are most
// often 8 or 16 wide, where a mask does it.
static inline int Phase(int64_t d, int n) {
  if ((n & (n - 1)) == 0) return int(d & (n - 1));
  const int m = int(d % n);
  return m < 0 ? m + n : m;
}

const uint8_t* RealisedBrush::TileRow(int y) const {
  return tile.data() + size_t(Phase(int64_t(y) - origin.y, tile_h)) * size_t(tile_w) * size_t(span_bytes);
}

// Repeats the first `filled` bytes of out until it holds total bytes, in
// doubling copies: a narrow tile costs a few large copies per row instead of
// one small copy per tile width.
static void RepeatPrefix(uint8_t* out, size_t filled, size_t total) {
  for (; filled < total; filled *= 2) std::memcpy(out + filled, out, std::min(filled, total - filled));
}

const uint8_t* RealisedBrush::WideRow(int ty, int need) const {
  const size_t B = size_t(span_bytes), period = size_t(tile_w) * B;
  if (need > wide_w) {
    // At least twice the width it had, so that growing requests widen the
    // rows a few times, not on every request.
    const int64_t w = (std::max<int64_t>(need, int64_t(wide_w) * 2) + tile_w - 1) / tile_w * tile_w;
    if (uint64_t(w) * B * uint64_t(tile_h) > kWideBytes) return nullptr;
    const size_t row_bytes = size_t(w) * B;
    // Every byte is written below, so the rows are not cleared first.
    std::shared_ptr<uint8_t[]> rows(new uint8_t[row_bytes * size_t(tile_h)]);
    for (int j = 0; j < tile_h; ++j) {
      uint8_t* r = rows.get() + size_t(j) * row_bytes;
      std::memcpy(r, tile.data() + size_t(j) * period, period);
      RepeatPrefix(r, period, row_bytes);
    }
    wide = std::move(rows);
    wide_w = int(w);
  }
  return wide.get() + size_t(ty) * size_t(wide_w) * B;
}

void RealisedBrush::PatternSpan(int x, int y, int w, uint8_t* out) const {
  if (w <= 0) return;
  const int tx = Phase(int64_t(x) - origin.x, tile_w);
  const size_t B = size_t(span_bytes), total = size_t(w) * B;
  // Fast path: where the repeated rows are made (PATCOPY over many
  // rectangles makes them) and reach far enough, the span is one copy from
  // them. Spans do not make them on their own: a brush made for one call
  // would pay for rows that a few spans do not use up.
  if (wide && tx + int64_t(w) <= wide_w && FastPathsEnabled()) {
    const int ty = Phase(int64_t(y) - origin.y, tile_h);
    std::memcpy(out, wide.get() + (size_t(ty) * size_t(wide_w) + size_t(tx)) * B, total);
    return;
  }
  // One period from the span's phase, then the span copies itself.
  const uint8_t* row = TileRow(y);
  const size_t period = size_t(tile_w) * B, first = std::min(total, size_t(tile_w - tx) * B);
  std::memcpy(out, row + size_t(tx) * B, first);
  if (first < total) std::memcpy(out + first, row, std::min(total, period) - first);
  RepeatPrefix(out, std::min(total, period), total);
}

void RealisedBrush::MaskSpan(int x, int y, int w, uint8_t* out) const {
  const uint8_t* row = mask.data() + size_t(Phase(int64_t(y) - origin.y, tile_h)) * size_t(tile_w);
  int tx = Phase(int64_t(x) - origin.x, tile_w);
  for (int i = 0; i < w; ++i) {
    out[i] = row[tx];
    if (++tx == tile_w) tx = 0;
  }
}

COLORREF ResolveColour(COLORREF c) {
  if ((c >> 24) == 0x01) {  // PALETTEINDEX: an entry of the fixed palette
    const RGBQUAD& q = FixedPalette8()[c & 0xFF];
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
  }
  return c & 0x00FFFFFF;
}

namespace {

void RealiseInto(const DC& dc, const BrushObject* brush, RealisedBrush& rb) {
  const Surface& s = dc.Target();
  rb.null = false;
  rb.span_bytes = s.funcs->span_bytes;
  rb.origin = dc.st.brush_org;
  const size_t B = size_t(rb.span_bytes);
  if (brush->style == BS_HATCHED && brush->hatch >= 0 && brush->hatch <= HS_DIAGCROSS) {
    rb.tile_w = rb.tile_h = 8;
    rb.tile.resize(64 * B);
    uint32_t fg = s.ColourToPixel(ResolveColour(brush->colour));
    uint32_t bg = s.ColourToPixel(ResolveColour(dc.st.bk_colour));
    bool transparent = dc.st.bk_mode == TRANSPARENT;
    if (transparent) rb.mask.resize(64);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        bool on = (kHatchBits[brush->hatch][y] >> (7 - x)) & 1;
        s.funcs->span_fill(rb.tile.data() + size_t(y * 8 + x) * B, 1, on ? fg : bg);
        if (transparent) rb.mask[size_t(y * 8 + x)] = on ? 0xFF : 0x00;
      }
    return;
  }
  if ((brush->style == BS_PATTERN || brush->style == BS_DIBPATTERN) && brush->pattern &&
      brush->pattern->width > 0) {
    const Surface& p = *brush->pattern;
    rb.tile_w = p.width;
    rb.tile_h = p.height;
    rb.tile.resize(size_t(p.width) * size_t(p.height) * B);
    uint32_t text = s.ColourToPixel(ResolveColour(dc.st.text_colour));
    uint32_t back = s.ColourToPixel(ResolveColour(dc.st.bk_colour));
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x) {
        uint32_t v = p.funcs->get_pixel(p, x, y);
        uint32_t out;
        if (p.bpp == 1 && brush->style == BS_PATTERN)
          out = v ? back : text;
        else if (p.bpp == s.bpp)
          out = v;
        else
          out = s.ColourToPixel(p.PixelToColour(v));
        s.funcs->span_fill(rb.tile.data() + (size_t(y) * size_t(p.width) + size_t(x)) * B, 1, out);
      }
    return;
  }
  // Solid (and anything unknown, which the platform also paints solid).
  // FIXME: palette and monochrome devices take the nearest colour; the
  // platform dithers solid brushes there.
  COLORREF c = brush->dc_brush ? dc.st.dc_brush_colour : brush->colour;
  rb.solid = true;
  rb.solid_pixel = s.ColourToPixel(ResolveColour(c));
  rb.tile_w = rb.tile_h = 1;
  rb.tile.resize(B);
  s.funcs->span_fill(rb.tile.data(), 1, rb.solid_pixel);
}

}  // namespace

std::shared_ptr<const RealisedBrush> RealiseBrush(const DC& dc, const BrushObject* brush) {
  const Surface& s = dc.Target();
  if (!brush || brush->style == BS_NULL || !s.funcs) return std::make_shared<const RealisedBrush>();
  RealisedBrush::Key key{s.funcs, dc.st.bk_mode, dc.st.bk_colour, dc.st.text_colour, dc.st.dc_brush_colour,
                         dc.st.brush_org};
  if (brush->realised && brush->realised->key == key) return brush->realised;
  auto rb = std::make_shared<RealisedBrush>();
  RealisedBrush::Key moved = key;
  if (brush->realised) moved.origin = brush->realised->key.origin;
  if (brush->realised && brush->realised->key == moved) {
    // Only the origin moved: the tile and its repeated rows do not depend on
    // it (spans find their phase from the origin), so they are kept.
    *rb = *brush->realised;
    rb->origin = dc.st.brush_org;
  } else {
    RealiseInto(dc, brush, *rb);
  }
  rb->key = key;
  brush->realised = rb;
  return rb;
}

void Rop2Masks(int rop2, uint32_t pixel, uint32_t pixel_mask, uint32_t* and_bits, uint32_t* xor_bits) {
  // For each bit the ROP2 is a function f(pen, dst); with the pen fixed,
  // dst -> f(p, 0) when dst is 0 and f(p, 1) when it is 1, which is
  // (dst & (f(p,0) ^ f(p,1))) ^ f(p,0).
  int code = (rop2 - 1) & 0xF;
  auto f = [&](uint32_t p, uint32_t d) {
    uint32_t r = 0;
    if (code & 1) r |= ~p & ~d;
    if (code & 2) r |= ~p & d;
    if (code & 4) r |= p & ~d;
    if (code & 8) r |= p & d;
    return r;
  };
  uint32_t a = f(pixel, 0), b = f(pixel, 0xFFFFFFFF);
  *and_bits = (a ^ b) & pixel_mask;
  *xor_bits = a & pixel_mask;
}

PenObject* CurrentPen(const DC& dc) {
  PenObject* p = Lookup<PenObject>(dc.st.pen, OBJ_PEN);
  return p ? p : Lookup<PenObject>(GetStockObject(BLACK_PEN), OBJ_PEN);
}

BrushObject* CurrentBrush(const DC& dc) {
  BrushObject* b = Lookup<BrushObject>(dc.st.brush, OBJ_BRUSH);
  return b ? b : Lookup<BrushObject>(GetStockObject(WHITE_BRUSH), OBJ_BRUSH);
}

}  // namespace kygdi

using namespace kygdi;

HGDIOBJ GetStockObject(int i) {
  if (i < 0 || i > STOCK_LAST || i == 9) return nullptr;
  return Stocks().objects[i];
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color) {
  UINT kind = UINT(iStyle) & PS_STYLE_MASK;
  if (kind > PS_INSIDEFRAME) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto p = std::make_unique<PenObject>();
  p->style = UINT(iStyle);
  p->width = cWidth < 0 ? 0 : cWidth;
  // A wide pen is drawn solid whatever dash style it asks for.
  if (p->width > 1 && kind != PS_NULL && kind != PS_INSIDEFRAME) p->style = (p->style & ~PS_STYLE_MASK) | PS_SOLID;
  p->colour = color;
  return static_cast<HPEN>(AddObject(std::move(p)));
}

HPEN CreatePenIndirect(const LOGPEN* plpen) {
  if (!plpen) return nullptr;
  return CreatePen(int(plpen->lopnStyle), plpen->lopnWidth.x, plpen->lopnColor);
}

HPEN ExtCreatePen(DWORD iPenStyle, DWORD cWidth, const LOGBRUSH* plbrush, DWORD cStyle, const DWORD* pstyle) {
  if (!plbrush) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if ((iPenStyle & PS_TYPE_MASK) == PS_COSMETIC && cWidth != 1) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HPEN h = CreatePen(int(iPenStyle & ~PS_TYPE_MASK), int(cWidth), plbrush->lbColor);
  if (PenObject* p = Lookup<PenObject>(h, OBJ_PEN)) {
    p->style |= iPenStyle & PS_TYPE_MASK;
    p->extended = true;
    if (plbrush->lbStyle == BS_NULL) p->style = (p->style & ~PS_STYLE_MASK) | PS_NULL;
  }
  return h;
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto b = std::make_unique<BrushObject>();
  b->style = BS_SOLID;
  b->colour = color;
  return static_cast<HBRUSH>(AddObject(std::move(b)));
}

HBRUSH CreateHatchBrush(int iHatch, COLORREF color) {
  if (iHatch < HS_HORIZONTAL || iHatch > HS_DIAGCROSS) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto b = std::make_unique<BrushObject>();
  b->style = BS_HATCHED;
  b->colour = color;
  b->hatch = iHatch;
  return static_cast<HBRUSH>(AddObject(std::move(b)));
}

HBRUSH CreatePatternBrush(HBITMAP hbm) {
  BitmapObject* bmp = Lookup<BitmapObject>(hbm, OBJ_BITMAP);
  if (!bmp || bmp->surface.width == 0) return nullptr;
  auto b = std::make_unique<BrushObject>();
  b->style = BS_PATTERN;
  b->pattern = std::make_shared<Surface>(bmp->surface);
  b->pattern->bits = b->pattern->storage.data();
  return static_cast<HBRUSH>(AddObject(std::move(b)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush) {
  if (!plbrush) return nullptr;
  switch (plbrush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(plbrush->lbColor);
    case BS_HATCHED: return CreateHatchBrush(int(plbrush->lbHatch), plbrush->lbColor);
    case BS_NULL: {
      auto b = std::make_unique<BrushObject>();
      b->style = BS_NULL;
      return static_cast<HBRUSH>(AddObject(std::move(b)));
    }
    case BS_PATTERN:
    case BS_PATTERN8X8: return CreatePatternBrush(reinterpret_cast<HBITMAP>(plbrush->lbHatch));
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
  }
}

DWORD GetObjectType(HGDIOBJ h) {
  GdiObject* o = LookupObject(h);
  if (!o) return 0;
  if (o->type == OBJ_DC) return static_cast<DC*>(o)->memory ? OBJ_MEMDC : OBJ_DC;
  if (o->type == OBJ_PEN && static_cast<PenObject*>(o)->extended) return OBJ_EXTPEN;
  return o->type;
}

int GetObject(HGDIOBJ h, int c, LPVOID pv) {
  GdiObject* o = LookupObject(h);
  if (!o || c < 0) return 0;
  return o->GetObjectData(c, pv);
}

BOOL DeleteObject(HGDIOBJ ho) {
  GdiObject* o = LookupObject(ho);
  if (!o) return FALSE;
  if (o->stock) return TRUE;
  if (o->type == OBJ_DC) return FALSE;
  if (o->selections > 0) {
    // A selected bitmap stays; a selected pen, brush or font goes when the DC
    // lets it go.
    if (o->type == OBJ_BITMAP) return FALSE;
    o->delete_pending = true;
    return TRUE;
  }
  return FreeObject(ho) ? TRUE : FALSE;
}

BOOL UnrealizeObject(HGDIOBJ h) { return LookupObject(h) ? TRUE : FALSE; }
