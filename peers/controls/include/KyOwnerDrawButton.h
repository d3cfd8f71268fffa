// CKyOwnerDrawButton: the base of the buttons that paint themselves (the
// flat button, the colour picker button).
//
// The base owns the input state; a subclass only paints, in DrawItem:
//   pressed  the button's own BST_PUSHED (mouse or Space held on it)
//   hot      the mouse is over it, for a button made with hot tracking: the
//            first move over it takes the capture, so that the move that
//            leaves is seen too; a move outside or a lost capture ends it
//   checked  set by code only
// WM_PAINT becomes one DrawItem call with ODS_SELECTED, ODS_FOCUS,
// ODS_DISABLED and ODS_CHECKED in itemState, whatever the button's style; an
// owner-drawn one also answers its parent's WM_DRAWITEM through DrawItem.
// Setters return early when nothing changes and notify nobody.
#pragma once

#include "afxwin.h"

class CKyOwnerDrawButton : public CButton {
 public:
  BOOL IsPressed() const { return (GetState() & BST_PUSHED) != 0; }
  // TRUE while the mouse is over a hot-tracking button.
  BOOL IsHot() const { return m_bHot; }
  BOOL IsChecked() const { return m_bChecked; }
  // Repaints when the state changed.
  void SetChecked(BOOL bChecked);

 protected:
  explicit CKyOwnerDrawButton(BOOL bTrackHot);

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  void SetHot(BOOL bHot);
  BOOL IsInside(CPoint point) const;

  const BOOL m_bTrackHot;
  BOOL m_bHot = FALSE;
  BOOL m_bChecked = FALSE;
};
