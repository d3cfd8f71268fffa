// CKyFlatButton: a button that shows an icon flat on the dialog's face and
// raises a thin edge while the mouse is over it; pressed, the edge sinks.
//
// It paints itself (WM_PAINT) whatever its button style. The hot state
// follows the mouse: the first mouse move over the button takes the capture,
// and a move outside (or a lost capture) lets it go, as a person sees it.
#pragma once

#include "afxwin.h"

class CKyFlatButton : public CButton {
 public:
  CKyFlatButton();
  ~CKyFlatButton() override;

  // Shows hIcon drawn at cx x cy, centred (a size of 0 or less counts as 32);
  // returns the icon shown before (NULL for none). The icon stays the
  // caller's: the button never destroys it.
  HICON SetIcon(HICON hIcon, int cx, int cy);
  HICON SetIcon(HICON hIcon, CSize size) { return SetIcon(hIcon, size.cx, size.cy); }
  // At 32 x 32 (this hides the push button's own BM_SETIMAGE form, which a
  // button that paints itself would not show).
  HICON SetIcon(HICON hIcon) { return SetIcon(hIcon, 32, 32); }
  HICON GetIcon() const { return m_hIcon; }
  CSize GetIconSize() const { return m_sizeIcon; }

  // TRUE while the mouse is over the button.
  BOOL IsHot() const { return m_bHot; }

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  void SetHot(BOOL bHot);

  HICON m_hIcon = nullptr;
  CSize m_sizeIcon{32, 32};
  BOOL m_bHot = FALSE;
};
