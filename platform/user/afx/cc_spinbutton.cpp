// CSpinButtonCtrl: the framework's up-down wrapper.
#include "afxcmn.h"

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateEx(0, UPDOWN_CLASS, "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
  DWORD r = GetRange();
  lower = static_cast<short>(HIWORD(r));
  upper = static_cast<short>(LOWORD(r));
}
