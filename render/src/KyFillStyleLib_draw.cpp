// Handing out a record prepared for drawing.
#include "KyFillStyleLib.h"

CKyFillStyle* CKyFillStyleLib::CreateFillStyle(CDC* pDC, long id, unsigned long foreColour, unsigned long backColour,
                                               CSize size, double scale) {
  CKyFillStyle* style = GetFillStyle(FindID(id));
  if (!style) return nullptr;
  if (!style->SetFillStyleEx(pDC, static_cast<COLORREF>(foreColour), static_cast<COLORREF>(backColour), size, scale)) {
    return nullptr;
  }
  return style;
}
