// CKySymbol::Draw: a symbol on a device context.
//
// Both forms work out a placement (KySymbolPlacement.h) from the DC's
// mapping as it is, then draw every stroke in device pixels: the DC is saved,
// switched to MM_TEXT with both origins at 0, and restored as a whole
// (mapping, selected objects, modes, colours) before Draw returns on every
// path. Drawing in pixels rather than logical units keeps a symbol's shape
// to the pixel when a logical unit is coarser than a pixel (0.1 mm on a
// 600-dpi printer is more than two pixels) and makes a y-up mapping no
// different from a y-down one.
//
// While the strokes are drawn the background mode is TRANSPARENT, so that
// the gaps of hatches and dashed lines leave what lies beneath (a symbol
// pattern tile's mask and foreground tiles depend on that), and the polygon
// fill mode is ALTERNATE whatever the caller's DC says. The caller's ROP2,
// clip region and brush origin apply.
#include <algorithm>
#include <cmath>

#include "KyStrokePainter.h"
#include "afxdc.h"

namespace {

// Holds the DC in device pixels for the lifetime of the object.
class CPixelSpace {
 public:
  explicit CPixelSpace(CDC* pDC) : m_pDC(pDC), m_nSaved(pDC->SaveDC()) {
    if (!m_nSaved) return;
    m_pDC->SetMapMode(MM_TEXT);
    m_pDC->SetWindowOrg(0, 0);
    m_pDC->SetViewportOrg(0, 0);
    m_pDC->SetBkMode(TRANSPARENT);
    m_pDC->SetPolyFillMode(ALTERNATE);
  }
  ~CPixelSpace() {
    if (m_nSaved) m_pDC->RestoreDC(m_nSaved);
  }
  CPixelSpace(const CPixelSpace&) = delete;
  CPixelSpace& operator=(const CPixelSpace&) = delete;
  BOOL IsReady() const { return m_nSaved != 0; }

 private:
  CDC* m_pDC;
  int m_nSaved;
};

// The thinnest line: one pixel on a display; on a printer, whose pixels are
// too fine for a hairline to show, a tenth of a millimetre.
int ThinnestLine(CDC* pDC, int bPrinting) {
  if (!bPrinting) return 1;
  const int dpi = pDC->GetDeviceCaps(LOGPIXELSX);
  return std::max(1, static_cast<int>(std::floor(dpi / 254.0 + 0.5)));
}

BOOL PaintStrokes(CDC* pDC, const CKySymbol& sym, const CKySymbolPlacement& place, COLORREF cr, int nThinnest) {
  const CPixelSpace space(pDC);
  if (!space.IsReady()) return FALSE;
  const CKyStrokePainter painter(pDC, place, cr, nThinnest);
  BOOL ok = TRUE;
  // A stroke that fails does not keep the later ones from drawing.
  for (int i = 0; i < sym.GetCount(); ++i) {
    if (!painter.Paint(*sym.GetLastStroke(i))) ok = FALSE;
  }
  return ok;
}

}  // namespace

BOOL CKySymbol::Draw(CDC* pDC, CKySymbolParameter& param, int bPrinting, int /*nReserved1*/, int /*nReserved2*/) {
  CKySymbolPlacement place;
  if (!CKySymbolPlacement::FromParameter(pDC, param, &place)) return FALSE;
  return PaintStrokes(pDC, *this, place, static_cast<COLORREF>(param.m_crColor), ThinnestLine(pDC, bPrinting));
}

BOOL CKySymbol::Draw(CDC* pDC, RECT& rect, COLORREF cr) {
  CKySymbolPlacement place;
  if (!CKySymbolPlacement::ForPreview(pDC, rect, *this, &place)) return FALSE;
  return PaintStrokes(pDC, *this, place, cr, 1);
}
