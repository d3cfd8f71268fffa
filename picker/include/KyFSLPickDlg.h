// CKyFSLPickDlg: the modal dialog in which a user chooses how an area is
// drawn: a fill style of a library (browsed group by group), colours or a
// transparent background, an opacity rate, a gradient, and the outline's
// line style, width and colour, with a live preview.
//
//   CKyFSLPickDlg dlg;
//   dlg.AttachKyStyleLib(&fillLib, &lineLib);
//   dlg.SetStyle(current);
//   if (dlg.DoModal() == IDOK) current = dlg.GetStyle();
//
// Before OnInitDialog the dialog only holds values; the getters read the
// members. GetStyle is the record OnOK filled: meaningful after IDOK only.
#pragma once

#include "KyButtonColorPicker.h"
#include "KyFSLPickCombo.h"
#include "KyFSLPickList.h"
#include "KyFlatButton.h"
#include "KyGeoStyle.h"
#include "afxcmn.h"
#include "afxwin.h"

class CKyFillStyle;
class CKyFillStyleGroup;
class CKyFillStyleLib;
class CKyLineStyleLib;

class CKyFSLPickDlg : public CDialog {
 public:
  explicit CKyFSLPickDlg(CWnd* pParent = nullptr);
  ~CKyFSLPickDlg() override;

  // Stores a non-null pLine; FALSE (pFill not stored) for a null pFill.
  int AttachKyStyleLib(CKyFillStyleLib* pFill, CKyLineStyleLib* pLine);
  // Copies the record into the members; m_style is not touched.
  void SetStyle(CKyGeoStyle style);
  CKyGeoStyle GetStyle() { return m_style; }

  void SetCurSelStyle(long id) { m_nCurSelStyle = id; }
  long GetCurSelStyle() { return m_nCurSelStyle; }
  void SetBackColor(COLORREF cr);
  COLORREF GetBackColor() { return m_crBack; }
  void SetFrontColor(COLORREF cr);
  COLORREF GetFrontColor() { return m_crFront; }
  void SetTransparent(BOOL bTransparent) { m_bTransparent = bTransparent; }
  BOOL IsTransparent() { return m_bTransparent; }
  // Clamped to 0..100.
  void SetTransparentRate(long rate);
  long GetTransparentRate() { return m_nTransparentRate; }
  void SetLineStyleID(long id) { m_nLineStyleID = id; }
  long GetLineStyleID() { return m_nLineStyleID; }
  void SetLineWidth(long width) { m_nCurLineWidth = width; }
  long GetLineWidth() { return m_nCurLineWidth; }
  void SetLineColor(COLORREF cr) { m_crCurLineColor = cr; }
  COLORREF GetLineColor() { return m_crCurLineColor; }
  // The gradient setters store their values unchecked.
  void SetGradientType(long type) { m_nGradientType = type; }
  long GetGradientType() { return m_nGradientType; }
  void SetGradientAngle(long angle) { m_nGradientAngle = angle; }
  long GetGradientAngle() { return m_nGradientAngle; }
  void SetGradientHoffset(long offset) { m_nGradientHoffset = offset; }
  long GetGradientHoffset() { return m_nGradientHoffset; }
  void SetGradientVoffset(long offset) { m_nGradientVoffset = offset; }
  long GetGradientVoffset() { return m_nGradientVoffset; }

  // Repaints the preview and recomputes m_nCurSelStyle and m_pCurStyle
  // from the list's selection. Nothing when the dialog has no window.
  void DrawPreviews();
  // Draws the outline rectangle in the current line style.
  void DrawLineStyle(CDC* pDC, CRect* rect);

  // Invalidates the parent's client area, then destroys the dialog.
  BOOL DestroyWindow() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // Fields in their order; the control ids of the template beside them.
  CKyFillStyle* m_pCurStyle;
  CKyFillStyleGroup* m_pCurGroup;
  CSpinButtonCtrl m_spinVoffset;      // 23471
  CSpinButtonCtrl m_spinHoffset;      // 23469
  CComboBox m_comboGradientType;      // 23467
  CSpinButtonCtrl m_spinAngle;        // 23465
  CKyFSLPickList m_listStyles;        // 23441
  CKyButtonColorPicker m_btnBackColor;   // 23435
  CKyFSLPickCombo m_comboGroup;       // 23434
  CKyButtonColorPicker m_btnFrontColor;  // 23437
  CString m_strInfo;                  // 23439
  CKyFlatButton m_btnPrevious;        // 23438
  BOOL m_bTransparent;                // 23436
  long m_nTransparentRate;            // 23466
  long m_nGradientAngle;              // 23464
  long m_nGradientHoffset;            // 23468
  long m_nGradientVoffset;            // 23470
  CComboBox m_comboFindID;            // 23473
  CComboBox m_comboFindName;          // 23474
  CKyGeoStyle m_style;
  COLORREF m_crCurLineColor;
  long m_nLineStyleID;
  long m_nCurLineWidth;
  COLORREF m_crBack;
  COLORREF m_crFront;
  long m_nCurSelStyle;
  CToolTipCtrl m_toolTip;
  CKyFillStyleLib* m_pFillStyleLib;
  CKyLineStyleLib* m_pLineStyleLib;
  long m_nGradientType;
  BOOL m_bInitialized;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  afx_msg void OnSelchangeList();
  afx_msg void OnDblclkList();
  afx_msg void OnTransparent();
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  afx_msg void OnPreviousGroup();
  afx_msg void OnSelchangeGroupCombo();
  afx_msg void OnLinestyleSet();
  afx_msg void OnFslGradient();
  afx_msg void OnSelchangeGradienttype();
  afx_msg void OnChangeTransparent();
  afx_msg void OnChangeGradientAngle();
  afx_msg void OnChangeVoffset();
  afx_msg void OnChangeHoffset();
  afx_msg LRESULT OnChangeGroupPicker(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSelChangeColor(WPARAM wParam, LPARAM lParam);
  afx_msg void OnFslEditFillstylelib();
  afx_msg void OnSelchangeFindID();
  afx_msg void OnSelchangeFindName();

  // The steps several handlers share.
  void FillFindBoxes(bool bReset);
  void ShowGroup(CKyFillStyleGroup* pGroup, bool bListFirst);
  // Selects the entry of id in the shown group; false when it has none.
  bool SelectCurrentStyle(long id);
  void ResetInfo();
  void ShowInfoOnTwoLines();
  void ClearFindBoxes();
  // The outline width the preview draws with: m_nCurLineWidth kept within
  // 0 and the larger side of area (logical units).
  long PreviewLineWidth(const CRect& area) const;
  // Whether pGroup is the attached library's root or one of its descendants.
  bool IsGroupOfLibrary(const CKyFillStyleGroup* pGroup) const;

  DECLARE_MESSAGE_MAP()
};
