// CKyFlatButton: a button that shows an icon flat on the dialog's face and
// raises a thin edge while the mouse is over it; pressed, the edge sinks.
//
// Its input state, the hot state with it, is CKyOwnerDrawButton's; this
// class only paints.
#pragma once

#include "KyOwnerDrawButton.h"

class CKyFlatButton : public CKyOwnerDrawButton {
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

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 private:
  HICON m_hIcon = nullptr;
  CSize m_sizeIcon{32, 32};
};
