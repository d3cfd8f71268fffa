// The small pieces every CKyEspecialFill operation shares: rounding, the
// rate's range, the MM_TEXT working frame and the print tiling.
#include <algorithm>

#include "KyEspecialFill.h"

LONG CKyEspecialFill::Near(double x) { return static_cast<LONG>(x > 0 ? x + 0.5 : x - 0.5); }

long CKyEspecialFill::ClampRate(long rate) { return std::clamp(rate, 0L, 100L); }

CKyEspecialFill::CWorkFrame::CWorkFrame(CDC* pDC, BOOL bAlwaysResetOrigin)
    : m_pDC(pDC),
      m_nOldMode(0),
      m_szWindowExt(pDC->GetWindowExt()),
      m_szViewportExt(pDC->GetViewportExt()),
      m_bActive(TRUE) {
  // The mode goes first: a window origin read afterwards is the one that
  // MM_TEXT sees, and it is put back after the mode so that it keeps its
  // value in the restored mode too. The extents, which a change of mode
  // resets, are read before it and put back after it.
  m_nOldMode = pDC->SetMapMode(MM_TEXT);
  m_ptOldOrg = pDC->GetWindowOrg();
  if (bAlwaysResetOrigin || m_nOldMode != MM_TEXT) pDC->SetWindowOrg(0, 0);
}

void CKyEspecialFill::CWorkFrame::Restore() {
  if (!m_bActive) return;
  m_bActive = FALSE;
  if (m_nOldMode != 0) m_pDC->SetMapMode(m_nOldMode);
  if (m_nOldMode == MM_ISOTROPIC || m_nOldMode == MM_ANISOTROPIC) {
    m_pDC->SetWindowExt(m_szWindowExt);
    m_pDC->SetViewportExt(m_szViewportExt);
  }
  m_pDC->SetWindowOrg(m_ptOldOrg);
}

std::vector<CRect> CKyEspecialFill::SplitRect(const CRect& rect, CSize tile) {
  CRect r = rect;
  r.NormalizeRect();
  // A tile that maps to less than one logical unit would divide by zero.
  const long tw = std::max<long>(1, std::labs(tile.cx));
  const long th = std::max<long>(1, std::labs(tile.cy));
  const long w = r.Width(), h = r.Height();
  const long nx = w / tw, ny = h / th, rw = w % tw, rh = h % th;
  std::vector<CRect> pieces;
  auto add = [&](long x, long y, long cx, long cy) {
    pieces.emplace_back(static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + cx),
                        static_cast<int>(y + cy));
  };
  for (long j = 0; j < ny; ++j)
    for (long i = 0; i < nx; ++i) add(r.left + i * tw, r.top + j * th, tw, th);
  if (rw > 0)
    for (long j = 0; j < ny; ++j) add(r.left + nx * tw, r.top + j * th, rw, th);
  if (rh > 0)
    for (long i = 0; i < nx; ++i) add(r.left + i * tw, r.top + ny * th, tw, rh);
  if (rw > 0 && rh > 0) add(r.left + nx * tw, r.top + ny * th, rw, rh);
  return pieces;
}
