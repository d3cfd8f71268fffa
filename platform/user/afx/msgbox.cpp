// The framework's message boxes and its own prompt strings.
#include <cstring>

#include "afxwin.h"
#include "resimage.h"

namespace {

const AFX_RESOURCE_STRING kPrompts[] = {
    {AFX_IDP_PARSE_INT, LANGID_ENGLISH_US, "Please enter an integer."},
    {AFX_IDP_PARSE_REAL, LANGID_ENGLISH_US, "Please enter a number."},
    {AFX_IDP_PARSE_INT_RANGE, LANGID_ENGLISH_US, "Please enter an integer between %1 and %2."},
    {AFX_IDP_PARSE_REAL_RANGE, LANGID_ENGLISH_US, "Please enter a number between %1 and %2."},
    {AFX_IDP_PARSE_STRING_SIZE, LANGID_ENGLISH_US, "Please enter no more than %1 characters."},
    {AFX_IDP_PARSE_RADIO_BUTTON, LANGID_ENGLISH_US, "Please select a button."},
    {AFX_IDP_PARSE_BYTE, LANGID_ENGLISH_US, "Please enter an integer between 0 and 255."},
    {AFX_IDP_PARSE_UINT, LANGID_ENGLISH_US, "Please enter a positive integer."},
};

HMODULE g_frameworkModule = nullptr;

}  // namespace

AFX_RESOURCE_SECTION(RegisterFrameworkStrings) {
  g_frameworkModule = hModule;
  AfxRegisterStrings(hModule, kPrompts, sizeof kPrompts / sizeof kPrompts[0]);
}

BOOL AfxLoadFrameworkString(UINT nID, CString& r) {
  if (AfxLoadString(nID, r)) return TRUE;
  char buf[1024];
  int n = ::LoadString(g_frameworkModule, nID, buf, sizeof buf);
  if (n <= 0) {
    r.Empty();
    return FALSE;
  }
  r = CString(buf, n);
  return TRUE;
}

namespace {
CString ProgramName() {
  char path[MAX_PATH] = {0};
  if (GetModuleFileName(nullptr, path, sizeof path) == 0) return CString("Application");
  const char* slash = strrchr(path, '/');
  return CString(slash ? slash + 1 : path);
}
}  // namespace

int AfxMessageBox(LPCTSTR text, UINT nType, UINT) {
  HWND owner = nullptr;
  if (CWnd* main = AfxGetMainWnd()) owner = main->m_hWnd;
  if (!owner) owner = ::GetActiveWindow();
  CString caption = ProgramName();
  return ::MessageBoxA(owner, text, caption, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString s;
  AfxLoadFrameworkString(nIDPrompt, s);
  return AfxMessageBox(s, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

void AfxFormatString1(CString& r, UINT nIDS, LPCTSTR a) {
  CString f;
  AfxLoadFrameworkString(nIDS, f);
  f.Replace("%1", a ? a : "");
  r = f;
}

void AfxFormatString2(CString& r, UINT nIDS, LPCTSTR a, LPCTSTR b) {
  CString f;
  AfxLoadFrameworkString(nIDS, f);
  f.Replace("%1", a ? a : "");
  f.Replace("%2", b ? b : "");
  r = f;
}
