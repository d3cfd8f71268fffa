// TransparentBitblt and TransparentBitbltMask: a device-compatible bitmap,
// optionally through a mask, mixed over what the device already shows.
//
// Both convert the position and size to device units before the working
// frame switches the DC to MM_TEXT. Opaque rates and palette bitmaps go out
// as plain block transfers; otherwise the bitmap is mixed straight into the
// device's pixels by the GDI's blend column, only as far as both the size
// and the bitmap reach. A device whose pixels cannot be mixed there takes
// the long way: the area under the bitmap is copied into a bitmap of the
// same layout, mixed over raw bits and copied back.
#include <algorithm>
#include <memory>

#include "KyEspecialFill.h"
#include "gdiblend.h"

namespace {

// The raw bits of a bitmap, exactly n bytes, or null.
std::unique_ptr<BYTE[]> ReadBits(const CBitmap& bitmap, size_t n) {
  std::unique_ptr<BYTE[]> bits(new BYTE[n]);
  if (bitmap.GetBitmapBits(static_cast<DWORD>(n), bits.get()) != n) return nullptr;
  return bits;
}

bool SameLayout(const BITMAP& a, const BITMAP& b) {
  return a.bmWidth == b.bmWidth && a.bmHeight == b.bmHeight && a.bmWidthBytes == b.bmWidthBytes &&
         a.bmBitsPixel == b.bmBitsPixel;
}

}  // namespace

BOOL CKyEspecialFill::BlendBitmap(CDC* pDC, CDC& memDC, CBitmap* pOver, CBitmap* pMask, const BITMAP& bm,
                                  CPoint pt, CSize size, long rate) {
  const int w = std::min<int>(size.cx, bm.bmWidth), h = std::min<int>(size.cy, bm.bmHeight);
  if (w > 0 && h > 0) {
    CSelect sel(memDC.m_hDC, pOver->m_hObject);
    if (sel.IsSelected() &&
        GdiBlendBlt(pDC->m_hDC, pt.x, pt.y, w, h, memDC.m_hDC, 0, 0,
                    pMask ? static_cast<HBITMAP>(pMask->m_hObject) : nullptr, static_cast<int>(rate)))
      return TRUE;
  }

  CBitmap copy;
  if (!copy.CreateCompatibleBitmap(pDC, bm.bmWidth, bm.bmHeight)) return FALSE;
  CSelect sel(memDC.m_hDC, copy.m_hObject);
  if (!sel.IsSelected()) return FALSE;
  memDC.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, pDC, pt.x, pt.y, SRCCOPY);

  // The bitmap is meant to be compatible with the device; one that is not
  // has other rows, and mixing them byte by byte would read past its end.
  BITMAP bc;
  if (!copy.GetBitmap(&bc) || !SameLayout(bc, bm)) return FALSE;
  const size_t n = static_cast<size_t>(bm.bmWidthBytes) * static_cast<size_t>(bm.bmHeight);
  std::unique_ptr<BYTE[]> over = ReadBits(*pOver, n);
  std::unique_ptr<BYTE[]> mask = pMask ? ReadBits(*pMask, n) : nullptr;
  std::unique_ptr<BYTE[]> below = ReadBits(copy, n);
  if (!over || !below || (pMask && !mask)) return FALSE;

  MixBits(below.get(), over.get(), mask.get(), bm.bmWidthBytes, bm.bmBitsPixel, w, h, rate);
  if (copy.SetBitmapBits(static_cast<DWORD>(n), below.get()) != n) return FALSE;
  return pDC->BitBlt(pt.x, pt.y, w, h, &memDC, 0, 0, SRCCOPY);
}

BOOL CKyEspecialFill::TransparentBitblt(CDC* pDC, CBitmap* pBitmap, int x, int y, int cx, int cy, long rate) {
  if (cx == 0 || cy == 0) return FALSE;
  if (!pDC || !pBitmap || !pBitmap->m_hObject) return FALSE;
  rate = ClampRate(rate);
  if (rate == 0) return TRUE;

  CDC memDC;
  if (!memDC.CreateCompatibleDC(pDC)) return FALSE;
  CPoint pt(x, y);
  pDC->LPtoDP(&pt);
  CSize size(cx, cy);
  pDC->LPtoDP(&size);
  CWorkFrame frame(pDC, FALSE);
  BITMAP bm;
  if (!pBitmap->GetBitmap(&bm)) return FALSE;

  if (rate == 100 || bm.bmBitsPixel < 15) {
    CSelect sel(memDC.m_hDC, pBitmap->m_hObject);
    if (!sel.IsSelected()) return FALSE;
    return pDC->BitBlt(pt.x, pt.y, size.cx, size.cy, &memDC, 0, 0, SRCCOPY);
  }
  return BlendBitmap(pDC, memDC, pBitmap, nullptr, bm, pt, size, rate);
}

BOOL CKyEspecialFill::TransparentBitbltMask(CDC* pDC, CBitmap* pColour, CBitmap* pMask, int x, int y, int cx,
                                            int cy, long rate) {
  if (!pDC || !pColour || !pColour->m_hObject || !pMask || !pMask->m_hObject) return FALSE;
  rate = ClampRate(rate);
  if (rate == 0) return TRUE;

  CDC memDC;
  if (!memDC.CreateCompatibleDC(pDC)) return FALSE;
  CPoint pt(x, y);
  pDC->LPtoDP(&pt);
  CSize size(cx, cy);
  pDC->LPtoDP(&size);
  CWorkFrame frame(pDC, FALSE);
  BITMAP bm, bmMask;
  if (!pColour->GetBitmap(&bm) || !pMask->GetBitmap(&bmMask)) return FALSE;
  if (bm.bmWidth != bmMask.bmWidth || bm.bmHeight != bmMask.bmHeight || bm.bmBitsPixel != bmMask.bmBitsPixel)
    return FALSE;

  if (rate == 100 || bm.bmBitsPixel < 15) {
    BOOL ok = FALSE;
    {
      CSelect sel(memDC.m_hDC, pMask->m_hObject);
      if (!sel.IsSelected()) return FALSE;
      pDC->BitBlt(pt.x, pt.y, size.cx, size.cy, &memDC, 0, 0, SRCAND);
    }
    CSelect sel(memDC.m_hDC, pColour->m_hObject);
    if (!sel.IsSelected()) return FALSE;
    ok = pDC->BitBlt(pt.x, pt.y, size.cx, size.cy, &memDC, 0, 0, SRCPAINT);
    return ok;
  }
  // The mask is read with the colour bitmap's byte count.
  if (bm.bmWidthBytes != bmMask.bmWidthBytes) return FALSE;
  return BlendBitmap(pDC, memDC, pColour, pMask, bm, pt, size, rate);
}
