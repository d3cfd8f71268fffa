// Bounds-checked little-endian reads over a CByteArray, for the record and
// library readers. Every read says whether it fitted; nothing is read past
// the end and no count is trusted before the bytes behind it are known to
// exist.
#pragma once

#include "KyByteArrayEx.h"
#include "afx.h"

namespace ky {

class ByteReader {
 public:
  explicit ByteReader(const CByteArray& in) : m_data(in.GetData()), m_size(in.GetSize()) {}
  ByteReader(const BYTE* data, long long size) : m_data(data), m_size(size) {}

  long long Size() const { return m_size; }
  bool Fits(long long pos, long long n) const { return pos >= 0 && n >= 0 && n <= m_size - pos && pos <= m_size; }

  bool Long(long long pos, long& out) const {
    if (!Fits(pos, 4)) return false;
    out = KyReadLE32(m_data + pos);
    return true;
  }
  bool Byte(long long pos, BYTE& out) const {
    if (!Fits(pos, 1)) return false;
    out = m_data[pos];
    return true;
  }
  const BYTE* At(long long pos) const { return m_data + pos; }

 private:
  const BYTE* m_data;
  long long m_size;
};

// Appends a 32-bit little-endian value to a byte array.
inline void AppendLong(CByteArray& out, long v) {
  BYTE b[4];
  KyWriteLE32(b, v);
  for (BYTE x : b) out.Add(x);
}

}  // namespace ky
