// The tile of a symbol pattern: the symbol drawn at each point of a tile of
// m_nWidth x m_nHeight tenths of a millimetre, in a memory DC whose mapping
// is MM_ISOTROPIC with the extents it inherits from MM_LOMETRIC, so one
// logical unit is 0.1 mm on the target device and y grows upward. A symbol
// cut by a tile edge is drawn again beyond the opposite edge, so the tiles
// join without seams.
#include <memory>

#include "KyFillStyleVector.h"
#include "KyVuv50.h"
#include "RenderMath.h"
#include "afxdc.h"

namespace {

// Draws the symbol at a point given in tenths of a millimetre, y down.
void DrawAt(CDC& dc, CKySymbol& symbol, CKySymbolParameter& param, double x, double y, double scale) {
  param.m_ptPosition = CPoint(ky::Near(x * scale), -ky::Near(y * scale));
  symbol.Draw(&dc, param, 0, 0, 0);
}

// The symbol's drawing parameter for a tile at dScale.
CKySymbolParameter TileParameter(const CKyFillStyleVector& v, COLORREF crFore, double dScale) {
  CKySymbolParameter param(CPoint(10, 10), 128, 0, 0, 0, nullptr, 1.0);
  param.m_nSize = static_cast<unsigned long>(v.m_nSymSize);
  param.m_nAngle = static_cast<int>(v.m_nSymAngle);
  param.m_crColor = crFore;
  param.m_nSymID = static_cast<unsigned long>(v.m_nSymID);
  param.m_dScale = dScale;
  return param;
}

}  // namespace

BOOL CKyFillStyleVector::TileScale(CDC& mem, double& dScale, long& ws, long& hs, CSize& device) const {
  // A tile that would come out under the four pixels a symbol needs (a
  // small pattern on a coarse device) is drawn larger, symbols and spacing
  // alike, until it has them: the pattern stays whole instead of failing.
  for (int grow = 0; grow < 64; ++grow, dScale *= 1.25) {
    ws = ky::Near(m_nWidth * dScale);
    hs = ky::Near(m_nHeight * dScale);
    device = CSize(static_cast<int>(ws), static_cast<int>(hs));
    mem.LPtoDP(&device);
    if (device.cx >= 4 && device.cy >= 4) break;
  }
  return device.cx >= 4 && device.cy >= 4;
}

template <typename Fn>
void CKyFillStyleVector::ForEachCopy(Fn at) const {
  double hw = m_nSymSize * 0.5;
  hw = hw > 0 ? static_cast<double>(static_cast<long>((m_nSymSize + 1) * 0.5)) : static_cast<double>(ky::Near(hw));
  const double tw = m_nWidth, th = m_nHeight;
  for (INT_PTR k = 0; k < m_arrPoints.GetSize(); ++k) {
    const double px = m_arrPoints[k].x, py = m_arrPoints[k].y;
    const bool left = px - hw < 0, right = px + hw > tw, top = py - hw < 0, bottom = py + hw > th;
    at(px, py);
    if (left) at(px + tw, py);
    if (right) at(px - tw, py);
    if (top) at(px, py + th);
    if (bottom) at(px, py - th);
    if (left && top) at(px + tw, py + th);
    if (right && bottom) at(px - tw, py - th);
    if (left && bottom) at(px + tw, py - th);
    if (right && top) at(px - tw, py + th);
  }
}

BOOL CKyFillStyleVector::ForEachSymbolCopy(CDC* pDC, COLORREF crFore, double dScale, CSize* pTile,
                                           const std::function<void(CDC&, CKySymbol&, CKySymbolParameter&)>& fn) {
  if (!pDC || !pTile || m_nWidth == 0 || m_nHeight == 0) return FALSE;
  CDC mem;
  if (!mem.CreateCompatibleDC(pDC)) return FALSE;
  mem.SetMapMode(MM_ISOTROPIC);
  long ws = 0, hs = 0;
  CSize device;
  if (!TileScale(mem, dScale, ws, hs, device) || device.cx > pDC->GetDeviceCaps(HORZRES) ||
      device.cy > pDC->GetDeviceCaps(VERTRES)) {
    return FALSE;
  }
  mem.SetWindowOrg(0, 0);
  CKySymbol* symbol = m_pSymLib ? m_pSymLib->GetSymbol(static_cast<unsigned long>(m_nSymID)) : nullptr;
  if (GetPointCount() > 0 && !symbol) return FALSE;
  *pTile = device;
  CKySymbolParameter param = TileParameter(*this, crFore, dScale);
  ForEachCopy([&](double x, double y) {
    param.m_ptPosition = CPoint(ky::Near(x * dScale), -ky::Near(y * dScale));
    fn(mem, *symbol, param);
  });
  return TRUE;
}

