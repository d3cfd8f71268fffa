// CKyFillStyle: one area pattern of a library, either a bitmap pattern (a
// whole BMP file image tiled over the area in the caller's colours) or a
// symbol pattern (a CKyFillStyleVector). It owns its pattern bytes, its vector
// and the GDI bitmaps of its last prepared tile; it never owns the print
// region or the symbol library.
//
// Record bytes, current layout (all numbers 32-bit little-endian):
//   bitmap (type 0), 17 + N + B bytes:
//     0 type 0 | 1 id | 5 N | 9 name | 9+N resolution | 13+N B | 17+N pattern
//   symbol pattern (type 1), 9 + N + 24 + 8P bytes:
//     0 type 1 | 1 id | 5 N | 9 name | 9+N vector block (see CKyFillStyleVector)
// Older layouts, read only, bitmap records without a type byte:
//   20010521: id, N, name, resolution, B, pattern   (16 + N + B bytes)
//   20010510: id, N, name, B, pattern; resolution 81 (12 + N + B bytes)
#pragma once

#include "KyFillStyleVector.h"
#include "afx.h"
#include "afxdc.h"

class CKySymLib;
class CKyFillStyleLib;

// Magics of the record and library layouts.
enum : long {
  KY_FSL_MAGIC_CURRENT = 20031121,
  KY_FSL_MAGIC_2001_05_21 = 20010521,
  KY_FSL_MAGIC_2001_05_10 = 20010510,
};

class CKyFillStyle {
  friend class CKyFillStyleLib;

 public:
  // Any 32-bit value may come from a file; only creation validates.
  enum FS_RESOLUTION : int32_t {
    FS_254DPI = 254,
    FS_200DPI = 200,
    FS_150DPI = 150,
    FS_127DPI = 127,
    FS_96DPI = 96,
    FS_81DPI = 81,
    FS_72DPI = 72,
  };
  enum { FS_TYPE_BITMAP = 0, FS_TYPE_VECTOR = 1 };

  // TRUE for the seven resolutions above.
  static BOOL IsValidResolution(long resolution);
  // The resolution itself when valid, else 81.
  static FS_RESOLUTION ValidResolution(long resolution);

  CKyFillStyle();
  CKyFillStyle(long id, CString name, const CByteArray& pattern, FS_RESOLUTION resolution);
  CKyFillStyle(const CKyFillStyle&) = delete;
  virtual ~CKyFillStyle();

  void CreateFillStyle(long id, CString name, const CByteArray& pattern, FS_RESOLUTION resolution);
  void CreateFillStyleVector(long id, CString name, unsigned long width, unsigned long height);
  // Empties the pattern, releases the tiles, forgets the print region and
  // deletes the vector. The type stays.
  void Realease();

  long GetFillStyleID() const { return m_nID; }
  BOOL SetFillStyleID(long id) {
    m_nID = id;
    return TRUE;
  }
  CString GetFillStyleName() const { return m_strName; }
  BOOL SetFillStyleName(const CString& name) {
    m_strName = name;
    return TRUE;
  }
  FS_RESOLUTION GetResolution() const { return m_nResolution; }
  BOOL SetResolution(FS_RESOLUTION resolution) {
    m_nResolution = resolution;
    return TRUE;
  }
  long GetType() const { return m_nType; }
  // The vector of a symbol pattern; null for any other record.
  CKyFillStyleVector* GetFillStyleVector() const { return m_nType == FS_TYPE_VECTOR ? m_pVector : nullptr; }
  // FALSE when there are no pattern bytes.
  BOOL GetBMPArray(CByteArray& out) const;
  // Binds the symbol library of a symbol pattern; nothing for other records.
  void AttachSymLib(CKySymLib* pSymLib);
  void SetPrintRgn(CRgn* pRgn) { m_pPrintRgn = pRgn; }
  CRgn* GetPrintRgn() const { return m_pPrintRgn; }
  long GetTileWidth() const { return m_nTileWidth; }
  long GetTileHeight() const { return m_nTileHeight; }
  // Where the painting operations anchor the tile grid. By default (a null
  // origin) each rectangle, or each shape's bounding box, starts a tile at
  // its own top-left corner. With an origin in device pixels the grid runs
  // through that point instead, so that shapes filled with the same style
  // continue one pattern across their shared borders (a map anchors every
  // pattern to its own origin). The origin stays until it is set again; it is
  // not copied by operator= and not cleared by Realease.
  void SetPatternOrigin(const POINT* pOrigin);
  // TRUE and the origin when one is set; FALSE when tiles start at each shape.
  BOOL GetPatternOrigin(POINT* pOrigin) const;

