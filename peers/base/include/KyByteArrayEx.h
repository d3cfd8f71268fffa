// CKyByteArrayEx: a byte array written and read as a little-endian stream.
//
//   long    4 bytes, little-endian, two's complement (the low 32 bits)
//   string  a long holding the length in bytes, then the bytes, no terminator
//   bytes   the bytes alone, no length
//
// Reads never pass the end. A read that would (or a string whose length is
// negative or runs past the end) returns 0 / "" / FALSE, moves pos to the end
// of the data so that a reading loop stops, and raises the sticky read error
// flag, which the caller tests with HasReadError().
#pragma once

#include "afx.h"

class CKyByteArrayEx : public CByteArray {
 public:
  void Add(long value);
  void Add(const CString& text);
  void Add(const unsigned char* bytes, int n);
  // The single-byte Add of the byte array stays available.
  INT_PTR AddByte(BYTE b) { return CByteArray::Add(b); }

  long GetLongAt(int& pos);
  CString GetStringAt(int& pos);
  BOOL GetBytesAt(int& pos, unsigned char* out, int n);

  // TRUE when n more bytes can be read at pos.
  BOOL CanRead(int pos, long long n) const;

  BOOL HasReadError() const { return m_bReadError; }
  void ClearReadError() { m_bReadError = FALSE; }

  void RemoveAllSafely() {
    RemoveAll();
    m_bReadError = FALSE;
  }

 private:
  void Fail(int& pos);
  BOOL m_bReadError = FALSE;
};

// Little-endian helpers over raw bytes, for readers that work on a CByteArray
// with explicit bounds.
inline LONG KyReadLE32(const BYTE* p) {
  return static_cast<LONG>(static_cast<DWORD>(p[0]) | static_cast<DWORD>(p[1]) << 8 |
                           static_cast<DWORD>(p[2]) << 16 | static_cast<DWORD>(p[3]) << 24);
}
inline void KyWriteLE32(BYTE* p, long v) {
  DWORD u = static_cast<DWORD>(v);
  p[0] = static_cast<BYTE>(u);
  p[1] = static_cast<BYTE>(u >> 8);
  p[2] = static_cast<BYTE>(u >> 16);
  p[3] = static_cast<BYTE>(u >> 24);
}
