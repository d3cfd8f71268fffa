// The process-wide error object of the base module. Operations that fail on
// a system call (a GDI creation, a resource load) hand the system's last
// error to it; nothing is shown to the user.
#pragma once

#include "afx.h"

class CKyErrorMsg {
 public:
  // Records GetLastError() and returns it.
  DWORD CatchLastError();
  // Records a code given by the caller.
  void SetError(DWORD code);

  DWORD GetLastErrorCode() const { return m_dwLastError; }
  // How many errors were caught since the last Reset.
  long GetCount() const { return m_nCount; }
  void Reset() {
    m_dwLastError = 0;
    m_nCount = 0;
  }
  // A short English text for the last error code.
  CString GetLastErrorText() const;

 private:
  DWORD m_dwLastError = 0;
  long m_nCount = 0;
};

CKyErrorMsg* KyGetErrorMsgObj();
