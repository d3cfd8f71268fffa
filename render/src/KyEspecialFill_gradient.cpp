// The gradient entry points: GradientRectangle picks the renderer and copies
// its bitmap to the device through TransparentBitblt (which applies the
// rate), or, opaque, has it draw straight onto the device; the polygon forms
// clip to the shape and paint its bounding box.
#include <algorithm>

#include "KyErrorMsg.h"
#include "KyEspecialFill.h"

namespace {

// Rows of a band: about 1 MiB of a 32-bit bitmap, at least one row.
constexpr long kBandBytes = 1 << 20;

// The band loop of a blended gradient: a memory DC on a band bitmap whose
// viewport puts the band's first row of `visible` at its row 0, handed to
// the renderer as the device to draw on (the renderer moves the viewport to
// the visible corner, clips to it and paints it black first, which on this
// DC clears the band and keeps the figures inside it), then the band mixed
// into the device. -1 when the band bitmap or its DC cannot be made (the
// caller takes the whole-bitmap route); otherwise FALSE when the renderer or
// a mix fails, else TRUE.
template <typename Render>
BOOL BlendGradientInBands(CDC* pDC, const CRect& visible, long rate, Render render) {
  const long w = visible.Width(), h = visible.Height();
  const long rows = std::clamp<long>(kBandBytes / (4 * w), 1, h);
  CBitmap band;
  CDC bandDC;
  if (!bandDC.CreateCompatibleDC(pDC) || !band.CreateCompatibleBitmap(pDC, static_cast<int>(w), static_cast<int>(rows)))
    return -1;
  CBitmap unused;
  for (long top = 0; top < h; top += rows) {
    const long n = std::min(rows, h - top);
    CBitmap* old = bandDC.SelectObject(&band);
    if (!old) return -1;
    bandDC.SetViewportOrg(-visible.left, -static_cast<int>(visible.top + top));
    const BOOL made = render(unused, &bandDC);
    bandDC.SelectObject(old);
    if (!made) return FALSE;
    if (!CKyEspecialFill::TransparentBitblt(pDC, &band, visible.left, static_cast<int>(visible.top + top),
                                            static_cast<int>(w), static_cast<int>(n), rate))
      return FALSE;
  }
  return TRUE;
}

}  // namespace

BOOL CKyEspecialFill::GradientRectangle(CDC* pDC, CRect* pRect, COLORREF crStart, COLORREF crEnd, long angle,
                                        long hOffset, long vOffset, long type, int bPrint, long rate) {
  if (!pDC || !pRect) return FALSE;
  CRect rect = *pRect;
  pDC->LPtoDP(&rect);
  return GradientDeviceRect(pDC, rect, crStart, crEnd, angle, hOffset, vOffset, type, bPrint, rate);
}

