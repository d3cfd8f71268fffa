// CPropertySheet: a dialog with a tab control over the active page and the
// buttons OK, Cancel and Apply (afxdlgs.h, prsht.h).
//
// Layout, in the sheet's client area (m = 7 dialog units):
//
//   m ┌─tab control──────────────────┐
//     │ [Style][Open]                │   the tab control is as large as the
//     │ ┌──────────────────────────┐ │   largest page needs (TCM_ADJUSTRECT);
//     │ │ active page              │ │   pages sit in its display area, above
//     │ └──────────────────────────┘ │   it in z-order
//     └──────────────────────────────┘
//               [  OK  ][Cancel][Apply]  m
//
// The sheet is made from a template written here, in the font of the first
// page's template, so that dialog units mean the same on sheet and pages.
#include <algorithm>
#include <cstring>
#include <vector>

#include "afxdlgs.h"
#include "dlgtemplate.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet() { memset(&m_psh, 0, sizeof m_psh), m_psh.dwSize = sizeof m_psh; }

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) : CPropertySheet() {
  Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) : CPropertySheet() {
  Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet() {
  if (m_hWnd) DestroyWindow();
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) {
  CString s;
  s.LoadString(nIDCaption);
  Construct(s, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) {
  m_strCaption = pszCaption ? pszCaption : "";
  m_pParentWnd = pParentWnd;
  m_nStartPage = iSelectPage;
  m_psh.pszCaption = m_strCaption;
  m_psh.hwndParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
  m_psh.nStartPage = iSelectPage;
}

// ---------------------------------------------------------------- pages
void CPropertySheet::AddPage(CPropertyPage* pPage) {
  ASSERT(pPage && "AddPage needs a page");
  if (!pPage) return;
  m_pages.Add(pPage);
  m_psh.nPages = static_cast<UINT>(m_pages.GetSize());
  if (m_hWnd) m_tab.InsertItem(GetPageCount() - 1, pPage->GetTabText());
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) { RemovePage(GetPageIndex(pPage)); }

void CPropertySheet::RemovePage(int nPage) {
  CPropertyPage* page = GetPage(nPage);
  if (!page) return;
  if (m_hWnd) {
    if (nPage == m_nActive) {
      // Another page takes the place first: the one after, else the one before.
      int next = nPage + 1 < GetPageCount() ? nPage + 1 : nPage - 1;
      m_nActive = -1;
      if (next >= 0) ShowPage(next);
    }
    if (page->m_hWnd) page->DestroyWindow();
    m_tab.DeleteItem(nPage);
    if (m_nActive > nPage) --m_nActive;
    if (m_nActive >= 0) m_tab.SetCurSel(m_nActive);
  }
  m_pages.RemoveAt(nPage);
  m_psh.nPages = static_cast<UINT>(m_pages.GetSize());
  UpdateApplyButton();
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
  if (nPage < 0 || nPage >= GetPageCount()) return nullptr;
  return static_cast<CPropertyPage*>(m_pages[nPage]);
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
  for (int i = 0; i < GetPageCount(); ++i)
    if (m_pages[i] == pPage) return i;
  return -1;
}

int CPropertySheet::GetActiveIndex() const { return m_hWnd ? m_nActive : static_cast<int>(m_nStartPage); }
CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

BOOL CPropertySheet::SetActivePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return FALSE;
  if (!m_hWnd) {
    m_nStartPage = static_cast<UINT>(nPage);
    return TRUE;
  }
  return ChangePage(nPage);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle) {
  CString t = lpszText ? lpszText : "";
  if (nStyle & PSH_PROPTITLE) t = CString("Properties for ") + t;
  m_strCaption = t;
  m_psh.pszCaption = m_strCaption;
  if (m_hWnd) SetWindowText(m_strCaption);
}

CTabCtrl* CPropertySheet::GetTabControl() const {
  return m_tab.m_hWnd ? const_cast<CTabCtrl*>(&m_tab) : nullptr;
}

LRESULT CPropertySheet::NotifyPage(CPropertyPage* pPage, UINT code, LPARAM lParam) {
  if (!pPage || !pPage->m_hWnd) return 0;
  PSHNOTIFY n{};
  n.hdr.hwndFrom = m_hWnd;
  n.hdr.idFrom = 0;
  n.hdr.code = code;
  n.lParam = lParam;
  return ::SendMessageA(pPage->m_hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
}

void CPropertySheet::LayoutPage(CPropertyPage* pPage) {
  if (!pPage || !pPage->m_hWnd || !m_tab.m_hWnd) return;
  CRect r;
  m_tab.GetClientRect(&r);
  m_tab.AdjustRect(FALSE, &r);
  m_tab.MapWindowPoints(this, &r);
  ::SetWindowPos(pPage->m_hWnd, HWND_TOP, r.left, r.top, r.Width(), r.Height(), SWP_NOACTIVATE);
}

BOOL CPropertySheet::ShowPage(int nPage) {
  CPropertyPage* page = GetPage(nPage);
  if (!page) return FALSE;
  // A page made now takes the focus for its first control; the focus is
  // put back below, so that a new page and one made before behave alike.
  HWND focus = ::GetFocus();
  if (!page->m_hWnd) {
    if (!page->CreatePage(this)) return FALSE;
    LayoutPage(page);
  }
  if (NotifyPage(page, PSN_SETACTIVE) == -1) {
    if (focus && ::IsWindow(focus)) ::SetFocus(focus);
    return FALSE;
  }
  CPropertyPage* old = GetPage(m_nActive);
  bool focusInOld = old && old != page && old->m_hWnd && focus && (focus == old->m_hWnd || ::IsChild(old->m_hWnd, focus));
  if (focusInOld) m_tab.SetFocus();  // a hidden page keeps no focus
  else if (focus && ::IsWindow(focus)) ::SetFocus(focus);
  if (old && old != page && old->m_hWnd) old->ShowWindow(SW_HIDE);
  m_nActive = nPage;
  m_tab.SetCurSel(nPage);
  ::SetWindowPos(page->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return TRUE;
}

BOOL CPropertySheet::ChangePage(int nPage) {
  if (nPage == m_nActive) return TRUE;
  if (CPropertyPage* old = GetPage(m_nActive))
    if (NotifyPage(old, PSN_KILLACTIVE)) return FALSE;
  if (!ShowPage(nPage)) {
    if (m_nActive >= 0) m_tab.SetCurSel(m_nActive);
    return FALSE;
  }
  return TRUE;
}

// ---------------------------------------------------------------- buttons
BOOL CPropertySheet::Apply(BOOL bClose) {
  if (CPropertyPage* active = GetPage(m_nActive))
    if (NotifyPage(active, PSN_KILLACTIVE)) return FALSE;
  for (int i = 0; i < GetPageCount(); ++i) {
    CPropertyPage* page = GetPage(i);
    LRESULT r = NotifyPage(page, PSN_APPLY, bClose);
    if (r == PSNRET_INVALID_NOCHANGEPAGE) return FALSE;
    if (r == PSNRET_INVALID) {
      ChangePage(i);
      return FALSE;
    }
  }
  for (int i = 0; i < GetPageCount(); ++i) GetPage(i)->m_bChanged = FALSE;
  UpdateApplyButton();
  return TRUE;
}

void CPropertySheet::Cancel() {
  for (int i = 0; i < GetPageCount(); ++i) NotifyPage(GetPage(i), PSN_RESET);
}

void CPropertySheet::UpdateApplyButton() {
  if (!m_hWnd) return;
  BOOL any = FALSE;
  for (int i = 0; i < GetPageCount(); ++i) any = any || GetPage(i)->m_bChanged;
  if (HWND apply = ::GetDlgItem(m_hWnd, ID_APPLY_NOW)) ::EnableWindow(apply, any);
}

void CPropertySheet::PressButton(int nButton) {
  int id = nButton == PSBTN_OK ? IDOK : nButton == PSBTN_CANCEL ? IDCANCEL : nButton == PSBTN_APPLYNOW ? ID_APPLY_NOW : 0;
  if (!id || !m_hWnd) return;
  HWND b = ::GetDlgItem(m_hWnd, id);
  if (b && !::IsWindowEnabled(b)) return;
  ::SendMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(b));
}

void CPropertySheet::EndDialog(int nEndID) {
  m_nResult = nEndID;
  m_bEnded = TRUE;
  if (!m_hWnd) return;
  if (m_bModal) ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wake the loop
  else DestroyWindow();
}

BOOL CPropertySheet::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_COMMAND: {
      UINT id = LOWORD(wParam), code = HIWORD(wParam);
      if (code != BN_CLICKED && code != 0) break;
      if (id == IDOK) {
        if (Apply(TRUE)) EndDialog(IDOK);
      } else if (id == IDCANCEL) {
        if (CPropertyPage* active = GetPage(m_nActive))
          if (NotifyPage(active, PSN_QUERYCANCEL)) return *pResult = 0, TRUE;
        Cancel();
        EndDialog(IDCANCEL);
      } else if (id == ID_APPLY_NOW) {
        Apply(FALSE);
      } else {
        break;
      }
      *pResult = 0;
      return TRUE;
    }
    case WM_NOTIFY: {
      auto* nm = reinterpret_cast<NMHDR*>(lParam);
      if (!nm || nm->hwndFrom != m_tab.m_hWnd) break;
      if (nm->code == TCN_SELCHANGING) {
        CPropertyPage* active = GetPage(m_nActive);
        *pResult = active && NotifyPage(active, PSN_KILLACTIVE) ? TRUE : FALSE;
        return TRUE;
      }
      if (nm->code == TCN_SELCHANGE) {
        int want = m_tab.GetCurSel();
        // The old page agreed to go in TCN_SELCHANGING already.
        if (!ShowPage(want) && m_nActive >= 0) m_tab.SetCurSel(m_nActive);
        *pResult = 0;
        return TRUE;
      }
      break;
    }
    case PSM_SETCURSEL:
      *pResult = SetActivePage(static_cast<int>(wParam));
      return TRUE;
    case PSM_CHANGED:
    case PSM_UNCHANGED:
      for (int i = 0; i < GetPageCount(); ++i)
        if (GetPage(i)->m_hWnd == reinterpret_cast<HWND>(wParam)) GetPage(i)->m_bChanged = message == PSM_CHANGED;
      UpdateApplyButton();
      *pResult = TRUE;
      return TRUE;
    case PSM_CANCELTOCLOSE:
      m_bCancelToClose = TRUE;
      if (HWND ok = ::GetDlgItem(m_hWnd, IDOK)) ::EnableWindow(ok, FALSE);
      ::SetDlgItemTextA(m_hWnd, IDCANCEL, "Close");
      *pResult = 0;
      return TRUE;
    case PSM_QUERYSIBLINGS:
      *pResult = 0;
      for (int i = 0; i < GetPageCount() && !*pResult; ++i)
        if (HWND p = GetPage(i)->m_hWnd) *pResult = ::SendMessageA(p, PSM_QUERYSIBLINGS, wParam, lParam);
      return TRUE;
    case PSM_APPLY:
      *pResult = Apply(FALSE);
      return TRUE;
    case PSM_PRESSBUTTON:
      PressButton(static_cast<int>(wParam));
      *pResult = 0;
      return TRUE;
    case PSM_GETTABCONTROL:
      *pResult = reinterpret_cast<LRESULT>(m_tab.m_hWnd);
      return TRUE;
    case PSM_GETCURRENTPAGEHWND: {
      CPropertyPage* p = GetPage(m_nActive);
      *pResult = reinterpret_cast<LRESULT>(p ? p->m_hWnd : nullptr);
      return TRUE;
    }
    case PSM_SETTITLEA:
      SetTitle(reinterpret_cast<LPCSTR>(lParam), static_cast<UINT>(wParam));
      *pResult = 0;
      return TRUE;
  }
  return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------- keys
namespace {
bool TabStop(HWND h) {
  DWORD s = static_cast<DWORD>(::GetWindowLongA(h, GWL_STYLE));
  return (s & WS_VISIBLE) && !(s & WS_DISABLED) && (s & WS_TABSTOP);
}
}  // namespace

BOOL CPropertySheet::TabNavigate(BOOL bPrevious) {
  // The order: the tab control, the active page's tab stops, the buttons.
  std::vector<HWND> order;
  if (m_tab.m_hWnd && TabStop(m_tab.m_hWnd)) order.push_back(m_tab.m_hWnd);
  CPropertyPage* page = GetPage(m_nActive);
  if (page && page->m_hWnd)
    for (HWND c = ::GetWindow(page->m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
      if (TabStop(c)) order.push_back(c);
  for (HWND c = ::GetWindow(m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    if (c == m_tab.m_hWnd) continue;
    bool isPage = false;
    for (int i = 0; i < GetPageCount(); ++i) isPage = isPage || GetPage(i)->m_hWnd == c;
    if (!isPage && TabStop(c)) order.push_back(c);
  }
  if (order.empty()) return FALSE;
  HWND focus = ::GetFocus();
  int at = -1;
  for (int i = 0; i < static_cast<int>(order.size()); ++i)
    if (order[i] == focus || (focus && ::IsChild(order[i], focus))) at = i;
  int n = static_cast<int>(order.size());
  int next = at < 0 ? (bPrevious ? n - 1 : 0) : (bPrevious ? (at + n - 1) % n : (at + 1) % n);
  ::SetFocus(order[next]);
  if (::SendMessageA(order[next], WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) ::SendMessageA(order[next], EM_SETSEL, 0, -1);
  return TRUE;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) {
  if (!m_hWnd) return FALSE;
  bool key = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
  bool mouse = pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST;
  if (!key && !mouse) return FALSE;
  if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)) return FALSE;
  CPropertyPage* page = GetPage(m_nActive);
  HWND hPage = page ? page->m_hWnd : nullptr;
  bool inPage = hPage && (pMsg->hwnd == hPage || ::IsChild(hPage, pMsg->hwnd));
  if (pMsg->message == WM_KEYDOWN) {
    bool ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    int n = GetPageCount();
    if (n > 0 && ((ctrl && pMsg->wParam == VK_TAB) || (ctrl && (pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT)))) {
      bool back = pMsg->wParam == VK_PRIOR || (pMsg->wParam == VK_TAB && shift);
      ChangePage((m_nActive + (back ? n - 1 : 1)) % n);
      return TRUE;
    }
    LRESULT code = ::SendMessageA(pMsg->hwnd, WM_GETDLGCODE, pMsg->wParam, reinterpret_cast<LPARAM>(pMsg));
    if (pMsg->wParam == VK_TAB && !(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))) return TabNavigate(shift);
    if (pMsg->wParam == VK_RETURN && inPage && !(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
      inPage = false;  // Enter outside a page's own button presses the sheet's default button
    if (pMsg->wParam == VK_ESCAPE) inPage = false;
  }
  return ::IsDialogMessageA(inPage ? hPage : m_hWnd, pMsg);
}

// ---------------------------------------------------------------- making and running
BOOL CPropertySheet::CreateSheet(HWND hWndParent, BOOL bModal) {
  if (GetPageCount() == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // The largest page, and the font the first page's template gives.
  SIZE page{0, 0};
  for (int i = 0; i < GetPageCount(); ++i) {
    SIZE s{0, 0};
    if (!GetPage(i)->GetTemplateSize(&s)) {
      SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return FALSE;
    }
    page.cx = std::max(page.cx, s.cx);
    page.cy = std::max(page.cy, s.cy);
  }
  m_pageSize = page;
  WORD pointSize = 8;
  CString face("MS Sans Serif");
  {
    const void* p = nullptr;
    size_t cb = 0;
    HINSTANCE h = nullptr;
    KyDialogInfo info;
    if (GetPage(0)->LoadPageTemplate(&p, &cb, &h) && KyParseDialogTemplate(p, cb, &info) && (info.style & DS_SETFONT) &&
        info.pointSize != 0x7FFF) {
      pointSize = info.pointSize;
      face = info.faceName.c_str();
    }
  }
  // Made at a provisional size; laid out in pixels once the tab control can say what it needs.
  KyDialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK, 0, 0, 200, 100,
                     m_strCaption, pointSize, face);
  t.Control(nullptr, AFX_IDC_TAB_CONTROL, WC_TABCONTROL, WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 7, 7, 186, 60);
  t.DefPushButton("OK", IDOK, 0, 80, 50, 14, WS_GROUP);
  t.PushButton("Cancel", IDCANCEL, 0, 80, 50, 14);
  if (!(m_psh.dwFlags & PSH_NOAPPLYNOW)) t.PushButton("&Apply", ID_APPLY_NOW, 0, 80, 50, 14, WS_DISABLED);
  KyDialogInfo info;
  if (!KyParseDialogTemplate(t.Data(), t.Size(), &info)) return FALSE;
  m_bModal = bModal;
  m_bEnded = FALSE;
  m_nResult = -1;
  m_nActive = -1;
  m_bCancelToClose = FALSE;
  AfxHookWindowCreate(this);
  HWND hSheet = KyCreateDialogFromInfo(AfxGetResourceHandle(), info, hWndParent, nullptr, 0);
  AfxUnhookWindowCreate();
  if (!hSheet) {
    if (m_hWnd && !::IsWindow(m_hWnd)) Detach();
    return FALSE;
  }
  m_tab.SubclassDlgItem(AFX_IDC_TAB_CONTROL, this);
  for (int i = 0; i < GetPageCount(); ++i) m_tab.InsertItem(i, GetPage(i)->GetTabText());

  // Pixels of the layout.
  CRect unit(7, 7, 50, 14);
  MapDialogRect(m_hWnd, &unit);
  int margin = unit.left, marginY = unit.top, bw = unit.right, bh = unit.bottom;
  CRect gapR(4, 0, 0, 0);
  MapDialogRect(m_hWnd, &gapR);
  int gap = gapR.left;
  CRect tab(0, 0, page.cx, page.cy);
  m_tab.AdjustRect(TRUE, &tab);
  tab.OffsetRect(margin - tab.left, marginY - tab.top);
  m_tab.MoveWindow(&tab, FALSE);
  std::vector<HWND> buttons;
  for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW})
    if (HWND b = ::GetDlgItem(m_hWnd, id)) buttons.push_back(b);
  int nb = static_cast<int>(buttons.size());
  int cw = std::max<int>(tab.right + margin, margin * 2 + nb * bw + (nb - 1) * gap);
  int by = tab.bottom + marginY;
  int x = cw - margin - nb * bw - (nb - 1) * gap;
  for (HWND b : buttons) {
    ::MoveWindow(b, x, by, bw, bh, FALSE);
    x += bw + gap;
  }
  int ch = by + bh + marginY;
  RECT win{0, 0, cw, ch};
  ::AdjustWindowRectEx(&win, GetStyle(), FALSE, GetExStyle());
  SetWindowPos(nullptr, 0, 0, win.right - win.left, win.bottom - win.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CenterWindow(hWndParent ? CWnd::FromHandle(hWndParent) : nullptr);

  int start = std::min<int>(static_cast<int>(m_nStartPage), GetPageCount() - 1);
  if (!ShowPage(start)) {
    // A page that cannot be made (or refuses at the start) leaves no sheet.
    DestroyWindow();
    return FALSE;
  }
  return TRUE;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD, DWORD) {
  if (pParentWnd) m_pParentWnd = pParentWnd;
  if (!CreateSheet(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, FALSE)) return FALSE;
  ShowWindow(SW_SHOWNORMAL);
  return TRUE;
}

INT_PTR CPropertySheet::DoModal() {
  HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  if (!parent) {
    if (CWnd* main = AfxGetMainWnd()) parent = main->m_hWnd;
    if (!parent) parent = ::GetActiveWindow();
  }
  if (parent) parent = ::GetAncestor(parent, GA_ROOT);
  BOOL enableParent = FALSE;
  if (parent && ::IsWindowEnabled(parent)) {
    ::EnableWindow(parent, FALSE);
    enableParent = TRUE;
  }
  INT_PTR result = -1;
  if (CreateSheet(parent, TRUE)) {
    HWND h = m_hWnd;
    ShowWindow(SW_SHOWNORMAL);
    UpdateWindow();
    // The first control of the page has the focus, as a person would start there.
    if (CPropertyPage* page = GetPage(m_nActive))
      if (HWND first = ::GetNextDlgTabItem(page->m_hWnd, nullptr, FALSE)) ::SetFocus(first);
    while (!m_bEnded && ::IsWindow(h)) {
      MSG msg;
      BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
      if (got == -1) break;  // nothing will ever come: a headless screen without input left
      if (!got) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
    }
    if (m_bEnded) result = m_nResult;
    if (m_hWnd)
      ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  if (enableParent) ::EnableWindow(parent, TRUE);
  if (parent && (::GetActiveWindow() == m_hWnd || !::GetActiveWindow())) ::SetActiveWindow(parent);
  if (m_hWnd) DestroyWindow();
  m_bModal = FALSE;
  return result;
}
