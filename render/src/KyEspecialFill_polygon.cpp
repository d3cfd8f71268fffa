// TransparentPolygon and TransparentPolyPolygon: the shape becomes the DC's
// clipping region and its bounding box, in device units, is blended as
// TransparentRectangle would, so only the pixels inside the shape change.
#include "KyEspecialFill.h"

BOOL CKyEspecialFill::TransparentPolygon(CDC* pDC, POINT* pts, int count, COLORREF cr, int bPrint, long rate,
                                         CRgn* pPrintRgn) {
  return TransparentRegion(pDC, pts, &count, 1, FALSE, cr, bPrint, rate, pPrintRgn);
}

BOOL CKyEspecialFill::TransparentPolyPolygon(CDC* pDC, POINT* pts, int* counts, int nPolys, COLORREF cr,
                                             int bPrint, long rate, CRgn* pPrintRgn) {
  return TransparentRegion(pDC, pts, counts, nPolys, TRUE, cr, bPrint, rate, pPrintRgn);
}

BOOL CKyEspecialFill::TransparentRegion(CDC* pDC, POINT* pts, const int* counts, int nPolys, BOOL bPolyPolygon,
                                        COLORREF cr, int bPrint, long rate, CRgn* pPrintRgn) {
  if (!pDC) return FALSE;
  const long total = bPolyPolygon ? CountPoints(counts, nPolys) : (counts ? counts[0] : 0);
  // A negative count, or points promised but not given, would be read from
  // nowhere.
  if (total < 0 || (total > 0 && !pts)) return FALSE;

  const int horzRes = pDC->GetDeviceCaps(HORZRES), vertRes = pDC->GetDeviceCaps(VERTRES);
  CRgn rgn;
  if (!MakeDeviceRegion(pDC, pts, counts, nPolys, bPolyPolygon, rgn)) {
    // No shape: the whole device area is the shape.
    if (!rgn.CreateRectRgn(0, 0, horzRes, vertRes)) return FALSE;
  } else if (!bPrint) {
    CRgn device;
    if (!device.CreateRectRgn(0, 0, horzRes, vertRes)) return FALSE;
    rgn.CombineRgn(&rgn, &device, RGN_AND);
  } else if (pPrintRgn && pPrintRgn->m_hObject) {
    rgn.CombineRgn(&rgn, pPrintRgn, RGN_AND);
  }

  CRect box;
  rgn.GetRgnBox(&box);
  if (box.IsRectEmpty()) return FALSE;

  // The region's box is already in device units: going back to logical
  // units would snap it to their grid and lose edge pixels of the shape.
  pDC->SelectClipRgn(&rgn);
  TransparentDeviceRect(pDC, box, cr, bPrint, rate);
  RestoreClip(pDC, bPrint, pPrintRgn);
  return TRUE;
}
