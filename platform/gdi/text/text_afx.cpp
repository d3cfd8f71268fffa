// The framework's text members of CDC and CFont, over the C calls. Output
// goes to m_hDC; extents and metrics come from m_hAttribDC, as the
// framework splits them.
#include <cstdlib>
#include <cstring>

#include "afxdc.h"
#include "wingdi_text.h"

BOOL CFont::CreateFontIndirect(const LOGFONTA* lpLogFont) { return Attach(::CreateFontIndirectA(lpLogFont)); }

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename) {
  return Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                              nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC) {
  LOGFONTA lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = nPointSize;
  if (lpszFaceName) std::strncpy(lf.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
  return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC) {
  if (!lpLogFont) return FALSE;
  HDC hdc = pDC ? pDC->m_hAttribDC : nullptr;
  HDC screen = nullptr;
  if (!hdc) hdc = screen = ::GetDC(nullptr);
  LOGFONTA lf = *lpLogFont;
  // lfHeight holds tenths of a point: to device pixels by the DC's
  // resolution (truncating, as the framework does), then to logical units
  // as a character height.
  POINT pt{0, ::GetDeviceCaps(hdc, LOGPIXELSY) * lf.lfHeight / 720};
  POINT org{0, 0};
  ::DPtoLP(hdc, &pt, 1);
  ::DPtoLP(hdc, &org, 1);
  lf.lfHeight = -std::abs(pt.y - org.y);
  if (screen) ::ReleaseDC(nullptr, screen);
  return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONTA* pLogFont) {
  return m_hObject ? ::GetObject(m_hObject, sizeof(LOGFONTA), pLogFont) : 0;
}

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount) { return ::TextOutA(m_hDC, x, y, lpszString, nCount); }

BOOL CDC::TextOut(int x, int y, const CString& str) { return TextOut(x, y, str, str.GetLength()); }

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                     LPINT lpDxWidths) {
  return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths) {
  return ExtTextOut(x, y, nOptions, lpRect, str, static_cast<UINT>(str.GetLength()), lpDxWidths);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
  return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
  return DrawText(str, str.GetLength(), lpRect, nFormat);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const {
  SIZE size{0, 0};
  ::GetTextExtentPoint32A(m_hAttribDC, lpszString, nCount, &size);
  return CSize(size.cx, size.cy);
}

CSize CDC::GetTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const {
  SIZE size{0, 0};
  ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size);
  return CSize(size.cx, size.cy);
}

CSize CDC::GetOutputTextExtent(const CString& str) const { return GetOutputTextExtent(str, str.GetLength()); }

BOOL CDC::GetTextMetrics(TEXTMETRICA* lpMetrics) const { return ::GetTextMetricsA(m_hAttribDC, lpMetrics); }

BOOL CDC::GetOutputTextMetrics(TEXTMETRICA* lpMetrics) const { return ::GetTextMetricsA(m_hDC, lpMetrics); }

UINT CDC::GetTextAlign() const { return ::GetTextAlign(m_hAttribDC); }

UINT CDC::SetTextAlign(UINT nFlags) {
  UINT old = GDI_ERROR;
  if (m_hDC && m_hDC != m_hAttribDC) old = ::SetTextAlign(m_hDC, nFlags);
  if (m_hAttribDC) old = ::SetTextAlign(m_hAttribDC, nFlags);
  return old;
}

int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const { return ::GetTextFaceA(m_hAttribDC, nCount, lpszFacename); }

int CDC::GetTextFace(CString& rString) const {
  char name[LF_FACESIZE] = {0};
  const int n = ::GetTextFaceA(m_hAttribDC, LF_FACESIZE, name);
  rString = name;
  return n;
}

int CDC::SetTextCharacterExtra(int nCharExtra) {
  int old = static_cast<int>(0x80000000u);
  if (m_hDC && m_hDC != m_hAttribDC) old = ::SetTextCharacterExtra(m_hDC, nCharExtra);
  if (m_hAttribDC) old = ::SetTextCharacterExtra(m_hAttribDC, nCharExtra);
  return old;
}

int CDC::GetTextCharacterExtra() const { return ::GetTextCharacterExtra(m_hAttribDC); }
