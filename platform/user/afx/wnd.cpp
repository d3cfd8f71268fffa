// CCmdTarget and CWnd: message maps, the framework's window procedure,
// attaching objects to windows, and the routing of notifications between a
// parent and its controls' objects.
#include <unordered_map>
#include <vector>

#include "afxwin.h"

namespace {

struct WndMaps {
  std::unordered_map<HWND, CWnd*> permanent;
  std::unordered_map<HWND, CWnd*> temporary;
  CWnd* hookPending = nullptr;
  std::vector<AFX_CURRENT_MESSAGE> current;
  MSG lastMsg{};
};

WndMaps& Maps() {
  static auto* m = new WndMaps();
  return *m;
}

void OnCreateHook(HWND hWnd, const CREATESTRUCTA*) {
  WndMaps& m = Maps();
  CWnd* p = m.hookPending;
  if (!p) return;
  m.hookPending = nullptr;
  p->Attach(hWnd);
  p->m_pfnSuper = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
  SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
}

void OnDestroyHook(HWND hWnd) {
  WndMaps& m = Maps();
  auto it = m.temporary.find(hWnd);
  if (it != m.temporary.end()) {
    CWnd* t = it->second;
    m.temporary.erase(it);
    t->m_hWnd = nullptr;
    delete t;
  }
  auto pit = m.permanent.find(hWnd);
  if (pit != m.permanent.end()) {
    // The object outlives its window: it only forgets the handle.
    pit->second->m_hWnd = nullptr;
    m.permanent.erase(pit);
  }
}

void EnsureHooks() {
  static bool done = false;
  if (done) return;
  done = true;
  KySetWindowHooks(&OnCreateHook, &OnDestroyHook);
}

struct CurrentMessageScope {
  CurrentMessageScope(HWND h, UINT m, WPARAM w, LPARAM l) { Maps().current.push_back({h, m, w, l}); }
  ~CurrentMessageScope() { Maps().current.pop_back(); }
};

}  // namespace

void AfxThrowUserException() { throw new CUserException(); }
void AfxThrowNotSupportedException() { throw new CNotSupportedException(); }

void AfxHookWindowCreate(CWnd* pWnd) {
  EnsureHooks();
  Maps().hookPending = pWnd;
}

BOOL AfxUnhookWindowCreate() {
  bool was = Maps().hookPending != nullptr;
  Maps().hookPending = nullptr;
  return was ? FALSE : TRUE;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  CWnd* p = CWnd::FromHandlePermanent(hWnd);
  if (!p) return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
  CurrentMessageScope scope(hWnd, nMsg, wParam, lParam);
  LRESULT r = p->WindowProc(nMsg, wParam, lParam);
  if (nMsg == WM_NCDESTROY) {
    // The last message: the object lets go of the window and may delete itself.
    CWnd* still = CWnd::FromHandlePermanent(hWnd);
    if (still == p) {
      WNDPROC super = p->m_pfnSuper;
      p->Detach();
      if (super) SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
      p->PostNcDestroy();
    }
  }
  return r;
}

