// The polygon side of the fills: device regions of polygons and the
// clipping they leave behind.
#include <climits>
#include <vector>

#include "KyEspecialFill.h"

long CKyEspecialFill::CountPoints(const int* counts, int nPolys) {
  if (nPolys < 1 || !counts) return 0;
  long total = 0;
  for (int i = 0; i < nPolys; ++i) {
    if (counts[i] < 0) return -1;
    total += counts[i];
    if (total > INT_MAX) return -1;
  }
  return total;
}

BOOL CKyEspecialFill::MakeDeviceRegion(CDC* pDC, const POINT* pts, const int* counts, int nPolys,
                                       BOOL bPolyPolygon, CRgn& rgn) {
  const long total = bPolyPolygon ? CountPoints(counts, nPolys) : (counts ? counts[0] : 0);
  if (total <= 0 || !pts) return FALSE;
  // The caller's points stay in logical units; the copy is converted.
  std::vector<POINT> dev(pts, pts + total);
  pDC->LPtoDP(dev.data(), static_cast<int>(total));
  if (bPolyPolygon)
    return rgn.CreatePolyPolygonRgn(dev.data(), const_cast<int*>(counts), nPolys, ALTERNATE);
  return rgn.CreatePolygonRgn(dev.data(), static_cast<int>(total), ALTERNATE);
}

void CKyEspecialFill::RestoreClip(CDC* pDC, int bPrint, CRgn* pPrintRgn) {
  if (bPrint && pPrintRgn && pPrintRgn->m_hObject)
    pDC->SelectClipRgn(pPrintRgn, RGN_COPY);
  else
    pDC->SelectClipRgn(nullptr);
}
