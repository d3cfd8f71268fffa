#include "KyFillStyle.h"

#include <cstring>

#include "ByteReader.h"
#include "KyDib.h"

BOOL CKyFillStyle::IsValidResolution(long r) {
  switch (r) {
    case FS_254DPI:
    case FS_200DPI:
    case FS_150DPI:
    case FS_127DPI:
    case FS_96DPI:
    case FS_81DPI:
    case FS_72DPI: return TRUE;
    default: return FALSE;
  }
}

CKyFillStyle::FS_RESOLUTION CKyFillStyle::ValidResolution(long r) {
  return IsValidResolution(r) ? static_cast<FS_RESOLUTION>(r) : FS_81DPI;
}

CKyFillStyle::CKyFillStyle() = default;

CKyFillStyle::CKyFillStyle(long id, CString name, const CByteArray& pattern, FS_RESOLUTION resolution)
    : m_nID(id), m_strName(name), m_nResolution(ValidResolution(resolution)) {
  m_arrBMP.Copy(pattern);
}

CKyFillStyle::~CKyFillStyle() {
  Realease();
  // Realease has deleted the tiles already; CBitmap's own destructor would too.
}

void CKyFillStyle::CreateFillStyle(long id, CString name, const CByteArray& pattern, FS_RESOLUTION resolution) {
  Realease();
  m_nType = FS_TYPE_BITMAP;
  m_nID = id;
  m_strName = name;
  m_arrBMP.Copy(pattern);
  m_nResolution = ValidResolution(resolution);
}

void CKyFillStyle::CreateFillStyleVector(long id, CString name, unsigned long width, unsigned long height) {
  Realease();
  m_nType = FS_TYPE_VECTOR;
  m_nID = id;
  m_strName = name;
  m_pVector = new CKyFillStyleVector;
  m_pVector->SetWidth(width);
  m_pVector->SetHeight(height);
}

void CKyFillStyle::SetPatternOrigin(const POINT* pOrigin) {
  m_bPatternOrigin = pOrigin != nullptr;
  m_ptPatternOrigin = pOrigin ? CPoint(*pOrigin) : CPoint(0, 0);
}

BOOL CKyFillStyle::GetPatternOrigin(POINT* pOrigin) const {
  if (m_bPatternOrigin && pOrigin) *pOrigin = m_ptPatternOrigin;
  return m_bPatternOrigin ? TRUE : FALSE;
}

void CKyFillStyle::Realease() {
  m_arrBMP.RemoveAll();
  ReleaseBMP();
  m_pPrintRgn = nullptr;
  delete m_pVector;
  m_pVector = nullptr;
}

void CKyFillStyle::ReleaseBMP() {
  m_bmpMask.DeleteObject();
  m_bmpPattern.DeleteObject();
  m_bmpFore.DeleteObject();
}

BOOL CKyFillStyle::IsSingleColor() const {
  // The bit count sits where the header form puts it (byte 24 in a core
  // header, 28 in the others); an image that cannot be read is no pattern.
  KyBmpHeader h;
  if (!CKyDib::ReadHeader(m_arrBMP.GetData(), static_cast<size_t>(m_arrBMP.GetSize()), &h)) return FALSE;
  return h.bitCount == 1;
}

BOOL CKyFillStyle::GetBMPArray(CByteArray& out) const {
  if (m_arrBMP.IsEmpty()) return FALSE;
  out.Copy(m_arrBMP);
  return TRUE;
}

void CKyFillStyle::AttachSymLib(CKySymLib* pSymLib) {
  if (m_nType == FS_TYPE_VECTOR && m_pVector) m_pVector->AttachSymLib(pSymLib);
}


