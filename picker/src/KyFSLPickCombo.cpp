#include "KyFSLPickCombo.h"

#include <vector>

#include "KyFillStyleGroup.h"
#include "resource.h"

namespace {
// Deeper chains than a library can store are not followed (a damaged
// parent link could otherwise loop).
constexpr int kMaxPath = CKyFillStyleGroup::kMaxDepth + 2;

HTREEITEM InsertGroup(CTreeCtrl& tree, CKyFillStyleGroup* group, int image, HTREEITEM parent) {
  const CString name = group->GetName();
  TVINSERTSTRUCT tvi{};
  tvi.hParent = parent;
  tvi.hInsertAfter = TVI_LAST;
  tvi.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  tvi.item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(name));
  tvi.item.iImage = image;
  tvi.item.iSelectedImage = image;
  tvi.item.lParam = reinterpret_cast<LPARAM>(group);
  return tree.InsertItem(&tvi);
}
}  // namespace

// ---------------------------------------------------------------- the tree

BEGIN_MESSAGE_MAP(CKyFSLPickTree, CTreeCtrl)
  ON_WM_MOUSEMOVE()
  ON_NOTIFY_REFLECT(TVN_ITEMEXPANDED, OnItemexpanded)
  ON_WM_LBUTTONDOWN()
  ON_WM_KILLFOCUS()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CKyFSLPickTree::CKyFSLPickTree() : m_pSelGroup(nullptr), m_pCurGroup(nullptr), m_hCurItem(nullptr), m_pCombo(nullptr) {}

CKyFSLPickTree::~CKyFSLPickTree() = default;

void CKyFSLPickTree::BuildTree() {
  DeleteItem(TVI_ROOT);
  m_hCurItem = nullptr;
  CKyFillStyleGroup* g = m_pCurGroup;
  if (!g) return;

  // path[0] is the root, path.back() is g.
  std::vector<CKyFillStyleGroup*> path;
  for (CKyFillStyleGroup* p = g; p && static_cast<int>(path.size()) < kMaxPath; p = p->GetParentGroup())
    path.insert(path.begin(), p);
  CKyFillStyleGroup* root = path.front();
  const size_t depth = path.size();

  HTREEITEM hRoot = InsertGroup(*this, root, kClosedFolder, TVI_ROOT);
  m_hCurItem = hRoot;
  HTREEITEM b = hRoot;
  const long subs = root->GetSubGroupCount();
  for (long i = 0; i < subs; ++i) {
    CKyFillStyleGroup* c = root->SubGroup(i);
    if (!c) continue;
    const bool onPath = depth > 1 && c == path[1];
    HTREEITEM node = InsertGroup(*this, c, onPath && c == g ? kOpenFolder : kClosedFolder, hRoot);
    if (onPath) {
      b = node;
      if (c == g) m_hCurItem = node;
    }
  }
  HTREEITEM previous = b;
  for (size_t k = 2; k < depth; ++k) {
    const bool last = k == depth - 1;
    HTREEITEM node = InsertGroup(*this, path[k], last ? kOpenFolder : kClosedFolder, previous);
    if (last)
      m_hCurItem = node;
    else
      Expand(node, TVE_EXPAND);
    previous = node;
  }
  Expand(GetRootItem(), TVE_EXPAND);
  Expand(b, TVE_EXPAND);
  for (HTREEITEM n = b; n && ItemHasChildren(n);) {
    n = GetChildItem(n);
    if (n) Expand(n, TVE_EXPAND);
  }
}

void CKyFSLPickTree::NotifyParent() {
  CWnd* owner = GetParent();
  if (!owner) return;
  auto* group = m_hCurItem ? reinterpret_cast<CKyFillStyleGroup*>(GetItemData(m_hCurItem)) : nullptr;
  if (::IsWindow(owner->m_hWnd))
    owner->SendMessage(WM_CHANGEGROUPPICKER, reinterpret_cast<WPARAM>(group), 0);
  if (m_pCombo && ::IsWindow(m_pCombo->m_hWnd)) m_pCombo->SetFocus();
}

