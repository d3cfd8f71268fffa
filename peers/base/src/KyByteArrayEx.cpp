#include "KyByteArrayEx.h"

#include <cstring>

void CKyByteArrayEx::Add(long value) {
  BYTE b[4];
  KyWriteLE32(b, value);
  Add(b, 4);
}

void CKyByteArrayEx::Add(const CString& text) {
  Add(static_cast<long>(text.GetLength()));
  Add(reinterpret_cast<const unsigned char*>(static_cast<const char*>(text)), text.GetLength());
}

void CKyByteArrayEx::Add(const unsigned char* bytes, int n) {
  if (n <= 0 || !bytes) return;
  m_data.insert(m_data.end(), bytes, bytes + n);
}

BOOL CKyByteArrayEx::CanRead(int pos, long long n) const {
  return pos >= 0 && n >= 0 && static_cast<long long>(pos) + n <= static_cast<long long>(GetSize());
}

void CKyByteArrayEx::Fail(int& pos) {
  m_bReadError = TRUE;
  pos = static_cast<int>(GetSize());
}

long CKyByteArrayEx::GetLongAt(int& pos) {
  if (!CanRead(pos, 4)) {
    Fail(pos);
    return 0;
  }
  long v = KyReadLE32(m_data.data() + pos);
  pos += 4;
  return v;
}

CString CKyByteArrayEx::GetStringAt(int& pos) {
  if (!CanRead(pos, 4)) {
    Fail(pos);
    return CString();
  }
  const long n = KyReadLE32(m_data.data() + pos);
  const int p = pos + 4;
  if (n < 0 || !CanRead(p, n)) {
    Fail(pos);
    return CString();
  }
  CString s(reinterpret_cast<const char*>(m_data.data() + p), static_cast<int>(n));
  pos = p + static_cast<int>(n);
  return s;
}

BOOL CKyByteArrayEx::GetBytesAt(int& pos, unsigned char* out, int n) {
  if (n < 0 || !CanRead(pos, n) || (n > 0 && !out)) {
    Fail(pos);
    return FALSE;
  }
  if (n > 0) std::memcpy(out, m_data.data() + pos, static_cast<size_t>(n));
  pos += n;
  return TRUE;
}