BOOL CKyEspecialFill::GradientDeviceRect(CDC* pDC, CRect rect, COLORREF crStart, COLORREF crEnd, long angle,
                                         long hOffset, long vOffset, long type, int bPrint, long rate) {
  rect.NormalizeRect();
  if (rect.IsRectEmpty()) return FALSE;

  // Here the origin is reset whatever the mode: the renderers and the copy
  // work in device pixels.
  CWorkFrame frame(pDC, TRUE);
  hOffset = std::clamp(hOffset, -100L, 100L);
  vOffset = std::clamp(vOffset, -100L, 100L);
  if (crStart == crEnd) type = GRADIENT_NONE;

  if (type >= GRADIENT_LINEAR && type <= GRADIENT_SQUARE) {
    // Draws the gradient of the whole rectangle into `target` (null: into
    // `bitmap`, a new bitmap of the visible part).
    auto render = [&](CBitmap& bitmap, CDC* target) {
      switch (type) {
        case GRADIENT_LINEAR: return GetLinearBitmap(pDC, &rect, crStart, crEnd, angle, bitmap, bPrint, target);
        case GRADIENT_RADIAL:
          return GetRadialBitmap(pDC, &rect, crStart, crEnd, hOffset, vOffset, bitmap, bPrint, target);
        case GRADIENT_CONICAL:
          return GetConicalBitmap(pDC, &rect, crStart, crEnd, angle, hOffset, vOffset, bitmap, bPrint, target);
        default: return GetSquareBitmap(pDC, &rect, crStart, crEnd, angle, hOffset, vOffset, bitmap, bPrint, target);
      }
    };
    CBitmap bitmap;
    const long clamped = ClampRate(rate);
    // Opaque: drawn straight onto the device, the pixels the copy of the
    // bitmap would have put there.
    if (clamped == 100) {
      const BOOL made = render(bitmap, pDC);
      frame.Restore();
      return made;
    }
    CRect visible = rect;
    if (!bPrint) {
      const CRect device(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
      visible.IntersectRect(&visible, &device);
    }
    // Blended: drawn a band of rows at a time into one small bitmap, each
    // band mixed in before the next is drawn, so that no bitmap of the whole
    // visible rectangle is made.
    if (clamped > 0 && !visible.IsRectEmpty()) {
      const BOOL ok = BlendGradientInBands(pDC, visible, rate, render);
      if (ok != -1) {
        frame.Restore();
        return ok;
      }
    }
    const BOOL made = render(bitmap, nullptr);
    const BOOL ok =
        made && TransparentBitblt(pDC, &bitmap, visible.left, visible.top, visible.Width(), visible.Height(), rate);
    frame.Restore();
    return ok;
  }

  // No gradient: an opaque solid fill, whatever the rate.
  CBrush brush;
  if (!brush.CreateSolidBrush(crStart)) {
    KyGetErrorMsgObj()->CatchLastError();
    return FALSE;
  }
  CSelect pen(pDC->m_hDC, ::GetStockObject(NULL_PEN));
  CSelect fill(pDC->m_hDC, brush.m_hObject);
  pDC->Rectangle(&rect);
  fill.Restore();
  pen.Restore();
  frame.Restore();
  return TRUE;
}

BOOL CKyEspecialFill::GradientPolygon(CDC* pDC, POINT* pts, int count, COLORREF crStart, COLORREF crEnd,
                                      long angle, long hOffset, long vOffset, long type, int bPrint, long rate,
                                      CRgn* pPrintRgn) {
  return GradientRegion(pDC, pts, &count, 1, FALSE, crStart, crEnd, angle, hOffset, vOffset, type, bPrint, rate,
                        pPrintRgn);
}

BOOL CKyEspecialFill::GradientPolyPolygon(CDC* pDC, POINT* pts, int* counts, int nPolys, COLORREF crStart,
                                          COLORREF crEnd, long angle, long hOffset, long vOffset, long type,
                                          int bPrint, long rate, CRgn* pPrintRgn) {
  return GradientRegion(pDC, pts, counts, nPolys, TRUE, crStart, crEnd, angle, hOffset, vOffset, type, bPrint,
                        rate, pPrintRgn);
}

BOOL CKyEspecialFill::GradientRegion(CDC* pDC, POINT* pts, const int* counts, int nPolys, BOOL bPolyPolygon,
                                     COLORREF crStart, COLORREF crEnd, long angle, long hOffset, long vOffset,
                                     long type, int bPrint, long rate, CRgn* pPrintRgn) {
  if (!pDC) return FALSE;
  const int horzRes = pDC->GetDeviceCaps(HORZRES), vertRes = pDC->GetDeviceCaps(VERTRES);
  CRgn rgn;
  if (!MakeDeviceRegion(pDC, pts, counts, nPolys, bPolyPolygon, rgn)) return FALSE;

  // The box is taken before any clipping: the gradient spans the whole
  // shape, and the renderer keeps only what the device shows.
  // It stays in device units: through logical units it would snap to their
  // grid and move the gradient's ends.
  CRect box;
  rgn.GetRgnBox(&box);
  if (box.IsRectEmpty()) return FALSE;

  if (!bPrint) {
    CRgn device;
    if (!device.CreateRectRgn(0, 0, horzRes, vertRes)) {
      KyGetErrorMsgObj()->CatchLastError();
      return FALSE;
    }
    rgn.CombineRgn(&rgn, &device, RGN_AND);
  } else if (pPrintRgn && pPrintRgn->m_hObject) {
    rgn.CombineRgn(&rgn, pPrintRgn, RGN_AND);
  }

  pDC->SelectClipRgn(&rgn);
  const BOOL ok = GradientDeviceRect(pDC, box, crStart, crEnd, (angle + 36000) % 3600, hOffset, vOffset, type,
                                     bPrint, rate);
  RestoreClip(pDC, bPrint, pPrintRgn);
  return ok;
}