// ---------------------------------------------------------------- maps
IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(UINT nMessage, UINT nCode, UINT nID) const {
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
      if (e->nMessage != nMessage || e->nCode != nCode) continue;
      if (nMessage == WM_COMMAND || nMessage == WM_NOTIFY) {
        if (nID < e->nID || nID > e->nLastID) continue;
      }
      return e;
    }
    if (!map->pfnGetBaseMap) break;
  }
  return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, LRESULT* pResult) {
  LRESULT dummy = 0;
  if (!pResult) pResult = &dummy;
  UINT msg = pExtra ? WM_NOTIFY : WM_COMMAND;
  // Entries of the same id and code further down the chain are tried when
  // an _EX handler declines.
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
      if (e->nMessage != msg || e->nCode != static_cast<UINT>(nCode)) continue;
      if (nID < e->nID || nID > e->nLastID) continue;
      if (e->pfn(this, nID, reinterpret_cast<LPARAM>(pExtra), pResult)) return TRUE;
    }
    if (!map->pfnGetBaseMap) break;
  }
  return FALSE;
}

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {&CCmdTarget::GetThisMessageMap, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

// ---------------------------------------------------------------- attaching
CWnd::~CWnd() {
  if (m_hWnd && !m_bTemporary && FromHandlePermanent(m_hWnd) == this) {
    HWND h = m_hWnd;
    // The object dies first: its window must not call into it any more.
    WNDPROC super = m_pfnSuper;
    Detach();
    if (super) SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
    ::DestroyWindow(h);
  }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  if (!hWnd) return nullptr;
  auto& m = Maps().permanent;
  auto it = m.find(hWnd);
  return it == m.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  if (!hWnd || !::IsWindow(hWnd)) return nullptr;
  if (CWnd* p = FromHandlePermanent(hWnd)) return p;
  EnsureHooks();
  auto& t = Maps().temporary;
  auto it = t.find(hWnd);
  if (it != t.end()) return it->second;
  CWnd* w = new CWnd();
  w->m_hWnd = hWnd;
  w->m_bTemporary = TRUE;
  t[hWnd] = w;
  return w;
}

BOOL CWnd::Attach(HWND hWndNew) {
  if (!hWndNew || m_hWnd) return FALSE;
  EnsureHooks();
  auto& m = Maps().permanent;
  if (m.count(hWndNew)) return FALSE;
  // A temporary object of the window is no longer needed.
  auto& t = Maps().temporary;
  auto it = t.find(hWndNew);
  if (it != t.end()) {
    it->second->m_hWnd = nullptr;
    delete it->second;
    t.erase(it);
  }
  m[hWndNew] = this;
  m_hWnd = hWndNew;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (h) Maps().permanent.erase(h);
  m_hWnd = nullptr;
  return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!::IsWindow(hWnd) || !Attach(hWnd)) return FALSE;
  m_pfnSuper = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (m_pfnSuper == &AfxWndProc) m_pfnSuper = nullptr;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  if (!pParent) return FALSE;
  HWND h = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
  return h ? SubclassWindow(h) : FALSE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  CREATESTRUCT cs{lpParam, AfxGetInstanceHandle(), nIDorHMenu, hWndParent, nHeight, nWidth, y, x,
                  static_cast<LONG>(dwStyle), lpszWindowName, lpszClassName, dwExStyle};
  if (!PreCreateWindow(cs)) return FALSE;
  AfxHookWindowCreate(this);
  HWND h = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx,
                             cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  AfxUnhookWindowCreate();
  return h != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, void*) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {}

void CWnd::OnNcDestroy() { Default(); }

// ---------------------------------------------------------------- dispatch
LRESULT CWnd::Default() {
  auto& cur = Maps().current;
  if (cur.empty() || !m_hWnd) return 0;
  const AFX_CURRENT_MESSAGE& m = cur.back();
  return DefWindowProc(m.message, m.wParam, m.lParam);
}

const MSG* CWnd::GetCurrentMessage() {
  WndMaps& m = Maps();
  if (!m.current.empty()) {
    const AFX_CURRENT_MESSAGE& c = m.current.back();
    m.lastMsg = MSG{c.hwnd, c.message, c.wParam, c.lParam, GetMessageTime(), {0, 0}};
    DWORD pos = GetMessagePos();
    m.lastMsg.pt = POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
  }
  return &m.lastMsg;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = 0;
  if (!OnWndMsg(message, wParam, lParam, &r)) r = DefWindowProc(message, wParam, lParam);
  return r;
}

