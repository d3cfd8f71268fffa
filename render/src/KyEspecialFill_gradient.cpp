// The gradient entry points: GradientRectangle picks the renderer and copies
// its bitmap to the device through TransparentBitblt (which applies the
// rate), or, opaque, has it draw straight onto the device; the polygon forms
// clip to the shape and paint its bounding box.
#include <algorithm>

#include "KyErrorMsg.h"
#include "KyEspecialFill.h"

BOOL CKyEspecialFill::GradientRectangle(CDC* pDC, CRect* pRect, COLORREF crStart, COLORREF crEnd, long angle,
                                        long hOffset, long vOffset, long type, int bPrint, long rate) {
  if (!pDC || !pRect) return FALSE;
  CRect rect = *pRect;
  pDC->LPtoDP(&rect);
  rect.NormalizeRect();
  if (rect.IsRectEmpty()) return FALSE;

  // Here the origin is reset whatever the mode: the renderers and the copy
  // work in device pixels.
  CWorkFrame frame(pDC, TRUE);
  hOffset = std::clamp(hOffset, -100L, 100L);
  vOffset = std::clamp(vOffset, -100L, 100L);
  if (crStart == crEnd) type = GRADIENT_NONE;

  if (type >= GRADIENT_LINEAR && type <= GRADIENT_SQUARE) {
    CBitmap bitmap;
    BOOL made = FALSE;
    // Opaque: drawn straight onto the device, the pixels the copy of the
    // bitmap would have put there.
    CDC* direct = ClampRate(rate) == 100 ? pDC : nullptr;
    switch (type) {
      case GRADIENT_LINEAR:
        made = GetLinearBitmap(pDC, &rect, crStart, crEnd, angle, bitmap, bPrint, direct);
        break;
      case GRADIENT_RADIAL:
        made = GetRadialBitmap(pDC, &rect, crStart, crEnd, hOffset, vOffset, bitmap, bPrint, direct);
        break;
      case GRADIENT_CONICAL:
        made = GetConicalBitmap(pDC, &rect, crStart, crEnd, angle, hOffset, vOffset, bitmap, bPrint, direct);
        break;
      default:
        made = GetSquareBitmap(pDC, &rect, crStart, crEnd, angle, hOffset, vOffset, bitmap, bPrint, direct);
        break;
    }
    if (direct) {
      frame.Restore();
      return made;
    }
    if (!bPrint) {
      const CRect device(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
      rect.IntersectRect(&rect, &device);
    }
    const BOOL ok = made && TransparentBitblt(pDC, &bitmap, rect.left, rect.top, rect.Width(), rect.Height(), rate);
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
  CRect box;
  rgn.GetRgnBox(&box);
  if (box.IsRectEmpty()) return FALSE;
  pDC->DPtoLP(&box);

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
  const BOOL ok = GradientRectangle(pDC, &box, crStart, crEnd, (angle + 36000) % 3600, hOffset, vOffset, type,
                                    bPrint, rate);
  RestoreClip(pDC, bPrint, pPrintRgn);
  return ok;
}
