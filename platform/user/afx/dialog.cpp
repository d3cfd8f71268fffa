// CDialog: modal dialogs with a loop of their own, modeless dialogs, and the
// dialog keys through PreTranslateMessage.
#include "afxwin.h"
#include "dlgtemplate.h"

namespace {
CWnd* g_mainWnd = nullptr;
}

CWnd* AfxGetMainWnd() { return g_mainWnd; }
void AfxSetMainWnd(CWnd* p) { g_mainWnd = p; }

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;
CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd) {}
CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}
CDialog::~CDialog() = default;

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE t, CWnd* pParentWnd) {
  m_lpDialogTemplate = t;
  m_lpszTemplateName = nullptr;
  if (pParentWnd) m_pParentWnd = pParentWnd;
  return t != nullptr;
}

BOOL CDialog::CreateFromTemplate(HINSTANCE hInst, const void* pTemplate, size_t cb, CWnd* pParentWnd) {
  KyDialogInfo info;
  if (!KyParseDialogTemplate(pTemplate, cb, &info)) return FALSE;
  AfxHookWindowCreate(this);
  HWND h = KyCreateDialogFromInfo(hInst, info, pParentWnd ? pParentWnd->m_hWnd : nullptr, nullptr, 0);
  AfxUnhookWindowCreate();
  if (!h) {
    // A dialog that failed half-way is gone; the object keeps nothing of it.
    if (m_hWnd && !::IsWindow(m_hWnd)) Detach();
    return FALSE;
  }
  return TRUE;
}

namespace {
// The template's bytes and module along the resource chain; FALSE when none has it.
BOOL FindTemplate(LPCTSTR name, HINSTANCE* hInst, const void** p, size_t* cb) {
  HINSTANCE h = AfxFindResourceHandle(name, RT_DIALOG);
  HRSRC r = ::FindResource(h, name, RT_DIALOG);
  if (!r) return FALSE;
  HGLOBAL g = ::LoadResource(h, r);
  *p = ::LockResource(g);
  *cb = ::SizeofResource(h, r);
  *hInst = h;
  return *p != nullptr;
}
}  // namespace

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
  m_lpszTemplateName = lpszTemplateName;
  if (pParentWnd) m_pParentWnd = pParentWnd;
  HINSTANCE h = nullptr;
  const void* p = nullptr;
  size_t cb = 0;
  if (!FindTemplate(lpszTemplateName, &h, &p, &cb)) return FALSE;
  return CreateFromTemplate(h, p, cb, m_pParentWnd);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  m_nIDHelp = nIDTemplate;
  return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE t, CWnd* pParentWnd) {
  if (pParentWnd) m_pParentWnd = pParentWnd;
  if (!t) return FALSE;
  return CreateFromTemplate(AfxGetResourceHandle(), t, 1u << 20, m_pParentWnd);
}

HWND CDialog::PreModal() {
  HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  if (!parent) {
    if (CWnd* main = AfxGetMainWnd()) parent = main->m_hWnd;
    if (!parent) parent = ::GetActiveWindow();
  }
  if (parent) parent = ::GetAncestor(parent, GA_ROOT);
  return parent;
}

INT_PTR CDialog::DoModal() {
  HINSTANCE hInst = AfxGetResourceHandle();
  const void* p = m_lpDialogTemplate;
  size_t cb = p ? (1u << 20) : 0;
  if (!p && m_lpszTemplateName && !FindTemplate(m_lpszTemplateName, &hInst, &p, &cb)) return -1;
  if (!p) return -1;
  HWND hWndParent = PreModal();
  BOOL enableParent = FALSE;
  if (hWndParent && ::IsWindowEnabled(hWndParent)) {
    ::EnableWindow(hWndParent, FALSE);
    enableParent = TRUE;
  }
  m_nModalResult = -1;
  m_bContinueModal = TRUE;
  if (CreateFromTemplate(hInst, p, cb, CWnd::FromHandle(hWndParent))) {
    if (m_bContinueModal) RunModalLoop();
    if (m_hWnd) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  if (enableParent) ::EnableWindow(hWndParent, TRUE);
  if (hWndParent && (::GetActiveWindow() == m_hWnd || !::GetActiveWindow())) ::SetActiveWindow(hWndParent);
  if (m_hWnd) DestroyWindow();
  m_bContinueModal = FALSE;
  return m_nModalResult;
}

void CDialog::EndModalLoop(int nResult) {
  m_nModalResult = nResult;
  if (m_bContinueModal) {
    m_bContinueModal = FALSE;
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wake the loop
  }
}

INT_PTR CDialog::RunModalLoop() {
  HWND h = m_hWnd;
  if (!(GetStyle() & WS_VISIBLE)) {
    ShowWindow(SW_SHOWNORMAL);
    UpdateWindow();
  }
  m_bInModalLoop = TRUE;
  while (m_bContinueModal && ::IsWindow(h)) {
    MSG msg;
    BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) {
      // Nothing will ever come (a headless screen with no input left).
      m_nModalResult = -1;
      break;
    }
    if (!got) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      m_nModalResult = -1;
      break;
    }
    // The framework's pre-translation: from the message's window up.
    if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  m_bInModalLoop = FALSE;
  m_bContinueModal = FALSE;
  return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
  if (m_bContinueModal || m_bInModalLoop) EndModalLoop(nResult);
  m_nModalResult = nResult;
  if (m_hWnd) ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  bool key = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
  bool mouse = pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST;
  if (!key && !mouse) return FALSE;
  return ::IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_INITDIALOG) {
    *pResult = OnInitDialog();
    return TRUE;
  }
  return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

void CDialog::MapDialogRect(LPRECT r) const { ::MapDialogRect(m_hWnd, r); }
