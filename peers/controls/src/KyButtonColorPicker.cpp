// The colour picker button: paints its colour, opens the popup on a click.
#include "KyButtonColorPicker.h"

#include "KyColorPopup.h"

BEGIN_MESSAGE_MAP(CKyButtonColorPicker, CKyOwnerDrawButton)
ON_WM_DESTROY()
ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

CKyButtonColorPicker::CKyButtonColorPicker() : CKyOwnerDrawButton(FALSE) {}

CKyButtonColorPicker::~CKyButtonColorPicker() {
  // The window may still exist (its object dies first); the popup must not
  // call back into a dead object.
  if (m_pPopup) m_pPopup->Close(CLR_INVALID);
}

void CKyButtonColorPicker::SetColor(COLORREF cr, BOOL bRedraw) {
  if (cr == m_crColor) return;
  m_crColor = cr;
  if (bRedraw && m_hWnd) Invalidate(FALSE);
}

BOOL CKyButtonColorPicker::OpenPopup() {
  if (!m_hWnd || !IsWindowEnabled()) return FALSE;
  if (m_pPopup) return TRUE;
  CRect r;
  GetWindowRect(&r);
  auto* popup = new CKyColorPopup(this);
  m_pPopup = popup;
  if (!popup->Open(CPoint(r.left, r.bottom), m_crColor)) {
    m_pPopup = nullptr;
    delete popup;
    return FALSE;
  }
  return TRUE;
}

void CKyButtonColorPicker::OnPopupClosed(COLORREF cr) {
  m_pPopup = nullptr;
  if (!m_hWnd || !::IsWindow(m_hWnd)) return;
  if (cr != CLR_INVALID) {
    m_crColor = cr;
    Invalidate(FALSE);
    if (CWnd* parent = GetParent())
      parent->SendMessage(WM_COLORPICKER_SELCHANGE, static_cast<WPARAM>(cr), static_cast<LPARAM>(GetDlgCtrlID()));
  }
  if (::IsWindow(m_hWnd) && IsWindowVisible()) SetFocus();
}

void CKyButtonColorPicker::OnClicked() { OpenPopup(); }

void CKyButtonColorPicker::OnDestroy() {
  if (m_pPopup) m_pPopup->Close(CLR_INVALID);
  CButton::OnDestroy();
}

// The face: a push button's edge, the colour in a black frame on the left,
// a drop-down arrow on the right.
//
//   +--------------------------+
//   | +----------------+   .   |
//   | |  colour        |  ...  |
//   | +----------------+ ..... |
//   +--------------------------+
void CKyButtonColorPicker::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  CRect r(lpDIS->rcItem);
  const BOOL pushed = (lpDIS->itemState & ODS_SELECTED) != 0;
  const BOOL disabled = (lpDIS->itemState & ODS_DISABLED) != 0;
  pDC->FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
  CRect edge(r);
  pDC->DrawEdge(&edge, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

  const int offset = pushed ? 1 : 0;
  const int arrowWidth = 9;
  CRect swatch(r.left + 4 + offset, r.top + 4 + offset, r.right - 4 - arrowWidth - 4 + offset, r.bottom - 4 + offset);
  if (swatch.right > swatch.left && swatch.bottom > swatch.top) {
    CBrush frame(disabled ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0));
    if (!disabled) {
      CRect inner(swatch);
      inner.DeflateRect(1, 1);
      pDC->FillSolidRect(&inner, m_crColor & 0x00FFFFFF);
    }
    pDC->FrameRect(&swatch, &frame);
  }

  // A small triangle pointing down, five rows from 9 pixels to 1.
  const COLORREF arrow = disabled ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0);
  const int ax = r.right - 4 - arrowWidth + offset;
  const int ay = (r.top + r.bottom) / 2 - 2 + offset;
  for (int i = 0; i < 5; ++i) pDC->FillSolidRect(ax + i, ay + i, arrowWidth - 2 * i, 1, arrow);

  if (lpDIS->itemState & ODS_FOCUS) {
    CRect focus(r);
    focus.DeflateRect(3, 3);
    pDC->DrawFocusRect(&focus);
  }
}
