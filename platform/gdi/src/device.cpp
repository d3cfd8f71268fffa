// The devices: the display with its settable geometry and the printer; their
// DCs, memory DCs, GetDeviceCaps.
#include <cstring>
#include <memory>

#include "dc.h"
#include "stock.h"

namespace kygdi {
namespace {

struct DisplayState {
  Device device;
  std::shared_ptr<Surface> frame;  // made on first GetDC(NULL)
};

DisplayState& Display() {
  static DisplayState* d = new DisplayState;
  return *d;
}

bool SupportedBpp(int bpp) { return bpp == 32 || bpp == 24 || bpp == 16 || bpp == 15 || bpp == 8; }

HDC NewDC(const Device& device, std::shared_ptr<Surface> frame, bool memory) {
  auto dc = std::make_unique<DC>();
  dc->device = device;
  dc->memory = memory;
  dc->own_frame = std::move(frame);
  dc->frame = dc->own_frame.get();
  dc->st.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  dc->st.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  dc->st.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  dc->st.palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  if (memory) dc->st.bitmap = DefaultBitmap();
  DC* raw = dc.get();
  HDC h = static_cast<HDC>(AddObject(std::move(dc)));
  for (HGDIOBJ o : {HGDIOBJ(raw->st.pen), HGDIOBJ(raw->st.brush), HGDIOBJ(raw->st.font), HGDIOBJ(raw->st.palette),
                    HGDIOBJ(raw->st.bitmap)})
    if (o) NoteSelected(o);
  return h;
}

}  // namespace

void ReleaseSelection(DC* dc, HGDIOBJ h) {
  if (!h) return;
  if (BitmapObject* b = static_cast<BitmapObject*>(LookupObject(h, OBJ_BITMAP))) {
    if (b->selections <= 1 && b->selected_in == dc) b->selected_in = nullptr;
  }
  NoteDeselected(h);
}

void ReleaseState(DC* dc, const DCState& s) {
  for (HGDIOBJ o : {HGDIOBJ(s.pen), HGDIOBJ(s.brush), HGDIOBJ(s.font), HGDIOBJ(s.palette), HGDIOBJ(s.bitmap)})
    ReleaseSelection(dc, o);
}

void HoldState(const DCState& s) {
  for (HGDIOBJ o : {HGDIOBJ(s.pen), HGDIOBJ(s.brush), HGDIOBJ(s.font), HGDIOBJ(s.palette), HGDIOBJ(s.bitmap)})
    if (o) NoteSelected(o);
}

DC::~DC() {
  for (const DCState& s : saved) ReleaseState(this, s);
  ReleaseState(this, st);
}

Surface& DC::Target() {
  static Surface empty = [] {
    Surface s;
    s.Create(0, 0, 1);
    return s;
  }();
  if (memory) {
    BitmapObject* b = static_cast<BitmapObject*>(LookupObject(st.bitmap, OBJ_BITMAP));
    return b ? b->surface : empty;
  }
  return frame ? *frame : empty;
}

DC* LookupDC(HDC hdc) { return Lookup<DC>(hdc, OBJ_DC); }

}  // namespace kygdi

using namespace kygdi;

