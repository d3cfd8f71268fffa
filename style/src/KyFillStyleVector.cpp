#include "KyFillStyleVector.h"

#include "ByteReader.h"

BOOL CKyFillStyleVector::AddPoint(CPoint point) {
  m_arrPoints.Add(point);
  return TRUE;
}

BOOL CKyFillStyleVector::InsertPoint(long index, CPoint point) {
  if (index < 0) return FALSE;
  if (index < GetPointCount()) {
    m_arrPoints.InsertAt(index, point);
  } else {
    m_arrPoints.SetAtGrow(index, point);
  }
  return TRUE;
}

BOOL CKyFillStyleVector::MoveSymID(long delta) {
  m_nSymID = static_cast<LONG>(static_cast<DWORD>(m_nSymID) + static_cast<DWORD>(delta));
  return TRUE;
}

void CKyFillStyleVector::AppendBytes(CByteArray& out) const {
  ky::AppendLong(out, static_cast<long>(m_nWidth));
  ky::AppendLong(out, static_cast<long>(m_nHeight));
  ky::AppendLong(out, m_nSymID);
  ky::AppendLong(out, m_nSymSize);
  ky::AppendLong(out, m_nSymAngle);
  ky::AppendLong(out, GetPointCount());
  for (INT_PTR i = 0; i < m_arrPoints.GetSize(); ++i) {
    ky::AppendLong(out, m_arrPoints[i].x);
    ky::AppendLong(out, m_arrPoints[i].y);
  }
}

BOOL CKyFillStyleVector::ToBytes(CByteArray& out) const {
  out.RemoveAll();
  AppendBytes(out);
  return TRUE;
}

long CKyFillStyleVector::FromBytes(long offset, const CByteArray& in) {
  ky::ByteReader r(in);
  long width, height, symID, symSize, symAngle, count;
  if (!r.Long(offset, width) || !r.Long(offset + 4, height) || !r.Long(offset + 8, symID) ||
      !r.Long(offset + 12, symSize) || !r.Long(offset + 16, symAngle) || !r.Long(offset + 20, count)) {
    return -1;
  }
  const long long pointsAt = static_cast<long long>(offset) + 24;
  if (count < 0 || !r.Fits(pointsAt, 8LL * count)) return -1;

  m_nWidth = static_cast<DWORD>(width);
  m_nHeight = static_cast<DWORD>(height);
  m_nSymID = symID;
  m_nSymSize = symSize;
  m_nSymAngle = symAngle;
  m_arrPoints.RemoveAll();
  m_arrPoints.SetSize(count);
  for (long i = 0; i < count; ++i) {
    m_arrPoints[i].x = KyReadLE32(r.At(pointsAt + 8LL * i));
    m_arrPoints[i].y = KyReadLE32(r.At(pointsAt + 8LL * i + 4));
  }
  return static_cast<long>(pointsAt + 8LL * count);
}

CKyFillStyleVector& CKyFillStyleVector::operator=(const CKyFillStyleVector& source) {
  if (this == &source) return *this;
  CByteArray block;
  source.ToBytes(block);
  FromBytes(0, block);
  m_pSymLib = source.m_pSymLib;
  return *this;
}
