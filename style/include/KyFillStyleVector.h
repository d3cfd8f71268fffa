// CKyFillStyleVector: the description of a symbol pattern. A tile of
// m_nWidth x m_nHeight tenths of a millimetre (at scale 1) on which the symbol
// m_nSymID of the library's symbol library is drawn at each point, with the
// given size and angle. Owned by its CKyFillStyle.
//
// Vector block bytes (all 32-bit little-endian), 24 + 8P bytes:
//   0 width (unsigned)   4 height (unsigned)   8 symbol id
//  12 symbol size       16 symbol angle       20 point count P
//  24 P points, each x then y
// Size comes before angle in the block although the class keeps the angle
// first.
#pragma once

#include <functional>

#include "afx.h"

class CKySymLib;
class CKySymbol;
class CKySymbolParameter;
class CDC;
class CBitmap;

class CKyFillStyleVector {
 public:
  CKyFillStyleVector() = default;
  CKyFillStyleVector(const CKyFillStyleVector&) = delete;
  virtual ~CKyFillStyleVector() = default;

  long GetPointCount() const { return static_cast<long>(m_arrPoints.GetSize()); }
  // Appends; TRUE.
  BOOL AddPoint(CPoint point);
  // Below the count: inserts and moves the later points up. At or past the
  // count: the array grows to index + 1 points, the new ones (0, 0), and the
  // point is stored at the index. TRUE; FALSE only for a negative index.
  BOOL InsertPoint(long index, CPoint point);
  // Unchecked: the index must be below the count.
  CPoint& GetPoint(long index) { return m_arrPoints.ElementAt(index); }
  // The first of GetPointCount() points, or null when there are none.
  CPoint* GetPoints() { return m_arrPoints.GetData(); }
  void SetPoint(long index, CPoint point) { m_arrPoints.SetAt(index, point); }
  // The caller keeps index + count within the array.
  void DeletePoint(long index, long count) { m_arrPoints.RemoveAt(index, count); }
  void RemoveAllPoint() { m_arrPoints.RemoveAll(); }

  unsigned long GetWidth() const { return m_nWidth; }
  void SetWidth(unsigned long w) { m_nWidth = static_cast<DWORD>(w); }
  unsigned long GetHeight() const { return m_nHeight; }
  void SetHeight(unsigned long h) { m_nHeight = static_cast<DWORD>(h); }
  long GetSymID() const { return m_nSymID; }
  void SetSymID(long id) { m_nSymID = id; }
  long GetSymAngle() const { return m_nSymAngle; }
  void SetSymAngle(long angle) { m_nSymAngle = angle; }
  long GetSymSize() const { return m_nSymSize; }
  void SetSymSize(long size) { m_nSymSize = size; }
  // Adds delta to the symbol id (libraries being merged shift symbol ids); TRUE.
  BOOL MoveSymID(long delta);

  void AttachSymLib(CKySymLib* pSymLib) { m_pSymLib = pSymLib; }
  CKySymLib* GetSymLib() const { return m_pSymLib; }

  // Replaces out by the vector block; always TRUE.
  BOOL ToBytes(CByteArray& out) const;
  // Appends the vector block to out.
  void AppendBytes(CByteArray& out) const;
  // Reads a block at offset and returns the offset just behind it. -1 when
  // the block (or its points) runs past the end of in; the vector is then
  // left as it was.
  long FromBytes(long offset, const CByteArray& in);

  // Renders the tile for the device of pDC into bitmap (its old bitmap is
  // deleted first): background crBack, the symbol in crFore at every point.
  // bMask asks for the transparency mask (callers pass black on white).
  // A tile that would be under 4 device pixels a side is drawn larger as a
  // whole (dScale raised by quarters) until it has 4. FALSE for an empty
  // tile size, a device tile larger than the device, a symbol the symbol
  // library lacks, or a failed GDI call.
  BOOL CreateBitmap(CDC* pDC, COLORREF crFore, COLORREF crBack, double dScale, int bMask, CBitmap& bitmap);
  // The symbols of that tile as drawings rather than pixels: fn(mem,
  // symbol, param) for every copy CreateBitmap draws (those cut by an edge
  // again past the opposite one), mem a memory DC in the tile's mapping and
  // param the symbol's drawing parameter placed on it, in crFore. *pTile
  // receives the tile's size in device pixels. FALSE where CreateBitmap
  // fails before it draws.
  BOOL ForEachSymbolCopy(CDC* pDC, COLORREF crFore, double dScale, CSize* pTile,
                         const std::function<void(CDC& mem, CKySymbol& symbol, CKySymbolParameter& param)>& fn);

  // Copies the block and takes over the source's symbol library pointer.
  CKyFillStyleVector& operator=(const CKyFillStyleVector& source);

  CPointArray m_arrPoints;
  DWORD m_nWidth = 100;
  DWORD m_nHeight = 100;
  long m_nSymID = 0;
  long m_nSymAngle = 0;
  long m_nSymSize = 60;
  CKySymLib* m_pSymLib = nullptr;

 private:
  // The tile's size at dScale on mem's device (ws, hs in logical units,
  // device in pixels), dScale raised until it has four pixels a side;
  // FALSE when it never does.
  BOOL TileScale(CDC& mem, double& dScale, long& ws, long& hs, CSize& device) const;
  // at(x, y) for every copy of the symbol the tile draws, in tenths of a
  // millimetre, y down.
  template <typename Fn>
  void ForEachCopy(Fn at) const;
};
