// CKyColorDlg: the full colour chooser behind "More...".
//
// A hue / saturation field (hue across 0..359 degrees, saturation from 100 %
// at the top to 0 at the bottom), a lightness bar, a sample of the colour,
// and six edits: red, green and blue 0..255, hue 0..359, saturation and
// lightness 0..100. Each edit, a click or drag in the field or the bar
// changes the colour; the others follow. Template IDD_KYDEZ_COLOR
// (English and Chinese), a resource of this module.
#pragma once

#include "afxwin.h"

class CKyColorDlg : public CDialog {
 public:
  explicit CKyColorDlg(COLORREF crInit = RGB(0, 0, 0), CWnd* pParent = nullptr);

  // The colour: the one given, then what the user made of it. Valid after IDOK.
  COLORREF GetColor() const { return m_crColor; }
  void SetColor(COLORREF cr);

  // The conversions the chooser uses, exact to the integer: hue 0..359,
  // saturation and lightness 0..100.
  static void RGBToHSL(COLORREF cr, int* pHue, int* pSat, int* pLight);
  static COLORREF HSLToRGB(int hue, int sat, int light);

  BOOL OnInitDialog() override;

 protected:
  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnChangeRGB();
  afx_msg void OnChangeHSL();
  DECLARE_MESSAGE_MAP()

 private:
  void ShowValues(int skipId);
  void TrackPoint(CPoint point);
  CRect FieldRect() const;  // client rectangle of the hue/saturation field
  CRect LumRect() const;    // and of the lightness bar

  CBitmap m_bmpField;  // the hue/saturation field, drawn once
  COLORREF m_crColor;
  int m_nHue = 0, m_nSat = 0, m_nLight = 0;
  int m_nDragging = 0;  // 0 none, 1 the field, 2 the bar
  BOOL m_bUpdating = FALSE;
};
