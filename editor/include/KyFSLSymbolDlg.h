// CKyFSLSymbolDlg: the attributes of a symbol pattern (template 4914,
// "Symbol FillStyle"): the tile's width and height and the symbol's size
// and angle (tenths of a millimetre, tenths of a degree), the symbol, and
// the points at which it is placed, in list order.
//
// The symbol is an index over two symbol libraries, as the line-style
// module's symbol picker counts them: 0..n-1 a symbol of the fill style
// library's own symbol library by position, n and above the symbol at
// position index - n of the resource symbol library (m_pResSymLib of the
// library, which may be null); -1 none.
//
//   CKyFSLSymbolDlg dlg(this);
//   dlg.AttachKyFillStyleLib(pLib, nOwnCount);
//   dlg.m_nWidth = ...;                      // values in, before DoModal
//   if (dlg.DoModal() == IDOK) use(dlg.m_nWidth, dlg.m_arrPoints, dlg.m_nSymIndex);
#pragma once

#include "KyFillStyleLib.h"
#include "afxcmn.h"
#include "afxwin.h"

class CKySymbol;

class CKyFSLSymbolDlg : public CDialog {
 public:
  explicit CKyFSLSymbolDlg(CWnd* pParent = nullptr);
  ~CKyFSLSymbolDlg() override;

  // The library (not owned) and n, the number of leading own-library
  // positions that count as own symbols; TRUE.
  BOOL AttachKyFillStyleLib(CKyFillStyleLib* pLib, long nOwnCount);

  // The symbol an index stands for, or null: own position index below n,
  // else resource position index - n, each resolved through its id.
  static CKySymbol* SymbolOfIndex(CKyFillStyleLib* pLib, long nOwnCount, int index);

  // The largest tile, symbol size and symbol angle the dialog takes; values
  // beyond them (or below 0) are refused with a message when read.
  static constexpr int kMaxLength = 1000;
  static constexpr int kMaxAngle = 3600;

  CEdit m_editWidth;
  CEdit m_editAngle;
  CEdit m_editSize;
  CEdit m_editHeight;
  CButton m_btnSymbol;
  CListCtrl m_listPoints;
  int m_nHeight = 100;
  int m_nPointX = 25;
  int m_nPointY = 25;
  int m_nAngle = 0;
  int m_nSize = 60;
  int m_nWidth = 100;
  CArray<CPoint, CPoint> m_arrPoints;
  int m_nSymIndex = -1;
  CKyFillStyleLib* m_pLib = nullptr;
  long m_nOwnCount = 0;

  // The list's selected row, -1 for none.
  int GetSelectedRow() const;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnAdd();
  afx_msg void OnDelete();
  afx_msg void OnModify();
  afx_msg void OnClickPoints(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnSelectSymbol();
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  DECLARE_MESSAGE_MAP()

 private:
  // Selects row r alone and shows its values in the two point edits.
  void SelectRow(int r);
  // Puts m_nPointX and m_nPointY into the two point edits only, so that
  // what the user typed elsewhere stays.
  void ShowPoint();
  // Row r shows point r.
  void ShowRow(int r);
};
