// The framework's toolbar and tooltip classes: CToolBarCtrl, CToolTipCtrl,
// CControlBar and CToolBar. They only translate calls into TB_ and TTM_
// messages; the controls themselves live in src/cc_toolbar.cpp and
// src/cc_tooltip.cpp.
#include <cstring>
#include <vector>

#include "afxext.h"
#include "afxres.h"

// ---------------------------------------------------------------- CToolTipCtrl
BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) { return CreateEx(pParentWnd, dwStyle, 0); }

BOOL CToolTipCtrl::CreateEx(CWnd* pParentWnd, DWORD dwStyle, DWORD dwStyleEx) {
  return CWnd::CreateEx(dwStyleEx, TOOLTIPS_CLASS, nullptr, WS_POPUP | dwStyle, 0, 0, 0, 0,
                        pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, nullptr);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) {
  std::memset(&ti, 0, sizeof ti);
  ti.cbSize = sizeof ti;
  HWND h = pWnd ? pWnd->GetSafeHwnd() : nullptr;
  if (nIDTool == 0) {
    // The whole window is the tool; its parent hears the notifications.
    ti.hwnd = ::GetParent(h);
    ti.uFlags = TTF_IDISHWND;
    ti.uId = reinterpret_cast<UINT_PTR>(h);
  } else {
    ti.hwnd = h;
    ti.uId = nIDTool;
  }
}