BOOL KySetDisplaySettings(const KyDisplaySettings* p) {
  if (!p || p->nHorzRes <= 0 || p->nVertRes <= 0 || p->nHorzSize <= 0 || p->nVertSize <= 0 ||
      !SupportedBpp(p->nBitsPixel) || p->nLogPixels <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Device& d = Display().device;
  d.horz_res = p->nHorzRes;
  d.vert_res = p->nVertRes;
  d.horz_size = p->nHorzSize;
  d.vert_size = p->nVertSize;
  d.bits_pixel = p->nBitsPixel;
  d.log_pixels = p->nLogPixels;
  Display().frame.reset();  // DCs already made keep the frame they draw on
  return TRUE;
}

void KyGetDisplaySettings(KyDisplaySettings* p) {
  if (!p) return;
  const Device& d = Display().device;
  *p = KyDisplaySettings{d.horz_res, d.vert_res, d.horz_size, d.vert_size, d.bits_pixel, d.log_pixels};
}

HDC KyCreatePrinterDC() {
  Device d;
  d.kind = Device::kPrinter;
  d.horz_res = 4800;
  d.vert_res = 6600;
  d.horz_size = 203;
  d.vert_size = 279;
  d.bits_pixel = 24;
  d.log_pixels = 600;
  auto frame = std::make_shared<Surface>();
  if (!frame->Create(d.horz_res, d.vert_res, d.bits_pixel)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  std::memset(frame->bits, 0xFF, frame->storage.size());  // paper is white
  return NewDC(d, std::move(frame), false);
}

namespace {
KYWINDOWGETDC g_windowGetDC = nullptr;
KYWINDOWRELEASEDC g_windowReleaseDC = nullptr;
}  // namespace

void KySetWindowDCProcs(KYWINDOWGETDC pfnGet, KYWINDOWRELEASEDC pfnRelease) {
  g_windowGetDC = pfnGet;
  g_windowReleaseDC = pfnRelease;
}

HDC GetDC(HWND hWnd) {
  if (hWnd && g_windowGetDC) return g_windowGetDC(hWnd);
  DisplayState& ds = Display();
  if (!ds.frame) {
    auto f = std::make_shared<Surface>();
    if (!f->Create(ds.device.horz_res, ds.device.vert_res, ds.device.bits_pixel)) return nullptr;
    ds.frame = std::move(f);
  }
  return NewDC(ds.device, ds.frame, false);
}

int ReleaseDC(HWND hWnd, HDC hDC) {
  if (hWnd && g_windowReleaseDC && g_windowReleaseDC(hWnd, hDC)) return 1;
  DC* dc = LookupDC(hDC);
  if (!dc || dc->memory) return 0;
  FreeObject(hDC);
  return 1;
}

HDC CreateCompatibleDC(HDC hdc) {
  Device device = Display().device;
  if (hdc) {
    DC* src = LookupDC(hdc);
    if (!src) return nullptr;
    device = src->device;
  }
  return NewDC(device, nullptr, true);
}

BOOL DeleteDC(HDC hdc) {
  if (!LookupDC(hdc)) return FALSE;
  return FreeObject(hdc) ? TRUE : FALSE;
}

int GetDeviceCaps(HDC hdc, int index) {
  DC* dc = LookupDC(hdc);
  if (!dc) return 0;
  const Device& d = dc->device;
  bool printer = d.kind == Device::kPrinter;
  switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return printer ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZSIZE: return d.horz_size;
    case VERTSIZE: return d.vert_size;
    case HORZRES: return d.horz_res;
    case VERTRES: return d.vert_res;
    case DESKTOPHORZRES: return d.horz_res;
    case DESKTOPVERTRES: return d.vert_res;
    case BITSPIXEL: return d.bits_pixel;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS: return -1;
    case NUMFONTS: return 0;
    case NUMCOLORS: return d.bits_pixel <= 8 ? 20 : -1;
    case CURVECAPS: return 0x1FF;
    case LINECAPS: return 0xFE;
    case POLYGONALCAPS: return 0xFF;
    case TEXTCAPS: return 0x7E3F;
    case CLIPCAPS: return CP_RECTANGLE;
    case RASTERCAPS: {
      int caps = RC_BITBLT | RC_BITMAP64 | RC_GDI20_OUTPUT | RC_DI_BITMAP | RC_DIBTODEV | RC_BIGFONT |
                 RC_STRETCHBLT | RC_FLOODFILL | RC_STRETCHDIB;
      if (d.bits_pixel <= 8 && !printer) caps |= RC_PALETTE;
      if (printer) caps |= RC_BANDING;
      return caps;
    }
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case LOGPIXELSX:
    case LOGPIXELSY: return d.log_pixels;
    case SIZEPALETTE: return d.bits_pixel <= 8 ? 256 : 0;
    case NUMRESERVED: return d.bits_pixel <= 8 ? 20 : 0;
    case COLORRES: return d.bits_pixel <= 8 ? 18 : 24;
    case PHYSICALWIDTH: return printer ? d.horz_res : 0;
    case PHYSICALHEIGHT: return printer ? d.vert_res : 0;
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY: return 0;
    case VREFRESH: return printer ? 0 : 60;
    case BLTALIGNMENT: return 0;
    case SHADEBLENDCAPS: return 0;
    default: return 0;
  }
}