namespace {
// WM_CTLCOLORMSGBOX to WM_CTLCOLORSTATIC, the colour questions of controls.
bool IsCtlColor(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

UINT CtlColorKind(UINT msg) {
  switch (msg) {
    case WM_CTLCOLORMSGBOX: return CTLCOLOR_MSGBOX;
    case WM_CTLCOLOREDIT: return CTLCOLOR_EDIT;
    case WM_CTLCOLORLISTBOX: return CTLCOLOR_LISTBOX;
    case WM_CTLCOLORBTN: return CTLCOLOR_BTN;
    case WM_CTLCOLORDLG: return CTLCOLOR_DLG;
    case WM_CTLCOLORSCROLLBAR: return CTLCOLOR_SCROLLBAR;
    default: return CTLCOLOR_STATIC;
  }
}
}  // namespace

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND w = pMsg->hwnd; w && w != hWndStop; w = ::GetParent(w)) {
    CWnd* p = CWnd::FromHandlePermanent(w);
    if (p && p->PreTranslateMessage(pMsg)) return TRUE;
  }
  return FALSE;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT r = 0;
  if (IsCtlColor(message)) {
    // All of them go to one handler, told the kind in nCtlColor.
    if (const AFX_MSGMAP_ENTRY* e = FindEntry(WM_CTLCOLOR, 0, 0)) {
      r = CtlColorKind(message);
      e->pfn(this, wParam, lParam, &r);
      *pResult = r;
      return TRUE;
    }
    HBRUSH br = OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                           CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), CtlColorKind(message));
    *pResult = reinterpret_cast<LRESULT>(br);
    return TRUE;
  }
  switch (message) {
    case WM_COMMAND:
      if (OnCommand(wParam, lParam)) {
        *pResult = 1;
        return TRUE;
      }
      return FALSE;
    case WM_NOTIFY: {
      LRESULT nr = 0;
      if (OnNotify(wParam, lParam, &nr)) {
        *pResult = nr;
        return TRUE;
      }
      return FALSE;
    }
  }
  if (const AFX_MSGMAP_ENTRY* e = FindEntry(message, 0, 0)) {
    if (e->pfn(this, wParam, lParam, &r)) {
      *pResult = r;
      return TRUE;
    }
  }
  switch (message) {
    case WM_DRAWITEM:
      OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      *pResult = TRUE;
      return TRUE;
    case WM_MEASUREITEM:
      OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      *pResult = TRUE;
      return TRUE;
    case WM_COMPAREITEM: {
      auto* cis = reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam);
      LRESULT cr = 0;
      if (cis && ReflectLastMsg(cis->hwndItem, &cr)) {
        *pResult = cr;
        return TRUE;
      }
      return FALSE;
    }
    case WM_DELETEITEM: {
      auto* dis = reinterpret_cast<LPDELETEITEMSTRUCT>(lParam);
      if (dis && ReflectLastMsg(dis->hwndItem)) {
        *pResult = TRUE;
        return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT nID = LOWORD(wParam);
  HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
  int nCode = HIWORD(wParam);
  if (hWndCtrl) {
    // The control's own object sees its notification first.
    if (ReflectLastMsg(hWndCtrl)) return TRUE;
  } else {
    nCode = 0;  // a menu or accelerator command
  }
  return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  auto* nm = reinterpret_cast<NMHDR*>(lParam);
  if (!nm) return FALSE;
  if (ReflectLastMsg(nm->hwndFrom, pResult)) return TRUE;
  return OnCmdMsg(static_cast<UINT>(nm->idFrom), static_cast<int>(nm->code), nm, pResult);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* child = FromHandlePermanent(hWndChild);
  if (!child) return FALSE;
  return child->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  auto& cur = Maps().current;
  if (cur.empty()) return FALSE;
  AFX_CURRENT_MESSAGE m = cur.back();
  return OnChildNotify(m.message, m.wParam, m.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT dummy = 0;
  if (!pResult) pResult = &dummy;
  if (IsCtlColor(message)) {
    const AFX_MSGMAP_ENTRY* e = FindEntry(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
    if (!e) return FALSE;
    LRESULT r = CtlColorKind(message);
    e->pfn(this, wParam, lParam, &r);
    if (!r) return FALSE;
    *pResult = r;
    return TRUE;
  }
  switch (message) {
    case WM_COMMAND: {
      UINT code = HIWORD(wParam);
      for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e)
          if (e->nMessage == WM_REFLECT_BASE + WM_COMMAND && e->nCode == code)
            if (e->pfn(this, wParam, lParam, pResult)) return TRUE;
        if (!map->pfnGetBaseMap) break;
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      auto* nm = reinterpret_cast<NMHDR*>(lParam);
      if (!nm) return FALSE;
      for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e)
          if (e->nMessage == WM_REFLECT_BASE + WM_NOTIFY && e->nCode == nm->code)
            if (e->pfn(this, wParam, lParam, pResult)) return TRUE;
        if (!map->pfnGetBaseMap) break;
      }
      return FALSE;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM: {
      const AFX_MSGMAP_ENTRY* e = FindEntry(WM_REFLECT_BASE + message, 0, 0);
      if (!e) return FALSE;
      return e->pfn(this, wParam, lParam, pResult);
    }
  }
  return FALSE;
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct && ReflectLastMsg(lpDrawItemStruct->hwndItem)) return;
  Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (lpMeasureItemStruct) {
    HWND hChild = ::GetDlgItem(m_hWnd, nIDCtl);
    if (hChild && ReflectLastMsg(hChild)) return;
  }
  Default();
}

HBRUSH CWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT) {
  LRESULT r = 0;
  if (pWnd && ReflectLastMsg(pWnd->m_hWnd, &r)) return reinterpret_cast<HBRUSH>(r);
  return reinterpret_cast<HBRUSH>(Default());
  (void)pDC;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  try {
    DoDataExchange(&dx);
    return TRUE;
  } catch (CException* e) {
    // A failed validation has told the user already; a missing control
    // fails the exchange the same way.
    e->Delete();
    return FALSE;
  }
}
