#include "KyErrorMsg.h"

DWORD CKyErrorMsg::CatchLastError() {
  SetError(GetLastError());
  return m_dwLastError;
}

void CKyErrorMsg::SetError(DWORD code) {
  m_dwLastError = code;
  ++m_nCount;
}

CString CKyErrorMsg::GetLastErrorText() const {
  CString s;
  switch (m_dwLastError) {
    case ERROR_SUCCESS: s = "no error"; break;
    case ERROR_FILE_NOT_FOUND: s = "file not found"; break;
    case ERROR_ACCESS_DENIED: s = "access denied"; break;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: s = "not enough memory"; break;
    case ERROR_INVALID_PARAMETER: s = "invalid parameter"; break;
    case ERROR_RESOURCE_TYPE_NOT_FOUND: s = "resource type not found"; break;
    case ERROR_RESOURCE_NAME_NOT_FOUND: s = "resource name not found"; break;
    case ERROR_RESOURCE_DATA_NOT_FOUND: s = "resource data not found"; break;
    default: s.Format("system error %u", static_cast<unsigned>(m_dwLastError)); break;
  }
  return s;
}

CKyErrorMsg* KyGetErrorMsgObj() {
  static CKyErrorMsg obj;
  return &obj;
}
