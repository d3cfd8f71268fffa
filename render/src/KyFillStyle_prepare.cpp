// Tile preparation: a stored pattern becomes a device bitmap in the caller's
// colours, sized from its resolution so that it keeps its physical size on
// every device.
//
//   pattern pixels --(254 / dpi)--> tenths of a mm --(HORZRES / HORZSIZE*10)--> device pixels
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "BmpImage.h"
#include "KyDib.h"
#include "KyErrorMsg.h"
#include "KyFillStyle.h"
#include "RenderMath.h"

namespace {

constexpr DWORD kSrcCopy = 0x00CC0020;
constexpr DWORD kPatternAndNotSource = 0x00300F2A;  // P & ~S

BOOL Fail() {
  KyGetErrorMsgObj()->CatchLastError();
  return FALSE;
}

// 32-bit truncating arithmetic of the device size, done in 64 bits so that a
// huge tile cannot wrap into a plausible one; the caller's size checks then
// refuse it.
long DeviceSize(long tenths, int res, int sizeMm) {
  if (sizeMm <= 0) return 0;
  const long long v = static_cast<long long>(tenths) * res / (static_cast<long long>(sizeMm) * 10);
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<long>(v);
}

// The foreground tile of a transparent pair made from its mask.
BOOL ForeFromMask(CDC* pDC, COLORREF crFore, const BITMAP& bm, CBitmap& mask, CBitmap& fore) {
  // Each mask pixel is exactly black or white when the tile was drawn pixel
  // for pixel or enlarged, and the foreground tile a second preparation
  // would draw has the foreground colour where the mask is black and black
  // where it is white: P & ~S with the foreground as the pattern, bit for
  // bit (white's ~S keeps only bits a colour leaves 0). A monochrome device
  // maps colours to its two values its own way, so it takes the second
  // preparation.
  if (bm.bmBitsPixel < 8) return FALSE;
  BITMAP info = bm;
  info.bmBits = nullptr;
  CDC maskDC, foreDC;
  CBrush brush;
  if (!maskDC.CreateCompatibleDC(pDC) || !foreDC.CreateCompatibleDC(pDC) || !brush.CreateSolidBrush(crFore & 0xFFFFFF))
    return FALSE;
  if (!fore.CreateBitmapIndirect(&info)) return FALSE;
  CBitmap* oldMask = maskDC.SelectObject(&mask);
  CBitmap* oldFore = foreDC.SelectObject(&fore);
  CBrush* oldBrush = foreDC.SelectObject(&brush);
  const BOOL ok = foreDC.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &maskDC, 0, 0, kPatternAndNotSource);
  foreDC.SelectObject(oldBrush);
  foreDC.SelectObject(oldFore);
  maskDC.SelectObject(oldMask);
  if (!ok) fore.DeleteObject();
  return ok;
}

}  // namespace

BOOL CKyFillStyle::SetFillStyle(CDC* pDC, COLORREF crFore, COLORREF crBack, const CSize& size, double dScale) {
  if (!pDC) return FALSE;
  if (m_nType == FS_TYPE_VECTOR) {
    if (!m_pVector) return FALSE;
    if (!m_pVector->CreateBitmap(pDC, crFore, crBack, dScale, FALSE, m_bmpPattern)) return FALSE;
    BITMAP bm;
    m_bmpPattern.GetBitmap(&bm);
    m_nTileWidth = bm.bmWidth;
    m_nTileHeight = bm.bmHeight;
    return TRUE;
  }

  if (m_arrBMP.IsEmpty()) return FALSE;
  m_crFore = crFore;
  m_crBack = crBack;
  m_nTileWidth = ky::Near(size.cx * dScale);
  m_nTileHeight = ky::Near(size.cy * dScale);

  CByteArray copy;
  copy.Copy(m_arrBMP);
  KyBmpHeader bmp;
  // An image whose headers do not match its bytes is refused here, before a
  // bitmap of its claimed size is made.
  if (!ky::ReadBmpHeader(copy, bmp)) return Fail();
  const LONG naturalHeight = bmp.height;
  if (m_nTileWidth == 0 && m_nTileHeight == 0 && m_nResolution != 0) {
    // The product in 32 bits as stored values allow, the rest in double.
    const int32_t w254 = static_cast<int32_t>(static_cast<uint32_t>(bmp.width) * 254u);
    const int32_t h254 = static_cast<int32_t>(static_cast<uint32_t>(naturalHeight) * 254u);
    m_nTileWidth = ky::Near(w254 * dScale / static_cast<long>(m_nResolution));
    m_nTileHeight = ky::Near(h254 * dScale / static_cast<long>(m_nResolution));
  }
  ky::ColourMonoImage(copy, bmp, crFore, crBack);

  CKyDib dib;
  if (!dib.Load(copy, 0)) return Fail();
  copy.RemoveAll();
  m_bmpPattern.DeleteObject();

  const int horzRes = pDC->GetDeviceCaps(HORZRES);
  const int vertRes = pDC->GetDeviceCaps(VERTRES);
  const int horzSize = pDC->GetDeviceCaps(HORZSIZE);
  const int vertSize = pDC->GetDeviceCaps(VERTSIZE);
  // A tile of some size that comes out under the two pixels every drawing
  // operation needs (a small pattern on a coarse device) is drawn at two:
  // the pattern is then as fine as the device can show it, not missing.
  const long w = m_nTileWidth > 0 ? std::max(2L, DeviceSize(m_nTileWidth, horzRes, horzSize)) : 0;
  const long h = m_nTileHeight > 0 ? std::max(2L, DeviceSize(m_nTileHeight, vertRes, vertSize)) : 0;
  m_nTileWidth = w;
  m_nTileHeight = h;
  if (w < 2 || h < 2 || w > horzRes || h > vertRes) {
    dib.Close();
    return Fail();
  }

  CDC mem;
  if (!mem.CreateCompatibleDC(pDC) || !m_bmpPattern.CreateCompatibleBitmap(pDC, w, h)) {
    dib.Close();
    return Fail();
  }
  CBitmap* old = mem.SelectObject(&m_bmpPattern);
  if (bmp.bitCount == 1 && (std::labs(bmp.width - w) >= 2 || std::labs(naturalHeight - h) >= 2)) {
    // Far from its natural size a two-colour pattern is drawn pixel for pixel
    // first and then stretched, so that no line of it is lost.
    CDC natural;
    CBitmap naturalBmp;
    if (!natural.CreateCompatibleDC(pDC) || !naturalBmp.CreateCompatibleBitmap(pDC, bmp.width, naturalHeight)) {
      dib.Close();
      mem.SelectObject(old);
      m_bmpPattern.DeleteObject();
      return Fail();
    }
    CBitmap* oldNatural = natural.SelectObject(&naturalBmp);
    dib.Draw(&natural, bmp.width, naturalHeight);
    dib.Close();
    mem.StretchBlt(0, 0, w, h, &natural, 0, 0, bmp.width, naturalHeight, kSrcCopy);
    natural.SelectObject(oldNatural);
  } else {
    dib.Draw(&mem, w, h);
    dib.Close();
  }
  mem.SelectObject(old);
  return TRUE;
}

