// Pieces shared by the canvas's source files: the pattern geometry as the
// buffer allows it, bit access that never leaves the buffer, and the device
// contexts the canvas paints through.
//
// The dialog may leave the fields in any state, so every reader goes through
// these: the pattern is W x H only while m_arrBits holds something, the row
// length is (buffer size) / H, and a pixel whose byte lies outside its row
// reads as clear and is never written.
#pragma once

#include <algorithm>

#include "KyFSLEditWnd.h"

namespace kycanvas {

// Bytes of a bottom-up 1-bit row of w pixels, padded to 4 bytes.
inline int RowBytesFor(int w) { return w < 1 ? 0 : ((w - 1) / 32) * 4 + 4; }
// Bytes of a packed-block row of w pixels: the row's bits rounded up to a
// multiple of 8, taken as a byte count.
inline long long BlockRowBytes(int w) { return w < 1 ? 0 : 8LL * ((w + 7) / 8); }

// The edge of a cell on screen, kept where divisions and products stay sane.
inline int CellSize(const CKyFSLEditWnd& c) { return std::clamp(c.m_nCellSize, 1, 100); }

// The pattern's width and height as drawing sees them: 0 without a buffer.
inline bool HasPattern(const CKyFSLEditWnd& c) {
  return !c.m_arrBits.IsEmpty() && c.m_nWidth > 0 && c.m_nHeight > 0;
}
inline int Width(const CKyFSLEditWnd& c) {
  return HasPattern(c) ? std::min(c.m_nWidth, static_cast<int>(CKyFSLEditWnd::kMaxSize)) : 0;
}
inline int Height(const CKyFSLEditWnd& c) {
  return HasPattern(c) ? std::min(c.m_nHeight, static_cast<int>(CKyFSLEditWnd::kMaxSize)) : 0;
}
// Row length in bytes of the buffer as it stands.
inline int Stride(const CKyFSLEditWnd& c) {
  return HasPattern(c) ? static_cast<int>(c.m_arrBits.GetSize() / c.m_nHeight) : 0;
}

// Offset of the byte of pixel (x, y), or -1 when it lies outside the buffer.
inline long long BitOffset(const CKyFSLEditWnd& c, int x, int y) {
  if (!HasPattern(c) || x < 0 || y < 0 || x >= c.m_nWidth || y >= c.m_nHeight) return -1;
  const int s = Stride(c);
  if (x / 8 >= s) return -1;
  return static_cast<long long>(c.m_nHeight - y - 1) * s + x / 8;
}
inline bool GetBit(const CKyFSLEditWnd& c, int x, int y) {
  const long long o = BitOffset(c, x, y);
  return o >= 0 && (c.m_arrBits[static_cast<INT_PTR>(o)] & (0x80 >> (x % 8))) != 0;
}

// A device context of the canvas's client area with the scroll offset as
// its window origin, so that cell (x, y) sits at (x * c, y * c); invalid
// (null) while the canvas has no window.
class CanvasDC {
 public:
  explicit CanvasDC(CKyFSLEditWnd& wnd) : m_wnd(wnd) {
    if (wnd.m_pPaintDC) {
      // Inside OnPaint everything goes through the paint DC, which the
      // window shows when the paint ends; its state is put back afterwards.
      m_pDC = wnd.m_pPaintDC;
      m_nSaved = m_pDC->SaveDC();
    } else if (wnd.m_hWnd) {
      m_pDC = wnd.GetDC();
    }
    if (m_pDC) m_pDC->SetWindowOrg(wnd.m_nScrollX, wnd.m_nScrollY);
  }
  ~CanvasDC() {
    if (m_pDC && m_nSaved)
      m_pDC->RestoreDC(m_nSaved);
    else if (m_pDC)
      m_wnd.ReleaseDC(m_pDC);
  }
  CanvasDC(const CanvasDC&) = delete;
  CanvasDC& operator=(const CanvasDC&) = delete;
  CDC* Get() const { return m_pDC; }

 private:
  CKyFSLEditWnd& m_wnd;
  CDC* m_pDC = nullptr;
  int m_nSaved = 0;
};

// Paints cells in one colour with the null pen and a solid brush selected
// once, for the many cells of a shape; Paint is DrawPoint without the
// per-cell selection. A null DC paints nothing but still writes.
class CellPainter {
 public:
  CellPainter(CKyFSLEditWnd& wnd, CDC* pDC, int nColor);
  ~CellPainter();
  CellPainter(const CellPainter&) = delete;
  CellPainter& operator=(const CellPainter&) = delete;
  void Paint(CPoint cell, int bInsert);

 private:
  CKyFSLEditWnd& m_wnd;
  CDC* m_pDC;
  int m_nColor;
  int m_c;
  DWORD m_rop = 0;  // the block transfer that paints like the DC's ROP2, 0 for none
  CBrush m_brush;
  CGdiObject* m_pOldPen = nullptr;
  CBrush* m_pOldBrush = nullptr;
};

}  // namespace kycanvas

namespace kycanvas {
// Writes the pattern's width and/or height into the host's edits as "%d".
void ShowSize(CKyFSLEditWnd& wnd, bool bWidth, bool bHeight);
// Draws the current tool's shape from anchor to end; nothing for the other tools.
void DrawShape(CKyFSLEditWnd& w, CDC* pDC, int nColor, int bInsert);
inline bool IsShapeTool(int tool) { return tool >= KY_TOOL_LINE && tool <= KY_TOOL_ELLIPSE_FILL; }
}  // namespace kycanvas