BOOL CKyFSLPickTree::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd) {
    if (pMsg->wParam == VK_ESCAPE) {
      ShowWindow(SW_HIDE);
      return TRUE;
    }
    if (pMsg->wParam == VK_RETURN) {
      m_hCurItem = GetSelectedItem();
      ShowWindow(SW_HIDE);
      NotifyParent();
      return TRUE;
    }
  }
  return CTreeCtrl::PreTranslateMessage(pMsg);
}

void CKyFSLPickTree::OnMouseMove(UINT nFlags, CPoint point) {
  UINT flags = 0;
  HTREEITEM hit = HitTest(point, &flags);
  if (hit) SelectItem(hit);
  CTreeCtrl::OnMouseMove(nFlags, point);
}

void CKyFSLPickTree::OnItemexpanded(NMHDR* pNMHDR, LRESULT* pResult) {
  auto* nm = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
  const int image = nm->action == TVE_EXPAND ? kOpenFolder : kClosedFolder;
  SetItemImage(nm->itemNew.hItem, image, image);
  *pResult = 0;
}

void CKyFSLPickTree::OnLButtonDown(UINT nFlags, CPoint point) {
  UINT flags = 0;
  HTREEITEM hit = HitTest(point, &flags);
  if (flags == TVHT_ONITEMBUTTON) {
    CTreeCtrl::OnLButtonDown(nFlags, point);
    return;
  }
  m_hCurItem = hit ? hit : GetSelectedItem();
  m_pSelGroup = m_hCurItem ? reinterpret_cast<CKyFillStyleGroup*>(GetItemData(m_hCurItem)) : nullptr;
  ShowWindow(SW_HIDE);
  NotifyParent();
}

void CKyFSLPickTree::OnKillFocus(CWnd* pNewWnd) {
  // A click on the combo closes the tree through the combo's own toggle;
  // hiding here too would open it again at once.
  POINT cursor{};
  ::GetCursorPos(&cursor);
  HWND under = ::WindowFromPoint(cursor);
  if (!m_pCombo || under != m_pCombo->m_hWnd) ShowWindow(SW_HIDE);
  CTreeCtrl::OnKillFocus(pNewWnd);
}

void CKyFSLPickTree::OnDestroy() { CTreeCtrl::OnDestroy(); }

// ---------------------------------------------------------------- the combo

BEGIN_MESSAGE_MAP(CKyFSLPickCombo, CComboBox)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CKyFSLPickCombo::CKyFSLPickCombo()
    : m_pAttachedGroup(nullptr), m_pCurGroup(nullptr), m_nIconWidth(16), m_nDroppedHeight(100), m_nDroppedWidth(0) {}

CKyFSLPickCombo::~CKyFSLPickCombo() = default;

void CKyFSLPickCombo::AttachStyleGroup(CKyFillStyleGroup* pGroup) {
  m_pAttachedGroup = pGroup;
  m_pCurGroup = pGroup;
}

BOOL CKyFSLPickCombo::Init(int nDroppedWidth, int nDroppedHeight) {
  const DWORD style =
      WS_POPUP | WS_BORDER | TVS_FULLROWSELECT | TVS_SHOWSELALWAYS | TVS_LINESATROOT | TVS_HASLINES | TVS_HASBUTTONS;
  if (!m_wndTree.m_hWnd &&
      !m_wndTree.CreateEx(0, WC_TREEVIEW, nullptr, style, CRect(0, 0, 10, 10), GetParent(), 0))
    return FALSE;

  if (!m_wndTree.m_imageList.GetSafeHandle()) {
    m_wndTree.m_imageList.Create(16, 16, ILC_COLOR24, 10, 5);
    CBitmap strip;
    if (strip.LoadBitmap(IDB_FSL_GROUP_TREE)) m_wndTree.m_imageList.Add(&strip, RGB(0, 0, 0));
  }
  m_wndTree.SetImageList(&m_wndTree.m_imageList, TVSIL_NORMAL);
  m_wndTree.m_pCombo = this;
  m_wndTree.m_pCurGroup = m_pAttachedGroup;
  m_wndTree.BuildTree();

  CRect client;
  GetClientRect(&client);
  m_nDroppedWidth = nDroppedWidth > 0 ? nDroppedWidth : client.Width();
  m_nDroppedHeight = nDroppedHeight > 0 ? nDroppedHeight : 100;
  return TRUE;
}

