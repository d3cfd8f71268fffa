// TransparentRectangle: a solid colour over a rectangle at a rate.
//
// The device rectangle (clipped to the device) is mixed with the colour
// straight in the device's pixels by the GDI's blend column. A device whose
// pixels cannot be mixed there takes the long way: the rectangle is copied
// into a first bitmap, its raw bits are mixed and written into a second
// bitmap, which is copied back. On a printer a large rectangle is cut into
// tiles of 2000 x 2000 device pixels first, so that no off-screen bitmap
// grows with the page:
//
//   +------+------+---+
//   | full | full | R |     full tiles row by row, then the right
//   +------+------+---+     column R, the bottom row B and the corner C
//   |  B   |  B   | C |
//   +------+------+---+
#include <memory>

#include "KyEspecialFill.h"
#include "gdiblend.h"

namespace {

constexpr int kPrintTile = 2000;
// Rectangles up to this many device pixels a side are blended in one piece.
constexpr int kPrintPieceMax = 2001;

// An opaque fill of the logical rectangle. FALSE when the brush cannot be
// made: nothing was painted then.
BOOL FillSolid(CDC* pDC, const CRect* pRect, COLORREF cr) {
  CBrush brush;
  if (!brush.CreateSolidBrush(cr)) return FALSE;
  pDC->FillRect(pRect, &brush);
  return TRUE;
}

}  // namespace

BOOL CKyEspecialFill::TransparentRectangle(CDC* pDC, CRect* pRect, COLORREF cr, int bPrint, long rate) {
  if (!pDC || !pRect) return FALSE;
  rate = ClampRate(rate);
  if (rate == 100) return FillSolid(pDC, pRect, cr);
  if (rate == 0) return TRUE;

  CRect dev = *pRect;
  pDC->LPtoDP(&dev);
  dev.NormalizeRect();
  const CRect device(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
  if (!dev.IntersectRect(&dev, &device)) return FALSE;

  if (bPrint && (dev.Width() > kPrintPieceMax || dev.Height() > kPrintPieceMax)) {
    CSize tile(kPrintTile, kPrintTile);
    pDC->DPtoLP(&tile);
    const std::vector<CRect> pieces = SplitRect(*pRect, tile);
    // One piece is the rectangle itself (a logical unit wider than a tile):
    // splitting it again would never end, so it is blended whole.
    if (pieces.size() > 1) {
      for (CRect piece : pieces) TransparentRectangle(pDC, &piece, cr, bPrint, rate);
      return TRUE;
    }
  }
  return BlendDeviceRect(pDC, dev, cr, rate);
}

BOOL CKyEspecialFill::TransparentDeviceRect(CDC* pDC, CRect dev, COLORREF cr, int bPrint, long rate) {
  rate = ClampRate(rate);
  dev.NormalizeRect();
  const CRect device(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
  if (!dev.IntersectRect(&dev, &device)) return FALSE;
  if (rate == 0) return TRUE;
  if (rate == 100) {
    CWorkFrame frame(pDC, TRUE);
    return FillSolid(pDC, &dev, cr);
  }
  if (bPrint && (dev.Width() > kPrintPieceMax || dev.Height() > kPrintPieceMax)) {
    for (const CRect& piece : SplitRect(dev, CSize(kPrintTile, kPrintTile))) BlendDeviceRect(pDC, piece, cr, rate);
    return TRUE;
  }
  return BlendDeviceRect(pDC, dev, cr, rate);
}

BOOL CKyEspecialFill::BlendDeviceRect(CDC* pDC, const CRect& dev, COLORREF cr, long rate) {
  // Device units whatever the mapping: in MM_TEXT the window origin goes
  // too, or the rectangle would be moved by it a second time.
  CWorkFrame frame(pDC, TRUE);
  if (GdiBlendRect(pDC->m_hDC, &dev, cr, static_cast<int>(rate))) return TRUE;

  const int w = dev.Width(), h = dev.Height();
  CBitmap below, mixed;
  CDC belowDC, mixedDC;
  if (!belowDC.CreateCompatibleDC(pDC) || !mixedDC.CreateCompatibleDC(pDC)) return FALSE;
  if (!below.CreateCompatibleBitmap(pDC, w, h) || !mixed.CreateCompatibleBitmap(pDC, w, h)) return FALSE;

  CSelect selBelow(belowDC.m_hDC, below.m_hObject);
  if (!selBelow.IsSelected()) return FALSE;
  belowDC.BitBlt(0, 0, w, h, pDC, dev.left, dev.top, SRCCOPY);
  BITMAP bm;
  if (!below.GetBitmap(&bm)) return FALSE;

  // A palette device cannot take a mix: the fill is opaque there.
  if (bm.bmBitsPixel < 15) return FillSolid(pDC, &dev, cr);

  const size_t n = static_cast<size_t>(bm.bmWidthBytes) * static_cast<size_t>(bm.bmHeight);
  std::unique_ptr<BYTE[]> bits(new BYTE[n]);
  if (below.GetBitmapBits(static_cast<DWORD>(n), bits.get()) != n) return FALSE;
  MixColour(bits.get(), bm.bmWidthBytes, bm.bmBitsPixel, bm.bmWidth, bm.bmHeight, cr, rate);

  if (mixed.SetBitmapBits(static_cast<DWORD>(n), bits.get()) != n) return FALSE;
  CSelect selMixed(mixedDC.m_hDC, mixed.m_hObject);
  if (!selMixed.IsSelected()) return FALSE;
  return pDC->BitBlt(dev.left, dev.top, w, h, &mixedDC, 0, 0, SRCCOPY);
}
