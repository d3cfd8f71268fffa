// Handing a pattern out as a .bmp file.
#include "BmpImage.h"
#include "KyFillStyle.h"
#include "KyToolkit.h"
#include "RenderMath.h"
#include "afxreplacefile.h"

BOOL CKyFillStyle::ExportBMPFile(const CString& path, COLORREF crFore, COLORREF crBack) {
  if (m_nType == FS_TYPE_VECTOR && m_pVector) {
    HDC screen = ::GetDC(nullptr);
    if (!screen) return FALSE;
    BOOL written = FALSE;
    {
      CDC dc;
      dc.Attach(screen);
      CBitmap tile;
      if (m_pVector->CreateBitmap(&dc, crFore, crBack, 1.0, FALSE, tile)) {
        CString target(path);
        written = CKyToolkit::SaveBitmapFile(screen, tile, target.GetBuffer(target.GetLength() + 1), nullptr);
      }
      tile.DeleteObject();
      dc.Detach();
    }
    ::ReleaseDC(nullptr, screen);
    return written;
  }

  if (m_arrBMP.IsEmpty()) return FALSE;
  CByteArray copy;
  copy.Copy(m_arrBMP);
  KyBmpHeader bmp;
  // A 1-bit image takes the two colours; an image whose headers cannot be
  // read is written as it is stored.
  if (ky::ReadBmpHeader(copy, bmp)) ky::ColourMonoImage(copy, bmp, crFore, crBack);
  // Beside the target and renamed over it: a failed write keeps the old file.
  return AfxWriteFileReplacing(path, copy.GetData(), static_cast<size_t>(copy.GetSize()));
}
