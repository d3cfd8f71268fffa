// CFileDialog: the framework's open and save dialogs over GetOpenFileName
// and GetSaveFileName (commdlg.h).
#include <cstring>

#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd) : CDialog(static_cast<UINT>(0), pParentWnd) {}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog) {
  memset(&m_ofn, 0, sizeof m_ofn);
  m_szFileName[0] = 0;
  m_szFileTitle[0] = 0;
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.lpstrFile = m_szFileName;
  m_ofn.nMaxFile = sizeof m_szFileName;
  m_ofn.lpstrFileTitle = m_szFileTitle;
  m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
  m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLEHOOK;
  m_ofn.hInstance = AfxGetResourceHandle();
  if (lpszDefExt) {
    m_strDefExt = lpszDefExt;
    m_ofn.lpstrDefExt = m_strDefExt;
  }
  if (lpszFileName) {
    strncpy(m_szFileName, lpszFileName, sizeof m_szFileName - 1);
    m_szFileName[sizeof m_szFileName - 1] = 0;
  }
  if (lpszFilter) {
    // "A|*.a|B|*.b||" becomes "A\0*.a\0B\0*.b\0\0".
    m_strFilter = lpszFilter;
    for (char& c : m_strFilter)
      if (c == '|') c = '\0';
    m_strFilter.push_back('\0');
    m_strFilter.push_back('\0');
    m_ofn.lpstrFilter = m_strFilter.c_str();
  }
}

INT_PTR CFileDialog::DoModal() {
  m_ofn.hwndOwner = PreModal();
  BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
  return ok ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const { return CString(m_ofn.lpstrFile); }

CString CFileDialog::GetFileName() const {
  if (m_ofn.lpstrFileTitle) return CString(m_ofn.lpstrFileTitle);
  return CString(m_ofn.lpstrFile + m_ofn.nFileOffset);
}

CString CFileDialog::GetFileExt() const {
  if (m_ofn.nFileExtension == 0) return CString();
  return CString(m_ofn.lpstrFile + m_ofn.nFileExtension);
}

CString CFileDialog::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot > 0 ? name.Left(dot) : name;
}

POSITION CFileDialog::GetStartPosition() const {
  return m_ofn.lpstrFile && m_ofn.lpstrFile[0] ? reinterpret_cast<POSITION>(m_ofn.lpstrFile) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
  char* p = reinterpret_cast<char*>(pos);
  if (!p) return CString();
  if (p == m_ofn.lpstrFile) {
    // One file: the buffer is its full path.
    if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT)) {
      pos = nullptr;
      return CString(m_ofn.lpstrFile);
    }
    p += strlen(p) + 1;
    if (*p == 0) {
      pos = nullptr;
      return CString(m_ofn.lpstrFile);
    }
  }
  // Several: the folder, then the names one after another.
  CString folder(m_ofn.lpstrFile);
  CString name(p);
  p += strlen(p) + 1;
  pos = *p ? reinterpret_cast<POSITION>(p) : nullptr;
  if (folder.IsEmpty() || folder[folder.GetLength() - 1] != '/') folder += "/";
  return folder + name;
}
