// CPropertyPage: a child dialog of a property sheet, made from its template
// when its tab is first chosen, and told by the sheet with PSN_ codes what
// happens (afxdlgs.h).
#include <cstring>

#include "afxdlgs.h"
#include "dlgtemplate.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage() { memset(&m_psp, 0, sizeof m_psp), m_psp.dwSize = sizeof m_psp; }

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage() {
  Construct(nIDTemplate, nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) : CPropertyPage() {
  Construct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption) {
  Construct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
  m_nIDHelp = nIDTemplate;
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption) {
  m_lpszTemplateName = lpszTemplateName;
  m_psp.pszTemplate = lpszTemplateName;
  m_psp.hInstance = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
  if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption)) {
    m_psp.dwFlags |= PSP_USETITLE;
    m_psp.pszTitle = m_strCaption;
  }
}

BOOL CPropertyPage::LoadPageTemplate(const void** ppData, size_t* pcb, HINSTANCE* phInst) const {
  *phInst = AfxGetResourceHandle();
  if ((m_psp.dwFlags & PSP_DLGINDIRECT) && m_psp.pResource) {
    *ppData = m_psp.pResource;
    *pcb = 1u << 20;  // a template in memory carries no size; the reader stops at its end
    return TRUE;
  }
  if (m_lpDialogTemplate) {
    *ppData = m_lpDialogTemplate;
    *pcb = 1u << 20;
    return TRUE;
  }
  if (!m_lpszTemplateName) return FALSE;
  HINSTANCE h = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
  HRSRC r = ::FindResource(h, m_lpszTemplateName, RT_DIALOG);
  if (!r) return FALSE;
  *ppData = ::LockResource(::LoadResource(h, r));
  *pcb = ::SizeofResource(h, r);
  *phInst = h;
  return *ppData != nullptr;
}

namespace {
BOOL ParsePage(const void* p, size_t cb, KyDialogInfo* info) { return p && KyParseDialogTemplate(p, cb, info); }
}  // namespace

CString CPropertyPage::GetTabText() const {
  if ((m_psp.dwFlags & PSP_USETITLE) && m_psp.pszTitle) return CString(m_psp.pszTitle);
  const void* p = nullptr;
  size_t cb = 0;
  HINSTANCE h = nullptr;
  KyDialogInfo info;
  if (!LoadPageTemplate(&p, &cb, &h) || !ParsePage(p, cb, &info)) return CString();
  return CString(info.caption.c_str());
}

BOOL CPropertyPage::GetTemplateSize(SIZE* pSize) const {
  const void* p = nullptr;
  size_t cb = 0;
  HINSTANCE h = nullptr;
  KyDialogInfo info;
  if (!pSize || !LoadPageTemplate(&p, &cb, &h) || !ParsePage(p, cb, &info)) return FALSE;
  // The font as the dialog manager makes it for the template, so that the
  // size matches the page that will be made.
  HFONT font = nullptr;
  bool owns = false;
  if (!(info.style & DS_SETFONT)) {
    font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  } else if (info.pointSize == 0x7FFF) {
    font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  } else {
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(info.pointSize, 96, 72);
    lf.lfWeight = info.weight;
    lf.lfItalic = info.italic;
    lf.lfCharSet = info.charset;
    strncpy(lf.lfFaceName, info.faceName.c_str(), LF_FACESIZE - 1);
    font = CreateFontIndirectA(&lf);
    owns = font != nullptr;
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }
  int bx = 0, by = 0;
  KyFontBaseUnits(font, &bx, &by);
  if (owns) DeleteObject(font);
  pSize->cx = MulDiv(info.cx, bx, 4);
  pSize->cy = MulDiv(info.cy, by, 8);
  return TRUE;
}

BOOL CPropertyPage::CreatePage(CPropertySheet* pSheet) {
  if (m_hWnd) return TRUE;
  const void* p = nullptr;
  size_t cb = 0;
  HINSTANCE h = nullptr;
  KyDialogInfo info;
  if (!pSheet || !pSheet->m_hWnd || !LoadPageTemplate(&p, &cb, &h) || !ParsePage(p, cb, &info)) return FALSE;
  // A page is a control of the sheet: no frame of its own, hidden until shown.
  info.style &= ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | WS_DISABLED | DS_MODALFRAME |
                  DS_CENTER | DS_ABSALIGN);
  info.style |= WS_CHILD | DS_CONTROL;
  info.x = info.y = 0;
  m_pParentWnd = pSheet;
  m_bFirstSetActive = TRUE;
  m_bChanged = FALSE;
  AfxHookWindowCreate(this);
  HWND hPage = KyCreateDialogFromInfo(h, info, pSheet->m_hWnd, nullptr, 0);
  AfxUnhookWindowCreate();
  if (!hPage) {
    if (m_hWnd && !::IsWindow(m_hWnd)) Detach();
    return FALSE;
  }
  return TRUE;
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* nm = reinterpret_cast<NMHDR*>(lParam);
  HWND sheet = ::GetParent(m_hWnd);
  if (nm && sheet && nm->hwndFrom == sheet) {
    switch (nm->code) {
      case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;
        return TRUE;
      case PSN_KILLACTIVE:
        *pResult = OnKillActive() ? FALSE : TRUE;
        return TRUE;
      case PSN_APPLY:
        *pResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        return TRUE;
      case PSN_RESET:
        OnReset();
        *pResult = 0;
        return TRUE;
      case PSN_QUERYCANCEL:
        *pResult = OnQueryCancel() ? FALSE : TRUE;
        return TRUE;
    }
  }
  return CDialog::OnNotify(wParam, lParam, pResult);
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg) { return CWnd::PreTranslateMessage(pMsg); }

BOOL CPropertyPage::OnSetActive() {
  if (m_bFirstSetActive) m_bFirstSetActive = FALSE;
  else UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}
BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

void CPropertyPage::SetModified(BOOL bChanged) {
  m_bChanged = bChanged;
  if (m_hWnd)
    if (HWND sheet = ::GetParent(m_hWnd))
      ::SendMessageA(sheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

