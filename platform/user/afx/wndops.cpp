// CWnd's thin wrappers over the window calls, the controls' classes and the
// window DCs.
#include <map>

#include "afxwin.h"

namespace {
// Temporary CFont wrappers for GetFont; detached, never deleting the font.
std::map<HFONT, CFont*>& TempFonts() {
  static auto* m = new std::map<HFONT, CFont*>();
  return *m;
}
}  // namespace

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)); }

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
void CWnd::SetWindowText(LPCTSTR s) { ::SetWindowTextA(m_hWnd, s); }
int CWnd::GetWindowText(LPTSTR buf, int n) const { return ::GetWindowTextA(m_hWnd, buf, n); }
void CWnd::GetWindowText(CString& r) const {
  int n = ::GetWindowTextLengthA(m_hWnd);
  char* p = r.GetBuffer(n + 1);
  ::GetWindowTextA(m_hWnd, p, n + 1);
  r.ReleaseBuffer();
}
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
CFont* CWnd::GetFont() const {
  HFONT h = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  if (!h) return nullptr;
  auto& m = TempFonts();
  auto it = m.find(h);
  if (it != m.end()) return it->second;
  CFont* f = new CFont();
  f->m_hObject = h;
  m[h] = f;
  return f;
}
HICON CWnd::SetIcon(HICON hIcon, BOOL bBig) {
  return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBig, reinterpret_cast<LPARAM>(hIcon)));
}
HICON CWnd::GetIcon(BOOL bBig) const { return reinterpret_cast<HICON>(SendMessage(WM_GETICON, bBig)); }

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::SetParent(CWnd* p) { return FromHandle(::SetParent(m_hWnd, p ? p->m_hWnd : nullptr)); }
CWnd* CWnd::GetParentOwner() const {
  HWND h = m_hWnd;
  while (h && (::GetWindowLongA(h, GWL_STYLE) & WS_CHILD)) h = ::GetParent(h);
  return FromHandle(h);
}
CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
void CWnd::GetDlgItem(int nID, HWND* ph) const {
  if (ph) *ph = ::GetDlgItem(m_hWnd, nID);
}
CWnd* CWnd::GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
CWnd* CWnd::GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
BOOL CWnd::IsChild(const CWnd* p) const { return p && ::IsChild(m_hWnd, p->m_hWnd); }
CWnd* CWnd::ChildWindowFromPoint(POINT pt) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, pt)); }
CWnd* CWnd::WindowFromPoint(POINT pt) { return FromHandle(::WindowFromPoint(pt)); }
CWnd* CWnd::GetNextDlgTabItem(CWnd* c, BOOL prev) const {
  return FromHandle(::GetNextDlgTabItem(m_hWnd, c ? c->m_hWnd : nullptr, prev));
}
CWnd* CWnd::GetNextDlgGroupItem(CWnd* c, BOOL prev) const {
  return FromHandle(::GetNextDlgGroupItem(m_hWnd, c ? c->m_hWnd : nullptr, prev));
}

