// The flat button: an icon on the dialog's face, an edge only when hot or pressed.
#include "KyFlatButton.h"

BEGIN_MESSAGE_MAP(CKyFlatButton, CButton)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_CAPTURECHANGED()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CKyFlatButton::CKyFlatButton() = default;
CKyFlatButton::~CKyFlatButton() = default;

HICON CKyFlatButton::SetIcon(HICON hIcon, int cx, int cy) {
  HICON old = m_hIcon;
  m_hIcon = hIcon;
  m_sizeIcon = CSize(cx > 0 ? cx : 32, cy > 0 ? cy : 32);
  if (m_hWnd) Invalidate(FALSE);
  return old;
}

void CKyFlatButton::SetHot(BOOL bHot) {
  if (bHot == m_bHot) return;
  m_bHot = bHot;
  if (m_hWnd) Invalidate(FALSE);
}

// Hot tracking with the capture: the first move over the button takes it,
// so that the move that leaves is seen too. While the left button is down
// the button's own procedure holds the capture for the press; the hot state
// then just follows the pointer.
void CKyFlatButton::OnMouseMove(UINT nFlags, CPoint point) {
  CRect r;
  GetClientRect(&r);
  const BOOL inside = r.PtInRect(point) && IsWindowEnabled();
  if (!(nFlags & MK_LBUTTON)) {
    if (inside && GetCapture() != this) SetCapture();
    if (!inside && GetCapture() == this) ReleaseCapture();
  }
  SetHot(inside);
  Default();
}

void CKyFlatButton::OnCaptureChanged(CWnd* pWnd) {
  if (pWnd != this) SetHot(FALSE);
  Default();
}

void CKyFlatButton::OnLButtonUp(UINT, CPoint point) {
  Default();  // the click goes out first
  if (!m_hWnd) return;
  CRect r;
  GetClientRect(&r);
  if (r.PtInRect(point) && IsWindowEnabled()) {
    SetHot(TRUE);
    if (GetCapture() != this) SetCapture();
  } else {
    SetHot(FALSE);
  }
}

BOOL CKyFlatButton::OnEraseBkgnd(CDC*) { return TRUE; }

void CKyFlatButton::OnPaint() {
  CPaintDC dc(this);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
  dis.itemAction = ODA_DRAWENTIRE;
  if (GetState() & BST_PUSHED) dis.itemState |= ODS_SELECTED;
  if (GetFocus() == this) dis.itemState |= ODS_FOCUS;
  if (!IsWindowEnabled()) dis.itemState |= ODS_DISABLED;
  dis.hwndItem = m_hWnd;
  dis.hDC = dc.GetSafeHdc();
  GetClientRect(&dis.rcItem);
  DrawItem(&dis);
}

void CKyFlatButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  CRect r(lpDIS->rcItem);
  const BOOL pushed = (lpDIS->itemState & ODS_SELECTED) != 0;
  pDC->FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
  if (pushed) {
    CRect e(r);
    pDC->DrawEdge(&e, BDR_SUNKENOUTER, BF_RECT);
  } else if (m_bHot) {
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