void CKyFSLPickCombo::ReAttachStyleGroup(CKyFillStyleGroup* pGroup) {
  m_pCurGroup = pGroup;
  m_wndTree.m_pCurGroup = pGroup;
  if (m_wndTree.m_hWnd) m_wndTree.BuildTree();
}

CKyFillStyleGroup* CKyFSLPickCombo::GetCurSelGroup() { return m_wndTree.m_pSelGroup; }

void CKyFSLPickCombo::DisplayTree() {
  if (!m_wndTree.m_hWnd) return;
  CRect rect;
  GetWindowRect(&rect);
  ::SetWindowPos(m_wndTree.m_hWnd, HWND_NOTOPMOST, rect.left, rect.bottom + 1, m_nDroppedWidth, m_nDroppedHeight,
                 SWP_SHOWWINDOW);
  CWnd* parent = m_wndTree.GetParent();
  // The dialog keeps an active caption while its popup has the focus.
  if (CWnd* top = parent ? parent->GetParentOwner() : nullptr) {
    top->SendMessage(WM_NCACTIVATE, TRUE);
    top->SendMessage(WM_SETREDRAW, TRUE);
  }
}

int CKyFSLPickCombo::GetDroppedState() { return m_wndTree.m_hWnd && m_wndTree.IsWindowVisible() ? TRUE : FALSE; }

void CKyFSLPickCombo::ToggleTree() {
  if (GetDroppedState())
    m_wndTree.ShowWindow(SW_HIDE);
  else
    DisplayTree();
}

void CKyFSLPickCombo::OnLButtonDown(UINT, CPoint) { ToggleTree(); }

void CKyFSLPickCombo::OnLButtonDblClk(UINT, CPoint) { ToggleTree(); }

void CKyFSLPickCombo::MeasureItem(LPMEASUREITEMSTRUCT) {}

void CKyFSLPickCombo::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (!lpDrawItemStruct) return;
  CDC dc;
  if (!dc.Attach(lpDrawItemStruct->hDC)) return;
  CRect r(lpDrawItemStruct->rcItem);
  CRect client;
  GetClientRect(&client);
  const int y = (client.bottom - m_nIconWidth) / 2;
  if (m_wndTree.m_hCurItem && m_pCurGroup) {
    if (CImageList* images = m_wndTree.GetImageList(TVSIL_NORMAL))
      images->Draw(&dc, CKyFSLPickTree::kClosedFolder, CPoint(4, y), ILD_NORMAL);
    r.top += 1;
    r.bottom -= 1;
    r.left += m_nIconWidth + 2;
    const CString name = m_pCurGroup->GetName();
    const CSize extent = dc.GetTextExtent(name);
    r.right = r.left + extent.cx + 4;
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    if (lpDrawItemStruct->itemState & ODS_SELECTED) {
      CBrush highlight(GetSysColor(COLOR_HIGHLIGHT));
      dc.FillRect(&r, &highlight);
      dc.DrawFocusRect(&r);
      text = ~GetSysColor(COLOR_WINDOWTEXT) & 0xFFFFFF;
    }
    dc.SetTextColor(text);
    // The name sits on the highlight or on the box, not on a text box.
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    r.left += 2;
    dc.DrawText(name, &r, DT_SINGLELINE | DT_VCENTER);
    dc.SetBkMode(oldMode);
  }
  dc.Detach();
}

BOOL CKyFSLPickCombo::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN) {
    UINT step = 0;
    if (pMsg->wParam == VK_DOWN || pMsg->wParam == VK_RIGHT) step = TVGN_NEXTVISIBLE;
    if (pMsg->wParam == VK_UP || pMsg->wParam == VK_LEFT) step = TVGN_PREVIOUSVISIBLE;
    if (step) {
      HTREEITEM next = m_wndTree.m_hWnd && m_wndTree.m_hCurItem ? m_wndTree.GetNextItem(m_wndTree.m_hCurItem, step)
                                                                 : nullptr;
      if (next) {
        m_wndTree.m_hCurItem = next;
        m_wndTree.SelectItem(next);
        m_wndTree.NotifyParent();
      }
      Invalidate();
      return TRUE;
    }
  }
  if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_DOWN) {
    DisplayTree();
    return TRUE;
  }
  return CComboBox::PreTranslateMessage(pMsg);
}