namespace {
// The tool covers the rectangle given, or without one the window's client area.
void FillToolRect(TOOLINFO& ti, CWnd* pWnd, LPCRECT lpRectTool) {
  if (lpRectTool)
    ti.rect = *lpRectTool;
  else
    ::GetClientRect(pWnd->GetSafeHwnd(), &ti.rect);
}
}  // namespace

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  ASSERT(pWnd && "AddTool needs the tool's window");
  if (!pWnd || !nIDText) return FALSE;
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  FillToolRect(ti, pWnd, lpRectTool);
  ti.hinst = AfxFindStringResourceHandle(nIDText);
  if (!ti.hinst) ti.hinst = AfxGetResourceHandle();
  ti.lpszText = MAKEINTRESOURCE(nIDText);
  return static_cast<BOOL>(::SendMessage(m_hWnd, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  ASSERT(pWnd && "AddTool needs the tool's window");
  if (!pWnd) return FALSE;
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  FillToolRect(ti, pWnd, lpRectTool);
  ti.lpszText = const_cast<LPSTR>(lpszText);
  return static_cast<BOOL>(::SendMessage(m_hWnd, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ::SendMessage(m_hWnd, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  char buf[256] = {0};
  ti.lpszText = buf;
  ::SendMessage(m_hWnd, TTM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(&ti));
  str = buf;
}

BOOL CToolTipCtrl::GetToolInfo(CToolInfo& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const {
  FillInToolInfo(ToolInfo, pWnd, nIDTool);
  ToolInfo.szText[0] = 0;
  ToolInfo.lpszText = ToolInfo.szText;
  return static_cast<BOOL>(::SendMessage(m_hWnd, TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&ToolInfo)));
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  if (lpRect) ti.rect = *lpRect;
  ::SendMessage(m_hWnd, TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL CToolTipCtrl::HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const {
  TTHITTESTINFO hti{};
  hti.hwnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
  hti.pt = pt;
  hti.ti.cbSize = sizeof(TOOLINFO);
  if (!::SendMessage(m_hWnd, TTM_HITTEST, 0, reinterpret_cast<LPARAM>(&hti))) return FALSE;
  if (lpToolInfo) *lpToolInfo = hti.ti;
  return TRUE;
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.lpszText = const_cast<LPSTR>(lpszText);
  ::SendMessage(m_hWnd, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.hinst = AfxFindStringResourceHandle(nIDText);
  if (!ti.hinst) ti.hinst = AfxGetResourceHandle();
  ti.lpszText = MAKEINTRESOURCE(nIDText);
  ::SendMessage(m_hWnd, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}

// ---------------------------------------------------------------- CToolBarCtrl
BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateEx(0, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CToolBarCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  if (!CWnd::CreateEx(dwExStyle, TOOLBARCLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID)) return FALSE;
  SetButtonStructSize(sizeof(TBBUTTON));
  return TRUE;
}

int CToolBarCtrl::AddBitmap(int nNumButtons, UINT nBitmapID) {
  TBADDBITMAP ab{AfxFindResourceHandle(MAKEINTRESOURCE(nBitmapID), RT_BITMAP), nBitmapID};
  return Send(TB_ADDBITMAP, static_cast<WPARAM>(nNumButtons), reinterpret_cast<LPARAM>(&ab));
}

int CToolBarCtrl::AddBitmap(int nNumButtons, CBitmap* pBitmap) {
  if (!pBitmap || !pBitmap->m_hObject) return -1;
  TBADDBITMAP ab{nullptr, reinterpret_cast<UINT_PTR>(pBitmap->m_hObject)};
  return Send(TB_ADDBITMAP, static_cast<WPARAM>(nNumButtons), reinterpret_cast<LPARAM>(&ab));
}

int CToolBarCtrl::AddString(UINT nStringID) {
  // The toolbar takes a list of strings; one string becomes a list of one.
  CString s;
  if (!AfxLoadString(nStringID, s)) return -1;
  LPCTSTR text = s;
  std::vector<char> list(text, text + s.GetLength());
  list.push_back(0);
  list.push_back(0);
  return Send(TB_ADDSTRING, 0, reinterpret_cast<LPARAM>(list.data()));
}

CSize CToolBarCtrl::GetButtonSize() const {
  DWORD v = static_cast<DWORD>(Send(TB_GETBUTTONSIZE, 0, 0));
  return CSize(LOWORD(v), HIWORD(v));
}

CToolTipCtrl* CToolBarCtrl::GetToolTips() const {
  HWND h = reinterpret_cast<HWND>(::SendMessage(m_hWnd, TB_GETTOOLTIPS, 0, 0));
  if (!h) return nullptr;
  if (auto* own = dynamic_cast<CToolTipCtrl*>(CWnd::FromHandlePermanent(h))) return own;
  m_tipView.m_hWnd = h;
  return &m_tipView;
}

// ---------------------------------------------------------------- CControlBar
void CControlBar::SetBarStyle(DWORD dwStyle) {
  m_dwStyle = dwStyle;
  if (m_hWnd) EnableToolTips((dwStyle & CBRS_TOOLTIPS) != 0);
}

BOOL CControlBar::EnableToolTips(BOOL bEnable) {
  if (!m_hWnd) return FALSE;
  HWND tip = reinterpret_cast<HWND>(::SendMessage(m_hWnd, TB_GETTOOLTIPS, 0, 0));
  if (!tip) return FALSE;
  ::SendMessage(tip, TTM_ACTIVATE, bEnable, 0);
  return TRUE;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size(m_rcBorders.left + m_rcBorders.right, m_rcBorders.top + m_rcBorders.bottom);
  if (bStretch && m_hWnd) {
    RECT rc{};
    ::GetClientRect(::GetParent(m_hWnd), &rc);
    if (bHorz)
      size.cx = rc.right - rc.left;
    else
      size.cy = rc.bottom - rc.top;
  }
  return size;
}

// ---------------------------------------------------------------- CToolBar
CToolBar::CToolBar() = default;

CToolBar::~CToolBar() {
  m_ctrl.m_hWnd = nullptr;
  if (m_hbmImageWell) ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
  ASSERT(pParentWnd && "A toolbar needs a parent window");
  m_rcBorders = rcBorders;
  // The bar's owner places it, so the control does not move itself.
  DWORD style = (dwStyle & ~static_cast<DWORD>(CBRS_ALL)) | dwCtrlStyle | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN |
                CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
  if (!CWnd::CreateEx(0, TOOLBARCLASSNAME, nullptr, style, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
  ::SendMessage(m_hWnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  ::SendMessage(m_hWnd, TB_SETBITMAPSIZE, 0, MAKELONG(m_sizeImage.cx, m_sizeImage.cy));
  ::SendMessage(m_hWnd, TB_SETBUTTONSIZE, 0, MAKELONG(m_sizeButton.cx, m_sizeButton.cy));
  SetBarStyle(dwStyle & CBRS_ALL);
  return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
  ASSERT(sizeButton.cx >= sizeImage.cx + 7 && sizeButton.cy >= sizeImage.cy + 6 &&
         "A button must be at least its image plus 7 by 6");
  m_sizeButton = sizeButton;
  m_sizeImage = sizeImage;
  if (!m_hWnd) return;
  ::SendMessage(m_hWnd, TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
  ::SendMessage(m_hWnd, TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
  Invalidate();
}

void CToolBar::SetHeight(int cyHeight) {
  // The height goes to the borders, split evenly above and below the buttons.
  int extra = cyHeight - m_sizeButton.cy;
  if (extra < 0) extra = 0;
  m_rcBorders.top = extra / 2;
  m_rcBorders.bottom = extra - extra / 2;
  Invalidate();
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName) {
  if (!m_hWnd || !lpszResourceName) return FALSE;
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
  HRSRC r = ::FindResource(hInst, lpszResourceName, RT_TOOLBAR);
  if (!r) return FALSE;
  const BYTE* p = static_cast<const BYTE*>(::LockResource(::LoadResource(hInst, r)));
  DWORD cb = ::SizeofResource(hInst, r);
  if (!p || cb < 8) return FALSE;
  auto word = [p](size_t i) { return static_cast<WORD>(p[2 * i] | p[2 * i + 1] << 8); };
  WORD version = word(0), cx = word(1), cy = word(2), count = word(3);
  if (version != 1 || cx == 0 || cy == 0 || cb < 8u + 2u * count) return FALSE;
  std::vector<UINT> ids(count);
  for (WORD i = 0; i < count; ++i) ids[i] = word(4 + i);

  HBITMAP hbm = ::LoadBitmap(AfxFindResourceHandle(lpszResourceName, RT_BITMAP), lpszResourceName);
  if (!hbm) return FALSE;
  if (!SetButtons(ids.data(), count)) {
    ::DeleteObject(hbm);
    return FALSE;
  }
  SetSizes(CSize(cx + 7, cy + 7), CSize(cx, cy));
  return SetBitmap(hbm);
}

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName) {
  HBITMAP hbm = ::LoadBitmap(AfxFindResourceHandle(lpszResourceName, RT_BITMAP), lpszResourceName);
  if (!hbm) return FALSE;
  return SetBitmap(hbm);
}

BOOL CToolBar::AddImages(HBITMAP hbm) {
  BITMAP bm{};
  if (!::GetObject(hbm, sizeof bm, &bm) || m_sizeImage.cx <= 0) return FALSE;
  int n = bm.bmWidth / m_sizeImage.cx;
  TBADDBITMAP ab{nullptr, reinterpret_cast<UINT_PTR>(hbm)};
  if (!m_hbmImageWell) return ::SendMessage(m_hWnd, TB_ADDBITMAP, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(&ab)) != -1;
  TBREPLACEBITMAP rb{nullptr, reinterpret_cast<UINT_PTR>(m_hbmImageWell), nullptr, reinterpret_cast<UINT_PTR>(hbm), n};
  return static_cast<BOOL>(::SendMessage(m_hWnd, TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&rb)));
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell) {
  if (!m_hWnd || !hbmImageWell) return FALSE;
  if (!AddImages(hbmImageWell)) {
    ::DeleteObject(hbmImageWell);
    return FALSE;
  }
  if (m_hbmImageWell) ::DeleteObject(m_hbmImageWell);
  m_hbmImageWell = hbmImageWell;
  Invalidate();
  return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
  if (!m_hWnd || nIDCount < 0) return FALSE;
  while (::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0) > 0)
    if (!::SendMessage(m_hWnd, TB_DELETEBUTTON, 0, 0)) return FALSE;
  std::vector<TBBUTTON> buttons(static_cast<size_t>(nIDCount));
  int image = 0;
  for (int i = 0; i < nIDCount; ++i) {
    TBBUTTON& b = buttons[static_cast<size_t>(i)];
    b.iString = -1;
    UINT id = lpIDArray ? lpIDArray[i] : ID_SEPARATOR;
    // Separators are enabled too, so that their framework style reads TBBS_SEPARATOR alone.
    b.fsState = TBSTATE_ENABLED;
    if (id == ID_SEPARATOR) {
      b.fsStyle = TBSTYLE_SEP;
    } else {
      b.idCommand = static_cast<int>(id);
      b.iBitmap = image++;
    }
  }
  if (nIDCount == 0) return TRUE;
  return static_cast<BOOL>(
      ::SendMessage(m_hWnd, TB_ADDBUTTONS, static_cast<WPARAM>(nIDCount), reinterpret_cast<LPARAM>(buttons.data())));
}

int CToolBar::CommandToIndex(UINT nIDFind) const {
  return static_cast<int>(::SendMessage(m_hWnd, TB_COMMANDTOINDEX, nIDFind, 0));
}

UINT CToolBar::GetItemID(int nIndex) const {
  TBBUTTON b{};
  if (!::SendMessage(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&b))) return 0;
  return static_cast<UINT>(b.idCommand);
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  if (!lpRect) return;
  if (!::SendMessage(m_hWnd, TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)))
    ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const {
  TBBUTTON b{};
  if (!::SendMessage(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&b))) return 0;
  return MAKELONG(b.fsStyle, b.fsState ^ TBSTATE_ENABLED);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
  TBBUTTONINFO bi{};
  bi.cbSize = sizeof bi;
  bi.dwMask = TBIF_BYINDEX | TBIF_STYLE | TBIF_STATE;
  bi.fsStyle = static_cast<BYTE>(LOWORD(nStyle));
  bi.fsState = static_cast<BYTE>(HIWORD(nStyle) ^ TBSTATE_ENABLED);
  ::SendMessage(m_hWnd, TB_SETBUTTONINFO, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&bi));
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const {
  TBBUTTON b{};
  if (!::SendMessage(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&b))) {
    nID = 0, nStyle = 0, iImage = 0;
    return;
  }
  nID = static_cast<UINT>(b.idCommand);
  nStyle = MAKELONG(b.fsStyle, b.fsState ^ TBSTATE_ENABLED);
  iImage = b.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage) {
  TBBUTTONINFO bi{};
  bi.cbSize = sizeof bi;
  bi.dwMask = TBIF_BYINDEX | TBIF_COMMAND | TBIF_STYLE | TBIF_STATE | TBIF_IMAGE;
  bi.idCommand = static_cast<int>(nID);
  bi.fsStyle = static_cast<BYTE>(LOWORD(nStyle));
  bi.fsState = static_cast<BYTE>(HIWORD(nStyle) ^ TBSTATE_ENABLED);
  bi.iImage = iImage;
  ::SendMessage(m_hWnd, TB_SETBUTTONINFO, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&bi));
}

CToolBarCtrl& CToolBar::GetToolBarCtrl() const {
  m_ctrl.m_hWnd = m_hWnd;
  return m_ctrl;
}

int CToolBar::GetCount() const { return m_hWnd ? static_cast<int>(::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0)) : 0; }

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size = CControlBar::CalcFixedLayout(FALSE, bHorz);
  SIZE items{0, 0};
  if (m_hWnd) ::SendMessage(m_hWnd, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&items));
  size.cx += items.cx;
  size.cy += items.cy;
  if (bStretch) {
    CSize whole = CControlBar::CalcFixedLayout(TRUE, bHorz);
    if (bHorz)
      size.cx = whole.cx;
    else
      size.cy = whole.cy;
  }
  return size;
}

// ---------------------------------------------------------------- CToolBarCtrl image lists
CImageList* CToolBarCtrl::SetImageList(CImageList* pImageList) {
  LRESULT old = ::SendMessage(m_hWnd, TB_SETIMAGELIST, 0,
                              reinterpret_cast<LPARAM>(pImageList ? pImageList->GetSafeHandle() : nullptr));
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(old));
}

CImageList* CToolBarCtrl::GetImageList() const {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(::SendMessage(m_hWnd, TB_GETIMAGELIST, 0, 0)));
}

