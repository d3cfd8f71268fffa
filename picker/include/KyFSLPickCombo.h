// CKyFSLPickCombo and CKyFSLPickTree: the picker's group box. The combo
// names the current group beside a folder icon and never drops its own
// list; a click or Alt+Down shows CKyFSLPickTree, a popup tree of groups
// owned by the dialog. Choosing a node sends the dialog
// WM_CHANGEGROUPPICKER with the node's group.
//
// The tree shows the root, the root's sub-groups, and below the root's child
// on the way to the current group G only the chain down to G:
//
//   root                    (expanded)
//   |- A                    (expanded, on the way)
//   |  `- B                 (expanded, on the way)
//   |     `- G              (open folder, current node)
//   `- C
#pragma once

#include "afxcmn.h"
#include "afxwin.h"

class CKyFillStyleGroup;
class CKyFSLPickCombo;

// Sent (not posted) to the tree's owner: wParam the chosen group, lParam 0.
#define WM_CHANGEGROUPPICKER (WM_USER + 1055)

class CKyFSLPickTree : public CTreeCtrl {
 public:
  CKyFSLPickTree();
  ~CKyFSLPickTree() override;

  // Rebuilds the nodes for m_pCurGroup; an empty tree for null.
  void BuildTree();
  // Sends the owner WM_CHANGEGROUPPICKER with the group of m_hCurItem and
  // gives the combo the focus; nothing when the owner is gone.
  void NotifyParent();

  BOOL PreTranslateMessage(MSG* pMsg) override;

  // Images of the strip: a closed and an open folder.
  static constexpr int kClosedFolder = 0;
  static constexpr int kOpenFolder = 1;

  CKyFillStyleGroup* m_pSelGroup;
  CKyFillStyleGroup* m_pCurGroup;
  HTREEITEM m_hCurItem;
  CImageList m_imageList;
  CKyFSLPickCombo* m_pCombo;

 protected:
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnItemexpanded(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnDestroy();

  DECLARE_MESSAGE_MAP()
};

class CKyFSLPickCombo : public CComboBox {
 public:
  CKyFSLPickCombo();
  ~CKyFSLPickCombo() override;

  // The group the first tree is built for; call before Init.
  void AttachStyleGroup(CKyFillStyleGroup* pGroup);
  // Creates the hidden tree, its images and its first nodes. A size of 0
  // or less takes the combo's client width and 100 pixels. FALSE when the
  // tree window cannot be made.
  BOOL Init(int nDroppedWidth, int nDroppedHeight);
  // Names pGroup and rebuilds the tree for it.
  void ReAttachStyleGroup(CKyFillStyleGroup* pGroup);
  // The group last chosen with the mouse in the tree; null before.
  CKyFillStyleGroup* GetCurSelGroup();
  // Shows the tree under the combo.
  void DisplayTree();
  // TRUE while the tree is shown.
  int GetDroppedState();
  int GetDroppedWidth() { return m_nDroppedWidth; }
  void SetDroppedWidth(int nWidth) { m_nDroppedWidth = nWidth; }
  int GetDroppedHeight() { return m_nDroppedHeight; }
  void SetDroppedHeight(int nHeight) { m_nDroppedHeight = nHeight; }

  // The tree, for tests and for the tree's own use.
  CKyFSLPickTree& Tree() { return m_wndTree; }

  CKyFillStyleGroup* m_pAttachedGroup;
  CKyFillStyleGroup* m_pCurGroup;
  int m_nIconWidth;
  int m_nDroppedHeight;
  int m_nDroppedWidth;
  CKyFSLPickTree m_wndTree;

 protected:
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  void ToggleTree();

  DECLARE_MESSAGE_MAP()
};
