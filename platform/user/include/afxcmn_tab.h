// The framework wrapper of the tab control (commctrl_tab.h).
#pragma once

#include "afxwin.h"
#include "commctrl.h"

class CTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CTabCtrl)
 public:
  CTabCtrl() = default;
  // FALSE when the window cannot be made.
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int GetItemCount() const { return TabCtrl_GetItemCount(m_hWnd); }
  // FALSE for an index out of range.
  BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const { return TabCtrl_GetItem(m_hWnd, nItem, pTabCtrlItem); }
  BOOL SetItem(int nItem, TCITEM* pTabCtrlItem) { return TabCtrl_SetItem(m_hWnd, nItem, pTabCtrlItem); }
  // The new item's index, or -1.
  LONG InsertItem(int nItem, TCITEM* pTabCtrlItem) { return TabCtrl_InsertItem(m_hWnd, nItem, pTabCtrlItem); }
  LONG InsertItem(int nItem, LPCTSTR lpszItem);
  LONG InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
  LONG InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam);
  BOOL DeleteItem(int nItem) { return TabCtrl_DeleteItem(m_hWnd, nItem); }
  BOOL DeleteAllItems() { return TabCtrl_DeleteAllItems(m_hWnd); }
  BOOL GetItemRect(int nItem, LPRECT lpRect) const { return TabCtrl_GetItemRect(m_hWnd, nItem, lpRect); }
  // -1 when no tab is selected.
  int GetCurSel() const { return TabCtrl_GetCurSel(m_hWnd); }
  // The previous selection, or -1; sends no notification.
  int SetCurSel(int nItem) { return TabCtrl_SetCurSel(m_hWnd, nItem); }
  // The tab under the point (client coordinates), or -1.
  int HitTest(TCHITTESTINFO* pHitTestInfo) const { return TabCtrl_HitTest(m_hWnd, pHitTestInfo); }
  // bLarger FALSE: the display area of a control whose window is *lpRect;
  // TRUE: the window a display area of *lpRect needs.
  void AdjustRect(BOOL bLarger, LPRECT lpRect) { TabCtrl_AdjustRect(m_hWnd, bLarger, lpRect); }
};
