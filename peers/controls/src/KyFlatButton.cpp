// The flat button: an icon on the dialog's face, an edge only when hot or pressed.
#include "KyFlatButton.h"

CKyFlatButton::CKyFlatButton() : CKyOwnerDrawButton(TRUE) {}
CKyFlatButton::~CKyFlatButton() = default;

HICON CKyFlatButton::SetIcon(HICON hIcon, int cx, int cy) {
  HICON old = m_hIcon;
  m_hIcon = hIcon;
  m_sizeIcon = CSize(cx > 0 ? cx : 32, cy > 0 ? cy : 32);
  if (m_hWnd) Invalidate(FALSE);
  return old;
}

void CKyFlatButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  CRect r(lpDIS->rcItem);
  const BOOL pushed = (lpDIS->itemState & ODS_SELECTED) != 0;
  pDC->FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
  if (pushed) {
    CRect e(r);
    pDC->DrawEdge(&e, BDR_SUNKENOUTER, BF_RECT);
  } else if (IsHot()) {
    CRect e(r);
    pDC->DrawEdge(&e, BDR_RAISEDINNER, BF_RECT);
  }
  const int off = pushed ? 1 : 0;
  if (m_hIcon) {
    const int x = r.left + (r.Width() - m_sizeIcon.cx) / 2 + off;
    const int y = r.top + (r.Height() - m_sizeIcon.cy) / 2 + off;
    DrawIconEx(lpDIS->hDC, x, y, m_hIcon, m_sizeIcon.cx, m_sizeIcon.cy, 0, nullptr, DI_NORMAL);
  } else {
    CString text;
    GetWindowText(text);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GetSysColor((lpDIS->itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    CRect t(r);
    t.OffsetRect(off, off);
    CFont* old = pDC->SelectObject(GetFont());
    pDC->DrawText(text, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (old) pDC->SelectObject(old);
  }
  if (lpDIS->itemState & ODS_FOCUS) {
    CRect f(r);
    f.DeflateRect(3, 3);
    pDC->DrawFocusRect(&f);
  }
}