void CWnd::GetWindowRect(LPRECT r) const { ::GetWindowRect(m_hWnd, r); }
void CWnd::GetClientRect(LPRECT r) const { ::GetClientRect(m_hWnd, r); }
void CWnd::ClientToScreen(LPPOINT p) const { ::ClientToScreen(m_hWnd, p); }
void CWnd::ClientToScreen(LPRECT r) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&r->left));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&r->right));
}
void CWnd::ScreenToClient(LPPOINT p) const { ::ScreenToClient(m_hWnd, p); }
void CWnd::ScreenToClient(LPRECT r) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&r->left));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&r->right));
}
void CWnd::MapWindowPoints(CWnd* to, LPPOINT p, UINT n) const {
  ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, p, n);
}
void CWnd::MapWindowPoints(CWnd* to, LPRECT r) const {
  ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(r), 2);
}
void CWnd::MoveWindow(int x, int y, int w, int h, BOOL b) { ::MoveWindow(m_hWnd, x, y, w, h, b); }
void CWnd::MoveWindow(LPCRECT r, BOOL b) { ::MoveWindow(m_hWnd, r->left, r->top, r->right - r->left, r->bottom - r->top, b); }
BOOL CWnd::SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT f) {
  HWND a = nullptr;
  uintptr_t v = reinterpret_cast<uintptr_t>(after);
  // &CWnd::wndTop and friends are spelled as the special handles.
  if (v <= 1 || v >= static_cast<uintptr_t>(-2))
    a = reinterpret_cast<HWND>(v);
  else
    a = after->m_hWnd;
  return ::SetWindowPos(m_hWnd, a, x, y, cx, cy, f);
}
void CWnd::CenterWindow(CWnd* alt) {
  RECT r, ref;
  ::GetWindowRect(m_hWnd, &r);
  HWND owner = alt ? alt->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
  if (GetStyle() & WS_CHILD) owner = ::GetParent(m_hWnd);
  if (owner && ::IsWindowVisible(owner)) {
    if (GetStyle() & WS_CHILD) {
      ::GetClientRect(owner, &ref);
    } else {
      ::GetWindowRect(owner, &ref);
    }
  } else {
    ref = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = (ref.left + ref.right - w) / 2, y = (ref.top + ref.bottom - h) / 2;
  if (!(GetStyle() & WS_CHILD)) {
    if (x < 0) x = 0;
    if (y < 0) y = 0;
  }
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

BOOL CWnd::ShowWindow(int n) { return ::ShowWindow(m_hWnd, n); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL b) { return ::EnableWindow(m_hWnd, b); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }

void CWnd::Invalidate(BOOL e) { ::InvalidateRect(m_hWnd, nullptr, e); }
void CWnd::InvalidateRect(LPCRECT r, BOOL e) { ::InvalidateRect(m_hWnd, r, e); }
void CWnd::InvalidateRgn(CRgn* g, BOOL e) { ::InvalidateRgn(m_hWnd, g ? static_cast<HRGN>(g->GetSafeHandle()) : nullptr, e); }
void CWnd::ValidateRect(LPCRECT r) { ::ValidateRect(m_hWnd, r); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::RedrawWindow(LPCRECT r, CRgn* g, UINT f) {
  return ::RedrawWindow(m_hWnd, r, g ? static_cast<HRGN>(g->GetSafeHandle()) : nullptr, f);
}
CDC* CWnd::GetDC() { return CDC::FromHandle(KyUserGetDC(m_hWnd, TRUE)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(KyUserGetDC(m_hWnd, FALSE)); }
int CWnd::ReleaseDC(CDC* pDC) { return pDC ? KyUserReleaseDC(m_hWnd, pDC->m_hDC) : 0; }
CDC* CWnd::BeginPaint(LPPAINTSTRUCT ps) { return CDC::FromHandle(::BeginPaint(m_hWnd, ps)); }
void CWnd::EndPaint(LPPAINTSTRUCT ps) { ::EndPaint(m_hWnd, ps); }
void CWnd::ScrollWindow(int x, int y, LPCRECT r, LPCRECT c) { ::ScrollWindow(m_hWnd, x, y, r, c); }

LRESULT CWnd::SendMessage(UINT m, WPARAM w, LPARAM l) const { return ::SendMessageA(m_hWnd, m, w, l); }
BOOL CWnd::PostMessage(UINT m, WPARAM w, LPARAM l) const { return ::PostMessageA(m_hWnd, m, w, l); }
LRESULT CWnd::SendDlgItemMessage(int id, UINT m, WPARAM w, LPARAM l) const {
  return ::SendDlgItemMessageA(m_hWnd, id, m, w, l);
}
UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT ms, TIMERPROC fn) { return ::SetTimer(m_hWnd, id, ms, fn); }
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) { return ::MessageBoxA(m_hWnd, text, caption, type); }

void CWnd::SetDlgItemText(int id, LPCTSTR s) { ::SetDlgItemTextA(m_hWnd, id, s); }
void CWnd::SetDlgItemInt(int id, UINT v, BOOL s) { ::SetDlgItemInt(m_hWnd, id, v, s); }
UINT CWnd::GetDlgItemInt(int id, BOOL* t, BOOL s) const { return ::GetDlgItemInt(m_hWnd, id, t, s); }
void CWnd::CheckDlgButton(int id, UINT c) { ::CheckDlgButton(m_hWnd, id, c); }
UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
void CWnd::CheckRadioButton(int a, int b, int c) { ::CheckRadioButton(m_hWnd, a, b, c); }

BOOL CWnd::SetScrollInfo(int bar, LPSCROLLINFO si, BOOL redraw) {
  if (!si) return FALSE;
  ::SetScrollInfo(m_hWnd, bar, si, redraw);
  return TRUE;
}
BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO si, UINT mask) {
  if (!si) return FALSE;
  si->cbSize = sizeof(SCROLLINFO);
  si->fMask = mask;
  return ::GetScrollInfo(m_hWnd, bar, si);
}
int CWnd::SetScrollPos(int bar, int pos, BOOL redraw) { return ::SetScrollPos(m_hWnd, bar, pos, redraw); }
int CWnd::GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }
void CWnd::SetScrollRange(int bar, int a, int b, BOOL redraw) { ::SetScrollRange(m_hWnd, bar, a, b, redraw); }
void CWnd::GetScrollRange(int bar, LPINT a, LPINT b) const { ::GetScrollRange(m_hWnd, bar, a, b); }
void CWnd::ShowScrollBar(UINT bar, BOOL show) { ::ShowScrollBar(m_hWnd, static_cast<int>(bar), show); }

