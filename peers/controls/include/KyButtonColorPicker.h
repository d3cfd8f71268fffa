// CKyButtonColorPicker: a push button that shows a colour and lets the user
// pick another one.
//
// A click (mouse, or Space / Enter while it has the focus) opens a
// CKyColorPopup below the button: a palette of standard colours and a
// "More..." entry that opens CKyColorDlg. When the user picks a colour the
// button takes it, repaints, and sends WM_COLORPICKER_SELCHANGE to its
// parent with the colour in wParam and the button's control id in lParam.
// Setting the colour from code (SetColor) sends nothing.
//
// The button paints itself whatever its button style (CKyOwnerDrawButton,
// which owns its input state), so that a dialog template may declare it as
// a plain push button or as owner-drawn.
#pragma once

#include "KyOwnerDrawButton.h"

// Sent to the button's parent when the user picked a colour:
// wParam the colour (COLORREF), lParam the button's control id.
#define WM_COLORPICKER_SELCHANGE (WM_USER + 1004)

class CKyColorPopup;

class CKyButtonColorPicker : public CKyOwnerDrawButton {
 public:
  CKyButtonColorPicker();
  ~CKyButtonColorPicker() override;

  // Shows cr from now on; repaints when the button exists and bRedraw. A
  // colour equal to the current one changes nothing. No notification.
  virtual void SetColor(COLORREF cr, BOOL bRedraw = TRUE);
  COLORREF GetColor() const { return m_crColor; }

  // Opens the popup below the button, as a click does. FALSE when the button
  // has no window or is disabled, or the popup cannot be made; TRUE when it is
  // open (already or now).
  BOOL OpenPopup();
  // The popup while it is open, else NULL.
  CKyColorPopup* GetPopup() const { return m_pPopup; }

  // Called by the popup: a colour was picked (cr) or the popup closed without
  // one (cr == CLR_INVALID). Takes the colour and notifies the parent.
  void OnPopupClosed(COLORREF cr);

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  afx_msg void OnClicked();
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  COLORREF m_crColor = RGB(0, 0, 0);
  CKyColorPopup* m_pPopup = nullptr;  // owned while open
};
