// The tile grid and the device frame shared by the painting operations.
//
//   left                       right
//   +------+------+------+---+
//   | full | full | full | R |   R: right column, colRem wide
//   +------+------+------+---+
//   |  B   |  B   |  B   | C |   B: bottom row, rowRem high; C: the corner
//   +------+------+------+---+
//
// Every piece is copied from the tile's origin, so the pattern is anchored at
// the rectangle's top-left corner and a partial piece shows the left and top
// part of the tile. Pieces come in that order: full tiles row by row, the
// right column, the bottom row, the corner.
#pragma once

#include "afxdc.h"

namespace ky {

template <typename Piece>
void ForEachTilePiece(const CRect& r, int w, int h, Piece piece) {
  if (w <= 0 || h <= 0) return;
  const int width = r.Width(), height = r.Height();
  if (width <= 0 || height <= 0) return;
  const int cols = width / w, colRem = width % w;
  const int rows = height / h, rowRem = height % h;
  for (int j = 0; j < rows; ++j) {
    for (int i = 0; i < cols; ++i) piece(r.left + i * w, r.top + j * h, w, h);
  }
  if (colRem > 0) {
    for (int j = 0; j < rows; ++j) piece(r.right - colRem, r.top + j * h, colRem, h);
  }
  if (rowRem > 0) {
    for (int i = 0; i < cols; ++i) piece(r.left + i * w, r.bottom - rowRem, w, rowRem);
  }
  if (colRem > 0 && rowRem > 0) piece(r.right - colRem, r.bottom - rowRem, colRem, rowRem);
}

// Puts a DC into device units for the life of the object: a rectangle given
// in logical units is converted, the DC switched to MM_TEXT with its window
// origin at (0, 0); the map mode and then the window origin are put back on
// every way out.
class DeviceFrame {
 public:
  DeviceFrame(CDC* pDC, CRect& rect) : m_pDC(pDC), m_mapMode(pDC->GetMapMode()), m_windowOrg(pDC->GetWindowOrg()) {
    if (m_mapMode != MM_TEXT) {
      pDC->LPtoDP(reinterpret_cast<LPPOINT>(&rect), 2);
      pDC->SetMapMode(MM_TEXT);
      pDC->SetWindowOrg(0, 0);
    }
    rect.NormalizeRect();
  }
  ~DeviceFrame() {
    m_pDC->SetMapMode(m_mapMode);
    m_pDC->SetWindowOrg(m_windowOrg);
  }
  DeviceFrame(const DeviceFrame&) = delete;
  DeviceFrame& operator=(const DeviceFrame&) = delete;

 private:
  CDC* m_pDC;
  int m_mapMode;
  CPoint m_windowOrg;
};

}  // namespace ky