// ---------------------------------------------------------------- controls
BOOL CButton::Create(LPCTSTR text, DWORD style, const RECT& r, CWnd* parent, UINT id) {
  return CreateEx(0, "Button", text, style | WS_CHILD, r, parent, id);
}
void CButton::DrawItem(LPDRAWITEMSTRUCT) {}
BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  return TRUE;
}

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& r, CWnd* parent, UINT id) {
  return CreateEx(0, "Static", text, style | WS_CHILD, r, parent, id);
}

BOOL CEdit::Create(DWORD style, const RECT& r, CWnd* parent, UINT id) {
  return CreateEx(0, "Edit", "", style | WS_CHILD, r, parent, id);
}
void CEdit::SetSel(int a, int b, BOOL noScroll) {
  SendMessage(EM_SETSEL, static_cast<WPARAM>(a), b);
  if (!noScroll) SendMessage(EM_SCROLLCARET);
}

namespace {
// The owner-draw messages a list or combo box takes back from its parent,
// to its own DrawItem, MeasureItem, CompareItem and DeleteItem; FALSE for
// any other message.
template <typename Box>
BOOL ReflectOwnerDraw(Box* box, UINT message, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_DRAWITEM: box->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); return TRUE;
    case WM_MEASUREITEM: box->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); return TRUE;
    case WM_COMPAREITEM: {
      int r = box->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
      if (pResult) *pResult = r;
      return TRUE;
    }
    case WM_DELETEITEM: box->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); return TRUE;
  }
  return FALSE;
}
}  // namespace

BOOL CListBox::Create(DWORD style, const RECT& r, CWnd* parent, UINT id) {
  return CreateEx(0, "ListBox", "", style | WS_CHILD, r, parent, id);
}
void CListBox::GetText(int i, CString& r) const {
  int n = GetTextLen(i);
  if (n < 0) {
    r.Empty();
    return;
  }
  char* p = r.GetBuffer(n + 1);
  SendMessage(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(p));
  r.ReleaseBuffer(n);
}
UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const {
  DWORD r = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y)));
  bOutside = HIWORD(r);
  return LOWORD(r);
}
void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}
BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectOwnerDraw(this, message, lParam, pResult) || CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CComboBox::Create(DWORD style, const RECT& r, CWnd* parent, UINT id) {
  return CreateEx(0, "ComboBox", "", style | WS_CHILD, r, parent, id);
}
void CComboBox::GetLBText(int i, CString& r) const {
  int n = GetLBTextLen(i);
  if (n < 0) {
    r.Empty();
    return;
  }
  char* p = r.GetBuffer(n + 1);
  SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(p));
  r.ReleaseBuffer(n);
}
void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}
BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectOwnerDraw(this, message, lParam, pResult) || CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CScrollBar::Create(DWORD style, const RECT& r, CWnd* parent, UINT id) {
  return CreateEx(0, "ScrollBar", "", style | WS_CHILD, r, parent, id);
}
BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO si, UINT mask) {
  if (!si) return FALSE;
  si->cbSize = sizeof(SCROLLINFO);
  si->fMask = mask;
  return ::GetScrollInfo(m_hWnd, SB_CTL, si);
}

// ---------------------------------------------------------------- DCs
CPaintDC::CPaintDC(CWnd* pWnd) : m_ps{}, m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
  HDC h = ::BeginPaint(m_hWnd, &m_ps);
  if (h) Attach(h);
}
CPaintDC::~CPaintDC() {
  if (m_hDC) {
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
  }
}
CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
  HDC h = KyUserGetDC(m_hWnd, TRUE);
  if (h) Attach(h);
}
CClientDC::~CClientDC() {
  HDC h = Detach();
  if (h) KyUserReleaseDC(m_hWnd, h);
}
CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
  HDC h = KyUserGetDC(m_hWnd, FALSE);
  if (h) Attach(h);
}
CWindowDC::~CWindowDC() {
  HDC h = Detach();
  if (h) KyUserReleaseDC(m_hWnd, h);
}