BOOL CKyFillStyle::SetFillStyleEx(CDC* pDC, COLORREF crFore, COLORREF crBack, CSize& size, double dScale) {
  if (!pDC) return FALSE;
  const bool transparent = pDC->GetBkMode() == TRANSPARENT;
  if (m_nType == FS_TYPE_VECTOR) {
    if (!m_pVector) return FALSE;
    BITMAP bm;
    if (!transparent) {
      if (!m_pVector->CreateBitmap(pDC, crFore, crBack, dScale, FALSE, m_bmpPattern)) return FALSE;
      m_bmpPattern.GetBitmap(&bm);
    } else {
      if (!m_pVector->CreateBitmap(pDC, RGB(0, 0, 0), RGB(255, 255, 255), dScale, TRUE, m_bmpMask)) return FALSE;
      m_pVector->CreateBitmap(pDC, crFore, RGB(0, 0, 0), dScale, FALSE, m_bmpFore);
      if (!m_bmpFore.GetBitmap(&bm)) return TRUE;
    }
    m_nTileWidth = bm.bmWidth;
    m_nTileHeight = bm.bmHeight;
    return TRUE;
  }

  if (m_arrBMP.IsEmpty()) return FALSE;
  m_bmpMask.DeleteObject();
  m_bmpFore.DeleteObject();
  if (!(IsSingleColor() && transparent)) return SetFillStyle(pDC, crFore, crBack, size, dScale);

  // The transparent pair: a mask (pattern foreground black, background
  // white) and the foreground on black, painted with AND then OR. The tile
  // is prepared once, as the mask; the foreground is made from it unless a
  // shrinking stretch merged pattern pixels (see ForeFromMask).
  if (!SetFillStyle(pDC, RGB(0, 0, 0), RGB(255, 255, 255), size, dScale)) return FALSE;
  BITMAP bm;
  if (!m_bmpPattern.GetBitmap(&bm)) return FALSE;
  m_bmpMask.Attach(m_bmpPattern.Detach());
  KyBmpHeader natural;
  const bool shrunk = ky::ReadBmpHeader(m_arrBMP, natural) &&
                      (std::labs(natural.width - bm.bmWidth) >= 2 || std::labs(natural.height - bm.bmHeight) >= 2) &&
                      (bm.bmWidth < natural.width || bm.bmHeight < natural.height);
  if (!shrunk && ForeFromMask(pDC, crFore, bm, m_bmpMask, m_bmpFore)) {
    // The colours of the last preparation, as a second one would leave them.
    m_crFore = crFore;
    m_crBack = RGB(0, 0, 0);
    return TRUE;
  }

  BITMAP maskInfo = bm;
  maskInfo.bmBits = nullptr;
  SetFillStyle(pDC, crFore, RGB(0, 0, 0), size, dScale);
  if (m_bmpPattern.GetSafeHandle()) {
    m_bmpFore.Attach(m_bmpPattern.Detach());
    return TRUE;
  }
  // A second preparation that failed leaves the mask's bits in the
  // foreground, as copying them through one buffer always did.
  const size_t n = static_cast<size_t>(bm.bmWidthBytes) * static_cast<size_t>(bm.bmHeight);
  std::vector<BYTE> bits(n);
  m_bmpMask.GetBitmapBits(static_cast<DWORD>(n), bits.data());
  if (m_bmpFore.CreateBitmapIndirect(&maskInfo)) m_bmpFore.SetBitmapBits(static_cast<DWORD>(n), bits.data());
  return TRUE;
}