BOOL CKyFillStyleVector::CreateBitmap(CDC* pDC, COLORREF crFore, COLORREF crBack, double dScale, int bMask,
                                      CBitmap& bitmap) {
  if (!pDC || m_nWidth == 0 || m_nHeight == 0) return FALSE;
  CDC mem;
  if (!mem.CreateCompatibleDC(pDC)) return FALSE;
  const int oldMode = mem.SetMapMode(MM_ISOTROPIC);

  long ws = 0, hs = 0;
  CSize device;
  TileScale(mem, dScale, ws, hs, device);
  const int w = device.cx, h = device.cy;

  bitmap.DeleteObject();
  const int horzRes = pDC->GetDeviceCaps(HORZRES);
  const int vertRes = pDC->GetDeviceCaps(VERTRES);
  if (w < 4 || h < 4 || w > horzRes || h > vertRes || !bitmap.CreateCompatibleBitmap(pDC, w, h)) {
    mem.SetMapMode(oldMode);
    return FALSE;
  }
  const CPoint oldOrg = mem.SetWindowOrg(0, 0);
  CBitmap* oldBitmap = mem.SelectObject(&bitmap);
  auto restore = [&] {
    mem.SelectObject(oldBitmap);
    mem.SetWindowOrg(oldOrg);
    mem.SetMapMode(oldMode);
  };

  CBrush back;
  back.CreateSolidBrush(crBack);
  const CRect whole(0, 0, static_cast<int>(ws) + 1, static_cast<int>(-hs - 1));
  mem.FillRect(&whole, &back);
  if (GetPointCount() == 0) {
    restore();
    return TRUE;
  }
  CKySymbol* symbol = m_pSymLib ? m_pSymLib->GetSymbol(static_cast<unsigned long>(m_nSymID)) : nullptr;
  if (!symbol) {
    restore();
    return FALSE;
  }

  CKySymbolParameter param = TileParameter(*this, crFore, dScale);

  std::unique_ptr<CKySymbol> maskSymbol;
  if (bMask) {
    maskSymbol = std::make_unique<CKySymbol>();
    CKySymStroke* only = symbol->GetCount() == 1 ? symbol->GetLastStroke(0) : nullptr;
    if (only && (only->GetStrokeType() == 10 || only->GetStrokeType() == 11)) {
      // A filled shape is masked as its bounding rectangle. The rectangle
      // is drawn with the symbol's own size, angle and scale, so that it
      // covers the shape as drawn; a fixed size of 255 device pixels would
      // cover far more or less than the symbol at most sizes.
      CRect r;
      only->GetStrokeRect(&r);
      const double k = 0.00392156862745098;
      auto* stroke = new CKySymStroke;
      stroke->MakeStroke_Rectangle(CPoint2D(r.left * k, r.top * k), CPoint2D(r.right * k, r.bottom * k), 0, 1, 0, 0,
                                   0, 0, 0xFFFFFF);
      maskSymbol->AddStroke(stroke);
    } else {
      *maskSymbol = *symbol;
      for (int i = 0; i < maskSymbol->GetCount(); ++i) {
        maskSymbol->GetLastStroke(i)->MakeBrushFix(0);
        maskSymbol->GetLastStroke(i)->MakePenFix(0);
      }
    }
  }
  CKySymbol& drawn = maskSymbol ? *maskSymbol : *symbol;

  ForEachCopy([&](double x, double y) { DrawAt(mem, drawn, param, x, y, dScale); });
  restore();
  return TRUE;
}
