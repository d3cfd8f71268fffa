// CKyFSLEditList: the library editor's browser grid ("BRUSHLISTBOX"). It
// shows the editor's current group as square cells and keeps a selected and
// an edited cell; the dialog that owns it decides what the cells mean for the
// canvas and the library.
//
// Cells of a group with P parent cells (1 under a parent, else 0), G
// sub-groups and N styles, numbered as the dialog's code and name boxes:
//
//   [ .. ][grp][grp][sty][sty][sty][NEW]      i < P         up to the parent
//   0     P        P+G            P+G+N       i < P+G       sub-group i-P
//                                             i < P+G+N     style i-P-G
//                                             i = P+G+N     a new style
//
// Cell i sits at column (i - m_nTopIndex) mod m_nColumns and row
// (i - m_nTopIndex) div m_nColumns; m_nTopIndex is always m_nColumns times
// the vertical scroll position. The whole grid is painted into m_bmpGrid by
// ReDraw; OnPaint only copies it and lays the selection frame over it.
#pragma once

#include "KyFillStyleLib.h"
#include "afxwin.h"

// The counts that number a group's cells.
struct KyFSLGridCells {
  int parent = 0;     // P
  int subGroups = 0;  // G
  int styles = 0;     // N

  static KyFSLGridCells Of(const CKyFillStyleGroup* group);
  int NewCell() const { return parent + subGroups + styles; }  // P + G + N
  bool IsUp(int i) const { return i >= 0 && i < parent; }
  bool IsSubGroup(int i) const { return i >= parent && i < parent + subGroups; }
  bool IsStyle(int i) const { return i >= parent + subGroups && i < NewCell(); }
  bool IsNew(int i) const { return i == NewCell(); }
};

// What the grid reads from its dialog and tells it.
class CKyFSLEditListHost {
 public:
  virtual ~CKyFSLEditListHost() = default;
  // The group shown and the library that holds its styles; either may be null
  // (the grid then shows no cells).
  virtual CKyFillStyleGroup* GetGridGroup() = 0;
  virtual CKyFillStyleLib* GetGridLib() = 0;
  // The selection moved to index (-1 none); size is the size of the style
  // under it, (0, 0) for other cells.
  virtual void OnGridSelect(int index, CSize size) = 0;
  // A double click: act on the selected cell as the Edit command does.
  virtual void OnGridDoubleClick() = 0;
};

class CKyFSLEditList : public CListBox {
 public:
  CKyFSLEditList();
  ~CKyFSLEditList() override;

  // Registers the window class "BRUSHLISTBOX" (double clicks, arrow cursor)
  // once per process; TRUE when it is registered.
  static BOOL RegisterWndClass();
  void AttachHost(CKyFSLEditListHost* pHost) { m_pHost = pHost; }

  // Rebuilds the off-screen picture, copies it to the window and draws the
  // selection frame anew.
  void ReDraw();
  void DrawBrushLibGrid(CDC* pDC);
  void DrawBrushLib(CDC* pDC);
  // Moves the selection frame to index (-1: none) and tells the host;
  // nothing for an index below -1 or beyond the new-style cell.
  void BrushSelect(int index);
  // Scrolls so that cell index is visible; TRUE when the scroll position
  // changed (the caller then redraws).
  BOOL ScrollChange(int index);

  // Client rectangle of cell i in the current scroll position.
  CRect CellRect(int index) const;
  // The cell under a client point, or -1 right of the last column.
  int CellFromPoint(CPoint point) const;
  KyFSLGridCells Cells() const;

  // Fields the dialog sets and reads.
  int m_nItemSize = 58;
  int m_nRows = 0;
  int m_nTopIndex = 0;
  int m_nEditIndex = -1;
  int m_nSelIndex = -1;
  int m_nColumns = 0;
  CBitmap m_bmpGrid;

 protected:
  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  DECLARE_MESSAGE_MAP()

 private:
  // Draws one cell's picture into rect (the cell inset by 2).
  void DrawCell(CDC* pDC, int index, const KyFSLGridCells& cells, const CRect& rect);
  void DrawFrame(CDC* pDC, int index) const;

  CKyFSLEditListHost* m_pHost = nullptr;
  int m_nWheelRest = 0;  // a turn of less than a notch, kept for the next
};