  // Copies id, name, type, pattern or vector, resolution, the symbol library
  // pointer and the print region; not tile size, colours or tiles.
  CKyFillStyle& operator=(CKyFillStyle& source);

  // Rendering: defined in render/ (src/KyFillStyle_prepare.cpp, _paint.cpp,
  // _export.cpp), the layer above this one, with the tile and fill code.
  // SetFillStyle prepares the tile for pDC; a bitmap tile that would be
  // under 2 device pixels a side is made 2 (symbol tiles: see
  // CKyFillStyleVector::CreateBitmap). FALSE for an empty tile size, a
  // pattern that is not a whole image, a tile larger than the device or a
  // failed GDI call.
  BOOL SetFillStyle(CDC* pDC, COLORREF crFore, COLORREF crBack, const CSize& size, double dScale);
  BOOL SetFillStyleEx(CDC* pDC, COLORREF crFore, COLORREF crBack, CSize& size, double dScale);
  // Deletes the three prepared tiles.
  void ReleaseBMP();
  BOOL Display(CDC* pDC, CRect* pRect, long rate);
  BOOL DisplayEx(CDC* pDC, CRect* pRect, int bNoDeviceClip, long rate);
  BOOL Draw(CDC* pDC, CRect* pRect, long rate);
  BOOL Polygon(CDC* pDC, POINT* pts, int count, int bPrint, long rate);
  BOOL PolyPolygon(CDC* pDC, POINT* pts, int* counts, int nPolys, int bPrint, long rate);
  BOOL ExportBMPFile(const CString& path, COLORREF crFore, COLORREF crBack);

 protected:
  BOOL IsSingleColor() const;

  // Replaces out by the record in the current layout. FALSE (out untouched)
  // for a symbol pattern without vector or an unknown type.
  BOOL ToBytes(CByteArray& out) const;
  // Reads a record at offset in the given layout and returns the offset
  // behind it; -1 for an empty input, an unknown magic or type, or a record
  // that runs past the end of in (the record is then released).
  long FromBytes(long offset, const CByteArray& in, long magic);
  // The 20010510 layout.
  long FromBytesEx(long offset, const CByteArray& in);

 public:
  CRgn* m_pPrintRgn = nullptr;
  long m_nID = -1;
  CString m_strName;
  long m_nTileWidth = 0;
  long m_nTileHeight = 0;
  COLORREF m_crBack = 0xFFFFFF;
  COLORREF m_crFore = 0xFF0000;
  CByteArray m_arrBMP;
  FS_RESOLUTION m_nResolution = FS_81DPI;
  CBitmap m_bmpMask;
  CBitmap m_bmpFore;
  CBitmap m_bmpPattern;
  BYTE m_nType = FS_TYPE_BITMAP;
  CKyFillStyleVector* m_pVector = nullptr;

 private:
  bool m_bPatternOrigin = false;
  CPoint m_ptPatternOrigin;
  // m_bmpPattern as a pattern brush, made on the first opaque fill and kept
  // while m_hBrushTile (the bitmap it was made from; handles are never
  // reused) is still m_bmpPattern: the brush keeps its realisation for the
  // device between fills.
  CBrush m_brPattern;
  HGDIOBJ m_hBrushTile = nullptr;

  // The device rectangle grown up and left to the pattern origin's grid of
  // w x h tiles; rect itself when no origin is set.
  CRect AnchoredRect(const CRect& rect, int w, int h) const;
  // Lays m_bmpPattern over a device rectangle, opaque or blended at rate.
  void PaintPattern(CDC* pDC, CDC& mem, const CRect& rect, long rate);
  // The tile at rate 100 through m_brPattern; FALSE, with nothing painted,
  // when that cannot give the pixels of laying the tile piece by piece.
  BOOL PaintTileAsBrush(CDC* pDC, const CRect& rect, const CRect& grid);
  // Reads id, name, [resolution], pattern of a bitmap record starting at
  // pos; returns the offset behind it or -1.
  long ReadBitmapBody(const CByteArray& in, long long pos, bool hasResolution);
};
