// The device context: the state that the drawing calls read, and the helpers
// that turn logical coordinates and the clip into device rectangles.
//
// The text code draws through this surface too: LookupDC gives the DC, its
// `surface` the selected bitmap (or the device's frame), ClipRects the
// visible device rectangles, LogicalToDevice the transform, and PaintSpan a
// clipped horizontal run in a COLORREF with the DC's ROP2 ignored (text is
// always copied), as TextOut does.
#pragma once

#include <optional>
#include <vector>

#include "objects.h"
#include "region.h"

namespace kygdi {

struct Device {
  enum Kind { kDisplay, kPrinter } kind = kDisplay;
  int horz_res = 1920, vert_res = 1080;
  int horz_size = 508, vert_size = 286;  // millimetres
  int bits_pixel = 32;
  int log_pixels = 96;
};

// The mapping from logical to device units:
//   device = (logical - window_org) * viewport_ext / window_ext + viewport_org
struct Mapping {
  int mode = MM_TEXT;
  POINT window_org{0, 0}, viewport_org{0, 0};
  SIZE window_ext{1, 1}, viewport_ext{1, 1};
};

struct DCState {
  HBITMAP bitmap = nullptr;
  HPEN pen = nullptr;
  HBRUSH brush = nullptr;
  HFONT font = nullptr;
  HPALETTE palette = nullptr;
  COLORREF text_colour = RGB(0, 0, 0);
  COLORREF bk_colour = RGB(255, 255, 255);
  COLORREF dc_brush_colour = RGB(255, 255, 255);
  COLORREF dc_pen_colour = RGB(0, 0, 0);
  int bk_mode = OPAQUE;
  int rop2 = R2_COPYPEN;
  int poly_fill_mode = ALTERNATE;
  int stretch_mode = BLACKONWHITE;
  int arc_direction = AD_COUNTERCLOCKWISE;
  UINT text_align = 0;  // TA_LEFT | TA_TOP | TA_NOUPDATECP
  int char_extra = 0;
  POINT cur_pos{0, 0};
  POINT brush_org{0, 0};
  Mapping map;
  std::optional<Region> clip;  // device units; none: the whole surface
};

struct DC : GdiObject {
  Device device;           // a copy of the device's caps at creation
  bool memory = false;     // a memory DC draws into its selected bitmap
  Surface* frame = nullptr;  // display and printer DCs: the device's own pixels
  std::shared_ptr<Surface> own_frame;  // a printer DC's pixels
  DCState st;
  std::vector<DCState> saved;  // SaveDC stack
  DC() : GdiObject(OBJ_DC) {}
  ~DC() override;

  // The pixels drawing goes to; never null (an empty surface at worst).
  Surface& Target();
  const Surface& Target() const { return const_cast<DC*>(this)->Target(); }
};

DC* LookupDC(HDC hdc);  // null with ERROR_INVALID_HANDLE

// Logical to device and back, each result rounded to the nearest integer
// with halves going up (floor(v + 0.5)), the rounding of the platform.
// A device coordinate that overflows 32 bits saturates at INT_MIN or INT_MAX.
POINT LogicalToDevice(const DC& dc, POINT p);
// The same for logical coordinates beyond 32 bits (a corner x + w).
POINT LogicalToDevice(const DC& dc, int64_t x, int64_t y);
POINT DeviceToLogical(const DC& dc, POINT p);
// A logical rectangle to a device one, normalised (left <= right).
RECT LogicalRectToDevice(const DC& dc, const RECT& r);
// Scale only (no origins): a logical length in x or y to device units, sign kept.
double ScaleX(const DC& dc);
double ScaleY(const DC& dc);

// The visible device rectangles inside bounds: the surface, the clip region
// and bounds intersected. Empty when nothing is visible.
std::vector<RECT> ClipRects(const DC& dc, const RECT& bounds);
const Region* ClipRegion(const DC& dc);  // null: no clip
// The bounding box of the visible device pixels (surface and clip region);
// empty (all zero) when nothing is visible. Rasterisers walk only what lies
// in this box, grown by what a pen can reach, so that far-away coordinates
// cost what the visible part costs.
RECT DeviceClipBox(const DC& dc);
// r grown by d on every side, held inside the 32-bit range.
RECT GrowRect(const RECT& r, int64_t d);

// Paints device pixels [x, x + w) of row y in colour, clipped.
void PaintSpan(DC& dc, int x, int y, int w, COLORREF colour);

// Current objects of the DC (stock ones when nothing else is selected).
PenObject* CurrentPen(const DC& dc);
BrushObject* CurrentBrush(const DC& dc);

// The brush realised for the DC's surface, background mode and colours;
// never null (a hollow or missing brush gives one whose `null` is set).
// The brush keeps it until the DC's state asks for another.
std::shared_ptr<const RealisedBrush> RealiseBrush(const DC& dc, const BrushObject* brush);
// A solid colour as the and/xor pair of a ROP2 on the DC's surface.
void Rop2Masks(int rop2, uint32_t pixel, uint32_t pixel_mask, uint32_t* and_bits, uint32_t* xor_bits);

}  // namespace kygdi
