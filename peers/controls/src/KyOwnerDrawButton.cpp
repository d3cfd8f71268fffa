// The input state of the self-painting buttons (KyOwnerDrawButton.h).
#include "KyOwnerDrawButton.h"

BEGIN_MESSAGE_MAP(CKyOwnerDrawButton, CButton)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_CAPTURECHANGED()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CKyOwnerDrawButton::CKyOwnerDrawButton(BOOL bTrackHot) : m_bTrackHot(bTrackHot) {}

void CKyOwnerDrawButton::SetChecked(BOOL bChecked) {
  if (!bChecked == !m_bChecked) return;
  m_bChecked = bChecked ? TRUE : FALSE;
  if (m_hWnd) Invalidate(FALSE);
}

void CKyOwnerDrawButton::SetHot(BOOL bHot) {
  if (bHot == m_bHot) return;
  m_bHot = bHot;
  if (m_hWnd) Invalidate(FALSE);
}

BOOL CKyOwnerDrawButton::IsInside(CPoint point) const {
  CRect r;
  GetClientRect(&r);
  return r.PtInRect(point) && IsWindowEnabled();
}

// While the left button is down the button's own procedure holds the
// capture for the press; the hot state then just follows the pointer.
void CKyOwnerDrawButton::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bTrackHot) {
    const BOOL inside = IsInside(point);
    if (!(nFlags & MK_LBUTTON)) {
      if (inside && GetCapture() != this) SetCapture();
      if (!inside && GetCapture() == this) ReleaseCapture();
    }
    SetHot(inside);
  }
  Default();
}

void CKyOwnerDrawButton::OnCaptureChanged(CWnd* pWnd) {
  if (m_bTrackHot && pWnd != this) SetHot(FALSE);
  Default();
}

// The click goes out first; then the button stays hot (and keeps watching)
// when the mouse is still over it.
void CKyOwnerDrawButton::OnLButtonUp(UINT, CPoint point) {
  Default();
  if (!m_bTrackHot || !m_hWnd) return;
  if (IsInside(point)) {
    SetHot(TRUE);
    if (GetCapture() != this) SetCapture();
  } else {
    SetHot(FALSE);
  }
}

BOOL CKyOwnerDrawButton::OnEraseBkgnd(CDC*) { return TRUE; }

void CKyOwnerDrawButton::OnPaint() {
  CPaintDC dc(this);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
  dis.itemAction = ODA_DRAWENTIRE;
  if (IsPressed()) dis.itemState |= ODS_SELECTED;
  if (GetFocus() == this) dis.itemState |= ODS_FOCUS;
  if (!IsWindowEnabled()) dis.itemState |= ODS_DISABLED;
  if (m_bChecked) dis.itemState |= ODS_CHECKED;
  dis.hwndItem = m_hWnd;
  dis.hDC = dc.GetSafeHdc();
  GetClientRect(&dis.rcItem);
  DrawItem(&dis);
}