BOOL CKyFillStyle::ToBytes(CByteArray& out) const {
  if (m_nType == FS_TYPE_VECTOR && !m_pVector) return FALSE;
  if (m_nType != FS_TYPE_BITMAP && m_nType != FS_TYPE_VECTOR) return FALSE;

  CByteArray rec;
  rec.Add(m_nType);
  ky::AppendLong(rec, m_nID);
  ky::AppendLong(rec, m_strName.GetLength());
  for (int i = 0; i < m_strName.GetLength(); ++i) rec.Add(static_cast<BYTE>(m_strName[i]));
  if (m_nType == FS_TYPE_BITMAP) {
    ky::AppendLong(rec, m_nResolution);
    ky::AppendLong(rec, static_cast<long>(m_arrBMP.GetSize()));
    rec.Append(m_arrBMP);
  } else {
    m_pVector->AppendBytes(rec);
  }
  out.Copy(rec);
  return TRUE;
}

long CKyFillStyle::ReadBitmapBody(const CByteArray& in, long long pos, bool hasResolution) {
  ky::ByteReader r(in);
  long id, nameLength;
  if (!r.Long(pos, id) || !r.Long(pos + 4, nameLength)) return -1;
  pos += 8;
  if (nameLength < 0 || !r.Fits(pos, nameLength)) return -1;
  CString name(reinterpret_cast<const char*>(r.At(pos)), static_cast<int>(nameLength));
  pos += nameLength;
  long resolution = FS_81DPI;
  if (hasResolution) {
    if (!r.Long(pos, resolution)) return -1;
    pos += 4;
  }
  long patternLength;
  if (!r.Long(pos, patternLength)) return -1;
  pos += 4;
  if (patternLength < 0 || !r.Fits(pos, patternLength)) return -1;

  m_nID = id;
  m_strName = name;
  // Stored resolutions are taken as they are; only creation validates.
  m_nResolution = static_cast<FS_RESOLUTION>(resolution);
  m_arrBMP.SetSize(patternLength);
  if (patternLength > 0) std::memcpy(m_arrBMP.GetData(), r.At(pos), static_cast<size_t>(patternLength));
  return static_cast<long>(pos + patternLength);
}

long CKyFillStyle::FromBytesEx(long offset, const CByteArray& in) {
  if (in.IsEmpty()) return -1;
  Realease();
  return ReadBitmapBody(in, offset, false);
}

long CKyFillStyle::FromBytes(long offset, const CByteArray& in, long magic) {
  if (in.IsEmpty()) return -1;
  Realease();
  switch (magic) {
    case KY_FSL_MAGIC_2001_05_10: return ReadBitmapBody(in, offset, false);
    case KY_FSL_MAGIC_2001_05_21: return ReadBitmapBody(in, offset, true);
    case KY_FSL_MAGIC_CURRENT: break;
    default: return -1;
  }

  ky::ByteReader r(in);
  BYTE type;
  if (!r.Byte(offset, type)) return -1;
  m_nType = type;
  if (type == FS_TYPE_BITMAP) return ReadBitmapBody(in, static_cast<long long>(offset) + 1, true);
  if (type != FS_TYPE_VECTOR) return -1;

  long id, nameLength;
  long long pos = static_cast<long long>(offset) + 1;
  if (!r.Long(pos, id) || !r.Long(pos + 4, nameLength)) return -1;
  pos += 8;
  if (nameLength < 0 || !r.Fits(pos, nameLength)) return -1;
  CString name(reinterpret_cast<const char*>(r.At(pos)), static_cast<int>(nameLength));
  pos += nameLength;
  auto* vector = new CKyFillStyleVector;
  long next = pos <= 0x7FFFFFFFLL ? vector->FromBytes(static_cast<long>(pos), in) : -1;
  if (next < 0) {
    delete vector;
    return -1;
  }
  m_nID = id;
  m_strName = name;
  m_pVector = vector;
  return next;
}

CKyFillStyle& CKyFillStyle::operator=(CKyFillStyle& source) {
  if (this == &source) return *this;
  CByteArray bytes;
  if (source.ToBytes(bytes)) {
    FromBytes(0, bytes, KY_FSL_MAGIC_CURRENT);
    if (m_nType == FS_TYPE_VECTOR && m_pVector && source.m_pVector) {
      *m_pVector = *source.m_pVector;
      m_arrBMP.RemoveAll();
    }
  }
  m_pPrintRgn = source.m_pPrintRgn;
  return *this;
}
