// CKyColorPopup: the palette that a CKyButtonColorPicker drops down.
//
//   +---------------------------------------+
//   | [] [] [] [] [] [] [] []               |   kColumns x kRows cells of
//   | [] [] [] [] [] [] [] []               |   kCell pixels, the standard
//   | [] [] [] [] [] [] [] []               |   palette of Palette()
//   | [] [] [] [] [] [] [] []               |
//   | [] [] [] [] [] [] [] []               |
//   |              More...                  |   entry kMoreEntry
//   +---------------------------------------+
//
// It is a top-level popup window that holds the mouse capture while it is
// open, so that a click anywhere reaches it: a click on a cell picks that
// colour, a click on "More..." opens CKyColorDlg, a click outside closes it
// without a choice. Keys: arrows move the hot entry, Enter or Space picks it,
// Escape closes. Either way the popup tells its button (OnPopupClosed) and
// destroys itself.
#pragma once

#include "afxwin.h"

class CKyButtonColorPicker;

class CKyColorPopup : public CWnd {
 public:
  static constexpr int kColumns = 8;
  static constexpr int kRows = 5;
  static constexpr int kCell = 18;      // pixels, including a 2-pixel gap
  static constexpr int kMargin = 4;
  static constexpr int kMoreHeight = 22;
  static constexpr int kMoreEntry = kColumns * kRows;  // index of "More..."

  // The standard palette: kColumns * kRows colours, row by row.
  static const COLORREF* Palette();
  static const char* ClassName() { return "KyColorPopup"; }

  explicit CKyColorPopup(CKyButtonColorPicker* pButton);
  ~CKyColorPopup() override;

  // Makes the window at the screen point pt (its top-left corner, moved to
  // stay on the screen), selects the entry of crCurrent when the palette
  // holds it, takes the capture and the focus. FALSE when the window cannot be made.
  BOOL Open(POINT pt, COLORREF crCurrent);

  // The entry under a client point: 0 .. kMoreEntry, or -1 for none.
  int HitTest(POINT ptClient) const;
  // Client rectangle of an entry; empty for an index out of range.
  CRect EntryRect(int index) const;
  int GetHot() const { return m_nHot; }

  // Ends the popup: cr picked, or CLR_INVALID for none. Tells the button and
  // destroys the window (the object deletes itself afterwards).
  void Close(COLORREF cr);

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  DECLARE_MESSAGE_MAP()
  void PostNcDestroy() override;

 private:
  void Pick(int index);
  void SetHot(int index);

  CKyButtonColorPicker* m_pButton;
  COLORREF m_crCurrent = CLR_INVALID;
  int m_nHot = -1;
  BOOL m_bClosing = FALSE;
  BOOL m_bInChooser = FALSE;  // while "More..." runs its dialog
};
