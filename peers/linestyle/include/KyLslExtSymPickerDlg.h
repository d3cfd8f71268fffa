// CKyLslExtSymPickerDlg: the modal dialog in which a user picks a symbol for
// a symbol pattern, from two symbol libraries.
//
// The grid shows the first n symbols of the own library (by position), then
// every symbol of the resource library; the index it takes and returns is
// the position in that order: 0..n-1 an own symbol, n and above the resource
// symbol at position index - n. Either library may be missing (NULL): its
// part of the grid is then empty, and indexes keep their meaning. A double
// click on a cell is OK; OK with no cell selected returns -1. Template
// IDD_KYZOD_SYMBOL (English and Chinese).
#pragma once

#include "KySymLib.h"
#include "afxwin.h"

class CKyLslExtSymPickerDlg : public CDialog {
 public:
  static constexpr int kCell = 44;  // pixels, square cells of the grid

  explicit CKyLslExtSymPickerDlg(CWnd* pParent = nullptr);
  ~CKyLslExtSymPickerDlg() override;

  // The own library and n, the number of its leading positions that are
  // indexes of their own (below 0 counts as 0). Positions beyond the
  // library's symbol count are not shown, but the resource indexes start at
  // n all the same. Not owned.
  void AttachLineSymLib(CKySymLib* pLib, long n);
  // The resource library, shown after the own symbols. Not owned.
  void AttachResSymLib(CKySymLib* pLib) { m_pResLib = pLib; }

  // The chosen index; -1 none. An index beyond the grid selects nothing.
  void SetIndex(int index) { m_nIndex = index; }
  int GetIndex() const { return m_nIndex; }

  // The symbol an index stands for (own position, or resource position
  // index - n), or NULL.
  CKySymbol* SymbolOfIndex(int index) const;
  // The index a grid cell stands for; -1 for a cell out of range.
  int IndexOfCell(int cell) const;
  int CellOfIndex(int index) const;
  int CellCount() const;

  BOOL OnInitDialog() override;
  void OnOK() override;

 protected:
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  afx_msg void OnSelchangeSymbols();
  afx_msg void OnDblclkSymbols();
  DECLARE_MESSAGE_MAP()

 private:
  void ShowName();

  CKySymLib* m_pOwnLib = nullptr;
  CKySymLib* m_pResLib = nullptr;
  long m_nOwnBase = 0;  // n: where the resource indexes start
  int m_nIndex = -1;
  CListBox m_listSymbols;
};
