// Dialog data exchange and validation.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "afxwin.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND h = nullptr;
  if (m_pDlgWnd) m_pDlgWnd->GetDlgItem(nIDC, &h);
  if (!h) AfxThrowNotSupportedException();
  m_hWndLastControl = h;
  m_bEditLastControl = FALSE;
  return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND h = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return h;
}

void CDataExchange::RememberMember(void* p, const void* oldValue, size_t size) {
  m_pLastString = nullptr;
  m_pLast = p;
  m_oldSize = size <= sizeof m_old ? size : 0;
  if (m_oldSize) memcpy(m_old, oldValue, m_oldSize);
}

void CDataExchange::RememberMember(CString* p) {
  m_pLast = nullptr;
  m_oldSize = 0;
  m_pLastString = p;
  if (p) m_oldString = *p;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate) {
    if (m_pLast && m_oldSize) memcpy(m_pLast, m_old, m_oldSize);
    if (m_pLastString) *m_pLastString = m_oldString;
    if (m_hWndLastControl && ::IsWindow(m_hWndLastControl)) {
      ::SetFocus(m_hWndLastControl);
      if (m_bEditLastControl) ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
  }
  AfxThrowUserException();
}

namespace {

CString ControlText(HWND h) {
  CString s;
  int n = ::GetWindowTextLengthA(h);
  char* p = s.GetBuffer(n + 1);
  ::GetWindowTextA(h, p, n + 1);
  s.ReleaseBuffer();
  return s;
}

// Whole text as a signed or unsigned integer: blanks around, one sign, digits.
bool ParseInteger(const char* s, bool allowSign, long long lo, long long hi, long long* out) {
  while (*s == ' ' || *s == '\t') ++s;
  bool neg = false;
  if (*s == '-' || *s == '+') {
    if (!allowSign && *s == '-') return false;
    neg = *s++ == '-';
  }
  if (*s < '0' || *s > '9') return false;
  long long v = 0;
  while (*s >= '0' && *s <= '9') {
    v = v * 10 + (*s++ - '0');
    if (v > (1LL << 40)) return false;
  }
  while (*s == ' ' || *s == '\t') ++s;
  if (*s) return false;
  if (neg) v = -v;
  if (v < lo || v > hi) return false;
  *out = v;
  return true;
}

bool ParseReal(const char* s, double* out) {
  char* end = nullptr;
  errno = 0;
  double v = strtod(s, &end);
  if (end == s || errno) return false;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end || !std::isfinite(v)) return false;
  *out = v;
  return true;
}

template <class T>
void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, bool isSigned, long long lo, long long hi, UINT prompt) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    long long v = 0;
    CString text = ControlText(h);
    if (!ParseInteger(text, isSigned, lo, hi, &v)) {
      AfxMessageBox(prompt);
      pDX->Fail();
    }
    T old = value;
    value = static_cast<T>(v);
    pDX->RememberMember(&value, &old, sizeof old);
  } else {
    char buf[32];
    if (isSigned)
      snprintf(buf, sizeof buf, "%lld", static_cast<long long>(value));
    else
      snprintf(buf, sizeof buf, "%llu", static_cast<unsigned long long>(value));
    ::SetWindowTextA(h, buf);
  }
}

void FailMinMax(CDataExchange* pDX, const char* lo, const char* hi, UINT prompt) {
  if (!pDX->m_bSaveAndValidate) return;  // initial data out of range is not the user's doing
  CString text;
  AfxFormatString2(text, prompt, lo, hi);
  AfxMessageBox(text, MB_ICONEXCLAMATION, prompt);
  pDX->Fail();
}

}  // namespace

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd) return;
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!rControl.SubclassWindow(h)) AfxThrowNotSupportedException();
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& v) { ExchangeInteger(pDX, nIDC, v, true, INT32_MIN, INT32_MAX, AFX_IDP_PARSE_INT); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& v) { ExchangeInteger(pDX, nIDC, v, true, INT32_MIN, INT32_MAX, AFX_IDP_PARSE_INT); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& v) { ExchangeInteger(pDX, nIDC, v, false, 0, UINT32_MAX, AFX_IDP_PARSE_UINT); }
void DDX_Text(CDataExchange* pDX, int nIDC, short& v) { ExchangeInteger(pDX, nIDC, v, true, INT16_MIN, INT16_MAX, AFX_IDP_PARSE_INT); }
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& v) { ExchangeInteger(pDX, nIDC, v, false, 0, 255, AFX_IDP_PARSE_BYTE); }

void DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    double v = 0;
    if (!ParseReal(ControlText(h), &v)) {
      AfxMessageBox(AFX_IDP_PARSE_REAL);
      pDX->Fail();
    }
    double old = value;
    value = v;
    pDX->RememberMember(&value, &old, sizeof old);
  } else {
    char buf[64];
    snprintf(buf, sizeof buf, "%.15g", value);
    ::SetWindowTextA(h, buf);
  }
}

void DDX_Text(CDataExchange* pDX, int nIDC, float& value) {
  double d = value;
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    if (!ParseReal(ControlText(h), &d)) {
      AfxMessageBox(AFX_IDP_PARSE_REAL);
      pDX->Fail();
    }
    float old = value;
    value = static_cast<float>(d);
    pDX->RememberMember(&value, &old, sizeof old);
  } else {
    char buf[64];
    snprintf(buf, sizeof buf, "%.7g", d);
    ::SetWindowTextA(h, buf);
  }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    pDX->RememberMember(&value);
    value = ControlText(h);
  } else {
    ::SetWindowTextA(h, value);
  }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    int old = value;
    value = static_cast<int>(::SendMessageA(h, BM_GETCHECK, 0, 0));
    pDX->RememberMember(&value, &old, sizeof old);
  } else {
    if (value < 0 || value > 2) value = 0;
    ::SendMessageA(h, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = -1;
  int index = 0;
  // The group runs from the first button to the next control with WS_GROUP.
  for (HWND w = h; w; w = ::GetWindow(w, GW_HWNDNEXT), ++index) {
    if (w != h && (::GetWindowLongA(w, GWL_STYLE) & WS_GROUP)) break;
    if (!(::SendMessageA(w, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
    if (pDX->m_bSaveAndValidate) {
      if (::SendMessageA(w, BM_GETCHECK, 0, 0) && value == -1) value = index;
    } else {
      ::SendMessageA(w, BM_SETCHECK, index == value, 0);
    }
  }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = static_cast<int>(::SendMessageA(h, CB_GETCURSEL, 0, 0));
  else
    ::SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = static_cast<int>(::SendMessageA(h, LB_GETCURSEL, 0, 0));
  else
    ::SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = ControlText(h);
  } else if (::SendMessageA(h, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value))) == CB_ERR) {
    ::SetWindowTextA(h, value);
  }
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    int i = static_cast<int>(::SendMessageA(h, LB_GETCURSEL, 0, 0));
    value.Empty();
    if (i >= 0) {
      int n = static_cast<int>(::SendMessageA(h, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0));
      char* p = value.GetBuffer(n + 1);
      ::SendMessageA(h, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(p));
      value.ReleaseBuffer(n);
    }
  } else {
    ::SendMessageA(h, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value)));
  }
}

namespace {
// A value out of [minVal, maxVal] fails the exchange with the range in the
// message, each bound written with fmt.
template <typename T>
void MinMax(CDataExchange* pDX, T value, T minVal, T maxVal, const char* fmt, UINT nIDPrompt = AFX_IDP_PARSE_INT_RANGE) {
  if (value >= minVal && value <= maxVal) return;
  char lo[32], hi[32];
  snprintf(lo, sizeof lo, fmt, minVal);
  snprintf(hi, sizeof hi, fmt, maxVal);
  FailMinMax(pDX, lo, hi, nIDPrompt);
}
}  // namespace

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  MinMax(pDX, value, minVal, maxVal, "%d");
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
  MinMax(pDX, value, minVal, maxVal, "%ld");
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
  MinMax(pDX, value, minVal, maxVal, "%u");
}

void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal) {
  DDV_MinMaxUInt(pDX, value, minVal, maxVal);
}

void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal) {
  DDV_MinMaxInt(pDX, value, minVal, maxVal);
}

void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal) {
  MinMax(pDX, value, minVal, maxVal, "%.15g", AFX_IDP_PARSE_REAL_RANGE);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
  if (!pDX->m_bSaveAndValidate) {
    if (pDX->m_hWndLastControl) ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    return;
  }
  if (value.GetLength() <= nChars) return;
  char n[32];
  snprintf(n, sizeof n, "%d", nChars);
  CString text;
  AfxFormatString1(text, AFX_IDP_PARSE_STRING_SIZE, n);
  AfxMessageBox(text, MB_ICONEXCLAMATION, AFX_IDP_PARSE_STRING_SIZE);
  pDX->Fail();
}
